// What the host hears from the waveform control: the codes, their words, and that
// positions beyond 32 bits arrive whole.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "lib/viewer/data/MarkCommands.h"
#include "lib/viewer/data/Tracelume.h"
#include "lib/viewer/panes/TracelumeCtrl.h"
#include "lib/viewer/data/BufferredDataManager.h"
#include "tests/viewer/data/ViewerDataTestSupport.h"
#include "tests/viewer/panes/PanesTestSupport.h"

namespace {

using namespace tracelume;
using panestest::HeadlessViewer;
using Codes = std::vector<std::uint32_t>;

constexpr std::int64_t k2To32 = std::int64_t{1} << 32;

// 2^33 + 16 samples at 1 kHz, shown at its end.
struct LongRecord : HeadlessViewer {
    LongRecord() {
        view().SetDataLength(0x10, 0x2);
        view().SetSampleRate(1000);
        view().GoTo(4);
        callback.Clear();
    }
};

TEST(WaveCallbackTest, DetailViewIsAskedForWithWholePositionsAndLeft) {
    LongRecord v;
    v.view().Command(kCommandDetailView, 1, 0);
    int min = 0;
    int max = 0;
    v.view().GetZoomRange(&min, &max);
    v.view().SetZoom(max - 1);
    v.view().GoTo(4);
    v.view().ZoomIn();  // at the top level: ready for the detail view
    EXPECT_EQ(v.wave().GetDetailState(), CTracelumeCtrl::kDetailReady);
    EXPECT_TRUE(v.callback.calls.empty());
    v.view().ZoomIn();
    ASSERT_EQ(v.callback.Codes(), Codes{kNotifyDetailRange});
    EXPECT_EQ(v.view().GetSampleRate(), 10000);
    const std::int64_t first = static_cast<std::int64_t>(std::floor(v.wave().FirstVisibleSample()));
    const std::int64_t visible = static_cast<std::int64_t>(std::ceil(v.wave().VisibleSamples()));
    EXPECT_GT(first, 10 * k2To32);
    EXPECT_EQ(v.callback.calls[0].wParam, first - 20);
    EXPECT_EQ(v.callback.calls[0].lParam, visible + 20);

    v.view().ZoomOut();
    EXPECT_EQ(v.callback.Codes(), (Codes{kNotifyDetailRange, kNotifyDetailLeft}));
    EXPECT_EQ(v.callback.calls[1].wParam, 0);
    EXPECT_EQ(v.callback.calls[1].lParam, 0);
    EXPECT_EQ(v.view().GetSampleRate(), 1000);
    EXPECT_EQ(v.view().GetDataLength(), 2 * k2To32 + 16);

    // In again, then zoom to fit also leaves.
    v.view().ZoomIn();
    v.view().ZoomAll();
    EXPECT_EQ(v.callback.Codes(),
              (Codes{kNotifyDetailRange, kNotifyDetailLeft, kNotifyDetailRange, kNotifyDetailLeft}));
    EXPECT_EQ(v.view().GetSampleRate(), 1000);
}

TEST(WaveCallbackTest, ZoomingInTheDetailViewStaysInIt) {
    LongRecord v;
    v.view().Command(kCommandDetailView, 1, 0);
    for (int i = 0; i < 200 && v.wave().GetDetailState() != CTracelumeCtrl::kDetailShown; ++i) {
        v.view().ZoomIn();
    }
    ASSERT_EQ(v.wave().GetDetailState(), CTracelumeCtrl::kDetailShown);
    for (int i = 0; i < 10; ++i) {
        v.view().ZoomIn();
    }
    // One tenfold step, never a hundredfold one.
    EXPECT_EQ(v.view().GetSampleRate(), 10000);
    EXPECT_EQ(v.wave().GetDetailState(), CTracelumeCtrl::kDetailShown);
    v.view().ZoomOut();
    EXPECT_EQ(v.view().GetSampleRate(), 1000);
    EXPECT_EQ(v.view().GetDataLength(), 2 * k2To32 + 16);
    // A new rate while in the detail view gives the lengths back too.
    v.view().ZoomIn();
    ASSERT_EQ(v.view().GetSampleRate(), 10000);
    v.view().SetSampleRate(500);
    EXPECT_EQ(v.view().GetDataLength(), 2 * k2To32 + 16);
    EXPECT_EQ(v.wave().GetDetailState(), CTracelumeCtrl::kDetailNormal);
}

TEST(WaveCallbackTest, DoubleClickTellsTheSampleUnderTheMouse) {
    LongRecord v;
    v.Mouse(MouseEvent::LeftDouble, 300, 100);
    ASSERT_EQ(v.callback.Codes(), Codes{kNotifyDoubleClick});
    const std::int64_t sample = v.wave().SampleAt(300);
    EXPECT_GT(sample, k2To32);
    EXPECT_EQ(v.callback.calls[0].wParam, sample >> 32);
    EXPECT_EQ(v.callback.calls[0].lParam, sample);
    // With Ctrl held it is no double click for the host.
    v.Mouse(MouseEvent::LeftDouble, 300, 100, kMouseControl);
    EXPECT_EQ(v.callback.calls.size(), 1u);
}

TEST(WaveCallbackTest, RegionGestureIsReportedAndCommitted) {
    LongRecord v;
    v.wave().SetZoom(0);  // 1 pixel a sample
    v.view().GoTo(4);
    v.callback.Clear();
    v.view().Command(kCommandMinRegion, 100, 0);
    v.wave().OnCommand(kCmdRegion);
    ASSERT_TRUE(v.wave().InRegionMode());
    EXPECT_TRUE(v.callback.calls.empty());
    const std::int64_t start = v.wave().SampleAt(100);
    const std::int64_t end = v.wave().SampleAt(400);
    v.Mouse(MouseEvent::LeftDown, 100, 50);
    v.Mouse(MouseEvent::Move, 250, 50);
    v.Mouse(MouseEvent::LeftUp, 400, 50);
    ASSERT_EQ(v.callback.Codes(), (Codes{kNotifyRegionGesture, kNotifyRegionState, kNotifyRegion}));
    EXPECT_EQ(v.callback.calls[0].wParam, 1);
    EXPECT_EQ(v.callback.calls[0].point.x, 1400);
    EXPECT_EQ(v.callback.calls[0].point.y, 2050);
    EXPECT_EQ(v.callback.calls[1].wParam, 1);
    EXPECT_GT(start, k2To32);
    EXPECT_EQ(v.callback.calls[2].wParam, start);
    EXPECT_EQ(v.callback.calls[2].lParam, end + 1);
    EXPECT_TRUE(v.wave().RegionShown());

    // A click is no selection.
    v.callback.Clear();
    v.Mouse(MouseEvent::LeftDown, 600, 50);
    v.Mouse(MouseEvent::LeftUp, 602, 50);
    EXPECT_TRUE(v.callback.calls.empty());

    // Ending region mode gives the whole view range back.
    v.wave().OnCommand(kCmdRegion);
    EXPECT_EQ(v.callback.Codes(), (Codes{kNotifyRegionState, kNotifyRegion}));
    EXPECT_EQ(v.callback.calls[0].wParam, 0);
    EXPECT_EQ(v.callback.calls[1].wParam, 0);
    EXPECT_EQ(v.callback.calls[1].lParam, 2 * k2To32 + 16);
    EXPECT_FALSE(v.wave().RegionShown());
}

TEST(WaveCallbackTest, NarrowSelectionsAreWidenedOrRefused) {
    LongRecord v;
    v.wave().SetZoom(5);  // 50 pixels a sample
    v.view().GoTo(0);
    v.view().Command(kCommandMinRegion, 64, 0);
    v.wave().OnCommand(kCmdRegion);
    v.callback.Clear();
    // Ten samples dragged: widened at its end to the minimum width.
    const std::int64_t start = v.wave().SampleAt(100);
    v.Mouse(MouseEvent::LeftDown, 100, 50);
    v.Mouse(MouseEvent::LeftUp, 600, 50);
    ASSERT_EQ(v.callback.Codes(), (Codes{kNotifyRegionGesture, kNotifyRegionState, kNotifyRegion}));
    EXPECT_EQ(v.callback.calls[0].wParam, 1);
    EXPECT_EQ(v.callback.calls[2].wParam, start);
    EXPECT_EQ(v.callback.calls[2].lParam - v.callback.calls[2].wParam, 64);

    // The host's selection: too narrow repeats the region shown.
    v.callback.Clear();
    v.view().Command(kCommandSelectRegion, 3 * k2To32 / 2 + 10, 3 * k2To32 / 2);
    ASSERT_EQ(v.callback.Codes(), (Codes{kNotifyRegionGesture, kNotifyRegionState, kNotifyRegion}));
    EXPECT_EQ(v.callback.calls[0].wParam, 0);
    EXPECT_EQ(v.callback.calls[2].wParam, start);
    // Wide enough: reported whole, in order, and scrolled into view.
    v.callback.Clear();
    const std::int64_t a = 3 * k2To32 / 2 + 5000;
    v.view().Command(kCommandSelectRegion, a, a - 1000);
    ASSERT_EQ(v.callback.Codes(), (Codes{kNotifyRegionGesture, kNotifyRegionState, kNotifyRegion}));
    EXPECT_EQ(v.callback.calls[0].wParam, 1);
    EXPECT_EQ(v.callback.calls[2].wParam, a - 1000);
    EXPECT_EQ(v.callback.calls[2].lParam, a + 1);
    EXPECT_NEAR(v.wave().FirstVisibleSample(), static_cast<double>(a - 1000), 1);
    // Outside the view range: nothing.
    v.callback.Clear();
    v.view().Command(kCommandSelectRegion, 0, 3 * k2To32);
    EXPECT_TRUE(v.callback.calls.empty());
}

TEST(WaveCallbackTest, CacheBuildReportsProgress) {
    HeadlessViewer v;
    viewertest::VectorSource source(std::vector<std::int64_t>(250000, 7));
    panestest::RecordingCallback& callback = v.callback;
    IBufferredDataManager* cache = v.view().CreateDataManager(&source);
    ASSERT_FALSE(callback.calls.empty());
    EXPECT_EQ(callback.calls[0].code, kNotifyCacheProgress);
    EXPECT_EQ(callback.calls[0].wParam, 2);
    cache->Release();
    // Without a source the cache is empty and nothing is told.
    callback.Clear();
    v.view().CreateDataManager(nullptr)->Release();
    EXPECT_TRUE(callback.calls.empty());
}

}  // namespace

// What the waveform control draws of a known signal: every pixel column spans the
// extremes of its samples, and stretches without values stay empty.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

#include "lib/viewer/data/BufferredDataManager.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/panes/TracelumeCtrl.h"
#include "tests/viewer/data/ViewerDataTestSupport.h"
#include "tests/viewer/panes/PanesTestSupport.h"

namespace {

using namespace tracelume;

constexpr std::int64_t kWaveSamples = 200000;
constexpr std::int64_t kPeriod = 20000;
constexpr std::int64_t kGapStart = 120000;
constexpr std::int64_t kGapEnd = 135000;
constexpr int kRowHeight = 400;

std::vector<std::int64_t> Sine() {
    std::vector<std::int64_t> samples(kWaveSamples);
    for (std::int64_t i = 0; i < kWaveSamples; ++i) {
        const double value = 0.5 + 0.45 * std::sin(2 * 3.14159265358979 * static_cast<double>(i) / kPeriod);
        samples[static_cast<std::size_t>(i)] =
            i >= kGapStart && i < kGapEnd ? kNoValuePosition : static_cast<std::int64_t>(value * 4294967296.0);
    }
    return samples;
}

// The drawing's pixel row of a raw value in a band from 0 (as the analog kind maps it).
int RowOf(std::int64_t raw) {
    const double top = 4;
    const double bottom = kRowHeight - 4;
    const double full = 4294967295.0;
    return static_cast<int>(std::lround(bottom - std::clamp(static_cast<double>(raw), 0.0, full) * (bottom - top) / full));
}

bool Lit(const gfx::Bitmap& picture, int x, int y) {
    const gfx::Color pixel = picture.PixelAt(x, y);
    return pixel.r > 128 && pixel.g < 160 && pixel.b < 160;
}

TEST(WaveDrawingTest, ColumnsSpanTheirExtremesAndGapsStayEmpty) {
    panestest::HeadlessViewer v(900, 600);
    viewertest::VectorSource source(Sine());
    IBufferredDataManager* cache = v.view().CreateDataManager(&source);
    IRowItem* row = v.view().AddRow(nullptr);
    row->SetHeight(kRowHeight);
    IRowItemImp* kind = v.view().CreateRowImp(kRowKindAnalog);
    kind->SetData(cache);
    row->AddImp(kind);
    CLineStyleInfo style;
    style.m_lineColor = 0x0000FF;  // red
    row->SetImpStyle(kind, style);
    v.view().ShowGrid(0, 0);
    v.view().SetDataLength(static_cast<std::uint32_t>(kWaveSamples), 0);
    v.view().SetSampleRate(1000);
    v.view().ZoomAll();
    row->SetHeight(kRowHeight);  // zoom to fit fits the rows to the window

    CTracelumeCtrl& wave = v.wave();
    const gfx::Bitmap picture = wave.Render();
    ASSERT_FALSE(picture.IsEmpty());
    const int width = wave.Width();
    const double first = wave.FirstVisibleSample();
    const double last = first + wave.VisibleSamples();
    // Extremes of each column as the axis places samples, and whether it has a gap.
    std::vector<std::int64_t> low(static_cast<std::size_t>(width), std::numeric_limits<std::int64_t>::max());
    std::vector<std::int64_t> high(static_cast<std::size_t>(width), std::numeric_limits<std::int64_t>::min());
    std::vector<int> gaps(static_cast<std::size_t>(width), 0);
    std::vector<int> values(static_cast<std::size_t>(width), 0);
    const auto& samples = source.Samples();
    for (std::int64_t s = 0; s < kWaveSamples; ++s) {
        const long x = std::lround(width * (static_cast<double>(s) - first) / (last - first));
        if (x < 0 || x >= width) {
            continue;
        }
        const auto column = static_cast<std::size_t>(x);
        const std::int64_t value = samples[static_cast<std::size_t>(s)];
        if (value == kNoValuePosition) {
            ++gaps[column];
            continue;
        }
        ++values[column];
        low[column] = std::min(low[column], value);
        high[column] = std::max(high[column], value);
    }
    int checked = 0;
    int empty = 0;
    for (int x = 1; x + 1 < width; ++x) {
        const auto column = static_cast<std::size_t>(x);
        int top = -1;
        int bottom = -1;
        for (int y = 0; y < kRowHeight; ++y) {
            if (Lit(picture, x, y)) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        }
        if (values[column] == 0 && gaps[column] > 0) {
            EXPECT_EQ(top, -1) << "gap column " << x;
            ++empty;
            continue;
        }
        if (gaps[column] > 0 || values[column] == 0 || gaps[column - 1] > 0 || gaps[column + 1] > 0) {
            continue;  // the edges of the gap
        }
        ASSERT_GE(top, 0) << "column " << x << " drew nothing";
        EXPECT_NEAR(top, RowOf(high[column]), 1) << "column " << x;
        EXPECT_NEAR(bottom, RowOf(low[column]), 1) << "column " << x;
        ++checked;
    }
    const auto withValues = std::count_if(values.begin(), values.end(), [](int count) { return count > 0; });
    EXPECT_GT(withValues, 200);
    EXPECT_GT(checked, withValues * 9 / 10);
    EXPECT_GT(empty, 10);
    v.view().RemoveAllRows();
    cache->Release();
}

// Paints one after the other (the control keeps its frame's picture between them)
// show the frame as it is now, after a scroll, a zoom or a new size, pixel for pixel
// what a picture drawn afresh shows.
TEST(WaveDrawingTest, EveryPaintShowsTheCurrentFrame) {
    panestest::HeadlessViewer v(900, 600);
    viewertest::VectorSource source(Sine());
    IBufferredDataManager* cache = v.view().CreateDataManager(&source);
    IRowItem* row = v.view().AddRow(nullptr);
    IRowItemImp* kind = v.view().CreateRowImp(kRowKindAnalog);
    kind->SetData(cache);
    row->AddImp(kind);
    v.view().SetDataLength(static_cast<std::uint32_t>(kWaveSamples), 0);
    v.view().SetSampleRate(1000);
    v.view().ZoomAll();
    row->SetHeight(kRowHeight);
    CTracelumeCtrl& wave = v.wave();
    struct Step {
        const char* name;
        std::function<void()> change;
    };
    const Step steps[] = {
        {"the first frame", [] {}},
        {"the same frame again", [] {}},
        {"zoomed in", [&] { v.view().ZoomIn(); }},
        {"scrolled", [&] { wave.SetScrollPosition(false, wave.GetScrollPosition() + 300); }},
        {"a wider window", [&] { v.view().Place(gfx::Rect::FromSize(0, 0, 1200, 600), true); }},
        {"a smaller window", [&] { v.view().Place(gfx::Rect::FromSize(0, 0, 700, 500), true); }},
    };
    for (const Step& step : steps) {
        step.change();
        gfx::Bitmap painted(wave.Width(), wave.Height());
        {
            gfx::Context dc(painted);
            wave.OnPaint(dc);
        }
        const gfx::Bitmap fresh = wave.ExportPicture(gfx::Rect::FromSize(0, 0, wave.Width(), wave.Height()));
        const int left = v.view().GetTreeWidth() + CTracelumeView::kSplitterWidth;
        const int top = CTracelumeView::kRulerHeight;
        int differing = 0;
        for (int y = 0; y < wave.Height(); y += 3) {
            for (int x = 0; x < wave.Width(); x += 3) {
                const gfx::Color a = painted.PixelAt(x, y);
                const gfx::Color b = fresh.PixelAt(left + x, top + y);
                differing += a.r != b.r || a.g != b.g || a.b != b.b || a.a != b.a ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0) << step.name << " (" << wave.Width() << " x " << wave.Height() << ")";
    }
    v.view().RemoveAllRows();
    cache->Release();
}

TEST(WaveDrawingTest, EmptyRecordsAndZeroSpansDrawWithoutFault) {
    struct Case {
        const char* name;
        std::uint32_t length;
        double rate;
        int width;
        int height;
    };
    const Case cases[] = {
        {"no data", 0, 1000, 800, 600},
        {"one sample", 1, 1000, 800, 600},
        {"no room", 1000, 1000, 80, 70},
        {"rate refused", 1000, 0, 800, 600},
    };
    for (const Case& c : cases) {
        panestest::HeadlessViewer v(c.width, c.height);
        v.view().AddRow(nullptr);
        v.view().SetDataLength(c.length, 0);
        v.view().SetSampleRate(c.rate);
        EXPECT_EQ(v.view().GetSampleRate(), c.rate > 0 ? c.rate : 100000000.0) << c.name;
        v.view().ZoomAll();
        v.view().ZoomIn();
        v.view().ZoomOut();
        v.view().GoTo(3);
        v.wave().Render();
        v.view().Render();
        EXPECT_TRUE(std::isfinite(v.wave().FirstVisibleSample())) << c.name;
        EXPECT_TRUE(std::isfinite(v.wave().VisibleSamples())) << c.name;
        v.Mouse(MouseEvent::Move, 10, 10);
        v.Mouse(MouseEvent::LeftDouble, 10, 10);
        EXPECT_GE(v.wave().GetScrollPosition(), 0) << c.name;
    }
}

}  // namespace

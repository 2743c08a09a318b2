// A host drives a viewer as the record views do: analog, bus and bit rows over
// summary caches, zooming, scrolling, marks set by the user, a picture exported.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "lib/viewer/data/BufferredDataManager.h"
#include "lib/viewer/data/MarkCommands.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/panes/TracelumeCtrl.h"
#include "platform/base/Encoding.h"
#include "tests/support/TempDir.h"
#include "tests/viewer/data/ViewerDataTestSupport.h"
#include "tests/viewer/panes/PanesTestSupport.h"

namespace {

using namespace tracelume;

constexpr std::int64_t kCount = 20000;

std::vector<std::int64_t> Samples(int kind) {
    std::vector<std::int64_t> samples(kCount);
    for (std::int64_t i = 0; i < kCount; ++i) {
        const double phase = 2 * 3.14159265358979 * static_cast<double>(i) / 400;
        samples[static_cast<std::size_t>(i)] = kind == kRowKindAnalog ? static_cast<std::int64_t>(
                                                                            (0.5 + 0.4 * std::sin(phase)) * 4294967296.0)
                                               : kind == kRowKindBus ? (i / 1000) % 256
                                                                     : (i / 700) % 2;
    }
    return samples;
}

std::int32_t Int32At(const std::string& bytes, std::size_t offset) {
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

struct Host : panestest::HeadlessViewer {
    Host() : HeadlessViewer(1000, 700) {
        ITracelume& viewer = view();
        for (int kind : {kRowKindAnalog, kRowKindBus, kRowKindSingleBit}) {
            sources.emplace_back(Samples(kind));
        }
        int n = 0;
        for (int kind : {kRowKindAnalog, kRowKindBus, kRowKindSingleBit}) {
            IBufferredDataManager* cache = viewer.CreateDataManager(&sources[static_cast<std::size_t>(n++)]);
            caches.push_back(cache);
            IRowItem* row = viewer.AddRow(nullptr);
            row->SetName(kind == kRowKindAnalog ? L"U" : kind == kRowKindBus ? L"Bus" : L"Bit");
            row->SetBitWidth(kind == kRowKindAnalog ? 32 : kind == kRowKindBus ? 8 : 1);
            IRowItemImp* imp = viewer.CreateRowImp(kind);
            imp->SetData(cache);
            row->AddImp(imp);
            CLineStyleInfo style;
            style.m_name = row->GetName();
            style.m_lineColor = 0x0000FF;
            style.m_textColor = 0;
            row->SetImpStyle(imp, style);
        }
        viewer.SetDataLength(static_cast<std::uint32_t>(kCount), 0);
        viewer.SetSampleRate(1000);
        viewer.ZoomAll();
    }
    ~Host() {
        view().RemoveAllRows();
        for (IBufferredDataManager* cache : caches) {
            cache->Release();
        }
    }
    std::vector<viewertest::VectorSource> sources;
    std::vector<IBufferredDataManager*> caches;
};

TEST(TestHostTest, RowsZoomScrollMarksAndAPicture) {
    Host host;
    ITracelume& viewer = host.view();
    const int fitted = viewer.GetZoom();
    for (int i = 0; i < 4; ++i) {
        viewer.ZoomIn();
    }
    EXPECT_EQ(viewer.GetZoom(), fitted + 4);
    viewer.GoTo(0);
    EXPECT_EQ(host.wave().GetScrollPosition(), 0);
    viewer.GoTo(3);  // next page
    EXPECT_EQ(host.wave().GetScrollPosition(), host.wave().Width() / 10 * 10);
    viewer.GoTo(4);
    EXPECT_EQ(host.wave().GetScrollPosition(),
              (host.wave().GetScrollRange().end - host.wave().Width()) / 10 * 10);
    viewer.GoTo(0);

    // Two marks where the user asks for them, from the waveform's menu.
    panestest::FakeSurface& surface = host.waveSurface();
    surface.menuAnswer = [](const std::vector<MenuItem>&) { return kCmdAddMark; };
    host.wave().OnContextMenu(100, 40);
    host.wave().OnContextMenu(300, 40);
    CMarkManager& marks = host.view().Marks();
    ASSERT_EQ(marks.GetCount(), 2);
    std::wstring reference;
    EXPECT_EQ(marks.GetMarkAttribute(1, L"ref", &reference), 1);
    EXPECT_EQ(reference, L"M1");
    EXPECT_EQ(MarkPosition(marks, 0), host.wave().SampleAt(100));
    EXPECT_EQ(MarkPosition(marks, 1), host.wave().SampleAt(300));

    // A picture of a 200 x 150 rectangle, saved as a bitmap file.
    testsupport::TempDir folder;
    host.platform->saveAnswer = platform::FromPath(folder / "wave.bmp");
    surface.menuAnswer = [](const std::vector<MenuItem>& menu) {
        return menu.size() == 2 && menu[0].id == kCmdSavePicture ? kCmdSavePicture : 0u;
    };
    viewer.SetMouseMode(1);
    host.Mouse(MouseEvent::LeftDown, 50, 10);
    host.Mouse(MouseEvent::Move, 250, 160, kMouseLeft);
    host.Mouse(MouseEvent::LeftUp, 250, 160);
    const std::string bytes = testsupport::ReadAll(folder / "wave.bmp");
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Int32At(bytes, 18), host.view().GetTreeWidth() + 3 + 200);
    EXPECT_EQ(Int32At(bytes, 22), 40 + 150);
    EXPECT_TRUE(host.platform->errors.empty());
    // The same rectangle to the clipboard.
    surface.menuAnswer = [](const std::vector<MenuItem>&) { return kCmdCopyPicture; };
    host.Mouse(MouseEvent::LeftDown, 50, 10);
    host.Mouse(MouseEvent::LeftUp, 250, 160);
    EXPECT_EQ(host.platform->clipboard, std::make_pair(host.view().GetTreeWidth() + 3 + 200, 190));
}

TEST(TestHostTest, PictureMenuNeedsMoreThanThreePixels) {
    Host host;
    host.view().SetMouseMode(1);
    panestest::FakeSurface& surface = host.waveSurface();
    struct Case {
        int dx;
        int dy;
        bool menu;
    };
    for (const Case& c : {Case{2, 1, false}, Case{3, 0, false}, Case{3, 1, true}, Case{-4, 0, true}}) {
        surface.menus.clear();
        host.Mouse(MouseEvent::LeftDown, 200, 100);
        host.Mouse(MouseEvent::LeftUp, 200 + c.dx, 100 + c.dy);
        EXPECT_EQ(surface.menus.size(), c.menu ? 1u : 0u) << c.dx << "," << c.dy;
    }
}

TEST(TestHostTest, ASaveThatFailsIsToldAndWritesNothing) {
    Host host;
    testsupport::TempDir folder;
    host.platform->saveAnswer = platform::FromPath(folder / "missing" / "wave.bmp");
    host.view().SetMouseMode(1);
    host.waveSurface().menuAnswer = [](const std::vector<MenuItem>&) { return kCmdSavePicture; };
    host.Mouse(MouseEvent::LeftDown, 50, 10);
    host.Mouse(MouseEvent::LeftUp, 250, 160);
    EXPECT_EQ(host.platform->errors.size(), 1u);
    // A cancelled dialog neither writes nor complains.
    host.platform->saveAnswer.clear();
    host.Mouse(MouseEvent::LeftDown, 50, 10);
    host.Mouse(MouseEvent::LeftUp, 250, 160);
    EXPECT_EQ(host.platform->errors.size(), 1u);
}

}  // namespace

// The viewer's operations and the user's commands, as the host and the user see
// their effects: zoom limits, the splitter, marks and their menus, tooltips, the
// tree's commands, the legend and the properties.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include <tinyxml2.h>

#include "lib/viewer/data/BufferredDataManager.h"
#include "lib/viewer/data/MarkCommands.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/ValueText.h"
#include "lib/viewer/panes/LegendWnd.h"
#include "lib/viewer/panes/TracelumeCtrl.h"
#include "lib/viewer/panes/TracelumeTreeCtrl.h"
#include "platform/base/Encoding.h"
#include "tests/viewer/data/ViewerDataTestSupport.h"
#include "tests/viewer/panes/PanesTestSupport.h"

namespace {

using namespace tracelume;
using panestest::HeadlessViewer;

// A viewer with one analog row over 10000 samples at 1 kHz, fitted.
struct OneRow : HeadlessViewer {
    OneRow() : source(std::vector<std::int64_t>(10000, std::int64_t{1} << 31)) {
        cache = view().CreateDataManager(&source);
        row = view().AddRow(nullptr);
        kind = view().CreateRowImp(kRowKindAnalog);
        kind->SetData(cache);
        row->AddImp(kind);
        view().SetDataLength(10000, 0);
        view().SetSampleRate(1000);
        view().ZoomAll();
        callback.Clear();
    }
    ~OneRow() {
        view().RemoveAllRows();
        cache->Release();
    }
    viewertest::VectorSource source;
    IBufferredDataManager* cache = nullptr;
    IRowItem* row = nullptr;
    IRowItemImp* kind = nullptr;
};

TEST(ViewInteractionTest, SetZoomKeepsToTheRangeAndWaitsForARefresh) {
    OneRow v;
    int min = 0;
    int max = 0;
    v.view().GetZoomRange(&min, &max);
    ASSERT_LT(min, max);
    const int painted = v.waveSurface().invalidations;
    v.view().SetZoom(max + 50);
    EXPECT_EQ(v.view().GetZoom(), max);
    v.view().SetZoom(min - 50);
    EXPECT_EQ(v.view().GetZoom(), min);
    EXPECT_EQ(v.waveSurface().invalidations, painted);
    // Mouse modes beyond the three are refused.
    EXPECT_EQ(v.view().SetMouseMode(2), static_cast<int>(kCmdMagnifier));
    EXPECT_EQ(v.view().SetMouseMode(7), static_cast<int>(kCmdMagnifier));
    EXPECT_EQ(v.view().GetMouseMode(), 2);
    const int posted = v.platform->refreshPosts;
    v.view().Refresh();
    EXPECT_EQ(v.platform->refreshPosts, posted + 1);
}

// Zoom to fit (and the first display, which is one) spreads the whole range over
// the width whatever the fixed levels are; zooming in and out keeps to the levels.
TEST(ViewInteractionTest, ZoomAllSpreadsTheWholeRangeOverTheWidth) {
    struct Case {
        const char* name;
        std::uint32_t samples;
        double rate;
    };
    const Case cases[] = {
        {"three days at one minute", 3 * 1440, 1.0 / 60},
        {"twenty minutes at one second", 1200, 1.0},
        {"ten seconds at 1 kHz", 10000, 1000.0},
        {"seventy seconds at 25.6 kHz", 70 * 25600, 25600.0},
        {"two hours at one minute", 120, 1.0 / 60},
    };
    for (const Case& c : cases) {
        OneRow v;
        v.view().SetDataLength(c.samples, 0);
        v.view().SetSampleRate(c.rate);
        v.view().ZoomAll();
        CTracelumeCtrl& wave = v.wave();
        const double used = wave.Axis().PixelOfSample(static_cast<double>(wave.GetRangeMax())) -
                            wave.Axis().PixelOfSample(static_cast<double>(wave.GetRangeMin()));
        EXPECT_GE(used, 0.95 * wave.Width()) << c.name;
        EXPECT_LE(used, 1.0 * wave.Width() + 1) << c.name;
        EXPECT_NEAR(wave.Axis().PixelOfSample(static_cast<double>(wave.GetRangeMin())), 0.0, 10.0) << c.name;

        // Zooming out shows no more; zooming in goes to a fixed level showing less.
        const double fitted = wave.GetTimePerDivision();
        v.view().ZoomOut();
        EXPECT_DOUBLE_EQ(wave.GetTimePerDivision(), fitted) << c.name;
        v.view().ZoomIn();
        EXPECT_GT(wave.GetTimePerDivision(), fitted) << c.name;
        EXPECT_DOUBLE_EQ(wave.GetTimePerDivision(), ZoomScale(v.view().GetZoom())) << c.name;
    }
}

TEST(ViewInteractionTest, FindKeepsOneMarkAndMovesIt) {
    OneRow v;
    v.view().Command(kCommandFind, 0, 2000);
    v.view().Command(kCommandFind, 0, 7000);
    CMarkManager& marks = v.view().Marks();
    ASSERT_EQ(marks.GetCount(), 1);
    EXPECT_EQ(MarkPosition(marks, 0), 7000);
    std::wstring text;
    marks.GetMarkAttribute(0, L"background", &text);
    EXPECT_EQ(text, L"255;0;0");
    // A position beyond 32 bits is taken whole from its halves, and kept in the data.
    v.view().Command(kCommandFind, 1, 5);
    EXPECT_EQ(MarkPosition(marks, 0), 10000);
}

TEST(ViewInteractionTest, SplitterKeepsToItsLimits) {
    HeadlessViewer v(800, 600);
    v.view().Command(kCommandSplitterLimits, 300, 100);
    EXPECT_EQ(v.view().GetTreeWidth(), 100);
    EXPECT_EQ(v.view().Tree().Width(), 100);
    v.view().Command(kCommandTreeWidth, 500, 0);
    EXPECT_EQ(v.view().GetTreeWidth(), 300);
    // Dragged with the mouse: live, and within the limits.
    tracelume::CTracelumeView& view = v.view();
    view.OnMouse({MouseEvent::LeftDown, 301, 200});
    view.OnMouse({MouseEvent::Move, 250, 200, kMouseLeft});
    EXPECT_EQ(view.GetTreeWidth(), 249);
    view.OnMouse({MouseEvent::LeftUp, 50, 200});
    EXPECT_EQ(view.GetTreeWidth(), 100);
    EXPECT_EQ(view.Wave().PlacedRect().left, 103);
    // Equal limits: the splitter does not move.
    view.Command(kCommandSplitterLimits, 120, 120);
    view.OnMouse({MouseEvent::LeftDown, 121, 200});
    view.OnMouse({MouseEvent::LeftUp, 300, 200});
    EXPECT_EQ(view.GetTreeWidth(), 120);
}

TEST(ViewInteractionTest, ResizingKeepsTheTreeWidthUnlessItChangesMuch) {
    HeadlessViewer v(800, 600);
    gfx::Bitmap picture(800, 600);
    gfx::Context dc(picture);
    v.view().OnPaint(dc);  // shown once
    struct Case {
        int width;
        int treeWidth;
    };
    // The tree keeps its share of tree, splitter and waveform: 75 of 815 would be
    // 76 (1 more: kept), 92 of 1000 (17 more: taken), 92 of 1010 (kept).
    for (const Case& c : {Case{815, 75}, Case{1000, 92}, Case{1010, 92}, Case{500, 45}}) {
        v.view().Place(gfx::Rect::FromSize(0, 0, c.width, 600), true);
        EXPECT_EQ(v.view().GetTreeWidth(), c.treeWidth) << c.width;
    }
}

TEST(ViewInteractionTest, ContextMenuFollowsTheOptionCtrlAndMarks) {
    OneRow v;
    panestest::FakeSurface& surface = v.waveSurface();
    v.view().Command(kCommandContextMenu, 0, 0);
    v.wave().OnContextMenu(100, 50);
    EXPECT_TRUE(surface.menus.empty());
    v.view().Command(kCommandContextMenu, 1, 0);
    surface.controlDown = true;
    v.wave().OnContextMenu(100, 50);
    EXPECT_TRUE(surface.menus.empty());
    surface.controlDown = false;

    CMarkManager& marks = v.view().Marks();
    for (int i = 0; i < 12; ++i) {
        const int index = AddCursorMark(marks, 500 * i);
        ASSERT_EQ(index, i);
    }
    v.wave().OnContextMenu(400, 50);
    ASSERT_EQ(surface.menus.size(), 1u);
    const std::vector<MenuItem>& menu = surface.menus.back();
    const MenuItem& goTo = menu[menu.size() - 2];
    ASSERT_EQ(goTo.children.size(), 2u + kMenuMarks);
    EXPECT_EQ(goTo.children[0].id, kCmdMoreMarks);
    EXPECT_EQ(goTo.children[0].text, L"更多标签...");
    EXPECT_EQ(goTo.children[2].text, L"M1");
    EXPECT_EQ(goTo.children.back().id, kCmdGoToMark + kMenuMarks - 1);
    EXPECT_EQ(menu.back().children.back().id, kCmdMoveMark + kMenuMarks - 1);

    // Moving a mark to the click, and choosing one in the dialog.
    surface.menuAnswer = [](const std::vector<MenuItem>&) { return kCmdMoveMark + 3; };
    v.wave().OnContextMenu(400, 50);
    EXPECT_EQ(MarkPosition(marks, 3), v.wave().SampleAt(400));
    v.platform->markAnswer = 11;
    surface.menuAnswer = [](const std::vector<MenuItem>&) { return kCmdMoreMarksMove; };
    v.wave().OnContextMenu(200, 50);
    EXPECT_EQ(MarkPosition(marks, 11), v.wave().SampleAt(200));
    // Over a mark, the mark's own menu, and it becomes the current mark.
    const int x = static_cast<int>(v.wave().Axis().PixelOfSample(static_cast<double>(MarkPosition(marks, 11))));
    surface.menuAnswer = nullptr;
    v.wave().OnContextMenu(x, 50);
    EXPECT_EQ(surface.menus.back()[0].id, kCmdAddMark);
    EXPECT_EQ(surface.menus.back()[1].id, kCmdRemoveMark);
    EXPECT_EQ(v.wave().GetCurrentMark(), 11);
    v.wave().OnCommand(kCmdMarkToBottom);
    EXPECT_EQ(marks.FindMark(L"M12"), 0);
    v.wave().OnCommand(kCmdRemoveMark);
    EXPECT_EQ(marks.FindMark(L"M12"), -1);
    v.platform->yesAnswer = false;
    v.wave().OnCommand(kCmdRemoveAllMarks);
    EXPECT_EQ(marks.GetCount(), 11);
    v.platform->yesAnswer = true;
    v.wave().OnCommand(kCmdRemoveAllMarks);
    EXPECT_EQ(marks.GetCount(), 0);
    EXPECT_EQ(v.platform->questions.back(), L"确定删除所有标签吗？");
}

TEST(ViewInteractionTest, CtrlClickZoomsAboutThePointInsteadOfAGesture) {
    OneRow v;
    // From the coarsest fixed level: scroll positions keep to a 10-pixel grid, which
    // a fitted scale's pixels do not.
    v.view().SetZoom(v.view().GetZoom());
    const int level = v.view().GetZoom();
    const std::int64_t sample = v.wave().SampleAt(200);
    v.Mouse(MouseEvent::LeftDown, 200, 50, kMouseControl);
    EXPECT_EQ(v.wave().GetGesture(), CTracelumeCtrl::kNoGesture);
    v.Mouse(MouseEvent::LeftUp, 200, 50, kMouseControl);
    EXPECT_EQ(v.view().GetZoom(), level + 1);
    EXPECT_NEAR(static_cast<double>(v.wave().SampleAt(200)), static_cast<double>(sample), 10);
    v.Mouse(MouseEvent::RightUp, 200, 50, kMouseControl);
    EXPECT_EQ(v.view().GetZoom(), level);
    // Panning without Ctrl.
    v.view().ZoomIn();
    v.view().ZoomIn();
    v.view().GoTo(0);
    v.Mouse(MouseEvent::LeftDown, 300, 50);
    EXPECT_EQ(v.wave().GetGesture(), CTracelumeCtrl::kPanning);
    v.Mouse(MouseEvent::Move, 100, 50, kMouseLeft);
    EXPECT_EQ(v.wave().GetScrollPosition(), 200);
    v.Mouse(MouseEvent::LeftUp, 100, 50);
    EXPECT_EQ(v.wave().GetGesture(), CTracelumeCtrl::kNoGesture);
}

TEST(ViewInteractionTest, TipsEscapeWhatTheUserAndHostTyped) {
    OneRow v;
    v.row->SetName(L"U<1>");
    CLineStyleInfo style;
    style.m_name = L"a&b";
    v.row->SetImpStyle(v.kind, style);
    const std::wstring rowTip = v.wave().TipTextAt(100, 50);
    EXPECT_EQ(rowTip.rfind(L"U&lt;1&gt;:<br>a&amp;b = ", 0), 0u);
    EXPECT_NE(rowTip.find(L"<hr color=blue><font color=blue><br>时间="), std::wstring::npos);

    CMarkManager& marks = v.view().Marks();
    const int mark = marks.AddMark(L"<script>");
    marks.SetMarkAttribute(mark, L"position", std::to_wstring(v.wave().SampleAt(300)));
    marks.SetMarkAttribute(mark, L"comment", L"\"quoted\" & <b>bold</b>");
    const std::wstring markTip = v.wave().TipTextAt(300, 50);
    EXPECT_EQ(markTip.find(L"<script>"), std::wstring::npos);
    EXPECT_EQ(markTip.rfind(L"&lt;script&gt;=", 0), 0u);
    EXPECT_NE(markTip.find(L"备注=&quot;quoted&quot; &amp; &lt;b&gt;bold&lt;/b&gt;</font>"), std::wstring::npos);
    // No tip while a gesture runs or through the magnifier.
    v.Mouse(MouseEvent::LeftDown, 100, 50);
    EXPECT_TRUE(v.wave().TipTextAt(300, 50).empty());
    v.Mouse(MouseEvent::LeftUp, 100, 50);
    v.view().SetMouseMode(2);
    EXPECT_TRUE(v.wave().TipTextAt(300, 50).empty());
}

TEST(ViewInteractionTest, TreeFormatCommandsShowTheirOwnBase) {
    OneRow v;
    CTracelumeTreeCtrl& tree = v.view().Tree();
    struct Case {
        unsigned command;
        int base;
    };
    const Case cases[] = {{kCmdHex, kBaseHex}, {kCmdBinary, kBaseBinary}, {kCmdOctal, kBaseOctal},
                          {kCmdDecimal, kBaseDecimal}, {kCmdAscii, kBaseAscii}};
    // Nothing selected: nothing changes.
    v.row->SetBase(kBaseChart);
    tree.OnCommand(kCmdHex);
    EXPECT_EQ(v.row->GetBase(), kBaseChart);
    tree.Rows().front()->m_flags |= CTreeItem::kSelected;
    for (const Case& c : cases) {
        EXPECT_TRUE(tree.OnCommand(c.command)) << c.command;
        EXPECT_EQ(v.row->GetBase(), c.base) << c.command;
    }
}

TEST(ViewInteractionTest, TreesDeleteCommandHidesTheRowWhichTheHostStillRemoves) {
    OneRow v;
    IRowItem* second = v.view().AddRow(nullptr);
    IRowItem* child = v.view().AddRow(second);
    CTracelumeTreeCtrl& tree = v.view().Tree();
    const int total = tree.GetTotalHeight();
    ASSERT_EQ(tree.Rows().size(), 3u);
    tree.Rows()[1]->m_flags |= CTreeItem::kSelected;
    tree.OnCommand(kCmdDeleteRow);
    EXPECT_EQ(tree.Rows().size(), 3u);
    EXPECT_EQ(tree.GetTotalHeight(), total - second->GetHeight());
    EXPECT_EQ(v.view().FindRow(second), tree.Rows()[1]);
    // The host's pointers stay good; removing the row takes its child too.
    second->SetName(L"still here");
    v.view().RemoveRow(second);
    EXPECT_EQ(tree.Rows().size(), 1u);
    EXPECT_EQ(v.view().FindRow(child), nullptr);
    // Pointers that are no rows of this viewer are left alone.
    v.view().RemoveRow(second);
    EXPECT_EQ(v.view().AddRow(second), nullptr);
    EXPECT_EQ(tree.Rows().size(), 1u);
}

TEST(ViewInteractionTest, LegendShowsTheNewestRowsKindsAndHighlightsOnClick) {
    HeadlessViewer v;
    v.view().Command(kCommandLegend, 1, 0);
    IRowItem* first = v.view().AddRow(nullptr);
    CLegendWnd* legend = v.wave().GetLegend();
    ASSERT_NE(legend, nullptr);
    IRowItemImp* a = v.view().CreateRowImp(kRowKindAnalog);
    IRowItemImp* b = v.view().CreateRowImp(kRowKindAnalog);
    first->AddImp(a);
    first->AddImp(b);
    CLineStyleInfo style;
    style.m_name = L"Ua";
    style.m_lineColor = 0x0000FF;
    first->SetImpStyle(a, style);
    style.m_name = L"Ub";
    first->SetImpStyle(b, style);
    ASSERT_EQ(legend->Buttons().size(), 2u);
    EXPECT_EQ(legend->Buttons()[0].text, L"Ua");
    EXPECT_EQ(legend->Buttons()[1].kind, b);
    EXPECT_EQ(legend->PlacedRect().Height(), CLegendWnd::kGap + CLegendWnd::kItemHeight);
    // A click makes that kind the highlighted one of the row.
    v.wave().OnLegendClick(b);
    CLineStyleInfo read;
    first->GetImpStyle(b, &read);
    EXPECT_EQ(read.m_highlight, 1);
    first->GetImpStyle(a, &read);
    EXPECT_EQ(read.m_highlight, 0);
    EXPECT_TRUE(legend->Buttons()[1].highlighted);
    // A new row takes the legend over; the first row no longer reaches it.
    IRowItem* second = v.view().AddRow(nullptr);
    EXPECT_TRUE(legend->Buttons().empty());
    first->RemoveImp(a, 1);
    EXPECT_TRUE(legend->Buttons().empty());
    // Removing the legend's row leaves the legend with nothing of it.
    IRowItemImp* c = v.view().CreateRowImp(kRowKindBus);
    second->AddImp(c);
    second->SetImpStyle(c, style);
    EXPECT_EQ(legend->Buttons().size(), 1u);
    v.view().RemoveRow(second);
    EXPECT_TRUE(legend->Buttons().empty());
    EXPECT_EQ(legend->GetRow(), nullptr);
}

TEST(ViewInteractionTest, PropertiesGoToTheHostOnlyWithACallback) {
    OneRow v;
    v.view().Command(kCommandBackground, 0x00FF00, 0);
    v.wave().OnCommand(kCmdWindowProperties);
    ASSERT_EQ(v.callback.properties.size(), 1u);
    EXPECT_EQ(v.callback.begins, 1);
    EXPECT_NE(v.callback.properties[0].find(L"VALUE=\"0;255;0\""), std::wstring::npos);
    CMarkManager& marks = v.view().Marks();
    AddCursorMark(marks, 1234);
    v.wave().OnContextMenu(static_cast<int>(v.wave().Axis().PixelOfSample(1234)), 40);
    v.wave().OnCommand(kCmdMarkProperties);
    ASSERT_EQ(v.callback.properties.size(), 2u);
    EXPECT_NE(v.callback.properties[1].find(L"VALUE=\"M1\""), std::wstring::npos);
    EXPECT_NE(v.callback.properties[1].find(L"VALUE=\"1234\""), std::wstring::npos);
    v.view().SetCallback(nullptr);
    bool enabled = true;
    v.wave().GetCommandState(kCmdWindowProperties, &enabled, nullptr);
    EXPECT_FALSE(enabled);
    v.wave().OnCommand(kCmdWindowProperties);
    EXPECT_EQ(v.callback.properties.size(), 2u);
}

TEST(ViewInteractionTest, RefreshClearsMarksWhenNothingIsDrawn) {
    OneRow v;
    v.view().Command(kCommandFind, 0, 100);
    v.view().OnRefresh();
    EXPECT_EQ(v.view().Marks().GetCount(), 1);
    v.row->RemoveAllImps();
    v.view().OnRefresh();
    EXPECT_EQ(v.view().Marks().GetCount(), 0);
}

TEST(ViewInteractionTest, MeasuringLinesFollowTheirDrag) {
    OneRow v;
    v.view().ShowMeasureLines(1, 0);
    v.wave().Render();
    const int line2 = v.wave().MeasureLinePixel(1);  // level 0.9, near the top
    ASSERT_GT(line2, 0);
    v.Mouse(MouseEvent::LeftDown, 40, line2 + 2);
    EXPECT_EQ(v.wave().GetGesture(), CTracelumeCtrl::kLine2Drag);
    v.Mouse(MouseEvent::Move, 40, line2 + 40, kMouseLeft);
    v.Mouse(MouseEvent::LeftUp, 40, line2 + 40);
    EXPECT_LT(v.wave().MeasureLineLevel(1), 0.9);
    v.wave().Render();
    EXPECT_EQ(v.wave().MeasureLinePixel(1), line2 + 40);
    // The host moves both lines to another row; -1 keeps them where they are.
    v.view().ShowMeasureLines(0, -1);
    EXPECT_FALSE(v.wave().MeasureLinesShown());
}

TEST(ViewInteractionTest, WaveformSettingsLoadFromTheirElement) {
    HeadlessViewer v;
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.Parse("<wavectrl background=\"0;0;255\" font=\"Arial;9pt\" zoom=\"-3\" hscroll=\"0\" "
                             "size=\"5000\" min=\"100\" max=\"9999\"/>"),
              tinyxml2::XML_SUCCESS);
    EXPECT_EQ(v.wave().LoadSettings(*document.RootElement()), 1);
    EXPECT_EQ(v.wave().GetBackground(), 0xFF0000u);
    EXPECT_EQ(v.wave().GetDataLength(), 5000);
    EXPECT_EQ(v.wave().GetRangeMin(), 100);
    EXPECT_EQ(v.wave().GetRangeMax(), 5000);  // kept within the data
    int min = 0;
    int max = 0;
    v.view().GetZoomRange(&min, &max);
    EXPECT_GE(v.wave().GetZoom(), min);
    EXPECT_LE(v.wave().GetZoom(), max);
    // The default element reads back as the defaults.
    ASSERT_EQ(document.Parse(platform::WideToUtf8(CTracelumeCtrl::DefaultSettings()).c_str()), tinyxml2::XML_SUCCESS);
    EXPECT_STREQ(document.RootElement()->Name(), "wavectrl");
    EXPECT_STREQ(document.RootElement()->Attribute("font"), "Arial;12pt");
}

}  // namespace

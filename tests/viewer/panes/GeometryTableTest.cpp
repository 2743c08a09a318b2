// The viewer's geometry in one table per subject: zoom scales and limits, scroll
// rounding, the ruler's ticks, the navigator's areas and drags, the legend's rows,
// and the tree's row fitting and total height.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lib/viewer/data/MarkManager.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/panes/BaseMarkCtrl.h"
#include "lib/viewer/panes/BaseRulerCtrl.h"
#include "lib/viewer/panes/BaseTreeCtrl.h"
#include "lib/viewer/panes/LegendWnd.h"
#include "lib/viewer/panes/NavigatorCtrl.h"
#include "lib/viewer/panes/TracelumeRulerCtrl.h"
#include "lib/viewer/panes/WaveScale.h"
#include "platform/gfx/Font.h"
#include "tests/viewer/panes/PanesTestSupport.h"

namespace {

using namespace tracelume;

TEST(GeometryTableTest, ScalePerZoomLevel) {
    struct Case {
        int level;
        double pixelsPerSecond;
    };
    const Case cases[] = {{0, 1000},  {1, 2000},  {2, 5000},   {3, 10000}, {4, 20000}, {-1, 500},
                          {-2, 200},  {-3, 100},  {-4, 50},    {-5, 20},   {-6, 10},   {9, 1e6},
                          {20, 5e9},  {-100, 1000 / 1e33 / 2}, {101, 1000 * 1e33 * 5}};
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(ZoomScale(c.level), c.pixelsPerSecond) << "level " << c.level;
    }
}

TEST(GeometryTableTest, ZoomLimits) {
    struct Case {
        const char* name;
        std::int64_t range;
        int width;
        double rate;
        int min;
        int max;
    };
    const Case cases[] = {
        // 1000 samples at 1 kHz (1 s) in 1000 pixels: level 0 (1000 px/s); at most
        // 30 pixels per sample lies between 20000 (20) and 50000 (50) px/s.
        {"one second", 1000, 1000, 1000, 0, 5},
        {"half the width", 1000, 500, 1000, -1, 5},
        // No range: the scale may not pass twice the rate.
        {"empty range", 0, 800, 1e8, 16, 20},
        // Longer than level -100 can show: the search gives up at -101.
        {"too long for any level", INT64_MAX, 1, 1e-13, kLowestZoomLevel, -43},
        // So fast that level 100 still shows at most 30 pixels per sample.
        {"very high rate", 1, 1000, 1e300, 20, kHighestZoomLevel},
        // A rate that is no rate: no division, the lowest level.
        {"zero rate", 1000, 1000, 0, kLowestZoomLevel, kLowestZoomLevel},
        {"no width", 1000, 0, 1000, kLowestZoomLevel, 5},
    };
    for (const Case& c : cases) {
        const int min = MinZoomLevel(c.range, c.width, c.rate);
        EXPECT_EQ(min, c.min) << c.name;
        EXPECT_EQ(MaxZoomLevel(min, c.rate), c.max) << c.name;
    }
}

TEST(GeometryTableTest, ScrollPositionsKeepToTensWithinTheRange) {
    const ScrollRange range = HorizontalScrollRange(1000, 1000, 0, 10000, 800);  // 0 .. 10000 + 80
    EXPECT_EQ(range.start, 0);
    EXPECT_EQ(range.end, 10080);
    struct Case {
        std::int64_t wanted;
        std::int64_t kept;
    };
    const Case cases[] = {{0, 0}, {5, 0}, {19, 10}, {1234, 1230}, {-7, 0}, {9999, 9280}, {INT64_MAX, 9280}};
    for (const Case& c : cases) {
        EXPECT_EQ(ClampScrollPosition(c.wanted, range, 800), c.kept) << c.wanted;
    }
    // A range that starts off the grid rounds below its start, never above.
    EXPECT_EQ(ClampScrollPosition(-100, {-25, 1000}, 100), -30);
    // Content narrower than the page stays at its start.
    EXPECT_EQ(ClampScrollPosition(500, {0, 300}, 800), 0);
}

TEST(GeometryTableTest, ScrollBarSpanAndThumb) {
    struct Case {
        const char* name;
        ScrollRange range;
        int span;
        std::int64_t position;
        int thumb;
    };
    const Case cases[] = {
        {"small", {0, 1000}, 1000, 500, 500},
        {"offset", {100, 1100}, 1000, 600, 500},
        {"beyond 32 bits", {0, std::int64_t{1} << 40}, INT_MAX, std::int64_t{1} << 39, INT_MAX / 2},
        {"empty", {50, 50}, 0, 50, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrollBarSpan(c.range), c.span) << c.name;
        EXPECT_NEAR(ThumbOf(c.position, c.range), c.thumb, 1) << c.name;
        if (c.span > 0) {
            EXPECT_NEAR(static_cast<double>(PositionOfThumb(c.thumb, c.range)), static_cast<double>(c.position),
                        static_cast<double>(c.range.end - c.range.start) / c.span + 1)
                << c.name;
        }
    }
}

TEST(GeometryTableTest, RulerTicks) {
    struct Case {
        const char* name;
        std::int64_t origin;
        int firstX;
        std::int64_t firstIndex;
        int firstLongX;
        int firstLabelX;
    };
    const Case cases[] = {
        {"origin 0 has no tick at x = 0", 0, 10, 1, 50, 100},
        {"origin 1234", 1234, 4, 123, 24, 74},
        {"negative origin", -15, 5, -2, 25, 25},
    };
    for (const Case& c : cases) {
        const auto ticks = CBaseRulerCtrl::Ticks(c.origin, 400);
        ASSERT_FALSE(ticks.empty()) << c.name;
        EXPECT_EQ(ticks.front().x, c.firstX) << c.name;
        EXPECT_EQ(ticks.front().index, c.firstIndex) << c.name;
        int firstLong = -1;
        int firstLabel = -1;
        for (const auto& tick : ticks) {
            if (tick.longTick && firstLong < 0) {
                firstLong = tick.x;
            }
            if (tick.index % 10 == 0 && firstLabel < 0) {
                firstLabel = tick.x;
            }
            EXPECT_NE(tick.x, 0) << c.name;
        }
        EXPECT_EQ(firstLong, c.firstLongX) << c.name;
        EXPECT_EQ(firstLabel, c.firstLabelX) << c.name;
    }
}

// Whether anything is written in the label band of a painted ruler about x.
bool LabelDrawnAt(const gfx::Bitmap& ruler, int x) {
    const gfx::Color face{0xC0, 0xC9, 0xCE};
    for (int y = 0; y < ruler.Height() - 14; ++y) {
        for (int column = std::max(0, x - 20); column < std::min(ruler.Width(), x + 20); ++column) {
            const gfx::Color pixel = ruler.PixelAt(column, y);
            if (pixel.r != face.r || pixel.g != face.g || pixel.b != face.b) {
                return true;
            }
        }
    }
    return false;
}

TEST(GeometryTableTest, RulerLabelsNeedRoomToTheirRight) {
    gfx::Font font;
    font.face = L"Verdana";
    font.height = 12;
    ASSERT_EQ(gfx::MissingGlyphCount(L"0123456789", font), 0);
    struct Case {
        std::int64_t origin;
        int width;
        int labelX;
        bool drawn;
    };
    // A label tick's label is painted when the next long tick, 50 pixels on, is
    // within the width.
    const Case cases[] = {
        {0, 460, 400, true},   {0, 450, 400, true},   {0, 449, 400, false},   {0, 449, 300, true},
        {1234, 400, 74, true}, {1234, 400, 274, true}, {1234, 400, 374, false},
    };
    for (const Case& c : cases) {
        CBaseRulerCtrl ruler;
        ruler.Place(gfx::Rect::FromSize(0, 0, c.width, 40), true);
        ruler.SetOrigin(c.origin);
        EXPECT_EQ(LabelDrawnAt(ruler.Render(), c.labelX), c.drawn) << c.origin << " " << c.width << " " << c.labelX;
    }
    EXPECT_EQ(CBaseRulerCtrl().GetTickLabel(100), L"100");
}

TEST(GeometryTableTest, CalendarTimesShowAFractionOnlyAboveANanosecond) {
    struct Case {
        double seconds;
        const wchar_t* suffix;
    };
    const Case cases[] = {{1000.0000000005, L""}, {1000.0, L""}, {1000.25, L"+250.000ms"}};
    CTracelumeRulerCtrl ruler;
    ruler.SetAbsoluteTime(true);
    for (const Case& c : cases) {
        for (const std::wstring& text : {ruler.FormatTimeLabel(c.seconds), ruler.FormatDateTimeLabel(c.seconds)}) {
            const std::size_t plus = text.find(L'+');
            EXPECT_EQ(plus == std::wstring::npos ? std::wstring{} : text.substr(plus), c.suffix) << c.seconds;
        }
    }
}

// Calendar labels a hundred pixels apart: zoomed in below a second, each label
// carries the fraction of its second to the precision that tells it from its
// neighbours, in two lines as the ruler has room for.
TEST(GeometryTableTest, CalendarTickLabelsTellNeighboursApart) {
    struct Case {
        double pixelsPerSecond;
        const wchar_t* secondLine;  // of the label of tick 10 (one label on), empty: the date form
    };
    const Case cases[] = {
        {1, L""},                  // 100 s between labels
        {100, L""},                // 1 s
        {1000, L"+100.000ms"},     // 100 ms
        {100000, L"+1.000ms"},     // 1 ms
        {3840000, L"+26.000us"},   // 26 us (30 pixels a sample at 12.8 kHz, tenfold), in whole us
    };
    for (const Case& c : cases) {
        CTracelumeRulerCtrl ruler;
        ruler.SetAbsoluteTime(true);
        ruler.SetTimeOffset(1399345737.0);
        ruler.SetScaleSource([&c] { return c.pixelsPerSecond; });
        ruler.SetPrecisionStep(c.pixelsPerSecond / 1000);
        std::vector<std::wstring> labels;
        for (std::int64_t index = 0; index <= 40; index += 10) {
            labels.push_back(ruler.GetTickLabel(index));
        }
        for (std::size_t i = 0; i < labels.size(); ++i) {
            EXPECT_EQ(std::count(labels[i].begin(), labels[i].end(), L'\n'), 1) << c.pixelsPerSecond << " " << i;
            for (std::size_t j = i + 1; j < labels.size(); ++j) {
                EXPECT_NE(labels[i], labels[j]) << c.pixelsPerSecond << ": labels " << i << " and " << j;
            }
        }
        const std::wstring second = labels[1].substr(labels[1].find(L'\n') + 1);
        if (*c.secondLine != 0) {
            EXPECT_EQ(second, c.secondLine) << c.pixelsPerSecond;
        } else {
            EXPECT_EQ(labels[1].find(L'+'), std::wstring::npos) << c.pixelsPerSecond;
            EXPECT_EQ(labels[1][2], L'/') << c.pixelsPerSecond << ": month/day first";
        }
    }
}

// A mark bar on a plain scale: a pixel is a sample, 1000 samples a second.
class PlainMarkBar final : public CBaseMarkCtrl {
public:
    double PositionToPixel(std::int64_t position) override { return static_cast<double>(position); }
    double PixelToPosition(double x) override { return x; }
    double PixelToTime(double x) override { return x / 1000; }
    double TimeToPixel(double seconds) override { return seconds * 1000; }
};

TEST(GeometryTableTest, MarkReadoutFrequency) {
    struct Case {
        double mark;
        double reference;
        const wchar_t* frequency;
    };
    const Case cases[] = {{0.002, 0.001, L"(1.000K HZ)"}, {0.001, 0.002, L"(-1.000K HZ)"}, {0.5, 0.5, L"(# HZ)"}};
    PlainMarkBar bar;
    for (const Case& c : cases) {
        const std::wstring readout = bar.Readout(c.mark, c.reference);
        const std::wstring frequency = c.frequency;
        ASSERT_GE(readout.size(), frequency.size()) << c.mark;
        EXPECT_EQ(readout.substr(readout.size() - frequency.size()), frequency) << c.mark;
    }
}

// A navigator without a viewer: positions read as their numbers.
class PlainNavigator final : public CNavigatorCtrl {
public:
    std::wstring FormatPosition(std::int64_t position) override { return std::to_wstring(position); }
    void OnViewChanged(std::int64_t start, std::int64_t end) override { views.push_back({start, end}); }
    void OnPageChanged(std::int64_t start, std::int64_t end) override { pages.push_back({start, end}); }
    void Press(int x, int y = 15) { OnMouse({MouseEvent::LeftDown, x, y}); }
    void Drag(int x, int y = 15) { OnMouse({MouseEvent::Move, x, y}); }
    void Release(int x, int y = 15) { OnMouse({MouseEvent::LeftUp, x, y}); }

    std::vector<std::pair<std::int64_t, std::int64_t>> views;
    std::vector<std::pair<std::int64_t, std::int64_t>> pages;
};

TEST(GeometryTableTest, NavigatorAreas) {
    PlainNavigator navigator;
    navigator.Place(gfx::Rect::FromSize(0, 0, 1012, 30), true);  // inner 6 .. 1006: one pixel a sample
    gfx::Rect start;
    gfx::Rect end;
    navigator.GetGripRects(start, end);
    struct Case {
        const char* name;
        gfx::Rect rect;
        double left;
        double right;
    };
    const Case cases[] = {
        {"page 50 .. 60", navigator.GetPageRect(), 56, 66},
        {"start grip at view start 0", start, 2, 10},
        {"end grip at view end 100", end, 102, 110},
        {"view", navigator.GetViewRect(), 6, 106},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.rect.left, c.left) << c.name;
        EXPECT_EQ(c.rect.right, c.right) << c.name;
    }
    // Pages narrower than 6 pixels are drawn 6 or 7 wide, about their place.
    for (std::int64_t width : {0, 1, 2, 3, 4, 5}) {
        navigator.SetPageRange(500, 500 + width);
        const gfx::Rect page = navigator.GetPageRect();
        EXPECT_GE(page.Width(), 6) << width;
        EXPECT_LE(page.Width(), 7) << width;
        EXPECT_LE(page.left, 506) << width;
        EXPECT_GE(page.right, 506 + width) << width;
    }
    EXPECT_EQ(navigator.ValueAt(6, 0), 0);
    EXPECT_EQ(navigator.ValueAt(506, 0), 500);
    // No data span, no width: no division by zero.
    navigator.SetDataRange(7, 7);
    EXPECT_EQ(navigator.ValueAt(300, 0), 7);
    navigator.Place(gfx::Rect::FromSize(0, 0, 12, 30), true);
    EXPECT_EQ(navigator.ValueAt(300, 0), 7);
}

TEST(GeometryTableTest, NavigatorDrags) {
    struct Case {
        const char* name;
        int press;
        int to;
        int mode;
        std::int64_t viewStart;
        std::int64_t viewEnd;
    };
    const Case cases[] = {
        // The start grip wins where both are, since the view is wider than the page.
        {"start grip", 6, 40, CNavigatorCtrl::kStartGrip, 34, 100},
        {"start grip past the view end", 6, 400, CNavigatorCtrl::kStartGrip, 100, 100},
        {"end grip", 106, 300, CNavigatorCtrl::kEndGrip, 0, 294},
        {"end grip before the start", 106, 1, CNavigatorCtrl::kEndGrip, 0, 0},
        {"view moved", 50, 250, CNavigatorCtrl::kMoveView, 200, 300},
        {"view moved past the data end", 50, 5000, CNavigatorCtrl::kMoveView, 900, 1000},
        {"view moved before the data start", 50, -500, CNavigatorCtrl::kMoveView, 0, 100},
    };
    for (const Case& c : cases) {
        PlainNavigator navigator;
        navigator.Place(gfx::Rect::FromSize(0, 0, 1012, 30), true);
        navigator.Press(c.press);
        EXPECT_EQ(navigator.GetDragMode(), c.mode) << c.name;
        navigator.Drag(c.to);
        navigator.Release(c.to);
        EXPECT_EQ(navigator.ViewStart(), c.viewStart) << c.name;
        EXPECT_EQ(navigator.ViewEnd(), c.viewEnd) << c.name;
        EXPECT_LE(navigator.ViewStart(), navigator.ViewEnd()) << c.name;
        ASSERT_FALSE(navigator.views.empty()) << c.name;
        EXPECT_EQ(navigator.views.back(), std::make_pair(c.viewStart, c.viewEnd)) << c.name;
    }
    // Both grips at the data start: the end grip moves, so the view can open.
    PlainNavigator closed;
    closed.Place(gfx::Rect::FromSize(0, 0, 1012, 30), true);
    closed.SetViewRange(0, 0);
    closed.SetPageRange(0, 0);
    closed.Press(6);
    EXPECT_EQ(closed.GetDragMode(), CNavigatorCtrl::kEndGrip);
}

TEST(GeometryTableTest, NavigatorDoubleClickCentresThePage) {
    CMarkManager marks;
    const int mark = marks.AddMark(L"M1");
    marks.SetMarkAttribute(mark, L"position", L"702");
    PlainNavigator navigator;
    navigator.SetMarkSource(&marks);
    navigator.Place(gfx::Rect::FromSize(0, 0, 1012, 30), true);
    // Within 3 pixels of the mark: centred on the mark; elsewhere on the point.
    navigator.OnMouse({MouseEvent::LeftDouble, 706, 15});
    ASSERT_EQ(navigator.pages.size(), 1u);
    EXPECT_EQ(navigator.pages[0], std::make_pair(std::int64_t{697}, std::int64_t{707}));
    navigator.OnMouse({MouseEvent::LeftDouble, 306, 15});
    EXPECT_EQ(navigator.pages[1], std::make_pair(std::int64_t{295}, std::int64_t{305}));
    // The mark's tip escapes what the user typed.
    marks.SetMarkAttribute(mark, L"comment", L"<b>&");
    EXPECT_NE(navigator.GetTipText(708, 15).find(L"&lt;b&gt;&amp;"), std::wstring::npos);
}

TEST(GeometryTableTest, LegendRows) {
    struct Case {
        int entries;
        int rows;
        int perRow;
    };
    const Case cases[] = {{1, 1, 1}, {2, 1, 2}, {3, 2, 2}, {4, 2, 2}, {5, 2, 3}, {6, 2, 3}};
    for (const Case& c : cases) {
        CLegendWnd legend;
        std::vector<int> heights;
        legend.SetHeightRequest([&](int height) { heights.push_back(height); });
        legend.Place(gfx::Rect::FromSize(0, 0, 600, 40), true);
        std::vector<int> kinds(static_cast<std::size_t>(c.entries));
        for (int& kind : kinds) {
            EXPECT_EQ(legend.AddOrRemove(reinterpret_cast<IRowItemImp*>(&kind), true), 1);
        }
        EXPECT_EQ(legend.Rows(), c.rows) << c.entries;
        const auto& buttons = legend.Buttons();
        int inFirstRow = 0;
        for (const auto& button : buttons) {
            inFirstRow += button.rect.top == buttons.front().rect.top ? 1 : 0;
        }
        EXPECT_EQ(inFirstRow, c.perRow) << c.entries;
        // Buttons keep the order in which their kinds came.
        EXPECT_EQ(buttons.front().kind, reinterpret_cast<IRowItemImp*>(&kinds.front())) << c.entries;
        EXPECT_EQ(heights.back(), c.rows * (CLegendWnd::kGap + CLegendWnd::kItemHeight)) << c.entries;
    }
}

TEST(GeometryTableTest, LegendAsksForHeightOnlyWhenItsRowsChange) {
    CLegendWnd legend;
    std::vector<int> heights;
    legend.SetHeightRequest([&](int height) { heights.push_back(height); });
    legend.Place(gfx::Rect::FromSize(0, 0, 80, 40), true);
    int kinds[4];
    for (int i = 0; i < 2; ++i) {
        legend.AddOrRemove(reinterpret_cast<IRowItemImp*>(&kinds[i]), true);
    }
    heights.clear();
    legend.AddOrRemove(reinterpret_cast<IRowItemImp*>(&kinds[2]), true);
    EXPECT_EQ(heights, std::vector<int>{38});
    legend.AddOrRemove(reinterpret_cast<IRowItemImp*>(&kinds[3]), true);
    EXPECT_EQ(heights, std::vector<int>{38});
    // A very narrow legend still gives every button its minimum width.
    for (const auto& button : legend.Buttons()) {
        EXPECT_EQ(button.rect.Width(), CLegendWnd::kMinWidth);
    }
    EXPECT_EQ(legend.AddOrRemove(reinterpret_cast<IRowItemImp*>(&kinds[0]), true), 0);
    EXPECT_EQ(legend.Buttons().size(), 4u);
    EXPECT_EQ(legend.AddOrRemove(reinterpret_cast<IRowItemImp*>(&heights), false), 0);
}

TEST(GeometryTableTest, LegendTipsOnlyForClippedTexts) {
    struct Case {
        int width;
        const wchar_t* text;
        const wchar_t* tip;
    };
    const Case cases[] = {
        {600, L"Ua", L""},
        {60, L"Ua <phase one & two> of the feeder", L"Ua &lt;phase one &amp; two&gt; of the feeder"},
    };
    for (const Case& c : cases) {
        CLegendWnd legend;
        panestest::FakeSurface surface(legend);
        legend.AttachSurface(&surface);
        legend.Place(gfx::Rect::FromSize(0, 0, c.width, 40), true);
        int kind = 0;
        legend.AddOrRemove(reinterpret_cast<IRowItemImp*>(&kind), true);
        legend.Update(reinterpret_cast<IRowItemImp*>(&kind), 0xFF, c.text);
        legend.Render();  // a button learns at painting whether its text fits
        const gfx::Rect button = legend.Buttons().front().rect;
        surface.tip = L"unset";
        legend.OnMouse({MouseEvent::Move, static_cast<int>(button.left) + 5, static_cast<int>(button.top) + 5});
        EXPECT_EQ(surface.tip, c.tip) << c.width;
    }
}

// A tree of plain rows with the given heights, each top-level unless a parent is given.
class Tree final : public CBaseTreeCtrl {
public:
    CTreeItem* Add(CTreeItem* parent, int height, std::uint32_t flags = 0) {
        auto row = std::make_unique<CTreeItem>();
        row->m_height = height;
        row->m_flags = flags;
        return AddChild(parent, std::move(row));
    }
};

TEST(GeometryTableTest, TreeTotalHeightAndFitting) {
    struct Case {
        const char* name;
        std::uint32_t groupFlags;
        int clientHeight;
        int total;
        int fitted;
    };
    const Case cases[] = {
        // A 150-pixel group row with three 150-pixel children, then one more row.
        {"collapsed group", 0, 600, 170 + 150, 274},
        {"expanded group", CTreeItem::kExpanded, 600, 770, 150},
        {"hidden group", CTreeItem::kHidden | CTreeItem::kExpanded, 600, 170, 548},
        {"tall window", CTreeItem::kExpanded, 10000, 770, 1200},
    };
    for (const Case& c : cases) {
        Tree tree;
        tree.Place(gfx::Rect::FromSize(0, 0, 200, c.clientHeight), true);
        CTreeItem* group = tree.Add(nullptr, 150, c.groupFlags);
        for (int i = 0; i < 3; ++i) {
            tree.Add(group, 150);
        }
        tree.Add(nullptr, 150);
        EXPECT_EQ(tree.GetTotalHeight(), c.total) << c.name;
        tree.FitRowsToWindow();
        EXPECT_EQ(tree.Rows().back()->m_height, c.fitted) << c.name;
    }
    // Ten rows in 600 pixels: (600 - 52) / 10 is below the least height.
    Tree ten;
    ten.Place(gfx::Rect::FromSize(0, 0, 200, 600), true);
    for (int i = 0; i < 10; ++i) {
        ten.Add(nullptr, 300);
    }
    ten.FitRowsToWindow();
    for (CTreeItem* row : ten.Rows()) {
        EXPECT_EQ(row->m_height, kRowMinHeight);
    }
    Tree empty;
    empty.FitRowsToWindow();
    EXPECT_EQ(empty.GetTotalHeight(), 20);
}

TEST(GeometryTableTest, TreeHitTest) {
    Tree tree;
    tree.Place(gfx::Rect::FromSize(0, 0, 200, 600), true);
    CTreeItem* first = tree.Add(nullptr, 150, CTreeItem::kExpanded);
    CTreeItem* child = tree.Add(first, 150);
    CTreeItem* second = tree.Add(nullptr, 150);
    struct Case {
        const char* name;
        double x;
        double y;
        CTreeItem* row;
        int area;
    };
    const Case cases[] = {
        {"body", 100, 50, first, CBaseTreeCtrl::kAreaRow},
        {"expand box", 20, 75, first, CBaseTreeCtrl::kAreaBox},
        {"2 above the bottom line resizes that row", 100, 148, first, CBaseTreeCtrl::kAreaBottomEdge},
        {"2 below it still does", 100, 152, first, CBaseTreeCtrl::kAreaBottomEdge},
        {"3 below is the next row's body", 100, 153, child, CBaseTreeCtrl::kAreaRow},
        {"third row", 100, 350, second, CBaseTreeCtrl::kAreaRow},
        {"below all rows", 100, 500, nullptr, 0},
    };
    for (const Case& c : cases) {
        int area = 0;
        EXPECT_EQ(tree.HitTest({c.x, c.y}, &area), c.row) << c.name;
        if (c.row != nullptr) {
            EXPECT_EQ(area, c.area) << c.name;
        }
    }
}

}  // namespace

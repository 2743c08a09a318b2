#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lib/viewer/data/RowItem.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Bitmap.h"

namespace {

// A row kind that logs what happens to it.
class FakeKind final : public IRowItemImp {
public:
    FakeKind(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}
    void Release() override {
        m_log.push_back("release " + m_name);
        delete this;
    }
    void SetData(IBufferredDataManager*) override {}
    int GetValueAt(IRowItem*, std::int64_t, std::int64_t*, std::int64_t*, std::wstring*) override { return 0; }
    void DrawLabels(IRowItem*, gfx::Context&, double, double, double, double) override {
        m_log.push_back("labels " + m_name);
    }
    void DrawRow(IRowItem*, gfx::Context&, const gfx::Rect&, double, double) override {
        m_log.push_back("draw " + m_name);
    }

private:
    ~FakeKind() override = default;
    std::string m_name;
    std::vector<std::string>& m_log;
};

class LegendLog final : public IRowLegend {
public:
    std::intptr_t SendLegendMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        std::string line = std::to_string(message) + " " + kinds.at(wParam);
        if (message == kLegendEntry) {
            const auto* entry = reinterpret_cast<const LegendEntry*>(lParam);
            line += " " + std::to_string(entry->first) + " " + platform::WideToUtf8(entry->second);
        } else {
            line += " " + std::to_string(lParam);
        }
        log.push_back(line);
        return 0;
    }
    std::map<std::uintptr_t, std::string> kinds;
    std::vector<std::string> log;
};

struct RowWithKinds {
    std::vector<std::string> log;
    LegendLog legend;
    std::unique_ptr<CRowItem> row = std::make_unique<CRowItem>();
    IRowItemImp* Kind(const std::string& name) {
        auto* kind = new FakeKind(name, log);
        legend.kinds[reinterpret_cast<std::uintptr_t>(kind)] = name;
        return kind;
    }
};

TEST(RowItemTest, KindsAreListedOnceAndReleasedWhenRemoved) {
    RowWithKinds fixture;
    CRowItem& row = *fixture.row;
    row.SetLegend(&fixture.legend);
    IRowItemImp* a = fixture.Kind("a");
    IRowItemImp* b = fixture.Kind("b");
    IRowItemImp* loose = fixture.Kind("loose");
    EXPECT_EQ(row.AddImp(a), 1);
    EXPECT_EQ(row.AddImp(a), 0);
    EXPECT_EQ(row.AddImp(b), 1);
    EXPECT_EQ(row.GetImpCount(), 2);
    EXPECT_EQ(row.GetImp(1), b);
    EXPECT_EQ(row.GetImp(2), nullptr);
    EXPECT_EQ(row.GetImp(-1), nullptr);

    CLineStyleInfo style;
    style.m_name = L"L1";
    style.m_lineColor = 0x0000FF;
    row.SetImpStyle(a, style);
    row.SetImpStyle(loose, style);
    // An unlisted kind only loses its style.
    EXPECT_EQ(row.RemoveImp(loose, 1), 0);
    CLineStyleInfo read;
    row.GetImpStyle(loose, &read);
    EXPECT_EQ(read, CLineStyleInfo{});
    row.GetImpStyle(a, &read);
    EXPECT_EQ(read, style);

    EXPECT_EQ(row.RemoveImp(b, 1), 1);
    EXPECT_EQ(row.GetImpCount(), 1);
    row.RemoveAllImps();
    EXPECT_EQ(row.GetImpCount(), 0);
    row.GetImpStyle(a, &read);
    EXPECT_EQ(read, CLineStyleInfo{});
    const std::vector<std::string> expectedLegend = {"3125 a 1", "3126 a 255 L1", "3125 loose 1", "3126 loose 255 L1",
                                                     "3125 b 0", "3125 a 0"};
    EXPECT_EQ(fixture.legend.log, expectedLegend);
    const std::vector<std::string> expectedLog = {"release b", "release a"};
    EXPECT_EQ(fixture.log, expectedLog);
    loose->Release();
}

TEST(RowItemTest, TheTreeOwnsItsRows) {
    std::vector<std::string> log;
    CTreeItem root;
    auto* row = static_cast<CRowItem*>(root.AddChild(std::make_unique<CRowItem>()));
    auto* child = static_cast<CRowItem*>(row->AddChild(std::make_unique<CRowItem>()));
    child->AddImp(new FakeKind("child kind", log));
    // A host's stray Release never frees a row the tree still holds.
    EXPECT_EQ(row->Release(), -1);
    EXPECT_EQ(child->Release(), -1);
    EXPECT_EQ(child->GetImpCount(), 1);
    EXPECT_EQ(row->AddRef(), 0);
    // Removing the row from the tree frees it with its children and their kinds.
    root.RemoveChild(row);
    EXPECT_TRUE(root.GetChildren().empty());
    const std::vector<std::string> expected = {"release child kind"};
    EXPECT_EQ(log, expected);
}

TEST(RowItemTest, ARowOutsideATreeGoesWithItsLastRelease) {
    std::vector<std::string> log;
    auto* row = new CRowItem;
    row->AddImp(new FakeKind("kind", log));
    EXPECT_EQ(row->AddRef(), 1);
    EXPECT_EQ(row->AddRef(), 2);
    EXPECT_EQ(row->Release(), 1);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(row->Release(), 0);
    const std::vector<std::string> expected = {"release kind"};
    EXPECT_EQ(log, expected);
}

TEST(RowItemTest, HeightsAndTreeSettings) {
    CRowItem row;
    struct Case {
        int asked;
        int kept;
    };
    for (const Case c : {Case{100, 150}, Case{150, 150}, Case{300, 300}, Case{1200, 1200}, Case{5000, 1200}}) {
        EXPECT_EQ(row.SetHeight(c.asked), c.kept) << c.asked;
        EXPECT_EQ(row.GetHeight(), c.kept) << c.asked;
    }
    row.SetTreeFlag(true);
    EXPECT_EQ(row.m_flags, CTreeItem::kExpanded);
    row.m_flags |= CTreeItem::kSelected;
    row.SetTreeFlag(false);
    EXPECT_EQ(row.m_flags, CTreeItem::kSelected);
    row.SetTreeValue(70);
    EXPECT_EQ(row.m_margin, 70);
}

TEST(RowItemTest, ScaleLabels) {
    struct Label {
        int index;
        double position;
        const char* text;
    };
    struct Case {
        const char* name;
        double zero;
        double full;
        int unit;
        int divisions;
        int count;  // after SetScaleDivisions
        std::vector<Label> labels;
        int pastLast;  // the first index without a label
    };
    const Case cases[] = {
        {"volts from 0", 0, 2000, 3, 4, 5, {{0, 0, "0 V"}, {1, 0.25, "500 V"}, {4, 1, "2000 V"}}, 6},
        {"volts around 0", -300, 300, 3, 12, 13, {{0, 0, "-300 V"}, {6, 0.5, "0 V"}, {12, 1, "300 V"}}, 14},
        {"kilovolts", 0, 12000, 3, 4, 5, {{1, 0.25, "3 kV"}, {4, 1, "12 kV"}}, 6},
        {"milliamperes", 0, 0.5, 4, 4, 5, {{1, 0.25, "125 mA"}}, 6},
        // Fine steps with a prefix: positions count from the value at raw 0.
        {"fine milliamperes around 0", -0.002, 0.002, 4, 8, 8,
         {{0, 0, "-2.00 mA"}, {4, 0.5, "0.00 mA"}, {8, 1, "2.00 mA"}}, 10},
        {"no range", 5, 5, 3, 4, 2, {}, 0},
    };
    for (const Case& c : cases) {
        CRowItem row;
        row.SetRange(c.zero, c.full, c.unit, 3);
        int count = c.divisions;
        row.SetScaleDivisions(&count);
        EXPECT_EQ(count, c.count) << c.name;
        for (const Label& label : c.labels) {
            double position = -1;
            std::wstring text;
            ASSERT_EQ(row.GetScaleLabel(label.index, &position, &text), 1) << c.name << " label " << label.index;
            EXPECT_NEAR(position, label.position, 1e-9) << c.name << " label " << label.index;
            EXPECT_EQ(platform::WideToUtf8(text), label.text) << c.name << " label " << label.index;
        }
        double position = -1;
        std::wstring text = L"untouched";
        EXPECT_EQ(row.GetScaleLabel(c.pastLast, &position, &text), 0) << c.name;
        EXPECT_EQ(text, L"untouched") << c.name;
        EXPECT_EQ(position, -1) << c.name;
    }
    CRowItem row;
    row.SetRange(0, 2000, 3, 3);
    int none = 0;
    row.SetScaleDivisions(&none);
    EXPECT_EQ(none, 0);
}

TEST(RowItemTest, PaintsBackThenKindsWithTheHighlightedOneOnTop) {
    RowWithKinds fixture;
    CRowItem& row = *fixture.row;
    IRowItemImp* a = fixture.Kind("a");
    IRowItemImp* b = fixture.Kind("b");
    IRowItemImp* c = fixture.Kind("c");
    row.AddImp(a);
    row.AddImp(b);
    row.AddImp(c);
    CLineStyleInfo highlighted;
    highlighted.m_highlight = 1;
    row.SetImpStyle(a, highlighted);
    row.SetBackColor(0x00FF00);
    gfx::Bitmap bitmap(20, 20);
    {
        gfx::Context dc(bitmap);
        row.Draw(dc, {0, 0, 10, 20}, 0, 100);
        row.DrawImpLabels(dc, 0, 0, 10, 20);
    }
    EXPECT_EQ(bitmap.PixelAt(5, 5), (gfx::Color{0, 255, 0}));
    EXPECT_EQ(bitmap.PixelAt(15, 5).a, 0);
    const std::vector<std::string> expected = {"draw b", "draw c", "draw a", "labels a", "labels b", "labels c"};
    EXPECT_EQ(fixture.log, expected);
}

}  // namespace

// The view item list's quantities per kind, their texts, and the kind bits of a choice.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "controls/ViewItemTable.h"

namespace {

using namespace controls;

TEST(ViewItemTableTest, EachKindOffersItsQuantitiesInOrder) {
    struct Case {
        int kind;
        unsigned caption;
        std::size_t count;
        std::uint32_t first, last;
    };
    const Case cases[] = {
        {kViewKindVoltageCurrent, 10078, 16, 6014, 6027},
        {kViewKindPowerEnergy, 10079, 8, 6030, 6037},
        {kViewKindFluctuationFlicker, 10080, 4, 6040, 6043},
        {kViewKindUnbalance, 10081, 10, 6046, 6071},
        {kViewKindHarmonic, 10082, 15, 6055, 6077},
        {5, 10083, 0, 0, 0},
        {kViewKindNone, 10083, 0, 0, 0},
        {-1, 10083, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const std::vector<ViewItem> items = ViewKindItems(c.kind);
        EXPECT_EQ(c.caption, ViewKindCaptionId(c.kind)) << "kind " << c.kind;
        ASSERT_EQ(c.count, items.size()) << "kind " << c.kind;
        if (!items.empty()) {
            EXPECT_EQ(c.first, items.front().id) << "kind " << c.kind;
            EXPECT_EQ(c.last, items.back().id) << "kind " << c.kind;
        }
    }
    // The unbalance list jumps from the sequence values to the unbalance factors.
    EXPECT_EQ(6068u, ViewKindItems(kViewKindUnbalance)[6].id);
    EXPECT_EQ(6075u, ViewKindItems(kViewKindHarmonic)[12].id);
    // Most quantities are named by their own string.
    EXPECT_EQ(6020u, ViewKindItems(kViewKindVoltageCurrent)[2].textId);
}

TEST(ViewItemTableTest, PowerAndEnergyQuantitiesAreNamedByTheirOwnStrings) {
    const std::vector<unsigned> expected{10084, 10085, 10086, 10087, 10088, 10090, 10091, 10089};
    const std::vector<ViewItem> items = ViewKindItems(kViewKindPowerEnergy);
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(expected[i], items[i].textId) << items[i].id;
        EXPECT_EQ(expected[i], PowerItemTextId(items[i].id)) << items[i].id;
    }
    EXPECT_EQ(10092u, PowerItemTextId(6029));
    EXPECT_EQ(10092u, PowerItemTextId(6038));
}

TEST(ViewItemTableTest, HalfCycleValuesAndEnergiesReportNoStatisticKinds) {
    for (const std::uint32_t id : {6026u, 6027u, 6035u, 6036u, 6037u}) {
        EXPECT_FALSE(HasStatisticKinds(id)) << id;
    }
    for (const std::uint32_t id : {6014u, 6034u, 6043u, 6077u}) {
        EXPECT_TRUE(HasStatisticKinds(id)) << id;
    }
    struct Case {
        bool enabled, max, min, avg;
        std::uint32_t flags;
    };
    const Case cases[] = {
        {true, false, false, true, 4}, {true, true, true, true, 7}, {true, true, false, false, 1},
        {true, false, true, false, 2}, {true, false, false, false, 0}, {false, true, true, true, 32},
        {false, false, false, false, 32},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.flags, ChoiceFlags(c.enabled, c.max, c.min, c.avg))
            << c.enabled << c.max << c.min << c.avg;
    }
}

}  // namespace

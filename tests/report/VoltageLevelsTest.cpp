#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "report/FilterLimits.h"
#include "report/VoltageLevels.h"

namespace {

TEST(VoltageLevels, TheProposedLevelIsTheNearestOnARatioScale)
{
    struct Case {
        const wchar_t* nominal;
        NominalKind kind;
        std::optional<int> code;
    };
    const Case cases[] = {
        {L"400", NominalKind::Line, 1},      // not the next level above
        {L"10500", NominalKind::Line, 3},    // 10 kV, not 35 kV
        {L"3000", NominalKind::Line, 2},     // nearer 6 kV than 0.38 kV by ratio
        {L"500000", NominalKind::Line, 7},   // above the highest level
        {L"1000", NominalKind::Line, 1},
        {L"80000", NominalKind::Line, 5},
        {L"5774", NominalKind::Phase, 3},    // a 10 kV system measured phase to neutral
        {L"230", NominalKind::Phase, 1},
        {L"220", NominalKind::Line, 1},
        {L"63508", NominalKind::Phase, 6},   // 110 kV
        {L" 35000.0", NominalKind::Line, 4},
        {L"", NominalKind::Line, std::nullopt},
        {L"0", NominalKind::Line, std::nullopt},
        {L"-10000", NominalKind::Line, std::nullopt},
        {L"kV", NominalKind::Phase, std::nullopt},
        {L"1e999", NominalKind::Line, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<LevelProposal> proposal = ProposeVoltageLevel(c.nominal, c.kind);
        ASSERT_EQ(proposal.has_value(), c.code.has_value()) << "nominal \"" << testing::PrintToString(std::wstring(c.nominal)) << "\"";
        if (proposal) {
            EXPECT_EQ(proposal->code, *c.code) << testing::PrintToString(std::wstring(c.nominal));
        }
    }
    EXPECT_NEAR(ProposeVoltageLevel(L"5774", NominalKind::Phase)->lineVoltage, 10000.86, 0.01);
}

TEST(VoltageLevels, TheWiringSaysWhatTheNominalVoltageMeasures)
{
    EXPECT_EQ(NominalKindOfWiring(15), NominalKind::Phase);  // three-phase four-wire
    EXPECT_EQ(NominalKindOfWiring(9), NominalKind::Phase);   // single phase with neutral
    EXPECT_EQ(NominalKindOfWiring(7), NominalKind::Line);    // three-wire
    EXPECT_EQ(NominalKindOfWiring(3), NominalKind::Line);
}

TEST(VoltageLevels, TheListNamesAndCapacities)
{
    const std::wstring texts[] = {L"0.38kV", L"6kV", L"10kV", L"35kV", L"66kV", L"110kV", L"220kV"};
    const float capacities[] = {10, 100, 100, 250, 500, 750, 2000};
    ASSERT_EQ(VoltageLevels().size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        const VoltageLevel& level = VoltageLevels()[i];
        EXPECT_EQ(level.code, static_cast<int>(i) + 1);
        EXPECT_EQ(VoltageLevelText(level.voltage), texts[i]);
        EXPECT_EQ(level.baseCapacity, capacities[i]);
        EXPECT_EQ(FindVoltageLevel(level.code), &level);
    }
    EXPECT_EQ(FindVoltageLevel(0), nullptr);
    EXPECT_EQ(FindVoltageLevel(8), nullptr);
}

TEST(FilterLimits, OnlyPlainDecimalsWithTheLowerBelowTheUpperAreTaken)
{
    struct Case {
        const wchar_t* upper;
        const wchar_t* lower;
        bool taken;
    };
    const Case cases[] = {
        {L"264.0", L"176.0", true}, {L"264", L"176", true},    {L"264.", L".5", true},
        {L".", L"176", false},      {L"264", L"-", false},     {L"-264", L"176", false},
        {L"+264", L"176", false},   {L"26.4.1", L"176", false}, {L"", L"176", false},
        {L"264", L"", false},       {L" 264", L"176", false},  {L"264", L"1e2", false},
        {L"176", L"264", false},    {L"200", L"200", false},   {L"２６４", L"176", false},  // full-width digits
        {L"9999999999999999999999999999999999999999999", L"1", false},  // past a float
    };
    for (const Case& c : cases) {
        const std::optional<FilterLimits> limits = ParseFilterLimits(c.upper, c.lower);
        EXPECT_EQ(limits.has_value(), c.taken)
            << testing::PrintToString(std::wstring(c.upper)) << " / " << testing::PrintToString(std::wstring(c.lower));
    }
    const FilterLimits limits = *ParseFilterLimits(L"264.5", L"176");
    EXPECT_FLOAT_EQ(limits.upper, 264.5f);
    EXPECT_FLOAT_EQ(limits.lower, 176.0f);
}

TEST(FilterLimits, TheOfferedLimitsLieAFifthAroundTheNominalVoltage)
{
    EXPECT_EQ(DefaultFilterTexts(L"10000").upper, L"12000.0");
    EXPECT_EQ(DefaultFilterTexts(L"10000").lower, L"8000.0");
    EXPECT_EQ(DefaultFilterTexts(L"57.7").upper, L"69.2");
    EXPECT_EQ(DefaultFilterTexts(L"").lower, L"0.0");
}

}  // namespace

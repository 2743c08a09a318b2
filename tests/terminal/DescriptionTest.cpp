#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>

#include "TerminalTestSupport.h"
#include "core/Ini.h"
#include "platform/base/ProgramFolder.h"
#include "terminal/FolderDescription.h"
#include "terminal/ItemViewTable.h"
#include "terminal/StatisticItems.h"
#include "terminal/Wiring.h"
#include "tests/support/TempDir.h"
#include "tools/gen/DescriptionFiles.h"

namespace {

using terminaltest::Wide;

class UtcTime : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
    }
};

using RecordInfoTest = UtcTime;

TEST_F(RecordInfoTest, StartAndEndTexts)
{
    testsupport::TempDir dir;
    gen::RecordInfo info;
    info.start = {2024, 3, 15, 8, 30, 5, 250};
    ASSERT_TRUE(gen::RecordInfoDocument(info).Write(dir / "recordinfo.cfg", {}));
    BasicInfo basic;
    const std::int64_t end = 1710498600;  // 2024-03-15 10:30:00 UTC
    ASSERT_EQ(ReadRecordInfo(Wide(dir / "recordinfo.cfg"), basic, 600, end), 1);
    EXPECT_EQ(basic.startText, L"2024-03-15 08:40:05.250") << "moved on by interval x first record";
    EXPECT_EQ(basic.endText, L"2024-03-15 10:30:00.250") << "the end carries the start's milliseconds";
    EXPECT_EQ(basic.userName, L"张工") << "GBK text decoded";
    EXPECT_EQ(basic.deviceType, L"K7700");

    // A start moved beyond any representable time prints as fields the conversion
    // could not produce, rather than wrapping round.
    ASSERT_EQ(ReadRecordInfo(Wide(dir / "recordinfo.cfg"), basic, std::numeric_limits<std::int64_t>::max(), end), 1);
    EXPECT_EQ(basic.startText, L"-001-00--1 -1:-1:-1.250");
}

TEST_F(RecordInfoTest, EdgeCases)
{
    struct Case {
        const char* name;
        const wchar_t* removeKey;
        int year;
        int result;
        const wchar_t* startText;
        const wchar_t* deviceType;
    };
    const Case cases[] = {
        {"missing millisecond", L"StartTimeMilliSecond", 2024, 0, L"", L""},
        {"missing year", L"StartTimeYear", 2024, 0, L"", L""},
        {"missing device type", L"DeviceType", 2024, 1, L"2024-03-15 08:30:00.000", L"K7700"},
        {"year 2101", nullptr, 2101, 1, L"2101-03-15 08:30:00.000", L"K7800"},
        {"year 2400", nullptr, 2400, 1, L"2400-03-15 08:30:00.000", L"K7800"},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        gen::RecordInfo info;
        info.start = {c.year, 3, 15, 8, 30, 0, 0};
        info.deviceType = L"K7800";
        gen::IniDocument document = gen::RecordInfoDocument(info);
        if (c.removeKey != nullptr) {
            ASSERT_TRUE(document.Remove(L"cfg", c.removeKey)) << c.name;
        }
        ASSERT_TRUE(document.Write(dir / "recordinfo.cfg", {}));
        BasicInfo basic;
        EXPECT_EQ(ReadRecordInfo(Wide(dir / "recordinfo.cfg"), basic, 0, 0), c.result) << c.name;
        EXPECT_EQ(basic.startText, c.startText) << c.name;
        EXPECT_EQ(basic.deviceType, c.deviceType) << c.name;
    }
}

// A damaged start time far past the year 2^31 - 1: its year does not fit an int once
// 1900 is added, and it is shown as no time. (Found by the description fuzz target.)
TEST(RecordTime, YearBeyondAnIntIsNoTime)
{
    const std::int64_t farFuture = 67767987341572560;  // about the year 2147484000
    EXPECT_EQ(FormatRecordTime(&farFuture, 0), FormatRecordTime(nullptr, 0));
    const std::int64_t valid = 0;
    EXPECT_NE(FormatRecordTime(&valid, 0), FormatRecordTime(nullptr, 0));
}

TEST(SysInfor, RatioTexts)
{
    struct Case {
        const char* name;
        const wchar_t *pt1, *ptLeft, *ptRight, *ct1, *ctLeft, *ctRight, *u;
        const wchar_t *ptRatio, *ctRatio, *voltage;
    };
    const Case cases[] = {
        {"direct ratios cut after two decimals", L"100.0456", L"1", L"1", L"120.5", L"1", L"1", L"57.74", L"100.04",
         L"120.5", L"5776.63"},
        {"ratios from left and right", L"0", L"10000", L"100", L"0.2", L"600", L"5", L"57.74", L"100.00", L"120.00",
         L"5774.00"},
        {"zero divisors", L"0", L"10000", L"0", L"0", L"0", L"0", L"57.74", L"unknown", L"unknown", L"unknown"},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        gen::RecordSet set;
        set.pt1 = c.pt1;
        set.pt1Left = c.ptLeft;
        set.pt1Right = c.ptRight;
        set.ct1 = c.ct1;
        set.ct1Left = c.ctLeft;
        set.ct1Right = c.ctRight;
        set.u = c.u;
        ASSERT_TRUE(gen::RecordSetDocument(set).Write(dir / "recordset.ini", {}));
        BasicInfo basic;
        EXPECT_EQ(ReadSysInfor(Wide(dir / "recordset.ini"), basic), 1) << c.name;
        EXPECT_EQ(basic.ptRatioText, c.ptRatio) << c.name;
        EXPECT_EQ(basic.ctRatioText, c.ctRatio) << c.name;
        EXPECT_EQ(basic.voltageText, c.voltage) << c.name;
        EXPECT_EQ(basic.ptText, L"10kV/100V") << c.name;
    }

    testsupport::TempDir dir;
    gen::IniDocument document = gen::RecordSetDocument({});
    document.Remove(L"SysInfor", L"MVA");
    document.Write(dir / "recordset.ini", {});
    BasicInfo basic;
    EXPECT_EQ(ReadSysInfor(Wide(dir / "recordset.ini"), basic), 0) << "an empty text fails";
}

// A voltage of sixty-one digits before the point: its text is written whole, never
// past the end of a buffer.
TEST(SysInfor, VoltageOfManyDigits)
{
    testsupport::TempDir dir;
    const auto file = dir.Write("recordset.ini",
                                "[SysInfor\nPT1=1066666666666666666666666666666666666666666666666666666666660\nU=5");
    BasicInfo basic;
    EXPECT_EQ(ReadSysInfor(Wide(file), basic), 0) << "the other texts are missing";
    EXPECT_EQ(basic.voltageText, L"5333333333333333539147285819714727643234763208569899184029696.00");
}

TEST(ItemList, FormsOfTheItemKey)
{
    struct Case {
        const wchar_t* text;
        std::vector<std::uint32_t> expected;
    };
    std::vector<std::uint32_t> all;
    for (std::uint32_t id = 1; id <= 461; ++id) {
        all.push_back(id);
    }
    const Case cases[] = {
        {L"1,2,1000,5", all},
        {L" 1 , 25,26 ,7", {1, 25, 26, 7}},
        {L"1,7,", {1, 7}},
        {L"1,,7", {1, 0, 7}},
        {L"", {}},
        {L"***", {}},
        {L",", {0}},
        {L"x", {0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseItemList(c.text), c.expected) << "\"" << platform::WideToUtf8(c.text) << "\"";
    }
}

TEST(ItemViewTable, BothDirections)
{
    struct Case {
        std::uint32_t item;
        int found;
        std::uint32_t view;
    };
    const Case cases[] = {{1, 1, 1},         {7, 1, 13017},      {14, 1, 15},        {24, 1, 25},
                          {30, 1, 2005},     {74, 1, 2049},      {159, 1, 4034},     {209, 1, 5049},
                          {211, 1, 6001},    {448, 1, 12049},    {461, 1, 13012},    {1000, 1, 13017},
                          {0, 0, 0},         {462, 0, 0},        {999, 0, 0}};
    for (const Case& c : cases) {
        std::uint32_t view = 0;
        EXPECT_EQ(ItemToView(c.item, &view), c.found) << "item " << c.item;
        if (c.found != 0) {
            EXPECT_EQ(view, c.view) << "item " << c.item;
        }
    }
    std::uint32_t item = 0;
    EXPECT_EQ(ViewToItem(2005, &item), 0) << "only family heads map back";
    ASSERT_EQ(ViewToItem(13017, &item), 1);
    EXPECT_EQ(item, 7u) << "the first match wins";
    ASSERT_EQ(ViewToItem(2000, &item), 1);
    EXPECT_EQ(item, 25u);
}

TEST(Wiring, TableCellsAndCodes)
{
    struct Case {
        int category, subtype;
        std::uint32_t mask;
    };
    for (const Case c : {Case{4, 2, 15}, Case{1, 1, 9}, Case{3, 4, 7}, Case{0, 0, 15}, Case{2, 1, 11}}) {
        testsupport::TempDir dir;
        gen::RecordSet set;
        set.category = c.category;
        set.subConnectType = c.subtype;
        gen::RecordSetDocument(set).Write(dir / "recordset.ini", {});
        BasicInfo basic;
        basic.phaseMask = 99;
        EXPECT_EQ(ReadWiring(Wide(dir / "recordset.ini"), basic), 1);
        EXPECT_EQ(basic.phaseMask, c.mask) << c.category << "/" << c.subtype;
    }
    EXPECT_EQ(LookupWiring(3, 4).nameId, LookupWiring(3, 2).nameId);
    EXPECT_EQ(LookupWiring(4, 2).nameId, 10281u);

    testsupport::TempDir dir;
    gen::RecordSet set;
    set.category = 5;
    gen::RecordSetDocument(set).Write(dir / "recordset.ini", {});
    BasicInfo basic;
    basic.phaseMask = 99;
    basic.wiringName = L"kept";
    ReadWiring(Wide(dir / "recordset.ini"), basic);
    EXPECT_EQ(basic.phaseMask, 99u) << "category 5 leaves the wiring";
    EXPECT_EQ(basic.wiringName, L"kept");

    struct CodeCase {
        std::uint32_t code, mask;
    };
    for (const CodeCase c : {CodeCase{3, 9}, CodeCase{0, 9}, CodeCase{2, 1}, CodeCase{17, 11}, CodeCase{33, 7},
                             CodeCase{34, 7}, CodeCase{35, 7}, CodeCase{50, 15}, CodeCase{51, 9}}) {
        std::wstring name;
        std::uint32_t mask = 0;
        EXPECT_EQ(GetWiringChannels(c.code, name, mask), 1);
        EXPECT_EQ(mask, c.mask) << "code " << c.code;
        EXPECT_EQ(WiringPhaseMask(c.code), c.mask) << "code " << c.code;
    }
}

// The shipped itemInfo.ini must describe every item as the block layout sizes it:
// Channel values per kind, times the number of kinds.
TEST(ItemInfo, AgreesWithTheBlockLayout)
{
    const std::wstring file = Wide(platform::ProgramFolder() / "itemInfo.ini");
    struct Head {
        std::uint32_t id;
        const wchar_t* name;
    };
    const Head heads[] = {
        {1, L"ESIN_VRMS"},         {2, L"ESIN_VAVG"},        {3, L"ESIN_VPK_POS"},     {4, L"ESIN_VPK_NEG"},
        {5, L"ESIN_VRMS_HALF"},    {6, L"ESIN_V_CF"},        {7, L"ESIN_FREQ"},        {8, L"ESIN_ARMS"},
        {9, L"ESIN_AAVG"},         {10, L"ESIN_APK_POS"},    {11, L"ESIN_APK_NEG"},    {12, L"ESIN_ARMS_HALF"},
        {13, L"ESIN_A_CF"},        {14, L"ESIN_W"},          {15, L"ESIN_VA"},         {16, L"ESIN_VAR"},
        {17, L"ESIN_PF"},          {18, L"ESIN_DPF"},        {19, L"ESIN_WH"},         {20, L"ESIN_VAH"},
        {21, L"ESIN_VARH"},        {22, L"ESIN_A_KF"},       {23, L"ESIN_V_THD"},      {24, L"ESIN_V_DC"},
        {25, L"ESIN_V_HARM_1"},    {75, L"ESIN_V_INHARM_1"}, {125, L"ESIN_V_HIHARM_1"}, {160, L"ESIN_V_SUBHARM_1"},
        {210, L"ESIN_A_THD"},      {211, L"ESIN_A_DC"},      {212, L"ESIN_A_HARM_1"},  {262, L"ESIN_A_INHARM_1"},
        {312, L"ESIN_A_HIHARM_1"}, {347, L"ESIN_A_SUBHARM_1"}, {397, L"ESIN_W_THD"},   {398, L"ESIN_W_DC"},
        {399, L"ESIN_W_HARM_1"},   {449, L"ESIN_PST"},       {450, L"ESIN_PLT"},       {451, L"ESIN_ST"},
        {452, L"ESIN_FLUCT"},      {453, L"ESIN_FLUCT_MAX"}, {454, L"ESIN_DT"},        {455, L"ESIN_V_POS"},
        {456, L"ESIN_V_NEG"},      {457, L"ESIN_V_ZERO"},    {458, L"ESIN_A_POS"},     {459, L"ESIN_A_NEG"},
        {460, L"ESIN_A_ZERO"},     {461, L"ESIN_UNBAL"},
    };
    CIni ini(file);
    for (const Head& head : heads) {
        const std::string name = platform::WideToUtf8(head.name);
        const int channel = static_cast<int>(ini.GetUInt(head.name, L"Channel", 0xFFFFFFFFu));
        const int kinds = static_cast<int>(ini.GetUInt(head.name, L"StaticsType", 0xFFFFFFFFu));
        const int view = static_cast<int>(ini.GetUInt(head.name, L"View", 0xFFFFFFFFu));
        ASSERT_GE(channel, 1) << name;
        ASSERT_GE(kinds, 0) << name;
        EXPECT_LE(kinds, 3) << name;
        EXPECT_TRUE(view >= 0 && view <= 5) << name;
        EXPECT_GE(static_cast<int>(ini.GetUInt(head.name, L"DataType", 0xFFFFFFFFu)), 0) << name;
        EXPECT_GE(static_cast<int>(ini.GetUInt(head.name, L"Sequence", 0xFFFFFFFFu)), 0) << name;
        EXPECT_EQ(static_cast<std::uint32_t>(channel * (kinds > 0 ? kinds : 1)), StatisticItemSize(head.id)) << name;
        const ItemValueLayout* layout = StatisticItemLayout(head.id);
        ASSERT_NE(layout, nullptr) << name;
        if (kinds > 0) {
            EXPECT_EQ(layout->subValues.size(), static_cast<std::size_t>(kinds)) << name;
        }
    }
}

}  // namespace

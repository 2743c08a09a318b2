#include <gtest/gtest.h>

#include "ExportTestSupport.h"
#include "export/RecordTabulist.h"
#include "tests/support/TempDir.h"

namespace {

using namespace exporttest;

constexpr int kHarmonicTrendMode = 3;

// Statistic records from 2026-03-01 00:00:00.000 local time, one a minute.
SourceBuilder Records()
{
    SourceBuilder builder;
    builder.source.kind = 0;
    builder.source.interval = 60.0;
    builder.source.startTime = L"2026-03-01 00:00:00.000";
    return builder;
}

// Titles, names and units by item type, value kind and mode; the statistic kind
// comes from the shipped itemInfo.ini (0 for the voltage RMS value, 3 for the
// harmonics).
TEST(RecordTabulist, DescribesItems)
{
    struct Case {
        int type, valueKind, mode;
        const wchar_t* title;
        const wchar_t* name;
        bool zeroIsMissing;
    };
    const Case cases[] = {
        {1, 0, 0, L"电压有效值( 单位:V)", L"电压有效值", false},
        {1, 2, 3, L"电压有效值( 单位:V)", L"电压有效值", false},  // statistic kind 0: no word
        {6, 0, 0, L"电压峰值因数( 单位:无)", L"电压峰值因数", false},
        {15, 0, 0, L"有功功率( 单位:KW)", L"有功功率", false},
        {16, 0, 0, L"视在功率( 单位:KVA)", L"视在功率", false},
        {17, 0, 0, L"无功功率( 单位:KVAR)", L"无功功率", false},
        {21, 0, 0, L"视在电能( 单位:KVAh)", L"视在电能", false},
        {22, 0, 0, L"无功电能( 单位:KVARh)", L"无功电能", false},
        {2000, 1, 0, L"基波电压( 单位:V)", L"基波电压", false},
        {2000, 1, 3, L"电压谐波有效值( 单位:V)", L"电压谐波", false},
        {2000, 2, 3, L"电压谐波含有率( 单位:%)", L"电压谐波", false},
        {2000, 2, 0, L"基波电压含有率( 单位:%)", L"基波电压", false},
        {7000, 3, 3, L"电流谐波相位角( 单位:°)", L"电流谐波", false},
        {3000, 1, 3, L"电压间谐波有效值( 单位:V)", L"电压间谐波", false},
        {13000, 0, 0, L"短闪变Pst( 单位:无)", L"短闪变Pst", true},
        {13001, 0, 0, L"长闪变Plt( 单位:无)", L"长闪变Plt", true},
        {13002, 0, 0, L"瞬时闪变s(t)( 单位:无)", L"瞬时闪变s(t)", false},
        {13014, 0, 0, L"电流负序不平衡度( 单位:%)", L"电流负序不平衡度", false},
        {13017, 0, 0, L"频率( 单位:Hz)", L"频率", false},
        {99, 0, 0, L"( 单位:)", L"", false},
    };
    for (const Case& c : cases) {
        CRecordTabulist exporter;
        exporter.SetMode(c.mode);
        const auto description = exporter.DescribeItem(Item(c.type, 0, 0, 1, c.valueKind));
        const std::string row = "type " + std::to_string(c.type) + " value kind " + std::to_string(c.valueKind) +
                                " mode " + std::to_string(c.mode);
        EXPECT_EQ(description.title, c.title) << row;
        EXPECT_EQ(description.name, c.name) << row;
        EXPECT_EQ(description.zeroIsMissing, c.zeroIsMissing) << row;
    }
}

TEST(RecordTabulist, NamesColumnsByOrderPhaseAndStatistic)
{
    struct Case {
        const char* name;
        ExportKey key;
        int staticsType, mode;
        const wchar_t* column;
    };
    const Case cases[] = {
        {"phase and statistic", Item(1, 0, 0), 0, 0, L"L1_MAX"},
        {"N and the 95 % value", Item(1, 3, 3), 0, 0, L"LN_CP95"},
        {"no phase, no statistic", Item(1, 4, 4), 0, 0, L""},
        {"harmonic: order plus 1", Item(2000, 1, 2, 2), 3, kHarmonicTrendMode, L"3_L2_AVG"},
        {"harmonic order 3", Item(2000, 0, 2, 3), 3, kHarmonicTrendMode, L"4_L1_AVG"},
        {"interharmonic: the order itself", Item(3000, 0, 2, 3), 2, kHarmonicTrendMode, L"3_L1_AVG"},
        {"current interharmonic", Item(8000, 2, 1, 0), 2, kHarmonicTrendMode, L"0_L3_MIN"},
        {"mode 0: no prefix", Item(2000, 0, 2, 3), 3, 0, L"L1_AVG"},
        {"mode 0: no prefix for interharmonics", Item(3000, 0, 2, 3), 3, 0, L"L1_AVG"},
        {"statistic kind 0: no prefix", Item(2000, 0, 2, 3), 0, kHarmonicTrendMode, L"L1_AVG"},
        {"no order: no prefix", Item(2000, 0, 2, -1), 3, kHarmonicTrendMode, L"L1_AVG"},
        {"voltage DC", Item(25, 0, 0, 3), 3, kHarmonicTrendMode, L"L1_MAX"},
        {"current DC", Item(6001, 0, 0, 3), 3, kHarmonicTrendMode, L"L1_MAX"},
        {"power DC", Item(11001, 0, 0, 3), 3, kHarmonicTrendMode, L"L1_MAX"},
        {"largest order", Item(2000, 0, 2, 2147483647), 3, kHarmonicTrendMode, L"2147483648_L1_AVG"},
    };
    for (const Case& c : cases) {
        CRecordTabulist exporter;
        exporter.SetMode(c.mode);
        EXPECT_EQ(exporter.ColumnName(c.key, c.staticsType), c.column) << c.name;
    }
}

// Items of types 1, 1, 1, 8, 8: one file for the voltage and one for the current,
// one row a minute, times to the millisecond.
TEST(RecordTabulist, WritesOneFilePerItemType)
{
    testsupport::TempDir dir;
    SourceBuilder builder = Records();
    for (int phase = 0; phase < 3; ++phase) {
        builder.Add(Item(1, phase, 2), Ramp(3, 230.0 + phase));
    }
    for (int phase = 0; phase < 2; ++phase) {
        builder.Add(Item(8, phase, 2), Ramp(3, 5.25 + phase));
    }
    CRecordTabulist exporter;
    exporter.SetMode(0);
    ASSERT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kExported);
    EXPECT_EQ(exporter.GetCount(), 2);
    const auto files = CsvFiles(dir.Path());
    ASSERT_EQ(files.size(), 2u);
    const CsvRows voltage = ReadCsv(CsvFile(dir.Path(), L"电压有效值_"));
    const CsvRows current = ReadCsv(CsvFile(dir.Path(), L"电流有效值_"));

    const std::vector<std::vector<std::wstring>> expectedVoltage = {
        {L"电压有效值( 单位:V)"},
        {L"日期(年-月-日 时:分:秒.毫秒)", L"L1_AVG", L"L2_AVG", L"L3_AVG"},
        {TimeCell(2026, 3, 1, 0, 0, 0, 0), Cell(230.0), Cell(231.0), Cell(232.0)},
        {TimeCell(2026, 3, 1, 0, 1, 0, 0), Cell(231.0), Cell(232.0), Cell(233.0)},
        {TimeCell(2026, 3, 1, 0, 2, 0, 0), Cell(232.0), Cell(233.0), Cell(234.0)},
    };
    EXPECT_EQ(voltage, expectedVoltage);
    ASSERT_EQ(current.size(), 5u);
    EXPECT_EQ(current[0], (std::vector<std::wstring>{L"电流有效值( 单位:A)"}));
    EXPECT_EQ(current[1], (std::vector<std::wstring>{L"日期(年-月-日 时:分:秒.毫秒)", L"L1_AVG", L"L2_AVG"}));
    EXPECT_EQ(current[4], (std::vector<std::wstring>{TimeCell(2026, 3, 1, 0, 2, 0, 0), Cell(7.25), Cell(8.25)}));
}

// A flicker value of 0.0 is "not measured": an empty cell, the row stays. Other
// items write their zeros; the readers' no-value samples are empty cells too.
TEST(RecordTabulist, WritesMissingFlickerAsEmptyCell)
{
    testsupport::TempDir dir;
    SourceBuilder builder = Records();
    builder.Add(Item(13000, 0, 4), {0.5, 0.0, 0.75});
    builder.Add(Item(13000, 1, 4), {0.25, 0.5, 0.0});
    builder.Add(Item(13003, 0, 4), {0.0, 1.0, 0.0});
    builder.Add(Item(13003, 1, 4), {kNoValue, 2.0, kNoValue});
    CRecordTabulist exporter;
    ASSERT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kExported);
    ASSERT_EQ(CsvFiles(dir.Path()).size(), 2u);
    const CsvRows flicker = ReadCsv(CsvFile(dir.Path(), L"短闪变Pst_"));
    const CsvRows fluctuation = ReadCsv(CsvFile(dir.Path(), L"波动Dc_"));
    ASSERT_EQ(flicker.size(), 5u) << "every record keeps its row";
    EXPECT_EQ(flicker[0][0], L"短闪变Pst( 单位:无)");
    EXPECT_EQ(flicker[1], (std::vector<std::wstring>{L"日期(年-月-日 时:分:秒.毫秒)", L"L1_", L"L2_"}));
    EXPECT_EQ(flicker[2], (std::vector<std::wstring>{TimeCell(2026, 3, 1, 0, 0, 0, 0), Cell(0.5), Cell(0.25)}));
    EXPECT_EQ(flicker[3], (std::vector<std::wstring>{TimeCell(2026, 3, 1, 0, 1, 0, 0), L"-", Cell(0.5)}));
    EXPECT_EQ(flicker[4], (std::vector<std::wstring>{TimeCell(2026, 3, 1, 0, 2, 0, 0), Cell(0.75), L"-"}));
    ASSERT_EQ(fluctuation.size(), 5u);
    EXPECT_EQ(fluctuation[2], (std::vector<std::wstring>{fluctuation[2][0], Cell(0.0), L"-"}));
    EXPECT_EQ(fluctuation[3], (std::vector<std::wstring>{fluctuation[3][0], Cell(1.0), Cell(2.0)}));
    EXPECT_EQ(fluctuation[4], (std::vector<std::wstring>{fluctuation[4][0], Cell(0.0), L"-"}));
}

TEST(RecordTabulist, HasNothingToExportWithoutSamples)
{
    struct Case {
        const char* name;
        std::vector<std::vector<double>> items;
    };
    const Case cases[] = {
        {"no supplier", {}},
        {"an empty first supplier", {{}, {1.0}}},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        SourceBuilder builder = Records();
        int phase = 0;
        for (const auto& values : c.items) {
            builder.Add(Item(1, phase++, 2), values);
        }
        CRecordTabulist exporter;
        EXPECT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kNothingToExport) << c.name;
        EXPECT_EQ(exporter.GetCount(), 0) << c.name;
        EXPECT_TRUE(CsvFiles(dir.Path()).empty()) << c.name;
    }
}

// Two items of one type with the same phase, statistic and order give equal column
// names: the table is refused and the export ends there as a failure.
TEST(RecordTabulist, StopsAtAGroupWithEqualColumns)
{
    testsupport::TempDir dir;
    SourceBuilder builder = Records();
    builder.Add(Item(1, 0, 2), Ramp(2)).Add(Item(8, 0, 2), Ramp(2)).Add(Item(8, 0, 2), Ramp(2));
    builder.Add(Item(15, 0, 2), Ramp(2));
    CRecordTabulist exporter;
    EXPECT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kFailed);
    EXPECT_EQ(exporter.GetCount(), 1);
    const auto files = CsvFiles(dir.Path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(Wide(files[0].filename()).rfind(L"电压有效值_", 0), 0u);
}

}  // namespace

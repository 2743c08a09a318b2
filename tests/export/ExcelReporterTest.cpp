// The spreadsheet report of a generated statistic folder, in both languages, read
// back from the written file: every sheet filler's cells hold the values of the
// generated series, the cells without data keep the template's content.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <variant>

#include "ExcelReportSupport.h"
#include "ExportTestSupport.h"
#include "export/ExcelReporter.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Hourglaze.h"
#include "platform/base/LocalTime.h"
#include "report/LevelLimitTable.h"
#include "report/ReportConfig.h"
#include "report/RtfReportText.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalModel.h"
#include "tests/support/TempDir.h"
#include "tools/gen/StatisticFolder.h"
#include "tools/gen/StatisticValues.h"

namespace {

using namespace exporttest;

constexpr std::uint32_t kRecords = 30;
const std::vector<std::uint64_t> kNoValueRecords = {5, 17};

// The statistic items of the report's requests: voltage RMS, frequency, powers,
// voltage THD, the harmonic families of orders 1 to 25, flicker and unbalance.
std::vector<std::uint32_t> ReportItems()
{
    std::vector<std::uint32_t> items = {1, 7, 14, 15, 16, 17, 23};
    for (const std::uint32_t first : {25u, 160u, 212u, 347u}) {
        for (std::uint32_t order = 0; order < 25; ++order) {
            items.push_back(first + order);
        }
    }
    items.insert(items.end(), {449, 450, 461});
    return items;
}

// A generated folder of plausible measurements, opened through the statistic model as the main frame opens it.
struct GeneratedData {
    testsupport::TempDir dir;
    std::filesystem::path folder = dir / "K7700_0301";
    gen::StatisticFolderOptions options;
    CGlobalModel model;

    explicit GeneratedData(std::vector<std::uint32_t> items = ReportItems())
    {
        options.items = std::move(items);
        options.records = kRecords;
        options.realisticValues = true;
        options.noValueRecords = kNoValueRecords;
        EXPECT_TRUE(gen::WriteStatisticFolder(folder, options));
        const std::int64_t end = *platform::FromLocalTime(2026, 3, 1, 0, 30, 0);
        std::array<std::uint32_t, 14> query = {0, 0, kRecords, 0, kRecords, 0, 0, 0, 0, 0,
                                               static_cast<std::uint32_t>(end),
                                               static_cast<std::uint32_t>(static_cast<std::uint64_t>(end) >> 32), 0, 0};
        CCtrlItem request{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 100,
                          platform::FromPath(folder)};
        model.OpenData(&request);
    }

    // One block type of one float of an item over the records that carry a value.
    std::vector<float> Series(std::uint32_t item, std::uint32_t offset, std::uint32_t blockType) const
    {
        const gen::ValueSource source(options.items, options.timePlot, true);
        std::vector<float> values;
        for (std::uint64_t r = 0; r < kRecords; ++r) {
            if (std::find(kNoValueRecords.begin(), kNoValueRecords.end(), r) == kNoValueRecords.end()) {
                values.push_back(source.At(r, blockType, gen::FloatIndexOf(options.items, item) + offset));
            }
        }
        return values;
    }
};

float Mean(const std::vector<float>& values)
{
    double sum = 0.0;
    for (const float v : values) {
        sum += v;
    }
    return values.empty() ? 0.0f : static_cast<float>(sum / static_cast<double>(values.size()));
}

float Rank95(std::vector<float> values)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(static_cast<float>(values.size()) * 0.95f + 0.5f) - 1];
}

// What a report row of one float slot must show.
struct Expected {
    float maximum, average, minimum, cp95;
    std::uint32_t count;
    std::vector<float> maxima, minima, averages;

    Expected(const GeneratedData& data, std::uint32_t item, std::uint32_t offset)
        : maxima(data.Series(item, offset, 0)), minima(data.Series(item, offset, 1)), averages(data.Series(item, offset, 2))
    {
        maximum = *std::max_element(maxima.begin(), maxima.end());
        minimum = *std::min_element(minima.begin(), minima.end());
        average = Mean(averages);
        cp95 = Rank95(averages);
        count = static_cast<std::uint32_t>(maxima.size());
    }
};

float PassRate(std::uint32_t count, std::uint32_t over)
{
    return static_cast<float>(static_cast<double>(count - over) * 100.0 / count);
}

struct LanguageCase {
    const char* name;
    int languageId;
    int levelCode;
    std::wstring pass, fail;
};

// The generated data with the record and the configuration the wizard hands over.
struct ReportInputs {
    GeneratedData data;
    CReportConfig config;
    BasicInfo record;

    explicit ReportInputs(std::vector<std::uint32_t> items = ReportItems()) : data(std::move(items))
    {
        EXPECT_EQ(data.model.QueryBasicInfo(&record), 1);
        record.voltageText = L"220";  // the nominal phase voltage the wizard shows
        CReportBasicInfo info;
        info.placeText = L"城南变电站";
        info.operatorText = L"10kV母线";
        info.departmentText = L"正常运行";
        info.agreedCapacityText = L"10";
        info.supplyCapacityText = L"20";
        config.SetBasicInfo(info);
    }

    int Init(CExcelReporter& reporter, int levelCode)
    {
        return reporter.Init(platform::FromPath(data.folder), levelCode, &record, &config, &data.model, &data.model,
                             &data.model, 0);
    }
};

// Runs the report of the generated data; the workbook read back.
struct WrittenReport : ReportInputs {
    CExcelReporter reporter;
    testsupport::TempDir output;
    std::optional<XlsxBook> book;

    explicit WrittenReport(int levelCode, std::vector<std::uint32_t> items = ReportItems())
        : ReportInputs(std::move(items))
    {
        EXPECT_EQ(Init(reporter, levelCode), 1);
        platform::HeadlessHourglaze().Reset();
        UpdateHourglaze(10.0);
        EXPECT_EQ(reporter.CheckReady(), 1) << platform::WideToUtf8(reporter.GetReportName());
        EXPECT_EQ(reporter.ReportOutput(platform::FromPath(output / "报表"), 60), 1)
            << platform::WideToUtf8(reporter.GetReportName());
        if (!reporter.GetOutputFile().empty()) {
            book = ReadXlsx(platform::ToPath(reporter.GetOutputFile()));
        }
    }
};

void CheckHeaders(const WrittenReport& report, const XlsxBook& book)
{
    struct Block {
        std::size_t sheet;
        const char* column;
        const char* infoCell;
    };
    const CExcelReporter& r = report.reporter;
    for (const Block& b : {Block{0, "J", "P6"}, Block{1, "J", "P6"}, Block{2, "I", "M6"}, Block{3, "I", "N6"}}) {
        const XlsxSheet& s = book.sheets[b.sheet];
        const std::string column = b.column;
        ExpectTypedCell(s, "C4", L"城南变电站", "place");
        ExpectTypedCell(s, column + "4", r.GetPeriodLabel(), "period");
        ExpectTypedCell(s, "C5", L"10kV母线", "line");
        ExpectTypedCell(s, "C6", r.GetLevelName(), "voltage level");
        ExpectTypedCell(s, column + "6", r.GetInfoText1(), "PT ratio");
        ExpectTypedCell(s, b.infoCell, r.GetInfoText2(), "CT ratio");
        ExpectTypedCell(s, "C7", std::to_wstring(static_cast<int>(r.GetBaseCapacity())) + L"MVA", "base capacity");
        ExpectTypedCell(s, column + "7", L"100MVA", "site capacity");
        ExpectTypedCell(s, "C8", L"10MVA", "agreed capacity");
        ExpectTypedCell(s, column + "8", L"20MVA", "supply capacity");
        ExpectTypedCell(s, "C9", L"正常运行", "condition");
    }
    EXPECT_EQ(book.sheets[0].At("C4"), XlsxValue(std::wstring(L"城南变电站")));
    EXPECT_EQ(book.sheets[0].At("J4"), XlsxValue(std::wstring(L"2026/03/01 00:00:00 - 2026/03/01 00:30:00")));
}

void CheckQualityGrid(const WrittenReport& report, const XlsxSheet& s, const LanguageCase& c)
{
    const Expected frequency(report.data, 7, 0);
    ExpectFloatCell(s, "C12", frequency.maximum, "frequency maximum");
    ExpectFloatCell(s, "E12", frequency.average, "frequency average");
    ExpectFloatCell(s, "G12", frequency.minimum, "frequency minimum");
    ExpectFloatCell(s, "I12", frequency.cp95, "frequency 95 %");
    ExpectTypedCell(s, "K12", L"49.8-50.2", "frequency limit");
    ExpectTypedCell(s, "M12", frequency.cp95 >= 49.8f && frequency.cp95 <= 50.2f ? c.pass : c.fail, "frequency verdict");

    const Expected unbalance(report.data, 461, 0);
    ExpectFloatCell(s, "C13", unbalance.maximum, "unbalance maximum");
    ExpectFloatCell(s, "I13", unbalance.cp95, "unbalance 95 %");
    ExpectTypedCell(s, "K13", L"2.0/4.0", "unbalance limit");
    ExpectTypedCell(s, "M13", unbalance.cp95 <= 2.0f && unbalance.maximum <= 4.0f ? c.pass : c.fail, "unbalance verdict");

    for (int kind = 0; kind < 2; ++kind) {
        // GB/T 12326-2008: long-term flicker Plt 1 up to 110 kV, 0.8 above; Pst alike.
        const float limit = c.levelCode == 7 ? 0.8f : 1.0f;
        for (std::uint32_t phase = 0; phase < 3; ++phase) {
            // Flicker has one value per interval: the MAX block's.
            const std::vector<float> values = report.data.Series(kind == 0 ? 449 : 450, phase, 0);
            const int row = 14 + 3 * kind + static_cast<int>(phase);
            const std::string what = (kind == 0 ? "Pst " : "Plt ") + std::to_string(phase);
            ExpectFloatCell(s, Ref("C", row), *std::max_element(values.begin(), values.end()), what);
            ExpectFloatCell(s, Ref("E", row), Mean(values), what);
            ExpectFloatCell(s, Ref("G", row), *std::min_element(values.begin(), values.end()), what);
            ExpectFloatCell(s, Ref("I", row), Rank95(values), what);
            ExpectFloatCell(s, Ref("K", row), limit, what);
            ExpectTypedCell(s, Ref("M", row), Rank95(values) <= limit ? c.pass : c.fail, what);
        }
    }
}

void CheckHarmonicRows(const WrittenReport& report, const XlsxBook& book, const LanguageCase& c)
{
    CLevelLimitTable limits;
    limits.SelectRow(static_cast<std::uint32_t>(c.levelCode - 1));
    const char* main[3][5] = {{"C", "D", "E", "F", "G"}, {"H", "I", "J", "K", "L"}, {"M", "N", "O", "P", "Q"}};
    const char* voltagePass[3][2] = {{"C", "D"}, {"E", "F"}, {"G", "H"}};
    const char* currentPass[3][2] = {{"K", "L"}, {"M", "N"}, {"O", "P"}};
    for (int order = 2; order <= 25; ++order) {
        const int row = order + 12;
        for (const bool voltage : {true, false}) {
            const XlsxSheet& sheet = book.sheets[voltage ? 0 : 1];
            const float limit = voltage ? limits.GetHarmVoltage(order) : *report.reporter.GetHarmCurrentLimit(order);
            for (std::uint32_t phase = 0; phase < 3; ++phase) {
                // The voltage harmonics as content ratio (the item's second kind), the currents as effective values.
                const std::uint32_t item = (voltage ? 160u : 347u) + static_cast<std::uint32_t>(order - 1);
                const Expected e(report.data, item, voltage ? 4 + phase : phase);
                const std::string what =
                    std::string(voltage ? "voltage" : "current") + " order " + std::to_string(order) +
                    " phase " + std::to_string(phase);
                ExpectFloatCell(sheet, Ref(main[phase][0], row), e.maximum, what);
                ExpectFloatCell(sheet, Ref(main[phase][1], row), e.average, what);
                ExpectFloatCell(sheet, Ref(main[phase][2], row), e.minimum, what);
                ExpectFloatCell(sheet, Ref(main[phase][3], row), e.cp95, what);
                ExpectTypedCell(sheet, Ref(main[phase][4], row), e.cp95 <= limit ? c.pass : c.fail, what);
                const auto over = static_cast<std::uint32_t>(
                    std::count_if(e.averages.begin(), e.averages.end(), [limit](float v) { return v > limit; }));
                const char* const* pass = voltage ? voltagePass[phase] : currentPass[phase];
                ExpectCountCell(book.sheets[3], Ref(pass[0], row), e.count, what);
                ExpectFloatCell(book.sheets[3], Ref(pass[1], row), PassRate(e.count, over), what);
            }
        }
    }
}

void CheckStatisticTables(const WrittenReport& report, const XlsxBook& book, const LanguageCase& c)
{
    const char* columns[3][5] = {{"C", "D", "E", "F", "G"}, {"H", "I", "J", "K", "L"}, {"M", "N", "O", "P", "Q"}};
    const char* voltageCounts[3] = {"C13", "E13", "G13"};
    const char* currentCounts[3] = {"K13", "M13", "O13"};
    const char* thdPass[3][2] = {{"C40", "E40"}, {"G40", "J40"}, {"M40", "O40"}};
    const float thdLimit = c.levelCode == 7 ? 2.0f : 5.0f;
    const float nominal = 220.0f;
    for (std::uint32_t phase = 0; phase < 3; ++phase) {
        const std::string name = " phase " + std::to_string(phase);
        for (const bool voltage : {true, false}) {
            const Expected e(report.data, voltage ? 25 : 212, phase);
            const XlsxSheet& sheet = book.sheets[voltage ? 0 : 1];
            const std::string what = (voltage ? "fundamental voltage" : "fundamental current") + name;
            ExpectFloatCell(sheet, Ref(columns[phase][0], 13), e.maximum, what);
            ExpectFloatCell(sheet, Ref(columns[phase][1], 13), e.average, what);
            ExpectFloatCell(sheet, Ref(columns[phase][2], 13), e.minimum, what);
            ExpectFloatCell(sheet, Ref(columns[phase][3], 13), e.cp95, what);
            ExpectCountCell(book.sheets[3], voltage ? voltageCounts[phase] : currentCounts[phase], e.count, what);
        }

        const Expected thd(report.data, 23, phase);
        std::uint32_t over = 0;
        for (std::size_t i = 0; i < thd.maxima.size(); ++i) {
            over += thd.maxima[i] > thdLimit || thd.minima[i] > thdLimit ? 1 : 0;
        }
        const XlsxSheet& voltageSheet = book.sheets[0];
        ExpectFloatCell(voltageSheet, Ref(columns[phase][0], 38), thd.maximum, "THD" + name);
        ExpectFloatCell(voltageSheet, Ref(columns[phase][1], 38), thd.average, "THD" + name);
        ExpectFloatCell(voltageSheet, Ref(columns[phase][2], 38), thd.minimum, "THD" + name);
        ExpectFloatCell(voltageSheet, Ref(columns[phase][3], 38), thd.cp95, "THD" + name);
        ExpectTypedCell(voltageSheet, Ref(columns[phase][4], 38), thd.cp95 <= thdLimit ? c.pass : c.fail, "THD" + name);
        ExpectCountCell(book.sheets[3], thdPass[phase][0], thd.count, "THD" + name);
        ExpectFloatCell(book.sheets[3], thdPass[phase][1], PassRate(thd.count, over), "THD" + name);

        const Expected voltage(report.data, 1, phase);
        const int row = 20 + static_cast<int>(phase);
        auto percent = [nominal](float v) { return (v - nominal) / nominal * 100.0f; };
        ExpectFloatCell(book.sheets[2], Ref("C", row), percent(voltage.maximum), "deviation" + name);
        ExpectFloatCell(book.sheets[2], Ref("E", row), percent(voltage.average), "deviation" + name);
        ExpectFloatCell(book.sheets[2], Ref("G", row), percent(voltage.minimum), "deviation" + name);
        ExpectTypedCell(book.sheets[2], Ref("K", row), c.levelCode == 7 ? L"10" : L"+7/-7", "deviation" + name);
    }
    ExpectFloatCell(book.sheets[0], "R38", thdLimit, "THD limit");
}

void CheckPowerRows(const WrittenReport& report, const XlsxSheet& s)
{
    // Active, reactive, apparent power, power factor (items 14, 16, 15, 17), each phases A to C and the total.
    int row = 23;
    for (const std::uint32_t item : {14u, 16u, 15u, 17u}) {
        for (std::uint32_t channel = 0; channel < 4; ++channel, ++row) {
            const Expected e(report.data, item, channel);
            const std::string what = "item " + std::to_string(item) + " channel " + std::to_string(channel);
            ExpectFloatCell(s, Ref("C", row), e.maximum, what);
            ExpectFloatCell(s, Ref("E", row), e.average, what);
            ExpectFloatCell(s, Ref("G", row), e.minimum, what);
            ExpectFloatCell(s, Ref("I", row), e.cp95, what);
        }
    }
}

TEST(ExcelReporter, GeneratedDataInBothLanguages)
{
    const LanguageCase cases[] = {
        {"Chinese, 0.38 kV", 0, 1, L"合格", L"不合格"},
        {"English, 220 kV", 1, 7, L"Pass", L"Fail"},
    };
    for (const LanguageCase& c : cases) {
        SCOPED_TRACE(c.name);
        LanguageScope language(c.languageId);
        WrittenReport report(c.levelCode);
        ASSERT_TRUE(report.book);
        const XlsxBook& book = *report.book;
        const std::filesystem::path file = platform::ToPath(report.reporter.GetOutputFile());
        EXPECT_EQ(file.parent_path(), report.output / "报表") << "the folder is made";
        const std::string name = platform::PathToUtf8(file.filename());
        EXPECT_EQ(name.rfind("K7700_0301_", 0), 0u) << name;
        EXPECT_EQ(name.size(), std::string("K7700_0301_00-00-00.xlsx").size()) << name;
        EXPECT_EQ(name.substr(name.size() - 5), ".xlsx");
        ASSERT_EQ(book.sheets.size(), 6u);
        for (const XlsxSheet& sheet : book.sheets) {
            EXPECT_FALSE(sheet.hasFormula) << platform::WideToUtf8(sheet.name);
        }

        CheckHeaders(report, book);
        CheckQualityGrid(report, book.sheets[2], c);
        CheckHarmonicRows(report, book, c);
        CheckStatisticTables(report, book, c);
        CheckPowerRows(report, book.sheets[2]);

        // Cells no filler writes keep the template's content.
        ExpectPlaceholder(book.sheets[0], "G13", "fundamental verdict");
        ExpectPlaceholder(book.sheets[0], "R14", "harmonic limit column");
        ExpectPlaceholder(book.sheets[2], "I20", "deviation 95 %");
        ExpectPlaceholder(book.sheets[2], "M22", "deviation verdict");
        ExpectPlaceholder(book.sheets[2], "K23", "power limit");
        ExpectPlaceholder(book.sheets[2], "M38", "power factor verdict");
        ExpectPlaceholder(book.sheets[3], "D13", "fundamental pass rate");
        EXPECT_EQ(book.sheets[0].At("B4"), XlsxValue(std::wstring(c.languageId == 0 ? L"监测位置" : L"Location")));
        EXPECT_EQ(book.sheets[4].At("A5"), XlsxValue(std::wstring(L"0.38kV")));

        // Both reports name the fundamental rows alike, and as what they hold.
        const CRtfReportText& texts = CRtfReportText::Instance();
        EXPECT_EQ(book.sheets[0].At("B13"), XlsxValue(texts.Text(RtfSection::ZvParam, "BaseVolt")));
        EXPECT_EQ(book.sheets[1].At("B13"), XlsxValue(texts.Text(RtfSection::ZvParam, "BaseCurr")));
        // The pass rates say which value of an interval they judge: the harmonics'
        // its average, the THD's its maximum.
        const auto mentions = [&book](const char* ref, const wchar_t* word) {
            const XlsxValue cell = book.sheets[3].At(ref);
            const auto* text = std::get_if<std::wstring>(&cell);
            return text != nullptr && text->find(word) != std::wstring::npos;
        };
        EXPECT_TRUE(mentions("B38", c.languageId == 0 ? L"平均值" : L"average")) << Describe(book.sheets[3].At("B38"));
        EXPECT_TRUE(mentions("B41", c.languageId == 0 ? L"最大值" : L"maximum")) << Describe(book.sheets[3].At("B41"));
        EXPECT_EQ(book.sheets[0].At("B10"), XlsxValue()) << "no note: the subgroups were recorded";

        // The busy indicator moves through the report's share from where the reading
        // of the statistic data left it (the reader marks 40 %).
        const std::vector<double> positions = platform::HeadlessHourglaze().Get().positions;
        const auto read = std::find(positions.begin(), positions.end(), 40.0);
        ASSERT_TRUE(read != positions.end() && read + 1 != positions.end());
        EXPECT_NEAR(*(read + 1), 40.0 + 0.6 * 3, 1e-4) << "after the first header block";
        EXPECT_TRUE(std::any_of(read, positions.end(), [](double p) { return std::abs(p - (40.0 + 0.6 * 61)) < 1e-4; }))
            << "after the harmonic order 25";
        EXPECT_NEAR(positions.back(), 100.0, 1e-4);
    }
}

// A recording of harmonics without subgroups: the harmonic rows are the harmonics'
// statistics, and each sheet says so above its table.
TEST(ExcelReporter, HarmonicsWithoutSubgroups)
{
    std::vector<std::uint32_t> items = ReportItems();
    std::erase_if(items, [](std::uint32_t id) { return (id >= 160 && id < 185) || (id >= 347 && id < 372); });
    WrittenReport report(3, items);
    ASSERT_TRUE(report.book);
    const XlsxBook& book = *report.book;
    const CRtfReportText& texts = CRtfReportText::Instance();
    ExpectTypedCell(book.sheets[0], "B10", texts.Text(RtfSection::VHarm, "FromHarmonics"), "voltage note");
    ExpectTypedCell(book.sheets[1], "B10", texts.Text(RtfSection::AHarm, "FromHarmonics"), "current note");
    ExpectTypedCell(book.sheets[3], "B10", texts.Text(RtfSection::VHarm, "FromHarmonics"), "pass-rate note");
    for (const int order : {2, 3, 25}) {
        // The voltage harmonics as content ratio (the item's second kind), the currents as effective values.
        const Expected voltage(report.data, 25 + static_cast<std::uint32_t>(order - 1), 4);
        const Expected current(report.data, 212 + static_cast<std::uint32_t>(order - 1), 0);
        const std::string what = "order " + std::to_string(order);
        ExpectFloatCell(book.sheets[0], Ref("D", order + 12), voltage.average, "voltage " + what);
        ExpectFloatCell(book.sheets[0], Ref("F", order + 12), voltage.cp95, "voltage " + what);
        ExpectFloatCell(book.sheets[1], Ref("C", order + 12), current.maximum, "current " + what);
        ExpectCountCell(book.sheets[3], Ref("C", order + 12), voltage.count, "voltage count " + what);
    }
}

// A report of data it may not read (no record requested) writes the header blocks
// and the THD limit; every value cell keeps the template's content.
TEST(ExcelReporter, NothingRequestedWritesOnlyWhatNeedsNoData)
{
    ReportInputs inputs;
    inputs.record.recordCount = 0;
    // Capacities nobody entered show the placeholder, not a bare unit.
    inputs.record.mvaText.clear();
    CReportBasicInfo info = inputs.config.GetBasicInfo();
    info.agreedCapacityText.clear();
    info.supplyCapacityText.clear();
    inputs.config.SetBasicInfo(info);
    CExcelReporter empty;
    ASSERT_EQ(inputs.Init(empty, 3), 1);
    ASSERT_EQ(empty.CheckReady(), 1);
    testsupport::TempDir output;
    ASSERT_EQ(empty.ReportOutput(platform::FromPath(output.Path()), 60), 1);
    const auto book = ReadXlsx(platform::ToPath(empty.GetOutputFile()));
    ASSERT_TRUE(book);
    ExpectTypedCell(book->sheets[0], "C4", L"城南变电站", "place");
    for (const char* ref : {"J7", "C8", "J8"}) {
        ExpectPlaceholder(book->sheets[0], ref, "empty capacity");
    }
    ExpectFloatCell(book->sheets[0], "R38", 4.0f, "THD limit of 10 kV");
    for (const char* ref : {"C13", "C14", "Q37", "C38", "G38"}) {
        ExpectPlaceholder(book->sheets[0], ref, "voltage sheet");
    }
    for (const char* ref : {"C12", "M13", "C14", "K19", "C20", "C23", "I38"}) {
        ExpectPlaceholder(book->sheets[2], ref, "quality sheet");
    }
    for (const char* ref : {"C13", "C14", "P37", "C40", "O40"}) {
        ExpectPlaceholder(book->sheets[3], ref, "pass-rate sheet");
    }
}

// LibreOffice opens the written workbook: the first sheet converted to text holds
// the values as the template's formats show them.
TEST(ExcelReporter, OpensInLibreOffice)
{
    if (std::system("command -v soffice > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "LibreOffice is not installed";
    }
    WrittenReport report(1);
    ASSERT_TRUE(report.book);
    testsupport::TempDir work;
    const std::string command = "cd '" + platform::PathToUtf8(work.Path()) +
                                "' && soffice -env:UserInstallation=file://" + platform::PathToUtf8(work / "profile") +
                                " --headless --convert-to csv --outdir out '" +
                                platform::WideToUtf8(report.reporter.GetOutputFile()) + "' > convert.log 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << testsupport::ReadAll(work / "convert.log");
    const std::string stem = platform::PathToUtf8(platform::ToPath(report.reporter.GetOutputFile()).stem());
    const std::string csv = testsupport::ReadAll(work / "out" / (stem + ".csv"));
    const Expected fundamental(report.data, 25, 0);
    char shown[64];
    std::snprintf(shown, sizeof shown, "%.3f", static_cast<double>(fundamental.maximum));
    EXPECT_NE(csv.find("2026/03/01 00:00:00 - 2026/03/01 00:30:00"), std::string::npos) << csv;
    EXPECT_NE(csv.find(shown), std::string::npos) << shown << " in " << csv;
}

}  // namespace

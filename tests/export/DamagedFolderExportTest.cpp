// Exports and the spreadsheet report of damaged recordings, opened the way the
// program opens them (the data selection of the whole record or a part of it, then
// the statistic model): block files cut short inside a record, and a block folder
// missing in the middle of a day. Every surviving sample stands at its true time,
// the records lost are rows without value, and the period stated is the one loaded.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>

#include "ExcelReportSupport.h"
#include "ExportTestSupport.h"
#include "export/ExcelReporter.h"
#include "export/RecordTabulist.h"
#include "lib/convert/DataTransform.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "report/ReportConfig.h"
#include "terminal/ConvertedFolder.h"
#include "terminal/CtrlItem.h"
#include "terminal/DataSelection.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/GlobalModel.h"
#include "terminal/RecordDataManager.h"
#include "tests/support/TempDir.h"
#include "tools/gen/StatisticFolder.h"
#include "tools/gen/StatisticValues.h"

namespace {

using namespace exporttest;
namespace fs = std::filesystem;

constexpr std::uint64_t kPerFile = 20;
constexpr std::uint64_t kCutRecords = 80;
// Whether the cut files still hold all four bytes of a float: of the record cut in
// two, the blocks before the cut keep their values at the record's time.
bool Held(const std::vector<std::uint32_t>& items, std::uint64_t record, std::uint32_t blockType,
          std::uint32_t floatIndex)
{
    if (record >= 2 * kPerFile) {
        return true;
    }
    const std::uint64_t blockSize = gen::BlockSizeOf(items);
    const std::uint64_t fileSize = kPerFile * 3 * blockSize * 2 / 3;
    return (record % kPerFile) * 3 * blockSize + blockType * blockSize + floatIndex * 4 + 4 <= fileSize;
}

// A recording of 80 one-minute records from 2026-03-01 00:00, 20 a block file,
// whose first two block files are cut to two thirds of their size: 13 whole records
// and the maximum block of the fourteenth remain of each.
gen::StatisticFolderOptions TruncatedOptions(const wchar_t* device)
{
    gen::StatisticFolderOptions options;
    options.deviceType = device;
    options.records = kCutRecords;
    options.blockCountPerFile = kPerFile;
    options.realisticValues = true;
    options.end = gen::DateTime{2026, 3, 1, 1, 20, 0, 0};
    return options;
}

void CutToTwoThirds(const fs::path& folder)
{
    for (const char* name : {"statistic1.data", "statistic2.data"}) {
        const fs::path file = folder / "Statistic" / "001" / name;
        fs::resize_file(file, fs::file_size(file) * 2 / 3);
    }
}

// A day of 1440 one-minute records, 300 a block folder, whose folder 003 is missing:
// the 600 records of 001 and 002 are what is read.
gen::StatisticFolderOptions GappedOptions()
{
    gen::StatisticFolderOptions options;
    options.deviceType = L"K7900";
    options.records = 1440;
    options.blockCountPerFile = 100;
    options.filesPerFolder = 3;
    options.gapAfterFolder = 2;
    options.realisticValues = true;
    options.end = gen::DateTime{2026, 3, 2, 0, 0, 0, 0};
    return options;
}

// The folder opened as the program opens it: its kind read, a folder of a kind that
// is converted converted, the data selection of [from, to) of the record handed to
// the statistic model.
struct OpenedFolder {
    OpenedFolder(const fs::path& path, double from, double to) : folder(path)
    {
        const std::wstring text = platform::FromPath(folder);
        CGlobalDataConfig& config = GlobalDataConfig::get_mutable_instance();
        EXPECT_TRUE(config.ReadDeviceType(text));
        config.SetItemFolder(std::wstring(), std::wstring());
        if (config.GetKind() != CGlobalDataConfig::K7900) {
            fs::path used;
            const fs::path target = platform::ResolveNoCase(folder, config.GetStatisticPath(false));
            EXPECT_EQ(converted::ConvertInto(folder, target, [] { return GetTransInstance(); }, nullptr, used),
                      kConvertOk);
        }
        CDataSelection data;
        EXPECT_EQ(data.Read(text), CDataSelection::Description::Usable);
        data.SetPresentBlocks(CGlobalModel::CountRecords(text));
        data.FindGaps(text);
        selection = data.GetSelection(from, to);
        CCtrlItem open{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(&selection), 100, text};
        model.OpenData(&open);
        EXPECT_EQ(model.QueryBasicInfo(&record), 1);
    }
    ~OpenedFolder() { GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::Unknown); }

    fs::path folder;
    DataSelectInfo selection;
    CGlobalModel model;
    BasicInfo record;
};

// The table export of the voltage RMS (average of L1, maximum of L2) and the
// frequency's maximum: one row a minute from the start, the rows of the records lost
// without value, every other row the generator's value of its own record.
TEST(DamagedFolderExport, TrendTableKeepsEverySampleAtItsTime)
{
    struct Case {
        const char* name;
        const wchar_t* device;
    };
    for (const Case& c : {Case{"block files read", L"K7900"}, Case{"converted item files", L"K7700"}}) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        const fs::path folder = dir / "cut";
        const gen::StatisticFolderOptions options = TruncatedOptions(c.device);
        ASSERT_TRUE(gen::WriteStatisticFolder(folder, options));
        CutToTwoThirds(folder);
        OpenedFolder opened(folder, 0.0, 1.0);
        ASSERT_EQ(opened.selection.BlockNum, kCutRecords);

        struct Series {
            int view, phase, blockType;
            std::uint32_t item, offset;
        };
        const Series series[] = {{1, 0, 2, 1, 0}, {1, 1, 0, 1, 1}, {13017, 4, 0, 7, 0}};
        SourceBuilder builder;
        builder.source.kind = 0;
        builder.source.startTime = opened.record.startText;
        builder.source.interval = opened.record.interval;
        for (const Series& s : series) {
            auto manager = std::make_unique<CRecordDataManager>();
            ASSERT_EQ(opened.model.GetData(static_cast<QueryWord>(s.phase), static_cast<QueryWord>(s.blockType), 0, 0,
                                           static_cast<QueryWord>(s.view), reinterpret_cast<QueryWord>(manager.get())),
                      1);
            ASSERT_EQ(manager->GetCount(), kCutRecords) << "view " << s.view;
            builder.Add(Item(s.view, s.phase, s.blockType), std::move(manager));
        }
        testsupport::TempDir out;
        CRecordTabulist exporter;
        exporter.SetMode(3);
        ASSERT_EQ(exporter.Export(builder.source, Wide(out.Path())), ITabulistEx::kExported);

        const gen::ValueSource values(options);
        const CsvRows voltage = ReadCsv(CsvFile(out.Path(), L"电压有效值_"));
        const CsvRows frequency = ReadCsv(CsvFile(out.Path(), L"频率_"));
        ASSERT_EQ(voltage.size(), 2 + kCutRecords);
        ASSERT_EQ(frequency.size(), 2 + kCutRecords);
        for (std::uint64_t r = 0; r < kCutRecords; ++r) {
            const std::string what = "record " + std::to_string(r);
            const std::vector<std::wstring>& v = voltage[2 + r];
            const std::vector<std::wstring>& f = frequency[2 + r];
            ASSERT_EQ(v.size(), 3u) << what;
            ASSERT_EQ(f.size(), 2u) << what;
            const std::wstring time = TimeCell(2026, 3, 1, static_cast<int>(r / 60), static_cast<int>(r % 60), 0, 0);
            EXPECT_EQ(v[0], time) << what;
            EXPECT_EQ(f[0], time) << what;
            const auto expect = [&](std::uint32_t item, std::uint32_t offset, std::uint32_t blockType) {
                const std::uint32_t slot = gen::FloatIndexOf(options.items, item) + offset;
                return Held(options.items, r, blockType, slot) ? Cell(values.At(r, blockType, slot)) : std::wstring(L"-");
            };
            EXPECT_EQ(v[1], expect(1, 0, 2)) << what;
            EXPECT_EQ(v[2], expect(1, 1, 0)) << what;
            EXPECT_EQ(f[1], expect(7, 0, 0)) << what;
        }
    }
}

// Values of records [first, end) of one float slot of an item that the generator
// wrote and the folder still holds.
std::vector<float> Surviving(const gen::StatisticFolderOptions& options, bool cut, std::uint32_t item,
                             std::uint32_t offset, std::uint32_t blockType, std::uint64_t first, std::uint64_t end)
{
    const gen::ValueSource values(options);
    const std::uint32_t slot = gen::FloatIndexOf(options.items, item) + offset;
    std::vector<float> kept;
    for (std::uint64_t r = first; r < end; ++r) {
        if (!cut || Held(options.items, r, blockType, slot)) {
            kept.push_back(values.At(r, blockType, slot));
        }
    }
    return kept;
}

// The spreadsheet report of a part of the cut recording (00:10 to 00:50, across
// both stretches lost) and of the day with a missing block folder: the period it
// states is the one read, and its figures are those of the records of that period.
TEST(DamagedFolderExport, SpreadsheetReportStatesThePeriodRead)
{
    struct Case {
        const char* name;
        bool gapped;
        double from, to;
        std::uint64_t first, end;
        const wchar_t* period;
    };
    const Case cases[] = {
        {"cut block files, 00:10 to 00:50", false, 0.125, 0.625, 10, 50,
         L"2026/03/01 00:10:00 - 2026/03/01 00:50:00"},
        {"folder 003 missing of a day", true, 0.0, 1.0, 0, 600, L"2026/03/01 00:00:00 - 2026/03/01 10:00:00"},
    };
    LanguageScope language(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        const fs::path folder = dir / "K7900_0301";
        const gen::StatisticFolderOptions options = c.gapped ? GappedOptions() : TruncatedOptions(L"K7900");
        ASSERT_TRUE(gen::WriteStatisticFolder(folder, options));
        if (!c.gapped) {
            CutToTwoThirds(folder);
        }
        OpenedFolder opened(folder, c.from, c.to);
        ASSERT_EQ(opened.selection.FirstBlock, c.first);
        ASSERT_EQ(opened.selection.EndBlock, c.end);
        opened.record.voltageText = L"220";
        CReportConfig config;
        CExcelReporter reporter;
        ASSERT_EQ(reporter.Init(platform::FromPath(folder), 3, &opened.record, &config, &opened.model, &opened.model,
                                &opened.model, 0),
                  1);
        ASSERT_EQ(reporter.CheckReady(), 1);
        testsupport::TempDir output;
        ASSERT_EQ(reporter.ReportOutput(platform::FromPath(output.Path()), 60), 1)
            << platform::WideToUtf8(reporter.GetReportName());
        const std::optional<XlsxBook> book = ReadXlsx(platform::ToPath(reporter.GetOutputFile()));
        ASSERT_TRUE(book);
        EXPECT_EQ(reporter.GetPeriodLabel(), c.period);
        for (std::size_t sheet = 0; sheet < 4; ++sheet) {
            ExpectTypedCell(book->sheets[sheet], sheet < 2 ? "J4" : "I4", c.period, "period");
        }

        // The frequency's maximum and the L1 fundamental's, and how many intervals count.
        const std::vector<float> frequency = Surviving(options, !c.gapped, 7, 0, 0, c.first, c.end);
        const std::vector<float> fundamental = Surviving(options, !c.gapped, 25, 0, 0, c.first, c.end);
        ExpectFloatCell(book->sheets[2], "C12", *std::max_element(frequency.begin(), frequency.end()),
                        "frequency maximum");
        ExpectFloatCell(book->sheets[0], "C13", *std::max_element(fundamental.begin(), fundamental.end()),
                        "fundamental maximum");
        ExpectCountCell(book->sheets[3], "C13", static_cast<std::uint32_t>(fundamental.size()), "fundamental count");
    }
}

}  // namespace

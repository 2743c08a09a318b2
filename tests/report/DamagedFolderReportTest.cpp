// The RTF report of damaged recordings opened the way the program opens them: a
// recording whose first block files are cut short inside a record, reported over a
// part that spans the stretches lost, and a day whose block folder 003 is missing.
// The pages state the period read and the series hold the values of its intervals.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/base/Encoding.h"
#include "report/ReportConfig.h"
#include "report/WordReporter.h"
#include "terminal/CtrlItem.h"
#include "terminal/DataSelection.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/GlobalModel.h"
#include "tests/support/TempDir.h"
#include "tools/gen/StatisticFolder.h"
#include "tools/gen/StatisticValues.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kPerFile = 20;

// Whether the block files cut to two thirds still hold all four bytes of a float.
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

// The text as a metafile's text records hold it.
std::string Utf16(const std::wstring& text)
{
    std::string bytes;
    for (const wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    return bytes;
}

TEST(DamagedFolderReport, PagesStateThePeriodRead)
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::TempDir dir;
        const fs::path folder = dir / "K7900_0301";
        gen::StatisticFolderOptions options;
        options.deviceType = L"K7900";
        options.realisticValues = true;
        if (c.gapped) {
            options.records = 1440;
            options.blockCountPerFile = 100;
            options.filesPerFolder = 3;
            options.gapAfterFolder = 2;
            options.end = gen::DateTime{2026, 3, 2, 0, 0, 0, 0};
        } else {
            options.records = 80;
            options.blockCountPerFile = kPerFile;
            options.end = gen::DateTime{2026, 3, 1, 1, 20, 0, 0};
        }
        ASSERT_TRUE(gen::WriteStatisticFolder(folder, options));
        if (!c.gapped) {
            for (const char* name : {"statistic1.data", "statistic2.data"}) {
                const fs::path file = folder / "Statistic" / "001" / name;
                fs::resize_file(file, fs::file_size(file) * 2 / 3);
            }
        }

        // As the program opens it: the data selection of the part, then the model.
        const std::wstring path = platform::FromPath(folder);
        ASSERT_TRUE(GlobalDataConfig::get_mutable_instance().ReadDeviceType(path));
        CDataSelection data;
        ASSERT_EQ(data.Read(path), CDataSelection::Description::Usable);
        data.SetPresentBlocks(CGlobalModel::CountRecords(path));
        data.FindGaps(path);
        DataSelectInfo selection = data.GetSelection(c.from, c.to);
        ASSERT_EQ(selection.FirstBlock, c.first);
        ASSERT_EQ(selection.EndBlock, c.end);
        CGlobalModel model;
        CCtrlItem open{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(&selection), 100, path};
        model.OpenData(&open);
        BasicInfo record;
        ASSERT_EQ(model.QueryBasicInfo(&record), 1);

        CReportConfig config;
        CWordReporter reporter;
        ASSERT_EQ(reporter.Init(path, 3, &record, &config, &model, &model, &model, 0), 1);
        reporter.KeepPages(true);
        reporter.SetSections(0, 0);
        testsupport::TempDir out;
        ASSERT_EQ(reporter.ReportOutput(platform::FromPath(out / "report.rtf"), 0), 1)
            << platform::WideToUtf8(reporter.GetReportName());
        EXPECT_EQ(reporter.GetPeriodLabel(), c.period);
        const std::vector<std::string>& pages = reporter.GetKeptPages();
        ASSERT_GT(pages.size(), 1u);
        for (std::size_t page = 1; page < pages.size(); ++page) {
            EXPECT_NE(pages[page].find(Utf16(c.period)), std::string::npos) << "page " << page + 1;
        }

        // The frequency's maxima: one a interval read, at its place; an interval lost
        // is the no-value marker, which the row's figures leave out.
        const gen::ValueSource values(options);
        const std::uint32_t slot = gen::FloatIndexOf(options.items, 7);
        std::vector<float> expected;
        for (std::uint64_t r = c.first; r < c.end; ++r) {
            const bool held = c.gapped || Held(options.items, r, 0, slot);
            expected.push_back(held ? values.At(r, 0, slot) : gen::kNoValueSample);
        }
        const std::vector<CReportStatRecord*>& frequency = reporter.GetList(CWordReporter::kFrequency);
        ASSERT_FALSE(frequency.empty());
        EXPECT_EQ(frequency[0]->blockType, 0u);
        EXPECT_EQ(frequency[0]->values, expected);
        const auto measured = std::count_if(expected.begin(), expected.end(),
                                            [](float v) { return v != gen::kNoValueSample; });
        CParamAssessRow row;
        ASSERT_EQ(reporter.FillFrequencyRow(row), 1);
        EXPECT_EQ(row.tests, std::to_wstring(measured));
        GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::Unknown);
    }
}

}  // namespace

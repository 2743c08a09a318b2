// The table export of the statistic views: the export folder's name (the record's
// name, the date and the time, characters a file name cannot hold replaced, never an
// existing folder), the columns of the shown phases and statistics, and the CSV
// file as its readers see it.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "platform/base/LocalTime.h"
#include "tests/support/TempDir.h"
#include "tests/waverecord/WaveRecordFixture.h"
#include "tests/waverecord/FakeDataSet.h"
#include "waverecord/WaveExportFolder.h"
#include "waverecord/WaveTableExport.h"

namespace {

using wavetest::FakeDataSet;

std::time_t At(int year, int month, int day, int hour, int minute, int second)
{
    return *platform::FromLocalTime(year, month, day, hour, minute, second);
}

std::vector<std::filesystem::path> Files(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files.push_back(entry.path());
    }
    return files;
}

TEST(WaveExportFolder, NamedAfterTheRecordWithDateAndTime)
{
    const std::time_t when = At(2026, 12, 10, 9, 5, 7);
    struct Case {
        const char* name;
        std::wstring recordPath;
        std::wstring folderName;
    };
    const Case cases[] = {
        {"a folder", L"/data/A1", L"A1_2026-12-10_09-05-07"},
        {"a trailing separator", L"/data/A1/", L"A1_2026-12-10_09-05-07"},
        {"backslashes", L"D:\\records\\A1", L"A1_2026-12-10_09-05-07"},
        {"characters no file name holds", L"/data/a:b*c?\"<>|", L"a_b_c______2026-12-10_09-05-07"},
        {"Chinese", L"/数据/录波1", L"录波1_2026-12-10_09-05-07"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CWaveExportFolder::FolderName(c.recordPath, when), c.folderName) << c.name;
    }
    EXPECT_EQ(SanitizeWaveFileName(L"电压半波有效值U rms-1/2"), L"电压半波有效值U rms-1_2");
    EXPECT_EQ(SanitizeWaveFileName(L"name. "), L"name");
    EXPECT_EQ(SanitizeWaveFileName(L""), L"_");
}

TEST(WaveExportFolder, NeverReusesAnExistingFolder)
{
    testsupport::TempDir base;
    const std::wstring folder = platform::FromPath(base.Path());
    const std::time_t when = At(2026, 12, 10, 9, 5, 7);
    base.Write("A1_2026-12-10_09-05-07/old.csv", "kept");
    const auto first = CWaveExportFolder::Create(folder, L"/data/A1", when);
    const auto second = CWaveExportFolder::Create(folder + L"/", L"/data/A1", when);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(*first, folder + L"/A1_2026-12-10_09-05-07(2)");
    EXPECT_EQ(*second, folder + L"/A1_2026-12-10_09-05-07(3)");
    EXPECT_EQ(testsupport::ReadAll(base / "A1_2026-12-10_09-05-07/old.csv"), "kept");
    EXPECT_FALSE(CWaveExportFolder::Create(folder + L"/missing", L"/data/A1", when));
}

TEST(WaveTableExport, ColumnsOfTheShownPhasesAndStatistics)
{
    struct Case {
        const char* name;
        std::uint32_t phases, kinds;
        std::wstring fourth;
        std::vector<std::wstring> columns;
    };
    const Case cases[] = {
        {"L1 maximum", 0x01, 0x01, L"LN", {L"L1_MAX"}},
        {"three phases, three statistics", 0x07, 0x07, L"LN",
         {L"L1_MAX", L"L1_MIN", L"L1_AVG", L"L2_MAX", L"L2_MIN", L"L2_AVG", L"L3_MAX", L"L3_MIN", L"L3_AVG"}},
        {"the fourth phase of a power view", 0x08, 0x04, L"ALL", {L"ALL_AVG"}},
        {"the fourth phase elsewhere, RMS", 0x08, 0x20, L"LN", {L"LN_RMS"}},
        {"the system; kinds without a column", 0x10, 0x18 | 0x02, L"LN", {L"DEFAULT_MIN"}},
        {"nothing shown", 0x00, 0x07, L"LN", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CWaveTableExport::Columns(c.phases, c.kinds, c.fourth), c.columns) << c.name;
    }
    EXPECT_EQ(CWaveTableExport::StepFromSeconds(0.2), 200000000);
    EXPECT_EQ(CWaveTableExport::StepFromSeconds(1.0 / 12800.0), 78000) << "whole microseconds";
    EXPECT_EQ(CWaveTableExport::StepFromSeconds(0.0), 0);
}

TEST(WaveTableExport, WritesARowPerStepAsLongAsTheShortestSeries)
{
    testsupport::TempDir folder;
    FakeDataSet l1({230.0f, 231.5f, 229.25f, 230.0f});
    FakeDataSet l2({225.0f, 226.0f, 224.0f});  // one value short
    CWaveResultStore store;
    store.Add(0, CWaveResultStore::kMaximum, CWaveSeriesDescriptor(&l1));
    store.Add(1, CWaveResultStore::kMaximum, CWaveSeriesDescriptor(&l2));
    WaveTableRequest request;
    request.folder = platform::FromPath(folder.Path());
    request.title = L"电压半波有效值U rms-1/2";
    request.unit = L"V";
    request.phaseMask = 0x03;
    request.kindMask = 0x01;
    request.startMs = static_cast<std::int64_t>(At(2014, 5, 6, 7, 8, 9)) * 1000 + 10;
    request.stepNs = 200000000;
    platform::HeadlessHourglaze().Reset();

    WaveTableWritten written;
    ASSERT_TRUE(CWaveTableExport::Export(request, &store, &written));
    EXPECT_EQ(written.error, 0);
    const auto files = Files(folder.Path());
    ASSERT_EQ(files.size(), 1u) << "the title's '/' made no sub-folder";
    EXPECT_EQ(platform::FromPath(files[0]), written.path);
    EXPECT_EQ(platform::FromPath(files[0].filename()).rfind(L"电压半波有效值U rms-1_2_", 0), 0u);
    EXPECT_EQ(files[0].extension(), ".csv");

    const std::vector<std::wstring> lines = wavetest::CsvLines(files[0]);
    ASSERT_EQ(lines.size(), 5u) << "name, columns and three rows";
    EXPECT_EQ(lines[0], L"电压半波有效值U rms-1/2 单位V,");
    EXPECT_NE(lines[1].find(L",L1_MAX,L2_MAX,"), std::wstring::npos) << platform::WideToUtf8(lines[1]);
    EXPECT_EQ(lines[2], L"  2014-05-06 07:08:09.010,230.000,225.000,");
    EXPECT_EQ(lines[3], L"  2014-05-06 07:08:09.210,231.500,226.000,");
    EXPECT_EQ(lines[4], L"  2014-05-06 07:08:09.410,229.250,224.000,");
    const auto notes = platform::HeadlessHourglaze().Get().notes;
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0], L"正在导出电压半波有效值U rms-1/2......");
}

TEST(WaveTableExport, NothingToWriteIsAFailureAndWritesNothing)
{
    testsupport::TempDir folder;
    FakeDataSet values({1.0f});
    CWaveResultStore store;
    store.Add(0, CWaveResultStore::kMaximum, CWaveSeriesDescriptor(&values));
    WaveTableRequest request;
    request.folder = platform::FromPath(folder.Path());
    request.title = L"T";
    request.phaseMask = 0x01;
    request.kindMask = 0x01;
    request.startMs = 1400000000000;
    request.stepNs = 1000000;

    WaveTableRequest noColumns = request;
    noColumns.kindMask = 0x10;
    EXPECT_FALSE(CWaveTableExport::Export(noColumns, &store));
    EXPECT_FALSE(CWaveTableExport::Export(request, nullptr));
    WaveTableRequest missingFolder = request;
    missingFolder.folder += L"/missing";
    EXPECT_FALSE(CWaveTableExport::Export(missingFolder, &store));
    EXPECT_TRUE(Files(folder.Path()).empty());
}

}  // namespace

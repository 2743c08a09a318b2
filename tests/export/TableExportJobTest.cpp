#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "ExportTestSupport.h"
#include "export/TableExportJob.h"
#include "export/TabulistEx.h"
#include "platform/base/Hourglaze.h"
#include "tests/support/TempDir.h"
#include "tests/support/WriteFault.h"

namespace {

using namespace exporttest;

// The export chooses its exporter by the data, hands its progress to the busy
// indicator and ends that on every way out.
TEST(TableExportJob, ExportsByTheKindOfDataAndAlwaysEndsTheBusyIndicator)
{
    struct Case {
        const char* name;
        int kind;  // 0 statistic records, 2 COMTRADE voltage
        std::size_t samples;
        bool folderExists;
        int code;
        int count;
    };
    const Case cases[] = {
        {"records", 0, 3, true, ITabulistEx::kExported, 1},
        {"COMTRADE", 2, 3, true, ITabulistEx::kExported, 1},
        {"no samples", 0, 0, true, ITabulistEx::kNothingToExport, 0},
        {"a folder that cannot be written", 0, 3, false, ITabulistEx::kFailed, 0},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        SourceBuilder builder;
        builder.source.kind = c.kind;
        builder.source.interval = c.kind == 0 ? 60.0 : 0.0002;
        builder.source.startTime = L"2026-03-01 00:00:00.000";
        builder.source.samplesPerRms = 64;
        if (c.kind == 0) {
            builder.Add(Item(1, 0, 2), Ramp(c.samples, 230.0));
        } else {
            builder.Add(Channel(0, 1), Ramp(c.samples)).Add(Channel(1, 2), Ramp(c.samples));
        }
        const std::filesystem::path folder = c.folderExists ? dir.Path() : dir.Path() / "file" / "below";
        if (!c.folderExists) {
            dir.Write("file", "not a folder");
        }
        platform::HeadlessHourglaze().Reset();
        const TableExportOutcome outcome = RunTableExport(builder.source, c.kind == 0 ? 0 : 1, Wide(folder));
        EXPECT_EQ(outcome.code, c.code) << c.name;
        EXPECT_EQ(outcome.count, c.count) << c.name;
        EXPECT_EQ(platform::HeadlessHourglaze().Get().ends, 1) << c.name;
        if (c.code == ITabulistEx::kExported) {
            ASSERT_EQ(CsvFiles(folder).size(), 1u) << c.name;
            EXPECT_EQ(Wide(CsvFiles(folder)[0]), outcome.name + L".csv") << c.name << ": the file, by its full path";
            EXPECT_FALSE(platform::HeadlessHourglaze().Get().positions.empty()) << c.name;
        }
    }
}

// A full disk fails the export with its reason and leaves no file of the group
// it was writing.
TEST(TableExportJob, AFullDiskFailsWithItsReason)
{
    testsupport::TempDir dir;
    SourceBuilder builder;
    builder.source.kind = 0;
    builder.source.interval = 60.0;
    builder.source.startTime = L"2026-03-01 00:00:00.000";
    builder.Add(Item(1, 0, 2), Ramp(3, 230.0)).Add(Item(8, 0, 2), Ramp(3, 5.0));
    const testsupport::WriteFault full(dir.Path(), testsupport::WriteFault::Kind::DiskFull);
    const TableExportOutcome outcome = RunTableExport(builder.source, 0, Wide(dir.Path()));
    EXPECT_EQ(outcome.code, ITabulistEx::kFailed);
    EXPECT_EQ(outcome.error, ENOSPC);
    EXPECT_EQ(outcome.count, 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace

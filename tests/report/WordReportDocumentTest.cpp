#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ReportFolderFixture.h"
#include "WordReportFixture.h"
#include "core/ZVResourceManager.h"
#include "platform/gfx/Context.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "report/ReportPageCanvas.h"
#include "report/WordReporter.h"
#include "tests/support/TempDir.h"

namespace {

using reporttest::OpenedReportFolder;

std::size_t Count(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) {
        ++count;
    }
    return count;
}

// Whether the positions hold the wanted ones in order (the readers move the
// indicator too while they load).
bool InOrder(const std::vector<double>& positions, const std::vector<double>& wanted)
{
    auto at = positions.begin();
    for (const double position : wanted) {
        at = std::find(at, positions.end(), position);
        if (at == positions.end()) {
            return false;
        }
        ++at;
    }
    return true;
}

std::set<std::string> Entries(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(platform::PathToUtf8(entry.path().filename()));
    }
    return names;
}

std::wstring Message(unsigned id)
{
    return CZVResourceManager::GetResourceManager()->LoadString(id);
}

OpenedReportFolder& Folder()
{
    return reporttest::SharedReportFolder();
}

TEST(WordReport, FixedSectionsInOrder)
{
    struct Case {
        const char* name;
        CReportPageCanvas::PageFormat format;
        std::string picture;  // how every page's picture group opens
    };
    const Case cases[] = {
        {"metafile pages", CReportPageCanvas::PageFormat::Metafile,
         "{\\pict\\emfblip\\picw16000\\pich22575\\picwgoal9071\\pichgoal12798\\picscalex120\\picscaley120\n"},
        {"PNG pages", CReportPageCanvas::PageFormat::Png,
         "{\\pict\\pngblip\\picw1240\\pich1754\\picwgoal10885\\pichgoal15358\n"},
    };
    OpenedReportFolder& folder = Folder();
    for (const Case& c : cases) {
        testsupport::TempDir out;
        const std::wstring target = platform::FromPath(out / "report.rtf");
        platform::HeadlessHourglaze().Reset();
        CWordReporter reporter;
        ASSERT_TRUE(folder.Init(reporter)) << c.name;
        reporter.GetCanvas()->SetPageFormat(c.format);
        reporter.KeepPages(true);
        reporter.SetSections(0, 0);
        ASSERT_EQ(reporter.ReportOutput(target, 0), 1) << c.name << ": " << platform::WideToUtf8(reporter.GetReportName());

        // Front page, parameters, two voltage harmonic tables and their chart, the same for currents.
        EXPECT_EQ(reporter.GetKeptPages().size(), 8u) << c.name;
        EXPECT_EQ(reporter.GetPagesWritten(), 8u) << c.name;
        const std::string document = testsupport::ReadAll(out / "report.rtf");
        EXPECT_EQ(Count(document, c.picture), 8u) << c.name;
        EXPECT_EQ(Count(document, "\n\\sect\\sectd\\sbkpage"), 7u) << c.name << ": every page after the first opens a section";
        EXPECT_EQ(document.rfind("{\\rtf1\\ansi\\ansicpg936", 0), 0u) << c.name;
        EXPECT_EQ(document.substr(document.size() - 6), "\n\\par}") << c.name;
        EXPECT_EQ(Entries(out.Path()), std::set<std::string>{"report.rtf"}) << c.name;
        EXPECT_TRUE(InOrder(platform::HeadlessHourglaze().Get().positions, {44, 54, 60, 62, 66, 70, 74, 78, 85, 99.9}))
            << c.name;
    }
}

TEST(WordReport, TrendAndEventSections)
{
    OpenedReportFolder& folder = Folder();
    testsupport::TempDir out;
    platform::HeadlessHourglaze().Reset();
    reporttest::ConfigureSections(folder.config);
    CWordReporter reporter;
    ASSERT_TRUE(folder.Init(reporter));
    reporter.KeepPages(true);
    reporter.SetSections(1, 1);
    ASSERT_EQ(reporter.ReportOutput(platform::FromPath(out / "report.rtf"), 0), 1)
        << platform::WideToUtf8(reporter.GetReportName());

    EXPECT_EQ(reporter.GetKeptPages().size(), reporttest::kConfiguredPages);
    EXPECT_EQ(reporter.GetComtradeCounts(), (std::array<std::uint32_t, 4>{1, 2, 1, 1}));
    EXPECT_EQ(reporter.GetIticEvents().size(), 4u) << "the voltage events, the two dips of one duration too";
    EXPECT_EQ(reporter.TotalEventCount(), 17u) << "two of the nineteen alarms are not listed";
    EXPECT_EQ(reporter.GetEventList(8).size(), 1u) << "kind 19 is counted";
    EXPECT_EQ(reporter.SoeChartKinds(), (std::vector<int>{1, 2, 3, 4, 5, 6, 0, 8})) << "but charted nowhere";

    const platform::RecordingHourglaze::Snapshot busy = platform::HeadlessHourglaze().Get();
    EXPECT_TRUE(InOrder(busy.positions, {44, 54, 60, 62, 66, 70, 74, 78, 85, 88.5, 94.9, 98, 99.9}));
    const CRtfReportText& texts = CRtfReportText::Instance();
    const std::wstring trend = texts.Text(RtfSection::Global, "MakingTrend");
    const std::wstring harmonic = texts.Text(RtfSection::Global, "MakingHarmTrend");
    auto notices = [&busy](const std::wstring& prefix) {
        return std::count_if(busy.notes.begin(), busy.notes.end(),
                             [&prefix](const std::wstring& note) { return note.rfind(prefix + L":", 0) == 0; });
    };
    EXPECT_EQ(notices(trend), 7) << "every known key, the one switched off too; not the unknown key";
    EXPECT_EQ(notices(harmonic), 1) << "neither the harmonic item switched off nor the unknown key";
    EXPECT_NE(std::find(busy.notes.begin(), busy.notes.end(), Message(6289)), busy.notes.end());
}

TEST(WordReport, FailuresLeaveNoFileAndTellWhy)
{
    OpenedReportFolder& folder = Folder();
    enum class Stage { Create, Write, Rename };
    struct Case {
        const char* name;
        Stage stage;
        int error;
        unsigned message;
    };
    const Case cases[] = {
        {"folder not writable", Stage::Create, EACCES, 6291},
        {"read-only file system", Stage::Create, EROFS, 6291},
        {"quota reached", Stage::Create, EDQUOT, 6290},
        {"disk full on a page", Stage::Write, ENOSPC, 6290},
        {"target refused", Stage::Rename, EACCES, 6291},
        {"device fault", Stage::Write, EIO, 6294},
    };
    for (const Case& c : cases) {
        testsupport::TempDir out;
        out.Write("report.rtf", "an older report");
        CRtfTempFile::FileAccess access = CRtfTempFile::DefaultFileAccess();
        const auto create = access.createExclusive;
        access.createExclusive = [&](const std::string& path) {
            if (c.stage == Stage::Create) {
                errno = c.error;
                return -1;
            }
            return create(path);
        };
        const auto write = access.write;
        int writes = 0;
        access.write = [&](int fd, const char* data, std::size_t size) -> long {
            // The header, the document format and a few pages go; then the disk fails.
            if (c.stage == Stage::Write && ++writes > 20) {
                errno = c.error;
                return -1;
            }
            return write(fd, data, size);
        };
        const auto rename = access.rename;
        access.rename = [&](const std::string& from, const std::string& to) {
            if (c.stage == Stage::Rename) {
                errno = c.error;
                return -1;
            }
            return rename(from, to);
        };
        CWordReporter reporter(access);
        ASSERT_TRUE(folder.Init(reporter)) << c.name;
        reporter.KeepPages(true);
        EXPECT_EQ(reporter.ReportOutput(platform::FromPath(out / "report.rtf"), 0), 0) << c.name;
        EXPECT_EQ(reporter.GetReportName(), Message(c.message)) << c.name;
        EXPECT_EQ(Entries(out.Path()), std::set<std::string>{"report.rtf"}) << c.name;
        EXPECT_EQ(testsupport::ReadAll(out / "report.rtf"), "an older report") << c.name;
        if (c.stage == Stage::Create) {
            EXPECT_TRUE(reporter.GetKeptPages().empty()) << c.name << ": nothing is drawn";
            EXPECT_TRUE(reporter.GetList(CWordReporter::kAllRecords).empty()) << c.name << ": nothing is read";
        }
    }
}

// A page whose picture cannot be had (ended before the report ends it, or its drawing
// failed part way) fails the report instead of leaving a gap in it, in either page format.
TEST(WordReport, APageThatCannotBeMadeFailsTheReport)
{
    struct Case {
        const char* name;
        std::function<void(CReportPageCanvas&)> spoil;
    };
    const Case cases[] = {
        {"ended early", [](CReportPageCanvas& canvas) { canvas.EndPage(); }},
        {"drawing failed",
         [](CReportPageCanvas& canvas) {
             cairo_restore(canvas.GetGraphics()->Cairo());
             cairo_restore(canvas.GetGraphics()->Cairo());
         }},
    };
    OpenedReportFolder& folder = Folder();
    for (const Case& c : cases) {
        for (const auto format : {CReportPageCanvas::PageFormat::Metafile, CReportPageCanvas::PageFormat::Png}) {
            const std::string name = std::string(c.name) + (format == CReportPageCanvas::PageFormat::Png ? ", PNG" : "");
            testsupport::TempDir out;
            CWordReporter reporter;
            ASSERT_TRUE(folder.Init(reporter)) << name;
            reporter.GetCanvas()->SetPageFormat(format);
            reporter.KeepPages(true);
            int pages = 0;
            reporter.SetPageObserver([&](CReportPageCanvas& canvas) {
                if (++pages == 3) {
                    c.spoil(canvas);
                }
            });
            EXPECT_EQ(reporter.ReportOutput(platform::FromPath(out / "report.rtf"), 0), 0) << name;
            EXPECT_EQ(reporter.GetReportName(), Message(6294)) << name;
            EXPECT_EQ(reporter.GetKeptPages().size(), 2u) << name << ": no page is drawn after the failed one";
            EXPECT_TRUE(Entries(out.Path()).empty()) << name;
        }
    }
}

TEST(WordReport, ReaderFailureAndMissingFolder)
{
    testsupport::TempDir out;
    reporttest::FailingStatisticModel model;
    BasicInfo record;
    record.recordCount = 10;
    record.voltageText = L"220";
    CReportConfig config;
    CWordReporter reporter;
    ASSERT_EQ(reporter.Init(L"/data", 1, &record, &config, &model, &model, &model, 0), 1);
    EXPECT_EQ(reporter.ReportOutput(platform::FromPath(out / "report.rtf"), 0), 0);
    EXPECT_EQ(reporter.GetReportName(), Message(6288));
    EXPECT_TRUE(Entries(out.Path()).empty());

    CWordReporter missing;
    ASSERT_EQ(missing.Init(L"/data", 1, &record, &config, &model, &model, &model, 0), 1);
    EXPECT_EQ(missing.ReportOutput(platform::FromPath(out / "no such folder" / "report.rtf"), 0), 0);
    EXPECT_EQ(missing.GetReportName(), Message(6294));
    EXPECT_TRUE(Entries(out.Path()).empty());
}

// A selection without a single record gives no report of "--" cells but the data
// step's message, before any page is drawn.
TEST(WordReport, NoDataFailsWithTheDataMessage)
{
    OpenedReportFolder& folder = Folder();
    testsupport::TempDir out;
    BasicInfo empty = folder.record;
    empty.recordCount = 0;
    CWordReporter reporter;
    ASSERT_EQ(reporter.Init(platform::FromPath(folder.folder), 1, &empty, &folder.config, &folder.statistic,
                            &folder.statistic, &folder.soe, 0),
              1);
    reporter.KeepPages(true);
    EXPECT_EQ(reporter.ReportOutput(platform::FromPath(out / "report.rtf"), 0), 0);
    EXPECT_EQ(reporter.GetReportName(), Message(6288));
    EXPECT_TRUE(reporter.GetKeptPages().empty());
    EXPECT_TRUE(Entries(out.Path()).empty());
}

}  // namespace

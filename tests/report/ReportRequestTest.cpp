#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ReportTestSupport.h"
#include "platform/base/Hourglaze.h"
#include "report/ReportJob.h"
#include "report/ReportRequest.h"

namespace {

// A writer whose reporter answers as told and notes each call, in order.
class FakeWriter : public IReportWriter {
public:
    class Reporter : public reporttest::Reporter {
    public:
        explicit Reporter(FakeWriter& writer) : m_Writer(writer) {}
        int CheckReady() override
        {
            m_Writer.Note("check");
            if (!m_Writer.ready) {
                SetReportName(m_Writer.reason);
            }
            return m_Writer.ready;
        }
        int ReportOutput(const std::wstring& path, int share) override
        {
            m_Writer.Note("output " + std::to_string(share));
            m_Writer.outputPath = path;
            if (m_Writer.throwInOutput) {
                throw std::runtime_error("disk gone");
            }
            if (!m_Writer.output) {
                SetReportName(m_Writer.reason);
            }
            return m_Writer.output;
        }

    private:
        FakeWriter& m_Writer;
    };

    FakeWriter(std::string name, std::vector<std::string>& log) : m_Name(std::move(name)), m_Log(log) {}
    CBaseReporter& GetReporter() override { return m_Reporter; }
    void ApplyOptions() override { Note("options"); }
    std::wstring GetOutputPath(const std::wstring& requested) const override
    {
        return written.empty() ? requested : written;
    }
    void Note(const std::string& call) { m_Log.push_back(m_Name + " " + call); }

    int ready = 1;
    int output = 1;
    bool throwInOutput = false;
    std::wstring reason = L"磁盘已满";
    std::wstring outputPath;
    std::wstring written;

private:
    std::string m_Name;
    std::vector<std::string>& m_Log;
    Reporter m_Reporter{*this};
};

ReportRequest SpreadsheetRequest(bool workbook, bool pictures)
{
    ReportRequest request;
    request.outputPath = L"/out/site_2026-03-01";
    request.workbook = workbook;
    request.histogramPictures = pictures ? 1 : 0;
    return request;
}

struct BusyRecord {
    BusyRecord() { platform::HeadlessHourglaze().Reset(); }
    platform::RecordingHourglaze::Snapshot Get() const { return platform::HeadlessHourglaze().Get(); }
};

TEST(ReportRequest, NameAndPathsComeFromTheDataAndToday)
{
    const CalendarDate date{2026, 3, 7};
    EXPECT_EQ(MakeReportName(L"/data/变电站A/Board1", date), L"Board1_2026-03-07");
    EXPECT_EQ(MakeReportName(L"/data/site/", date), L"site_2026-03-07");
    EXPECT_EQ(MakeReportName(L"D:\\data\\site", date), L"site_2026-03-07");
    EXPECT_EQ(JoinOutputPath(L"/home/u/文档", L"r"), L"/home/u/文档/r");
    EXPECT_EQ(JoinOutputPath(L"/home/u/", L"r"), L"/home/u/r");

    ReportWizardResult wizard;
    wizard.levelCode = 3;
    wizard.outputFolder = L"/out";
    wizard.minCapacity = L"125.500";
    wizard.filter = true;
    wizard.filterUpper = 264.0f;
    wizard.filterLower = 176.0f;
    wizard.excel = {1, 0, 1, 1};
    wizard.rtf = {1, 0};
    BasicInfo record;
    record.mvaText = L"100";
    record.userName = L"K7700";

    const ReportRequest excel = BuildReportRequest(ReportKind::Spreadsheet, wizard, record, L"/data/site", date);
    EXPECT_EQ(excel.name, L"site_2026-03-07");
    EXPECT_EQ(excel.outputPath, L"/out/site_2026-03-07");
    EXPECT_EQ(excel.dataPath, L"/data/site");
    EXPECT_EQ(excel.levelCode, 3);
    EXPECT_EQ(excel.record.userName, L"K7700");
    EXPECT_EQ(excel.record.mvaText, L"125.500");
    EXPECT_EQ(excel.record.tail2, 1);
    EXPECT_EQ(excel.record.tailValue1, 264.0);
    EXPECT_EQ(excel.record.tailValue2, 176.0);
    EXPECT_TRUE(excel.workbook);
    EXPECT_EQ(excel.trendPictures, 0);
    EXPECT_TRUE(excel.WantsPictures());

    wizard.filter = false;
    record.tail2 = 1;
    const ReportRequest rtf = BuildReportRequest(ReportKind::Document, wizard, record, L"/data/site", date);
    EXPECT_EQ(rtf.outputPath, L"/out/site_2026-03-07.rtf");
    EXPECT_EQ(rtf.record.tail2, 0) << "the wizard's filter decides";
    EXPECT_EQ(rtf.trendSection, 0);
    EXPECT_EQ(rtf.eventSection, 1);
    EXPECT_FALSE(rtf.workbook);
}

TEST(ReportJob, TheSpreadsheetRunSharesTheBusyIndicatorAndStopsAtTheFirstFailure)
{
    struct Case {
        const char* name;
        bool workbook;
        bool pictures;
        int workbookReady, workbookOutput, picturesOutput;
        std::vector<std::string> calls;
        bool success;
    };
    const Case cases[] = {
        {"both", true, true, 1, 1, 1,
         {"workbook check", "workbook options", "workbook output 30", "pictures check", "pictures options",
          "pictures output 30"}, true},
        {"workbook only", true, false, 1, 1, 1, {"workbook check", "workbook options", "workbook output 60"}, true},
        {"pictures only", false, true, 1, 1, 1, {"pictures check", "pictures options", "pictures output 100"}, true},
        {"workbook not ready", true, true, 0, 1, 1, {"workbook check"}, false},
        {"workbook fails", true, true, 1, 0, 1, {"workbook check", "workbook options", "workbook output 30"}, false},
        {"pictures fail", true, true, 1, 1, 0,
         {"workbook check", "workbook options", "workbook output 30", "pictures check", "pictures options",
          "pictures output 30"}, false},
        {"nothing asked", false, false, 1, 1, 1, {}, false},
    };
    for (const Case& c : cases) {
        std::vector<std::string> log;
        FakeWriter workbook("workbook", log);
        FakeWriter pictures("pictures", log);
        workbook.ready = c.workbookReady;
        workbook.output = c.workbookOutput;
        workbook.reason = L"模板不存在";
        pictures.output = c.picturesOutput;
        pictures.reason = L"图片无法写入";
        const BusyRecord busy;
        const ReportOutcome outcome = RunSpreadsheetReport(SpreadsheetRequest(c.workbook, c.pictures), &workbook, &pictures);
        EXPECT_EQ(log, c.calls) << c.name;
        EXPECT_EQ(outcome.success, c.success) << c.name;
        EXPECT_EQ(busy.Get().ends, 1) << c.name << ": the busy indicator always ends";
        ASSERT_FALSE(busy.Get().positions.empty()) << c.name;
        EXPECT_EQ(busy.Get().positions.front(), 0.0) << c.name;
        if (c.success) {
            EXPECT_EQ(outcome.output, L"/out/site_2026-03-01") << c.name;
            EXPECT_TRUE(outcome.message.empty()) << c.name;
        } else {
            // The reason of the writer that failed, never an empty or a success text.
            const std::wstring expected = std::string(c.name) == "pictures fail" ? L"图片无法写入"
                                          : std::string(c.name) == "nothing asked" ? L"常规错误，请重新进行操作"
                                                                                   : L"模板不存在";
            EXPECT_EQ(outcome.message, expected) << c.name;
        }
    }
    EXPECT_EQ(SplitSpreadsheetShares(false, false).workbook + SplitSpreadsheetShares(false, false).pictures, 0);
}

TEST(ReportJob, TheDocumentRunReportsTheFileWrittenOrTheReason)
{
    std::vector<std::string> log;
    FakeWriter document("document", log);
    document.written = L"/out/site_2026-03-01(2).rtf";
    ReportRequest request;
    request.outputPath = L"/out/site_2026-03-01.rtf";
    {
        const BusyRecord busy;
        const ReportOutcome outcome = RunDocumentReport(request, document);
        EXPECT_TRUE(outcome.success);
        EXPECT_EQ(outcome.output, L"/out/site_2026-03-01(2).rtf");
        EXPECT_EQ(log, (std::vector<std::string>{"document check", "document options", "document output 0"}));
        EXPECT_EQ(document.outputPath, request.outputPath);
        EXPECT_EQ(busy.Get().ends, 1);
    }
    {
        document.output = 0;
        document.reason = L"";
        const BusyRecord busy;
        const ReportOutcome outcome = RunDocumentReport(request, document);
        EXPECT_FALSE(outcome.success);
        EXPECT_EQ(outcome.message, L"常规错误，请重新进行操作") << "a writer that gives no reason";
        EXPECT_EQ(busy.Get().ends, 1);
    }
    {
        document.throwInOutput = true;
        const BusyRecord busy;
        const ReportOutcome outcome = RunDocumentReport(request, document);
        EXPECT_FALSE(outcome.success);
        EXPECT_FALSE(outcome.message.empty());
        EXPECT_EQ(busy.Get().ends, 1) << "a writer that throws still ends the busy indicator";
    }
}

}  // namespace

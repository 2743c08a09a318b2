#include "report/ReportJob.h"

#include "core/OndravaLog.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Hourglaze.h"

namespace {

constexpr unsigned kStringGeneralFailure = 6294;

std::wstring GeneralFailure()
{
    return CZVResourceManager::GetResourceManager()->LoadString(kStringGeneralFailure);
}

// Ends the busy indicator however the run ends, so the user-interface thread is
// never left waiting.
class BusyRun {
public:
    BusyRun() { UpdateHourglaze(0); }
    ~BusyRun() { EndHourglaze(); }
    BusyRun(const BusyRun&) = delete;
    BusyRun& operator=(const BusyRun&) = delete;
};

// Readiness, options, output: 1 when the writer's output was made.
bool RunWriter(IReportWriter& writer, const std::wstring& path, int share, ReportOutcome& outcome)
{
    CBaseReporter& reporter = writer.GetReporter();
    if (reporter.CheckReady() == 0) {
        outcome.message = FailureText(writer);
        return false;
    }
    writer.ApplyOptions();
    if (reporter.ReportOutput(path, share) == 0) {
        outcome.message = FailureText(writer);
        return false;
    }
    return true;
}

ReportOutcome Failed(const std::wstring& message)
{
    ReportOutcome outcome;
    outcome.message = message;
    return outcome;
}

}  // namespace

std::wstring FailureText(IReportWriter& writer)
{
    std::wstring text = writer.GetReporter().GetReportName();
    return text.empty() ? GeneralFailure() : text;
}

ReportOutcome RunSpreadsheetReport(const ReportRequest& request, IReportWriter* workbook, IReportWriter* pictures)
{
    const BusyRun busy;
    try {
        const bool wantsWorkbook = request.workbook && workbook != nullptr;
        const bool wantsPictures = request.WantsPictures() && pictures != nullptr;
        if (!wantsWorkbook && !wantsPictures) {
            return Failed(GeneralFailure());
        }
        const SpreadsheetShares shares = SplitSpreadsheetShares(wantsWorkbook, wantsPictures);
        ReportOutcome outcome;
        if (wantsWorkbook && !RunWriter(*workbook, request.outputPath, shares.workbook, outcome)) {
            return outcome;
        }
        if (wantsPictures && !RunWriter(*pictures, request.outputPath, shares.pictures, outcome)) {
            return outcome;
        }
        outcome.success = true;
        outcome.output = request.outputPath;
        return outcome;
    } catch (...) {
        COndravaLog::GetInstance()->Write(L"an exception occurs in CMainFrame::ExportExcel");
        return Failed(GeneralFailure());
    }
}

ReportOutcome RunDocumentReport(const ReportRequest& request, IReportWriter& document)
{
    const BusyRun busy;
    try {
        ReportOutcome outcome;
        if (!RunWriter(document, request.outputPath, 0, outcome)) {
            return outcome;
        }
        outcome.success = true;
        outcome.output = document.GetOutputPath(request.outputPath);
        return outcome;
    } catch (...) {
        COndravaLog::GetInstance()->Write(L"an exception occurs in CMainFrame::ExportWord");
        return Failed(GeneralFailure());
    }
}

// The main frame's export and report commands: the spreadsheet report with its
// pictures, the RTF report, and the table export of the view in front. What each
// needs is gathered on the user-interface thread (the data record, the report
// wizard's answers, the request the workers read); the output runs on a worker
// behind the busy indicator, and the user is told the result: success with where
// it went, or the failing writer's own reason.
#include <atomic>
#include <ctime>
#include <thread>

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/ReportWriters.h"
#include "waverecord/ui/WaveMainView.h"
#include "core/CrashDump.h"
#include "core/Ini.h"
#include "core/ProgramPaths.h"
#include "core/ZVResourceManager.h"
#include "export/TableExportJob.h"
#include "export/TabulistEx.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Hourglaze.h"
#include "platform/base/LocalTime.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "report/ReportConfig.h"
#include "report/ReportJob.h"
#include "report/ReportRequest.h"
#include "report/ui/BasicPage.h"
#include "report/ui/BasicPage2.h"
#include "report/ui/ReportSheet.h"
#include "views/ObserverView.h"

namespace {

constexpr unsigned kTextDataNotRight = 6094;
constexpr unsigned kTextGenerateReport = 6093;
constexpr unsigned kTextNoRecordData = 6095;
constexpr unsigned kTextExportReport = 6096;
constexpr unsigned kTextExportReportDone = 6097;
constexpr unsigned kTextChooseTableFolder = 6098;
constexpr unsigned kTextOpenFile = 6116;
constexpr unsigned kTextOpenFolder = 6117;
constexpr unsigned kTextExportFailed = 6119;
constexpr unsigned kTextNoData = 6120;
constexpr unsigned kTextNoView = 6121;
constexpr unsigned kTextDataExport = 32766;
constexpr unsigned kTextReportDone = 10046;
constexpr unsigned kTextGeneralFailure = 6294;
constexpr unsigned kTextReportsNeedStatistics = 6296;
constexpr unsigned kTextExportDiskFull = 6297;

// The export-done code of an export that found the disk full (beside the
// exporters' own results and -1 for no view).
constexpr int kExportDoneDiskFull = 3;

constexpr int kModeRtf = 0;
constexpr int kModeSpreadsheet = 1;

std::wstring Text(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

CalendarDate Today() {
    CalendarDate date;
    if (const auto now = platform::ToLocalTime(std::time(nullptr))) {
        date = {now->tm_year + 1900, now->tm_mon + 1, now->tm_mday};
    }
    return date;
}

// The setting a table export starts from and keeps its folder in.
struct FolderSetting {
    std::wstring file;
    const wchar_t* section;
    const wchar_t* key;
    std::wstring fallback;
};

}  // namespace

void CMainFrame::SetReportWriters(std::unique_ptr<IReportWriterFactory> writers) {
    m_Writers = writers ? std::move(writers) : std::make_unique<CReportWriters>();
    if (m_Writers->CanCreate(ReportWriterKind::Workbook) || m_Writers->CanCreate(ReportWriterKind::Pictures)) {
        for (const unsigned id : {kCmdExcelReport, kCmdWaveExcelReport}) {
            OnCommand(id, [this] { OnExportData(); });
        }
    }
    if (m_Writers->CanCreate(ReportWriterKind::Document)) {
        for (const unsigned id : {kCmdWordReport, kCmdWaveWordReport}) {
            OnCommand(id, [this] { OnExportReport(); });
        }
    }
}

void CMainFrame::InstallExportCommands() {
    SetReportWriters(nullptr);
    for (const unsigned id : {kCmdTableExport, kCmdExportData, kCmdWaveExportData}) {
        OnCommand(id, [this] { OnExportTable(); });
    }
    OnMessage(kMsgExportDone, [this](ui::WParam code, ui::LParam) {
        OnExportDone(static_cast<int>(static_cast<std::intptr_t>(code)));
        return 0;
    });
}

std::wstring CMainFrame::ReportDataPath() const {
    return (m_IsWaveShown != 0 || m_StatisticPath.empty()) ? m_WavePath : m_StatisticPath;
}

void CMainFrame::RunOnWorker(const std::function<void()>& work) {
    std::atomic<bool> finished{false};
    std::thread worker([&work, &finished] {
        CCrashDump::ThreadGuard guard;
        work();
        finished = true;
    });
    StartHourglaze(GetWx());
    // Another indicator running makes Start return at once: the worker's sends are
    // served while it is waited for.
    ui::WaitServing([&finished] { return finished.load(); });
    worker.join();
}

bool CMainFrame::RunReportWizard(int mode, CReportConfig& config, BasicInfo& record, ReportWizardResult& result) {
    m_ReportResult = 0;
    const unsigned caption = mode == kModeSpreadsheet ? kTextExportReport : kTextGenerateReport;
    if (m_StatisticModel.QueryBasicInfo(&record) == 0) {
        // With only a waveform record open the data are not wrong: reports are made
        // from statistic data, which the user has not opened.
        const bool onlyWaveform = m_StatisticPath.empty() && !m_WavePath.empty();
        ui::MessageBox(this, Text(onlyWaveform ? kTextReportsNeedStatistics : kTextDataNotRight),
                       Text(kTextGenerateReport), ui::kMbIconInformation);
        return false;
    }
    if (record.recordCount == 0 &&
        ui::MessageBox(this, Text(kTextNoRecordData), Text(kTextGenerateReport), ui::kMbOkCancel) != ui::kIdOk) {
        return false;
    }
    CReportSheet sheet(Text(caption), mode, &config, m_Writers->CanCreate(ReportWriterKind::Workbook));
    sheet.SetRowInfo(record);
    if (sheet.DoModal(this) != static_cast<int>(ui::kIdWizardFinish)) {
        return false;
    }
    const CReportFirstPage& first = *sheet.GetFirstPage();
    result.levelCode = first.GetVoltageLevel();
    result.outputFolder = first.GetOutputDir();
    result.minCapacity = first.GetMinCapacity();
    result.filter = first.GetFilter() != 0;
    result.filterUpper = first.GetFilterUpper();
    result.filterLower = first.GetFilterLower();
    if (const CBasicPage2* page = sheet.GetExcelPage()) {
        result.excel = {page->GetWorkbook(), page->GetTrend(), page->GetSpectrum(), page->GetItic()};
    }
    if (const CBasicPage* page = sheet.GetRtfPage()) {
        result.rtf = {page->GetEvent(), page->GetTrend()};
    }
    return true;
}

void CMainFrame::OnExportData() {
    CReportConfig config;
    BasicInfo record;
    ReportWizardResult wizard;
    if (!RunReportWizard(kModeSpreadsheet, config, record, wizard)) {
        return;
    }
    Invalidate();
    const ReportRequest request = BuildReportRequest(ReportKind::Spreadsheet, wizard, record, ReportDataPath(), Today());
    std::unique_ptr<IReportWriter> workbook;
    std::unique_ptr<IReportWriter> pictures;
    if (request.workbook) {
        workbook = m_Writers->CreateWorkbookWriter();
    }
    if (request.WantsPictures()) {
        pictures = m_Writers->CreatePictureWriter(request.trendPictures, request.histogramPictures, request.iticPicture);
    }
    for (IReportWriter* writer : {workbook.get(), pictures.get()}) {
        if (writer != nullptr && !InitReportWriter(writer, request, config, kTextExportReport)) {
            return;
        }
    }
    RunReport(request, [&] { return RunSpreadsheetReport(request, workbook.get(), pictures.get()); },
              kTextExportReport, kTextExportReportDone);
}

void CMainFrame::OnExportReport() {
    CReportConfig config;
    BasicInfo record;
    ReportWizardResult wizard;
    if (!RunReportWizard(kModeRtf, config, record, wizard)) {
        return;
    }
    Invalidate();
    const ReportRequest request = BuildReportRequest(ReportKind::Document, wizard, record, ReportDataPath(), Today());
    std::unique_ptr<IReportWriter> document = m_Writers->CreateDocumentWriter(request.trendSection, request.eventSection);
    if (!InitReportWriter(document.get(), request, config, kTextGenerateReport)) {
        return;
    }
    RunReport(request, [&] { return RunDocumentReport(request, *document); }, kTextGenerateReport, kTextReportDone);
}

bool CMainFrame::InitReportWriter(IReportWriter* writer, const ReportRequest& request, CReportConfig& config,
                                  unsigned caption) {
    if (writer != nullptr && writer->GetReporter().Init(request.dataPath, request.levelCode, &request.record, &config,
                                                        &m_StatisticModel, &m_SecondStatisticModel, &m_SOEModel,
                                                        0) != 0) {
        return true;
    }
    ui::MessageBox(this, writer != nullptr ? FailureText(*writer) : Text(kTextGeneralFailure), Text(caption),
                   ui::kMbIconInformation);
    return false;
}

void CMainFrame::RunReport(const ReportRequest& request, const std::function<ReportOutcome()>& run, unsigned caption,
                           unsigned question) {
    m_ReportPath = request.outputPath;
    ReportOutcome outcome;
    RunOnWorker([&] { outcome = run(); });
    m_ReportResult = outcome.success ? 1 : 0;
    if (!outcome.success) {
        ui::MessageBox(this, outcome.message, Text(caption), ui::kMbIconInformation);
    } else if (ui::MessageBox(this, Text(question), Text(caption), ui::kMbYesNo | ui::kMbIconInformation) ==
               ui::kIdYes) {
        // The spreadsheet report is a folder of files, the RTF report one document.
        if (request.kind == ReportKind::Spreadsheet) {
            m_Launcher.OpenFolder(outcome.output);
        } else {
            m_Launcher.OpenFile(outcome.output);
        }
    }
}

static_assert(kMsgWaveExportTables == CWaveMainView::kMsgExport, "the frame and the waveform-record window name one export message");

void CMainFrame::OnExportTable() {
    const bool wave = !m_WavePath.empty() && m_IsWaveShown != 0;
    const FolderSetting setting = wave ? FolderSetting{GetExeDirectory() + L"WaveSystem.ini", L"WAVE_CONFIG",
                                                       L"WaveDataPath", GetExeDirectory()}
                                       : FolderSetting{GetExeDirectory() + L"Ondrava.ini", L"Position",
                                                       L"StatisticDataPath", L""};
    const std::wstring start = CIni(setting.file).GetString(setting.section, setting.key, setting.fallback.c_str());
    const std::wstring folder = ui::BrowseForFolder(Text(kTextChooseTableFolder), this, start, L"");
    if (folder.empty()) {
        return;
    }
    CIni(setting.file).WriteString(setting.section, setting.key, folder.c_str());
    m_TableFolder = folder;
    if (wave) {
        std::wstring folderCopy = folder;
        std::wstring pathCopy = m_WavePath;
        ui::SendMessage(m_WaveView.get(), kMsgWaveExportTables, reinterpret_cast<ui::WParam>(&folderCopy),
                        reinterpret_cast<ui::LParam>(&pathCopy));
        return;
    }
    // The request is filled here, from the view in front; the worker only reads it.
    IObserverView* view = m_PaneMgr.GetActiveObserver();
    ExportSource source;
    if (view == nullptr || view->FillAttributes(source) == 0) {
        ui::PostMessage(this, kMsgExportDone, static_cast<ui::WParam>(-1), 0);
        return;
    }
    const int kind = static_cast<int>(view->RequestRange(IObserverView::kQueryKind, 0, 0));
    RunOnWorker([&] {
        const TableExportOutcome outcome = RunTableExport(source, kind, m_TableFolder);
        if (outcome.code == 0) {
            if (outcome.count == 1) {
                m_OpenQuestion = Text(kTextOpenFile);
                m_OpenTarget = outcome.name + L".csv";  // the exporter names its file by its full path
            } else {
                m_OpenQuestion = Text(kTextOpenFolder);
                if (const std::size_t at = m_OpenQuestion.find(L"%d"); at != std::wstring::npos) {
                    m_OpenQuestion.replace(at, 2, std::to_wstring(outcome.count));
                }
                m_OpenTarget = m_TableFolder;
            }
        }
        const int code = outcome.code == ITabulistEx::kFailed && platform::IsDiskFullError(outcome.error)
                             ? kExportDoneDiskFull
                             : outcome.code;
        ui::PostMessage(this, kMsgExportDone, static_cast<ui::WParam>(static_cast<std::intptr_t>(code)), 0);
    });
}

void CMainFrame::OnExportDone(int code) {
    const std::wstring caption = Text(kTextDataExport);
    switch (code) {
    case 0:
        if (ui::MessageBox(this, m_OpenQuestion, caption, ui::kMbYesNo | ui::kMbIconInformation) == ui::kIdYes) {
            if (m_OpenTarget == m_TableFolder) {
                m_Launcher.OpenFolder(m_OpenTarget);
            } else {
                m_Launcher.OpenFile(m_OpenTarget);
            }
        }
        break;
    case 1:
        ui::MessageBox(this, Text(kTextNoData), caption, ui::kMbIconExclamation);
        break;
    case 2:
        ui::MessageBox(this, Text(kTextExportFailed), caption, ui::kMbIconExclamation);
        break;
    case kExportDoneDiskFull:
        ui::MessageBox(this, Text(kTextExportDiskFull), caption, ui::kMbIconExclamation);
        break;
    case -1:
        ui::MessageBox(this, Text(kTextNoView), caption, ui::kMbIconExclamation);
        break;
    default:
        break;
    }
}

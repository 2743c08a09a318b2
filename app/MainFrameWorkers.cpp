// The main frame's workers of the opening road and the messages they send: the
// conversion of a terminal's statistic data through the conversion library, the
// load of the selected range into the models, and the harmonic collection after
// a load. The conversion and load workers run while the busy indicator holds the
// user-interface thread; each ends the indicator as its last call. The collector
// outlives the load and is stopped, cooperatively, by the next open.
#include <algorithm>
#include <filesystem>

#include <wx/frame.h>
#include <wx/statusbr.h>

#include "app/MainFrame.h"
#include "core/CrashDump.h"
#include "core/FileManager.h"
#include "core/OndravaLog.h"
#include "app/AppText.h"
#include "core/ZVResourceManager.h"
#include "lib/convert/DataTransform.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Hourglaze.h"
#include "platform/ui/MessageQueue.h"
#include "terminal/ConvertedFolder.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/HarmDataCollector.h"

namespace {

constexpr unsigned kStringWiring = 6103;
constexpr unsigned kStringDataValid = 6104;
constexpr unsigned kStringDataInvalid = 6105;
constexpr unsigned kStringComtradeStage = 6106;
constexpr unsigned kStringAlarmStage = 6107;
constexpr unsigned kStringRecordStage = 6108;
constexpr unsigned kStringPreprocessingStatistics = 6110;

// No conversion library object could be made.
constexpr int kNoConverter = -1;

// Where the load's progress goes, in percent: the event data first, then the
// record data in what is left, then the second model.
constexpr std::uint32_t kComtradeBudget = 10;
constexpr double kAlarmStep = 10.0;
constexpr std::uint32_t kEventAndRecordBudget = 90;
constexpr std::uint32_t kSecondModelBudget = 5;

using apptext::String;

using apptext::WithSeparator;

void Notify(unsigned textId) { NotifyHourglaze(String(textId).c_str()); }

}  // namespace

int CMainFrame::ConvertStatistic(const std::wstring& dataPath, std::filesystem::path& itemFolder) {
    const std::filesystem::path root = platform::ToPath(WithSeparator(dataPath));
    const std::wstring statisticPath = GlobalDataConfig::get_const_instance().GetStatisticPath(false);
    const std::filesystem::path target = platform::ResolveNoCase(root, statisticPath);
    Notify(kStringPreprocessingStatistics);
    const int code = converted::ConvertInto(root, target, [] { return GetTransInstance(); }, ReportConvertProgress,
                                            itemFolder);
    if (code == kNoConverter) {
        COndravaLog::GetInstance()->Write(L"CMainFrame::ConvertStatistic: no converter could be made");
    } else if (code == kConvertOk && itemFolder != target) {
        COndravaLog::GetInstance()->Write(L"CMainFrame::ConvertStatistic: the folder cannot be written; converted into " +
                                          platform::FromPath(itemFolder));
    }
    EndHourglaze();
    return code;
}

void CMainFrame::AdvanceProgress(double step) {
    // A model may hand back more than its share: the indicator stays within 0 to 100.
    m_Progress = std::clamp(m_Progress + step, 0.0, 100.0);
    UpdateHourglaze(m_Progress);
}

bool CMainFrame::LoadStatistic(const std::wstring& path, DataSelectInfo selection) {
    bool completed = false;
    try {
        ui::SendMessage(this, kMsgViewNotify, kViewNotifyReset, 0);
        m_Progress = 5.0;
        UpdateHourglaze(m_Progress);

        // One request for the four models: the controller and the models may change
        // its third word (the progress share), which is read back after each.
        CCtrlItem request;
        request.text = path;
        request.param1 = reinterpret_cast<std::uintptr_t>(&selection);

        Notify(kStringComtradeStage);
        request.code = ctrl::kOpenComtrade;
        request.param2 = kComtradeBudget;
        m_Controller.Notify(&request);
        AdvanceProgress(static_cast<std::uint32_t>(request.param2));

        Notify(kStringAlarmStage);
        request.code = ctrl::kOpenSoe;
        request.param2 = kComtradeBudget;
        m_Controller.Notify(&request);
        AdvanceProgress(kAlarmStep);

        Notify(kStringRecordStage);
        request.code = ctrl::kOpenStatistic;
        const auto eventShare = static_cast<std::uint32_t>(request.param2);
        request.param2 = eventShare < kEventAndRecordBudget ? kEventAndRecordBudget - eventShare : 0;
        m_Controller.Notify(&request);
        AdvanceProgress(static_cast<std::uint32_t>(request.param2));

        request.code = ctrl::kSecondStatistic;
        request.param2 = kSecondModelBudget;
        m_Controller.Notify(&request);
        AdvanceProgress(kSecondModelBudget);

        ui::SendMessage(this, kMsgStartCollect, 0, 0);
        CollectSnapshots(selection.StartTime, selection.EndTime);
        completed = true;
    } catch (const std::exception& error) {
        // The indicator must end all the same, or the user-interface thread waits for ever.
        COndravaLog::GetInstance()->Write(L"CMainFrame::LoadStatistic: the load failed: " +
                                          platform::Utf8ToWide(error.what()));
    }
    m_Progress = 100.0;
    UpdateHourglaze(m_Progress);
    EndHourglaze();
    return completed;
}

void CMainFrame::CollectSnapshots(std::int64_t start, std::int64_t end) {
    CFileManager files;
    files.SetRootPath(WithSeparator(m_StatisticPath));
    std::vector<CZVBoardInfo> found;
    files.CollectFileTimes(L"Snapshot", found);
    m_Snapshots.clear();
    std::copy_if(found.begin(), found.end(), std::back_inserter(m_Snapshots), [&](const CZVBoardInfo& file) {
        return file.m_lastWriteTime >= start && file.m_lastWriteTime <= end;
    });
}

void CMainFrame::UpdateStatusText() {
    BasicInfo info;
    wxStatusBar* status = GetFrame()->GetStatusBar();
    if (status == nullptr || m_StatisticModel.QueryBasicInfo(&info) == 0) {
        return;
    }
    static constexpr const wchar_t* kPhases[] = {L"L1  ", L"L2  ", L"L3  ", L"N  "};
    std::wstring valid;
    std::wstring invalid;
    for (std::uint32_t phase = 0; phase < std::size(kPhases); ++phase) {
        if (((info.phaseMask >> phase) & 1u) != 0) {
            valid += kPhases[phase];
        } else {
            invalid += kPhases[phase];
        }
    }
    std::wstring text = String(kStringWiring) + info.wiringName + L"   ";
    if (!valid.empty()) {
        text += valid + String(kStringDataValid);
    }
    if (!invalid.empty()) {
        text += L"，" + invalid + String(kStringDataInvalid);
    }
    status->SetStatusText(wxString(text), kStatusDataPane);
}

void CMainFrame::OnViewNotify(ui::WParam code, ui::LParam text) {
    switch (code) {
    case kViewNotifyReset: {
        Invalidate();
        // The default panes, each view bound to its model before the models load.
        const std::pair<std::uint32_t, const wchar_t*> panes[] = {
            {40001, L""},  {40004, L"FALSE"}, {40006, L""}, {40007, L""}, {40008, L""},
            {40010, L""},  {40009, L""},      {40011, L""}, {40012, L""},
        };
        for (const auto& [pane, option] : panes) {
            CCtrlItem request{ctrl::kPane, pane, 0, option};
            m_Controller.Notify(&request);
        }
        OnViewMode(kViewModeEvents);
        OnViewMode(kViewModeRecords);
        break;
    }
    case kViewNotifyEventCaption:
    case kViewNotifyAlarmCaption:
        if (text != 0) {
            m_PaneMgr.SetPaneCaption(code == kViewNotifyEventCaption ? 40001 : 40004,
                                     *reinterpret_cast<const std::wstring*>(text));
        }
        break;
    default:
        break;
    }
}

void CMainFrame::OnConvertDone() {
    if (!m_DataPath.empty()) {
        OpenStatistic(m_DataPath);
    }
}

void CMainFrame::OnStartCollect() {
    StopHarmonicCollector();
    m_CollectStop = std::stop_source();
    const std::wstring folder =
        WithSeparator(platform::FromPath(
            GlobalDataConfig::get_const_instance().StatisticFolderOf(platform::ToPath(m_StatisticPath))));
    GetHarmDataCollector()->SetPhaseMask(m_RecordInfo.phaseMask);
    m_Collecting = true;
    try {
        m_hCollectThread = std::thread([this, folder, selection = m_Selection, stop = m_CollectStop.get_token()] {
            CCrashDump::ThreadGuard crashStack;
            IHarmDataCollector* collector = GetHarmDataCollector();
            collector->SetTitle(folder);
            collector->SetSelection(selection);
            collector->CollectItems(&m_StatisticModel, stop);
            m_Collecting = false;
        });
    } catch (const std::system_error& error) {
        m_Collecting = false;
        COndravaLog::GetInstance()->Write(L"CMainFrame: the harmonic collection could not start: " +
                                          platform::Utf8ToWide(error.what()));
    }
}

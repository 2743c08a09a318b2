// The main frame's road from an open command to statistic data loaded into the
// models, on the user-interface thread: the remembered folder, the folder checks,
// the board, the terminal model and version, the conversion when the folder asks
// for it, the data selection, the load behind the busy indicator and what the
// frame does once the data is there.
#include <algorithm>
#include <atomic>
#include <cfloat>
#include <filesystem>
#include <set>

#include <wx/frame.h>
#include <wx/statusbr.h>

#include "app/CommandIds.h"
#include "app/DataFolder.h"
#include "app/MainFrame.h"
#include "app/ModuleDirectory.h"
#include "app/NewDataSelectDlg.h"
#include "app/SelectBoardDlg.h"
#include "waverecord/ui/WaveMainView.h"
#include "core/CrashDump.h"
#include "core/Ini.h"
#include "core/OndravaLog.h"
#include "app/AppText.h"
#include "core/ZVResourceManager.h"
#include "device/ui/DeviceDownload.h"
#include "lib/convert/DataTransform.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Hourglaze.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/RibbonBar.h"
#include "terminal/ConvertedFolder.h"
#include "terminal/CtrlItem.h"
#include "terminal/FolderDescription.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/HarmDataCollector.h"
#include "terminal/ProfileInt.h"
#include "terminal/RecordDataManager.h"

namespace {

constexpr unsigned kStringChooseFolder = 10000;
constexpr unsigned kStringDiscardStatistic = 6091;
constexpr unsigned kStringWaveReading = 6092;
constexpr unsigned kStringWaveOpenFailed = 6102;
constexpr unsigned kStringWrongFolder = 6086;
constexpr unsigned kStringDiscardWave = 6100;
constexpr unsigned kStringStatisticReading = 6101;
constexpr unsigned kStringOldData = 6109;
constexpr unsigned kStringUnknownDevice = 6394;
constexpr unsigned kStringDataDamaged = 10068;
constexpr unsigned kStringPreprocessing = 6115;
using apptext::kStringAppTitle;
constexpr unsigned kStringOversizedDescription = 10409;
constexpr unsigned kStringUnusableFolderName = 10408;

constexpr const wchar_t* kMinimumVersion = L"V1.2.4";
// Items whose series may hold nothing but zeros; no view is offered for them then.
constexpr std::uint32_t kMaybeEmptyItems[] = {13000, 13001};

using apptext::String;

// What the user is told when a conversion ends with the code.
unsigned ConversionFailureText(int code) {
    switch (code) {
    case kConvertBadInput:
        return 6112;  // the statistic configuration lacks an item
    case 3:
        return 6113;  // the statistic files cannot be found
    case kConvertIoFailure:
        return 10404;  // a file could not be read or written
    case kConvertNotRegular:
        return 10400;  // a block file is a pipe, a device or a link to one
    case kConvertReadOnly:
        return 10401;
    case kConvertPathTooLong:
        return 10402;
    case kConvertDiskFull:
        return 10403;
    case kConvertNoMemory:
        return 6114;  // memory ran out
    case kConvertOldFormat:
        return kStringOldData;
    default:
        return 6111;  // pre-processing failed
    }
}

CIni Settings() { return CIni(GetModuleDirectory() + L"Ondrava.ini"); }

// A folder name the program can carry through its settings and paths: no line break
// or other control character, and nothing that stands for bytes that were not text.
bool IsUsableFolderName(const std::wstring& folder) {
    return std::none_of(folder.begin(), folder.end(), [](wchar_t c) {
        return c < 0x20 || c == 0x7F || c == 0xFFFD || (c >= 0xD800 && c <= 0xDFFF);
    });
}

using apptext::WithSeparator;

}  // namespace

void CMainFrame::OnOpenLocal() {
    if (m_pRibbonBar) {
        m_pRibbonBar->SelectTab(0);
    }
    const std::wstring remembered = Settings().GetString(L"Position", L"OpenLocal", GetModuleDirectory().c_str());
    const std::wstring folder = ui::BrowseForFolder(String(kStringChooseFolder), this, remembered, L"");
    if (folder.empty()) {
        return;
    }
    if (!IsUsableFolderName(folder)) {
        PlainBox(kStringUnusableFolderName);
        return;
    }
    Settings().WriteString(L"Position", L"OpenLocal", folder.c_str());
    CheckAndOpen(folder);
}

void CMainFrame::OnReselectData() {
    // The folder may have been removed or replaced while its data was shown.
    if (m_hFolderLock.IsHeld() && platform::ToPath(m_StatisticPath) == m_hFolderLock.Folder() &&
        !IsLockedFolderPresent()) {
        PlainBox(kStringWrongFolder);
        return;
    }
    OpenStatistic(m_StatisticPath);
}

void CMainFrame::OnOpenDevice() {
    if (m_pRibbonBar) {
        m_pRibbonBar->SelectTab(0);
    }
    OpenDeviceDialog(0, this, [this](const std::wstring& folder, int mode) { OpenDownloadedFolder(folder, mode); });
}

bool CMainFrame::AskDiscardStatistic() {
    return m_IsStatisticLoaded == 0 ||
           ui::MessageBox(this, String(kStringDiscardStatistic), String(kStringWaveReading),
                          ui::kMbYesNo | ui::kMbIconInformation) == ui::kIdYes;
}

void CMainFrame::OnOpenWaveLocal() {
    if (m_pRibbonBar) {
        m_pRibbonBar->SelectTab(1);
    }
    const std::wstring remembered =
        Settings().GetString(L"Position", L"WaveOpenLocal", GetModuleDirectory().c_str());
    const std::wstring folder = ui::BrowseForFolder(String(kStringChooseFolder), this, remembered, L"");
    if (folder.empty()) {
        return;
    }
    if (!IsUsableFolderName(folder)) {
        PlainBox(kStringUnusableFolderName);
        return;
    }
    if (!AskDiscardStatistic()) {
        return;
    }
    Settings().WriteString(L"Position", L"WaveOpenLocal", folder.c_str());
    OpenWaveRecord(folder);
}

void CMainFrame::OnOpenWaveDevice() {
    if (!AskDiscardStatistic()) {
        return;
    }
    if (m_pRibbonBar) {
        m_pRibbonBar->SelectTab(1);
    }
    OpenDeviceDialog(1, this, [this](const std::wstring& folder, int mode) { OpenDownloadedFolder(folder, mode); });
}

void CMainFrame::OpenDownloadedFolder(const std::wstring& folder, int mode) {
    if (mode == 0) {
        CheckAndOpen(folder);
    } else {
        OpenWaveRecord(folder);
    }
}

void CMainFrame::OpenWaveRecord(const std::wstring& path) {
    std::wstring folder = path;
    if (!HasStatisticFiles(folder)) {
        if (!FindBoardFolder(folder, 1)) {
            PlainBox(kStringWaveOpenFailed);
            return;
        }
        if (!SelectBoard(folder, 1)) {
            return;
        }
    }
    m_WavePath = folder;
    m_StatisticPath.clear();
    if (m_IsWaveShown == 0) {
        StopHarmonicCollector();
        CCtrlItem request{ctrl::kCloseAll, 0, 0, folder};
        m_Controller.Notify(&request);
        m_hFolderLock.Release();
        m_PaneMgr.CloseAll();
        m_IsStatisticLoaded = 0;
        ShowWaveClient(true);
    }
    UpdateTitle();
    UpdateStatusText();
    if (ui::SendMessage(m_WaveView.get(), CWaveMainView::kMsgOpenRecord, reinterpret_cast<ui::WParam>(&m_WavePath),
                        0) == 0) {
        return;
    }
    m_StatisticModel.QueryBasicInfo(&m_RecordInfo);
    Invalidate();
}

void CMainFrame::OnReopenWave() {
    // A copy: the analysis worker reads it while the busy indicator lets other
    // commands change the frame's path.
    std::wstring path = m_WavePath;
    if (path.empty() ||
        ui::SendMessage(m_WaveView.get(), CWaveMainView::kMsgOpenRecord, reinterpret_cast<ui::WParam>(&path), 0) == 0) {
        return;
    }
    m_StatisticModel.QueryBasicInfo(&m_RecordInfo);
    Invalidate();
}

void CMainFrame::CheckAndOpen(const std::wstring& folder) {
    m_DataPath = folder;
    CheckAndOpen();
}

void CMainFrame::CheckAndOpen() {
    if (!FindDataFolder(m_DataPath)) {
        if (!FindBoardFolder(m_DataPath, 0)) {
            PlainBox(kStringWrongFolder);
            return;
        }
        if (!SelectBoard(m_DataPath, 0)) {
            return;
        }
    }
    // A description file larger than any terminal writes is damaged: it is not read.
    if (const std::wstring oversized = OversizedDescriptionFile(platform::ToPath(m_DataPath)); !oversized.empty()) {
        ui::MessageBox(this, String(kStringOversizedDescription) + oversized, String(kStringAppTitle),
                       ui::kMbOk | ui::kMbIconExclamation);
        return;
    }
    // Data of a model the program does not know would be converted and read wrongly.
    CGlobalDataConfig& config = GlobalDataConfig::get_mutable_instance();
    if (!config.ReadDeviceType(m_DataPath)) {
        PlainBox(kStringUnknownDevice);
        return;
    }
    const std::wstring folder = WithSeparator(m_DataPath);
    if (config.GetKind() == CGlobalDataConfig::K7700) {
        const CIni info(platform::FromPath(platform::ResolveNoCase(platform::ToPath(folder), L"recordinfo.cfg")));
        if (IsVersionAtLeast(info.GetString(L"cfg", L"SoftWareVersion", kMinimumVersion), kMinimumVersion) == 0) {
            PlainBox(kStringOldData);
            return;
        }
    }
    m_IsPrepared = 0;
    config.SetItemFolder(std::wstring(), std::wstring());
    if (config.GetKind() != CGlobalDataConfig::K7900) {
        const CIni statistic(
            platform::FromPath(platform::ResolveNoCase(platform::ToPath(folder), L"Statistic/statistic.cfg")));
        // A folder that could not be written was converted into the user's cache.
        if (const auto cached = converted::CachedItemFolder(platform::ToPath(folder))) {
            config.SetItemFolder(m_DataPath, platform::FromPath(*cached));
        } else if (ReadProfileInt(statistic, L"data_convert", L"pre_convert", 0) != 1) {
            m_IsPrepared = 1;
        }
    }
    if (m_IsPrepared == 0) {
        OpenStatistic(m_DataPath);
        return;
    }
    if (m_IsWaveShown != 0 && !AskDiscardWaveRecord()) {
        return;
    }
    ui::PostMessage(m_WaveView.get(), CWaveMainView::kMsgClearRecord, 0, 0);
    int code = 0;
    const std::wstring dataPath = m_DataPath;
    std::filesystem::path itemFolder;
    if (!RunBusy([this, &code, &itemFolder, dataPath] { code = ConvertStatistic(dataPath, itemFolder); })) {
        return;
    }
    if (code == 0) {
        const std::filesystem::path own = platform::ResolveNoCase(
            platform::ToPath(WithSeparator(dataPath)), config.GetStatisticPath(false));
        if (itemFolder != own) {
            config.SetItemFolder(dataPath, platform::FromPath(itemFolder));
        }
        ui::PostMessage(this, kMsgConvertDone, 0, 0);
        return;
    }
    ui::MessageBox(this, String(ConversionFailureText(code)), String(kStringPreprocessing),
                   ui::kMbOk | ui::kMbIconExclamation);
}

bool CMainFrame::SelectBoard(std::wstring& path, int mode) {
    const std::map<int, std::wstring> boards = FindBoards(path, mode);
    if (boards.empty()) {
        return false;
    }
    auto chosen = boards.begin();
    if (boards.size() > 1) {
        std::set<int> numbers;
        for (const auto& board : boards) {
            numbers.insert(board.first);
        }
        CSelectBoardDlg dialog;
        dialog.SetBoards(numbers);
        if (dialog.DoModal(this) != ui::kIdOk || (chosen = boards.find(dialog.GetSelBoard())) == boards.end()) {
            return false;
        }
    }
    // The name as it stands on the disk: "board2" is not "Board2" everywhere.
    path = WithSeparator(path) + chosen->second;
    return true;
}

void CMainFrame::PlainBox(unsigned textId) {
    ui::MessageBox(this, String(textId), String(kStringAppTitle), ui::kMbOk | ui::kMbIconExclamation);
}

bool CMainFrame::AskDiscardWaveRecord() {
    return ui::MessageBox(this, String(kStringDiscardWave), String(kStringStatisticReading),
                          ui::kMbYesNo | ui::kMbIconInformation) == ui::kIdYes;
}

void CMainFrame::OpenStatistic(const std::wstring& path) {
    CNewDataSelectDlg dialog;
    if (!dialog.SetDataPath(path)) {
        if (dialog.IsDataDamaged()) {
            PlainBox(kStringDataDamaged);
        }
        return;
    }
    if (dialog.DoModal(this) != ui::kIdOk) {
        return;
    }
    if (m_IsPrepared == 0) {
        if (m_IsWaveShown != 0 && !AskDiscardWaveRecord()) {
            return;
        }
        ui::PostMessage(m_WaveView.get(), CWaveMainView::kMsgClearRecord, 0, 0);
        m_IsPrepared = 1;
    }
    StopHarmonicCollector();
    m_Selection = dialog.GetSelection();
    m_StatisticPath = path;
    m_WavePath.clear();
    if (m_IsWaveShown != 0) {
        ShowWaveClient(false);
        Invalidate();
    }
    bool loaded = false;
    bool ran = false;
    {
        // The load resets, shows and captions many panes: they are laid out once, after it.
        const ui::DockingPaneManager::LayoutHold hold(m_PaneMgr.GetManager());
        ran = RunBusy([this, &loaded, path, selection = m_Selection] { loaded = LoadStatistic(path, selection); });
    }
    if (!ran) {
        FailLoad();
        return;
    }
    FinishLoad(loaded);
}

bool CMainFrame::RunBusy(const std::function<void()>& work) {
    std::atomic<bool> finished{false};
    std::thread worker;
    try {
        worker = std::thread([&work, &finished] {
            CCrashDump::ThreadGuard crashStack;
            work();
            finished = true;
        });
    } catch (const std::system_error& error) {
        COndravaLog::GetInstance()->Write(L"CMainFrame: no worker could be started: " +
                                          platform::Utf8ToWide(error.what()));
        return false;
    }
    StartHourglaze(GetWx());
    // The worker's last call ended the indicator, or another indicator running made
    // Start return at once: its sends are served until it is done.
    ui::WaitServing([&finished] { return finished.load(); });
    worker.join();
    return true;
}

void CMainFrame::FinishLoad(bool loaded) {
    BasicInfo info;
    if (!loaded || m_StatisticModel.QueryBasicInfo(&info) == 0) {
        FailLoad();
        return;
    }
    OnViewMode(kViewModeRecords);
    UpdateTitle();
    UpdateStatusText();
    m_RecordInfo = std::move(info);
    for (const std::uint32_t item : kMaybeEmptyItems) {
        RemoveEmptyItem(item);
    }
    Invalidate();
    m_IsStatisticLoaded = 1;
    LockDataFolder(m_StatisticPath);
}

// A load that brought no statistic data leaves nothing behind that looks loaded.
void CMainFrame::FailLoad() {
    StopHarmonicCollector();
    m_hFolderLock.Release();
    m_PaneMgr.CloseAll();
    m_IsStatisticLoaded = 0;
    m_StatisticPath.clear();
    m_RecordInfo = BasicInfo();
    UpdateTitle();
    if (wxStatusBar* status = GetFrame()->GetStatusBar()) {
        status->SetStatusText(wxString(), kStatusDataPane);
    }
    PlainBox(kStringDataDamaged);
}

void CMainFrame::RemoveEmptyItem(std::uint32_t itemId) {
    CRecordDataManager manager;
    const double low = 0.0;
    const double high = DBL_MAX;
    manager.SetLimits(&low, &high, CRecordDataManager::ClampToLimits, CRecordDataManager::kNoSubstitute);
    auto* series = static_cast<IZVDataManager*>(&manager);
    m_StatisticModel.GetData(0, 0, 0, 0, itemId, reinterpret_cast<QueryWord>(series));
    if (manager.ClearIfAllZero() != 0) {
        std::erase(m_RecordInfo.viewIds, itemId);
    }
}

void CMainFrame::StopHarmonicCollector() {
    if (m_hCollectThread.joinable()) {
        m_CollectStop.request_stop();
        m_hCollectThread.join();
    }
    GetHarmDataCollector()->Clear();
}

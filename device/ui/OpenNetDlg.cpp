#include "device/ui/OpenNetDlg.h"

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <thread>

#include <wx/listctrl.h>
#include <wx/utils.h>

#include "controls/ControlTemplate.h"
#include "core/CrashDump.h"
#include "core/Ini.h"
#include "core/OndravaLog.h"
#include "device/DeviceTexts.h"
#include "device/DownloadOutcome.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gfx/PictureStore.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"

namespace {

constexpr int kModelPictures[] = {5100, 5101, 5102};
const wxColour kPanelColour(182, 194, 205);

// "%d" in a language string replaced by the number.
std::wstring WithNumber(unsigned id, std::size_t number) {
    std::wstring text = device::LoadDeviceString(id);
    const std::size_t at = text.find(L"%d");
    if (at != std::wstring::npos) {
        text.replace(at, 2, std::to_wstring(number));
    }
    return text;
}

std::wstring SizeInMegabytes(std::uint64_t bytes) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(bytes) / 1024.0 / 1024.0);
    return platform::Utf8ToWide(text);
}

std::wstring IniPath() { return platform::FromPath(platform::ProgramFolder() / "Ondrava.ini"); }

}  // namespace

// Hands discovery's reports to the dialog's thread as copies. Each report
// carries the search it belongs to, and a report that arrives after the dialog
// has gone is dropped.
class COpenNetDlg::DiscoveryRelay : public IDiscoveryOwner {
public:
    explicit DiscoveryRelay(COpenNetDlg* dialog) : m_target(std::make_shared<COpenNetDlg*>(dialog)) {}
    ~DiscoveryRelay() override { *m_target = nullptr; }

    void OnDeviceFound(const CZVDeviceInfo& device) override {
        Post(kMsgDeviceFound, std::make_shared<CZVDeviceInfo>(device));
    }
    void OnDiscoveryEnd() override { Post(kMsgDiscoveryEnd, nullptr); }
    void OnDiscoveryFailed() override { Post(kMsgDiscoveryFailed, nullptr); }
    void OnTooManyDevices(std::size_t limit) override {
        ui::PostToUiThread([target = m_target, number = search.load(), limit] {
            if (COpenNetDlg* dialog = *target) {
                dialog->WindowProc(kMsgTooManyDevices, number, static_cast<ui::LParam>(limit));
            }
        });
    }

    std::atomic<ui::WParam> search{0};

private:
    void Post(unsigned message, std::shared_ptr<const CZVDeviceInfo> device) {
        ui::PostToUiThread([target = m_target, message, device, number = search.load()] {
            if (COpenNetDlg* dialog = *target) {
                dialog->WindowProc(message, number, reinterpret_cast<ui::LParam>(device.get()));
            }
        });
    }

    std::shared_ptr<COpenNetDlg*> m_target;
};

COpenNetDlg::COpenNetDlg(int mode, ui::Window* parent)
    : ui::Dialog(controls::LoadControlTemplate(kTemplateId)),
      m_mode(mode),
      m_parent(parent),
      m_progress(this),
      m_relay(std::make_unique<DiscoveryRelay>(this)) {
    OnMessage(kMsgDeviceFound, [this](ui::WParam search, ui::LParam device) -> ui::LResult {
        if (search == m_search && device != 0) {
            AddNetworkDevice(*reinterpret_cast<const CZVDeviceInfo*>(device));
        }
        return 0;
    });
    OnMessage(kMsgDiscoveryEnd, [](ui::WParam, ui::LParam) -> ui::LResult { return 0; });
    OnMessage(kMsgDiscoveryFailed, [this](ui::WParam search, ui::LParam) -> ui::LResult {
        if (search == m_search) {
            SetDlgItemText(kNetworkStatusId, device::LoadDeviceString(device::kTextDiscoveryFailed));
        }
        return 0;
    });
    OnMessage(kMsgTooManyDevices, [this](ui::WParam search, ui::LParam limit) -> ui::LResult {
        if (search == m_search) {
            m_tooManyDevices = static_cast<std::size_t>(limit);
            ShowNetworkCount();
        }
        return 0;
    });
    OnControlNotify(kDeviceListId, ui::kNotifyItemChanged, [this] { DeviceSelectionChanged(); });
    OnControlNotify(kFolderListId, ui::kNotifyItemChanged, [this] { UpdateButtons(); });
    OnCommand(kRefreshId, [this] { RunRefresh(); });
    OnCommand(kDownloadId, [this] { ChooseFolderAndDownload(); });
}

COpenNetDlg::~COpenNetDlg() {
    CDiscoveryTool::Stop(true);
    m_relay.reset();
    if (m_current != nullptr) {
        m_current->Disconnect();
    }
}

int COpenNetDlg::DoModal() {
    const int result = ui::Dialog::DoModal(m_parent);
    // The window is gone: no search may report to it any more.
    CDiscoveryTool::Stop(true);
    if (m_current != nullptr) {
        m_current->Disconnect();
        m_current = nullptr;
    }
    return result;
}

bool COpenNetDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    GetWx()->SetBackgroundColour(kPanelColour);
    m_deviceList.SubclassDlgItem(kDeviceListId, this);
    std::vector<gfx::Bitmap> icons;
    for (const int picture : kModelPictures) {
        icons.push_back(gfx::LoadPicture(picture));
    }
    m_deviceList.SetImages(std::move(icons));
    m_deviceList.SetEmptyText(device::LoadDeviceString(device::kTextNoDevice));
    SetDlgItemText(kDeviceLabelId, device::LoadDeviceString(device::kTextDeviceListColumn));

    if (wxListCtrl* folders = GetFolderList()) {
        folders->InsertColumn(0, wxString(device::LoadDeviceString(device::kTextColumnName)), wxLIST_FORMAT_LEFT, 260);
        folders->InsertColumn(1, wxString(device::LoadDeviceString(device::kTextColumnSize)), wxLIST_FORMAT_RIGHT, 110);
        folders->Bind(wxEVT_LIST_COL_CLICK, [binding = Binding()](wxListEvent& event) {
            if (auto* self = static_cast<COpenNetDlg*>(*binding)) {
                self->SortFolders(event.GetColumn());
            }
        });
    }
    m_help.SubclassDlgItem(kHelpLinkId, this);
    m_help.SetHelpParent(this);

    EnableItem(kDownloadId, false);
    EnableItem(ui::kIdOk, false);
    RefreshDevices();
    EnableItem(kRefreshId, true);
    return true;
}

void COpenNetDlg::EnableItem(unsigned id, bool enable) {
    if (wxWindow* item = GetDlgItem(id)) {
        item->Enable(enable);
    }
}

wxListCtrl* COpenNetDlg::GetFolderList() const { return GetItem<wxListCtrl>(kFolderListId); }

void COpenNetDlg::RunRefresh() {
    EnableItem(kRefreshId, false);
    RefreshDevices();
    EnableItem(kRefreshId, true);
}

void COpenNetDlg::RefreshDevices() {
    EnableItem(kDownloadId, false);
    EnableItem(ui::kIdOk, false);
    m_deviceList.DeleteAllItems();
    ClearFolders();
    if (m_current != nullptr) {
        m_current->Disconnect();
        m_current = nullptr;
    }
    m_devices.clear();
    if (CDiscoveryTool::ScanRemovableDrives(m_devices) != 0) {
        for (std::size_t i = 0; i < m_devices.size(); ++i) {
            const int model = m_devices[i].m_model;
            m_deviceList.InsertItem(FormatDeviceInfoLine(m_devices[i]), model >= 1 && model <= 3 ? model - 1 : 0, i);
        }
        SetDlgItemText(kDriveStatusId, WithNumber(device::kTextUsbFound, m_devices.size()));
    } else {
        SetDlgItemText(kDriveStatusId, device::LoadDeviceString(device::kTextUsbFailed));
    }
    SetDlgItemText(kNetworkStatusId, device::LoadDeviceString(device::kTextNetworkNone));
    m_tooManyDevices = 0;
    m_relay->search.store(++m_search);
    CDiscoveryTool::Start(m_relay.get());
}

void COpenNetDlg::AddNetworkDevice(const CZVDeviceInfo& found) {
    for (const CZVDeviceInfo& listed : m_devices) {
        if (listed.m_address == found.m_address && listed.m_transport == found.m_transport &&
            listed.m_model == found.m_model) {
            return;
        }
    }
    m_devices.push_back(found);
    const int model = found.m_model;
    m_deviceList.InsertItem(FormatDeviceInfoLine(found), model >= 1 && model <= 3 ? model - 1 : 0,
                            m_devices.size() - 1);
    ShowNetworkCount();
}

void COpenNetDlg::ShowNetworkCount() {
    if (m_tooManyDevices != 0) {
        SetDlgItemText(kNetworkStatusId, WithNumber(device::kTextTooManyDevices, m_tooManyDevices));
        return;
    }
    const auto network = std::count_if(m_devices.begin(), m_devices.end(),
                                       [](const CZVDeviceInfo& d) { return d.m_transport == kTransportNetwork; });
    SetDlgItemText(kNetworkStatusId, WithNumber(device::kTextNetworkFound, static_cast<std::size_t>(network)));
}

void COpenNetDlg::DeviceSelectionChanged() {
    const int row = m_deviceList.GetSelection();
    if (row >= 0) {
        OpenDevice(row);
        return;
    }
    ClearFolders();
    EnableItem(kDownloadId, false);
    EnableItem(ui::kIdOk, false);
}

void COpenNetDlg::ClearFolders() {
    if (wxListCtrl* folders = GetFolderList()) {
        folders->DeleteAllItems();
        folders->RemoveSortIndicator();
    }
    m_folders.clear();
    m_rowFolders.clear();
}

void COpenNetDlg::OpenDevice(int row) {
    wxBusyCursor busy;
    ClearFolders();
    const std::size_t index = m_deviceList.GetItemData(row);
    if (index >= m_devices.size()) {
        return;
    }
    const CZVDeviceInfo record = m_devices[index];
    if (m_current != nullptr) {
        m_current->Disconnect();
    }
    m_current = record.m_transport == kTransportRemovable ? static_cast<ICommunicationBase*>(&m_drive)
                : record.m_transport == kTransportNetwork ? static_cast<ICommunicationBase*>(&m_network)
                                                          : nullptr;
    if (m_current == nullptr) {
        return;
    }
    m_current->SetDevice(record, m_mode, &m_progress);
    if (m_current->Connect() == 0) {
        ShowMessage(device::LoadDeviceString(device::kTextConnectFailed), ui::kMbIconExclamation);
        return;
    }
    Listing listing;
    ICommunicationBase* transport = m_current;
    std::thread worker([this, transport, &listing] {
        CCrashDump::ThreadGuard guard;
        NotifyHourglaze(device::LoadDeviceString(device::kTextUpdatingList).c_str());
        listing = ListWorker(transport);
        EndHourglaze();
    });
    StartHourglaze(GetWx());
    worker.join();
    if (listing.verifyFailed) {
        RefreshDevices();
        return;
    }
    // What was listed whole is shown; the user hears that the rest is missing.
    ShowFolders(listing);
    if (listing.error != 0) {
        ShowMessage(device::ListingFailureText(listing.error), ui::kMbIconExclamation);
    }
}

COpenNetDlg::Listing COpenNetDlg::ListWorker(ICommunicationBase* transport) {
    Listing listing;
    const bool whole = transport->ListFolders(listing.folders) != 0;
    if (whole && listing.folders.empty() && transport->Verify() == 0) {
        listing.verifyFailed = true;
        return listing;
    }
    for (const ZVFolderInfo& folder : listing.folders) {
        listing.locked.push_back(transport->IsRecordLocked(folder));
        IncreaseHourglaze(1);
    }
    // The first listing that broke off, while the folders or their locks were looked for.
    listing.error = transport->GetListingError();
    return listing;
}

void COpenNetDlg::ShowFolders(const Listing& listing) {
    m_folders.clear();
    for (std::size_t i = 0; i < listing.folders.size(); ++i) {
        if (!listing.locked[i]) {
            m_folders.push_back(listing.folders[i]);
        }
    }
    // A new listing starts in name order.
    device::SharedFolderSort().Reset(device::kFolderColumnName);
    FillFolderRows();
    UpdateButtons();
}

void COpenNetDlg::FillFolderRows() {
    wxListCtrl* list = GetFolderList();
    if (list == nullptr) {
        return;
    }
    std::vector<device::FolderRowKey> keys;
    for (const ZVFolderInfo& folder : m_folders) {
        keys.push_back({folder.GetFolderName(0), folder.GetTotalSize()});
    }
    const bool screenFirst = m_mode == kModeStatistic && !keys.empty() && keys.front().name == kScreenFolder;
    const device::FolderSortState& state = device::SharedFolderSort();
    m_rowFolders = device::SortedFolderOrder(keys, state, screenFirst);
    list->DeleteAllItems();
    long row = 0;
    for (const std::size_t index : m_rowFolders) {
        list->InsertItem(row, wxString(keys[index].name));
        list->SetItem(row, 1, wxString(SizeInMegabytes(keys[index].bytes)));
        list->SetItemData(row, static_cast<long>(index));
        ++row;
    }
    if (state.column >= 0) {
        list->ShowSortIndicator(state.column, state.ascending);
    }
}

void COpenNetDlg::SortFolders(int column) {
    device::SharedFolderSort().Click(column);
    FillFolderRows();
    UpdateButtons();
}

void COpenNetDlg::ClickColumn(int column) { SortFolders(column); }

std::vector<long> COpenNetDlg::SelectedFolderRows() const {
    std::vector<long> rows;
    if (wxListCtrl* list = GetFolderList()) {
        for (long row = list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row != -1;
             row = list->GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
            rows.push_back(row);
        }
    }
    return rows;
}

void COpenNetDlg::SelectFolderRows(const std::vector<long>& rows) {
    wxListCtrl* list = GetFolderList();
    if (list == nullptr) {
        return;
    }
    for (long row = 0; row < list->GetItemCount(); ++row) {
        const bool wanted = std::find(rows.begin(), rows.end(), row) != rows.end();
        list->SetItemState(row, wanted ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
    }
    UpdateButtons();
}

void COpenNetDlg::UpdateButtons() {
    const std::vector<long> rows = SelectedFolderRows();
    bool screen = false;
    for (const long row : rows) {
        screen = screen || GetFolderList()->GetItemText(row).ToStdWstring() == kScreenFolder;
    }
    // The screenshots are a folder to fetch, not a record the program opens.
    EnableItem(kDownloadId, !rows.empty());
    EnableItem(ui::kIdOk, rows.size() == 1 && !screen);
}

std::wstring COpenNetDlg::IniKey() const {
    return m_mode == kModeWaveform ? L"WaveDownloadLocal" : L"DownloadLocal";
}

void COpenNetDlg::ChooseFolderAndDownload() {
    if (m_current == nullptr) {
        return;
    }
    CIni ini(IniPath());
    const std::wstring start = ini.GetString(L"Position", IniKey().c_str(), L"");
    std::wstring chosen =
        ui::BrowseForFolder(device::LoadDeviceString(device::kTextChooseFolder), this, start, std::wstring());
    if (chosen.empty()) {
        return;
    }
    if (chosen.back() != L'/') {
        chosen += L'/';
    }
    ini.WriteString(L"Position", IniKey().c_str(), chosen.c_str());
    DownloadSelected();
}

void COpenNetDlg::DownloadSelected() {
    m_resultPath.clear();
    m_downloaded = false;
    const std::wstring folder = CIni(IniPath()).GetString(L"Position", IniKey().c_str(), L"");
    if (m_deviceList.GetSelection() < 0 || m_current == nullptr) {
        return;
    }
    if (m_current->Verify() == 0) {
        ShowMessage(device::LoadDeviceString(device::kTextDisconnected), ui::kMbIconExclamation);
        RunRefresh();
        device::LogDeviceString(device::kTextDisconnectedLog);
        return;
    }
    for (const long row : SelectedFolderRows()) {
        if (DownloadFolder(row, folder) == 0) {
            break;
        }
    }
}

int COpenNetDlg::DownloadFolder(long row, const std::wstring& downloadFolder) {
    wxListCtrl* list = GetFolderList();
    const std::size_t index = list != nullptr ? static_cast<std::size_t>(list->GetItemData(row)) : m_folders.size();
    if (index >= m_folders.size() || m_current == nullptr) {
        ShowMessage(device::LoadDeviceString(device::kTextRecordInfoError), ui::kMbIconExclamation);
        return 0;
    }
    const ZVFolderInfo record = m_folders[index];
    const std::wstring target = LocalRecordFolder(record, downloadFolder);
    std::error_code error;
    if (std::filesystem::exists(platform::ToPath(target), error)) {
        // Asked once per record; the earlier copy goes only when the new one is complete.
        const int answer = ui::MessageBox(this, device::LoadDeviceString(device::kTextAlreadyExists),
                                          device::LoadDeviceString(device::kTextCaption),
                                          ui::kMbYesNo | ui::kMbIconQuestion);
        if (answer != ui::kIdYes) {
            return 1;
        }
    }
    const int result = m_current->DownloadRecord(record, downloadFolder);
    if (result == 0) {
        SystemTime start{};
        SystemTime end{};
        if (m_current->ReadRecordTimes(record, downloadFolder, start, end) != 0) {
            m_current->GetSnapshots(record, downloadFolder, start, end);
        }
    }
    GetWx()->Raise();
    const device::DownloadOutcome outcome = device::OutcomeOfDownload(result, m_current->GetRefusedName());
    if (outcome.downloaded) {
        m_downloaded = true;
        m_resultPath = target;
    }
    if (outcome.showsMessage) {
        ShowMessage(outcome.message, ui::kMbIconExclamation);
    }
    if (outcome.refreshDevices) {
        RunRefresh();
    }
    return outcome.goOn ? 1 : 0;
}

void COpenNetDlg::ShowMessage(const std::wstring& text, unsigned flags) {
    COndravaLog::GetInstance()->Write(text);
    ui::MessageBox(this, text, device::LoadDeviceString(device::kTextCaption), ui::kMbOk | flags);
}

void COpenNetDlg::OnOK() {
    ChooseFolderAndDownload();
    if (m_downloaded) {
        EndDialog(ui::kIdOk);
    }
}

#pragma once
// COpenNetDlg: the modal dialog in which the user picks a terminal (found on the
// network or on a mounted drive), sees its record folders and copies the chosen
// ones into a local folder, which it remembers. Mode 0 offers statistic records,
// mode 1 waveform records. Closed with OK after a successful download, it holds
// the local folder of the last record downloaded.
//
// Discovery reports arrive from its receive thread as posted copies and are
// handled as the messages below; reports of an earlier search are dropped. The
// folder listing runs on a worker that returns what it found; the dialog fills
// its list from that on its own thread.

#include <memory>
#include <string>
#include <vector>

#include "core/ZVFolderInfo.h"
#include "device/DiscoveryTool.h"
#include "device/EthernetCommunication.h"
#include "device/FolderSort.h"
#include "device/USBCommunication.h"
#include "device/ZVDeviceInfo.h"
#include "device/ui/DeviceListCtrl.h"
#include "device/ui/DialogProgress.h"
#include "device/ui/XTPHyperLinkEx.h"
#include "platform/ui/Dialog.h"

class wxListCtrl;

// Messages of the device dialog (wParam: the search they belong to).
inline constexpr unsigned kMsgDeviceFound = 0x052D;      // lParam: const CZVDeviceInfo*, valid for the call
inline constexpr unsigned kMsgDiscoveryEnd = 0x052C;
inline constexpr unsigned kMsgDiscoveryFailed = 0x052E;
inline constexpr unsigned kMsgTooManyDevices = 0x052F;   // lParam: the number listening stopped at

class COpenNetDlg : public ui::Dialog {
public:
    static constexpr unsigned kTemplateId = 118;
    static constexpr unsigned kDeviceListId = 8805;
    static constexpr unsigned kFolderListId = 6829;
    static constexpr unsigned kDownloadId = 32866;
    static constexpr unsigned kRefreshId = 32876;
    static constexpr unsigned kHelpLinkId = 6838;
    static constexpr unsigned kDeviceLabelId = 6837;
    static constexpr unsigned kLeftPanelId = 6842;
    static constexpr unsigned kRightPanelId = 6843;
    static constexpr unsigned kDriveStatusId = 6844;
    static constexpr unsigned kNetworkStatusId = 6845;

    COpenNetDlg(int mode, ui::Window* parent);
    ~COpenNetDlg() override;

    // Runs the dialog; ui::kIdOk when a download ended with OK.
    int DoModal();
    const std::wstring& GetResultPath() const { return m_resultPath; }

    bool OnInitDialog() override;
    void OnOK() override;

    // The dialog's state, for its tests and the program's.
    CDeviceListCtrl& GetDeviceList() { return m_deviceList; }
    wxListCtrl* GetFolderList() const;
    void SetFtpPort(std::uint16_t port) { m_network.SetPort(port); }
    void SetFtpListingLimits(const net::FtpListingLimits& limits) { m_network.GetClient().SetListingLimits(limits); }
    // Selects the folder rows (by row) as the user would.
    void SelectFolderRows(const std::vector<long>& rows);
    void RefreshDevices();
    void ClickColumn(int column);
    void ChooseFolderAndDownload();
    CXTPHyperLinkEx& GetHelpLink() { return m_help; }

private:
    class DiscoveryRelay;
    struct Listing {
        std::vector<ZVFolderInfo> folders;
        std::vector<bool> locked;
        bool verifyFailed = false;
        int error = 0;  // why the listing broke off (the transport's GetListingError)
    };

    void AddNetworkDevice(const CZVDeviceInfo& device);
    // The network status: the devices listed, or that listening stopped at the cap.
    void ShowNetworkCount();
    void DeviceSelectionChanged();
    void OpenDevice(int row);
    Listing ListWorker(ICommunicationBase* transport);
    void ShowFolders(const Listing& listing);
    void FillFolderRows();
    void UpdateButtons();
    void SortFolders(int column);
    void DownloadSelected();
    int DownloadFolder(long row, const std::wstring& downloadFolder);
    void CleanUp();
    void ClearFolders();
    void EnableItem(unsigned id, bool enable);
    std::vector<long> SelectedFolderRows() const;
    void ShowMessage(const std::wstring& text, unsigned flags);
    std::wstring IniKey() const;
    void RunRefresh();

    int m_mode;
    ui::Window* m_parent;
    CDeviceListCtrl m_deviceList;
    CXTPHyperLinkEx m_help;
    std::vector<CZVDeviceInfo> m_devices;
    std::vector<ZVFolderInfo> m_folders;
    std::vector<std::size_t> m_rowFolders;  // folder record of each shown row
    ICommunicationBase* m_current = nullptr;
    CDialogProgress m_progress;
    CUSBCommunication m_drive;
    CEthernetCommunication m_network;
    bool m_downloaded = false;
    std::wstring m_resultPath;
    std::unique_ptr<DiscoveryRelay> m_relay;
    ui::WParam m_search = 0;
    std::size_t m_tooManyDevices = 0;  // the cap the current search stopped at, 0 while it did not
};

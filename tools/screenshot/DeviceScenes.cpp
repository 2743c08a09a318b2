// Scenes of device discovery and download: the device dialog with a terminal on a
// drive (a generated medium in a temporary folder, found through a mount table of
// the scene's own) and one answering on the loopback network, the drive's folders
// listed; the help task dialog; and the second page of the transfer-mode guide.
// Discovery is pointed at the loopback interface: a scene never probes a network.
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/MainFrame.h"
#include "tools/screenshot/Scene.h"
#include "device/DeviceRowPainter.h"
#include "device/DeviceTexts.h"
#include "device/DiscoveryTool.h"
#include "device/RemovableDrives.h"
#include "device/ui/OpenNetDlg.h"
#include "device/ui/TaskDialogEx.h"
#include "device/ui/XTPPropertyNetSheet.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Font.h"
#include "platform/net/UdpSocket.h"
#include "tools/gen/TerminalMedium.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A terminal answering every probe on the loopback interface.
class LoopbackTerminal {
public:
    LoopbackTerminal() {
        m_socket.Open(net::kLoopback, 0);
        const std::string reply = platform::WideToGbk(
                                      L"respone=ok;devname=K7900 城南变电站;devtype=K7900;version=V2.1.0;IpCount=1;"
                                      L"ipaddress0=127.0.0.1;gateway0=127.0.0.254;mask0=255.0.0.0;")
                                      .value_or(std::string());
        m_thread = std::thread([this, reply] {
            char buffer[64];
            while (!m_stop.load()) {
                if (m_socket.WaitReadable(50ms) == net::UdpSocket::Wait::Readable &&
                    m_socket.Receive(buffer, sizeof buffer)) {
                    m_socket.SendTo(net::kLoopback, CDiscoveryTool::ListenPort(), reply);
                }
            }
        });
    }
    ~LoopbackTerminal() {
        m_stop.store(true);
        m_thread.join();
    }
    std::uint16_t Port() const { return m_socket.LocalPort(); }

private:
    net::UdpSocket m_socket;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

bool AllGlyphs(const std::vector<std::wstring>& texts, const gfx::Font& font) {
    for (const std::wstring& text : texts) {
        if (gfx::MissingGlyphCount(text, font) != 0) {
            return false;
        }
    }
    return true;
}

gfx::Font DialogFont() {
    gfx::Font font;
    font.face = L"宋体";
    font.height = -12;
    return font;
}

const screenshot::SceneRegistrar kDialog("device-dialog", [](screenshot::SceneContext& context) {
    screenshot::SceneFolder folder;
    gen::TerminalMediumOptions medium;
    medium.deviceName = L"K7800 便携式分析仪";
    medium.exportRecords = {{"20260301_080000", 0, false, 600}, {"20260302_090000", 0, false, 1440},
                            {"20260305_073000", 0, false, 120}};
    if (folder.Path().empty() || !gen::WriteTerminalMedium(folder.Path() / "usb", medium)) {
        return false;
    }
    std::ofstream(folder.Path() / "mountinfo")
        << "40 1 8:17 / " << (folder.Path() / "usb").string() << " rw - vfat /dev/sdz1 rw\n";
    SetMountTablePath(platform::FromPath(folder.Path() / "mountinfo"));
    LoopbackTerminal terminal;
    DiscoverySettings settings;
    settings.listenAddress = net::kLoopback;
    settings.listenPort = 0;
    settings.destinations = {net::kLoopback};
    settings.probePort = terminal.Port();
    CDiscoveryTool::SetSettings(settings);

    bool saved = false;
    {
        COpenNetDlg dialog(kModeStatistic, context.frame);
        if (dialog.Create(context.frame)) {
            dialog.ShowWindow(ui::kShow);
            for (int round = 0; round < 50 && dialog.GetDeviceList().GetItemCount() < 2; ++round) {
                screenshot::Settle();
            }
            dialog.GetDeviceList().SetSelection(0);
            dialog.SelectFolderRows({2});
            std::vector<std::wstring> names;
            for (int row = 0; row < dialog.GetDeviceList().GetItemCount(); ++row) {
                names.push_back(dialog.GetDeviceList().GetItemText(row));
            }
            const std::vector<std::wstring> texts = {
                dialog.GetDlgItemText(COpenNetDlg::kDriveStatusId), dialog.GetDlgItemText(COpenNetDlg::kNetworkStatusId),
                device::LoadDeviceString(device::kTextColumnName), device::LoadDeviceString(device::kTextColumnSize),
                dialog.GetHelpLink().GetText()};
            screenshot::Settle();
            saved = dialog.GetDeviceList().GetItemCount() == 2 && AllGlyphs(names, device::DeviceNameFont()) &&
                    AllGlyphs(texts, DialogFont()) && screenshot::SaveFromWindow(dialog.GetWx(), context.file);
            dialog.DestroyWindow();
        }
    }
    CDiscoveryTool::Stop(true);
    CDiscoveryTool::SetSettings(DiscoverySettings{});
    SetMountTablePath(L"");
    return saved;
});

const screenshot::SceneRegistrar kHelp("device-help", [](screenshot::SceneContext& context) {
    bool saved = false;
    SetHelpWatch({[&](CTaskDialogEx& task) {
                      screenshot::Settle();
                      saved = AllGlyphs({device::LoadDeviceString(device::kTextHelpInstruction),
                                         device::LoadDeviceString(device::kTextHelpContent)},
                                        DialogFont()) &&
                              screenshot::SaveFromWindow(task.GetWx(), context.file);
                      task.EndDialog(ui::kIdOk);
                  },
                  {}});
    ShowTransferModeHelp(context.frame);
    SetHelpWatch({});
    return saved;
});

const screenshot::SceneRegistrar kGuide("device-guide", [](screenshot::SceneContext& context) {
    bool saved = false;
    SetHelpWatch({[](CTaskDialogEx& task) { task.ClickLink(0); },
                  [&](CXTPPropertyNetSheet& guide) {
                      guide.SetActivePage(1);
                      screenshot::Settle();
                      saved = AllGlyphs({device::LoadDeviceString(device::kTextGuideStep2)}, DialogFont()) &&
                              screenshot::SaveFromWindow(guide.GetWx(), context.file);
                      guide.EndDialog(ui::kIdOk);
                  }});
    ShowTransferModeHelp(context.frame);
    SetHelpWatch({});
    return saved;
});

}  // namespace

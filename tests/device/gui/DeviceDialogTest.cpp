// The device dialog under a virtual display: terminals on a simulated drive and on
// the loopback network (a UDP responder and the FTP server script), their folders
// with sizes, downloads through the progress dialog, the messages of failed
// downloads, and the help guide.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <thread>

#include <wx/listctrl.h>
#include <wx/toplevel.h>

#include "device/DeviceTexts.h"
#include "device/DiscoveryTool.h"
#include "device/RemovableDrives.h"
#include "device/ui/DeviceDownload.h"
#include "device/ui/OpenNetDlg.h"
#include "device/ui/TaskDialogEx.h"
#include "device/ui/XTPPropertyNetSheet.h"
#include "platform/base/Encoding.h"
#include "platform/net/UdpSocket.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/TempDir.h"
#include "tests/ui/EventPump.h"
#include "tools/gen/TerminalMedium.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The terminal's side of discovery: answers every probe with its reply.
class Terminal {
public:
    explicit Terminal(std::string reply) : m_reply(std::move(reply)) {
        m_socket.Open(net::kLoopback, 0);
        m_thread = std::thread([this] {
            char buffer[64];
            while (!m_stop.load()) {
                if (m_socket.WaitReadable(50ms) == net::UdpSocket::Wait::Readable &&
                    m_socket.Receive(buffer, sizeof buffer)) {
                    // Answers twice, as a terminal on two routes would.
                    m_socket.SendTo(net::kLoopback, CDiscoveryTool::ListenPort(), m_reply);
                    m_socket.SendTo(net::kLoopback, CDiscoveryTool::ListenPort(), m_reply);
                }
            }
        });
    }
    ~Terminal() {
        m_stop.store(true);
        m_thread.join();
    }
    std::uint16_t Port() const { return m_socket.LocalPort(); }

private:
    std::string m_reply;
    net::UdpSocket m_socket;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

class DeviceDialogTest : public testing::Test {
protected:
    void SetUp() override {
        devicetest::UseUtc();
        gen::TerminalMediumOptions drive;
        drive.deviceName = L"K7700 手持";
        drive.deviceNumber = 7700000042;
        ASSERT_TRUE(gen::WriteTerminalMedium(dir / "usb", drive));
        gen::TerminalMediumOptions network;
        network.exportRecords = {{"20260301_080000"}, {"20260302_090000"}, {"20260303_100000", 0, true}};
        ASSERT_TRUE(gen::WriteTerminalMedium(dir / "terminal", network));
        SetMountTablePath(platform::FromPath(
            dir.Write("mountinfo", "40 1 8:17 / " + (dir / "usb").string() + " rw - vfat /dev/sdz1 rw\n")));
        StartServer({});
        DiscoverySettings settings;
        settings.listenAddress = net::kLoopback;
        settings.listenPort = 0;
        settings.destinations = {net::kLoopback};
        settings.probePort = terminal.Port();
        settings.quietSpell = 2s;
        CDiscoveryTool::SetSettings(settings);
        ui::SetMessageBoxResponder([this](const ui::MessageBoxRequest& request) {
            std::lock_guard lock(m_lock);
            messages.push_back(request.text);
            return (request.flags & ui::kMbButtonMask) == ui::kMbYesNo ? answer : ui::kIdOk;
        });
        ui::SetPickerResponder([this](const ui::PickerRequest&) { return platform::FromPath(dir / "local"); });
    }
    void TearDown() override {
        ui::SetMessageBoxResponder({});
        ui::SetPickerResponder({});
        SetHelpWatch({});
        CDiscoveryTool::Stop(true);
        CDiscoveryTool::SetSettings(DiscoverySettings{});
        SetMountTablePath(L"");
    }
    void StartServer(std::vector<std::string> options) {
        server.reset();
        server = std::make_unique<devicetest::FtpServerProcess>(dir / "terminal", std::move(options));
        ASSERT_NE(0, server->Port());
    }
    // Opens the dialog without a modal loop, so the test can act as the user.
    std::unique_ptr<COpenNetDlg> Open(int mode = kModeStatistic) {
        auto dialog = std::make_unique<COpenNetDlg>(mode, nullptr);
        dialog->SetFtpPort(server->Port());
        EXPECT_TRUE(dialog->Create(nullptr));
        dialog->ShowWindow(ui::kShow);
        EXPECT_TRUE(uitest::PumpUntil([&] { return dialog->GetDeviceList().GetItemCount() == 2; }))
            << "the drive at once, the network terminal when it answers";
        return dialog;
    }
    static std::vector<std::wstring> Rows(COpenNetDlg& dialog, int column) {
        std::vector<std::wstring> rows;
        wxListCtrl* list = dialog.GetFolderList();
        for (long row = 0; row < list->GetItemCount(); ++row) {
            rows.push_back(list->GetItemText(row, column).ToStdWstring());
        }
        return rows;
    }
    static bool Enabled(COpenNetDlg& dialog, unsigned id) { return dialog.GetDlgItem(id)->IsEnabled(); }
    std::vector<std::wstring> Messages() {
        std::lock_guard lock(m_lock);
        return messages;
    }

    testsupport::TempDir dir;
    // Terminals write their replies in their code page.
    Terminal terminal{*platform::WideToGbk(
        L"respone=ok;devname=K7800 现场;devtype=K7800;version=V1.2.4;IpCount=1;"
        L"ipaddress0=127.0.0.1;gateway0=127.0.0.254;mask0=255.0.0.0;")};
    std::unique_ptr<devicetest::FtpServerProcess> server;
    std::mutex m_lock;
    std::vector<std::wstring> messages;
    int answer = ui::kIdYes;
};

TEST_F(DeviceDialogTest, ListsDevicesAndTheirFoldersWithSizes) {
    auto dialog = Open();
    EXPECT_EQ(L"发现USB设备1个", dialog->GetDlgItemText(COpenNetDlg::kDriveStatusId));
    EXPECT_EQ(L"网络设备1个", dialog->GetDlgItemText(COpenNetDlg::kNetworkStatusId)) << "two answers, one terminal";
    EXPECT_EQ(L"K7700 手持 7700000042", dialog->GetDeviceList().GetItemText(0));
    EXPECT_EQ(L"K7800 现场 127.0.0.1", dialog->GetDeviceList().GetItemText(1));
    EXPECT_EQ(0, dialog->GetDeviceList().GetItemImage(0));
    EXPECT_EQ(1, dialog->GetDeviceList().GetItemImage(1));

    dialog->GetDeviceList().SetSelection(0);
    EXPECT_EQ((std::vector<std::wstring>{L"SCREEN", L"20260301_080000", L"20260302_090000"}), Rows(*dialog, 0));
    EXPECT_EQ(L"0.009", Rows(*dialog, 1)[0]) << "three screenshots of 3000 bytes";

    dialog->GetDeviceList().SetSelection(1);
    EXPECT_EQ((std::vector<std::wstring>{L"SCREEN", L"20260301_080000", L"20260302_090000"}), Rows(*dialog, 0))
        << "the record still being written is not offered";
    EXPECT_NE(L"0.000", Rows(*dialog, 1)[1]);

    dialog->ClickColumn(1);
    dialog->ClickColumn(1);
    wxListCtrl* list = dialog->GetFolderList();
    EXPECT_EQ(1, list->GetSortIndicator());
    EXPECT_FALSE(list->IsAscendingSortIndicator()) << "twice on size: descending, arrow down";
    EXPECT_EQ(L"SCREEN", Rows(*dialog, 0)[0]);

    dialog->SelectFolderRows({0});
    EXPECT_TRUE(Enabled(*dialog, COpenNetDlg::kDownloadId));
    EXPECT_FALSE(Enabled(*dialog, ui::kIdOk)) << "SCREEN alone: download only";
    dialog->SelectFolderRows({1, 2});
    EXPECT_TRUE(Enabled(*dialog, COpenNetDlg::kDownloadId));
    EXPECT_FALSE(Enabled(*dialog, ui::kIdOk)) << "two records: download only";
    dialog->SelectFolderRows({1});
    EXPECT_TRUE(Enabled(*dialog, ui::kIdOk));
    dialog->DestroyWindow();
}

TEST_F(DeviceDialogTest, DownloadsThroughTheProgressDialogAndAsksBeforeReplacing) {
    auto dialog = Open();
    dialog->GetDeviceList().SetSelection(1);
    dialog->SelectFolderRows({1});
    dialog->ChooseFolderAndDownload();
    EXPECT_EQ(platform::FromPath(dir / "local/20260301_080000"), dialog->GetResultPath());
    EXPECT_EQ("", devicetest::CompareTrees(dir / "terminal/EXPORT/20260301_080000",
                                           dir / "local/20260301_080000", {"Snapshot"}));
    EXPECT_TRUE(fs::exists(dir / "local/20260301_080000/Snapshot/SCR_0002.bmp"));
    EXPECT_TRUE(Messages().empty());

    dialog->SelectFolderRows({1});
    dialog->ChooseFolderAndDownload();
    ASSERT_EQ(1u, Messages().size()) << "asked once for the existing record";
    EXPECT_EQ(L"当前文件已存在,是否覆盖", Messages()[0]);
    EXPECT_EQ(platform::FromPath(dir / "local/20260301_080000"), dialog->GetResultPath());

    dialog->SelectFolderRows({0, 2});
    dialog->ChooseFolderAndDownload();
    EXPECT_TRUE(fs::exists(dir / "local/SCREEN/SCR_0003.bmp"));
    EXPECT_EQ("", devicetest::CompareTrees(dir / "terminal/EXPORT/20260302_090000", dir / "local/20260302_090000",
                                           {"Snapshot"}))
        << "both chosen folders are copied";
    dialog->DestroyWindow();
}

TEST_F(DeviceDialogTest, FailedDownloadsShowTheirMessages) {
    struct Case {
        const char* what;
        std::vector<std::string> serverOptions;
        std::wstring message;
    };
    const Case cases[] = {
        {"connection dropped", {"--drop-after", "statistic1.data"}, L"网络连接已经断开，请检测网络连接"},
        {"hostile names", {"--hostile"}, L"终端列出的文件名不能安全地保存，下载已停止：EXPORT/20260301_080000/../x"},
    };
    for (const Case& c : cases) {
        StartServer(c.serverOptions);
        messages.clear();
        auto dialog = Open();
        dialog->GetDeviceList().SetSelection(1);
        dialog->SelectFolderRows({1});
        dialog->ChooseFolderAndDownload();
        EXPECT_EQ(std::vector<std::wstring>{c.message}, Messages()) << c.what;
        EXPECT_TRUE(dialog->GetResultPath().empty()) << c.what;
        EXPECT_FALSE(fs::exists(dir / "local/20260301_080000")) << c.what;
        EXPECT_EQ(-1, dialog->GetDeviceList().GetSelection()) << c.what << ": the devices are listed again";
        dialog->DestroyWindow();
    }

    messages.clear();
    auto dialog = Open();
    dialog->GetDeviceList().SetSelection(0);
    dialog->SelectFolderRows({1});
    fs::remove_all(dir / "usb");
    dialog->ChooseFolderAndDownload();
    EXPECT_EQ(std::vector<std::wstring>{L"当前设备已断开连接,请重试！"}, Messages()) << "the drive went away";

    messages.clear();
    server.reset();
    // Listed again after the drive went: the network terminal alone.
    ASSERT_TRUE(uitest::PumpUntil([&] { return dialog->GetDeviceList().GetItemCount() == 1; }));
    dialog->GetDeviceList().SetSelection(0);
    EXPECT_EQ(std::vector<std::wstring>{L"连接失败！请检查网络连接是否畅通"}, Messages()) << "no server";
    dialog->DestroyWindow();
}

TEST_F(DeviceDialogTest, AListingThatBreaksOffIsToldAndWhatWasListedStays) {
    StartServer({"--endless", "EXPORT"});
    auto dialog = Open();
    dialog->SetFtpListingLimits({std::chrono::seconds(10), 64 * 1024});
    dialog->GetDeviceList().SetSelection(1);
    EXPECT_EQ(std::vector<std::wstring>{L"读取终端的文件列表失败，列表不完整：终端送来的文件列表过长，超出任何终端的文件列表"},
              Messages());
    EXPECT_EQ(std::vector<std::wstring>{L"SCREEN"}, Rows(*dialog, 0));
    EXPECT_EQ(1, dialog->GetDeviceList().GetSelection()) << "the terminal stays chosen";
    dialog->DestroyWindow();
}

TEST_F(DeviceDialogTest, AFloodOfAnswersIsCappedAndSaidSo) {
    DiscoverySettings settings = CDiscoveryTool::GetSettings();
    settings.maxDevices = 3;
    CDiscoveryTool::SetSettings(settings);
    auto dialog = Open();  // the terminal's two answers
    net::UdpSocket flood;
    ASSERT_TRUE(flood.Open(net::kLoopback, 0));
    for (int i = 0; i < 20; ++i) {
        flood.SendTo(net::kLoopback, CDiscoveryTool::ListenPort(),
                     "devtype=K7700;devname=F;IpCount=1;ipaddress0=10.0.0." + std::to_string(i) +
                         ";gateway0=10.0.0.254;mask0=255.0.0.0;");
    }
    const std::wstring capped = L"网络设备的应答已达3个，超出任何实际网络，其余应答不再列出";
    EXPECT_TRUE(uitest::PumpUntil([&] { return dialog->GetDlgItemText(COpenNetDlg::kNetworkStatusId) == capped; }))
        << platform::WideToUtf8(dialog->GetDlgItemText(COpenNetDlg::kNetworkStatusId));
    EXPECT_LE(dialog->GetDeviceList().GetItemCount(), 4) << "the drive and at most three answers";
    dialog->DestroyWindow();
}

TEST_F(DeviceDialogTest, OkDownloadsTheChosenRecordAndCloses) {
    COpenNetDlg dialog(kModeStatistic, nullptr);
    dialog.SetFtpPort(server->Port());
    bool listed = false;
    // Runs inside the dialog's modal loop, as the user would act there.
    ui::PostToUiThread([&] {
        listed = uitest::PumpUntil([&] { return dialog.GetDeviceList().GetItemCount() == 2; });
        dialog.GetDeviceList().SetSelection(1);
        dialog.SelectFolderRows({2});
        dialog.OnOK();
    });
    EXPECT_EQ(ui::kIdOk, dialog.DoModal());
    EXPECT_TRUE(listed);
    EXPECT_EQ(platform::FromPath(dir / "local/20260302_090000"), dialog.GetResultPath());
    EXPECT_EQ("", devicetest::CompareTrees(dir / "terminal/EXPORT/20260302_090000", dir / "local/20260302_090000",
                                           {"Snapshot"}));

    // The frame's entry: a dialog closed without a download opens nothing.
    bool opened = false;
    ui::PostToUiThread([] {
        for (wxWindow* window : wxTopLevelWindows) {
            if (auto* top = dynamic_cast<wxTopLevelWindow*>(window); top != nullptr && top->IsShown()) {
                top->Close();
            }
        }
    });
    EXPECT_EQ(ui::kIdCancel,
              OpenDeviceDialog(kModeWaveform, nullptr, [&](const std::wstring&, int) { opened = true; }));
    EXPECT_FALSE(opened);
}

TEST_F(DeviceDialogTest, HelpLinkOpensTheTaskDialogAndItsGuide) {
    auto dialog = Open();
    std::wstring title;
    std::vector<std::wstring> links;
    std::vector<int> buttons;
    std::vector<std::wstring> pages;
    std::vector<bool> pictures;
    std::vector<std::wstring> texts;
    SetHelpWatch({[&](CTaskDialogEx& task) {
                      title = task.GetWindowText();
                      links = task.GetLinkTexts();
                      buttons = task.GetButtons();
                      task.ClickLink(0);
                  },
                  [&](CXTPPropertyNetSheet& guide) {
                      // A page is built when it is first shown.
                      for (int index = 0; index < guide.GetPageCount(); ++index) {
                          guide.SetActivePage(index);
                          pages.push_back(guide.GetPage(index)->GetCaption());
                      }
                      for (const auto& page : guide.GetGuidePages()) {
                          pictures.push_back(page->ShowsPicture());
                          texts.push_back(page->GetDlgItemText(CTransModePage::kTextId));
                      }
                      guide.EndDialog(ui::kIdOk);
                  }});
    dialog->GetHelpLink().Click();
    EXPECT_EQ(L"帮助", title);
    EXPECT_EQ(std::vector<std::wstring>{L"如何将终端设置为“文件传输管理”模式？"}, links);
    EXPECT_EQ(std::vector<int>{ui::kIdOk}, buttons) << "OK only";
    EXPECT_EQ((std::vector<std::wstring>{L"1", L"2", L"3"}), pages);
    EXPECT_EQ((std::vector<bool>{true, true, true}), pictures);
    ASSERT_EQ(3u, texts.size());
    EXPECT_EQ(device::LoadDeviceString(device::kTextGuideStep2), texts[1]);
    // Closing the guide closed the task dialog as well: Click has returned.

    SetHelpWatch({[](CTaskDialogEx& task) { task.GetWx()->Close(); }, {}});
    EXPECT_EQ(ui::kIdCancel, ShowTransferModeHelp(dialog.get())) << "Escape and the close box cancel it";
    dialog->DestroyWindow();
}

}  // namespace

// The network transport against a real FTP server on the loopback interface
// serving a medium made by the generator, including servers that misbehave.
#include <gtest/gtest.h>

#include <fstream>

#include "device/EthernetCommunication.h"
#include "platform/base/Encoding.h"
#include "platform/net/NetErrors.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/TempDir.h"
#include "tools/gen/TerminalMedium.h"

namespace {

namespace fs = std::filesystem;

class FtpTransportTest : public testing::Test {
protected:
    void SetUp() override { devicetest::UseUtc(); }

    // Serves a medium; the transport is set to it and connected.
    bool Serve(const gen::TerminalMediumOptions& options, std::vector<std::string> serverOptions = {},
               int model = kModelK7800, int mode = kModeStatistic) {
        if (!fs::exists(dir / "terminal")) {
            EXPECT_TRUE(gen::WriteTerminalMedium(dir / "terminal", options));
        }
        server.reset();
        server = std::make_unique<devicetest::FtpServerProcess>(dir / "terminal", serverOptions);
        if (server->Port() == 0) {
            return false;
        }
        CZVDeviceInfo device;
        device.m_address = L"127.0.0.1";
        device.m_model = model;
        device.m_transport = kTransportNetwork;
        transport.SetPort(server->Port());
        transport.SetDevice(device, mode, &progress);
        return transport.Connect() == 1;
    }
    std::vector<ZVFolderInfo> List() {
        std::vector<ZVFolderInfo> folders;
        EXPECT_EQ(1, transport.ListFolders(folders));
        return folders;
    }
    std::wstring Local() const { return platform::FromPath(dir / "local"); }
    // The bytes of the files below a folder of the served medium.
    std::uint64_t BytesBelow(const std::string& folder) const {
        std::uint64_t bytes = 0;
        for (const auto& entry : fs::recursive_directory_iterator(dir / "terminal" / folder)) {
            bytes += entry.is_regular_file() ? entry.file_size() : 0;
        }
        return bytes;
    }

    testsupport::TempDir dir;
    std::unique_ptr<devicetest::FtpServerProcess> server;
    devicetest::ScriptedProgress progress;
    CEthernetCommunication transport;
};

TEST_F(FtpTransportTest, ListsSizesAndDownloadsTheTreeByteForByte) {
    ASSERT_TRUE(Serve(gen::TerminalMediumOptions{}));
    EXPECT_EQ(1, transport.Verify());
    const std::vector<ZVFolderInfo> folders = List();
    ASSERT_EQ(3u, folders.size());
    EXPECT_EQ(L"SCREEN", folders[0].GetFolderName(0));
    EXPECT_EQ(L"20260301_080000", folders[1].GetFolderName(0));
    std::uint64_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir / "terminal/EXPORT/20260301_080000")) {
        files += entry.is_regular_file() ? 1 : 0;
    }
    EXPECT_EQ(BytesBelow("EXPORT/20260301_080000"), folders[1].GetTotalSize());
    EXPECT_EQ(files, folders[1].GetFileCount());

    ASSERT_EQ(0, transport.DownloadRecord(folders[1], Local()));
    EXPECT_EQ("", devicetest::CompareTrees(dir / "terminal/EXPORT/20260301_080000", dir / "local/20260301_080000"));
    EXPECT_EQ(files, progress.total);
    EXPECT_EQ(files, progress.steps);

    SystemTime start, end;
    ASSERT_EQ(1, transport.ReadRecordTimes(folders[1], Local(), start, end));
    ASSERT_EQ(0, transport.GetSnapshots(folders[1], Local(), start, end));
    EXPECT_EQ((std::vector<std::string>{"SCR_0001.bmp", "SCR_0002.bmp"}),
              devicetest::TreeListing(dir / "local/20260301_080000/Snapshot"))
        << "08:05 and 08:20 (the end second itself) lie in 08:00-08:20";
}

TEST_F(FtpTransportTest, LoginsAreTriedInOrder) {
    ASSERT_TRUE(Serve(gen::TerminalMediumOptions{}, {"--refuse-anonymous"})) << "admin after anonymous";
    EXPECT_EQ(1, transport.Verify());

    CZVDeviceInfo hostile;
    hostile.m_address = L"127.0.0.1/../x@evil";
    hostile.m_transport = kTransportNetwork;
    transport.SetDevice(hostile, kModeStatistic, &progress);
    EXPECT_EQ(0, transport.Connect()) << "only a plain address is used as host";
}

TEST_F(FtpTransportTest, EachBoardOfAK7900IsItsOwnRecord) {
    gen::TerminalMediumOptions options;
    options.deviceName = L"K7900";
    options.exportRecords = {{"20260301_080000", 2}};
    ASSERT_TRUE(gen::WriteTerminalMedium(dir / "terminal", options));
    fs::create_directories(dir / "terminal/EXPORT/20260301_080000/Board12");
    fs::create_directories(dir / "terminal/EXPORT/20260301_080000/Settings");
    ASSERT_TRUE(Serve(options, {}, kModelK7900));
    const std::vector<ZVFolderInfo> folders = List();
    ASSERT_EQ(3u, folders.size());
    EXPECT_EQ(1, folders[1].GetBoard());
    EXPECT_EQ(2, folders[2].GetBoard());
    EXPECT_NE(folders[1].GetTotalSize(), folders[2].GetTotalSize()) << "each board is sized by its own data";

    ASSERT_EQ(0, transport.DownloadRecord(folders[2], Local()));
    EXPECT_EQ("", devicetest::CompareTrees(dir / "terminal/EXPORT/20260301_080000/Board2",
                                           dir / "local/20260301_080000/Board2"));
    EXPECT_FALSE(fs::exists(dir / "local/20260301_080000/Board1"));
}

TEST_F(FtpTransportTest, RecordLocksAreLookedForOnTheServer) {
    gen::TerminalMediumOptions options;
    options.exportRecords = {{"20260301_080000", 0, true}, {"20260302_090000"}};
    ASSERT_TRUE(Serve(options));
    const std::vector<ZVFolderInfo> folders = List();
    ASSERT_EQ(3u, folders.size());
    EXPECT_TRUE(transport.IsRecordLocked(folders[1]));
    EXPECT_FALSE(transport.IsRecordLocked(folders[2]));
}

TEST_F(FtpTransportTest, HostileNamesWriteNothingOutsideTheTarget) {
    ASSERT_TRUE(Serve(gen::TerminalMediumOptions{}, {"--hostile"}));
    const std::vector<ZVFolderInfo> folders = List();
    ASSERT_EQ(3u, folders.size()) << "the hostile folder names are not offered";
    for (const ZVFolderInfo& folder : folders) {
        EXPECT_EQ(std::wstring::npos, folder.GetPath().find(L"..")) << platform::WideToUtf8(folder.GetPath());
    }
    EXPECT_EQ(BytesBelow("EXPORT/20260301_080000"), folders[1].GetTotalSize())
        << "the record's size counts its files, whatever else the listings hold";
    EXPECT_EQ(net::kErrorInvalidName, transport.DownloadRecord(folders[1], Local()));
    EXPECT_EQ(L"EXPORT/20260301_080000/../x", transport.GetRefusedName()) << "the refused name is told";
    EXPECT_FALSE(fs::exists(dir / "local")) << "no partial folder";
    EXPECT_FALSE(fs::exists(dir / "x"));
    EXPECT_FALSE(fs::exists("/tmp/ondrava-hostile-absolute"));
    std::vector<std::string> top;
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        top.push_back(entry.path().filename().string());
    }
    EXPECT_EQ((std::vector<std::string>{"terminal"}), top) << "nothing beside the target either";
}

// A listing that never ends, or that comes too slowly to end in time, is cut off
// and said to have broken off; what was listed whole before it stays listed.
TEST_F(FtpTransportTest, AListingThatBreaksOffIsToldWithItsReason) {
    struct Case {
        const char* option;
        const char* folder;
        int error;
        std::vector<std::wstring> listed;
    };
    const Case cases[] = {
        {"--endless", "EXPORT", net::kErrorListingTooLong, {L"SCREEN"}},
        {"--drip", "EXPORT", net::kErrorTimeout, {L"SCREEN"}},
        {"--endless", "20260302_090000", net::kErrorListingTooLong, {L"SCREEN", L"20260301_080000"}},
        {"--endless", "", 0, {L"SCREEN", L"20260301_080000", L"20260302_090000"}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Serve(gen::TerminalMediumOptions{}, {c.option, c.folder})) << c.option << " " << c.folder;
        transport.GetClient().SetListingLimits({std::chrono::milliseconds(2500), 64 * 1024});
        std::vector<ZVFolderInfo> folders;
        EXPECT_EQ(c.error == 0 ? 1 : 0, transport.ListFolders(folders)) << c.option << " " << c.folder;
        EXPECT_EQ(c.error, transport.GetListingError()) << c.option << " " << c.folder;
        std::vector<std::wstring> listed;
        for (const ZVFolderInfo& folder : folders) {
            listed.push_back(folder.GetFolderName(0));
        }
        EXPECT_EQ(c.listed, listed) << c.option << " " << c.folder;
        if (folders.size() > 1) {
            EXPECT_EQ(BytesBelow("EXPORT/20260301_080000"), folders[1].GetTotalSize()) << c.option << " " << c.folder;
        }
    }
}

// Once a lock cannot be looked for, the terminal is asked no more: each question
// would wait as long. The records are then not offered, and the listing is said to
// have broken off.
TEST_F(FtpTransportTest, AStalledLockCheckAsksNoMore) {
    ASSERT_TRUE(Serve(gen::TerminalMediumOptions{}, {"--drip", "SCREEN"}));
    transport.GetClient().SetListingLimits({std::chrono::milliseconds(1500), 64 * 1024});
    const std::vector<ZVFolderInfo> folders = List();
    ASSERT_EQ(3u, folders.size());
    EXPECT_EQ(0, transport.GetListingError());
    for (const ZVFolderInfo& folder : folders) {
        EXPECT_TRUE(transport.IsRecordLocked(folder)) << platform::WideToUtf8(folder.GetPath());
    }
    EXPECT_EQ(1u, transport.GetClient().BrokenListings()) << "one wait, not one per record";
    EXPECT_EQ(net::kErrorTimeout, transport.GetListingError());
}

TEST_F(FtpTransportTest, ADroppedConnectionKeepsTheEarlierCopy) {
    ASSERT_TRUE(Serve(gen::TerminalMediumOptions{}));
    std::vector<ZVFolderInfo> folders = List();
    ASSERT_EQ(0, transport.DownloadRecord(folders[1], Local()));
    std::ofstream(dir / "local/20260301_080000/earlier.txt") << "mine";
    const std::vector<std::string> before = devicetest::TreeListing(dir / "local");

    ASSERT_TRUE(Serve(gen::TerminalMediumOptions{}, {"--drop-after", "statistic1.data"}));
    folders = List();
    const int result = transport.DownloadRecord(folders[1], Local());
    EXPECT_EQ(net::kErrorConnectionReset, result);
    EXPECT_EQ(before, devicetest::TreeListing(dir / "local")) << "no partial folder, the earlier copy unchanged";
}

TEST_F(FtpTransportTest, CancelOrNoConnectionIsMinusOne) {
    ASSERT_TRUE(Serve(gen::TerminalMediumOptions{}));
    const std::vector<ZVFolderInfo> folders = List();
    devicetest::ScriptedProgress cancelling(1);
    transport.GetClient().SetProgressRunner(&cancelling);
    EXPECT_EQ(kDownloadCancelled, transport.DownloadRecord(folders[1], Local()));
    EXPECT_FALSE(fs::exists(dir / "local"));

    transport.Disconnect();
    EXPECT_EQ(kDownloadCancelled, transport.DownloadRecord(folders[1], Local()));
    EXPECT_EQ(0, transport.Verify());
}

}  // namespace

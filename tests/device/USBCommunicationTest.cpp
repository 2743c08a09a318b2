// The drive transport over a medium made by the generator.
#include <gtest/gtest.h>

#include <fstream>

#include "device/USBCommunication.h"
#include "platform/base/Encoding.h"
#include "platform/net/NetErrors.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/TempDir.h"
#include "tools/gen/TerminalMedium.h"

namespace {

namespace fs = std::filesystem;

class USBCommunicationTest : public testing::Test {
protected:
    void SetUp() override {
        devicetest::UseUtc();
        ASSERT_TRUE(gen::WriteTerminalMedium(dir / "usb", gen::TerminalMediumOptions{}));
        device.m_address = platform::FromPath(dir / "usb") + L"/";
        device.m_transport = kTransportRemovable;
        device.m_model = kModelK7800;
    }
    std::vector<ZVFolderInfo> List(int mode) {
        transport.SetDevice(device, mode, &progress);
        std::vector<ZVFolderInfo> folders;
        EXPECT_EQ(1, transport.ListFolders(folders));
        return folders;
    }
    std::wstring Local() const { return platform::FromPath(dir / "local"); }

    testsupport::TempDir dir;
    CZVDeviceInfo device;
    devicetest::ScriptedProgress progress;
    CUSBCommunication transport;
};

TEST_F(USBCommunicationTest, ListsScreenFirstThenTheRecordsOfTheMode) {
    const std::vector<ZVFolderInfo> statistic = List(kModeStatistic);
    ASSERT_EQ(3u, statistic.size());
    EXPECT_EQ(L"SCREEN", statistic[0].GetFolderName(0));
    EXPECT_EQ(3u, statistic[0].GetFileCount());
    EXPECT_EQ(9000u, statistic[0].GetTotalSize());
    EXPECT_EQ(L"20260301_080000", statistic[1].GetFolderName(0));
    EXPECT_EQ(L"20260302_090000", statistic[2].GetFolderName(0));
    std::uint64_t bytes = 0;
    for (const auto& entry : fs::recursive_directory_iterator(dir / "usb/EXPORT/20260301_080000")) {
        bytes += entry.is_regular_file() ? entry.file_size() : 0;
    }
    EXPECT_EQ(bytes, statistic[1].GetTotalSize());

    const std::vector<ZVFolderInfo> wave = List(kModeWaveform);
    ASSERT_EQ(1u, wave.size());
    EXPECT_EQ(L"20260301_100000", wave[0].GetFolderName(0));

    fs::remove_all(dir / "usb/EXPORT");
    EXPECT_EQ(1u, List(kModeStatistic).size()) << "SCREEN is offered without EXPORT";
    device.m_address = platform::FromPath(dir / "gone") + L"/";
    EXPECT_TRUE(List(kModeStatistic).empty());
}

TEST_F(USBCommunicationTest, DownloadsARecordWithItsTimesAndScreenshots) {
    const std::vector<ZVFolderInfo> folders = List(kModeStatistic);
    ASSERT_EQ(1, transport.Verify());
    ASSERT_EQ(0, transport.DownloadRecord(folders[1], Local()));
    EXPECT_EQ("", devicetest::CompareTrees(dir / "usb/EXPORT/20260301_080000", dir / "local/20260301_080000"));
    EXPECT_EQ(folders[1].GetFileCount(), progress.steps) << "one step per file";

    SystemTime start, end;
    ASSERT_EQ(1, transport.ReadRecordTimes(folders[1], Local(), start, end));
    EXPECT_EQ(2026, start.year);
    EXPECT_EQ(8, start.hour);
    EXPECT_EQ(20, end.minute) << "twenty one-minute records";
    EXPECT_EQ(0, end.milliseconds) << "the terminal writes no end milliseconds";
    ASSERT_EQ(0, transport.GetSnapshots(folders[1], Local(), start, end));
    EXPECT_EQ((std::vector<std::string>{"20260301_SCR_0001.bmp", "20260301_SCR_0002.bmp"}),
              devicetest::TreeListing(dir / "local/20260301_080000/Snapshot"))
        << "the shot taken at the record's end second is included";

    SystemTime missingStart, missingEnd;
    EXPECT_EQ(0, transport.ReadRecordTimes(folders[2], Local(), missingStart, missingEnd));
}

TEST_F(USBCommunicationTest, ACancelledCopyKeepsTheEarlierCopy) {
    const std::vector<ZVFolderInfo> folders = List(kModeStatistic);
    ASSERT_EQ(0, transport.DownloadRecord(folders[1], Local()));
    std::ofstream(dir / "local/20260301_080000/earlier.txt") << "mine";

    devicetest::ScriptedProgress cancelling(2);
    transport.SetDevice(device, kModeStatistic, &cancelling);
    EXPECT_EQ(net::kErrorCancelled, transport.DownloadRecord(folders[1], Local()));
    EXPECT_TRUE(fs::exists(dir / "local/20260301_080000/earlier.txt"));
    EXPECT_EQ(1u, std::distance(fs::directory_iterator(dir / "local"), fs::directory_iterator()))
        << "no staging folder is left";
}

TEST_F(USBCommunicationTest, AVanishedDriveFailsVerifyAndItsRecord) {
    const std::vector<ZVFolderInfo> folders = List(kModeStatistic);
    fs::remove_all(dir / "usb");
    EXPECT_EQ(0, transport.Verify());
    EXPECT_EQ(net::kErrorFileNotFound, transport.DownloadRecord(folders[1], Local()));
    EXPECT_FALSE(fs::exists(dir / "local")) << "nothing is left of the attempt";
}

TEST_F(USBCommunicationTest, ScreenshotsAreListedAgainForAnotherDrive) {
    const std::vector<ZVFolderInfo> folders = List(kModeStatistic);
    ASSERT_EQ(0, transport.DownloadRecord(folders[1], Local()));
    SystemTime start{2026, 3, 0, 1, 0, 0, 0, 0};
    SystemTime end{2026, 3, 0, 3, 0, 0, 0, 0};
    ASSERT_EQ(0, transport.GetSnapshots(folders[1], Local(), start, end));
    EXPECT_EQ(3u, devicetest::TreeListing(dir / "local/20260301_080000/Snapshot").size());

    gen::TerminalMediumOptions other;
    other.screenshots = {{"OTHER.bmp", 2026, 3, 1, 9, 0, 0}};
    ASSERT_TRUE(gen::WriteTerminalMedium(dir / "usb2", other));
    CZVDeviceInfo second = device;
    second.m_address = platform::FromPath(dir / "usb2") + L"/";
    transport.SetDevice(second, kModeStatistic, &progress);
    fs::remove_all(dir / "local/20260301_080000/Snapshot");
    ASSERT_EQ(0, transport.GetSnapshots(folders[1], Local(), start, end));
    EXPECT_EQ((std::vector<std::string>{"20260301_OTHER.bmp"}),
              devicetest::TreeListing(dir / "local/20260301_080000/Snapshot"));
}

TEST_F(USBCommunicationTest, LockedRecordsAreKnown) {
    gen::TerminalMediumOptions options;
    options.exportRecords = {{"20260301_080000", 0, true}};
    ASSERT_TRUE(gen::WriteTerminalMedium(dir / "locked", options));
    device.m_address = platform::FromPath(dir / "locked") + L"/";
    const std::vector<ZVFolderInfo> folders = List(kModeStatistic);
    ASSERT_EQ(2u, folders.size());
    EXPECT_TRUE(transport.IsRecordLocked(folders[1]));
    EXPECT_FALSE(transport.IsRecordLocked(folders[0]));
}

}  // namespace

// Terminal drives found through a mount table the test writes: the drives are
// folders of the test, mounted as the kernel would list them.
#include <gtest/gtest.h>

#include "core/OndravaLog.h"
#include "device/DiscoveryTool.h"
#include "device/RemovableDrives.h"
#include "platform/base/Encoding.h"
#include "tests/support/TempDir.h"
#include "tools/gen/TerminalMedium.h"

namespace {

namespace fs = std::filesystem;

std::string MountLine(int id, const std::string& mountPoint, const std::string& fsType, const std::string& source) {
    return std::to_string(id) + " 1 8:" + std::to_string(id) + " / " + mountPoint + " rw,relatime shared:1 - " +
           fsType + " " + source + " rw\n";
}

// Blanks in mount points are written as \040.
std::string Escaped(const fs::path& path) {
    std::string text;
    for (const char c : path.string()) {
        text += c == ' ' ? std::string("\\040") : std::string(1, c);
    }
    return text;
}

class RemovableDrivesTest : public testing::Test {
protected:
    void TearDown() override { SetMountTablePath(L""); }

    fs::path Drive(const std::string& name, const gen::TerminalMediumOptions& options) {
        const fs::path root = dir / name;
        EXPECT_TRUE(gen::WriteTerminalMedium(root, options));
        return root;
    }
    void UseTable(const std::string& lines) {
        SetMountTablePath(platform::FromPath(dir.Write("mountinfo", lines)));
    }

    testsupport::TempDir dir;
};

TEST_F(RemovableDrivesTest, MountsOfTheSystemAndPseudoFileSystemsAreNotScanned) {
    gen::TerminalMediumOptions options;
    const fs::path usb = Drive("usb stick", options);
    const fs::path proc = Drive("procfs", options);
    const fs::path shm = Drive("shm", options);
    options.deviceName = L"K7900 机柜";
    options.deviceNumber = 42;
    const fs::path fuse = Drive("fuse", options);
    UseTable(MountLine(1, "/", "ext4", "/dev/sda1") + MountLine(2, Escaped(usb), "vfat", "/dev/sdz1") +
             MountLine(3, Escaped(proc), "proc", "proc") + MountLine(4, Escaped(shm), "tmpfs", "tmpfs") +
             MountLine(5, Escaped(fuse), "fuseblk", "exfat-drive") + MountLine(6, Escaped(usb), "vfat", "/dev/sdz1"));

    std::vector<CZVDeviceInfo> devices;
    ASSERT_EQ(1, CDiscoveryTool::ScanRemovableDrives(devices));
    ASSERT_EQ(2u, devices.size()) << "one record per drive, however often it is mounted";
    EXPECT_EQ(platform::FromPath(usb) + L"/", devices[0].m_address);
    EXPECT_EQ(L"K7800 电能质量分析仪", devices[0].GetName());
    EXPECT_EQ(7800123456u, devices[0].m_deviceNumber);
    EXPECT_EQ(kModelK7800, devices[0].m_model);
    EXPECT_EQ(kTransportRemovable, devices[0].m_transport);
    EXPECT_EQ(kModelK7900, devices[1].m_model);
    EXPECT_EQ(42u, devices[1].m_deviceNumber);
}

TEST_F(RemovableDrivesTest, MarkerFilesDecideWhatIsListed) {
    gen::TerminalMediumOptions noMarker;
    noMarker.marker = false;
    gen::TerminalMediumOptions shortMarker;
    shortMarker.markerBytes = 1543;
    gen::TerminalMediumOptions unnamed;
    unnamed.deviceName = L"";
    UseTable(MountLine(1, Drive("none", noMarker).string(), "vfat", "/dev/sdb1") +
             MountLine(2, Drive("short", shortMarker).string(), "vfat", "/dev/sdc1") +
             MountLine(3, Drive("unnamed", unnamed).string(), "vfat", "/dev/sdd1"));
    std::vector<CZVDeviceInfo> devices;
    ASSERT_EQ(1, CDiscoveryTool::ScanRemovableDrives(devices));
    ASSERT_EQ(1u, devices.size()) << "no marker: nothing; 1543 bytes: refused";
    EXPECT_EQ(kModelNone, devices[0].m_model) << "an empty name is still listed";
}

TEST_F(RemovableDrivesTest, AnUnreadableTableFailsTheScan) {
    SetMountTablePath(platform::FromPath(dir / "missing"));
    std::vector<CZVDeviceInfo> devices;
    EXPECT_EQ(0, CDiscoveryTool::ScanRemovableDrives(devices));
    EXPECT_TRUE(devices.empty());
}

}  // namespace

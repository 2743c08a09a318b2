#include "device/RemovableDrives.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <sstream>
#include <string_view>
#include <system_error>

#include "device/DeviceTexts.h"
#include "device/MarkerFile.h"
#include "platform/base/Encoding.h"

namespace {

std::mutex g_lock;
std::wstring g_tablePath = L"/proc/self/mountinfo";

constexpr std::array<std::string_view, 26> kPseudoFileSystems = {
    "proc",   "sysfs",       "tmpfs",   "devtmpfs", "devpts", "cgroup",    "cgroup2",  "securityfs", "pstore",
    "bpf",    "debugfs",     "tracefs", "mqueue",   "hugetlbfs", "configfs", "fusectl", "autofs",   "binfmt_misc",
    "efivarfs", "overlay",   "nsfs",    "rpc_pipefs", "squashfs", "ramfs",   "selinuxfs", "nfsd"};

constexpr std::array<std::string_view, 8> kNetworkFileSystems = {"nfs",  "nfs4",  "cifs",       "smb3",
                                                                 "smbfs", "9p",   "fuse.sshfs", "afs"};

constexpr std::array<std::string_view, 12> kSystemMountPoints = {
    "/", "/boot", "/boot/efi", "/usr", "/var", "/home", "/opt", "/srv", "/tmp", "/etc", "/root", "/nix"};

constexpr std::array<std::string_view, 4> kSystemTrees = {"/proc/", "/sys/", "/dev/", "/snap/"};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& list, std::string_view value) {
    for (const std::string_view item : list) {
        if (item == value) {
            return true;
        }
    }
    return false;
}

// mountinfo writes blanks, tabs, newlines and backslashes as three octal digits.
std::string Unescape(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size()) {
            const std::string_view digits = text.substr(i + 1, 3);
            if (digits[0] >= '0' && digits[0] <= '3' && digits[1] >= '0' && digits[1] <= '7' &&
                digits[2] >= '0' && digits[2] <= '7') {
                result += static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0'));
                i += 3;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

bool KernelSaysRemovable(const MountEntry& entry) {
    const std::string device = "/sys/dev/block/" + std::to_string(entry.major) + ":" + std::to_string(entry.minor);
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(device, error);
    if (error) {
        return false;
    }
    // A partition's flag sits on its disk, one folder up.
    for (const std::filesystem::path& folder : {resolved, resolved.parent_path()}) {
        std::ifstream flag(folder / "removable");
        char value = '0';
        if (flag >> value) {
            return value == '1';
        }
    }
    return false;
}

}  // namespace

void SetMountTablePath(const std::wstring& path) {
    std::lock_guard lock(g_lock);
    g_tablePath = path.empty() ? L"/proc/self/mountinfo" : path;
}

std::wstring GetMountTablePath() {
    std::lock_guard lock(g_lock);
    return g_tablePath;
}

std::optional<std::vector<MountEntry>> ReadMountTable(const std::wstring& path) {
    std::ifstream file(platform::ToPath(path));
    if (!file) {
        return std::nullopt;
    }
    std::vector<MountEntry> entries;
    std::string line;
    while (std::getline(file, line)) {
        // "id parent major:minor root mountpoint options [optional...] - type source superoptions"
        std::istringstream fields(line);
        std::string id, parent, numbers, root, mountPoint;
        if (!(fields >> id >> parent >> numbers >> root >> mountPoint)) {
            continue;
        }
        std::string field;
        while (fields >> field && field != "-") {
        }
        MountEntry entry;
        if (field != "-" || !(fields >> entry.fsType)) {
            continue;
        }
        fields >> entry.source;
        entry.mountPoint = Unescape(mountPoint);
        entry.source = Unescape(entry.source);
        const std::size_t colon = numbers.find(':');
        if (colon != std::string::npos) {
            entry.major = static_cast<unsigned>(std::strtoul(numbers.substr(0, colon).c_str(), nullptr, 10));
            entry.minor = static_cast<unsigned>(std::strtoul(numbers.substr(colon + 1).c_str(), nullptr, 10));
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool IsCandidateMount(const MountEntry& entry) {
    if (Contains(kPseudoFileSystems, entry.fsType) || Contains(kNetworkFileSystems, entry.fsType) ||
        Contains(kSystemMountPoints, entry.mountPoint)) {
        return false;
    }
    for (const std::string_view tree : kSystemTrees) {
        if (entry.mountPoint.starts_with(tree)) {
            return false;
        }
    }
    return KernelSaysRemovable(entry) || entry.source.starts_with("/dev/") || entry.fsType == "fuseblk";
}

int ScanDrivesForMarkers(std::vector<CZVDeviceInfo>& devices) {
    const std::optional<std::vector<MountEntry>> table = ReadMountTable(GetMountTablePath());
    if (!table) {
        device::LogDeviceString(device::kTextDriveListFailed);
        return 0;
    }
    std::set<std::string> seen;
    for (const MountEntry& entry : *table) {
        if (!IsCandidateMount(entry) || !seen.insert(entry.mountPoint).second) {
            continue;
        }
        std::wstring root = platform::Utf8ToWide(entry.mountPoint);
        if (root.empty() || root.back() != L'/') {
            root += L'/';
        }
        CZVDeviceInfo::Block block{};
        if (ReadMarkerRecord(root + kMarkerFileName, block) == 0) {
            continue;
        }
        CZVDeviceInfo record;
        record.FromBlock(block);
        record.m_address = root;
        record.m_model = DeviceModelFromText(record.GetName());
        record.m_transport = kTransportRemovable;
        devices.push_back(record);
    }
    return 1;
}

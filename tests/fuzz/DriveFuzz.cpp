// Terminal drives: a mount table and the files of the mounted folders. The input's
// first file is the mount table, in which "$ROOT" stands for the input folder; the
// other files are written below that folder, so that a mount there may hold a marker
// file "jmr_zv.verify" of any bytes and name case. The scan never looks below /dev,
// where the memory folder lives, so "$ROOT" is a link to it in the temporary folder. The scan must list each drive
// once, as a removable device at its mount point; a marker read alone must give back
// the same block after a round through the device record.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

#include "device/MarkerFile.h"
#include "device/RemovableDrives.h"
#include "device/ZVDeviceInfo.h"
#include "platform/base/Encoding.h"
#include "tests/fuzz/FuzzFolder.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size())) {
        text.replace(pos, from.size(), to);
    }
    return text;
}

// The process's link to its input folder, removed when the process ends.
class InputLink {
public:
    explicit InputLink(const std::filesystem::path& target)
        : m_link(std::filesystem::temp_directory_path() / ("ondrava-fuzz-drive-" + std::to_string(::getpid()))) {
        std::filesystem::remove(m_link);
        std::filesystem::create_directory_symlink(target, m_link);
    }
    ~InputLink() {
        std::error_code error;
        std::filesystem::remove(m_link, error);
    }
    InputLink(const InputLink&) = delete;
    InputLink& operator=(const InputLink&) = delete;
    const std::filesystem::path& Path() const { return m_link; }

private:
    std::filesystem::path m_link;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& folder = fuzz::FuzzFolder::Get();
    folder.Fresh();
    const fuzz::ControlledInput input =
        fuzz::SplitControl(std::string_view(reinterpret_cast<const char*>(data), size));
    folder.Write(fuzz::SplitNamedFiles(input.files, 4));
    static const InputLink link(folder.Input());
    // The table stays beside the input folder, out of the drives' reach.
    folder.Write("../mountinfo", ReplaceAll(input.control, "$ROOT", platform::PathToUtf8(link.Path())));
    SetMountTablePath(platform::FromPath(folder.Input().parent_path() / "mountinfo"));

    std::vector<CZVDeviceInfo> devices;
    if (ScanDrivesForMarkers(devices) != 1) {
        fuzz::PropertyBroken("drive scan", "a readable mount table was refused");
    }
    std::set<std::wstring> roots;
    for (const CZVDeviceInfo& device : devices) {
        if (device.m_transport != kTransportRemovable || device.m_address.empty() || device.m_address.back() != L'/') {
            fuzz::PropertyBroken("drive scan", "a drive listed without its transport or mount point");
        }
        if (!roots.insert(device.m_address).second) {
            fuzz::PropertyBroken("drive scan", "a drive listed twice");
        }
        (void)FormatDeviceInfoLine(device);
    }

    CZVDeviceInfo::Block block{};
    if (ReadMarkerRecord(platform::FromPath(folder.Input() / "jmr_zv.verify"), block) == 1) {
        CZVDeviceInfo record;
        record.FromBlock(block);
        if (record.ToBlock() != block) {
            fuzz::PropertyBroken("drive scan", "a marker block does not come back whole from its record");
        }
        (void)DeviceModelFromText(record.GetName());
    }
    return 0;
}

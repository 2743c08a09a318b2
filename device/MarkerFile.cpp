#include "device/MarkerFile.h"

#include <fstream>
#include <system_error>

#include "device/DeviceTexts.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

int LoadMarkerFile(const std::wstring& path, CZVDeviceInfo::Block& block) {
    std::ifstream file(platform::ToPath(path), std::ios::binary);
    if (!file) {
        device::LogDeviceString(device::kTextMarkerOpenFailed);
        return 0;
    }
    block.fill(0);
    file.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(block.size()));
    if (static_cast<std::size_t>(file.gcount()) < block.size()) {
        device::LogDeviceString(device::kTextMarkerReadFailed);
        return 0;
    }
    return 1;
}

int ReadMarkerRecord(const std::wstring& path, CZVDeviceInfo::Block& block) {
    // Drives written by a terminal are FAT: the name may come in any case.
    const std::filesystem::path given = platform::ToPath(path);
    std::error_code error;
    std::filesystem::path found = given;
    if (!std::filesystem::exists(given, error)) {
        const auto match = platform::FindNoCase(given.parent_path(), platform::FromPath(given.filename()));
        if (!match) {
            return 0;
        }
        found = *match;
    }
    if (LoadMarkerFile(platform::FromPath(found), block) == 0) {
        device::LogDeviceString(device::kTextNoDeviceInfo);
        return 0;
    }
    return 1;
}

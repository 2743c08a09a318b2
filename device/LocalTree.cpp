#include "device/LocalTree.h"

#include <system_error>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/net/NetErrors.h"

namespace fs = std::filesystem;

TreeSize SizeLocalTree(const fs::path& folder) {
    TreeSize size;
    for (const fs::directory_entry& entry : platform::ListSorted(folder)) {
        std::error_code error;
        if (entry.is_symlink(error)) {
            continue;
        }
        if (entry.is_directory(error)) {
            const TreeSize inner = SizeLocalTree(entry.path());
            size.bytes += inner.bytes;
            size.files += inner.files;
        } else if (entry.is_regular_file(error)) {
            const std::uintmax_t bytes = entry.file_size(error);
            size.bytes += error ? 0 : bytes;
            ++size.files;
        }
    }
    return size;
}

int CopyLocalTree(const fs::path& source, const fs::path& target, const std::atomic<std::int32_t>* cancel,
                  const std::function<void(const std::wstring&)>& onFile) {
    std::error_code error;
    if (!fs::is_directory(source, error)) {
        return error && error.value() != ENOENT ? net::ErrorFromErrno(error.value()) : net::kErrorFileNotFound;
    }
    fs::create_directories(target, error);
    if (error) {
        return net::ErrorFromErrno(error.value());
    }
    for (const fs::directory_entry& entry : platform::ListSorted(source)) {
        if (cancel != nullptr && cancel->load() != 0) {
            return net::kErrorCancelled;
        }
        if (entry.is_symlink(error)) {
            continue;
        }
        const fs::path destination = target / entry.path().filename();
        if (entry.is_directory(error)) {
            const int result = CopyLocalTree(entry.path(), destination, cancel, onFile);
            if (result != 0) {
                return result;
            }
        } else if (entry.is_regular_file(error)) {
            if (onFile) {
                onFile(platform::FromPath(entry.path().filename()));
            }
            fs::copy_file(entry.path(), destination, fs::copy_options::overwrite_existing, error);
            if (error) {
                return net::ErrorFromErrno(error.value());
            }
        }
    }
    return 0;
}

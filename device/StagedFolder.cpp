#include "device/StagedFolder.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <stdlib.h>
#include <system_error>

#include "platform/base/Encoding.h"
#include "platform/net/NetErrors.h"

namespace fs = std::filesystem;

namespace {

// A new empty folder in the parent with a name built from the base; empty on failure.
fs::path MakeUniqueFolder(const fs::path& parent, const std::string& base) {
    std::string pattern = platform::PathToUtf8(parent / platform::ToPath(base + ".XXXXXX"));
    if (::mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return platform::ToPath(std::string_view(pattern));
}

}  // namespace

CStagedFolder::CStagedFolder(fs::path target) : m_target(std::move(target)) {
    const fs::path parent = m_target.parent_path();
    // Parents made here go again on failure; note them before making them.
    std::error_code error;
    for (fs::path folder = parent; !folder.empty() && !fs::exists(folder, error); folder = folder.parent_path()) {
        m_madeParents.push_back(folder);
        if (folder == folder.parent_path()) {
            break;
        }
    }
    fs::create_directories(parent, error);
    if (error) {
        m_error = net::ErrorFromErrno(error.value());
        Discard();
        return;
    }
    m_staging = MakeUniqueFolder(parent, "." + platform::PathToUtf8(m_target.filename()) + ".part");
    if (m_staging.empty()) {
        m_error = net::ErrorFromErrno(errno);
        Discard();
    }
}

CStagedFolder::~CStagedFolder() {
    if (!m_committed) {
        Discard();
    }
}

void CStagedFolder::Discard() {
    std::error_code error;
    if (!m_staging.empty()) {
        fs::remove_all(m_staging, error);
        m_staging.clear();
    }
    for (const fs::path& folder : m_madeParents) {
        // Only while empty: another download may have put its record there.
        if (!fs::remove(folder, error)) {
            break;
        }
    }
    m_madeParents.clear();
}

int CStagedFolder::Commit() {
    if (m_error != 0 || m_staging.empty()) {
        return m_error != 0 ? m_error : net::kErrorPathNotFound;
    }
    const std::string staging = platform::PathToUtf8(m_staging);
    const std::string target = platform::PathToUtf8(m_target);
    std::error_code error;
    if (!fs::exists(m_target, error)) {
        if (std::rename(staging.c_str(), target.c_str()) != 0) {
            return net::ErrorFromErrno(errno);
        }
    } else if (::renameat2(AT_FDCWD, staging.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) != 0) {
        // File systems without an atomic exchange (FAT): move the old copy aside
        // first, and back when the new one cannot take its place.
        const fs::path aside = MakeUniqueFolder(m_target.parent_path(),
                                                "." + platform::PathToUtf8(m_target.filename()) + ".old");
        if (aside.empty() || !fs::remove(aside, error)) {
            return net::ErrorFromErrno(errno != 0 ? errno : EIO);
        }
        const std::string asideText = platform::PathToUtf8(aside);
        if (std::rename(target.c_str(), asideText.c_str()) != 0) {
            return net::ErrorFromErrno(errno);
        }
        if (std::rename(staging.c_str(), target.c_str()) != 0) {
            const int failure = errno;
            std::rename(asideText.c_str(), target.c_str());
            return net::ErrorFromErrno(failure);
        }
        fs::remove_all(aside, error);
        m_committed = true;
        m_staging.clear();
        return 0;
    } else {
        // The old copy now sits in the staging folder's place.
        fs::remove_all(m_staging, error);
    }
    m_committed = true;
    m_staging.clear();
    return 0;
}

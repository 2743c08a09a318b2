#include "device/FtpClient.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

#include "device/ProgressRunner.h"
#include "device/RemoteName.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/net/FtpListing.h"
#include "platform/net/NetErrors.h"

namespace fs = std::filesystem;

namespace {

// Terminal trees are a few folders deep; a server that nests deeper is not
// followed (it could nest without end).
constexpr int kMaxDepth = 24;

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty() || folder == L"/") {
        return name;
    }
    return folder.back() == L'/' ? folder + name : folder + L"/" + name;
}

std::wstring LastComponent(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring ParentOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

}  // namespace

CFtpClient::CFtpClient() = default;

CFtpClient::~CFtpClient() { Close(); }

int CFtpClient::Open(const std::wstring& host, std::uint16_t port, const std::wstring& user,
                     const std::wstring& password) {
    Close();
    m_host = host;
    // The host comes from a network reply: only a plain dotted address is used.
    const std::optional<net::Ipv4> address = net::ParseIpv4(platform::WideToUtf8(host));
    if (!address) {
        return 0;
    }
    if (m_connection.Open(*address, port, platform::WideToUtf8(user), platform::WideToUtf8(password)) != 0) {
        return 0;
    }
    m_connected = true;
    m_currentDirectory.clear();
    return 1;
}

void CFtpClient::Close() {
    m_connection.Close();
    m_connected = false;
}

std::string CFtpClient::Encode(const std::wstring& path) const {
    std::wstring slashes = path;
    for (wchar_t& c : slashes) {
        if (c == L'\\') {
            c = L'/';
        }
    }
    if (m_gbkNames) {
        if (std::optional<std::string> gbk = platform::WideToGbk(slashes)) {
            return *gbk;
        }
    }
    return platform::WideToUtf8(slashes);
}

std::wstring CFtpClient::Decode(const std::string& name) {
    if (platform::IsValidUtf8(name)) {
        return platform::Utf8ToWide(name);
    }
    m_gbkNames = true;
    return platform::GbkToWide(name);
}

IProgressRunner& CFtpClient::Progress() const { return m_progress != nullptr ? *m_progress : InlineProgress(); }

int CFtpClient::List(const std::wstring& folder, std::vector<Entry>& entries) {
    entries.clear();
    if (!m_connected) {
        return net::kErrorConnectionReset;
    }
    std::string listing;
    const int result = m_connection.List(Encode(folder), listing);
    if (result != 0) {
        if (result != net::kErrorFileNotFound && result != net::kErrorExtended) {
            ++m_brokenListings;
            if (m_listingFailure == 0) {
                m_listingFailure = result;
            }
        }
        return result;
    }
    for (net::FtpEntry& raw : net::ParseFtpListing(listing)) {
        Entry entry;
        // A NUL inside a name would be cut by the decoder: judge the bytes first.
        entry.safe = raw.name.find('\0') == std::string::npos;
        entry.name = Decode(raw.name);
        entry.safe = entry.safe && IsSafeRemoteName(entry.name);
        entry.directory = raw.directory;
        entry.size = raw.size;
        entries.push_back(std::move(entry));
    }
    return 0;
}

int CFtpClient::SetCurrentDirectory(const std::wstring& path) {
    std::vector<Entry> entries;
    if (List(path == L"/" || path == L"\\" ? std::wstring() : path, entries) != 0) {
        return 0;
    }
    m_currentDirectory = path == L"/" || path == L"\\" ? std::wstring() : path;
    return 1;
}

int CFtpClient::FindFile(const std::wstring& name) { return FileExists(Join(m_currentDirectory, name)); }

int CFtpClient::FileExists(const std::wstring& path) {
    std::vector<Entry> entries;
    if (List(ParentOf(path), entries) != 0) {
        return 0;
    }
    const std::wstring name = LastComponent(path);
    for (const Entry& entry : entries) {
        if (!entry.directory && entry.safe && platform::NamesEqualNoCase(entry.name, name)) {
            return 1;
        }
    }
    return 0;
}

int CFtpClient::ListSubfolders(const std::wstring& folder, std::vector<std::wstring>& names) {
    std::vector<Entry> entries;
    if (List(folder, entries) != 0 || entries.empty()) {
        return 0;
    }
    for (const Entry& entry : entries) {
        if (entry.directory && entry.safe) {
            names.push_back(entry.name);
        }
    }
    return 1;
}

int CFtpClient::GetFolderSize(const std::wstring& folder, std::uint64_t& total, std::uint64_t& count) {
    return FolderSizeAt(folder, total, count, 0);
}

int CFtpClient::ListAt(const std::wstring& folder, std::vector<Entry>& entries, int depth) {
    if (depth > kMaxDepth) {
        m_refused = folder;
        return net::kErrorInvalidName;
    }
    return List(folder, entries);
}

int CFtpClient::FolderSizeAt(const std::wstring& folder, std::uint64_t& total, std::uint64_t& count, int depth) {
    std::vector<Entry> entries;
    const int result = ListAt(folder, entries, depth);
    if (result != 0) {
        return result;
    }
    std::vector<std::wstring> folders;
    for (const Entry& entry : entries) {
        if (!entry.safe) {
            continue;
        }
        if (entry.directory) {
            folders.push_back(entry.name);
        } else {
            total += entry.size;
            ++count;
        }
    }
    for (const std::wstring& name : folders) {
        if (m_cancel.load() != 0) {
            break;
        }
        const int inner = FolderSizeAt(Join(folder, name), total, count, depth + 1);
        if (inner != 0) {
            return inner;
        }
    }
    return 0;
}

int CFtpClient::FetchFile(const std::wstring& remotePath, const std::wstring& localFile, std::uint64_t expectedSize,
                          bool knowsSize, int failIfExists) {
    const std::string path = platform::PathToUtf8(platform::ToPath(localFile));
    Descriptor file;
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | (failIfExists != 0 ? O_EXCL : 0);
    file.fd = ::open(path.c_str(), flags, 0644);
    if (file.fd < 0) {
        return net::ErrorFromErrno(errno);
    }
    std::uint64_t received = 0;
    int result = m_connection.Download(Encode(remotePath), file.fd, &m_cancel, received);
    // A transfer that ended early without the server saying so is a broken one.
    if (result == 0 && knowsSize && received != expectedSize) {
        result = net::kErrorConnectionReset;
    }
    if (result != 0) {
        ::unlink(path.c_str());
    }
    return result;
}

int CFtpClient::GetFile(const std::wstring& remotePath, const std::wstring& localFolder, int failIfExists) {
    const std::wstring name = LastComponent(remotePath);
    if (!IsSafeRemoteName(name)) {
        m_refused = remotePath;
        return net::kErrorInvalidName;
    }
    MakeFolderPath(localFolder);
    const std::wstring local = platform::FromPath(platform::ToPath(localFolder) / platform::ToPath(name));
    const int result = FetchFile(remotePath, local, 0, false, failIfExists);
    if (result == 0) {
        Progress().Step();
    }
    return result;
}

int CFtpClient::CopyFolder(const std::wstring& remote, const std::wstring& local, int failIfExists) {
    return CopyFolderAt(remote, local, failIfExists, 0);
}

int CFtpClient::CopyFolderAt(const std::wstring& remote, const std::wstring& local, int failIfExists, int depth) {
    std::vector<Entry> entries;
    const int listed = ListAt(remote, entries, depth);
    if (listed != 0) {
        return listed;
    }
    // An empty folder is copied as an empty folder.
    MakeFolderPath(local);
    std::vector<std::wstring> folders;
    const fs::path localPath = platform::ToPath(local);
    for (const Entry& entry : entries) {
        if (m_cancel.load() != 0) {
            return net::kErrorCancelled;
        }
        if (!entry.safe) {
            m_refused = Join(remote, entry.name);
            return net::kErrorInvalidName;
        }
        if (entry.directory) {
            folders.push_back(entry.name);
            continue;
        }
        Progress().SetMessage(entry.name);
        const int result = FetchFile(Join(remote, entry.name),
                                     platform::FromPath(localPath / platform::ToPath(entry.name)), entry.size, true,
                                     failIfExists);
        if (result != 0) {
            return result;
        }
        Progress().Step();
    }
    for (const std::wstring& name : folders) {
        if (m_cancel.load() != 0) {
            return net::kErrorCancelled;
        }
        const int result = CopyFolderAt(Join(remote, name), platform::FromPath(localPath / platform::ToPath(name)),
                                        failIfExists, depth + 1);
        if (result != 0) {
            return result;
        }
    }
    return 0;
}

int CFtpClient::ListFilesRecursive(const std::wstring& folder, std::vector<CZVBoardInfo>& files) {
    return FilesAt(folder, files, 0) == 0 ? 1 : 0;
}

int CFtpClient::FilesAt(const std::wstring& folder, std::vector<CZVBoardInfo>& files, int depth) {
    std::vector<Entry> entries;
    const int result = ListAt(folder, entries, depth);
    if (result != 0) {
        return result;
    }
    for (const Entry& entry : entries) {
        if (!entry.safe) {
            continue;
        }
        const std::wstring path = Join(folder, entry.name);
        if (entry.directory) {
            const int inner = FilesAt(path, files, depth + 1);
            if (inner != 0) {
                return inner;
            }
            continue;
        }
        CZVBoardInfo file;
        file.m_fullPath = path;
        file.m_fileName = entry.name;
        // Without a time the file cannot be placed in any record's span.
        const std::optional<std::int64_t> time = m_connection.ModificationTime(Encode(path));
        if (!time) {
            continue;
        }
        file.m_creationTime = *time;
        file.m_lastWriteTime = *time;
        files.push_back(std::move(file));
    }
    return 0;
}

int CFtpClient::DownloadWithProgress(const std::wstring& remote, const std::wstring& local, std::uint64_t total,
                                     int failIfExists) {
    if (!m_connected) {
        return -1;
    }
    m_remote = remote;
    m_local = local;
    m_failIfExists = failIfExists;
    m_cancel.store(0);
    m_result = 0;
    m_refused.clear();
    const auto task = [](void* argument) -> std::uint32_t {
        auto* self = static_cast<CFtpClient*>(argument);
        self->m_result = self->CopyFolder(self->m_remote, self->m_local, self->m_failIfExists);
        return 0;
    };
    const int run = Progress().Run(task, this, &m_cancel, total);
    const bool cancelled = run == 2 || m_cancel.exchange(0) != 0 || m_result == net::kErrorCancelled;
    if (cancelled) {
        return -1;
    }
    if (run < 0) {
        return net::kErrorNotReady;
    }
    return m_result;
}

void CFtpClient::MakeFolderPath(const std::wstring& path) {
    std::error_code error;
    fs::create_directories(platform::ToPath(path), error);
}

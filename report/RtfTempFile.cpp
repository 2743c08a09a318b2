#include "report/RtfTempFile.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <string_view>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "platform/base/Encoding.h"

namespace {

// How often a fresh name is tried when the one drawn exists already.
constexpr int kNameAttempts = 64;

constexpr std::string_view kTempPrefix = ".~ZVRtf";
constexpr std::string_view kTempSuffix = ".tmp";

// ".~ZVRtf", the process number, "-" and eight hexadecimal digits: hidden, never the
// name of a report, and telling whose it is.
std::string TempName(std::mt19937& random)
{
    char name[48];
    std::snprintf(name, sizeof name, ".~ZVRtf%ld-%08x.tmp", static_cast<long>(::getpid()),
                  static_cast<unsigned>(random()));
    return name;
}

bool AllOf(std::string_view text, int (*test)(int))
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
}

// Temporary files of earlier reports into this folder that a kill left behind: ours
// by their name, and of a process that no longer runs (names of older versions hold
// no process number and are removed as they are).
void RemoveStaleTempFiles(const std::filesystem::path& folder)
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = platform::PathToUtf8(it->path().filename());
        if (name.size() <= kTempPrefix.size() + kTempSuffix.size() || name.rfind(kTempPrefix, 0) != 0 ||
            name.compare(name.size() - kTempSuffix.size(), kTempSuffix.size(), kTempSuffix) != 0) {
            continue;
        }
        const std::string_view middle =
            std::string_view(name).substr(kTempPrefix.size(), name.size() - kTempPrefix.size() - kTempSuffix.size());
        const std::size_t dash = middle.find('-');
        if (dash == std::string_view::npos) {
            if (middle.size() != 8 || !AllOf(middle, ::isxdigit)) {
                continue;
            }
        } else {
            const std::string_view pid = middle.substr(0, dash);
            const std::string_view random = middle.substr(dash + 1);
            if (pid.size() > 9 || !AllOf(pid, ::isdigit) || random.size() != 8 || !AllOf(random, ::isxdigit)) {
                continue;
            }
            const long number = std::stol(std::string(pid));
            if (number <= 0 || ::kill(static_cast<pid_t>(number), 0) == 0 || errno != ESRCH) {
                continue;  // its process still runs (or cannot be told apart)
            }
        }
        std::error_code ignored;
        if (it->is_regular_file(ignored)) {
            std::filesystem::remove(it->path(), ignored);
        }
    }
}

}  // namespace

CRtfTempFile::FileAccess CRtfTempFile::DefaultFileAccess()
{
    FileAccess access;
    // Readable like any document the user saves (the umask applies).
    access.createExclusive = [](const std::string& path) {
        return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    };
    access.write = [](int fd, const char* data, std::size_t size) { return static_cast<long>(::write(fd, data, size)); };
    access.sync = [](int fd) { return ::fsync(fd); };
    access.close = [](int fd) { return ::close(fd); };
    access.rename = [](const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()); };
    access.remove = [](const std::string& path) { return ::unlink(path.c_str()); };
    return access;
}

CRtfTempFile::CRtfTempFile() : CRtfTempFile(DefaultFileAccess()) {}

CRtfTempFile::CRtfTempFile(FileAccess access) : m_Access(std::move(access)) {}

CRtfTempFile::~CRtfTempFile()
{
    Discard();
}

void CRtfTempFile::NoteError(int error)
{
    if (m_Error == 0) {
        m_Error = error != 0 ? error : EIO;
    }
}

int CRtfTempFile::Open(const std::wstring& targetPath)
{
    if (IsOpen()) {
        return 0;
    }
    m_Error = 0;
    std::filesystem::path folder = platform::ToPath(targetPath).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    RemoveStaleTempFiles(folder);
    std::mt19937 random(std::random_device{}());
    for (int attempt = 0; attempt < kNameAttempts && m_Fd < 0; ++attempt) {
        const std::string path = platform::PathToUtf8(folder / TempName(random));
        errno = 0;
        m_Fd = m_Access.createExclusive(path);
        if (m_Fd >= 0) {
            m_Path = path;
        } else if (errno != EEXIST) {
            break;
        }
    }
    if (m_Fd < 0) {
        NoteError(errno);
        return -1;
    }
    if (CRtfWriter::GetInstance()->Open(&m_Output, kFonts, kColors) != CRtfWriter::kOk) {
        Discard();
        return -2;
    }
    return 1;
}

bool CRtfTempFile::Output::Write(std::string_view bytes)
{
    CRtfTempFile& file = m_Owner;
    if (file.m_Fd < 0 || file.m_Error != 0) {
        return false;
    }
    while (!bytes.empty()) {
        errno = 0;
        const long written = file.m_Access.write(file.m_Fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            // A write that takes nothing has run out of room.
            file.NoteError(written == 0 ? ENOSPC : errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool CRtfTempFile::Output::Close()
{
    CRtfTempFile& file = m_Owner;
    if (file.m_Fd >= 0 && file.m_Error == 0) {
        errno = 0;
        // The file system may only now find that the data do not fit.
        if (file.m_Access.sync(file.m_Fd) != 0) {
            file.NoteError(errno);
        }
    }
    file.CloseDescriptor();
    return file.m_Error == 0;
}

void CRtfTempFile::CloseDescriptor()
{
    if (m_Fd < 0) {
        return;
    }
    errno = 0;
    if (m_Access.close(m_Fd) != 0) {
        NoteError(errno);
    }
    m_Fd = -1;
}

void CRtfTempFile::RemoveFile()
{
    if (!m_Path.empty()) {
        m_Access.remove(m_Path);
        m_Path.clear();
    }
}

int CRtfTempFile::CloseAndCopy(const std::wstring& targetPath)
{
    CRtfWriter* writer = CRtfWriter::GetInstance();
    if (writer->IsOpen()) {
        writer->Close();
    }
    CRtfWriter::DestroyInstance();
    if (!IsOpen()) {
        return -1;
    }
    CloseDescriptor();
    if (m_Error == 0) {
        errno = 0;
        if (m_Access.rename(m_Path, platform::PathToUtf8(platform::ToPath(targetPath))) == 0) {
            m_Path.clear();
            return 0;
        }
        NoteError(errno);
    }
    RemoveFile();
    return m_Error;
}

void CRtfTempFile::Discard()
{
    // Closed first, so that nothing is flushed for a file that goes anyway.
    CloseDescriptor();
    CRtfWriter::DestroyInstanceFor(&m_Output);
    RemoveFile();
}

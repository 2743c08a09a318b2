#include "lib/convert/ItemFileWriter.h"

#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <system_error>

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

namespace convertix {

namespace fs = std::filesystem;

namespace {

bool IsItemFile(const fs::path& file)
{
    return platform::NamesEqualNoCase(platform::FromPath(file.extension()), L".data");
}

// Item files hold little-endian 32-bit floats, which this build writes as they are.
static_assert(std::endian::native == std::endian::little);

bool WriteFloats(std::FILE* file, const std::vector<float>& values)
{
    return std::fwrite(values.data(), sizeof(float), values.size(), file) == values.size();
}

// Work folders of earlier conversions into this folder that a kill left behind: ours
// by their name ("<prefix><process>-XXXXXX"), of a process that no longer runs; those
// of older versions ("<prefix>XXXXXX") hold no process number and go as they are.
void RemoveStaleWorkFolders(const fs::path& parent, const std::string& prefix)
{
    const auto allOf = [](std::string_view text, int (*test)(int)) {
        return !text.empty() &&
               std::all_of(text.begin(), text.end(), [test](char c) { return test(static_cast<unsigned char>(c)) != 0; });
    };
    std::error_code error;
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(parent, error), end; !error && it != end; it.increment(error)) {
        const std::string name = platform::PathToUtf8(it->path().filename());
        if (name.size() <= prefix.size() || name.rfind(prefix, 0) != 0) {
            continue;
        }
        const std::string_view rest = std::string_view(name).substr(prefix.size());
        const std::size_t dash = rest.find('-');
        if (dash == std::string_view::npos) {
            if (rest.size() != 6 || !allOf(rest, ::isalnum)) {
                continue;
            }
        } else {
            const std::string_view pid = rest.substr(0, dash);
            if (pid.size() > 9 || !allOf(pid, ::isdigit) || rest.size() - dash - 1 != 6 ||
                !allOf(rest.substr(dash + 1), ::isalnum)) {
                continue;
            }
            const long number = std::stol(std::string(pid));
            if (number <= 0 || ::kill(static_cast<pid_t>(number), 0) == 0 || errno != ESRCH) {
                continue;  // its conversion may still run
            }
        }
        std::error_code ignored;
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
            stale.push_back(it->path());
        }
    }
    for (const fs::path& folder : stale) {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
}

}  // namespace

CItemFileWriter::CItemFileWriter(fs::path outputFolder, std::vector<std::wstring> names, IConvertProgress& progress)
    : m_OutputFolder(std::move(outputFolder)), m_Names(std::move(names)), m_Progress(progress)
{
}

CItemFileWriter::~CItemFileWriter()
{
    Discard();
}

void CItemFileWriter::Discard()
{
    if (!m_WorkFolder.empty()) {
        std::error_code ignored;
        fs::remove_all(m_WorkFolder, ignored);
        m_WorkFolder.clear();
    }
}

void CItemFileWriter::NoteError()
{
    if (m_Error == 0) {
        m_Error = errno;
    }
}

void CItemFileWriter::Step()
{
    const std::int64_t now = ProgressClockMs();
    if (now - m_LastStep >= kProgressIntervalMs) {
        m_Progress.ReportStep(0.23);
        m_LastStep = now;
    }
}

bool CItemFileWriter::Open()
{
    m_Opened = true;
    std::error_code error;
    if (m_OutputFolder.empty() || !fs::is_directory(m_OutputFolder, error)) {
        m_Error = error ? error.value() : ENOENT;
        return false;
    }
    // Beside the folder the output folder really is (it may be a link into another
    // file system), so that the final moves stay on one file system.
    const fs::path real = fs::canonical(m_OutputFolder, error);
    if (error) {
        m_Error = error.value();
        return false;
    }
    const std::string prefix = "." + platform::PathToUtf8(real.filename()) + ".converting-";
    RemoveStaleWorkFolders(real.parent_path(), prefix);
    const fs::path pattern =
        real.parent_path() / (prefix + std::to_string(::getpid()) + "-XXXXXX");
    std::string name = platform::PathToUtf8(pattern);
    if (::mkdtemp(name.data()) == nullptr) {
        NoteError();
        return false;
    }
    m_WorkFolder = platform::ToPath(std::string_view(name));
    for (const std::wstring& itemName : m_Names) {
        std::FILE* file = std::fopen(platform::PathToUtf8(m_WorkFolder / platform::ToPath(itemName + L".data")).c_str(), "wb");
        if (file == nullptr || std::fclose(file) != 0) {
            NoteError();
            Discard();
            return false;
        }
        Step();
    }
    return true;
}

bool CItemFileWriter::Append(std::size_t index, const ValueBuffer& buffer, bool sync)
{
    const fs::path path = m_WorkFolder / platform::ToPath(m_Names[index] + L".data");
    std::FILE* file = std::fopen(platform::PathToUtf8(path).c_str(), "ab");
    if (file == nullptr) {
        NoteError();
        return false;
    }
    bool ok = WriteFloats(file, buffer.values);
    if (sync) {
        ok = std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0 && ok;
    }
    if (!ok) {
        NoteError();
    }
    const bool closed = std::fclose(file) == 0;
    if (!closed) {
        NoteError();
    }
    ok = closed && ok;
    if (ok) {
        m_BytesWritten += static_cast<std::uint64_t>(buffer.values.size()) * 4;
    }
    return ok;
}

bool CItemFileWriter::Flush(std::size_t index, ValueBuffer& buffer)
{
    Step();
    if (m_Failed || index >= m_Names.size()) {
        return false;
    }
    if (!m_Opened && !Open()) {
        m_Failed = true;
        return false;
    }
    if (m_WorkFolder.empty() || !Append(index, buffer, false)) {
        m_Failed = true;
        Discard();
        return false;
    }
    buffer.values.clear();
    return true;
}

bool CItemFileWriter::FinalFlush(std::vector<ValueBuffer>& buffers)
{
    if (buffers.empty() || buffers.size() != m_Names.size() || m_Failed) {
        return false;
    }
    if (!m_Opened && !Open()) {
        m_Failed = true;
        return false;
    }
    if (m_WorkFolder.empty()) {
        return false;
    }
    for (std::size_t i = 0; i < buffers.size(); ++i) {
        Step();
        if (!Append(i, buffers[i], true)) {
            m_Failed = true;
            Discard();
            return false;
        }
        buffers[i].values.clear();
    }
    return true;
}

bool CItemFileWriter::Commit(const std::vector<fs::path>& replacedFolders)
{
    if (m_Failed || m_WorkFolder.empty()) {
        return false;
    }
    std::set<std::wstring> newNames;
    for (const std::wstring& name : m_Names) {
        newNames.insert(name + L".data");
    }
    // The new files go in first, each replacing its namesake at once; the other item
    // files go only then, so that a file that cannot go in leaves them all.
    std::error_code error;
    for (const std::wstring& name : m_Names) {
        const fs::path file = platform::ToPath(name + L".data");
        fs::rename(m_WorkFolder / file, m_OutputFolder / file, error);
        if (error) {
            m_Error = error.value();
            return false;
        }
    }
    for (const fs::path& folder : replacedFolders) {
        for (const fs::directory_entry& entry : platform::ListSorted(folder)) {
            const bool replaced = fs::equivalent(folder, m_OutputFolder, error) &&
                                  newNames.count(platform::FromPath(entry.path().filename())) != 0;
            if (entry.is_regular_file(error) && IsItemFile(entry.path()) && !replaced &&
                !fs::remove(entry.path(), error)) {
                return false;
            }
        }
    }
    Discard();
    return true;
}

}  // namespace convertix

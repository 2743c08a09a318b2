#include "lib/convert/DataTransformManager.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <set>
#include <system_error>

#include <unistd.h>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/MemoryStatus.h"
#include "platform/base/PrivateProfile.h"

namespace fs = std::filesystem;

namespace convertix {

std::int64_t ProgressClockMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace convertix

namespace {

constexpr int kMaxBlockFolders = 256;
constexpr double kLastStepPercent = 99.5;
const wchar_t* const kKindSuffixes[] = {L"_EFF", L"_RAT", L"_PHA"};

// A folder given by the program: stored paths may use "\" and may end in a separator.
fs::path FolderPath(const std::wstring& folder)
{
    std::wstring text = folder;
    for (wchar_t& c : text) {
        if (c == L'\\') {
            c = L'/';
        }
    }
    while (text.size() > 1 && text.back() == L'/') {
        text.pop_back();
    }
    return platform::ToPath(text);
}

bool IsItemFileName(const fs::path& name)
{
    return platform::NamesEqualNoCase(platform::FromPath(name.extension()), L".data");
}

// The number of a block file name "statistic<N>.data" (any case); -1 for other names.
long long BlockFileNumber(const std::wstring& name)
{
    static const std::wstring prefix = L"statistic";
    static const std::wstring suffix = L".data";
    if (name.size() <= prefix.size() + suffix.size() ||
        !platform::NamesEqualNoCase(std::wstring_view(name).substr(0, prefix.size()), prefix) ||
        !platform::NamesEqualNoCase(std::wstring_view(name).substr(name.size() - suffix.size()), suffix)) {
        return -1;
    }
    const std::wstring digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.size() > 9) {
        return -1;
    }
    long long number = 0;
    for (const wchar_t c : digits) {
        if (c < L'0' || c > L'9') {
            return -1;
        }
        number = number * 10 + (c - L'0');
    }
    return number;
}

std::vector<fs::path> ItemFilesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    std::error_code error;
    for (const fs::directory_entry& entry : platform::ListSorted(folder)) {
        if (entry.is_regular_file(error) && IsItemFileName(entry.path().filename())) {
            files.push_back(entry.path());
        }
    }
    return files;
}

// What the user can be told of a failed write.
int ResultOfError(int error)
{
    switch (error) {
    case EROFS:
    case EACCES:
    case EPERM:
        return kConvertReadOnly;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return kConvertDiskFull;
    case ENAMETOOLONG:
        return kConvertPathTooLong;
    case ENOMEM:
        return kConvertNoMemory;
    default:
        return kConvertIoFailure;
    }
}

}  // namespace

CDataTransformManager::~CDataTransformManager()
{
    m_Reader.reset();
    m_Writer.reset();
}

void CDataTransformManager::Release()
{
    delete this;
}

int CDataTransformManager::SetPath(std::wstring folder)
{
    m_OutputFolder = folder;
    return ItemFilesIn(FolderPath(folder)).empty() ? 0 : 1;
}

void CDataTransformManager::SetProgressCallback(TransProgressCallback callback)
{
    m_Callback = callback;
}

int CDataTransformManager::DeleteDataFiles(std::wstring folder)
{
    // The files go only when a conversion has written their replacements (Commit of
    // the writer); here it is checked that they can go then.
    const fs::path path = FolderPath(folder);
    const std::vector<fs::path> files = ItemFilesIn(path);
    if (!files.empty() && ::access(platform::PathToUtf8(path).c_str(), W_OK | X_OK) != 0) {
        return 0;
    }
    m_ReplacedFolders.push_back(path);
    return 1;
}

std::size_t CDataTransformManager::ValueBufferBytes() const
{
    return BufferBytesFor(platform::GetMemoryStatus().availablePhysical);
}

std::size_t CDataTransformManager::BufferBytesFor(std::uint64_t availablePhysical)
{
    const double usable = static_cast<double>(availablePhysical) * 0.7;
    if (usable > 847052800.0) {
        return 819200;
    }
    if (usable > 542113792.0) {
        return 524288;
    }
    return 262144;
}

bool CDataTransformManager::FindSources(const fs::path& statisticFolder, std::vector<fs::path>& folders,
                                        std::vector<fs::path>& sources)
{
    std::error_code error;
    for (int i = 1; i <= kMaxBlockFolders; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "%.3d", i);
        const fs::path candidate = statisticFolder / name;
        if (!fs::is_directory(candidate, error)) {
            break;
        }
        folders.push_back(candidate);
    }
    if (folders.empty()) {
        return false;
    }
    bool anyDataFile = false;
    for (const fs::path& folder : folders) {
        // Names that are not "statistic<N>.data" are skipped rather than guessed at.
        std::map<long long, fs::path> numbered;
        for (const fs::directory_entry& entry : platform::ListSorted(folder)) {
            const fs::path name = entry.path().filename();
            if (!IsItemFileName(name)) {
                continue;
            }
            anyDataFile = true;
            const long long number = BlockFileNumber(platform::FromPath(name));
            if (number >= 0) {
                numbered.emplace(number, entry.path());
            }
        }
        for (const auto& [number, file] : numbered) {
            sources.push_back(file);
        }
    }
    if (!anyDataFile) {
        sources.clear();
        return false;
    }
    return true;
}

void CDataTransformManager::BuildOutputs()
{
    m_OutputNames.clear();
    m_ValuePositions.clear();
    for (const convertix::ItemRecord& item : m_Items) {
        if (item.staticsType < 0) {
            continue;
        }
        const int kinds = std::max(item.staticsType, 1);
        for (int kind = 0; kind < kinds; ++kind) {
            const auto buffer = static_cast<std::uint32_t>(m_OutputNames.size());
            m_OutputNames.push_back(item.staticsType == 0 ? item.name : item.name + kKindSuffixes[kind]);
            m_ValuePositions.insert(m_ValuePositions.end(), static_cast<std::size_t>(std::max(item.channel, 0)),
                                    buffer);
        }
    }
}

int CDataTransformManager::Convert(std::wstring folder)
{
    // One object is meant for one conversion; a second one starts from clear lists.
    m_Reader.reset();
    m_Writer.reset();
    m_Buffers.clear();
    m_SourceFiles.clear();
    m_BlockFolders.clear();
    m_Items.clear();
    m_BytesWritten = 0;
    m_LastPercent = 0.0;
    const int result = RunConvert(FolderPath(folder));
    if (result != kConvertOk) {
        m_Writer.reset();  // removes its temporary folder
    }
    m_Buffers.clear();
    return result;
}

int CDataTransformManager::RunConvert(const fs::path& statisticFolder)
{
    if (!FindSources(statisticFolder, m_BlockFolders, m_SourceFiles)) {
        return kConvertBadInput;
    }
    convertix::ConvertDescription description;
    if (const int read = convertix::ReadConvertDescription(statisticFolder, description); read != 0) {
        return read;
    }
    m_BlockSize = description.blockSize;
    m_BlockCount = description.blockCount;
    m_BlockCountPerFile = description.blockCountPerFile;
    m_Total = description.total;
    m_Items = std::move(description.items);
    BuildOutputs();
    if (m_OutputNames.empty() || std::set<std::wstring>(m_OutputNames.begin(), m_OutputNames.end()).size() !=
                                     m_OutputNames.size()) {
        return kConvertBadInput;
    }

    try {
        const std::size_t capacity = std::max<std::size_t>(ValueBufferBytes() / 4, 1);
        m_Buffers.resize(m_OutputNames.size());
        for (convertix::ValueBuffer& buffer : m_Buffers) {
            buffer.capacity = capacity;
        }
        m_Reader = std::make_unique<convertix::CBlockReader>(static_cast<std::uint32_t>(m_BlockSize),
                                                             static_cast<std::uint32_t>(description.blockTypeCount),
                                                             *this, ReadBufferBytes());
        m_Writer = std::make_unique<convertix::CItemFileWriter>(FolderPath(m_OutputFolder), m_OutputNames, *this);
        // A terminal writes "BlockCountPerFile" records to a file (300 when it says nothing).
        const std::uint64_t perFile =
            description.blockCountPerFile > 0 ? static_cast<std::uint64_t>(description.blockCountPerFile) : 300;
        m_Reader->SetRecordLayout(perFile, static_cast<std::uint64_t>(std::max(description.blockCount, 0)));
        if (!m_Reader->Allocate()) {
            return kConvertNoMemory;
        }
        if (!m_Reader->Run(m_SourceFiles, m_ValuePositions, m_Buffers, *m_Writer)) {
            m_BytesWritten = m_Writer->BytesWritten();
            return m_Reader->RefusedSource().empty() ? ResultOfError(m_Writer->LastError()) : kConvertNotRegular;
        }
        m_BytesWritten = m_Writer->BytesWritten();
        if (!m_Writer->Commit(m_ReplacedFolders)) {
            return ResultOfError(m_Writer->LastError());
        }
    } catch (const std::bad_alloc&) {
        return kConvertNoMemory;
    }
    m_ReplacedFolders.clear();

    // The mark says that the folder's own item folder holds the conversion: item files
    // written elsewhere (the user's cache, for a folder that cannot be written) leave
    // the folder as it was.
    const fs::path output = FolderPath(m_OutputFolder);
    const auto [inside, ignored] = std::mismatch(statisticFolder.begin(), statisticFolder.end(), output.begin(), output.end());
    if (inside == statisticFolder.end()) {
        const fs::path marker =
            platform::FindNoCase(statisticFolder, L"statistic.cfg").value_or(statisticFolder / "statistic.cfg");
        platform::ProfileWriteString(marker, L"data_convert", L"pre_convert", L"1");
    }
    Report(100.0);
    return kConvertOk;
}

void CDataTransformManager::Report(double percent)
{
    if (m_Callback != nullptr && percent > m_LastPercent) {
        m_LastPercent = percent;
        m_Callback(percent);
    }
}

void CDataTransformManager::ReportCount(std::uint64_t done)
{
    if (m_Callback == nullptr || m_Total <= 0) {
        return;
    }
    // Blocks beyond BlockCount would carry the count past the end; the end alone says 100.
    const double percent = static_cast<double>(done) * 100.0 / static_cast<double>(m_Total);
    Report(std::min(percent, kLastStepPercent));
}

void CDataTransformManager::ReportStep(double step)
{
    if (m_Callback == nullptr) {
        return;
    }
    m_LastPercent += step;
    if (m_LastPercent >= 100.0) {
        m_LastPercent = kLastStepPercent;
    }
    // Never past 99.5 before the end, and never back down.
    m_LastPercent = std::min(m_LastPercent, kLastStepPercent);
    m_Callback(m_LastPercent);
}

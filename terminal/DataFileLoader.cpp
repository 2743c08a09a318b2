#include "terminal/DataFileLoader.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <map>
#include <new>

#include "core/Ini.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Hourglaze.h"
#include "terminal/FolderDescription.h"
#include "terminal/ProfileInt.h"
#include "terminal/TerminalTexts.h"
#include "terminal/ZVDataManager.h"

namespace {

constexpr unsigned int kLoadingFileText = 6285;
// Block files held open in streaming mode: well below the default descriptor limit,
// so a long recording leaves descriptors for the rest of the program.
constexpr std::size_t kKeptOpenFiles = 64;

float FloatAt(const unsigned char* bytes)
{
    const std::uint32_t bits = static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
                               (static_cast<std::uint32_t>(bytes[2]) << 16) |
                               (static_cast<std::uint32_t>(bytes[3]) << 24);
    return std::bit_cast<float>(bits);
}

const float kNoValueFloat = static_cast<float>(kNoValue);

// The number of a block file name "statistic<digits><extension>" (letters in any
// case); nothing for any other name.
bool BlockFileNumber(const std::wstring& name, const std::wstring& extension, std::uint64_t& number)
{
    static const std::wstring prefix = L"statistic";
    if (name.size() <= prefix.size() + extension.size() ||
        !platform::NamesEqualNoCase(name.substr(0, prefix.size()), prefix) ||
        !platform::NamesEqualNoCase(name.substr(name.size() - extension.size()), extension)) {
        return false;
    }
    const std::wstring digits = name.substr(prefix.size(), name.size() - prefix.size() - extension.size());
    if (digits.size() > 9) {
        return false;
    }
    number = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') {
            return false;
        }
        number = number * 10 + static_cast<std::uint64_t>(c - L'0');
    }
    return true;
}

}  // namespace

CDataFileLoader::CDataFileLoader()
{
    Reset();
}

CDataFileLoader::~CDataFileLoader() = default;

void CDataFileLoader::Reset()
{
    m_Files.clear();
    m_OnDemand.reset();
    m_StrPaths.clear();
    m_Loaded = 0;
    m_TotalBytes = 0;
    m_IsCacheMode = 0;
    m_StartOffset = 0;
    m_RecordBytes = 0;
    m_BlockCountPerFile = 300;
    m_BlockTypeCount = 3;
    m_Cache.clear();
    m_CacheFirstFile = 0;
    m_MissingLogged = false;
}

platform::MemoryStatus CDataFileLoader::QueryMemoryStatus() const
{
    return platform::GetMemoryStatus();
}

platform::MappedRegion CDataFileLoader::MapFilePart(const std::filesystem::path& path, std::uint64_t offset,
                                                    std::uint64_t length)
{
    platform::MappedRegion region = platform::MappedRegion::Map(path, offset, length);
    if (region.MapFailed()) {
        throw std::bad_alloc();
    }
    return region;
}

namespace {

bool SystemHasRoom(const platform::MemoryStatus& memory)
{
    return memory.totalPhysical != 0 &&
           static_cast<double>(memory.availablePhysical) / static_cast<double>(memory.totalPhysical) >= 0.2;
}

}  // namespace

bool CDataFileLoader::HoldsInMemory(std::uint64_t bytes, const platform::MemoryStatus& memory)
{
    return SystemHasRoom(memory) && memory.availablePhysical != 0 &&
           static_cast<double>(bytes) / static_cast<double>(memory.availablePhysical) <= 0.9;
}

int CDataFileLoader::IsMemAllow(std::uint32_t checkLength) const
{
    const platform::MemoryStatus memory = QueryMemoryStatus();
    if (checkLength == 0) {
        return SystemHasRoom(memory) ? 1 : 0;
    }
    return HoldsInMemory(m_TotalBytes, memory) ? 1 : 0;
}

std::uint64_t CDataFileLoader::RecordsPerFile() const
{
    return m_UseDataFiles != 0 ? m_BlockCountPerFile : m_BlockCountPerFile / 10;
}

std::uint64_t CDataFileLoader::GetLoadedLength() const
{
    return m_Loaded != 0 ? m_TotalBytes : 0;
}

bool CDataFileLoader::BuildPaths(const std::filesystem::path& statisticFolder)
{
    std::vector<std::filesystem::path> folders;
    for (int n = 1; n <= 256; ++n) {
        wchar_t name[8];
        std::swprintf(name, 8, L"%.3d", n);
        const auto folder = platform::FindNoCase(statisticFolder, name);
        std::error_code error;
        if (!folder || !std::filesystem::is_directory(*folder, error)) {
            break;
        }
        folders.push_back(*folder);
    }
    if (folders.empty()) {
        return false;
    }
    const std::wstring extension = m_UseDataFiles != 0 ? L".data" : L".idx";
    for (const auto& folder : folders) {
        // Ascending numbers, each once (the first name in sorted order wins).
        std::map<std::uint64_t, std::filesystem::path> numbered;
        for (const auto& entry : platform::ListSorted(folder)) {
            std::error_code error;
            std::uint64_t number = 0;
            if (entry.is_regular_file(error) &&
                BlockFileNumber(platform::FromPath(entry.path().filename()), extension, number)) {
                numbered.emplace(number, entry.path());
            }
        }
        for (auto& [number, path] : numbered) {
            m_StrPaths.push_back(path);
        }
    }
    return !m_StrPaths.empty();
}

void CDataFileLoader::ShowBusyText(const std::filesystem::path& path, double step) const
{
    std::wstring text = TerminalText(kLoadingFileText);
    const std::wstring name = platform::FromPath(path.filename());
    if (!name.empty()) {
        text += name + L"...";
    }
    NotifyHourglaze(text.c_str());
    IncreaseHourglaze(step);
}

void CDataFileLoader::NoteMissing()
{
    if (!m_MissingLogged) {
        m_MissingLogged = true;
        TerminalLog(L"CDataFileLoader: the block files do not hold every requested record; "
                    L"those values are read as no value");
    }
}

void CDataFileLoader::FillNoValue(unsigned char* out, std::uint64_t streamOffset, std::size_t size) const
{
    unsigned char pattern[4];
    std::memcpy(pattern, &kNoValueFloat, 4);
    for (std::size_t i = 0; i < size; ++i) {
        out[i] = pattern[(streamOffset + i) % 4];
    }
}

std::size_t CDataFileLoader::ReadFilePart(std::size_t index, const platform::PositionalFile* file, std::uint64_t inFile,
                                          unsigned char* out, std::size_t size)
{
    std::size_t got = 0;
    if (file != nullptr) {
        got = file->ReadAt(inFile, out, size);
    }
    if (got < size) {
        // A float cut by the end of the file has no value either.
        const std::size_t cut = static_cast<std::size_t>((index * FileBytes() + inFile + got) % 4);
        got = got >= cut ? got - cut : 0;
        FillNoValue(out + got, index * FileBytes() + inFile + got, size - got);
    }
    return got;
}

bool CDataFileLoader::LoadCache(std::uint32_t progressBudget, std::uint64_t recordCount)
{
    const std::uint64_t perFile = RecordsPerFile();
    const double step = recordCount < perFile
                            ? static_cast<double>(progressBudget)
                            : progressBudget / (static_cast<double>(recordCount) / static_cast<double>(perFile));
    const std::uint64_t fileBytes = FileBytes();
    const std::size_t firstIndex = static_cast<std::size_t>(m_StartOffset / fileBytes);
    if (firstIndex >= m_StrPaths.size()) {
        TerminalLog(L"CDataFileLoader::LoadFiles FileStartIndex >= m_StrPaths.size()");
        return false;
    }
    m_CacheFirstFile = firstIndex;
    bool complete = true;
    std::uint64_t done = 0;
    for (std::size_t index = firstIndex; done < m_TotalBytes && index < m_StrPaths.size(); ++index) {
        const std::uint64_t inFile = m_StartOffset + done - index * fileBytes;
        const std::uint64_t size = std::min(fileBytes - inFile, m_TotalBytes - done);
        ShowBusyText(m_StrPaths[index], step);
        CachedPart part;
        part.start = m_StartOffset + done;
        part.region = MapFilePart(m_StrPaths[index], inFile, size);
        part.valid = part.region.Size();
        if (part.valid < size) {
            // A float cut by the end of the file has no value either.
            const std::uint64_t end = (part.start + part.valid) / 4 * 4;
            part.valid = end > part.start ? end - part.start : 0;
            complete = false;
        }
        m_Cache.push_back(std::move(part));
        done += size;
    }
    if (done < m_TotalBytes || !complete) {
        NoteMissing();
    }
    return true;
}

unsigned char CDataFileLoader::CachedByte(std::uint64_t absolute) const
{
    const std::uint64_t part = absolute / FileBytes() - m_CacheFirstFile;
    if (part < m_Cache.size() && absolute - m_Cache[part].start < m_Cache[part].valid) {
        return m_Cache[part].region.Data()[absolute - m_Cache[part].start];
    }
    unsigned char pattern[4];
    std::memcpy(pattern, &kNoValueFloat, 4);
    return pattern[absolute % 4];
}

int CDataFileLoader::LoadFiles(const std::wstring& statisticFolder, std::uint64_t firstRecord, std::uint64_t,
                               std::uint64_t recordCount, std::uint64_t recordSize, std::uint32_t useDataFiles,
                               std::uint32_t progressBudget, std::uint32_t requireCache)
{
    Reset();
    m_UseDataFiles = useDataFiles;
    const std::filesystem::path folder = platform::ToPath(statisticFolder);
    {
        CIni ini(TerminalFile(folder, L"statistic.cfg"));
        const int perFile = ReadProfileInt(ini, L"cfg", L"BlockCountPerFile", 300);
        const int typeCount = ReadProfileInt(ini, L"cfg", L"BlockTypeCount", 3);
        if (perFile < 1 || (useDataFiles == 0 && perFile < 10)) {
            TerminalLog(L"CDataFileLoader::LoadFiles BlockCountPerFile " + std::to_wstring(perFile) +
                        (useDataFiles == 0 ? L" leaves no record in an index file" : L" is not usable"));
            Reset();
            return 0;
        }
        if (typeCount < 1) {
            TerminalLog(L"CDataFileLoader::LoadFiles BlockTypeCount " + std::to_wstring(typeCount) +
                        L" is not usable");
            Reset();
            return 0;
        }
        m_BlockCountPerFile = static_cast<std::uint32_t>(perFile);
        m_BlockTypeCount = static_cast<std::uint32_t>(typeCount);
    }
    if (!BuildPaths(folder)) {
        TerminalLog(L"CDataFileLoader::LoadFiles no block files in " + statisticFolder);
        Reset();
        return 0;
    }
    constexpr std::uint64_t maxValue = std::numeric_limits<std::uint64_t>::max();
    if (recordSize == 0 || recordCount > maxValue / recordSize || firstRecord > maxValue / recordSize ||
        RecordsPerFile() > maxValue / recordSize ||
        firstRecord * recordSize > maxValue - recordCount * recordSize) {
        TerminalLog(L"CDataFileLoader::LoadFiles the requested records do not fit a stream");
        Reset();
        return 0;
    }
    m_TotalBytes = recordCount * recordSize;
    m_StartOffset = firstRecord * recordSize;
    m_RecordBytes = recordSize;

    // Whether the stretch is held at once rests on the memory actually available,
    // whatever its size: the mapped pages come into memory as they are read.
    m_IsCacheMode = 0;
    if (IsMemAllow(1) != 0) {
        try {
            m_IsCacheMode = 1;
            if (!LoadCache(progressBudget, recordCount)) {
                Reset();
                return 0;
            }
        } catch (const std::bad_alloc&) {
            m_Cache.clear();
            m_IsCacheMode = 0;
        }
    }
    if (requireCache != 0 && m_IsCacheMode == 0) {
        return 0;
    }
    if (m_IsCacheMode == 0) {
        for (std::size_t i = 0; i < m_StrPaths.size(); ++i) {
            m_Files.push_back(i < kKeptOpenFiles ? std::make_unique<platform::PositionalFile>(m_StrPaths[i])
                                                 : nullptr);
        }
    }
    m_Loaded = 1;
    return 1;
}

std::uint64_t CDataFileLoader::CountRecords(const std::wstring& statisticFolder, std::uint64_t recordSize)
{
    Reset();
    m_UseDataFiles = 1;
    const std::filesystem::path folder = platform::ToPath(statisticFolder);
    const int perFile = ReadProfileInt(CIni(TerminalFile(folder, L"statistic.cfg")), L"cfg", L"BlockCountPerFile", 300);
    std::uint64_t records = 0;
    if (perFile >= 1 && recordSize != 0 && BuildPaths(folder)) {
        const auto share = static_cast<std::uint64_t>(perFile);
        for (std::size_t k = 0; k < m_StrPaths.size(); ++k) {
            std::error_code error;
            const std::uintmax_t size = std::filesystem::file_size(m_StrPaths[k], error);
            const std::uint64_t whole = error ? 0 : std::min<std::uint64_t>(size / recordSize, share);
            if (whole > 0) {
                records = k * share + whole;
            }
        }
    }
    Reset();
    return records;
}

const platform::PositionalFile* CDataFileLoader::StreamFile(std::uint64_t index)
{
    if (index >= m_Files.size()) {
        return nullptr;
    }
    if (m_Files[index] && m_Files[index]->IsOpen()) {
        return m_Files[index].get();
    }
    if (!m_OnDemand || m_OnDemandIndex != index) {
        m_OnDemand.reset();  // its descriptor serves the next file
        m_OnDemand = std::make_unique<platform::PositionalFile>(m_StrPaths[static_cast<std::size_t>(index)]);
        m_OnDemandIndex = index;
    }
    return m_OnDemand->IsOpen() ? m_OnDemand.get() : nullptr;
}

float CDataFileLoader::GetDataAt(std::uint64_t offset)
{
    if (m_Loaded == 0 || m_TotalBytes < 4 || offset > m_TotalBytes - 4) {
        return 0.0f;
    }
    const std::uint64_t absolute = m_StartOffset + offset;
    const std::uint64_t fileBytes = FileBytes();
    if (m_IsCacheMode != 0) {
        const std::uint64_t part = absolute / fileBytes - m_CacheFirstFile;
        if (part < m_Cache.size() && absolute - m_Cache[part].start + 4 <= m_Cache[part].valid) {
            return FloatAt(m_Cache[part].region.Data() + (absolute - m_Cache[part].start));
        }
        // Across the end of a file, or where a file holds nothing.
        const unsigned char bytes[4] = {CachedByte(absolute), CachedByte(absolute + 1), CachedByte(absolute + 2),
                                        CachedByte(absolute + 3)};
        return FloatAt(bytes);
    }
    const std::uint64_t index = absolute / fileBytes;
    unsigned char bytes[4];
    if (ReadFilePart(static_cast<std::size_t>(index), StreamFile(index), absolute % fileBytes, bytes, 4) < 4) {
        NoteMissing();
    }
    return FloatAt(bytes);
}

int CDataFileLoader::ReadSeries(const std::vector<ItemRequest*>& requests, std::uint64_t points,
                                std::uint64_t blockSize)
{
    if (m_Loaded == 0) {
        return 0;
    }
    if (m_IsCacheMode == 0 && m_Files.empty()) {
        return 0;
    }
    const double hundreds = static_cast<double>(points) / 400.0;
    const float step = hundreds == 0.0 ? 40.0f : static_cast<float>(40.0 / hundreds);
    const std::uint64_t recordStride = static_cast<std::uint64_t>(m_BlockTypeCount) * blockSize;
    const std::uint64_t fileBytes = FileBytes();
    const std::uint64_t streamEnd = m_StartOffset + m_TotalBytes;
    // In streaming mode the buffer holds the part of one file that lies inside the
    // requested stretch: the whole file for every file but the first and the last,
    // and never more than the files were asked for, whatever the description claims
    // a file holds.
    std::vector<unsigned char> buffer;
    std::uint64_t bufferStart = 0;
    std::uint64_t bufferedFile = std::numeric_limits<std::uint64_t>::max();
    unsigned counter = 0;
    for (std::uint64_t i = 0; i < points; ++i) {
        if (counter == 400) {
            counter = 0;
            IncreaseHourglaze(step);
        } else {
            ++counter;
        }
        for (ItemRequest* request : requests) {
            if (request == nullptr || request->enabled == 0 || i >= request->values.size()) {
                continue;
            }
            const std::uint64_t offset = i * recordStride + request->blockTypeOffset + request->layout.offset +
                                         request->phaseOffset + request->subValueOffset;
            float value = kNoValueFloat;
            if (m_IsCacheMode != 0) {
                value = GetDataAt(offset);
            } else if (offset + 4 <= m_TotalBytes) {
                const std::uint64_t absolute = m_StartOffset + offset;
                const std::uint64_t index = absolute / fileBytes;
                if (index != bufferedFile) {
                    bufferedFile = index;
                    const std::uint64_t fileStart = index * fileBytes;
                    bufferStart = std::max(fileStart, m_StartOffset);
                    buffer.resize(static_cast<std::size_t>(std::min(fileStart + fileBytes, streamEnd) - bufferStart));
                    if (ReadFilePart(static_cast<std::size_t>(index), StreamFile(index), bufferStart - fileStart,
                                     buffer.data(), buffer.size()) < buffer.size()) {
                        NoteMissing();
                    }
                }
                const std::uint64_t at = absolute - bufferStart;
                value = at + 4 <= buffer.size() ? FloatAt(buffer.data() + at) : kNoValueFloat;
            } else {
                value = 0.0f;
            }
            request->values[static_cast<std::size_t>(i)] = value;
        }
    }
    UpdateHourglaze(40.0);
    return 1;
}

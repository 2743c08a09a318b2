#include "terminal/DataSelection.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cwchar>
#include <ctime>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <tuple>

#include "core/Ini.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/LocalTime.h"
#include "terminal/DataFileLoader.h"
#include "terminal/FolderDescription.h"
#include "terminal/ProfileInt.h"

namespace {

constexpr int kYearLimit = 2101;
constexpr int kBlockSizeLimit = 16 * 1024 * 1024;
constexpr int kTrackInset = 20;
// Measured on loads of generated folders: the block data, mapped and read whole, and
// the series the views keep beside it.
constexpr double kNeededPerSelectedByte = 1.05;

// The six fields of a time in "recordinfo.cfg"; a field that is missing or negative
// reads as -1.
std::array<int, 6> TimeFields(const CIni& ini, const wchar_t* prefix)
{
    static constexpr const wchar_t* kFields[] = {L"Year", L"Month", L"Day", L"Hour", L"Minute", L"Second"};
    std::array<int, 6> fields{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::wstring key = std::wstring(prefix) + kFields[i];
        fields[i] = std::max(-1, ReadProfileInt(ini, L"cfg", key.c_str(), -1));
    }
    return fields;
}

bool AllPresent(const std::array<int, 6>& fields)
{
    return std::none_of(fields.begin(), fields.end(), [](int field) { return field < 0; });
}

std::optional<std::time_t> LocalTimeOf(const std::array<int, 6>& fields)
{
    return platform::FromLocalTime(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
}

std::uint64_t SaturatingProduct(std::uint64_t a, std::uint64_t b)
{
    std::uint64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? std::numeric_limits<std::uint64_t>::max() : product;
}

std::uint64_t Truncated(double value)
{
    if (!(value > 0.0)) {
        return 0;
    }
    return value >= 18446744073709551615.0 ? std::numeric_limits<std::uint64_t>::max()
                                           : static_cast<std::uint64_t>(value);
}

}  // namespace

CDataSelection::Description CDataSelection::Read(const std::wstring& folder)
{
    *this = CDataSelection();
    const std::filesystem::path root = platform::ToPath(folder);
    if (!OversizedDescriptionFile(root).empty()) {
        return Description::Damaged;
    }
    const CIni info(TerminalFile(root, L"recordinfo.cfg"));
    const std::array<int, 6> start = TimeFields(info, L"StartTime");
    const std::optional<std::time_t> startTime = AllPresent(start) && start[0] < kYearLimit ? LocalTimeOf(start)
                                                                                            : std::nullopt;
    if (!startTime) {
        return Description::Damaged;
    }
    m_StartTime = *startTime;
    const std::array<int, 6> end = TimeFields(info, L"EndTime");
    if (end[0] >= kYearLimit) {
        return Description::Damaged;
    }
    m_EndTime = m_StartTime;
    if (AllPresent(end)) {
        const std::optional<std::time_t> endTime = LocalTimeOf(end);
        // A record cannot end before it starts: such times are damaged, not a span.
        if (!endTime || *endTime < m_StartTime) {
            return Description::Damaged;
        }
        m_EndTime = *endTime;
    }

    const CIni statistic(TerminalFile(root, L"Statistic/statistic.cfg"));
    const int blockCount = ReadProfileInt(statistic, L"cfg", L"BlockCount", 0);
    const int timePlot = ReadProfileInt(statistic, L"cfg", L"TimePlot", 0);
    const int blockSize = ReadProfileInt(statistic, L"cfg", L"BlockSize", 0);
    const int blockTypeCount = ReadProfileInt(statistic, L"cfg", L"BlockTypeCount", 0);
    // No terminal writes blocks of more than a few tens of kilobytes: a block size in
    // the gigabytes (or past what the key can hold) is a damaged description.
    if (blockSize <= 0 || blockSize > kBlockSizeLimit || blockTypeCount <= 0 || timePlot <= 0 || blockCount < 0) {
        return Description::Damaged;
    }
    m_BlockCount = static_cast<std::uint64_t>(blockCount);
    m_TimePlot = static_cast<std::uint32_t>(timePlot);
    m_BlockSize = static_cast<std::uint32_t>(blockSize);
    m_BlockTypeCount = static_cast<std::uint32_t>(blockTypeCount);
    return blockCount == 0 ? Description::NoBlocks : Description::Usable;
}

void CDataSelection::SetPresentBlocks(std::uint64_t present)
{
    if (present < m_BlockCount) {
        m_BlockCount = present;
        m_IsTruncated = true;
    }
    m_Duration = SaturatingProduct(m_TimePlot, m_BlockCount);
    // A recorded end past the data that are there is not offered: the selection, and
    // every header that states its period, end with the data loaded.
    if (m_EndTime == m_StartTime || m_IsTruncated) {
        const auto limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max() - m_StartTime);
        const std::int64_t dataEnd = m_StartTime + static_cast<std::int64_t>(std::min(m_Duration, limit));
        m_EndTime = m_EndTime == m_StartTime ? dataEnd : std::min(m_EndTime, dataEnd);
    }
    m_TotalSize = SaturatingProduct(SaturatingProduct(m_BlockSize, m_BlockTypeCount), m_BlockCount);
}

void CDataSelection::FindGaps(const std::wstring& folder)
{
    m_Missing.clear();
    m_MissingFolder.clear();
    m_IrregularFile.clear();
    const std::filesystem::path statistic = platform::ResolveNoCase(platform::ToPath(folder), L"Statistic");
    const CIni cfg(TerminalFile(platform::ToPath(folder), L"Statistic/statistic.cfg"));
    const int perFileValue = ReadProfileInt(cfg, L"cfg", L"BlockCountPerFile", 300);
    const std::uint64_t recordBytes = static_cast<std::uint64_t>(m_BlockSize) * m_BlockTypeCount;
    if (perFileValue < 1 || recordBytes == 0) {
        return;
    }
    const auto perFile = static_cast<std::uint64_t>(perFileValue);
    std::vector<std::filesystem::path> files;
    int n = 1;
    for (; n <= 256; ++n) {
        wchar_t name[8];
        std::swprintf(name, 8, L"%.3d", n);
        const auto blockFolder = platform::FindNoCase(statistic, name);
        std::error_code error;
        if (!blockFolder || !std::filesystem::is_directory(*blockFolder, error)) {
            break;
        }
        std::map<std::uint64_t, std::filesystem::path> numbered;
        for (const auto& entry : platform::ListSorted(*blockFolder)) {
            const std::wstring file = platform::FromPath(entry.path().filename());
            const bool blockName = file.size() > 13 && platform::NamesEqualNoCase(file.substr(0, 9), L"statistic") &&
                                   (platform::NamesEqualNoCase(file.substr(file.size() - 5), L".data") ||
                                    platform::NamesEqualNoCase(file.substr(file.size() - 4), L".idx"));
            if (blockName && !entry.is_regular_file(error) && m_IrregularFile.empty()) {
                m_IrregularFile = entry.path();
            }
            if (entry.is_regular_file(error) && file.size() > 14 && platform::NamesEqualNoCase(file.substr(0, 9), L"statistic") &&
                platform::NamesEqualNoCase(file.substr(file.size() - 5), L".data")) {
                const std::wstring digits = file.substr(9, file.size() - 14);
                if (digits.size() <= 9 && std::all_of(digits.begin(), digits.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; })) {
                    numbered.emplace(std::stoull(digits), entry.path());
                }
            }
        }
        for (auto& [number, path] : numbered) {
            files.push_back(path);
        }
    }
    // A later block folder after the missing one: its data are not read.
    for (int later = n + 1; n > 1 && later <= 256; ++later) {
        wchar_t name[8];
        std::swprintf(name, 8, L"%.3d", later);
        std::error_code error;
        const auto blockFolder = platform::FindNoCase(statistic, name);
        if (blockFolder && std::filesystem::is_directory(*blockFolder, error)) {
            wchar_t missing[8];
            std::swprintf(missing, 8, L"%.3d", n);
            m_MissingFolder = missing;
            break;
        }
    }
    for (std::size_t k = 0; k + 1 < files.size(); ++k) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(files[k], error);
        const std::uint64_t whole = error ? 0 : std::min<std::uint64_t>(size / recordBytes, perFile);
        const std::uint64_t first = std::min(m_BlockCount, k * perFile + whole);
        const std::uint64_t end = std::min(m_BlockCount, (k + 1) * perFile);
        if (first >= end) {
            continue;
        }
        if (!m_Missing.empty() && m_Missing.back().end == first) {
            m_Missing.back().end = end;
        } else {
            m_Missing.push_back({first, end});
        }
    }
}

std::pair<std::int64_t, std::int64_t> CDataSelection::StretchTimes(const Stretch& stretch) const
{
    const auto at = [this](std::uint64_t record) {
        const auto limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max() - m_StartTime);
        return m_StartTime + static_cast<std::int64_t>(std::min(SaturatingProduct(record, m_TimePlot), limit));
    };
    return {at(stretch.first), at(stretch.end)};
}

std::pair<double, double> CDataSelection::ProposedRange(std::uint64_t availableMemory) const
{
    const double limit = 0.8 * static_cast<double>(availableMemory);
    const double need = MemoryNeeded(static_cast<double>(m_TotalSize));
    if (m_TotalSize == 0 || need < limit) {
        return {0.0, 1.0};
    }
    return {0.0, std::clamp(limit / need, 0.0, 1.0)};
}

std::pair<std::int64_t, std::int64_t> CDataSelection::SelectedTimes(double startFrac, double endFrac) const
{
    const double duration = static_cast<double>(m_Duration);
    const std::int64_t start = m_StartTime + static_cast<std::int64_t>(Truncated(startFrac * duration));
    const std::int64_t end =
        endFrac == 1.0 ? m_EndTime : m_StartTime + static_cast<std::int64_t>(Truncated(endFrac * duration));
    return {start, end};
}

DataSelectInfo CDataSelection::GetSelection(double startFrac, double endFrac) const
{
    DataSelectInfo selection;
    const double count = static_cast<double>(m_BlockCount);
    selection.FirstBlock = std::min(m_BlockCount, Truncated(count * startFrac));
    selection.EndBlock = std::clamp(Truncated(count * endFrac), selection.FirstBlock, m_BlockCount);
    selection.BlockNum = selection.EndBlock - selection.FirstBlock;
    selection.DataSize = SaturatingProduct(SaturatingProduct(m_BlockTypeCount, m_BlockSize), selection.BlockNum);
    const auto [start, end] = SelectedTimes(startFrac, endFrac);
    selection.StartTime = start;
    selection.EndTime = end;
    selection.BlockSize = m_BlockSize;
    selection.TimePlot = m_TimePlot;
    return selection;
}

CDataSelection::Figures CDataSelection::Describe(double startFrac, double endFrac, std::uint64_t availableMemory) const
{
    Figures figures;
    std::tie(figures.start, figures.end) = SelectedTimes(startFrac, endFrac);
    const double total = static_cast<double>(m_TotalSize);
    figures.selectedBytes = (endFrac - startFrac) * total;
    figures.availableBytes = 0.8 * static_cast<double>(availableMemory);
    figures.neededBytes = MemoryNeeded(figures.selectedBytes);
    figures.memoryShort =
        figures.availableBytes <= figures.selectedBytes && figures.availableBytes <= figures.neededBytes;
    if (figures.memoryShort && m_TotalSize != 0) {
        figures.shownSpan = static_cast<std::int64_t>(
            std::min(Truncated(figures.availableBytes * static_cast<double>(m_Duration) * 10.0 / total),
                     static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())));
    } else {
        figures.shownSpan = m_EndTime - m_StartTime;
    }
    figures.canOpen = endFrac != startFrac && figures.start != figures.end;
    return figures;
}

double CDataSelection::MemoryNeeded(double selectedBytes)
{
    return kNeededPerSelectedByte * selectedBytes;
}

bool CDataSelection::ShownAtIndexResolution(double startFrac, double endFrac,
                                            const platform::MemoryStatus& memory) const
{
    const std::uint64_t bytes = GetSelection(startFrac, endFrac).DataSize;
    return bytes != 0 && !CDataFileLoader::HoldsInMemory(bytes, memory);
}

std::wstring FormatDataSize(double bytes)
{
    wchar_t text[64];
    if (bytes < 1024.0) {
        std::swprintf(text, 64, L"%.2fB", bytes);
    } else if (bytes < 1024.0 * 1024.0) {
        std::swprintf(text, 64, L"%.2fKB", bytes / 1024.0);
    } else {
        std::swprintf(text, 64, L"%.2fMB", bytes / 1048576.0);
    }
    return text;
}

std::wstring FormatSpan(const std::wstring& pattern, std::int64_t seconds)
{
    seconds = std::max<std::int64_t>(seconds, 0);
    std::wstring text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != L'%' || i + 1 == pattern.size()) {
            text += pattern[i];
            continue;
        }
        wchar_t field[32];
        switch (pattern[++i]) {
        case L'D':
            std::swprintf(field, 32, L"%lld", static_cast<long long>(seconds / 86400));
            break;
        case L'H':
            std::swprintf(field, 32, L"%02d", static_cast<int>(seconds / 3600 % 24));
            break;
        case L'M':
            std::swprintf(field, 32, L"%02d", static_cast<int>(seconds / 60 % 60));
            break;
        case L'S':
            std::swprintf(field, 32, L"%02d", static_cast<int>(seconds % 60));
            break;
        case L'%':
            std::swprintf(field, 32, L"%%");
            break;
        default:
            std::swprintf(field, 32, L"%%%lc", static_cast<wint_t>(pattern[i]));
            break;
        }
        text += field;
    }
    return text;
}

std::wstring FormatSelectionTime(std::int64_t time)
{
    const std::optional<std::tm> local = platform::ToLocalTime(static_cast<std::time_t>(time));
    if (!local) {
        return std::wstring();
    }
    wchar_t text[64];
    std::swprintf(text, 64, L"%04d-%02d-%02d %02d:%02d:%02d", local->tm_year + 1900, local->tm_mon + 1,
                  local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec);
    return text;
}

int SelectionLabelLeft(int sliderLeft, int sliderWidth, double startFrac, double endFrac, int labelWidth,
                       int clientWidth)
{
    const int trackWidth = std::max(0, sliderWidth - 2 * kTrackInset);
    const double middle = sliderLeft + kTrackInset + (startFrac + endFrac) / 2.0 * trackWidth;
    const int left = static_cast<int>(std::lround(middle - labelWidth / 2.0));
    return std::clamp(left, 0, std::max(0, clientWidth - labelWidth));
}

#include "tools/gen/StatisticFolder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <numbers>
#include <string>

#include "tools/gen/DescriptionFiles.h"
#include "tools/gen/StatisticValues.h"

namespace gen {

namespace {

namespace fs = std::filesystem;

std::string Cased(const std::string& name, NameCase nameCase)
{
    std::string out = name;
    if (nameCase == NameCase::Upper) {
        std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::toupper(c); });
    } else if (nameCase == NameCase::Lower) {
        std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    }
    return out;
}

bool WriteText(const fs::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

bool WriteDescriptions(const fs::path& folder, const fs::path& statistic, const StatisticFolderOptions& options)
{
    const StatisticDefect defect = options.defect;
    DescriptionFiles files;
    RecordInfo& info = files.recordInfo;
    info.start = {options.startYear, options.startMonth, options.startDay, options.startHour,
                  options.startMinute, options.startSecond, options.startMillisecond};
    info.deviceType = options.deviceType;
    info.softwareVersion = options.softwareVersion;
    info.end = options.end;
    info.place = options.place;
    files.recordSet = options.recordSet;
    if (defect == StatisticDefect::ZeroRatioDivisor) {
        files.recordSet.pt1 = L"0";
        files.recordSet.pt1Right = L"0";
    }
    files.recordSet.category = options.wiringCategory;
    files.recordSet.subConnectType = options.wiringSubtype;

    StatisticCfg& cfg = files.statistic;
    cfg.blockSize = static_cast<int>(BlockSizeOf(options.items));
    if (defect == StatisticDefect::LayoutMismatch) {
        cfg.blockSize += 4;
    } else if (defect == StatisticDefect::NegativeBlockSize) {
        cfg.blockSize = -4;
    }
    cfg.blockCount = static_cast<int>(options.records);
    cfg.timePlot = options.timePlot;
    cfg.items.assign(options.items.begin(), options.items.end());
    cfg.blockCountPerFile =
        static_cast<int>(defect == StatisticDefect::SmallBlockCountPerFile ? 5 : options.blockCountPerFile);
    cfg.blockTypeCount = static_cast<int>(options.blockTypeCount);
    cfg.preConvert = options.preConvert;

    IniDocument recordInfo = RecordInfoDocument(info);
    IniDocument recordSet = RecordSetDocument(files.recordSet);
    IniDocument statisticCfg = StatisticCfgDocument(cfg);
    if (!options.itemText.empty()) {
        statisticCfg.Set(L"cfg", L"Item", options.itemText);
    }
    switch (defect) {
    case StatisticDefect::MissingMillisecond:
        recordInfo.Remove(L"cfg", L"StartTimeMilliSecond");
        break;
    case StatisticDefect::MissingSysInfoText:
        recordSet.Remove(L"SysInfor", L"MVA");
        break;
    case StatisticDefect::MissingTimePlot:
        statisticCfg.Remove(L"cfg", L"TimePlot");
        break;
    case StatisticDefect::MissingItem:
        statisticCfg.Remove(L"cfg", L"Item");
        break;
    case StatisticDefect::EmptyItemPiece:
        statisticCfg.Set(L"cfg", L"Item", L"1,,7");
        break;
    default:
        break;
    }
    const NameCase nameCase = options.nameCase;
    return recordInfo.Write(folder / Cased(kRecordInfoFile, nameCase), options.format) &&
           recordSet.Write(folder / Cased(kRecordSetFile, nameCase), options.format) &&
           statisticCfg.Write(statistic / Cased(kStatisticCfgFile, nameCase), options.format);
}

// One block file: records [first, first + count) of the stream (every tenth record
// for index files).
bool WriteBlockFile(const fs::path& file, const StatisticFolderOptions& options, std::uint64_t first,
                    std::uint64_t count, bool index)
{
    const std::uint32_t floats = BlockSizeOf(options.items) / 4;
    std::vector<float> record(static_cast<std::size_t>(floats) * options.blockTypeCount);
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(count) * record.size() * 4);
    const ValueSource values(options);
    for (std::uint64_t r = first; r < first + count; ++r) {
        const std::uint64_t source = index ? r * 10 : r;
        const bool noValue = std::find(options.noValueRecords.begin(), options.noValueRecords.end(), source) !=
                             options.noValueRecords.end();
        for (std::uint32_t t = 0; t < options.blockTypeCount; ++t) {
            for (std::uint32_t f = 0; f < floats; ++f) {
                const float value = noValue ? kNoValueSample : values.At(source, t, f);
                std::uint32_t bits;
                std::memcpy(&bits, &value, 4);
                for (int b = 0; b < 4; ++b) {
                    bytes.push_back(static_cast<unsigned char>(bits >> (8 * b)));
                }
            }
        }
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

bool WriteBlocks(const fs::path& statistic, const StatisticFolderOptions& options)
{
    const std::uint64_t perFile = options.blockCountPerFile;
    if (perFile == 0 || options.filesPerFolder == 0) {
        return false;
    }
    const std::uint64_t files = (options.records + perFile - 1) / perFile;
    const NameCase nameCase = options.nameCase;
    const std::uint64_t recordSize = static_cast<std::uint64_t>(BlockSizeOf(options.items)) * options.blockTypeCount;
    for (std::uint64_t g = 0; g < files; ++g) {
        std::uint64_t folderNumber = g / options.filesPerFolder + 1;
        if (options.gapAfterFolder != 0 && folderNumber > options.gapAfterFolder) {
            ++folderNumber;
        }
        if (options.defect == StatisticDefect::NoBlockFolder) {
            ++folderNumber;
        }
        char folderName[16];
        std::snprintf(folderName, sizeof folderName, "%.3llu", static_cast<unsigned long long>(folderNumber));
        const fs::path folder = statistic / folderName;
        fs::create_directories(folder);
        const std::string number = std::to_string(g + options.firstFileNumber);
        const std::uint64_t first = g * perFile;
        const std::uint64_t count = std::min(perFile, options.records - first);
        const fs::path data = folder / Cased("statistic" + number + ".data", nameCase);
        if (!WriteBlockFile(data, options, first, count, false)) {
            return false;
        }
        if (options.indexFiles) {
            const fs::path index = folder / Cased("statistic" + number + ".idx", nameCase);
            if (!WriteBlockFile(index, options, first / 10, (count + 9) / 10, true)) {
                return false;
            }
        }
        if (g == 1 && options.defect == StatisticDefect::TruncatedFile) {
            fs::resize_file(data, recordSize * (count / 2) + recordSize / 2 + 2);
        }
        if (g == 1 && options.defect == StatisticDefect::EmptyFile) {
            fs::resize_file(data, 0);
        }
        if (g == 0 && options.defect == StatisticDefect::MisnamedFiles) {
            for (const char* name : {"statistic-3", "statistic1x", "statistic", "statistic+2", "xstatistic4"}) {
                const std::string garbage(static_cast<std::size_t>(recordSize * perFile), '\x7f');
                WriteText(folder / (std::string(name) + ".data"), garbage);
            }
        }
    }
    return true;
}

}  // namespace

float StatisticValue(std::uint64_t record, std::uint32_t blockType, std::uint32_t floatIndex)
{
    const std::uint64_t mixed = record * 7919u + blockType * 104729u + floatIndex * 31u;
    return static_cast<float>(mixed % 65521u) / 4.0f;
}

std::uint32_t BlockSizeOf(const std::vector<std::uint32_t>& items)
{
    std::uint32_t floats = 0;
    for (std::uint32_t item : items) {
        floats += ItemFloats(item);
    }
    return floats * 4;
}

std::uint32_t FloatIndexOf(const std::vector<std::uint32_t>& items, std::uint32_t itemId)
{
    std::uint32_t floats = 0;
    for (std::uint32_t item : items) {
        if (item == itemId) {
            return floats;
        }
        floats += ItemFloats(item);
    }
    return floats;
}

std::vector<std::uint32_t> AllStatisticItems() { return ItemsIn({{1, 461}}); }

std::vector<std::uint32_t> ItemsIn(std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> ranges)
{
    std::vector<std::uint32_t> items;
    for (const auto& [first, last] : ranges) {
        for (std::uint32_t id = first; id <= last; ++id) {
            items.push_back(id);
        }
    }
    return items;
}

bool WriteStatisticFolder(const fs::path& folder, const StatisticFolderOptions& options)
{
    std::error_code error;
    const fs::path statistic = folder / Cased(kStatisticFolder, options.nameCase);
    fs::create_directories(statistic, error);
    if (error) {
        return false;
    }
    return WriteDescriptions(folder, statistic, options) && WriteBlocks(statistic, options);
}

bool WriteBoardFolders(const fs::path& folder, const StatisticFolderOptions& options, int boards)
{
    for (int board = 1; board <= boards; ++board) {
        if (!WriteStatisticFolder(folder / ("Board" + std::to_string(board)), options)) {
            return false;
        }
    }
    return true;
}

}  // namespace gen

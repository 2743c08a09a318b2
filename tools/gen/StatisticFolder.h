#pragma once
// Generator of statistic trend folders: the description files, "Statistic/statistic.cfg",
// the numbered block folders with ".data" and ".idx" block files holding known
// values (so a test knows what every series must hold), "Board%d" sub-folders, the
// name case variants that FAT drives give, and broken variants.

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/gen/DescriptionFiles.h"
#include "tools/gen/IniDocument.h"

namespace gen {

// The value a terminal stores for a quantity it could not measure.
inline constexpr float kNoValueSample = -5368709.0f;

// The value the generator stores for record `record`, block type `blockType` and the
// float at `floatIndex` of the block: a non-negative multiple of 0.25 below 16384, so
// it survives float storage and three-decimal rounding exactly.
float StatisticValue(std::uint64_t record, std::uint32_t blockType, std::uint32_t floatIndex);

// Index files hold one record for every ten: index record j holds record 10 × j.
inline float StatisticIndexValue(std::uint64_t indexRecord, std::uint32_t blockType, std::uint32_t floatIndex)
{
    return StatisticValue(indexRecord * 10, blockType, floatIndex);
}

// Floats per block of a statistic item (0 for an id that is not one).
std::uint32_t ItemFloats(std::uint32_t itemId);
// Bytes per block of the items; the float index of an item's first value.
std::uint32_t BlockSizeOf(const std::vector<std::uint32_t>& items);
std::uint32_t FloatIndexOf(const std::vector<std::uint32_t>& items, std::uint32_t itemId);
// All statistic items 1 to 461.
std::vector<std::uint32_t> AllStatisticItems();
// The items of the ranges (first, last), in order.
std::vector<std::uint32_t> ItemsIn(std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> ranges);

enum class NameCase {
    AsWritten,  // "Statistic/statistic.cfg", "001/statistic1.data"
    Upper,      // "STATISTIC/STATISTIC.CFG", "001/STATISTIC1.DATA"
    Lower,      // "statistic/statistic.cfg", "recordinfo.cfg"
};

enum class StatisticDefect {
    None,
    TruncatedFile,          // the second block file ends in the middle of a record
    EmptyFile,              // the second block file is empty
    MisnamedFiles,          // extra "statistic-3", "statistic1x", "statistic" files full of other values
    LayoutMismatch,         // "BlockSize" four bytes more than the items take
    SmallBlockCountPerFile, // "BlockCountPerFile" 5: index files hold no record
    NegativeBlockSize,      // "BlockSize" -4
    MissingTimePlot,
    MissingItem,
    EmptyItemPiece,         // an empty piece between two commas in "Item"
    MissingMillisecond,     // "recordinfo.cfg" without "StartTimeMilliSecond"
    MissingSysInfoText,     // "recordset.ini" without "MVA"
    ZeroRatioDivisor,       // "PT1" 0 and "PT1_Right" 0
    NoBlockFolder,          // no "001"
};

// One value the terminal measured apart from the plausible course: an event of the
// record's interval (a dip's lowest half-cycle RMS, an inrush's highest current).
struct StatisticOverride {
    std::uint64_t record = 0;
    std::uint32_t item = 0;
    std::uint32_t channel = 0;    // 0..3 (3 = N or the total)
    std::uint32_t blockType = 0;  // 0 maximum, 1 minimum, 2 average
    float value = 0.0f;
};

struct StatisticFolderOptions {
    std::vector<std::uint32_t> items = {1, 7, 25, 461};
    std::wstring itemText;  // "Item" as written; empty: the items joined by ","
    std::uint64_t records = 50;
    std::uint32_t blockCountPerFile = 20;
    std::uint32_t blockTypeCount = 3;
    std::uint32_t filesPerFolder = 4;
    std::uint32_t firstFileNumber = 1;  // the block files are numbered on across folders
    std::uint32_t gapAfterFolder = 0;   // non-zero: the folder after this number is skipped
    bool indexFiles = true;
    int timePlot = 60;
    int startYear = 2026, startMonth = 3, startDay = 1, startHour = 0, startMinute = 0, startSecond = 0;
    int startMillisecond = 0;
    int wiringCategory = 4, wiringSubtype = 2;  // three-phase four-wire WYE
    std::wstring deviceType = L"K7700";
    std::wstring softwareVersion = L"V1.2.4";
    std::optional<int> preConvert = 0;  // "data_convert"/"pre_convert"; nothing: the key is left out
    // The "EndTime..." keys of "recordinfo.cfg" (K7900 recordings), when written.
    std::optional<DateTime> end;
    NameCase nameCase = NameCase::AsWritten;
    StatisticDefect defect = StatisticDefect::None;
    bool realisticValues = false;  // plausible measurements instead of the known pattern
    double plausibleVoltage = 230.0;  // phase voltage (V) the plausible voltages sit at
    std::vector<StatisticOverride> overrides;  // on top of the plausible values
    // Records the terminal could not measure: every value of theirs is the no-value
    // marker kNoValueSample.
    std::vector<std::uint64_t> noValueRecords;
    FileFormat format;             // of the description files
    // The system information and the texts of "recordset.ini" and "recordinfo.cfg"
    // (the wiring comes from the fields above).
    RecordSet recordSet;
    std::wstring place = RecordInfo{}.place;
};

// Writes a terminal folder with statistic data into `folder` (made when missing).
bool WriteStatisticFolder(const std::filesystem::path& folder, const StatisticFolderOptions& options);

// Writes `boards` copies of the folder into "Board1" ... "Board<boards>" below `folder`.
bool WriteBoardFolders(const std::filesystem::path& folder, const StatisticFolderOptions& options, int boards);


}  // namespace gen

#pragma once
// The description files of a terminal data folder: "recordinfo.cfg" (start time and
// user texts), "recordset.ini" (wiring, transformer ratios, limits) and
// "Statistic/statistic.cfg" (what the statistic block stream holds).
// The defaults describe a realistic K7700 recording; a fixture changes the fields it
// cares about, or edits the documents key by key before writing them.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/gen/IniDocument.h"

namespace gen {

inline constexpr const char* kRecordInfoFile = "recordinfo.cfg";
inline constexpr const char* kRecordSetFile = "recordset.ini";
inline constexpr const char* kStatisticFolder = "Statistic";
inline constexpr const char* kStatisticCfgFile = "statistic.cfg";

struct DateTime {
    int year = 2024;
    int month = 3;
    int day = 15;
    int hour = 8;
    int minute = 30;
    int second = 0;
    int millisecond = 0;
};

// The calendar time that many milliseconds later (or earlier), as a clock shows it.
DateTime AddMilliseconds(const DateTime& time, std::int64_t milliseconds);
// Milliseconds from one calendar time to another (negative when it lies before).
std::int64_t MillisecondsBetween(const DateTime& from, const DateTime& to);
// 0 Sunday .. 6 Saturday.
int DayOfWeek(const DateTime& time);

// "recordinfo.cfg", section "cfg".
struct RecordInfo {
    DateTime start;
    std::optional<DateTime> end;  // "EndTime..." keys (K7900 recordings), no milliseconds
    std::wstring userName = L"张工";
    std::wstring place = L"城南110kV变电站 1号主变";
    std::wstring deviceType = L"K7700";
    std::wstring softwareVersion = L"V1.2.4";
    std::optional<int> cffc;  // "CFFC": COMTRADE files per folder, when the terminal writes it
};

// "recordset.ini". Numbers are kept as the terminal's texts ("PT1" is read both as a
// number and as text).
struct RecordSet {
    int category = 4;  // three-phase four-wire
    int subConnectType = 2;  // WYE
    std::wstring pt1 = L"100.000";
    std::wstring pt1Left = L"10000";
    std::wstring pt1Right = L"100";
    std::wstring ct1 = L"120.000";
    std::wstring ct1Left = L"600";
    std::wstring ct1Right = L"5";
    std::wstring u = L"57.74";
    std::wstring pt = L"10kV/100V";
    std::wstring ct = L"600A/5A";
    std::wstring mva = L"100";
    int ewl = 10;
    int bwl = 4;
};

// "Statistic/statistic.cfg", section "cfg" (and "data_convert" once converted).
struct StatisticCfg {
    int blockSize = 0;  // bytes per block: the statistic writer sets it from the items
    int blockCount = 0;
    int timePlot = 60;  // seconds per record
    std::vector<int> items = {1, 7, 8};
    int blockCountPerFile = 300;
    int blockTypeCount = 3;
    std::optional<int> preConvert;  // "data_convert"/"pre_convert"
};

struct DescriptionFiles {
    RecordInfo recordInfo;
    RecordSet recordSet;
    StatisticCfg statistic;
};

// "1,7,8": the item ids as the "Item" key holds them.
std::wstring ItemListText(const std::vector<int>& items);

IniDocument RecordInfoDocument(const RecordInfo& info);
IniDocument RecordSetDocument(const RecordSet& set);
IniDocument StatisticCfgDocument(const StatisticCfg& cfg);

// Where the three files lie in a data folder.
std::filesystem::path RecordInfoPath(const std::filesystem::path& folder);
std::filesystem::path RecordSetPath(const std::filesystem::path& folder);
std::filesystem::path StatisticCfgPath(const std::filesystem::path& folder);

// Writes the three files into the folder (made when missing) in one format.
bool WriteDescriptionFiles(const std::filesystem::path& folder, const DescriptionFiles& files,
                           const FileFormat& format = {});

}  // namespace gen

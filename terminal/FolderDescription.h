#pragma once
// The description files of a terminal folder: "recordinfo.cfg" (start time, user
// and device texts), "recordset.ini" (system information and wiring) and
// "Statistic/statistic.cfg" (what the statistic block stream holds).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "terminal/BasicInfo.h"

// A file of the terminal folder, found without regard to case ("Statistic/statistic.cfg").
std::wstring TerminalFile(const std::filesystem::path& folder, const wchar_t* relative);

// No terminal writes a description file ("recordinfo.cfg", "recordset.ini",
// "Statistic/statistic.cfg") of more than a few kilobytes: a larger one is damaged,
// and reading it would only hold the program up.
inline constexpr std::uintmax_t kDescriptionFileLimit = 1024 * 1024;
// The name of the first description file of `folder` larger than the limit; empty
// when none is.
std::wstring OversizedDescriptionFile(const std::filesystem::path& folder);

// Start time (moved on by offsetSeconds), end time and the user and device texts.
// 0 when a start-time key is missing or negative.
int ReadRecordInfo(const std::wstring& path, BasicInfo& info, std::int64_t offsetSeconds, std::int64_t endTime);

// "%04d-%02d-%02d %02d:%02d:%02d.%03d" of a local time; fields the conversion cannot
// produce print as -1 (the month as 0).
std::wstring FormatRecordTime(const std::int64_t* time, int milliseconds);

// Transformer ratios, nominal voltage and the PT, CT and MVA texts; 0 unless all six
// texts are non-empty.
int ReadSysInfor(const std::wstring& path, BasicInfo& info);

// What a ratio text says when the ratio cannot be worked out (a zero divisor).
inline constexpr const wchar_t* kUnknownRatioText = L"unknown";

// The "cfg" section of "statistic.cfg".
struct StatisticDescription {
    int blockSize = -1;
    int timePlot = -1;
    int blockCountPerFile = 300;
    int blockTypeCount = 3;
    std::wstring itemText;  // "***" when missing
};
StatisticDescription ReadStatisticDescription(const std::wstring& path);

// The pieces of an "Item" text: every piece before a "," trimmed and kept even when
// empty, the rest after the last "," kept when not empty.
std::vector<std::wstring> SplitItemText(const std::wstring& text);

// The item ids of an "Item" text; 1000 stands for all ids 1 to 461. Empty when the
// text is empty, "***" or yields no piece.
std::vector<std::uint32_t> ParseItemList(const std::wstring& text);

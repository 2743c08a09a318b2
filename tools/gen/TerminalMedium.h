#pragma once
// Generator of a terminal's data medium, as its removable drive or its FTP server
// holds it: the marker file "jmr_zv.verify" (the 1544-byte device information
// block), "SCREEN" with screenshots, "EXPORT" with statistic record folders and
// "WAVE" with waveform record folders; a K7900's records hold "Board<n>" folders,
// and a record still being written holds "record.lock".

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace gen {

struct MediumRecord {
    std::string name;      // "20260301_080000"
    int boards = 0;        // 0: the record's data at its top; n: "Board1" ... "Board<n>",
                           // board b holding records + b statistic records
    bool locked = false;   // "record.lock" beside the data
    std::uint64_t records = 20;  // statistic records, one a minute from the name's time
};

struct MediumScreenshot {
    std::string name;  // "SCR_0001.bmp"
    // The terminal's wall clock when it was taken; the file's modification time is
    // set to these fields read as UTC (what the terminal's FTP server reports).
    int year = 2026, month = 3, day = 1, hour = 8, minute = 5, second = 0;
    std::size_t bytes = 3000;
};

struct TerminalMediumOptions {
    std::wstring deviceName = L"K7800 电能质量分析仪";
    std::wstring version = L"V1.2.4";
    std::uint64_t deviceNumber = 7800123456;
    bool marker = true;
    std::size_t markerBytes = 1544;  // shorter: a broken marker file
    std::vector<MediumRecord> exportRecords = {{"20260301_080000"}, {"20260302_090000"}};
    std::vector<MediumRecord> waveRecords = {{"20260301_100000"}};
    std::vector<MediumScreenshot> screenshots = {{"SCR_0001.bmp", 2026, 3, 1, 8, 5, 0},
                                                 {"SCR_0002.bmp", 2026, 3, 1, 8, 20, 0},
                                                 {"SCR_0003.bmp", 2026, 3, 2, 7, 0, 0}};
};

// The device information block: device number, name and version in UTF-16LE,
// zero-padded, and 512 reserved bytes.
std::string DeviceInfoBlock(std::uint64_t deviceNumber, const std::wstring& name, const std::wstring& version);

// Writes the medium below root (made when missing).
bool WriteTerminalMedium(const std::filesystem::path& root, const TerminalMediumOptions& options);

}  // namespace gen

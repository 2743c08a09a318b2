#pragma once
// Generator of COMTRADE records as a K7700 terminal writes them: a ".CFG" (1999
// layout, CR LF, GBK), a ".DAT" in ASCII or BINARY and the terminal's ".INF" side
// file, below "COMTRADE/<folder>/" with names "<xx>_<yyyymmdd>_<hhmmss>_<mmm>".
// The samples follow known functions (ComtradeRaw, ComtradeDigital), so a test knows
// every value; the broken variants each break one thing a reader must notice.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tools/gen/DescriptionFiles.h"

namespace gen {

enum class ComtradeFormat { Ascii, Binary };

enum class ComtradeDefect {
    None,
    LfLineEnds,           // ".CFG" and ASCII ".DAT" lines end in LF alone
    EofPadding,           // 0x1A bytes after the ".CFG" text
    OldFirstLine,         // first line with two fields (1991 layout)
    TenFieldAnalog,       // analog lines of ten fields (1991 layout)
    WrongTotal,           // total channels one more than analog plus digital
    WrongChannelNumber,   // the second analog channel numbered 3
    BadFileType,          // file type "TEXT"
    MissingTimeMultiplier,
    NoLineFrequency,      // the line-frequency line left out (the reader takes the rate count from before)
    TruncatedDat,         // the ".DAT" ends in the middle of the records (at half of them)
    MissingDat,
    HugeSampleCount,      // the ".CFG" declares 2^31 - 1 samples
    LongDigitalField,     // ASCII: the first digital field of sample 3 is written "10"
    MissingInf,
};

struct ComtradeOptions {
    ComtradeFormat format = ComtradeFormat::Binary;
    int analogChannels = 8;   // channels 1-4 voltages (V), 5-8 currents (A), then extra
    int digitalChannels = 2;
    double sampleRate = 3200.0;
    double lineFrequency = 50.0;
    std::uint32_t samples = 640;
    std::string revisionYear = "1999";
    std::vector<std::string> units;  // per analog channel; empty: "V" x 4, "A" x 4, "V" for extra
    float voltageA = 0.01f;  // a of the voltage channels, b is 0.5
    float currentA = 0.001f; // a of the current channels, b is -0.25
    DateTime first{2023, 4, 5, 10, 15, 30, 123};
    DateTime trigger{2023, 4, 5, 10, 15, 30, 223};
    int triggerMicroseconds = 456;  // the trigger's time stamp carries microseconds
    int infFirst = 3;   // value of the ".INF" third line
    int infSecond = 12; // value of the ".INF" fifth line
    ComtradeDefect defect = ComtradeDefect::None;
    // The analog channels' values in their units (sample, channel, both 0-based),
    // written through each channel's a and b; empty: the known pattern ComtradeRaw.
    std::function<double(std::uint32_t sample, int channel)> signal;
    // Primary and secondary of the voltage and current transformers, as the analog
    // channel lines give them.
    std::string voltageRatio = "10000,100";
    std::string currentRatio = "600,5";
    // The recording device's station name (GBK in the file).
    std::wstring station = L"城南变电站";
};

// Raw 16-bit value of analog channel `channel` (0-based) at sample `sample`
// (0-based): a sine of one cycle per rate / line frequency samples, amplitude
// 8000 + 500 x channel, phase shifted by channel.
std::int16_t ComtradeRaw(const ComtradeOptions& options, std::uint32_t sample, int channel);
// State (0 or 1) of digital channel `channel` (0-based) at sample `sample`.
int ComtradeDigital(std::uint32_t sample, int channel);
// The multiplier and offset written for analog channel `channel`.
float ComtradeA(const ComtradeOptions& options, int channel);
float ComtradeB(int channel);

// "AB_20230405_101530_123" for the prefix "AB" and the first-sample time.
std::string ComtradeRecordName(const std::string& prefix, const DateTime& time);

// Writes base + ".CFG", ".DAT" and ".INF" (the folder is made when missing).
bool WriteComtradeRecord(const std::filesystem::path& base, const ComtradeOptions& options);

// Bytes of each file, for tests that write them otherwise.
std::string ComtradeCfgBytes(const ComtradeOptions& options);
std::string ComtradeDatBytes(const ComtradeOptions& options);
std::string ComtradeInfBytes(const ComtradeOptions& options);

// A terminal folder with description files and, below "COMTRADE", one sub-folder per
// entry of `recordsPerFolder` ("001", "002", ...) holding that many records one
// second apart from `options.first`. Returns the records' paths below the folder.
std::vector<std::string> WriteComtradeFolder(const std::filesystem::path& folder, const ComtradeOptions& options,
                                             const std::vector<int>& recordsPerFolder,
                                             const DescriptionFiles& files = {});

// A record of one transient event: the side file's event kind (1 swell, 2 dip,
// 3 interruption, 4 inrush current), samples for 14 cycles (the 10 before and the 4
// after an event that a terminal keeps by default) plus `durationMs` at 50 Hz and
// 3200 Hz, and voltage channels whose RMS is `rms` volts throughout (the current
// channels as ComtradeOptions has them). A duration that is not a multiple of 5 ms
// is rounded down to one; one below -280 ms is taken as -280 (no sample at all).
bool WriteComtradeEvent(const std::filesystem::path& base, int kind, int durationMs, double rms,
                        const DateTime& first);


}  // namespace gen

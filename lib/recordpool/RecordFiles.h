#pragma once
// The two files of a raw waveform record: finding the ".cfg"/".data" pair in a
// folder, the 1196-byte configuration block, and the 52-byte header of the data file
// with the checks that make its frames safe to walk.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace sampolyx {

inline constexpr std::size_t kConfigSize = 1196;
inline constexpr std::size_t kHeaderSize = 52;
inline constexpr std::uint32_t kRecordChannels = 8;
inline constexpr std::uint64_t kMaxChunkBytes = 33554432;  // 32 MiB

using ConfigBlock = std::array<unsigned char, kConfigSize>;

// Fields of the configuration block the analysis reads.
struct RecordConfig {
    float voltageRatio = 0.0f;
    float currentRatio = 0.0f;
    std::array<float, 3> voltageFactor{};
    std::array<float, 3> currentFactor{};
    float voltageGain = 0.0f;   // phases 1-3
    float currentGain = 0.0f;
    float voltageGain4 = 0.0f;  // fourth channel
    float currentGain4 = 0.0f;
};
RecordConfig ParseConfig(const ConfigBlock& block);

// What a configuration block holds, graded before a record is analysed: a block of
// random bytes must not come out as a record of garbage or of empty views.
enum class ConfigGrade {
    Sound,
    // Usable, but with values a terminal does not write: a correction factor
    // outside 0.5-2, a transformer ratio beyond 1,000,000, an integration switch
    // other than 0 or 1. The values shown may be off.
    Unusual,
    // Not usable: a wiring code that is none of the terminals', or a transformer
    // ratio, a channel gain of phases 1-3 or a correction factor that is no positive
    // number (a fourth channel's gain may be 0: that channel is not fitted).
    Damaged,
};
ConfigGrade GradeConfig(const ConfigBlock& block);

struct RecordHeader {
    std::uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    std::uint32_t nominalFrequency = 0;
    std::uint32_t sampleRate = 0;
    std::uint32_t cyclesPerFrame = 0;
    std::uint32_t channelCount = 0;
    std::uint32_t dataOffset = 0;
    std::uint32_t frameSize = 0;
};
RecordHeader ParseHeader(const unsigned char* bytes);

enum class RecordError {
    None,
    NoPair,               // no "<base>.cfg" with a "<base>.data" beside it
    BadConfig,            // the configuration block cannot be read whole
    DamagedConfig,        // the configuration block holds no usable values (GradeConfig)
    NoDataFile,           // the data file cannot be opened
    ShortHeader,          // fewer than 52 bytes
    BadChannelCount,      // not 8 channels
    BadNominalFrequency,  // 0, or too low for one cycle per 200 ms
    BadSampleRate,        // below one sample per cycle, or 200 ms not a whole number of samples
    BadCyclesPerFrame,    // 0
    BadFrameSize,         // not what rate, cycles and channels make, or beyond one chunk
    BadDataOffset,        // inside the header or beyond the end of the file
    NoFrames,             // not one whole frame
    Rejected,             // the computation library refuses the record, or the analysis cannot run
};

// What the header makes of the data file once checked.
struct RecordLayout {
    std::uint32_t samplesPerCycle = 0;
    std::uint32_t samplesPerFrame = 0;     // per channel
    std::uint32_t cyclesPerInterval = 0;   // W: cycles in 200 ms
    std::uint32_t intervalPoints = 0;      // samples per channel in 200 ms
    std::uint64_t frames = 0;              // whole frames in the file
};

// Checks the header against itself and the size of the data file.
RecordError CheckHeader(const RecordHeader& header, std::uint64_t fileSize, RecordLayout& layout);

// Bytes per read: a whole number of minutes of intervals and of frames where that fits
// in 32 MiB, else as many whole frames as fit (at least one).
std::uint64_t ChunkBytes(const RecordHeader& header, const RecordLayout& layout);

// The base name of the first "<base>.cfg" (exact case) in name order that has a
// "<base>.data" beside it; nothing when no pair exists. Names without "." (a
// "readme" beside the record) are no part of a pair and are passed over.
std::optional<std::string> FindRecordPair(const std::filesystem::path& folder);

bool ReadConfig(const std::filesystem::path& file, ConfigBlock& block);

}  // namespace sampolyx

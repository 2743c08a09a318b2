#include "lib/recordpool/RecordFiles.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

namespace sampolyx {
namespace {

std::uint16_t U16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t U32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

float F32(const unsigned char* p)
{
    return std::bit_cast<float>(U32(p));
}

// Splits a file name at its last "."; nothing when it has none.
std::optional<std::pair<std::string, std::string>> SplitName(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        return std::nullopt;
    }
    return std::make_pair(name.substr(0, dot), name.substr(dot));
}

std::int32_t I32(const unsigned char* p)
{
    return static_cast<std::int32_t>(U32(p));
}

// The wiring codes the terminals write.
constexpr std::int32_t kWiringCodes[] = {1, 2, 17, 33, 34, 35, 49, 50};
constexpr float kMaxUsualRatio = 1e6f;
constexpr float kMinUsualFactor = 0.5f;
constexpr float kMaxUsualFactor = 2.0f;

bool IsPositive(float value)
{
    return std::isfinite(value) && value > 0.0f;
}

}  // namespace

RecordConfig ParseConfig(const ConfigBlock& block)
{
    const unsigned char* b = block.data();
    RecordConfig c;
    c.voltageRatio = F32(b + 20);
    c.currentRatio = F32(b + 24);
    for (int p = 0; p < 3; ++p) {
        c.voltageFactor[p] = F32(b + 60 + 8 * p);
        c.currentFactor[p] = F32(b + 112 + 8 * p);
    }
    c.voltageGain = F32(b + 616);
    c.currentGain = F32(b + 620);
    c.voltageGain4 = F32(b + 624);
    c.currentGain4 = F32(b + 628);
    return c;
}

ConfigGrade GradeConfig(const ConfigBlock& block)
{
    const RecordConfig c = ParseConfig(block);
    const std::int32_t wiring = I32(block.data() + 12);
    const bool knownWiring = std::find(std::begin(kWiringCodes), std::end(kWiringCodes), wiring) != std::end(kWiringCodes);
    const auto factors = {c.voltageFactor[0], c.voltageFactor[1], c.voltageFactor[2],
                          c.currentFactor[0], c.currentFactor[1], c.currentFactor[2]};
    const auto fourthGainUsable = [](float gain) { return std::isfinite(gain) && gain >= 0.0f; };
    if (!knownWiring || !IsPositive(c.voltageRatio) || !IsPositive(c.currentRatio) || !IsPositive(c.voltageGain) ||
        !IsPositive(c.currentGain) || !fourthGainUsable(c.voltageGain4) || !fourthGainUsable(c.currentGain4) ||
        !std::all_of(factors.begin(), factors.end(), IsPositive)) {
        return ConfigGrade::Damaged;
    }
    const std::int32_t integrate = I32(block.data() + 632);
    const bool usualFactors = std::all_of(factors.begin(), factors.end(), [](float factor) {
        return factor >= kMinUsualFactor && factor <= kMaxUsualFactor;
    });
    if (!usualFactors || c.voltageRatio > kMaxUsualRatio || c.currentRatio > kMaxUsualRatio ||
        (integrate != 0 && integrate != 1)) {
        return ConfigGrade::Unusual;
    }
    return ConfigGrade::Sound;
}

RecordHeader ParseHeader(const unsigned char* b)
{
    RecordHeader h;
    h.year = U16(b + 4);
    h.month = U16(b + 6);
    h.day = U16(b + 10);
    h.hour = U16(b + 12);
    h.minute = U16(b + 14);
    h.second = U16(b + 16);
    h.millisecond = U16(b + 18);
    h.nominalFrequency = U32(b + 20);
    h.sampleRate = U32(b + 24);
    h.cyclesPerFrame = U32(b + 36);
    h.channelCount = U32(b + 40);
    h.dataOffset = U32(b + 44);
    h.frameSize = U32(b + 48);
    return h;
}

RecordError CheckHeader(const RecordHeader& h, std::uint64_t fileSize, RecordLayout& layout)
{
    layout = RecordLayout{};
    if (h.channelCount != kRecordChannels) {
        return RecordError::BadChannelCount;
    }
    const std::uint64_t cyclesPerInterval = static_cast<std::uint64_t>(h.nominalFrequency * 0.2 + 0.5);
    if (h.nominalFrequency == 0 || cyclesPerInterval == 0) {
        return RecordError::BadNominalFrequency;
    }
    // The rates are fixed, so at 60 Hz a cycle is no whole number of samples; a 200 ms
    // interval must be, for it is what the computation is fed.
    const std::uint64_t samplesPerCycle = h.sampleRate / h.nominalFrequency;
    if (samplesPerCycle == 0 || cyclesPerInterval * h.sampleRate % h.nominalFrequency != 0) {
        return RecordError::BadSampleRate;
    }
    if (h.cyclesPerFrame == 0) {
        return RecordError::BadCyclesPerFrame;
    }
    const std::uint64_t samplesPerFrame = std::uint64_t(h.cyclesPerFrame) * h.sampleRate / h.nominalFrequency;
    const std::uint64_t intervalPoints = cyclesPerInterval * h.sampleRate / h.nominalFrequency;
    if (samplesPerFrame > kMaxChunkBytes || intervalPoints > kMaxChunkBytes ||
        h.frameSize != kRecordChannels * samplesPerFrame * 2 + 4 || h.frameSize > kMaxChunkBytes) {
        return RecordError::BadFrameSize;
    }
    if (h.dataOffset < kHeaderSize || h.dataOffset > fileSize) {
        return RecordError::BadDataOffset;
    }
    layout.samplesPerCycle = static_cast<std::uint32_t>(samplesPerCycle);
    layout.samplesPerFrame = static_cast<std::uint32_t>(samplesPerFrame);
    layout.cyclesPerInterval = static_cast<std::uint32_t>(cyclesPerInterval);
    layout.intervalPoints = static_cast<std::uint32_t>(intervalPoints);
    layout.frames = (fileSize - h.dataOffset) / h.frameSize;
    return layout.frames > 0 ? RecordError::None : RecordError::NoFrames;
}

std::uint64_t ChunkBytes(const RecordHeader& h, const RecordLayout& layout)
{
    const std::uint64_t framesPerChunk = kMaxChunkBytes / h.frameSize;
    // A unit is a minute of intervals (300 x W cycles) that is also whole frames.
    const std::uint64_t w = layout.cyclesPerInterval;
    const std::uint64_t cycles = std::lcm(300 * w, std::lcm(w, std::uint64_t(h.cyclesPerFrame)));
    const std::uint64_t unitFrames = cycles / h.cyclesPerFrame;
    if (unitFrames > 0 && unitFrames <= framesPerChunk) {
        return (framesPerChunk - framesPerChunk % unitFrames) * h.frameSize;
    }
    return std::max<std::uint64_t>(framesPerChunk, 1) * h.frameSize;
}

std::optional<std::string> FindRecordPair(const std::filesystem::path& folder)
{
    const auto entries = platform::ListSorted(folder);
    for (const auto& entry : entries) {
        std::error_code error;
        if (entry.is_directory(error)) {
            continue;
        }
        const auto split = SplitName(platform::PathToUtf8(entry.path().filename()));
        if (!split || split->second != ".cfg") {
            continue;
        }
        for (const auto& partner : entries) {
            if (partner.is_directory(error)) {
                continue;
            }
            const auto other = SplitName(platform::PathToUtf8(partner.path().filename()));
            if (other && other->second == ".data" && other->first == split->first) {
                return split->first;
            }
        }
    }
    return std::nullopt;
}

bool ReadConfig(const std::filesystem::path& file, ConfigBlock& block)
{
    std::FILE* stream = std::fopen(file.c_str(), "rb");
    if (!stream) {
        return false;
    }
    const std::size_t got = std::fread(block.data(), 1, block.size(), stream);
    std::fclose(stream);
    return got == block.size();
}

}  // namespace sampolyx

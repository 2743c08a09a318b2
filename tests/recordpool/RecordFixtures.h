#pragma once
// Records for the pool's tests, made by our generator in a temporary folder.

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/base/Encoding.h"
#include "tools/gen/WaveRecord.h"

namespace recordtest {

// A short three-phase record, unmodulated.
inline gen::WaveRecordOptions ThreePhaseRecord(std::uint32_t sampleRate, double seconds)
{
    return gen::ThreePhaseWaveRecord(sampleRate, seconds);
}

// The same with the voltages modulated by 0.4 % at 10 Hz, for the flicker meter.
inline gen::WaveRecordOptions FlickeringRecord(std::uint32_t sampleRate, double seconds)
{
    return gen::ThreePhaseWaveRecord(sampleRate, seconds, 0.004);
}

inline std::wstring Wide(const std::filesystem::path& path)
{
    return platform::FromPath(path);
}

}  // namespace recordtest

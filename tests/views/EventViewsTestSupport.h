#pragma once
// A terminal folder of generated transient-event records for the view tests:
// "COMTRADE/001" holds two records at 3200 samples/s (10:15:30 and 10:15:31, a
// voltage dip on L2 and a swell on L3), "002" one at 12,800 samples/s with the first
// one's time (an interruption on L1), and "003" one whose side file is missing.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

namespace eventtest {

inline constexpr std::uint32_t kSamples = 6400;
inline constexpr std::uint32_t kFastSamples = 25600;

// Writes the folder; false when a file could not be written.
bool WriteEventFolder(const std::filesystem::path& folder);
// A selection block that takes every record and every SOE block.
std::array<std::uint32_t, 14> WholeSelection();
std::wstring Wide(const std::filesystem::path& path);

}  // namespace eventtest

#pragma once
// Generator of converted item files: one value file per statistic item and kind
// ("ESIN_V_HARM_6_EFF.data") in a terminal folder's item folder, holding for every
// record the item's channel values of block types 0, 1 and 2. The values are the
// statistic generator's known pattern for the same items, so a test can compare the
// item files with the block files of the same folder (the plausible values and the
// records without value included).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/gen/StatisticFolder.h"

namespace gen {

// The kinds an item's values come in: 3 for harmonics, 2 for the DC, interharmonic,
// high-frequency and subharmonic items, 1 (no kind) otherwise.
std::uint32_t ItemKinds(std::uint32_t itemId);

// The item file names of an item without ".data": the item name, followed by
// "_EFF", "_RAT", "_PHA" when the item has kinds.
std::vector<std::string> ItemFileNames(std::uint32_t itemId);

// Writes the item files of `options.items` for `options.records` records into
// `itemFolder` (made when missing).
bool WriteItemFiles(const std::filesystem::path& itemFolder, const StatisticFolderOptions& options);

}  // namespace gen

#pragma once
// Generator of the ".soe" event file of a terminal's "SOE" folder: a 4-byte head and
// blocks of a 492-byte header (time as eight 16-bit words, eight bytes, the record
// count N, a 464-byte field-data snapshot), N records of five 32-bit words and a
// 12-byte trailer whose third word is the running record total. The snapshot bytes
// follow SoeSceneByte, so a test can tell whose scene it got; the broken variants
// each damage one block.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/gen/DescriptionFiles.h"

namespace gen {

struct SoeRecordWords {
    std::array<std::uint32_t, 5> w{};
};

struct SoeBlock {
    // year, month, day of week, day, hour, minute, second, milliseconds
    std::array<std::uint16_t, 8> time{2024, 3, 2, 5, 8, 30, 0, 0};  // Tuesday 2024-03-05
    std::vector<SoeRecordWords> records;
    // The field-data snapshot as 116 float32 values; empty: the SoeSceneByte pattern.
    std::vector<float> scene;
};

enum class SoeDefect {
    None,
    WrongTrailerTotal,  // the trailer total of block `defectBlock` is one too many
    HugeRecordCount,    // block `defectBlock` declares 0x0CCCCCCD records (20 x N wraps 32 bits)
    CutInBlock,         // the file ends in the middle of block `defectBlock`'s records
    HeadOnly,           // only the 4-byte head
    ShortHead,          // two bytes, not even a head
};

struct SoeFileOptions {
    SoeDefect defect = SoeDefect::None;
    std::size_t defectBlock = 0;
};

// Byte `index` (0..463) of the field-data snapshot of block `block`.
std::uint8_t SoeSceneByte(std::size_t block, std::size_t index);

// Blocks one minute apart from 2024-03-05 08:30:00 local time, block b holding
// recordCounts[b] records with w0 = 1 + (r * 7) % 5, w1 = r % 2, w2 = b, w3 = r, w4 = 100 * b + r.
std::vector<SoeBlock> MakeSoeBlocks(const std::vector<std::size_t>& recordCounts);

std::string SoeFileBytes(const std::vector<SoeBlock>& blocks, const SoeFileOptions& options = {});
bool WriteSoeFile(const std::filesystem::path& file, const std::vector<SoeBlock>& blocks,
                  const SoeFileOptions& options = {});

// A terminal folder with description files and "SOE/<name>" holding the blocks.
bool WriteSoeFolder(const std::filesystem::path& folder, const std::vector<SoeBlock>& blocks,
                    const SoeFileOptions& options = {}, const std::string& name = "K7700.soe");

// File offset of block `block` in a well-formed file.
std::uint64_t SoeBlockOffset(const std::vector<SoeBlock>& blocks, std::size_t block);


}  // namespace gen

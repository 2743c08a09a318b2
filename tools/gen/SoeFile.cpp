#include "tools/gen/SoeFile.h"

#include <cstring>

#include "platform/base/FileSystem.h"

namespace gen {
namespace {

constexpr std::size_t kHeaderBytes = 492;
constexpr std::size_t kSceneBytes = 464;
constexpr std::size_t kRecordBytes = 20;
constexpr std::size_t kTrailerBytes = 12;

void AppendSoeU16(std::string& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>(value >> 8));
}

void AppendSoeU32(std::string& bytes, std::uint32_t value) {
    AppendSoeU16(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
    AppendSoeU16(bytes, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

std::uint8_t SoeSceneByte(std::size_t block, std::size_t index) {
    return static_cast<std::uint8_t>((block * 31 + index * 7 + 1) & 0xFF);
}

std::vector<SoeBlock> MakeSoeBlocks(const std::vector<std::size_t>& recordCounts) {
    std::vector<SoeBlock> blocks;
    for (std::size_t b = 0; b < recordCounts.size(); ++b) {
        SoeBlock block;
        const std::size_t minutes = 8 * 60 + 30 + b;
        block.time[4] = static_cast<std::uint16_t>(minutes / 60 % 24);
        block.time[5] = static_cast<std::uint16_t>(minutes % 60);
        for (std::size_t r = 0; r < recordCounts[b]; ++r) {
            SoeRecordWords record;
            record.w = {static_cast<std::uint32_t>(1 + (r * 7) % 5), static_cast<std::uint32_t>(r % 2),
                        static_cast<std::uint32_t>(b), static_cast<std::uint32_t>(r),
                        static_cast<std::uint32_t>(100 * b + r)};
            block.records.push_back(record);
        }
        blocks.push_back(block);
    }
    return blocks;
}

std::string SoeFileBytes(const std::vector<SoeBlock>& blocks, const SoeFileOptions& options) {
    if (options.defect == SoeDefect::ShortHead) {
        return std::string("\x01\x00", 2);
    }
    std::string bytes;
    AppendSoeU32(bytes, 0x534F4501);
    if (options.defect == SoeDefect::HeadOnly) {
        return bytes;
    }
    std::uint32_t total = 0;
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const SoeBlock& block = blocks[b];
        const bool damaged = b == options.defectBlock;
        for (std::uint16_t word : block.time) {
            AppendSoeU16(bytes, word);
        }
        AppendSoeU32(bytes, 0x11223344);
        AppendSoeU32(bytes, static_cast<std::uint32_t>(b));
        const auto count = static_cast<std::uint32_t>(block.records.size());
        AppendSoeU32(bytes, damaged && options.defect == SoeDefect::HugeRecordCount ? 0x0CCCCCCDu : count);
        if (block.scene.size() * 4 == kSceneBytes) {
            for (float value : block.scene) {
                std::uint32_t bits = 0;
                std::memcpy(&bits, &value, sizeof bits);
                AppendSoeU32(bytes, bits);
            }
        } else {
            for (std::size_t i = 0; i < kSceneBytes; ++i) {
                bytes.push_back(static_cast<char>(SoeSceneByte(b, i)));
            }
        }
        const std::size_t recordsStart = bytes.size();
        for (const SoeRecordWords& record : block.records) {
            for (std::uint32_t word : record.w) {
                AppendSoeU32(bytes, word);
            }
        }
        if (damaged && options.defect == SoeDefect::CutInBlock) {
            bytes.resize(recordsStart + (bytes.size() - recordsStart) / 2);
            return bytes;
        }
        total += count;
        AppendSoeU32(bytes, 0);
        AppendSoeU32(bytes, static_cast<std::uint32_t>(b));
        AppendSoeU32(bytes, damaged && options.defect == SoeDefect::WrongTrailerTotal ? total + 1 : total);
    }
    return bytes;
}

bool WriteSoeFile(const std::filesystem::path& file, const std::vector<SoeBlock>& blocks,
                  const SoeFileOptions& options) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    return platform::AtomicWriteFile(file, SoeFileBytes(blocks, options));
}

bool WriteSoeFolder(const std::filesystem::path& folder, const std::vector<SoeBlock>& blocks,
                    const SoeFileOptions& options, const std::string& name) {
    return WriteDescriptionFiles(folder, DescriptionFiles{}) && WriteSoeFile(folder / "SOE" / name, blocks, options);
}

std::uint64_t SoeBlockOffset(const std::vector<SoeBlock>& blocks, std::size_t block) {
    std::uint64_t offset = 4;
    for (std::size_t b = 0; b < block && b < blocks.size(); ++b) {
        offset += kHeaderBytes + kRecordBytes * blocks[b].records.size() + kTrailerBytes;
    }
    return offset;
}

}  // namespace gen

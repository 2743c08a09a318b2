#include "tools/gen/SoeFile.h"

#include <cstring>

#include "platform/base/FileSystem.h"

namespace gen {
namespace {

constexpr std::size_t kHeaderBytes = 492;
constexpr std::size_t kSceneBytes = 464;
constexpr std::size_t kRecordBytes = 20;
constexpr std::size_t kTrailerBytes = 12;

void PutU16(std::string& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>(value >> 8));
}

void PutU32(std::string& bytes, std::uint32_t value) {
    PutU16(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
    PutU16(bytes, static_cast<std::uint16_t>(value >> 16));
}

}  // namespace

std::uint8_t SoeSceneByte(std::size_t block, std::size_t index) {
    return static_cast<std::uint8_t>((block * 31 + index * 7 + 1) & 0xFF);
}

std::vector<float> SoeSampleScene(int block) {
    std::vector<float> scene(kSceneBytes / 4, 0.0f);
    const float shift = 0.1f * static_cast<float>(block);
    const auto phases = [&](std::size_t first, float l, float n) {
        for (std::size_t p = 0; p < 3; ++p) {
            scene[first + p] = l + shift + 0.25f * static_cast<float>(p);
        }
        scene[first + 3] = n;
    };
    phases(0, 230.0f, 1.2f);     // voltage RMS
    phases(4, 6.5f, 0.4f);       // current RMS
    phases(8, 207.1f, 1.1f);     // averages
    phases(12, 5.85f, 0.36f);
    phases(16, 325.3f, 1.7f);    // positive peaks
    phases(20, 9.19f, 0.57f);
    phases(24, -325.3f, -1.7f);  // negative peaks
    phases(28, -9.19f, -0.57f);
    phases(32, 229.8f, 1.2f);    // half-cycle RMS
    phases(36, 6.49f, 0.4f);
    phases(40, 229.9f, 1.1f);    // fundamentals
    phases(44, 6.48f, 0.38f);
    phases(48, 1.414f, 1.41f);   // crest factors
    phases(52, 1.415f, 1.42f);
    scene[56] = 0.0f;            // phase angles
    scene[57] = -120.0f;
    scene[58] = 120.0f;
    scene[59] = -0.0001f;
    scene[60] = -30.0f;
    scene[61] = -150.0f;
    scene[62] = 90.0f;
    scene[63] = 15.0f;
    scene[64] = 50.012f;         // frequency
    for (std::size_t p = 0; p < 3; ++p) {
        scene[65 + p] = 1.5f;    // kW
        scene[69 + p] = 0.2f;    // kvar
        scene[73 + p] = 1.513f;  // kVA
        scene[77 + p] = 0.99f;
        scene[81 + p] = 0.991f;
        scene[85 + p] = 1.05f;
    }
    scene[68] = 4.5f;
    scene[72] = 0.6f;
    scene[76] = 4.54f;
    scene[84] = 0.991f;
    scene[88] = 1.1f;
    phases(89, 2.1f, 0.0f);      // THD
    phases(93, 8.4f, 0.0f);
    scene[100] = 0.3f;           // sequence components
    scene[101] = 230.2f;
    scene[102] = 0.5f;
    scene[103] = 0.05f;
    scene[104] = 6.5f;
    scene[105] = 0.07f;
    scene[106] = 0.22f;          // unbalance
    scene[107] = 0.13f;
    scene[108] = 1.08f;
    scene[109] = 0.77f;
    scene[110] = 0.4f;           // fluctuation
    scene[111] = 0.35f;
    scene[112] = 0.38f;
    return scene;
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
    PutU32(bytes, 0x534F4501);
    if (options.defect == SoeDefect::HeadOnly) {
        return bytes;
    }
    std::uint32_t total = 0;
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const SoeBlock& block = blocks[b];
        const bool damaged = b == options.defectBlock;
        for (std::uint16_t word : block.time) {
            PutU16(bytes, word);
        }
        PutU32(bytes, 0x11223344);
        PutU32(bytes, static_cast<std::uint32_t>(b));
        const auto count = static_cast<std::uint32_t>(block.records.size());
        PutU32(bytes, damaged && options.defect == SoeDefect::HugeRecordCount ? 0x0CCCCCCDu : count);
        if (block.scene.size() * 4 == kSceneBytes) {
            for (float value : block.scene) {
                std::uint32_t bits = 0;
                std::memcpy(&bits, &value, sizeof bits);
                PutU32(bytes, bits);
            }
        } else {
            for (std::size_t i = 0; i < kSceneBytes; ++i) {
                bytes.push_back(static_cast<char>(SoeSceneByte(b, i)));
            }
        }
        const std::size_t recordsStart = bytes.size();
        for (const SoeRecordWords& record : block.records) {
            for (std::uint32_t word : record.w) {
                PutU32(bytes, word);
            }
        }
        if (damaged && options.defect == SoeDefect::CutInBlock) {
            bytes.resize(recordsStart + (bytes.size() - recordsStart) / 2);
            return bytes;
        }
        total += count;
        PutU32(bytes, 0);
        PutU32(bytes, static_cast<std::uint32_t>(b));
        PutU32(bytes, damaged && options.defect == SoeDefect::WrongTrailerTotal ? total + 1 : total);
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

bool WriteSampleSoe(const std::filesystem::path& folder) {
    return WriteSoeFile(folder / "SOE" / "K7700.soe", MakeSoeBlocks({3, 0, 5, 2, 4}));
}

}  // namespace gen

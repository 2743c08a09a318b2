// Finding the ".cfg"/".data" pair, checking the data file's header and sizing the
// chunks the record is read in.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "lib/recordpool/RecordFiles.h"
#include "tests/support/TempDir.h"

namespace sampolyx {
namespace {

TEST(RecordFiles, FindsThePairByExactNames)
{
    struct Case {
        const char* name;
        std::vector<std::string> files;  // a trailing "/" makes a folder
        std::optional<std::string> base;
    };
    const Case cases[] = {
        {"pair before a lone configuration", {"a.cfg", "a.data", "b.cfg"}, "a"},
        {"lone configuration listed first", {"0.cfg", "a.cfg", "a.data"}, "a"},
        {"dots inside the base", {"rec.2014.cfg", "rec.2014.data"}, "rec.2014"},
        {"upper-case extensions", {"A.CFG", "A.DATA"}, std::nullopt},
        {"upper-case data extension", {"a.cfg", "a.DATA"}, std::nullopt},
        {"lone configuration", {"a.cfg"}, std::nullopt},
        {"name without a dot listed first", {"0readme", "a.cfg", "a.data"}, "a"},
        {"name without a dot between the pair", {"a.cfg", "a.cfgx", "a0", "a.data"}, "a"},
        {"name without a dot listed last", {"a.cfg", "a.data", "zz"}, "a"},
        {"folders are not files", {"a.cfg/", "a.data", "b.cfg", "b.data/"}, std::nullopt},
        {"empty folder", {}, std::nullopt},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        for (const std::string& file : c.files) {
            if (file.ends_with('/')) {
                std::filesystem::create_directories(dir / file.substr(0, file.size() - 1));
            } else {
                dir.Write(file, "x");
            }
        }
        EXPECT_EQ(FindRecordPair(dir.Path()), c.base) << c.name;
    }
}

TEST(RecordFiles, ReadsOnlyAWholeConfigurationBlock)
{
    testsupport::TempDir dir;
    ConfigBlock block{};
    EXPECT_FALSE(ReadConfig(dir.Write("short.cfg", std::string(1000, 'x')), block));
    EXPECT_FALSE(ReadConfig(dir / "missing.cfg", block));
    ASSERT_TRUE(ReadConfig(dir.Write("long.cfg", std::string(1196, 'y') + "tail"), block));
    EXPECT_EQ(block[1195], 'y');
}

RecordHeader GoodHeader()
{
    RecordHeader h;
    h.nominalFrequency = 50;
    h.sampleRate = 25600;
    h.cyclesPerFrame = 10;
    h.channelCount = 8;
    h.dataOffset = 52;
    h.frameSize = 81924;
    return h;
}

TEST(RecordFiles, ChecksTheHeaderBeforeAnyFrameIsWalked)
{
    struct Case {
        const char* name;
        void (*change)(RecordHeader&);
        std::uint64_t fileSize;
        RecordError error;
    };
    constexpr std::uint64_t kThreeFrames = 52 + 3 * 81924 + 100;
    const Case cases[] = {
        {"good", [](RecordHeader&) {}, kThreeFrames, RecordError::None},
        {"four channels", [](RecordHeader& h) { h.channelCount = 4; }, kThreeFrames, RecordError::BadChannelCount},
        {"no channels", [](RecordHeader& h) { h.channelCount = 0; }, kThreeFrames, RecordError::BadChannelCount},
        {"nominal frequency 0", [](RecordHeader& h) { h.nominalFrequency = 0; }, kThreeFrames,
         RecordError::BadNominalFrequency},
        {"no whole cycle in 200 ms", [](RecordHeader& h) { h.nominalFrequency = 2; }, kThreeFrames,
         RecordError::BadNominalFrequency},
        {"sample rate 0", [](RecordHeader& h) { h.sampleRate = 0; }, kThreeFrames, RecordError::BadSampleRate},
        {"fractional samples per cycle", [](RecordHeader& h) { h.sampleRate = 25601; }, kThreeFrames,
         RecordError::BadSampleRate},
        {"no cycles per frame", [](RecordHeader& h) { h.cyclesPerFrame = 0; }, kThreeFrames,
         RecordError::BadCyclesPerFrame},
        {"frame size 0", [](RecordHeader& h) { h.frameSize = 0; }, kThreeFrames, RecordError::BadFrameSize},
        {"frame size two bytes off", [](RecordHeader& h) { h.frameSize += 2; }, kThreeFrames,
         RecordError::BadFrameSize},
        {"frames beyond one chunk", [](RecordHeader& h) { h.cyclesPerFrame = 0xffffffffu; }, kThreeFrames,
         RecordError::BadFrameSize},
        {"huge sample rate", [](RecordHeader& h) { h.sampleRate = 4000000000u; }, kThreeFrames,
         RecordError::BadFrameSize},
        {"offset inside the header", [](RecordHeader& h) { h.dataOffset = 40; }, kThreeFrames,
         RecordError::BadDataOffset},
        {"offset beyond the file", [](RecordHeader& h) { h.dataOffset = 1u << 30; }, kThreeFrames,
         RecordError::BadDataOffset},
        {"not one whole frame", [](RecordHeader&) {}, 52 + 81923, RecordError::NoFrames},
        {"header only", [](RecordHeader&) {}, 52, RecordError::NoFrames},
    };
    for (const Case& c : cases) {
        RecordHeader header = GoodHeader();
        c.change(header);
        RecordLayout layout;
        EXPECT_EQ(CheckHeader(header, c.fileSize, layout), c.error) << c.name;
    }
    RecordLayout layout;
    ASSERT_EQ(CheckHeader(GoodHeader(), kThreeFrames, layout), RecordError::None);
    EXPECT_EQ(layout.frames, 3u);
    EXPECT_EQ(layout.samplesPerFrame, 5120u);
    EXPECT_EQ(layout.intervalPoints, 5120u);
    EXPECT_EQ(layout.cyclesPerInterval, 10u);
}

TEST(RecordFiles, SixtyHertzRecordsNeedNotHoldWholeSamplesPerCycle)
{
    // The terminals sample at fixed rates: at 60 Hz a cycle is 426.67 samples, yet a
    // 200 ms interval of 12 cycles is a whole number of them.
    struct Case {
        const char* name;
        std::uint32_t rate, cyclesPerFrame;
        std::uint32_t samplesPerCycle, samplesPerFrame, intervalPoints;
    };
    const Case cases[] = {
        {"25600 per second, 12 cycles", 25600, 12, 426, 5120, 5120},
        {"25600 per second, 10 cycles", 25600, 10, 426, 4266, 5120},
        {"12800 per second, 12 cycles", 12800, 12, 213, 2560, 2560},
        {"6400 per second, 6 cycles", 6400, 6, 106, 640, 1280},
    };
    for (const Case& c : cases) {
        RecordHeader header = GoodHeader();
        header.nominalFrequency = 60;
        header.sampleRate = c.rate;
        header.cyclesPerFrame = c.cyclesPerFrame;
        header.frameSize = 8 * c.samplesPerFrame * 2 + 4;
        RecordLayout layout;
        ASSERT_EQ(CheckHeader(header, 52 + 3 * header.frameSize, layout), RecordError::None) << c.name;
        EXPECT_EQ(layout.samplesPerCycle, c.samplesPerCycle) << c.name;
        EXPECT_EQ(layout.samplesPerFrame, c.samplesPerFrame) << c.name;
        EXPECT_EQ(layout.intervalPoints, c.intervalPoints) << c.name;
        EXPECT_EQ(layout.cyclesPerInterval, 12u) << c.name;
        EXPECT_EQ(layout.frames, 3u) << c.name;
    }
    // An interval that is not whole samples cannot be analysed.
    RecordHeader header = GoodHeader();
    header.nominalFrequency = 60;
    header.sampleRate = 25601;
    header.cyclesPerFrame = 12;
    header.frameSize = 8 * 5120 * 2 + 4;
    RecordLayout layout;
    EXPECT_EQ(CheckHeader(header, 52 + header.frameSize, layout), RecordError::BadSampleRate);
}

TEST(RecordFiles, RecordsBeyondFourGigabytesKeepEveryFrame)
{
    RecordLayout layout;
    const std::uint64_t size = 52 + 120000ull * 81924;  // 9.8 GB
    ASSERT_EQ(CheckHeader(GoodHeader(), size, layout), RecordError::None);
    EXPECT_EQ(layout.frames, 120000u);
}

TEST(RecordFiles, ParsesTheHeaderLittleEndian)
{
    unsigned char bytes[52] = {};
    const auto put32 = [&bytes](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<unsigned char>(v >> (8 * i));
        }
    };
    bytes[4] = 0xde;  // year 2014
    bytes[5] = 0x07;
    bytes[18] = 10;  // millisecond
    put32(20, 50);
    put32(24, 25600);
    put32(36, 10);
    put32(40, 8);
    put32(44, 52);
    put32(48, 81924);
    const RecordHeader h = ParseHeader(bytes);
    EXPECT_EQ(h.year, 2014);
    EXPECT_EQ(h.millisecond, 10);
    EXPECT_EQ(h.sampleRate, 25600u);
    EXPECT_EQ(h.frameSize, 81924u);
    RecordLayout layout;
    EXPECT_EQ(CheckHeader(h, 52 + 81924, layout), RecordError::None);
}

TEST(RecordFiles, ChunksHoldWholeMinutesAndWholeFrames)
{
    struct Case {
        const char* name;
        std::uint32_t rate, cyclesPerFrame;
        std::uint64_t bytes;
    };
    const Case cases[] = {
        // One minute is 300 frames of 81924 bytes; two do not fit in 32 MiB.
        {"25600 per second, 10 cycles", 25600, 10, 300ull * 81924},
        // One minute is 6145200 bytes; five fit.
        {"6400 per second, 10 cycles", 6400, 10, 5ull * 300 * 20484},
        // A minute of 7-cycle frames does not fit: as many whole frames as do.
        {"25600 per second, 7 cycles", 25600, 7, (33554432ull / 57348) * 57348},
    };
    for (const Case& c : cases) {
        RecordHeader header = GoodHeader();
        header.sampleRate = c.rate;
        header.cyclesPerFrame = c.cyclesPerFrame;
        header.frameSize = 8 * c.cyclesPerFrame * (c.rate / 50) * 2 + 4;
        RecordLayout layout;
        ASSERT_EQ(CheckHeader(header, 52 + header.frameSize, layout), RecordError::None) << c.name;
        EXPECT_EQ(ChunkBytes(header, layout), c.bytes) << c.name;
    }
}

}  // namespace
}  // namespace sampolyx

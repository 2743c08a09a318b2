// A channel's waveform served from the record's data file: the same values however
// it is walked (value by value, in spans, across frames, from two threads), and the
// file read once per stretch of a frame rather than once per value.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "lib/recordpool/WaveformChunk.h"
#include "tests/recordpool/RecordFixtures.h"
#include "tests/support/TempDir.h"

namespace sampolyx {
namespace {

struct OpenedRecord {
    gen::WaveRecordOptions options;
    std::shared_ptr<CRecordFile> file;
    WaveformLayout layout;
    RecordConfig config;
};

// Two seconds at 25600 samples per second in frames of 20 cycles: five frames of
// 10240 values per channel, a stretch and a shorter rest in each.
OpenedRecord Open(const std::filesystem::path& folder)
{
    OpenedRecord record{recordtest::ThreePhaseRecord(25600, 2.0), nullptr, {}, {}};
    record.options.cyclesPerFrame = 20;
    record.options.frames = 5;
    record.options.voltageGain4 = 40.0f;
    record.options.signals[3].tones = {{1, 2000.0, 45.0}};
    EXPECT_TRUE(gen::WriteWaveRecord(folder, record.options));
    ConfigBlock block{};
    EXPECT_TRUE(ReadConfig(folder / "wave.cfg", block));
    record.config = ParseConfig(block);
    record.file = CRecordFile::Open(folder / "wave.data");
    unsigned char bytes[kHeaderSize];
    EXPECT_TRUE(record.file && record.file->ReadAt(0, bytes, sizeof bytes));
    const RecordHeader header = ParseHeader(bytes);
    RecordLayout layout;
    EXPECT_EQ(CheckHeader(header, record.file->Size(), layout), RecordError::None);
    record.layout = {header.dataOffset, header.frameSize, layout.samplesPerFrame,
                     layout.frames * layout.samplesPerFrame};
    return record;
}

// The generator's value of channel `channel` at `index`, scaled as the pool scales it.
float Expected(const OpenedRecord& record, std::uint32_t channel, std::int64_t index)
{
    const gen::WaveRecordOptions& o = record.options;
    const gen::WaveSampleSource source(o);
    const float k = 5.0f / 16384.0f;
    std::int16_t raw = 0, neutral = 0;
    source.Fill(channel, static_cast<std::uint64_t>(index), 1, &raw);
    source.Fill(3, static_cast<std::uint64_t>(index), 1, &neutral);
    const bool voltage = channel < 4;
    const float gain = channel == 3 ? o.voltageGain4 : channel == 7 ? o.currentGain4 : voltage ? o.voltageGain : o.currentGain;
    float value = float(raw) * k * (voltage ? o.voltageRatio : o.currentRatio) * gain;
    if (channel < 3) {
        value -= float(neutral) * k * o.voltageRatio * o.voltageGain4;
    }
    return value;
}

TEST(WaveformChunk, EveryWalkGivesTheFileValues)
{
    testsupport::TempDir dir;
    const OpenedRecord record = Open(dir.Path());
    ASSERT_EQ(record.layout.samplesPerFrame, 10240u);
    ASSERT_EQ(record.layout.samples, 5u * 10240);
    struct Case {
        const char* name;
        std::int64_t first, count;
    };
    const Case cases[] = {
        {"first value", 0, 1},
        {"last of a stretch", CWaveformChunk::kStretch - 1, 1},
        {"across a stretch border", CWaveformChunk::kStretch - 3, 6},
        {"the rest of a frame", CWaveformChunk::kStretch + 5, 10},
        {"across a frame border", 10240 - 100, 200},
        {"a whole span across a frame border", 3 * 10240 - 2000, CSeriesChunk::kSpan},
        {"last value", 5 * 10240 - 1, 1},
    };
    for (const std::uint32_t channel : {0u, 3u, 5u}) {
        const CWaveformChunk chunk(record.file, record.layout, record.config, channel);
        EXPECT_EQ(chunk.Count(), 5 * 10240);
        std::vector<float> scratch(CSeriesChunk::kSpan);
        for (const Case& c : cases) {
            const float* values = chunk.Values(c.first, c.count, scratch.data());
            ASSERT_NE(values, nullptr) << c.name << ", channel " << channel;
            for (std::int64_t i = 0; i < c.count; ++i) {
                ASSERT_FLOAT_EQ(values[i], Expected(record, channel, c.first + i))
                    << c.name << ", channel " << channel << ", value " << c.first + i;
            }
        }
        EXPECT_EQ(chunk.Values(5 * 10240 - 1, 2, scratch.data()), nullptr) << "past the end, channel " << channel;
        EXPECT_EQ(chunk.Values(-1, 1, scratch.data()), nullptr) << "before the start, channel " << channel;
    }
    // The analysed intervals may end inside a frame: the values served end there too,
    // although the stretch read holds more of the frame.
    WaveformLayout shorter = record.layout;
    shorter.samples = 4 * 10240 + 3000;
    const CWaveformChunk chunk(record.file, shorter, record.config, 2);
    float value = 0.0f;
    ASSERT_NE(chunk.Values(4 * 10240 + 2999, 1, &value), nullptr);
    EXPECT_FLOAT_EQ(value, Expected(record, 2, 4 * 10240 + 2999));
    EXPECT_EQ(chunk.Values(4 * 10240 + 3000, 1, &value), nullptr) << "past the analysed intervals";
}

TEST(WaveformChunk, AWalkValueByValueReadsTheFileOncePerStretch)
{
    testsupport::TempDir dir;
    const OpenedRecord record = Open(dir.Path());
    // Phase 1 subtracts the neutral: two reads per stretch; two stretches per frame.
    const CWaveformChunk chunk(record.file, record.layout, record.config, 0);
    const std::uint64_t before = record.file->GetReadCount();
    float scratch[1];
    double sum = 0.0;
    for (std::int64_t i = 0; i < chunk.Count(); ++i) {
        const float* value = chunk.Values(i, 1, scratch);
        ASSERT_NE(value, nullptr) << i;
        sum += *value;
    }
    EXPECT_EQ(record.file->GetReadCount() - before, 5u * 2 * 2);
    EXPECT_NE(sum, 0.0);
}

TEST(WaveformChunk, ThreadsWalkingOneChannelEachGetTheirOwnValues)
{
    testsupport::TempDir dir;
    const OpenedRecord record = Open(dir.Path());
    const CWaveformChunk chunk(record.file, record.layout, record.config, 1);
    // Both threads walk the channel at once, one forwards and one backwards.
    std::vector<float> forwards(static_cast<std::size_t>(chunk.Count()));
    std::vector<float> backwards(forwards.size());
    const auto walk = [&chunk](std::vector<float>& out, bool reverse) {
        float scratch[1];
        const std::int64_t n = chunk.Count();
        for (std::int64_t k = 0; k < n; ++k) {
            const std::int64_t i = reverse ? n - 1 - k : k;
            const float* value = chunk.Values(i, 1, scratch);
            out[static_cast<std::size_t>(i)] = value ? *value : -1.0f;
        }
    };
    std::thread other(walk, std::ref(backwards), true);
    walk(forwards, false);
    other.join();
    for (std::size_t i = 0; i < forwards.size(); i += 97) {
        ASSERT_FLOAT_EQ(forwards[i], Expected(record, 1, static_cast<std::int64_t>(i))) << i;
    }
    EXPECT_EQ(forwards, backwards);
}

}  // namespace
}  // namespace sampolyx

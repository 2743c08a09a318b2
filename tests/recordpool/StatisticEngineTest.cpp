// The analysis must not depend on how the record is cut into slices: frames of seven
// cycles put interval borders inside frames, and slices of a few frames put them
// across slices.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib/recordpool/StatisticEngine.h"
#include "tests/recordpool/RecordFixtures.h"
#include "tests/support/TempDir.h"

namespace sampolyx {
namespace {

struct Record {
    RecordHeader header;
    RecordLayout layout;
    ConfigBlock config{};
    std::string data;
};

DataSetMap Analyse(const Record& record, const std::vector<std::uint64_t>& slices)
{
    DataSetMap sets;
    CStatisticEngine engine;
    EXPECT_TRUE(engine.Begin(record.header, record.layout, record.config));
    const auto* frames = reinterpret_cast<const unsigned char*>(record.data.data()) + record.header.dataOffset;
    std::uint64_t done = 0;
    for (std::size_t i = 0; done < record.layout.frames; ++i) {
        const std::uint64_t count = std::min(slices[i % slices.size()], record.layout.frames - done);
        engine.Feed(frames + done * record.header.frameSize, count);
        if (i % 3 == 0) {
            engine.Flush(sets);
        }
        done += count;
    }
    engine.Flush(sets);
    engine.End();
    return sets;
}

TEST(StatisticEngine, ResultsDoNotDependOnHowTheRecordIsCut)
{
    testsupport::TempDir dir;
    gen::WaveRecordOptions options = recordtest::FlickeringRecord(6400, 0.0);
    options.cyclesPerFrame = 7;
    options.frames = 65 * 50 / 7;  // 324 intervals and 8 cycles over
    ASSERT_TRUE(gen::WriteWaveRecord(dir.Path(), options));
    Record record;
    record.data = testsupport::ReadAll(dir / "wave.data");
    const std::string config = testsupport::ReadAll(dir / "wave.cfg");
    ASSERT_EQ(config.size(), record.config.size());
    std::copy(config.begin(), config.end(), record.config.begin());
    record.header = ParseHeader(reinterpret_cast<const unsigned char*>(record.data.data()));
    ASSERT_EQ(CheckHeader(record.header, record.data.size(), record.layout), RecordError::None);

    DataSetMap whole = Analyse(record, {record.layout.frames});
    DataSetMap slices = Analyse(record, {1, 2, 5, 13});
    struct Case {
        int kind, index, subIndex;
        std::int64_t count;
    };
    const Case cases[] = {
        {2, 0, 4, 324 * 20}, {5, 3, 4, 324 * 20}, {16, 1, 4, 324 * 20}, {22, 3, 4, 324 * 20}, {32, 2, 4, 324},
        {35, 0, 4, 1},       {47, 4, 4, 464},     {52, 0, 4, 324},      {59, 1, 5, 324},     {30, 0, 2, 324},
    };
    for (const Case& c : cases) {
        CDataSetManager* a = whole[c.kind][c.index][c.subIndex].Manager();
        CDataSetManager* b = slices[c.kind][c.index][c.subIndex].Manager();
        ASSERT_TRUE(a && b) << "kind " << c.kind;
        ASSERT_EQ(a->GetPointCount(), c.count) << "kind " << c.kind;
        ASSERT_EQ(b->GetPointCount(), c.count) << "kind " << c.kind;
        for (std::int64_t i = 0; i < c.count; ++i) {
            float x = 0.0f, y = 1.0f;
            ASSERT_TRUE(a->ReadBlock(i, &x, 3) && b->ReadBlock(i, &y, 3));
            ASSERT_EQ(x, y) << "kind " << c.kind << " at " << i;
        }
    }
}

TEST(StatisticEngine, RefusedLayoutLeavesNothingBuilt)
{
    RecordHeader header;
    header.sampleRate = 25600;
    header.nominalFrequency = 50;
    header.cyclesPerFrame = 10;
    RecordLayout layout;
    layout.samplesPerCycle = 512;
    layout.samplesPerFrame = 5120;
    layout.cyclesPerInterval = 10;
    layout.intervalPoints = 5000;  // not a whole number of cycles
    CStatisticEngine engine;
    EXPECT_FALSE(engine.Begin(header, layout, ConfigBlock{}));
    EXPECT_EQ(engine.Feed(nullptr, 0), 0);
    // A refused record does not keep the next one waiting.
    layout.intervalPoints = 5120;
    EXPECT_TRUE(engine.Begin(header, layout, ConfigBlock{}));
}

}  // namespace
}  // namespace sampolyx

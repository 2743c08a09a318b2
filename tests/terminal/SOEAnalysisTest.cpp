#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <filesystem>
#include <tuple>
#include <vector>

#include "TerminalTestSupport.h"
#include "core/ZVTimeStamp.h"
#include "platform/base/Hourglaze.h"
#include "terminal/K7700SOEAnalysis.h"
#include "terminal/SOEEventDataManager.h"
#include "tests/support/TempDir.h"
#include "tools/gen/SoeFile.h"

namespace {

namespace fs = std::filesystem;
using terminaltest::Wide;

// Calendar time of generated block b (one minute apart from 2024-03-05 08:30 local time).
std::int64_t BlockSeconds(std::size_t b)
{
    return CZVTimeStamp(2024, 3, 5, 8, 30, 0, 0).m_seconds + 60 * static_cast<std::int64_t>(b);
}

std::array<std::uint32_t, 10> Range(std::int64_t from, std::int64_t to)
{
    const auto f = static_cast<std::uint64_t>(from);
    const auto t = static_cast<std::uint64_t>(to);
    return {0, 0, 0, 0, 0, 0, static_cast<std::uint32_t>(f), static_cast<std::uint32_t>(f >> 32),
            static_cast<std::uint32_t>(t), static_cast<std::uint32_t>(t >> 32)};
}

int ReadAll(CK7700SOEAnalysis& reader, IZVDataManager& sink)
{
    return reader.GetData(0, 0, 0, 0, 0, reinterpret_cast<QueryWord>(&sink));
}

class SceneSink : public CSOEEventDataManager, public ISOESceneSink {
public:
    void SetScene(const std::uint8_t* scene) override { bytes.assign(scene, scene + kSOESceneBytes); }
    std::vector<std::uint8_t> bytes;
};

TEST(SOEAnalysis, DeliversEveryBlockInRangeWithItsRecords)
{
    testsupport::TempDir dir;
    const auto blocks = gen::MakeSoeBlocks({3, 0, 4});
    ASSERT_TRUE(gen::WriteSoeFile(dir / "a.soe", blocks));
    CK7700SOEAnalysis reader;
    CSOEEventDataManager sink;
    EXPECT_EQ(ReadAll(reader, sink), 0) << "no file open";
    reader.SetQueryParams(Range(BlockSeconds(0), BlockSeconds(2)));
    ASSERT_EQ(reader.LoadFile(Wide(dir / "a.soe"), 0), 1);
    EXPECT_EQ(reader.GetEventCount(), 7u) << "from the last trailer";
    ASSERT_EQ(ReadAll(reader, sink), 1);
    ASSERT_EQ(sink.GetCount(), 7u);
    SOERow row;
    ASSERT_EQ(sink.GetEventAt(4, &row), 1);
    EXPECT_EQ(row.record.w[2], 2) << "the fifth event is the second of block 3";
    EXPECT_EQ(row.record.w[4], 201);
    EXPECT_EQ(row.dataPosition, gen::SoeBlockOffset(blocks, 2) + 28);
    EXPECT_EQ(row.blockTime.minute, 32);
    EXPECT_EQ(row.rowKind, 0u);
    EXPECT_EQ(sink.GetEventAt(-1, &row), 0);
    EXPECT_EQ(sink.GetEventAt(7, &row), 0);

    // Records with w1 set among the delivered blocks: 1 of the first, 2 of the third.
    EXPECT_EQ(reader.GetData(0, 0, 0, 0, 3, reinterpret_cast<QueryWord>(&sink)), 0);
    EXPECT_EQ(sink.GetParam(), 3u);
    EXPECT_EQ(reader.GetData(0, 0, 0, 0, 2, reinterpret_cast<QueryWord>(&sink)), 1);
    EXPECT_EQ(sink.GetParam(), 7u);
    EXPECT_EQ(reader.GetData(0, 0, 0, 0, 4, reinterpret_cast<QueryWord>(&sink)), 0);
}

TEST(SOEAnalysis, TimeFilter)
{
    struct Case {
        const char* name;
        std::int64_t from, to;
        std::uint64_t events;
    };
    const Case cases[] = {
        {"never set", 0, 0, 0},
        {"all", BlockSeconds(0), BlockSeconds(2), 6},
        {"ends exactly at the last block", BlockSeconds(1), BlockSeconds(2), 4},
        {"one second before the last block", BlockSeconds(1), BlockSeconds(2) - 1, 2},
        {"starts one second after the first", BlockSeconds(0) + 1, BlockSeconds(5), 4},
    };
    testsupport::TempDir dir;
    ASSERT_TRUE(gen::WriteSoeFile(dir / "a.soe", gen::MakeSoeBlocks({2, 2, 2})));
    for (const Case& c : cases) {
        CK7700SOEAnalysis reader;
        CSOEEventDataManager sink;
        reader.SetQueryParams(Range(c.from, c.to));
        ASSERT_EQ(reader.LoadFile(Wide(dir / "a.soe"), 0), 1) << c.name;
        EXPECT_EQ(ReadAll(reader, sink), 1) << c.name;
        EXPECT_EQ(sink.GetCount(), c.events) << c.name;
    }

    // A block dated before 1900 counts as calendar time 0: only an unset range takes it.
    auto blocks = gen::MakeSoeBlocks({2, 3});
    blocks[1].time[0] = 1899;
    ASSERT_TRUE(gen::WriteSoeFile(dir / "old.soe", blocks));
    for (const auto& [from, to, events] : {std::tuple{std::int64_t{0}, std::int64_t{0}, 3u},
                                           std::tuple{BlockSeconds(0), BlockSeconds(9), 2u}}) {
        CK7700SOEAnalysis reader;
        CSOEEventDataManager sink;
        reader.SetQueryParams(Range(from, to));
        ASSERT_EQ(reader.LoadFile(Wide(dir / "old.soe"), 0), 1);
        EXPECT_EQ(ReadAll(reader, sink), 1);
        EXPECT_EQ(sink.GetCount(), events) << "from " << from;
    }
}

TEST(SOEAnalysis, DamagedBlockEndsTheReadingAndTheFileShrinksToTheGoodBlocks)
{
    struct Case {
        const char* name;
        gen::SoeDefect defect;
        std::size_t block;
    };
    const Case cases[] = {
        {"trailer total one too many", gen::SoeDefect::WrongTrailerTotal, 2},
        {"record count past the end (20 x N wraps 32 bits)", gen::SoeDefect::HugeRecordCount, 2},
        {"file cut inside the records", gen::SoeDefect::CutInBlock, 2},
        {"first block damaged", gen::SoeDefect::WrongTrailerTotal, 0},
    };
    testsupport::TempDir dir;
    const auto blocks = gen::MakeSoeBlocks({3, 1, 5, 2});
    for (const Case& c : cases) {
        ASSERT_TRUE(gen::WriteSoeFile(dir / "a.soe", blocks, {c.defect, c.block}));
        CK7700SOEAnalysis reader;
        reader.SetQueryParams(Range(0, BlockSeconds(10)));
        ASSERT_EQ(reader.LoadFile(Wide(dir / "a.soe"), 0), 1) << c.name;
        CSOEEventDataManager sink;
        terminaltest::LogWatch log;
        EXPECT_EQ(ReadAll(reader, sink), 0) << c.name;
        EXPECT_EQ(log.NewLines(), 1) << c.name << ": " << log.NewText();
        EXPECT_NE(log.NewText().find("romove dirty data"), std::string::npos) << c.name;
        const std::uint64_t good = c.block == 0 ? 0 : 4;
        EXPECT_EQ(sink.GetCount(), good) << c.name << ": the blocks before the damage stay delivered";
        EXPECT_EQ(reader.GetEventCount(), good) << c.name;
        EXPECT_EQ(reader.GetFileSize(), gen::SoeBlockOffset(blocks, c.block)) << c.name;

        sink.Release();
        EXPECT_EQ(ReadAll(reader, sink), 1) << c.name << ": a second reading stops before the damage";
        EXPECT_EQ(sink.GetCount(), good) << c.name;
    }
}

TEST(SOEAnalysis, ShortFilesAndMissingFiles)
{
    testsupport::TempDir dir;
    CSOEEventDataManager sink;
    {
        ASSERT_TRUE(gen::WriteSoeFile(dir / "head.soe", {}, {gen::SoeDefect::HeadOnly, 0}));
        CK7700SOEAnalysis reader;
        ASSERT_EQ(reader.LoadFile(Wide(dir / "head.soe"), 0), 1);
        EXPECT_EQ(ReadAll(reader, sink), 1) << "a head alone holds no block";
        EXPECT_EQ(sink.GetCount(), 0u);
    }
    {
        ASSERT_TRUE(gen::WriteSoeFile(dir / "short.soe", {}, {gen::SoeDefect::ShortHead, 0}));
        CK7700SOEAnalysis reader;
        ASSERT_EQ(reader.LoadFile(Wide(dir / "short.soe"), 0), 1);
        EXPECT_EQ(reader.GetEventCount(), 0u);
        EXPECT_EQ(ReadAll(reader, sink), 0);
        EXPECT_EQ(sink.GetCount(), 0u);
    }
    {
        CK7700SOEAnalysis reader;
        terminaltest::LogWatch log;
        EXPECT_EQ(reader.LoadFile(Wide(dir / "missing.soe"), 0), 0);
        EXPECT_EQ(log.NewLines(), 0) << "a missing file is not an error";
        fs::create_directories(dir / "folder.soe");
        EXPECT_EQ(reader.LoadFile(Wide(dir / "folder.soe"), 0), 0);
        EXPECT_NE(log.NewText().find("DataHelper Open File"), std::string::npos) << log.NewText();
    }
}

TEST(SOEAnalysis, FieldDataOfABlock)
{
    testsupport::TempDir dir;
    // Enough blocks that the later ones lie in another mapping window.
    const auto blocks = gen::MakeSoeBlocks(std::vector<std::size_t>(200, 20));
    ASSERT_TRUE(gen::WriteSoeFile(dir / "a.soe", blocks));
    CK7700SOEAnalysis reader;
    ASSERT_EQ(reader.LoadFile(Wide(dir / "a.soe"), 0), 1);
    SceneSink sink;
    for (std::size_t b : {std::size_t{0}, std::size_t{150}, std::size_t{1}, std::size_t{199}}) {
        const QueryWord position = gen::SoeBlockOffset(blocks, b) + 28;
        ASSERT_EQ(reader.GetData(0, 0, position, 0, 1, reinterpret_cast<QueryWord>(&sink)), 1) << "block " << b;
        ASSERT_EQ(sink.bytes.size(), kSOESceneBytes);
        for (std::size_t i = 0; i < kSOESceneBytes; ++i) {
            ASSERT_EQ(sink.bytes[i], gen::SoeSceneByte(b, i)) << "block " << b << " byte " << i;
        }
    }
    const std::uint64_t size = fs::file_size(dir / "a.soe");
    EXPECT_EQ(reader.GetData(0, 0, size - kSOESceneBytes + 1, 0, 1, reinterpret_cast<QueryWord>(&sink)), 0)
        << "a snapshot running past the end";
    EXPECT_EQ(reader.GetData(0, 0, size + 100, 0, 1, reinterpret_cast<QueryWord>(&sink)), 0);
    CSOEEventDataManager noScene;
    EXPECT_EQ(reader.GetData(0, 0, 28 + 4, 0, 1, reinterpret_cast<QueryWord>(&noScene)), 0)
        << "a sink that takes no field data";

    reader.SetQueryParams(Range(0, BlockSeconds(1000)));
    CSOEEventDataManager all;
    EXPECT_EQ(ReadAll(reader, all), 1);
    EXPECT_EQ(all.GetCount(), 4000u) << "blocks across window borders";
}

TEST(SOEAnalysis, ProgressAdvancesOverTheSpan)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(gen::WriteSoeFile(dir / "a.soe", gen::MakeSoeBlocks({2, 2, 4})));
    platform::HeadlessHourglaze().Reset();
    CK7700SOEAnalysis reader;
    reader.SetQueryParams(Range(0, BlockSeconds(5)));
    ASSERT_EQ(reader.LoadFile(Wide(dir / "a.soe"), 0), 1);
    reader.SetOption(40);
    CSOEEventDataManager sink;
    ASSERT_EQ(ReadAll(reader, sink), 1);
    const std::vector<double> expected = {10.0, 20.0, 40.0};
    EXPECT_EQ(platform::HeadlessHourglaze().Get().positions, expected);
    platform::HeadlessHourglaze().Reset();
    ASSERT_EQ(ReadAll(reader, sink), 1);
    EXPECT_TRUE(platform::HeadlessHourglaze().Get().positions.empty()) << "the span serves one reading";
}

}  // namespace

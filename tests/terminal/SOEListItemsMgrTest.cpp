#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <vector>

#include "TerminalTestSupport.h"
#include "terminal/K7700SOEAnalysis.h"
#include "terminal/SOEListItemsMgr.h"
#include "tests/support/TempDir.h"
#include "tools/gen/SoeFile.h"

namespace {

namespace fs = std::filesystem;

// Reads generated blocks into a list through the reader, as the alarm list loads.
class SOEList : public ::testing::Test {
protected:
    void Load(const std::vector<gen::SoeBlock>& blocks)
    {
        ASSERT_TRUE(gen::WriteSoeFile(m_dir / "a.soe", blocks));
        CK7700SOEAnalysis reader;
        reader.SetQueryParams({0, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFFFFu, 0x7FFFFFFFu});
        ASSERT_EQ(reader.LoadFile(terminaltest::Wide(m_dir / "a.soe"), 0), 1);
        ASSERT_EQ(reader.GetData(0, 0, 0, 0, 0, reinterpret_cast<QueryWord>(&m_list)), 1);
        m_list.RebuildVisible();
    }

    SOERow Row(std::int64_t row)
    {
        SOERow out;
        EXPECT_EQ(m_list.GetSoeAt(row, &out), 1) << "row " << row;
        return out;
    }

    testsupport::TempDir m_dir;
    CSOEListItemsMgr m_list;
};

TEST_F(SOEList, ExpandingAndCollapsingRows)
{
    Load(gen::MakeSoeBlocks({2, 4, 3}));
    EXPECT_EQ(m_list.GetCount(), 12u) << "blocks are added expanded";
    ASSERT_EQ(m_list.ToggleAllExpanded(), 1);
    EXPECT_EQ(m_list.GetCount(), 3u) << "one expanded block or more: all collapse";

    ASSERT_EQ(m_list.SetVisible(1), 1);
    ASSERT_EQ(m_list.GetCount(), 7u);
    struct Case {
        std::int64_t row;
        std::uint32_t kind;
        std::int32_t block;  // w2 of an event row; -1 for a header
    };
    const Case cases[] = {{0, 0, -1}, {1, 1, -1}, {2, 2, 1}, {3, 2, 1}, {4, 2, 1}, {5, 3, 1}, {6, 0, -1}};
    for (const Case& c : cases) {
        const SOERow row = Row(c.row);
        EXPECT_EQ(row.rowKind, c.kind) << "row " << c.row;
        if (c.block < 0) {
            EXPECT_EQ(row.record.w[0], 0) << "row " << c.row;
        } else {
            EXPECT_EQ(row.record.w[2], c.block) << "row " << c.row;
        }
    }
    EXPECT_EQ(Row(6).blockTime.minute, 32);
    EXPECT_EQ(m_list.SetVisible(3), 0) << "an event row toggles nothing";
    EXPECT_EQ(m_list.GetCount(), 7u);

    ASSERT_EQ(m_list.ToggleAllExpanded(), 1);
    EXPECT_EQ(m_list.GetCount(), 3u);
    ASSERT_EQ(m_list.ToggleAllExpanded(), 1);
    EXPECT_EQ(m_list.GetCount(), 12u) << "all collapsed: all expand";
}

TEST_F(SOEList, RecordsAreSortedWhenTheirBlockIsFirstShown)
{
    auto blocks = gen::MakeSoeBlocks({6});
    const std::vector<std::array<std::uint32_t, 5>> records = {
        {2, 0, 1, 1, 0}, {2, 5, 1, 1, 1}, {1, 0, 9, 9, 2}, {2, 0, 0, 5, 3}, {2, 0, 1, 0, 4}, {0xFFFFFFFFu, 0, 0, 0, 5}};
    for (std::size_t r = 0; r < records.size(); ++r) {
        blocks[0].records[r].w = records[r];
    }
    Load(blocks);
    const std::vector<std::int32_t> order = {5, 2, 3, 4, 1, 0};  // by w0, w2, w3 (signed), then w1 descending
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(Row(static_cast<std::int64_t>(i) + 1).record.w[4], order[i]) << "position " << i;
    }
}

TEST_F(SOEList, BlocksOfTheSameTimeMergeAndKeepTheirOwnFieldData)
{
    auto blocks = gen::MakeSoeBlocks({2, 3, 1});
    blocks[1].time = blocks[0].time;
    terminaltest::LogWatch log;
    Load(blocks);
    EXPECT_EQ(log.NewLines(), 1) << log.NewText();
    EXPECT_NE(log.NewText().find("CSOEListItemsMgr::AddData SOE Block Time repeat:2024-03-05 08:30:00"),
              std::string::npos)
        << log.NewText();
    ASSERT_EQ(m_list.GetCount(), 2u + 5u + 1u);
    for (std::int64_t r = 1; r <= 5; ++r) {
        const SOERow row = Row(r);
        const std::size_t block = static_cast<std::size_t>(row.record.w[4] / 100);
        EXPECT_EQ(row.dataPosition, gen::SoeBlockOffset(blocks, block) + 28) << "row " << r << " of block " << block;
    }
    EXPECT_EQ(Row(5).rowKind, 3u);
    EXPECT_EQ(Row(6).rowKind, 1u);
}

TEST_F(SOEList, BlockWithoutRecordsIsAHeaderAlone)
{
    Load(gen::MakeSoeBlocks({2, 0, 1}));
    ASSERT_EQ(m_list.GetCount(), 6u);
    EXPECT_EQ(Row(3).rowKind, 1u);
    EXPECT_EQ(Row(3).blockTime.minute, 31);
    EXPECT_EQ(Row(4).blockTime.minute, 32);
    EXPECT_EQ(Row(5).rowKind, 3u);
}

TEST_F(SOEList, BadRowsAreLoggedAsTheLookupFails)
{
    struct Case {
        const char* name;
        std::int64_t row;
        const char* getSoeAt;
        const char* setVisible;
    };
    const Case cases[] = {
        {"before the first row", -1, "CSOEListItemsMgr::GetSoeAt error lower_bound",
         "CSOEListItemsMgr::SetVisible error lower_bound"},
        {"past the last row", 5, "CSOEListItemsMgr::GetSoeAt error m_SOEItems distance",
         "CSOEListItemsMgr::SetVisible error m_SOEItems distance"},
        {"far past the last row", std::int64_t{1} << 40, "CSOEListItemsMgr::GetSoeAt error m_SOEItems distance",
         "CSOEListItemsMgr::SetVisible error m_SOEItems distance"},
    };
    Load(gen::MakeSoeBlocks({2, 1}));
    for (const Case& c : cases) {
        SOERow row;
        terminaltest::LogWatch get;
        EXPECT_EQ(m_list.GetSoeAt(c.row, &row), 0) << c.name;
        EXPECT_NE(get.NewText().find(c.getSoeAt), std::string::npos) << c.name << ": " << get.NewText();
        terminaltest::LogWatch set;
        EXPECT_EQ(m_list.SetVisible(c.row), 0) << c.name;
        EXPECT_NE(set.NewText().find(c.setVisible), std::string::npos) << c.name << ": " << set.NewText();
    }
    m_list.Release();
    terminaltest::LogWatch empty;
    SOERow row;
    EXPECT_EQ(m_list.GetSoeAt(0, &row), 0);
    EXPECT_NE(empty.NewText().find("CSOEListItemsMgr::GetSoeAt error lower_bound"), std::string::npos)
        << "an empty list: " << empty.NewText();
}

TEST_F(SOEList, BadRowsAndBadBlocksChangeNothing)
{
    Load(gen::MakeSoeBlocks({2, 1}));
    SOERow row;
    for (std::int64_t bad : {std::int64_t{-1}, std::int64_t{5}, std::int64_t{1} << 40}) {
        terminaltest::LogWatch log;
        EXPECT_EQ(m_list.GetSoeAt(bad, &row), 0) << "row " << bad;
        EXPECT_EQ(m_list.SetVisible(bad), 0) << "row " << bad;
        EXPECT_EQ(log.NewLines(), 2) << log.NewText();
    }

    SOEBlock block;
    block.header[0] = 0xE8;  // 2024
    block.header[1] = 0x07;
    block.header[24] = 3;    // declares three records, holds two
    block.records.resize(2);
    terminaltest::LogWatch log;
    EXPECT_FALSE(m_list.AddData(reinterpret_cast<std::uintptr_t>(&block)));
    EXPECT_EQ(log.NewLines(), 1);
    EXPECT_FALSE(m_list.AddData(0));
    m_list.RebuildVisible();
    EXPECT_EQ(m_list.GetCount(), 5u) << "nothing was added";

    m_list.Release();
    EXPECT_EQ(m_list.GetCount(), 0u);
    EXPECT_EQ(m_list.GetSoeAt(0, &row), 0);
    Load(gen::MakeSoeBlocks({1}));
    EXPECT_EQ(m_list.GetCount(), 2u) << "usable after Release";
}

}  // namespace

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <vector>

#include "TerminalTestSupport.h"
#include "core/ZVTimeStamp.h"
#include "terminal/ObserverViewBase.h"
#include "terminal/SOEEventDataManager.h"
#include "terminal/SOEModel.h"
#include "tests/support/TempDir.h"
#include "tools/gen/SoeFile.h"

namespace {

namespace fs = std::filesystem;
using terminaltest::Wide;

class Events : public IObserverViewBase {
public:
    int OnUpdate(std::uint32_t event, std::uintptr_t, std::uintptr_t) override
    {
        seen.push_back(event);
        return 1;
    }
    std::vector<std::uint32_t> seen;
};

std::array<std::uint32_t, 14> Selection(std::int64_t from, std::int64_t to)
{
    std::array<std::uint32_t, 14> words{};
    words[8] = static_cast<std::uint32_t>(from);
    words[9] = static_cast<std::uint32_t>(static_cast<std::uint64_t>(from) >> 32);
    words[10] = static_cast<std::uint32_t>(to);
    words[11] = static_cast<std::uint32_t>(static_cast<std::uint64_t>(to) >> 32);
    return words;
}

std::int64_t BlockSeconds(int block)
{
    return CZVTimeStamp(2024, 3, 5, 8, 30 + block, 0, 0).m_seconds;
}

TEST(SOEModel, OpensTheSoeFileAndServesItsBlocksInTheSelection)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(gen::WriteSoeFolder(dir.Path(), gen::MakeSoeBlocks({2, 3, 4})));
    dir.Write("SOE/a.bin", "not events");
    dir.Write("SOE/notes.txt", "not events");
    CSOEModel model;
    Events list, scene;
    model.Attach(&list, 0x204);
    model.Attach(&scene, 0x220);
    auto selection = Selection(BlockSeconds(1), BlockSeconds(2));
    CCtrlItem open{ctrl::kOpenSoe, reinterpret_cast<std::uintptr_t>(selection.data()), 0xFFFFFFFFu, Wide(dir.Path())};
    model.OpenData(&open);
    EXPECT_EQ(model.GetFilePath(), Wide(dir / "SOE/K7700.soe")) << "only *.soe files are event files";
    EXPECT_EQ(list.seen, std::vector<std::uint32_t>{0x004});
    EXPECT_TRUE(scene.seen.empty());

    CSOEEventDataManager events;
    EXPECT_EQ(model.GetData(0, 0, 0, 0, 0, reinterpret_cast<QueryWord>(&events)), 1);
    EXPECT_EQ(events.GetCount(), 7u) << "the second and third blocks are in the selection";
    BasicInfo info;
    info.phaseMask = 0;
    EXPECT_EQ(model.QueryBasicInfo(&info), 1);
    EXPECT_EQ(info.phaseMask, 15u);

    CCtrlItem chosen{ctrl::kSoeEvent, 1234, 5, L""};
    model.OpenData(&chosen);
    EXPECT_EQ(scene.seen, std::vector<std::uint32_t>{0x020});
    EXPECT_EQ(list.seen.size(), 1u);

    CCtrlItem close{ctrl::kCloseAll, 0, 0, L""};
    model.OpenData(&close);
    EXPECT_TRUE(model.GetFilePath().empty());
    EXPECT_EQ(list.seen.back(), 0x200u);
    EXPECT_EQ(scene.seen.back(), 0x200u);
    events.Release();
    EXPECT_EQ(model.GetData(0, 0, 0, 0, 0, reinterpret_cast<QueryWord>(&events)), 0);
}

TEST(SOEModel, FolderWithoutEventFile)
{
    testsupport::TempDir dir;
    dir.Write("SOE/K7700.txt", "no events");
    CSOEModel model;
    auto selection = Selection(0, BlockSeconds(10));
    CCtrlItem open{ctrl::kOpenSoe, reinterpret_cast<std::uintptr_t>(selection.data()), 0, Wide(dir.Path())};
    model.OpenData(&open);
    EXPECT_TRUE(model.GetFilePath().empty());
    CSOEEventDataManager events;
    terminaltest::LogWatch log;
    EXPECT_EQ(model.GetData(0, 0, 0, 0, 0, reinterpret_cast<QueryWord>(&events)), 0);
    EXPECT_EQ(log.NewLines(), 0);
}

}  // namespace

// A download's staging folder: the target changes only on commit, and a dropped
// stage leaves nothing of its own behind.
#include <gtest/gtest.h>

#include <fstream>

#include "device/StagedFolder.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(StagedFolder, CommitPutsTheNewCopyInPlaceOfTheOld) {
    testsupport::TempDir dir;
    dir.Write("dl/rec/old.txt", "old");
    {
        CStagedFolder stage(dir / "dl/rec");
        ASSERT_EQ(0, stage.Error());
        EXPECT_EQ(dir.Path() / "dl", stage.Path().parent_path()) << "beside the target";
        std::ofstream(stage.Path() / "new.txt") << "new";
        EXPECT_TRUE(fs::exists(dir / "dl/rec/old.txt")) << "the old copy stays until the new one is complete";
        ASSERT_EQ(0, stage.Commit());
    }
    EXPECT_EQ((std::vector<std::string>{"rec", "rec/new.txt"}), devicetest::TreeListing(dir / "dl"));
}

TEST(StagedFolder, ADroppedStageRemovesOnlyItselfAndTheParentsItMade) {
    testsupport::TempDir dir;
    dir.Write("dl/rec/Board1/keep.txt", "earlier");
    {
        CStagedFolder stage(dir / "dl/rec/Board2");
        ASSERT_EQ(0, stage.Error());
        std::ofstream(stage.Path() / "partial.bin") << "half";
    }
    EXPECT_EQ((std::vector<std::string>{"rec", "rec/Board1", "rec/Board1/keep.txt"}),
              devicetest::TreeListing(dir / "dl"));
    {
        CStagedFolder stage(dir / "dl/new/Board1");
        ASSERT_EQ(0, stage.Error());
    }
    EXPECT_FALSE(fs::exists(dir / "dl/new")) << "a parent made for the stage goes with it";
}

}  // namespace

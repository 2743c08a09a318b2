// Holding a data folder: the held folder is told apart from whatever its path
// leads to later (nothing, or another folder of the same name).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/base/FolderLock.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(FolderLock, StillPresentOnlyWhileThePathLeadsToTheHeldFolder) {
    struct Case {
        const char* name;
        std::function<void(const fs::path& folder)> change;
        bool present;
    };
    const Case cases[] = {
        {"untouched", [](const fs::path&) {}, true},
        {"a file added inside", [](const fs::path& f) { fs::create_directory(f / "new"); }, true},
        {"removed", [](const fs::path& f) { fs::remove_all(f); }, false},
        {"renamed away", [](const fs::path& f) { fs::rename(f, f.parent_path() / "moved"); }, false},
        {"replaced by another folder",
         [](const fs::path& f) {
             fs::remove_all(f);
             fs::create_directory(f);
         },
         false},
    };
    for (const Case& row : cases) {
        testsupport::TempDir dir;
        const fs::path folder = dir / "数据";
        fs::create_directory(folder);
        platform::FolderLock lock;
        ASSERT_TRUE(lock.Hold(folder)) << row.name;
        row.change(folder);
        EXPECT_EQ(lock.StillPresent(), row.present) << row.name;
        lock.Release();
        EXPECT_FALSE(lock.IsHeld()) << row.name;
        EXPECT_FALSE(lock.StillPresent()) << row.name;
    }
}

TEST(FolderLock, RefusesWhatIsNoFolderAndLetsGoOfTheOldOne) {
    testsupport::TempDir dir;
    const fs::path first = dir.Path() / "a";
    fs::create_directory(first);
    dir.Write("file", "x");

    platform::FolderLock lock;
    ASSERT_TRUE(lock.Hold(first));
    EXPECT_FALSE(lock.Hold(dir.Path() / "file"));
    EXPECT_FALSE(lock.IsHeld());
    EXPECT_FALSE(lock.Hold(dir.Path() / "missing"));
    EXPECT_TRUE(lock.Folder().empty());
}

}  // namespace

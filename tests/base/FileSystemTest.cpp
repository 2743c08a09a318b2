#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/base/FileSystem.h"
#include "platform/base/Encoding.h"
#include "tests/support/TempDir.h"

namespace {

using testsupport::TempDir;

TEST(FileSystem, FindsNamesWithoutRegardToCasePreferringTheExactName) {
    TempDir dir;
    dir.Write("RecordInfo.CFG", "a");
    dir.Write("STATISTIC/Statistic.cfg", "b");
    auto found = platform::FindNoCase(dir.Path(), L"recordinfo.cfg");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->filename(), "RecordInfo.CFG");
    EXPECT_FALSE(platform::FindNoCase(dir.Path(), L"recordset.ini"));

    dir.Write("a.txt", "exact");
    dir.Write("A.TXT", "other");
    EXPECT_EQ(platform::FindNoCase(dir.Path(), L"A.TXT")->filename(), "A.TXT");

    const auto resolved = platform::ResolveNoCase(dir.Path(), L"statistic\\STATISTIC.CFG");
    EXPECT_EQ(testsupport::ReadAll(resolved), "b");
    // A missing part is kept as given, so the result names where the file would be.
    EXPECT_EQ(platform::ResolveNoCase(dir.Path(), L"Statistic/newfiles/x.dat"),
              dir.Path() / "STATISTIC" / "newfiles" / "x.dat");
}

TEST(FileSystem, ListsInNameOrderWithoutRegardToCase) {
    TempDir dir;
    for (const char* name : {"b", "A", "c", "B10", "a2"}) {
        dir.Write(name, "");
    }
    std::vector<std::string> names;
    for (const auto& entry : platform::ListSorted(dir.Path())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"A", "a2", "b", "B10", "c"}));
    EXPECT_TRUE(platform::ListSorted(dir.Path() / "missing").empty());
}

TEST(FileSystem, AtomicWriteReplacesWholeAndLeavesNoTemporaryFile) {
    TempDir dir;
    const auto file = dir.Write("Ondrava.ini", "old");
    ASSERT_TRUE(platform::AtomicWriteFile(file, "new contents"));
    EXPECT_EQ(*platform::ReadFileBytes(file), "new contents");
    EXPECT_EQ(platform::ListSorted(dir.Path()).size(), 1u);

    ASSERT_TRUE(platform::AtomicWriteFile(dir / "fresh.ini", ""));
    EXPECT_EQ(*platform::ReadFileBytes(dir / "fresh.ini"), "");
}

TEST(FileSystem, AtomicWriteKeepsLinksAndModes) {
    TempDir dir;
    // A settings file kept elsewhere and linked in: the link stays, its target changes.
    const auto target = dir.Write("elsewhere/Ondrava.ini", "old");
    const auto link = dir / "Ondrava.ini";
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(platform::AtomicWriteFile(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(*platform::ReadFileBytes(target), "new");
    EXPECT_EQ(platform::ListSorted(target.parent_path()).size(), 1u);

    // A replaced file keeps its mode; a new one gets the usual mode under the umask.
    ::chmod(target.c_str(), 0640);
    ASSERT_TRUE(platform::AtomicWriteFile(target, "newer"));
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(platform::AtomicWriteFile(dir / "fresh.ini", "x"));
    ::umask(mask);
    ASSERT_EQ(::stat((dir / "fresh.ini").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0644u);
}

TEST(FileSystem, AtomicWriteRefusesReadOnlyTargetsAndMissingFolders) {
    TempDir dir;
    EXPECT_FALSE(platform::AtomicWriteFile(dir / "no/such/folder.ini", "x"));
    const auto file = dir.Write("locked.ini", "keep");
    ::chmod(file.c_str(), 0444);
    if (::access(file.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "running with rights that ignore file modes";
    }
    EXPECT_FALSE(platform::AtomicWriteFile(file, "lost"));
    EXPECT_EQ(*platform::ReadFileBytes(file), "keep");
}

}  // namespace

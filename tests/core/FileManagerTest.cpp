#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/FileManager.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "platform/base/ProgramFolder.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::wstring W(const fs::path& path) {
    return platform::FromPath(path);
}

std::size_t LogCount(const std::string& words) {
    const std::string text = testsupport::ReadAll(platform::ProgramFolder() / "OndravaLog.log");
    std::size_t count = 0;
    for (std::size_t at = text.find(words); at != std::string::npos; at = text.find(words, at + 1)) {
        ++count;
    }
    return count;
}

const std::string kExistsMessage = platform::WideToUtf8(L"当前文件已存在,是否覆盖");
const std::string kDeleteFailedMessage = platform::WideToUtf8(L"删除目录失败");

// A small terminal-like tree:
//   Data/a.cfg a.dat (record "a"), Data/sub/b.cfg, Data/sub.x/c (no extension), Data/z.ini
class FileManagerTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir.Write("Data/a.cfg", "12345");
        m_dir.Write("Data/a.dat", "1234567890");
        m_dir.Write("Data/sub/b.cfg", "abc");
        m_dir.Write("Data/sub.x/c", "");
        m_dir.Write("Data/z.ini", "zz");
        ASSERT_EQ(m_manager.SetRootPath(W(m_dir.Path()) + L"/"), 1);
    }

    testsupport::TempDir m_dir;
    CFileManager m_manager;
};

TEST_F(FileManagerTest, EveryOperationButDeleteNeedsARoot) {
    CFileManager unrooted;
    EXPECT_EQ(unrooted.SetRootPath(L""), 0);
    std::vector<std::wstring> names;
    std::vector<ZVFolderInfo> folders;
    std::vector<CZVBoardInfo> files;
    std::uint64_t total = 0;
    const std::wstring data = W(m_dir / "Data");
    EXPECT_EQ(unrooted.ListFileNames(L"Data", names), 0);
    EXPECT_EQ(unrooted.ScanFolder(data, total), 0);
    EXPECT_EQ(unrooted.ListFolders(data, folders), 0);
    EXPECT_EQ(unrooted.CollectFileTimes(L"Data", files), 0);
    EXPECT_EQ(unrooted.CopyFolderTree(data, W(m_dir.Path()), 0), 0);
    EXPECT_TRUE(names.empty() && folders.empty() && files.empty() && total == 0);
    // With a root, an empty argument is refused too.
    EXPECT_EQ(m_manager.ListFileNames(L"", names), 0);
    EXPECT_EQ(m_manager.ListFolders(L"", folders), 0);
    EXPECT_EQ(m_manager.CollectFileTimes(L"", files), 0);
}

TEST_F(FileManagerTest, ListFileNamesGivesEachRecordOnceWithoutExtension) {
    std::vector<std::wstring> names = {L"Data/z"};  // already listed: not added again
    // Any case and either separator find the folder; names come out as on disk.
    ASSERT_EQ(m_manager.ListFileNames(L"data\\", names), 1);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Data/z", L"Data/a", L"Data/sub/b", L"Data/sub.x/c"}));

    std::vector<std::wstring> missing;
    EXPECT_EQ(m_manager.ListFileNames(L"NoSuchFolder", missing), 1);
    EXPECT_TRUE(missing.empty());
}

TEST_F(FileManagerTest, ListFileNamesAsksTheFilterWithItsContextWords) {
    static std::vector<std::wstring> asked;
    asked.clear();
    m_manager.SetFileFilter(
        [](std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, const std::wstring& name) {
            EXPECT_EQ(std::vector<std::uint32_t>({a, b, c, d}), std::vector<std::uint32_t>({1, 2, 3, 4}));
            asked.push_back(name);
            return name.find(L"sub") == std::wstring::npos ? 1 : 0;
        },
        1, 2, 3, 4);
    std::vector<std::wstring> names;
    ASSERT_EQ(m_manager.ListFileNames(L"Data", names), 1);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Data/a", L"Data/z"}));
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"Data/a", L"Data/sub/b", L"Data/sub.x/c", L"Data/z"}));
}

TEST_F(FileManagerTest, ScanAndListFoldersSumFileSizes) {
    std::uint64_t total = 7;  // added to, not replaced
    ASSERT_EQ(m_manager.ScanFolder(W(m_dir / "Data"), total), 1);
    EXPECT_EQ(total, 7U + 5 + 10 + 3 + 0 + 2);
    ASSERT_EQ(m_manager.ScanFolder(W(m_dir / "missing"), total), 1);
    EXPECT_EQ(total, 27U);

    std::vector<ZVFolderInfo> folders;
    ASSERT_EQ(m_manager.ListFolders(W(m_dir / "Data"), folders), 1);
    ASSERT_EQ(folders.size(), 2U);
    EXPECT_EQ(folders[0].GetPath(), W(m_dir / "Data" / "sub"));
    EXPECT_EQ(folders[0].GetTotalSize(), 3U);
    EXPECT_EQ(folders[1].GetPath(), W(m_dir / "Data" / "sub.x"));
    EXPECT_EQ(folders[1].GetTotalSize(), 0U);
    for (const auto& folder : folders) {
        EXPECT_EQ(folder.GetFileCount(), 0U);
        EXPECT_EQ(folder.GetBoard(), 0);
    }
}

TEST_F(FileManagerTest, CollectFileTimesGivesTimesNamesAndPaths) {
    constexpr std::time_t kWritten = 1796782500;
    fs::last_write_time(m_dir / "Data" / "sub" / "b.cfg",
                        std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(kWritten)));
    std::vector<CZVBoardInfo> files;
    ASSERT_EQ(m_manager.CollectFileTimes(L"Data\\sub", files), 1);
    ASSERT_EQ(files.size(), 1U);
    EXPECT_EQ(files[0].m_fileName, L"b.cfg");
    EXPECT_EQ(files[0].m_fullPath, W(m_dir / "Data" / "sub" / "b.cfg"));
    EXPECT_EQ(files[0].m_lastWriteTime, kWritten);
    EXPECT_NE(files[0].m_creationTime, 0);
}

TEST_F(FileManagerTest, CopyFolderTreeCopiesUnderItsOwnNameAndOverwritesASecondTime) {
    const fs::path target = m_dir / "Target";
    fs::create_directory(target);
    platform::HeadlessHourglaze().Reset();
    const std::size_t existsBefore = LogCount(kExistsMessage);

    ASSERT_EQ(m_manager.CopyFolderTree(W(m_dir / "Data") + L"/", W(target), 20), 1);
    EXPECT_EQ(testsupport::ReadAll(target / "Data" / "a.dat"), "1234567890");
    EXPECT_EQ(testsupport::ReadAll(target / "Data" / "sub" / "b.cfg"), "abc");
    EXPECT_TRUE(fs::exists(target / "Data" / "sub.x" / "c"));
    EXPECT_EQ(m_manager.GetCopiedBytes(), 20U);
    EXPECT_EQ(LogCount(kExistsMessage), existsBefore);
    const auto busy = platform::HeadlessHourglaze().Get();
    EXPECT_EQ(busy.positions, (std::vector<double>{25.0, 75.0, 90.0, 90.0, 100.0}));

    m_dir.Write("Data/a.dat", "changed");
    ASSERT_EQ(m_manager.CopyFolderTree(W(m_dir / "Data"), W(target), 20), 1);
    EXPECT_EQ(testsupport::ReadAll(target / "Data" / "a.dat"), "changed");
    EXPECT_EQ(LogCount(kExistsMessage), existsBefore + 3);  // the folder and its two sub-folders existed
    EXPECT_EQ(m_manager.GetCancelFlag(), 0);
    EXPECT_EQ(platform::HeadlessHourglaze().Get().position, 100.0);  // capped although the total was passed
}

TEST_F(FileManagerTest, AFileThatCannotBeOverwrittenStopsTheCopy) {
    const fs::path target = m_dir / "Target";
    // A folder in the place of "a.dat" cannot be overwritten by a file, even by root.
    fs::create_directories(target / "Data" / "a.dat");
    EXPECT_EQ(m_manager.CopyFolderTree(W(m_dir / "Data"), W(target), 20), 0);
    EXPECT_EQ(m_manager.GetCancelFlag(), 1);
    EXPECT_EQ(testsupport::ReadAll(target / "Data" / "a.cfg"), "12345");  // copied before it
    EXPECT_FALSE(fs::exists(target / "Data" / "sub"));                    // never reached
    EXPECT_FALSE(fs::exists(target / "Data" / "z.ini"));

    CFileManager stopped;
    stopped.SetRootPath(W(m_dir.Path()));
    fs::create_directory(m_dir / "Other");
    stopped.SetCancelFlag(1);  // the owner asked to stop: only the first file goes
    EXPECT_EQ(stopped.CopyFolderTree(W(m_dir / "Data"), W(m_dir / "Other"), 20), 0);
    EXPECT_TRUE(fs::exists(m_dir / "Other" / "Data" / "a.cfg"));
    EXPECT_FALSE(fs::exists(m_dir / "Other" / "Data" / "a.dat"));
}

TEST_F(FileManagerTest, CopyFolderTreeRefusesAMissingSourceOrAnUnmakeableFolder) {
    EXPECT_EQ(m_manager.CopyFolderTree(W(m_dir / "missing"), W(m_dir / "Target"), 1), 0);
    m_dir.Write("Target/Data", "a file where the folder goes");
    EXPECT_EQ(m_manager.CopyFolderTree(W(m_dir / "Data"), W(m_dir / "Target"), 1), 0);
    EXPECT_EQ(m_manager.GetCopiedBytes(), 0U);
}

TEST_F(FileManagerTest, DeleteFolderTreeRemovesEverythingOrLogsWhyNot) {
    CFileManager manager;  // deleting needs no root
    EXPECT_EQ(manager.DeleteFolderTree(W(m_dir / "Data") + L"\\"), 1);
    EXPECT_FALSE(fs::exists(m_dir / "Data"));
    EXPECT_TRUE(fs::exists(m_dir.Path()));

    const std::size_t before = LogCount(kDeleteFailedMessage);
    EXPECT_EQ(manager.DeleteFolderTree(W(m_dir / "Data")), 0);
    EXPECT_EQ(LogCount(kDeleteFailedMessage), before + 1);
    EXPECT_EQ(manager.DeleteFolderTree(L""), 0);
}

}  // namespace

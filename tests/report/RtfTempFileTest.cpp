#include <gtest/gtest.h>

#include <cerrno>
#include <set>
#include <unistd.h>
#include <vector>
#include <string>

#include "platform/base/Encoding.h"
#include "report/RtfPageOutput.h"
#include "report/RtfTempFile.h"
#include "tests/support/TempDir.h"

namespace {

std::set<std::string> Entries(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(platform::PathToUtf8(entry.path().filename()));
    }
    return names;
}

class RtfTempFileTest : public ::testing::Test {
protected:
    void TearDown() override { CRtfWriter::DestroyInstance(); }

    testsupport::TempDir dir;
    std::wstring target = platform::FromPath(dir / "报表.rtf");
};

TEST_F(RtfTempFileTest, WrittenBesideTheTargetAndRenamedWhenComplete)
{
    dir.Write("报表.rtf", "an older report");
    CRtfTempFile file;
    ASSERT_EQ(file.Open(target), 1);
    EXPECT_EQ(file.Open(target), 0);
    const std::filesystem::path temp = platform::ToPath(std::string_view(file.GetPath()));
    EXPECT_EQ(temp.parent_path(), dir.Path());
    EXPECT_EQ(platform::PathToUtf8(temp.filename()).rfind(".~ZVRtf", 0), 0u);
    // Until it is complete the target keeps what it held.
    EXPECT_EQ(testsupport::ReadAll(dir / "报表.rtf"), "an older report");

    EXPECT_EQ(file.CloseAndCopy(target), 0);
    const std::string document = testsupport::ReadAll(dir / "报表.rtf");
    EXPECT_EQ(document.rfind("{\\rtf1\\ansi\\ansicpg936", 0), 0u);
    EXPECT_EQ(document.substr(document.size() - 6), "\n\\par}");
    EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"报表.rtf"});
    EXPECT_EQ(file.CloseAndCopy(target), -1);
}

TEST_F(RtfTempFileTest, NamesAreCreatedExclusively)
{
    CRtfTempFile::FileAccess access = CRtfTempFile::DefaultFileAccess();
    std::vector<std::string> tried;
    const auto create = access.createExclusive;
    access.createExclusive = [&](const std::string& path) {
        tried.push_back(path);
        if (tried.size() < 3) {
            errno = EEXIST;
            return -1;
        }
        return create(path);
    };
    CRtfTempFile file(access);
    ASSERT_EQ(file.Open(target), 1);
    ASSERT_EQ(tried.size(), 3u);
    EXPECT_EQ(std::set<std::string>(tried.begin(), tried.end()).size(), 3u);
    EXPECT_EQ(file.GetPath(), tried.back());
    file.Discard();
    EXPECT_TRUE(Entries(dir.Path()).empty());
}

// Every failure of the file system gives its error number and leaves no file, and
// an older report at the target stays as it was.
TEST_F(RtfTempFileTest, FailuresLeaveNoFile)
{
    enum class Stage { Create, Header, Page, Sync, Close, Rename };
    struct Case {
        const char* name;
        Stage stage;
        int error;
        int open;  // what Open returns
    };
    const Case cases[] = {
        {"folder not writable", Stage::Create, EACCES, -1},
        {"read-only file system", Stage::Create, EROFS, -1},
        {"no room for a name", Stage::Create, ENOSPC, -1},
        {"header does not fit", Stage::Header, EDQUOT, -2},
        {"page does not fit", Stage::Page, ENOSPC, 1},
        {"flush finds no room", Stage::Sync, ENOSPC, 1},
        {"closing fails", Stage::Close, EIO, 1},
        {"target not replaceable", Stage::Rename, EACCES, 1},
    };
    dir.Write("报表.rtf", "an older report");
    for (const Case& c : cases) {
        CRtfTempFile::FileAccess access = CRtfTempFile::DefaultFileAccess();
        const auto fail = [&c](Stage stage) {
            if (c.stage == stage) {
                errno = c.error;
                return true;
            }
            return false;
        };
        const auto create = access.createExclusive;
        access.createExclusive = [&](const std::string& path) { return fail(Stage::Create) ? -1 : create(path); };
        const auto write = access.write;
        int writes = 0;
        access.write = [&](int fd, const char* data, std::size_t size) -> long {
            ++writes;
            return fail(writes == 1 ? Stage::Header : Stage::Page) ? -1 : write(fd, data, size);
        };
        const auto sync = access.sync;
        access.sync = [&](int fd) { return fail(Stage::Sync) ? -1 : sync(fd); };
        const auto close = access.close;
        access.close = [&](int fd) {
            const int result = close(fd);
            return fail(Stage::Close) ? -1 : result;
        };
        const auto rename = access.rename;
        access.rename = [&](const std::string& from, const std::string& to) {
            return fail(Stage::Rename) ? -1 : rename(from, to);
        };

        CRtfTempFile file(access);
        EXPECT_EQ(file.Open(target), c.open) << c.name;
        if (c.open == 1) {
            ApplyDocFormat(std::make_unique<CDocFormatNoMargt>());
            EXPECT_EQ(file.Healthy(), c.stage != Stage::Page) << c.name;
            EXPECT_EQ(file.CloseAndCopy(target), c.error) << c.name;
        } else {
            EXPECT_FALSE(file.IsOpen()) << c.name;
        }
        EXPECT_EQ(file.GetError(), c.error) << c.name;
        EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"报表.rtf"}) << c.name;
        EXPECT_EQ(testsupport::ReadAll(dir / "报表.rtf"), "an older report") << c.name;
    }
}

TEST_F(RtfTempFileTest, DroppedWithoutFinishingLeavesNoFile)
{
    {
        CRtfTempFile file;
        ASSERT_EQ(file.Open(target), 1);
        ApplyDocFormat(std::make_unique<CDocFormatNoMargt>());
    }
    EXPECT_TRUE(Entries(dir.Path()).empty());
    EXPECT_FALSE(CRtfWriter::GetInstance()->IsOpen());
}

// The temporary files a killed report left behind go when the next report into the
// same folder starts; only ours, and not those of a report still being written.
TEST_F(RtfTempFileTest, NextReportRemovesTheTemporaryFilesOfKilledReports)
{
    const std::string running = ".~ZVRtf" + std::to_string(::getpid()) + "-0badcafe.tmp";
    const std::vector<std::pair<std::string, bool>> entries = {
        {".~ZVRtf999999999-0badcafe.tmp", false},  // its process is gone
        {".~ZVRtf0badcafe.tmp", false},            // an older version's name
        {running, true},
        {".~ZVRtfnotes.tmp", true},                // not a name of ours
        {"报表.rtf", true},
    };
    for (const auto& [name, kept] : entries) {
        dir.Write(name, "partial");
    }
    CRtfTempFile file;
    ASSERT_EQ(file.Open(target), 1);
    const std::set<std::string> names = Entries(dir.Path());
    for (const auto& [name, kept] : entries) {
        EXPECT_EQ(names.count(name), kept ? 1u : 0u) << name;
    }
    file.Discard();
}

}  // namespace

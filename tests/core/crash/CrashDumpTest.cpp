#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "core/CrashDump.h"
#include "core/TimeText.h"
#include "platform/base/Encoding.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kZone = "Asia/Shanghai";  // the dump name is in local time, not UTC

struct ProbeRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the probe with its program folder in `programFolder`; output goes through
// files in a folder of its own so the program folder holds only what the probe made.
ProbeRun RunProbe(const std::string& mode, const fs::path& programFolder) {
    testsupport::TempDir outputs;
    const fs::path out = outputs / "out.txt";
    const fs::path err = outputs / "err.txt";
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("ONDRAVA_PROGRAM_DIR", programFolder.c_str(), 1);
        ::setenv("TZ", kZone, 1);
        const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(outFd, STDOUT_FILENO);
        ::dup2(errFd, STDERR_FILENO);
        ::execl(CRASH_PROBE_PATH, CRASH_PROBE_PATH, mode.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ProbeRun run;
    ::waitpid(child, &run.status, 0);
    run.out = testsupport::ReadAll(out);
    run.err = testsupport::ReadAll(err);
    return run;
}

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files.push_back(entry.path());
    }
    return files;
}

class CrashDumpTest : public testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", kZone, 1);
        ::tzset();
    }
    // The dump name for any second between the two times (the crash falls in between).
    static bool NamedByTheRule(const std::string& name, std::time_t from, std::time_t to) {
        for (std::time_t t = from; t <= to; ++t) {
            if (name == "CrashProbe" + platform::WideToUtf8(FormatTimeText(t, "_%Y_%m_%d_%H_%M_%S")) + ".dmp") {
                return true;
            }
        }
        return false;
    }
};

TEST_F(CrashDumpTest, EveryWayOfDyingLeavesADumpNamedByTheRule) {
    struct Case {
        const char* mode;
        const char* cause;
    };
    const Case cases[] = {
        {"segv", "Signal: 11 (SIGSEGV)\nAddress: 0x0\n"},
        {"overflow", "Signal: 11 (SIGSEGV)\n"},  // the handler has a stack of its own
        {"thread-overflow", "Signal: 11 (SIGSEGV)\n"},  // and so has a guarded worker
        {"abort", "Signal: 6 (SIGABRT)\n"},
        {"fpe", "Signal: 8 (SIGFPE)\n"},
        {"throw", "Reason: terminate called after an uncaught exception: probe failure\n"},
        {"thread-throw", "Reason: terminate called after an uncaught exception: probe failure\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        testsupport::TempDir folder;
        // The precise clock, as the handler reads it: time() may lag it by a tick.
        const std::time_t before = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
        const ProbeRun run = RunProbe(c.mode, folder.Path());
        const std::time_t after = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());

        ASSERT_TRUE(WIFEXITED(run.status)) << "status " << run.status;
        EXPECT_EQ(WEXITSTATUS(run.status), 255);  // exit code -1
        const auto files = FilesIn(folder.Path());
        ASSERT_EQ(files.size(), 1U);
        EXPECT_TRUE(NamedByTheRule(files[0].filename().string(), before, after)) << files[0];
        EXPECT_EQ(run.err, platform::WideToUtf8(CCrashDump::ReportText(platform::FromPath(files[0]))) + "\n");

        const std::string dump = testsupport::ReadAll(files[0]);
        EXPECT_EQ(dump.rfind("CrashProbe crashed\n", 0), 0U) << dump.substr(0, 200);
        EXPECT_NE(dump.find(c.cause), std::string::npos) << dump.substr(0, 300);
        const std::size_t backtrace = dump.find("\nBacktrace:\n");
        const std::size_t map = dump.find("\nMemory map:\n");
        ASSERT_NE(backtrace, std::string::npos);
        ASSERT_NE(map, std::string::npos);
        EXPECT_LT(backtrace, map);
        EXPECT_NE(dump.find("libondrava_core.so", backtrace), std::string::npos) << "no handler frame in the backtrace";
        EXPECT_NE(dump.find("crash_probe\n", map), std::string::npos) << "no probe mapping in the memory map";
    }
}

TEST_F(CrashDumpTest, TheNextStartReportsEachDumpOnce) {
    testsupport::TempDir folder;
    const ProbeRun crash = RunProbe("segv", folder.Path());
    ASSERT_EQ(FilesIn(folder.Path()).size(), 1U);
    const fs::path dump = FilesIn(folder.Path())[0];
    // Not dumps of this program, or not named by the rule: never reported.
    folder.Write("Other_2026_12_09_10_15_00.dmp", "x");
    folder.Write("CrashProbe_2026_12_09_10_15.dmp", "x");
    folder.Write("CrashProbe_2026_12_09_10_15_00.txt", "x");

    const std::string expected = platform::WideToUtf8(CCrashDump::ReportText(platform::FromPath(dump))) + "\n";
    EXPECT_EQ(RunProbe("report", folder.Path()).out, expected);
    EXPECT_EQ(RunProbe("report", folder.Path()).out, "");

    // A later dump is reported alone.
    const fs::path older = folder.Write("CrashProbe_2020_01_02_03_04_05.dmp", "earlier dump");
    EXPECT_EQ(RunProbe("report", folder.Path()).out,
              platform::WideToUtf8(CCrashDump::ReportText(platform::FromPath(older))) + "\n");
    EXPECT_EQ(RunProbe("report", folder.Path()).out, "");
}

TEST_F(CrashDumpTest, AFolderThatCannotTakeTheDumpIsNamedWithTheErrorAndTheProcessStillEnds) {
    testsupport::TempDir dir;
    dir.Write("plain-file", "");
    const fs::path folder = dir / "plain-file/sub";  // can never be made, even by root
    const ProbeRun run = RunProbe("segv", folder);
    ASSERT_TRUE(WIFEXITED(run.status));
    EXPECT_EQ(WEXITSTATUS(run.status), 255);
    EXPECT_EQ(run.err.rfind("Failed to create dump file '" + folder.string() + "/CrashProbe_", 0), 0U) << run.err;
    EXPECT_NE(run.err.find(".dmp' (error 20)\n"), std::string::npos) << run.err;  // ENOTDIR
}

}  // namespace

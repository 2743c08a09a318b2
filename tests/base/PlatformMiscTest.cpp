#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <thread>

#include "platform/base/DynamicLibrary.h"
#include "platform/base/Hourglaze.h"
#include "platform/base/LocalTime.h"
#include "platform/base/MemoryStatus.h"
#include "platform/base/ProgramFolder.h"
#include "platform/base/UserFolders.h"
#include "tests/support/TempDir.h"

namespace {

TEST(ProgramFolder, FollowsTheTestOverride) {
    const char* overridden = std::getenv(platform::kProgramFolderVariable);
    ASSERT_NE(overridden, nullptr) << "CTest gives each test its own program folder";
    EXPECT_EQ(platform::ProgramFolder(), std::filesystem::path(overridden));
    EXPECT_TRUE(std::filesystem::is_directory(platform::ProgramFolder()));
    EXPECT_TRUE(std::filesystem::exists(platform::ExecutablePath()));
}

TEST(LocalTime, RoundTripsAndFormatsInTheGivenZone) {
    ::setenv("TZ", "Asia/Shanghai", 1);
    ::tzset();
    const auto value = platform::FromLocalTime(2026, 12, 9, 10, 15, 0);
    ASSERT_TRUE(value);
    EXPECT_EQ(*value, 1796782500);  // 02:15 UTC
    EXPECT_EQ(platform::FormatLocalTime(*value, L"%Y-%m-%d  %H:%M:%S >> "), L"2026-12-09  10:15:00 >> ");
    EXPECT_EQ(platform::FormatLocalTime(*value, L"%Y", 4), L"");  // does not fit with its terminator
    EXPECT_EQ(platform::FormatLocalTime(*value, L""), L"");

    // Fields read from files may hold anything; they must not overflow on the way in.
    EXPECT_FALSE(platform::FromLocalTime(INT_MIN, 1, 1, 0, 0, 0));
    EXPECT_FALSE(platform::FromLocalTime(2026, INT_MIN, 1, 0, 0, 0));
}

TEST(DynamicLibrary, LoadsFindsAndReportsFailures) {
    platform::DynamicLibrary math("libm.so.6");
    ASSERT_TRUE(math.IsLoaded()) << math.Error();
    EXPECT_NE(math.Symbol("cos"), nullptr);
    EXPECT_EQ(math.Symbol("no_such_symbol"), nullptr);

    platform::DynamicLibrary missing("/nonexistent/libTracelume.so");
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_FALSE(missing.Error().empty());
    EXPECT_EQ(missing.Symbol("CreateTracelume"), nullptr);
}

TEST(MemoryStatus, ReportsPlausibleFigures) {
    const platform::MemoryStatus status = platform::GetMemoryStatus();
    EXPECT_GT(status.totalPhysical, 0u);
    EXPECT_GT(status.availablePhysical, 0u);
    EXPECT_LE(status.availablePhysical, status.totalPhysical);
}

TEST(Hourglaze, HeadlessIndicatorRecordsWhatAWorkerTellsIt) {
    auto& recorder = platform::HeadlessHourglaze();
    recorder.Reset();
    StartHourglaze(nullptr);
    std::thread worker([] {
        NotifyHourglaze(L"正在加载数据");
        UpdateHourglaze(40.0);
        IncreaseHourglaze(2.5);
        UpdateHourglaze(GetPosHourglaze() + 200.0);
        EndHourglaze();
    });
    worker.join();
    const auto state = recorder.Get();
    EXPECT_EQ(state.starts, 1);
    EXPECT_EQ(state.ends, 1);
    EXPECT_EQ(state.positions, (std::vector<double>{40.0, 42.5, 100.0}));
    EXPECT_EQ(state.notes, std::vector<std::wstring>{L"正在加载数据"});
}


TEST(UserFolders, TheDocumentsFolderIsTheDesktopsOrItsUsualPlace) {
    struct Case {
        const char* name;
        const char* userDirs;  // user-dirs.dirs, null for none
        bool documentsExists;
        const char* expected;  // below the home folder; "" is the home folder itself
    };
    const Case cases[] = {
        {"named by the desktop", "XDG_DOCUMENTS_DIR=\"$HOME/文档\"\n", false, "文档"},
        {"an absolute name", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"@HOME@/Papers\"\n", false, "Papers"},
        {"the home folder means none", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n", true, "Documents"},
        {"named but missing", "XDG_DOCUMENTS_DIR=\"$HOME/Gone\"\n", true, "Documents"},
        {"no configuration", nullptr, true, "Documents"},
        {"nothing at all", nullptr, false, ""},
    };
    const std::string oldHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string savedConfig = oldConfig != nullptr ? oldConfig : "";
    ::unsetenv("XDG_CONFIG_HOME");
    for (const Case& c : cases) {
        testsupport::TempDir home;
        const std::string homeText = home.Path().string();
        ::setenv("HOME", homeText.c_str(), 1);
        std::filesystem::create_directories(home / "文档");
        std::filesystem::create_directories(home / "Papers");
        if (c.documentsExists) {
            std::filesystem::create_directories(home / "Documents");
        }
        if (c.userDirs != nullptr) {
            std::string text = c.userDirs;
            if (const auto at = text.find("@HOME@"); at != std::string::npos) {
                text.replace(at, 6, homeText);
            }
            home.Write(".config/user-dirs.dirs", text);
        }
        EXPECT_EQ(platform::DocumentsFolder(), std::string(c.expected).empty() ? home.Path() : home / c.expected) << c.name;
    }
    ::setenv("HOME", oldHome.c_str(), 1);
    if (oldConfig != nullptr) {
        ::setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
    }
}

}  // namespace

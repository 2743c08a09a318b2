#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/base/Launcher.h"
#include "tests/support/TempDir.h"

namespace {

// The started program runs on its own; wait a while for its work to show.
bool AppearsSoon(const std::filesystem::path& file) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!std::filesystem::exists(file)) {
        if (std::chrono::steady_clock::now() > limit) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

TEST(Launcher, ArgumentsReachTheProgramAsGiven) {
    testsupport::TempDir dir;
    const std::vector<std::string> names = {"a b;c", "$(echo x)", "'q\"", "-n"};
    std::vector<std::string> arguments = {"--"};
    for (const std::string& name : names) {
        arguments.push_back((dir.Path() / name).string());
    }
    ASSERT_TRUE(platform::StartProgram("touch", arguments));
    for (const std::string& name : names) {
        EXPECT_TRUE(AppearsSoon(dir.Path() / name)) << name;
    }
}

TEST(Launcher, MissingProgramsAreReported) {
    EXPECT_FALSE(platform::StartProgram("ondrava-no-such-program", {}));
    EXPECT_FALSE(platform::StartProgram("/nonexistent/folder/program", {}));
    EXPECT_FALSE(platform::StartProgram("", {}));
}

TEST(Launcher, AHookSeesWhatWouldStart) {
    std::vector<std::string> seen;
    const platform::ProgramStarter previous =
        platform::SetProgramStarter([&](const std::string& program, const std::vector<std::string>& arguments) {
            seen.push_back(program);
            seen.insert(seen.end(), arguments.begin(), arguments.end());
            return false;
        });
    EXPECT_FALSE(platform::StartProgram("xdg-open", {"http://example.org/"}));
    EXPECT_EQ(seen, (std::vector<std::string>{"xdg-open", "http://example.org/"}));
    platform::SetProgramStarter(previous);
    EXPECT_FALSE(platform::StartProgram("ondrava-no-such-program", {}));
    EXPECT_EQ(seen.size(), 2u);
}

}  // namespace

// Starting other programs: each argument arrives as one argument, whatever it
// holds, and the end of the child is told as success or failure.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/base/Process.h"

namespace {

platform::ProcessState WaitForEnd(pid_t child) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    platform::ProcessState state = platform::ProcessState::Running;
    while ((state = platform::PollProcess(child)) == platform::ProcessState::Running &&
           std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return state;
}

TEST(Process, StartsWithEachArgumentWholeAndTellsHowItEnded) {
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        platform::ProcessState end;
    };
    // sh -c SCRIPT NAME ARG: the script sees ARG as $1 and the count in $#.
    const Case cases[] = {
        {"success", {"-c", "exit 0"}, platform::ProcessState::Succeeded},
        {"failure", {"-c", "exit 4"}, platform::ProcessState::Failed},
        {"blanks and a semicolon stay one argument",
         {"-c", "[ \"$#\" = 1 ] && [ \"$1\" = 'a b;c' ]", "sh", "a b;c"},
         platform::ProcessState::Succeeded},
        {"shell characters are not interpreted",
         {"-c", "[ \"$#\" = 1 ] && [ \"$1\" = '$(false)`x`*' ]", "sh", "$(false)`x`*"},
         platform::ProcessState::Succeeded},
    };
    for (const Case& row : cases) {
        const auto child = platform::StartProcess("sh", row.arguments);
        ASSERT_TRUE(child) << row.name;
        EXPECT_EQ(WaitForEnd(*child), row.end) << row.name;
        EXPECT_EQ(platform::PollProcess(*child), platform::ProcessState::Failed) << row.name << ": gone once ended";
    }
}

TEST(Process, AProgramThatIsNotThereDoesNotStart) {
    EXPECT_FALSE(platform::StartProcess("ondrava-no-such-program", {}));
    EXPECT_FALSE(platform::StartProcess("/nonexistent/folder/program", {"x"}));
}

}  // namespace

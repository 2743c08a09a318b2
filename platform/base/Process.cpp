#include "platform/base/Process.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace platform {

std::optional<pid_t> StartProcess(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> copies;
    copies.reserve(arguments.size() + 1);
    copies.push_back(program);
    copies.insert(copies.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return std::nullopt;
    }
    // The child inherits none of our files (the display connection, the log).
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    pid_t child = 0;
    const bool started = posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return started ? std::optional<pid_t>(child) : std::nullopt;
}

ProcessState PollProcess(pid_t child) {
    int status = 0;
    const pid_t answer = ::waitpid(child, &status, WNOHANG);
    if (answer == 0) {
        return ProcessState::Running;
    }
    if (answer == child && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        return ProcessState::Succeeded;
    }
    return ProcessState::Failed;
}

}  // namespace platform

#include "app/ProgramStart.h"

#include <spawn.h>
#include <sys/types.h>

#include "platform/base/Encoding.h"

extern char** environ;

bool StartProgram(const std::wstring& executable) {
    std::string path = platform::WideToUtf8(executable);
    char* const arguments[] = {path.data(), nullptr};
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return false;
    }
    // The new process inherits none of our files (the display connection, the log).
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    pid_t child = 0;
    // Nothing waits for the child: once we end, the system reaps it.
    const bool started = posix_spawn(&child, path.c_str(), &actions, nullptr, arguments, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return started;
}

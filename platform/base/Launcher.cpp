#include "platform/base/Launcher.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

extern char** environ;

namespace platform {
namespace {

std::mutex& StarterLock() {
    static std::mutex lock;
    return lock;
}

ProgramStarter& Starter() {
    static ProgramStarter starter;
    return starter;
}

bool IsExecutableFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// The program's file: as given when it holds a '/', else the first match on PATH.
std::string FindProgram(const std::string& program) {
    if (program.empty()) {
        return {};
    }
    if (program.find('/') != std::string::npos) {
        return IsExecutableFile(program) ? program : std::string();
    }
    const char* path = std::getenv("PATH");
    const std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.size(), folders.find(':', start));
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        const std::string candidate = folder + "/" + program;
        if (IsExecutableFile(candidate)) {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

bool StartDetached(const std::string& file, const std::vector<std::string>& arguments) {
    // A short-lived shell starts the program in the background and ends at once, so
    // the program is never left behind as a zombie of ours. The program and its
    // arguments are the shell's positional parameters: none of them is parsed.
    std::vector<std::string> words = {"sh", "-c", "\"$0\" \"$@\" </dev/null >/dev/null 2>&1 &", file};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t shell = 0;
    if (::posix_spawn(&shell, "/bin/sh", nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    while (::waitpid(shell, &status, 0) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) {
    ProgramStarter hook;
    {
        std::lock_guard guard(StarterLock());
        hook = Starter();
    }
    if (hook) {
        return hook(program, arguments);
    }
    const std::string file = FindProgram(program);
    return !file.empty() && StartDetached(file, arguments);
}

ProgramStarter SetProgramStarter(ProgramStarter starter) {
    std::lock_guard guard(StarterLock());
    ProgramStarter previous = std::move(Starter());
    Starter() = std::move(starter);
    return previous;
}

}  // namespace platform

#include "tests/device/DeviceTestSupport.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

extern char** environ;

namespace fs = std::filesystem;

namespace devicetest {

FtpServerProcess::FtpServerProcess(const fs::path& root, std::vector<std::string> options) {
    int input[2] = {-1, -1};
    int output[2] = {-1, -1};
    if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0) {
        return;
    }
    std::vector<std::string> args = {ONDRAVA_TEST_PYTHON, std::string(ONDRAVA_SOURCE_DIR) + "/tests/device/ftp_server.py",
                                     "--root", platform::PathToUtf8(root)};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(input[0]);
    ::close(output[1]);
    m_stdin = input[1];
    if (spawned != 0) {
        ::close(output[0]);
        return;
    }
    m_pid = pid;
    std::string line;
    pollfd watched{output[0], POLLIN, 0};
    while (line.find('\n') == std::string::npos && ::poll(&watched, 1, 10000) > 0) {
        char buffer[64];
        const ssize_t n = ::read(output[0], buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        line.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(output[0]);
    m_port = static_cast<std::uint16_t>(std::atoi(line.c_str()));
}

FtpServerProcess::~FtpServerProcess() {
    if (m_stdin >= 0) {
        ::close(m_stdin);
    }
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
    }
}

std::vector<std::string> TreeListing(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        names.push_back(platform::PathToUtf8(fs::relative(it->path(), folder)));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string CompareTrees(const fs::path& expected, const fs::path& actual, const std::vector<std::string>& ignored) {
    const std::vector<std::string> want = TreeListing(expected);
    std::vector<std::string> got = TreeListing(actual);
    std::erase_if(got, [&](const std::string& name) {
        const std::string top = name.substr(0, name.find('/'));
        return std::find(ignored.begin(), ignored.end(), top) != ignored.end();
    });
    if (want != got) {
        std::string text = "listings differ:";
        for (const std::string& name : want) {
            if (std::find(got.begin(), got.end(), name) == got.end()) {
                text += " missing " + name;
            }
        }
        for (const std::string& name : got) {
            if (std::find(want.begin(), want.end(), name) == want.end()) {
                text += " extra " + name;
            }
        }
        return text;
    }
    for (const std::string& name : want) {
        const fs::path a = expected / platform::ToPath(name);
        if (fs::is_directory(a)) {
            continue;
        }
        if (platform::ReadFileBytes(a) != platform::ReadFileBytes(actual / platform::ToPath(name))) {
            return "bytes differ: " + name;
        }
    }
    return {};
}

int ScriptedProgress::Run(Task task, void* argument, std::atomic<std::int32_t>* cancel, std::uint64_t totalSteps) {
    total = totalSteps;
    m_cancel = cancel;
    task(argument);
    m_cancel = nullptr;
    return m_cancelled ? 2 : 1;
}

void ScriptedProgress::Step() {
    ++steps;
    if (m_cancelAt != 0 && steps == m_cancelAt && m_cancel != nullptr) {
        m_cancel->store(1);
        m_cancelled = true;
    }
}

void UseUtc() {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
}

}  // namespace devicetest

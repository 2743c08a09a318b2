#include "tests/journey/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace journey {
namespace {

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra) {
    std::map<std::string, std::string> merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        merged[text.substr(0, text.find('='))] = text;
    }
    for (const std::string& text : extra) {
        merged[text.substr(0, text.find('='))] = text;
    }
    std::vector<std::string> result;
    for (const auto& [name, text] : merged) {
        result.push_back(text);
    }
    return result;
}

}  // namespace

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment, const std::filesystem::path& output) {
    std::vector<std::string> argv{program.string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const std::vector<std::string> env = MergedEnvironment(environment);
    std::vector<char*> argPointers;
    for (const std::string& text : argv) {
        argPointers.push_back(const_cast<char*>(text.c_str()));
    }
    argPointers.push_back(nullptr);
    std::vector<char*> envPointers;
    for (const std::string& text : env) {
        envPointers.push_back(const_cast<char*>(text.c_str()));
    }
    envPointers.push_back(nullptr);
    const int log = ::open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (log < 0) {
        throw std::runtime_error("cannot open " + output.string());
    }
    m_pid = ::fork();
    if (m_pid == 0) {
        // A journey that dies (a timeout, a crash) takes its server and program along.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        ::setpgid(0, 0);
        ::dup2(log, STDOUT_FILENO);
        ::dup2(log, STDERR_FILENO);
        const int nothing = ::open("/dev/null", O_RDONLY);
        ::dup2(nothing, STDIN_FILENO);
        ::execve(argPointers[0], argPointers.data(), envPointers.data());
        ::_exit(127);
    }
    ::close(log);
    if (m_pid < 0) {
        throw std::runtime_error("cannot start " + program.string() + ": " + std::strerror(errno));
    }
}

ChildProcess::~ChildProcess() {
    if (!Running()) {
        return;
    }
    Signal(SIGTERM);
    if (!WaitForExit(std::chrono::seconds(3))) {
        Signal(SIGKILL);
        WaitForExit(std::chrono::seconds(3));
    }
}

bool ChildProcess::Running() {
    if (m_status || m_pid <= 0) {
        return false;
    }
    int status = 0;
    if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return false;
    }
    return true;
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (Running() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return m_status;
}

void ChildProcess::Signal(int signal) const {
    if (m_pid > 0 && !m_status) {
        ::kill(m_pid, signal);
    }
}

}  // namespace journey

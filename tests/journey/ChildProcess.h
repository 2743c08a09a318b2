#pragma once
// A program the journey starts: its own environment and its output into a file.
// The object ends the program (SIGTERM, then SIGKILL) if it still runs when it goes,
// and the program ends with the test process if that dies first.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace journey {

class ChildProcess {
public:
    // `environment` entries ("NAME=value") replace or add to the test's own.
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment, const std::filesystem::path& output);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return m_pid; }
    bool Running();
    // Waits for the end; the exit status (or 128 + signal) when it came in time.
    std::optional<int> WaitForExit(std::chrono::milliseconds limit);
    void Signal(int signal) const;

private:
    pid_t m_pid = -1;
    std::optional<int> m_status;
};

}  // namespace journey

#pragma once
// Helpers of the device tests: the FTP server script run as a child process,
// byte-for-byte comparison of folder trees, and a progress runner that can cancel.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "device/ProgressRunner.h"

namespace devicetest {

// tests/device/ftp_server.py serving a folder on a free loopback port. The
// server ends when this object goes (or with the test process).
class FtpServerProcess {
public:
    explicit FtpServerProcess(const std::filesystem::path& root, std::vector<std::string> options = {});
    ~FtpServerProcess();
    FtpServerProcess(const FtpServerProcess&) = delete;
    FtpServerProcess& operator=(const FtpServerProcess&) = delete;

    // 0 when the server did not start.
    std::uint16_t Port() const { return m_port; }

private:
    int m_pid = -1;
    int m_stdin = -1;
    std::uint16_t m_port = 0;
};

// Empty when both trees hold the same files with the same bytes; else the first
// difference. Entries of actual below the ignored top-level names are not compared.
std::string CompareTrees(const std::filesystem::path& expected, const std::filesystem::path& actual,
                         const std::vector<std::string>& ignored = {});

// The relative paths of everything below the folder, sorted.
std::vector<std::string> TreeListing(const std::filesystem::path& folder);

// Runs the task inline and asks it to stop at the given step (0: never); counts
// steps and keeps the messages.
class ScriptedProgress : public IProgressRunner {
public:
    explicit ScriptedProgress(std::uint64_t cancelAtStep = 0) : m_cancelAt(cancelAtStep) {}
    int Run(Task task, void* argument, std::atomic<std::int32_t>* cancel, std::uint64_t total) override;
    void SetMessage(const std::wstring& text) override { messages.push_back(text); }
    void Step() override;

    std::uint64_t steps = 0;
    std::uint64_t total = 0;
    std::vector<std::wstring> messages;

private:
    std::uint64_t m_cancelAt;
    std::atomic<std::int32_t>* m_cancel = nullptr;
    bool m_cancelled = false;
};

// Sets TZ for the test process (file times and record times are compared).
void UseUtc();

}  // namespace devicetest

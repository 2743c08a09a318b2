#pragma once
// Shared pieces of the terminal tests: the program folder prepared once per process
// (so the log file stays where the tests read it), log-line counting, and loading a
// generated folder into a trend reader.

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/base/MemoryStatus.h"
#include "terminal/DataFileLoader.h"
#include "terminal/K7700ZVViewAnalysis.h"
#include "tools/gen/StatisticFolder.h"

namespace terminaltest {

// Lines of the program's log written since construction.
class LogWatch {
public:
    LogWatch();
    int NewLines() const;
    std::string NewText() const;

private:
    std::size_t m_start;
};

// Query words for records [first, first + count).
std::array<std::uint32_t, 10> QueryWords(std::uint32_t first, std::uint32_t count);

// A loader whose memory figures say "no room", so it streams.
class StreamingLoader : public CDataFileLoader {
protected:
    platform::MemoryStatus QueryMemoryStatus() const override;
};

// A loader that the system gives no mapping for the cache.
class FailingAllocationLoader : public CDataFileLoader {
protected:
    platform::MappedRegion MapFilePart(const std::filesystem::path& path, std::uint64_t offset,
                                       std::uint64_t length) override;
};

// A trend reader that can be given another loader.
class TrendReader : public CK7700ZVViewAnalysis {
public:
    explicit TrendReader(std::uint32_t useDataFiles = 1, bool streaming = false);
    void UseLoader(std::unique_ptr<CDataFileLoader> loader) { SetLoader(std::move(loader)); }
};

std::wstring Wide(const std::filesystem::path& path);

// A memory figure of this process from /proc/self/status ("VmRSS", "VmHWM",
// "RssAnon"), in bytes; 0 when the system does not give it.
std::uint64_t ProcessMemory(const char* field);
// Starts the process's peak resident memory anew from what it holds now; false
// when the system cannot.
bool ResetPeakMemory();

// A loader that sees the memory figures it is given.
class MemoryFiguresLoader : public CDataFileLoader {
public:
    explicit MemoryFiguresLoader(platform::MemoryStatus figures) : m_figures(figures) {}

protected:
    platform::MemoryStatus QueryMemoryStatus() const override { return m_figures; }

private:
    platform::MemoryStatus m_figures;
};

}  // namespace terminaltest

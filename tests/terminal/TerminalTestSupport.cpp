#include "TerminalTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <new>
#include <sstream>

#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "tests/support/ProgramFolderFixture.h"

namespace terminaltest {

namespace {

// Fills the program folder (itemInfo.ini, language files) before any test writes to
// the log, which is opened once per process.
class ProgramFolderEnvironment : public ::testing::Environment {
public:
    void SetUp() override { testsupport::PrepareProgramFolder(); }
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new ProgramFolderEnvironment);

std::string LogText()
{
    std::ifstream in(platform::ProgramFolder() / "OndravaLog.log", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

LogWatch::LogWatch() : m_start(LogText().size()) {}

std::string LogWatch::NewText() const
{
    const std::string text = LogText();
    return text.size() > m_start ? text.substr(m_start) : std::string();
}

int LogWatch::NewLines() const
{
    int lines = 0;
    for (char c : NewText()) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

std::array<std::uint32_t, 10> QueryWords(std::uint32_t first, std::uint32_t count)
{
    return {first, 0, first + count, 0, count, 0, 0, 0, 0, 0};
}

platform::MemoryStatus StreamingLoader::QueryMemoryStatus() const
{
    platform::MemoryStatus status;
    status.availablePhysical = 1;
    status.totalPhysical = 100;
    return status;
}

platform::MappedRegion FailingAllocationLoader::MapFilePart(const std::filesystem::path&, std::uint64_t,
                                                            std::uint64_t)
{
    throw std::bad_alloc();
}

TrendReader::TrendReader(std::uint32_t useDataFiles, bool streaming) : CK7700ZVViewAnalysis(useDataFiles)
{
    if (streaming) {
        SetLoader(std::make_unique<StreamingLoader>());
    }
}

std::uint64_t ProcessMemory(const char* field)
{
    std::ifstream status("/proc/self/status");
    const std::string key = std::string(field) + ":";
    for (std::string line; std::getline(status, line);) {
        if (line.compare(0, key.size(), key) == 0) {
            std::istringstream value(line.substr(key.size()));
            std::uint64_t kilobytes = 0;
            value >> kilobytes;
            return kilobytes * 1024;
        }
    }
    return 0;
}

bool ResetPeakMemory()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

std::wstring Wide(const std::filesystem::path& path)
{
    return platform::FromPath(path);
}

}  // namespace terminaltest

#include <gtest/gtest.h>

#include <chrono>
#include <cctype>
#include <cstdio>
#include <unistd.h>
#include <string>
#include <thread>
#include <vector>

#include "core/LogFile.h"
#include "core/OndravaLog.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "tests/support/TempDir.h"

namespace {

// Splits at CR LF; a trailing piece without CR LF is kept so a torn line shows.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

// The text after the dated prefix "YYYY-MM-DD  hh:mm:ss >> ".
std::string TextOf(const std::string& line) {
    constexpr std::string_view kShape = "0000-00-00  00:00:00 >> ";
    bool shaped = line.size() >= kShape.size();
    for (std::size_t i = 0; shaped && i < kShape.size(); ++i) {
        shaped = kShape[i] == '0' ? std::isdigit(static_cast<unsigned char>(line[i])) != 0 : line[i] == kShape[i];
    }
    if (!shaped) {
        ADD_FAILURE() << "line without the dated prefix: " << line;
        return {};
    }
    return line.substr(kShape.size());
}

std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The shared program-folder log outlives test runs: each run looks for its own words.
std::string UniqueWords(const char* what) {
    return std::string(what) + " " + std::to_string(::getpid()) + "-" +
           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
}

TEST(LogFile, WritesDatedUtf8LinesAndKeepsEarlierOnesOnReopen) {
    testsupport::TempDir dir;
    const auto file = dir / "OndravaLog.log";
    {
        CLogFile log(file);
        ASSERT_TRUE(log.IsOpen());
        log.Write(L"first");
        log.Write(L"");
    }
    {
        CLogFile log(file);  // the next start of the program
        log.Write(L"电压 ü €");
    }
    const std::string text = testsupport::ReadAll(file);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    const auto lines = Lines(text);
    ASSERT_EQ(lines.size(), 3U) << text;
    EXPECT_EQ(TextOf(lines[0]), "first");
    EXPECT_EQ(TextOf(lines[1]), "");
    EXPECT_EQ(TextOf(lines[2]), platform::WideToUtf8(L"电压 ü €"));
}

TEST(LogFile, LinesFromEightThreadsAreWholeAndInCallOrder) {
    testsupport::TempDir dir;
    const auto file = dir / "OndravaLog.log";
    constexpr int kThreads = 8;
    constexpr int kLines = 250;
    {
        CLogFile log(file);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&log, t] {
                for (int i = 0; i < kLines; ++i) {
                    log.Write(L"thread " + std::to_wstring(t) + L" line " + std::to_wstring(i) +
                              L" 数据数据数据数据数据数据数据数据数据数据数据数据数据数据");
                }
            });
        }
        for (auto& thread : threads) {
            thread.join();
        }
    }
    const auto lines = Lines(testsupport::ReadAll(file));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kLines));
    const std::string tail = " " + platform::WideToUtf8(L"数据数据数据数据数据数据数据数据数据数据数据数据数据数据");
    std::vector<int> next(kThreads, 0);
    for (const auto& line : lines) {
        const std::string text = TextOf(line);
        int thread = -1;
        int index = -1;
        int consumed = 0;
        ASSERT_EQ(std::sscanf(text.c_str(), "thread %d line %d%n", &thread, &index, &consumed), 2) << line;
        ASSERT_TRUE(thread >= 0 && thread < kThreads) << line;
        EXPECT_EQ(text.substr(static_cast<std::size_t>(consumed)), tail) << line;
        EXPECT_EQ(index, next[thread]++) << "thread " << thread << " out of order";
    }
}

TEST(LogFile, IgnoresWritesWhenTheFileCannotBeOpenedOrHasAnotherWriter) {
    testsupport::TempDir dir;
    // A folder where the file should be stands for any open failure (the tests may run as root).
    std::filesystem::create_directory(dir / "blocked.log");
    CLogFile blocked(dir / "blocked.log");
    EXPECT_FALSE(blocked.IsOpen());
    blocked.Write(L"dropped");

    const auto file = dir / "shared.log";
    CLogFile owner(file);
    CLogFile second(file);  // as a second instance of the program would
    EXPECT_TRUE(owner.IsOpen());
    EXPECT_FALSE(second.IsOpen());
    second.Write(L"from the second writer");
    owner.Write(L"from the owner");
    const auto lines = Lines(testsupport::ReadAll(file));
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(TextOf(lines[0]), "from the owner");

    owner.Close();
    owner.Write(L"after close");
    EXPECT_EQ(Lines(testsupport::ReadAll(file)).size(), 1U);
}

TEST(OndravaLog, OneInstanceForAllThreadsWritingToTheProgramFolder) {
    std::vector<COndravaLog*> seen(8, nullptr);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&seen, i] { seen[i] = COndravaLog::GetInstance(); });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    for (COndravaLog* log : seen) {
        EXPECT_EQ(log, seen[0]);
    }
    ASSERT_NE(seen[0], nullptr);
    const std::string words = UniqueWords("singleton");
    seen[0]->Write(platform::Utf8ToWide(words));
    EXPECT_EQ(CountOf(testsupport::ReadAll(platform::ProgramFolder() / "OndravaLog.log"), words), 1U);
}

// Release runs in a child process so that the log stays usable for the other tests.
TEST(OndravaLogDeathTest, WritesAfterReleaseAreIgnored) {
    const auto file = platform::ProgramFolder() / "OndravaLog.log";
    const std::string before = UniqueWords("before release");
    const std::string after = UniqueWords("after release");
    EXPECT_EXIT(
        {
            COndravaLog* held = COndravaLog::GetInstance();
            held->Write(platform::Utf8ToWide(before));
            COndravaLog::Release();
            held->Write(platform::Utf8ToWide(after));
            COndravaLog::GetInstance()->Write(platform::Utf8ToWide(after));
            COndravaLog::Release();
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
    const std::string text = testsupport::ReadAll(file);
    EXPECT_EQ(CountOf(text, before), 1U);
    EXPECT_EQ(CountOf(text, after), 0U);
}

}  // namespace

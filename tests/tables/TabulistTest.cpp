#include <gtest/gtest.h>

#include <bit>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "lib/tables/Tabulist.h"
#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"
#include "tests/support/ProgramFolderFixture.h"
#include "tests/support/TempDir.h"
#include "tests/support/WriteFault.h"
#include "tests/tables/TablesTestSupport.h"

namespace {

using tablestest::ChinaTime;
using tablestest::Row;
using tablestest::SaveTables;
using tablestest::TableSpec;

// The shipped language files in the test's program folder, China Standard Time, and
// the library's text table made before any test can move the program folder.
class TablesEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        testsupport::PrepareProgramFolder();
        tablestest::UseChinaTime();
        if (ITable* table = Tabulist_CreateTable(L"start", {L"x"})) {
            table->Release();
        }
    }
};
[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new TablesEnvironment);

// stem + "_HH-MM-SS" + rest, as a save names its file.
bool IsSavedName(const std::string& name, const std::string& stem, const std::string& rest) {
    const std::string clock = "_00-00-00";
    if (name.size() != stem.size() + clock.size() + rest.size() || name.compare(0, stem.size(), stem) != 0 ||
        name.compare(stem.size() + clock.size(), rest.size(), rest) != 0) {
        return false;
    }
    for (std::size_t i = 0; i < clock.size(); ++i) {
        const char c = name[stem.size() + i];
        if (clock[i] == '0' ? (c < '0' || c > '9') : c != clock[i]) {
            return false;
        }
    }
    return true;
}

std::string Readable(const std::string& gbk) { return platform::WideToUtf8(platform::GbkToWide(gbk)); }

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    return lines;
}

// Three tables covering the time rounding, empty cells, wide values, a Chinese
// column name and a table without rows.
std::vector<TableSpec> GoldenTables() {
    const float empty = kTabulistEmptyCell;
    return {
        {L"Load",
         {L"Ua", L"Ub"},
         false,
         {
             {ChinaTime(2024, 3, 5, 14, 7, 9, 120'000'000), {230.125f, empty}},
             {ChinaTime(2024, 3, 5, 12, 0, 0, 999'500'000), {-1.5f, 0.0f}},  // rounds into the next second
             {ChinaTime(2024, 3, 5, 23, 59, 59, 999'600'000), {1e6f, 12.3456f}},  // ... and the next day
             {ChinaTime(2024, 3, 5, 8, 0, 0, 499'999), {0.001f, -0.0001f}},  // 499 microseconds stay down
         }},
        {L"Fast",
         {L"L1", L"电压"},
         true,
         {
             {ChinaTime(2024, 3, 5, 12, 0, 0, 999'500'000), {1.5f, 1e15f}},
             {ChinaTime(2024, 3, 5, 12, 0, 1, 1'999), {123456789012.0f, empty}},
         }},
        {L"Empty", {L"X"}, false, {}},
    };
}

struct GoldenCase {
    const char* name;
    int format;
    const char* golden;
    const char* extension;
};

class TabulistGoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(TabulistGoldenTest, FileMatchesHandWrittenGolden) {
    const GoldenCase& c = GetParam();
    testsupport::TempDir folder;
    const std::filesystem::path saved = SaveTables(GoldenTables(), folder.Path(), c.format);
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(tablestest::FilesIn(folder.Path()), std::vector<std::filesystem::path>{saved});
    EXPECT_TRUE(IsSavedName(saved.filename().string(), "out", c.extension)) << saved;

    const std::string expected =
        testsupport::ReadAll(std::filesystem::path(ONDRAVA_SOURCE_DIR) / "tests/tables/golden" / c.golden);
    ASSERT_FALSE(expected.empty()) << c.golden;
    const std::string actual = testsupport::ReadAll(saved);
    const std::vector<std::string> expectedLines = Lines(expected);
    const std::vector<std::string> actualLines = Lines(actual);
    for (std::size_t i = 0; i < std::min(expectedLines.size(), actualLines.size()); ++i) {
        EXPECT_EQ(Readable(actualLines[i]), Readable(expectedLines[i])) << c.name << " line " << i + 1;
    }
    EXPECT_EQ(actualLines.size(), expectedLines.size()) << c.name;
    EXPECT_TRUE(actual == expected) << c.name << ": bytes differ";
}

INSTANTIATE_TEST_SUITE_P(Formats, TabulistGoldenTest,
                         ::testing::Values(GoldenCase{"csv", kTabulistCsv, "tables.csv", ".csv"},
                                           GoldenCase{"txt", kTabulistText, "tables.txt", ".txt"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TabulistCreateTableTest, RefusesBadHeaders) {
    struct Case {
        const char* name;
        std::wstring table;
        std::vector<std::wstring> columns;
        bool accepted;
    };
    const Case cases[] = {
        {"plain", L"T", {L"Ua", L"Ub"}, true},
        {"empty name", L"", {L"Ua"}, false},
        {"no columns", L"T", {}, false},
        {"reserved name alone", L"T", {L"日期"}, false},
        {"reserved name among others", L"T", {L"Ua", L"日期", L"Ub"}, false},
        {"same column twice", L"T", {L"Ua", L"Ub", L"Ua"}, false},
        {"names differing in case", L"T", {L"ua", L"UA", L"Ua"}, true},
        {"reserved name with more text", L"T", {L"日期 "}, true},
        {"empty column name", L"T", {L""}, true},
    };
    for (const Case& c : cases) {
        ITable* table = Tabulist_CreateTable(c.table, c.columns);
        EXPECT_EQ(table != nullptr, c.accepted) << c.name;
        if (table != nullptr) {
            std::wstring name;
            std::vector<std::wstring> columns{L"old"};
            EXPECT_EQ(table->GetHeader(name, columns), true) << c.name;
            EXPECT_EQ(name, c.table) << c.name;
            EXPECT_EQ(columns, c.columns) << c.name;
            EXPECT_FALSE(table->GetFlag()) << c.name;
            table->Release();
        }
    }
}

TEST(TabulistTableTest, AddRowRefusesWrongWidthAndTimesNotAfter1970) {
    ITable* table = Tabulist_CreateTable(L"T", {L"a", L"b"});
    ASSERT_NE(table, nullptr);
    const std::int64_t time = ChinaTime(2024, 1, 1, 0, 0, 0);
    EXPECT_FALSE(table->AddRow(time, {1.0f}));
    EXPECT_FALSE(table->AddRow(time, {1.0f, 2.0f, 3.0f}));
    EXPECT_FALSE(table->AddRow(0, {1.0f, 2.0f}));
    EXPECT_FALSE(table->AddRow(-1, {1.0f, 2.0f}));
    EXPECT_TRUE(table->AddRow(time, {1.0f, 2.0f}));
    EXPECT_TRUE(table->AddRow(time - 5, {3.0f, 4.0f}));  // rows are kept as added, not sorted

    std::int64_t readTime = 7;
    std::vector<float> values{9.0f};
    for (int index : {-1, 2}) {
        EXPECT_FALSE(table->GetRow(index, readTime, values)) << index;
        EXPECT_EQ(readTime, 7) << index;
        EXPECT_EQ(values, std::vector<float>{9.0f}) << index;
    }
    ASSERT_TRUE(table->GetRow(1, readTime, values));
    EXPECT_EQ(readTime, time - 5);
    EXPECT_EQ(values, (std::vector<float>{3.0f, 4.0f}));
    table->Release();
}

TEST(TabulistSaveTest, WriterKeepsTheRowsPresentWhenTheTableWasAdded) {
    testsupport::TempDir folder;
    ITabulist* writer = Tabulist_CreateTabulist();
    ITable* table = Tabulist_CreateTable(L"T", {L"a"});
    ASSERT_NE(writer, nullptr);
    ASSERT_NE(table, nullptr);
    ASSERT_TRUE(table->AddRow(ChinaTime(2024, 1, 1, 10, 0, 0), {1.0f}));
    ASSERT_TRUE(writer->AddTable(table));
    ASSERT_TRUE(table->AddRow(ChinaTime(2024, 1, 1, 10, 0, 1), {2.0f}));
    EXPECT_FALSE(writer->AddTable(nullptr));
    table->Release();  // the writer's copy outlives the caller's table

    ASSERT_TRUE(writer->Save(platform::FromPath(folder / "t"), kTabulistCsv));
    const std::string text = testsupport::ReadAll(platform::ToPath(std::wstring_view(writer->GetSavedPath())));
    EXPECT_EQ(Lines(text).size(), 3u) << text;
    EXPECT_NE(text.find("  2024-01-01 10:00:00.000,1.000,\r\n"), std::string::npos) << text;

    EXPECT_TRUE(writer->ClearTables(true));
    ASSERT_TRUE(writer->Save(platform::FromPath(folder / "empty"), kTabulistCsv));
    EXPECT_EQ(testsupport::ReadAll(platform::ToPath(std::wstring_view(writer->GetSavedPath()))), "");
    writer->Release();
}

TEST(TabulistSaveTest, RefusesUnknownFormatsAndUnwritableFolders) {
    testsupport::TempDir folder;
    ITabulist* writer = Tabulist_CreateTabulist();
    ITable* table = Tabulist_CreateTable(L"T", {L"a"});
    ASSERT_TRUE(writer->AddTable(table));
    table->Release();
    for (int format : {-1, 2}) {
        EXPECT_FALSE(writer->Save(platform::FromPath(folder / "t"), format)) << format;
    }
    EXPECT_FALSE(writer->Save(platform::FromPath(folder / "missing" / "t"), kTabulistCsv));
    // A NUL would cut the name the file is made under.
    EXPECT_FALSE(writer->Save(platform::FromPath(folder / "t") + std::wstring(1, L'\0') + L"x", kTabulistCsv));
    EXPECT_TRUE(tablestest::FilesIn(folder.Path()).empty());
    EXPECT_EQ(writer->GetSavedPath(), L"");
    writer->Release();
}

// File names of 1024 bytes or more are refused, even where the system would take
// them: the name "_HH-MM-SS.csv" makes of the path is 13 bytes longer than the path.
TEST(TabulistSaveTest, RefusesFileNamesOf1024BytesOrMore) {
    struct Case {
        const char* name;
        std::size_t fileNameBytes;
        bool saved;
    };
    const Case cases[] = {
        {"1023 bytes", 1023, true},
        {"1024 bytes", 1024, false},
        {"1500 bytes", 1500, false},
    };
    for (const Case& c : cases) {
        testsupport::TempDir folder;
        const std::string sub(200, 'd');
        std::filesystem::create_directory(folder / sub);
        // Up and down a real folder, so that the long name stays a valid path.
        std::string stem = platform::PathToUtf8(folder.Path());
        while (stem.size() + 1 + sub.size() + 3 + 2 + 13 < c.fileNameBytes) {
            stem += "/" + sub + "/..";
        }
        stem += "/";
        stem += std::string(c.fileNameBytes - 13 - stem.size(), 't');
        ITabulist* writer = Tabulist_CreateTabulist();
        ITable* table = Tabulist_CreateTable(L"T", {L"a"});
        ASSERT_TRUE(writer->AddTable(table)) << c.name;
        table->Release();
        EXPECT_EQ(writer->Save(platform::Utf8ToWide(stem), kTabulistCsv), c.saved) << c.name;
        if (c.saved) {
            EXPECT_EQ(platform::WideToUtf8(writer->GetSavedPath()).size(), c.fileNameBytes) << c.name;
        }
        writer->Release();
        std::size_t files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            files += entry.is_regular_file() ? 1 : 0;
        }
        EXPECT_EQ(files, c.saved ? 1u : 0u) << c.name;
    }
}

TEST(TabulistSaveTest, NeverReplacesAnExistingFile) {
    testsupport::TempDir folder;
    // Occupy the names of this second and the next, so that the save must pick another.
    const std::time_t now = std::time(nullptr);
    std::vector<std::filesystem::path> taken;
    for (std::time_t second : {now, now + 1}) {
        const std::wstring clock = platform::FormatLocalTime(second, L"_%H-%M-%S");
        taken.push_back(folder.Write("t" + platform::WideToUtf8(clock) + ".csv", "keep"));
    }
    ITabulist* writer = Tabulist_CreateTabulist();
    ITable* table = Tabulist_CreateTable(L"T", {L"a"});
    ASSERT_TRUE(writer->AddTable(table));
    table->Release();
    ASSERT_TRUE(writer->Save(platform::FromPath(folder / "t"), kTabulistCsv));
    const std::filesystem::path first = platform::ToPath(std::wstring_view(writer->GetSavedPath()));
    ASSERT_TRUE(writer->Save(platform::FromPath(folder / "t"), kTabulistCsv));
    const std::filesystem::path second = platform::ToPath(std::wstring_view(writer->GetSavedPath()));
    writer->Release();

    EXPECT_TRUE(IsSavedName(first.filename().string(), "t", "(2).csv")) << first;
    EXPECT_NE(first, second);
    for (const auto& file : taken) {
        EXPECT_EQ(testsupport::ReadAll(file), "keep") << file;
    }
    EXPECT_EQ(testsupport::ReadAll(first), testsupport::ReadAll(second));
    EXPECT_EQ(tablestest::FilesIn(folder.Path()).size(), 4u);
}

// A table of about 1.4 MB, more than one buffer of the writer.
ITabulist* WriterWithLargeTable() {
    ITabulist* writer = Tabulist_CreateTabulist();
    ITable* table = Tabulist_CreateTable(L"T", {L"a"});
    const std::int64_t start = ChinaTime(2024, 1, 1, 0, 0, 0);
    for (std::int64_t row = 0; row < 40000; ++row) {
        table->AddRow(start + row * 1'000'000'000, {1.0f});
    }
    writer->AddTable(table);
    table->Release();
    return writer;
}

// A user's kill while the table is written leaves no short or empty table under
// the name the user sees; the temporary it left goes with the next save.
TEST(TabulistSaveTest, AKilledSaveLeavesNoTableBehind) {
    // The child must write into this test's folder: forked, not started afresh.
    GTEST_FLAG_SET(death_test_style, "fast");
    testsupport::TempDir folder;
    for (const std::uint64_t killedAfter : {0, 100000}) {
        EXPECT_EXIT(
            {
                testsupport::WriteFault kill(folder.Path(), testsupport::WriteFault::Kind::Kill, killedAfter);
                ITabulist* writer = WriterWithLargeTable();
                writer->Save(platform::FromPath(folder / "t"), kTabulistCsv);
                std::_Exit(0);
            },
            testing::KilledBySignal(SIGKILL), "")
            << "killed after " << killedAfter << " bytes";
        for (const auto& file : tablestest::FilesIn(folder.Path())) {
            EXPECT_EQ(file.filename().string().rfind(".~", 0), 0u)
                << file << ": only a hidden temporary may stay (killed after " << killedAfter << " bytes)";
        }
    }
    ITabulist* writer = WriterWithLargeTable();
    ASSERT_TRUE(writer->Save(platform::FromPath(folder / "t"), kTabulistCsv));
    const std::filesystem::path saved = platform::ToPath(std::wstring_view(writer->GetSavedPath()));
    writer->Release();
    EXPECT_EQ(tablestest::FilesIn(folder.Path()), std::vector<std::filesystem::path>{saved})
        << "the killed saves' temporaries are gone";
    EXPECT_EQ(Lines(testsupport::ReadAll(saved)).size(), 40002u);
}

// A full disk fails the save with its reason and leaves nothing; temporaries of
// saves still running (this process) and files that only look like ours stay.
TEST(TabulistSaveTest, AFullDiskFailsTheSaveWithItsReasonAndLeavesNothing) {
    testsupport::TempDir folder;
    const std::string running = ".~Tabulist" + std::to_string(::getpid()) + "-999999.tmp";
    const std::vector<std::filesystem::path> others = {folder.Write(running, "live"),
                                                       folder.Write(".~Tabulistx-1.tmp", "not ours")};
    for (const std::uint64_t fullAfter : {0, 4096, 1200000}) {
        testsupport::WriteFault full(folder.Path(), testsupport::WriteFault::Kind::DiskFull, fullAfter);
        ITabulist* writer = WriterWithLargeTable();
        EXPECT_FALSE(writer->Save(platform::FromPath(folder / "t"), kTabulistCsv)) << fullAfter;
        EXPECT_EQ(writer->GetSaveError(), ENOSPC) << fullAfter;
        EXPECT_EQ(writer->GetSavedPath(), L"") << fullAfter;
        EXPECT_GT(full.Failures(), 0u) << fullAfter;
        writer->Release();
        EXPECT_EQ(tablestest::FilesIn(folder.Path()), others) << "full after " << fullAfter << " bytes";
    }
    ITabulist* writer = WriterWithLargeTable();
    EXPECT_FALSE(writer->Save(platform::FromPath(folder / "t"), 7));
    EXPECT_EQ(writer->GetSaveError(), EINVAL);
    EXPECT_TRUE(writer->Save(platform::FromPath(folder / "t"), kTabulistCsv));
    EXPECT_EQ(writer->GetSaveError(), 0);
    writer->Release();
}

TEST(TabulistSaveTest, TextWithoutAGbkFormIsWrittenAsUtf8WithByteOrderMark) {
    testsupport::TempDir folder;
    const std::filesystem::path saved =
        SaveTables({{L"T😀", {L"电压"}, false, {{ChinaTime(2024, 1, 1, 0, 0, 0), {1.0f}}}}}, folder.Path(),
                   kTabulistCsv);
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(testsupport::ReadAll(saved),
              "\xEF\xBB\xBFT😀,\r\n日期(年-月-日 时:分:秒.毫秒),电压,\r\n  2024-01-01 00:00:00.000,1.000,\r\n");
}

// Every value cell must read exactly as printf's "%.3f" of the float widened to
// double: ties, signed zeros, subnormals, huge values, infinities and a sweep of
// random bit patterns.
TEST(TabulistSaveTest, ValuesAreWrittenAsPrintfWritesThem) {
    std::vector<float> values = {0.0f, -0.0f, 0.0625f, 0.1875f, -0.0625f, 0.0005f, 0.0015f, 1.0005f, 2.5e-4f,
                                 -2.5e-4f, 1e-40f, -1e-45f, 0.9995f, 999.9995f, 16777216.0f, 9.0e15f, 1.0e16f,
                                 -3.0e20f, FLT_MAX, -FLT_MAX, FLT_MIN, std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity()};
    std::mt19937 random(20240305);
    while (values.size() < 20000) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (!std::isnan(value) && value != kTabulistEmptyCell) {
            values.push_back(value);
        }
    }
    std::vector<Row> rows;
    const std::int64_t start = ChinaTime(2024, 1, 1, 0, 0, 0);
    for (std::size_t i = 0; i < values.size(); ++i) {
        rows.push_back({start + static_cast<std::int64_t>(i) * 1'000'000, {values[i]}});
    }
    testsupport::TempDir folder;
    for (const int format : {kTabulistCsv, kTabulistText}) {
        const std::filesystem::path saved = SaveTables({{L"T", {L"v"}, false, rows}}, folder.Path(), format);
        ASSERT_FALSE(saved.empty()) << format;
        const std::vector<std::string> lines = Lines(testsupport::ReadAll(saved));
        ASSERT_EQ(lines.size(), values.size() + 2) << format;
        int mismatches = 0;
        for (std::size_t i = 0; i < values.size() && mismatches < 10; ++i) {
            char printed[128];
            std::snprintf(printed, sizeof printed, "%.3f", static_cast<double>(values[i]));
            std::string expected = printed;
            std::string cell = lines[i + 2].substr(25);  // after the time
            if (format == kTabulistCsv) {
                expected = "," + expected + ",";
            } else {
                // Right-aligned in 16 bytes, with one space before a value that fills them.
                expected.insert(0, expected.size() < 16 ? 16 - expected.size() : 1, ' ');
            }
            if (cell != expected) {
                ++mismatches;
                ADD_FAILURE() << "format " << format << ", value " << std::hexfloat << values[i] << ": [" << cell
                              << "] instead of [" << expected << "]";
            }
        }
    }
}

// Time cells must read as the C library's local time of each row, also around
// changes of the zone's offset (daylight saving, half-hour and odd historic offsets).
TEST(TabulistSaveTest, TimesFollowTheLocalZoneAcrossOffsetChanges) {
    struct Case {
        const char* zone;
        std::int64_t around;  // UTC seconds near an offset change
    };
    const Case cases[] = {
        {"Europe/Berlin", 1711846800},         // 2024-03-31 01:00 UTC, clocks forward
        {"Europe/Berlin", 1729990800},         // 2024-10-27 01:00 UTC, clocks back
        {"America/St_Johns", 1710048600},      // 2024-03-10 05:30 UTC, offset -3:30 to -2:30
        {"Australia/Lord_Howe", 1712415600},   // 2024-04-06 15:00 UTC, half-hour change
        {"Africa/Monrovia", 63072000 + 6 * 86400},  // 1972-01-07, offset -0:44:30 to 0
        {"America/New_York", 3600},            // near 1970: local dates before 1970
    };
    for (const Case& c : cases) {
        ::setenv("TZ", c.zone, 1);
        ::tzset();
        std::vector<Row> rows;
        for (std::int64_t step = -60; step <= 60; ++step) {
            const std::int64_t seconds = c.around + step * 433;  // 7 min 13 s
            if (seconds > 0) {
                rows.push_back({seconds * 1'000'000'000 + 999'612'345, {1.0f}});
            }
        }
        testsupport::TempDir folder;
        const std::filesystem::path saved = SaveTables(
            {{L"ms", {L"v"}, false, rows}, {L"us", {L"v"}, true, rows}}, folder.Path(), kTabulistCsv);
        ASSERT_FALSE(saved.empty()) << c.zone;
        const std::vector<std::string> lines = Lines(testsupport::ReadAll(saved));
        ASSERT_EQ(lines.size(), 2 * (rows.size() + 2)) << c.zone;
        for (std::size_t i = 0; i < 2 * rows.size(); ++i) {
            const bool microseconds = i >= rows.size();
            const std::int64_t time = rows[i % rows.size()].time;
            const std::int64_t shown = microseconds ? time : time + 500'000;  // .612345 rounds up
            const std::time_t seconds = static_cast<std::time_t>(shown / 1'000'000'000);
            std::tm local{};
            ASSERT_NE(::localtime_r(&seconds, &local), nullptr);
            char expected[64];
            std::snprintf(expected, sizeof expected, "  %04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                          local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                          static_cast<int>(shown % 1'000'000'000 / 1'000'000));
            std::string cell = expected;
            if (microseconds) {
                cell += ".612";
            }
            const std::string& line = lines[i + (microseconds ? 4 : 2)];
            EXPECT_EQ(line.substr(0, line.find(',')), cell) << c.zone << " row " << i;
        }
    }
    tablestest::UseChinaTime();
}

}  // namespace

#include <gtest/gtest.h>

#include <filesystem>

#include "ExportTestSupport.h"
#include "export/ComtradeTabulist.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "tests/support/TempDir.h"

namespace {

using namespace exporttest;

constexpr int kCurrent = 1;
constexpr int kVoltage = 2;

const std::wstring kVoltageWave = L"电压波形值";
const std::wstring kCurrentWave = L"电流波形值";

// A source of a COMTRADE record that starts at 2023-04-05 10:15:30.123 local time,
// with one effective value per 64 samples.
SourceBuilder Record(int kind, double interval = 0.001)
{
    SourceBuilder builder;
    builder.source.kind = kind;
    builder.source.interval = interval;
    builder.source.startTime = L"2023-04-05 10:15:30.123";
    builder.source.samplesPerRms = 64;
    return builder;
}

std::wstring FileName(const std::filesystem::path& file)
{
    return Wide(file.filename());
}

// Channels are grouped by their order keys: a key that does not rise starts a new
// file, except after the key 4.
TEST(ComtradeTabulist, GroupsChannelsByRisingOrderKeys)
{
    struct Case {
        const char* name;
        std::vector<int> keys;
        std::vector<int> types;
        std::vector<std::vector<std::wstring>> columns;  // per file, in file order
    };
    const Case cases[] = {
        {"rising keys give one group", {0, 1, 2, 3}, {1, 2, 3, 4}, {{L"L1", L"L2", L"L3", L"LN"}}},
        {"a repeated key splits before it", {0, 1, 2, 0}, {1, 2, 3, 4}, {{L"L1", L"L2", L"L3"}, {L"LN"}}},
        {"an equal key splits too", {1, 1}, {2, 3}, {{L"L2"}, {L"L3"}}},
        {"after key 4 any key joins the group", {2, 4, 0}, {1, 2, 3}, {{L"L1", L"L2", L"L3"}}},
        {"key 4 after a higher key splits", {5, 4}, {1, 2}, {{L"L1"}, {L"L2"}}},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        SourceBuilder builder = Record(kVoltage);
        for (std::size_t i = 0; i < c.keys.size(); ++i) {
            builder.Add(Channel(c.keys[i], c.types[i]), Ramp(3));
        }
        CComtradeTabulist exporter;
        // Each group gets its own file even when they share a name and a second.
        ASSERT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kExported) << c.name;
        EXPECT_EQ(exporter.GetCount(), static_cast<int>(c.columns.size())) << c.name;
        const auto files = CsvFiles(dir.Path());
        ASSERT_EQ(files.size(), c.columns.size()) << c.name;
        std::vector<std::vector<std::wstring>> columns;
        for (const auto& file : files) {
            const CsvRows rows = ReadCsv(file);
            ASSERT_GE(rows.size(), 2u) << c.name;
            columns.emplace_back(rows[1].begin() + 1, rows[1].end());
        }
        // Files of one second are told apart by "(2)", "(3)": order them by their groups.
        std::sort(columns.begin(), columns.end(),
                  [](const auto& a, const auto& b) { return a.size() > b.size() || (a.size() == b.size() && a < b); });
        auto expected = c.columns;
        std::sort(expected.begin(), expected.end(),
                  [](const auto& a, const auto& b) { return a.size() > b.size() || (a.size() == b.size() && a < b); });
        EXPECT_EQ(columns, expected) << c.name;
    }
}

// A voltage record with its waveform and effective-value channels: two files, the
// second named after the effective value, with one row per 64 samples.
TEST(ComtradeTabulist, WritesWaveformAndEffectiveValueFiles)
{
    testsupport::TempDir dir;
    const double interval = 1.0 / 3200.0;
    SourceBuilder builder = Record(kVoltage, interval);
    const std::size_t samples = 130;
    for (int phase = 0; phase < 4; ++phase) {
        builder.Add(Channel(phase, 1 + phase), Ramp(samples, 100.0 * phase + 0.5));
    }
    for (int phase = 0; phase < 4; ++phase) {
        // An effective-value supplier answers the record's sample count and holds
        // one value per 64 samples (3200 samples/s at 50 Hz).
        auto rms = std::make_unique<Samples>(Ramp(samples / 64, 1000.0 * (phase + 1) + 0.25));
        rms->SetCount(samples);
        builder.Add(Channel(phase, 5 + phase), std::move(rms));
    }
    CComtradeTabulist exporter;
    ASSERT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kExported);
    EXPECT_EQ(exporter.GetCount(), 2);

    const auto files = CsvFiles(dir.Path());
    ASSERT_EQ(files.size(), 2u);
    // "电压波形值_…" sorts before "电压波形值有效值_…".
    const std::filesystem::path wave = files[0];
    const std::filesystem::path rms = files[1];
    EXPECT_EQ(FileName(wave).rfind(kVoltageWave + L"_", 0), 0u) << Narrow(FileName(wave));
    EXPECT_EQ(FileName(rms).rfind(kVoltageWave + L"有效值_", 0), 0u) << Narrow(FileName(rms));
    EXPECT_EQ(exporter.GetName() + L".csv", Wide(rms)) << "the name is the last file written";

    const CsvRows waveRows = ReadCsv(wave);
    ASSERT_EQ(waveRows.size(), 2 + samples);
    EXPECT_EQ(waveRows[0], (std::vector<std::wstring>{L"电压波形值( 单位: V)"}));
    EXPECT_EQ(waveRows[1], (std::vector<std::wstring>{L"日期(年-月-日 时:分:秒.毫秒.微秒)", L"L1", L"L2", L"L3", L"LN"}));
    EXPECT_EQ(waveRows[2][0], TimeCell(2023, 4, 5, 10, 15, 30, 123, 0)) << "the first row is the start time";
    EXPECT_EQ(waveRows[3][0], TimeCell(2023, 4, 5, 10, 15, 30, 123, 312));
    EXPECT_EQ(waveRows[4][0], TimeCell(2023, 4, 5, 10, 15, 30, 123, 625));
    EXPECT_EQ(waveRows[2 + 129][0], TimeCell(2023, 4, 5, 10, 15, 30, 163, 312));
    EXPECT_EQ(waveRows[2 + 5], (std::vector<std::wstring>{waveRows[7][0], Cell(5.5), Cell(105.5), Cell(205.5), Cell(305.5)}));

    const CsvRows rmsRows = ReadCsv(rms);
    ASSERT_EQ(rmsRows.size(), 2 + samples / 64);
    EXPECT_EQ(rmsRows[0], (std::vector<std::wstring>{L"电压波形有效值( 单位: V)"}));
    EXPECT_EQ(rmsRows[1], (std::vector<std::wstring>{L"日期(年-月-日 时:分:秒.毫秒.微秒)", L"L1 有效值", L"L2 有效值",
                                                     L"L3有效值", L"N有效值"}));
    EXPECT_EQ(rmsRows[2][0], TimeCell(2023, 4, 5, 10, 15, 30, 123, 0));
    EXPECT_EQ(rmsRows[3][0], TimeCell(2023, 4, 5, 10, 15, 30, 143, 0)) << "64 samples of 312.5 µs apart";
    EXPECT_EQ(rmsRows[3], (std::vector<std::wstring>{rmsRows[3][0], Cell(1001.25), Cell(2001.25), Cell(3001.25),
                                                     Cell(4001.25)}));
}

// The current titles and names; a current effective-value group that follows.
TEST(ComtradeTabulist, NamesCurrentGroups)
{
    testsupport::TempDir dir;
    SourceBuilder builder = Record(kCurrent);
    builder.Add(Channel(0, 9), Ramp(128)).Add(Channel(0, 13), Ramp(128));
    CComtradeTabulist exporter;
    ASSERT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kExported);
    const auto files = CsvFiles(dir.Path());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(ReadCsv(files[0])[0][0], L"电流波形值( 单位: A)");
    EXPECT_EQ(ReadCsv(files[0]).size(), 2u + 128);
    EXPECT_EQ(FileName(files[1]).rfind(kCurrentWave + L"有效值_", 0), 0u);
    const CsvRows rms = ReadCsv(files[1]);
    EXPECT_EQ(rms[0][0], L"电流波形有效值( 单位: A)");
    EXPECT_EQ(rms[1][1], L"L1 有效值");
    EXPECT_EQ(rms.size(), 2u + 2) << "128 / 64 rows";
}

TEST(ComtradeTabulist, HasNothingToExportWithoutTwoSamples)
{
    struct Case {
        const char* name;
        std::vector<std::vector<double>> channels;
    };
    const Case cases[] = {
        {"no supplier", {}},
        {"an empty first supplier", {{}, {1.0, 2.0}}},
        {"one sample in the first supplier", {{1.0}, {1.0, 2.0}}},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        SourceBuilder builder = Record(kVoltage);
        int key = 0;
        for (const auto& values : c.channels) {
            builder.Add(Channel(key, key + 1), values);
            ++key;
        }
        CComtradeTabulist exporter;
        EXPECT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kNothingToExport) << c.name;
        EXPECT_EQ(exporter.GetCount(), 0) << c.name;
        EXPECT_TRUE(CsvFiles(dir.Path()).empty()) << c.name;
    }
}

// Progress: within a group every twentieth of its rows reports the first half of
// its share; the end of each group reports its whole share.
TEST(ComtradeTabulist, ReportsProgressPerGroup)
{
    // After rows 2, 4, ..., 40 of each of the two groups, then the group's end.
    std::vector<double> everySecondRow;
    for (int group = 0; group < 2; ++group) {
        for (int k = 1; k < 40; k += 2) {
            everySecondRow.push_back(group * 50.0 + k / 40.0 * 50.0 * 0.5);
        }
        everySecondRow.push_back(group * 50.0 + 50.0);
    }
    struct Case {
        const char* name;
        std::size_t samples;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {"fewer than 20 samples report only the ends", 19, {50.0, 100.0}},
        {"40 samples report every second row", 40, everySecondRow},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        SourceBuilder builder = Record(kVoltage);
        builder.Add(Channel(0, 1), Ramp(c.samples)).Add(Channel(0, 2), Ramp(c.samples));
        std::vector<double> reported;
        CComtradeTabulist exporter;
        exporter.SetProgressCallback([&](double percent) { reported.push_back(percent); });
        ASSERT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kExported) << c.name;
        const std::vector<double>& expected = c.expected;
        ASSERT_EQ(reported.size(), expected.size()) << c.name;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_DOUBLE_EQ(reported[i], expected[i]) << c.name << " report " << i;
        }
    }
}

// The folder may end in a separator (or a stored backslash); the file lands in it.
TEST(ComtradeTabulist, JoinsFolderAndNameWithOneSeparator)
{
    testsupport::TempDir dir;
    const std::wstring folder = Wide(dir.Path());
    for (const std::wstring& given : {folder, folder + L"/", folder + L"\\"}) {
        SourceBuilder builder = Record(kVoltage);
        builder.Add(Channel(0, 1), Ramp(2));
        CComtradeTabulist exporter;
        ASSERT_EQ(exporter.Export(builder.source, given), ITabulistEx::kExported) << Narrow(given);
        const std::wstring name = exporter.GetName();
        EXPECT_EQ(name.rfind(folder + L"/" + kVoltageWave + L"_", 0), 0u) << Narrow(name);
        EXPECT_TRUE(std::filesystem::exists(platform::ToPath(std::wstring_view(name + L".csv")))) << Narrow(name);
    }
    EXPECT_EQ(CsvFiles(dir.Path()).size(), 3u) << "three exports, three files";
}

// Two exports into one folder within a second: the second never replaces the
// first, and each exporter names its own file.
TEST(ComtradeTabulist, NamesTheFileActuallyWritten)
{
    testsupport::TempDir dir;
    SourceBuilder first = Record(kVoltage);
    first.Add(Channel(0, 1), {1.0, 2.0});
    SourceBuilder second = Record(kVoltage);
    second.Add(Channel(0, 1), {3.0, 4.0});
    CComtradeTabulist a;
    CComtradeTabulist b;
    ASSERT_EQ(a.Export(first.source, Wide(dir.Path())), ITabulistEx::kExported);
    ASSERT_EQ(b.Export(second.source, Wide(dir.Path())), ITabulistEx::kExported);
    ASSERT_NE(a.GetName(), b.GetName());
    EXPECT_EQ(ReadCsv(a.GetName() + L".csv")[2][1], Cell(1.0));
    EXPECT_EQ(ReadCsv(b.GetName() + L".csv")[2][1], Cell(3.0));
}

// A group whose table the library refuses (two channels of an unknown type give two
// empty column names) ends the export as a failure; the files before it stay and
// are the only ones counted.
TEST(ComtradeTabulist, ReportsAGroupThatCannotBeWritten)
{
    testsupport::TempDir dir;
    SourceBuilder builder = Record(kVoltage);
    builder.Add(Channel(0, 1), Ramp(4)).Add(Channel(0, 20), Ramp(4)).Add(Channel(1, 21), Ramp(4));
    builder.Add(Channel(0, 2), Ramp(4));
    CComtradeTabulist exporter;
    EXPECT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kFailed);
    EXPECT_EQ(exporter.GetCount(), 1);
    const auto files = CsvFiles(dir.Path());
    ASSERT_EQ(files.size(), 1u) << "the group after the refused one is not written";
    EXPECT_EQ(exporter.GetName() + L".csv", Wide(files[0]));
}

// A start time that names no time, or none the table can hold, cannot place the
// rows: the group fails and leaves no file. The text comes from the record's
// files, so any number may stand in any field.
TEST(ComtradeTabulist, RefusesAStartTimeItCannotRead)
{
    struct Case {
        const char* name;
        const wchar_t* startTime;
        double interval = 0.001;  // seconds between rows
    };
    const Case cases[] = {
        {"words", L"yesterday"},
        {"lowest year", L"-2147483648-4-5 10:15:30.123"},
        {"lowest month", L"2023--2147483648-5 10:15:30.123"},
        {"month 13", L"2023-13-5 10:15:30.123"},
        {"hour 24", L"2023-4-5 24:15:30.123"},
        {"negative millisecond", L"2023-4-5 10:15:30.-1"},
        // Times the table cannot hold (before 1970 in UTC): a terminal whose clock was reset.
        {"a clock reset to 1900", L"1900-1-1 0:0:0.0"},
        {"two seconds before 1970 in UTC", L"1970-1-1 7:59:58.000"},
        {"rows crossing into 1970 in UTC", L"1970-1-1 7:59:58.500", 1.0},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        SourceBuilder builder = Record(kVoltage, c.interval);
        builder.source.startTime = c.startTime;
        builder.Add(Channel(0, 1), Ramp(4));
        CComtradeTabulist exporter;
        EXPECT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kFailed) << c.name;
        EXPECT_TRUE(CsvFiles(dir.Path()).empty()) << c.name;
    }
}

// A channel shorter than the group's first gives empty cells, not lost rows; so do
// the readers' no-value samples.
TEST(ComtradeTabulist, WritesMissingSamplesAsEmptyCells)
{
    testsupport::TempDir dir;
    SourceBuilder builder = Record(kVoltage);
    builder.Add(Channel(0, 1), {1.0, 2.0, 3.0}).Add(Channel(1, 2), {7.0}).Add(Channel(2, 3), {kNoValue, 8.0, kNoValue});
    CComtradeTabulist exporter;
    ASSERT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kExported);
    const CsvRows rows = ReadCsv(exporter.GetName() + L".csv");
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[2], (std::vector<std::wstring>{rows[2][0], Cell(1.0), Cell(7.0), L"-"}));
    EXPECT_EQ(rows[3], (std::vector<std::wstring>{rows[3][0], Cell(2.0), L"-", Cell(8.0)}));
    EXPECT_EQ(rows[4], (std::vector<std::wstring>{rows[4][0], Cell(3.0), L"-", L"-"}));
}

// The effective-value rows follow the number of samples behind each value that the
// record's reader used; without it the group cannot be written.
TEST(ComtradeTabulist, EffectiveValueRowsFollowTheSamplesPerValue)
{
    struct Case {
        const char* name;
        double rate;
        std::uint32_t samplesPerRms;
        std::size_t rows;
        int secondRowMicroseconds; // after the start
    };
    const Case cases[] = {
        {"6400 samples/s at 50 Hz", 6400.0, 128, 5, 20000},
        {"3840 samples/s at 60 Hz", 3840.0, 64, 10, 16666},
        {"not given", 3200.0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        SourceBuilder builder = Record(kVoltage, 1.0 / c.rate);
        builder.source.samplesPerRms = c.samplesPerRms;
        auto rms = std::make_unique<Samples>(Ramp(c.samplesPerRms != 0 ? c.rows : 5, 10.0));
        rms->SetCount(640);
        builder.Add(Channel(0, 5), std::move(rms));
        CComtradeTabulist exporter;
        if (c.samplesPerRms == 0) {
            EXPECT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kFailed) << c.name;
            EXPECT_TRUE(CsvFiles(dir.Path()).empty()) << c.name;
            continue;
        }
        ASSERT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kExported) << c.name;
        const CsvRows rows = ReadCsv(exporter.GetName() + L".csv");
        ASSERT_EQ(rows.size(), 2 + c.rows) << c.name << ": one row per value, none empty";
        EXPECT_EQ(rows[3][0], TimeCell(2023, 4, 5, 10, 15, 30, 123 + c.secondRowMicroseconds / 1000,
                                       c.secondRowMicroseconds % 1000))
            << c.name;
        EXPECT_EQ(rows.back()[1], Cell(10.0 + double(c.rows) - 1.0)) << c.name;
    }
}

TEST(ComtradeTabulist, TellsTheBusyIndicatorWhatItExports)
{
    testsupport::TempDir dir;
    platform::HeadlessHourglaze().Reset();
    SourceBuilder builder = Record(kVoltage);
    builder.Add(Channel(0, 1), Ramp(2)).Add(Channel(0, 5), Ramp(2));
    CComtradeTabulist exporter;
    ASSERT_EQ(exporter.Export(builder.source, Wide(dir.Path())), ITabulistEx::kExported);
    EXPECT_EQ(platform::HeadlessHourglaze().Get().notes,
              (std::vector<std::wstring>{L"正在导出电压波形值...", L"正在导出电压波形值有效值..."}));
}

// A folder that does not exist cannot take the file: a failure, nothing counted,
// no name handed back.
TEST(ComtradeTabulist, FailsWhenTheFileCannotBeCreated)
{
    testsupport::TempDir dir;
    SourceBuilder builder = Record(kVoltage);
    builder.Add(Channel(0, 1), Ramp(4));
    CComtradeTabulist exporter;
    EXPECT_EQ(exporter.Export(builder.source, Wide(dir.Path() / "missing")), ITabulistEx::kFailed);
    EXPECT_EQ(exporter.GetCount(), 0);
    EXPECT_TRUE(exporter.GetName().empty());
}

}  // namespace

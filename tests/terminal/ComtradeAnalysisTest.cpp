#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "TerminalTestSupport.h"
#include "terminal/ComtradeDataManager.h"
#include "terminal/K7700ComtradeAnalysis.h"
#include "terminal/ZVDataManager.h"
#include "tests/support/TempDir.h"
#include "tools/gen/ComtradeRecord.h"

namespace {

namespace fs = std::filesystem;
using terminaltest::Wide;

fs::path WriteRecord(const testsupport::TempDir& dir, const gen::ComtradeOptions& options, const char* name = "rec")
{
    const fs::path base = dir / name;
    EXPECT_TRUE(gen::WriteComtradeRecord(base, options));
    return fs::path(base).concat(".CFG");
}

// Phase k's voltage (channel k) or current (channel k + 4) as the reader must scale it.
float Expected(const gen::ComtradeOptions& options, std::uint32_t sample, int channel, float factor = 1.0f)
{
    const float raw = static_cast<float>(gen::ComtradeRaw(options, sample, channel));
    return (raw * gen::ComtradeA(options, channel) + gen::ComtradeB(channel)) * factor;
}

float ExpectedRms(const gen::ComtradeOptions& options, std::uint32_t cycle, std::uint32_t perCycle, int channel)
{
    double sum = 0.0;
    for (std::uint32_t i = cycle * perCycle; i < (cycle + 1) * perCycle; ++i) {
        const double v = Expected(options, i, channel);
        sum += v * v;
    }
    return static_cast<float>(std::sqrt(sum / perCycle));
}

TEST(ComtradeAnalysis, LoadsPhasesRmsAndEventDuration)
{
    testsupport::TempDir dir;
    gen::ComtradeOptions options;
    options.samples = 6400;  // 100 cycles at 3200 Hz
    const fs::path cfg = WriteRecord(dir, options);
    CK7700ComtradeAnalysis reader;
    BasicInfo info;
    EXPECT_EQ(reader.GetBasicInfo(&info), 0) << "nothing loaded yet";
    ASSERT_EQ(reader.LoadFile(Wide(cfg), 0), 1);
    EXPECT_EQ(reader.GetSampleCount(), 6400u);
    EXPECT_EQ(reader.GetSamplesPerCycle(), 64u);
    EXPECT_EQ(reader.GetEventDuration(), 1720) << "(100 - 10 - 4) cycles of 20 ms";
    for (int k = 0; k < 4; ++k) {
        ASSERT_EQ(reader.GetSeries(1 + k).size(), 6400u);
        ASSERT_EQ(reader.GetSeries(5 + k).size(), 100u);
        EXPECT_EQ(reader.GetSeries(1 + k)[77], Expected(options, 77, k)) << "voltage of phase " << k + 1;
        EXPECT_EQ(reader.GetSeries(9 + k)[77], Expected(options, 77, k + 4)) << "current of phase " << k + 1;
        EXPECT_NEAR(reader.GetSeries(5 + k)[3], ExpectedRms(options, 3, 64, k), 1e-3) << "voltage RMS " << k + 1;
        EXPECT_NEAR(reader.GetSeries(13 + k)[99], ExpectedRms(options, 99, 64, k + 4), 1e-4) << "current RMS " << k + 1;
    }

    ASSERT_EQ(reader.GetBasicInfo(&info), 1);
    EXPECT_EQ(info.startText, L"2023-04-05 10:15:30.123");
    EXPECT_EQ(info.secondText, L"2023-04-05 10:15:30.223");
    EXPECT_EQ(info.value1, 12) << "second side-file value";
    EXPECT_EQ(info.value2, 3) << "first side-file value";
    EXPECT_DOUBLE_EQ(info.interval, 1.0 / 3200.0);
    EXPECT_EQ(info.value3, 1720);

    fs::remove(cfg);
    EXPECT_EQ(reader.LoadFile(Wide(cfg), 0), 1) << "the same path stays loaded";
    EXPECT_EQ(reader.ReleaseFile(), 1);
    EXPECT_EQ(reader.GetBasicInfo(&info), 0);
    EXPECT_EQ(reader.LoadFile(Wide(cfg), 0), 0);
}

TEST(ComtradeAnalysis, CyclesFollowTheRecordsRateAndLineFrequency)
{
    struct Case {
        const char* name;
        double rate, frequency;
        std::uint32_t samples, perCycle, rmsValues;
    };
    const Case cases[] = {
        {"3200 Hz, 50 Hz, incomplete last cycle", 3200, 50, 100, 64, 1},
        {"6400 Hz, 50 Hz", 6400, 50, 640, 128, 5},
        {"3840 Hz, 60 Hz", 3840, 60, 640, 64, 10},
        {"3000 Hz, 60 Hz", 3000, 60, 500, 50, 10},
    };
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        gen::ComtradeOptions options;
        options.sampleRate = c.rate;
        options.lineFrequency = c.frequency;
        options.samples = c.samples;
        CK7700ComtradeAnalysis reader;
        ASSERT_EQ(reader.LoadFile(Wide(WriteRecord(dir, options)), 0), 1) << c.name;
        EXPECT_EQ(reader.GetSamplesPerCycle(), c.perCycle) << c.name;
        ASSERT_EQ(reader.GetSeries(6).size(), c.rmsValues) << c.name;
        EXPECT_NEAR(reader.GetSeries(6).back(), ExpectedRms(options, c.rmsValues - 1, c.perCycle, 1), 1e-3) << c.name;
    }
}

TEST(ComtradeAnalysis, UnitFactors)
{
    struct Case {
        const char* unit;
        float factor;
    };
    const Case cases[] = {{"V", 1.0f}, {"kv", 1000.0f}, {"KV", 1000.0f}, {"mV", 0.001f}, {"A", 1.0f},
                          {"kA", 1000.0f}, {"mA", 0.001f}, {"Hz", 1.0f}, {"", 1.0f}};
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        gen::ComtradeOptions options;
        options.samples = 64;
        options.units = {c.unit, "V", "V", "V", c.unit, "A", "A", "A"};
        CK7700ComtradeAnalysis reader;
        ASSERT_EQ(reader.LoadFile(Wide(WriteRecord(dir, options)), 0), 1) << c.unit;
        EXPECT_EQ(reader.GetSeries(1)[5], Expected(options, 5, 0, c.factor)) << "voltage in " << c.unit;
        EXPECT_EQ(reader.GetSeries(9)[5], Expected(options, 5, 4, c.factor)) << "current in " << c.unit;
        EXPECT_EQ(reader.GetSeries(2)[5], Expected(options, 5, 1)) << c.unit;
    }
}

TEST(ComtradeAnalysis, SeriesReachTheDataManager)
{
    testsupport::TempDir dir;
    gen::ComtradeOptions options;
    options.samples = 192;
    CK7700ComtradeAnalysis reader;
    CComtradeDataManager sink;
    EXPECT_EQ(reader.GetData(0, 0, 0, 0, 1, reinterpret_cast<QueryWord>(&sink)), 0) << "nothing loaded";
    ASSERT_EQ(reader.LoadFile(Wide(WriteRecord(dir, options)), 0), 1);
    struct Case {
        QueryWord kind;
        int result;
        std::uint64_t count;
    };
    const Case cases[] = {{0, 0, 0}, {1, 1, 192}, {4, 1, 192}, {5, 1, 3}, {8, 1, 3}, {12, 1, 192}, {16, 1, 3}, {17, 0, 0}};
    for (const Case& c : cases) {
        sink.Release();
        EXPECT_EQ(reader.GetData(0, 0, 0, 0, c.kind, reinterpret_cast<QueryWord>(&sink)), c.result) << "kind " << c.kind;
        EXPECT_EQ(sink.GetSeries().size(), c.count) << "kind " << c.kind;
    }
    sink.Release();
    reader.GetData(0, 0, 0, 0, 8, reinterpret_cast<QueryWord>(&sink));
    EXPECT_NEAR(sink.GetSeries()[2], ExpectedRms(options, 2, 64, 3), 1e-3) << "kind 8 is the RMS of phase 4";
    EXPECT_EQ(reader.GetData(0, 0, 0, 0, 1, 0), 0) << "no sink";
}

TEST(ComtradeAnalysis, BrokenRecordsAreRefusedWithAReason)
{
    struct Case {
        const char* name;
        void (*change)(gen::ComtradeOptions&);
        std::uint64_t memoryLimit;
        ComtradeLoadFailure failure;
        int logLines;
    };
    const Case cases[] = {
        {"six analog channels", [](gen::ComtradeOptions& o) { o.analogChannels = 6; }, 0,
         ComtradeLoadFailure::TooFewChannels, 1},
        {"sample rate 0", [](gen::ComtradeOptions& o) { o.sampleRate = 0.0; }, 0,
         ComtradeLoadFailure::NoSampleSection, 1},
        {"no samples", [](gen::ComtradeOptions& o) { o.samples = 0; }, 0, ComtradeLoadFailure::NoSampleSection, 1},
        {"2^31 - 1 samples declared", [](gen::ComtradeOptions& o) { o.defect = gen::ComtradeDefect::HugeSampleCount; },
         std::uint64_t{1} << 30, ComtradeLoadFailure::TooLargeForMemory, 1},
        {"beyond the memory limit", [](gen::ComtradeOptions&) {}, 4096, ComtradeLoadFailure::TooLargeForMemory, 1},
        {"1991 layout", [](gen::ComtradeOptions& o) { o.defect = gen::ComtradeDefect::OldFirstLine; }, 0,
         ComtradeLoadFailure::Unreadable, 0},
        {"no data file", [](gen::ComtradeOptions& o) { o.defect = gen::ComtradeDefect::MissingDat; }, 0,
         ComtradeLoadFailure::Unreadable, 0},
    };
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        for (const auto format : {gen::ComtradeFormat::Ascii, gen::ComtradeFormat::Binary}) {
            gen::ComtradeOptions options;
            options.format = format;
            options.samples = 640;
            c.change(options);
            const fs::path cfg = WriteRecord(dir, options, c.name);
            CK7700ComtradeAnalysis reader;
            reader.SetMemoryLimit(c.memoryLimit);
            terminaltest::LogWatch log;
            EXPECT_EQ(reader.LoadFile(Wide(cfg), 0), 0) << c.name;
            EXPECT_EQ(reader.GetFailure(), c.failure) << c.name;
            EXPECT_EQ(log.NewLines(), c.logLines) << c.name << ": " << log.NewText();
            BasicInfo info;
            EXPECT_EQ(reader.GetBasicInfo(&info), 0) << c.name;
            EXPECT_TRUE(reader.GetSeries(1).empty()) << c.name;
        }
    }

    gen::ComtradeOptions empty;
    dir.Write("empty.CFG", gen::ComtradeCfgBytes(empty));
    dir.Write("empty.DAT", "");
    CK7700ComtradeAnalysis reader;
    EXPECT_EQ(reader.LoadFile(Wide(dir / "empty.CFG"), 0), 0);
    EXPECT_EQ(reader.GetFailure(), ComtradeLoadFailure::EmptyData);
}

TEST(ComtradeAnalysis, TruncatedDataLeavesNoValueNeverStaleMemory)
{
    testsupport::TempDir dir;
    for (const auto format : {gen::ComtradeFormat::Ascii, gen::ComtradeFormat::Binary}) {
        gen::ComtradeOptions options;
        options.format = format;
        options.samples = 320;  // five cycles; the data ends inside sample 161
        options.defect = gen::ComtradeDefect::TruncatedDat;
        CK7700ComtradeAnalysis reader;
        terminaltest::LogWatch log;
        ASSERT_EQ(reader.LoadFile(Wide(WriteRecord(dir, options)), 0), 1);
        EXPECT_EQ(log.NewLines(), 1) << "one line tells the record is truncated: " << log.NewText();
        EXPECT_EQ(reader.GetSampleCount(), 320u);
        EXPECT_EQ(reader.GetSamplesPresent(), 160u);
        const std::vector<float>& voltage = reader.GetSeries(1);
        EXPECT_EQ(voltage[159], Expected(options, 159, 0));
        for (std::size_t i = 160; i < 320; ++i) {
            ASSERT_TRUE(IsNoValue(voltage[i])) << "sample " << i;
            ASSERT_TRUE(IsNoValue(reader.GetSeries(12)[i])) << "current of phase 4, sample " << i;
        }
        const std::vector<float>& rms = reader.GetSeries(5);
        ASSERT_EQ(rms.size(), 5u);
        EXPECT_FALSE(IsNoValue(rms[1]));
        EXPECT_TRUE(IsNoValue(rms[2])) << "a cycle with missing samples has no RMS";
        EXPECT_TRUE(IsNoValue(rms[4]));
    }
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <optional>
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
    EXPECT_EQ(reader.GetSamplesPerRms(), 64u);
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
        std::optional<std::int32_t> duration;  // ms: the cycles less EWL and BWL, at the line frequency
    };
    const Case cases[] = {
        {"3200 Hz, 50 Hz, incomplete last cycle", 3200, 50, 100, 64, 1, std::nullopt},
        {"6400 Hz, 50 Hz", 6400, 50, 640, 128, 5, std::nullopt},
        {"6400 Hz, 50 Hz, 20 cycles", 6400, 50, 2560, 128, 20, 120},
        {"3840 Hz, 60 Hz", 3840, 60, 640, 64, 10, std::nullopt},
        {"3840 Hz, 60 Hz, 60 cycles", 3840, 60, 3840, 64, 60, 766},
        {"3000 Hz, 60 Hz", 3000, 60, 500, 50, 10, std::nullopt},
    };
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        gen::ComtradeOptions options;
        options.sampleRate = c.rate;
        options.lineFrequency = c.frequency;
        options.samples = c.samples;
        CK7700ComtradeAnalysis reader;
        ASSERT_EQ(reader.LoadFile(Wide(WriteRecord(dir, options)), 0), 1) << c.name;
        EXPECT_EQ(reader.GetSamplesPerRms(), c.perCycle) << c.name;
        ASSERT_EQ(reader.GetSeries(6).size(), c.rmsValues) << c.name;
        EXPECT_NEAR(reader.GetSeries(6).back(), ExpectedRms(options, c.rmsValues - 1, c.perCycle, 1), 1e-3) << c.name;
        if (c.duration) {
            EXPECT_EQ(reader.GetEventDuration(), *c.duration) << c.name;
        }
    }
}

TEST(ComtradeAnalysis, UnitFactors)
{
    struct Case {
        const char* voltageUnit;
        const char* currentUnit;
        float factor;
    };
    const Case cases[] = {{"V", "A", 1.0f},         {"kv", "ka", 1000.0f},      {"KV", "KA", 1000.0f},
                          {"mV", "mA", 0.001f},     {" V ", " A", 1.0f},        {"uV", "\u00B5A", 1.0f}};
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        gen::ComtradeOptions options;
        options.samples = 64;
        options.units = {c.voltageUnit, "V", "V", "V", c.currentUnit, "A", "A", "A"};
        CK7700ComtradeAnalysis reader;
        ASSERT_EQ(reader.LoadFile(Wide(WriteRecord(dir, options)), 0), 1) << c.voltageUnit;
        EXPECT_EQ(reader.GetSeries(1)[5], Expected(options, 5, 0, c.factor)) << "voltage in " << c.voltageUnit;
        EXPECT_EQ(reader.GetSeries(9)[5], Expected(options, 5, 4, c.factor)) << "current in " << c.currentUnit;
        EXPECT_EQ(reader.GetSeries(2)[5], Expected(options, 5, 1)) << c.voltageUnit;
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
        {"currents before voltages", [](gen::ComtradeOptions& o) { o.units = {"A", "A", "A", "A", "V", "V", "V", "V"}; },
         0, ComtradeLoadFailure::NotVoltagesAndCurrents, 1},
        {"a voltage channel in hertz", [](gen::ComtradeOptions& o) { o.units = {"V", "Hz", "V", "V", "A", "A", "A", "A"}; },
         0, ComtradeLoadFailure::NotVoltagesAndCurrents, 1},
        {"a current channel without unit", [](gen::ComtradeOptions& o) { o.units = {"V", "V", "V", "V", "A", "A", "A", ""}; },
         0, ComtradeLoadFailure::NotVoltagesAndCurrents, 1},
        {"a current channel in kVA", [](gen::ComtradeOptions& o) { o.units = {"V", "V", "V", "V", "kVA", "A", "A", "A"}; },
         0, ComtradeLoadFailure::NotVoltagesAndCurrents, 1},
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

// A ".DAT" that holds fewer samples than the ".CFG" declares: the record is the
// samples it holds, nothing is made for the others, and the log says so. The event
// lasted what the configuration declares: (cycles - EWL - BWL) x 20 ms.
TEST(ComtradeAnalysis, DataShorterThanDeclaredGivesTheSamplesItHolds)
{
    struct Case {
        const char* name;
        gen::ComtradeDefect defect;
        std::uint32_t samples;
        std::uint32_t held;
        std::int32_t duration;  // ms
    };
    const Case cases[] = {
        {"data ends inside sample 161 of 320", gen::ComtradeDefect::TruncatedDat, 320, 160, (5 - 14) * 20},
        {"data ends inside sample 833 of 1664", gen::ComtradeDefect::TruncatedDat, 1664, 832, (26 - 14) * 20},
        {"2^31 - 1 samples declared, 640 written", gen::ComtradeDefect::HugeSampleCount, 640, 640,
         static_cast<std::int32_t>((2147483647 / 64.0 - 14) * 20)},
    };
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        for (const auto format : {gen::ComtradeFormat::Ascii, gen::ComtradeFormat::Binary}) {
            const std::string row = std::string(c.name) + (format == gen::ComtradeFormat::Ascii ? ", ASCII" : ", BINARY");
            gen::ComtradeOptions options;
            options.format = format;
            options.samples = c.samples;
            options.defect = c.defect;
            CK7700ComtradeAnalysis reader;
            reader.SetMemoryLimit(std::uint64_t{64} << 20);  // far below what the declared count would take
            terminaltest::LogWatch log;
            ASSERT_EQ(reader.LoadFile(Wide(WriteRecord(dir, options, c.name)), 0), 1) << row;
            EXPECT_EQ(log.NewLines(), 1) << row << ": one line tells the record is short: " << log.NewText();
            EXPECT_EQ(reader.GetSampleCount(), c.held) << row;
            for (int kind = 1; kind <= 16; ++kind) {
                const bool rms = (kind - 1) % 8 >= 4;
                ASSERT_EQ(reader.GetSeries(kind).size(), rms ? c.held / 64 : c.held) << row << ", series " << kind;
            }
            EXPECT_EQ(reader.GetSeries(1)[c.held - 1], Expected(options, c.held - 1, 0)) << row;
            EXPECT_EQ(reader.GetSeries(12)[c.held - 1], Expected(options, c.held - 1, 7)) << row;
            EXPECT_NEAR(reader.GetSeries(5).back(), ExpectedRms(options, c.held / 64 - 1, 64, 0), 1e-3) << row;
            EXPECT_EQ(reader.GetEventDuration(), c.duration) << row;
        }
    }
}

}  // namespace

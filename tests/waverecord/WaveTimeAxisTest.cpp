// The raw-waveform pane's time axis and the time-range dialog's range check:
// conversions in signed 64 bits (records past 2^31 samples, times before the
// record's start), the shortest analysable selection, and each answer of the check.
#include <gtest/gtest.h>

#include <cstdint>

#include "waverecord/WaveRangeCheck.h"
#include "waverecord/WaveTimeAxis.h"

namespace {

// 2014-05-06 07:08:09.010 as nanoseconds since 1970 (any fixed moment will do).
constexpr std::int64_t kStartNs = 1399360089010000000;
constexpr std::int64_t kStartMs = kStartNs / 1000000;

TEST(WaveTimeAxis, ConvertsBothWaysInSigned64Bits)
{
    struct Case {
        const char* name;
        double frequency, rate;
        std::int64_t sample, ms;
    };
    const Case cases[] = {
        {"the first sample", 50.0, 12800.0, 0, kStartMs},
        {"one second in", 50.0, 12800.0, 12800, kStartMs + 1000},
        {"a sample within a millisecond truncates", 50.0, 12800.0, 12812, kStartMs + 1000},
        {"60 Hz at 15,360 per second", 60.0, 15360.0, 15360 * 3, kStartMs + 3000},
        {"past 2^31 samples: 24 hours at 25,600 per second", 50.0, 25600.0, 25600LL * 86400, kStartMs + 86400000},
        {"past 2^32 samples: 2 days", 50.0, 25600.0, 25600LL * 172800, kStartMs + 172800000},
        {"before the record's start", 50.0, 12800.0, -12800, kStartMs - 1000},
    };
    for (const Case& c : cases) {
        const WaveTimeAxis axis{c.frequency, c.rate, kStartNs};
        EXPECT_EQ(axis.SampleToMs(c.sample), c.ms) << c.name;
        const std::int64_t back = axis.MsToSample(c.ms);
        EXPECT_LE(std::abs(back - c.sample), static_cast<std::int64_t>(c.rate / 1000)) << c.name;
        EXPECT_EQ(back < 0, c.sample < 0) << c.name;
    }
    const WaveTimeAxis none;
    EXPECT_FALSE(none.IsUsable());
    EXPECT_EQ(none.MsToSample(kStartMs), 0);
    EXPECT_EQ(none.SampleToMs(100), 0);
}

TEST(WaveTimeAxis, TheShortestSelectionFitsTheSmallestWindow)
{
    struct Case {
        const char* name;
        double frequency, rate;
        std::int64_t rms, harm, pst;
        std::int64_t halfCycles, samples;
    };
    const Case cases[] = {
        {"defaults at 50 Hz, 12,800 per second", 50.0, 12800.0, 20, 1, 1, 20, 2560},
        {"a long RMS window: two harmonic windows are less", 50.0, 12800.0, 100, 2, 1, 40, 5120},
        {"60 Hz", 60.0, 15360.0, 20, 1, 1, 20, 2560},
        {"a short RMS window", 50.0, 25600.0, 4, 1, 1, 4, 1024},
        {"no record", 0.0, 0.0, 20, 1, 1, 0, 0},
    };
    for (const Case& c : cases) {
        const WaveTimeAxis axis{c.frequency, c.rate, kStartNs};
        const WaveAnalysisSettings windows{c.rms, c.harm, c.pst};
        EXPECT_EQ(axis.MinimumHalfCycles(windows), c.halfCycles) << c.name;
        EXPECT_EQ(axis.MinimumSamples(windows), c.samples) << c.name;
    }
}

TEST(WaveRangeCheck, AnswersInTheOrderOfItsTests)
{
    const WaveRangeLimits limits{kStartMs, kStartMs + 600000};
    struct Case {
        const char* name;
        std::int64_t start, end;
        WaveAnalysisSettings windows;
        double frequency;
        WaveRangeCheck expected;
    };
    const std::int64_t s = kStartMs;
    const Case cases[] = {
        {"a minute and more", s, s + 60000, {20, 1, 1}, 50.0, WaveRangeCheck::Valid},
        {"start 1 ms before the record", s - 1, s + 60000, {20, 1, 1}, 50.0, WaveRangeCheck::StartOutside},
        {"start after the record", s + 600001, s + 600002, {20, 1, 1}, 50.0, WaveRangeCheck::StartOutside},
        {"end after the record", s, s + 600001, {20, 1, 1}, 50.0, WaveRangeCheck::EndOutside},
        {"start equal to end", s + 5, s + 5, {20, 1, 1}, 50.0, WaveRangeCheck::EndNotAfterStart},
        {"end before start", s + 5, s + 4, {20, 1, 1}, 50.0, WaveRangeCheck::EndNotAfterStart},
        {"199 ms: shorter than 20 half cycles", s, s + 199, {20, 1, 1}, 50.0, WaveRangeCheck::ShorterThanRms},
        {"200 ms passes the RMS test", s, s + 200, {20, 1, 1}, 50.0, WaveRangeCheck::ShorterThanPst},
        {"399 ms with two harmonic windows", s, s + 399, {20, 2, 1}, 50.0, WaveRangeCheck::ShorterThanHarm},
        {"59,999 ms", s, s + 59999, {20, 1, 1}, 50.0, WaveRangeCheck::ShorterThanPst},
        {"no frequency: no RMS test", s, s + 100, {20, 1, 1}, 0.0, WaveRangeCheck::ShorterThanHarm},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckWaveRange(c.start, c.end, limits, c.windows, c.frequency), c.expected) << c.name;
    }
    EXPECT_EQ(WaveRangeCheckText(WaveRangeCheck::StartOutside), 10224u);
    EXPECT_EQ(WaveRangeCheckText(WaveRangeCheck::EndNotAfterStart), 10225u);
    EXPECT_EQ(WaveRangeCheckText(WaveRangeCheck::Valid), 0u);
}

}  // namespace

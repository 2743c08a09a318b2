#include "ZvDevice.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zvtest;

namespace {

constexpr float kVoltageScale = 0.02410888671875f;
constexpr double kPeak230 = 230.0 * 1.4142135623730951 / kVoltageScale; // counts
constexpr int kSettlingBlocks = 300;

// IEC 61000-4-15 test signal: A sin(2 pi 50 t) (1 + dV/V / 2 m(t)), m a sine or a square wave.
Signal Modulated(double relativeChange, double modulationHz, bool square, double peak = kPeak230)
{
    return [=](int c, double t) {
        if (c == 3)
            return 0.0; // neutral
        const double m = std::sin(2.0 * std::numbers::pi * modulationHz * t);
        const double modulation = square ? (m >= 0.0 ? 1.0 : -1.0) : m;
        return peak * std::sin(2.0 * std::numbers::pi * 50.0 * t - Radians(120.0 * c)) *
               (1.0 + relativeChange / 2.0 * modulation);
    };
}

DeviceOptions FlickerDevice(float rate = 25600.0f)
{
    return {.rate = rate, .voltageScale = kVoltageScale};
}

} // namespace

TEST(FlickerMeter, SinusoidalModulationAtUnitFlickerGivesUnitInstantaneousFlicker)
{
    for (float rate : {25600.0f, 6400.0f}) {
        SCOPED_TRACE("rate " + std::to_string(rate));
        Device device(FlickerDevice(rate));
        const Signal signal = Modulated(0.0025, 8.8, false);
        double highest = 0.0;
        for (int block = 0; block < kSettlingBlocks + 100; ++block) {
            device.Feed(signal, nullptr);
            if (block >= kSettlingBlocks + 50) {
                const flicker_record& f = device.Context()->flicker[0];
                highest = std::max(highest, double(*std::max_element(f.output, f.output + f.output_size)));
            }
        }
        EXPECT_NEAR(highest, 1.0, 0.08);
    }
}

TEST(FlickerMeter, RectangularModulationAtUnitFlickerGivesUnitPst)
{
    struct Case {
        float rate;
        float voltageRatio; // a VT ratio changes the scale in force, not the flicker
    };
    for (const Case& c : {Case{12800.0f, 1.0f}, Case{6400.0f, 100.0f}}) {
        SCOPED_TRACE("rate " + std::to_string(c.rate) + ", ratio " + std::to_string(c.voltageRatio));
        Device device(FlickerDevice(c.rate));
        for (unsigned ch = 0; ch < 4; ++ch)
            ASSERT_EQ(device_context_set_voltage_scale(device.Context(), ch, kVoltageScale * c.voltageRatio), 0);
        const Signal signal = Modulated(0.00894, 39.0 / 60.0 / 2.0, true);
        for (int block = 0; block < kSettlingBlocks; ++block)
            device.Feed(signal, nullptr);
        // Still settling after exactly one minute: no Pst yet.
        ASSERT_EQ(device_context_flicker_done(device.Context()), 0);
        EXPECT_EQ(device.Context()->flicker[0].pst, 0.0f);
        for (int block = 0; block < 10 * kSettlingBlocks; ++block)
            device.Feed(signal, nullptr);
        device_context_flicker_done(device.Context());
        for (int ch = 0; ch < 3; ++ch)
            EXPECT_NEAR(device.Context()->flicker[ch].pst, 1.0, 0.05) << "channel " << ch;
        // A silent channel has no flicker (and no division by its zero level).
        EXPECT_EQ(device.Context()->flicker[3].pst, 0.0f);
        const flicker_record& f = device.Context()->flicker[0];
        EXPECT_FLOAT_EQ(f.points[1], 1.0f); // every sample at or above the lowest level
        EXPECT_EQ(f.point_count, 16384);
    }
}

TEST(FlickerMeter, SteadyVoltageHasNoFlicker)
{
    Device device(FlickerDevice(6400.0f));
    const Signal steady = Modulated(0.0, 1.0, false);
    for (int block = 0; block < kSettlingBlocks + 150; ++block)
        device.Feed(steady, nullptr);
    device_context_flicker_done(device.Context());
    EXPECT_LT(device.Context()->flicker[0].pst, 0.05f);
}

TEST(FlickerMeter, EveryTwelfthPstGivesPlt)
{
    Device device(FlickerDevice(6400.0f));
    for (int block = 0; block < kSettlingBlocks; ++block)
        device.Feed(Modulated(0.005, 8.8, false), nullptr);
    device_context_flicker_done(device.Context()); // still settling: counts for nothing
    const flicker_record& f = device.Context()->flicker[0];
    ASSERT_EQ(f.pst, 0.0f);
    double cubes = 0.0;
    for (int period = 1; period <= 13; ++period) {
        // Each period has its own depth of modulation, so the Pst values differ.
        const Signal signal = Modulated(0.003 + 0.0005 * period, 8.8, false);
        for (int block = 0; block < 30; ++block)
            device.Feed(signal, nullptr);
        device_context_flicker_done(device.Context());
        SCOPED_TRACE("period " + std::to_string(period));
        ASSERT_GT(f.pst, 0.0f);
        if (period <= 12)
            cubes += double(f.pst) * f.pst * f.pst;
        if (period < 12) {
            EXPECT_EQ(f.plt, 0.0f);
        } else {
            // Set by the twelfth period, unchanged by the thirteenth.
            EXPECT_NEAR(f.plt, std::cbrt(cubes / 12.0), 1e-4 * f.plt);
        }
    }
}

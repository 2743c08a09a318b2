#include "ZvDevice.h"

#include <gtest/gtest.h>

using namespace zvtest;

namespace {

constexpr float kDetectorVoltageScale = 0.02410888671875f;

// A sine of the given RMS voltage on the three phases (half-cycle windows hold whole half waves).
Signal Rms(const double& volts)
{
    return [&volts](int c, double t) {
        return c < 3 ? Sine(volts * std::sqrt(2.0) / kDetectorVoltageScale, 50.0, 0.0, t) : 0.0;
    };
}

} // namespace

TEST(FluctuationDetector, StepChangeIsFollowedUntilSteadyAndThenForgotten)
{
    Device device({.rate = 6400.0f, .voltageScale = kDetectorVoltageScale});
    const fluctuation_record& r = device.Context()->fluctuation[1];
    double volts = 230.0;
    const Signal signal = Rms(volts);
    for (int block = 0; block < 3; ++block)
        device.Feed(signal, nullptr);
    EXPECT_EQ(r.dc, 0.0f);
    EXPECT_EQ(r.dmax, 0.0f);
    EXPECT_EQ(r.exceed_time, 0.0f);

    // 230 V to 220 V: -4.35 %. Each block holds 20 half cycles.
    volts = 220.0;
    const double change = 100.0 * 10.0 / 230.0;
    struct Expect {
        int blocks;        // blocks fed since the step
        double dc;
        double dmax;
        double exceedTime; // half cycles beyond 3.3 % x 0.1
    };
    const Expect expectations[] = {
        {1, 0.0, change, 2.0},      // changing
        {5, 0.0, change, 10.0},     // 100 values: still changing
        {6, change, change, 10.1},  // the 101st value makes it steady
        {15, change, change, 10.1}, // 299 values in the band
        {16, 0.0, 0.0, 0.0},        // 300 and more: forgotten
    };
    int fed = 0;
    for (const Expect& e : expectations) {
        SCOPED_TRACE("block " + std::to_string(e.blocks) + " after the step");
        while (fed < e.blocks) {
            device.Feed(signal, nullptr);
            ++fed;
        }
        EXPECT_NEAR(r.dc, e.dc, 0.02);
        EXPECT_NEAR(r.dmax, e.dmax, 0.02);
        EXPECT_NEAR(r.exceed_time, e.exceedTime, 1e-4);
    }
}

TEST(FluctuationDetector, DeviationAbove80PercentIsReportedAsZero)
{
    struct Case {
        double to;
        double dmax;
    };
    for (const Case& c : {Case{23.0, 0.0}, Case{250.0, 100.0 * 20.0 / 230.0}}) {
        SCOPED_TRACE("step to " + std::to_string(c.to) + " V");
        Device device({.rate = 6400.0f, .voltageScale = kDetectorVoltageScale});
        double volts = 230.0;
        const Signal signal = Rms(volts);
        device.Feed(signal, nullptr);
        volts = c.to;
        device.Feed(signal, nullptr);
        EXPECT_NEAR(device.Context()->fluctuation[0].dmax, c.dmax, 0.02);
    }
}

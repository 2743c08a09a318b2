#include "ZvDevice.h"

#include <gtest/gtest.h>

#include <complex>

using namespace zvtest;

namespace {

constexpr float kUScale = 0.02f;
constexpr float kIScale = 0.001f;

struct Phasor {
    double amplitude; // counts, peak
    double degrees;   // sine phase
};

struct ThreePhase {
    Phasor v[3];
    Phasor i[3];
};

Signal PhaseSignal(const Phasor (&p)[3], double f0 = 50.0)
{
    return [p, f0](int c, double t) { return c < 3 ? Sine(p[c].amplitude, f0, Radians(p[c].degrees), t) : 0.0; };
}

std::complex<double> Complex(const Phasor& p) { return std::polar(p.amplitude, Radians(p.degrees)); }

// Expects an angle in [0, 360) within `tolerance` of `expected` on the circle
// (359.999 and 0.001 are 0.002 apart).
void ExpectAngle(double actual, double expected, double tolerance)
{
    EXPECT_GE(actual, 0.0);
    EXPECT_LT(actual, 360.0);
    EXPECT_NEAR(std::remainder(actual - expected, 360.0), 0.0, tolerance) << actual << " for " << expected;
}

} // namespace

TEST(PowerRecord, PowerOfVoltageAndCurrentAtAKnownAngle)
{
    // 110 degrees: the raw phases of phase 1 differ by 250 degrees, which is -110.
    const double degreesOfLag[] = {0.0, 30.0, 90.0, 110.0, 150.0, -60.0};
    for (float rate : kSupportedRates) {
        for (double lag : degreesOfLag) {
            SCOPED_TRACE("rate " + std::to_string(rate) + ", current lags by " + std::to_string(lag));
            Device device({.rate = rate, .voltageScale = kUScale, .currentScale = kIScale});
            ASSERT_EQ(device_context_set_rms_points(device.Context(), int32_t(rate / 100.0f)), 0);
            const double au = 15000.0, ai = 9000.0;
            auto voltage = [&](int c, double t) {
                return c < 3 ? Sine(au, 50.0, Radians(-120.0 * c), t) + Sine(au / 10, 150.0, 0.0, t) + 400 : 0.0;
            };
            auto current = [&](int c, double t) {
                return c < 3 ? Sine(ai, 50.0, Radians(-120.0 * c - lag), t) + Sine(ai / 5, 150.0, Radians(-40), t) - 300
                             : 0.0;
            };
            device.Feed(voltage, current);
            const item_record& item = device.Item();
            const double u1 = au / std::sqrt(2.0) * kUScale, i1 = ai / std::sqrt(2.0) * kIScale;
            const double u3 = u1 / 10, i3 = i1 / 5, udc = 400 * kUScale, idc = 300 * kIScale;
            const double p1 = u1 * i1 * std::cos(Radians(lag)), p3 = u3 * i3 * std::cos(Radians(-40));
            const double p = p1 + p3 + udc * -idc;
            for (int ph = 0; ph < 3; ++ph) {
                SCOPED_TRACE("phase " + std::to_string(ph + 1));
                const power_record& r = item.power[ph];
                ASSERT_EQ(r.window_count, 20);
                const double urms = device.Context()->voltage_rms[ph].rms[7];
                const double irms = device.Context()->current_rms[ph].rms[7];
                const double s = urms * irms;
                EXPECT_NEAR(r.p[7], p, std::fabs(s) * 1e-4);
                EXPECT_NEAR(r.s[7], s, s * 1e-6);
                EXPECT_NEAR(r.q[7], std::sqrt(std::max(s * s - p * p, 0.0)), s * 2e-3);
                EXPECT_NEAR(r.power_factor[7], p / s, 1e-4);
                // Energy of a half-cycle window: power times 10 ms.
                EXPECT_NEAR(r.active_energy[7], p * 0.01 / 3600.0, std::fabs(s) * 1e-4 * 0.01 / 3600.0);
                EXPECT_NEAR(r.apparent_energy[7], s * 0.01 / 3600.0, s * 1e-6 * 0.01 / 3600.0);
                EXPECT_NEAR(r.harmonic_power[0], p1, u1 * i1 * 1e-4);
                // Differences are angles in (-pi, pi].
                EXPECT_NEAR(r.phase_difference[0], Radians(-lag), 1e-4);
                EXPECT_NEAR(r.phase_difference[2], Radians(-40.0), 1e-4);
                for (int h = 0; h < r.order_count; ++h) {
                    EXPECT_GT(r.phase_difference[h], -std::numbers::pi) << "order " << h + 1;
                    EXPECT_LE(r.phase_difference[h], std::numbers::pi) << "order " << h + 1;
                }
                EXPECT_NEAR(r.harmonic_power[2], p3, u1 * i1 * 1e-4);
                if (std::fabs(p1) > 1e-3 * u1 * i1) {
                    EXPECT_NEAR(r.harmonic_power_percent[2], 100.0 * p3 / p1, 0.05);
                    EXPECT_NEAR(r.dc_power_percent, 100.0 * udc * -idc / p1, 0.05);
                }
                EXPECT_NEAR(r.harmonic_power_sum, p3, u1 * i1 * 1e-4);
                EXPECT_NEAR(r.dc_power, udc * -idc, 1e-6); // a positive voltage offset and a negative current one
                EXPECT_NEAR(item.displacement_power_factor[ph], std::cos(Radians(lag)), 1e-4);
            }
            // Totals over the three phases.
            EXPECT_EQ(item.total_count, 20);
            const double sumP = item.power[0].p[3] + item.power[1].p[3] + item.power[2].p[3];
            const double sumQ = item.power[0].q[3] + item.power[1].q[3] + item.power[2].q[3];
            EXPECT_NEAR(item.total_p[3], sumP, 1e-3);
            EXPECT_NEAR(item.total_s[3], std::hypot(sumP, sumQ), 1e-3);
            EXPECT_NEAR(item.total_power_factor[3], sumP / std::hypot(sumP, sumQ), 1e-5);
            EXPECT_NEAR(item.total_apparent_energy[3], std::hypot(sumP, sumQ) * 0.01 / 3600.0, 1e-9);
            double energy = 0.0;
            for (int w = 0; w < item.total_count; ++w)
                energy += item.total_active_energy[w];
            EXPECT_NEAR(energy, sumP * 0.2 / 3600.0, std::fabs(sumP) * 1e-5 + 1e-9);
        }
    }
}

TEST(PowerRecord, InPhaseGivesNoReactivePowerAndUnitPowerFactor)
{
    // A square wave in phase: P equals S exactly, so the float rounding decides.
    Device device({.rate = 6400.0f});
    auto square = [](int, double t) { return Sine(1.0, 50.0, 0.1, t) >= 0 ? 3000.0 : -3000.0; };
    device.Feed(square, square);
    for (int ph = 0; ph < 3; ++ph) {
        EXPECT_EQ(device.Item().power[ph].q[0], 0.0f);
        EXPECT_EQ(device.Item().power[ph].power_factor[0], 1.0f);
    }
    // Reversed current: the power factor keeps the direction.
    device.Feed(square, [&](int c, double t) { return -square(c, t); });
    EXPECT_EQ(device.Item().power[0].q[0], 0.0f);
    EXPECT_EQ(device.Item().power[0].power_factor[0], -1.0f);
}

TEST(PowerRecord, PhaseSwitchedOffShowsZerosAndKeepsHarmonicPower)
{
    Device device({.rate = 6400.0f});
    ASSERT_EQ(device.Wire(50), 0);
    const Phasor v[3] = {{9000, 0}, {9000, -120}, {9000, 120}};
    const Phasor i[3] = {{5000, -10}, {5000, -130}, {5000, 110}};
    device.Feed(PhaseSignal(v), PhaseSignal(i));
    const float kept = device.Item().power[1].harmonic_power[0];
    ASSERT_GT(kept, 0.0f);
    ASSERT_EQ(device.Wire(1), 0); // single phase: phases 2 and 3 off
    device.Feed(PhaseSignal(v), PhaseSignal(i));
    const power_record& off = device.Item().power[1];
    EXPECT_EQ(off.window_count, 1);
    EXPECT_EQ(off.p[0], 0.0f);
    EXPECT_EQ(off.s[0], 0.0f);
    EXPECT_EQ(off.active_energy[0], 0.0f);
    EXPECT_EQ(off.power_factor[0], 0.0f);
    EXPECT_EQ(off.harmonic_power[0], kept);
    EXPECT_GT(device.Item().power[0].p[0], 0.0f);
}

TEST(PowerRecord, SymmetricalComponentsOfThreePhaseSets)
{
    struct Case {
        const char* name;
        ThreePhase set;
    };
    const Case cases[] = {
        {"balanced", {{{10000, 20}, {10000, -100}, {10000, 140}}, {{6000, 0}, {6000, -120}, {6000, 120}}}},
        {"unbalanced", {{{10000, 0}, {8000, -110}, {11000, 125}}, {{6000, -30}, {2000, -170}, {4000, 60}}}},
        {"negative sequence", {{{9000, 10}, {9000, 130}, {9000, -110}}, {{0, 0}, {0, 0}, {0, 0}}}},
    };
    const std::complex<double> a = std::polar(1.0, Radians(120.0));
    for (const auto& [c, rate] : WithEachRate(cases)) {
        SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(rate));
        Device device({.rate = rate, .voltageScale = kUScale, .currentScale = kIScale});
        device.Feed(PhaseSignal(c.set.v), PhaseSignal(c.set.i));
        const float* seq = device.Item().sequence;
        auto check = [&](const Phasor (&p)[3], double scale, int base, int angleBase) {
            const std::complex<double> x = Complex(p[0]), y = Complex(p[1]), z = Complex(p[2]);
            const double toRms = scale / std::sqrt(2.0);
            const std::complex<double> positive = (x + a * y + a * a * z) / 3.0 * toRms;
            const std::complex<double> negative = (x + a * a * y + a * z) / 3.0 * toRms;
            const std::complex<double> zero = (x + y + z) / 3.0 * toRms;
            const double tolerance = std::abs(x) * toRms * 1e-4;
            EXPECT_NEAR(seq[base + 0], std::abs(positive), tolerance);
            EXPECT_NEAR(seq[base + 1], std::abs(negative), tolerance);
            EXPECT_NEAR(seq[base + 2], std::abs(zero), tolerance);
            const bool hasPositive = std::abs(positive) > tolerance;
            if (hasPositive) {
                EXPECT_NEAR(seq[base + 3], 100.0 * std::abs(zero) / std::abs(positive), 0.01);
                EXPECT_NEAR(seq[base + 4], 100.0 * std::abs(negative) / std::abs(positive), 0.01);
            } else if (std::abs(x) == 0.0) {
                // Nothing measured at all: the ratios are 0, not 0/0.
                EXPECT_EQ(seq[base + 3], 0.0f);
                EXPECT_EQ(seq[base + 4], 0.0f);
            }
            auto angle = [](std::complex<double> v) {
                const double d = Degrees(std::arg(v));
                return d < 0 ? d + 360.0 : d;
            };
            if (hasPositive) {
                ExpectAngle(seq[angleBase + 0], angle(positive), 0.01);
            }
            if (std::abs(negative) > 100 * tolerance) {
                ExpectAngle(seq[angleBase + 1], angle(negative), 0.01);
            }
            if (std::abs(zero) > 100 * tolerance) {
                ExpectAngle(seq[angleBase + 2], angle(zero), 0.01);
            }
        };
        {
            SCOPED_TRACE("voltages");
            check(c.set.v, kUScale, ZV_SEQ_V_POSITIVE, ZV_SEQ_V_POSITIVE_ANGLE);
        }
        {
            SCOPED_TRACE("currents");
            check(c.set.i, kIScale, ZV_SEQ_I_POSITIVE, ZV_SEQ_I_POSITIVE_ANGLE);
        }
    }
}

TEST(PowerRecord, TwoWattmeterTotalEqualsPerPhaseSum)
{
    struct Case {
        const char* name;
        ThreePhase set; // currents of phases 1 and 2; phase 3 closes the three-wire sum
        bool balanced;
    };
    const Case cases[] = {
        {"balanced", {{{10000, 0}, {10000, -120}, {10000, 120}}, {{6000, -30}, {6000, -150}, {}}}, true},
        {"unbalanced", {{{10000, 5}, {8500, -115}, {11000, 128}}, {{7000, -20}, {4000, -160}, {}}}, false},
    };
    for (const auto& [c, rate] : WithEachRate(cases)) {
        SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(rate));
        ThreePhase set = c.set;
        const std::complex<double> i3 = -(Complex(set.i[0]) + Complex(set.i[1]));
        set.i[2] = {std::abs(i3), Degrees(std::arg(i3))};

        Device fourWire({.rate = rate, .voltageScale = kUScale, .currentScale = kIScale});
        ASSERT_EQ(fourWire.Wire(50), 0);
        fourWire.Feed(PhaseSignal(set.v), PhaseSignal(set.i));
        const item_record& reference = fourWire.Item();
        Device threeWire({.rate = rate, .voltageScale = kUScale, .currentScale = kIScale});
        ASSERT_EQ(threeWire.Wire(33), 0);
        threeWire.Feed(PhaseSignal(set.v), PhaseSignal(set.i));
        const item_record& item = threeWire.Item();

        EXPECT_NEAR(item.total_p[0], reference.total_p[0], std::fabs(reference.total_s[0]) * 1e-4);
        if (c.balanced) {
            EXPECT_NEAR(item.total_s[0], reference.total_s[0], reference.total_s[0] * 1e-4);
            EXPECT_NEAR(item.total_q[0], reference.total_q[0], reference.total_s[0] * 1e-3);
            EXPECT_NEAR(item.total_power_factor[0], reference.total_power_factor[0], 1e-4);
        }
        for (int ph = 0; ph < 4; ++ph)
            EXPECT_EQ(item.power[ph].p[0], 0.0f) << "phase " << ph + 1;
    }
}

TEST(PowerRecord, SmallSequenceComponentsKeepTheirFullQuadrantAngle)
{
    // Components far below the phases (a few tenths of a percent) but above
    // the threshold of a thousandth of a phase: their angle is the textbook
    // one in [0, 360), not snapped to +90 or -90 degrees.
    struct Case {
        const char* name;
        std::complex<double> negative; // RMS counts
        std::complex<double> zero;
    };
    const Case cases[] = {
        {"negative at 60 degrees", std::polar(10.0, Radians(60.0)), {}},
        {"negative at -60 degrees", std::polar(10.0, Radians(-60.0)), {}},
        {"zero at 110 degrees", {}, std::polar(10.0, Radians(110.0))},
        {"zero at 265 degrees", {}, std::polar(12.0, Radians(265.0))},
    };
    const std::complex<double> a = std::polar(1.0, Radians(120.0));
    const std::complex<double> positive = std::polar(7000.0, Radians(15.0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::complex<double> phases[3] = {positive + c.negative + c.zero,
                                                a * a * positive + a * c.negative + c.zero,
                                                a * positive + a * a * c.negative + c.zero};
        Phasor v[3];
        for (int p = 0; p < 3; ++p)
            v[p] = {std::abs(phases[p]) * std::sqrt(2.0), Degrees(std::arg(phases[p]))};
        Device device;
        device.Feed(PhaseSignal(v), nullptr);
        const float* seq = device.Item().sequence;
        auto angle = [](std::complex<double> x) {
            const double d = Degrees(std::arg(x));
            return d < 0 ? d + 360.0 : d;
        };
        ExpectAngle(seq[ZV_SEQ_V_POSITIVE_ANGLE], angle(positive), 0.01);
        if (std::abs(c.negative) > 0.0) {
            EXPECT_NEAR(seq[ZV_SEQ_V_NEGATIVE], std::abs(c.negative), 0.05);
            ExpectAngle(seq[ZV_SEQ_V_NEGATIVE_ANGLE], angle(c.negative), 0.5);
        }
        if (std::abs(c.zero) > 0.0) {
            EXPECT_NEAR(seq[ZV_SEQ_V_ZERO], std::abs(c.zero), 0.05);
            ExpectAngle(seq[ZV_SEQ_V_ZERO_ANGLE], angle(c.zero), 0.5);
        }
    }
    // Components below the threshold have no angle: 0.
    const Phasor balanced[3] = {{9000, 0}, {9000, -120}, {9000, 120}};
    Device device;
    device.Feed(PhaseSignal(balanced), nullptr);
    EXPECT_EQ(device.Item().sequence[ZV_SEQ_V_NEGATIVE_ANGLE], 0.0f);
    EXPECT_EQ(device.Item().sequence[ZV_SEQ_V_ZERO_ANGLE], 0.0f);
}

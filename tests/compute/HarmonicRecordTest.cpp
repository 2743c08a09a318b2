#include "ZvDevice.h"

#include <gtest/gtest.h>

using namespace zvtest;

namespace {

double Wrap360(double degrees)
{
    double value = std::fmod(degrees, 360.0);
    return value < 0.0 ? value + 360.0 : value;
}

// Voltages: fundamental, 3rd and 5th harmonic, one interharmonic, a
// high-frequency tone (an order above 40, inside a 200 Hz band) and a DC offset; phase c lags by 120 degrees.
// Currents: fundamental lagging 25 degrees with 3rd and 5th harmonic; the
// fourth current channel is silent.
struct MultiTone {
    double f0;
    double hf;
    static constexpr double kU1 = 12000.0, kU3 = 900.0, kU5 = 600.0, kUi = 300.0, kUhf = 200.0, kDc = 500.0;
    static constexpr double kI1 = 8000.0, kI3 = 2000.0, kI5 = 1000.0;
    static constexpr double kTheta1 = 30.0, kTheta3 = 10.0, kTheta5 = 200.0, kLag = 25.0;

    double Voltage(int c, double t) const
    {
        const double shift = -120.0 * c;
        return Sine(kU1, f0, Radians(kTheta1 + shift), t) + Sine(kU3, 3 * f0, Radians(kTheta3), t) +
               Sine(kU5, 5 * f0, Radians(kTheta5), t) + Sine(kUi, 1.5 * f0, 0.3, t) + Sine(kUhf, hf, 1.0, t) +
               kDc;
    }
    double Current(int c, double t) const
    {
        if (c == 3)
            return 0.0;
        const double shift = -120.0 * c - kLag;
        return Sine(kI1, f0, Radians(kTheta1 + shift), t) + Sine(kI3, 3 * f0, Radians(kTheta3), t) +
               Sine(kI5, 5 * f0, Radians(kTheta5), t);
    }
};

} // namespace

TEST(HarmonicRecord, AnalyticTonesAtEachRate)
{
    struct Case {
        float rate;
        int32_t nominal;
        double hf;  // Hz
        int hfBand; // the 200 Hz band that holds it
    };
    // 2100 Hz is order 42 at 50 Hz (first band); 2460 Hz is order 41 at 60 Hz (third band).
    const Case cases[] = {{25600.0f, 50, 2100.0, 0}, {12800.0f, 50, 2100.0, 0}, {6400.0f, 50, 2100.0, 0},
                          {25600.0f, 60, 2460.0, 2}, {12800.0f, 60, 2460.0, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE("rate " + std::to_string(c.rate) + ", " + std::to_string(c.nominal) + " Hz");
        const float scale = 0.5f;
        Device device({.rate = c.rate, .nominal = c.nominal, .voltageScale = scale});
        ASSERT_EQ(device.InitResult(), 0);
        const MultiTone tone{double(c.nominal), c.hf};
        device.Feed([&](int ch, double t) { return tone.Voltage(ch, t); },
                    [&](int ch, double t) { return tone.Current(ch, t); });
        const device_context& ctx = *device.Context();
        const double rms1 = MultiTone::kU1 / std::sqrt(2.0) * scale;
        const double tolerance = rms1 * 2e-4;
        for (int ch = 0; ch < 3; ++ch) {
            SCOPED_TRACE("voltage channel " + std::to_string(ch));
            const harmonic_record& h = ctx.voltage_harmonic[ch];
            EXPECT_NEAR(h.harmonic[0], rms1, tolerance);
            EXPECT_NEAR(h.subgroup[0], rms1, tolerance);
            EXPECT_NEAR(h.harmonic[2], MultiTone::kU3 / std::sqrt(2.0) * scale, tolerance);
            EXPECT_NEAR(h.harmonic[4], MultiTone::kU5 / std::sqrt(2.0) * scale, tolerance);
            EXPECT_NEAR(h.harmonic[1], 0.0, tolerance);
            EXPECT_NEAR(h.subgroup[4], MultiTone::kU5 / std::sqrt(2.0) * scale, tolerance);
            EXPECT_NEAR(h.interharmonic[1], MultiTone::kUi / std::sqrt(2.0) * scale, tolerance);
            EXPECT_NEAR(h.interharmonic[0], 0.0, tolerance);
            EXPECT_NEAR(h.band[c.hfBand], MultiTone::kUhf / std::sqrt(2.0) * scale, tolerance);
            EXPECT_NEAR(h.dc, MultiTone::kDc * scale, tolerance);
            EXPECT_NEAR(h.dc_percent, 100.0 * MultiTone::kDc * scale / rms1, 0.01);
            const double thd = 100.0 * std::hypot(MultiTone::kU3, MultiTone::kU5) / MultiTone::kU1;
            EXPECT_NEAR(h.thd, thd, 0.01);
            EXPECT_NEAR(h.interharmonic_thd, 100.0 * MultiTone::kUi / MultiTone::kU1, 0.01);
            EXPECT_NEAR(h.band_thd, c.hfBand > 0 ? 100.0 * MultiTone::kUhf / MultiTone::kU1 : 0.0, 0.01);
            EXPECT_NEAR(h.harmonic_percent[2], 100.0 * MultiTone::kU3 / MultiTone::kU1, 0.01);
            EXPECT_NEAR(h.subgroup_percent[4], 100.0 * MultiTone::kU5 / MultiTone::kU1, 0.01);
            EXPECT_NEAR(h.band_percent[c.hfBand], 100.0 * MultiTone::kUhf / MultiTone::kU1, 0.01);
            // Orders 2 and up include the high-frequency tone, which THD leaves out.
            const double above = std::hypot(std::hypot(MultiTone::kU3, MultiTone::kU5), MultiTone::kUhf);
            EXPECT_NEAR(h.subgroup_rms, above / std::sqrt(2.0) * scale, tolerance);
            // Phases are referred to the fundamental of voltage channel 1, in degrees.
            const double theta1 = MultiTone::kTheta1;
            EXPECT_NEAR(h.phase[0], Wrap360(-120.0 * ch), 0.01);
            EXPECT_NEAR(h.phase[2], Wrap360(MultiTone::kTheta3 - 3 * theta1), 0.01);
            EXPECT_NEAR(h.phase[4], Wrap360(MultiTone::kTheta5 - 5 * theta1), 0.01);
        }
        EXPECT_EQ(ctx.voltage_harmonic[0].phase[0], 0.0f);
        for (int ch = 0; ch < 3; ++ch) {
            SCOPED_TRACE("current channel " + std::to_string(ch));
            EXPECT_NEAR(ctx.current_harmonic[ch].phase[0], Wrap360(-120.0 * ch - MultiTone::kLag), 0.01);
            const double k = (MultiTone::kI1 * MultiTone::kI1 + 9 * MultiTone::kI3 * MultiTone::kI3 +
                              25 * MultiTone::kI5 * MultiTone::kI5) /
                             (MultiTone::kI1 * MultiTone::kI1 + MultiTone::kI3 * MultiTone::kI3 +
                              MultiTone::kI5 * MultiTone::kI5);
            EXPECT_NEAR(device.Item().k_factor[ch], k, 1e-3);
        }
        // A silent channel: everything 0.
        const harmonic_record& silent = ctx.current_harmonic[3];
        EXPECT_EQ(silent.thd, 0.0f);
        EXPECT_EQ(silent.interharmonic_thd, 0.0f);
        EXPECT_EQ(silent.band_thd, 0.0f);
        EXPECT_EQ(silent.dc_percent, 0.0f);
        EXPECT_EQ(silent.subgroup_percent[0], 0.0f);
        EXPECT_EQ(silent.harmonic_percent[2], 0.0f);
        EXPECT_EQ(device.Item().k_factor[3], 0.0f);
    }
}

// A band that reaches half the rate sums the bins below it; bands beyond it are 0
// and nothing is mirrored into them.
TEST(HarmonicRecord, BandsUpToHalfTheRate)
{
    struct Case {
        float rate;
        double tone;       // Hz
        int toneBand;      // band that holds the tone
        int firstZeroBand; // first band starting at or past half the rate
    };
    const Case cases[] = {
        {12800.0f, 6000.0, 19, 22},
        {12800.0f, 6395.0, 21, 22}, // bins 1241..1280: all but the last lie below half the rate
        {6400.0f, 3000.0, 4, 6},
        {6400.0f, 3195.0, 5, 6},    // bins 601..640
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("rate " + std::to_string(c.rate) + ", tone " + std::to_string(c.tone));
        Device device({.rate = c.rate});
        device.Feed([&](int, double t) { return Sine(10000.0, 50.0, 0.0, t) + Sine(4000.0, c.tone, 0.2, t); },
                    nullptr);
        const harmonic_record& h = device.Context()->voltage_harmonic[0];
        for (int b = 0; b < h.band_count; ++b) {
            const double expected = b == c.toneBand ? 4000.0 / std::sqrt(2.0) : 0.0;
            EXPECT_NEAR(h.band[b], expected, 1.0) << "band " << b;
            if (b >= c.firstZeroBand) {
                EXPECT_EQ(h.band[b], 0.0f) << "band " << b;
            }
        }
        EXPECT_NEAR(h.band_thd, 100.0 * 4000.0 / 10000.0, 0.01);
        EXPECT_NEAR(h.band_percent[c.toneBand], 100.0 * 4000.0 / 10000.0, 0.01);
    }
}

TEST(HarmonicRecord, HighestBandsAreComputedAt25600)
{
    Device device;
    device.Feed([](int, double t) { return Sine(10000.0, 50.0, 0.0, t) + Sine(3000.0, 8900.0, 0.0, t); }, nullptr);
    const harmonic_record& h = device.Context()->voltage_harmonic[0];
    ASSERT_EQ(h.band_count, 35);
    EXPECT_NEAR(h.band[34], 3000.0 / std::sqrt(2.0), 1.0); // bins 1761..1800
}

TEST(HarmonicRecord, TheSpectrumIsHalfComplexAtEvenAndOddBlockLengths)
{
    // 6405 samples per second make a block of 1281 samples: an odd length has no bin
    // at half the rate.
    for (const float rate : {6400.0f, 6405.0f}) {
        Device device({.rate = rate, .bands = 6});
        ASSERT_EQ(device.InitResult(), 0) << rate;
        device.Feed([](int c, double t) { return Sine(9000.0, 50.0, 0.4 * c, t) + Sine(700.0, 235.0, 1.0, t) + 300.0; },
                    nullptr);
        const fft_record& fft = device.Context()->voltage_fft[1];
        const int32_t n = fft.length;
        ASSERT_EQ(n, device.Points());
        const int32_t* x = device.Voltage(1);
        double magnitude = 0.0;
        for (int32_t k = 0; k < n; ++k)
            magnitude += std::fabs(double(x[k]));
        for (const int32_t bin : {0, 1, 10, 47, (n - 1) / 2, n / 2}) {
            double re = 0.0, im = 0.0;
            for (int32_t k = 0; k < n; ++k) {
                const double angle = 2.0 * std::numbers::pi * double(bin) * k / n;
                re += x[k] * std::cos(angle);
                im -= x[k] * std::sin(angle);
            }
            EXPECT_NEAR(fft.output[bin], re, 1e-5 * magnitude) << "real part of bin " << bin << ", length " << n;
            if (bin > 0 && 2 * bin < n) {
                EXPECT_NEAR(fft.output[n - bin], im, 1e-5 * magnitude)
                    << "imaginary part of bin " << bin << ", length " << n;
            }
        }
    }
}

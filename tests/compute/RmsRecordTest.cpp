#include "ZvDevice.h"

#include <gtest/gtest.h>

using namespace zvtest;

TEST(RmsRecord, HalfCycleWindowsOfABlock)
{
    for (float rate : kSupportedRates) {
        SCOPED_TRACE("rate " + std::to_string(rate));
        Device device({.rate = rate});
        ASSERT_EQ(device_context_set_rms_points(device.Context(), int32_t(rate / 100.0f)), 0);
        const double amplitude = 20000.0;
        device.Feed([&](int, double t) { return Sine(amplitude, 50.0, 0.0, t); }, nullptr);
        const rms_record& rms = device.Context()->voltage_rms[0];
        EXPECT_EQ(rms.window_count, 20);
        EXPECT_EQ(rms.carried_count, 0);
        for (int w = 0; w < rms.window_count; ++w) {
            SCOPED_TRACE("window " + std::to_string(w));
            EXPECT_NEAR(rms.rms[w], amplitude / std::sqrt(2.0), 0.5);
            // Even windows hold the positive half wave, odd ones the negative.
            EXPECT_NEAR(w % 2 ? -rms.smallest[w] : rms.largest[w], amplitude, 1.0);
            EXPECT_NEAR(rms.crest_factor[w], std::sqrt(2.0), 1e-3);
            EXPECT_NEAR(rms.form_factor[w], std::numbers::pi / (2.0 * std::sqrt(2.0)), 1e-3);
        }
        // The half-cycle record has the same windows from the start.
        EXPECT_EQ(device.Context()->voltage_half_rms[0].window_count, 20);
    }
}

TEST(RmsRecord, SquareWaveHasUnitCrestAndFormFactor)
{
    Device device({.rate = 6400.0f, .voltageScale = 0.5f});
    device.Feed([](int, double t) { return Sine(1.0, 50.0, 0.1, t) >= 0 ? 1000.0 : -1000.0; }, nullptr);
    const rms_record& rms = device.Context()->voltage_rms[1];
    ASSERT_EQ(rms.window_count, 1);
    EXPECT_FLOAT_EQ(rms.rms[0], 500.0f);
    EXPECT_FLOAT_EQ(rms.largest[0], 500.0f);
    EXPECT_FLOAT_EQ(rms.smallest[0], -500.0f);
    EXPECT_FLOAT_EQ(rms.crest_factor[0], 1.0f);
    EXPECT_FLOAT_EQ(rms.form_factor[0], 1.0f);
}

TEST(RmsRecord, IncompleteWindowIsCarriedIntoTheNextBlock)
{
    // 1000-sample blocks (5000 samples per second) with windows of 300: the
    // second block's first window combines 100 carried samples with 200 new ones.
    Device device({.rate = 5000.0f, .harmonics = 20, .groups = 20, .interharmonics = 20, .bands = 0});
    ASSERT_EQ(device.InitResult(), 0);
    ASSERT_EQ(device_context_set_rms_points(device.Context(), 300), 0);
    int block = 0;
    auto steps = [&](int, double) { return block == 0 ? 100.0 : 400.0; };
    device.Feed(steps, nullptr);
    const rms_record& rms = device.Context()->voltage_rms[0];
    EXPECT_EQ(rms.window_count, 3);
    EXPECT_EQ(rms.carried_count, 100);
    EXPECT_EQ(rms.carried_sum_squares, 100u * 100u * 100u);
    block = 1;
    device.Feed(steps, nullptr);
    EXPECT_EQ(rms.window_count, 3);
    EXPECT_EQ(rms.carried_count, 200);
    EXPECT_FLOAT_EQ(rms.rms[0], float(std::sqrt((100.0 * 100 * 100 + 200.0 * 400 * 400) / 300.0)));
    // Extremes of the straddling window cover only its samples in this block.
    EXPECT_FLOAT_EQ(rms.smallest[0], 400.0f);
    EXPECT_FLOAT_EQ(rms.rms[1], 400.0f);
    EXPECT_EQ(rms.block_sum_squares, 1000u * 400u * 400u);

    // Resetting the item forgets the carry.
    EXPECT_EQ(device_context_zv_reset_by_name(device.Context(), "4U4I"), 0);
    EXPECT_EQ(rms.carried_count, 0);
    EXPECT_EQ(rms.carried_sum_squares, 0u);
}

TEST(RmsRecord, ZeroSignalGivesZeroFactors)
{
    Device device({.rate = 6400.0f});
    device.Feed(nullptr, nullptr);
    const rms_record& rms = device.Context()->current_rms[0];
    EXPECT_EQ(rms.rms[0], 0.0f);
    EXPECT_EQ(rms.crest_factor[0], 0.0f);
    EXPECT_EQ(rms.form_factor[0], 0.0f);
}

TEST(RmsRecord, WindowsThatWouldOverflowTheRecordAreRefused)
{
    Device device({.rate = 6400.0f});
    EXPECT_EQ(device_context_set_rms_points(device.Context(), 40), 0);  // 32 windows
    EXPECT_EQ(device_context_set_rms_points(device.Context(), 39), -1); // 33 windows
    EXPECT_EQ(device_context_set_rms_points(device.Context(), 0), -1);
    EXPECT_EQ(device_context_set_rms_points(nullptr, 64), -1);
    EXPECT_EQ(device.Context()->voltage_rms[0].window, 40);
}

#include "ZvDevice.h"

#include <gtest/gtest.h>

using namespace zvtest;

TEST(DeviceContext, BuildsRecordsForEachSupportedRate)
{
    struct Case {
        float rate;
        int32_t bands;
        int32_t halfCycle;
    };
    for (const Case& c : {Case{25600.0f, 35, 256}, Case{12800.0f, 35, 128}, Case{6400.0f, 6, 64}}) {
        SCOPED_TRACE("rate " + std::to_string(c.rate));
        Device device({.rate = c.rate, .voltageScale = 0.25f, .currentScale = 0.5f});
        ASSERT_EQ(device.InitResult(), 0);
        device_context& ctx = *device.Context();
        EXPECT_EQ(ctx.cycles_per_interval, 10);
        EXPECT_EQ(ctx.samples_per_cycle, int32_t(c.rate) / 50);
        EXPECT_EQ(ctx.item_count, 1);
        EXPECT_STREQ(ctx.device_name, "K7700");
        EXPECT_EQ(ctx.voltage_harmonic[2].band_count, c.bands);
        EXPECT_EQ(ctx.voltage_rms[0].window, device.Points());
        EXPECT_EQ(ctx.voltage_half_rms[0].window, c.halfCycle);
        EXPECT_EQ(ctx.current_half_rms[3].scale, 0.5f);
        EXPECT_EQ(ctx.voltage_fft[1].scale, 0.25f);
        for (int32_t s : ctx.switches)
            EXPECT_EQ(s, 1);
        item_record& item = device.Item();
        EXPECT_STREQ(item.name, "4U4I");
        EXPECT_EQ(item.context, &ctx);
        EXPECT_EQ(item.wiring_type, 7);
        EXPECT_EQ(item.power_scale, 1.0f);
        EXPECT_EQ(item.voltage_rms[2], &ctx.voltage_rms[2]);
        EXPECT_EQ(item.current_harmonic[3], &ctx.current_harmonic[3]);
        EXPECT_EQ(item.callback_count, 1);
        EXPECT_EQ(item.callbacks[0], &item.three_wire);
        EXPECT_EQ(item.three_wire.priority, 10);
        EXPECT_EQ(item.three_wire.enabled, 0);
        EXPECT_EQ(item.power[3].harmonic_power_on, 0);
        EXPECT_EQ(item.power[0].order_count, 50);
    }
}

TEST(DeviceContext, RefusesConfigurationsItCannotCompute)
{
    struct Case {
        const char* name;
        DeviceOptions options;
        int32_t intervalPoints; // 0: rate / 5
        int32_t badChannel;     // voltage channel index written into the item, -1: none
    };
    const Case cases[] = {
        {"orders past half the rate", {.rate = 5000.0f}, 0, -1},
        {"interharmonic groups past half the rate", {.rate = 4000.0f, .harmonics = 20, .groups = 20}, 0, -1},
        {"interval not 200 ms", {.rate = 25600.0f}, 4096, -1},
        {"no nominal frequency", {.nominal = 0}, 0, -1},
        {"nominal frequency below four cycles per interval", {.nominal = 15}, 0, -1},
        {"zero sample rate", {.rate = 0.0f}, 0, -1},
        {"negative order count", {.harmonics = -1}, 0, -1},
        {"item names a missing channel", {}, 0, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        item_spec items[2] = {{{0, 1, 2, c.badChannel >= 0 ? c.badChannel : 3}, {0, 1, 2, 3}, nullptr},
                              {{-1, 0, 0, 0}, {0, 0, 0, 0}, nullptr}};
        device_config config{};
        config.voltage_channels = 4;
        config.current_channels = 4;
        config.sample_rate = c.options.rate;
        config.interval_points = c.intervalPoints ? c.intervalPoints : int32_t(c.options.rate / 5.0f);
        config.voltage_scale = config.current_scale = 1.0f;
        config.harmonic_count = c.options.harmonics;
        config.harmonic_group_count = c.options.groups;
        config.interharmonic_count = c.options.interharmonics;
        config.band_count = 35;
        config.nominal_frequency = c.options.nominal;
        config.items = items;
        device_context context;
        std::memset(&context, 0x5a, sizeof context);
        EXPECT_EQ(device_context_init(&context, &config), -1);
        // A refused context is empty: it computes nothing and destroys cleanly.
        EXPECT_EQ(context.voltage_rms, nullptr);
        EXPECT_EQ(context.item_count, 0);
        int16_t block[4] = {};
        EXPECT_EQ(device_context_input(&context, block, 4, block, 4), -1);
        EXPECT_EQ(device_context_destroy(&context), 0);
    }
    EXPECT_EQ(device_context_init(nullptr, nullptr), -1);
}

TEST(DeviceContext, EveryBlockCompletesOneIntervalAndUpdatesFluctuation)
{
    Device device({.rate = 6400.0f});
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(device.Feed([](int, double t) { return Sine(9000.0, 50.0, 0.0, t); }, nullptr), 225);
    Device noVoltage({.rate = 6400.0f, .voltageChannels = 0});
    ASSERT_EQ(noVoltage.InitResult(), -1); // the item names voltage channels
}

TEST(DeviceContext, ShortOrMissingBlocksAreRefused)
{
    Device device({.rate = 6400.0f});
    std::vector<int16_t> block(4 * 1280);
    EXPECT_EQ(device_context_input(device.Context(), block.data(), 4 * 1280 - 1, block.data(), 4 * 1280), -1);
    EXPECT_EQ(device_context_input(device.Context(), block.data(), 4 * 1280, nullptr, 4 * 1280), -1);
    EXPECT_EQ(device_context_input(nullptr, block.data(), 4 * 1280, block.data(), 4 * 1280), -1);
    EXPECT_EQ(device_context_input(device.Context(), block.data(), 4 * 1280, block.data(), 4 * 1280), 225);
}

TEST(DeviceContext, ScalesAndAccessorsCheckTheirArguments)
{
    Device device({.rate = 6400.0f});
    device_context* ctx = device.Context();
    EXPECT_EQ(device_context_set_voltage_scale(ctx, 3, 2.0f), 0);
    EXPECT_EQ(ctx->voltage_rms[3].scale, 2.0f);
    EXPECT_EQ(ctx->voltage_half_rms[3].scale, 2.0f);
    EXPECT_EQ(ctx->voltage_fft[3].scale, 2.0f);
    EXPECT_EQ(device_context_set_voltage_scale(ctx, 4, 3.0f), -1);
    EXPECT_EQ(device_context_set_current_scale(ctx, 0, 4.0f), 0);
    EXPECT_EQ(ctx->current_fft[0].scale, 4.0f);
    EXPECT_EQ(device_context_set_current_scale(ctx, 4, 3.0f), -1);
    EXPECT_EQ(device_context_set_current_scale(nullptr, 0, 3.0f), -1);

    EXPECT_EQ(device_context_get_zv_by_index(ctx, 0), &device.Item());
    EXPECT_EQ(device_context_get_zv_by_index(ctx, 1), nullptr);
    EXPECT_EQ(device_context_get_zv_by_name(ctx, "4U4I"), &device.Item());
    EXPECT_EQ(device_context_get_zv_by_name(ctx, "4U4"), nullptr);
    EXPECT_EQ(device_context_zv_reset_by_name(ctx, "3U3I"), -1);
    EXPECT_EQ(device_context_zv_reset(nullptr), -1);
}

TEST(DeviceContext, EmptyItemListGivesNoItemRecords)
{
    item_spec end{{-1, 0, 0, 0}, {0, 0, 0, 0}, nullptr};
    device_config config{};
    config.voltage_channels = 1;
    config.current_channels = 1;
    config.sample_rate = 6400.0f;
    config.interval_points = 1280;
    config.voltage_scale = config.current_scale = 1.0f;
    config.harmonic_count = config.harmonic_group_count = config.interharmonic_count = 50;
    config.band_count = 6;
    config.nominal_frequency = 50;
    config.items = &end;
    device_context context{};
    ASSERT_EQ(device_context_init(&context, &config), 0);
    EXPECT_EQ(context.item_count, 0);
    EXPECT_EQ(device_context_get_zv_by_index(&context, 0), nullptr);
    EXPECT_EQ(device_context_zv_reset_by_name(&context, "4U4I"), -1);
    std::vector<int16_t> block(1280, 100);
    EXPECT_EQ(device_context_input(&context, block.data(), 1280, block.data(), 1280), 225);
    EXPECT_EQ(device_context_destroy(&context), 0);
    EXPECT_EQ(context.voltage_fft, nullptr);
}

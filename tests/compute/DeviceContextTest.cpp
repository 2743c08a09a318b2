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

namespace {

// Every result of the item after a block, bit for bit.
std::vector<unsigned char> Results(device_context& ctx)
{
    std::vector<unsigned char> bytes;
    const auto add = [&bytes](const void* data, size_t size) {
        const auto* begin = static_cast<const unsigned char*>(data);
        bytes.insert(bytes.end(), begin, begin + size);
    };
    const item_record& item = *device_context_get_zv_by_index(&ctx, 0);
    for (int p = 0; p < 4; ++p) {
        for (const rms_record* rms : {item.voltage_rms[p], item.current_rms[p], item.voltage_half_rms[p],
                                      item.current_half_rms[p]})
            add(rms, sizeof *rms);
        for (const harmonic_record* h : {item.voltage_harmonic[p], item.current_harmonic[p]}) {
            add(&h->thd, 4 * sizeof(float));
            add(h->harmonic, sizeof(float) * size_t(h->harmonic_count));
            add(h->phase, sizeof(float) * size_t(h->harmonic_count));
            add(h->subgroup, sizeof(float) * size_t(h->group_count));
            add(h->interharmonic, sizeof(float) * size_t(h->interharmonic_count));
            add(h->band, sizeof(float) * size_t(h->band_count));
        }
        const power_record& power = item.power[p];
        add(&power.window_count, offsetof(power_record, order_count) - offsetof(power_record, window_count));
        add(power.harmonic_power, sizeof(float) * size_t(power.order_count));
        add(&item.flicker[p]->pst, 2 * sizeof(float));
        add(item.flicker[p]->output, sizeof(float) * ZV_FLICKER_OUTPUT);
        add(&item.fluctuation[p]->dc, 3 * sizeof(float));
    }
    add(&item.total_count, offsetof(item_record, sample_rate) - offsetof(item_record, total_count));
    add(&item.three_wire.p, 4 * sizeof(float));
    return bytes;
}

// 230 V phases with harmonics, flicker at 5 Hz (a whole number of periods per block,
// so a block's values do not depend on when it is fed) and, when asked, a dip of the
// first phase; currents lagging with harmonics.
struct Supply {
    double modulation;
    bool dip;
};

int FeedBlock(Device& device, const Supply& signal, int block)
{
    const int32_t s = device.Points();
    const double rate = device.Rate();
    const bool dipping = signal.dip && block % 40 >= 10 && block % 40 < 14;
    for (int c = 0; c < 4; ++c)
        for (int32_t n = 0; n < s; ++n) {
            const double t = double(n) / rate;
            const double shift = -2.0 * std::numbers::pi / 3.0 * c;
            const double level = (c == 0 && dipping ? 0.8 : 1.0) * (1.0 + signal.modulation * std::sin(10.0 * std::numbers::pi * t));
            const double u = c == 3 ? 0.0 : 9000.0 * level * (std::sin(100.0 * std::numbers::pi * t + shift) +
                                                             0.04 * std::sin(500.0 * std::numbers::pi * t + shift));
            const double i = 6000.0 * (std::sin(100.0 * std::numbers::pi * t + shift - 0.5) +
                                       0.1 * std::sin(300.0 * std::numbers::pi * t + shift));
            device.VoltageBlock()[size_t(c) * size_t(s) + size_t(n)] = static_cast<int16_t>(std::lround(u));
            device.CurrentBlock()[size_t(c) * size_t(s) + size_t(n)] = static_cast<int16_t>(std::lround(i));
        }
    return device_context_input(device.Context(), device.VoltageBlock().data(), 4 * s, device.CurrentBlock().data(), 4 * s);
}

// What the record-analysis pool does with a context before a record: the wiring, the
// channel scales, the RMS window; then blocks, a flicker period closed every minute.
std::vector<std::vector<unsigned char>> Analyse(Device& device, int32_t wiring, int32_t integrate, float scale,
                                                int32_t rmsPoints, const Supply& signal, int blocks)
{
    EXPECT_EQ(device.Wire(wiring, integrate), 0);
    for (unsigned c = 0; c < 4; ++c) {
        device_context_set_voltage_scale(device.Context(), c, scale);
        device_context_set_current_scale(device.Context(), c, scale / 4);
    }
    EXPECT_EQ(device_context_set_rms_points(device.Context(), rmsPoints), 0);
    std::vector<std::vector<unsigned char>> results;
    for (int b = 0; b < blocks; ++b) {
        EXPECT_GT(FeedBlock(device, signal, b), 0);
        if ((b + 1) % 300 == 0)
            device_context_flicker_done(device.Context());
        results.push_back(Results(*device.Context()));
    }
    return results;
}

} // namespace

// A context reset after one record analyses the next as a context built for it does,
// bit for bit: RMS windows carried over, flicker meters part-way through a period or
// settled, fluctuation detectors after a dip, the wiring and integration of the last
// record, none of them may leak into the next.
TEST(DeviceContext, AResetContextAnalysesAsANewOne)
{
    struct Record {
        int32_t wiring;
        int32_t integrate;
        float scale;
        int32_t rmsPoints;
        Supply signal;
        int blocks;
    };
    struct Case {
        const char* name;
        Record first, second;
    };
    const Case cases[] = {
        {"a settled flicker meter and a dip before", {49, 1, 0.05f, 700, {0.01, true}, 320}, {50, 0, 0.02f, 64, {0.002, false}, 330}},
        {"part of a window and a period before", {50, 0, 0.02f, 900, {0.004, false}, 7}, {50, 0, 0.02f, 64, {0.004, true}, 305}},
        {"a three-wire wiring, then an unknown one", {33, 0, 0.03f, 64, {0.0, true}, 45}, {12345, 0, 0.03f, 64, {0.0, false}, 20}},
    };
    for (const Case& c : cases) {
        Device reused({.rate = 6400.0f});
        ASSERT_EQ(reused.InitResult(), 0) << c.name;
        const Record& a = c.first;
        Analyse(reused, a.wiring, a.integrate, a.scale, a.rmsPoints, a.signal, a.blocks);
        ASSERT_EQ(device_context_reset(reused.Context()), 0) << c.name;
        EXPECT_EQ(reused.Context()->chain, nullptr) << c.name << ": the wiring chain is bound again per record";

        Device fresh({.rate = 6400.0f});
        const Record& b = c.second;
        const auto expected = Analyse(fresh, b.wiring, b.integrate, b.scale, b.rmsPoints, b.signal, b.blocks);
        const auto actual = Analyse(reused, b.wiring, b.integrate, b.scale, b.rmsPoints, b.signal, b.blocks);
        ASSERT_EQ(actual.size(), expected.size()) << c.name;
        for (size_t block = 0; block < expected.size(); ++block)
            ASSERT_TRUE(actual[block] == expected[block]) << c.name << ": block " << block << " differs";
    }
    device_context empty{};
    EXPECT_EQ(device_context_reset(&empty), -1) << "a context never built";
    EXPECT_EQ(device_context_reset(nullptr), -1);
}

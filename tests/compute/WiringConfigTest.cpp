#include "ZvDevice.h"

#include <gtest/gtest.h>

#include <array>

using namespace zvtest;

namespace {

// Every channel carries a distinct constant, so each transform is visible sample by sample.
constexpr std::array<int, 4> kU = {1000, 300, -200, 50};
constexpr std::array<int, 4> kI = {70, -20, 30, 9};

Signal Constants(const std::array<int, 4>& values)
{
    return [values](int c, double) { return double(values[size_t(c)]); };
}

} // namespace

TEST(WiringConfig, TransformsSamplesAndSwitchesPowerByWiringCode)
{
    struct Case {
        int32_t code;
        std::array<int, 4> u;
        std::array<int, 4> i;
        std::array<int, 4> power;
        int threeWire;
        int type;
    };
    const int u1 = kU[0], u2 = kU[1], u3 = kU[2], u4 = kU[3];
    const int i1 = kI[0], i2 = kI[1], i3 = kI[2], i4 = kI[3];
    const Case cases[] = {
        {1, {u1 - u4, 0, 0, u4}, {i1, 0, 0, 0}, {1, 0, 0, 1}, 0, 0},
        {2, {u1 - u2, 0, 0, 0}, {i1, 0, 0, 0}, {1, 0, 0, 0}, 0, 1},
        {17, {u1 - u4, u2 - u4, 0, u4}, {i1, 0, 0, 0}, {1, 1, 0, 1}, 0, 2},
        {33, {u1 - u2, u2 - u3, u3 - u1, 0}, {i1, i2, i3, 0}, {0, 0, 0, 0}, 1, 3},
        {34, {u1 - u2, u2 - u3, u3 - u1, 0}, {i1, -(i1 + i3), i3, 0}, {0, 0, 0, 0}, 1, 4},
        {35, {u1 - u2, u2 - u3, u3 - u1, 0}, {i1, i2, i3, 0}, {0, 0, 0, 0}, 1, 5},
        {49, {u1 - u4, u2 - u4, u3 - u4, u4}, {i1, i2, i3, i4}, {1, 1, 1, 1}, 0, 6},
        {50, {u1 - u4, u2 - u4, u3 - u4, u4}, {i1, i2, i3, i4}, {1, 1, 1, 1}, 0, 7},
        // Unknown codes transform like 50 and leave the item's switches as built.
        {0, {u1 - u4, u2 - u4, u3 - u4, u4}, {i1, i2, i3, i4}, {1, 1, 1, 1}, 0, 7},
        {3, {u1 - u4, u2 - u4, u3 - u4, u4}, {i1, i2, i3, i4}, {1, 1, 1, 1}, 0, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("wiring code " + std::to_string(c.code));
        Device device({.rate = 6400.0f});
        ASSERT_EQ(device.Wire(c.code), 0);
        EXPECT_EQ(k7700_config_obj_get()->transform.wiring_type, c.type);
        EXPECT_EQ(device.Item().wiring_type, c.type);
        device.Feed(Constants(kU), Constants(kI));
        for (int ch = 0; ch < 4; ++ch) {
            EXPECT_EQ(device.Voltage(ch)[0], c.u[size_t(ch)]) << "U" << ch + 1;
            EXPECT_EQ(device.Voltage(ch)[device.Points() - 1], c.u[size_t(ch)]) << "U" << ch + 1;
            EXPECT_EQ(device.Current(ch)[0], c.i[size_t(ch)]) << "I" << ch + 1;
            EXPECT_EQ(device.Item().power[ch].power_on, c.power[size_t(ch)]) << "phase " << ch + 1;
            EXPECT_EQ(device.Item().power[ch].harmonic_power_on, ch < 3 ? 1 : 0) << "phase " << ch + 1;
        }
        EXPECT_EQ(device.Item().three_wire.enabled, c.threeWire);
    }
}

TEST(WiringConfig, LineToLineDifferencesDoNotWrap)
{
    Device device({.rate = 6400.0f});
    ASSERT_EQ(device.Wire(33), 0);
    const std::array<int, 4> u = {30000, -30000, 30000, 0};
    device.Feed(Constants(u), nullptr);
    EXPECT_EQ(device.Voltage(0)[0], 60000);
    EXPECT_EQ(device.Voltage(1)[0], -60000);
    EXPECT_EQ(device.Voltage(2)[0], 0);
    EXPECT_NEAR(device.Context()->voltage_rms[0].rms[0], 60000.0f, 0.5f);
    // The caller's block is left as given.
    EXPECT_EQ(device.VoltageBlock()[0], 30000);
}

TEST(WiringConfig, IntegratesDiDtCurrentsWithUnitGainAt50Hz)
{
    struct Case {
        const char* name;
        double amplitude;
        double frequency;
        double offset;
        double expectedRms; // of the integrated signal, counts
    };
    const Case cases[] = {
        {"50 Hz", 10000.0, 50.0, 0.0, 10000.0 / std::sqrt(2.0)},
        // A DC offset of the sensor must not become a ramp.
        {"50 Hz with offset", 10000.0, 50.0, 1500.0, 10000.0 / std::sqrt(2.0)},
        // Five times the gain at 10 Hz: the result leaves the 16-bit range.
        {"10 Hz beyond 16 bits", 20000.0, 10.0, 0.0, 5.0 * 20000.0 / std::sqrt(2.0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Device device;
        ASSERT_EQ(device.Wire(50, 1), 0);
        ASSERT_EQ(k7700_config_obj_get()->transform.node.next, &k7700_config_obj_get()->integration.node);
        auto cosine = [&](int, double t) {
            return c.amplitude * std::cos(2.0 * std::numbers::pi * c.frequency * t) + c.offset;
        };
        device.Feed(nullptr, cosine);
        for (int ch = 0; ch < 4; ++ch)
            EXPECT_NEAR(device.Context()->current_rms[ch].rms[0], c.expectedRms, c.expectedRms * 0.005)
                << "I" << ch + 1;
        // The integral of a cosine is a sine: zero at the start of the block, peak a quarter period later.
        const int32_t quarter = int32_t(device.Rate() / c.frequency / 4.0);
        EXPECT_NEAR(device.Current(0)[0], 0.0, c.expectedRms * 0.01);
        EXPECT_NEAR(device.Current(0)[quarter], c.expectedRms * std::sqrt(2.0), c.expectedRms * 0.01);
    }
}

TEST(WiringConfig, IntegrationOfAnOffsetFreeBlockFollowsTheTrapezoidSum)
{
    // Where nothing wraps and the block sums to zero, every sample is the running
    // trapezoid sum times pi/512, less the mean of those sums.
    Device device({.rate = 6400.0f});
    ASSERT_EQ(device.Wire(50, 1), 0);
    const int32_t s = device.Points();
    std::vector<int16_t>& current = device.CurrentBlock();
    int64_t sum = 0;
    for (int32_t n = 0; n < s; ++n) {
        current[size_t(n)] = int16_t(std::lround(3000.0 * std::cos(2.0 * std::numbers::pi * 50.0 * n / 6400.0)) + n % 7);
        sum += current[size_t(n)];
    }
    current[size_t(s) - 1] = int16_t(current[size_t(s) - 1] - sum); // the block sums to zero
    std::vector<int16_t> voltage(device.VoltageBlock().size());
    ASSERT_EQ(device_context_input(device.Context(), voltage.data(), int32_t(voltage.size()), current.data(),
                                   int32_t(current.size())),
              225);

    const double k = 0.006135923;
    std::vector<int32_t> expected(size_t(s), 0);
    int64_t e = 0, f = 0;
    for (int32_t i = 0; i + 1 < s; ++i) {
        e += current[size_t(i)] + current[size_t(i) + 1];
        f += e;
        expected[size_t(i) + 1] = int32_t(double(e) * k);
    }
    const int32_t level = int32_t(double(f) * k / s);
    for (int32_t n = 0; n < s; ++n)
        ASSERT_EQ(device.Current(0)[n], expected[size_t(n)] - level) << "sample " << n;
}

TEST(WiringConfig, WithoutIntegrationFlagTheChainHasOneNode)
{
    Device device({.rate = 6400.0f});
    ASSERT_EQ(device.Wire(50, 0), 0);
    EXPECT_EQ(device.Context()->chain, &k7700_config_obj_get()->transform.node);
    EXPECT_EQ(k7700_config_obj_get()->transform.node.next, nullptr);
    device.Feed(nullptr, Constants(kI));
    EXPECT_EQ(device.Current(0)[5], kI[0]);
}

TEST(WiringConfig, BindingAnotherContextDetachesTheFirst)
{
    Device first({.rate = 6400.0f});
    Device second({.rate = 6400.0f});
    ASSERT_EQ(first.Wire(33), 0);
    ASSERT_EQ(second.Wire(50), 0);
    EXPECT_EQ(k7700_config_obj_get()->transform.node.owner, second.Context());
    // The first context still names the node but no longer owns it: its samples pass untouched.
    first.Feed(Constants(kU), nullptr);
    EXPECT_EQ(first.Voltage(0)[0], kU[0]);

    // Binding the same context again replaces its chain.
    ASSERT_EQ(second.Wire(34, 1), 0);
    EXPECT_EQ(k7700_config_obj_get()->integration.node.owner, second.Context());
    // A record without integration leaves a one-node chain; the integration node names no owner.
    ASSERT_EQ(second.Wire(50, 0), 0);
    EXPECT_EQ(second.Context()->chain, &k7700_config_obj_get()->transform.node);
    EXPECT_EQ(k7700_config_obj_get()->transform.node.next, nullptr);
    EXPECT_EQ(k7700_config_obj_get()->integration.node.owner, nullptr);
    second.Feed(nullptr, Constants(kI));
    EXPECT_EQ(second.Current(1)[7], kI[1]);
}

TEST(WiringConfig, DestroyDetachesTheContext)
{
    Device device({.rate = 6400.0f});
    ASSERT_EQ(device.Wire(33, 1), 0);
    k7700_config* config = k7700_config_obj_get();
    EXPECT_EQ(k7700_config_destroy(config), 0);
    EXPECT_EQ(device.Context()->chain, nullptr);
    EXPECT_EQ(config->transform.node.owner, nullptr);
    EXPECT_EQ(config->transform.node.handler, nullptr);
    EXPECT_EQ(config->integration.node.owner, nullptr);
    EXPECT_EQ(device.Feed(Constants(kU), nullptr) & 1, 1);
    EXPECT_EQ(device.Voltage(0)[0], kU[0]); // no pre-processing
}

TEST(WiringConfig, NullArgumentsAreRefused)
{
    Device device({.rate = 6400.0f});
    unsigned char block[K7700_CONFIG_BLOCK_SIZE] = {};
    k7700_config* config = k7700_config_obj_get();
    EXPECT_EQ(k7700_config_dc(config, nullptr, device.Context()), -1);
    EXPECT_EQ(k7700_config_dc(config, block, nullptr), -1);
    EXPECT_EQ(k7700_config_init(config), 1);
    EXPECT_EQ(config->transform.wiring_type, 7);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(config->integration.channel_enable[k], 1);
}

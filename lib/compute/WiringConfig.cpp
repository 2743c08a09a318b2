// The wiring chain: a transform node that refers phase voltages to the neutral
// or turns them into line-to-line voltages, zeroes unused channels and derives
// a missing current, optionally followed by an integration node for di/dt
// current sensors. The library owns one configuration object for the process.
//
// The nodes work on the context's widened (32-bit) copies of the blocks, so a
// line-to-line difference or an integrated current keeps its full value.
#include "lib/compute/ZvInternal.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <limits>

namespace {

k7700_config g_config;

struct WiringEntry {
    int32_t code;
    int32_t type;
    int32_t power[4];
    int32_t threeWire;
};

constexpr WiringEntry kWirings[] = {
    {1, 0, {1, 0, 0, 1}, 0},  {2, 1, {1, 0, 0, 0}, 0},  {17, 2, {1, 1, 0, 1}, 0}, {33, 3, {0, 0, 0, 0}, 1},
    {34, 4, {0, 0, 0, 0}, 1}, {35, 5, {0, 0, 0, 0}, 1}, {49, 6, {1, 1, 1, 1}, 0}, {50, 7, {1, 1, 1, 1}, 0},
};

constexpr double kIntegrationGain = 0.006135923; // pi/512: unit gain at 50 Hz, 25600 samples/s

int32_t ReadInt32(const void* block, size_t offset)
{
    const auto* b = static_cast<const unsigned char*>(block) + offset;
    return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

void DetachChain(device_context* context)
{
    for (config_node* node = context->chain; node; node = node->next)
        node->owner = nullptr;
    context->chain = nullptr;
}

void ClearNode(config_node& node)
{
    node.handler = nullptr;
    node.enabled = 0;
    node.next = nullptr;
    node.owner = nullptr;
}

// Truncates toward zero into 32 bits; out of range gives the lowest value.
int32_t Truncate32(double value)
{
    if (!(value >= -2147483648.0 && value < 2147483648.0))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

void IntegrateChannel(int32_t* x, int32_t s)
{
    int64_t b = 0;
    for (int32_t i = 0; i < s; ++i)
        b += x[i];
    int64_t e = 0;
    int64_t f = 0;
    int64_t slopes = 0;
    int32_t previous = x[0];
    x[0] = 0;
    for (int32_t i = 0; i + 1 < s; ++i) {
        const int32_t next = x[i + 1];
        e += int64_t(previous) + next;
        f += e;
        const int64_t m = 2 * int64_t(i) * b / s; // removes the ramp that a sensor offset integrates into
        slopes += m;
        x[i + 1] = Truncate32(double(e - m) * kIntegrationGain);
        previous = next;
    }
    // The level taken off is the mean of the detrended integral, so an offset
    // of the sensor leaves no offset in the current.
    const int32_t level = Truncate32(double(f - slopes) * kIntegrationGain / s);
    for (int32_t i = 0; i < s; ++i)
        x[i] = static_cast<int32_t>(int64_t(x[i]) - level);
}

} // namespace

namespace zv {

int SampleTransform(config_node* node, int32_t* voltage, int32_t voltageCount, int32_t* current,
                    int32_t currentCount)
{
    const device_context* owner = node->owner;
    if (!owner || owner->interval_points <= 0)
        return 0;
    const int32_t s = owner->interval_points;
    const int32_t uCount = voltage ? voltageCount / s : 0;
    const int32_t iCount = current ? currentCount / s : 0;
    // A channel the block does not hold reads as zero and is never written.
    auto u = [&](int k) { return k < uCount ? voltage + size_t(k) * s : nullptr; };
    auto i = [&](int k) { return k < iCount ? current + size_t(k) * s : nullptr; };
    auto zero = [&](int32_t* channel) {
        if (channel)
            std::fill(channel, channel + s, 0);
    };
    auto subtract = [&](int32_t* target, const int32_t* minus) {
        if (target && minus)
            for (int32_t n = 0; n < s; ++n)
                target[n] -= minus[n];
    };

    const int32_t type = reinterpret_cast<k7700_transform_node*>(node)->wiring_type;
    switch (type) {
    case 0:
        subtract(u(0), u(3));
        zero(u(1));
        zero(u(2));
        zero(i(1));
        zero(i(2));
        zero(i(3));
        break;
    case 1:
        subtract(u(0), u(1));
        zero(u(1));
        zero(u(2));
        zero(u(3));
        zero(i(1));
        zero(i(2));
        zero(i(3));
        break;
    case 2:
        subtract(u(0), u(3));
        subtract(u(1), u(3));
        zero(u(2));
        zero(i(1));
        zero(i(2));
        zero(i(3));
        break;
    case 3:
    case 4:
    case 5:
        if (u(0) && u(1) && u(2)) {
            int32_t* u1 = u(0);
            int32_t* u2 = u(1);
            int32_t* u3 = u(2);
            for (int32_t n = 0; n < s; ++n) {
                const int32_t a = u1[n], b = u2[n], c = u3[n];
                u1[n] = a - b;
                u2[n] = b - c;
                u3[n] = c - a;
            }
        }
        zero(u(3));
        if (type == 4 && i(1)) {
            const int32_t* i1 = i(0);
            const int32_t* i3 = i(2);
            int32_t* i2 = i(1);
            for (int32_t n = 0; n < s; ++n)
                i2[n] = -((i1 ? i1[n] : 0) + (i3 ? i3[n] : 0));
        }
        zero(i(3));
        break;
    default:
        subtract(u(0), u(3));
        subtract(u(1), u(3));
        subtract(u(2), u(3));
        break;
    }
    return 1;
}

int Integration(config_node* node, int32_t*, int32_t, int32_t* current, int32_t currentCount)
{
    const device_context* owner = node->owner;
    if (!owner || owner->interval_points <= 0)
        return 0;
    const int32_t s = owner->interval_points;
    const auto* integration = reinterpret_cast<k7700_integration_node*>(node);
    const int32_t channels = current ? std::min(currentCount / s, 4) : 0;
    for (int32_t k = 0; k < channels; ++k)
        if (integration->channel_enable[k])
            IntegrateChannel(current + size_t(k) * s, s);
    return 1;
}

} // namespace zv

extern "C" {

ZV_API k7700_config* k7700_config_obj_get(void)
{
    return &g_config;
}

ZV_API int k7700_config_init(k7700_config* config)
{
    if (!config)
        return -1;
    std::memset(&config->transform, 0, sizeof config->transform);
    config->transform.node.handler = zv::SampleTransform;
    config->transform.node.enabled = 1;
    config->transform.wiring_type = 7;
    std::memset(&config->integration, 0, sizeof config->integration);
    config->integration.node.handler = zv::Integration;
    config->integration.node.enabled = 1;
    std::fill(std::begin(config->integration.channel_enable), std::end(config->integration.channel_enable), 1);
    return 1;
}

ZV_API int k7700_config_destroy(k7700_config* config)
{
    if (!config)
        return -1;
    for (config_node* node : {&config->transform.node, &config->integration.node}) {
        if (node->owner)
            DetachChain(node->owner);
        ClearNode(*node);
    }
    return 0;
}

ZV_API int k7700_config_dc(k7700_config* config, const void* block, device_context* context)
{
    if (!config || !block || !context)
        return -1;
    k7700_config_init(config);

    const int32_t code = ReadInt32(block, K7700_CONFIG_WIRING_OFFSET);
    const WiringEntry* entry = nullptr;
    for (const WiringEntry& candidate : kWirings)
        if (candidate.code == code)
            entry = &candidate;
    item_record* item = context->item_count > 0 ? context->item_records : nullptr;
    if (entry && item) {
        for (int k = 0; k < 4; ++k) {
            item->power[k].power_on = entry->power[k];
            item->power[k].harmonic_power_on = k < 3 ? 1 : 0;
        }
        item->three_wire.enabled = entry->threeWire;
        item->wiring_type = entry->type;
    }
    config->transform.wiring_type = item ? item->wiring_type : (entry ? entry->type : 7);

    if (ReadInt32(block, K7700_CONFIG_INTEGRATION_OFFSET) != 0) {
        config->transform.node.next = &config->integration.node;
        config->integration.node.owner = config->transform.node.owner;
    }

    DetachChain(context);
    context->chain = &config->transform.node;
    for (config_node* node = context->chain; node; node = node->next)
        node->owner = context;
    return 0;
}

} // extern "C"

// A computation context built like the record-analysis pool builds it, fed
// from analytic signals (functions of channel and time in counts).
#pragma once

#include "lib/compute/zv.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace zvtest {

using Signal = std::function<double(int channel, double seconds)>;

// The rates the terminals record at.
inline constexpr float kSupportedRates[] = {25600.0f, 12800.0f, 6400.0f};

// Every row of a table of cases paired with every supported rate.
template <typename Case, size_t N> std::vector<std::pair<Case, float>> WithEachRate(const Case (&cases)[N])
{
    std::vector<std::pair<Case, float>> rows;
    for (float rate : kSupportedRates)
        for (const Case& c : cases)
            rows.emplace_back(c, rate);
    return rows;
}

inline double Sine(double amplitude, double frequency, double phaseRadians, double t)
{
    return amplitude * std::sin(2.0 * std::numbers::pi * frequency * t + phaseRadians);
}

inline double Degrees(double radians) { return radians * 180.0 / std::numbers::pi; }
inline double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

struct DeviceOptions {
    float rate = 25600.0f;
    int32_t nominal = 50;
    int32_t harmonics = 50;
    int32_t groups = 50;
    int32_t interharmonics = 50;
    int32_t bands = -1; // -1: 6 at 6400 samples per second, else 35
    uint32_t voltageChannels = 4;
    uint32_t currentChannels = 4;
    float voltageScale = 1.0f;
    float currentScale = 1.0f;
};

class Device {
public:
    explicit Device(const DeviceOptions& options = {}) : m_options(options)
    {
        m_items[0] = item_spec{{0, 1, 2, 3}, {0, 1, 2, 3}, m_name};
        m_items[1] = item_spec{{-1, 0, 0, 0}, {0, 0, 0, 0}, nullptr};
        m_config.voltage_channels = options.voltageChannels;
        m_config.current_channels = options.currentChannels;
        m_config.sample_rate = options.rate;
        m_config.interval_points = static_cast<int32_t>(options.rate / 5.0f);
        m_config.voltage_scale = options.voltageScale;
        m_config.current_scale = options.currentScale;
        m_config.device_name = m_deviceName;
        m_config.harmonic_count = options.harmonics;
        m_config.harmonic_group_count = options.groups;
        m_config.interharmonic_count = options.interharmonics;
        m_config.band_count = options.bands >= 0 ? options.bands : (options.rate == 6400.0f ? 6 : 35);
        m_config.nominal_frequency = options.nominal;
        m_config.items = m_items;
        m_initResult = device_context_init(&m_context, &m_config);
        m_voltage.assign(size_t(options.voltageChannels) * Points(), 0);
        m_current.assign(size_t(options.currentChannels) * Points(), 0);
    }
    ~Device() { device_context_destroy(&m_context); }
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    int InitResult() const { return m_initResult; }
    device_context* Context() { return &m_context; }
    item_record& Item() { return *device_context_get_zv_by_index(&m_context, 0); }
    int32_t Points() const { return static_cast<int32_t>(m_options.rate / 5.0f); }
    float Rate() const { return m_options.rate; }

    // Binds the wiring chain for a wiring code and integration flag.
    int Wire(int32_t code, int32_t integrate = 0)
    {
        unsigned char block[K7700_CONFIG_BLOCK_SIZE] = {};
        std::memcpy(block + K7700_CONFIG_WIRING_OFFSET, &code, 4);
        std::memcpy(block + K7700_CONFIG_INTEGRATION_OFFSET, &integrate, 4);
        k7700_config* config = k7700_config_obj_get();
        k7700_config_init(config);
        return k7700_config_dc(config, block, &m_context);
    }

    // Fills the next block from the signals (sample time continues across blocks) and feeds it.
    int Feed(const Signal& voltage, const Signal& current)
    {
        const int32_t s = Points();
        for (uint32_t c = 0; c < m_options.voltageChannels; ++c)
            for (int32_t n = 0; n < s; ++n)
                m_voltage[size_t(c) * s + n] = Quantise(voltage ? voltage(int(c), Time(n)) : 0.0);
        for (uint32_t c = 0; c < m_options.currentChannels; ++c)
            for (int32_t n = 0; n < s; ++n)
                m_current[size_t(c) * s + n] = Quantise(current ? current(int(c), Time(n)) : 0.0);
        m_sample += s;
        return device_context_input(&m_context, m_voltage.data(), int32_t(m_voltage.size()), m_current.data(),
                                    int32_t(m_current.size()));
    }

    std::vector<int16_t>& VoltageBlock() { return m_voltage; }
    std::vector<int16_t>& CurrentBlock() { return m_current; }
    const int32_t* Voltage(int channel) const { return m_context.voltage_samples + size_t(channel) * Points(); }
    const int32_t* Current(int channel) const { return m_context.current_samples + size_t(channel) * Points(); }

private:
    double Time(int32_t n) const { return double(m_sample + n) / m_options.rate; }
    static int16_t Quantise(double value)
    {
        const double rounded = std::nearbyint(value);
        return static_cast<int16_t>(rounded > 32767 ? 32767 : rounded < -32768 ? -32768 : rounded);
    }

    DeviceOptions m_options;
    char m_name[5] = "4U4I";
    char m_deviceName[6] = "K7700";
    item_spec m_items[2];
    device_config m_config{};
    device_context m_context{};
    int m_initResult = -1;
    int64_t m_sample = 0;
    std::vector<int16_t> m_voltage;
    std::vector<int16_t> m_current;
};

} // namespace zvtest

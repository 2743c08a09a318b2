// The flicker meter's response to the published verification points of the
// flickermeter standard (230 V lamp, 50 Hz supply), and to supplies that carry
// harmonics and interharmonics but no flicker.
#include "ZvDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <future>
#include <iostream>
#include <map>
#include <sstream>

using namespace zvtest;

namespace {

constexpr float kResponseVoltageScale = 0.02410888671875f;
constexpr int kResponseSettlingBlocks = 300; // the meter weighs nothing during its first minute
constexpr int kBlocksPerMinute = 300;

// A 230 V supply: A sin(w t + phase) (1 + dV/V / 2 m(t)), m a sine or a square
// wave of the modulation frequency, plus one harmonic of the carrier and one
// interharmonic tone, each given relative to A.
struct ModulatedSupply {
    double carrierHz = 50.0;
    double carrierDegrees = 0.0;
    double relativeChange = 0.0; // dV/V, not in percent
    double modulationHz = 1.0;
    bool square = false;
    int harmonicOrder = 0;
    double harmonicShare = 0.0;
    double harmonicDegrees = 0.0;
    double interharmonicHz = 0.0;
    double interharmonicShare = 0.0;
};

// A sine of a frequency, phase and amplitude that adds one block of itself, from
// the block's start time, to a buffer. It turns by a fixed step per sample; its
// phase is set anew from the start time of every block, so rounding does not build
// up over minutes.
struct Tone {
    double hz;
    double radians;
    double amplitude;

    void Add(double t0, double rate, std::vector<double>& out) const
    {
        const double twoPi = 2.0 * std::numbers::pi;
        double re = amplitude * std::cos(twoPi * hz * t0 + radians);
        double im = amplitude * std::sin(twoPi * hz * t0 + radians);
        const double c = std::cos(twoPi * hz / rate), d = std::sin(twoPi * hz / rate);
        for (double& value : out) {
            value += im;
            const double next = re * c - im * d;
            im = re * d + im * c;
            re = next;
        }
    }
};

// One voltage channel fed block by block with everything but the flicker meter
// (and the RMS value it is normalised by) switched off.
class FlickerRig {
public:
    FlickerRig(float rate, int32_t nominal) : m_rate(rate)
    {
        device_config config{};
        config.voltage_channels = 1;
        config.current_channels = 1;
        config.sample_rate = rate;
        config.interval_points = static_cast<int32_t>(rate / 5.0f);
        config.voltage_scale = kResponseVoltageScale;
        config.current_scale = 1.0f;
        config.device_name = m_deviceName;
        config.nominal_frequency = nominal;
        config.items = m_items;
        m_initResult = device_context_init(&m_context, &config);
        for (int s = 0; s < ZV_SWITCH_COUNT; ++s)
            m_context.switches[s] = s == ZV_SWITCH_FLICKER ? 1 : 0;
        if (m_initResult == 0)
            for (power_record& p : device_context_get_zv_by_index(&m_context, 0)->power)
                p.power_on = p.harmonic_power_on = 0;
        m_voltage.assign(size_t(config.interval_points), 0);
        m_current.assign(size_t(config.interval_points), 0);
    }
    ~FlickerRig() { device_context_destroy(&m_context); }
    FlickerRig(const FlickerRig&) = delete;
    FlickerRig& operator=(const FlickerRig&) = delete;

    int InitResult() const { return m_initResult; }
    const flicker_record& Flicker() const { return m_context.flicker[0]; }

    // Feeds `blocks` intervals of the supply; the time runs on across calls.
    void Feed(const ModulatedSupply& s, int blocks)
    {
        const double peak = 230.0 * std::sqrt(2.0) / kResponseVoltageScale;
        const size_t points = m_voltage.size();
        // Tones on the 5 Hz grid (the carrier and its harmonics) repeat every block.
        std::vector<double> carrier(points, 0.0), steady(points, 0.0);
        Tone{s.carrierHz, Radians(s.carrierDegrees), 1.0}.Add(0.0, m_rate, carrier);
        if (s.harmonicShare != 0.0)
            Tone{s.carrierHz * s.harmonicOrder, s.harmonicOrder * Radians(s.carrierDegrees) + Radians(s.harmonicDegrees),
                 s.harmonicShare}
                .Add(0.0, m_rate, steady);
        std::vector<double> modulation(points);
        for (int b = 0; b < blocks; ++b) {
            const double t0 = double(m_sample) / m_rate;
            if (s.square) {
                for (size_t n = 0; n < points; ++n) {
                    const double cycles = s.modulationHz * double(m_sample + int64_t(n)) / m_rate;
                    modulation[n] = cycles - std::floor(cycles) < 0.5 ? 1.0 : -1.0;
                }
            } else {
                std::fill(modulation.begin(), modulation.end(), 0.0);
                Tone{s.modulationHz, 0.0, 1.0}.Add(t0, m_rate, modulation);
            }
            std::vector<double> wave = steady;
            if (s.interharmonicShare != 0.0)
                Tone{s.interharmonicHz, 0.0, s.interharmonicShare}.Add(t0, m_rate, wave);
            for (size_t n = 0; n < points; ++n) {
                const double value = peak * (wave[n] + carrier[n] * (1.0 + s.relativeChange / 2.0 * modulation[n]));
                m_voltage[n] = static_cast<int16_t>(value >= 0.0 ? value + 0.5 : value - 0.5);
            }
            m_sample += int64_t(points);
            device_context_input(&m_context, m_voltage.data(), int32_t(points), m_current.data(), int32_t(points));
            const flicker_record& f = Flicker();
            m_highest = std::max(m_highest, double(*std::max_element(f.output, f.output + f.output_size)));
        }
    }

    // The highest instantaneous flicker since the last call.
    double TakeHighest() { return std::exchange(m_highest, 0.0); }

    // Closes the flicker period; its Pst.
    double ClosePeriod()
    {
        device_context_flicker_done(&m_context);
        return Flicker().pst;
    }

private:
    float m_rate;
    char m_name[5] = "1U1I";
    char m_deviceName[6] = "K7700";
    item_spec m_items[2] = {{{0, 0, 0, 0}, {0, 0, 0, 0}, m_name}, {{-1, 0, 0, 0}, {0, 0, 0, 0}, nullptr}};
    device_context m_context{};
    int m_initResult = -1;
    int64_t m_sample = 0;
    double m_highest = 0.0;
    std::vector<int16_t> m_voltage;
    std::vector<int16_t> m_current;
};

// The highest instantaneous flicker of a settled meter over `seconds` of the supply.
double MaxPinst(float rate, const ModulatedSupply& supply, int seconds = 20)
{
    FlickerRig rig(rate, int32_t(supply.carrierHz));
    EXPECT_EQ(rig.InitResult(), 0);
    rig.Feed(supply, kResponseSettlingBlocks);
    rig.TakeHighest();
    rig.Feed(supply, seconds * 5);
    return rig.TakeHighest();
}

// Pst of a ten-minute period closed after the meter has settled.
double TenMinutePst(float rate, const ModulatedSupply& supply)
{
    FlickerRig rig(rate, int32_t(supply.carrierHz));
    EXPECT_EQ(rig.InitResult(), 0);
    rig.Feed(supply, kResponseSettlingBlocks);
    rig.ClosePeriod();
    rig.Feed(supply, 10 * kBlocksPerMinute);
    return rig.ClosePeriod();
}

// One verification point: the table it belongs to, the supply and the modulation.
struct VerificationPoint {
    int table = 0; // 1: sinusoidal, 2: rectangular (max Pinst); 5: rectangular (Pst)
    double volts = 0.0;
    double carrierHz = 0.0;
    double modulationHz = 0.0;
    double percentChange = 0.0;
    std::string modulation; // as the table gives it
};

std::vector<VerificationPoint> ReadVerificationPoints()
{
    std::ifstream file(ONDRAVA_SOURCE_DIR "/tests/compute/data/iec61000-4-15-ed2-tables.txt");
    std::vector<VerificationPoint> points;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        VerificationPoint p;
        fields >> p.table >> p.volts >> p.carrierHz >> p.modulation >> p.percentChange;
        const double number = std::stod(p.modulation);
        // Changes per minute: two changes make one period of the square wave.
        p.modulationHz = p.modulation.ends_with("CPM") ? number / 120.0 : number;
        points.push_back(p);
    }
    return points;
}

ModulatedSupply SupplyOf(const VerificationPoint& p)
{
    ModulatedSupply s;
    s.carrierHz = p.carrierHz;
    s.relativeChange = p.percentChange / 100.0;
    s.modulationHz = p.modulationHz;
    s.square = p.table != 1;
    return s;
}

// Under the sanitizers every fourth point of the sinusoidal and rectangular tables,
// and two of the Pst points, stand for the whole table.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kWholeTable = false;
#else
constexpr bool kWholeTable = true;
#endif

} // namespace

TEST(FlickerResponse, VerificationPointsOfTheStandard)
{
    std::vector<VerificationPoint> points = ReadVerificationPoints();
    ASSERT_EQ(points.size(), 85u) << "37 sinusoidal, 41 rectangular and 7 Pst points";
    if (!kWholeTable) {
        std::vector<VerificationPoint> some;
        for (size_t k = 0; k < points.size(); ++k)
            if (points[k].table == 5 ? points[k].modulation == "39CPM" || points[k].modulation == "4000CPM" : k % 4 == 0)
                some.push_back(points[k]);
        points = some;
    }
    // The rates are independent meters: each runs on its own thread.
    std::vector<std::future<std::vector<double>>> readings;
    for (float rate : kSupportedRates)
        readings.push_back(std::async(std::launch::async, [rate, &points] {
            std::vector<double> values;
            for (const VerificationPoint& p : points)
                values.push_back(p.table == 5 ? TenMinutePst(rate, SupplyOf(p)) : MaxPinst(rate, SupplyOf(p)));
            return values;
        }));
    std::map<int, std::pair<double, std::string>> worst; // per table
    for (size_t r = 0; r < std::size(kSupportedRates); ++r) {
        const std::vector<double> values = readings[r].get();
        for (size_t k = 0; k < points.size(); ++k) {
            const VerificationPoint& p = points[k];
            const std::string row = "table " + std::to_string(p.table) + ", " + p.modulation + ", dV/V " +
                                    std::to_string(p.percentChange) + " %, " +
                                    std::to_string(int(kSupportedRates[r])) + " samples/s";
            EXPECT_NEAR(values[k], 1.0, p.table == 5 ? 0.05 : 0.08) << row;
            auto& w = worst[p.table];
            if (w.second.empty() || std::fabs(values[k] - 1.0) > std::fabs(w.first - 1.0))
                w = {values[k], row};
        }
    }
    for (const auto& [table, w] : worst)
        std::cout << "furthest from 1: " << w.second << ": " << w.first << "\n";
}

// Harmonics and interharmonics of a steady supply change no lamp's light in a
// way the eye follows: a one-minute Pst stays near 0.
TEST(FlickerResponse, SteadySupplyWithHarmonicsOrInterharmonicsHasNoFlicker)
{
    struct Case {
        const char* row;
        double carrierHz;
        int harmonicOrder;
        double harmonicShare;
        double interharmonicHz;
        double interharmonicShare;
    };
    const Case cases[] = {
        {"1 % at 358 Hz", 50.0, 0, 0.0, 358.0, 0.01},
        {"1 % at 442 Hz", 50.0, 0, 0.0, 442.0, 0.01},
        {"1 % at 1158 Hz", 50.0, 0, 0.0, 1158.0, 0.01},
        {"5 % 7th harmonic", 50.0, 7, 0.05, 0.0, 0.0},
        {"60 Hz, 1 % at 358 Hz", 60.0, 0, 0.0, 358.0, 0.01},
        {"60 Hz, 1 % at 778 Hz", 60.0, 0, 0.0, 778.0, 0.01},
    };
    for (const auto& [c, rate] : WithEachRate(cases)) {
        ModulatedSupply supply;
        supply.carrierHz = c.carrierHz;
        supply.harmonicOrder = c.harmonicOrder;
        supply.harmonicShare = c.harmonicShare;
        supply.interharmonicHz = c.interharmonicHz;
        supply.interharmonicShare = c.interharmonicShare;
        FlickerRig rig(rate, int32_t(c.carrierHz));
        ASSERT_EQ(rig.InitResult(), 0) << c.row;
        rig.Feed(supply, kResponseSettlingBlocks);
        rig.ClosePeriod();
        rig.Feed(supply, kBlocksPerMinute);
        EXPECT_LT(rig.ClosePeriod(), 0.02) << c.row << ", " << rate << " samples/s";
    }
}

// A reading depends neither on the phase of a harmonic nor on where the carrier
// stands when the record begins.
TEST(FlickerResponse, ReadingsDoNotDependOnHarmonicOrCarrierPhase)
{
    struct Case {
        const char* row;
        double carrierDegrees;
        double harmonicDegrees; // of a 5 % 7th harmonic; NaN: none
        double tolerance;       // of the reading over the reading of the plain supply
    };
    // A harmonic adds to the RMS value the meter is normalised by (0.5 % less), and
    // with rectangular modulation the sidebands meet the harmonic and move that value
    // by its phase.
    const Case cases[] = {
        {"carrier at +120 degrees", 120.0, NAN, 0.005},
        {"carrier at -120 degrees", -120.0, NAN, 0.005},
        {"7th harmonic at 0 degrees", 0.0, 0.0, 0.015},
        {"7th harmonic at 90 degrees", 0.0, 90.0, 0.015},
        {"7th harmonic at 180 degrees", 0.0, 180.0, 0.015},
        {"7th harmonic at 270 degrees", 0.0, 270.0, 0.015},
    };
    struct Point {
        const char* row;
        ModulatedSupply supply;
    };
    const Point points[] = {
        {"sinusoidal 8.8 Hz, 0.25 %", {.relativeChange = 0.0025, .modulationHz = 8.8}},
        {"rectangular 20 Hz, 0.553 %", {.relativeChange = 0.00553, .modulationHz = 20.0, .square = true}},
    };
    for (float rate : kSupportedRates)
        for (const Point& point : points) {
            const double plain = MaxPinst(rate, point.supply);
            for (const Case& c : cases) {
                ModulatedSupply supply = point.supply;
                supply.carrierDegrees = c.carrierDegrees;
                if (!std::isnan(c.harmonicDegrees)) {
                    supply.harmonicOrder = 7;
                    supply.harmonicShare = 0.05;
                    supply.harmonicDegrees = c.harmonicDegrees;
                }
                EXPECT_NEAR(MaxPinst(rate, supply) / plain, 1.0, c.tolerance)
                    << point.row << ", " << c.row << ", " << rate << " samples/s";
            }
        }
}

// Power of one phase, totals over phases 1..3, the three-wire (two-wattmeter)
// total, symmetrical components with unbalance, and displacement power factor.
#include "lib/compute/ZvInternal.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace zv {
namespace {

constexpr double kThirdTurn = 2.094395066666667; // 120 degrees
constexpr double kPi = 3.1415926;
constexpr double kTwoPi = 6.2831852;
constexpr double kCos30 = 0.866025403785;

// Duration of one RMS window in hours: energy accumulates power over the
// window it was measured in.
double WindowHours(const rms_record& rms, float sampleRate)
{
    return sampleRate > 0.0f ? double(rms.window) / sampleRate / 3600.0 : 0.0;
}

// An angle difference brought into (-pi, pi].
double WrappedAngle(double radians)
{
    double wrapped = std::remainder(radians, 2.0 * std::numbers::pi);
    return wrapped <= -std::numbers::pi ? wrapped + 2.0 * std::numbers::pi : wrapped;
}

int Sign(int64_t value)
{
    return (value > 0) - (value < 0);
}

struct Phasor {
    double re = 0.0;
    double im = 0.0;
    void Add(double magnitude, double angle)
    {
        re += magnitude * std::cos(angle);
        im += magnitude * std::sin(angle);
    }
    double Magnitude() const { return std::hypot(re, im); }
};

// A component below a thousandth of its phase has no angle (0). Any other
// takes its full-quadrant angle in [0, 360): a small real part does not snap
// it to +90 or -90 degrees.
float AngleDegrees(const Phasor& p, double threshold)
{
    if (std::fabs(p.re) < threshold && std::fabs(p.im) < threshold)
        return 0.0f;
    double angle = std::atan2(p.im, p.re);
    if (angle < 0.0)
        angle += kTwoPi;
    const float degrees = static_cast<float>(angle * 180.0 / kPi);
    return degrees < 360.0f ? degrees : degrees - 360.0f;
}

// Writes magnitudes, unbalance and angles of one set of three phases into
// sequence[base..base+4] and sequence[angleBase..angleBase+2].
void Sequence(harmonic_record* const* phases, float* sequence, int base, int angleBase, bool on)
{
    if (!on) {
        std::fill(sequence + base, sequence + base + 5, 0.0f);
        return;
    }
    double magnitude[3];
    double angle[3];
    for (int p = 0; p < 3; ++p) {
        const harmonic_record* record = phases[p];
        const bool has = record && record->harmonic_count > 0;
        magnitude[p] = has ? record->harmonic[0] : 0.0;
        angle[p] = has ? record->phase[0] : 0.0;
    }
    Phasor zero, positive, negative;
    zero.Add(magnitude[0], angle[0]);
    zero.Add(magnitude[1], angle[1]);
    zero.Add(magnitude[2], angle[2]);
    positive.Add(magnitude[0], angle[0]);
    positive.Add(magnitude[1], angle[1] + kThirdTurn);
    positive.Add(magnitude[2], angle[2] - kThirdTurn);
    negative.Add(magnitude[0], angle[0]);
    negative.Add(magnitude[1], angle[1] - kThirdTurn);
    negative.Add(magnitude[2], angle[2] + kThirdTurn);
    for (Phasor* p : {&zero, &positive, &negative}) {
        p->re /= 3.0;
        p->im /= 3.0;
    }
    const double pos = positive.Magnitude();
    const double neg = negative.Magnitude();
    const double zer = zero.Magnitude();
    sequence[base + 0] = static_cast<float>(pos);
    sequence[base + 1] = static_cast<float>(neg);
    sequence[base + 2] = static_cast<float>(zer);
    sequence[base + 3] = pos != 0.0 ? static_cast<float>(100.0 * zer / pos) : 0.0f;
    sequence[base + 4] = pos != 0.0 ? static_cast<float>(100.0 * neg / pos) : 0.0f;
    // Sequence k (zero, positive, negative) uses phase k+1's magnitude for its threshold.
    sequence[angleBase + 0] = AngleDegrees(positive, magnitude[1] / 1000.0);
    sequence[angleBase + 1] = AngleDegrees(negative, magnitude[2] / 1000.0);
    sequence[angleBase + 2] = AngleDegrees(zero, magnitude[0] / 1000.0);
}

} // namespace

void PowerSetup(power_record& record, harmonic_record* voltageHarmonic, harmonic_record* currentHarmonic,
                rms_record* voltageRms, rms_record* currentRms)
{
    std::memset(&record, 0, sizeof record);
    record.order_count = std::min(voltageHarmonic->harmonic_count, currentHarmonic->harmonic_count);
    record.harmonic_power = new float[size_t(std::max(record.order_count, 0))]();
    record.phase_difference = new float[size_t(std::max(record.order_count, 0))]();
    record.harmonic_power_percent = new float[size_t(std::max(record.order_count, 0))]();
    record.harmonic_power_on = 1;
    record.power_on = 1;
    record.voltage_harmonic = voltageHarmonic;
    record.current_harmonic = currentHarmonic;
    record.voltage_rms = voltageRms;
    record.current_rms = currentRms;
}

void PowerClear(power_record& record)
{
    power_record cleared{};
    cleared.order_count = record.order_count;
    cleared.harmonic_power = record.harmonic_power;
    cleared.phase_difference = record.phase_difference;
    cleared.harmonic_power_percent = record.harmonic_power_percent;
    cleared.harmonic_power_on = 1;
    cleared.power_on = 1;
    cleared.voltage_harmonic = record.voltage_harmonic;
    cleared.current_harmonic = record.current_harmonic;
    cleared.voltage_rms = record.voltage_rms;
    cleared.current_rms = record.current_rms;
    const size_t orders = size_t(std::max(record.order_count, 0));
    std::fill(cleared.harmonic_power, cleared.harmonic_power + orders, 0.0f);
    std::fill(cleared.phase_difference, cleared.phase_difference + orders, 0.0f);
    std::fill(cleared.harmonic_power_percent, cleared.harmonic_power_percent + orders, 0.0f);
    record = cleared;
}

void PowerFree(power_record& record)
{
    delete[] record.harmonic_power;
    delete[] record.phase_difference;
    delete[] record.harmonic_power_percent;
    record.harmonic_power = record.phase_difference = record.harmonic_power_percent = nullptr;
}

void PowerRun(power_record& record, float powerScale, const int32_t* u, const int32_t* i, int32_t samples,
              float sampleRate)
{
    const rms_record& urms = *record.voltage_rms;
    const rms_record& irms = *record.current_rms;
    const int32_t windows = urms.window_count;
    record.window_count = windows;
    if (!record.power_on) {
        for (float* values : {record.p, record.q, record.s, record.active_energy, record.reactive_energy,
                              record.apparent_energy, record.power_factor})
            std::fill(values, values + windows, 0.0f);
        return;
    }
    const double x = powerScale;
    int64_t sum = 0;
    int64_t sumU = 0;
    int64_t sumI = 0;
    for (int32_t n = 0; n < samples; ++n) {
        sum += int64_t(u[n]) * i[n];
        sumU += u[n];
        sumI += i[n];
    }
    const double p = x * double(sum) * urms.scale * irms.scale / samples;
    const double hours = WindowHours(urms, sampleRate);
    for (int32_t w = 0; w < windows; ++w) {
        const double s = x * urms.rms[w] * (w < irms.window_count ? irms.rms[w] : 0.0f);
        const double q2 = s * s - p * p;
        double q = 0.0;
        double pf = 0.0;
        if (q2 < 0.0) {
            // Rounding made |P| a little larger than S: no reactive part, and
            // the power factor keeps the direction of the active power.
            pf = p < 0.0 ? -1.0 : 1.0;
        } else if (s != 0.0) {
            q = std::sqrt(q2);
            pf = p / s;
        }
        record.p[w] = static_cast<float>(p);
        record.q[w] = static_cast<float>(q);
        record.s[w] = static_cast<float>(s);
        record.power_factor[w] = static_cast<float>(pf);
        record.active_energy[w] = static_cast<float>(p * hours);
        record.reactive_energy[w] = static_cast<float>(q * hours);
        record.apparent_energy[w] = static_cast<float>(s * hours);
    }

    const harmonic_record& uh = *record.voltage_harmonic;
    const harmonic_record& ih = *record.current_harmonic;
    if (record.harmonic_power_on) {
        record.harmonic_power_sum = 0.0f;
        record.harmonic_power_percent_sum = 0.0f;
        double p1 = 0.0;
        for (int32_t h = 1; h <= record.order_count; ++h) {
            const double delta = WrappedAngle(double(ih.phase[h - 1]) - uh.phase[h - 1]);
            const double ph = x * std::cos(delta) * uh.harmonic[h - 1] * ih.harmonic[h - 1];
            if (h == 1)
                p1 = ph;
            const double share = p1 != 0.0 ? 100.0 * ph / p1 : 0.0;
            record.phase_difference[h - 1] = static_cast<float>(delta);
            record.harmonic_power[h - 1] = static_cast<float>(ph);
            record.harmonic_power_percent[h - 1] = static_cast<float>(share);
            if (h >= 2) {
                record.harmonic_power_sum += static_cast<float>(ph);
                record.harmonic_power_percent_sum += static_cast<float>(share);
            }
        }
    }
    // The DC records hold magnitudes; the power takes the signs of the two offsets.
    record.dc_power = static_cast<float>(Sign(sumU) * Sign(sumI)) * uh.dc * ih.dc;
    const double p1 = record.order_count > 0 ? record.harmonic_power[0] : 0.0;
    record.dc_power_percent = p1 != 0.0 ? static_cast<float>(100.0 * record.dc_power / p1) : 0.0f;
}

void PowerTotals(item_record& item, float sampleRate)
{
    const power_record* phase = item.power;
    const int32_t windows = std::min(phase[0].window_count, int32_t(ZV_MAX_WINDOWS));
    const double hours = phase[0].voltage_rms ? WindowHours(*phase[0].voltage_rms, sampleRate) : 0.0;
    for (int32_t w = 0; w < windows; ++w) {
        double p = 0.0, q = 0.0, ep = 0.0, eq = 0.0;
        for (int k = 0; k < 3; ++k) {
            if (w >= phase[k].window_count)
                continue;
            p += phase[k].p[w];
            q += phase[k].q[w];
            ep += phase[k].active_energy[w];
            eq += phase[k].reactive_energy[w];
        }
        const double s = std::sqrt(p * p + q * q);
        item.total_p[w] = static_cast<float>(p);
        item.total_q[w] = static_cast<float>(q);
        item.total_s[w] = static_cast<float>(s);
        item.total_active_energy[w] = static_cast<float>(ep);
        item.total_reactive_energy[w] = static_cast<float>(eq);
        item.total_apparent_energy[w] = static_cast<float>(s * hours);
        if (s != 0.0)
            item.total_power_factor[w] = static_cast<float>(p / s);
    }
    item.total_count = windows;
}

void SequenceComponents(item_record& item, bool voltages, bool currents)
{
    Sequence(item.voltage_harmonic, item.sequence, ZV_SEQ_V_POSITIVE, ZV_SEQ_V_POSITIVE_ANGLE, voltages);
    Sequence(item.current_harmonic, item.sequence, ZV_SEQ_I_POSITIVE, ZV_SEQ_I_POSITIVE_ANGLE, currents);
}

void DisplacementPowerFactor(item_record& item)
{
    for (int k = 0; k < 4; ++k) {
        const harmonic_record* u = item.voltage_harmonic[k];
        const harmonic_record* i = item.current_harmonic[k];
        if (u && i && u->harmonic_count > 0 && i->harmonic_count > 0)
            item.displacement_power_factor[k] = static_cast<float>(std::cos(double(u->phase[0]) - i->phase[0]));
    }
}

void ThreeWirePower(callback_node* node, const int32_t* u1, const int32_t* i1, const int32_t* u2,
                    const int32_t*, const int32_t*, const int32_t* i3, const int32_t*, const int32_t*,
                    int32_t samples)
{
    item_record& item = *node->owner;
    if (samples <= 0)
        return;
    int64_t a = 0;
    int64_t b = 0;
    for (int32_t n = 0; n < samples; ++n) {
        a += int64_t(u1[n]) * i1[n];
        b += int64_t(u2[n]) * i3[n];
    }
    a /= samples;
    b /= samples;
    const rms_record& ru1 = *item.voltage_rms[0];
    const rms_record& ru2 = *item.voltage_rms[1];
    const rms_record& ri1 = *item.current_rms[0];
    const rms_record& ri3 = *item.current_rms[2];
    const double p = double(a - b) * ru1.scale * ri1.scale;
    const double s = (double(ri3.rms[0]) * ru2.rms[0] + double(ri1.rms[0]) * ru1.rms[0]) * kCos30;
    const double q2 = s * s - p * p;
    node->p = static_cast<float>(p);
    node->s = static_cast<float>(s);
    node->q = q2 > 0.0 ? static_cast<float>(std::sqrt(q2)) : 0.0f;
    if (s != 0.0)
        node->power_factor = static_cast<float>(p / s);
    item.total_p[0] = node->p;
    item.total_s[0] = node->s;
    item.total_q[0] = node->q;
    item.total_power_factor[0] = node->power_factor;
}

} // namespace zv

#include "tools/gen/WaveRecord.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <complex>
#include <cstring>
#include <fstream>
#include <numeric>
#include <numbers>
#include <sstream>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"

namespace gen {
namespace {

constexpr double kPi = std::numbers::pi;

void PutU16(std::string& bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<char>(value & 0xff);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void PutU32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
    }
}

void PutF32(std::string& bytes, std::size_t at, float value)
{
    PutU32(bytes, at, std::bit_cast<std::uint32_t>(value));
}

// Samples per channel in a frame: at 60 Hz a cycle is no whole number of samples.
std::uint32_t SamplesPerFrame(const WaveRecordOptions& o)
{
    return o.nominalFrequency
               ? static_cast<std::uint32_t>(std::uint64_t(o.cyclesPerFrame) * o.sampleRate / o.nominalFrequency)
               : 0;
}

std::uint32_t FrameSize(const WaveRecordOptions& o)
{
    return kWaveChannels * SamplesPerFrame(o) * 2 + 4;
}

std::string ConfigBlock(const WaveRecordOptions& o)
{
    std::string bytes(kWaveConfigSize, '\0');
    PutU32(bytes, 12, static_cast<std::uint32_t>(o.wiring));
    PutF32(bytes, 16, o.nominalVoltage);
    PutF32(bytes, 20, o.voltageRatio);
    PutF32(bytes, 24, o.currentRatio);
    for (int p = 0; p < 3; ++p) {
        PutF32(bytes, 60 + 8 * p, o.voltageFactor[p]);
        PutF32(bytes, 112 + 8 * p, o.currentFactor[p]);
    }
    PutF32(bytes, 616, o.voltageGain);
    PutF32(bytes, 620, o.currentGain);
    PutF32(bytes, 624, o.voltageGain4);
    PutF32(bytes, 628, o.currentGain4);
    PutU32(bytes, 632, static_cast<std::uint32_t>(o.integrate));
    bytes.resize(o.configSize, '\0');
    return bytes;
}

std::string Header(const WaveRecordOptions& o)
{
    std::string bytes(kWaveHeaderSize, '\0');
    PutU16(bytes, 4, o.year);
    PutU16(bytes, 6, o.month);
    PutU16(bytes, 10, o.day);
    PutU16(bytes, 12, o.hour);
    PutU16(bytes, 14, o.minute);
    PutU16(bytes, 16, o.second);
    PutU16(bytes, 18, o.millisecond);
    PutU32(bytes, 20, o.header.nominalFrequency.value_or(o.nominalFrequency));
    PutU32(bytes, 24, o.sampleRate);
    PutU32(bytes, 36, o.cyclesPerFrame);
    PutU32(bytes, 40, o.header.channelCount.value_or(kWaveChannels));
    PutU32(bytes, 44, o.header.dataOffset.value_or(kWaveHeaderSize + o.dataGap));
    PutU32(bytes, 48, o.header.frameSize.value_or(FrameSize(o)));
    return bytes;
}

// The tones of a channel summed per order as phasors (sin reference), orders 1..50.
std::array<std::complex<double>, 51> Phasors(const WaveSignal& signal)
{
    std::array<std::complex<double>, 51> phasors{};
    for (const WaveTone& tone : signal.tones) {
        if (tone.order >= 1 && tone.order <= 50) {
            phasors[tone.order] += std::polar(tone.rms, tone.phaseDegrees * kPi / 180.0);
        }
    }
    return phasors;
}

double Rms(const std::array<std::complex<double>, 51>& phasors)
{
    double sum = 0.0;
    for (const auto& p : phasors) {
        sum += std::norm(p);
    }
    return std::sqrt(sum);
}

double Thd(const std::array<std::complex<double>, 51>& phasors)
{
    double sum = 0.0;
    for (int h = 2; h <= 40; ++h) {
        sum += std::norm(phasors[h]);
    }
    const double fundamental = std::abs(phasors[1]);
    return fundamental > 0.0 ? 100.0 * std::sqrt(sum) / fundamental : 0.0;
}

double Degrees360(double degrees)
{
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

struct Sequence {
    double positive = 0.0, negative = 0.0, zero = 0.0, zeroUnbalance = 0.0, negativeUnbalance = 0.0;
};

Sequence SequenceOf(const std::complex<double>& a, const std::complex<double>& b, const std::complex<double>& c)
{
    const std::complex<double> turn = std::polar(1.0, 2.0 * kPi / 3.0);
    Sequence s;
    s.zero = std::abs((a + b + c) / 3.0);
    s.positive = std::abs((a + b * turn + c / turn) / 3.0);
    s.negative = std::abs((a + b / turn + c * turn) / 3.0);
    if (s.positive > 0.0) {
        s.zeroUnbalance = 100.0 * s.zero / s.positive;
        s.negativeUnbalance = 100.0 * s.negative / s.positive;
    }
    return s;
}

std::string Number(double value)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.precision(17);
    text << value;
    return text.str();
}

}  // namespace

WaveRecordOptions ThreePhaseWaveRecord(std::uint32_t sampleRate, double seconds, double modulationDepth)
{
    WaveRecordOptions o;
    o.sampleRate = sampleRate;
    o.frames = static_cast<std::uint64_t>(seconds * o.nominalFrequency / o.cyclesPerFrame);
    const double voltage[3] = {230.0, 225.0, 230.0};
    const double current[3] = {10.0, 10.0, 8.0};
    for (int p = 0; p < 3; ++p) {
        const double angle = -120.0 * p;
        o.signals[p].tones = {{1, voltage[p], angle}, {5, 0.03 * voltage[p], 5 * angle + 10.0},
                              {7, 0.015 * voltage[p], 7 * angle}};
        o.signals[p].modulationDepth = modulationDepth;
        o.signals[p].modulationHz = 10.0;
        o.signals[4 + p].tones = {{1, current[p], angle - 30.0}, {3, 0.1 * current[p], 3 * angle},
                                  {5, 0.05 * current[p], 5 * angle - 20.0}};
    }
    o.signals[7].tones = {{3, 2.6, 0.0}};
    return o;
}

double WaveChannelScale(const WaveRecordOptions& o, std::uint32_t channel)
{
    if (channel < 3) {
        return double(o.voltageGain) * kWaveRawScale * o.voltageRatio * o.voltageFactor[channel];
    }
    if (channel == 3) {
        return double(o.voltageGain4) * kWaveRawScale * o.voltageRatio;
    }
    if (channel < 7) {
        return double(o.currentGain) * kWaveRawScale * o.currentRatio * o.currentFactor[channel - 4];
    }
    return double(o.currentGain4) * kWaveRawScale * o.currentRatio;
}

WaveSampleSource::WaveSampleSource(const WaveRecordOptions& options)
    : m_options(options)
    , m_samplesPerFrame(gen::SamplesPerFrame(options))
{
    // The signal repeats after the fewest whole cycles that are whole samples too.
    const std::uint32_t common =
        options.nominalFrequency ? std::gcd(options.sampleRate, options.nominalFrequency) : 0;
    const std::uint32_t period = common ? options.sampleRate / common : 0;
    const std::uint32_t cycles = common ? options.nominalFrequency / common : 0;
    for (std::uint32_t ch = 0; ch < kWaveChannels; ++ch) {
        const double scale = WaveChannelScale(options, ch);
        m_cycle[ch].assign(period, options.signals[ch].dc / scale);
        for (const WaveTone& tone : options.signals[ch].tones) {
            const double peak = std::sqrt(2.0) * tone.rms / scale;
            const double phase = tone.phaseDegrees * kPi / 180.0;
            for (std::uint32_t n = 0; n < period; ++n) {
                m_cycle[ch][n] += peak * std::sin(2.0 * kPi * tone.order * cycles * n / period + phase);
            }
        }
    }
}

void WaveSampleSource::Fill(std::uint32_t channel, std::uint64_t first, std::size_t count, std::int16_t* out) const
{
    const WaveSignal& signal = m_options.signals[channel];
    const std::vector<double>& cycle = m_cycle[channel];
    const bool modulated = signal.modulationDepth != 0.0 && signal.modulationHz != 0.0;
    const double step = 2.0 * kPi * signal.modulationHz / m_options.sampleRate;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t n = first + i;
        double value = cycle.empty() ? 0.0 : cycle[n % cycle.size()];
        if (modulated) {
            value *= 1.0 + signal.modulationDepth * std::sin(step * double(n));
        }
        out[i] = static_cast<std::int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
    }
}

bool WriteWaveRecord(const std::filesystem::path& folder, const WaveRecordOptions& options)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path base = folder / platform::ToPath(options.baseName);
    if (!platform::AtomicWriteFile(std::filesystem::path(base).concat(options.cfgExtension), ConfigBlock(options))) {
        return false;
    }
    if (!options.writeData) {
        return true;
    }
    std::ofstream data(std::filesystem::path(base).concat(options.dataExtension), std::ios::binary | std::ios::trunc);
    data << Header(options) << std::string(options.dataGap, '\xee');
    const WaveSampleSource source(options);
    const std::uint32_t m = source.SamplesPerFrame();
    const std::uint32_t frameSize = FrameSize(options);
    constexpr std::uint64_t kFramesPerWrite = 64;
    std::string buffer;
    std::vector<std::int16_t> samples(m);
    for (std::uint64_t frame = 0; frame < options.frames && data; frame += kFramesPerWrite) {
        const std::uint64_t count = std::min(kFramesPerWrite, options.frames - frame);
        buffer.assign(count * frameSize, '\0');
        for (std::uint64_t f = 0; f < count; ++f) {
            const std::size_t at = f * frameSize;
            for (std::uint32_t ch = 0; ch < kWaveChannels; ++ch) {
                source.Fill(ch, (frame + f) * m, m, samples.data());
                for (std::uint32_t i = 0; i < m; ++i) {
                    PutU16(buffer, at + (std::size_t(ch) * m + i) * 2, static_cast<std::uint16_t>(samples[i]));
                }
            }
            PutF32(buffer, at + frameSize - 4, options.frameValue);
        }
        data.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    }
    data.close();
    if (!data) {
        return false;
    }
    return platform::AtomicWriteFile(std::filesystem::path(base).concat(".expected"),
                                     FormatWaveExpected(ComputeWaveExpected(options)));
}

namespace {

// Relative voltage change (%) of a sinusoidal modulation that gives an instantaneous
// flicker of 1, 230 V on 50 Hz (IEC 61000-4-15, table 1).
struct FlickerPoint {
    double hz;
    double percent;
};
constexpr FlickerPoint kUnitFlicker[] = {
    {0.5, 2.325}, {1.0, 1.397}, {1.5, 1.067}, {2.0, 0.879},  {2.5, 0.747},  {3.0, 0.645},  {3.5, 0.564},
    {4.0, 0.497}, {4.5, 0.442}, {5.0, 0.396}, {5.5, 0.357},  {6.0, 0.325},  {6.5, 0.3},    {7.0, 0.28},
    {7.5, 0.265}, {8.0, 0.256}, {8.8, 0.25},  {9.5, 0.254},  {10.0, 0.261}, {10.5, 0.271}, {11.0, 0.283},
    {11.5, 0.298}, {12.0, 0.314}, {13.0, 0.351},
};

double SteadyPst(const WaveSignal& signal, std::uint32_t nominalFrequency)
{
    if (signal.modulationDepth <= 0.0 || nominalFrequency != 50) {
        return 0.0;
    }
    const FlickerPoint* found = std::find_if(std::begin(kUnitFlicker), std::end(kUnitFlicker),
                                             [&](const FlickerPoint& p) { return std::fabs(p.hz - signal.modulationHz) < 1e-9; });
    if (found == std::end(kUnitFlicker)) {
        return 0.0;
    }
    const double change = 200.0 * signal.modulationDepth;
    return std::sqrt(0.0314 + 0.0525 + 0.0657 + 0.28 + 0.08) * change / found->percent;
}

}  // namespace

WaveExpected ComputeWaveExpected(const WaveRecordOptions& o)
{
    WaveExpected e;
    std::array<std::array<std::complex<double>, 51>, 4> voltage, current;
    for (int p = 0; p < 4; ++p) {
        voltage[p] = Phasors(o.signals[p]);
        current[p] = Phasors(o.signals[4 + p]);
    }
    const double reference = std::arg(voltage[0][1]) * 180.0 / kPi;
    for (int p = 0; p < 4; ++p) {
        WavePhaseExpected& x = e.phase[p];
        const double voltageDc = o.signals[p].dc, currentDc = o.signals[4 + p].dc;
        x.voltageRms = std::hypot(Rms(voltage[p]), voltageDc);
        x.currentRms = std::hypot(Rms(current[p]), currentDc);
        x.voltageDc = std::fabs(voltageDc);
        x.currentDc = std::fabs(currentDc);
        double weighted = 0.0, total = 0.0;
        for (int h = 1; h <= 50; ++h) {
            weighted += double(h) * h * std::norm(current[p][h]);
            total += std::norm(current[p][h]);
        }
        x.currentKFactor = total > 0.0 ? weighted / total : 0.0;
        x.activePower = voltageDc * currentDc;
        x.voltageThd = Thd(voltage[p]);
        x.currentThd = Thd(current[p]);
        for (int h = 1; h <= 50; ++h) {
            x.voltageHarmonic[h] = std::abs(voltage[p][h]);
            x.currentHarmonic[h] = std::abs(current[p][h]);
            // Power of an order: U I cos(phi_U - phi_I) = Re(U conj(I)).
            x.activePower += (voltage[p][h] * std::conj(current[p][h])).real();
        }
        x.voltagePhase1 = Degrees360(std::arg(voltage[p][1]) * 180.0 / kPi - reference);
        x.apparentPower = x.voltageRms * x.currentRms;
        x.reactivePower = std::sqrt(std::max(0.0, x.apparentPower * x.apparentPower - x.activePower * x.activePower));
        x.powerFactor = x.apparentPower > 0.0 ? x.activePower / x.apparentPower : 0.0;
        x.displacementPowerFactor = std::cos(std::arg(voltage[p][1]) - std::arg(current[p][1]));
        if (p < 3) {
            x.pst = SteadyPst(o.signals[p], o.nominalFrequency);
            const double step = std::fabs(230.0 - x.voltageRms) / 230.0;
            x.startFluctuation = o.signals[p].modulationDepth == 0.0 && step > 0.002 ? step * 100.0 : 0.0;
        }
    }
    e.frequency = o.nominalFrequency;
    for (int p = 0; p < 3; ++p) {
        std::array<std::complex<double>, 51> line;
        for (int h = 0; h <= 50; ++h) {
            line[h] = voltage[p][h] - voltage[(p + 1) % 3][h];
        }
        e.phase[p].lineVoltageRms = Rms(line);
    }
    for (int p = 0; p < 3; ++p) {
        e.totalActivePower += e.phase[p].activePower;
        e.totalReactivePower += e.phase[p].reactivePower;
    }
    e.totalApparentPower = std::hypot(e.totalActivePower, e.totalReactivePower);
    const Sequence v = SequenceOf(voltage[0][1], voltage[1][1], voltage[2][1]);
    const Sequence i = SequenceOf(current[0][1], current[1][1], current[2][1]);
    e.voltagePositive = v.positive;
    e.voltageNegative = v.negative;
    e.voltageZero = v.zero;
    e.voltageZeroUnbalance = v.zeroUnbalance;
    e.voltageNegativeUnbalance = v.negativeUnbalance;
    e.currentPositive = i.positive;
    e.currentNegative = i.negative;
    e.currentZero = i.zero;
    e.currentZeroUnbalance = i.zeroUnbalance;
    e.currentNegativeUnbalance = i.negativeUnbalance;

    const std::uint32_t cyclesPerInterval = static_cast<std::uint32_t>(o.nominalFrequency * 0.2 + 0.5);
    if (cyclesPerInterval > 0 && o.nominalFrequency > 0) {
        e.intervals = o.frames * o.cyclesPerFrame / cyclesPerInterval;
        e.seconds = double(e.intervals) * cyclesPerInterval / o.nominalFrequency;
    }
    const double hours = e.seconds / 3600.0;
    for (int p = 0; p < 3; ++p) {
        e.activeEnergy[p] = e.phase[p].activePower * hours;
        e.apparentEnergy[p] = e.phase[p].apparentPower * hours;
    }
    e.activeEnergy[3] = e.totalActivePower * hours;
    e.apparentEnergy[3] = e.totalApparentPower * hours;
    return e;
}

std::string FormatWaveExpected(const WaveExpected& e)
{
    std::string text;
    const auto line = [&text](const std::string& name, double value) { text += name + "=" + Number(value) + "\n"; };
    line("intervals", double(e.intervals));
    line("seconds", e.seconds);
    for (int p = 0; p < 4; ++p) {
        const WavePhaseExpected& x = e.phase[p];
        const std::string prefix = "phase" + std::to_string(p) + ".";
        line(prefix + "voltageRms", x.voltageRms);
        line(prefix + "currentRms", x.currentRms);
        if (p < 3) {
            line(prefix + "lineVoltageRms", x.lineVoltageRms);
        }
        line(prefix + "voltageThd", x.voltageThd);
        line(prefix + "currentThd", x.currentThd);
        line(prefix + "voltageDc", x.voltageDc);
        line(prefix + "currentDc", x.currentDc);
        line(prefix + "currentKFactor", x.currentKFactor);
        for (int h = 1; h <= 50; ++h) {
            if (x.voltageHarmonic[h] > 0.0) {
                line(prefix + "voltageHarmonic" + std::to_string(h), x.voltageHarmonic[h]);
            }
            if (x.currentHarmonic[h] > 0.0) {
                line(prefix + "currentHarmonic" + std::to_string(h), x.currentHarmonic[h]);
            }
        }
        line(prefix + "voltagePhase1", x.voltagePhase1);
        line(prefix + "activePower", x.activePower);
        line(prefix + "reactivePower", x.reactivePower);
        line(prefix + "apparentPower", x.apparentPower);
        line(prefix + "powerFactor", x.powerFactor);
        line(prefix + "displacementPowerFactor", x.displacementPowerFactor);
        if (p < 3) {
            line(prefix + "startFluctuation", x.startFluctuation);
            line(prefix + "pst", x.pst);
        }
    }
    line("frequency", e.frequency);
    line("total.activePower", e.totalActivePower);
    line("total.reactivePower", e.totalReactivePower);
    line("total.apparentPower", e.totalApparentPower);
    line("voltage.positive", e.voltagePositive);
    line("voltage.negative", e.voltageNegative);
    line("voltage.zero", e.voltageZero);
    line("voltage.zeroUnbalance", e.voltageZeroUnbalance);
    line("voltage.negativeUnbalance", e.voltageNegativeUnbalance);
    line("current.positive", e.currentPositive);
    line("current.negative", e.currentNegative);
    line("current.zero", e.currentZero);
    line("current.zeroUnbalance", e.currentZeroUnbalance);
    line("current.negativeUnbalance", e.currentNegativeUnbalance);
    for (int p = 0; p < 4; ++p) {
        const std::string prefix = p < 3 ? "phase" + std::to_string(p) + "." : std::string("total.");
        line(prefix + "activeEnergy", e.activeEnergy[p]);
        line(prefix + "apparentEnergy", e.apparentEnergy[p]);
    }
    return text;
}

std::map<std::string, double> ParseWaveExpected(std::string_view text)
{
    std::map<std::string, double> values;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t equals = line.find('=');
        double value = 0.0;
        if (equals != std::string::npos &&
            std::from_chars(line.data() + equals + 1, line.data() + line.size(), value).ec == std::errc()) {
            values[line.substr(0, equals)] = value;
        }
    }
    return values;
}

}  // namespace gen

#pragma once
// Generator of raw waveform records: the ".cfg" configuration block (1196 bytes) and
// the ".data" file (a 52-byte header, then frames of interleaved 16-bit samples each
// closed by one float), made from a description of the signal on every channel.
// Frames are written as they are made, so long records cost no memory. Beside the
// record the generator writes the values its analysis must produce, worked out from
// the signal description itself (never from the computation library).

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gen {

inline constexpr std::size_t kWaveConfigSize = 1196;
inline constexpr std::size_t kWaveHeaderSize = 52;
inline constexpr std::uint32_t kWaveChannels = 8;  // four voltages, then four currents
// Physical units per count and unit of gain: 5 / 16384.
inline constexpr double kWaveRawScale = 0.00030517578125;

// One harmonic of a channel: x(t) = sqrt(2) * rms * sin(order * 2 pi f t + phase).
struct WaveTone {
    int order = 1;
    double rms = 0.0;
    double phaseDegrees = 0.0;
};

// A channel's signal in volts or amperes. The modulation multiplies the whole signal
// by 1 + depth * sin(2 pi modulationHz t), as a flicker source does.
struct WaveSignal {
    std::vector<WaveTone> tones;
    double dc = 0.0;  // a constant offset added to the tones
    double modulationDepth = 0.0;
    double modulationHz = 0.0;
};

// Header fields written as given instead of the true ones, for broken records. The
// frames are always made from the true parameters.
struct WaveHeaderOverride {
    std::optional<std::uint32_t> nominalFrequency;
    std::optional<std::uint32_t> channelCount;
    std::optional<std::uint32_t> dataOffset;
    std::optional<std::uint32_t> frameSize;
};

struct WaveRecordOptions {
    std::string baseName = "wave";  // "wave.cfg" and "wave.data"
    std::string cfgExtension = ".cfg";
    std::string dataExtension = ".data";
    bool writeData = true;  // false: a lone ".cfg"
    std::uint32_t sampleRate = 25600;
    std::uint32_t nominalFrequency = 50;
    std::uint32_t cyclesPerFrame = 10;
    std::uint64_t frames = 0;
    std::uint16_t year = 2014, month = 5, day = 6, hour = 7, minute = 8, second = 9, millisecond = 10;
    float frameValue = 50.0f;  // the float closing each frame
    // Configuration block.
    std::int32_t wiring = 50;
    float nominalVoltage = 230.0f;  // the float at byte 16, shown as the record's nominal voltage
    float voltageRatio = 1.0f;
    float currentRatio = 1.0f;
    float voltageGain = 79.0f;   // phases 1-3
    float currentGain = 1.5f;
    float voltageGain4 = 79.0f;  // fourth channel
    float currentGain4 = 1.5f;
    std::array<float, 3> voltageFactor = {1.0f, 1.0f, 1.0f};
    std::array<float, 3> currentFactor = {1.0f, 1.0f, 1.0f};
    std::int32_t integrate = 0;
    std::size_t configSize = kWaveConfigSize;  // a shorter file for broken records
    std::uint32_t dataGap = 0;  // bytes between the header and the first frame (in the data offset)
    std::array<WaveSignal, kWaveChannels> signals;
    WaveHeaderOverride header;
};

// A three-phase four-wire record of `seconds` (whole frames): 230 V phases (the second
// at 225 V) with 5th and 7th harmonics, currents of 10, 10 and 8 A lagging by 30
// degrees with 3rd and 5th harmonics, a 3rd-harmonic neutral current and no neutral
// voltage. Only odd harmonics, so a half-cycle window sees the whole RMS value. A
// non-zero depth modulates the voltages at 10 Hz (a whole number of cycles per 200 ms,
// so the harmonic bins stay clean), which the flicker meter sees.
WaveRecordOptions ThreePhaseWaveRecord(std::uint32_t sampleRate, double seconds, double modulationDepth = 0.0);

// Physical units per count with which the analysis scales channel `channel` (0-3
// voltages, 4-7 currents), phase correction factors included.
double WaveChannelScale(const WaveRecordOptions& options, std::uint32_t channel);

// The samples of one channel as written into the frames (counts, rounded, clamped).
class WaveSampleSource {
public:
    explicit WaveSampleSource(const WaveRecordOptions& options);
    // Samples first .. first + count - 1 of a channel, counted from the record's start.
    void Fill(std::uint32_t channel, std::uint64_t first, std::size_t count, std::int16_t* out) const;
    std::uint32_t SamplesPerFrame() const { return m_samplesPerFrame; }

private:
    const WaveRecordOptions& m_options;
    std::uint32_t m_samplesPerFrame;
    // One period of the unmodulated signal in counts: the fewest whole cycles that are
    // also whole samples (one cycle at 50 Hz, three at 60 Hz and 25600 per second).
    std::array<std::vector<double>, kWaveChannels> m_cycle;
};

// Writes "<base>.cfg", "<base>.data" and "<base>.expected" into the folder (made when
// missing). False when a file cannot be written.
bool WriteWaveRecord(const std::filesystem::path& folder, const WaveRecordOptions& options);

// What the analysis of an unmodulated record must give, per phase 0-3 (voltage and
// current channels 1-4), for wiring 49 or 50 with a zero fourth voltage channel.
struct WavePhaseExpected {
    double voltageRms = 0.0, currentRms = 0.0;
    // Phases 0-2: this phase's voltage minus the next phase's (L1-L2, L2-L3, L3-L1), as
    // a three-wire wiring measures it.
    double lineVoltageRms = 0.0;
    double voltageThd = 0.0, currentThd = 0.0;                 // % of the fundamental
    double voltageDc = 0.0, currentDc = 0.0;                   // magnitude of the offset
    // Sum of h^2 I_h^2 over sum of I_h^2, orders 1..50; 0 without a current.
    double currentKFactor = 0.0;
    std::array<double, 51> voltageHarmonic{}, currentHarmonic{};  // by order 1..50
    double voltagePhase1 = 0.0;  // fundamental phase angle, degrees, referred to voltage phase 1
    double activePower = 0.0, reactivePower = 0.0, apparentPower = 0.0, powerFactor = 0.0;
    double displacementPowerFactor = 0.0;
    // Voltage channels 0-2. The fluctuation a record starts with: the step, in %, from
    // the 230 V reference the fluctuation measure starts at to the phase's steady RMS
    // (0 within its 0.2 % steady band); it stands for 3 s (300 half cycles), then
    // clears.
    double startFluctuation = 0.0;
    // Pst of a sinusoidally modulated phase on a 50 Hz carrier: the modulation's
    // relative change 2 x depth against the change that gives an instantaneous
    // flicker of 1 at that modulation frequency (IEC 61000-4-15, 230 V / 50 Hz),
    // Pst = sqrt(0.0314 + 0.0525 + 0.0657 + 0.28 + 0.08) x that ratio for a steady
    // flicker level. 0 for an unmodulated phase or a frequency outside the table.
    double pst = 0.0;
};

struct WaveExpected {
    std::array<WavePhaseExpected, 4> phase;
    double totalActivePower = 0.0, totalReactivePower = 0.0, totalApparentPower = 0.0;
    double voltagePositive = 0.0, voltageNegative = 0.0, voltageZero = 0.0;
    double voltageZeroUnbalance = 0.0, voltageNegativeUnbalance = 0.0;
    double currentPositive = 0.0, currentNegative = 0.0, currentZero = 0.0;
    double currentZeroUnbalance = 0.0, currentNegativeUnbalance = 0.0;
    double frequency = 0.0;       // of the signal, Hz
    std::uint64_t intervals = 0;  // whole 200 ms intervals the record holds
    double seconds = 0.0;         // the signal they cover
    // Energy over the analysed signal, phases 0-2 and the total: power x hours.
    std::array<double, 4> activeEnergy{}, apparentEnergy{};
};

WaveExpected ComputeWaveExpected(const WaveRecordOptions& options);

// The ".expected" text: one "name=value" line per value, names as "phase0.voltageRms".
std::string FormatWaveExpected(const WaveExpected& expected);
// The values of such a text by name; lines that are not "name=number" are skipped.
std::map<std::string, double> ParseWaveExpected(std::string_view text);

}  // namespace gen

#include "lib/recordpool/StatisticEngine.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace sampolyx {
namespace {

constexpr int kKinds = 73;
constexpr int kFlickerPeriod = 300;  // intervals: one minute
constexpr float kStatisticRawScale = 0.00030517578125f;
constexpr float kInitialVoltageScale = 0.02410888671875f;
constexpr float kInitialCurrentScale = 0.00043226013076491654f;

std::mutex& AnalysisMutex()
{
    static std::mutex mutex;
    return mutex;
}

// Everything of the configuration but the item list, which is always the same.
bool SameShape(const device_config& a, const device_config& b)
{
    return a.voltage_channels == b.voltage_channels && a.current_channels == b.current_channels &&
           a.sample_rate == b.sample_rate && a.interval_points == b.interval_points &&
           a.voltage_scale == b.voltage_scale && a.current_scale == b.current_scale &&
           a.device_name == b.device_name && a.harmonic_count == b.harmonic_count &&
           a.harmonic_group_count == b.harmonic_group_count && a.interharmonic_count == b.interharmonic_count &&
           a.band_count == b.band_count && a.nominal_frequency == b.nominal_frequency;
}

float ReadStatisticF32(const unsigned char* p)
{
    return std::bit_cast<float>(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                                (std::uint32_t(p[3]) << 24));
}

int Bounded(int count)
{
    return std::clamp(count, 0, CStatisticEngine::kMaxSubIndex);
}

}  // namespace

// The computation context of the process and the series storage around it, used by
// one analysis at a time (under the analysis lock) and kept for the next: a record of
// the same rate, frequency and interval takes the context over with a reset, so its
// memory, flicker meters, anti-alias filters and FFT set-up are made once, not for
// every record.
class CStatisticEngine::CAnalysisContext {
public:
    CAnalysisContext() : m_series(static_cast<std::size_t>(kKinds) * 5 * kMaxSubIndex) {}
    ~CAnalysisContext() { Drop(); }
    CAnalysisContext(const CAnalysisContext&) = delete;
    CAnalysisContext& operator=(const CAnalysisContext&) = delete;

    // The process's context, made on first use.
    static CAnalysisContext& Get()
    {
        static CAnalysisContext kept;
        return kept;
    }

    // A context for the configuration as device_context_init leaves one: the kept one
    // reset when it has that shape, else a new one. Null when the computation library
    // refuses the configuration.
    device_context* Take(device_config config)
    {
        if (m_built && SameShape(m_config, config) && device_context_reset(&m_context) == 0) {
            return &m_context;
        }
        Drop();
        static char itemName[] = "4U4I";
        m_items[0] = item_spec{{0, 1, 2, 3}, {0, 1, 2, 3}, itemName};
        m_items[1] = item_spec{{-1, 0, 0, 0}, {0, 0, 0, 0}, nullptr};
        config.items = m_items.data();  // the context keeps pointing at them
        m_built = device_context_init(&m_context, &config) == 0;
        m_config = config;
        return m_built ? &m_context : nullptr;
    }

    std::vector<float>& Series(std::size_t key) { return m_series[key]; }
    std::size_t SeriesCount() const { return m_series.size(); }

private:
    void Drop()
    {
        if (m_built) {
            device_context_destroy(&m_context);
            m_built = false;
        }
    }

    std::array<item_spec, 2> m_items{};
    device_config m_config{};
    device_context m_context{};
    bool m_built = false;
    // Series of the intervals fed since the last flush, by kind, index and sub-index.
    std::vector<std::vector<float>> m_series;
};

CStatisticEngine::CStatisticEngine() = default;

std::vector<float>& CStatisticEngine::Series(int kind, int index, int subIndex)
{
    return m_kept->Series((static_cast<std::size_t>(kind) * 5 + index) * kMaxSubIndex + subIndex);
}

CStatisticEngine::~CStatisticEngine()
{
    End();
}

bool CStatisticEngine::Begin(const RecordHeader& header, const RecordLayout& layout, const ConfigBlock& config)
{
    End();
    m_analysis = std::unique_lock<std::mutex>(AnalysisMutex());
    m_header = header;
    m_layout = layout;
    // The context keeps pointing at the device name.
    static char deviceName[] = "K7700";
    device_config cfg{};
    cfg.voltage_channels = 4;
    cfg.current_channels = 4;
    cfg.sample_rate = static_cast<float>(header.sampleRate);
    cfg.interval_points = static_cast<std::int32_t>(layout.intervalPoints);
    cfg.voltage_scale = kInitialVoltageScale;
    cfg.current_scale = kInitialCurrentScale;
    cfg.device_name = deviceName;
    cfg.harmonic_count = 50;
    cfg.harmonic_group_count = 50;
    cfg.interharmonic_count = 50;
    cfg.band_count = header.sampleRate == 6400 ? 6 : 35;
    cfg.nominal_frequency = static_cast<std::int32_t>(header.nominalFrequency);
    m_kept = &CAnalysisContext::Get();
    m_context = m_kept->Take(cfg);
    if (m_context == nullptr) {
        m_kept = nullptr;
        m_analysis.unlock();
        return false;
    }
    m_built = true;
    k7700_config* wiring = k7700_config_obj_get();
    k7700_config_init(wiring);
    if (k7700_config_dc(wiring, config.data(), m_context) != 0) {
        End();
        return false;
    }
    // Half-cycle RMS windows.
    device_context_set_rms_points(m_context, static_cast<std::int32_t>(layout.samplesPerCycle / 2));
    // Physical units per count: channel gain x 5/16384 x transformer ratio, and for
    // phases 1-3 their correction factor.
    const RecordConfig c = ParseConfig(config);
    device_context* context = m_context;
    for (unsigned p = 0; p < 3; ++p) {
        device_context_set_voltage_scale(context, p, c.voltageGain * kStatisticRawScale * c.voltageRatio * c.voltageFactor[p]);
        device_context_set_current_scale(context, p, c.currentGain * kStatisticRawScale * c.currentRatio * c.currentFactor[p]);
    }
    device_context_set_voltage_scale(context, 3, c.voltageGain4 * kStatisticRawScale * c.voltageRatio);
    device_context_set_current_scale(context, 3, c.currentGain4 * kStatisticRawScale * c.currentRatio);

    for (auto& pending : m_pending) {
        pending.clear();
    }
    m_voltage.assign(std::size_t(4) * layout.intervalPoints, 0);
    m_current.assign(std::size_t(4) * layout.intervalPoints, 0);
    m_countdown = kFlickerPeriod;
    m_rmsSum = {};
    m_rmsCount = {};
    m_energy = {};
    return true;
}

void CStatisticEngine::End()
{
    if (m_built) {
        // The context stays with the process for the next analysis; its chain goes.
        k7700_config_destroy(k7700_config_obj_get());
        m_built = false;
    }
    m_context = nullptr;
    for (auto& pending : m_pending) {
        pending = {};
    }
    m_voltage = {};
    m_current = {};
    if (m_kept != nullptr) {
        for (std::size_t key = 0; key < m_kept->SeriesCount(); ++key) {
            m_kept->Series(key) = {};
        }
        m_kept = nullptr;
    }
    if (m_analysis.owns_lock()) {
        m_analysis.unlock();
    }
}

void CStatisticEngine::CopyFromFrames(const unsigned char* frames, std::size_t channel, std::uint64_t first,
                                      std::size_t count, std::int16_t* out) const
{
    const std::uint64_t m = m_layout.samplesPerFrame;
    while (count > 0) {
        const std::uint64_t frame = first / m;
        const std::uint64_t inFrame = first % m;
        const std::size_t run = static_cast<std::size_t>(std::min<std::uint64_t>(count, m - inFrame));
        const unsigned char* bytes = frames + frame * m_header.frameSize + (channel * m + inFrame) * 2;
        for (std::size_t i = 0; i < run; ++i) {
            out[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        }
        out += run;
        first += run;
        count -= run;
    }
}

std::int32_t CStatisticEngine::Feed(const unsigned char* frames, std::uint64_t frameCount)
{
    if (!m_built) {
        return 0;
    }
    for (std::uint64_t f = 0; f < frameCount; ++f) {
        Series(47, 4, 4).push_back(ReadStatisticF32(frames + f * m_header.frameSize + m_header.frameSize - 4));
    }
    // The samples of each channel run on from those the last call left over; intervals
    // are cut straight from the frames.
    const std::size_t c = m_layout.intervalPoints;
    const std::uint64_t chunkSamples = frameCount * m_layout.samplesPerFrame;
    const std::size_t carried = m_pending[0].size();
    const std::uint64_t intervals = (carried + chunkSamples) / c;
    const std::int32_t count = static_cast<std::int32_t>(4 * c);
    std::int32_t done = 0;
    for (std::uint64_t n = 0; n < intervals; ++n) {
        for (std::size_t ch = 0; ch < kRecordChannels; ++ch) {
            std::int16_t* block = (ch < 4 ? m_voltage.data() : m_current.data()) + (ch % 4) * c;
            const std::size_t fromCarry = n == 0 ? carried : 0;
            std::copy(m_pending[ch].begin(), m_pending[ch].begin() + static_cast<std::ptrdiff_t>(fromCarry), block);
            CopyFromFrames(frames, ch, n * c + fromCarry - carried, c - fromCarry, block + fromCarry);
        }
        const int events = device_context_input(m_context, m_voltage.data(), count, m_current.data(), count);
        if (events < 0) {
            continue;
        }
        bool flickerClosed = false;
        if ((events & ZV_EVENT_INTERVAL) && --m_countdown == 0) {
            device_context_flicker_done(m_context);
            m_countdown = kFlickerPeriod;
            flickerClosed = true;
        }
        if (const item_record* item = device_context_get_zv_by_index(m_context, 0)) {
            Collect(*item, flickerClosed);
            ++done;
        }
    }
    // Keep what does not fill an interval for the next call.
    const std::uint64_t used = intervals * c;
    for (std::size_t ch = 0; ch < kRecordChannels; ++ch) {
        std::vector<std::int16_t>& pending = m_pending[ch];
        const std::uint64_t keepFrom = used > carried ? used - carried : 0;
        if (used > 0) {
            pending.clear();
        }
        const std::size_t old = pending.size();
        pending.resize(old + static_cast<std::size_t>(chunkSamples - keepFrom));
        CopyFromFrames(frames, ch, keepFrom, static_cast<std::size_t>(chunkSamples - keepFrom), pending.data() + old);
    }
    return done;
}

void CStatisticEngine::Collect(const item_record& item, bool flickerClosed)
{
    // Unbalance.
    for (int k = 0; k < 5; ++k) {
        Series(37 + k, 4, 4).push_back(item.sequence[ZV_SEQ_V_POSITIVE + k]);
        Series(42 + k, 4, 4).push_back(item.sequence[ZV_SEQ_I_POSITIVE + k]);
    }
    CollectVoltagesAndCurrents(item);
    CollectPower(item);
    // Fluctuation and flicker.
    for (int p = 0; p < 4; ++p) {
        if (const fluctuation_record* f = item.fluctuation[p]) {
            Series(32, p, 4).push_back(f->dc);
            Series(33, p, 4).push_back(f->dmax);
            Series(34, p, 4).push_back(f->exceed_time);
        }
        if (flickerClosed && item.flicker[p]) {
            Series(35, p, 4).push_back(item.flicker[p]->pst);
        }
    }
    CollectHarmonics(item);
}

void CStatisticEngine::CollectVoltagesAndCurrents(const item_record& item)
{
    for (int current = 0; current < 2; ++current) {
        for (int p = 0; p < 4; ++p) {
            const rms_record* rms = current ? item.current_rms[p] : item.voltage_rms[p];
            if (rms) {
                const int windows = std::clamp(rms->window_count, 0, ZV_MAX_WINDOWS);
                for (int w = 0; w < windows; ++w) {
                    Series(2 + current, p, 4).push_back(rms->rms[w]);
                    Series(6 + 3 * current, p, 4).push_back(rms->largest[w]);
                    Series(7 + 3 * current, p, 4).push_back(rms->smallest[w]);
                    Series(8 + 3 * current, p, 4).push_back(rms->crest_factor[w]);
                    m_rmsSum[current][p] += rms->rms[w];
                    m_rmsCount[current][p] += 1;
                    Series(16 + current, p, 4)
                        .push_back(static_cast<float>(m_rmsSum[current][p] / double(m_rmsCount[current][p])));
                }
            }
            const rms_record* half = current ? item.current_half_rms[p] : item.voltage_half_rms[p];
            if (half) {
                const int windows = std::clamp(half->window_count, 0, ZV_MAX_WINDOWS);
                for (int w = 0; w < windows; ++w) {
                    Series(4 + current, p, 4).push_back(half->rms[w]);
                }
            }
        }
    }
}

void CStatisticEngine::CollectPower(const item_record& item)
{
    for (int p = 0; p < 4; ++p) {
        // The fourth slot carries the totals over phases 1-3.
        const power_record& power = item.power[p];
        const bool total = p == 3;
        const int windows = std::clamp(total ? item.total_count : power.window_count, 0, ZV_MAX_WINDOWS);
        const float* active = total ? item.total_p : power.p;
        const float* reactive = total ? item.total_q : power.q;
        const float* apparent = total ? item.total_s : power.s;
        const float* factor = total ? item.total_power_factor : power.power_factor;
        const float* energies[3] = {total ? item.total_active_energy : power.active_energy,
                                    total ? item.total_reactive_energy : power.reactive_energy,
                                    total ? item.total_apparent_energy : power.apparent_energy};
        for (int w = 0; w < windows; ++w) {
            Series(18, p, 4).push_back(active[w]);
            Series(19, p, 4).push_back(reactive[w]);
            Series(20, p, 4).push_back(apparent[w]);
            Series(25, p, 4).push_back(factor[w]);
            for (int e = 0; e < 3; ++e) {
                m_energy[p][e] += energies[e][w];
                Series(22 + e, p, 4).push_back(static_cast<float>(m_energy[p][e]));
            }
        }
        Series(21, p, 4).push_back(item.displacement_power_factor[p]);
        Series(26, p, 4).push_back(power.dc_power);
        Series(27, p, 4).push_back(power.dc_power_percent);
        Series(31, p, 4).push_back(power.harmonic_power_percent_sum);
    }
}

void CStatisticEngine::CollectHarmonics(const item_record& item)
{
    for (int p = 0; p < 4; ++p) {
        Series(48, p, 4).push_back(item.k_factor[p]);
        if (item.voltage_harmonic[p]) {
            CollectHarmonic(*item.voltage_harmonic[p], p, true);
        }
        if (item.current_harmonic[p]) {
            CollectHarmonic(*item.current_harmonic[p], p, false);
        }
    }
    for (int p = 0; p < 4; ++p) {
        const power_record& power = item.power[p];
        const int orders = Bounded(power.order_count);
        for (int o = 0; o < orders; ++o) {
            Series(28, p, o).push_back(power.harmonic_power[o]);
            Series(30, p, o).push_back(power.phase_difference[o]);
            Series(29, p, o).push_back(power.harmonic_power_percent[o]);
        }
    }
}

void CStatisticEngine::CollectHarmonic(const harmonic_record& h, int p, bool voltage)
{
    // Voltage kinds; the current kinds follow the same order twelve kinds further on.
    const int shift = voltage ? 0 : 12;
    Series(49 + shift, p, 4).push_back(h.thd);
    Series(50 + shift, p, 4).push_back(h.dc);
    Series(51 + shift, p, 4).push_back(h.dc_percent);
    const int orders = Bounded(h.harmonic_count);
    for (int o = 0; o < orders; ++o) {
        Series(52 + shift, p, o).push_back(h.harmonic[o]);
        Series(53 + shift, p, o).push_back(h.phase[o]);
        Series(54 + shift, p, o).push_back(h.harmonic_percent[o]);
    }
    if (orders > 0) {
        Series(voltage ? 12 : 13, p, 4).push_back(h.harmonic[0]);
        Series(voltage ? 14 : 15, p, 4).push_back(h.phase[0]);
    }
    for (int g = 0; g < Bounded(h.group_count); ++g) {
        Series(55 + shift, p, g).push_back(h.subgroup[g]);
        Series(56 + shift, p, g).push_back(h.subgroup_percent[g]);
    }
    for (int g = 0; g < Bounded(h.interharmonic_count); ++g) {
        Series(57 + shift, p, g).push_back(h.interharmonic[g]);
        Series(58 + shift, p, g).push_back(h.interharmonic_percent[g]);
    }
    for (int b = 0; b < Bounded(h.band_count); ++b) {
        Series(59 + shift, p, b).push_back(h.band[b]);
        Series(60 + shift, p, b).push_back(h.band_percent[b]);
    }
}

void CStatisticEngine::Flush(DataSetMap& sets)
{
    if (m_kept == nullptr) {
        return;
    }
    for (std::size_t key = 0; key < m_kept->SeriesCount(); ++key) {
        std::vector<float>& series = m_kept->Series(key);
        if (series.empty()) {
            continue;
        }
        const int subIndex = static_cast<int>(key % kMaxSubIndex);
        const int index = static_cast<int>(key / kMaxSubIndex % 5);
        const int kind = static_cast<int>(key / kMaxSubIndex / 5);
        auto values = std::make_unique<float[]>(series.size());
        std::copy(series.begin(), series.end(), values.get());
        sets[kind][index][subIndex].Append(std::make_unique<CFloatChunk>(std::move(values), series.size()));
        series.clear();
    }
}

}  // namespace sampolyx

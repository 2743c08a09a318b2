// The computation context: building it from a device description, feeding it
// one 200 ms block per call through the whole per-interval pipeline, and the
// accessors of its item records.
#include "lib/compute/ZvInternal.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace {

constexpr float kFluctuationReference = 230.0f;
constexpr int32_t kFluctuationRunLength = 100;
constexpr int32_t kThreeWirePriority = 10;
constexpr int32_t kMaxBands = 1024;
constexpr float kMaxRate = 1.0e8f;      // samples per second
constexpr int32_t kMaxNominal = 10000;  // Hz
constexpr uint32_t kMaxChannels = 1024;

int32_t CountItems(const item_spec* items)
{
    int32_t count = 0;
    if (items)
        while (items[count].voltage_channel[0] != -1)
            ++count;
    return count;
}

// A configuration is computed only when its block holds a whole number of
// cycles at 5 Hz resolution (orders then sit at a fixed stride of bins) and
// everything it asks of the spectrum lies below half the sample rate.
bool Computable(const device_config& c)
{
    if (!(c.sample_rate > 0.0f && c.sample_rate <= kMaxRate) || c.nominal_frequency <= 0 ||
        c.nominal_frequency > kMaxNominal || c.interval_points <= 0)
        return false;
    const int64_t rate = static_cast<int64_t>(c.sample_rate);
    const int64_t s = c.interval_points;
    const int64_t cycles = int64_t(c.nominal_frequency) * 200 / 1000;
    if (cycles < 4 || double(s) * c.nominal_frequency != double(cycles) * c.sample_rate)
        return false;
    if (c.voltage_channels > kMaxChannels || c.current_channels > kMaxChannels ||
        (int64_t(c.voltage_channels) + c.current_channels) * s > INT32_MAX)
        return false;
    const int64_t half = rate / (2 * int64_t(c.nominal_frequency));
    if (half < 1 || zv::RmsMaxWindows(int32_t(half), int32_t(s)) > ZV_MAX_WINDOWS)
        return false;
    if (c.voltage_channels > 0 && rate < 400)
        return false; // the flicker meter decimates to 400 samples per second
    if (c.harmonic_count < 0 || c.harmonic_group_count < 0 || c.interharmonic_count < 0 || c.band_count < 0 ||
        c.band_count > kMaxBands)
        return false;
    const int64_t orders = std::max(c.harmonic_count, c.harmonic_group_count);
    if (orders > 0 && 2 * (cycles * orders + 1) >= s)
        return false;
    if (c.interharmonic_count > 0 && 2 * (cycles * c.interharmonic_count - 2) >= s)
        return false;
    const int32_t items = CountItems(c.items);
    for (int32_t k = 0; k < items; ++k)
        for (int p = 0; p < 4; ++p) {
            const int32_t u = c.items[k].voltage_channel[p];
            const int32_t i = c.items[k].current_channel[p];
            if (u < 0 || uint32_t(u) >= c.voltage_channels || i < 0 || uint32_t(i) >= c.current_channels)
                return false;
        }
    return true;
}

template <typename T> T* NewRecords(uint32_t count)
{
    return count ? new T[count]() : nullptr;
}

// The settings and the empty state a channel starts with, after a build or a reset.
void StartChannel(device_context& ctx, const device_config& cfg, uint32_t k, bool voltage)
{
    fft_record& fft = (voltage ? ctx.voltage_fft : ctx.current_fft)[k];
    rms_record& rms = (voltage ? ctx.voltage_rms : ctx.current_rms)[k];
    rms_record& half = (voltage ? ctx.voltage_half_rms : ctx.current_half_rms)[k];
    const float scale = voltage ? cfg.voltage_scale : cfg.current_scale;
    rms = rms_record{};
    half = rms_record{};
    rms.window = cfg.interval_points;
    half.window = static_cast<int32_t>(cfg.sample_rate) / (2 * cfg.nominal_frequency);
    rms.scale = half.scale = fft.scale = scale;
}

void BuildChannel(device_context& ctx, const device_config& cfg, uint32_t k, bool voltage)
{
    zv::FftBuild((voltage ? ctx.voltage_fft : ctx.current_fft)[k], cfg.interval_points, cfg.sample_rate);
    zv::HarmonicBuild((voltage ? ctx.voltage_harmonic : ctx.current_harmonic)[k], cfg.harmonic_count,
                      cfg.harmonic_group_count, cfg.interharmonic_count, cfg.band_count);
    if (voltage) {
        zv::FlickerBuild(ctx.flicker[k], &ctx.voltage_rms[k], &ctx.fluctuation[k], cfg.sample_rate, cfg.interval_points);
        zv::FluctuationBuild(ctx.fluctuation[k], kFluctuationReference, kFluctuationRunLength);
    }
    StartChannel(ctx, cfg, k, voltage);
}

void ResetChannel(device_context& ctx, const device_config& cfg, uint32_t k, bool voltage)
{
    zv::FftClear((voltage ? ctx.voltage_fft : ctx.current_fft)[k]);
    zv::HarmonicClear((voltage ? ctx.voltage_harmonic : ctx.current_harmonic)[k]);
    if (voltage) {
        zv::FlickerRestart(ctx.flicker[k]);
        zv::FluctuationRestart(ctx.fluctuation[k]);
    }
    StartChannel(ctx, cfg, k, voltage);
}

bool InsertCallback(item_record& item, callback_node* node)
{
    if (item.callback_count >= ZV_MAX_CALLBACKS)
        return false;
    int32_t at = 0;
    while (at < item.callback_count && item.callbacks[at]->priority <= node->priority)
        ++at;
    for (int32_t k = item.callback_count; k > at; --k)
        item.callbacks[k] = item.callbacks[k - 1];
    item.callbacks[at] = node;
    ++item.callback_count;
    return true;
}

// The settings and the empty results an item starts with, after a build or a reset:
// power on in every phase, harmonic power in phases 1-3, no three-wire total, the
// wiring the chain has not set yet.
void StartItem(item_record& item)
{
    item.total_count = 0;
    for (float* values : {item.total_power_factor, item.total_p, item.total_q, item.total_s, item.total_active_energy,
                          item.total_reactive_energy, item.total_apparent_energy})
        std::fill(values, values + ZV_MAX_WINDOWS, 0.0f);
    std::fill(std::begin(item.sequence), std::end(item.sequence), 0.0f);
    std::fill(std::begin(item.k_factor), std::end(item.k_factor), 0.0f);
    std::fill(std::begin(item.displacement_power_factor), std::end(item.displacement_power_factor), 0.0f);
    item.power_scale = 1.0f;
    item.three_wire.enabled = 0;
    item.three_wire.p = item.three_wire.q = item.three_wire.s = item.three_wire.power_factor = 0.0f;
    item.wiring_type = 7;
    for (int p = 0; p < 4; ++p) {
        item.power[p].power_on = 1;
        item.power[p].harmonic_power_on = p < 3 ? 1 : 0;
    }
}

void BuildItem(device_context& ctx, const device_config& cfg, int32_t index)
{
    item_record& item = ctx.item_records[index];
    const item_spec& itemChannels = cfg.items[index];
    item.three_wire.priority = kThreeWirePriority;
    item.three_wire.owner = &item;
    item.three_wire.handler = zv::ThreeWirePower;
    InsertCallback(item, &item.three_wire);
    item.sample_rate = cfg.sample_rate;
    for (int p = 0; p < 4; ++p) {
        const int32_t u = itemChannels.voltage_channel[p];
        const int32_t i = itemChannels.current_channel[p];
        item.voltage_harmonic[p] = &ctx.voltage_harmonic[u];
        item.current_harmonic[p] = &ctx.current_harmonic[i];
        item.flicker[p] = &ctx.flicker[u];
        item.fluctuation[p] = &ctx.fluctuation[u];
        item.voltage_rms[p] = &ctx.voltage_rms[u];
        item.current_rms[p] = &ctx.current_rms[i];
        item.voltage_half_rms[p] = &ctx.voltage_half_rms[u];
        item.current_half_rms[p] = &ctx.current_half_rms[i];
    }
    item.name = itemChannels.name;
    item.context = &ctx;
    for (int p = 0; p < 4; ++p)
        zv::PowerSetup(item.power[p], item.voltage_harmonic[p], item.current_harmonic[p], item.voltage_rms[p],
                       item.current_rms[p]);
    StartItem(item);
}

void ResetItem(item_record& item)
{
    for (power_record& power : item.power)
        zv::PowerClear(power);
    StartItem(item);
}

// Leaves no configuration node pointing at the context.
void DetachChain(device_context& ctx)
{
    for (config_node* node = ctx.chain; node; node = node->next)
        if (node->owner == &ctx)
            node->owner = nullptr;
    ctx.chain = nullptr;
}

const int32_t* Channel(const int32_t* block, int32_t index, int32_t s)
{
    return block + size_t(index) * size_t(s);
}

void RunItem(device_context& ctx, item_record& item)
{
    const int32_t s = ctx.interval_points;
    const item_spec& itemChannels = ctx.items[&item - ctx.item_records];
    for (int p = 0; p < 4; ++p)
        zv::PowerRun(item.power[p], item.power_scale, Channel(ctx.voltage_samples, itemChannels.voltage_channel[p], s),
                     Channel(ctx.current_samples, itemChannels.current_channel[p], s), s, item.sample_rate);
    zv::PowerTotals(item, item.sample_rate);
    zv::SequenceComponents(item, ctx.switches[ZV_SWITCH_VOLTAGE_SEQUENCE] != 0,
                           ctx.switches[ZV_SWITCH_CURRENT_SEQUENCE] != 0);
    if (ctx.switches[ZV_SWITCH_DISPLACEMENT_PF])
        zv::DisplacementPowerFactor(item);
    if (ctx.switches[ZV_SWITCH_K_FACTOR])
        for (int p = 0; p < 4; ++p)
            item.k_factor[p] = zv::KFactor(*item.current_harmonic[p]);
}

void RunCallbacks(device_context& ctx, item_record& item)
{
    const int32_t s = ctx.interval_points;
    const item_spec& itemChannels = ctx.items[&item - ctx.item_records];
    auto u = [&](int p) { return Channel(ctx.voltage_samples, itemChannels.voltage_channel[p], s); };
    auto i = [&](int p) { return Channel(ctx.current_samples, itemChannels.current_channel[p], s); };
    for (int32_t k = 0; k < item.callback_count && item.callbacks[k]; ++k) {
        callback_node* node = item.callbacks[k];
        if (node->enabled && node->handler)
            node->handler(node, u(0), i(0), u(1), i(1), u(2), i(2), u(3), i(3), s);
    }
}

void RunRms(rms_record& main, rms_record& halfCycle, bool withHalfCycle, const int32_t* x, int32_t s)
{
    const int32_t carried = main.carried_count;
    const uint64_t carriedSum = main.carried_sum_squares;
    zv::RmsRun(main, x, s);
    if (withHalfCycle)
        zv::RmsRunLike(halfCycle, main, carried, carriedSum, x, s);
}

void RunChain(device_context& ctx)
{
    const int32_t s = ctx.interval_points;
    for (config_node* node = ctx.chain; node; node = node->next) {
        if (node->owner != &ctx)
            break; // a node bound elsewhere must not touch this context's samples
        if (!node->handler || !node->enabled)
            continue;
        if (!node->handler(node, ctx.voltage_samples, int32_t(ctx.voltage_channels) * s, ctx.current_samples,
                           int32_t(ctx.current_channels) * s))
            break;
    }
}

} // namespace

extern "C" {

ZV_API int device_context_init(device_context* context, const device_config* config)
{
    if (!context)
        return -1;
    std::memset(context, 0, sizeof *context);
    if (!config || !Computable(*config))
        return -1;
    const device_config& cfg = *config;
    device_context& ctx = *context;
    ctx.device_name = cfg.device_name;
    ctx.items = cfg.items;
    ctx.voltage_channels = cfg.voltage_channels;
    ctx.current_channels = cfg.current_channels;
    ctx.nominal_frequency = cfg.nominal_frequency;
    ctx.item_count = CountItems(cfg.items);
    ctx.cycles_per_interval = cfg.nominal_frequency * 200 / 1000;
    ctx.samples_per_cycle = static_cast<int32_t>(cfg.sample_rate) / cfg.nominal_frequency;
    ctx.interval_points = cfg.interval_points;
    ctx.config = cfg;

    const uint32_t nv = cfg.voltage_channels;
    const uint32_t ni = cfg.current_channels;
    ctx.voltage_fft = NewRecords<fft_record>(nv);
    ctx.current_fft = NewRecords<fft_record>(ni);
    ctx.voltage_harmonic = NewRecords<harmonic_record>(nv);
    ctx.current_harmonic = NewRecords<harmonic_record>(ni);
    ctx.voltage_rms = NewRecords<rms_record>(nv);
    ctx.current_rms = NewRecords<rms_record>(ni);
    ctx.voltage_half_rms = NewRecords<rms_record>(nv);
    ctx.current_half_rms = NewRecords<rms_record>(ni);
    ctx.flicker = NewRecords<flicker_record>(nv);
    ctx.fluctuation = NewRecords<fluctuation_record>(nv);
    ctx.voltage_samples = new int32_t[size_t(nv) * size_t(cfg.interval_points) + 1]();
    ctx.current_samples = new int32_t[size_t(ni) * size_t(cfg.interval_points) + 1]();
    for (uint32_t k = 0; k < nv; ++k)
        BuildChannel(ctx, cfg, k, true);
    for (uint32_t k = 0; k < ni; ++k)
        BuildChannel(ctx, cfg, k, false);
    ctx.item_records = NewRecords<item_record>(uint32_t(ctx.item_count));
    for (int32_t k = 0; k < ctx.item_count; ++k)
        BuildItem(ctx, cfg, k);
    std::fill(std::begin(ctx.switches), std::end(ctx.switches), 1);
    return 0;
}

ZV_API int device_context_destroy(device_context* context)
{
    if (!context)
        return -1;
    device_context& ctx = *context;
    DetachChain(ctx);
    for (uint32_t k = 0; ctx.voltage_fft && k < ctx.voltage_channels; ++k) {
        zv::FftFree(ctx.voltage_fft[k]);
        zv::HarmonicFree(ctx.voltage_harmonic[k]);
        zv::FlickerFree(ctx.flicker[k]);
        zv::FluctuationFree(ctx.fluctuation[k]);
    }
    for (uint32_t k = 0; ctx.current_fft && k < ctx.current_channels; ++k) {
        zv::FftFree(ctx.current_fft[k]);
        zv::HarmonicFree(ctx.current_harmonic[k]);
    }
    for (int32_t k = 0; ctx.item_records && k < ctx.item_count; ++k)
        for (power_record& power : ctx.item_records[k].power)
            zv::PowerFree(power);
    delete[] ctx.voltage_fft;
    delete[] ctx.current_fft;
    delete[] ctx.voltage_harmonic;
    delete[] ctx.current_harmonic;
    delete[] ctx.voltage_rms;
    delete[] ctx.current_rms;
    delete[] ctx.voltage_half_rms;
    delete[] ctx.current_half_rms;
    delete[] ctx.flicker;
    delete[] ctx.fluctuation;
    delete[] ctx.item_records;
    delete[] ctx.voltage_samples;
    delete[] ctx.current_samples;
    ctx.voltage_fft = ctx.current_fft = nullptr;
    ctx.voltage_harmonic = ctx.current_harmonic = nullptr;
    ctx.voltage_rms = ctx.current_rms = ctx.voltage_half_rms = ctx.current_half_rms = nullptr;
    ctx.flicker = nullptr;
    ctx.fluctuation = nullptr;
    ctx.item_records = nullptr;
    ctx.voltage_samples = ctx.current_samples = nullptr;
    return 0;
}

ZV_API int device_context_reset(device_context* context)
{
    if (!context || !context->voltage_samples || !context->current_samples)
        return -1;
    device_context& ctx = *context;
    const device_config& cfg = ctx.config;
    DetachChain(ctx);
    std::fill(ctx.voltage_samples, ctx.voltage_samples + size_t(ctx.voltage_channels) * size_t(ctx.interval_points) + 1, 0);
    std::fill(ctx.current_samples, ctx.current_samples + size_t(ctx.current_channels) * size_t(ctx.interval_points) + 1, 0);
    for (uint32_t k = 0; k < ctx.voltage_channels; ++k)
        ResetChannel(ctx, cfg, k, true);
    for (uint32_t k = 0; k < ctx.current_channels; ++k)
        ResetChannel(ctx, cfg, k, false);
    for (int32_t k = 0; k < ctx.item_count; ++k)
        ResetItem(ctx.item_records[k]);
    std::fill(std::begin(ctx.switches), std::end(ctx.switches), 1);
    return 0;
}

ZV_API int device_context_input(device_context* context, int16_t* voltage, int32_t voltageCount, int16_t* current,
                                int32_t currentCount)
{
    if (!context || context->interval_points <= 0 || !context->voltage_samples)
        return -1;
    device_context& ctx = *context;
    const int32_t s = ctx.interval_points;
    const int64_t nv = ctx.voltage_channels;
    const int64_t ni = ctx.current_channels;
    if ((nv > 0 && (!voltage || voltageCount < nv * s)) || (ni > 0 && (!current || currentCount < ni * s)))
        return -1;
    if (nv > 0)
        std::copy(voltage, voltage + nv * s, ctx.voltage_samples);
    if (ni > 0)
        std::copy(current, current + ni * s, ctx.current_samples);

    RunChain(ctx);
    for (uint32_t k = 0; k < ctx.voltage_channels; ++k) {
        const int32_t* x = Channel(ctx.voltage_samples, int32_t(k), s);
        RunRms(ctx.voltage_rms[k], ctx.voltage_half_rms[k], ctx.switches[ZV_SWITCH_VOLTAGE_HALF_RMS] != 0, x, s);
        if (ctx.switches[ZV_SWITCH_VOLTAGE_FFT]) {
            zv::FftTransform(ctx.voltage_fft[k], x);
            zv::HarmonicAnalyse(ctx.voltage_fft[k], ctx.voltage_harmonic[k], ctx.cycles_per_interval);
        }
    }
    for (uint32_t k = 0; k < ctx.current_channels; ++k) {
        const int32_t* x = Channel(ctx.current_samples, int32_t(k), s);
        RunRms(ctx.current_rms[k], ctx.current_half_rms[k], ctx.switches[ZV_SWITCH_CURRENT_HALF_RMS] != 0, x, s);
        if (ctx.switches[ZV_SWITCH_CURRENT_FFT]) {
            zv::FftTransform(ctx.current_fft[k], x);
            zv::HarmonicAnalyse(ctx.current_fft[k], ctx.current_harmonic[k], ctx.cycles_per_interval);
        }
    }
    for (int32_t k = 0; k < ctx.item_count; ++k)
        RunItem(ctx, ctx.item_records[k]);
    for (int32_t k = 0; k < ctx.item_count; ++k)
        RunCallbacks(ctx, ctx.item_records[k]);

    int result = ZV_EVENT_INTERVAL;
    if (ctx.switches[ZV_SWITCH_FLUCTUATION])
        for (uint32_t k = 0; k < ctx.voltage_channels; ++k)
            result |= zv::FluctuationRun(ctx.fluctuation[k], ctx.voltage_half_rms[k]);
    if (ctx.switches[ZV_SWITCH_FLICKER])
        for (uint32_t k = 0; k < ctx.voltage_channels; ++k)
            zv::FlickerFeed(ctx.flicker[k], Channel(ctx.voltage_samples, int32_t(k), s), s);
    if (ctx.switches[ZV_SWITCH_PHASE_REFERENCE]) {
        const harmonic_record* first = ctx.voltage_channels > 0 ? &ctx.voltage_harmonic[0] : nullptr;
        const float reference = first && first->harmonic_count > 0 ? first->phase[0] : 0.0f;
        for (uint32_t k = 0; k < ctx.voltage_channels; ++k)
            zv::HarmonicReferencePhases(ctx.voltage_harmonic[k], reference);
        for (uint32_t k = 0; k < ctx.current_channels; ++k)
            zv::HarmonicReferencePhases(ctx.current_harmonic[k], reference);
    }
    return result;
}

ZV_API int device_context_set_voltage_scale(device_context* context, unsigned channel, float scale)
{
    if (!context || channel >= context->voltage_channels || !context->voltage_rms)
        return -1;
    context->voltage_rms[channel].scale = scale;
    context->voltage_half_rms[channel].scale = scale;
    context->voltage_fft[channel].scale = scale;
    return 0;
}

ZV_API int device_context_set_current_scale(device_context* context, unsigned channel, float scale)
{
    if (!context || channel >= context->current_channels || !context->current_rms)
        return -1;
    context->current_rms[channel].scale = scale;
    context->current_half_rms[channel].scale = scale;
    context->current_fft[channel].scale = scale;
    return 0;
}

ZV_API int device_context_set_rms_points(device_context* context, int32_t points)
{
    // A window so short that more than 32 would complete in one block is refused.
    if (!context || points <= 0 || zv::RmsMaxWindows(points, context->interval_points) > ZV_MAX_WINDOWS)
        return -1;
    for (uint32_t k = 0; context->voltage_rms && k < context->voltage_channels; ++k) {
        context->voltage_rms[k].window = points;
        zv::RmsClearCarry(context->voltage_rms[k]);
    }
    for (uint32_t k = 0; context->current_rms && k < context->current_channels; ++k) {
        context->current_rms[k].window = points;
        zv::RmsClearCarry(context->current_rms[k]);
    }
    return 0;
}

ZV_API int device_context_flicker_done(device_context* context)
{
    if (!context)
        return -1;
    for (uint32_t k = 0; context->flicker && k < context->voltage_channels; ++k)
        zv::FlickerClosePeriod(context->flicker[k]);
    return 0;
}

ZV_API int device_context_zv_reset(item_record* item)
{
    if (!item)
        return -1;
    for (int p = 0; p < 4; ++p)
        for (rms_record* record : {item->voltage_rms[p], item->current_rms[p], item->voltage_half_rms[p],
                                   item->current_half_rms[p]})
            if (record)
                zv::RmsClearCarry(*record);
    return 0;
}

ZV_API item_record* device_context_get_zv_by_index(device_context* context, unsigned index)
{
    if (!context || !context->item_records || index >= unsigned(context->item_count))
        return nullptr;
    return &context->item_records[index];
}

ZV_API item_record* device_context_get_zv_by_name(device_context* context, const char* name)
{
    if (!context || !name)
        return nullptr;
    for (int32_t k = 0; context->item_records && k < context->item_count; ++k) {
        const char* itemName = context->item_records[k].name;
        if (itemName && std::strcmp(itemName, name) == 0)
            return &context->item_records[k];
    }
    return nullptr;
}

ZV_API int device_context_zv_reset_by_name(device_context* context, const char* name)
{
    item_record* item = device_context_get_zv_by_name(context, name);
    return item ? device_context_zv_reset(item) : -1;
}

} // extern "C"

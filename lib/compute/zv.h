/* zv: power-quality computation over blocks of 16-bit samples.
 *
 * Plain C-callable functions over caller-owned records. The caller describes
 * the device once (device_config), builds a device_context, binds the wiring
 * chain (k7700_config_dc), sets the channel scales and then feeds one 200 ms
 * block of samples per call to device_context_input. Results are left in the
 * per-channel records and in the item records, from which the caller copies
 * what it keeps. All memory is made in device_context_init and freed in
 * device_context_destroy; results are integers (0 success, -1 bad argument).
 *
 * Samples are widened to 32 bits inside the library, so line-to-line
 * differences and integrated di/dt currents never wrap; the caller's blocks
 * are left as they were given.
 */
#ifndef ONDRAVA_LIB_COMPUTE_ZV_H
#define ONDRAVA_LIB_COMPUTE_ZV_H

#include <stdint.h>

#if defined(ZV_BUILDING)
#define ZV_API __attribute__((visibility("default")))
#else
#define ZV_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define ZV_MAX_WINDOWS 32   /* RMS windows that may complete in one block */
#define ZV_MAX_CALLBACKS 32 /* callback slots of an item record */
#define ZV_FLICKER_OUTPUT 80 /* instantaneous flicker values per block */

struct device_context;
struct item_record;
struct fftwf_plan_s;
struct flicker_meter;
struct fluctuation_state;

/* ---- Pre-processing chain ---------------------------------------------- */

struct config_node;
/* A chain handler works in place on the widened voltage and current blocks
 * (channel-major, counts are total samples of the block). Returns non-zero
 * to let the next node run. */
typedef int (*config_handler)(struct config_node* node, int32_t* voltage, int32_t voltage_count,
                              int32_t* current, int32_t current_count);

typedef struct config_node {
    config_handler handler;
    int32_t enabled;
    struct config_node* next;
    struct device_context* owner;
} config_node;

typedef struct k7700_transform_node {
    config_node node;
    int32_t wiring_type; /* 0..7 */
} k7700_transform_node;

typedef struct k7700_integration_node {
    config_node node;
    int32_t channel_enable[4];
} k7700_integration_node;

typedef struct k7700_config {
    k7700_transform_node transform;
    k7700_integration_node integration;
} k7700_config;

/* Size and offsets of the record configuration block that k7700_config_dc reads. */
#define K7700_CONFIG_BLOCK_SIZE 1196
#define K7700_CONFIG_WIRING_OFFSET 12
#define K7700_CONFIG_INTEGRATION_OFFSET 632

/* ---- Per-channel records ------------------------------------------------ */

typedef struct rms_record {
    int32_t window;             /* N, samples per window */
    float scale;                /* units per count */
    uint64_t block_sum_squares; /* of the last block's samples */
    int32_t carried_count;      /* samples of an incomplete window */
    uint64_t carried_sum_squares;
    int32_t window_count;       /* windows completed in the last block */
    float rms[ZV_MAX_WINDOWS];
    float largest[ZV_MAX_WINDOWS];
    float smallest[ZV_MAX_WINDOWS];
    float crest_factor[ZV_MAX_WINDOWS];
    float form_factor[ZV_MAX_WINDOWS];
} rms_record;

typedef struct fft_record {
    float scale;
    int32_t length;
    float sample_rate;
    struct fftwf_plan_s* plan; /* shared by every record of the same length */
    float* input;
    float* output;   /* half-complex */
    float* spectrum; /* bins 0 .. length / 2 as (real, imaginary) pairs */
} fft_record;

typedef struct harmonic_record {
    float thd;
    float dc;
    float dc_percent;
    int32_t harmonic_count;
    float subgroup_rms; /* of the subgroups of orders 2 and up */
    float* harmonic;
    float* phase;
    float* harmonic_percent;
    int32_t group_count;
    float* subgroup;
    float* subgroup_percent;
    int32_t interharmonic_count;
    float interharmonic_thd;
    float* interharmonic;
    float* interharmonic_percent;
    int32_t band_count;
    float band_thd;
    float* band;
    float* band_percent;
} harmonic_record;

typedef struct flicker_record {
    float pst;
    float plt;
    int32_t output_size; /* ZV_FLICKER_OUTPUT */
    float* output;       /* instantaneous flicker of the last block */
    int32_t point_count;
    float* points;       /* pairs (level, fraction of samples at or above it) */
    rms_record* rms;
    struct fluctuation_record* fluctuation;
    struct flicker_meter* meter;
} flicker_record;

typedef struct fluctuation_record {
    float dc;          /* % */
    float dmax;        /* % */
    float exceed_time;
    struct fluctuation_state* state;
} fluctuation_record;

/* ---- Item records ------------------------------------------------------- */

typedef struct power_record {
    int32_t window_count;
    float p[ZV_MAX_WINDOWS];
    float q[ZV_MAX_WINDOWS];
    float s[ZV_MAX_WINDOWS];
    float active_energy[ZV_MAX_WINDOWS];
    float reactive_energy[ZV_MAX_WINDOWS];
    float apparent_energy[ZV_MAX_WINDOWS];
    float power_factor[ZV_MAX_WINDOWS];
    float dc_power;
    float dc_power_percent;
    int32_t order_count;
    float* harmonic_power;
    float* phase_difference; /* current minus voltage, radians */
    float* harmonic_power_percent;
    float harmonic_power_sum;         /* orders 2 and up */
    float harmonic_power_percent_sum; /* orders 2 and up */
    int32_t harmonic_power_on;
    int32_t power_on;
    harmonic_record* voltage_harmonic;
    harmonic_record* current_harmonic;
    rms_record* voltage_rms;
    rms_record* current_rms;
} power_record;

struct callback_node;
typedef void (*callback_handler)(struct callback_node* node, const int32_t* u1, const int32_t* i1,
                                 const int32_t* u2, const int32_t* i2, const int32_t* u3,
                                 const int32_t* i3, const int32_t* u4, const int32_t* i4,
                                 int32_t samples);

typedef struct callback_node {
    int32_t enabled;
    int32_t priority;
    struct item_record* owner;
    callback_handler handler;
    /* results of the three-wire total power */
    float p;
    float q;
    float s;
    float power_factor;
} callback_node;

/* Indexes into item_record.sequence. */
enum {
    ZV_SEQ_V_POSITIVE = 0,
    ZV_SEQ_V_NEGATIVE,
    ZV_SEQ_V_ZERO,
    ZV_SEQ_V_ZERO_UNBALANCE,
    ZV_SEQ_V_NEGATIVE_UNBALANCE,
    ZV_SEQ_I_POSITIVE,
    ZV_SEQ_I_NEGATIVE,
    ZV_SEQ_I_ZERO,
    ZV_SEQ_I_ZERO_UNBALANCE,
    ZV_SEQ_I_NEGATIVE_UNBALANCE,
    ZV_SEQ_V_POSITIVE_ANGLE,
    ZV_SEQ_V_NEGATIVE_ANGLE,
    ZV_SEQ_V_ZERO_ANGLE,
    ZV_SEQ_I_POSITIVE_ANGLE,
    ZV_SEQ_I_NEGATIVE_ANGLE,
    ZV_SEQ_I_ZERO_ANGLE,
    ZV_SEQ_COUNT
};

typedef struct item_record {
    harmonic_record* voltage_harmonic[4];
    harmonic_record* current_harmonic[4];
    flicker_record* flicker[4];
    fluctuation_record* fluctuation[4];
    rms_record* voltage_rms[4];
    rms_record* current_rms[4];
    rms_record* voltage_half_rms[4];
    rms_record* current_half_rms[4];
    power_record power[4];
    int32_t total_count;
    float total_power_factor[ZV_MAX_WINDOWS];
    float total_p[ZV_MAX_WINDOWS];
    float total_q[ZV_MAX_WINDOWS];
    float total_s[ZV_MAX_WINDOWS];
    float total_active_energy[ZV_MAX_WINDOWS];
    float total_reactive_energy[ZV_MAX_WINDOWS];
    float total_apparent_energy[ZV_MAX_WINDOWS];
    float sequence[ZV_SEQ_COUNT];
    float k_factor[4];
    float displacement_power_factor[4];
    float sample_rate;
    const char* name;
    struct device_context* context;
    float power_scale;
    int32_t wiring_type;
    callback_node three_wire;
    callback_node* callbacks[ZV_MAX_CALLBACKS];
    int32_t callback_count;
} item_record;

/* ---- Device description and context ------------------------------------- */

typedef struct item_spec {
    int32_t voltage_channel[4]; /* a first word of -1 ends the list */
    int32_t current_channel[4];
    const char* name;
} item_spec;

typedef struct device_config {
    uint32_t voltage_channels;
    uint32_t current_channels;
    float sample_rate;
    int32_t interval_points; /* samples per channel per call */
    float voltage_scale;
    float current_scale;
    const char* device_name;
    int32_t harmonic_count;
    int32_t harmonic_group_count;
    int32_t interharmonic_count;
    int32_t band_count;
    int32_t nominal_frequency;
    item_spec* items;
} device_config;

/* Order of device_context.switches. */
enum {
    ZV_SWITCH_FLICKER = 0,
    ZV_SWITCH_FLUCTUATION,
    ZV_SWITCH_PHASE_REFERENCE,
    ZV_SWITCH_K_FACTOR,
    ZV_SWITCH_DISPLACEMENT_PF,
    ZV_SWITCH_VOLTAGE_FFT,
    ZV_SWITCH_CURRENT_FFT,
    ZV_SWITCH_VOLTAGE_HALF_RMS,
    ZV_SWITCH_CURRENT_HALF_RMS,
    ZV_SWITCH_VOLTAGE_SEQUENCE,
    ZV_SWITCH_CURRENT_SEQUENCE,
    ZV_SWITCH_COUNT
};

typedef struct device_context {
    const char* device_name;
    item_spec* items;
    item_record* item_records;
    int32_t item_count;
    uint32_t voltage_channels;
    uint32_t current_channels;
    int32_t cycles_per_interval;
    int32_t nominal_frequency;
    int32_t samples_per_cycle;
    fft_record* voltage_fft;
    fft_record* current_fft;
    harmonic_record* voltage_harmonic;
    harmonic_record* current_harmonic;
    rms_record* voltage_rms;
    rms_record* current_rms;
    rms_record* voltage_half_rms;
    rms_record* current_half_rms;
    flicker_record* flicker;
    fluctuation_record* fluctuation;
    config_node* chain;
    int32_t switches[ZV_SWITCH_COUNT];
    /* Working storage: the interval length and the widened copies of the blocks. */
    int32_t interval_points;
    int32_t* voltage_samples;
    int32_t* current_samples;
    device_config config; /* as given to device_context_init */
} device_context;

/* Result bits of device_context_input. */
#define ZV_EVENT_INTERVAL 1
#define ZV_EVENT_DC 32
#define ZV_EVENT_EXCEED_TIME 64
#define ZV_EVENT_DMAX 128

ZV_API k7700_config* k7700_config_obj_get(void);
ZV_API int k7700_config_init(k7700_config* config);
ZV_API int k7700_config_destroy(k7700_config* config);
ZV_API int k7700_config_dc(k7700_config* config, const void* block, device_context* context);

/* device_context_init returns 0, or -1 (context left zeroed) for a configuration
 * it cannot compute: null arguments, a rate, frequency or interval that does not
 * hold a whole number of cycles at 5 Hz resolution, harmonic orders or
 * interharmonic groups at or above half the sample rate, channel indexes out of
 * range, or RMS windows that would complete more than 32 times per block. */
ZV_API int device_context_init(device_context* context, const device_config* config);
ZV_API int device_context_destroy(device_context* context);
/* Returns a built context to the state device_context_init left it in, as if it were
 * destroyed and built again from the same configuration, but keeping its memory and
 * FFT plans: nothing of the blocks fed before is remembered (carried RMS windows,
 * flicker meters and their periods, fluctuation detectors, results), the scales, RMS
 * windows, switches and item settings are the initial ones and no wiring chain is
 * bound. 0, or -1 for a context that was not built. */
ZV_API int device_context_reset(device_context* context);
/* Returns the event bits, or -1 for a context that was not built or blocks
 * shorter than channel count x interval points. */
ZV_API int device_context_input(device_context* context, int16_t* voltage, int32_t voltage_count,
                                int16_t* current, int32_t current_count);
ZV_API int device_context_set_voltage_scale(device_context* context, unsigned channel, float scale);
ZV_API int device_context_set_current_scale(device_context* context, unsigned channel, float scale);
/* Sets the window of every main RMS record; -1 for a window of no samples or one
 * so short that more than 32 windows would complete in one block. */
ZV_API int device_context_set_rms_points(device_context* context, int32_t points);
ZV_API int device_context_flicker_done(device_context* context);
ZV_API int device_context_zv_reset(item_record* item);
ZV_API int device_context_zv_reset_by_name(device_context* context, const char* name);
ZV_API item_record* device_context_get_zv_by_index(device_context* context, unsigned index);
ZV_API item_record* device_context_get_zv_by_name(device_context* context, const char* name);

#ifdef __cplusplus
}
#endif

#endif

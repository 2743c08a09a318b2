// Operations shared between the source files of zv; not exported.
#pragma once

#include "lib/compute/zv.h"

namespace zv {

// RMS window accumulators.
void RmsRun(rms_record& record, const int32_t* samples, int32_t count);
// Runs `record` over the block that `done` has just run over; when both have the
// same window, scale and carry (the half-cycle record when the main window is
// also half a cycle), the result is the same and is copied.
void RmsRunLike(rms_record& record, const rms_record& done, int32_t carriedBefore, uint64_t carriedSumBefore,
                const int32_t* samples, int32_t count);
void RmsClearCarry(rms_record& record);
// Windows that may complete in one block of `count` samples with any carry.
int32_t RmsMaxWindows(int32_t window, int32_t count);

// Real FFT and harmonic analysis. `stride` is the number of bins between two
// harmonic orders (the cycles per interval).
void FftBuild(fft_record& record, int32_t length, float sampleRate);
void FftFree(fft_record& record);
// Clears the buffers, as FftBuild leaves them.
void FftClear(fft_record& record);
void FftTransform(fft_record& record, const int32_t* samples);
void HarmonicBuild(harmonic_record& record, int32_t harmonics, int32_t groups, int32_t interharmonics,
                   int32_t bands);
void HarmonicFree(harmonic_record& record);
// Clears the results, as HarmonicBuild leaves them.
void HarmonicClear(harmonic_record& record);
void HarmonicAnalyse(const fft_record& fft, harmonic_record& record, int32_t stride);
void HarmonicReferencePhases(harmonic_record& record, float referencePhase);
float KFactor(const harmonic_record& record);

// Power, totals, symmetrical components and displacement power factor of an item.
void PowerSetup(power_record& record, harmonic_record* voltageHarmonic, harmonic_record* currentHarmonic,
                rms_record* voltageRms, rms_record* currentRms);
void PowerFree(power_record& record);
// Clears the results and switches power on, as PowerSetup leaves them.
void PowerClear(power_record& record);
void PowerRun(power_record& record, float powerScale, const int32_t* u, const int32_t* i, int32_t samples,
              float sampleRate);
void PowerTotals(item_record& item, float sampleRate);
void SequenceComponents(item_record& item, bool voltages, bool currents);
void DisplacementPowerFactor(item_record& item);
void ThreeWirePower(callback_node* node, const int32_t* u1, const int32_t* i1, const int32_t* u2,
                    const int32_t* i2, const int32_t* u3, const int32_t* i3, const int32_t* u4,
                    const int32_t* i4, int32_t samples);

// Flicker meter of one voltage channel.
void FlickerBuild(flicker_record& record, rms_record* rms, fluctuation_record* fluctuation, float sampleRate,
                  int32_t blockLength);
void FlickerFree(flicker_record& record);
// Starts the meter afresh (filters, settling, periods and results), as FlickerBuild
// leaves it.
void FlickerRestart(flicker_record& record);
void FlickerFeed(flicker_record& record, const int32_t* samples, int32_t count);
void FlickerClosePeriod(flicker_record& record);

// Fluctuation detector of one voltage channel; returns the event bits it updated.
void FluctuationBuild(fluctuation_record& record, float reference, int32_t runLength);
void FluctuationFree(fluctuation_record& record);
// Starts the detector afresh, as FluctuationBuild leaves it.
void FluctuationRestart(fluctuation_record& record);
int FluctuationRun(fluctuation_record& record, const rms_record& halfCycle);

// Wiring chain handlers.
int SampleTransform(config_node* node, int32_t* voltage, int32_t voltageCount, int32_t* current,
                    int32_t currentCount);
int Integration(config_node* node, int32_t* voltage, int32_t voltageCount, int32_t* current,
                int32_t currentCount);

} // namespace zv

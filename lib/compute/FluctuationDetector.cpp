// Voltage fluctuation detector of one voltage channel: follows the half-cycle
// RMS values in per-unit of a fixed reference, recognises steady states and
// the changes between them, and reports the steady-state change dc, the
// largest deviation dmax during a change and how long the voltage stayed more
// than 3.3 % away from the level before the change.
#include "lib/compute/ZvInternal.h"

#include <algorithm>
#include <cmath>

struct fluctuation_state {
    float dc = 0.0f;            // % of the reference
    float dmax = 0.0f;          // per unit
    float highest = 1.0f;       // during the change, per unit
    float lowest = 1.0f;
    int32_t exceedCount = 0;    // values beyond 0.033 per unit
    int32_t runCounter = 100;
    float runLength = 100.0f;   // values for a steady state
    float reference = 230.0f;
    float runReference = 1.0f;  // per unit
    float levelBefore = 1.0f;   // per unit
    float previous = 1.0f;      // per unit
    int32_t steady = 1;
};

namespace zv {
namespace {

constexpr float kSteadyBand = 0.002f;
constexpr float kExceedLimit = 0.033f;
constexpr int32_t kClearAfter = 300;

void UpdateDmax(fluctuation_state& s)
{
    s.dmax = std::max(s.highest - s.levelBefore, s.levelBefore - s.lowest);
}

void Step(fluctuation_state& s, float e)
{
    const bool inBand = std::fabs(e - s.runReference) <= kSteadyBand;
    if (s.steady) {
        if (inBand) {
            if (s.runCounter < kClearAfter)
                ++s.runCounter;
            // Long after the last change everything about it is forgotten.
            if (s.runCounter >= kClearAfter) {
                s.exceedCount = 0;
                s.dc = 0.0f;
                s.dmax = 0.0f;
            } else {
                s.dc = (s.levelBefore - s.runReference) * 100.0f;
            }
        } else {
            s.steady = 0;
            s.runCounter = 0;
            s.exceedCount = 0;
            s.levelBefore = s.highest = s.lowest = s.previous;
            s.runReference = e;
            if (std::fabs(e - s.levelBefore) > kExceedLimit)
                s.exceedCount = 1;
            if (e > s.levelBefore)
                s.highest = e;
            else if (e < s.levelBefore)
                s.lowest = e;
            UpdateDmax(s);
        }
    } else {
        if (!inBand) {
            s.runReference = e;
            s.runCounter = 0;
        } else if (++s.runCounter > s.runLength - 1.0f) {
            s.steady = 1;
        }
        if (std::fabs(e - s.levelBefore) > kExceedLimit)
            ++s.exceedCount;
        if (e > s.highest) {
            s.highest = e;
            UpdateDmax(s);
        } else if (e < s.lowest) {
            s.lowest = e;
            UpdateDmax(s);
        }
    }
    s.previous = e;
}

} // namespace

void FluctuationBuild(fluctuation_record& record, float reference, int32_t runLength)
{
    record.dc = record.dmax = record.exceed_time = 0.0f;
    record.state = new fluctuation_state();
    record.state->reference = reference;
    record.state->runLength = static_cast<float>(std::min(runLength, 100));
}

void FluctuationRestart(fluctuation_record& record)
{
    record.dc = record.dmax = record.exceed_time = 0.0f;
    fluctuation_state& s = *record.state;
    const float reference = s.reference;
    const float runLength = s.runLength;
    s = fluctuation_state();
    s.reference = reference;
    s.runLength = runLength;
}

void FluctuationFree(fluctuation_record& record)
{
    delete record.state;
    record.state = nullptr;
}

int FluctuationRun(fluctuation_record& record, const rms_record& halfCycle)
{
    fluctuation_state& s = *record.state;
    for (int32_t w = 0; w < halfCycle.window_count; ++w)
        Step(s, halfCycle.rms[w] / s.reference);
    record.dc = s.dc;
    const float dmax = s.dmax * 100.0f;
    record.dmax = dmax > 80.0f ? 0.0f : dmax;
    record.exceed_time = s.exceedCount * 10.0f / 100.0f;
    return ZV_EVENT_DC | ZV_EVENT_EXCEED_TIME | ZV_EVENT_DMAX;
}

} // namespace zv

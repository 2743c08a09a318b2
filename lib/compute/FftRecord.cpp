// Real FFT of one channel block (FFTW single precision, half-complex output).
// Plans depend only on the length: one plan per length is made under a lock
// the first time it is needed and then shared by every record of that length
// through FFTW's new-array execute (all arrays come from fftwf_malloc, so
// their alignment matches the planning arrays).
#include "lib/compute/ZvInternal.h"

#include <fftw3.h>

#include <cstring>
#include <map>
#include <mutex>

namespace zv {
namespace {

// Plans stay alive for the process: the record-analysis pool builds a new
// context per chunk, and planning again each time would be wasted work.
class PlanCache {
public:
    ~PlanCache()
    {
        for (auto& [length, plan] : m_plans)
            fftwf_destroy_plan(plan);
    }

    fftwf_plan Get(int32_t length, float* input, float* output)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        auto it = m_plans.find(length);
        if (it != m_plans.end())
            return it->second;
        fftwf_plan plan = fftwf_plan_r2r_1d(length, input, output, FFTW_R2HC, FFTW_ESTIMATE);
        m_plans.emplace(length, plan);
        return plan;
    }

private:
    std::mutex m_lock;
    std::map<int32_t, fftwf_plan> m_plans;
};

fftwf_plan SharedPlan(int32_t length, float* input, float* output)
{
    static PlanCache cache;
    return cache.Get(length, input, output);
}

} // namespace

void FftBuild(fft_record& record, int32_t length, float sampleRate)
{
    record.length = length;
    record.sample_rate = sampleRate;
    record.input = static_cast<float*>(fftwf_malloc(sizeof(float) * size_t(length)));
    record.output = static_cast<float*>(fftwf_malloc(sizeof(float) * size_t(length)));
    std::memset(record.input, 0, sizeof(float) * size_t(length));
    std::memset(record.output, 0, sizeof(float) * size_t(length));
    record.plan = SharedPlan(length, record.input, record.output);
    fftwf_execute_r2r(record.plan, record.input, record.output);
}

void FftFree(fft_record& record)
{
    fftwf_free(record.input);
    fftwf_free(record.output);
    record.input = nullptr;
    record.output = nullptr;
    record.plan = nullptr;
}

void FftTransform(fft_record& record, const int32_t* samples)
{
    for (int32_t k = 0; k < record.length; ++k)
        record.input[k] = static_cast<float>(samples[k]);
    fftwf_execute_r2r(record.plan, record.input, record.output);
}

} // namespace zv

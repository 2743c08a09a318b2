// Real FFT of one channel block (FFTW single precision, half-complex output).
// Plans depend only on the length: one plan per length is made under a lock
// the first time it is needed and then shared by every record of that length
// through FFTW's new-array execute (all arrays come from fftwf_malloc, so
// their alignment matches the planning arrays).
//
// The transform is FFTW's real-to-complex one, laid out half-complex afterwards:
// its codelets are several times faster than those of the half-complex
// transform, and a planner estimate (not a measurement) gives every process the
// same plan, so an analysis gives the same values wherever it runs.
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

    fftwf_plan Get(int32_t length, float* input, float* spectrum)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        auto it = m_plans.find(length);
        if (it != m_plans.end())
            return it->second;
        fftwf_plan plan =
            fftwf_plan_dft_r2c_1d(length, input, reinterpret_cast<fftwf_complex*>(spectrum), FFTW_ESTIMATE);
        m_plans.emplace(length, plan);
        return plan;
    }

private:
    std::mutex m_lock;
    std::map<int32_t, fftwf_plan> m_plans;
};

fftwf_plan SharedPlan(int32_t length, float* input, float* spectrum)
{
    static PlanCache cache;
    return cache.Get(length, input, spectrum);
}

float* NewZeroed(size_t count)
{
    auto* values = static_cast<float*>(fftwf_malloc(sizeof(float) * count));
    std::memset(values, 0, sizeof(float) * count);
    return values;
}

} // namespace

void FftBuild(fft_record& record, int32_t length, float sampleRate)
{
    record.length = length;
    record.sample_rate = sampleRate;
    record.input = NewZeroed(size_t(length));
    record.output = NewZeroed(size_t(length));
    record.spectrum = NewZeroed(2 * (size_t(length) / 2 + 1));
    record.plan = SharedPlan(length, record.input, record.spectrum);
}

void FftClear(fft_record& record)
{
    std::memset(record.input, 0, sizeof(float) * size_t(record.length));
    std::memset(record.output, 0, sizeof(float) * size_t(record.length));
    std::memset(record.spectrum, 0, sizeof(float) * 2 * (size_t(record.length) / 2 + 1));
}

void FftFree(fft_record& record)
{
    fftwf_free(record.input);
    fftwf_free(record.output);
    fftwf_free(record.spectrum);
    record.input = nullptr;
    record.output = nullptr;
    record.spectrum = nullptr;
    record.plan = nullptr;
}

void FftTransform(fft_record& record, const int32_t* samples)
{
    const int32_t n = record.length;
    for (int32_t k = 0; k < n; ++k)
        record.input[k] = static_cast<float>(samples[k]);
    fftwf_execute_dft_r2c(record.plan, record.input, reinterpret_cast<fftwf_complex*>(record.spectrum));
    // Half-complex: the real parts of bins 0 .. n/2, then the imaginary parts of
    // bins (n-1)/2 .. 1 (bin k's at n - k).
    const float* bins = record.spectrum;
    float* out = record.output;
    for (int32_t k = 0; k <= n / 2; ++k)
        out[k] = bins[2 * k];
    for (int32_t k = 1; k <= (n - 1) / 2; ++k)
        out[n - k] = bins[2 * k + 1];
}

} // namespace zv

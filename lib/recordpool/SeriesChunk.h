#pragma once
// A run of a data set: the values one analysed chunk of a record added. Values
// live either in memory (computed results) or in the record file (waveforms).

#include <cstdint>
#include <memory>

namespace sampolyx {

class CSeriesChunk {
public:
    virtual ~CSeriesChunk() = default;
    virtual std::int64_t Count() const = 0;
    // Values first .. first + count - 1 (count at most kSpan, all inside the chunk):
    // a pointer into the chunk, or into `scratch` where they had to be made; null when
    // they cannot be read.
    virtual const float* Values(std::int64_t first, std::int64_t count, float* scratch) const = 0;

    static constexpr std::int64_t kSpan = 4096;
};

class CFloatChunk : public CSeriesChunk {
public:
    CFloatChunk(std::unique_ptr<float[]> values, std::int64_t count) : m_values(std::move(values)), m_count(count) {}
    std::int64_t Count() const override { return m_count; }
    const float* Values(std::int64_t first, std::int64_t, float*) const override { return m_values.get() + first; }

private:
    std::unique_ptr<float[]> m_values;
    std::int64_t m_count;
};

}  // namespace sampolyx

#pragma once
// A data set of fixed values, read one value per position (the plain value of every
// read type), with the pool's range rules: positions outside are replaced by the
// bounds and written back.

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "lib/recordpool/Sampolyx.h"

namespace wavetest {

class FakeDataSet : public IDataSetManager {
public:
    explicit FakeDataSet(std::vector<float> values = {})
        : m_values(std::move(values)), m_end(static_cast<std::int64_t>(m_values.size()))
    {
    }
    ~FakeDataSet() override = default;

    bool ReadBlock(std::int64_t position, float* out, int) override
    {
        const std::int64_t at = m_start + position;
        if (position < 0 || at >= m_end || m_failAt == position) {
            return false;
        }
        *out = m_values[static_cast<std::size_t>(at)];
        return true;
    }
    std::int64_t GetPointCount() override { return m_end - m_start; }
    void SetStep(int) override {}
    void SetFlag(int) override {}
    void SetMode(int) override {}
    bool SetRange(std::int64_t* first, std::int64_t* last) override
    {
        const auto total = static_cast<std::int64_t>(m_values.size());
        if (*first > *last) {
            std::swap(*first, *last);
        }
        const bool firstTaken = *first >= 0 && *first < total;
        const bool lastTaken = *last >= 0 && *last < total;
        m_start = firstTaken ? *first : 0;
        m_end = lastTaken ? *last : total;
        *first = m_start;
        *last = m_end;
        return firstTaken || lastTaken;
    }
    bool GetRange(std::int64_t* start, std::int64_t* end) override
    {
        *start = m_start;
        *end = m_end;
        return true;
    }

    // A position whose read fails although it lies inside the range.
    void FailAt(std::int64_t position) { m_failAt = position; }

private:
    std::vector<float> m_values;
    std::int64_t m_start = 0;
    std::int64_t m_end = 0;
    std::optional<std::int64_t> m_failAt;
};

}  // namespace wavetest

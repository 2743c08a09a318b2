#pragma once
// Helpers of the viewer data tests: a host sample source over a vector, and the
// program folder with the shipped resources (fonts.conf loaded for drawn text).

#include <cstdint>
#include <vector>

#include "terminal/SimpleDataManager.h"

namespace viewertest {

// Serves the samples of a vector, as the host's data managers do; counts reads.
class VectorSource final : public ISimpleDataManager {
public:
    explicit VectorSource(std::vector<std::int64_t> samples) : m_samples(std::move(samples)) {}

    void Release() override {}
    std::int32_t ReservedSlot2(std::uint32_t, std::uint32_t, std::uint32_t) override { return 0; }
    bool GetNext(std::int64_t* index, std::int64_t* position) override;
    bool GetPrev(std::int64_t* index, std::int64_t* position) override;
    std::uint64_t GetCount() override { return m_samples.size(); }
    bool GetValue(std::int64_t, double*) override { return false; }

    const std::vector<std::int64_t>& Samples() const { return m_samples; }
    std::int64_t Reads() const { return m_reads; }

private:
    std::vector<std::int64_t> m_samples;
    std::int64_t m_reads = 0;
};

}  // namespace viewertest

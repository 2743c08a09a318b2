#pragma once
// Walks the chunks of one data set in steps, one aggregated value per step. The
// chunks belong to the data set; the manager only reads them.

#include <cstdint>
#include <vector>

#include "lib/recordpool/Sampolyx.h"
#include "lib/recordpool/SeriesChunk.h"

namespace sampolyx {

class CDataSetManager : public IDataSetManager {
public:
    ~CDataSetManager() override = default;

    bool ReadBlock(std::int64_t position, float* out, int type) override;
    std::int64_t GetPointCount() override;
    void SetStep(int step) override;
    void SetFlag(int flag) override { m_averageFlag = flag; }
    void SetMode(int mode) override { m_mode = mode; }
    bool SetRange(std::int64_t* first, std::int64_t* last) override;
    bool GetRange(std::int64_t* start, std::int64_t* end) override;

    // Adds a chunk behind the others; a range that reached the end grows with it.
    void AddChunk(const CSeriesChunk* chunk);
    std::int64_t Total() const { return m_total; }

private:
    enum class Aggregate { Maximum, Minimum, Mean, Rms };
    bool Compute(std::int64_t first, std::int64_t count, Aggregate aggregate, float* out) const;
    bool ValueAt(std::int64_t position, float* out) const;

    std::vector<const CSeriesChunk*> m_chunks;
    std::vector<std::int64_t> m_starts;  // position of each chunk's first value
    std::int64_t m_total = 0;
    int m_step = 1;
    int m_averageFlag = 1;
    int m_mode = 0;
    std::int64_t m_rangeStart = 0;
    std::int64_t m_rangeEnd = 0;
};

}  // namespace sampolyx

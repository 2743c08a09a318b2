#pragma once
// CPicOutputDataMgr: the sink through which a chart picture receives one series of
// the terminal data. A builder empties it, hands it to the data model's query, and
// the reader appends every value of the series in interval order; the builder then
// copies the values into a curve. It offers nothing for reading back through the
// data-manager interface.

#include <cstdint>
#include <vector>

#include "terminal/ZVDataManager.h"

class CPicOutputDataMgr : public IZVDataManager {
public:
    CPicOutputDataMgr() = default;

    void Release() override {}
    void SetRange(std::int64_t, std::int64_t) override {}
    // The whole series: from the first interval, no count limit.
    void GetRange(std::int64_t* first, std::int64_t* second) override;
    // Keeps the value as a 32-bit float; always taken.
    bool AddValue(double value) override;

    void Clear() { m_Values.clear(); }
    const std::vector<float>& GetValues() const { return m_Values; }

private:
    std::vector<float> m_Values;
};

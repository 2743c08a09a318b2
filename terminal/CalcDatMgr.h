#pragma once
// CalcDatMgr: collects a series with the record index of every value, for the
// statistics computed over a whole series (the 95 % value).

#include <cstdint>
#include <utility>
#include <vector>

#include "terminal/ZVDataManager.h"

class CalcDatMgr : public IZVDataManager {
public:
    using Pair = std::pair<float, std::uint32_t>;

    CalcDatMgr() = default;
    ~CalcDatMgr() override = default;

    bool AddValue(double value) override;

    const std::vector<Pair>& GetPairs() const { return m_Pairs; }

private:
    std::vector<Pair> m_Pairs;
    std::uint32_t m_Index = 0;
};

// The 95 % value of a series: the pair at rank (n × 0.95 + 0.5) − 1 of the pairs
// sorted by ascending value, the product and the sum taken in single precision (so
// 10 values give rank 9, 20 values rank 18). False for an empty series.
bool Percentile95(std::vector<CalcDatMgr::Pair> pairs, CalcDatMgr::Pair& result);

// Hands the 95 % value of a collected series to a manager: emptied, then the record
// index and the value. Samples without value take no part. 0 for an empty series.
int WritePercentile95(const CalcDatMgr& series, IZVDataManager& manager);

#include "terminal/CalcDatMgr.h"

#include <algorithm>

bool CalcDatMgr::AddValue(double value)
{
    m_Pairs.emplace_back(static_cast<float>(value), m_Index);
    ++m_Index;
    return true;
}

bool Percentile95(std::vector<CalcDatMgr::Pair> pairs, CalcDatMgr::Pair& result)
{
    if (pairs.empty()) {
        return false;
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const CalcDatMgr::Pair& a, const CalcDatMgr::Pair& b) { return a.first < b.first; });
    volatile float product = static_cast<float>(pairs.size()) * 0.95f;
    volatile float sum = product + 0.5f;
    std::int64_t rank = static_cast<std::int64_t>(sum) - 1;
    rank = std::clamp<std::int64_t>(rank, 0, static_cast<std::int64_t>(pairs.size()) - 1);
    result = pairs[static_cast<std::size_t>(rank)];
    return true;
}

int WritePercentile95(const CalcDatMgr& series, IZVDataManager& manager)
{
    std::vector<CalcDatMgr::Pair> pairs;
    for (const CalcDatMgr::Pair& pair : series.GetPairs()) {
        if (!IsNoValue(pair.first)) {
            pairs.push_back(pair);
        }
    }
    CalcDatMgr::Pair value;
    if (!Percentile95(std::move(pairs), value)) {
        return 0;
    }
    manager.Release();
    manager.AddValue(static_cast<double>(value.second));
    manager.AddValue(static_cast<double>(value.first));
    return 1;
}

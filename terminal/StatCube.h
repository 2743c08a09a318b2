#pragma once
// The harmonic summary cells: per item family, kind, order and phase the maximum,
// minimum, sum and 95 % value that the harmonic data collector gathers while a
// folder loads, so that the histogram managers need not read the item files again.

#include <cstdint>
#include <map>
#include <tuple>

struct CStatValue {
    float maximum = -999999.0f;
    float minimum = 999999.0f;
    float sum = 0.0f;
    float percentile95 = 0.0f;
    std::uint32_t word1 = 0;
    std::uint32_t count = 0;

    void Reset() { *this = CStatValue(); }
};

class CStatCube {
public:
    // Stores maximum, minimum and 95 % value rounded to three decimals, adds the
    // rounded sum to the cell's sum and copies the two words.
    void SetCell(std::uint32_t family, std::uint32_t kind, std::uint32_t order, std::uint32_t phase,
                 const CStatValue& value);
    // The cell (a reset cell when there is none); an untouched maximum or minimum reads 0.
    CStatValue GetCell(std::uint32_t family, std::uint32_t kind, std::uint32_t order, std::uint32_t phase) const;

    // Non-zero once the collector has filled the cells.
    std::uint32_t ready = 0;

private:
    std::map<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t>, CStatValue> m_Cells;
};

// The collector's cell of a request (phase, block type, order, view); its count word,
// non-zero when the cell holds values. Block types 0 and 4 and phase 4 find no cell.
std::uint32_t FindItemValue(const CStatCube* cube, std::uint32_t phase, std::uint32_t blockType, std::int32_t order,
                            std::uint32_t viewId, CStatValue& cell);

#pragma once
// The harmonic summary cells: per item family, value type, order and phase the
// maximum, minimum, sum and 95 % value of the interval values over the loaded range,
// gathered once by the harmonic data collector so that the histogram managers need
// not read the item files again. A cube holds the sixteen harmonic families, each a
// dense block of type count × phase count × order count cells.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

struct CStatValue {
    float maximum = -999999.0f;
    float minimum = 999999.0f;
    double sum = 0.0;  // double: long ranges of small ratios lose digits in float
    float percentile95 = 0.0f;
    std::uint32_t valid = 0;  // 1 once the cell has been computed
    std::uint32_t count = 0;  // intervals that gave a value

    void Reset() { *this = CStatValue(); }
};

// One harmonic family as the collector reads it: its base item name, the item id
// under which views ask for it, and the shape of its cells.
struct CHarmFamily {
    std::wstring_view name;
    std::uint32_t itemId;
    std::uint32_t typeCount;
    std::uint32_t orderCount;
    std::uint32_t phaseCount;
};

class CStatCube {
public:
    static constexpr std::size_t kFamilyCount = 16;
    // The sixteen families in collection order.
    static const std::array<CHarmFamily, kFamilyCount>& Families();
    // The family index of an item id, or -1.
    static int FamilyOfItem(std::uint32_t itemId);

    CStatCube();

    // Stores maximum, minimum and 95 % value rounded to three decimals, adds the
    // rounded sum to the cell's sum and copies the valid word and the count. A cell
    // outside the family's shape is ignored.
    void SetCell(std::uint32_t family, std::uint32_t kind, std::uint32_t order, std::uint32_t phase,
                 const CStatValue& value);
    // The cell (a reset cell when there is none); an untouched maximum or minimum reads 0.
    CStatValue GetCell(std::uint32_t family, std::uint32_t kind, std::uint32_t order, std::uint32_t phase) const;

    // Non-zero once the collector has filled the cells.
    std::uint32_t ready = 0;

private:
    const CStatValue* Cell(std::uint32_t family, std::uint32_t kind, std::uint32_t order, std::uint32_t phase) const;

    std::array<std::vector<CStatValue>, kFamilyCount> m_Cells;
};

// The collector's cell of a request (phase, value type 1 to 3, order index, item id);
// answers the cell's count, non-zero only when the cell is valid and holds values.
// Phase 4 and items outside the sixteen families find no cell.
std::uint32_t FindItemValue(const CStatCube* cube, std::uint32_t phase, std::uint32_t valueType, std::int32_t order,
                            std::uint32_t viewId, CStatValue& cell);

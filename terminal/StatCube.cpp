#include "terminal/StatCube.h"

#include <cmath>

namespace {

float Round3(float value)
{
    return static_cast<float>(std::round(static_cast<double>(value) * 1000.0) / 1000.0);
}

}  // namespace

void CStatCube::SetCell(std::uint32_t family, std::uint32_t kind, std::uint32_t order, std::uint32_t phase,
                        const CStatValue& value)
{
    CStatValue& cell = m_Cells[{family, kind, order, phase}];
    cell.maximum = Round3(value.maximum);
    cell.minimum = Round3(value.minimum);
    cell.percentile95 = Round3(value.percentile95);
    cell.sum += Round3(value.sum);
    cell.word1 = value.word1;
    cell.count = value.count;
}

CStatValue CStatCube::GetCell(std::uint32_t family, std::uint32_t kind, std::uint32_t order,
                              std::uint32_t phase) const
{
    CStatValue cell;
    if (const auto found = m_Cells.find({family, kind, order, phase}); found != m_Cells.end()) {
        cell = found->second;
    }
    if (cell.maximum == -999999.0f) {
        cell.maximum = 0.0f;
    }
    if (cell.minimum == 999999.0f) {
        cell.minimum = 0.0f;
    }
    return cell;
}

std::uint32_t FindItemValue(const CStatCube* cube, std::uint32_t phase, std::uint32_t blockType, std::int32_t order,
                            std::uint32_t viewId, CStatValue& cell)
{
    if (cube == nullptr || cube->ready == 0 || phase > 3) {
        return 0;
    }
    std::uint32_t kind = 0;
    if (viewId != 24 && viewId != 6000 && viewId != 11000) {
        if (blockType < 1 || blockType > 3) {
            return 0;
        }
        kind = blockType - 1;
    }
    static const std::map<std::uint32_t, std::uint32_t> families = {
        {2000, 0}, {24, 1},    {25, 2},    {3000, 3},  {4000, 4},   {5000, 5},   {7000, 6},  {23, 7},
        {6000, 8}, {6001, 9},  {8000, 10}, {9000, 11}, {10000, 12}, {12000, 13}, {11000, 14}, {11001, 15},
    };
    const auto family = families.find(viewId);
    const std::uint32_t familyIndex = family != families.end() ? family->second : static_cast<std::uint32_t>(order);
    cell = cube->GetCell(familyIndex, kind, static_cast<std::uint32_t>(order), phase);
    return cell.count;
}

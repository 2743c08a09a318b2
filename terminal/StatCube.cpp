#include "terminal/StatCube.h"

#include "core/NumberHelpers.h"

namespace {

float Round3(float value)
{
    return static_cast<float>(RoundToDecimals(static_cast<double>(value), 3));
}

}  // namespace

const std::array<CHarmFamily, CStatCube::kFamilyCount>& CStatCube::Families()
{
    static const std::array<CHarmFamily, kFamilyCount> families = {{
        {L"ESIN_V_HARM", 2000, 3, 50, 4},
        {L"ESIN_V_THD", 24, 1, 1, 4},
        {L"ESIN_V_DC", 25, 2, 1, 4},
        {L"ESIN_V_INHARM", 3000, 2, 50, 4},
        {L"ESIN_V_HIHARM", 4000, 2, 35, 4},
        {L"ESIN_V_SUBHARM", 5000, 2, 50, 4},
        {L"ESIN_A_HARM", 7000, 3, 50, 4},
        {L"ESIN_A_KF", 23, 1, 1, 4},
        {L"ESIN_A_THD", 6000, 1, 1, 4},
        {L"ESIN_A_DC", 6001, 2, 1, 4},
        {L"ESIN_A_INHARM", 8000, 2, 50, 4},
        {L"ESIN_A_HIHARM", 9000, 2, 35, 4},
        {L"ESIN_A_SUBHARM", 10000, 2, 50, 4},
        {L"ESIN_W_HARM", 12000, 3, 50, 3},
        {L"ESIN_W_THD", 11000, 1, 1, 3},
        {L"ESIN_W_DC", 11001, 2, 1, 3},
    }};
    return families;
}

int CStatCube::FamilyOfItem(std::uint32_t itemId)
{
    const auto& families = Families();
    for (std::size_t i = 0; i < families.size(); ++i) {
        if (families[i].itemId == itemId) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

CStatCube::CStatCube()
{
    const auto& families = Families();
    for (std::size_t i = 0; i < families.size(); ++i) {
        m_Cells[i].resize(static_cast<std::size_t>(families[i].typeCount) * families[i].phaseCount *
                          families[i].orderCount);
    }
}

const CStatValue* CStatCube::Cell(std::uint32_t family, std::uint32_t kind, std::uint32_t order,
                                  std::uint32_t phase) const
{
    if (family >= kFamilyCount) {
        return nullptr;
    }
    const CHarmFamily& shape = Families()[family];
    if (kind >= shape.typeCount || order >= shape.orderCount || phase >= shape.phaseCount) {
        return nullptr;
    }
    return &m_Cells[family][(static_cast<std::size_t>(shape.phaseCount) * kind + phase) * shape.orderCount + order];
}

void CStatCube::SetCell(std::uint32_t family, std::uint32_t kind, std::uint32_t order, std::uint32_t phase,
                        const CStatValue& value)
{
    auto* cell = const_cast<CStatValue*>(Cell(family, kind, order, phase));
    if (cell == nullptr) {
        return;
    }
    cell->maximum = Round3(value.maximum);
    cell->minimum = Round3(value.minimum);
    cell->percentile95 = Round3(value.percentile95);
    cell->sum += RoundToDecimals(value.sum, 3);
    cell->valid = value.valid;
    cell->count = value.count;
}

CStatValue CStatCube::GetCell(std::uint32_t family, std::uint32_t kind, std::uint32_t order,
                              std::uint32_t phase) const
{
    CStatValue cell;
    if (const CStatValue* found = Cell(family, kind, order, phase)) {
        cell = *found;
    }
    if (cell.maximum == -999999.0f) {
        cell.maximum = 0.0f;
    }
    if (cell.minimum == 999999.0f) {
        cell.minimum = 0.0f;
    }
    return cell;
}

std::uint32_t FindItemValue(const CStatCube* cube, std::uint32_t phase, std::uint32_t valueType, std::int32_t order,
                            std::uint32_t viewId, CStatValue& cell)
{
    if (cube == nullptr || cube->ready == 0 || phase > 3 || order < 0) {
        return 0;
    }
    const int family = CStatCube::FamilyOfItem(viewId);
    if (family < 0) {
        return 0;
    }
    // A family of one value type (THD, K factor) has its cells under type 0 whatever
    // value type the request names; the others map value types 1 to 3 onto 0 to 2.
    std::uint32_t type = 0;
    if (CStatCube::Families()[static_cast<std::size_t>(family)].typeCount > 1) {
        if (valueType < 1 || valueType > 3) {
            return 0;
        }
        type = valueType - 1;
    }
    cell = cube->GetCell(static_cast<std::uint32_t>(family), type, static_cast<std::uint32_t>(order), phase);
    return cell.valid != 0 ? cell.count : 0;
}

#include "terminal/Wiring.h"

#include "core/Ini.h"
#include "terminal/ProfileInt.h"
#include "terminal/TerminalTexts.h"

bool IsPhaseInMask(std::uint32_t mask, std::uint32_t phase)
{
    return phase == 4 || ((mask >> (phase % 32)) & 1u) != 0;
}

WiringCell LookupWiring(std::uint32_t category, std::uint32_t subtype)
{
    struct Row {
        std::uint32_t category, subtype;
        WiringCell cell;
    };
    static constexpr Row rows[] = {
        {1, 1, {9, 10274}},  {1, 2, {1, 10275}},  {2, 1, {11, 10276}},
        {3, 1, {7, 10277}},  {3, 2, {7, 10278}},  {3, 3, {7, 10279}},
        {3, 4, {7, 10278}},  {4, 1, {15, 10280}}, {4, 2, {15, 10281}},
    };
    for (const Row& row : rows) {
        if (row.category == category && row.subtype == subtype) {
            return row.cell;
        }
    }
    return {15, 10282};
}

int ReadWiring(const std::wstring& iniPath, BasicInfo& info)
{
    CIni ini(iniPath);
    const auto category = static_cast<std::uint32_t>(ReadProfileInt(ini, L"WireConnectType", L"Category", 0));
    const auto subtype = static_cast<std::uint32_t>(ReadProfileInt(ini, L"WireConnectType", L"SubConnectType", 0));
    if (category < 5 && subtype < 5) {
        const WiringCell cell = LookupWiring(category, subtype);
        info.phaseMask = cell.mask;
        info.wiringName = TerminalText(cell.nameId);
    }
    return 1;
}

namespace {

WiringCell CellOfCode(std::uint32_t code)
{
    std::uint32_t category = 1;
    std::uint32_t subtype = 1;
    switch (code) {
    case 2: subtype = 2; break;
    case 17: category = 2; break;
    case 33: category = 3; break;
    case 34: category = 3; subtype = 2; break;
    case 35: category = 3; subtype = 3; break;
    case 49: category = 4; break;
    case 50: category = 4; subtype = 2; break;
    default: break;
    }
    return LookupWiring(category, subtype);
}

}  // namespace

int GetWiringChannels(std::uint32_t code, std::wstring& name, std::uint32_t& mask)
{
    const WiringCell cell = CellOfCode(code);
    name = TerminalText(cell.nameId);
    mask = cell.mask;
    return 1;
}

std::uint32_t WiringPhaseMask(std::uint32_t code)
{
    return CellOfCode(code).mask;
}

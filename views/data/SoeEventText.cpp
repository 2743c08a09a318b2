#include "views/data/SoeEventText.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "terminal/ZVDataManager.h"
#include "views/data/ViewTexts.h"

namespace soetext {

namespace {

struct TypeEntry {
    unsigned nameId;
    const wchar_t* unit;
};

// Types 0 and 4 to 21; types 1 to 3 have no entry.
constexpr std::array<TypeEntry, 22> kTypes = {{
    {viewtext::kLimitAlarm, L""}, {0, nullptr}, {0, nullptr}, {0, nullptr},
    {6199, L"A"}, {6200, L"V"}, {6201, L"HZ"}, {6202, L"HZ"}, {6203, L"HZ"}, {6204, L"%"},
    {6205, L"%"}, {6206, L"%"}, {6207, L"%"}, {6208, L"V"}, {6209, L"V"}, {6210, L""},
    {6211, L""}, {6212, L"%"}, {6213, L"%"}, {6214, L""}, {6215, L"%"}, {6216, L"%"},
}};

// Wiring class x 4 + variant; 0 where no name is listed.
constexpr std::array<unsigned, 16> kWiring = {10017, 10018, 0, 0, 10019, 0, 0, 0,
                                              10020, 10021, 10022, 10023, 10024, 10025, 10026, 0};

float ValueOf(const SOERow& row)
{
    const std::uint32_t bits = static_cast<std::uint32_t>(row.record.w[4]);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::wstring PhaseLabel(std::int32_t phase)
{
    switch (phase) {
    case 0: return L"L1";
    case 1: return L"L2";
    case 2: return L"L3";
    case 3: return L"N";
    default: return L"Unknown";
    }
}

}  // namespace

bool HasEntry(std::int32_t type)
{
    return type >= 0 && type < static_cast<std::int32_t>(kTypes.size()) && kTypes[static_cast<std::size_t>(type)].unit != nullptr;
}

std::wstring Unit(std::int32_t type)
{
    return HasEntry(type) ? kTypes[static_cast<std::size_t>(type)].unit : L"";
}

std::wstring WiringName(std::int32_t wiringClass, std::int32_t variant)
{
    if (wiringClass < 0 || wiringClass > 3 || variant < 0 || variant > 3) {
        return {};
    }
    const unsigned id = kWiring[static_cast<std::size_t>(wiringClass * 4 + variant)];
    return id != 0 ? viewtext::Load(id) : std::wstring();
}

std::wstring Name(const SOERow& row)
{
    const auto& w = row.record.w;
    const std::int32_t type = w[0];
    if (!HasEntry(type)) {
        return viewtext::Load(viewtext::kUnknownAlarm);
    }
    const std::wstring typeName = viewtext::Load(kTypes[static_cast<std::size_t>(type)].nameId);
    const std::wstring edge = viewtext::Load(w[1] != 0 ? viewtext::kStart : viewtext::kEnd);
    switch (type) {
    case 0:
        return typeName;
    case 6: case 7: case 11: case 12: case 20: case 21:
        return typeName + edge;
    case 17: case 18: {
        wchar_t order[16];
        std::swprintf(order, 16, L"%02d", static_cast<int>(static_cast<std::int64_t>(w[3]) + 1));
        return viewtext::Fill(viewtext::Load(viewtext::kOrderPrefix), PhaseLabel(w[2]), order) + typeName + edge;
    }
    case 19:
        return viewtext::Fill(viewtext::Load(viewtext::kWiringChanged), WiringName(w[2], w[3]));
    case 8:
        return {};
    default:
        return PhaseLabel(w[2]) + typeName + edge;
    }
}

std::wstring Value(const SOERow& row)
{
    if (row.record.w[0] == 0) {
        return {};
    }
    const float value = ValueOf(row);
    if (static_cast<double>(value) == kNoValue) {
        return L"--";
    }
    return viewtext::Fixed3(value) + L" " + Unit(row.record.w[0]);
}

std::wstring Time(const SOERow& row)
{
    const SystemTime& t = row.blockTime;
    wchar_t text[64];
    std::swprintf(text, 64, L"%04u-%02u-%02u %02u:%02u:%02u.%03u", unsigned{t.year}, unsigned{t.month},
                  unsigned{t.day}, unsigned{t.hour}, unsigned{t.minute}, unsigned{t.second},
                  unsigned{t.milliseconds});
    return text;
}

int Image(const SOERow& row)
{
    return static_cast<int>(row.rowKind);
}

}  // namespace soetext

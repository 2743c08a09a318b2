#include "views/HarmTrendItems.h"

#include <cwchar>

namespace harmtrend {

namespace {

constexpr unsigned kValueSuffix = 6145;     // "值"
constexpr unsigned kHarmonicName = 6146;    // "%02d次谐波"
constexpr unsigned kInterName = 6147;       // "%02d组间谐波"
constexpr unsigned kHighOrderName = 6148;   // "%02d次高次谐波"
constexpr unsigned kSubgroupName = 6149;    // "%02d组谐波子组"

// The language text with its "%02d" replaced by the number; the text is never used
// as a format of its own.
std::wstring WithNumber(const std::wstring& pattern, long number)
{
    wchar_t digits[24];
    std::swprintf(digits, sizeof digits / sizeof digits[0], L"%02ld", number);
    const std::wstring::size_type at = pattern.find(L"%02d");
    if (at == std::wstring::npos) {
        return pattern + digits;
    }
    return pattern.substr(0, at) + digits + pattern.substr(at + 4);
}

}  // namespace

bool IsOrderFamily(std::uint32_t code)
{
    switch (code) {
    case 2000: case 3000: case 4000: case 5000: case 7000: case 8000: case 9000: case 10000: case 12000:
        return true;
    default:
        return false;
    }
}

bool IsThd(std::uint32_t code) { return code == 24 || code == 6000 || code == 11000; }
bool IsDc(std::uint32_t code) { return code == 25 || code == 6001 || code == 11001; }

bool IsValidItem(std::uint32_t code)
{
    return IsOrderFamily(code) || IsThd(code) || IsDc(code) || code == kKFactor;
}

bool IsCurrentFamily(std::uint32_t code)
{
    switch (code) {
    case 6000: case 6001: case 7000: case 8000: case 9000: case 10000:
        return true;
    default:
        return false;
    }
}

std::uint32_t SlotOf(const CRecordSeriesKey& key)
{
    const std::int64_t order = OrderOf(key);
    if (order != -1) {
        const std::int64_t slot = order + 1;
        return slot >= 0 && slot < kSlots ? static_cast<std::uint32_t>(slot) : kNoSlot;
    }
    if (key.phase > 3) {
        return key.item == kKFactor ? 60 : kNoSlot;
    }
    if (IsThd(key.item)) {
        return 52 + key.phase;
    }
    if (IsDc(key.item)) {
        return 56 + key.phase;
    }
    return key.item == kKFactor ? 60 : kNoSlot;
}

int SingleColorIndex(const CRecordSeriesKey& key)
{
    static constexpr int byPhase[] = {1, 2, 4, 5};
    if (key.item == kKFactor) {
        return 54;
    }
    if ((IsThd(key.item) || IsDc(key.item)) && key.phase < 4) {
        return byPhase[key.phase];
    }
    return 0;
}

int SlotColor(std::uint32_t& slot)
{
    switch (slot) {
    case 52: return 52;
    case 53: case 57: return 1;
    case 54: case 58: return 2;
    case 55: case 59: return 3;
    case 56: return 53;
    case 60:
        slot = 54;
        return 54;
    default:
        return static_cast<int>(slot);
    }
}

int UnitCode(std::uint32_t item, std::uint32_t valueTypeIndex)
{
    if (valueTypeIndex == 1) {
        return 5;
    }
    if (valueTypeIndex == 2) {
        return 8;
    }
    switch (item) {
    case kKFactor:
        return 0;
    case 2000: case 3000: case 4000: case 5000: case 25:
        return 3;
    case 6001: case 7000: case 8000: case 9000: case 10000:
        return 4;
    default:
        return 9;
    }
}

std::wstring SeriesName(std::uint32_t item, std::uint32_t slot, const std::function<std::wstring(unsigned)>& text)
{
    const long number = static_cast<long>(slot);
    switch (item) {
    case kKFactor:
        return L"KF" + text(kValueSuffix);
    case 24: case 6000: case 11000:
        return L"THD" + text(kValueSuffix);
    case 25: case 6001: case 11001:
        return L"DC" + text(kValueSuffix);
    case 2000: case 7000: case 12000:
        return WithNumber(text(kHarmonicName), number);
    case 3000: case 8000:
        return WithNumber(text(kInterName), number - 1);
    case 4000: case 9000:
        return WithNumber(text(kHighOrderName), number);
    case 5000: case 10000:
        return WithNumber(text(kSubgroupName), number);
    default:
        return {};
    }
}

}  // namespace harmtrend

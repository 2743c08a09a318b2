#include "lib/viewer/data/ValueText.h"

#include <algorithm>
#include <array>
#include <cwctype>

namespace tracelume {

namespace {

constexpr std::array<const wchar_t*, 20> kUnits = {
    L"",   L"S",    L"M",    L"V",     L"A",  L"%",   L"W",   L"HZ", L"°",   L"KW",
    L"KVA", L"KVAR", L"KWh", L"KVAh", L"KVARh", L"VA", L"VAR", L"Wh", L"VAh", L"VARh"};

constexpr std::array<const wchar_t*, 32> kControlNames = {
    L"NUL", L"SOH", L"STX", L"ETX", L"EOT", L"ENQ", L"ACK", L"BEL", L"BS",  L"HT",  L"LF",
    L"VT",  L"FF",  L"CR",  L"SO",  L"SI",  L"SLE", L"CS1", L"DC2", L"DC3", L"DC4", L"NAK",
    L"SYN", L"ETB", L"CAN", L"EM",  L"SIB", L"ESC", L"FS",  L"GS",  L"RS",  L"US"};

bool IsKiloUnit(int unit) { return unit == 6 || (unit >= 15 && unit <= 19); }

std::wstring AsciiText(std::int64_t raw) {
    const int code = static_cast<int>(raw & 0xFF);
    if ((raw & 0x80) != 0) {
        return L"[" + std::to_wstring(code) + L"]";
    }
    if (code < 32) {
        return kControlNames[static_cast<std::size_t>(code)];
    }
    if (code == 32) {
        return L"(space)";
    }
    if (code == 127) {
        return L"DEL";
    }
    return std::wstring(1, static_cast<wchar_t>(code));
}

}  // namespace

std::wstring UnitText(int unit) {
    return unit >= 0 && static_cast<std::size_t>(unit) < kUnits.size() ? kUnits[static_cast<std::size_t>(unit)] : L"";
}

UnitPrefix ChoosePrefix(int unit, double magnitudeA, double magnitudeB) {
    const bool bothBelowOne = magnitudeA < 1 && magnitudeB < 1;
    const bool bothAboveThousand = magnitudeA > 1000 && magnitudeB > 1000;
    if ((unit == 2 || unit == 3) && bothAboveThousand) {
        return {0.001, L" k"};
    }
    if (unit >= 1 && unit <= 4 && bothBelowOne) {
        return {1000.0, L" m"};
    }
    if (IsKiloUnit(unit) && bothAboveThousand) {
        return {0.001, L" k"};
    }
    return {};
}

void DropLoneMinus(std::wstring& text) {
    if (text.empty() || text.front() != L'-') {
        return;
    }
    const bool onlyZeros = std::all_of(text.begin() + 1, text.end(), [](wchar_t c) {
        return c == L'0' || std::iswxdigit(static_cast<wint_t>(c)) == 0;
    });
    if (onlyZeros) {
        text.erase(0, 1);
    }
}

bool ShowsOnlyZeros(const std::wstring& text) {
    return std::none_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'1' && c <= L'9'; });
}

std::wstring DigitalText(std::int64_t raw, int base, int bits) {
    if (base == kBaseAscii) {
        return AsciiText(raw);
    }
    struct Form {
        unsigned radix;
        int digitsPerGroup;
        wchar_t separator;
        const wchar_t* suffix;
    };
    const int width = std::clamp(bits, 0, 64);
    Form form{16, 8, L' ', L" H"};
    std::size_t padTo = static_cast<std::size_t>(width / 4);
    switch (base) {
    case kBaseBinary:
        form = {2, 4, L' ', L" B"};
        padTo = static_cast<std::size_t>(width);
        break;
    case kBaseOctal:
        form = {8, 3, L' ', L" O"};
        padTo = static_cast<std::size_t>(width / 3);
        break;
    case kBaseDecimal:
        form = {10, 3, L',', L""};
        padTo = 0;
        break;
    case kBaseChart:
        form = {16, 16, L' ', L""};
        padTo = 0;
        break;
    default:
        break;
    }
    std::wstring digits;
    auto value = static_cast<std::uint64_t>(raw);
    do {
        digits.push_back(L"0123456789ABCDEF"[value % form.radix]);
        value /= form.radix;
    } while (value != 0);
    if (digits.size() < padTo) {
        digits.append(padTo - digits.size(), L'0');
    }
    // The digits stand reversed here, so grouping from the right is grouping from the front.
    std::wstring text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && i % static_cast<std::size_t>(form.digitsPerGroup) == 0) {
            text.push_back(form.separator);
        }
        text.push_back(digits[i]);
    }
    std::reverse(text.begin(), text.end());
    return text + form.suffix;
}

}  // namespace tracelume

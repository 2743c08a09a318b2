#include "terminal/ProfileInt.h"

#include <cstdint>
#include <cwctype>
#include <limits>

#include "core/Ini.h"

int ParseProfileInt(const std::wstring& text)
{
    std::size_t at = 0;
    while (at < text.size() && std::iswspace(static_cast<wint_t>(text[at]))) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == L'-' || text[at] == L'+')) {
        negative = text[at] == L'-';
        ++at;
    }
    std::int64_t value = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        value = value * 10 + (text[at] - L'0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            value = static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1;
            break;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<std::int32_t>::max()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value < std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<int>(value);
}

int ReadProfileInt(const CIni& ini, const wchar_t* section, const wchar_t* key, int defaultValue)
{
    const std::wstring text = ini.GetString(section, key, L"");
    if (text.empty()) {
        return defaultValue;
    }
    return ParseProfileInt(text);
}

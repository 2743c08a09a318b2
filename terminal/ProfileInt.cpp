#include "terminal/ProfileInt.h"

#include "core/Ini.h"
#include "platform/base/PrivateProfile.h"

int ReadProfileInt(const CIni& ini, const wchar_t* section, const wchar_t* key, int defaultValue)
{
    const std::wstring text = ini.GetString(section, key, L"");
    if (text.empty()) {
        return defaultValue;
    }
    return platform::ParseProfileInt(text);
}

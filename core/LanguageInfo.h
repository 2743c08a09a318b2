#pragma once
// The record of one user-interface language from the language list.

#include <cstdint>
#include <string>

class CLanguageInfo {
public:
    CLanguageInfo() = default;

    std::int32_t id = 0;
    std::wstring name;     // shown in the language dialog
    std::wstring dirName;  // the language's folder below "Language"
    std::uint16_t usPrimaryLanguage = 0;
    std::uint16_t usSubLanguage = 0;
    // Shown after a change; a newline, or a backslash and "n", separates its two parts.
    std::wstring switchTip;

    // The built-in language, used whenever the list cannot give a record.
    static CLanguageInfo Defaults();
    // The language identifier made of the two ids (sub-language above bit 10).
    std::uint16_t LangId() const;
};

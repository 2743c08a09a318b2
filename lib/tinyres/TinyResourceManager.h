#pragma once
// The language texts of one shared library. A library does not use the program's
// language manager: it keeps a small table of its own, filled from its language
// file in the folder of the language the user chose for the whole program, and
// falls back to the texts built into the library for any id the file lacks.
//
// Each library makes one instance for the process on first use (see the library's
// own accessor); the class itself holds no process-wide state.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

class CTinyResourceManager {
public:
    using StringTable = std::map<std::uint32_t, std::wstring>;

    // Reads the program's language list (Language/Language.xml in the program
    // folder) to find the chosen language; a missing or broken list keeps the
    // defaults (Simplified Chinese, folder "Chinese"). `builtins` are the library's
    // own texts.
    explicit CTinyResourceManager(StringTable builtins);
    virtual ~CTinyResourceManager() = default;

    // The text of an id: the language file's, else the built-in one, else empty
    // with *missing set to 1 (0 when found).
    virtual std::wstring GetString(std::uint32_t id, int* missing = nullptr) const;
    // True when found; the text is the language file's or the built-in one.
    virtual bool LoadString(std::wstring& text, std::uint32_t id) const;

    // Replaces the table from a language file: root "resource", elements "string"
    // with "id" and "value". Only names ending in "xml" (any case) are read; a
    // missing or broken file leaves the table empty.
    void LoadStrings(const std::filesystem::path& file);

    // The chosen language's folder: <program folder>/Language/<folder name>.
    std::filesystem::path GetLanguageDir() const;

    // The part of a text before its separator (first true) or after it (first
    // false). The separator is the first line feed, or when there is none the first
    // backslash, whose following character is skipped too. Empty when there is no
    // separator after the first character.
    static std::wstring SplitTip(const std::wstring& text, bool first);

    int GetLanguageId() const { return m_languageId; }
    const std::wstring& GetLanguageName() const { return m_languageName; }
    const std::wstring& GetDirName() const { return m_dirName; }
    std::uint16_t GetPrimaryLanguage() const { return m_primaryLanguage; }
    std::uint16_t GetSubLanguage() const { return m_subLanguage; }
    // The Windows language id of the chosen language (0x0804 for Simplified
    // Chinese). Only informative: the process locale is never changed, since that
    // would alter number formatting for every thread.
    std::uint32_t GetLocaleId() const {
        return static_cast<std::uint32_t>(m_primaryLanguage) | (static_cast<std::uint32_t>(m_subLanguage) << 10);
    }

private:
    void ReadLanguageList();

    StringTable m_strings;
    StringTable m_builtins;
    int m_languageId = 0;
    std::wstring m_languageName = L"简体中文";
    std::wstring m_dirName = L"Chinese";
    std::uint16_t m_primaryLanguage = 4;
    std::uint16_t m_subLanguage = 2;
};

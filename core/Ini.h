#pragma once
// CIni: reads and writes one INI-style text file ("Ondrava.ini", "WaveSystem.ini",
// the description files of a terminal folder) through the private-profile engine.
// Nothing is cached: every get reads the file and every write changes it at once,
// so callers make a short-lived CIni on the stack for each use.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/PrivateProfile.h"

class CIni {
public:
    explicit CIni(const wchar_t* path = nullptr);
    explicit CIni(const std::wstring& path);
    virtual ~CIni();
    CIni(const CIni&) = delete;
    CIni& operator=(const CIni&) = delete;

    // The value; the default when the key is absent (empty when the default is null).
    std::wstring GetString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue = nullptr) const;
    // Copies the value (the default when absent) into the buffer, at most size - 1
    // characters and a terminating zero, and returns the number of characters copied;
    // with a null buffer returns the value's whole length, with a size of 0 returns 0.
    std::size_t ReadToBuffer(const wchar_t* section, const wchar_t* key, wchar_t* buffer, std::size_t size,
                             const wchar_t* defaultValue) const;
    std::uint32_t GetUInt(const wchar_t* section, const wchar_t* key, std::uint32_t defaultValue, int base = 10) const;
    int GetBool(const wchar_t* section, const wchar_t* key, int defaultValue) const;
    double GetDouble(const wchar_t* section, const wchar_t* key, double defaultValue) const;

    // Non-zero on success; 0 without writing when the section or key is null.
    int WriteString(const wchar_t* section, const wchar_t* key, const wchar_t* value);
    int WriteInt(const wchar_t* section, const wchar_t* key, std::int32_t value, int base = 10);
    int WriteBool(const wchar_t* section, const wchar_t* key, int value);
    // Writes several keys, possibly of several sections, with one replace of the file:
    // all of them or, on failure (0), none. Non-zero on success.
    using Entry = platform::ProfileEntry;
    int WriteStrings(const std::vector<Entry>& entries);

    static int ParseBool(const wchar_t* text, int defaultValue);
    // Writes the value in the base into the 64-character buffer and returns it.
    static const wchar_t* FormatNumber(std::uint32_t value, wchar_t* buffer, int base);

    const std::optional<std::wstring>& Path() const { return m_path; }

private:
    std::optional<std::wstring> m_path;
};

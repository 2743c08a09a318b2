#pragma once
// An INI-format file as a terminal writes it: sections and keys in the order they
// were set, written in the encoding and with the line endings asked for. Fixtures
// start from a realistic document and then change, add or remove single keys.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/base/Encoding.h"

namespace gen {

enum class LineEnd { CrLf, Lf };

// How a file is stored. Terminals write GBK with CR LF.
struct FileFormat {
    platform::TextEncoding encoding = platform::TextEncoding::Gbk;
    LineEnd lineEnd = LineEnd::CrLf;
};

class IniDocument {
public:
    // Sets the value of a key; a new section or key goes after the existing ones.
    IniDocument& Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);
    IniDocument& SetInt(std::wstring_view section, std::wstring_view key, std::int64_t value);
    // False when there was no such key. Names compare exactly.
    bool Remove(std::wstring_view section, std::wstring_view key);
    std::optional<std::wstring> Get(std::wstring_view section, std::wstring_view key) const;

    // "[section]" and "key=value" lines, every line ended.
    std::wstring Text(LineEnd lineEnd) const;
    // The text in the encoding, with the byte-order mark it carries; nothing when the
    // encoding cannot hold the text (GBK only).
    std::optional<std::string> Bytes(const FileFormat& format) const;
    // Writes the file, making its folder when missing.
    bool Write(const std::filesystem::path& file, const FileFormat& format) const;

private:
    struct Section {
        std::wstring name;
        std::vector<std::pair<std::wstring, std::wstring>> keys;
    };
    std::vector<Section> m_sections;
};

}  // namespace gen

#include "core/ColorPicker.h"

#include <atomic>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <utility>

#include "core/Ini.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/ProgramFolder.h"

namespace {

// Values and colour names are taken to this many characters, as the file's readers
// always have: a longer text is cut, not rejected.
constexpr std::size_t kValueLength = 19;

// The value of an absent key: a colour name looked up in "ColorSchemes".
constexpr std::wstring_view kAbsentValue = L"Red";

// Counts the writes of every store of this process. A store compares it with the count
// it saw when it filled its cache, so another store's save is never missed, even when
// the replaced file happens to match the old one's size, time and inode.
std::atomic<std::uint64_t>& WriteCount() {
    static std::atomic<std::uint64_t> count{0};
    return count;
}

std::wstring Cut(std::wstring text) {
    if (text.size() > kValueLength) {
        text.resize(kValueLength);
    }
    return text;
}

bool IsSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

// One "%d" conversion: white space, an optional sign, at least one digit. The value is
// kept modulo 2^32, which keeps the low 8 bits that a colour component takes.
bool ReadInteger(std::wstring_view text, std::size_t& at, std::uint32_t& value) {
    while (at < text.size() && IsSpace(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) {
        negative = text[at] == L'-';
        ++at;
    }
    const std::size_t digits = at;
    value = 0;
    for (; at < text.size() && text[at] >= L'0' && text[at] <= L'9'; ++at) {
        value = value * 10u + static_cast<std::uint32_t>(text[at] - L'0');
    }
    if (negative) {
        value = 0u - value;
    }
    return at > digits;
}

bool ReadLiteral(std::wstring_view text, std::size_t& at, std::wstring_view literal) {
    if (text.substr(at, literal.size()) != literal) {
        return false;
    }
    at += literal.size();
    return true;
}

}  // namespace

CColorPicker::FileAccess CColorPicker::DefaultFileAccess() {
    return {platform::ReadFileBytes,
            [](const std::filesystem::path& file, const std::vector<platform::ProfileEntry>& entries) {
                return CIni(platform::FromPath(file)).WriteStrings(entries) != 0;
            }};
}

CColorPicker::CColorPicker() : CColorPicker(DefaultFileAccess()) {}

CColorPicker::CColorPicker(FileAccess access) : m_access(std::move(access)) {}

CColorPicker::~CColorPicker() = default;

std::filesystem::path CColorPicker::SchemeFile() { return platform::ProgramFolder() / "color.cfg"; }

int CColorPicker::Open(const std::wstring& section) {
    m_section = section;
    m_path = SchemeFile();
    m_stamp.reset();
    std::error_code error;
    m_open = std::filesystem::is_regular_file(m_path, error) ? 1 : 0;
    return m_open;
}

int CColorPicker::ReadColor(const std::wstring& key, std::uint32_t& color) const {
    if (!IsOpen()) {
        return 0;
    }
    const std::wstring value = Cut(Lookup(m_section, key).value_or(std::wstring(kAbsentValue)));
    std::wstring named;
    if (!value.empty()) {
        named = Cut(Lookup(kSchemesSection, value).value_or(L""));
    }
    std::optional<std::uint32_t> parsed = ParseColor(named.empty() ? value : named);
    if (!parsed) {
        // A damaged value draws like an absent key rather than in a made-up colour.
        parsed = ParseColor(Cut(Lookup(kSchemesSection, kAbsentValue).value_or(L"")));
    }
    color = parsed.value_or(kFallbackColor);
    return 1;
}

int CColorPicker::ReadDefaultColor(const std::wstring& key, std::uint32_t& color) const {
    return ReadColor(kDefaultPrefix + key, color);
}

int CColorPicker::WriteColor(const std::wstring& key, std::uint32_t color) {
    return WriteColors({{m_section, key, color}});
}

int CColorPicker::WriteColors(const std::vector<Entry>& entries) {
    if (!IsOpen()) {
        return 0;
    }
    std::vector<platform::ProfileEntry> values;
    values.reserve(entries.size());
    for (const Entry& entry : entries) {
        values.push_back({entry.section, entry.key, FormatColor(entry.color)});
    }
    const bool written = m_access.write(m_path, values);
    m_stamp.reset();
    WriteCount().fetch_add(1);
    return written ? 1 : 0;
}

std::wstring CColorPicker::MakeItemKey(int phaseMask, int statisticMask, int itemCode) {
    const auto code = static_cast<std::uint32_t>(itemCode);
    if (code <= static_cast<std::uint32_t>(kItemKFactor)) {
        switch (code) {
            case kItemThd: return L"THD";
            case kItemDc: return L"DC";
            case kItemKFactor: return L"KF";
            default: return L"HARM" + std::to_wstring(code);
        }
    }
    std::wstring key;
    switch (phaseMask) {
        case 1: key = L"A"; break;
        case 2: key = L"B"; break;
        case 4: key = L"C"; break;
        case 8: key = L"N"; break;
        case 16: key = L"ALL"; break;
        default: break;
    }
    switch (statisticMask) {
        case 1: key += L"max"; break;
        case 2: key += L"min"; break;
        case 4: key += L"avg"; break;
        case 8: key += L"cp95"; break;
        case 16: key += L"rms"; break;
        case 32: key += L"org"; break;
        default: break;
    }
    return key;
}

std::uint32_t CColorPicker::GetItemColor(int phaseMask, int statisticMask, int itemCode) const {
    std::uint32_t color = kFallbackColor;
    ReadColor(MakeItemKey(phaseMask, statisticMask, itemCode), color);
    return color;
}

std::uint32_t CColorPicker::GetItemDefaultColor(int phaseMask, int statisticMask, int itemCode) const {
    std::uint32_t color = kFallbackColor;
    ReadDefaultColor(MakeItemKey(phaseMask, statisticMask, itemCode), color);
    return color;
}

int CColorPicker::SetItemColor(std::uint32_t color, int phaseMask, int statisticMask, int itemCode) {
    return WriteColor(MakeItemKey(phaseMask, statisticMask, itemCode), color);
}

int CColorPicker::GetHarmColors(std::uint32_t& maxColor, std::uint32_t& minColor, std::uint32_t& avgColor) const {
    return ReadColor(L"HARMmax", maxColor) != 0 && ReadColor(L"HARMmin", minColor) != 0 &&
                   ReadColor(L"HARMavg", avgColor) != 0
               ? 1
               : 0;
}

std::wstring CColorPicker::FormatColor(std::uint32_t color) {
    return L"RGB(" + std::to_wstring(color & 0xFF) + L"," + std::to_wstring((color >> 8) & 0xFF) + L"," +
           std::to_wstring((color >> 16) & 0xFF) + L")";
}

std::optional<std::uint32_t> CColorPicker::ParseColor(std::wstring_view text) {
    // The closing parenthesis is not required: three numbers make a colour.
    std::size_t at = 0;
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    if (!ReadLiteral(text, at, L"RGB(") || !ReadInteger(text, at, red) || !ReadLiteral(text, at, L",") ||
        !ReadInteger(text, at, green) || !ReadLiteral(text, at, L",") || !ReadInteger(text, at, blue)) {
        return std::nullopt;
    }
    return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}

const platform::ProfileSnapshot& CColorPicker::Snapshot() const {
    FileStamp now;
    struct stat info {};
    if (::stat(platform::PathToUtf8(m_path).c_str(), &info) == 0) {
        now.device = info.st_dev;
        now.inode = info.st_ino;
        now.size = info.st_size;
        now.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
    }
    now.writes = WriteCount().load();
    if (m_stamp && *m_stamp == now) {
        return m_snapshot;
    }
    const std::optional<std::string> bytes = m_access.read(m_path);
    m_snapshot = bytes ? platform::ProfileSnapshot(*bytes) : platform::ProfileSnapshot();
    m_stamp = now;
    return m_snapshot;
}

std::optional<std::wstring> CColorPicker::Lookup(std::wstring_view section, std::wstring_view key) const {
    return Snapshot().Get(section, key);
}

#include "core/ZVLanguageList.h"

#include <charconv>
#include <limits>
#include <optional>

#include "core/ZVMarkup.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"

namespace {

// An optional sign and decimal digits, within the field's range; nothing else.
template <typename T>
std::optional<T> ParseDecimal(const std::wstring& text) {
    std::string ascii;
    for (const wchar_t c : text) {
        if (c > 0x7F) {
            return std::nullopt;
        }
        ascii.push_back(static_cast<char>(c));
    }
    const std::size_t skip = ascii.size() > 1 && ascii[0] == '+' && ascii[1] != '-' ? 1 : 0;
    long long value = 0;
    const char* end = ascii.data() + ascii.size();
    const auto result = std::from_chars(ascii.data() + skip, end, value);
    if (result.ec != std::errc() || result.ptr != end || value < std::numeric_limits<T>::min() ||
        value > std::numeric_limits<T>::max()) {
        return std::nullopt;
    }
    return static_cast<T>(value);
}

// The list loaded with the cursor on its "Languages" root.
bool OpenList(CZVMarkup& markup) {
    return markup.Load(CZVLanguageList::ListFile()) && markup.FindElem(L"Languages");
}

}  // namespace

std::filesystem::path CZVLanguageList::ListFile() {
    return platform::ProgramFolder() / "Language" / "Language.xml";
}

bool CZVLanguageList::Load(CLanguageInfo& info, std::int32_t wantedId) {
    info = CLanguageInfo::Defaults();
    CZVMarkup markup;
    if (!OpenList(markup)) {
        return false;
    }
    const std::wstring wanted = wantedId == -1 ? markup.GetAttrib(L"selectedId") : std::to_wstring(wantedId);
    while (markup.FindChildElem(L"Language")) {
        markup.IntoElem();
        if (markup.GetAttrib(L"Id") == wanted) {
            const auto id = ParseDecimal<std::int32_t>(markup.GetAttrib(L"Id"));
            const auto primary = ParseDecimal<std::uint16_t>(markup.GetAttrib(L"usPrimaryLanguage"));
            const auto sub = ParseDecimal<std::uint16_t>(markup.GetAttrib(L"usSubLanguage"));
            if (!id || !primary || !sub) {
                return false;  // an unusable entry: the defaults stand
            }
            info.id = *id;
            info.usPrimaryLanguage = *primary;
            info.usSubLanguage = *sub;
            info.name = markup.GetAttrib(L"name");
            info.dirName = markup.GetAttrib(L"dirName");
            info.switchTip = markup.GetAttrib(L"switchTip");
            return true;
        }
        markup.OutOfElem();
    }
    return false;
}

std::wstring CZVLanguageList::GetLanguageDir() {
    CLanguageInfo info;
    Load(info, -1);
    constexpr wchar_t kSeparator = std::filesystem::path::preferred_separator;
    std::wstring dir = platform::FromPath(platform::ProgramFolder());
    if (dir.empty() || dir.back() != kSeparator) {
        dir.push_back(kSeparator);
    }
    return dir + L"Language" + kSeparator + info.dirName + kSeparator;
}

std::wstring CZVLanguageList::SplitText(const std::wstring& text, bool left) {
    std::size_t separator = text.find(L'\n');
    std::size_t skip = 1;
    if (separator == std::wstring::npos) {
        separator = text.find(L'\\');
        skip = 2;
    }
    if (separator == std::wstring::npos || separator == 0) {
        return {};
    }
    if (left) {
        return text.substr(0, separator);
    }
    return separator + skip < text.size() ? text.substr(separator + skip) : std::wstring();
}

bool CZVLanguageList::ReadChoices(LanguageChoices& choices) {
    choices = LanguageChoices{};
    CZVMarkup markup;
    if (!OpenList(markup)) {
        return false;
    }
    const auto selectedId = ParseDecimal<std::int32_t>(markup.GetAttrib(L"selectedId"));
    if (!selectedId) {
        return false;
    }
    LanguageChoices read;
    while (markup.FindChildElem(L"Language")) {
        markup.IntoElem();
        const auto id = ParseDecimal<std::int32_t>(markup.GetAttrib(L"Id"));
        if (!id) {
            return false;
        }
        if (read.selected < 0 && *id == *selectedId) {
            read.selected = static_cast<int>(read.items.size());
        }
        read.items.push_back({*id, markup.GetAttrib(L"name")});
        markup.OutOfElem();
    }
    choices = std::move(read);
    return true;
}

bool CZVLanguageList::SaveSelectedId(std::int32_t id) {
    CZVMarkup markup;
    if (!OpenList(markup)) {
        return false;
    }
    markup.SetAttrib(L"selectedId", id);
    markup.Save(ListFile());
    return true;
}

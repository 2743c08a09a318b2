#include "report/PictureNames.h"

#include <cwctype>
#include <string_view>

namespace {

constexpr std::size_t kMaxNameLength = 120;  // characters, leaving room for "_N.png" in any file system

std::wstring Lower(const std::wstring& text)
{
    std::wstring lower = text;
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    }
    return lower;
}

}  // namespace

bool CPictureNames::IsMissingText(const std::wstring& text)
{
    return text.empty() || text == L"_??_" || text == L"__??" || text == L"??__";
}

std::wstring CPictureNames::Sanitize(const std::wstring& text)
{
    std::wstring name;
    for (const wchar_t c : text) {
        const bool reserved = c < 0x20 || c == 0x7F || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos;
        name += reserved ? L'_' : c;
    }
    if (name.size() > kMaxNameLength) {
        name.resize(kMaxNameLength);
    }
    while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) {
        name.pop_back();
    }
    while (!name.empty() && name.front() == L' ') {
        name.erase(0, 1);
    }
    // Names Windows keeps for devices cannot be files there.
    static const wchar_t* const kDevices[] = {L"con", L"prn", L"aux", L"nul", L"com1", L"com2", L"com3", L"com4",
                                              L"com5", L"com6", L"com7", L"com8", L"com9", L"lpt1", L"lpt2",
                                              L"lpt3", L"lpt4", L"lpt5", L"lpt6", L"lpt7", L"lpt8", L"lpt9"};
    const std::wstring lower = Lower(name);
    for (const wchar_t* device : kDevices) {
        if (lower == device) {
            name += L'_';
            break;
        }
    }
    return name;
}

std::wstring CPictureNames::Reserve(const std::wstring& text, const std::wstring& fallback)
{
    std::wstring base = IsMissingText(text) ? Sanitize(fallback) : Sanitize(text);
    if (base.empty()) {
        base = Sanitize(fallback);
    }
    if (base.empty()) {
        base = L"picture";
    }
    std::wstring name = base;
    for (int n = 2; m_Taken.count(Lower(name)) != 0; ++n) {
        name = base + L"_" + std::to_wstring(n);
    }
    m_Taken.insert(Lower(name));
    return name;
}

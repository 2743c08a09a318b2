#include "views/data/ViewTexts.h"

#include <charconv>
#include <cmath>

#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"

namespace viewtext {

std::wstring Load(unsigned id)
{
    CZVResourceManager* manager = CZVResourceManager::GetResourceManager();
    return manager != nullptr ? manager->LoadString(id) : std::wstring();
}

namespace {

// The length of a printf field starting at `at` ("%s", "%d", "%02d", "%I64d"); 0 when
// none starts there.
std::size_t FieldLength(const std::wstring& text, std::size_t at)
{
    if (at >= text.size() || text[at] != L'%') {
        return 0;
    }
    std::size_t end = at + 1;
    while (end < text.size() && ((text[end] >= L'0' && text[end] <= L'9') || text[end] == L'I')) {
        ++end;
    }
    if (end < text.size() && (text[end] == L's' || text[end] == L'd')) {
        return end + 1 - at;
    }
    return 0;
}

}  // namespace

std::wstring Fill(const std::wstring& pattern, const std::wstring& first, const std::wstring& second)
{
    const std::wstring* arguments[] = {&first, &second};
    std::size_t next = 0;
    std::wstring result;
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] == L'%') {
            result += L'%';
            i += 2;
            continue;
        }
        if (const std::size_t length = FieldLength(pattern, i)) {
            if (next < 2) {
                result += *arguments[next++];
            }
            i += length;
            continue;
        }
        result += pattern[i++];
    }
    return result;
}

std::wstring CountCaption(unsigned titleId, std::int64_t count)
{
    return Load(titleId) + Fill(Load(kCountSuffix), std::to_wstring(count));
}

std::wstring Fixed3(double value)
{
    if (std::isnan(value)) {
        return std::signbit(value) ? L"-nan" : L"nan";
    }
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    return platform::Utf8ToWide(std::string(buffer, result.ptr));
}

}  // namespace viewtext

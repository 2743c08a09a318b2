#include "core/TimeText.h"

#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"

namespace {
constexpr std::size_t kTimeTextChars = 128;
}

std::wstring FormatTimeText(std::time_t value, const wchar_t* pattern) {
    if (pattern == nullptr) {
        return {};
    }
    return platform::FormatLocalTime(value, pattern, kTimeTextChars);
}

std::wstring FormatTimeText(std::time_t value, const char* pattern) {
    if (pattern == nullptr) {
        return {};
    }
    return FormatTimeText(value, platform::Utf8ToWide(pattern).c_str());
}

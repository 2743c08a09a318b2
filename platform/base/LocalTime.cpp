#include "platform/base/LocalTime.h"

#include <cwchar>
#include <vector>

namespace platform {

std::optional<std::tm> ToLocalTime(std::time_t value) {
    std::tm fields{};
    if (::localtime_r(&value, &fields) == nullptr) {
        return std::nullopt;
    }
    return fields;
}

std::optional<std::time_t> FromLocalTime(int year, int month, int day, int hour, int minute, int second, int isDst) {
    std::tm fields{};
    // Fields come from files: extreme values must not overflow before mktime sees them.
    if (__builtin_sub_overflow(year, 1900, &fields.tm_year) || __builtin_sub_overflow(month, 1, &fields.tm_mon)) {
        return std::nullopt;
    }
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = isDst;
    const std::time_t value = std::mktime(&fields);
    if (value == static_cast<std::time_t>(-1) &&
        !(fields.tm_year == 69 && fields.tm_mon == 11 && fields.tm_mday == 31 && fields.tm_hour == 23 &&
          fields.tm_min == 59 && fields.tm_sec == 59)) {
        return std::nullopt;
    }
    return value;
}

std::wstring FormatLocalTime(std::time_t value, std::wstring_view pattern, std::size_t maxChars) {
    const auto fields = ToLocalTime(value);
    if (!fields || pattern.empty() || maxChars == 0) {
        return {};
    }
    const std::wstring terminatedPattern(pattern);
    std::vector<wchar_t> buffer(maxChars);
    const std::size_t length = std::wcsftime(buffer.data(), buffer.size(), terminatedPattern.c_str(), &*fields);
    return std::wstring(buffer.data(), length);
}

}  // namespace platform

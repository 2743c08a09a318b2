#include "report/ReportFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <ctime>
#include <limits>
#include <optional>

#include "platform/base/LocalTime.h"

namespace report {

namespace {

struct Fields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

Fields LocalFields(std::int64_t time)
{
    Fields fields;
    if (time < static_cast<std::int64_t>(std::numeric_limits<std::time_t>::min()) ||
        time > static_cast<std::int64_t>(std::numeric_limits<std::time_t>::max())) {
        return fields;
    }
    const std::optional<std::tm> tm = platform::ToLocalTime(static_cast<std::time_t>(time));
    if (tm) {
        fields = {tm->tm_year + 1900, tm->tm_mon + 1, tm->tm_mday, tm->tm_hour, tm->tm_min, tm->tm_sec};
    }
    return fields;
}

// At least `width` digits, zero-padded ("%.2u").
std::wstring Digits(int value, int width)
{
    std::wstring text = std::to_wstring(value < 0 ? 0 : value);
    if (text.size() < static_cast<std::size_t>(width)) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), L'0');
    }
    return text;
}

}  // namespace

std::wstring FormatFixed(double value, int decimals)
{
    if (!std::isfinite(value)) {
        return L"--";
    }
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed,
                                      decimals);
    if (result.ec != std::errc()) {
        return L"--";
    }
    return std::wstring(buffer.data(), result.ptr);
}

std::wstring FixNegativeZero(std::wstring text)
{
    if (text.size() < 2 || text[0] != L'-') {
        return text;
    }
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] != L'0' && text[i] != L'.') {
            return text;
        }
    }
    return text.substr(1);
}

std::wstring ValueText(double value)
{
    return FixNegativeZero(FormatFixed(value, 3));
}

std::wstring FormatCounts(const std::wstring& pattern, std::initializer_list<long long> numbers)
{
    std::wstring text;
    auto next = numbers.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && (pattern[i + 1] == L'd' || pattern[i + 1] == L'u') &&
            next != numbers.end()) {
            text += std::to_wstring(*next++);
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::wstring AxisTimeLabel(std::int64_t time)
{
    const Fields f = LocalFields(time);
    return Digits(f.month, 2) + L"/" + Digits(f.day, 2) + L"\r\n" + Digits(f.hour, 2) + L":" + Digits(f.minute, 2) +
           L":" + Digits(f.second, 2);
}

std::wstring DateTimeText(std::int64_t time)
{
    const Fields f = LocalFields(time);
    return Digits(f.year, 4) + L"/" + Digits(f.month, 2) + L"/" + Digits(f.day, 2) + L" " + Digits(f.hour, 2) + L":" +
           Digits(f.minute, 2) + L":" + Digits(f.second, 2);
}

std::wstring DateText(std::int64_t time)
{
    const Fields f = LocalFields(time);
    return std::to_wstring(f.year) + L"/" + Digits(f.month, 2) + L"/" + Digits(f.day, 2);
}

}  // namespace report

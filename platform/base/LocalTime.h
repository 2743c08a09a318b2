#pragma once
// Local-time conversions, independent of the user's locale for the digits.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

std::optional<std::tm> ToLocalTime(std::time_t value);

// mktime of the fields in local time; isDst < 0 lets the library decide.
// Nothing for fields that do not name a representable time.
std::optional<std::time_t> FromLocalTime(int year, int month, int day, int hour, int minute, int second,
                                         int isDst = -1);

// strftime of the local time of the value; empty when the conversion fails or the
// text would exceed maxChars characters.
std::wstring FormatLocalTime(std::time_t value, std::wstring_view pattern, std::size_t maxChars = 128);

}  // namespace platform

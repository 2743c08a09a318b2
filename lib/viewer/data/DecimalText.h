#pragma once
// Numbers in the viewer's texts (settings, marks, value texts), read and written the
// way the C formatted-input and -output functions do, but without the locale and
// without undefined results: a number beyond its range is no number.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tracelume {

// Reads leading white space, an optional sign and at least one decimal digit from
// the front of the text and drops what it read; the rest of the text stays. Nothing
// (and the text untouched) when there is no digit or the number is outside
// [lowest, highest].
std::optional<std::int64_t> ScanSigned(std::wstring_view& text, std::int64_t lowest, std::int64_t highest);
// The same for an unsigned number up to highest. Like "%u", a minus sign wraps:
// "-1" reads highest.
std::optional<std::uint64_t> ScanUnsigned(std::wstring_view& text, std::uint64_t highest);

// "%.*f" of the value with 0 to 20 decimals (other counts are brought into that
// range); "inf", "-inf" and "nan" for what is not a finite number.
std::wstring FixedText(double value, int decimals);

}  // namespace tracelume

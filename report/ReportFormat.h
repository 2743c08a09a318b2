#pragma once
// Texts of the report pictures: numbers with a fixed number of decimals (whatever
// the locale), the "-0" fix-up of value texts, counts put into language texts, and
// the date and time labels of the chart axes.

#include <cstdint>
#include <initializer_list>
#include <string>

namespace report {

// The value with that many decimals ("%.Nf"); "--" for a value that is not finite.
std::wstring FormatFixed(double value, int decimals);
// "-0", "-0.0", "-0.000" and the like lose their sign: a value that rounds to zero
// is shown as zero.
std::wstring FixNegativeZero(std::wstring text);
// A chart value: three decimals, without a negative zero.
std::wstring ValueText(double value);
// The pattern with its "%d" and "%u" replaced, in order, by the numbers; any other
// '%' sequence is kept as it is, so a language text cannot make it read arguments
// it was not given.
std::wstring FormatCounts(const std::wstring& pattern, std::initializer_list<long long> numbers);

// Local-time labels of a 64-bit time value; zeros for a time the calendar cannot show.
// "MM/DD\r\nhh:mm:ss"
std::wstring AxisTimeLabel(std::int64_t time);
// "YYYY/MM/DD hh:mm:ss"
std::wstring DateTimeText(std::int64_t time);
// "YYYY/MM/DD"
std::wstring DateText(std::int64_t time);

}  // namespace report

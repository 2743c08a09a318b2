#pragma once
// Numeric helpers of the charts and reports: the 32-bit fixed-point display
// position of a value, integer powers, rounding half up at a decimal place and
// reading and writing a number as text whatever the locale.

#include <cstdint>
#include <string>
#include <string_view>

// (value - minimum) * 2^32 / (maximum - minimum) + 0.5, truncated toward zero.
// A result that is not a number or lies outside the signed 64-bit range gives the
// most negative value. Returns 1.
int ScaleToFixedPoint(double value, double minimum, double maximum, std::int64_t& result);

// base to the power exponent by repeated squaring; a negative exponent gives the reciprocal.
double PowInt(double base, int exponent);

// Rounds half up at the given decimal place (1 to 20; other counts are brought into
// that range).
double RoundToDecimals(double value, int decimals);

// The decimal floating-point value of the number a text starts with (after white
// space), independent of the locale: 0 when it starts with none; too large a number
// gives an infinity and too small a one zero, each with its sign.
double ParseLeadingDouble(std::wstring_view text);

// The value with that many decimals (0 to 17), rounded to nearest as printf's "%.*f"
// does, with a full stop whatever the locale; "nan", "inf" or "-inf" for a value
// that is not finite.
std::wstring FormatFixed(double value, int decimals);

#pragma once
// Numeric helpers of the charts and reports: the 32-bit fixed-point display
// position of a value, integer powers and rounding half up at a decimal place.

#include <cstdint>

// (value - minimum) * 2^32 / (maximum - minimum) + 0.5, truncated toward zero.
// A result that is not a number or lies outside the signed 64-bit range gives the
// most negative value. Returns 1.
int ScaleToFixedPoint(double value, double minimum, double maximum, std::int64_t& result);

// base to the power exponent by repeated squaring; a negative exponent gives the reciprocal.
double PowInt(double base, int exponent);

// Rounds half up at the given decimal place (1 to 20; other counts are brought into
// that range).
double RoundToDecimals(double value, int decimals);

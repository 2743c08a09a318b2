#pragma once
// The viewer's shared text formats: times, engineering magnitudes and colours. The
// ruler, mark bar, navigator, tooltips, marks dialog and waveform control all show
// their numbers through these. Each formatter returns 1 when it wrote the text and
// 0, leaving the text as it was, when the value needs more than four steps of 1000
// (or is not a finite number); callers then show their own fallback.

#include <cstdint>
#include <string>
#include <string_view>

namespace tracelume {

// Seconds with three decimals in "s", "ms", "us", "ns" or "ps", chosen by magnitude.
int FormatSeconds(double seconds, std::wstring& text);
// Seconds as FormatSeconds chooses the unit, with the decimals the resolution asks
// for (at least three).
int FormatTimeWithPrecision(double seconds, float resolution, std::wstring& text);
// A magnitude as "%.3f", "%.3fK", "%.4fM", "%.6fG" or "%.9fT".
int FormatEngineering(double value, std::wstring& text);

// "red;green;blue" in decimal to a COLORREF (red in the low byte); a missing
// component is 255, and each keeps its low 8 bits.
std::uint32_t ParseColor(std::wstring_view text);
// The same form, written: "%d;%d;%d".
std::wstring ColorText(std::uint32_t colorRef);

}  // namespace tracelume

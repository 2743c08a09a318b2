#pragma once
// What a row's value texts are made of: unit names, the unit prefix a row shares for
// all its values, and the digital forms of a raw sample (hex, binary, octal,
// decimal, ASCII names, chart).

#include <cstdint>
#include <string>

namespace tracelume {

// Numeric bases of a row, in the order of the bus-row choice "Hex;Binary;Octal;Decimal;Ascii;Chart".
enum RowBase : int { kBaseHex = 0, kBaseBinary = 1, kBaseOctal = 2, kBaseDecimal = 3, kBaseAscii = 4, kBaseChart = 5 };

// The unit appended to a row's values (index 1 to 19); empty for 0 and unknown indexes.
std::wstring UnitText(int unit);

// A unit prefix: values are multiplied by the multiplier and followed by the text.
struct UnitPrefix {
    double multiplier = 1.0;
    std::wstring text;  // " m", " k" or empty
};
// The prefix by unit when both magnitudes call for it: milli for seconds and
// amperes below 1; kilo for metres and volts above 1000, else milli below 1; kilo
// for watts and the volt-ampere units above 1000; none otherwise.
UnitPrefix ChoosePrefix(int unit, double magnitudeA, double magnitudeB);

// Drops a leading "-" when nothing after it is a non-zero digit ("-0.000" reads "0.000").
void DropLoneMinus(std::wstring& text);
// True when the text holds no digit other than 0 (signs and points aside).
bool ShowsOnlyZeros(const std::wstring& text);

// The digital text of a raw sample in the row's base, padded to the bit width and
// grouped ("00AB H", "0000 0101 B", "98,765", "A", "[133]").
std::wstring DigitalText(std::int64_t raw, int base, int bits);

}  // namespace tracelume

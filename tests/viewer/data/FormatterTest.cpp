#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>

#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/TextFormats.h"
#include "lib/viewer/data/ValueText.h"
#include "platform/base/Encoding.h"

namespace {

const std::wstring kRefused = L"(refused)";

std::wstring Seconds(double seconds) {
    std::wstring text = kRefused;
    return tracelume::FormatSeconds(seconds, text) != 0 ? text : kRefused;
}

std::wstring Precise(double seconds, float resolution) {
    std::wstring text = kRefused;
    return tracelume::FormatTimeWithPrecision(seconds, resolution, text) != 0 ? text : kRefused;
}

std::wstring Engineering(double value) {
    std::wstring text = kRefused;
    return tracelume::FormatEngineering(value, text) != 0 ? text : kRefused;
}

// The raw sample of an engineering value on a row whose raw 0 is zero and 2^bits full.
std::int64_t RawOf(double value, double zero, double full, int bits = 32) {
    return std::llround((value - zero) / (full - zero) * std::ldexp(1.0, bits));
}

struct RowSetup {
    int bits = 32;
    int base = tracelume::kBaseHex;
    double zero = 0;
    double full = 0;
    int unit = 0;
    int decimals = 3;
};

std::wstring RowValue(const RowSetup& setup, std::int64_t raw) {
    CRowItem row;
    row.SetBitWidth(setup.bits);
    row.SetBase(setup.base);
    row.SetRange(setup.zero, setup.full, setup.unit, setup.decimals);
    return row.FormatValue(raw);
}

std::wstring RowValueAt(const RowSetup& setup, std::int64_t raw, std::int64_t reference) {
    CRowItem row;
    row.SetBitWidth(setup.bits);
    row.SetRange(setup.zero, setup.full, setup.unit, setup.decimals);
    int twoDecimals = -1;
    const std::wstring text = row.FormatValueAt(raw, reference, &twoDecimals);
    return text + L" [" + std::to_wstring(twoDecimals) + L"]";
}

TEST(FormatterTest, TextsOfTimesMagnitudesColoursAndRowValues) {
    const RowSetup kilovolts{32, 0, 0, 2000, 3, 3};
    const RowSetup millivolts{32, 0, 0, 0.8, 3, 3};
    const RowSetup volts{32, 0, 0, 100, 3, 3};
    const RowSetup plain{32, 0, 0, 100, 0, 3};
    struct Case {
        const char* name;
        std::function<std::wstring()> format;
        std::wstring expected;
    };
    const Case cases[] = {
        {"seconds: 1.5 ms", [] { return Seconds(0.0015); }, L"1.500ms"},
        {"seconds: negative", [] { return Seconds(-2.5); }, L"-2.500s"},
        {"seconds: zero", [] { return Seconds(0); }, L"0.000s"},
        {"seconds: picoseconds", [] { return Seconds(2e-12); }, L"2.000ps"},
        {"seconds: below picoseconds refused", [] { return Seconds(1e-15); }, kRefused},
        {"seconds: not a number refused", [] { return Seconds(NAN); }, kRefused},
        {"precise: microsecond resolution", [] { return Precise(1.5, 1e-6f); }, L"1.500s"},
        {"precise: milliseconds", [] { return Precise(0.0015, 1e-6f); }, L"1.500ms"},
        {"precise: coarse resolution", [] { return Precise(2, 1e4f); }, L"2.00000s"},
        {"precise: no resolution", [] { return Precise(2, 0); }, L"2.000s"},
        {"precise: refused", [] { return Precise(-1e-16, 1e-6f); }, kRefused},
        {"engineering: kilo", [] { return Engineering(1500); }, L"1.500K"},
        {"engineering: giga", [] { return Engineering(2.5e9); }, L"2.500000G"},
        {"engineering: plain", [] { return Engineering(999); }, L"999.000"},
        {"engineering: negative mega", [] { return Engineering(-1.5e6); }, L"-1.5000M"},
        {"engineering: tera", [] { return Engineering(3e12); }, L"3.000000000T"},
        {"engineering: beyond tera refused", [] { return Engineering(1e15); }, kRefused},
        {"colour: blue missing", [] { return tracelume::ColorText(tracelume::ParseColor(L"10;20")); }, L"10;20;255"},
        {"colour: low bytes", [] { return tracelume::ColorText(tracelume::ParseColor(L"-1;256;7")); }, L"255;0;7"},
        {"colour: no number", [] { return tracelume::ColorText(tracelume::ParseColor(L"red")); }, L"255;255;255"},
        {"colour: space before separator stops", [] { return tracelume::ColorText(tracelume::ParseColor(L"1 ;2;3")); },
         L"1;255;255"},
        {"hex 16 bits", [] { return RowValue({16, tracelume::kBaseHex}, 0xAB); }, L"00AB H"},
        {"hex 64 bits", [] { return RowValue({64, tracelume::kBaseHex}, -1); }, L"FFFFFFFF FFFFFFFF H"},
        {"binary 8 bits", [] { return RowValue({8, tracelume::kBaseBinary}, 5); }, L"0000 0101 B"},
        {"octal 9 bits", [] { return RowValue({9, tracelume::kBaseOctal}, 8); }, L"010 O"},
        {"decimal grouped", [] { return RowValue({32, tracelume::kBaseDecimal}, 98765); }, L"98,765"},
        {"ascii letter", [] { return RowValue({8, tracelume::kBaseAscii}, 65); }, L"A"},
        {"ascii high bit", [] { return RowValue({8, tracelume::kBaseAscii}, 0x85); }, L"[133]"},
        {"ascii control", [] { return RowValue({8, tracelume::kBaseAscii}, 10); }, L"LF"},
        {"ascii space", [] { return RowValue({8, tracelume::kBaseAscii}, 32); }, L"(space)"},
        {"ascii delete", [] { return RowValue({8, tracelume::kBaseAscii}, 127); }, L"DEL"},
        {"chart", [] { return RowValue({32, tracelume::kBaseChart}, 0xABC); }, L"ABC"},
        {"kilovolts 1500", [&] { return RowValue(kilovolts, RawOf(1500, 0, 2000)); }, L"1.500 kV"},
        {"kilovolts 400", [&] { return RowValue(kilovolts, RawOf(400, 0, 2000)); }, L"0.400 kV"},
        {"millivolts", [&] { return RowValue(millivolts, RawOf(0.5, 0, 0.8)); }, L"500.000 mV"},
        {"no unit", [&] { return RowValue(plain, RawOf(12, 0, 100)); }, L"12.000 "},
        {"small value gets a decimal", [&] { return RowValue(volts, RawOf(0.0004, 0, 100)); }, L"0.0004 V"},
        {"small negative value alike", [&] { return RowValue(volts, RawOf(-0.0004, 0, 100)); }, L"-0.0004 V"},
        {"negative zero loses its sign", [&] { return RowValue(volts, RawOf(-0.000001, 0, 100)); }, L"0.000 V"},
        {"range over 64 bits", [] { return RowValue({64, 0, 0, 100, 3, 3}, std::int64_t{1} << 62); }, L"25.000 V"},
        {"no range: digital", [] { return RowValue({16, tracelume::kBaseHex, 5, 5 + 1e-10, 3, 3}, 0xAB); },
         L"00AB H"},
        {"value at: kilo for a large span",
         [&] { return RowValueAt(kilovolts, RawOf(1500, 0, 2000), RawOf(1500, 0, 2000)); }, L"2 kV [0]"},
        {"value at: two decimals for a small span",
         [&] { return RowValueAt(kilovolts, RawOf(1500, 0, 2000), RawOf(0.5, 0, 2000)); }, L"1500.00 V [1]"},
        {"value at: milli when both small",
         [&] { return RowValueAt(millivolts, RawOf(0.5, 0, 0.8), RawOf(0.25, 0, 0.8)); }, L"500 mV [0]"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::WideToUtf8(c.format()), platform::WideToUtf8(c.expected)) << c.name;
    }
}

}  // namespace

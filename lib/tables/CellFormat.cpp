#include "lib/tables/CellFormat.h"

#include <bit>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>

#include "platform/base/LocalTime.h"

namespace tabulist {

namespace {

constexpr std::int64_t kNanosPerSecond = 1'000'000'000;
constexpr std::int64_t kSecondsPerDay = 86'400;
constexpr char kSpaces[] = "                ";
static_assert(sizeof kSpaces == kCellWidth + 1);

constexpr char kTwoDigits[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

char* WriteTwoDigits(unsigned value, char* out) {
    std::memcpy(out, kTwoDigits + 2 * value, 2);
    return out + 2;
}

char* WriteThreeDigits(unsigned value, char* out) {
    *out = static_cast<char>('0' + value / 100);
    return WriteTwoDigits(value % 100, out + 1);
}

// Decimal digits of a value below 10^19 (at least one).
[[gnu::always_inline]] inline unsigned DigitCount(std::uint64_t value) {
    static constexpr std::uint64_t kPowers[] = {1ull,
                                                10ull,
                                                100ull,
                                                1000ull,
                                                10000ull,
                                                100000ull,
                                                1000000ull,
                                                10000000ull,
                                                100000000ull,
                                                1000000000ull,
                                                10000000000ull,
                                                100000000000ull,
                                                1000000000000ull,
                                                10000000000000ull,
                                                100000000000000ull,
                                                1000000000000000ull,
                                                10000000000000000ull,
                                                100000000000000000ull,
                                                1000000000000000000ull};
    if (value < 10) {
        return 1;
    }
    const auto bits = static_cast<unsigned>(64 - std::countl_zero(value));
    const unsigned guess = bits * 1233 >> 12;  // log10(2) = 1233 / 4096
    return guess + 1 - (value < kPowers[guess] ? 1 : 0);
}

// Writes the digits of a value backwards, ending just before `end`.
template <typename Unsigned>
[[gnu::always_inline]] inline void WriteDigitsBackwards(Unsigned value, char* end) {
    while (value >= 100) {
        end -= 2;
        WriteTwoDigits(static_cast<unsigned>(value % 100), end);
        value /= 100;
    }
    if (value >= 10) {
        WriteTwoDigits(static_cast<unsigned>(value), end - 2);
    } else {
        end[-1] = static_cast<char>('0' + value);
    }
}

char* Fallback(float value, char* out) {
    const int length = std::snprintf(out, kFixed3MaxBytes, "%.3f", static_cast<double>(value));
    return out + (length < 0 ? 0 : length);
}

using Fields = CRowTimeFormat::Fields;

Fields FromTm(const std::tm& tm) {
    return {tm.tm_year + 1900, static_cast<unsigned>(tm.tm_mon + 1), static_cast<unsigned>(tm.tm_mday),
            static_cast<unsigned>(tm.tm_hour), static_cast<unsigned>(tm.tm_min), static_cast<unsigned>(tm.tm_sec)};
}

// How far the local calendar reading of a moment is from its UTC reading.
std::optional<std::int64_t> LocalOffset(std::int64_t seconds) {
    const auto local = platform::ToLocalTime(static_cast<std::time_t>(seconds));
    if (!local) {
        return std::nullopt;
    }
    const Fields f = FromTm(*local);
    const std::chrono::sys_days date = std::chrono::year{f.year} / std::chrono::month{f.month} / std::chrono::day{f.day};
    const std::int64_t reading =
        date.time_since_epoch().count() * kSecondsPerDay + f.hour * 3600 + f.minute * 60 + f.second;
    return reading - seconds;
}

// A value in thousandths, ready to write: sign, whole part, three decimals.
struct Fixed3 {
    bool negative;
    std::uint64_t whole;
    unsigned thousandths;
    std::size_t length;
};

// Nothing for infinities, NaNs and values of 2^63 thousandths or more, which
// printf itself writes.
[[gnu::always_inline]] inline std::optional<Fixed3> Split(float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    const bool negative = (bits >> 31) != 0;
    const unsigned exponentBits = (bits >> 23) & 0xFF;
    const std::uint32_t fraction = bits & 0x7FFFFF;
    if (exponentBits == 0xFF) {
        return std::nullopt;
    }
    // value = mantissa * 2^exponent exactly; thousandths = mantissa * 1000 * 2^exponent.
    const std::uint64_t mantissa = exponentBits == 0 ? fraction : (fraction | 0x800000u);
    const int exponent = exponentBits == 0 ? -149 : static_cast<int>(exponentBits) - 150;
    const std::uint64_t scaled = mantissa * 1000;  // below 2^34
    std::uint64_t thousandths = 0;
    if (exponent >= 0) {
        if (exponent > 29) {
            return std::nullopt;
        }
        thousandths = scaled << exponent;
    } else if (exponent > -35) {
        const int shift = -exponent;
        thousandths = scaled >> shift;
        const std::uint64_t remainder = scaled & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        // Branch-free: whether a value rounds up is as good as random.
        thousandths += static_cast<std::uint64_t>(remainder > half) |
                       (static_cast<std::uint64_t>(remainder == half) & (thousandths & 1));
    }
    // else: less than half a thousandth, which rounds to zero.
    const std::uint64_t whole = thousandths / 1000;
    return Fixed3{negative, whole, static_cast<unsigned>(thousandths - whole * 1000),
                  (negative ? 1u : 0u) + DigitCount(whole) + 4};
}

[[gnu::always_inline]] inline char* Emit(const Fixed3& value, char* out) {
    if (value.negative) {
        *out = '-';
    }
    char* end = out + value.length;
    WriteThreeDigits(value.thousandths, end - 3);
    end[-4] = '.';
    // Most values have a whole part that fits 32 bits, whose divisions are cheaper.
    if (value.whole <= UINT32_MAX) {
        WriteDigitsBackwards(static_cast<std::uint32_t>(value.whole), end - 4);
    } else {
        WriteDigitsBackwards(value.whole, end - 4);
    }
    return end;
}

}  // namespace

char* WriteFixed3(float value, char* out) {
    const std::optional<Fixed3> split = Split(value);
    return split ? Emit(*split, out) : Fallback(value, out);
}

char* WriteFixed3Aligned(float value, char* out) {
    const std::optional<Fixed3> split = Split(value);
    if (!split) {
        char cell[kFixed3MaxBytes];
        return WriteAligned(cell, static_cast<std::size_t>(Fallback(value, cell) - cell), out);
    }
    if (split->length < kCellWidth) {
        std::memcpy(out, kSpaces, kCellWidth);
        return Emit(*split, out + kCellWidth - split->length);
    }
    *out = ' ';
    return Emit(*split, out + 1);
}

char* WriteAligned(const char* text, std::size_t length, char* out) {
    if (length < kCellWidth) {
        std::memcpy(out, kSpaces, kCellWidth - length);
        out += kCellWidth - length;
    } else {
        *out++ = ' ';
    }
    std::memcpy(out, text, length);
    return out + length;
}

bool CRowTimeFormat::Calendar(std::int64_t seconds) {
    const std::int64_t hour = seconds / 3600;
    if (hour != m_hour) {
        // An offset that is the same at both ends of the hour holds for all of it:
        // offsets change at most a few times a year, never twice within an hour.
        const auto first = LocalOffset(hour * 3600);
        const auto last = LocalOffset(hour * 3600 + 3599);
        m_hour = hour;
        m_hourOffsetKnown = first && last && *first == *last;
        m_hourOffset = first.value_or(0);
    }
    Fields f{};
    if (m_hourOffsetKnown) {
        const std::int64_t local = seconds + m_hourOffset;
        const std::int64_t day = local >= 0 ? local / kSecondsPerDay : (local - kSecondsPerDay + 1) / kSecondsPerDay;
        const auto inDay = static_cast<unsigned>(local - day * kSecondsPerDay);
        if (day != m_day) {
            const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{day}}};
            f = {static_cast<int>(date.year()), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                 0, 0, 0};
            if (!WriteDate(f)) {
                return false;
            }
            m_day = day;
        }
        WriteClock(inDay / 3600, inDay / 60 % 60, inDay % 60);
        return true;
    }
    const auto local = platform::ToLocalTime(static_cast<std::time_t>(seconds));
    if (!local) {
        return false;
    }
    f = FromTm(*local);
    m_day = kNoDay;
    if (!WriteDate(f)) {
        return false;
    }
    WriteClock(f.hour, f.minute, f.second);
    return true;
}

bool CRowTimeFormat::WriteDate(const Fields& f) {
    if (f.year < 0 || f.year > 9999) {
        return false;
    }
    char* out = m_calendar;
    out = WriteTwoDigits(static_cast<unsigned>(f.year) / 100, out);
    out = WriteTwoDigits(static_cast<unsigned>(f.year) % 100, out);
    *out++ = '-';
    out = WriteTwoDigits(f.month, out);
    *out++ = '-';
    out = WriteTwoDigits(f.day, out);
    *out = ' ';
    return true;
}

void CRowTimeFormat::WriteClock(unsigned hour, unsigned minute, unsigned second) {
    char* out = m_calendar + 11;
    out = WriteTwoDigits(hour, out);
    *out++ = ':';
    out = WriteTwoDigits(minute, out);
    *out++ = ':';
    WriteTwoDigits(second, out);
}

char* CRowTimeFormat::Write(std::int64_t time, bool microseconds, char* out) {
    if (time <= 0) {
        return nullptr;
    }
    // Unsigned, so that rounding the largest times up cannot overflow.
    std::uint64_t shown = static_cast<std::uint64_t>(time);
    if (!microseconds && (shown % 1'000'000) / 1'000 >= 500) {
        shown += 500'000;
    }
    const auto seconds = static_cast<std::int64_t>(shown / kNanosPerSecond);
    if (seconds != m_seconds) {
        if (!Calendar(seconds)) {
            m_seconds = -1;
            return nullptr;
        }
        m_seconds = seconds;
    }
    *out++ = ' ';
    *out++ = ' ';
    std::memcpy(out, m_calendar, sizeof m_calendar);
    out += sizeof m_calendar;
    *out++ = '.';
    out = WriteThreeDigits(static_cast<unsigned>(shown % kNanosPerSecond / 1'000'000), out);
    if (microseconds) {
        *out++ = '.';
        out = WriteThreeDigits(static_cast<unsigned>(time % 1'000'000 / 1'000), out);
    }
    return out;
}

}  // namespace tabulist

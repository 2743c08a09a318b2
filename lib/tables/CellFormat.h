#pragma once
// The cells of a table row, written as printf would ("%.3f", "%04d-%02d-...") but
// without the locale and fast enough for tables of millions of rows. The writers
// take a pointer into a buffer with room enough and return the end of what they
// wrote.

#include <cstddef>
#include <cstdint>

namespace tabulist {

// Room for any float written with three decimals.
inline constexpr std::size_t kFixed3MaxBytes = 64;
// Room for a time cell.
inline constexpr std::size_t kTimeCellMaxBytes = 29;

// The width of a cell in the fixed-width form.
inline constexpr std::size_t kCellWidth = 16;

// The value as "%.3f" writes the float widened to double: correctly rounded, ties
// to even, "-0.000" for negative values that round to zero.
char* WriteFixed3(float value, char* out);

// The same right-aligned in kCellWidth bytes ("%16.3f"); a value that fills or
// overflows the width gets one space before it instead, so that it never runs into
// the cell before it.
char* WriteFixed3Aligned(float value, char* out);
// A text right-aligned the same way.
char* WriteAligned(const char* text, std::size_t length, char* out);

// The time cell of a row: two spaces, then the local calendar time
// "YYYY-MM-DD HH:MM:SS.mmm" and, with microseconds, ".uuu". Without microseconds the
// time is first brought to the nearest millisecond.
class CRowTimeFormat {
public:
    struct Fields {
        int year;
        unsigned month, day, hour, minute, second;
    };

    // Null when the time (nanoseconds since 1970 UTC) is not positive or has no
    // local calendar time.
    char* Write(std::int64_t time, bool microseconds, char* out);

private:
    bool Calendar(std::int64_t seconds);
    bool WriteDate(const Fields& fields);
    void WriteClock(unsigned hour, unsigned minute, unsigned second);

    static constexpr std::int64_t kNoDay = INT64_MIN;

    // The calendar text of the last second converted: consecutive rows mostly share it.
    std::int64_t m_seconds = -1;
    char m_calendar[19] = {};
    // The local day (days since 1970) whose date m_calendar holds.
    std::int64_t m_day = kNoDay;
    // The hour (of UTC seconds) whose offset from UTC is known to stay the same
    // throughout, so that its seconds need no call into the time zone data.
    std::int64_t m_hour = -1;
    bool m_hourOffsetKnown = false;
    std::int64_t m_hourOffset = 0;
};

}  // namespace tabulist

#pragma once
// A calendar time as the terminals store it: eight unsigned 16-bit words in the
// order year, month, day of week, day, hour, minute, second, milliseconds.

#include <cstdint>

struct SystemTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t dayOfWeek = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};

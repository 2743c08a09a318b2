#include "export/ExportSource.h"

#include <cwchar>

#include "platform/base/LocalTime.h"

std::optional<std::int64_t> ExportSource::StartNanoseconds() const
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    const int fields = std::swscanf(startTime.c_str(), L"%d-%d-%d %d:%d:%d.%d", &year, &month, &day, &hour, &minute,
                                    &second, &millisecond);
    if (fields < 6 || millisecond < 0 || millisecond > 999) {
        return std::nullopt;
    }
    // The text comes from the record's files: fields outside the calendar name no
    // time (and the extreme ones would overflow on the way to the C library).
    if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 60) {
        return std::nullopt;
    }
    const std::optional<std::time_t> seconds = platform::FromLocalTime(year, month, day, hour, minute, second);
    // Nanoseconds since 1970 must fit 64 bits (up to the year 2262).
    constexpr std::int64_t kLimit = 9'000'000'000;
    if (!seconds || *seconds > kLimit || *seconds < -kLimit) {
        return std::nullopt;
    }
    return (static_cast<std::int64_t>(*seconds) * 1000 + millisecond) * 1000000;
}

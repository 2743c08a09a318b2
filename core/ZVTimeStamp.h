#pragma once
// CZVTimeStamp: a local time as seconds since 1970-01-01 00:00 UTC with a
// sub-second part (milliseconds where it comes from a system time). Ordered by
// seconds, then by the sub-second part, so it keys the ordered event maps.

#include <cstdint>
#include <string>

#include "core/SystemTime.h"

class CZVTimeStamp {
public:
    CZVTimeStamp() = default;
    // Seconds from the local-time conversion of the fields (0 when they name no
    // representable time); isDst < 0 lets the library decide daylight saving.
    CZVTimeStamp(int year, int month, int day, int hour, int minute, int second, std::int32_t subSecond,
                 int isDst = -1);

    // Seconds from the record's date and time; a year before 1900 gives 0. The
    // sub-second part is kept.
    void FromSystemTime(const SystemTime& time, int isDst = -1);
    // The same, and the record's milliseconds become the sub-second part.
    void FromSystemTimeMs(const SystemTime& time, int isDst = -1);
    void Clear();

    // The seconds as local time through a wide strftime pattern ("%Y-%m-%d %H:%M:%S").
    std::wstring Format(const wchar_t* pattern) const;

    bool operator<(const CZVTimeStamp& other) const;
    bool operator==(const CZVTimeStamp& other) const = default;

    std::int64_t m_seconds = 0;
    std::int32_t m_subSecond = 0;
};

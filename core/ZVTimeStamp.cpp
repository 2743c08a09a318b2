#include "core/ZVTimeStamp.h"

#include "core/TimeText.h"
#include "platform/base/LocalTime.h"

namespace {

std::int64_t LocalSeconds(int year, int month, int day, int hour, int minute, int second, int isDst) {
    const auto value = platform::FromLocalTime(year, month, day, hour, minute, second, isDst);
    return value ? static_cast<std::int64_t>(*value) : 0;
}

}  // namespace

CZVTimeStamp::CZVTimeStamp(int year, int month, int day, int hour, int minute, int second, std::int32_t subSecond,
                           int isDst)
    : m_seconds(LocalSeconds(year, month, day, hour, minute, second, isDst)), m_subSecond(subSecond) {}

void CZVTimeStamp::FromSystemTime(const SystemTime& time, int isDst) {
    m_seconds = time.year < 1900
                    ? 0
                    : LocalSeconds(time.year, time.month, time.day, time.hour, time.minute, time.second, isDst);
}

void CZVTimeStamp::FromSystemTimeMs(const SystemTime& time, int isDst) {
    FromSystemTime(time, isDst);
    m_subSecond = time.milliseconds;
}

void CZVTimeStamp::Clear() {
    m_seconds = 0;
    m_subSecond = 0;
}

std::wstring CZVTimeStamp::Format(const wchar_t* pattern) const {
    return FormatTimeText(static_cast<std::time_t>(m_seconds), pattern);
}

bool CZVTimeStamp::operator<(const CZVTimeStamp& other) const {
    if (m_seconds != other.m_seconds) {
        return m_seconds < other.m_seconds;
    }
    return m_subSecond < other.m_subSecond;
}

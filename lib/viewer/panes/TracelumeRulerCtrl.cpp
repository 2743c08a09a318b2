#include "lib/viewer/panes/TracelumeRulerCtrl.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <optional>

#include "lib/viewer/data/TextFormats.h"
#include "platform/base/LocalTime.h"

namespace tracelume {

namespace {

// Labels stand ten ticks of ten pixels apart.
constexpr double kPixelsBetweenLabels = 100;

// The whole seconds of a time as a calendar time, and what is left over.
struct Calendar {
    std::optional<std::tm> local;
    std::time_t whole = 0;
    double fraction = 0;
};

Calendar ToCalendar(double seconds) {
    Calendar calendar;
    if (!std::isfinite(seconds) || std::fabs(seconds) > 9.0e15) {
        return calendar;
    }
    const double whole = std::floor(seconds);
    calendar.whole = static_cast<std::time_t>(whole);
    calendar.fraction = seconds - whole;
    calendar.local = platform::ToLocalTime(calendar.whole);
    return calendar;
}

// The same, with the fraction taken in whole microseconds: a time since 1970 holds
// no finer digits in a double, and the split stays exact.
Calendar ToCalendarMicroseconds(double seconds) {
    Calendar calendar;
    if (!std::isfinite(seconds) || std::fabs(seconds) > 9.0e12) {
        return calendar;
    }
    constexpr std::int64_t kPerSecond = 1000000;
    const auto micro = static_cast<std::int64_t>(std::llround(seconds * kPerSecond));
    std::int64_t whole = micro / kPerSecond;
    std::int64_t rest = micro % kPerSecond;
    if (rest < 0) {
        --whole;
        rest += kPerSecond;
    }
    calendar.whole = static_cast<std::time_t>(whole);
    calendar.fraction = static_cast<double>(rest) / kPerSecond;
    calendar.local = platform::ToLocalTime(calendar.whole);
    return calendar;
}

std::wstring Printed(const char* pattern, int a, int b, int c, int d = 0, int e = 0) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, a, b, c, d, e);
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

std::wstring Fraction(const Calendar& calendar) {
    std::wstring text;
    if (calendar.fraction > 1e-9 && FormatSeconds(calendar.fraction, text) != 0) {
        return L"+" + text;
    }
    return {};
}

}  // namespace

std::wstring CTracelumeRulerCtrl::GetTickLabel(std::int64_t index) {
    const double scale = m_scale ? m_scale() : 0;
    if (!(scale > 0)) {
        return {};
    }
    return FormatTickTime(static_cast<double>(index) * 10 / scale);
}

std::wstring CTracelumeRulerCtrl::Relative(double seconds) const {
    std::wstring text;
    FormatSeconds(m_timeOffset + seconds, text);
    return text;
}

std::wstring CTracelumeRulerCtrl::FormatTickTime(double seconds) const {
    if (!m_absolute) {
        std::wstring text;
        FormatTimeWithPrecision(m_timeOffset + seconds, static_cast<float>(m_precisionStep), text);
        return text;
    }
    const double scale = m_scale ? m_scale() : 0;
    if (scale > kPixelsBetweenLabels) {
        // Labels less than a second apart would all read the same second: the
        // second line carries the fraction, to the precision of the zoom.
        const Calendar calendar = ToCalendarMicroseconds(m_timeOffset + seconds);
        if (!calendar.local) {
            return Printed("%02d:%02d:%02d\n", -1, -1, -1);
        }
        const std::tm& t = *calendar.local;
        std::wstring fraction;
        FormatTimeWithPrecision(calendar.fraction, static_cast<float>(m_precisionStep), fraction);
        return Printed("%02d:%02d:%02d\n+", t.tm_hour, t.tm_min, t.tm_sec) + fraction;
    }
    const Calendar calendar = ToCalendar(m_timeOffset + seconds);
    if (!calendar.local) {
        return Printed("%02d/%02d\n %02d:%02d:%02d", 0, 0, -1, -1, -1);
    }
    const std::tm& t = *calendar.local;
    return Printed("%02d/%02d\n %02d:%02d:%02d", t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
}

std::wstring CTracelumeRulerCtrl::FormatTimeLabel(double seconds) const {
    if (!m_absolute) {
        return Relative(seconds);
    }
    const Calendar calendar = ToCalendar(m_timeOffset + seconds);
    if (!calendar.local) {
        return Printed("%02d:%02d:%02d", -1, -1, -1);
    }
    const std::tm& t = *calendar.local;
    return Printed("%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec) + Fraction(calendar);
}

std::wstring CTracelumeRulerCtrl::FormatDateTimeLabel(double seconds) const {
    if (!m_absolute) {
        return Relative(seconds);
    }
    const Calendar calendar = ToCalendar(m_timeOffset + seconds);
    if (!calendar.local) {
        return {};
    }
    return platform::FormatLocalTime(calendar.whole, L"%Y/%m/%d %H:%M:%S") + Fraction(calendar);
}

}  // namespace tracelume

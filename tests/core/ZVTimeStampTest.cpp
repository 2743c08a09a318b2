#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <map>
#include <string>

#include "core/TimeText.h"
#include "core/ZVTimeStamp.h"

namespace {

// 2026-12-09 10:15:00 in Shanghai (UTC+8, no daylight saving).
constexpr std::time_t kMorning = 1796782500;

class LocalTimeTest : public testing::Test {
protected:
    void SetUp() override {
        if (const char* tz = std::getenv("TZ")) {
            m_savedTz = tz;
        }
        setenv("TZ", "Asia/Shanghai", 1);
        tzset();
    }
    void TearDown() override {
        if (m_savedTz) {
            setenv("TZ", m_savedTz->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    std::optional<std::string> m_savedTz;
};

using TimeText = LocalTimeTest;
using ZVTimeStamp = LocalTimeTest;

TEST_F(TimeText, FormatsLocalTimeOrGivesNothing) {
    EXPECT_EQ(FormatTimeText(kMorning, L"%Y-%m-%d  %H:%M:%S >> "), L"2026-12-09  10:15:00 >> ");
    EXPECT_EQ(FormatTimeText(kMorning, "_%Y_%m_%d_%H_%M_%S"), L"_2026_12_09_10_15_00");
    EXPECT_EQ(FormatTimeText(kMorning, "%Y年%m月"), L"2026年12月");
    EXPECT_EQ(FormatTimeText(kMorning, static_cast<const wchar_t*>(nullptr)), L"");
    EXPECT_EQ(FormatTimeText(kMorning, static_cast<const char*>(nullptr)), L"");
    // 127 characters fit (with the terminator, 128); 128 do not.
    EXPECT_EQ(FormatTimeText(kMorning, std::wstring(127, L'x').c_str()).size(), 127U);
    EXPECT_EQ(FormatTimeText(kMorning, std::wstring(128, L'x').c_str()), L"");
}

TEST_F(ZVTimeStamp, BuildsFromLocalFieldsAndSystemTimes) {
    const CZVTimeStamp stamp(2026, 12, 9, 10, 15, 0, 250);
    EXPECT_EQ(stamp.m_seconds, kMorning);
    EXPECT_EQ(stamp.m_subSecond, 250);
    EXPECT_EQ(stamp.Format(L"%Y-%m-%d %H:%M:%S"), L"2026-12-09 10:15:00");

    SystemTime time;
    time.year = 2026;
    time.month = 12;
    time.day = 9;
    time.hour = 10;
    time.minute = 15;
    time.milliseconds = 999;
    CZVTimeStamp fromSystem = stamp;
    fromSystem.FromSystemTime(time);
    EXPECT_EQ(fromSystem.m_seconds, kMorning);
    EXPECT_EQ(fromSystem.m_subSecond, 250);  // kept
    fromSystem.FromSystemTimeMs(time);
    EXPECT_EQ(fromSystem.m_subSecond, 999);

    time.year = 1899;
    fromSystem.FromSystemTime(time);
    EXPECT_EQ(fromSystem.m_seconds, 0);
    EXPECT_EQ(fromSystem.m_subSecond, 999);

    fromSystem.Clear();
    EXPECT_EQ(fromSystem, CZVTimeStamp());
}

TEST_F(ZVTimeStamp, OrdersBySecondsThenBySignedSubSecond) {
    struct Case {
        std::int64_t seconds1;
        std::int32_t sub1;
        std::int64_t seconds2;
        std::int32_t sub2;
        bool less;
    };
    const Case cases[] = {
        {10, 5, 10, 7, true}, {10, 7, 10, 5, false}, {10, 5, 10, 5, false},
        {9, 999, 10, 0, true}, {10, -1, 10, 0, true}, {-5, 0, 0, 0, true},
    };
    for (const Case& c : cases) {
        CZVTimeStamp a;
        a.m_seconds = c.seconds1;
        a.m_subSecond = c.sub1;
        CZVTimeStamp b;
        b.m_seconds = c.seconds2;
        b.m_subSecond = c.sub2;
        EXPECT_EQ(a < b, c.less) << c.seconds1 << "." << c.sub1 << " < " << c.seconds2 << "." << c.sub2;
    }
    // Events in the same second keep their order as map keys.
    std::map<CZVTimeStamp, int> events;
    events[CZVTimeStamp(2026, 12, 9, 10, 15, 0, 7)] = 2;
    events[CZVTimeStamp(2026, 12, 9, 10, 15, 0, 5)] = 1;
    EXPECT_EQ(events.begin()->second, 1);
    EXPECT_EQ(events.size(), 2U);
}

}  // namespace

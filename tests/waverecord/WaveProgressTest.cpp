// Progress of an opening record: the pool's events and the viewer's progress as the
// busy indicator's captions and percentages (the headless indicator records them).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/Hourglaze.h"
#include "waverecord/TracelumeProgress.h"
#include "waverecord/WaveAnalysisCallBack.h"

namespace {

struct Event {
    int event, code;
    std::intptr_t data;
};

TEST(WaveAnalysisCallBack, SpreadsThePoolsChunksOverItsShare)
{
    struct Case {
        const char* name;
        double base, offset;
        std::vector<Event> events;
        double step;
        std::vector<double> positions;
    };
    const Case cases[] = {
        {"chunks, then a stage divided again, then a report", 20.0, 0.0,
         {{1005, 502, 4}, {1005, 508, 10}, {1005, 0, 6}}, 0.5, {3.0}},
        {"the whole record, from an offset", 20.0, 10.0, {{1005, 502, 5}, {1005, 0, 2}, {1005, 0, 5}}, 4.0,
         {18.0, 30.0}},
        {"another event changes nothing", 20.0, 0.0, {{1004, 502, 4}, {1006, 0, 3}}, 0.0, {}},
        {"a count of zero keeps the step", 20.0, 0.0, {{1005, 502, 4}, {1005, 502, 0}}, 5.0, {}},
        {"a second subdivision divides again", 20.0, 0.0, {{1005, 502, 2}, {1005, 508, 5}, {1005, 508, 2}}, 1.0, {}},
        {"a report of zero steps shows nothing", 20.0, 0.0, {{1005, 502, 2}, {1005, 0, 0}}, 10.0, {}},
        {"a report before any count stays at the offset", 20.0, 7.0, {{1005, 0, 3}}, 0.0, {7.0}},
        {"a negative count is a huge one", 20.0, 0.0, {{1005, 502, -1}}, 20.0 / 18446744073709551615.0, {}},
    };
    for (const Case& c : cases) {
        platform::HeadlessHourglaze().Reset();
        CWaveAnalysisCallBack callback;
        callback.SetBase(c.base);
        callback.SetOffset(c.offset);
        for (const Event& e : c.events) {
            EXPECT_EQ(callback.OnEvent(e.event, e.code, e.data), 1) << c.name;
        }
        EXPECT_DOUBLE_EQ(callback.GetStep(), c.step) << c.name;
        EXPECT_EQ(platform::HeadlessHourglaze().Get().positions, c.positions) << c.name;
    }
}

TEST(WaveAnalysisCallBack, ShowsTheStageCaption)
{
    platform::HeadlessHourglaze().Reset();
    CWaveAnalysisCallBack callback;
    const std::wstring text = L"正在统计谐波......";
    callback.OnEvent(1005, 509, reinterpret_cast<std::intptr_t>(text.c_str()));
    callback.OnEvent(1005, 509, 0);
    const std::vector<std::wstring> expected = {text};
    EXPECT_EQ(platform::HeadlessHourglaze().Get().notes, expected);
}

TEST(TracelumeProgress, MapsTheViewersStepsOntoItsSpan)
{
    struct Case {
        const char* name;
        int enabled;
        std::vector<std::pair<std::uintptr_t, std::intptr_t>> calls;  // code 118: (wParam, lParam)
        std::vector<double> positions;
    };
    const Case cases[] = {
        {"four steps over a span of 10 from 30", 1, {{4, 0}, {0, 1}, {0, 3}}, {32.5, 37.5}},
        {"a step before any count stays at the base", 1, {{0, 2}}, {30.0}},
        {"disabled: nothing moves", 0, {{4, 0}, {0, 1}}, {}},
    };
    for (const Case& c : cases) {
        platform::HeadlessHourglaze().Reset();
        CTracelumeProgress progress;
        progress.SetProgressBase(30.0);
        progress.SetProgressSpan(10.0);
        progress.SetOwnerState(c.enabled);
        for (const auto& [wParam, lParam] : c.calls) {
            EXPECT_EQ(progress.Notify(118, wParam, lParam), 0) << c.name;
        }
        EXPECT_EQ(platform::HeadlessHourglaze().Get().positions, c.positions) << c.name;
    }

    platform::HeadlessHourglaze().Reset();
    CTracelumeProgress other;
    other.SetOwnerState(1);
    EXPECT_EQ(other.Notify(117, 0, 4), 0);
    EXPECT_TRUE(platform::HeadlessHourglaze().Get().positions.empty()) << "only code 118 is progress";
}

}  // namespace

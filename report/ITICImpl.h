#pragma once
// CITICImpl: the ITIC (CBEMA) chart: the transient events of the COMTRADE records
// as points of duration (ms, logarithmic, 1 ms to 10^decades ms) against magnitude
// (% of the nominal voltage, 0 to 250 %) over the voltage-tolerance curve, with a
// legend counting all events and those above the upper curve. Events are kept one
// by one: two events of equal duration are two points and both are counted. An
// event without a usable duration (0 or less) or magnitude (not a number, as from
// a nominal voltage of 0) cannot be placed; it is left out of the chart and its
// counts and counted apart (GetLeftOutCount).
//
// The regions are closed at their limits: from 500 ms on the upper limit is 110 %,
// from 3 ms to below 500 ms 120 %, below 3 ms (10 - duration) x 20 %; the lower
// limit is 70 % from 20 ms to below 500 ms, 80 % from 500 ms to below 10 s and
// 90 % from 10 s on, as the curve is drawn.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/Context.h"
#include "platform/gfx/Recording.h"

struct CIticEvent {
    std::int32_t duration = 0;  // ms
    float magnitude = 0.0f;     // % of nominal
};

class CITICImpl {
public:
    enum class Region { Inside, Above, Below };

    static constexpr int kMinDecades = 4;

    // The axis caption of the time axis and of the magnitude axis, and the legend
    // words for the number of events and for those over the limit.
    CITICImpl(std::wstring xText, std::wstring yText, std::wstring eventNumText, std::wstring overText);

    // Mode 1: the number of events; mode 2: the number above the upper curve; any
    // other mode, or lists of other lengths, 0.
    int CountEvents(int mode, const std::vector<std::int32_t>& durations, const std::vector<float>& magnitudes) const;
    // Draws the chart into (0, 0, width, height) of the context, in its pixels; 1.
    int Draw(gfx::Context& dc, int width, int height);
    // The chart as a vector picture of width x height, for a report page.
    gfx::Recording DrawPicture(int width, int height);
    // Appends the events in order; true when the chart then holds at least one.
    bool AddEvents(const std::vector<CIticEvent>& events);
    // Widens the time axis so that the longest duration lies on it: 4 decades
    // (10 s) up to 10 s, and false; beyond, the decades up to the next power of
    // ten that reaches it, and true.
    bool GetDecade(std::int32_t longestDuration);
    void SetShowLabels(std::uint8_t flag) { m_ShowLabels = flag; }
    // Empties the event lists; 1.
    int Release();

    static Region Classify(std::int32_t duration, float magnitude);

    int GetDecades() const { return m_Decades; }
    const std::vector<std::int32_t>& GetDurations() const { return m_Durations; }
    const std::vector<float>& GetMagnitudes() const { return m_Magnitudes; }
    std::size_t GetLeftOutCount() const { return m_LeftOut; }
    std::int32_t GetLongestDuration() const;
    // The plot area of a drawing of width x height, and where an event lands in it
    // (top-left corner of its square; held to the plot area).
    static gfx::Rect PlotArea(int width, int height);
    gfx::Point EventPosition(const gfx::Rect& plot, std::int32_t duration, float magnitude) const;
    std::wstring LegendText() const;

private:
    double TimeX(const gfx::Rect& plot, double duration) const;
    static double MagnitudeY(const gfx::Rect& plot, double magnitude);
    void DrawAxes(gfx::Context& dc, const gfx::Rect& plot);
    void DrawCurve(gfx::Context& dc, const gfx::Rect& plot);

    std::vector<std::int32_t> m_Durations;
    std::vector<float> m_Magnitudes;
    int m_Decades = kMinDecades;
    std::uint8_t m_ShowLabels = 1;
    std::size_t m_LeftOut = 0;
    std::wstring m_XText;
    std::wstring m_YText;
    std::wstring m_EventNumText;
    std::wstring m_OverText;
};

#pragma once
// CTracelumeRulerCtrl: the viewer's time ruler. A tick's time is its content
// pixel divided by the waveform's zoom scale; it reads as a relative time with
// units, or, with the absolute-time flag, as the local calendar time of the time
// offset (seconds since 1970) plus that time. The ruler also formats the times of
// tooltips and of the view's time box.

#include <functional>
#include <string>

#include "lib/viewer/panes/BaseRulerCtrl.h"

namespace tracelume {

class CTracelumeRulerCtrl : public CBaseRulerCtrl {
public:
    // The waveform's zoom scale in pixels per second; none: labels stay empty.
    void SetScaleSource(std::function<double()> scale) { m_scale = std::move(scale); }

    void SetTimeOffset(double seconds) { m_timeOffset = seconds; }
    double GetTimeOffset() const { return m_timeOffset; }
    void SetAbsoluteTime(bool absolute) { m_absolute = absolute; }
    bool IsAbsoluteTime() const { return m_absolute; }
    // Sets the decimals of relative labels (larger: more decimals).
    void SetPrecisionStep(double step) { m_precisionStep = step; }
    void SetSampleRate(double rate) { m_sampleRate = rate; }
    double GetSampleRate() const { return m_sampleRate; }

    std::wstring GetTickLabel(std::int64_t index) override;
    // A tick's label: relative with the precision step, or "month/day\n hh:mm:ss";
    // with labels less than a second apart "hh:mm:ss\n+fraction", the fraction
    // with the precision step's decimals.
    std::wstring FormatTickTime(double seconds) const;
    // Tooltip times: relative, or "hh:mm:ss" with "+fraction" when it has one.
    std::wstring FormatTimeLabel(double seconds) const;
    // The time box: relative, or "yyyy/mm/dd hh:mm:ss" with "+fraction".
    std::wstring FormatDateTimeLabel(double seconds) const;

private:
    std::wstring Relative(double seconds) const;

    std::function<double()> m_scale;
    double m_timeOffset = 0;
    bool m_absolute = false;
    double m_precisionStep = 0;
    double m_sampleRate = 100000000.0;
};

}  // namespace tracelume

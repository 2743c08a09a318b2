#pragma once
// CWaveMarkCtrl: the viewer's mark bar along the waveform. Positions map to pixels
// through the waveform's time axis; the region marks "Begin" and "End" are drawn
// as triangles pointing into the region; mouse input goes on to the waveform
// control, so the bar behaves as a strip of the waveform.

#include <functional>

#include "lib/viewer/panes/BaseMarkCtrl.h"
#include "lib/viewer/panes/WaveScale.h"

namespace tracelume {

class CWaveMarkCtrl : public CBaseMarkCtrl {
public:
    void SetAxisSource(std::function<TimeAxis()> axis) { m_axis = std::move(axis); }
    // Receives the bar's mouse events in the waveform's client coordinates.
    void SetMouseTarget(std::function<void(const MouseEvent&)> target) { m_mouseTarget = std::move(target); }

    void DrawLabelBottom(gfx::Context& dc, const std::wstring& name, const gfx::Rect& box) override;
    double PositionToPixel(std::int64_t position) override;
    double PixelToPosition(double x) override;
    double PixelToTime(double x) override;
    double TimeToPixel(double seconds) override;

    void OnMouse(const MouseEvent& event) override;

private:
    TimeAxis Axis() const { return m_axis ? m_axis() : TimeAxis{}; }

    std::function<TimeAxis()> m_axis;
    std::function<void(const MouseEvent&)> m_mouseTarget;
};

}  // namespace tracelume

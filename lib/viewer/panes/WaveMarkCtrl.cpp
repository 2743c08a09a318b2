#include "lib/viewer/panes/WaveMarkCtrl.h"

namespace tracelume {

void CWaveMarkCtrl::DrawLabelBottom(gfx::Context& dc, const std::wstring& name, const gfx::Rect& box) {
    const double mid = (box.left + box.right) / 2;
    const double bottom = box.bottom;
    double tip = 0;
    if (name == L"Begin") {
        tip = mid + 8;
    } else if (name == L"End") {
        tip = mid - 8;
    } else {
        return;
    }
    const gfx::Point triangle[] = {{tip, bottom}, {mid, bottom - 8}, {mid, bottom + 8}};
    dc.Save();
    dc.SetPen({gfx::Color{255, 255, 0}, 1.0});
    dc.SetBrush(gfx::Color{255, 0, 0});
    dc.Polygon(triangle);
    dc.Restore();
}

double CWaveMarkCtrl::PositionToPixel(std::int64_t position) {
    return Axis().PixelOfSample(static_cast<double>(position));
}

double CWaveMarkCtrl::PixelToPosition(double x) { return Axis().SampleAtPixel(x); }

double CWaveMarkCtrl::PixelToTime(double x) { return Axis().TimeAtPixel(x); }

double CWaveMarkCtrl::TimeToPixel(double seconds) { return Axis().PixelOfTime(seconds); }

void CWaveMarkCtrl::OnMouse(const MouseEvent& event) {
    if (m_mouseTarget) {
        MouseEvent moved = event;
        moved.x += static_cast<int>(PlacedRect().left);
        moved.y += static_cast<int>(PlacedRect().top);
        m_mouseTarget(moved);
    }
}

}  // namespace tracelume

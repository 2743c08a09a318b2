#pragma once
// CBaseMarkCtrl: the marks of a mark store as labelled flags at their positions,
// with an arrow from a mark's reference mark to the mark that reads the time
// between them and the frequency it stands for. A specialisation supplies the
// mapping between positions, pixels and times and may draw labels its own way.
// The same drawing serves the waveform control, which shows the marks over its
// rows.

#include <cstdint>
#include <string>

#include "lib/viewer/panes/Pane.h"

class IMarkManager;

namespace tracelume {

class CBaseMarkCtrl : public CPane {
public:
    enum Placement { kRight = 0, kLeft = 1, kBottom = 2, kTop = 3 };

    CBaseMarkCtrl();

    void SetMarkSource(IMarkManager* marks) { m_marks = marks; }
    IMarkManager* GetMarkSource() const { return m_marks; }
    void SetPlacement(int placement) { m_placement = placement; }
    void SetPrecisionStep(double step) { m_precisionStep = step; }
    void EnableMarks(bool enable) { m_marksEnabled = enable; }

    // The face, then the marks when they are enabled.
    virtual void DrawMarks(gfx::Context& dc);
    // Every mark's label (and reference arrow) in the rectangle at a placement.
    void DrawMarkLabels(gfx::Context& dc, const gfx::Rect& client, int placement);
    virtual void DrawLabelRight(gfx::Context&, const std::wstring&, const gfx::Rect&) {}
    virtual void DrawLabelBottom(gfx::Context& dc, const std::wstring& name, const gfx::Rect& box);
    virtual void DrawLabelLeft(gfx::Context&, const std::wstring&, const gfx::Rect&) {}
    virtual void DrawLabelTop(gfx::Context& dc, const std::wstring& name, const gfx::Rect& box);
    virtual double PositionToPixel(std::int64_t position) = 0;
    virtual double PixelToPosition(double x) = 0;
    virtual double PixelToTime(double x) = 0;
    virtual double TimeToPixel(double seconds) = 0;

    // "t - r = d(f HZ)": the times of a mark and of its reference mark, their
    // difference and its frequency ("#" for no difference).
    std::wstring Readout(double markTime, double referenceTime) const;

    void OnPaint(gfx::Context& dc) override;

protected:
    gfx::Color m_background;
    gfx::Font m_font;

private:
    IMarkManager* m_marks = nullptr;
    int m_placement = kBottom;
    double m_precisionStep = 100000000.0;
    bool m_marksEnabled = false;
};

}  // namespace tracelume

#pragma once
// CNavigatorCtrl: the overview strip. Over the data area (the whole record) it
// shows the view area (the range the waveform can scroll through) with a grip at
// each end, the page area (what is on screen) and the marks as thin stripes.
// Dragging the view area or a grip changes the view range; a double click moves
// the page there. A specialisation connects the ranges to the waveform and says
// how a position reads.

#include <cstdint>
#include <string>

#include "lib/viewer/panes/Pane.h"

class IMarkManager;

namespace tracelume {

class CNavigatorCtrl : public CPane {
public:
    enum DragMode { kNoDrag = 0, kMoveView = 1, kStartGrip = 2, kEndGrip = 3 };

    CNavigatorCtrl();

    void SetDataRange(std::int64_t start, std::int64_t end);
    void SetViewRange(std::int64_t start, std::int64_t end);
    void SetPageRange(std::int64_t start, std::int64_t end);
    std::int64_t DataStart() const { return m_dataStart; }
    std::int64_t DataEnd() const { return m_dataEnd; }
    std::int64_t ViewStart() const { return m_viewStart; }
    std::int64_t ViewEnd() const { return m_viewEnd; }
    std::int64_t PageStart() const { return m_pageStart; }
    std::int64_t PageEnd() const { return m_pageEnd; }
    void SetMarkSource(IMarkManager* marks) { m_marks = marks; }
    int GetDragMode() const { return m_dragMode; }

    // The position under a point (not kept within the data).
    std::int64_t ValueAt(int x, int y) const;
    // The first mark within 3 pixels' worth of positions of the point; -1 for none.
    int FindMarkAt(int x, int y) const;
    gfx::Rect GetInnerRect() const;
    gfx::Rect GetViewRect() const;
    // At least 6 pixels along the axis.
    gfx::Rect GetPageRect() const;
    void GetGripRects(gfx::Rect& start, gfx::Rect& end) const;

    virtual void OnViewChanged(std::int64_t /*start*/, std::int64_t /*end*/) {}
    virtual void OnPageChanged(std::int64_t /*start*/, std::int64_t /*end*/) {}
    virtual void DrawNavigator(gfx::Context& dc);
    virtual void DrawMarks(gfx::Context& dc);
    virtual std::wstring FormatPosition(std::int64_t position) = 0;
    // The tip (HTML) at a point; empty where there is nothing to say.
    virtual std::wstring GetTipText(int x, int y);

    void OnPaint(gfx::Context& dc) override;
    void OnMouse(const MouseEvent& event) override;

private:
    bool Horizontal() const { return m_orientation >= 2; }
    // The pixel of a position along the axis.
    double Map(std::int64_t position) const;
    std::wstring AreaTip(const std::wstring& title, std::int64_t start, std::int64_t end, std::int64_t pointer);

    std::int64_t m_dataStart = 0;
    std::int64_t m_dataEnd = 1000;
    std::int64_t m_viewStart = 0;
    std::int64_t m_viewEnd = 100;
    std::int64_t m_pageStart = 50;
    std::int64_t m_pageEnd = 60;
    int m_orientation = 3;
    int m_dragMode = kNoDrag;
    gfx::Point m_press;
    std::int64_t m_pressValue = 0;
    gfx::Point m_last{-100, -100};
    IMarkManager* m_marks = nullptr;
};

}  // namespace tracelume

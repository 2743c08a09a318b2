#pragma once
// CPaneWindow: a real window showing one of the viewer's panes. It hands the pane
// its paint surface as a gfx context and its input as pane events, and carries out
// what the pane asks of a window (repaint, capture, cursor, timers, scroll bars,
// menus); the pane's tips show in the HTML tooltip balloon. The window is named after the pane's class so that a host or a
// test can find it among the viewer's windows.

#include <memory>
#include <string>

#include "lib/viewer/panes/Pane.h"
#include "lib/viewer/html/HtmlToolTip.h"
#include "platform/ui/CanvasWindow.h"

namespace tracelume {

class CPaneWindow final : public ui::CanvasWindow, public IPaneSurface {
public:
    CPaneWindow(CPane& pane, std::string name) : m_pane(pane), m_name(std::move(name)) {}
    ~CPaneWindow() override;

    // Made as a child of the parent window; the pane is attached.
    bool Create(wxWindow* parent, std::uint32_t canvasStyle);
    CPane& Pane() { return m_pane; }

    void Invalidate() override;
    void UpdateNow() override;
    void Place(const gfx::Rect& rect, bool visible) override;
    void SetCapture(bool capture) override;
    void SetCursor(int cursor) override;
    void SetFocus() override;
    bool HasFocus() override;
    void SetTimer(unsigned id, unsigned milliseconds) override;
    void KillTimer(unsigned id) override;
    void SetScrollBar(bool vertical, int range, int page, int position) override;
    void SetTipText(const std::wstring& html) override;
    gfx::Point ClientToScreen(gfx::Point point) override;
    bool IsControlDown() override;
    unsigned TrackMenu(const std::vector<MenuItem>& menu, int x, int y) override;

    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;

private:
    CPane& m_pane;
    std::string m_name;
    int m_cursor = -1;
    // The pane's current tip, and the balloon that shows it (made on first use).
    std::wstring m_tipHtml;
    std::unique_ptr<CHtmlToolTip> m_tip;
};

}  // namespace tracelume

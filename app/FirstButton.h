#pragma once
// CFirstButton: an owner-drawn button of the start page. It takes over the drawing
// of a button of the page's template and draws, by its style, a push button in a
// blue gradient (0), a link (1), a heading (2), a paragraph (3) or the version
// line (4), its caption aligned as set. The pointer over a button lights it; a
// push button or link held down shows pressed. Clicks reach the page as usual.

#include <string>

#include "platform/gfx/Context.h"
#include "platform/gfx/Geometry.h"

class wxWindow;

namespace ui {
class Dialog;
}

class CFirstButton {
public:
    // Alignments of the caption: near, centre, far.
    static constexpr int kNear = 0;
    static constexpr int kCentre = 1;
    static constexpr int kFar = 2;

    CFirstButton() = default;
    CFirstButton(const CFirstButton&) = delete;
    CFirstButton& operator=(const CFirstButton&) = delete;

    // Draws the page's button of that id from now on; false when there is none.
    bool SubclassDlgItem(unsigned id, ui::Dialog& page);
    void SetCaption(const std::wstring& caption, int lineAlign, int align);
    void SetStyle(int style);
    wxWindow* GetWx() const { return m_pButton; }
    const std::wstring& GetCaption() const { return m_Caption; }
    int GetStyle() const { return m_Style; }
    int IsHover() const { return m_IsHover; }
    int IsDown() const { return m_IsDown; }

    // Draws a button of the style into the rectangle; other styles draw nothing.
    // The caption's font is the face of language string 10223.
    static void DrawItem(gfx::Context& context, const gfx::Rect& rect, int style, const std::wstring& caption,
                         int lineAlign, int align, bool hover, bool down);
    // The width of the caption on one line in the style's font.
    static int CaptionWidth(const std::wstring& caption, int style);

private:
    void Repaint();

    int m_IsHover = 0;
    int m_IsDown = 0;
    std::wstring m_Caption;
    int m_LineAlign = kCentre;
    int m_Align = kCentre;
    int m_Style = 0;
    wxWindow* m_pButton = nullptr;
};

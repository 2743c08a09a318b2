#include "app/FirstButton.h"

#include <cmath>

#include "core/ZVResourceManager.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/OwnerDrawButton.h"

namespace {

constexpr unsigned kStringFontFace = 10223;

constexpr gfx::Color kPageFace{232, 242, 247};
constexpr gfx::Color kBorder{53, 137, 181};
constexpr gfx::Color kText{44, 94, 118};

struct Look {
    double points;
    bool bold;
    bool underline;
};

constexpr Look kLooks[] = {
    {10, true, false}, {10, true, true}, {12, false, false}, {9, false, false}, {11, true, false}};

gfx::Font StyleFont(int style) {
    const Look& look = kLooks[style];
    gfx::Font font =
        gfx::Font::FromPoints(CZVResourceManager::GetResourceManager()->LoadString(kStringFontFace), look.points);
    font.weight = look.bold ? 700 : 400;
    font.underline = look.underline;
    return font;
}

unsigned Alignment(int align, int lineAlign) {
    unsigned format = gfx::TextFormat::WordBreak;
    format |= align == CFirstButton::kCentre ? gfx::TextFormat::Center
              : align == CFirstButton::kFar  ? gfx::TextFormat::Right
                                             : gfx::TextFormat::Left;
    format |= lineAlign == CFirstButton::kCentre ? gfx::TextFormat::VCenter
              : lineAlign == CFirstButton::kFar  ? gfx::TextFormat::Bottom
                                                 : gfx::TextFormat::Top;
    return format;
}

}  // namespace

bool CFirstButton::SubclassDlgItem(unsigned id, ui::Dialog& page) {
    auto* button = page.GetItem<ui::OwnerDrawButton>(id);
    if (button == nullptr) {
        return false;
    }
    m_pButton = button;
    button->Bind(wxEVT_ENTER_WINDOW, [this](wxMouseEvent& event) {
        event.Skip();
        if (m_IsHover == 0) {
            m_IsHover = 1;
            Repaint();
        }
    });
    button->Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& event) {
        event.Skip();
        m_IsHover = 0;
        Repaint();
    });
    // Only the push buttons and links show a press.
    for (const auto type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_DCLICK, wxEVT_LEFT_UP}) {
        button->Bind(type, [this](wxMouseEvent& event) {
            event.Skip();
            if (m_Style != 0 && m_Style != 1) {
                return;
            }
            const int down = event.GetEventType() == wxEVT_LEFT_UP ? 0 : 1;
            if (down != m_IsDown) {
                m_IsDown = down;
                Repaint();
            }
        });
    }
    button->SetPaintHandler([this](cairo_t* target, int width, int height, const ui::OwnerDrawButton::State&) {
        gfx::Context context(target);
        DrawItem(context, gfx::Rect::FromSize(0, 0, width, height), m_Style, m_Caption, m_LineAlign, m_Align,
                 m_IsHover != 0, m_IsDown != 0);
    });
    return true;
}

void CFirstButton::SetCaption(const std::wstring& caption, int lineAlign, int align) {
    m_Caption = caption;
    m_LineAlign = lineAlign;
    m_Align = align;
    Repaint();
}

void CFirstButton::SetStyle(int style) {
    m_Style = style;
    Repaint();
}

void CFirstButton::Repaint() {
    if (m_pButton != nullptr) {
        m_pButton->Refresh();
    }
}

void CFirstButton::DrawItem(gfx::Context& context, const gfx::Rect& rect, int style, const std::wstring& caption,
                            int lineAlign, int align, bool hover, bool down) {
    if (style < 0 || style > 4) {
        return;
    }
    gfx::Color text = kText;
    if (style == 0) {
        gfx::Color top{218, 241, 252};
        gfx::Color bottom{108, 199, 242};
        if (down) {
            top = {75, 186, 239};
            bottom = {195, 232, 250};
            text = {40, 75, 111};
        } else if (hover) {
            top = {237, 249, 254};
            bottom = {143, 221, 243};
            text = {62, 117, 172};
        }
        context.FillRect(rect, gfx::Brush::Linear({rect.left, rect.top}, {rect.left, rect.bottom}, top, bottom));
        // The border's path runs just inside the edges (0.8 in at the sides, 0.5 at top
        // and bottom), so the top and bottom rows take it whole.
        cairo_t* cr = context.Cairo();
        cairo_save(cr);
        cairo_rectangle(cr, rect.left + 0.8, rect.top + 0.5, rect.Width() - 1.6, rect.Height() - 1.0);
        cairo_set_source_rgb(cr, kBorder.r / 255.0, kBorder.g / 255.0, kBorder.b / 255.0);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        cairo_restore(cr);
    } else {
        context.FillRect(rect, gfx::Brush(kPageFace));
        if (style == 1 && hover) {
            text = {53, 151, 204};
        }
    }
    context.SetFont(StyleFont(style));
    context.SetTextColor(text);
    gfx::Rect box = rect;
    context.DrawText(caption, box, Alignment(align, lineAlign));
}

int CFirstButton::CaptionWidth(const std::wstring& caption, int style) {
    if (style < 0 || style > 4) {
        return 0;
    }
    gfx::Bitmap scratch(1, 1);
    gfx::Context context(scratch);
    context.SetFont(StyleFont(style));
    return static_cast<int>(std::ceil(context.TextExtent(caption).width));
}

#include "controls/BalloonTip.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <wx/dcclient.h>
#include <wx/graphics.h>
#include <wx/popupwin.h>
#include <wx/utils.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"

namespace controls {
namespace {

constexpr gfx::Color kTipText{0, 0, 255};
constexpr gfx::Color kTipBackground{255, 255, 225};
constexpr gfx::Color kTipBorder{0, 0, 0};
constexpr int kPadding = 6;
constexpr int kTail = 8;          // height of the point above the box
constexpr int kTailOffset = 14;   // where the point sits along the top edge
constexpr int kCornerRadius = 8;
constexpr int kBelowPointer = 18;  // room for the pointer's own picture

gfx::Font TipFont() {
    gfx::Font font;
    font.height = -12;
    return font;
}

wxSize BalloonSize(const std::wstring& text) {
    gfx::Bitmap scratch(1, 1);
    gfx::Context measure(scratch);
    measure.SetFont(TipFont());
    gfx::Rect box{0, 0, 400, 0};
    measure.DrawText(text, box, gfx::TextFormat::CalcRect);
    return wxSize(static_cast<int>(std::ceil(box.Width())) + 2 * kPadding + 1,
                  static_cast<int>(std::ceil(box.Height())) + 2 * kPadding + kTail + 1);
}

}  // namespace

class BalloonTip::Popup : public wxPopupWindow {
public:
    explicit Popup(wxWindow* parent) : wxPopupWindow(parent, wxBORDER_NONE) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, &Popup::OnPaint, this);
    }

    void SetText(const std::wstring& text) {
        m_text = text;
        Refresh();
    }

private:
    void OnPaint(wxPaintEvent&) {
        wxPaintDC paint(this);
        wxGraphicsContext* graphics = paint.GetGraphicsContext();
        auto* cairo = graphics != nullptr ? static_cast<cairo_t*>(graphics->GetNativeContext()) : nullptr;
        if (cairo == nullptr) {
            return;
        }
        const wxSize size = GetClientSize();
        gfx::Context dc(cairo);
        dc.FillRect(gfx::Rect::FromSize(0, 0, size.x, size.y), kTipBackground);
        dc.SetPen(gfx::Pen{kTipBorder});
        dc.SetBrush(kTipBackground);
        const gfx::Rect box{0, kTail, double(size.x), double(size.y)};
        dc.RoundRectangle(box, 2 * kCornerRadius, 2 * kCornerRadius);
        const std::array tail{gfx::Point{kTailOffset, kTail + 1.0}, gfx::Point{kTailOffset, 0},
                              gfx::Point{kTailOffset + kTail, kTail + 1.0}};
        dc.SetPen(gfx::Pen{kTipBorder});
        dc.Polygon(tail);
        dc.SetFont(TipFont());
        dc.SetTextColor(kTipText);
        gfx::Rect text{kPadding, kTail + kPadding, size.x - double(kPadding), size.y - double(kPadding)};
        dc.DrawText(m_text, text, gfx::TextFormat::Left | gfx::TextFormat::Top);
    }

    std::wstring m_text;
};

BalloonTip::BalloonTip(wxWindow* owner) : m_owner(owner) {}

BalloonTip::~BalloonTip() {
    if (m_popup != nullptr) {
        m_popup->Unbind(wxEVT_DESTROY, &BalloonTip::OnPopupGone, this);
        m_popup->Destroy();
    }
}

void BalloonTip::OnPopupGone(wxWindowDestroyEvent& event) {
    event.Skip();
    if (event.GetEventObject() == m_popup) {
        m_popup = nullptr;
    }
}

void BalloonTip::SetText(const std::wstring& text) {
    m_text = text;
    if (text.empty()) {
        Hide();
        return;
    }
    if (m_popup == nullptr) {
        if (m_owner == nullptr) {
            return;
        }
        m_popup = new Popup(m_owner);
        m_popup->Bind(wxEVT_DESTROY, &BalloonTip::OnPopupGone, this);
    }
    m_popup->SetText(text);
    const wxPoint pointer = wxGetMousePosition();
    m_popup->SetSize(wxRect(wxPoint(pointer.x - kTailOffset, pointer.y + kBelowPointer), BalloonSize(text)));
    m_popup->Show();
}

void BalloonTip::Hide() {
    if (m_popup != nullptr) {
        m_popup->Hide();
    }
}

void BalloonTip::OwnerDestroyed() {
    if (m_popup != nullptr) {
        m_popup->Unbind(wxEVT_DESTROY, &BalloonTip::OnPopupGone, this);
        m_popup = nullptr;
    }
    m_owner = nullptr;
}

bool BalloonTip::IsShown() const { return m_popup != nullptr && m_popup->IsShown(); }

}  // namespace controls

#include "controls/ColorPopup.h"

#include <algorithm>

#include <wx/display.h>
#include <wx/window.h>

#include "controls/ControlTemplate.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/ColorChooser.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/MessageQueue.h"

namespace {

constexpr unsigned kTextDefault = 10320;
constexpr unsigned kTextMore = 10321;

}  // namespace

CColorPopup::CColorPopup() = default;

CColorPopup::~CColorPopup()
{
    m_watch.reset();
    DestroyWindow();
}

bool CColorPopup::Open(ui::Window* owner, const wxPoint& screenPoint, std::uint32_t current, std::uint32_t defaultColor)
{
    if (owner == nullptr || owner->GetWx() == nullptr) {
        return false;
    }
    if (!IsWindow()) {
        if (!CreatePopup(owner, 0, false)) {
            return false;
        }
        ui::RouteInputMessages(*this);
    }
    m_owner = owner;
    m_ownerSerial = ui::Window::SerialOf(owner);
    m_current = current;
    m_default = defaultColor;
    m_hover = {};
    const int width = controls::ColorPopupLayout::Width(), height = controls::ColorPopupLayout::Height();
    wxRect place(screenPoint, wxSize(width, height));
    const int display = wxDisplay::GetFromPoint(screenPoint);
    const wxRect screen = wxDisplay(display != wxNOT_FOUND ? static_cast<unsigned>(display) : 0u).GetGeometry();
    place.x = std::clamp(place.x, screen.x, std::max(screen.x, screen.GetRight() + 1 - width));
    place.y = std::clamp(place.y, screen.y, std::max(screen.y, screen.GetBottom() + 1 - height));
    Redraw();
    ShowAt(place);
    // A press outside closes the popup.
    m_watch = std::make_unique<ui::InputWatch>([this](wxWindow* target, const ui::InputMessage& input) {
        const bool press = input.message == ui::kMsgLButtonDown || input.message == ui::kMsgRButtonDown ||
                           input.message == ui::kMsgMButtonDown;
        if (press && target != GetWx() && IsOpen()) {
            ui::PostMessage(this, ui::kMsgClose, 0, 0);
        }
    });
    return true;
}

bool CColorPopup::IsOpen() const { return IsWindow() && GetWx()->IsShown(); }

void CColorPopup::Close()
{
    m_watch.reset();
    if (IsWindow()) {
        GetWx()->Hide();
    }
}

void CColorPopup::Redraw()
{
    gfx::Bitmap face(controls::ColorPopupLayout::Width(), controls::ColorPopupLayout::Height());
    {
        gfx::Context dc(face);
        controls::ColorPopupLayout::Draw(dc, m_current, m_default, m_hover, controls::LoadControlString(kTextDefault),
                                         controls::LoadControlString(kTextMore));
    }
    SetPicture(face.Surface());
}

void CColorPopup::Choose(const controls::ColorPopupHit& part)
{
    std::uint32_t chosen = 0;
    switch (part.part) {
    case controls::ColorPopupPart::None:
        return;
    case controls::ColorPopupPart::Default:
        chosen = m_default;
        break;
    case controls::ColorPopupPart::Swatch:
        chosen = controls::ColorPopupLayout::Swatches()[static_cast<std::size_t>(part.index)];
        break;
    case controls::ColorPopupPart::More: {
        Close();
        const std::optional<std::uint32_t> picked = ui::ChooseColor(m_owner, m_current, m_default);
        if (!picked) {
            return;
        }
        chosen = *picked;
        break;
    }
    }
    Close();
    if (m_owner != nullptr && ui::Window::SerialOf(m_owner) == m_ownerSerial) {
        ui::PostMessage(m_owner, kMsgColorPopupChosen, chosen, 0);
    }
}

ui::LResult CColorPopup::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam)
{
    switch (message) {
    case ui::kMsgMouseMove: {
        const controls::ColorPopupHit hover =
            controls::ColorPopupLayout::HitTest(ui::PointXFromLParam(lParam), ui::PointYFromLParam(lParam));
        if (!(hover == m_hover)) {
            m_hover = hover;
            Redraw();
        }
        return 0;
    }
    case ui::kMsgLButtonUp:
        Choose(controls::ColorPopupLayout::HitTest(ui::PointXFromLParam(lParam), ui::PointYFromLParam(lParam)));
        return 0;
    case ui::kMsgClose:
        Close();
        return 0;
    default:
        return ui::PopupWindow::WindowProc(message, wParam, lParam);
    }
}

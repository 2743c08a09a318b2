#include "platform/ui/PopupWindow.h"

#include <wx/dcclient.h>
#include <wx/graphics.h>
#include <wx/popupwin.h>
#include <wx/region.h>

namespace ui {

// The wx window; it owns the picture, so that a late paint never reaches a picture
// that is gone.
class PopupWindow::Surface : public wxPopupWindow {
public:
    ~Surface() override { SetPicture(nullptr); }

    void SetPicture(cairo_surface_t* picture) {
        if (picture != nullptr) {
            cairo_surface_reference(picture);
        }
        if (m_picture != nullptr) {
            cairo_surface_destroy(m_picture);
        }
        m_picture = picture;
    }

    bool Make(wxWindow* parent, bool translucent) {
        SetBackgroundStyle(translucent ? wxBG_STYLE_TRANSPARENT : wxBG_STYLE_PAINT);
        if (!Create(parent, wxBORDER_NONE | wxFRAME_SHAPED)) {
            return false;
        }
        Bind(wxEVT_PAINT, &Surface::OnPaint, this);
        return true;
    }

private:
    void OnPaint(wxPaintEvent&) {
        wxPaintDC dc(this);
        wxGraphicsContext* graphics = dc.GetGraphicsContext();
        auto* cr = graphics != nullptr ? static_cast<cairo_t*>(graphics->GetNativeContext()) : nullptr;
        if (cr == nullptr) {
            return;
        }
        // The picture replaces what was there, its alpha included.
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        if (m_picture != nullptr) {
            cairo_set_source_surface(cr, m_picture, 0, 0);
        } else {
            cairo_set_source_rgba(cr, 0, 0, 0, 0);
        }
        cairo_paint(cr);
        cairo_restore(cr);
    }

    cairo_surface_t* m_picture = nullptr;
};

bool PopupWindow::CreatePopup(Window* owner, unsigned id, bool translucent) {
    if (IsWindow() || owner == nullptr || owner->GetWx() == nullptr) {
        return false;
    }
    m_translucent = translucent && owner->GetWx()->IsTransparentBackgroundSupported();
    auto* surface = new Surface;
    if (!surface->Make(owner->GetWx(), m_translucent)) {
        delete surface;
        m_translucent = false;
        return false;
    }
    Attach(surface, id, true);
    return true;
}

void PopupWindow::SetShape(const std::vector<wxRect>& parts) {
    auto* surface = dynamic_cast<Surface*>(GetWx());
    if (surface == nullptr) {
        return;
    }
    wxRegion region;
    for (const wxRect& part : parts) {
        region.Union(part);
    }
    surface->SetShape(region);
}

void PopupWindow::SetPicture(cairo_surface_t* picture) {
    if (auto* surface = dynamic_cast<Surface*>(GetWx())) {
        surface->SetPicture(picture);
        Invalidate();
    }
}

void PopupWindow::ShowAt(const wxRect& screenRect) {
    if (GetWx() == nullptr) {
        return;
    }
    GetWx()->SetSize(screenRect);
    if (!GetWx()->IsShown()) {
        GetWx()->Show(true);
    }
    Invalidate();
}

void PopupWindow::SetCursorShape(PopupCursor cursor) {
    if (GetWx() != nullptr) {
        GetWx()->SetCursor(wxCursor(cursor == PopupCursor::Hand ? wxCURSOR_HAND : wxCURSOR_ARROW));
    }
}

}  // namespace ui

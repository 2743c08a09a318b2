#include "platform/ui/PropertySheet.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/listbox.h>

#include "platform/ui/DialogUnits.h"
#include "platform/ui/PropertyPage.h"

namespace ui {
namespace {

// Pixels between the sheet's edges and its parts, and between the parts.
constexpr int kMargin = 7;
constexpr int kGap = 7;
constexpr int kButtonGap = 6;
// Room beside the longest page name in the list (its padding and a scroll bar).
constexpr int kListPadding = 28;
// Sizes a button and the list keep at least, in dialog units.
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kListWidth = 60;

constexpr std::uint32_t kStylePopup = 0x80000000;

DialogTemplateInfo SheetTemplate(const std::wstring& caption) {
    DialogTemplateInfo info;
    info.style = kStylePopup | kStyleCaption | kStyleSysMenu | kDialogStyleSetFont;
    info.caption = caption;
    return info;
}

wxSize PixelSize(const DialogUnits& units, int cx, int cy) { return units.ToPixels(0, 0, cx, cy).GetSize(); }

}  // namespace

PropertySheet::PropertySheet(const std::wstring& caption) : Dialog(SheetTemplate(caption)) {}

PropertySheet::~PropertySheet() = default;

void PropertySheet::AddPage(PropertyPage* page) {
    if (page != nullptr) {
        m_pages.push_back(page);
    }
}

PropertyPage* PropertySheet::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<std::size_t>(index)] : nullptr;
}

wxButton* PropertySheet::GetButton(unsigned id) const {
    if (!IsWindow()) {
        return nullptr;
    }
    const auto found =
        std::find_if(m_buttons.begin(), m_buttons.end(), [id](const auto& button) { return button.first == id; });
    return found != m_buttons.end() ? found->second : nullptr;
}

bool PropertySheet::CreateButtons() { return true; }

bool PropertySheet::AddButton(const std::wstring& caption, unsigned id) {
    if (!IsWindow()) {
        return false;
    }
    auto* button = new wxButton(GetWx(), wxID_ANY, wxString(caption));
    button->Bind(wxEVT_BUTTON, [binding = Binding(), id](wxCommandEvent&) {
        if (Window* self = *binding) {
            self->WindowProc(kMsgCommand, MakeWParam(id, kNotifyClicked), 0);
        }
    });
    m_buttons.emplace_back(id, button);
    return true;
}

bool PropertySheet::OnInitDialog() {
    Dialog::OnInitDialog();
    m_buttons.clear();
    m_arrangedWidth = 0;
    m_active = -1;
    wxWindow* window = GetWx();
    // The list and the buttons speak in the pages' font.
    if (const DialogTemplateInfo* first = m_pages.empty() ? nullptr : m_pages.front()->GetTemplate()) {
        window->SetFont(MakeDialogFont(first->fontFace, first->fontSize));
    }
    m_list = new wxListBox(window, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
    for (const PropertyPage* page : m_pages) {
        m_list->Append(wxString(page->GetCaption()));
    }
    m_list->Bind(wxEVT_LISTBOX, [binding = Binding()](wxCommandEvent& event) {
        if (Window* self = *binding) {
            static_cast<PropertySheet*>(self)->SetActivePage(event.GetSelection());
        }
    });
    if (!CreateButtons()) {
        EndDialog(-1);
        return false;
    }
    m_pageArea = TemplatePageArea();
    Arrange();
    SetActivePage(0);
    static_cast<wxDialog*>(window)->CentreOnParent();
    return true;
}

bool PropertySheet::SetActivePage(int index) {
    PropertyPage* page = GetPage(index);
    if (page == nullptr || !IsWindow() || m_list == nullptr) {
        return false;
    }
    bool grown = false;
    if (!page->IsWindow()) {
        if (!page->Create(this)) {
            return false;
        }
        const wxSize size = page->GetWindowRect().GetSize();
        grown = size.x > m_pageArea.x || size.y > m_pageArea.y;
        m_pageArea.x = std::max(m_pageArea.x, size.x);
        m_pageArea.y = std::max(m_pageArea.y, size.y);
    }
    if (PropertyPage* shown = GetPage(m_active); shown != nullptr && shown != page && shown->IsWindow()) {
        shown->ShowWindow(kShowHide);
    }
    m_active = index;
    m_list->SetSelection(index);
    Arrange();
    if (grown) {
        KeepOnScreen();
    }
    page->ShowWindow(kShow);
    return true;
}

void PropertySheet::KeepOnScreen() {
    wxWindow* window = GetWx();
    const int display = wxDisplay::GetFromWindow(window);
    if (display == wxNOT_FOUND) {
        return;
    }
    const wxRect area = wxDisplay(static_cast<unsigned>(display)).GetClientArea();
    wxRect rect = window->GetRect();
    rect.x = std::max(area.x, std::min(rect.x, area.GetRight() + 1 - rect.width));
    rect.y = std::max(area.y, std::min(rect.y, area.GetBottom() + 1 - rect.height));
    window->Move(rect.GetPosition());
}

wxSize PropertySheet::TemplatePageArea() const {
    wxSize area(0, 0);
    for (const PropertyPage* page : m_pages) {
        if (const DialogTemplateInfo* info = page->GetTemplate()) {
            const DialogUnits units = MeasureDialogUnits(GetWx(), MakeDialogFont(info->fontFace, info->fontSize));
            const wxSize size = PixelSize(units, info->cx, info->cy);
            area.x = std::max(area.x, size.x);
            area.y = std::max(area.y, size.y);
        }
    }
    return area;
}

void PropertySheet::Arrange() {
    wxWindow* window = GetWx();
    const DialogUnits units = MeasureDialogUnits(window, window->GetFont());

    int listWidth = units.ToPixelsX(kListWidth);
    for (unsigned i = 0; i < m_list->GetCount(); ++i) {
        listWidth = std::max(listWidth, m_list->GetTextExtent(m_list->GetString(i)).x + kListPadding);
    }
    m_list->SetSize(kMargin, kMargin, listWidth, m_pageArea.y);
    const int pageX = kMargin + listWidth + kGap;
    if (PropertyPage* page = GetPage(m_active); page != nullptr && page->IsWindow()) {
        page->MoveWindow(wxRect(wxPoint(pageX, kMargin), page->GetWindowRect().GetSize()));
    }

    const int rowY = kMargin + m_pageArea.y + kGap;
    std::vector<wxSize> sizes;
    int rowWidth = 0;
    int rowHeight = 0;
    for (const auto& [id, button] : m_buttons) {
        const wxSize best = button->GetBestSize();
        sizes.emplace_back(std::max(best.x, units.ToPixelsX(kButtonWidth)), std::max(best.y, units.ToPixelsY(kButtonHeight)));
        rowWidth += sizes.back().x + (rowWidth > 0 ? kButtonGap : 0);
        rowHeight = std::max(rowHeight, sizes.back().y);
    }
    const int width = std::max(pageX + m_pageArea.x, kMargin + rowWidth) + kMargin;
    const int height = m_buttons.empty() ? kMargin + m_pageArea.y + kMargin : rowY + rowHeight + kMargin;

    if (m_arrangedWidth == 0) {
        // First placement: the buttons in a row at the right edge.
        int x = width - kMargin - rowWidth;
        for (std::size_t i = 0; i < m_buttons.size(); ++i) {
            m_buttons[i].second->SetSize(x, rowY, sizes[i].x, sizes[i].y);
            x += sizes[i].x + kButtonGap;
        }
    } else {
        // Later (a larger page, or buttons the sheet moved): each button keeps its
        // distance to the side it sits nearer to.
        for (std::size_t i = 0; i < m_buttons.size(); ++i) {
            wxButton* button = m_buttons[i].second;
            int x = button->GetPosition().x;
            if (2 * x + sizes[i].x > m_arrangedWidth) {
                x += width - m_arrangedWidth;
            }
            button->SetSize(x, rowY, sizes[i].x, sizes[i].y);
        }
    }
    m_arrangedWidth = width;
    window->SetClientSize(width, height);
}

}  // namespace ui

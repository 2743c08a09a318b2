#include "platform/ui/WizardSheet.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/display.h>
#include <wx/scrolwin.h>
#include <wx/dialog.h>
#include <wx/statline.h>
#include <wx/stattext.h>

#include "platform/ui/DialogUnits.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/SheetFrame.h"
#include "platform/ui/WizardPage.h"

namespace ui {
namespace {

constexpr int kScrollUnit = 10;
// Room for the window manager's frame and title bar around the client area.
const wxSize kFrameAllowance(16, 48);
constexpr int kSmallestPageArea = 100;

// The work area of the screen the window (or its owner) is on.
wxRect WorkArea(wxWindow* window) {
    int display = wxDisplay::GetFromWindow(window);
    if (display == wxNOT_FOUND && window->GetParent() != nullptr) {
        display = wxDisplay::GetFromWindow(window->GetParent());
    }
    return wxDisplay(static_cast<unsigned>(display == wxNOT_FOUND ? 0 : display)).GetClientArea();
}

}  // namespace

WizardSheet::WizardSheet(const std::wstring& caption, WizardButtonTexts texts)
    : Dialog(SheetTemplate(caption)), m_texts(std::move(texts)) {
    OnMessage(kMsgSetWizardButtons, [this](WParam, LParam flags) {
        SetWizardButtons(static_cast<unsigned>(flags));
        return 1;
    });
    OnCommand(kIdWizardNext, [this] { OnNext(); });
    OnCommand(kIdWizardBack, [this] { OnBack(); });
    OnCommand(kIdWizardFinish, [this] { OnFinish(); });
}

WizardSheet::~WizardSheet() = default;

void WizardSheet::AddPage(WizardPage* page) {
    if (page != nullptr) {
        page->m_sheet = this;
        m_pages.push_back(page);
    }
}

WizardPage* WizardSheet::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<std::size_t>(index)] : nullptr;
}

int WizardSheet::GetPageIndex(const WizardPage* page) const {
    const auto found = std::find(m_pages.begin(), m_pages.end(), page);
    return found != m_pages.end() ? static_cast<int>(found - m_pages.begin()) : -1;
}

wxButton* WizardSheet::GetButton(unsigned id) const {
    if (!IsWindow()) {
        return nullptr;
    }
    const auto found =
        std::find_if(m_buttons.begin(), m_buttons.end(), [id](const auto& button) { return button.first == id; });
    return found != m_buttons.end() ? found->second : nullptr;
}

void WizardSheet::AddButton(const std::wstring& caption, unsigned id) {
    auto* button = new wxButton(GetWx(), wxID_ANY, wxString(caption));
    button->Bind(wxEVT_BUTTON, [binding = Binding(), id](wxCommandEvent&) {
        if (Window* self = *binding) {
            self->WindowProc(kMsgCommand, MakeWParam(id, kNotifyClicked), 0);
        }
    });
    m_buttons.emplace_back(id, button);
}

bool WizardSheet::OnInitDialog() {
    Dialog::OnInitDialog();
    m_buttons.clear();
    m_active = -1;
    wxWindow* window = GetWx();
    // The title and the buttons speak in the pages' font.
    if (const DialogTemplateInfo* first = m_pages.empty() ? nullptr : m_pages.front()->GetTemplate()) {
        window->SetFont(MakeDialogFont(first->fontFace, first->fontSize));
    }
    m_title = new wxStaticText(window, wxID_ANY, wxString(m_titleText), wxDefaultPosition, wxDefaultSize,
                               wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    wxFont bold = window->GetFont();
    bold.MakeBold();
    m_title->SetFont(bold);
    m_line = new wxStaticLine(window, wxID_ANY);
    m_viewport = new wxScrolledWindow(window, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                      wxVSCROLL | wxHSCROLL | wxBORDER_NONE);
    m_viewport->SetScrollRate(kScrollUnit, kScrollUnit);
    AddButton(m_texts.back, kIdWizardBack);
    AddButton(m_texts.next, kIdWizardNext);
    AddButton(m_texts.finish, kIdWizardFinish);
    AddButton(m_texts.cancel, kIdCancel);
    m_pageArea = TemplatePageArea();
    Arrange();
    ApplyButtonStates();
    if (!SetActivePage(0)) {
        EndDialog(-1);
        return false;
    }
    static_cast<wxDialog*>(window)->CentreOnParent();
    return true;
}

bool WizardSheet::SetActivePage(int index) {
    WizardPage* page = GetPage(index);
    if (page == nullptr || !IsWindow()) {
        return false;
    }
    if (!page->IsWindow()) {
        if (!page->Create(this)) {
            return false;
        }
        page->GetWx()->Reparent(m_viewport);
        const wxSize size = page->GetWindowRect().GetSize();
        m_pageArea.x = std::max(m_pageArea.x, size.x);
        m_pageArea.y = std::max(m_pageArea.y, size.y);
        Arrange();
    }
    WizardPage* shown = GetPage(m_active);
    const int previous = m_active;
    m_active = index;
    if (!page->OnSetActive()) {
        m_active = previous;
        return false;
    }
    if (shown != nullptr && shown != page && shown->IsWindow()) {
        shown->ShowWindow(kShowHide);
    }
    Arrange();
    page->ShowWindow(kShow);
    return true;
}

void WizardSheet::OnNext() {
    WizardPage* page = GetPage(m_active);
    if (page == nullptr || (m_buttonFlags & kWizardNext) == 0 || page->OnWizardNext() == -1) {
        return;
    }
    SetActivePage(m_active + 1);
}

void WizardSheet::OnBack() {
    WizardPage* page = GetPage(m_active);
    if (page == nullptr || (m_buttonFlags & kWizardBack) == 0 || page->OnWizardBack() == -1) {
        return;
    }
    SetActivePage(m_active - 1);
}

void WizardSheet::OnFinish() {
    WizardPage* page = GetPage(m_active);
    if (page == nullptr || (m_buttonFlags & kWizardFinish) == 0 || !page->OnWizardFinish()) {
        return;
    }
    EndDialog(static_cast<int>(kIdWizardFinish));
}

void WizardSheet::OnCancel() { EndDialog(kIdCancel); }

void WizardSheet::SetWizardButtons(unsigned flags) {
    m_buttonFlags = flags;
    ApplyButtonStates();
}

void WizardSheet::ApplyButtonStates() {
    const std::pair<unsigned, bool> states[] = {
        {kIdWizardBack, (m_buttonFlags & kWizardBack) != 0},
        {kIdWizardNext, (m_buttonFlags & kWizardNext) != 0},
        {kIdWizardFinish, (m_buttonFlags & kWizardFinish) != 0},
    };
    for (const auto& [id, enabled] : states) {
        if (wxButton* button = GetButton(id)) {
            button->Enable(enabled);
        }
    }
}

void WizardSheet::SetFinishText(const std::wstring& text) {
    m_texts.finish = text;
    if (wxButton* button = GetButton(kIdWizardFinish)) {
        button->SetLabel(wxString(text));
        Arrange();
    }
}

void WizardSheet::SetTitle(const std::wstring& text) {
    m_titleText = text;
    if (m_title != nullptr && IsWindow()) {
        m_title->SetLabel(wxString(text));
    }
}

std::wstring WizardSheet::GetTitle() const { return m_titleText; }

wxSize WizardSheet::TemplatePageArea() const {
    wxSize area(0, 0);
    for (const WizardPage* page : m_pages) {
        if (const DialogTemplateInfo* info = page->GetTemplate()) {
            const DialogUnits units = MeasureDialogUnits(GetWx(), MakeDialogFont(info->fontFace, info->fontSize));
            const wxSize size = units.ToPixels(0, 0, info->cx, info->cy).GetSize();
            area.x = std::max(area.x, size.x);
            area.y = std::max(area.y, size.y);
        }
    }
    return area;
}

void WizardSheet::Arrange() {
    wxWindow* window = GetWx();
    if (window == nullptr || m_title == nullptr) {
        return;
    }
    const DialogUnits units = MeasureDialogUnits(window, window->GetFont());
    std::vector<wxSize> sizes;
    int rowWidth = 0;
    int rowHeight = 0;
    for (const auto& [id, button] : m_buttons) {
        const wxSize best = button->GetBestSize();
        sizes.emplace_back(std::max(best.x, units.ToPixelsX(kSheetButtonWidth)),
                           std::max(best.y, units.ToPixelsY(kSheetButtonHeight)));
        rowWidth += sizes.back().x + (rowWidth > 0 ? kSheetButtonGap : 0);
        rowHeight = std::max(rowHeight, sizes.back().y);
    }
    const int titleHeight = m_title->GetBestSize().y;
    const int pageY = kSheetMargin + titleHeight + kSheetGap;
    // What the screen leaves for the pages once the title, the buttons and the
    // window manager's frame have their room.
    const wxRect work = WorkArea(window);
    const wxSize shown(std::min(m_pageArea.x, work.width - kFrameAllowance.x - 2 * kSheetMargin),
                       std::min(m_pageArea.y, work.height - kFrameAllowance.y - pageY - 2 * kSheetGap - 2 -
                                                  rowHeight - kSheetMargin));
    const wxSize visible(std::max(shown.x, kSmallestPageArea), std::max(shown.y, kSmallestPageArea));
    const int width = std::max(visible.x, rowWidth) + 2 * kSheetMargin;
    m_title->SetSize(kSheetMargin, kSheetMargin, width - 2 * kSheetMargin, titleHeight);
    m_viewport->SetSize(kSheetMargin, pageY, visible.x, visible.y);
    m_viewport->SetVirtualSize(m_pageArea);
    if (WizardPage* page = GetPage(m_active); page != nullptr && page->IsWindow()) {
        // Every page takes the whole page area, as the largest one needs it.
        page->MoveWindow(wxRect(m_viewport->CalcScrolledPosition(wxPoint(0, 0)), m_pageArea));
    }
    const int lineY = pageY + visible.y + kSheetGap;
    m_line->SetSize(kSheetMargin, lineY, width - 2 * kSheetMargin, 2);
    const int rowY = lineY + 2 + kSheetGap;
    int x = width - kSheetMargin - rowWidth;
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        // Cancel stands a little apart from the buttons that move through the pages.
        if (m_buttons[i].first == kIdCancel) {
            x += kSheetButtonGap;
        }
        m_buttons[i].second->SetSize(x, rowY, sizes[i].x, sizes[i].y);
        x += sizes[i].x + kSheetButtonGap;
    }
    window->SetClientSize(width + kSheetButtonGap, rowY + rowHeight + kSheetMargin);
}

}  // namespace ui

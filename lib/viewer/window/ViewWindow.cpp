#include "lib/viewer/window/ViewWindow.h"

#include <algorithm>
#include <cmath>

#include <wx/font.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "lib/viewer/panes/SimpleWnd.h"
#include "lib/viewer/panes/ToolBarWithTip.h"
#include "lib/viewer/panes/TracelumeCtrl.h"
#include "lib/viewer/panes/TracelumeRulerCtrl.h"
#include "lib/viewer/panes/TracelumeTreeCtrl.h"
#include "lib/viewer/panes/TracelumeView.h"
#include "lib/viewer/panes/WaveMarkCtrl.h"
#include "lib/viewer/panes/WaveNavigatorCtrl.h"
#include "lib/viewer/window/MarksDlg.h"
#include "lib/viewer/window/PaneWindow.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/MessageBox.h"

namespace tracelume {

CViewWindow::CViewWindow(wxWindow* parent) : m_parent(parent) {}

CViewWindow::~CViewWindow() {
    *m_alive = false;
    // Panes' windows first (each lets its pane go), the view's window last.
    while (!m_panes.empty()) {
        m_panes.pop_back();
    }
    m_viewWindow.reset();
}

CPaneWindow* CViewWindow::Add(CPane& pane, const char* name, wxWindow* parent, std::uint32_t style) {
    auto window = std::make_unique<CPaneWindow>(pane, name);
    if (!window->Create(parent, style)) {
        return nullptr;
    }
    m_panes.push_back(std::move(window));
    return m_panes.back().get();
}

bool CViewWindow::CreateWindows(CTracelumeView& view) {
    if (m_parent == nullptr || m_viewWindow) {
        return false;
    }
    m_view = &view;
    auto viewWindow = std::make_unique<CPaneWindow>(view, "CTracelumeView");
    if (!viewWindow->Create(m_parent, ui::CanvasWindow::kBorder)) {
        return false;
    }
    m_viewWindow = std::move(viewWindow);
    wxWindow* parent = m_viewWindow->GetWx();
    CPaneWindow* toolBar = Add(view.ToolBar(), "CToolBarWithTip", parent, 0);
    Add(view.TopCorner(), "CSimpleWnd", parent, 0);
    Add(view.BottomCorner(), "CSimpleWnd", parent, 0);
    Add(view.Tree(), "CTracelumeTreeCtrl", parent, 0);
    Add(view.Wave(), "CTracelumeCtrl", parent, ui::CanvasWindow::kHScroll | ui::CanvasWindow::kVScroll);
    Add(view.Ruler(), "CTracelumeRulerCtrl", parent, 0);
    Add(view.MarkBar(), "CWaveMarkCtrl", parent, 0);
    Add(view.Navigator(), "CWaveNavigatorCtrl", parent, 0);
    if (toolBar != nullptr) {
        m_timeBox = new wxTextCtrl(toolBar->GetWx(), wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                   wxTE_READONLY | wxBORDER_SIMPLE);
        m_timeBox->SetName("Edit");
        m_timeBox->SetFont(wxFont(wxFontInfo(wxSize(0, 14)).FaceName("Arial")));
    }
    return true;
}

CPaneWindow* CViewWindow::WindowOf(const CPane& pane) const {
    if (m_viewWindow && &m_viewWindow->Pane() == &pane) {
        return m_viewWindow.get();
    }
    for (const auto& window : m_panes) {
        if (&window->Pane() == &pane) {
            return window.get();
        }
    }
    return nullptr;
}

void CViewWindow::CreatePaneWindow(CPane& pane, CPane& parent) {
    CPaneWindow* parentWindow = WindowOf(parent);
    if (parentWindow != nullptr && parentWindow->GetWx() != nullptr && WindowOf(pane) == nullptr) {
        Add(pane, "CLegendWnd", parentWindow->GetWx(), 0);
    }
}

wxWindow* CViewWindow::Handle() { return m_viewWindow ? m_viewWindow->GetWx() : nullptr; }

void CViewWindow::PostRefresh() {
    wxWindow* window = Handle();
    if (window == nullptr || m_refreshPending) {
        return;
    }
    m_refreshPending = true;
    // Queued on the view's own window: dropped with it if it goes first.
    window->CallAfter([this, alive = m_alive] {
        if (!*alive) {
            return;
        }
        m_refreshPending = false;
        m_view->OnRefresh();
    });
}

void CViewWindow::PlaceTimeBox(const gfx::Rect& rect, bool visible) {
    if (m_timeBox == nullptr) {
        return;
    }
    m_timeBox->SetSize(static_cast<int>(rect.left), static_cast<int>(rect.top),
                       std::max(0, static_cast<int>(rect.Width())), std::max(0, static_cast<int>(rect.Height())));
    m_timeBox->Show(visible);
}

void CViewWindow::SetTimeBoxText(const std::wstring& text) {
    if (m_timeBox != nullptr && m_timeBox->GetValue().ToStdWstring() != text) {
        m_timeBox->ChangeValue(wxString(text));
    }
}

void CViewWindow::ReleaseStrip() {
    if (m_strip != nullptr) {
        // Back to the host, hidden.
        m_strip->Hide();
        if (wxWindow* home = Handle() != nullptr ? Handle()->GetParent() : nullptr) {
            m_strip->Reparent(home);
        }
        m_strip = nullptr;
    }
}

int CViewWindow::SetToolStrip(wxWindow* strip) {
    CPaneWindow* toolBar = m_view != nullptr ? WindowOf(m_view->ToolBar()) : nullptr;
    if (toolBar == nullptr || toolBar->GetWx() == nullptr) {
        return 0;
    }
    if (strip == m_strip) {
        return 1;
    }
    ReleaseStrip();
    if (strip != nullptr) {
        m_stripSize = strip->GetSize().x > 0 ? strip->GetSize() : strip->GetBestSize();
        strip->Reparent(toolBar->GetWx());
        m_strip = strip;
    }
    return 1;
}

void CViewWindow::PlaceToolStrip(gfx::Point topLeft, double maxWidth, bool visible) {
    if (m_strip == nullptr) {
        return;
    }
    const int width = std::max(0, std::min(m_stripSize.x, static_cast<int>(maxWidth)));
    m_strip->SetSize(static_cast<int>(topLeft.x), static_cast<int>(topLeft.y), width, m_stripSize.y);
    m_strip->Show(visible);
}

std::wstring CViewWindow::AskSaveFile(const std::wstring& filter, const std::wstring& defaultExtension) {
    return ui::SaveFileDialog(m_viewWindow.get(), L"", filter, defaultExtension, L"");
}

bool CViewWindow::AskYesNo(const std::wstring& text) {
    return ui::MessageBox(m_viewWindow.get(), text, L"", ui::kMbYesNo | ui::kMbIconInformation) == ui::kIdYes;
}

void CViewWindow::ShowError(const std::wstring& text) {
    ui::MessageBox(m_viewWindow.get(), text, L"", ui::kMbOk | ui::kMbIconExclamation);
}

int CViewWindow::ChooseMark(IMarkManager& marks, double rate) {
    CMarksDlg dialog(marks, rate);
    dialog.DoModal(m_viewWindow.get());
    return dialog.GetChosen();
}

bool CViewWindow::CopyToClipboard(const gfx::Bitmap& picture) { return ui::CopyPictureToClipboard(picture.Surface()); }

void CViewWindow::SetBusy(bool busy) {
    if (busy) {
        wxBeginBusyCursor();
    } else if (wxIsBusy()) {
        wxEndBusyCursor();
    }
}

}  // namespace tracelume

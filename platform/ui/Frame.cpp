#include "platform/ui/Frame.h"

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/sizer.h>

#include "platform/ui/Menu.h"

namespace ui {

Frame::Frame() : m_body(std::make_unique<Window>()), m_clientArea(std::make_unique<Window>()) {}

Frame::~Frame() = default;

bool Frame::Create(const std::wstring& title) {
    if (IsWindow()) {
        return false;
    }
    auto* frame = new wxFrame(nullptr, wxID_ANY, wxString(title), wxDefaultPosition, wxSize(1024, 768),
                              wxDEFAULT_FRAME_STYLE);
    Attach(frame, 0, true);
    m_body->CreateChild(this, 0, kStyleVisible, wxRect());
    m_clientArea->CreateChild(m_body.get(), 0, kStyleVisible, wxRect());
    auto* rows = new wxBoxSizer(wxVERTICAL);
    rows->Add(m_body->GetWx(), 1, wxEXPAND);
    frame->SetSizer(rows);
    auto* fill = new wxBoxSizer(wxVERTICAL);
    fill->Add(m_clientArea->GetWx(), 1, wxEXPAND);
    m_body->GetWx()->SetSizer(fill);
    m_clientArea->OnMessage(kMsgSize, [this](WParam, LParam) {
        LayoutClients();
        return 0;
    });

    const auto binding = Binding();
    frame->Bind(wxEVT_ACTIVATE, [binding](wxActivateEvent& event) {
        event.Skip();
        if (Window* self = *binding; self != nullptr && event.GetActive()) {
            self->WindowProc(kMsgSetFocus, 0, 0);
        }
    });
    frame->Bind(wxEVT_CLOSE_WINDOW, [binding](wxCloseEvent& event) {
        Window* self = *binding;
        if (self == nullptr) {
            event.Skip();
            return;
        }
        self->WindowProc(kMsgClose, 0, 0);
        // The handler kept the window: refuse the close unless wx insists.
        if (*binding != nullptr && self->IsWindow()) {
            if (event.CanVeto()) {
                event.Veto();
            } else {
                self->DestroyWindow();
            }
        }
    });
    frame->Bind(wxEVT_MENU, [binding](wxCommandEvent& event) {
        Window* self = *binding;
        const unsigned command = CommandForMenuId(event.GetId());
        if (self == nullptr || command == 0 || !self->OnCmdMsg(command, nullptr)) {
            event.Skip();
        }
    });
    frame->Bind(wxEVT_UPDATE_UI, [binding](wxUpdateUIEvent& event) {
        Window* self = *binding;
        const unsigned command = CommandForMenuId(event.GetId());
        if (self == nullptr || command == 0) {
            event.Skip();
            return;
        }
        CommandUI update(command);
        if (self->OnCmdMsg(update.GetId(), &update) && update.IsHandled()) {
            event.Enable(update.IsEnabled());
            if (event.IsCheckable()) {
                event.Check(update.IsChecked());
            }
        }
    });
    return true;
}

wxFrame* Frame::GetFrame() const { return static_cast<wxFrame*>(GetWx()); }

void Frame::SetMinTrackSize(int width, int height) {
    if (GetFrame() != nullptr) {
        GetFrame()->SetMinSize(wxSize(width, height));
    }
}

bool Frame::SetMenu(const MenuTemplate& menu) {
    if (GetFrame() == nullptr) {
        return false;
    }
    wxMenuBar* bar = BuildMenuBar(menu);
    if (bar == nullptr) {
        return false;
    }
    wxMenuBar* old = GetFrame()->GetMenuBar();
    GetFrame()->SetMenuBar(bar);
    delete old;
    return true;
}

void Frame::SetMenuVisible(bool visible) {
    if (GetFrame() != nullptr && GetFrame()->GetMenuBar() != nullptr) {
        GetFrame()->GetMenuBar()->Show(visible);
    }
}

void Frame::SetTopBar(wxWindow* bar) {
    wxFrame* frame = GetFrame();
    if (frame == nullptr || frame->GetSizer() == nullptr) {
        return;
    }
    if (m_topBar != nullptr) {
        frame->GetSizer()->Detach(m_topBar);
    }
    m_topBar = bar;
    if (bar != nullptr) {
        frame->GetSizer()->Insert(0, bar, 0, wxEXPAND);
    }
    frame->Layout();
}

void Frame::RecalcLayout() {
    if (GetFrame() != nullptr) {
        GetFrame()->Layout();
    }
    LayoutClients();
}

void Frame::LayoutClients() {
    wxWindow* area = m_clientArea->GetWx();
    if (area == nullptr) {
        return;
    }
    const wxSize size = area->GetClientSize();
    for (wxWindow* client : area->GetChildren()) {
        client->SetSize(0, 0, size.x, size.y);
    }
}

bool Frame::HasCommandHandler(unsigned id) const {
    return (m_activeView != nullptr && m_activeView != this && m_activeView->HasCommandHandler(id)) ||
           Window::HasCommandHandler(id);
}

bool Frame::OnCmdMsg(unsigned id, CommandUI* update) {
    if (m_activeView != nullptr && m_activeView != this && m_activeView->OnCmdMsg(id, update)) {
        return true;
    }
    return Window::OnCmdMsg(id, update);
}

CommandUI Frame::QueryCommand(unsigned id) {
    CommandUI update(id);
    OnCmdMsg(id, &update);
    return update;
}

}  // namespace ui

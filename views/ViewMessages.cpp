#include "views/ViewMessages.h"

#include <wx/app.h>
#include <wx/window.h>

#include "platform/ui/Application.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"

namespace views {

void SendCaption(ui::WParam which, const std::wstring& text)
{
    auto* app = dynamic_cast<ui::Application*>(wxApp::GetInstance());
    if (app == nullptr || app->GetMainWindow() == nullptr) {
        return;
    }
    ui::SendMessage(app->GetMainWindow(), kMsgViewCommand, which, reinterpret_cast<ui::LParam>(&text));
}

void HandleListMessages(ui::Window& view, std::function<void(int width)> layout, std::function<wxWindow*()> list)
{
    view.OnMessage(ui::kMsgSize, [layout](ui::WParam, ui::LParam size) {
        layout(static_cast<int>(size & 0xFFFF));
        return 0;
    });
    view.OnMessage(kMsgViewCommand, [list](ui::WParam which, ui::LParam) {
        wxWindow* window = list();
        if (which == kViewRepaintList && window != nullptr) {
            window->Refresh();
            window->Update();
        }
        return 0;
    });
}

}  // namespace views

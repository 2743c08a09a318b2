#include "views/ViewMessages.h"

#include <wx/app.h>

#include "platform/ui/Application.h"
#include "platform/ui/MessageQueue.h"

namespace views {

void SendCaption(ui::WParam which, const std::wstring& text)
{
    auto* app = dynamic_cast<ui::Application*>(wxApp::GetInstance());
    if (app == nullptr || app->GetMainWindow() == nullptr) {
        return;
    }
    ui::SendMessage(app->GetMainWindow(), kMsgViewCommand, which, reinterpret_cast<ui::LParam>(&text));
}

}  // namespace views

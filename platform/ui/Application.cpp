#include "platform/ui/Application.h"

#include "platform/base/Hourglaze.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/ui/MessageQueue.h"

namespace ui {

Application::Application() = default;

Application::~Application() {
    if (m_busy) {
        platform::SetHourglaze(nullptr);
    }
}

bool Application::OnInit() {
    StartMessageDelivery();
    m_busy = std::make_unique<BusyIndicator>();
    platform::SetHourglaze(m_busy.get());
    return InitInstance();
}

void Application::OnWindowDestroyed(const Window* window) {
    if (window != nullptr && window == m_mainWindow) {
        ExitMainLoop();
    }
}

int Application::OnExit() {
    StopMessageDelivery();
    const int code = ExitInstance();
    platform::SetHourglaze(nullptr);
    m_busy.reset();
    return code;
}

}  // namespace ui

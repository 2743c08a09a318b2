#pragma once
// The application object: one per process, on wx's application class. The program
// derives from it and overrides InitInstance (bring the services up, create the main
// window; false ends the program) and ExitInstance (take them down). Message
// delivery from other threads is open between the two, and the busy indicator
// window is installed for that time.

#include <memory>

#include <wx/app.h>

namespace ui {

class BusyIndicator;
class Window;

class Application : public wxApp {
public:
    Application();
    ~Application() override;

    virtual bool InitInstance() { return true; }
    virtual int ExitInstance() { return 0; }

    // The main window; the message loop ends when its wx window is destroyed, even
    // while other top-level windows (hidden modeless dialogs) still exist.
    void SetMainWindow(Window* window) { m_mainWindow = window; }
    Window* GetMainWindow() const { return m_mainWindow; }
    // Told by every window whose wx window went.
    void OnWindowDestroyed(const Window* window);

    // The busy indicator installed while the application runs.
    BusyIndicator* GetBusyIndicator() const { return m_busy.get(); }

    bool OnInit() override;
    int OnExit() override;

private:
    Window* m_mainWindow = nullptr;
    std::unique_ptr<BusyIndicator> m_busy;
};

}  // namespace ui

#pragma once
// A desktop of the journey's own: a virtual X server on a free display and the
// openbox window manager on it, as a user's session has one. Both end with the
// object. Real input only: clicks and keys go through the XTEST extension, as
// from a mouse and a keyboard; what is on screen is read from the X window tree
// and the screen's pixels.

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/journey/ChildProcess.h"
#include "tests/journey/ScreenShot.h"

namespace journey {

// A top-level window a user sees: a window the manager manages, or one that
// places itself (menus, pop-ups).
struct TopWindow {
    ::Window id = 0;
    std::string title;
    Rect rect;  // the client's area on the screen
    bool managed = true;
    std::string type;  // _NET_WM_WINDOW_TYPE's last word ("NORMAL", "DIALOG", "TOOLTIP" ...)
};

class Desktop {
public:
    Desktop(int width, int height, const std::filesystem::path& logFolder);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    const std::string& DisplayName() const { return m_name; }

    // Every top-level window shown now, managed or not (the manager's own left out).
    std::vector<TopWindow> ShownWindows();
    std::optional<TopWindow> FindWindow(const std::function<bool(const TopWindow&)>& match);
    // Waits until a shown window matches; the last one seen that matched.
    std::optional<TopWindow> WaitForWindow(const std::function<bool(const TopWindow&)>& match,
                                           std::chrono::milliseconds limit);
    bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

    ScreenShot Grab(const Rect& rect);
    ScreenShot GrabScreen();

    void MoveTo(int x, int y);
    void Click(int x, int y);
    // Keys by X keysym names joined with '+': "Return", "alt+F4", "ctrl+a".
    void Key(const std::string& combination);
    // Plain text typed key by key (ASCII).
    void Type(const std::string& text);
    // The X server goes away under its clients, as when a remote session drops;
    // the desktop is no more use after it.
    void EndServer();
    // Lets the program's reactions arrive.
    void Settle(std::chrono::milliseconds time = std::chrono::milliseconds(300));

private:
    void Sync();
    std::string Property(::Window window, const char* name, const char* type);
    ::Window ClientOf(::Window frame);

    std::unique_ptr<ChildProcess> m_server;
    std::unique_ptr<ChildProcess> m_manager;
    std::string m_name;
    Display* m_display = nullptr;
};

}  // namespace journey

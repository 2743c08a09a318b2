#pragma once
// The busy indicator window: a small window with a caption and a progress bar over
// its owner. Start runs on the user-interface thread and returns only after End,
// dispatching that thread's messages meanwhile (a worker's send is served). The
// user's input waits meanwhile (the windows' contents are disabled), but the
// top-level windows themselves stay enabled and no modal loop runs, so that a
// close request of the window manager still reaches them; the indicator itself
// offers no close. Update, Increase, Notify, GetPos and End may come from any
// thread and are carried to the user-interface thread;
// An End that comes before Start (a worker quicker
// than its starter) makes that Start return at once. The owner handle is a wx
// window (null: the application's top window).

#include <cstdint>
#include <mutex>
#include <string>

#include "platform/base/Hourglaze.h"

class wxDialog;
class wxGUIEventLoop;
class wxGauge;
class wxStaticText;

namespace ui {

class BusyIndicator : public platform::IHourglaze {
public:
    BusyIndicator() = default;
    ~BusyIndicator() override = default;

    void Start(void* ownerWindow) override;
    void Update(double percent) override;
    void Increase(double step) override;
    void Notify(const std::wstring& text) override;
    double GetPos() override;
    void End() override;

    // What the window shows now (user-interface thread; for tests).
    bool IsShowing() const;
    std::wstring ShownText() const;
    int ShownPercent() const;

private:
    void QueueRefresh();  // with m_lock held
    void Refresh();
    void Finish(std::uint64_t cycle);

    mutable std::mutex m_lock;
    bool m_waiting = false;
    bool m_ended = false;  // End seen, not yet consumed by Start
    bool m_refreshQueued = false;
    std::uint64_t m_cycle = 0;
    double m_position = 0.0;
    std::wstring m_text;

    // User-interface thread only.
    wxDialog* m_dialog = nullptr;
    wxGUIEventLoop* m_loop = nullptr;
    wxGauge* m_gauge = nullptr;
    wxStaticText* m_caption = nullptr;
};

}  // namespace ui

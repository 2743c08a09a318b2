#pragma once
// A modal dialog that runs one task on a worker thread while it shows an
// animation, two lines of text and a progress bar, and closes itself when the task
// returns. The task reaches the dialog only through the window layer: it sends
// kMsgProgressStep once per unit of work and calls SetMessage for the first line.
// Cancel (the button, Escape or the close box) writes 1 to the stop flag and says
// so on the second line; the dialog stays until the task sees the flag and returns.
// Without a stop flag the task cannot be cancelled.

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "controls/AnimateCtrl.h"
#include "controls/ProgressTicker.h"
#include "platform/ui/Dialog.h"

// Messages the dialog receives.
inline constexpr unsigned kMsgProgressStartAnimation = 0x0464;  // from its own worker
inline constexpr unsigned kMsgProgressStep = 0x0465;            // from the task, once per unit of work

class CProgressDlg : public ui::Dialog {
public:
    using TaskFunction = std::uint32_t (*)(void* argument);

    static constexpr unsigned kTemplateId = 219;
    static constexpr unsigned kFirstLineId = 32935;
    static constexpr unsigned kSecondLineId = 32937;
    static constexpr unsigned kAnimationId = 32938;
    static constexpr unsigned kProgressBarId = 6853;
    static constexpr unsigned kCancellingText = 10246;

    explicit CProgressDlg(ui::Window* parent = nullptr);
    ~CProgressDlg() override;

    // Called before DoModal. The task may be null (the dialog then only opens and
    // closes); the stop flag belongs to the caller and may be null; the total is
    // the number of steps the task will send.
    void SetTask(TaskFunction task, void* argument, std::atomic<std::int32_t>* stopFlag, std::uint64_t total);
    // Shows the dialog and runs the task; returns when the task has returned:
    // ui::kIdOk, or ui::kIdCancel when the user cancelled it. -1 when the dialog
    // could not be made.
    int DoModal();
    // Kind 1 sets the first line; other kinds do nothing. Any thread.
    void SetMessage(int kind, const std::wstring& text);

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    const controls::ProgressTicker& GetTicker() const { return m_ticker; }
    bool IsAnimating() const { return m_animation.IsPlaying(); }

private:
    void RunTask();

    ui::Window* m_parent;
    void* m_argument = nullptr;
    TaskFunction m_task = nullptr;
    std::atomic<std::int32_t>* m_stopFlag = nullptr;
    std::uint64_t m_total = 0;
    controls::ProgressTicker m_ticker;
    bool m_cancelled = false;  // user-interface thread only
    CAnimateCtrl m_animation;
    std::thread m_worker;
};

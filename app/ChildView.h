#pragma once
// CChildView: the frame's statistic client, the window that covers the frame's
// client area while no waveform record is shown. It holds the start page, kept
// in its middle, over a grey-green background.

#include <memory>

#include "platform/ui/Window.h"

class CFirstDlg;

class CChildView : public ui::Window {
public:
    CChildView();
    ~CChildView() override;

    // Makes the window and the start page on it; false when the window could not
    // be made (a page that cannot be made only leaves the page out).
    bool Create(ui::Window* parent, std::uint32_t style);

    CFirstDlg* GetFirstDlg() const { return m_pFirstDlg.get(); }

    static constexpr unsigned kControlId = 59648;

private:
    void CenterPage(int width, int height);

    std::unique_ptr<CFirstDlg> m_pFirstDlg;
    int m_PageWidth = 657;
    int m_PageHeight = 362;
};

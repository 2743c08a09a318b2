#pragma once
// CPanelStrip: the collapse strip of a frame's attribute panel: the resize control
// that takes the panel template's strip item and keeps the panel's left edge at the
// panel's full height. Its click goes to the panel as kMsgResizeClick.

#include <memory>

class CResizeCtrl;

namespace ui {
class Dialog;
}

class CPanelStrip {
public:
    CPanelStrip();
    ~CPanelStrip();
    CPanelStrip(const CPanelStrip&) = delete;
    CPanelStrip& operator=(const CPanelStrip&) = delete;

    // Takes the dialog's item `stripId` (nothing when the template has none) and
    // follows the dialog's size; from the dialog's OnInitDialog.
    void Attach(ui::Dialog& dialog, unsigned stripId);

private:
    std::unique_ptr<CResizeCtrl> m_Strip;
};

#pragma once
// CRecordAttribDlg: the window of a statistic record frame's attribute panel, a
// modeless child dialog made from the frame's template. It shows the state of its
// CRecordAttribPanel (item list, check boxes) and hands the user's selections,
// clicks and the collapse strip's click to it; the collapse strip keeps the
// dialog's left edge at its full height.

#include "platform/ui/Dialog.h"
#include "views/PanelStrip.h"
#include "views/RecordAttribPanel.h"

class CRecordAttribDlg : public ui::Dialog {
public:
    // The collapse strip of every panel template.
    static constexpr unsigned kStripId = 6840;

    CRecordAttribDlg(const DialogTemplateInfo* info, CRecordAttribPanel& panel);
    ~CRecordAttribDlg() override;

    bool OnInitDialog() override;
    // Shows the panel's state.
    void Sync();

private:
    CRecordAttribPanel& m_Panel;
    CPanelStrip m_Strip;
    bool m_Syncing = false;
};

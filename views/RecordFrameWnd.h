#pragma once
// CRecordFrameWnd: the window of a statistic record frame of a RecordFrameProfile
// in its docking pane (CRecordFrameWndBase) with its CRecordFrame: the viewer with
// the frame's root row and the profile's attribute panel (CRecordAttribDlg).

#include <memory>

#include "views/RecordFrame.h"
#include "views/RecordFrameWndBase.h"

class CRecordAttribDlg;

class CRecordFrameWnd : public CRecordFrameWndBase {
public:
    explicit CRecordFrameWnd(const RecordFrameProfile& profile);

    // The pane factory: the frame as a child of the host, or null when it could not
    // be made (a message has then been shown where the profile asks for one).
    static std::unique_ptr<ui::Window> CreateObject(const RecordFrameProfile& profile, ui::Window& host);

    CRecordFrame& Frame() const { return static_cast<CRecordFrame&>(FrameBase()); }
    CRecordAttribDlg* Panel() const;

private:
    IRowItem* PrepareViewer(ITracelume& viewer) override;
    std::unique_ptr<ui::Dialog> MakePanelDialog(const DialogTemplateInfo* info) override;
};

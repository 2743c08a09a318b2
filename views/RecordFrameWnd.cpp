#include "views/RecordFrameWnd.h"

#include "lib/viewer/data/Tracelume.h"
#include "views/RecordAttribDlg.h"

CRecordFrameWnd::CRecordFrameWnd(const RecordFrameProfile& profile)
    : CRecordFrameWndBase(
          [&profile](IObserverViewBase& observer) { return std::make_unique<CRecordFrame>(profile, observer); })
{
}

std::unique_ptr<ui::Window> CRecordFrameWnd::CreateObject(const RecordFrameProfile& profile, ui::Window& host)
{
    return Created(std::make_unique<CRecordFrameWnd>(profile), host);
}

CRecordAttribDlg* CRecordFrameWnd::Panel() const
{
    return static_cast<CRecordAttribDlg*>(PanelDialog());
}

IRowItem* CRecordFrameWnd::PrepareViewer(ITracelume& viewer)
{
    return viewer.AddRow(nullptr);
}

std::unique_ptr<ui::Dialog> CRecordFrameWnd::MakePanelDialog(const DialogTemplateInfo* info)
{
    return std::make_unique<CRecordAttribDlg>(info, Frame().Panel());
}

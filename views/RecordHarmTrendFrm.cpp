#include "views/RecordHarmTrendFrm.h"

#include "lib/viewer/data/Tracelume.h"
#include "platform/ui/InputMessages.h"
#include "views/HarmTrendNewDlg.h"

CRecordHarmTrendFrm::CRecordHarmTrendFrm()
    : CRecordFrameWndBase([](IObserverViewBase& observer) { return std::make_unique<CHarmTrendFrame>(observer); })
{
    // Alt+F4 inside the frame must not close its pane.
    OnMessage(ui::kMsgSysKeyDown, [](ui::WParam, ui::LParam) -> ui::LResult { return 0; });
}

std::unique_ptr<ui::Window> CRecordHarmTrendFrm::CreateObject(ui::Window& host)
{
    return Created(std::make_unique<CRecordHarmTrendFrm>(), host);
}

CHarmTrendNewDlg* CRecordHarmTrendFrm::Panel() const
{
    return static_cast<CHarmTrendNewDlg*>(PanelDialog());
}

IRowItem* CRecordHarmTrendFrm::PrepareViewer(ITracelume& viewer)
{
    viewer.Command(tracelume::kCommandTreeWidth, kTreeWidth, 0);
    viewer.Command(tracelume::kCommandLegend, 0, 0);
    return nullptr;
}

std::unique_ptr<ui::Dialog> CRecordHarmTrendFrm::MakePanelDialog(const DialogTemplateInfo* info)
{
    return std::make_unique<CHarmTrendNewDlg>(info, Frame().Panel());
}

// Scenes of the shell: the main window with its start page and ribbon, the main
// window with the record panes of all data, and the about box.
#include "app/AboutDlg.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "tools/screenshot/Scene.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/RibbonBar.h"

namespace {

bool ShootMainWindow(screenshot::SceneContext& context) {
    return context.frame != nullptr && screenshot::SaveFromScreen(context.frame->GetWx(), context.file);
}

const screenshot::SceneRegistrar kMainWindow("main-window", ShootMainWindow);

// The start page under the ribbon, as the program opens.
const screenshot::SceneRegistrar kShellStart("shell-start", ShootMainWindow);

// Statistic data shown in all three pane groups (the views are empty until their
// areas register them), the data-view buttons enabled and "all data" checked.
// Named to come after the scenes of the start page.
const screenshot::SceneRegistrar kShellViews("shell-views", [](screenshot::SceneContext& context) {
    CMainFrame* frame = context.frame;
    if (frame == nullptr || frame->GetRibbonBar() == nullptr) {
        return false;
    }
    frame->SetStatisticPath(L"/data/K7700/Board1");
    frame->SetStatisticLoaded(1);
    frame->GetRibbonBar()->UpdateCommandUI();
    const bool clicked = frame->GetRibbonBar()->ClickButton(kCmdAllData);
    screenshot::Settle();
    const bool saved = clicked && ShootMainWindow(context);
    // Back to the opening state for the scenes after this one.
    frame->GetPaneManager().CloseAll();
    frame->SetStatisticLoaded(0);
    frame->SetStatisticPath(L"");
    screenshot::Settle();
    return saved;
});

const screenshot::SceneRegistrar kAboutBox("about-box", [](screenshot::SceneContext& context) {
    CAboutDlg about;
    bool saved = false;
    ui::PostToUiThread([&] {
        screenshot::Settle();
        saved = screenshot::SaveFromWindow(about.GetWx(), context.file);
        about.EndDialog(ui::kIdOk);
    });
    about.DoModal();
    return saved;
});

}  // namespace

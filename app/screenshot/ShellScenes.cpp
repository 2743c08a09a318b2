// Scenes of the shell: the main window and the about box.
#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/screenshot/Scene.h"
#include "platform/ui/MessageQueue.h"

namespace {

const screenshot::SceneRegistrar kMainWindow("main-window", [](screenshot::SceneContext& context) {
    return context.frame != nullptr && screenshot::SaveFromScreen(context.frame->GetWx(), context.file);
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

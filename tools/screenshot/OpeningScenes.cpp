// Scenes of the open road: the data selection dialog over a generated week of
// statistic data (the stretch narrowed by the slider), and the board selection of a
// terminal with three measuring boards.
#include <filesystem>

#include "app/MainFrame.h"
#include "app/NewDataSelectDlg.h"
#include "app/SelectBoardDlg.h"
#include "tools/screenshot/Scene.h"
#include "platform/base/Encoding.h"
#include "platform/ui/MessageQueue.h"
#include "tools/gen/StatisticFolder.h"

namespace {

const screenshot::SceneRegistrar kDataSelection("opening-data-selection", [](screenshot::SceneContext& context) {
    screenshot::SceneFolder folder;
    gen::StatisticFolderOptions options;
    options.deviceType = L"K7900";
    options.records = 7 * 24 * 60;
    options.startYear = 2026;
    options.startMonth = 3;
    options.startDay = 1;
    options.blockCountPerFile = 1440;
    if (folder.Path().empty() || !gen::WriteStatisticFolder(folder.Path() / "data", options)) {
        return false;
    }
    CNewDataSelectDlg dialog;
    if (!dialog.SetDataPath(platform::FromPath(folder.Path() / "data")) || !dialog.Create(context.frame)) {
        return false;
    }
    // As a drag of the thumbs would: the slider moves, then the dialog hears of it.
    dialog.GetSlider().SetPosition(0.25, 0.75);
    ui::SendMessage(&dialog, kMsgRangeChanged, 0, 0);
    dialog.ShowWindow(ui::kShow);
    screenshot::Settle();
    const bool saved = screenshot::SaveFromWindow(dialog.GetWx(), context.file);
    dialog.DestroyWindow();
    return saved;
});

const screenshot::SceneRegistrar kBoards("opening-board-selection", [](screenshot::SceneContext& context) {
    CSelectBoardDlg dialog;
    dialog.SetBoards({1, 2, 3});
    if (!dialog.Create(context.frame)) {
        return false;
    }
    dialog.ShowWindow(ui::kShow);
    screenshot::Settle();
    const bool saved = screenshot::SaveFromWindow(dialog.GetWx(), context.file);
    dialog.DestroyWindow();
    return saved;
});

}  // namespace

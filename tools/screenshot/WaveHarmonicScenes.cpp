// The harmonic trend view of the waveform-record window: a generated raw record
// opened in the main frame, the statistic area holding one harmonic view that shows
// the voltage harmonics of L1 with its attribute panel.
#include <filesystem>

#include <wx/choice.h>
#include <wx/frame.h>

#include "app/MainFrame.h"
#include "tools/screenshot/Scene.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Font.h"
#include "platform/ui/MessageQueue.h"
#include "tools/gen/WaveRecord.h"
#include "waverecord/WaveHarmonicTrend.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/WaveHarmonicWaveStatisticView.h"
#include "waverecord/ui/WaveMainView.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"

namespace {

const screenshot::SceneRegistrar kHarmonics("waverecord-harmonics", [](screenshot::SceneContext& context) {
    gfx::Font font;
    font.face = L"宋体";
    font.height = -12;
    for (const harmtrend::Group& group : harmtrend::Groups()) {
        if (gfx::MissingGlyphCount(WaveText(static_cast<unsigned>(group.group)), font) != 0) {
            return false;
        }
    }
    if (gfx::MissingGlyphCount(WaveText(5981) + WaveText(10300) + WaveText(10109) + L"OFF KF MAX MIN AVG", font) != 0) {
        return false;
    }
    screenshot::SceneFolder folder;
    if (folder.Path().empty() || !gen::WriteWaveRecord(folder.Path(), gen::ThreePhaseWaveRecord(12800, 30.0))) {
        return false;
    }
    context.frame->GetFrame()->SetSize(1280, 800);
    context.frame->ShowWaveClient(true);
    screenshot::Settle();
    CWaveMainView* main = context.frame->GetWaveClient();
    const std::wstring path = platform::FromPath(folder.Path());
    if (!main || ui::SendMessage(main, CWaveMainView::kMsgOpenRecord, reinterpret_cast<ui::WParam>(&path), 0) != 1) {
        return false;
    }
    screenshot::Settle();
    CWaveStatisticMainFrame* area = main->GetStatisticFrame();
    WavePaneCommand clear{CWaveStatisticMainFrame::kCommandClear, 0, 0, 4};
    ui::SendMessage(area, CWaveStatisticMainFrame::kMsgEvent, reinterpret_cast<ui::WParam>(&clear), 0);
    if (ui::SendMessage(area, CWaveStatisticMainFrame::kMsgAddView, CWaveHarmonicWaveStatisticView::kKind, 3) != 1) {
        return false;
    }
    screenshot::Settle();
    CWaveHarmonicWaveStatisticView* view = nullptr;
    for (int id = area->Panes().GetFirstPaneId(); id >= 0; id = area->Panes().GetNextPaneId(id)) {
        if (auto* found = dynamic_cast<CWaveHarmonicWaveStatisticView*>(area->Panes().GetView(id))) {
            view = found;
        }
    }
    if (!view) {
        return false;
    }
    // The voltage harmonics group, as a user picks it.
    CWaveHarmWaveTendencyAttribDlg& panel = view->GetPanel();
    if (auto* groups = panel.GetItem<wxChoice>(CWaveHarmWaveTendencyAttribDlg::kItemCombo)) {
        groups->SetSelection(2);
        ui::SendMessage(&panel, ui::kMsgCommand,
                        ui::MakeWParam(CWaveHarmWaveTendencyAttribDlg::kItemCombo, ui::kNotifySelChange), 0);
    }
    screenshot::Settle();
    return screenshot::SaveFromScreen(context.frame->GetWx(), context.file);
});

}  // namespace

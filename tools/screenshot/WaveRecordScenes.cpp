// Scenes of the waveform-record window: a generated raw record opened in the main
// frame, its voltages and currents in the raw-waveform pane beside the statistic
// area.
#include <filesystem>

#include <wx/frame.h>

#include "app/MainFrame.h"
#include "tools/screenshot/Scene.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Font.h"
#include "platform/ui/DockingPane.h"
#include "platform/ui/MessageQueue.h"
#include "tools/gen/WaveRecord.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/WaveHarmHistogramsDlg.h"
#include "waverecord/ui/WaveHarmHistogramsStatisticView.h"
#include "waverecord/ui/WaveHarmHistograrmsMainDlg.h"
#include "waverecord/ui/WaveMainView.h"
#include "waverecord/ui/WaveOrginalViewFrame.h"
#include "waverecord/ui/WaveViewHost.h"
#include "waverecord/ui/WavePaneManager.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"

namespace {

// The raw-waveform pane widened as the user drags its edge, so that its toolbar has
// room for all four channel boxes beside the time box.
void WidenRawPane(CWaveMainView* view)
{
    CWavePaneManager* panes = view ? view->GetPanes() : nullptr;
    ui::DockingPane* raw = panes ? panes->Docking().FindPane(static_cast<unsigned>(panes->GetFirstPaneId())) : nullptr;
    if (raw) {
        raw->SetMinTrackSize(wxSize(780, raw->GetMinTrackSize().y));
        panes->Docking().Realize();
    }
    screenshot::Settle();
    // The whole record across the wider pane.
    if (CWaveOrginalViewFrame* frame = view ? view->GetRawFrame() : nullptr; frame && frame->GetHost()) {
        frame->GetHost()->ZoomAll();
    }
}

const screenshot::SceneRegistrar kWindow("waverecord-window", [](screenshot::SceneContext& context) {
    // The pane captions and the channel boxes must find their glyphs.
    gfx::Font font;
    font.face = L"宋体";
    font.height = -12;
    for (const std::wstring& text : {WaveText(10240), std::wstring(L"原始电压&电流趋势图 L1 L2 L3 N")}) {
        if (gfx::MissingGlyphCount(text, font) != 0) {
            return false;
        }
    }
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "ondrava-waverecord-scene";
    std::filesystem::remove_all(folder);
    if (!gen::WriteWaveRecord(folder, gen::ThreePhaseWaveRecord(6400, 70.0, 0.05))) {
        return false;
    }
    context.frame->GetFrame()->SetSize(1600, 1000);
    context.frame->ShowWaveClient(true);
    screenshot::Settle();
    const std::wstring path = platform::FromPath(folder);
    const ui::LResult opened = ui::SendMessage(context.frame->GetWaveClient(), CWaveMainView::kMsgOpenRecord,
                                               reinterpret_cast<ui::WParam>(&path), 0);
    screenshot::Settle();
    WidenRawPane(context.frame->GetWaveClient());
    screenshot::Settle();
    const bool saved = opened == 1 && screenshot::SaveFromScreen(context.frame->GetWx(), context.file);
    std::filesystem::remove_all(folder);
    return saved;
});

// The record's voltage harmonic content of L1 as histogram bars: orders 2 to 25
// with THD and DC, all four statistics, beside the raw waveforms.
const screenshot::SceneRegistrar kHistograms("waverecord-histograms", [](screenshot::SceneContext& context) {
    gfx::Font font;
    font.face = L"宋体";
    font.height = -12;
    for (const std::wstring& text : {WaveText(10121), WaveText(10122), WaveText(10107) + WaveText(10108) +
                                                                            WaveText(10109) + WaveText(6129),
                                     WaveText(6056) + WaveText(10119) + WaveText(5985)}) {
        if (gfx::MissingGlyphCount(text, font) != 0) {
            return false;
        }
    }
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "ondrava-waverecord-histograms";
    std::filesystem::remove_all(folder);
    if (!gen::WriteWaveRecord(folder, gen::ThreePhaseWaveRecord(12800, 2.0))) {
        return false;
    }
    context.frame->GetFrame()->SetSize(1600, 1000);
    context.frame->ShowWaveClient(true);
    screenshot::Settle();
    const std::wstring path = platform::FromPath(folder);
    CWaveMainView* view = context.frame->GetWaveClient();
    const ui::LResult opened =
        ui::SendMessage(view, CWaveMainView::kMsgOpenRecord, reinterpret_cast<ui::WParam>(&path), 0);
    screenshot::Settle();
    WidenRawPane(view);
    screenshot::Settle();
    CWaveHarmHistogramsStatisticView* histogram = nullptr;
    if (CWaveStatisticMainFrame* statistics = view ? view->GetStatisticFrame() : nullptr) {
        CWavePaneManager& panes = statistics->Panes();
        for (int id = panes.GetFirstPaneId(); id >= 0 && !histogram; id = panes.GetNextPaneId(id)) {
            histogram = dynamic_cast<CWaveHarmHistogramsStatisticView*>(panes.GetView(id));
        }
    }
    bool saved = false;
    if (opened == 1 && histogram && histogram->GetChartDlg() && histogram->GetPanel()) {
        HarmHistAttrib record = histogram->GetChartDlg()->GetRecord();
        record.item = 5985;
        record.stats = kHistMax | kHistMin | kHistAvg | kHistCp95;
        record.orderCount = 24;
        for (int i = 0; i < 24; ++i) {
            record.orders[static_cast<std::size_t>(i)] = i + 1;
        }
        record.withTHD = record.withDC = 1;
        histogram->GetPanel()->State().ShowRecord(record);
        histogram->GetPanel()->Sync();
        ui::SendMessage(histogram->GetChartDlg(), CWaveHarmHistograrmsMainDlg::kMsgApply,
                        reinterpret_cast<ui::WParam>(&record), 0);
        screenshot::Settle();
        saved = !histogram->GetChartDlg()->GetBars().empty() &&
                screenshot::SaveFromScreen(context.frame->GetWx(), context.file);
    }
    std::filesystem::remove_all(folder);
    return saved;
});

}  // namespace

// Scenes of the trend views of the waveform-record window: a generated raw record
// opened in the main frame with one trend view in the statistic area (voltage and
// current, power and energy, unbalance, frequency, fluctuation and flicker). The
// record is long enough that its trends fill the views' width.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <wx/choice.h>
#include <wx/frame.h>

#include "app/MainFrame.h"
#include "controls/CurrentViewList.h"
#include "controls/ViewItemTable.h"
#include "tools/screenshot/Scene.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Font.h"
#include "platform/ui/MessageQueue.h"
#include "tools/gen/WaveRecord.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/WaveCapacityAndEnergyStatisticView.h"
#include "waverecord/ui/WaveCurrentAndVoltageStatisticView.h"
#include "waverecord/ui/WaveFrequencyStatisticView.h"
#include "waverecord/ui/WaveImbalanceStatisticView.h"
#include "waverecord/ui/WaveMainView.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"
#include "waverecord/ui/WaveWaveAndFlickerStatisticView.h"

namespace {

// The texts the view shows: its caption, its list and its series names.
bool GlyphsFound(const std::vector<unsigned>& ids)
{
    gfx::Font font;
    font.face = L"宋体";
    font.height = -12;
    for (const unsigned id : ids) {
        if (gfx::MissingGlyphCount(WaveText(id), font) != 0) {
            return false;
        }
    }
    return true;
}

bool ShootView(screenshot::SceneContext& context, int kind, unsigned item, std::uint32_t kinds,
               const std::vector<unsigned>& texts, double modulation)
{
    if (!GlyphsFound(texts)) {
        return false;
    }
    screenshot::SceneFolder folder;
    if (folder.Path().empty() || !gen::WriteWaveRecord(folder.Path(), gen::ThreePhaseWaveRecord(6400, 70.0, modulation))) {
        return false;
    }
    context.frame->GetFrame()->SetSize(1400, 860);
    context.frame->ShowWaveClient(true);
    screenshot::Settle();
    CWaveMainView* main = context.frame->GetWaveClient();
    const std::wstring path = platform::FromPath(folder.Path());
    if (ui::SendMessage(main, CWaveMainView::kMsgOpenRecord, reinterpret_cast<ui::WParam>(&path), 0) != 1) {
        return false;
    }
    screenshot::Settle();
    // The one view of the scene in the statistic area.
    CWaveStatisticMainFrame* area = main->GetStatisticFrame();
    WavePaneCommand clear{CWaveStatisticMainFrame::kCommandClear, 0, 0, 4};
    ui::SendMessage(area, CWaveStatisticMainFrame::kMsgEvent, reinterpret_cast<ui::WParam>(&clear), 0);
    if (ui::SendMessage(area, CWaveStatisticMainFrame::kMsgAddView, static_cast<ui::WParam>(kind), 3) != 1) {
        return false;
    }
    screenshot::Settle();
    CWavePaneManager& panes = area->Panes();
    CWavePaneView* view = panes.GetView(panes.GetFirstPaneId());
    if (view == nullptr) {
        return false;
    }
    auto* statistic = dynamic_cast<CWaveStatisticView*>(view);
    if (item != 0 && statistic != nullptr && statistic->GetList() != nullptr) {
        // The user's choice in the list pane: the quantity and the statistic boxes.
        CCurrentViewList* list = statistic->GetList();
        const std::vector<controls::ViewItem> items = controls::ViewKindItems(list->GetKind());
        const auto found = std::find_if(items.begin(), items.end(), [item](const auto& entry) { return entry.id == item; });
        auto* choice = list->GetItem<wxChoice>(CCurrentViewList::kQuantityListId);
        if (found == items.end() || choice == nullptr) {
            return false;
        }
        list->CheckDlgButton(CCurrentViewList::kMaxId, (kinds & 0x01) != 0 ? 1 : 0);
        list->CheckDlgButton(CCurrentViewList::kMinId, (kinds & 0x02) != 0 ? 1 : 0);
        list->CheckDlgButton(CCurrentViewList::kAvgId, (kinds & 0x04) != 0 ? 1 : 0);
        choice->SetSelection(static_cast<int>(found - items.begin()));
        wxCommandEvent chosen(wxEVT_CHOICE, choice->GetId());
        chosen.SetEventObject(choice);
        choice->GetEventHandler()->ProcessEvent(chosen);
    }
    screenshot::Settle();
    screenshot::Settle();
    return screenshot::SaveFromScreen(context.frame->GetWx(), context.file);
}

const screenshot::SceneRegistrar kVoltage("waverecord-voltage-current", [](screenshot::SceneContext& context) {
    return ShootView(context, CWaveCurrentAndVoltageStatisticView::kKind, 6014, 0x07,
                     {6014, 6015, 6026, 10078, 10107, 10108, 10109}, 0.0);
});

const screenshot::SceneRegistrar kPower("waverecord-power-energy", [](screenshot::SceneContext& context) {
    return ShootView(context, CWaveCapacityAndEnergyStatisticView::kKind, 6030, 0x04,
                     {10084, 10085, 10090, 10079, 10109}, 0.0);
});

const screenshot::SceneRegistrar kUnbalance("waverecord-unbalance", [](screenshot::SceneContext& context) {
    return ShootView(context, CWaveImbalanceStatisticView::kKind, 6068, 0x07, {6046, 6068, 10081, 10109}, 0.0);
});

const screenshot::SceneRegistrar kFrequency("waverecord-frequency", [](screenshot::SceneContext& context) {
    return ShootView(context, CWaveFrequencyStatisticView::kKind, 0, 0, {9999, 10117}, 0.0);
});

const screenshot::SceneRegistrar kFlicker("waverecord-flicker", [](screenshot::SceneContext& context) {
    return ShootView(context, CWaveWaveAndFlickerStatisticView::kKind, 6041, 0x01, {6040, 6041, 6043, 10080, 10107},
                     0.005);
});

}  // namespace

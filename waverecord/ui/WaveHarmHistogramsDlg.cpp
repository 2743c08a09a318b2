#include "waverecord/ui/WaveHarmHistogramsDlg.h"

#include <algorithm>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>

#include "controls/ResizeCtrl.h"
#include "core/ZVResourceManager.h"
#include "platform/ui/Message.h"
#include "platform/ui/MessageQueue.h"
#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/WaveHarmHistograrmsMainDlg.h"

namespace {

std::optional<int> OrderCount(int item, int phaseIndex)
{
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    std::unique_ptr<CWaveResultStore> result = manager ? manager->GetResult(item) : nullptr;
    if (!result) {
        return std::nullopt;
    }
    return result->CountOrders(phaseIndex);
}

void Show(ui::Dialog& dialog, unsigned id, const HarmHistBox& box)
{
    dialog.CheckDlgButton(id, box.checked ? 1 : 0);
    if (wxWindow* control = dialog.GetDlgItem(id)) {
        control->Enable(box.enabled);
    }
}

}  // namespace

CWaveHarmHistogramsDlg::CWaveHarmHistogramsDlg()
    : ui::Dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(kTemplateId)),
      m_state(OrderCount, WaveText)
{
}

CWaveHarmHistogramsDlg::~CWaveHarmHistogramsDlg() = default;

bool CWaveHarmHistogramsDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    auto strip = std::make_unique<CResizeCtrl>(1);
    if (strip->SubclassDlgItem(kStripId, this)) {
        m_strip = std::move(strip);
    }
    if (auto* list = GetItem<wxChoice>(kGroupList)) {
        list->Clear();
        for (int group : CWaveHarmHistPanelState::kGroups) {
            list->Append(wxString(WaveText(static_cast<unsigned>(group))));
        }
        list->SetSelection(0);
    }
    HarmHistAttrib record;
    ui::SendMessage(m_target, CWaveHarmHistograrmsMainDlg::kMsgGetRecord, reinterpret_cast<ui::WParam>(&record), 0);
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    m_state.Init(record, manager ? manager->GetPhaseMask() : 0);
    Sync();

    // Whatever names the quantity changes the orders there are; the extras only
    // change what is shown.
    OnControlNotify(kGroupList, static_cast<int>(ui::kNotifySelChange), [this] { Changed(true); });
    for (unsigned id : kKindRadios) {
        OnControlNotify(id, static_cast<int>(ui::kNotifyClicked), [this] { Changed(true); });
    }
    for (unsigned id : kPhaseRadios) {
        OnControlNotify(id, static_cast<int>(ui::kNotifyClicked), [this] { Changed(true); });
    }
    for (unsigned id : kStatBoxes) {
        OnControlNotify(id, static_cast<int>(ui::kNotifyClicked), [this] { Changed(true); });
    }
    for (unsigned i = 0; i < CWaveHarmHistPanelState::kOrderBoxes; ++i) {
        OnControlNotify(kFirstOrderBox + i, static_cast<int>(ui::kNotifyClicked), [this] { Changed(true); });
    }
    OnControlNotify(kOtherOrders, static_cast<int>(ui::kNotifyClicked), [this] { Changed(true); });
    for (unsigned id : {kThdBox, kDcBox, kKfBox}) {
        OnControlNotify(id, static_cast<int>(ui::kNotifyClicked), [this] { Changed(false); });
    }
    OnControlNotify(kDefaults, static_cast<int>(ui::kNotifyClicked), [this] {
        ReadControls();
        m_state.RestoreDefaults();
        Sync();
        Apply();
    });
    OnControlNotify(kSelectAll, static_cast<int>(ui::kNotifyClicked), [this] {
        ReadControls();
        m_state.SelectAll();
        Sync();
        Apply();
    });
    OnMessage(kMsgResizeClick, [this](ui::WParam, ui::LParam lParam) -> ui::LResult {
        ui::SendMessage(m_view, kMsgToggle, 1, lParam);
        return 0;
    });
    OnMessage(ui::kMsgSize, [this](ui::WParam, ui::LParam size) -> ui::LResult {
        if (m_strip) {
            const int height = static_cast<int>((static_cast<std::uintptr_t>(size) >> 16) & 0xFFFF);
            m_strip->MoveWindow(wxRect(0, 0, m_strip->GetWindowRect().GetWidth(), height));
        }
        return 0;
    });
    return true;
}

void CWaveHarmHistogramsDlg::Changed(bool itemChanged)
{
    if (m_syncing) {
        return;
    }
    ReadControls();
    if (itemChanged) {
        m_state.OnItemChanged();
    }
    Sync();
    Apply();
}

void CWaveHarmHistogramsDlg::ReadControls()
{
    if (auto* list = GetItem<wxChoice>(kGroupList); list && list->GetSelection() >= 0) {
        m_state.SelectGroup(list->GetSelection());
    }
    for (int kind = 0; kind < 3; ++kind) {
        if (IsDlgButtonChecked(kKindRadios[kind]) == 1) {
            m_state.CheckKind(kind);
        }
    }
    for (int phase = 0; phase < 4; ++phase) {
        if (IsDlgButtonChecked(kPhaseRadios[phase]) == 1) {
            m_state.CheckPhase(phase);
        }
    }
    for (std::size_t s = 0; s < m_state.stats.size(); ++s) {
        m_state.stats[s].checked = IsDlgButtonChecked(kStatBoxes[s]) == 1;
    }
    for (unsigned i = 0; i < CWaveHarmHistPanelState::kOrderBoxes; ++i) {
        m_state.orders[i].checked = IsDlgButtonChecked(kFirstOrderBox + i) == 1;
    }
    m_state.others.checked = IsDlgButtonChecked(kOtherOrders) == 1;
    m_state.thd.checked = IsDlgButtonChecked(kThdBox) == 1;
    m_state.dc.checked = IsDlgButtonChecked(kDcBox) == 1;
    m_state.kf.checked = IsDlgButtonChecked(kKfBox) == 1;
}

void CWaveHarmHistogramsDlg::Sync()
{
    m_syncing = true;
    if (auto* list = GetItem<wxChoice>(kGroupList)) {
        list->SetSelection(m_state.GroupIndex());
    }
    CheckDlgButton(kKindRadios[std::clamp(m_state.Kind(), 0, 2)], 1);
    if (wxWindow* angle = GetDlgItem(kKindRadios[2])) {
        angle->Enable(m_state.angleEnabled);
    }
    for (int phase = 0; phase < 4; ++phase) {
        if (wxWindow* radio = GetDlgItem(kPhaseRadios[phase])) {
            radio->Enable(m_state.phaseEnabled[static_cast<std::size_t>(phase)]);
        }
    }
    CheckDlgButton(kPhaseRadios[std::clamp(m_state.PhaseIndex(), 0, 3)], 1);
    for (std::size_t s = 0; s < m_state.stats.size(); ++s) {
        Show(*this, kStatBoxes[s], m_state.stats[s]);
    }
    for (unsigned i = 0; i < CWaveHarmHistPanelState::kOrderBoxes; ++i) {
        Show(*this, kFirstOrderBox + i, m_state.orders[i]);
        SetDlgItemText(kFirstOrderBox + i, m_state.orderLabels[i]);
    }
    Show(*this, kOtherOrders, m_state.others);
    SetDlgItemText(kOtherOrders, m_state.othersCaption);
    Show(*this, kThdBox, m_state.thd);
    Show(*this, kDcBox, m_state.dc);
    Show(*this, kKfBox, m_state.kf);
    m_syncing = false;
}

void CWaveHarmHistogramsDlg::Apply()
{
    const HarmHistAttrib record = m_state.ReadRecord();
    ui::SendMessage(m_target, CWaveHarmHistograrmsMainDlg::kMsgApply, reinterpret_cast<ui::WParam>(&record), 0);
}

#include "waverecord/ui/WaveHarmWaveTendencyAttribDlg.h"

#include <wx/choice.h>
#include <wx/event.h>
#include <wx/window.h>

#include "core/ZVResourceManager.h"
#include "platform/gfx/Brush.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/Pen.h"
#include "platform/ui/CustomControl.h"
#include "platform/ui/MessageQueue.h"
#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/WaveText.h"

namespace {

constexpr unsigned kPhaseRadios[] = {CWaveHarmWaveTendencyAttribDlg::kPhaseL1, CWaveHarmWaveTendencyAttribDlg::kPhaseL2,
                                     CWaveHarmWaveTendencyAttribDlg::kPhaseL3, CWaveHarmWaveTendencyAttribDlg::kPhaseN};
constexpr int kPhaseBits[] = {1, 2, 4, 8};

unsigned OrderCombo(int slot) { return CWaveHarmWaveTendencyAttribDlg::kFirstOrderCombo + static_cast<unsigned>(slot - 1); }

std::uint32_t WiringPhases()
{
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    return manager ? manager->GetPhaseMask() : 0;
}

}  // namespace

// The colour of an order slot beside its list; a click opens the colour popup.
class CWaveHarmWaveTendencyAttribDlg::Swatch : public ui::CustomControl {
public:
    Swatch(CWaveHarmWaveTendencyAttribDlg& panel, int slot) : m_panel(panel), m_slot(slot)
    {
        OnMessage(ui::kMsgLButtonUp, [this](ui::WParam, ui::LParam) {
            m_panel.OnSwatchClicked(m_slot);
            return 0;
        });
    }

protected:
    void OnDraw(cairo_t* context, int width, int height) override
    {
        gfx::Context dc(context);
        const gfx::Rect box = gfx::Rect::FromSize(0, 0, width, height);
        dc.FillRect(box, gfx::Brush(gfx::Color::FromColorRef(m_panel.GetSlotColor(m_slot))));
        dc.SetPen(gfx::Pen{gfx::Color{96, 96, 96}, 1.0, gfx::PenStyle::Solid});
        dc.SetBrush(gfx::Brush::Null());
        dc.Rectangle(gfx::Rect::FromSize(0, 0, width - 1, height - 1));
    }

private:
    CWaveHarmWaveTendencyAttribDlg& m_panel;
    int m_slot;
};

CWaveHarmWaveTendencyAttribDlg::CWaveHarmWaveTendencyAttribDlg()
    : ui::Dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(kTemplateId))
{
    for (unsigned id : kPhaseRadios) {
        OnCommand(id, [this] { Apply(); });
    }
    for (unsigned id : {kKindRms, kKindContent, kKindAngle, kStatMax, kStatMin, kStatAvg, kHiddenMax, kHiddenMin,
                        kHiddenAvg, kKFactor}) {
        OnCommand(id, [this] { Apply(); });
    }
    for (int slot = 1; slot <= harmtrend::kPanelSlots; ++slot) {
        OnControlNotify(OrderCombo(slot), ui::kNotifySelChange, [this] { Apply(); });
    }
    OnControlNotify(kItemCombo, ui::kNotifySelChange, [this] { OnItemChanged(); });
    OnMessage(kMsgColorPopupChosen, [this](ui::WParam colour, ui::LParam) {
        OnColourChosen(static_cast<std::uint32_t>(colour));
        return 0;
    });
    OnMessage(kMsgResizeClick, [this](ui::WParam, ui::LParam point) {
        return m_target != nullptr ? ui::SendMessage(m_target, kMsgToggle, 1, point) : 0;
    });
    OnMessage(ui::kMsgSize, [this](ui::WParam, ui::LParam size) {
        if (m_strip.IsWindow()) {
            const int height = static_cast<int>(ui::HighWord(static_cast<std::uintptr_t>(size)));
            m_strip.MoveWindow(wxRect(0, 0, m_strip.GetWindowRect().GetWidth(), height));
        }
        return 0;
    });
}

CWaveHarmWaveTendencyAttribDlg::~CWaveHarmWaveTendencyAttribDlg()
{
    m_popup.Close();
}

bool CWaveHarmWaveTendencyAttribDlg::CreatePanel(ui::Window* parent) { return ui::Dialog::Create(parent); }

bool CWaveHarmWaveTendencyAttribDlg::OnInitDialog()
{
    m_strip.SubclassDlgItem(kStripId, this);
    for (int slot = 1; slot <= harmtrend::kPanelSlots; ++slot) {
        auto swatch = std::make_unique<Swatch>(*this, slot);
        if (swatch->SubclassDlgItem(kFirstSwatch + static_cast<unsigned>(slot - 1), this)) {
            swatch->SetCursor(ui::ControlCursor::Hand);
            ui::RouteInputMessages(*swatch);
            m_swatches[static_cast<std::size_t>(slot - 1)] = std::move(swatch);
        }
    }
    ui::Dialog::OnInitDialog();
    const auto binding = Binding();
    // A click on the panel itself gives the keyboard back to the view.
    GetWx()->Bind(wxEVT_LEFT_DOWN, [binding](wxMouseEvent& event) {
        event.Skip();
        auto* self = static_cast<CWaveHarmWaveTendencyAttribDlg*>(*binding);
        if (self && self->m_target && self->m_target->GetWx()) {
            self->m_target->GetWx()->SetFocus();
        }
    });
    // Alt+F4 inside the panel closes the window it sits in, not just the panel.
    GetWx()->Bind(wxEVT_CHAR_HOOK, [binding](wxKeyEvent& event) {
        auto* self = static_cast<CWaveHarmWaveTendencyAttribDlg*>(*binding);
        if (!self || event.GetKeyCode() != WXK_F4 || !event.AltDown()) {
            event.Skip();
            return;
        }
        if (wxWindow* parent = self->GetWx()->GetParent()) {
            parent->Close();
        }
    });

    FillItemCombo();
    SetWindowText(L"");
    ResetPhaseButtons(harmtrend::GroupHasOrders(GetSelectedGroup()));
    HarmTrendAttrib record;
    if (m_target) {
        ui::SendMessage(m_target, kMsgCurrentRecord, reinterpret_cast<ui::WParam>(&record), 0);
    }
    ShowRecord(record);
    Enable(kKFactor, false);
    return true;
}

bool CWaveHarmWaveTendencyAttribDlg::IsEnabled(unsigned id) const
{
    const wxWindow* control = GetDlgItem(id);
    return control && control->IsEnabled();
}

void CWaveHarmWaveTendencyAttribDlg::Enable(unsigned id, bool enable)
{
    if (wxWindow* control = GetDlgItem(id)) {
        control->Enable(enable);
    }
}

int CWaveHarmWaveTendencyAttribDlg::GetSelectedGroup() const
{
    const auto* list = GetItem<wxChoice>(kItemCombo);
    const int selected = list ? list->GetSelection() : wxNOT_FOUND;
    const std::span<const harmtrend::Group> groups = harmtrend::Groups();
    return selected >= 0 && static_cast<std::size_t>(selected) < groups.size() ? groups[static_cast<std::size_t>(selected)].group
                                                                               : 0;
}

void CWaveHarmWaveTendencyAttribDlg::FillItemCombo()
{
    auto* list = GetItem<wxChoice>(kItemCombo);
    if (!list) {
        return;
    }
    list->Clear();
    for (const harmtrend::Group& group : harmtrend::Groups()) {
        list->Append(wxString(WaveText(static_cast<unsigned>(group.group))));
    }
    list->SetSelection(0);
}

void CWaveHarmWaveTendencyAttribDlg::ResetPhaseButtons(bool withPhases)
{
    for (unsigned id : {kStatMax, kStatMin, kStatAvg}) {
        if (wxWindow* control = GetDlgItem(id)) {
            control->Show(true);
        }
    }
    for (unsigned id : {kHiddenMax, kHiddenMin, kHiddenAvg}) {
        if (wxWindow* control = GetDlgItem(id)) {
            control->Show(false);
        }
    }
    const std::uint32_t wiring = WiringPhases();
    for (int i = 0; i < 4; ++i) {
        Enable(kPhaseRadios[i], withPhases && (wiring & static_cast<std::uint32_t>(kPhaseBits[i])) != 0);
        CheckDlgButton(kPhaseRadios[i], 0);
    }
    Enable(kKindRms, withPhases);
    Enable(kKindContent, withPhases);
    Enable(kKindAngle, false);
    for (unsigned id : {kKindRms, kKindContent, kKindAngle}) {
        CheckDlgButton(id, 0);
    }
    if (withPhases) {
        for (int i = 0; i < 4; ++i) {
            if ((wiring & static_cast<std::uint32_t>(kPhaseBits[i])) != 0) {
                CheckDlgButton(kPhaseRadios[i], 1);
                break;
            }
        }
        CheckDlgButton(kKindRms, 1);
    }
}

void CWaveHarmWaveTendencyAttribDlg::EnableOrderCombos(bool enable)
{
    for (int slot = 1; slot <= harmtrend::kPanelSlots; ++slot) {
        Enable(OrderCombo(slot), enable);
        if (auto* combo = GetItem<wxChoice>(OrderCombo(slot)); combo && combo->GetCount() > 0) {
            combo->SetSelection(0);
        }
    }
}

void CWaveHarmWaveTendencyAttribDlg::SetDefaultOrders()
{
    for (int slot = 1; slot <= harmtrend::kPanelSlots; ++slot) {
        if (auto* combo = GetItem<wxChoice>(OrderCombo(slot)); combo && static_cast<int>(combo->GetCount()) > slot) {
            combo->SetSelection(slot);
        }
    }
}

void CWaveHarmWaveTendencyAttribDlg::FillOrderCombo(unsigned comboId, int item, int phaseIndex)
{
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    const std::unique_ptr<CWaveResultStore> result = manager ? manager->GetResult(item) : nullptr;
    auto* combo = GetItem<wxChoice>(comboId);
    if (!result || !combo) {
        return;  // the list keeps what it had
    }
    const int count = result->CountOrders(phaseIndex);
    combo->Clear();
    for (const std::wstring& text : harmtrend::OrderEntryTexts(item, count)) {
        combo->Append(wxString(text));
    }
}

void CWaveHarmWaveTendencyAttribDlg::ShowRecord(const HarmTrendAttrib& record)
{
    CheckDlgButton(kStatMax, (record.stats & 1) != 0 ? 1 : 0);
    CheckDlgButton(kStatMin, (record.stats & 2) != 0 ? 1 : 0);
    CheckDlgButton(kStatAvg, (record.stats & 4) != 0 ? 1 : 0);
    Enable(kKindAngle, false);

    int valueKind = 0;
    const harmtrend::Group* group = harmtrend::GroupOfItem(record.item, &valueKind);
    if (group) {
        const std::span<const harmtrend::Group> groups = harmtrend::Groups();
        if (auto* list = GetItem<wxChoice>(kItemCombo)) {
            list->SetSelection(static_cast<int>(group - groups.data()));
        }
        if (record.item == 6075 || record.item == 6076 || record.item == 6077) {
            ResetPhaseButtons(false);
            EnableOrderCombos(false);
            Enable(kKindRms, false);
            Enable(kKindContent, false);
            Enable(kKindAngle, false);
        } else {
            // The phase first: a mask that names no single phase resets the kind radios.
            int phase = -1;
            for (int i = 0; i < 4; ++i) {
                if (record.phases == kPhaseBits[i]) {
                    phase = i;
                }
            }
            if (phase < 0) {
                ResetPhaseButtons(false);
            } else {
                CheckRadioButton(kPhaseL1, kPhaseN, kPhaseRadios[phase]);
            }
            if ((record.item >= 5981 && record.item <= 5986) || record.item == 6002) {
                Enable(kKindAngle, true);
            }
            if (record.item >= 6004 && record.item <= 6009) {
                Enable(kKindRms, true);
                Enable(kKindContent, true);
            }
            CheckRadioButton(kKindRms, kKindAngle, kKindRms + static_cast<unsigned>(valueKind));
        }
    }
    if (harmtrend::IsOrderItem(record.item)) {
        // A record of orders: its phases and slots can be changed.
        const std::uint32_t wiring = WiringPhases();
        for (int i = 0; i < 4; ++i) {
            const bool fourth = i == 3 && harmtrend::IsPowerItem(record.item);
            Enable(kPhaseRadios[i], !fourth && (wiring & static_cast<std::uint32_t>(kPhaseBits[i])) != 0);
        }
        const int phaseIndex = harmtrend::PhaseIndexOfMask(record.phases);
        for (int slot = 1; slot <= harmtrend::kPanelSlots; ++slot) {
            Enable(OrderCombo(slot), true);
            FillOrderCombo(OrderCombo(slot), record.item, phaseIndex);
            auto* combo = GetItem<wxChoice>(OrderCombo(slot));
            const int entry = record.orders[static_cast<std::size_t>(slot - 1)];
            if (combo && entry >= 0 && entry < static_cast<int>(combo->GetCount())) {
                combo->SetSelection(entry);
            }
        }
    }
    Enable(kKindRms, true);
}

void CWaveHarmWaveTendencyAttribDlg::ReadRecord(int group, HarmTrendAttrib& record)
{
    record.stats = (Checked(kStatMax) ? 1 : 0) + (Checked(kStatMin) ? 2 : 0) + (Checked(kStatAvg) ? 4 : 0);
    record.orderCount = harmtrend::kPanelSlots;
    // Each slot keeps its place (and so its colour); an order off is 0.
    for (int slot = 1; slot <= harmtrend::kPanelSlots; ++slot) {
        const auto* combo = GetItem<wxChoice>(OrderCombo(slot));
        const int selected = combo ? combo->GetSelection() : wxNOT_FOUND;
        record.orders[static_cast<std::size_t>(slot - 1)] = selected > 0 ? selected : 0;
    }
    for (int i = 0; i < 4; ++i) {
        if (Checked(kPhaseRadios[i])) {
            record.phases = kPhaseBits[i];
            break;
        }
    }
    if (harmtrend::GroupHasOrders(group)) {
        int kind = -1;
        if (Checked(kKindRms)) {
            kind = 0;
        } else if (Checked(kKindContent)) {
            kind = 1;
        } else if (Checked(kKindAngle)) {
            kind = 2;
        }
        record.item = harmtrend::GroupItem(group, kind);
    }
    record.withKFactor = Checked(kKFactor) ? 1 : 0;
}

int CWaveHarmWaveTendencyAttribDlg::ResolveDCItem(int group)
{
    return harmtrend::ResolveDCItem(group, Checked(kKindRms), Checked(kKindContent));
}

void CWaveHarmWaveTendencyAttribDlg::Apply()
{
    const int group = GetSelectedGroup();
    if (!m_target) {
        return;
    }
    HarmTrendAttrib record;
    if (!harmtrend::GroupHasOrders(group)) {
        const bool dc = group == 6055 || group == 6060 || group == 6065;
        record.item = dc ? ResolveDCItem(group) : group;
        record.stats = (Checked(kStatMax) ? 1 : 0) + (Checked(kStatMin) ? 2 : 0) + (Checked(kStatAvg) ? 4 : 0);
    } else {
        ReadRecord(group, record);
    }
    ui::SendMessage(m_target, kMsgApply, static_cast<ui::WParam>(record.item), reinterpret_cast<ui::LParam>(&record));
}

void CWaveHarmWaveTendencyAttribDlg::OnItemChanged()
{
    const int group = GetSelectedGroup();
    const bool orders = harmtrend::GroupHasOrders(group);
    ResetPhaseButtons(orders);
    EnableOrderCombos(orders);
    for (unsigned id : {kStatMax, kStatMin, kStatAvg}) {
        if (wxWindow* control = GetDlgItem(id)) {
            control->Show(true);
        }
    }
    if (orders) {
        HarmTrendAttrib probe;
        ReadRecord(group, probe);
        const int phaseIndex = harmtrend::PhaseIndexOfMask(probe.phases);
        for (int slot = 1; slot <= harmtrend::kPanelSlots; ++slot) {
            FillOrderCombo(OrderCombo(slot), probe.item, phaseIndex);
        }
        SetDefaultOrders();
    }
    if (group == 6056 || group == 6061 || group == 6066) {
        Enable(kKindAngle, true);
    }
    if (group == 6055 || group == 6060 || group == 6065) {
        Enable(kKindRms, true);
        Enable(kKindContent, true);
        CheckRadioButton(kKindRms, kKindAngle, kKindRms);
    }
    if (group == 6066) {
        // Harmonic power has no neutral.
        if (Checked(kPhaseN)) {
            CheckRadioButton(kPhaseL1, kPhaseN, kPhaseL1);
        }
        Enable(kPhaseN, false);
        Enable(kKFactor, false);
        CheckDlgButton(kKFactor, 0);
        Apply();
        return;
    }
    if (orders) {
        Enable(kPhaseN, (WiringPhases() & 8u) != 0);
    }
    if (group == 6075 || group == 6076 || group == 6077) {
        Enable(kKindContent, true);
        CheckRadioButton(kKindRms, kKindAngle, kKindContent);
    }
    if (group >= 6061 && group <= 6064) {
        Enable(kKFactor, true);
        Apply();
        return;
    }
    Enable(kKFactor, false);
    CheckDlgButton(kKFactor, 0);
    Apply();
}

std::uint32_t CWaveHarmWaveTendencyAttribDlg::GetSlotColor(int slot) const
{
    std::uint32_t colour = 0;
    if (m_target) {
        ui::SendMessage(m_target, kMsgSlotColour, reinterpret_cast<ui::WParam>(&colour), slot);
    }
    return colour;
}

void CWaveHarmWaveTendencyAttribDlg::OnSwatchClicked(int slot)
{
    if (IsEnabled(OrderCombo(slot))) {
        PickColor(slot);
    }
}

void CWaveHarmWaveTendencyAttribDlg::PickColor(int slot)
{
    m_colorSlot = slot;
    std::uint32_t current = 0, fallback = 0;
    if (m_target) {
        ui::SendMessage(m_target, kMsgSlotColour, reinterpret_cast<ui::WParam>(&current), slot);
        ui::SendMessage(m_target, kMsgSlotDefaultColour, reinterpret_cast<ui::WParam>(&fallback), slot);
    }
    m_popup.Open(this, ui::GetCursorPos(), current, fallback);
}

void CWaveHarmWaveTendencyAttribDlg::OnColourChosen(std::uint32_t colour)
{
    if (m_colorSlot < 1 || m_colorSlot > harmtrend::kPanelSlots) {
        return;
    }
    if (m_target) {
        ui::SendMessage(m_target, kMsgSetSlotColour, colour, m_colorSlot);
    }
    if (const auto& swatch = m_swatches[static_cast<std::size_t>(m_colorSlot - 1)]) {
        swatch->Invalidate();
    }
    Apply();
}

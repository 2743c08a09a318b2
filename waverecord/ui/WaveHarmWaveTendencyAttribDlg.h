#pragma once
// CWaveHarmWaveTendencyAttribDlg: the attribute panel at the right edge of the
// harmonic trend view. The user picks a quantity group, a phase, the kind of value
// (RMS, content, phase angle), the statistic, up to six orders each with a colour of
// its own, and whether the current K factor is shown too. Every change goes to the
// view at once as a HarmTrendAttrib (kMsgApply); the panel keeps no record of its
// own and shows the view's record once, when it starts.
//
// The six order slots keep their places: a slot's order goes to the view in that
// slot, so its curve is drawn in the slot's colour. A swatch beside each slot shows
// the colour (asked of the view) and opens the colour popup; the colour chosen is
// stored by the view.
//
// Messages to the target (the view), wParam and lParam:
//   kMsgApply          (item, const HarmTrendAttrib*) sent
//   kMsgCurrentRecord  (HarmTrendAttrib* out) sent while the panel starts
//   kMsgToggle         (1, the strip's click lParam) sent: collapse or expand
//   kMsgSlotColour, kMsgSlotDefaultColour (std::uint32_t* out, slot 1-6) sent
//   kMsgSetSlotColour  (colour, slot 1-6) sent

#include <array>
#include <cstdint>
#include <memory>

#include "controls/ColorPopup.h"
#include "controls/ResizeCtrl.h"
#include "platform/ui/Dialog.h"
#include "waverecord/WaveHarmonicTrend.h"

class CWaveHarmWaveTendencyAttribDlg : public ui::Dialog {
public:
    static constexpr unsigned kTemplateId = 157;
    static constexpr unsigned kStripId = 6840;
    static constexpr unsigned kItemCombo = 6701;
    static constexpr unsigned kPhaseL1 = 9525, kPhaseL2 = 9526, kPhaseL3 = 9527, kPhaseN = 9528;
    static constexpr unsigned kKindRms = 6691, kKindContent = 6692, kKindAngle = 6693;
    static constexpr unsigned kStatMax = 9529, kStatMin = 9530, kStatAvg = 9531;
    static constexpr unsigned kHiddenMax = 6502, kHiddenMin = 6503, kHiddenAvg = 6504;
    static constexpr unsigned kFirstOrderCombo = 6694;  // slot k: 6693 + k
    static constexpr unsigned kFirstSwatch = 32887;     // slot k: 32886 + k
    static constexpr unsigned kKFactor = 6700;

    static constexpr unsigned kMsgApply = 0x5F5;
    static constexpr unsigned kMsgCurrentRecord = 0x5FA;
    static constexpr unsigned kMsgToggle = 0x5FB;
    static constexpr unsigned kMsgSlotColour = 0x7E8;
    static constexpr unsigned kMsgSlotDefaultColour = 0x7E9;
    static constexpr unsigned kMsgSetSlotColour = 0x7EA;

    CWaveHarmWaveTendencyAttribDlg();
    ~CWaveHarmWaveTendencyAttribDlg() override;

    // The view the panel reports to; set before the panel is made.
    void SetTarget(ui::Window* target) { m_target = target; }
    ui::Window* GetTarget() const { return m_target; }
    // Makes the panel inside the parent window.
    bool CreatePanel(ui::Window* parent);

    bool OnInitDialog() override;

    void FillItemCombo();
    void ResetPhaseButtons(bool withPhases);
    void EnableOrderCombos(bool enable);
    void SetDefaultOrders();
    void FillOrderCombo(unsigned comboId, int item, int phaseIndex);
    void ShowRecord(const HarmTrendAttrib& record);
    void ReadRecord(int group, HarmTrendAttrib& record);
    int ResolveDCItem(int group);
    void Apply();
    void OnItemChanged();
    // Opens the colour popup for the slot (1-6) beside the pointer.
    void PickColor(int slot);

    // The group selected in the quantity list; 0 when none is.
    int GetSelectedGroup() const;
    int GetColorSlot() const { return m_colorSlot; }
    // The slot's colour as the view keeps it.
    std::uint32_t GetSlotColor(int slot) const;
    CColorPopup& GetColorPopup() { return m_popup; }
    CResizeCtrl& GetResizeCtrl() { return m_strip; }

private:
    class Swatch;

    bool IsEnabled(unsigned id) const;
    void Enable(unsigned id, bool enable);
    bool Checked(unsigned id) const { return IsDlgButtonChecked(id) != 0; }
    void OnSwatchClicked(int slot);
    void OnColourChosen(std::uint32_t colour);

    ui::Window* m_target = nullptr;
    int m_colorSlot = 0;
    CResizeCtrl m_strip{1};
    std::array<std::unique_ptr<Swatch>, harmtrend::kPanelSlots> m_swatches;
    CColorPopup m_popup;
};

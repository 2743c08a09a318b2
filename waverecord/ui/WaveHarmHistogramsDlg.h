#pragma once
// CWaveHarmHistogramsDlg: the attribute panel of the harmonic histogram view, a
// child dialog (template 138) at the view's right edge. It shows the panel state
// (CWaveHarmHistPanelState) in its controls, hands the user's clicks to it and
// sends the resulting record to the chart dialog; its collapse strip asks the view
// to fold the panel away or open it again.

#include <memory>

#include "platform/ui/Dialog.h"
#include "waverecord/WaveHarmHistPanel.h"

class CResizeCtrl;

class CWaveHarmHistogramsDlg : public ui::Dialog {
public:
    static constexpr unsigned kTemplateId = 138;
    static constexpr unsigned kGroupList = 8005;
    static constexpr unsigned kKindRadios[3] = {6570, 6571, 6578};
    static constexpr unsigned kPhaseRadios[4] = {6574, 6575, 6576, 6577};
    static constexpr unsigned kStatBoxes[4] = {6579, 6580, 6581, 6582};
    static constexpr unsigned kFirstOrderBox = 8007;
    static constexpr unsigned kOtherOrders = 6910;
    static constexpr unsigned kThdBox = 8032, kDcBox = 8033, kKfBox = 8034;
    static constexpr unsigned kDefaults = 6927;
    static constexpr unsigned kSelectAll = 6928;
    static constexpr unsigned kStripId = 6840;
    // To the view: fold or open the panel.
    static constexpr unsigned kMsgToggle = 0x5FB;

    CWaveHarmHistogramsDlg();
    ~CWaveHarmHistogramsDlg() override;

    // The chart dialog (records) and the view (the strip's clicks, the focus).
    void SetTarget(ui::Window* target) { m_target = target; }
    void SetView(ui::Window* view) { m_view = view; }

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    CWaveHarmHistPanelState& State() { return m_state; }
    // Shows the state in the controls.
    void Sync();
    // Reads the record and sends it to the chart dialog.
    void Apply();

private:
    // Reads what the user set in the controls into the state.
    void ReadControls();
    void Changed(bool itemChanged);

    ui::Window* m_target = nullptr;
    ui::Window* m_view = nullptr;
    CWaveHarmHistPanelState m_state;
    std::unique_ptr<CResizeCtrl> m_strip;
    bool m_syncing = false;
};

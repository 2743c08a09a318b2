#pragma once
// CDlgPanelLite: the strip of check boxes (L1, L2, L3, N and the effective-value
// row) that a waveform pane places in its viewer's toolbar. A click posts
// kMsgPhaseBox to the target window with the box and its new state.

#include "platform/ui/Dialog.h"
#include "views/data/ComtradePaneLogic.h"

class wxCheckBox;

class CDlgPanelLite : public ui::Dialog, public IPhaseBoxes {
public:
    static constexpr unsigned kTemplateId = 150;
    static constexpr unsigned kBoxIds[6] = {0, 9504, 9502, 9503, 9509, 32883};

    CDlgPanelLite();

    void SetTarget(ui::Window* target) { m_pTarget = target; }
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    void SetCheck(int index, int state) override;
    void Enable(int index, bool enable) override;
    int IsChecked(int index) override;
    // The box's control (null outside 1-5), for tests that click it.
    wxCheckBox* GetBox(int index) const;

private:
    ui::Window* m_pTarget = nullptr;
};

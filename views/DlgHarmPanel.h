#pragma once
// CDlgHarmPanel: the window of the harmonic selection panel, a modeless child dialog
// made from template 144 on the right of the histogram frame. It shows the state of
// its CHarmPanelState (family list, value type, phases, statistics, order, THD, DC
// and KF boxes) and hands the user's selections and clicks to it; the collapse strip
// along its left edge keeps the panel's full height, and its click goes on to the
// owner window.

#include "platform/ui/Dialog.h"
#include "views/HarmPanelState.h"
#include "views/PanelStrip.h"

class CDlgHarmPanel : public ui::Dialog {
public:
    static constexpr unsigned kTemplateId = 144;

    CDlgHarmPanel(const DialogTemplateInfo* info, CHarmPanelState& state);
    ~CDlgHarmPanel() override;

    // The window that receives the collapse strip's click (the histogram frame).
    void SetOwner(ui::Window* owner) { m_Owner = owner; }

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    // Shows the state.
    void Sync();

    CHarmPanelState& State() { return m_State; }

private:
    CHarmPanelState& m_State;
    ui::Window* m_Owner = nullptr;
    CPanelStrip m_Strip;
    bool m_Syncing = false;
};

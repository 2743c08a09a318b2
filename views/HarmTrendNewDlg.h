#pragma once
// CHarmTrendNewDlg: the window of the harmonic trend frame's attribute panel, a
// caption-less child dialog (template 149) at the right of the frame. It shows the
// state of its CHarmTrendPanel (quantities, phases, statistic, value type, the six
// order lists with their colour swatches, the K factor) and hands the user's
// choices to it. A click on a swatch opens the colour chooser; the chosen colour
// comes back as kMsgColorChosen. Esc, Enter and Alt+F4 leave the panel as it is.

#include <array>

#include "platform/ui/Dialog.h"
#include "views/HarmTrendPanel.h"
#include "views/PanelStrip.h"

class wxWindow;

class CHarmTrendNewDlg : public ui::Dialog {
public:
    // The colour chooser's answer: wParam the colour.
    static constexpr unsigned kMsgColorChosen = 0x272C;
    // The panel's own message; wParam kExchange: lParam 0 shows the state.
    static constexpr unsigned kMsgPanelCommand = 0x4C9;
    static constexpr ui::WParam kExchange = 6;

    CHarmTrendNewDlg(const DialogTemplateInfo* info, CHarmTrendPanel& panel);
    ~CHarmTrendNewDlg() override;

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    // Shows the panel's state.
    void Sync();
    // The painted swatch of order list k (0 to 5), or null.
    wxWindow* Swatch(int k) const { return m_Swatches[static_cast<std::size_t>(k)]; }

private:
    void OnSwatch(int k);

    CHarmTrendPanel& m_Panel;
    CPanelStrip m_Strip;
    std::array<wxWindow*, 6> m_Swatches{};
    bool m_Syncing = false;
};

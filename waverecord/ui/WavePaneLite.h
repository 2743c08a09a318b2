#pragma once
// CWavePaneLite: the strip of four channel boxes (L1, L2, L3, N) that the
// raw-waveform pane places in its viewer's toolbar. The boxes the record's wiring
// does not have are disabled; a click tells the target window which channel was
// switched (kMsgChannel, wParam checked, lParam 4 | channel << 16).

#include <cstdint>

#include "platform/ui/Dialog.h"

class CWavePaneLite : public ui::Dialog {
public:
    static constexpr unsigned kTemplateId = 136;
    static constexpr unsigned kMsgChannel = 0x469;
    static constexpr unsigned kBoxes[4] = {9504, 9502, 9503, 9509};

    CWavePaneLite();

    void SetTarget(ui::Window* target) { m_target = target; }
    std::uint32_t GetCheckedMask() const { return m_checked; }
    // Every channel the open record's wiring has is enabled and checked, the others
    // are disabled.
    void InitFromWiring(std::uint32_t phaseMask);

    bool OnInitDialog() override;

private:
    void Clicked(int channel);

    ui::Window* m_target = nullptr;
    std::uint32_t m_checked = 0;
};

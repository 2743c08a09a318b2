#pragma once
// CWaveMainView: the frame's waveform-record client, the window that covers the
// frame's client area while a raw waveform record is shown. Until the waveform
// analysis window fills it, it is an empty window of its own id with no panes.

#include "platform/ui/Window.h"

class CWaveMainView : public ui::Window {
public:
    CWaveMainView();

    // Asks the second pane to get its data ready; false without panes.
    bool PostToOtherPane() { return false; }

    static constexpr unsigned kControlId = 59649;
};

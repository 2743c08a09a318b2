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
    // Posted (no parameters) before statistic data is opened in its place: closes
    // the open record, releases its analysis data and clears its panes.
    static constexpr unsigned kMsgClearRecord = 0x467;
    // Sent with wParam the address of the record's folder (a const std::wstring):
    // opens the record; nonzero when it opened.
    static constexpr unsigned kMsgOpenRecord = 0x466;
};

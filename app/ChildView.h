#pragma once
// CChildView: the frame's statistic client, the window that covers the frame's
// client area while no waveform record is shown. It paints its background only;
// the start page and the data views are placed on it.

#include "platform/ui/Window.h"

class CChildView : public ui::Window {
public:
    CChildView();

    static constexpr unsigned kControlId = 59648;
};

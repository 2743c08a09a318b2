#pragma once
// The sub-codes of a statistic record frame's own message that only drive its viewer
// (refresh, zoom to fit, data length), shared by the frames whatever rows they keep.

#include <cstdint>

class ITracelume;

namespace recordview {

enum ViewerCommand : unsigned {
    kRefresh = 0,    // Refresh and RefreshAll
    kZoomAll = 1,
    kSetLength = 2,  // the data length lParam, 64 bits
};

// Whether the viewer exists and has its window.
bool HasViewerWindow(ITracelume* viewer);

// Carries out a viewer sub-code when the viewer has its window; false for any other
// sub-code, which the frame handles itself.
bool ApplyViewerCommand(ITracelume* viewer, unsigned subCode, std::intptr_t lParam);

}  // namespace recordview

#include "views/ViewerCommands.h"

#include "lib/viewer/data/Tracelume.h"

namespace recordview {

bool HasViewerWindow(ITracelume* viewer)
{
    return viewer != nullptr && viewer->GetHwnd() != nullptr;
}

bool ApplyViewerCommand(ITracelume* viewer, unsigned subCode, std::intptr_t lParam)
{
    switch (subCode) {
    case kRefresh:
        if (HasViewerWindow(viewer)) {
            viewer->Refresh();
            viewer->RefreshAll();
        }
        return true;
    case kZoomAll:
        if (HasViewerWindow(viewer)) {
            viewer->ZoomAll();
        }
        return true;
    case kSetLength:
        if (HasViewerWindow(viewer)) {
            const auto length = static_cast<std::uint64_t>(static_cast<std::int64_t>(lParam));
            viewer->SetDataLength(static_cast<std::uint32_t>(length), static_cast<std::uint32_t>(length >> 32));
        }
        return true;
    default:
        return false;
    }
}

}  // namespace recordview

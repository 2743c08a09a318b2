#pragma once
// IViewPlatform: what the viewer view needs of the window system beyond its panes:
// the view's own window inside the host's, a window for each pane, the time box,
// the host's tool strip, the relayout message, and the dialogs (file name, yes/no,
// marks list, clipboard). The toolkit side implements it; without one the view
// runs headless (no windows, dialogs answer "cancel").

#include <string>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Geometry.h"

class IMarkManager;
class wxWindow;

namespace tracelume {

class CPane;
class CTracelumeView;

class IViewPlatform {
public:
    virtual ~IViewPlatform() = default;

    // Makes the view's window inside the host's window, the time box, and a window
    // for every pane the view holds (attached as their surfaces). False when the
    // view's window cannot be made.
    virtual bool CreateWindows(CTracelumeView& view) = 0;
    // A window for a pane made later, as a child of another pane's window.
    virtual void CreatePaneWindow(CPane& pane, CPane& parent) = 0;
    // The view's window; null before it is made.
    virtual wxWindow* Handle() = 0;
    // Asks for the view's relayout and repaint once the current work is done.
    virtual void PostRefresh() = 0;
    virtual void PlaceTimeBox(const gfx::Rect& rect, bool visible) = 0;
    virtual void SetTimeBoxText(const std::wstring& text) = 0;
    // Takes the host's window into the toolbar (null: gives the current one back,
    // hidden). 0 when there is no view window.
    virtual int SetToolStrip(wxWindow* strip) = 0;
    // Places the strip with its top-left corner at the point, at most maxWidth wide.
    virtual void PlaceToolStrip(gfx::Point topLeft, double maxWidth, bool visible) = 0;

    // The file to save a picture to; empty when the user cancels.
    virtual std::wstring AskSaveFile(const std::wstring& filter, const std::wstring& defaultExtension) = 0;
    // True for yes.
    virtual bool AskYesNo(const std::wstring& text) = 0;
    virtual void ShowError(const std::wstring& text) = 0;
    // The marks dialog: the index of the mark chosen, -1 for none.
    virtual int ChooseMark(IMarkManager& marks, double rate) = 0;
    virtual bool CopyToClipboard(const gfx::Bitmap& picture) = 0;
    // The hourglass while long work runs.
    virtual void SetBusy(bool busy) = 0;
};

}  // namespace tracelume

#pragma once
// CViewWindow: the viewer's windows in the toolkit. It makes the view's window
// inside the host's, a CPaneWindow for every pane, the read-only time box in the
// toolbar, and holds the host's tool strip; it runs the relayout message and the
// dialogs the view asks for (save file, yes/no, marks list) and the clipboard.

#include <memory>
#include <vector>

#include <wx/weakref.h>
#include <wx/window.h>

#include "lib/viewer/panes/ViewPlatform.h"

class wxTextCtrl;

namespace tracelume {

class CPaneWindow;

class CViewWindow final : public IViewPlatform {
public:
    // The host's window, which the viewer's window goes into.
    explicit CViewWindow(wxWindow* parent);
    ~CViewWindow() override;

    bool CreateWindows(CTracelumeView& view) override;
    void CreatePaneWindow(CPane& pane, CPane& parent) override;
    wxWindow* Handle() override;
    void PostRefresh() override;
    void PlaceTimeBox(const gfx::Rect& rect, bool visible) override;
    void SetTimeBoxText(const std::wstring& text) override;
    int SetToolStrip(wxWindow* strip) override;
    void PlaceToolStrip(gfx::Point topLeft, double maxWidth, bool visible) override;
    std::wstring AskSaveFile(const std::wstring& filter, const std::wstring& defaultExtension) override;
    bool AskYesNo(const std::wstring& text) override;
    void ShowError(const std::wstring& text) override;
    int ChooseMark(IMarkManager& marks, double rate) override;
    bool CopyToClipboard(const gfx::Bitmap& picture) override;
    void SetBusy(bool busy) override;

private:
    CPaneWindow* WindowOf(const CPane& pane) const;
    CPaneWindow* Add(CPane& pane, const char* name, wxWindow* parent, std::uint32_t style);
    void ReleaseStrip();

    wxWindow* m_parent;
    CTracelumeView* m_view = nullptr;
    std::unique_ptr<CPaneWindow> m_viewWindow;
    std::vector<std::unique_ptr<CPaneWindow>> m_panes;
    wxTextCtrl* m_timeBox = nullptr;
    // Null once the strip's window goes, wherever that happens.
    wxWeakRef<wxWindow> m_strip;
    // The strip's own size as the host gave it: the toolbar shows as much of it as
    // there is room for, and all of it again once the room grows.
    wxSize m_stripSize;
    bool m_refreshPending = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace tracelume

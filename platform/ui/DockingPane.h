#pragma once
// One docking pane: a window shown in a tab of a pane group around a frame's
// client area, found by its id. A pane is created shown; closing hides it and
// keeps it (with its window) until the manager goes, so showing it again brings
// back the same window in the same group. The window is attached by whoever made
// the pane; until then the pane shows an empty page.

#include <string>

#include <wx/gdicmn.h>

class wxWindow;

namespace ui {

class DockingPaneManager;
struct DockGroup;

// Enable values of a pane: what the user may do with it.
inline constexpr int kPaneDisabled = 0;
inline constexpr int kPaneEnableActions = 1;  // its tab can be chosen
inline constexpr int kPaneEnableClient = 2;   // its window takes input
inline constexpr int kPaneEnabled = kPaneEnableActions | kPaneEnableClient;

class DockingPane {
public:
    DockingPane(DockingPaneManager& manager, unsigned id) : m_manager(manager), m_id(id) {}
    DockingPane(const DockingPane&) = delete;
    DockingPane& operator=(const DockingPane&) = delete;

    unsigned GetId() const { return m_id; }

    // Brings the pane to the front of its group and makes it the active pane
    // (the frame's window is told); a closed pane stays closed.
    void Select();
    void Close();
    bool IsClosed() const { return m_closed; }
    // The front pane of its group, and shown.
    bool IsSelected() const;
    // A window is attached.
    bool IsValid() const { return m_window != nullptr; }

    // The pane shows this window from now on (the pane does not own it).
    void Attach(wxWindow* window);
    wxWindow* GetWindow() const { return m_window; }

    void SetTitle(const std::wstring& title);
    const std::wstring& GetTitle() const { return m_title; }
    void SetTabCaption(const std::wstring& caption);
    const std::wstring& GetTabCaption() const { return m_tabCaption; }
    // Limits of the pane's size; 0 leaves a side free.
    void SetMinTrackSize(const wxSize& size);
    void SetMaxTrackSize(const wxSize& size);
    const wxSize& GetMinTrackSize() const { return m_minSize; }
    const wxSize& GetMaxTrackSize() const { return m_maxSize; }

    int GetEnabled() const { return m_enabled; }
    void SetEnabled(int enabled);

    DockGroup* GetGroup() const { return m_group; }

private:
    friend class DockingPaneManager;

    DockingPaneManager& m_manager;
    unsigned m_id;
    DockGroup* m_group = nullptr;
    bool m_closed = false;
    wxWindow* m_window = nullptr;
    std::wstring m_title;
    std::wstring m_tabCaption;
    wxSize m_minSize{0, 0};
    wxSize m_maxSize{0, 0};
    int m_enabled = kPaneEnabled;
};

}  // namespace ui

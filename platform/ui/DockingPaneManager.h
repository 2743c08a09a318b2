#pragma once
// Docking panes around a frame's client area, on wxAUI. Panes are kept by id in
// groups; a group shows its shown panes as tabs (at the top) under a caption that
// carries the front pane's title, and docks along a side of the frame's body or
// fills what the sides leave. With the client hidden, the shown groups fill the
// body and the client area appears only while no pane is shown.
//
// The manager's state (panes, groups, front panes, what is shown) changes at once
// with every call; the windows follow at the next turn of the event loop, or at
// once with Realize, so that a run of calls is laid out once. A window attached to
// a pane is taken out of sight at once, wherever it was made, and shows only in its
// pane's tab.
//
// The frame hears of the panes through kMsgDockingPaneNotify, sent with a code in
// wParam and, in lParam, the pane or an action record that lives while the send
// runs:
//   kDockNotifyShowWindow  a pane is about to be shown without a window (lParam:
//                          the DockingPane); attaching one now shows it at once;
//   kDockNotifyPaneClosed  the user closed a pane with its caption's close button
//                          (lParam: the DockingPane, closed by then);
//   kDockNotifyAction      (lParam: DockingPaneAction) kPaneActionActivated when a
//                          pane became the active one (selected by the program or
//                          the user, or the focus went into it), and
//                          kPaneActionDragging when a group appears: setting
//                          cancel keeps the user from dragging its panes about.
//
// The panes usually dock around a frame's client area; any window can hold them,
// with a client window of its own (InstallDockingPanes with a site).

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <wx/gdicmn.h>

#include "platform/gfx/Color.h"
#include "platform/ui/DockLayout.h"
#include "platform/ui/DockTheme.h"
#include "platform/ui/DockingPane.h"

class wxAuiManager;
class wxAuiNotebook;
class wxWindow;
class wxBitmap;

namespace ui {

class Frame;
class Window;

inline constexpr unsigned kMsgDockingPaneNotify = 0x2AAD;
inline constexpr int kDockNotifyShowWindow = 1;
inline constexpr int kDockNotifyPaneClosed = 3;
inline constexpr int kDockNotifyAction = 4;
inline constexpr int kPaneActionActivated = 14;
inline constexpr int kPaneActionDragging = 17;

struct DockingPaneAction {
    int action = 0;
    int cancel = 0;
    DockingPane* pane = nullptr;  // the activated pane; for dragging, the group's first pane
};

enum class DockDirection { Left, Right, Top, Bottom };

// A group of panes shown as tabs; internal to the manager but named by panes.
struct DockGroup {
    DockPlace place = DockPlace::Left;
    wxSize bestSize{200, 200};
    std::vector<DockingPane*> panes;  // every member, in tab order
    DockingPane* selected = nullptr;
    bool movable = true;
    wxAuiNotebook* book = nullptr;
    std::string name;  // the wxAUI pane's name
};

class DockingPaneManager {
public:
    DockingPaneManager();
    ~DockingPaneManager();
    DockingPaneManager(const DockingPaneManager&) = delete;
    DockingPaneManager& operator=(const DockingPaneManager&) = delete;

    // Takes over the frame's body: its client area becomes the middle, panes dock
    // around it. False when the frame has no window or panes are installed already.
    bool InstallDockingPanes(Frame& site);
    // The same in any window: the panes dock inside `body` around `client` (a child
    // of body), and the site hears of them.
    bool InstallDockingPanes(Window& site, Window& body, Window& client);
    // The site is going: from now on nothing is laid out and the site hears nothing
    // (windows still leave their tabs as their owners destroy them).
    void ReleaseSite();
    void SetTheme(std::shared_ptr<DockTheme> theme);
    void HideClient(bool hide);
    // The picture is a strip of square images (as wide as it is high), one per id
    // in order; pixels of the key colour are transparent. A pane whose id is among
    // them shows its image in its tab.
    void SetIcons(int picture, const std::vector<unsigned>& ids, gfx::Color transparent);

    // A new shown pane in a group of its own: along the direction's side, or, with
    // a neighbour, beside the neighbour's group (to its right it fills what the
    // sides leave). Null when the id exists already or panes are not installed.
    DockingPane* CreatePane(unsigned id, const wxRect& rect, DockDirection direction, DockingPane* neighbour);
    // Moves the pane into the target's group as its last tab; a pane attached to
    // itself or to its own group stays where it is.
    void AttachPane(DockingPane* pane, DockingPane* target);
    DockingPane* FindPane(unsigned id) const;
    // Takes the pane away for good; its window (not the manager's) is left hidden
    // in the body, for its owner to destroy.
    void DestroyPane(DockingPane* pane);
    // Called with a group's front pane and its caption's rectangle (in the body's
    // pixels) each time the caption is drawn, so that the program can put windows
    // of its own into the caption.
    using CaptionHook = std::function<void(DockingPane& pane, const wxRect& caption)>;
    void SetCaptionHook(CaptionHook hook) { m_captionHook = std::move(hook); }
    // Shows a closed pane again in its group (brought to the front when asked).
    void ShowPane(DockingPane* pane, bool select);
    bool IsPaneSelected(unsigned id) const;
    void CloseAll();
    std::size_t GetPaneCount() const { return m_panes.size(); }
    DockingPane* GetActivePane() const { return m_active; }

    DockLayout GetLayout() const;
    // Replaces every pane by the layout's, made without windows and not active.
    void SetLayout(const DockLayout& layout);
    // Under the name in the user's profile.
    bool SaveLayout(const std::wstring& name) const;
    // Nothing when no layout is stored under the name (the reason left empty) or
    // when it cannot be read (the reason said).
    static std::optional<DockLayout> LoadLayout(const std::wstring& name, std::wstring& problem);

    // Lays the windows out now.
    void Realize();
    // While one lives, changes wait: the windows follow once, when the last hold
    // ends (a load that shows, closes and captions many panes lays them out once).
    class LayoutHold {
    public:
        explicit LayoutHold(DockingPaneManager& manager);
        ~LayoutHold();
        LayoutHold(const LayoutHold&) = delete;
        LayoutHold& operator=(const LayoutHold&) = delete;

    private:
        DockingPaneManager& m_manager;
    };
    bool IsClientShown() const;
    // The group's wxAUI pane is shown and takes what the sides leave.
    bool IsFilling(const DockGroup& group) const;

private:
    friend class DockingPane;
    class TabArt;
    class CaptionArt;

    void Changed();
    void Activate(DockingPane* pane);
    void SendAction(DockingPaneAction& action);
    DockGroup* NewGroup(DockPlace place, const wxSize& best);
    void RemoveFromGroup(DockingPane* pane);
    // True when the group's place, size limits, caption or pages changed.
    bool RealizeGroup(DockGroup& group);
    // Puts a pane's window out of sight in the body until a tab shows it.
    void Park(wxWindow* window);
    wxWindow* PageOf(DockingPane& pane);
    void WindowGoing(wxWindow* window);
    DockingPane* PaneOfPage(const wxAuiNotebook* book, int page) const;
    void BindBook(DockGroup& group);
    const wxBitmap* IconOf(unsigned id) const;

    Window* m_site = nullptr;
    CaptionHook m_captionHook;
    std::unique_ptr<wxAuiManager> m_aui;
    std::shared_ptr<DockTheme> m_theme;
    bool m_hideClient = false;
    std::vector<std::unique_ptr<DockingPane>> m_panes;
    std::vector<std::unique_ptr<DockGroup>> m_groups;
    std::map<unsigned, wxWindow*> m_placeholders;
    std::map<unsigned, wxBitmap> m_icons;
    DockingPane* m_active = nullptr;
    int m_nextGroup = 1;
    bool m_pending = false;
    bool m_realizing = false;
    bool m_layoutStale = false;  // the body must be laid out again whatever the groups say
    bool m_released = false;
    int m_holds = 0;
    // What queued layouts capture, so that one arriving after the manager went does nothing.
    std::shared_ptr<DockingPaneManager*> m_self;
};

}  // namespace ui

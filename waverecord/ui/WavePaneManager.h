#pragma once
// CWavePaneManager: the docking panes of one window of the waveform-record window
// (the main view's two panes, the statistic area's views). It numbers its panes
// from 1000 and never reuses an id, makes the view that belongs to a pane's kind,
// hands messages to the views in the order the panes were made, and tells its owner
// when the user closed a pane (kMsgPaneClosed, wParam the pane id, lParam the kind)
// so that the owner removes it.
//
// A pane's size is locked (its track sizes apply, it is shown) or free (hidden, it
// yields its place to the others): the main view shows and hides its two panes so.

#include <list>
#include <map>
#include <memory>

#include "platform/ui/DockingPaneManager.h"
#include <wx/weakref.h>

#include "waverecord/ui/WavePaneButton.h"
#include "waverecord/ui/WavePaneView.h"

class CWavePaneManager {
public:
    static constexpr unsigned kMsgPaneClosed = 0x721;
    static constexpr int kRawKind = 10076;
    static constexpr int kStatisticKind = 5980;
    static constexpr int kHistogramKind = 5979;
    static constexpr int kFirstId = 1000;

    CWavePaneManager();
    ~CWavePaneManager();
    CWavePaneManager(const CWavePaneManager&) = delete;
    CWavePaneManager& operator=(const CWavePaneManager&) = delete;

    // Installs the panes in the owner window; false when installed already.
    bool Install(ui::Window& owner, bool captionButtons);
    // The same with the panes in a body window of the owner's (a column that the
    // owner scrolls); the owner still hears of them.
    bool Install(ui::Window& owner, ui::Window& body, bool captionButtons);
    // A new pane of the kind along the direction (0 left, 1 right, 2 top, 3 bottom);
    // its id. A kind without a registered view gets an id but no pane.
    int CreatePane(int kind, int direction);
    // Takes the pane and its view away; false for an unknown id.
    bool RemovePane(int id);
    void RemoveAllPanes();
    int GetFirstPaneId() const;
    int GetNextPaneId(int id) const;
    int GetPaneCount() const { return static_cast<int>(m_ids.size()); }
    ui::LResult SendToPane(int id, unsigned message, ui::WParam wParam, ui::LParam lParam);
    CWavePaneView* GetView(int id) const;
    int GetKind(int id) const;
    bool HasNonHistogramPane() const;
    // The docking layer's notification (kMsgDockingPaneNotify), passed on by the owner.
    ui::LResult OnPaneNotify(ui::WParam code, ui::LParam pane);

    bool IsPaneSizeFree(int id) const;
    void LockPaneSize(int id);
    void UnlockPaneSize(int id);
    void CloseAll();
    ui::DockingPaneManager& Docking() { return m_docking; }
    // The clear button in a pane's caption (panes after the first, with caption
    // buttons on); null when it has none yet.
    CWavePaneButton* GetCaptionButton(int id) const;

private:
    void PlaceCaptionButton(ui::DockingPane& pane, const wxRect& caption);

    struct Record {
        int kind = 0;
        ui::DockingPane* pane = nullptr;
        std::unique_ptr<CWavePaneView> view;
        bool locked = true;
        // A child of the owner's window, gone with it.
        wxWeakRef<CWavePaneButton> button;
    };

    int m_nextId = kFirstId;
    ui::Window* m_owner = nullptr;
    ui::Window* m_body = nullptr;
    std::unique_ptr<ui::Window> m_client;
    ui::DockingPaneManager m_docking;
    std::list<int> m_ids;
    std::map<int, Record> m_records;
    std::map<int, int> m_kinds;
};

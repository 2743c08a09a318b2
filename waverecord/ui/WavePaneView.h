#pragma once
// CWavePaneView: a window that a pane of the waveform-record window holds (the
// raw-waveform pane, the statistic area, each statistic view). It knows the window
// it reports to and, for the statistic views, the id of its pane. The pane manager
// makes views by kind through factories that the views register.

#include <functional>
#include <memory>

#include "platform/ui/Window.h"

class CWavePaneView : public ui::Window {
public:
    void SetOwnerWindow(ui::Window* owner) { m_owner = owner; }
    ui::Window* GetOwnerWindow() const { return m_owner; }
    void SetPaneId(int id) { m_paneId = id; }
    int GetPaneId() const { return m_paneId; }
    // Called once the view's window exists, before its pane shows it.
    virtual void OnViewCreated() {}
    // Whether the view writes a table when the window exports (a view without one
    // is not a failed export).
    virtual bool HasTableExport() const { return true; }
    // Why the view's last export wrote no table (errno; ENOSPC when the disk is
    // full), 0 when it wrote one or the reason is not known.
    virtual int GetExportError() const { return 0; }

private:
    ui::Window* m_owner = nullptr;
    int m_paneId = 0;
};

using WaveViewFactory = std::function<std::unique_ptr<CWavePaneView>()>;

// Registers the view made for panes of a kind (replacing one registered before).
void RegisterWaveView(int kind, WaveViewFactory factory);
WaveViewFactory FindWaveView(int kind);

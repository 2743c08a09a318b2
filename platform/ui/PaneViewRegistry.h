#pragma once
// Who makes the view a docking pane shows, by pane id. The areas that own the
// views (record views, the waveform-record window) register their factories when
// the program starts, before the main frame is made; the program's pane manager
// asks here when it first shows a pane. The registry lives in the window layer so
// that those areas, which sit below the program, need nothing of it to fill it.
//
// A factory is called on the user-interface thread with the window that will host
// the pane (the main frame) and returns the view's window, created as a child of
// it, or null when the view could not be made. The pane manager owns what it gets.

#include <functional>
#include <memory>

namespace ui {

class Window;

using PaneViewFactory = std::function<std::unique_ptr<Window>(Window& host)>;

// Replaces an earlier factory of the same id; an empty function removes it.
void RegisterPaneView(unsigned paneId, PaneViewFactory factory);
// The factory of the id; an empty function when none is registered.
PaneViewFactory FindPaneView(unsigned paneId);

}  // namespace ui

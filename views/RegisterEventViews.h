#pragma once
// Puts the factories of the transient-event and alarm-event views (panes 40001 to
// 40005) into the window layer's pane registry; the program calls it once at start.

void RegisterEventViews();

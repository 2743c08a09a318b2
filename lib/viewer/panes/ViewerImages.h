#pragma once
// The viewer's own pictures, drawn for this library: the 16 x 16 toolbar images
// and the cursors of its panes (32 x 32 with a hot spot).

#include "platform/gfx/Bitmap.h"

namespace tracelume {

// The toolbar image of a command; empty for a command without one.
gfx::Bitmap ToolbarImage(unsigned command);

struct CursorImage {
    gfx::Bitmap picture;
    int hotX = 0;
    int hotY = 0;
};
// The cursor picture of a cursor id of Pane.h's own cursors (4003 and up);
// empty for the system's shapes.
CursorImage CursorPicture(int cursor);

}  // namespace tracelume

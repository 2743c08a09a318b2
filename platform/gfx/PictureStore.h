#pragma once
// The program's pictures by resource id: PNG images drawn for this program, shipped
// in the program folder as Pictures/<id>.png (a strip of several images is one
// picture). Every area adds its own files; the ids are the resource ids the windows
// and views ask for. A missing or unreadable picture is an empty bitmap, which
// draws nothing.

#include "platform/gfx/Bitmap.h"

namespace gfx {

Bitmap LoadPicture(int id);

}  // namespace gfx

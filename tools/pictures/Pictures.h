#pragma once
// The shell's pictures, drawn for this program: the ribbon's icon strips (32 x 32
// images side by side, in the order of their buttons), the small tab-row icons,
// the application button and exit icons, the program icon, the pane icons (16 x 16
// on a green key colour) and the start page's background. Drawn with shapes only,
// no text, so the same code gives the same pixels wherever it runs; the PNG files
// beside the program (resources/Pictures) are made from it by ondrava-pictures.

#include <vector>

#include "platform/gfx/Bitmap.h"

namespace pictures {

struct Picture {
    int id;
    gfx::Bitmap bitmap;
};

std::vector<Picture> DrawShellPictures();

}  // namespace pictures

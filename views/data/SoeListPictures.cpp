#include "views/data/SoeListPictures.h"

#include "platform/gfx/Context.h"

gfx::Bitmap DrawSoeListPicture(int kind)
{
    gfx::Bitmap picture(kSoePictureWidth, kSoePictureHeight);
    if (picture.IsEmpty()) {
        return picture;
    }
    gfx::Context dc(picture);
    dc.FillRect(gfx::Rect::FromSize(0, 0, kSoePictureWidth, kSoePictureHeight), gfx::Brush(gfx::Color{255, 255, 255, 255}));
    const gfx::Color line{96, 96, 96, 255};
    dc.SetPen(gfx::Pen{line, 1.0, gfx::PenStyle::Solid});
    if (kind == 0 || kind == 1) {
        // A box with a minus, and the plus's upright while the block is closed.
        dc.SetBrush(gfx::Brush(gfx::Color{255, 255, 255, 255}));
        dc.Rectangle(gfx::Rect::FromSize(1, 2, 9, 9));
        dc.DrawLine({3, 6.5}, {8, 6.5});
        if (kind == 0) {
            dc.DrawLine({5.5, 4}, {5.5, 9});
        }
    } else {
        // A branch from the block's line to the event; the last one ends the line.
        dc.DrawLine({5.5, 0}, {5.5, kind == 3 ? 6.5 : static_cast<double>(kSoePictureHeight)});
        dc.DrawLine({5.5, 6.5}, {10, 6.5});
    }
    return picture;
}

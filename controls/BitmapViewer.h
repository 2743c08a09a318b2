#pragma once
// Shows one of the program's pictures stretched over the whole control; with no
// picture (none set, or an id the program folder lacks) only the background.

#include "platform/gfx/Bitmap.h"
#include "platform/ui/CustomControl.h"

class CBitmapViewer : public ui::CustomControl {
public:
    CBitmapViewer() = default;

    // Lets go of the current picture and shows the one of that id.
    void SetBitmap(int pictureId);
    bool HasBitmap() const { return !m_bitmap.IsEmpty(); }

protected:
    void OnDraw(cairo_t* context, int width, int height) override;

private:
    gfx::Bitmap m_bitmap;
};

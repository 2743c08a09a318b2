#include "controls/BitmapViewer.h"

#include "controls/ControlDrawing.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/PictureStore.h"

void CBitmapViewer::SetBitmap(int pictureId) {
    m_bitmap = gfx::Bitmap();
    Invalidate();
    m_bitmap = gfx::LoadPicture(pictureId);
}

void CBitmapViewer::OnDraw(cairo_t* context, int width, int height) {
    gfx::Context dc(context);
    controls::DrawStretched(dc, m_bitmap, width, height);
}

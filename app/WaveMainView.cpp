#include "app/WaveMainView.h"

#include "platform/gfx/Context.h"

CWaveMainView::CWaveMainView() {
    SetPaintHandler([](cairo_t* target, int width, int height) {
        gfx::Context context(target);
        context.FillRect(gfx::Rect::FromSize(0, 0, width, height), gfx::Brush(gfx::Color{255, 255, 255}));
    });
}

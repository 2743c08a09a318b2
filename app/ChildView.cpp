#include "app/ChildView.h"

#include "platform/gfx/Context.h"

namespace {

// The light grey-green behind the start page, RGB(232, 236, 236).
constexpr gfx::Color kBackground{232, 236, 236};

}  // namespace

CChildView::CChildView() {
    SetPaintHandler([](cairo_t* target, int width, int height) {
        gfx::Context context(target);
        context.FillRect(gfx::Rect::FromSize(0, 0, width, height), gfx::Brush(kBackground));
    });
}

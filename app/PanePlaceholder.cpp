#include "app/PanePlaceholder.h"

#include "platform/gfx/Context.h"

CPanePlaceholder::CPanePlaceholder() {
    SetPaintHandler([](cairo_t* target, int width, int height) {
        gfx::Context context(target);
        context.FillRect(gfx::Rect::FromSize(0, 0, width, height), gfx::Brush(gfx::Color{255, 255, 255}));
    });
}

int CPanePlaceholder::OnUpdate(std::uint32_t, std::uintptr_t, std::uintptr_t) { return 0; }

void CPanePlaceholder::Release() {
    DestroyWindow();
}

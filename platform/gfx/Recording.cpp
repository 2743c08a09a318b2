#include "platform/gfx/Recording.h"

#include <utility>

#include "platform/gfx/Context.h"
#include "platform/gfx/VectorCapture.h"
#include "platform/gfx/VectorDrawing.h"

namespace gfx {

Recording::Recording(double width, double height) {
    if (!(width > 0) || !(height > 0)) {
        return;
    }
    const cairo_rectangle_t extent{0, 0, width, height};
    cairo_surface_t* surface = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extent);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return;
    }
    m_surface = surface;
    m_vector = std::make_shared<VectorDrawing>(width, height);
    m_width = width;
    m_height = height;
}

Recording::~Recording() {
    if (m_surface != nullptr) {
        cairo_surface_destroy(m_surface);
    }
}

Recording::Recording(Recording&& other) noexcept
    : m_surface(std::exchange(other.m_surface, nullptr)),
      m_vector(std::move(other.m_vector)),
      m_width(std::exchange(other.m_width, 0.0)),
      m_height(std::exchange(other.m_height, 0.0)) {}

Recording& Recording::operator=(Recording&& other) noexcept {
    if (this != &other) {
        if (m_surface != nullptr) {
            cairo_surface_destroy(m_surface);
        }
        m_surface = std::exchange(other.m_surface, nullptr);
        m_vector = std::move(other.m_vector);
        m_width = std::exchange(other.m_width, 0.0);
        m_height = std::exchange(other.m_height, 0.0);
    }
    return *this;
}

std::unique_ptr<Context> Recording::NewContext() const {
    if (m_surface == nullptr) {
        return nullptr;
    }
    cairo_t* cr = cairo_create(m_surface);
    std::unique_ptr<Context> context(new Context(cr, m_vector.get()));
    cairo_destroy(cr);  // the context holds its own reference
    return context;
}

void Recording::Play(Context& target, const Rect& dest) const {
    if (m_surface == nullptr || dest.IsEmpty()) {
        return;
    }
    cairo_t* cr = target.Cairo();
    if (target.m_vector != nullptr) {
        const Rect device = detail::DeviceRect(cr, dest);
        target.m_vector->Add(SaveOp{});
        target.m_vector->Add(ClipOp{device});
        target.m_vector->Add(PlayOp{m_vector, device.Width() / m_width, device.Height() / m_height, device.left,
                                    device.top});
        target.m_vector->Add(RestoreOp{});
    }
    cairo_save(cr);
    cairo_rectangle(cr, dest.left, dest.top, dest.Width(), dest.Height());
    cairo_clip(cr);
    cairo_translate(cr, dest.left, dest.top);
    cairo_scale(cr, dest.Width() / m_width, dest.Height() / m_height);
    cairo_set_source_surface(cr, m_surface, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

Bitmap Recording::Render(int pixelWidth, int pixelHeight, Color background) const {
    Bitmap bitmap;
    RenderInto(bitmap, pixelWidth, pixelHeight, background);
    return bitmap;
}

bool Recording::RenderInto(Bitmap& target, int pixelWidth, int pixelHeight, Color background) const {
    if (target.IsEmpty() || target.Width() != pixelWidth || target.Height() != pixelHeight) {
        target = Bitmap(pixelWidth, pixelHeight);  // made transparent
        if (target.IsEmpty()) {
            return false;
        }
        if (background.a != 0) {
            target.Clear(background);
        }
    } else {
        target.Clear(background);
    }
    Context context(target);
    Play(context, Rect::FromSize(0, 0, pixelWidth, pixelHeight));
    return true;
}

}  // namespace gfx

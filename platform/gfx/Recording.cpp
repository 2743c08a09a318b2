#include "platform/gfx/Recording.h"

#include <utility>

#include "platform/gfx/Context.h"

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
      m_width(std::exchange(other.m_width, 0.0)),
      m_height(std::exchange(other.m_height, 0.0)) {}

Recording& Recording::operator=(Recording&& other) noexcept {
    if (this != &other) {
        if (m_surface != nullptr) {
            cairo_surface_destroy(m_surface);
        }
        m_surface = std::exchange(other.m_surface, nullptr);
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
    auto context = std::make_unique<Context>(cr);
    cairo_destroy(cr);  // the context holds its own reference
    return context;
}

void Recording::Play(Context& target, const Rect& dest) const {
    if (m_surface == nullptr || dest.IsEmpty()) {
        return;
    }
    cairo_t* cr = target.Cairo();
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
    Bitmap bitmap(pixelWidth, pixelHeight);
    if (bitmap.IsEmpty()) {
        return bitmap;
    }
    Context context(bitmap);
    if (background.a != 0) {
        context.FillRect(Rect::FromSize(0, 0, pixelWidth, pixelHeight), background);
    }
    Play(context, Rect::FromSize(0, 0, pixelWidth, pixelHeight));
    return bitmap;
}

}  // namespace gfx

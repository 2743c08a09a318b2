#pragma once
// CXTMemDC: flicker-free painting. Drawing goes into a picture of the rectangle's
// size (at the rectangle's own coordinates) and lands on the target in one copy
// when the object goes. An empty rectangle means the target's clip box; when no
// picture can be made the drawing goes to the target directly.

#include <memory>

#include "platform/gfx/Context.h"

namespace tracelume {

class CXTMemDC {
public:
    CXTMemDC(gfx::Context& target, gfx::Rect rect = {});
    ~CXTMemDC();
    CXTMemDC(const CXTMemDC&) = delete;
    CXTMemDC& operator=(const CXTMemDC&) = delete;

    gfx::Context& Dc() { return m_memory ? *m_memory : m_target; }

private:
    gfx::Context& m_target;
    gfx::Rect m_rect;
    gfx::Bitmap m_picture;
    std::unique_ptr<gfx::Context> m_memory;
};

}  // namespace tracelume

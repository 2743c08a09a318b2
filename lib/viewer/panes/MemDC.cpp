#include "lib/viewer/panes/MemDC.h"

#include <cmath>

namespace tracelume {

CXTMemDC::CXTMemDC(gfx::Context& target, gfx::Rect rect) : m_target(target), m_rect(rect) {
    if (m_rect.IsEmpty()) {
        m_rect = target.ClipBox();
    }
    const int width = static_cast<int>(std::ceil(m_rect.Width()));
    const int height = static_cast<int>(std::ceil(m_rect.Height()));
    m_picture = gfx::Bitmap(width, height);
    if (!m_picture.IsEmpty()) {
        m_memory = std::make_unique<gfx::Context>(m_picture);
        m_memory->Translate(-m_rect.left, -m_rect.top);
    }
}

CXTMemDC::~CXTMemDC() {
    if (m_memory) {
        m_memory.reset();
        m_target.DrawBitmap(m_picture, m_rect.left, m_rect.top);
    }
}

}  // namespace tracelume

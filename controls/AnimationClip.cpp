#include "controls/AnimationClip.h"

#include <utility>

namespace controls {

AnimationClip::AnimationClip(gfx::Bitmap strip, int frameCount) {
    if (strip.IsEmpty() || frameCount <= 0 || strip.Width() % frameCount != 0) {
        return;
    }
    m_strip = std::move(strip);
    m_frameCount = frameCount;
}

void AnimationClip::DrawFrame(gfx::Context& dc, int frame, double x, double y) const {
    if (frame < 0 || frame >= m_frameCount) {
        return;
    }
    const double width = FrameWidth();
    const double height = FrameHeight();
    dc.DrawBitmap(m_strip, gfx::Rect::FromSize(frame * width, 0, width, height),
                  gfx::Rect::FromSize(x, y, width, height));
}

}  // namespace controls

#pragma once
// A short animation kept as one picture: its frames side by side, all the same
// size. The progress dialog's copying clip is picture kCopyClipPicture with
// kCopyClipFrames frames.

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"

namespace controls {

inline constexpr int kCopyClipPicture = 204;
inline constexpr int kCopyClipFrames = 12;

class AnimationClip {
public:
    AnimationClip() = default;
    // Empty when the strip is empty or not divisible into that many frames.
    AnimationClip(gfx::Bitmap strip, int frameCount);

    bool IsEmpty() const { return m_frameCount == 0; }
    int FrameCount() const { return m_frameCount; }
    int FrameWidth() const { return m_frameCount > 0 ? m_strip.Width() / m_frameCount : 0; }
    int FrameHeight() const { return m_strip.Height(); }

    // Draws the frame (counted from 0) with its top-left corner at the point;
    // a frame outside the clip draws nothing.
    void DrawFrame(gfx::Context& dc, int frame, double x, double y) const;

private:
    gfx::Bitmap m_strip;
    int m_frameCount = 0;
};

}  // namespace controls

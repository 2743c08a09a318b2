#pragma once
// Plays an animation clip (see AnimationClip) at its own size from the control's
// top-left corner, frame after frame on a timer. A missing clip leaves it empty.

#include "controls/AnimationClip.h"
#include "platform/ui/CustomControl.h"

class CAnimateCtrl : public ui::CustomControl {
public:
    static constexpr unsigned kFrameMilliseconds = 80;
    static constexpr int kRepeatForever = -1;
    static constexpr int kLastFrame = -1;

    CAnimateCtrl();

    // The clip of that picture; false when the picture is missing or unusable.
    bool Open(int pictureId, int frameCount);
    // Stops and lets go of the clip.
    void Close();
    // Plays the frames from..to (kLastFrame: to the end) the given number of times
    // (kRepeatForever: until stopped); false without a clip.
    bool Play(int from, int to, int repeat);
    void Stop();

    bool IsPlaying() const { return m_playing; }
    int CurrentFrame() const { return m_frame; }

protected:
    void OnDraw(cairo_t* context, int width, int height) override;

private:
    void NextFrame();

    controls::AnimationClip m_clip;
    bool m_playing = false;
    int m_frame = 0;
    int m_from = 0;
    int m_to = 0;
    int m_repeatsLeft = 0;
};

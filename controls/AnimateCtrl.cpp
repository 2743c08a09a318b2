#include "controls/AnimateCtrl.h"

#include <algorithm>

#include "platform/gfx/Context.h"
#include "platform/gfx/PictureStore.h"

namespace {
constexpr unsigned kFrameTimer = 1;
}

CAnimateCtrl::CAnimateCtrl() {
    OnMessage(ui::kMsgTimer, [this](ui::WParam timer, ui::LParam) {
        if (timer == kFrameTimer) {
            NextFrame();
        }
        return 0;
    });
}

bool CAnimateCtrl::Open(int pictureId, int frameCount) {
    Close();
    m_clip = controls::AnimationClip(gfx::LoadPicture(pictureId), frameCount);
    Invalidate();
    return !m_clip.IsEmpty();
}

void CAnimateCtrl::Close() {
    Stop();
    m_clip = controls::AnimationClip();
    m_frame = 0;
    Invalidate();
}

bool CAnimateCtrl::Play(int from, int to, int repeat) {
    if (m_clip.IsEmpty() || repeat == 0) {
        return false;
    }
    const int last = m_clip.FrameCount() - 1;
    m_from = std::clamp(from, 0, last);
    m_to = to == kLastFrame ? last : std::clamp(to, m_from, last);
    m_repeatsLeft = repeat;
    m_frame = m_from;
    m_playing = SetTimer(kFrameTimer, kFrameMilliseconds);
    Invalidate();
    return m_playing;
}

void CAnimateCtrl::Stop() {
    KillTimer(kFrameTimer);
    m_playing = false;
}

void CAnimateCtrl::NextFrame() {
    if (!m_playing) {
        return;
    }
    if (m_frame < m_to) {
        ++m_frame;
    } else if (m_repeatsLeft == kRepeatForever || --m_repeatsLeft > 0) {
        m_frame = m_from;
    } else {
        Stop();
    }
    Invalidate();
}

void CAnimateCtrl::OnDraw(cairo_t* context, int, int) {
    gfx::Context dc(context);
    m_clip.DrawFrame(dc, m_frame, 0, 0);
}

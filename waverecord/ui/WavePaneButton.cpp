#include "waverecord/ui/WavePaneButton.h"

#include "platform/gfx/Context.h"
#include "platform/ui/MessageQueue.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"

CWavePaneButton::CWavePaneButton(wxWindow* parent, ui::Window* target)
    : ui::OwnerDrawButton(parent, "X", wxRect(0, 0, 16, 16)), m_target(target)
{
    SetPaintHandler([this](cairo_t* target, int width, int height, const State& state) {
        gfx::Context context(target);
        const gfx::Rect box = gfx::Rect::FromSize(0, 0, width, height);
        context.FillRect(box, gfx::Brush(state.hot ? gfx::Color{255, 255, 0} : m_background));
        // A bin: clears the statistic views.
        context.SetPen(gfx::Pen{gfx::Color{60, 60, 60}, 1.0});
        context.Rectangle(gfx::Rect{4.5, 5.5, width - 4.5, height - 2.5});
        context.DrawLine({3.0, 3.5}, {width - 3.0, 3.5});
        context.DrawLine({6.5, 7.0}, {6.5, height - 4.0});
        context.DrawLine({width - 6.5, 7.0}, {width - 6.5, height - 4.0});
    });
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Clicked(); });
}

void CWavePaneButton::SetBackground(gfx::Color colour)
{
    m_background = colour;
    Refresh();
}

void CWavePaneButton::Clicked()
{
    WavePaneCommand clear{CWaveStatisticMainFrame::kCommandClear, 0, 0, 4};
    ui::SendMessage(m_target, CWaveStatisticMainFrame::kMsgEvent, reinterpret_cast<ui::WParam>(&clear), 0);
}

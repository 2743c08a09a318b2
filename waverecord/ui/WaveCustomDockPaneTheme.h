#pragma once
// CWaveCustomDockPaneTheme: how the waveform-record window's panes look: captions in
// a blue gradient with their titles centred (greener where the captions carry a
// clear button), plain tabs on the statistic area's grey.

#include "platform/ui/DockTheme.h"

class CWaveCustomDockPaneTheme : public ui::DockTheme {
public:
    explicit CWaveCustomDockPaneTheme(bool captionButtons) : m_captionButtons(captionButtons) {}

    void FillTabArea(gfx::Context& context, const gfx::Rect& rect) override;
    gfx::Color DrawTab(gfx::Context& context, const gfx::Rect& rect, TabState state) override;
    gfx::Font TabFont() const override;
    CaptionColours Caption(bool active) const override;
    gfx::Color Background() const override { return {232, 236, 236}; }
    bool DrawCaption(gfx::Context& context, const gfx::Rect& rect, const std::wstring& title, bool active) override;

private:
    bool m_captionButtons;
};

#pragma once
// CTracelumeCallBack: what the raw-waveform pane's viewer tells the window. A region
// selected (117) and the region mode switched (119) go to the owner window as
// messages; a region gesture that ended too narrow (116 with 0) shows a hint popup
// naming the shortest stretch the analysis windows need; the viewer's progress while
// it builds summaries (118) moves a stretch of the busy indicator.

#include <cstdint>
#include <memory>
#include <string>

#include "lib/viewer/data/TracelumeCallback.h"
#include "waverecord/TracelumeProgress.h"

namespace ui {
class PopupWindow;
class Window;
}  // namespace ui

class CTracelumeCallBack : public ITracelumeCallback {
public:
    static constexpr unsigned kMsgRangeSelected = 0x46A;
    static constexpr unsigned kMsgRegionMode = 0x46C;
    static constexpr unsigned kTextHint = 10093;

    CTracelumeCallBack();
    ~CTracelumeCallBack() override;

    void SetOwner(ui::Window* owner) { m_owner = owner; }
    void SetOwnerState(int enabled) { m_progress.SetOwnerState(enabled); }
    void SetProgressBase(double base) { m_progress.SetProgressBase(base); }
    void SetProgressSpan(double span) { m_progress.SetProgressSpan(span); }
    // The shortest selection in half cycles; the hint is made again for it.
    void SetMinimumSelection(std::int64_t halfCycles);
    void SetRebuild() { m_rebuild = true; }

    // The hint's text for the current minimum.
    std::wstring HintText() const;
    // Whether the hint popup shows now.
    bool IsHintShown() const;

    void ShowProperties(const std::wstring&) override {}
    void BeginProperties() override {}
    std::intptr_t Notify(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    void ShowHint(int x, int y);

    ui::Window* m_owner = nullptr;
    CTracelumeProgress m_progress;
    std::unique_ptr<ui::PopupWindow> m_popup;
    bool m_rebuild = true;
    std::int64_t m_minimumSelection = 20;
};

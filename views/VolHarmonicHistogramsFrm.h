#pragma once
// CVolHarmonicHistogramsFrm: the harmonic histogram window of an opened statistic
// record (view 40012), in its docking pane: the chart scroll view on the left and
// the harmonic selection panel on the right, whose every change goes through this
// frame to the scroll view. It observes the statistic model: a load rebuilds the
// panel's families (and through them the charts), a colour-scheme change for every
// view or this one recolours the charts, and a reset empties panel and charts.
// Exports and reports get nothing from this view.

#include <array>
#include <memory>

#include "platform/ui/Window.h"
#include "views/HarmPanelState.h"
#include "views/HarmScrollLayout.h"
#include "views/ObserverView.h"

class CDlgHarmPanel;
class CDlgHarmScrollView;

class CVolHarmonicHistogramsFrm : public ui::Window, public IObserverView, public IHarmPanelOwner {
public:
    static constexpr std::uint32_t kViewId = 40012;
    // Model events the frame takes.
    static constexpr std::uint32_t kEventLoaded = 0x8;
    static constexpr std::uint32_t kEventColors = 0x80;
    static constexpr std::uint32_t kEventReset = 0x200;
    // The panel's collapse strip, passed on by the panel: folds or unfolds it.
    static constexpr unsigned kMsgTogglePanel = 0x500;

    CVolHarmonicHistogramsFrm();
    ~CVolHarmonicHistogramsFrm() override;

    // The pane factory: the frame as a child of the host, or null when it could not
    // be made.
    static std::unique_ptr<ui::Window> CreateObject(ui::Window& host);

    int OnUpdate(std::uint32_t event, std::uintptr_t wParam, std::uintptr_t lParam) override;
    void Release() override;

    void SetPhaseFlags(const std::array<std::uint32_t, 4>& shown) override;
    void SetPanelData(const CHarmSelection& selection) override;

    CHarmPanelState& PanelState() { return m_Panel; }
    CDlgHarmPanel* Panel() const { return m_PanelWnd.get(); }
    CDlgHarmScrollView* ScrollView() const { return m_View.get(); }
    bool IsCollapsed() const { return m_Collapsed; }
    // The panel's width when expanded: HarmFrameLayout::kPanelWidth, or more where the
    // toolkit's controls made the panel wider.
    int PanelWidth() const { return m_PanelWidth; }

private:
    bool Create(ui::Window& host);
    void Layout();
    void OnDestroyed() override;

    CHarmPanelState m_Panel;
    std::unique_ptr<CDlgHarmScrollView> m_View;
    std::unique_ptr<CDlgHarmPanel> m_PanelWnd;
    bool m_Collapsed = false;
    int m_PanelWidth = HarmFrameLayout::kPanelWidth;
};

// The histogram frame's entry in the shell's pane table (view 40012). Called once at
// start-up, before the main frame is made.
void RegisterHarmonicHistogramView();

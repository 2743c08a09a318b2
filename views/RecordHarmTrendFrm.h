#pragma once
// CRecordHarmTrendFrm: the window of the harmonic trend frame in its docking pane:
// the waveform viewer on the left, one row per chosen phase, and the collapsible
// attribute panel (CHarmTrendNewDlg) on the right. Everything but the window is
// its CHarmTrendFrame; this class makes the viewer and the panel, lays them out
// and forwards the model's events, the viewer's events and its own message. Without
// the viewer library the frame stays empty and says nothing.

#include <memory>

#include "platform/base/DynamicLibrary.h"
#include "platform/ui/Window.h"
#include "views/HarmTrendFrame.h"
#include "views/ObserverView.h"
#include "views/TracelumeProperty.h"

class CHarmTrendNewDlg;
class ITracelume;

class CRecordHarmTrendFrm : public ui::Window, public IObserverView {
public:
    // The frame's own message; wParam a CHarmTrendFrame::SubCode.
    static constexpr unsigned kMsgFrameCommand = ui::kMsgUser + 201;
    // Width of the row-name pane.
    static constexpr int kTreeWidth = 138;

    CRecordHarmTrendFrm();
    ~CRecordHarmTrendFrm() override;

    // The pane factory: the frame as a child of the host, or null when its window
    // could not be made.
    static std::unique_ptr<ui::Window> CreateObject(ui::Window& host);

    int OnUpdate(std::uint32_t event, std::uintptr_t wParam, std::uintptr_t lParam) override;
    void Release() override;
    std::intptr_t RequestRange(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) override;
    int FillAttributes(ExportSource& source) override;

    CHarmTrendFrame& Frame() { return m_Frame; }
    ITracelume* Viewer() const { return m_pViewer; }
    CHarmTrendNewDlg* Panel() const { return m_Dialog.get(); }
    int PanelWidth() const { return m_PanelWidth; }

private:
    bool Create(ui::Window& host);
    void MakePanel();
    void Layout();
    void ReleaseViewer();
    void OnDestroyed() override;

    CHarmTrendFrame m_Frame;
    CtracelumeProperty m_Property;
    platform::DynamicLibrary m_Library;
    ITracelume* m_pViewer = nullptr;
    std::unique_ptr<CHarmTrendNewDlg> m_Dialog;
    int m_PanelWidth;
};

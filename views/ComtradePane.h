#pragma once
// CComtradePane: the current (CComtradeCurrent, view 40003) and voltage
// (CComtradeVoltage, view 40002) waveform panes. Each loads the viewer library,
// hosts one viewer with the phase strip in its toolbar and draws the opened record
// through CComtradePaneLogic.

#include <memory>

#include <wx/gdicmn.h>

#include "platform/base/DynamicLibrary.h"
#include "views/EventView.h"
#include "views/DlgPanelLite.h"
#include "views/TracelumeProperty.h"
#include "views/data/ComtradePaneLogic.h"

class ITracelume;
class wxWindowDestroyEvent;

class CComtradePane : public CEventView {
public:
    CComtradePane(unsigned templateId, const ComtradePaneKind& kind);
    ~CComtradePane() override;

    bool OnInitDialog() override;
    int OnUpdate(std::uint32_t event, std::uintptr_t param1, std::uintptr_t param2) override;
    // The record as shown, for the table export.
    int FillAttributes(ExportSource& out) override;

    ITracelume* GetViewer() const { return m_pViewer; }
    CDlgPanelLite& GetStrip() { return m_Strip; }
    CComtradePaneLogic& GetLogic() { return m_Logic; }

private:
    void ReleaseViewer();
    void OnWindowDestroy(wxWindowDestroyEvent& event);
    void Layout(int width, int height);

    // Without an owner: the viewer's events have no effect in these panes.
    CtracelumeProperty m_Callback;
    platform::DynamicLibrary m_Library;
    ITracelume* m_pViewer = nullptr;
    // The pane's own window while it exists; the layer forgets it before it goes.
    wxWindow* m_pOwnWindow = nullptr;
    CDlgPanelLite m_Strip;
    CComtradePaneLogic m_Logic;
    bool m_Zoomed = false;
};

class CComtradeCurrent : public CComtradePane {
public:
    CComtradeCurrent() : CComtradePane(106, kCurrentPaneKind) {}
};

class CComtradeVoltage : public CComtradePane {
public:
    CComtradeVoltage() : CComtradePane(104, kVoltagePaneKind) {}
};

#pragma once
// CComtradePane: the current (CComtradeCurrent, view 40003) and voltage
// (CComtradeVoltage, view 40002) waveform panes. Each loads the viewer library,
// hosts one viewer with the phase strip in its toolbar and draws the opened record
// through CComtradePaneLogic.

#include <memory>

#include <wx/gdicmn.h>

#include "lib/viewer/data/TracelumeCallback.h"
#include "platform/base/DynamicLibrary.h"
#include "platform/ui/Dialog.h"
#include "terminal/ObserverViewBase.h"
#include "views/DlgPanelLite.h"
#include "views/data/ComtradePaneLogic.h"

class ITracelume;
class wxWindowDestroyEvent;
struct ExportSource;

class CComtradePane : public ui::Dialog, public IObserverViewBase {
public:
    CComtradePane(unsigned templateId, const ComtradePaneKind& kind);
    ~CComtradePane() override;

    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    int OnUpdate(std::uint32_t event, std::uintptr_t param1, std::uintptr_t param2) override;
    // The record as shown, for the table export.
    int FillAttributes(ExportSource& out);

    ITracelume* GetViewer() const { return m_pViewer; }
    CDlgPanelLite& GetStrip() { return m_Strip; }
    CComtradePaneLogic& GetLogic() { return m_Logic; }

private:
    // The viewer's events have no effect in these panes.
    class QuietCallback final : public ITracelumeCallback {
    public:
        void ShowProperties(const std::wstring&) override {}
        void BeginProperties() override {}
        std::intptr_t Notify(std::uint32_t, std::uintptr_t, std::intptr_t) override { return 0; }
    };

    void ReleaseViewer();
    void OnWindowDestroy(wxWindowDestroyEvent& event);
    void Layout(int width, int height);

    QuietCallback m_Callback;
    platform::DynamicLibrary m_Library;
    ITracelume* m_pViewer = nullptr;
    // The pane's own window while it exists; the layer forgets it before it goes.
    wxWindow* m_pOwnWindow = nullptr;
    CDlgPanelLite m_Strip;
    CComtradePaneLogic m_Logic;
    bool m_Zoomed = false;
    wxSize m_StripSize;
};

class CComtradeCurrent : public CComtradePane {
public:
    CComtradeCurrent() : CComtradePane(106, kCurrentPaneKind) {}
};

class CComtradeVoltage : public CComtradePane {
public:
    CComtradeVoltage() : CComtradePane(104, kVoltagePaneKind) {}
};

#include "waverecord/ui/WaveHarmHistogramsStatisticView.h"

#include <algorithm>

#include "platform/ui/MessageQueue.h"
#include "waverecord/ui/WaveHarmHistograrmsMainDlg.h"
#include "waverecord/ui/WaveHarmHistogramsDlg.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"

CWaveHarmHistogramsStatisticView::CWaveHarmHistogramsStatisticView()
    : m_chartDlg(std::make_unique<CWaveHarmHistograrmsMainDlg>()), m_panel(std::make_unique<CWaveHarmHistogramsDlg>())
{
}

CWaveHarmHistogramsStatisticView::~CWaveHarmHistogramsStatisticView()
{
    if (m_panel && m_panel->IsWindow()) {
        m_panel->DestroyWindow();
    }
    if (m_chartDlg && m_chartDlg->IsWindow()) {
        m_chartDlg->DestroyWindow();
    }
}

void CWaveHarmHistogramsStatisticView::Register()
{
    if (!FindWaveView(kKind)) {
        RegisterWaveView(kKind, [] { return std::make_unique<CWaveHarmHistogramsStatisticView>(); });
    }
}

void CWaveHarmHistogramsStatisticView::OnViewCreated()
{
    m_chartDlg->SetView(this);
    if (m_chartDlg->Create(this)) {
        m_chartDlg->ShowWindow(ui::kShow);
    }
    m_panel->SetTarget(m_chartDlg.get());
    m_panel->SetView(this);
    // Created after the chart, so that it reads the chart's first record.
    if (m_panel->Create(this)) {
        // The controls may have needed more room than the template gave them.
        m_panelWidth = std::max(kPanelWidth, m_panel->GetWindowRect().GetWidth());
    }
    Layout();
}

void CWaveHarmHistogramsStatisticView::Layout()
{
    if (!IsWindow()) {
        return;
    }
    const wxSize client = GetClientSize();
    const int panel = m_panelCollapsed ? kFoldedWidth : m_panelWidth;
    if (m_chartDlg->IsWindow()) {
        m_chartDlg->MoveWindow(wxRect(0, 0, std::max(client.x - panel, 0), client.y));
    }
    if (m_panel->IsWindow()) {
        m_panel->MoveWindow(wxRect(std::max(client.x - panel, 0), 0, panel, client.y));
        m_panel->ShowWindow(ui::kShow);
    }
}

ui::LResult CWaveHarmHistogramsStatisticView::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam)
{
    switch (message) {
    case ui::kMsgSize:
        Layout();
        return CWavePaneView::WindowProc(message, wParam, lParam);
    case kMsgOwnerRequest:
    case kMsgSelection:
        return ui::SendMessage(GetOwnerWindow(), message, wParam, lParam);
    case kMsgRefresh:
    case kMsgPaneCommand:
        return m_chartDlg->IsWindow() ? ui::SendMessage(m_chartDlg.get(), message, wParam, lParam) : 0;
    case kMsgRetitle:
        ui::PostMessage(GetOwnerWindow(), kMsgRetitle, static_cast<ui::WParam>(GetPaneId()), lParam);
        return 1;
    case kMsgToggle:
        m_panelCollapsed = !m_panelCollapsed;
        Layout();
        return 0;
    case CWaveStatisticMainFrame::kMsgExport:
        return 0;  // nothing to export
    default:
        return CWavePaneView::WindowProc(message, wParam, lParam);
    }
}

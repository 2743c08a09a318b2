#include "waverecord/ui/WaveHarmHistogramsStatisticView.h"

#include <algorithm>

#include <wx/scrolbar.h>
#include <wx/window.h>

#include "platform/ui/InputMessages.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/ScrollBarMoves.h"
#include "waverecord/ui/WaveHarmHistograrmsMainDlg.h"
#include "waverecord/ui/WaveHarmHistogramsDlg.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"

namespace {

constexpr int kWheelStep = 25;

}  // namespace

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
        m_panelHeight = m_panel->GetWindowRect().GetHeight();
        m_panel->GetWx()->Bind(wxEVT_MOUSEWHEEL, [this](wxMouseEvent& event) {
            ScrollPanelTo(m_panelScroll + (event.GetWheelRotation() > 0 ? -kWheelStep : kWheelStep));
        });
        // The panel's wheel is its own, not the statistic column's.
        ui::TakeWheel(*m_panel);
    }
    m_bar = new wxScrollBar(GetWx(), wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_VERTICAL);
    ui::OnScrollBarMoves(*m_bar, [this](int position) { ScrollPanelTo(position); });
    Layout();
}

void CWaveHarmHistogramsStatisticView::ScrollPanelTo(int position)
{
    m_panelScroll = position;
    Layout();
}

void CWaveHarmHistogramsStatisticView::Layout()
{
    if (!IsWindow()) {
        return;
    }
    const wxSize client = GetClientSize();
    const int panel = m_panelCollapsed ? kFoldedWidth : m_panelWidth;
    // The panel keeps its own height and scrolls when the pane is shorter.
    const bool scrolled = !m_panelCollapsed && m_bar && client.y < m_panelHeight;
    const int barWidth = scrolled ? m_bar->GetBestSize().x : 0;
    const int left = std::max(client.x - panel - barWidth, 0);
    m_panelScroll = scrolled ? std::clamp(m_panelScroll, 0, m_panelHeight - client.y) : 0;
    if (m_chartDlg->IsWindow()) {
        m_chartDlg->MoveWindow(wxRect(0, 0, left, client.y));
    }
    if (m_panel->IsWindow()) {
        m_panel->MoveWindow(wxRect(left, -m_panelScroll, panel, scrolled ? m_panelHeight : client.y));
        m_panel->ShowWindow(ui::kShow);
    }
    if (m_bar) {
        m_bar->Show(scrolled);
        if (scrolled) {
            m_bar->SetSize(client.x - barWidth, 0, barWidth, client.y);
            m_bar->SetScrollbar(m_panelScroll, client.y, m_panelHeight, client.y);
        }
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

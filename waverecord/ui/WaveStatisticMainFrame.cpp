#include "waverecord/ui/WaveStatisticMainFrame.h"

#include <algorithm>

#include <wx/scrolbar.h>
#include <wx/window.h>

#include "platform/base/FileSystem.h"
#include "platform/base/Hourglaze.h"
#include "platform/ui/DockingPane.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "waverecord/WaveText.h"

namespace {

constexpr unsigned kTextTooMany = 10230;
constexpr unsigned kTextKindFull = 10232;
constexpr unsigned kTextCaption = 10231;
constexpr unsigned kTextUnknown = 10233;
constexpr int kViewHeight = 300;
constexpr int kWheelStep = 25;

}  // namespace

CWaveStatisticMainFrame::CWaveStatisticMainFrame()
{
    SetPaintHandler([](cairo_t* target, int width, int height) {
        cairo_set_source_rgb(target, 232 / 255.0, 236 / 255.0, 236 / 255.0);
        cairo_rectangle(target, 0, 0, width, height);
        cairo_fill(target);
    });
}

void CWaveStatisticMainFrame::OnViewCreated()
{
    m_column = std::make_unique<ui::Window>();
    if (!m_column->CreateChild(this, 0, ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 10, 10))) {
        return;
    }
    m_panes.Install(*this, *m_column, false);
    m_bar = new wxScrollBar(GetWx(), wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_VERTICAL);
    for (const auto& type : {wxEVT_SCROLL_CHANGED, wxEVT_SCROLL_THUMBTRACK, wxEVT_SCROLL_LINEUP, wxEVT_SCROLL_LINEDOWN,
                             wxEVT_SCROLL_PAGEUP, wxEVT_SCROLL_PAGEDOWN, wxEVT_SCROLL_TOP, wxEVT_SCROLL_BOTTOM}) {
        m_bar->Bind(type, [this](wxScrollEvent& event) { ScrollTo(event.GetPosition()); });
    }
    ui::RouteInputMessages(*this);
    ui::RouteInputMessages(*m_column);
    m_column->OnMessage(ui::kMsgMouseWheel, [this](ui::WParam wParam, ui::LParam lParam) {
        return WindowProc(ui::kMsgMouseWheel, wParam, lParam);
    });
    Layout();
}

int CWaveStatisticMainFrame::GetColumnHeight() const
{
    const int client = IsWindow() ? GetClientSize().y : 0;
    return std::max(client, kViewHeight * m_panes.GetPaneCount());
}

void CWaveStatisticMainFrame::ScrollTo(int position)
{
    const int room = GetColumnHeight() - (IsWindow() ? GetClientSize().y : 0);
    m_scroll = std::clamp(position, 0, std::max(room, 0));
    Layout();
}

void CWaveStatisticMainFrame::Layout()
{
    if (!m_column || !m_column->IsWindow() || !m_bar) {
        return;
    }
    const wxSize client = GetClientSize();
    const int barWidth = m_bar->GetBestSize().x;
    const int height = GetColumnHeight();
    m_scroll = std::clamp(m_scroll, 0, std::max(height - client.y, 0));
    m_column->GetWx()->SetSize(0, -m_scroll, std::max(client.x - barWidth, 0), height);
    m_bar->SetSize(client.x - barWidth, 0, barWidth, client.y);
    // Shown but still when there is nothing to scroll.
    m_bar->SetScrollbar(m_scroll, client.y, height, client.y);
    m_bar->Enable(height > client.y);
    m_panes.Docking().Realize();
}

ui::LResult CWaveStatisticMainFrame::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam)
{
    switch (message) {
    case ui::kMsgSize:
        Layout();
        return CWavePaneView::WindowProc(message, wParam, lParam);
    case ui::kMsgMouseWheel: {
        const auto turn = static_cast<std::int16_t>((wParam >> 16) & 0xFFFF);
        ScrollTo(m_scroll + (turn > 0 ? -kWheelStep : kWheelStep));
        return 0;
    }
    case kMsgAddView:
        return AddView(static_cast<int>(wParam), static_cast<int>(lParam));
    case kMsgEvent: {
        const auto* command = reinterpret_cast<const WavePaneCommand*>(wParam);
        if (command && command->command == kCommandClear) {
            Clear();
            return 0;
        }
        // Every view hears of the change, whatever another view answered.
        for (int id = m_panes.GetFirstPaneId(); id >= 0; id = m_panes.GetNextPaneId(id)) {
            m_panes.SendToPane(id, kMsgViewEvent, wParam, lParam);
        }
        return 0;
    }
    case kMsgHasViews:
        return m_panes.HasNonHistogramPane() ? 1 : 0;
    case CWavePaneManager::kMsgPaneClosed: {
        const int kind = static_cast<int>(lParam);
        const bool removed = m_panes.RemovePane(static_cast<int>(wParam));
        if (removed) {
            m_limits.ViewGone();
            m_limits.KindGone(kind);
            Layout();
        }
        return removed ? 1 : 0;
    }
    case kMsgOwnerRequest:
    case kMsgSelectionRequest:
        return ui::SendMessage(GetOwnerWindow(), message, wParam, lParam);
    case kMsgRefresh:
        for (int id = m_panes.GetFirstPaneId(); id >= 0; id = m_panes.GetNextPaneId(id)) {
            m_panes.SendToPane(id, message, wParam, lParam);
        }
        return 0;
    case kMsgRetitle:
        if (ui::DockingPane* pane = m_panes.Docking().FindPane(static_cast<unsigned>(wParam)); pane && pane->IsValid()) {
            pane->SetTitle(WaveText(static_cast<unsigned>(lParam)));
        }
        return 0;
    case kMsgExport:
        return Export(wParam);
    case ui::kMsgDockingPaneNotify:
        return m_panes.OnPaneNotify(wParam, lParam);
    default:
        return CWavePaneView::WindowProc(message, wParam, lParam);
    }
}

ui::LResult CWaveStatisticMainFrame::AddView(int kind, int direction)
{
    switch (m_limits.CanAdd(kind)) {
    case WaveViewRefusal::TooManyViews:
        ui::MessageBox(this, WaveText(kTextTooMany), WaveText(kTextCaption), ui::kMbOk);
        return 0;
    case WaveViewRefusal::TooManyOfKind:
        ui::MessageBox(this, WaveFillField(WaveText(kTextKindFull), WaveText(CWaveViewLimits::NameText(kind))),
                       WaveText(kTextCaption), ui::kMbOk);
        return 0;
    case WaveViewRefusal::None:
        break;
    }
    if (!FindWaveView(kind)) {
        return 0;  // no view of that kind in this program
    }
    const int id = m_panes.CreatePane(kind, direction);
    if (!m_panes.GetView(id)) {
        m_panes.RemovePane(id);
        ui::MessageBox(this, WaveText(kTextUnknown), WaveText(kTextCaption), ui::kMbOk);
        return 0;
    }
    m_limits.Added(kind);
    Layout();
    return 1;
}

void CWaveStatisticMainFrame::Clear()
{
    m_panes.CloseAll();
    m_panes.RemoveAllPanes();
    m_limits.Reset();
    m_scroll = 0;
    Layout();
    Invalidate();
}

ui::LResult CWaveStatisticMainFrame::Export(ui::WParam folder)
{
    m_failures.clear();
    m_diskFull = false;
    const int count = m_panes.GetPaneCount();
    if (count == 0) {
        return 0;
    }
    const double step = 100.0 / count;
    double reached = 0.0;
    ui::LResult written = 0;
    int index = 0;
    for (int id = m_panes.GetFirstPaneId(); id >= 0; id = m_panes.GetNextPaneId(id), ++index) {
        if (m_panes.SendToPane(id, kMsgExport, folder, 0) != 0) {
            written |= ui::LResult{1} << std::min(index, 62);
        } else if (CWavePaneView* view = m_panes.GetView(id); view && view->HasTableExport()) {
            // Named by its caption, or by its kind while it has none.
            ui::DockingPane* pane = m_panes.Docking().FindPane(static_cast<unsigned>(id));
            std::wstring name = pane ? pane->GetTitle() : std::wstring();
            if (name.empty()) {
                name = WaveText(CWaveViewLimits::NameText(m_panes.GetKind(id)));
            }
            m_failures.push_back(name);
            // The views after it would find the disk as full.
            if (platform::IsDiskFullError(view->GetExportError())) {
                m_diskFull = true;
                break;
            }
        }
        reached += step;
        UpdateHourglaze(reached);
    }
    UpdateHourglaze(100.0);
    return written;
}

#include "lib/viewer/panes/TracelumeView.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "lib/viewer/data/BufferedDataManager.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/RowItemImp.h"
#include "lib/viewer/panes/LegendWnd.h"
#include "lib/viewer/panes/SimpleWnd.h"
#include "lib/viewer/panes/ToolBarWithTip.h"
#include "lib/viewer/panes/TracelumeCtrl.h"
#include "lib/viewer/panes/TracelumeRulerCtrl.h"
#include "lib/viewer/panes/TracelumeTreeCtrl.h"
#include "lib/viewer/panes/ViewPlatform.h"
#include "lib/viewer/panes/WaveMarkCtrl.h"
#include "lib/viewer/panes/WaveNavigatorCtrl.h"

namespace tracelume {

namespace {

constexpr gfx::Color kSplitterColor{192, 201, 206};

int ToInt(std::intptr_t value) {
    return static_cast<int>(std::clamp<std::intptr_t>(value, INT_MIN, INT_MAX));
}

// The 64-bit value of two 32-bit halves, the high one first.
std::int64_t Joined(std::intptr_t high, std::intptr_t low) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(high)) << 32) |
                                     static_cast<std::uint32_t>(low));
}

}  // namespace

CTracelumeView::CTracelumeView(std::unique_ptr<IViewPlatform> platform)
    : m_platform(std::move(platform)),
      m_toolBar(std::make_unique<CToolBarWithTip>()),
      m_tree(std::make_unique<CTracelumeTreeCtrl>(*this)),
      m_wave(std::make_unique<CTracelumeCtrl>(*this)),
      m_ruler(std::make_unique<CTracelumeRulerCtrl>()),
      m_topCorner(std::make_unique<CSimpleWnd>()),
      m_bottomCorner(std::make_unique<CSimpleWnd>()),
      m_markBar(std::make_unique<CWaveMarkCtrl>()),
      m_navigator(std::make_unique<CWaveNavigatorCtrl>()) {
    m_ruler->SetScaleSource([this] { return m_wave->GetTimePerDivision(); });
    m_markBar->SetMarkSource(&m_marks);
    m_markBar->SetAxisSource([this] { return m_wave->Axis(); });
    m_markBar->SetMouseTarget([this](const MouseEvent& event) {
        MouseEvent moved = event;
        moved.x -= static_cast<int>(m_wave->PlacedRect().left);
        moved.y -= static_cast<int>(m_wave->PlacedRect().top);
        m_wave->OnMouse(moved);
    });
    m_navigator->SetMarkSource(&m_marks);
    m_navigator->SetWave(m_wave.get());
    m_toolBar->SetCommandHandler([this](unsigned id) { RouteCommand(id); });
    m_binder.Register(L"splitterpos", CXMLDataExchange::kInt32, &m_treeWidth);
}

CTracelumeView::~CTracelumeView() {
    ClearLegendRow();
    m_tree->DeleteAllItems();
    // The windows go before the panes they show.
    m_platform.reset();
}

bool CTracelumeView::Create() {
    if (m_platform && !m_platform->CreateWindows(*this)) {
        return false;
    }
    m_created = true;
    if (IPaneSurface* surface = m_wave->Surface()) {
        surface->SetTimer(CTracelumeCtrl::kToolbarTimer, 200);
    }
    Layout();
    UpdateToolBar();
    UpdateTimeBox();
    return true;
}

void CTracelumeView::Release() { delete this; }

wxWindow* CTracelumeView::GetHwnd() { return m_platform ? m_platform->Handle() : nullptr; }

void CTracelumeView::Refresh() {
    if (m_platform) {
        m_platform->PostRefresh();
    } else {
        OnRefresh();
    }
}

void CTracelumeView::RefreshAll() { Refresh(); }

CRowItem* CTracelumeView::FindRow(IRowItem* row) {
    if (row == nullptr) {
        return nullptr;
    }
    for (CTreeItem* item : m_tree->Rows()) {
        auto* candidate = dynamic_cast<CRowItem*>(item);
        if (candidate != nullptr && static_cast<IRowItem*>(candidate) == row) {
            return candidate;
        }
    }
    return nullptr;
}

void CTracelumeView::ClearLegendRow() {
    if (CLegendWnd* legend = m_wave->GetLegend()) {
        legend->RemoveAllItems();
        legend->SetRow(nullptr);
    }
}

IRowItem* CTracelumeView::AddRow(IRowItem* parent) {
    CRowItem* parentRow = FindRow(parent);
    if (parent != nullptr && parentRow == nullptr) {
        return nullptr;  // not a row of this viewer
    }
    auto row = std::make_unique<CRowItem>();
    CRowItem* added = row.get();
    m_tree->AddChild(parentRow, std::move(row));
    if (m_legendOption) {
        CLegendWnd& legend = m_wave->EnsureLegend();
        legend.RemoveAllItems();
        legend.SetRow(added);
    }
    Refresh();
    return added;
}

void CTracelumeView::RemoveRow(IRowItem* row) {
    CRowItem* item = FindRow(row);
    if (item == nullptr) {
        return;
    }
    if (CLegendWnd* legend = m_wave->GetLegend()) {
        for (const CTreeItem* up = legend->GetRow(); up != nullptr; up = up->GetParent()) {
            if (up == item) {
                ClearLegendRow();
                break;
            }
        }
    }
    m_tree->RemoveItem(item, true);
    m_tree->UpdateScrollBar();
    if (m_platform == nullptr || m_platform->Handle() != nullptr) {
        Refresh();
    }
}

void CTracelumeView::RemoveAllRows() {
    ClearLegendRow();
    m_tree->DeleteAllItems();
    if (m_platform == nullptr || m_platform->Handle() != nullptr) {
        Refresh();
    }
}

IRowItemImp* CTracelumeView::CreateRowImp(int kind) { return tracelume::CreateRowImp(kind); }

IBufferredDataManager* CTracelumeView::CreateDataManager(ISimpleDataManager* source) {
    auto* cache = new CBufferedDataManager;
    if (source != nullptr) {
        cache->SetSource(source);
        cache->SetCallback(m_callback);
        cache->Build();
    }
    return cache;
}

void CTracelumeView::ShowToolBar(int show) {
    m_showToolBar = show != 0;
    Layout();
}

void CTracelumeView::ShowNavigator(int show) {
    m_showNavigator = show != 0;
    Layout();
}

void CTracelumeView::ShowGrid(int horizontal, int vertical) { m_wave->ShowGrid(horizontal != 0, vertical != 0); }

int CTracelumeView::SetMouseMode(int mode) {
    if (mode >= 0 && mode <= 2) {
        m_wave->SetMouseMode(kCmdNormalMouse + static_cast<unsigned>(mode));
        UpdateToolBar();
    }
    return static_cast<int>(m_wave->GetMouseMode());
}

int CTracelumeView::GetMouseMode() { return static_cast<int>(m_wave->GetMouseMode() - kCmdNormalMouse); }

void CTracelumeView::SetSampleRate(double rate) { m_wave->SetSampleRate(rate); }

double CTracelumeView::GetSampleRate() { return m_wave->GetRate(); }

void CTracelumeView::SetDataLength(std::uint32_t low, std::uint32_t high) {
    const std::uint64_t count = (static_cast<std::uint64_t>(high) << 32) | low;
    m_wave->SetDataLength(static_cast<std::int64_t>(std::min<std::uint64_t>(count, INT64_MAX)));
}

std::int64_t CTracelumeView::GetDataLength() { return m_wave->GetDataLength(); }

void CTracelumeView::GetZoomRange(int* min, int* max) {
    if (min != nullptr) {
        *min = m_wave->GetMinZoomLevel();
    }
    if (max != nullptr) {
        *max = m_wave->GetMaxZoomLevel();
    }
}

void CTracelumeView::SetZoom(int level) { m_wave->SetZoom(level); }

int CTracelumeView::GetZoom() { return m_wave->GetZoom(); }

void CTracelumeView::ZoomIn() { m_wave->ZoomIn(); }

void CTracelumeView::ZoomOut() { m_wave->ZoomOut(); }

void CTracelumeView::ZoomAll() { m_wave->ZoomAll(); }

void CTracelumeView::GoTo(int where) {
    if (where >= 0 && where <= 4) {
        m_wave->OnCommand(kCmdViewStart + static_cast<unsigned>(where));
    }
}

void CTracelumeView::SetCallback(ITracelumeCallback* callback) {
    m_callback = callback;
    UpdateToolBar();
}

int CTracelumeView::Reserved(std::uint32_t, std::uint32_t) { return 1; }

int CTracelumeView::Command(int code, std::intptr_t a, std::intptr_t b) {
    switch (code) {
        case kCommandFind: m_wave->Find(Joined(a, b)); break;
        case kCommandBackground: m_wave->SetBackground(static_cast<std::uint32_t>(a)); break;
        case kCommandTimeOrigin:
            m_ruler->SetTimeOffset(static_cast<double>(Joined(a, b)) / 1e9);
            m_ruler->Invalidate();
            break;
        case kCommandLabelStyle:
            m_ruler->SetAbsoluteTime(a != 0);
            m_ruler->Invalidate();
            break;
        case kCommandContextMenu: CTracelumeCtrl::ContextMenuOption() = ToInt(a); break;
        case kCommandSplitterLimits: SetSplitterLimits(ToInt(a), ToInt(b)); break;
        case kCommandTreeWidth:
            m_treeWidth = std::clamp(ToInt(a), m_splitterMin, m_splitterMax);
            Layout();
            break;
        case kCommandLegend: m_legendOption = a != 0; break;
        case kCommandMinRegion: m_wave->SetMinRegionWidth(a); break;
        case kCommandRegionMode: m_wave->RegionCommand(a, b); break;
        case kCommandDetailView: m_wave->AllowDetail(a != 0); break;
        case kCommandRegionEnabled: m_wave->EnableRegionCommand(a == 0); break;
        case kCommandSelectRegion: m_wave->SelectRegion(a, b); break;
        default: break;
    }
    UpdateTimeBox();
    UpdateToolBar();
    return 0;
}

void CTracelumeView::ShowMeasureLines(int on, int row) { m_wave->ShowMeasureLines(on != 0, row); }

double CTracelumeView::SampleToTime(double value) { return value / m_wave->GetRate(); }

int CTracelumeView::SetToolStrip(wxWindow* strip) {
    if (!m_platform) {
        return 0;
    }
    const int result = m_platform->SetToolStrip(strip);
    Layout();
    return result;
}

void CTracelumeView::SetSplitterLimits(int a, int b) {
    m_splitterMin = std::min(a, b);
    m_splitterMax = std::max(a, b);
    m_treeWidth = std::clamp(m_treeWidth, m_splitterMin, m_splitterMax);
    Layout();
}

void CTracelumeView::MoveSplitter(int distance) {
    std::int64_t width = static_cast<std::int64_t>(m_treeWidth) + distance;
    width = std::max<std::int64_t>(width, 0);
    width = std::min<std::int64_t>(width, Width() - kSplitterWidth);
    width = std::min<std::int64_t>(width, m_splitterMax);
    width = std::max<std::int64_t>(width, m_splitterMin);
    m_treeWidth = static_cast<int>(width);
}

int CTracelumeView::GetToolbarHeight() const { return m_showToolBar ? CToolBarWithTip::kHeight : 0; }

void CTracelumeView::Layout() {
    if (!m_created) {
        return;
    }
    const double width = Width();
    const double height = Height();
    double top = 0;
    if (m_showToolBar) {
        m_toolBar->Place({0, 0, width, CToolBarWithTip::kHeight}, true);
        top += CToolBarWithTip::kHeight;
    } else {
        m_toolBar->Place({0, 0, width, 0}, false);
    }
    if (m_platform) {
        const gfx::Rect box = m_toolBar->ButtonRect(kCmdTimeBox);
        m_platform->PlaceTimeBox({box.left, box.top + 1, box.right, box.bottom - 1}, m_showToolBar);
        m_platform->PlaceToolStrip({box.right + 6, box.top + 1}, width - box.right - 6, m_showToolBar);
    }
    const double x0 = m_treeWidth + kSplitterWidth;
    m_topCorner->Place({0, top, x0, top + kRulerHeight}, true);
    m_ruler->Place({x0, top, width, top + kRulerHeight}, true);
    m_markBar->Place({x0, top, width, top}, true);
    const double rows = top + kRulerHeight;
    const double bottom = height - (m_showNavigator ? kNavigatorHeight : 0);
    m_tree->Place({0, rows, static_cast<double>(m_treeWidth), bottom}, true);
    m_wave->Place({x0, rows, width, bottom}, true);
    m_navigator->Place({x0, bottom, width, height}, m_showNavigator);
    m_bottomCorner->Place({0, bottom, x0, height}, m_showNavigator);
    Invalidate();
}

void CTracelumeView::OnRefresh() {
    Layout();
    m_tree->UpdateScrollBar();
    m_tree->Invalidate();
    m_wave->UpdateScrollBars();
    m_wave->Invalidate();
    bool anyKind = false;
    m_tree->ForEachShownRow([&](CTreeItem& node, int) {
        if (auto* row = dynamic_cast<CRowItem*>(&node); row != nullptr && row->GetImpCount() > 0) {
            anyKind = true;
        }
    });
    if (!anyKind) {
        // Nothing is drawn, so no mark can stand anywhere.
        m_marks.RemoveAllMarks();
        m_tree->Invalidate();
        m_ruler->Invalidate();
        m_markBar->Invalidate();
        m_wave->Invalidate();
    }
    UpdateToolBar();
}

void CTracelumeView::UpdateTimeBox() {
    const double scale = m_wave->GetTimePerDivision();
    m_timeBoxText = m_ruler->FormatDateTimeLabel(static_cast<double>(m_wave->GetScrollPosition()) / scale);
    if (m_platform) {
        m_platform->SetTimeBoxText(m_timeBoxText);
    }
}

void CTracelumeView::UpdateToolBar() {
    for (const CToolBarWithTip::Button& button : m_toolBar->Buttons()) {
        if (button.id != 0 && button.id != kCmdTimeBox) {
            bool enabled = true;
            bool checked = false;
            m_wave->GetCommandState(button.id, &enabled, &checked);
            m_toolBar->SetState(button.id, enabled, checked);
        }
    }
}

void CTracelumeView::RouteCommand(unsigned id) {
    m_wave->OnCommand(id);
    UpdateToolBar();
}

bool CTracelumeView::OnCommand(unsigned id) {
    const bool taken = m_wave->OnCommand(id) || m_tree->OnCommand(id);
    UpdateToolBar();
    return taken;
}

bool CTracelumeView::InSplitter(int x, int y) const {
    return x >= m_treeWidth && x < m_treeWidth + kSplitterWidth && y >= GetToolbarHeight() && y < Height();
}

void CTracelumeView::OnPaint(gfx::Context& dc) {
    m_paintedOnce = true;
    dc.FillRect(gfx::Rect::FromSize(0, 0, Width(), Height()), kSplitterColor);
    dc.FillRect({static_cast<double>(m_treeWidth), static_cast<double>(GetToolbarHeight()),
                 static_cast<double>(m_treeWidth + 2), static_cast<double>(Height())},
                gfx::Color{0, 0, 0});
}

void CTracelumeView::OnSize(int width, int height) {
    if (width == 0 && height == 0) {
        m_notMinimised = false;
    }
    if (m_paintedOnce && m_notMinimised) {
        const int total = m_tree->Width() + kSplitterWidth + m_wave->Width();
        if (total > 0) {
            const int proposed = static_cast<int>(static_cast<std::int64_t>(m_treeWidth) * width / total);
            if (std::abs(proposed - m_treeWidth) > kResizeThreshold) {
                m_treeWidth = std::clamp(proposed, m_splitterMin, m_splitterMax);
            }
        }
    }
    Layout();
    m_tree->FitRowsToWindow();
    Refresh();
    if (width > 0 && height > 0) {
        m_notMinimised = true;
    }
}

void CTracelumeView::OnMouse(const MouseEvent& event) {
    switch (event.kind) {
        case MouseEvent::Move:
            if (m_dragging) {
                m_treeWidth = m_dragStartWidth;
                MoveSplitter(event.x - m_dragStartX);
                Layout();
                SetCursor(kCursorSplitter);
            } else if (InSplitter(event.x, event.y)) {
                SetCursor(kCursorSplitter);
            }
            break;
        case MouseEvent::LeftDown:
            if (InSplitter(event.x, event.y) && m_splitterMax != m_splitterMin) {
                SetCapture(true);
                SetCursor(kCursorSplitter);
                m_dragging = true;
                m_dragStartX = event.x;
                m_dragStartWidth = m_treeWidth;
            }
            break;
        case MouseEvent::LeftUp:
            SetCapture(false);
            if (m_dragging) {
                m_dragging = false;
                m_treeWidth = m_dragStartWidth;
                MoveSplitter(event.x - m_dragStartX);
                Layout();
                Invalidate();
            }
            break;
        default:
            break;
    }
}

}  // namespace tracelume

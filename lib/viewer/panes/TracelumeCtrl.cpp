#include "lib/viewer/panes/TracelumeCtrl.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "lib/viewer/data/MarkCommands.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/TracelumeCallback.h"
#include "lib/viewer/data/TracelumeTexts.h"
#include "lib/viewer/data/XmlText.h"
#include "lib/viewer/panes/LegendWnd.h"
#include "lib/viewer/panes/TracelumeRulerCtrl.h"
#include "lib/viewer/panes/TracelumeTreeCtrl.h"
#include "lib/viewer/panes/TracelumeView.h"
#include "lib/viewer/panes/ViewPlatform.h"
#include "lib/viewer/panes/WaveMarkCtrl.h"
#include "lib/viewer/panes/WaveNavigatorCtrl.h"

namespace tracelume {

namespace {

bool UsableRate(double rate) { return std::isfinite(rate) && rate > 0; }

// factor x value held within the 64-bit range.
std::int64_t Times(std::int64_t value, std::int64_t factor) {
    std::int64_t result = 0;
    if (__builtin_mul_overflow(value, factor, &result)) {
        return value < 0 ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    }
    return result;
}

}  // namespace

int& CTracelumeCtrl::ContextMenuOption() {
    static int option = 1;
    return option;
}

CTracelumeCtrl::CTracelumeCtrl(CTracelumeView& view) : m_view(view) {
    m_font.face = L"Arial";
    m_font.height = 14;
    m_binder.Register(L"background", CXMLDataExchange::kColor, &m_background);
    m_binder.Register(L"font", CXMLDataExchange::kFont, &m_font);
    m_binder.Register(L"zoom", CXMLDataExchange::kInt32, &m_zoom);
    m_binder.Register(L"hscroll", CXMLDataExchange::kInt64, &m_position);
    m_binder.Register(L"size", CXMLDataExchange::kInt64, &m_dataLength);
    m_binder.Register(L"min", CXMLDataExchange::kInt64, &m_min);
    m_binder.Register(L"max", CXMLDataExchange::kInt64, &m_max);
}

CTracelumeCtrl::~CTracelumeCtrl() = default;

int CTracelumeCtrl::LoadSettings(const tinyxml2::XMLElement& element) {
    m_binder.LoadFromElement(element);
    m_dataLength = std::max<std::int64_t>(m_dataLength, 0);
    m_baseLength = m_dataLength;
    SetRange(m_min, m_max);
    SetZoom(m_zoom);
    UpdateScrollBars();
    SetScrollPosition(false, m_position, true);
    return 1;
}

std::wstring CTracelumeCtrl::DefaultSettings() {
    return LR"(<wavectrl background="0;0;0" font="Arial;12pt" zoom="0" hscroll="0" size="0" min="0" max="0"/>)";
}

void CTracelumeCtrl::Notify(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) {
    if (ITracelumeCallback* callback = m_view.Callback()) {
        callback->Notify(code, wParam, lParam);
    }
}

double CTracelumeCtrl::GetTimePerDivision() const { return m_fitted ? FitScale() : ZoomScale(m_zoom); }

double CTracelumeCtrl::FitScale() const {
    const double coarsest = ZoomScale(GetMinZoomLevel());
    const std::int64_t range = m_max - m_min;
    if (range <= 0 || Width() <= 0 || !(m_rate > 0.0)) {
        return coarsest;
    }
    const double exact = static_cast<double>(Width()) * m_rate / static_cast<double>(range);
    return std::clamp(exact, coarsest, std::max(coarsest, ZoomScale(GetMaxZoomLevel())));
}

TimeAxis CTracelumeCtrl::Axis() const { return {GetTimePerDivision(), m_rate, m_position}; }

double CTracelumeCtrl::PixelOfSample(double sample) const { return Axis().PixelOfSample(sample); }

double CTracelumeCtrl::FirstVisibleSample() const {
    return static_cast<double>(m_position) * m_rate / GetTimePerDivision();
}

double CTracelumeCtrl::VisibleSamples() const { return Width() * m_rate / GetTimePerDivision(); }

std::int64_t CTracelumeCtrl::SampleAt(int x) const { return ToPixels(std::floor(Axis().SampleAtPixel(x))); }

int CTracelumeCtrl::GetMinZoomLevel() const { return MinZoomLevel(m_max - m_min, Width(), m_rate); }

int CTracelumeCtrl::GetMaxZoomLevel() const { return MaxZoomLevel(GetMinZoomLevel(), m_rate); }

void CTracelumeCtrl::SetZoom(int level) {
    m_fitted = false;
    m_zoom = std::clamp(level, GetMinZoomLevel(), GetMaxZoomLevel());
    // Nothing is shown anew until the next refresh, but the scroll range is the
    // level's from now on.
    m_range = HorizontalScrollRange(GetTimePerDivision(), m_rate, m_min, m_max, Width());
}

void CTracelumeCtrl::SetSampleRate(double rate) {
    if (!UsableRate(rate)) {
        return;
    }
    if (m_detail == kDetailShown) {
        // The lengths go back to the host's units with the rate.
        m_dataLength = m_baseLength;
        m_max = m_baseLength;
        m_min = m_baseMin;
    }
    m_rate = rate;
    m_baseRate = rate;
    m_detail = kDetailNormal;
    m_view.MarkBar().SetPrecisionStep(rate);
    m_view.Ruler().SetSampleRate(rate);
    UpdateScrollBars();
    m_view.Ruler().Invalidate();
    Invalidate();
}

void CTracelumeCtrl::SetDataLength(std::int64_t count) {
    count = std::max<std::int64_t>(count, 0);
    m_dataLength = count;
    m_max = count;
    m_baseLength = count;
    m_min = std::min(m_min, count);
    m_baseMin = m_min;
    m_detail = kDetailNormal;
    m_view.Navigator().SetDataRange(0, count);
    m_view.Navigator().SetViewRange(m_min, count);
    UpdateScrollBars();
}

void CTracelumeCtrl::SetRange(std::int64_t min, std::int64_t max) {
    m_min = std::clamp<std::int64_t>(min, 0, m_dataLength);
    m_max = std::clamp<std::int64_t>(max, m_min, m_dataLength);
    if (m_detail != kDetailShown) {
        m_baseMin = m_min;
    }
}

void CTracelumeCtrl::UpdateScrollBars() {
    m_range = HorizontalScrollRange(GetTimePerDivision(), m_rate, m_min, m_max, Width());
    if (IPaneSurface* surface = Surface()) {
        surface->SetScrollBar(false, ScrollBarSpan(m_range), Width(), ThumbOf(m_position, m_range));
        CTracelumeTreeCtrl& tree = m_view.Tree();
        surface->SetScrollBar(true, tree.GetTotalHeight(), Height(), tree.GetScrollPosition());
    }
}

std::int64_t CTracelumeCtrl::SetScrollPosition(bool vertical, std::int64_t position, bool redraw) {
    if (vertical) {
        CTracelumeTreeCtrl& tree = m_view.Tree();
        const auto clamped = static_cast<int>(std::clamp<std::int64_t>(position, 0, tree.GetScrollMax()));
        tree.SetScrollPosition(clamped);
        if (IPaneSurface* surface = Surface()) {
            surface->SetScrollBar(true, tree.GetTotalHeight(), Height(), tree.GetScrollPosition());
        }
        Invalidate();
        return tree.GetScrollPosition();
    }
    const std::int64_t old = m_position;
    // The range follows the zoom even when the level was only stored.
    m_range = HorizontalScrollRange(GetTimePerDivision(), m_rate, m_min, m_max, Width());
    m_position = ClampScrollPosition(position, m_range, Width());
    if (IPaneSurface* surface = Surface()) {
        surface->SetScrollBar(false, ScrollBarSpan(m_range), Width(), ThumbOf(m_position, m_range));
    }
    InvalidatePanes();
    UpdateTime();
    if (m_position != old && m_detail == kDetailShown) {
        StartDetailTimer();
    }
    if (redraw) {
        Invalidate();
    }
    return m_position;
}

void CTracelumeCtrl::SmoothScrollTo(std::int64_t target) {
    const std::int64_t start = m_position;
    const double distance = static_cast<double>(target) - static_cast<double>(start);
    using Clock = std::chrono::steady_clock;
    static constexpr double kSteps[] = {1.0 / 16, 1.0 / 8, 1.0 / 4, 1.0 / 2, 3.0 / 4, 7.0 / 8, 15.0 / 16};
    bool first = true;
    for (double step : kSteps) {
        const auto begin = Clock::now();
        SetScrollPosition(false, start + ToPixels(distance * step), true);
        UpdateNow();
        // A slow paint shortens the glide to two steps.
        if (first && Clock::now() - begin >= std::chrono::milliseconds(100)) {
            break;
        }
        first = false;
    }
    SetScrollPosition(false, target, true);
}

void CTracelumeCtrl::ScrollRowsBy(std::int64_t delta) {
    SetScrollPosition(true, m_view.Tree().GetScrollPosition() + delta, true);
}

void CTracelumeCtrl::InvalidatePanes() {
    CTracelumeRulerCtrl& ruler = m_view.Ruler();
    ruler.SetOrigin(m_position - ((m_position % kScrollStep) + kScrollStep) % kScrollStep);
    ruler.SetPrecisionStep(GetTimePerDivision() / 1000);
    ruler.Invalidate();
    CWaveNavigatorCtrl& navigator = m_view.Navigator();
    navigator.SetDataRange(0, m_dataLength);
    navigator.SetViewRange(m_min, m_max);
    const double first = FirstVisibleSample();
    navigator.SetPageRange(ToPixels(first), ToPixels(first + VisibleSamples()));
    navigator.Invalidate();
    m_view.Tree().Invalidate();
    m_view.MarkBar().Invalidate();
}

void CTracelumeCtrl::UpdateTime() { m_view.UpdateTimeBox(); }

void CTracelumeCtrl::ZoomAt(int level, int x) {
    const double sample = Axis().SampleAtPixel(x);
    m_fitted = false;
    m_zoom = std::clamp(level, GetMinZoomLevel(), GetMaxZoomLevel());
    UpdateScrollBars();
    const double pixel = GetTimePerDivision() * sample / m_rate - x;
    SetScrollPosition(false, ToPixels(pixel), true);
    InvalidatePanes();
}

void CTracelumeCtrl::ZoomInAt(int x) {
    int level = m_zoom + 1;
    // From a fitted view, the first level that shows more than it does.
    while (m_fitted && level < GetMaxZoomLevel() && ZoomScale(level) <= FitScale()) {
        ++level;
    }
    ZoomAt(level, x);
    if (!m_detailAllowed) {
        return;
    }
    if (m_detail == kDetailReady) {
        if (m_view.Platform() != nullptr) {
            m_view.Platform()->SetBusy(true);
        }
        SetDetailMode(2);
        m_detail = kDetailShown;
        if (m_view.Platform() != nullptr) {
            m_view.Platform()->SetBusy(false);
        }
    } else if (m_detail == kDetailNormal && m_zoom == GetMaxZoomLevel()) {
        m_detail = kDetailReady;
    }
}

void CTracelumeCtrl::ZoomOutAt(int x) {
    if (m_detail == kDetailShown) {
        SetDetailMode(1);
        m_detail = kDetailReady;
        return;
    }
    m_detail = kDetailNormal;
    if (m_fitted) {
        return;  // the whole range is shown already
    }
    ZoomAt(m_zoom - 1, x);
    if (m_detailAllowed && m_zoom == GetMaxZoomLevel()) {
        m_detail = kDetailReady;
    }
}

void CTracelumeCtrl::ZoomIn() { ZoomInAt(Width() / 2); }

void CTracelumeCtrl::ZoomOut() { ZoomOutAt(Width() / 2); }

void CTracelumeCtrl::ZoomAll() {
    if (m_detailAllowed || m_detail == kDetailShown) {
        // Leaving the detail view tells the host.
        SetDetailMode(1);
        m_detail = kDetailNormal;
    }
    m_zoom = GetMinZoomLevel();
    m_fitted = true;
    UpdateScrollBars();
    SetScrollPosition(false, ToPixels(GetTimePerDivision() * static_cast<double>(m_min) / m_rate), true);
    InvalidatePanes();
    m_view.Tree().FitRowsToWindow();
    m_view.OnRefresh();
    if (m_detailAllowed && m_zoom == GetMaxZoomLevel()) {
        m_detail = kDetailReady;
    }
}

void CTracelumeCtrl::SetDetailMode(int mode) {
    const bool entering = mode == 2;
    const std::int64_t factor = entering ? kDetailFactor : 1;
    if (entering == (m_rate != m_baseRate)) {
        return;  // already so
    }
    // The sample at the centre stays at its pixel: positions scale with the rate,
    // so its pixel is unchanged and only the zoom range moves.
    const int centre = Width() / 2;
    const double centreSample = Axis().SampleAtPixel(centre);
    m_rate = static_cast<double>(factor) * m_baseRate;
    m_dataLength = Times(m_baseLength, factor);
    m_max = m_dataLength;
    m_min = Times(m_baseMin, factor);
    m_view.Ruler().SetSampleRate(m_rate);
    m_view.MarkBar().SetPrecisionStep(m_rate);
    CWaveNavigatorCtrl& navigator = m_view.Navigator();
    navigator.SetDataRange(0, m_dataLength);
    navigator.SetViewRange(m_min, m_max);
    const double newCentre = entering ? centreSample * kDetailFactor : centreSample / kDetailFactor;
    m_fitted = false;
    m_zoom = std::clamp(m_zoom, GetMinZoomLevel(), GetMaxZoomLevel());
    UpdateScrollBars();
    SetScrollPosition(false, ToPixels(GetTimePerDivision() * newCentre / m_rate - centre), true);
    InvalidatePanes();
    if (entering) {
        m_detail = kDetailShown;
        RequestDetail();
    } else {
        m_lastRequest = -1;
        if (Surface() != nullptr) {
            Surface()->KillTimer(kDetailTimer);
        }
        Notify(kNotifyDetailLeft, 0, 0);
    }
}

void CTracelumeCtrl::RequestDetail() {
    if (m_detail != kDetailShown) {
        return;
    }
    m_lastRequest = m_position;
    const std::int64_t first = ToPixels(std::floor(FirstVisibleSample()));
    const std::int64_t visible = ToPixels(std::ceil(VisibleSamples()));
    Notify(kNotifyDetailRange, static_cast<std::uintptr_t>(std::max<std::int64_t>(first - 20, 0)),
           static_cast<std::intptr_t>(visible + 20));
}

void CTracelumeCtrl::StartDetailTimer() {
    if (Surface() != nullptr) {
        Surface()->SetTimer(kDetailTimer, 200);
    }
}

void CTracelumeCtrl::SetBackground(std::uint32_t colorRef) {
    m_background = colorRef & 0xFFFFFF;
    Invalidate();
}

void CTracelumeCtrl::ShowGrid(bool horizontal, bool vertical) {
    m_horizontalGrid = horizontal;
    m_verticalGrid = vertical;
    Invalidate();
}

void CTracelumeCtrl::ShowMeasureLines(bool on, int row) {
    m_measureLines = on;
    if (row >= 0) {
        m_lineRow[0] = row;
        m_lineRow[1] = row;
    }
    Invalidate();
}

void CTracelumeCtrl::SetMouseMode(unsigned mode) {
    if (m_regionMode && (mode == kCmdNormalMouse || mode == kCmdScreenshotMouse)) {
        EndRegionMode();
    }
    m_mouseMode = mode;
    m_gesture = kNoGesture;
    SetCursor(mode == kCmdNormalMouse ? kCursorArrow : kCursorCross);
    Invalidate();
}

// Marks.

int CTracelumeCtrl::MarkAt(int x, int y) {
    CMarkManager& marks = m_view.Marks();
    const int below = m_view.Tree().GetTotalHeight() - m_view.Tree().GetScrollPosition();
    if (y > below) {
        return -1;
    }
    for (int i = marks.GetCount() - 1; i >= 0; --i) {
        std::wstring text;
        if (marks.GetMarkAttribute(i, L"position", &text) == 0) {
            continue;
        }
        const double pixel = std::round(PixelOfSample(static_cast<double>(MarkPosition(marks, i))));
        if (std::fabs(pixel - x) <= 4) {
            return i;
        }
    }
    return -1;
}

int CTracelumeCtrl::AddCursorMark() {
    const int index = tracelume::AddCursorMark(m_view.Marks(), SampleAt(static_cast<int>(m_lastClick.x)));
    if (index >= 0) {
        m_currentMark = index;
    }
    InvalidatePanes();
    Invalidate();
    return index;
}

bool CTracelumeCtrl::MoveMark(int index, std::int64_t position, bool group) {
    const bool moved = tracelume::MoveMark(m_view.Marks(), index, position, group, m_dataLength, m_minRegion);
    if (moved) {
        InvalidatePanes();
        Invalidate();
    }
    return moved;
}

void CTracelumeCtrl::ScrollToMark(int index) {
    if (index < 0 || index >= m_view.Marks().GetCount()) {
        return;
    }
    const double pixel = GetTimePerDivision() * static_cast<double>(MarkPosition(m_view.Marks(), index)) / m_rate;
    SmoothScrollTo(ToPixels(pixel - Width() / 2));
}

void CTracelumeCtrl::Find(std::int64_t position) {
    CMarkManager& marks = m_view.Marks();
    int index = marks.FindMark(L"Find");
    if (index < 0) {
        marks.AddMark(L"Find");
        index = marks.FindMark(L"Find");
    }
    if (index < 0) {
        return;
    }
    marks.SetMarkAttribute(index, L"snap", L"1");
    marks.SetMarkAttribute(index, L"background", L"255;0;0");
    marks.SetMarkAttribute(index, L"foreground", L"255;255;255");
    MoveMark(index, position, true);
    const double pixel = static_cast<double>(position) * GetTimePerDivision() / m_rate;
    SmoothScrollTo(ToPixels(pixel - Width() / 4));
}

// Regions.

void CTracelumeCtrl::EndRegionMode() {
    Notify(kNotifyRegionState, 0, 0);
    m_mouseMode = kCmdNormalMouse;
    m_regionMode = false;
    Notify(kNotifyRegion, static_cast<std::uintptr_t>(m_min), static_cast<std::intptr_t>(m_max));
    m_regionReset = true;
    m_region = {};
    m_workRegion = {};
    m_regionShown = false;
    m_gesture = kNoGesture;
    SetCursor(kCursorArrow);
    Invalidate();
}

void CTracelumeCtrl::ToggleRegionMode() {
    if (m_regionMode) {
        EndRegionMode();
        return;
    }
    m_regionMode = true;
    m_regionReset = false;
    m_mouseMode = kCmdRegionMouse;
    m_gesture = kNoGesture;
    SetCursor(kCursorRegion);
    Invalidate();
}

void CTracelumeCtrl::RegionCommand(std::intptr_t a, std::intptr_t b) {
    if (!m_regionMode && !m_regionShown) {
        return;
    }
    m_regionFlag = a;
    m_secondRegion = b;
    ToggleRegionMode();
}

void CTracelumeCtrl::NotifyGesture(bool flag, gfx::Point client) {
    gfx::Point screen = client;
    if (Surface() != nullptr) {
        screen = Surface()->ClientToScreen(client);
    }
    NotifyPoint point{static_cast<std::int32_t>(std::lround(screen.x)), static_cast<std::int32_t>(std::lround(screen.y))};
    Notify(kNotifyRegionGesture, flag ? 1 : 0, reinterpret_cast<std::intptr_t>(&point));
}

void CTracelumeCtrl::CommitRegion() {
    Notify(kNotifyRegionState, 1, 0);
    Region work = m_workRegion.Ordered();
    if (work.TooNarrow(m_minRegion)) {
        Notify(kNotifyRegion, static_cast<std::uintptr_t>(m_region.start), static_cast<std::intptr_t>(m_region.end + 1));
        return;
    }
    const std::int64_t last = std::max(m_min, m_max - 1);
    work.start = std::clamp(work.start, m_min, last);
    work.end = std::clamp(work.end, m_min, last);
    m_region = work;
    m_regionShown = true;
    Notify(kNotifyRegion, static_cast<std::uintptr_t>(work.start), static_cast<std::intptr_t>(work.end + 1));
    InvalidatePanes();
    Invalidate();
}

void CTracelumeCtrl::SelectRegion(std::int64_t a, std::int64_t b) {
    const Region wanted = Region{a, b}.Ordered();
    if (wanted.start < m_min || wanted.end >= m_max) {
        return;
    }
    const double scale = GetTimePerDivision();
    const double rangeWidth = scale * static_cast<double>(m_max - m_min) / m_rate;
    if (rangeWidth > Width()) {
        const std::int64_t startPixel = ToPixels(scale * static_cast<double>(wanted.start) / m_rate);
        const std::int64_t endPixel = ToPixels(scale * static_cast<double>(m_max) / m_rate);
        SetScrollPosition(false, endPixel - startPixel < Width() ? endPixel - Width() : startPixel, true);
    }
    m_workRegion = wanted;
    NotifyGesture(!wanted.TooNarrow(m_minRegion), m_last);
    CommitRegion();
}

// Legend.

CLegendWnd& CTracelumeCtrl::EnsureLegend() {
    if (!m_legend) {
        m_legend = std::make_unique<CLegendWnd>();
        m_legend->SetHeightRequest([this](int height) { OnLegendHeight(height); });
        m_legend->SetClickHandler([this](IRowItemImp* kind) { OnLegendClick(kind); });
        if (m_view.Platform() != nullptr) {
            m_view.Platform()->CreatePaneWindow(*m_legend, *this);
        }
        OnLegendHeight(m_legendHeight);
    }
    return *m_legend;
}

void CTracelumeCtrl::OnLegendHeight(int height) {
    m_legendHeight = height;
    if (m_legend) {
        m_legend->Place(gfx::Rect::FromSize(0, Height() - height, Width(), height), height > 0 && IsVisible());
    }
}

void CTracelumeCtrl::OnLegendClick(IRowItemImp* kind) {
    if (!m_legend || m_legend->GetRow() == nullptr) {
        return;
    }
    CRowItem* row = m_legend->GetRow();
    for (int i = 0; i < row->GetImpCount(); ++i) {
        IRowItemImp* each = row->GetImp(i);
        CLineStyleInfo style;
        row->GetImpStyle(each, &style);
        const std::int32_t highlight = each == kind ? 1 : 0;
        if (style.m_highlight != highlight) {
            style.m_highlight = highlight;
            row->SetImpStyle(each, style);
        }
    }
    m_legend->SetHighlighted(kind);
    Invalidate();
}

void CTracelumeCtrl::OnShow(bool shown) {
    if (m_legend) {
        OnLegendHeight(m_legendHeight);
    }
    (void)shown;
}

void CTracelumeCtrl::OnSize(int, int) {
    UpdateScrollBars();
    SetScrollPosition(false, m_position, true);
    InvalidatePanes();
    if (m_legend) {
        OnLegendHeight(m_legendHeight);
    }
}

// Properties.

void CTracelumeCtrl::ShowProperties(const std::wstring& xml) {
    if (ITracelumeCallback* callback = m_view.Callback()) {
        callback->BeginProperties();
        callback->ShowProperties(xml);
    }
}

std::wstring CTracelumeCtrl::MarkPropertiesXml(int index) {
    static const wchar_t* const kAttributes[] = {L"name", L"group", L"position", L"background", L"foreground",
                                                 L"comment"};
    std::wstring values[std::size(kAttributes)];
    CXMLDataExchange binder;
    for (std::size_t i = 0; i < std::size(kAttributes); ++i) {
        m_view.Marks().GetMarkAttribute(index, kAttributes[i], &values[i]);
        binder.Register(kAttributes[i], CXMLDataExchange::kString, &values[i]);
    }
    std::wstring xml = Texts().GetString(kTextMarkProperties);
    binder.SaveToText(xml);
    return xml;
}

}  // namespace tracelume

#include "report/ITICImpl.h"

#include <algorithm>
#include <cmath>


namespace {

constexpr gfx::Color kGround{229, 229, 229};
constexpr gfx::Color kInk{8, 8, 8};
constexpr gfx::Color kCurve{0, 0, 255};
constexpr gfx::Color kAboveColor{255, 0, 0};
constexpr gfx::Color kBelowColor{255, 255, 0};
constexpr gfx::Color kInsideColor{0, 0, 255};
constexpr double kTopMagnitude = 250.0;

gfx::Font ChartFont()
{
    gfx::Font font;
    font.face = L"宋体";
    font.height = 14;  // cell height, as the chart's GDI font
    font.weight = 400;
    return font;
}

}  // namespace

CITICImpl::CITICImpl(std::wstring xText, std::wstring yText, std::wstring eventNumText, std::wstring overText)
    : m_XText(std::move(xText)),
      m_YText(std::move(yText)),
      m_EventNumText(std::move(eventNumText)),
      m_OverText(std::move(overText))
{
}

CITICImpl::Region CITICImpl::Classify(std::int32_t duration, float magnitude)
{
    const double d = duration;
    const double m = magnitude;
    const bool above = (d >= 500 && m > 110) || (d >= 3 && d < 500 && m > 120) || (d < 3 && m > (10 - d) * 20);
    if (above) {
        return Region::Above;
    }
    const bool below = (d >= 20 && d < 500 && m < 70) || (d >= 500 && d < 10000 && m < 80) || (d >= 10000 && m < 90);
    return below ? Region::Below : Region::Inside;
}

int CITICImpl::CountEvents(int mode, const std::vector<std::int32_t>& durations,
                           const std::vector<float>& magnitudes) const
{
    if (durations.empty() || durations.size() != magnitudes.size()) {
        return 0;
    }
    if (mode == 1) {
        return static_cast<int>(durations.size());
    }
    if (mode != 2) {
        return 0;
    }
    int over = 0;
    for (std::size_t i = 0; i < durations.size(); ++i) {
        over += Classify(durations[i], magnitudes[i]) == Region::Above ? 1 : 0;
    }
    return over;
}

bool CITICImpl::AddEvents(const std::vector<CIticEvent>& events)
{
    for (const CIticEvent& event : events) {
        if (event.duration <= 0 || !std::isfinite(event.magnitude)) {
            ++m_LeftOut;
            continue;
        }
        m_Durations.push_back(event.duration);
        m_Magnitudes.push_back(event.magnitude);
    }
    return !m_Durations.empty();
}

std::int32_t CITICImpl::GetLongestDuration() const
{
    return m_Durations.empty() ? 0 : *std::max_element(m_Durations.begin(), m_Durations.end());
}

bool CITICImpl::GetDecade(std::int32_t longestDuration)
{
    const float decades = longestDuration > 0 ? std::log10(static_cast<float>(longestDuration)) : 0.0f;
    if (decades < static_cast<float>(kMinDecades)) {
        m_Decades = kMinDecades;
        return false;
    }
    m_Decades = static_cast<int>(std::ceil(decades));
    return true;
}

int CITICImpl::Release()
{
    m_Durations.clear();
    m_Magnitudes.clear();
    m_LeftOut = 0;
    return 1;
}

gfx::Rect CITICImpl::PlotArea(int width, int height)
{
    return gfx::Rect{40.0, 30.0, width - 40.0, height - 30.0};
}

double CITICImpl::TimeX(const gfx::Rect& plot, double duration) const
{
    return plot.left + plot.Width() * std::log10(duration) / m_Decades;
}

double CITICImpl::MagnitudeY(const gfx::Rect& plot, double magnitude)
{
    return plot.bottom - plot.Height() * magnitude / kTopMagnitude;
}

gfx::Point CITICImpl::EventPosition(const gfx::Rect& plot, std::int32_t duration, float magnitude) const
{
    const double x = TimeX(plot, std::max<double>(1.0, duration));
    const double y = MagnitudeY(plot, magnitude);
    return {std::floor(std::clamp(x, plot.left, plot.right - 3.0)), std::floor(std::clamp(y, plot.top, plot.bottom - 3.0))};
}

std::wstring CITICImpl::LegendText() const
{
    return m_EventNumText + L":" + std::to_wstring(CountEvents(1, m_Durations, m_Magnitudes)) + L" " + m_OverText + L":" +
           std::to_wstring(CountEvents(2, m_Durations, m_Magnitudes)) + L" ";
}

void CITICImpl::DrawAxes(gfx::Context& dc, const gfx::Rect& plot)
{
    dc.SetPen(gfx::Pen{kInk, 1.0});
    dc.SetBrush(gfx::Brush::Null());
    dc.Rectangle(plot);
    dc.SetFont(ChartFont());
    dc.SetTextColor(kInk);
    dc.SetOpaqueBackground(false);
    const double bottom = plot.bottom - 1;
    auto text = [&](const std::wstring& s, gfx::Rect box, unsigned format) { dc.DrawText(s, box, format); };

    text(L"1", gfx::Rect{plot.left - 12, bottom + 1, plot.left + 12, bottom + 17}, gfx::TextFormat::Center);
    for (int k = 1; k <= m_Decades; ++k) {
        const double x = std::round(plot.left + (plot.Width() - 1) * k / m_Decades);
        dc.DrawLine({x, bottom}, {x, bottom - 6});
        std::wstring label = L"1";
        label.append(static_cast<std::size_t>(k), L'0');
        const double width = 8.0 * static_cast<double>(label.size()) + 8.0;
        text(label, gfx::Rect{x - width / 2, bottom + 1, x + width / 2, bottom + 17}, gfx::TextFormat::Center);
    }
    text(m_XText, gfx::Rect{plot.left, bottom + 15, plot.right, bottom + 31}, gfx::TextFormat::Center);

    static const wchar_t* const kLabels[] = {L"50", L"100", L"150", L"200", L"250"};
    for (int i = 1; i <= 5; ++i) {
        const double y = std::round(bottom - (plot.Height() - 1) * i / 5.0);
        dc.DrawLine({plot.left, y}, {plot.left + 6, y});
        text(kLabels[i - 1], gfx::Rect{plot.left - 26, y - 8, plot.left - 2, y + 8},
             gfx::TextFormat::Right | gfx::TextFormat::VCenter);
    }
    text(m_YText, gfx::Rect{plot.left + 4, plot.top + 2, plot.left + plot.Width() / 2, plot.top + 18},
         gfx::TextFormat::Left);
    text(L"X:(ms)\nY:(%)", gfx::Rect{plot.right - 40, plot.top + 1, plot.right - 1, plot.top + 51},
         gfx::TextFormat::Left);

    // The region limits at 3, 20 and 500 ms.
    dc.SetPen(gfx::Pen{kInk, 1.0, gfx::PenStyle::Dot});
    for (const double ms : {3.0, 20.0, 500.0}) {
        const double x = std::round(TimeX(plot, ms));
        dc.DrawLine({x, plot.top}, {x, plot.bottom});
    }
}

void CITICImpl::DrawCurve(gfx::Context& dc, const gfx::Rect& plot)
{
    const double end = std::pow(10.0, m_Decades);
    auto at = [&](double ms, double percent) { return gfx::Point{TimeX(plot, ms), MagnitudeY(plot, percent)}; };
    const gfx::Point lower[] = {at(1, 0),     at(20, 0),     at(20, 70),    at(500, 70),
                                at(500, 80),  at(10000, 80), at(10000, 90), at(end, 90)};
    const gfx::Point upper[] = {at(end, 110), at(500, 110), at(500, 120), at(3, 120), at(3, 140), at(1, 200)};
    dc.SetPen(gfx::Pen{kCurve, 3.0});
    dc.Polyline(lower);
    dc.Polyline(upper);
}

int CITICImpl::Draw(gfx::Context& dc, int width, int height)
{
    const gfx::Rect area = gfx::Rect::FromSize(0, 0, width, height);
    const gfx::Rect plot = PlotArea(width, height);
    dc.Save();
    dc.FillRect(area, kGround);
    DrawAxes(dc, plot);
    DrawCurve(dc, plot);
    if (m_ShowLabels == 1) {
        dc.SetFont(ChartFont());
        dc.SetTextColor(kInk);
        dc.SetBackgroundColor(kGround);
        dc.SetOpaqueBackground(true);
        gfx::Rect legend{plot.left, 5, plot.right, 30};
        dc.DrawText(LegendText(), legend, gfx::TextFormat::Center);
        dc.SetOpaqueBackground(false);
        for (std::size_t i = m_Durations.size(); i-- > 0;) {
            const Region region = Classify(m_Durations[i], m_Magnitudes[i]);
            const gfx::Color color =
                region == Region::Above ? kAboveColor : (region == Region::Below ? kBelowColor : kInsideColor);
            const gfx::Point p = EventPosition(plot, m_Durations[i], m_Magnitudes[i]);
            dc.FillRect(gfx::Rect::FromSize(p.x, p.y, 3, 3), color);
        }
    }
    dc.Restore();
    return 1;
}

gfx::Recording CITICImpl::DrawPicture(int width, int height)
{
    gfx::Recording picture(width, height);
    if (const std::unique_ptr<gfx::Context> dc = picture.NewContext()) {
        Draw(*dc, width, height);
    }
    return picture;
}

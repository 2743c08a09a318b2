#include "controls/BarChart.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace controls {

namespace {

constexpr gfx::Color kAxis{96, 96, 96};
constexpr gfx::Color kGrid{224, 224, 224};
constexpr gfx::Color kText{0, 0, 0};
constexpr gfx::Color kBackground{255, 255, 255};

std::wstring Fixed(double value, int digits)
{
    if (std::fabs(value) < 0.5 * std::pow(10.0, -digits)) {
        value = 0.0;  // no "-0.000"
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, digits);
    std::wstring text;
    for (const char* c = buffer; c != result.ptr; ++c) {
        text += static_cast<wchar_t>(*c);
    }
    return text;
}

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

}  // namespace

gfx::Font BarChart::DefaultFont()
{
    gfx::Font font;
    font.face = L"Tahoma";
    font.height = -12;
    return font;
}

ChartSeries& BarChart::AddSeries(std::wstring name, gfx::Color color)
{
    ChartSeries& series = m_Series.emplace_back();
    series.name = std::move(name);
    series.color = color;
    return series;
}

std::vector<std::wstring> BarChart::Arguments() const
{
    std::vector<std::wstring> arguments;
    for (const ChartSeries& series : m_Series) {
        for (const ChartPoint& point : series.points) {
            if (std::find(arguments.begin(), arguments.end(), point.argument) == arguments.end()) {
                arguments.push_back(point.argument);
            }
        }
    }
    return arguments;
}

double BarChart::NiceStep(double span, int ticks)
{
    if (!(span > 0.0) || ticks < 1) {
        return 1.0;
    }
    const double raw = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= raw * (1.0 - 1e-9)) {
            return factor * power;
        }
    }
    return 10.0 * power;
}

std::wstring BarChart::FormatLabel(const std::wstring& format, double value)
{
    int digits = 3;
    if (format.size() >= 4 && format.starts_with(L"%.") && format.back() == L'f') {
        const std::wstring count = format.substr(2, format.size() - 3);
        if (!count.empty() && count.size() <= 2 && std::all_of(count.begin(), count.end(), IsDigit)) {
            digits = std::stoi(count);
        }
    }
    return Fixed(value, digits);
}

std::wstring BarChart::FormatTick(double value, double step)
{
    const int digits = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    return Fixed(value, std::clamp(digits, 0, 9));
}

ChartLayout BarChart::Layout(gfx::Context& context, const gfx::Rect& client) const
{
    ChartLayout layout;
    context.SetFont(font);
    const double lineHeight = context.Metrics().height;
    const std::vector<std::wstring> arguments = Arguments();

    // Value range: 0 and every value, split into nicely stepped ticks.
    double low = 0.0, high = 0.0;
    for (const ChartSeries& series : m_Series) {
        for (const ChartPoint& point : series.points) {
            if (std::isfinite(point.value)) {
                low = std::min(low, point.value);
                high = std::max(high, point.value);
            }
        }
    }
    if (high == low) {
        high = low + 1.0;
    }
    layout.step = NiceStep(high - low, 5);
    layout.minimum = std::floor(low / layout.step + 1e-9) * layout.step;
    layout.maximum = std::ceil(high / layout.step - 1e-9) * layout.step;

    gfx::Rect area{client.left + kMargin, client.top + kMargin, client.right - kMargin, client.bottom - kMargin};
    if (legendVisible && !m_Series.empty()) {
        double width = 0.0;
        for (const ChartSeries& series : m_Series) {
            width = std::max(width, context.TextExtent(series.name).width);
        }
        width += kSwatch + 12.0;
        const double height = static_cast<double>(m_Series.size()) * (lineHeight + 4.0) + 6.0;
        layout.legend = gfx::Rect::FromSize(area.right - width, area.top, width, height);
        area.right -= width + kMargin;
    }
    if (valueTitle.visible && !valueTitle.text.empty()) {
        area.left += lineHeight + 4.0;  // the title stands turned along the axis
    }
    if (argumentTitle.visible && !argumentTitle.text.empty()) {
        area.bottom -= lineHeight + 4.0;
    }
    double tickWidth = 0.0;
    for (double v = layout.minimum; v <= layout.maximum + layout.step / 2; v += layout.step) {
        tickWidth = std::max(tickWidth, context.TextExtent(FormatTick(v, layout.step)).width);
    }
    area.left += tickWidth + 6.0;
    area.bottom -= lineHeight + 4.0;     // argument labels
    area.top += lineHeight / 2.0 + 2.0;  // room for the top tick label and point labels
    layout.plot = area;
    if (area.IsEmpty() || arguments.empty()) {
        return layout;
    }

    layout.groupWidth = area.Width() / static_cast<double>(arguments.size());
    double widest = 0.0;
    for (const std::wstring& argument : arguments) {
        widest = std::max(widest, context.TextExtent(argument).width + 4.0);
    }
    layout.argumentLabelEvery = std::max(1, static_cast<int>(std::ceil(widest / layout.groupWidth)));

    const double barWidth = layout.groupWidth * kGroupFill / static_cast<double>(m_Series.size());
    const double span = layout.maximum - layout.minimum;
    const auto yOf = [&](double value) { return area.bottom - (value - layout.minimum) / span * area.Height(); };
    for (std::size_t s = 0; s < m_Series.size(); ++s) {
        for (std::size_t p = 0; p < m_Series[s].points.size(); ++p) {
            const ChartPoint& point = m_Series[s].points[p];
            if (!std::isfinite(point.value)) {
                continue;
            }
            const auto group = static_cast<double>(
                std::find(arguments.begin(), arguments.end(), point.argument) - arguments.begin());
            const double left = area.left + group * layout.groupWidth +
                                layout.groupWidth * (1.0 - kGroupFill) / 2.0 + static_cast<double>(s) * barWidth;
            const double top = yOf(std::max(point.value, 0.0));
            const double bottom = yOf(std::min(point.value, 0.0));
            layout.bars.push_back({s, p, {left, top, left + barWidth, bottom}});
        }
    }
    return layout;
}

void BarChart::Draw(gfx::Context& context, const gfx::Rect& client) const
{
    context.FillRect(client, kBackground);
    const ChartLayout layout = Layout(context, client);
    const gfx::Rect& plot = layout.plot;
    if (plot.IsEmpty()) {
        return;
    }
    context.SetFont(font);
    context.SetTextColor(kText);
    const double lineHeight = context.Metrics().height;
    const double span = layout.maximum - layout.minimum;
    const auto yOf = [&](double value) { return plot.bottom - (value - layout.minimum) / span * plot.Height(); };

    // Grid lines and tick labels of the value axis.
    for (double v = layout.minimum; v <= layout.maximum + layout.step / 2; v += layout.step) {
        const double y = std::round(yOf(v)) + 0.5;
        context.SetPen({kGrid, 1.0});
        context.DrawLine({plot.left, y}, {plot.right, y});
        const std::wstring text = FormatTick(v, layout.step);
        const gfx::Size size = context.TextExtent(text);
        context.TextOut(plot.left - 4.0 - size.width, y - size.height / 2.0, text);
    }
    for (const ChartLayout::Bar& bar : layout.bars) {
        context.FillRect(bar.rect, m_Series[bar.series].color);
    }
    context.SetPen({kAxis, 1.0});
    const double zero = std::round(yOf(0.0)) + 0.5;
    context.DrawLine({plot.left, zero}, {plot.right, zero});
    context.DrawLine({plot.left + 0.5, plot.top}, {plot.left + 0.5, plot.bottom});

    const std::vector<std::wstring> arguments = Arguments();
    for (std::size_t g = 0; g < arguments.size(); g += static_cast<std::size_t>(layout.argumentLabelEvery)) {
        const double center = plot.left + (static_cast<double>(g) + 0.5) * layout.groupWidth;
        const gfx::Size size = context.TextExtent(arguments[g]);
        context.TextOut(center - size.width / 2.0, plot.bottom + 3.0, arguments[g]);
    }
    for (const ChartLayout::Bar& bar : layout.bars) {
        const ChartSeries& series = m_Series[bar.series];
        if (!series.labelsVisible) {
            continue;
        }
        const std::wstring text = FormatLabel(series.labelFormat, series.points[bar.point].value);
        const gfx::Size size = context.TextExtent(text);
        const double center = (bar.rect.left + bar.rect.right) / 2.0;
        context.TextOut(center - size.width / 2.0, std::max(plot.top - lineHeight / 2.0, bar.rect.top - size.height),
                        text);
    }

    if (argumentTitle.visible && !argumentTitle.text.empty()) {
        const gfx::Size size = context.TextExtent(argumentTitle.text);
        context.TextOut((plot.left + plot.right - size.width) / 2.0, plot.bottom + lineHeight + 6.0,
                        argumentTitle.text);
    }
    if (valueTitle.visible && !valueTitle.text.empty()) {
        const gfx::Size size = context.TextExtent(valueTitle.text);
        cairo_t* cr = context.Cairo();
        cairo_save(cr);
        cairo_translate(cr, client.left + kMargin, (plot.top + plot.bottom + size.width) / 2.0);
        cairo_rotate(cr, -M_PI / 2.0);
        context.TextOut(0.0, 0.0, valueTitle.text);
        cairo_restore(cr);
    }
    if (!layout.legend.IsEmpty()) {
        context.SetPen({kAxis, 1.0});
        context.SetBrush(gfx::Brush(kBackground));
        context.Rectangle(layout.legend);
        double y = layout.legend.top + 5.0;
        for (const ChartSeries& series : m_Series) {
            const double swatchTop = y + (lineHeight - kSwatch) / 2.0 + 2.0;
            context.FillRect(gfx::Rect::FromSize(layout.legend.left + 5.0, swatchTop, kSwatch, kSwatch), series.color);
            context.TextOut(layout.legend.left + kSwatch + 9.0, y + 2.0, series.name);
            y += lineHeight + 4.0;
        }
    }
}

std::optional<ChartLayout::Bar> BarChart::HitTest(gfx::Context& context, const gfx::Rect& client, gfx::Point at) const
{
    const ChartLayout layout = Layout(context, client);
    for (const ChartLayout::Bar& bar : layout.bars) {
        if (at.x >= bar.rect.left && at.x < bar.rect.right && at.y >= bar.rect.top && at.y < bar.rect.bottom) {
            return bar;
        }
    }
    return std::nullopt;
}

void BarChart::ShowLabelsOf(std::size_t series)
{
    for (std::size_t s = 0; s < m_Series.size(); ++s) {
        m_Series[s].labelsVisible = s == series;
    }
}

}  // namespace controls

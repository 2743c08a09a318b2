#include "lib/viewer/data/RowItem.h"

#include <algorithm>
#include <cmath>

#include "lib/viewer/data/DecimalText.h"
#include "lib/viewer/data/ValueText.h"

namespace {

constexpr int kMinHeight = 150;
constexpr int kMaxHeight = 1200;
// Closer zero and full-scale values than this mean the row has no range.
constexpr double kNoRange = 1e-9;
// Most labels a scale is given, whatever the range.
constexpr int kMostLabels = 10000;

}  // namespace

CRowItem::~CRowItem() { RemoveAllImps(); }

int CRowItem::Release() {
    const int count = --m_references;
    // A row in the tree belongs to the tree: the view deletes it when it removes it.
    if (count <= 0 && GetParent() == nullptr) {
        delete this;
    }
    return count;
}

int CRowItem::AddRef() { return ++m_references; }

void CRowItem::TellLegend(std::uint32_t message, IRowItemImp* kind, std::intptr_t lParam) {
    if (m_legend != nullptr) {
        m_legend->SendLegendMessage(message, reinterpret_cast<std::uintptr_t>(kind), lParam);
    }
}

int CRowItem::AddImp(IRowItemImp* kind) {
    if (kind == nullptr || std::find(m_kinds.begin(), m_kinds.end(), kind) != m_kinds.end()) {
        return 0;
    }
    m_kinds.push_back(kind);
    return 1;
}

int CRowItem::RemoveImp(IRowItemImp* kind, int release) {
    const auto found = std::find(m_kinds.begin(), m_kinds.end(), kind);
    if (found == m_kinds.end()) {
        m_styles.erase(kind);
        return 0;
    }
    TellLegend(IRowLegend::kLegendKind, kind, 0);
    m_kinds.erase(found);
    m_styles.erase(kind);
    if (release != 0) {
        kind->Release();
    }
    return 1;
}

void CRowItem::RemoveAllImps() {
    // Taken out first, so that nothing a kind does while it goes finds it listed.
    std::vector<IRowItemImp*> kinds;
    kinds.swap(m_kinds);
    for (IRowItemImp* kind : kinds) {
        TellLegend(IRowLegend::kLegendKind, kind, 0);
        kind->Release();
    }
    m_styles.clear();
}

int CRowItem::GetImpCount() { return static_cast<int>(m_kinds.size()); }

IRowItemImp* CRowItem::GetImp(int index) {
    return index >= 0 && static_cast<std::size_t>(index) < m_kinds.size() ? m_kinds[static_cast<std::size_t>(index)]
                                                                           : nullptr;
}

void CRowItem::SetImpStyle(IRowItemImp* kind, const CLineStyleInfo& style) {
    m_styles[kind] = style;
    TellLegend(IRowLegend::kLegendKind, kind, 1);
    const IRowLegend::LegendEntry entry{style.m_lineColor, style.m_name};
    TellLegend(IRowLegend::kLegendEntry, kind, reinterpret_cast<std::intptr_t>(&entry));
}

void CRowItem::GetImpStyle(IRowItemImp* kind, CLineStyleInfo* style) {
    if (style != nullptr) {
        *style = m_styles[kind];
    }
}

void CRowItem::SetName(const std::wstring& name) { m_text = name; }

std::wstring CRowItem::GetName() { return m_text; }

int CRowItem::SetHeight(int height) {
    m_height = std::clamp(height, kMinHeight, kMaxHeight);
    return m_height;
}

int CRowItem::GetHeight() { return m_height; }

void CRowItem::SetBase(int base) { m_base = base; }

int CRowItem::GetBase() { return m_base; }

void CRowItem::SetBitWidth(int bits) { m_bits = bits; }

int CRowItem::GetBitWidth() { return m_bits; }

void CRowItem::SetBackColor(std::uint32_t color) { m_backColor = color; }

std::uint32_t CRowItem::GetBackColor() { return m_backColor; }

void CRowItem::SetRange(double zero, double full, int unit, int decimals) {
    m_zero = zero;
    m_full = full;
    m_unit = unit;
    m_decimals = decimals;
}

void CRowItem::SetTreeValue(int value) { m_margin = value; }

void CRowItem::SetTreeFlag(bool on) {
    if (on) {
        m_flags |= kExpanded;
    } else {
        m_flags &= ~kExpanded;
    }
}

bool CRowItem::HasRange() const { return std::fabs(m_full - m_zero) > kNoRange; }

double CRowItem::Engineering(std::int64_t raw, bool withZero) const {
    // 2^bits as a floating-point number, so that 64 bits do not overflow.
    const double fullScale = std::ldexp(1.0, std::clamp(m_bits, 0, 64));
    return (m_full - m_zero) * static_cast<double>(raw) / fullScale + (withZero ? m_zero : 0.0);
}

std::wstring CRowItem::WithUnit(std::wstring number, const std::wstring& prefix) const {
    tracelume::DropLoneMinus(number);
    return number + (prefix.empty() ? L" " : prefix) + tracelume::UnitText(m_unit);
}

std::wstring CRowItem::FormatValue(std::int64_t raw) {
    if (!HasRange()) {
        return tracelume::DigitalText(raw, m_base, m_bits);
    }
    // One prefix for all values of the row, chosen by its full-scale value.
    const tracelume::UnitPrefix prefix = tracelume::ChoosePrefix(m_unit, std::fabs(m_full), std::fabs(m_full));
    const double value = Engineering(raw, true) * prefix.multiplier;
    const int decimals = std::clamp(m_decimals, 0, 20);
    std::wstring number = tracelume::FixedText(value, decimals);
    // A small value that would read as zero gets one more decimal; the sign does not
    // decide, so -0.0004 reads like 0.0004.
    if (tracelume::ShowsOnlyZeros(number) && std::fabs(value) >= std::pow(10.0, -(decimals + 2))) {
        number = tracelume::FixedText(value, decimals + 1);
    }
    return WithUnit(number, prefix.text);
}

std::wstring CRowItem::FormatValueAt(std::int64_t raw, std::int64_t reference, int* twoDecimals) {
    if (!HasRange()) {
        return FormatValue(raw);
    }
    const double span = Engineering(reference, false);
    const tracelume::UnitPrefix prefix = tracelume::ChoosePrefix(m_unit, std::fabs(span), std::fabs(m_full));
    const bool fine = std::fabs(span * prefix.multiplier) < 1;
    if (twoDecimals != nullptr) {
        *twoDecimals = fine ? 1 : 0;
    }
    return WithUnit(tracelume::FixedText(Engineering(raw, true) * prefix.multiplier, fine ? 2 : 0), prefix.text);
}

std::wstring CRowItem::FormatDifference(std::int64_t raw) {
    if (!HasRange()) {
        return FormatValue(raw);
    }
    const double value = Engineering(raw, false);
    const tracelume::UnitPrefix prefix = tracelume::ChoosePrefix(m_unit, std::fabs(value), std::fabs(m_full));
    return WithUnit(tracelume::FixedText(value * prefix.multiplier, std::clamp(m_decimals, 0, 20)), prefix.text);
}

void CRowItem::SetScaleDivisions(int* count) {
    if (count == nullptr || *count <= 0) {
        return;
    }
    int n = *count;
    const double span = m_full - m_zero;
    double step = span / n;
    const tracelume::UnitPrefix prefix = tracelume::ChoosePrefix(m_unit, std::fabs(step), std::fabs(m_full));
    m_multiplier = prefix.multiplier;
    m_prefix = prefix.text;
    step *= m_multiplier;
    m_labelDecimals = std::fabs(step) < 1 ? 2 : 0;
    if (std::fabs(step) >= 1) {
        step = std::round(step);
        const double top = m_multiplier * m_full;
        if (step < 1e-15 || !std::isfinite(step) || !std::isfinite(top)) {
            n = 0;
            step = m_full;
            m_labelStart = m_zero;
        } else {
            m_labelStart = std::ceil(m_multiplier * m_zero);
            n = 0;
            while (n < kMostLabels && m_labelStart + n * step <= top) {
                ++n;
            }
        }
    } else {
        double labelStep = span * m_multiplier / n;
        while (labelStep < 0.01 && n >= 4) {
            n -= 2;
            labelStep = span * m_multiplier / n;
        }
        while (labelStep < std::pow(10.0, -m_labelDecimals) && m_labelDecimals < 5) {
            ++m_labelDecimals;
        }
        step = labelStep;
        // In the same scaled units as the labels, so that positions come out right
        // for a range that does not start at 0.
        m_labelStart = m_multiplier * m_zero;
    }
    m_labelStep = step;
    *count = n;
}

int CRowItem::GetScaleLabel(int index, double* position, std::wstring* text) {
    if (std::fabs(m_multiplier) < 1e-15 || !HasRange()) {
        return 0;
    }
    const double label = index * m_labelStep + m_labelStart;
    if (label > m_full * m_multiplier + m_labelStep) {
        return 0;
    }
    if (position != nullptr) {
        *position = (label / m_multiplier - m_zero) / (m_full - m_zero);
    }
    if (text != nullptr) {
        *text = WithUnit(tracelume::FixedText(label, m_labelDecimals), m_prefix);
    }
    return 1;
}

void CRowItem::Draw(gfx::Context& dc, const gfx::Rect& band, double first, double last) {
    if (m_backColor != kNoBackColor) {
        dc.FillRect(band, gfx::Color::FromColorRef(m_backColor));
    }
    IRowItemImp* highlighted = nullptr;
    for (IRowItemImp* kind : m_kinds) {
        if (m_styles[kind].m_highlight != 0) {
            highlighted = kind;
        } else {
            kind->DrawRow(this, dc, band, first, last);
        }
    }
    if (highlighted != nullptr) {
        highlighted->DrawRow(this, dc, band, first, last);
    }
}

void CRowItem::DrawImpLabels(gfx::Context& dc, double left, double top, double right, double bottom) {
    for (IRowItemImp* kind : m_kinds) {
        kind->DrawLabels(this, dc, left, top, right, bottom);
    }
}

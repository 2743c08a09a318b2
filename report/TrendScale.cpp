#include "report/TrendScale.h"

#include <cmath>
#include <limits>

#include "report/SeriesStatistics.h"

namespace report {

namespace {

// A non-negative value in whole thousandths. The tiny allowance keeps a value such as
// 9.2, computed as 10 - 0.8 and held as 9.1999..., at 9200 rather than 9199.
double Thousandths(double value)
{
    return std::trunc(value * 1000.0 * (1.0 + 1e-12));
}

struct AxisUnit {
    double unit;  // 0: none
    int decimals;
};

// The rounding unit for a step, in thousandths.
AxisUnit UnitFor(double step)
{
    const double s = Thousandths(step);
    static constexpr double kUnits[] = {10000000.0, 1000000.0, 100000.0, 10000.0, 1000.0};
    for (const double unit : kUnits) {
        if (s > unit) {
            return {unit, 0};
        }
    }
    if (s > 100.0) {
        return {100.0, 1};
    }
    return {0.0, 2};
}

TrendAxis FlatAxis(double value)
{
    TrendAxis axis;
    axis.flat = true;
    axis.flatValue = value;
    axis.maximum = value + 1.0;
    axis.minimum = value - 1.0;
    return axis;
}

}  // namespace

double Truncate3(double value)
{
    return std::trunc(value * 1000.0) / 1000.0;
}

std::int64_t ToInt64Clamped(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double kLimit = 9.2e18;  // just inside the 64-bit range
    if (value >= kLimit) {
        return static_cast<std::int64_t>(kLimit);
    }
    if (value <= -kLimit) {
        return -static_cast<std::int64_t>(kLimit);
    }
    return static_cast<std::int64_t>(value);
}

std::int64_t AddClamped(std::int64_t start, std::int64_t offset)
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(start, offset, &sum)) {
        return offset > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    }
    return sum;
}

TrendAxis ComputeTrendAxis(const CZVTrendPic& picture, int style, double plotHeight)
{
    double maximum = -1e9;
    double minimum = 1e9;
    bool any = false;
    for (const CZVTrendCurve* curve : picture.curves) {
        if (curve == nullptr || !curve->HasValues() || !std::isfinite(curve->maximum) ||
            !std::isfinite(curve->minimum)) {
            continue;
        }
        maximum = std::max(maximum, Truncate3(curve->maximum));
        minimum = std::min(minimum, Truncate3(curve->minimum));
        any = true;
    }
    if (!any) {
        return FlatAxis(0.0);
    }

    // The span in hundred-thousandths, whole numbers kept in double: exact as far as
    // 2^53 and without overflow beyond.
    const double high = std::trunc(maximum * 100000.0);
    const double low = std::trunc(minimum * 100000.0);
    if (high == low) {
        return FlatAxis(high / 100000.0);
    }
    if (std::trunc(high / 100.0) - std::trunc(low / 100.0) < 200.0) {
        maximum += 2.0;
        minimum -= 0.8;
    } else {
        const double margin = plotHeight > 0 ? (maximum - minimum) / plotHeight * (style != 0 ? 30.0 : 10.0) : 0.0;
        maximum += margin;
        minimum -= margin;
        if (std::trunc(low / 100.0) >= 0.0 && minimum < 0.0) {
            minimum = 0.0;
        }
    }

    TrendAxis axis;
    if (minimum != 0.0) {
        const AxisUnit unit = UnitFor((maximum - minimum) / 6.0);
        const double m = Thousandths(std::fabs(minimum));
        if (unit.unit > 0.0) {
            const double rest = std::fmod(m, unit.unit);
            minimum = minimum > 0.0 ? (m - rest) / 1000.0 : -(m + unit.unit - rest) / 1000.0;
        } else {
            minimum = (minimum > 0.0 ? m : -m) / 1000.0;
        }
    }
    const double step = std::fabs(maximum - minimum) / 6.0;
    const AxisUnit unit = UnitFor(step);
    double s = Thousandths(step);
    if (unit.unit > 0.0) {
        s += unit.unit - std::fmod(s, unit.unit);
    }
    axis.minimum = minimum;
    axis.maximum = minimum + 6.0 * s / 1000.0;
    axis.labelDecimals = unit.decimals;
    if (!std::isfinite(axis.minimum) || !std::isfinite(axis.maximum) || !(axis.maximum > axis.minimum)) {
        // Values so large that the rounding lost the span: draw them flat.
        return FlatAxis(std::isfinite(maximum) ? maximum : 0.0);
    }
    return axis;
}

std::vector<PlotPoint> ReduceCurve(const std::vector<float>& values, std::uint32_t kind, std::uint64_t buckets)
{
    std::vector<PlotPoint> points;
    const std::uint64_t count = values.size();
    auto pointAt = [&](std::uint64_t index) {
        const float v = values[index];
        return HasValue(v) ? PlotPoint{static_cast<double>(index), Truncate3(v), true}
                           : PlotPoint{static_cast<double>(index), 0.0, false};
    };
    if (buckets == 0 || count <= buckets) {
        points.reserve(count);
        for (std::uint64_t i = 0; i < count; ++i) {
            points.push_back(pointAt(i));
        }
        return points;
    }
    points.reserve(buckets);
    for (std::uint64_t b = 0; b < buckets; ++b) {
        // Bucket b holds the samples [b·n/B, (b+1)·n/B): every sample in exactly one.
        const auto first = static_cast<std::uint64_t>(static_cast<unsigned __int128>(b) * count / buckets);
        const auto end = static_cast<std::uint64_t>(static_cast<unsigned __int128>(b + 1) * count / buckets);
        const std::uint64_t middle = first + (end - first - 1) / 2;
        if (kind == CZVTrendCurve::kMaximum || kind == CZVTrendCurve::kMinimum || kind == CZVTrendCurve::kAverage) {
            double best = 0.0;
            double sum = 0.0;
            std::uint64_t taken = 0;
            for (std::uint64_t i = first; i < end; ++i) {
                const float v = values[i];
                if (!HasValue(v)) {
                    continue;
                }
                if (taken == 0 || (kind == CZVTrendCurve::kMaximum && v > best) ||
                    (kind == CZVTrendCurve::kMinimum && v < best)) {
                    best = v;
                }
                sum += v;
                ++taken;
            }
            const double value = kind == CZVTrendCurve::kAverage && taken > 0 ? sum / static_cast<double>(taken) : best;
            points.push_back({static_cast<double>(middle), Truncate3(value), taken > 0});
        } else {
            points.push_back(pointAt(middle));
        }
    }
    return points;
}

}  // namespace report

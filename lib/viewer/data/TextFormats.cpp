#include "lib/viewer/data/TextFormats.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "lib/viewer/data/DecimalText.h"

namespace tracelume {

namespace {

constexpr int kMostSteps = 4;
constexpr std::array<const wchar_t*, kMostSteps + 1> kTimeUnits = {L"s", L"ms", L"us", L"ns", L"ps"};

struct Scaled {
    double magnitude = 0;
    int steps = 0;
};

// |seconds| multiplied by 1000 until it reaches 1 (within rounding).
std::optional<Scaled> ScaleUp(double seconds) {
    Scaled scaled{std::fabs(seconds), 0};
    if (!std::isfinite(scaled.magnitude)) {
        return std::nullopt;
    }
    if (scaled.magnitude > 1e-20) {
        while (scaled.magnitude < 0.999999999) {
            if (++scaled.steps > kMostSteps) {
                return std::nullopt;
            }
            scaled.magnitude *= 1000;
        }
    }
    return scaled;
}

std::wstring Signed(double value, std::wstring text) { return value < 0 ? L"-" + text : text; }

}  // namespace

int FormatSeconds(double seconds, std::wstring& text) {
    const std::optional<Scaled> scaled = ScaleUp(seconds);
    if (!scaled) {
        return 0;
    }
    text = Signed(seconds, FixedText(scaled->magnitude, 3) + kTimeUnits[scaled->steps]);
    return 1;
}

int FormatTimeWithPrecision(double seconds, float resolution, std::wstring& text) {
    const std::optional<Scaled> scaled = ScaleUp(seconds);
    if (!scaled) {
        return 0;
    }
    int decimals = 3;
    const double exponent = std::log10(static_cast<double>(resolution)) + 1;
    if (std::isfinite(exponent) && std::fabs(exponent) < 1000) {
        decimals = static_cast<int>(std::trunc(exponent)) - 3 * scaled->steps;
    }
    if (decimals < 3) {
        decimals = 3;
    }
    text = Signed(seconds, FixedText(scaled->magnitude, decimals) + kTimeUnits[scaled->steps]);
    return 1;
}

int FormatEngineering(double value, std::wstring& text) {
    struct Pattern {
        int decimals;
        const wchar_t* suffix;
    };
    constexpr std::array<Pattern, kMostSteps + 1> kPatterns = {
        Pattern{3, L""}, Pattern{3, L"K"}, Pattern{4, L"M"}, Pattern{6, L"G"}, Pattern{9, L"T"}};
    double magnitude = std::fabs(value);
    if (!std::isfinite(magnitude)) {
        return 0;
    }
    int steps = 0;
    if (magnitude > 1e-20) {
        while (magnitude > 999.999999999) {
            if (++steps > kMostSteps) {
                return 0;
            }
            magnitude /= 1000;
        }
    }
    text = Signed(value, FixedText(magnitude, kPatterns[steps].decimals) + kPatterns[steps].suffix);
    return 1;
}

std::uint32_t ParseColor(std::wstring_view text) {
    std::array<std::uint32_t, 3> components = {255, 255, 255};
    for (std::size_t i = 0; i < components.size(); ++i) {
        if (i > 0) {
            if (text.empty() || text.front() != L';') {
                break;
            }
            text.remove_prefix(1);
        }
        const std::optional<std::int64_t> number =
            ScanSigned(text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
        if (!number) {
            break;
        }
        components[i] = static_cast<std::uint32_t>(*number) & 0xFF;
    }
    return components[0] | (components[1] << 8) | (components[2] << 16);
}

std::wstring ColorText(std::uint32_t colorRef) {
    return std::to_wstring(colorRef & 0xFF) + L";" + std::to_wstring((colorRef >> 8) & 0xFF) + L";" +
           std::to_wstring((colorRef >> 16) & 0xFF);
}

}  // namespace tracelume

#include "report/FilterLimits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/NumberHelpers.h"

namespace {

std::optional<float> ParseDecimal(const std::wstring& text)
{
    if (!IsDecimalText(text)) {
        return std::nullopt;
    }
    const std::string ascii(text.begin(), text.end());
    float value = 0.0f;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

bool IsDecimalText(const std::wstring& text)
{
    const auto digits = std::count_if(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    const auto stops = std::count(text.begin(), text.end(), L'.');
    return digits > 0 && stops <= 1 && static_cast<std::size_t>(digits + stops) == text.size();
}

std::optional<FilterLimits> ParseFilterLimits(const std::wstring& upperText, const std::wstring& lowerText)
{
    const std::optional<float> upper = ParseDecimal(upperText);
    const std::optional<float> lower = ParseDecimal(lowerText);
    if (!upper || !lower || !(*lower < *upper)) {
        return std::nullopt;
    }
    return FilterLimits{*upper, *lower};
}

FilterTexts DefaultFilterTexts(const std::wstring& nominalText)
{
    const double nominal = ParseLeadingDouble(nominalText);
    return {FormatFixed(nominal + 0.2 * nominal, 1), FormatFixed(nominal - 0.2 * nominal, 1)};
}

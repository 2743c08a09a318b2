#pragma once
// The voltage filter of the report wizard: intervals whose voltage lies above the
// upper or below the lower limit are left out of the report. The limits are typed
// by the user and read strictly.

#include <optional>
#include <string>

struct FilterLimits {
    float upper = 0.0f;  // V
    float lower = 0.0f;  // V
};

// A number as the filter takes it: decimal digits with at most one full stop among
// them, and at least one digit (no sign, no blank, no exponent).
bool IsDecimalText(const std::wstring& text);

// Both limits, when each is such a number, finite, and the lower lies below the upper.
std::optional<FilterLimits> ParseFilterLimits(const std::wstring& upperText, const std::wstring& lowerText);

struct FilterTexts {
    std::wstring upper;
    std::wstring lower;
};
// The limits offered for a nominal voltage text: 20 % above and below the number it
// starts with, to one decimal.
FilterTexts DefaultFilterTexts(const std::wstring& nominalText);

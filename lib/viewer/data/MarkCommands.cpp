#include "lib/viewer/data/MarkCommands.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>

#include "lib/viewer/data/DecimalText.h"
#include "lib/viewer/data/MarkManager.h"

namespace tracelume {

namespace {

std::optional<std::int64_t> ReadNumber(IMarkManager& marks, int index, const wchar_t* attribute, std::int64_t lowest,
                                       std::int64_t highest) {
    std::wstring text;
    if (marks.GetMarkAttribute(index, attribute, &text) == 0) {
        return std::nullopt;
    }
    std::wstring_view rest(text);
    return ScanSigned(rest, lowest, highest);
}

// a - b and a + b, held at the ends of the 64-bit range rather than wrapping
// (positions come from stored texts).
std::int64_t Minus(std::int64_t a, std::int64_t b) {
    std::int64_t result = 0;
    if (__builtin_sub_overflow(a, b, &result)) {
        return b < 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    }
    return result;
}

std::int64_t Plus(std::int64_t a, std::int64_t b) {
    std::int64_t result = 0;
    if (__builtin_add_overflow(a, b, &result)) {
        return b > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    }
    return result;
}

std::int64_t MarkGroup(IMarkManager& marks, int index) {
    return ReadNumber(marks, index, L"group", std::numeric_limits<std::int32_t>::min(),
                      std::numeric_limits<std::int32_t>::max())
        .value_or(0);
}

void SetPosition(IMarkManager& marks, int index, std::int64_t position) {
    marks.SetMarkAttribute(index, L"position", std::to_wstring(position));
}

// Whether the region rule lets the mark go to the position.
bool RegionAllows(IMarkManager& marks, int index, std::int64_t position, std::int64_t minRegionWidth) {
    std::wstring name;
    marks.GetMarkAttribute(index, L"name", &name);
    if (name == L"Begin") {
        const int end = marks.FindMark(L"End");
        return end < 0 || Minus(MarkPosition(marks, end), position) > minRegionWidth;
    }
    if (name == L"End") {
        const int begin = marks.FindMark(L"Begin");
        return begin < 0 || Minus(position, MarkPosition(marks, begin)) > minRegionWidth;
    }
    return true;
}

}  // namespace

std::int64_t MarkPosition(IMarkManager& marks, int index) {
    return ReadNumber(marks, index, L"position", std::numeric_limits<std::int64_t>::min(),
                      std::numeric_limits<std::int64_t>::max())
        .value_or(0);
}

int AddCursorMark(IMarkManager& marks, std::int64_t position) {
    int number = 1;
    while (marks.FindMark(L"M" + std::to_wstring(number)) >= 0) {
        ++number;
    }
    const int index = marks.AddMark(L"M" + std::to_wstring(number));
    if (index < 0) {
        return -1;
    }
    marks.SetMarkAttribute(index, L"group", L"0");
    SetPosition(marks, index, position);
    marks.SetMarkAttribute(index, L"snap", L"1");
    marks.SetMarkAttribute(index, L"background", L"255;255;255");
    marks.SetMarkAttribute(index, L"foreground", L"0;0;0");
    marks.SetMarkAttribute(index, L"comment", L"");
    if (number % 2 == 0) {
        marks.SetMarkAttribute(index, L"ref", L"M" + std::to_wstring(number - 1));
    }
    return index;
}

bool MoveMark(IMarkManager& marks, int index, std::int64_t position, bool moveGroup, std::int64_t dataLength,
              std::int64_t minRegionWidth) {
    if (index < 0 || index >= marks.GetCount() || !RegionAllows(marks, index, position, minRegionWidth)) {
        return false;
    }
    position = std::clamp<std::int64_t>(position, 0, std::max<std::int64_t>(dataLength, 0));
    const std::int64_t group = MarkGroup(marks, index);
    if (!moveGroup || group <= 0) {
        SetPosition(marks, index, position);
        return true;
    }
    const std::int64_t distance = Minus(position, MarkPosition(marks, index));
    for (int other = 0; other < marks.GetCount(); ++other) {
        if (MarkGroup(marks, other) == group) {
            SetPosition(marks, other, Plus(MarkPosition(marks, other), distance));
        }
    }
    return true;
}

}  // namespace tracelume

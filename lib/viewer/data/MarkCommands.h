#pragma once
// The waveform control's mark edits that do not depend on the window: placing a
// new cursor mark and moving a mark (with its group, within the data, and keeping
// the region marks "Begin" and "End" apart).

#include <cstdint>
#include <string>

class IMarkManager;

namespace tracelume {

// The minimum region width in samples until the host sets another.
inline constexpr std::int64_t kDefaultMinRegionWidth = 5120;

// Adds the cursor mark "M<i>" with the smallest i >= 1 that no mark bears, at the
// position, with group "0", snap "1", white background, black foreground, an
// empty comment and, for an even i, "ref" naming mark i - 1 (M2 refers to M1).
// Returns its index, or -1 when it cannot be added.
int AddCursorMark(IMarkManager& marks, std::int64_t position);

// Moves the mark at the index to the position, kept within 0 .. dataLength. With
// moveGroup, a mark of a group above 0 takes every mark of its group along by the
// same distance. "Begin" must stay more than minRegionWidth before "End" and "End"
// that far after "Begin" (when the partner exists). False when the move is refused
// or there is no such mark.
bool MoveMark(IMarkManager& marks, int index, std::int64_t position, bool moveGroup, std::int64_t dataLength,
              std::int64_t minRegionWidth);

// A mark's "position", or 0 when it has none that reads as a number.
std::int64_t MarkPosition(IMarkManager& marks, int index);

}  // namespace tracelume

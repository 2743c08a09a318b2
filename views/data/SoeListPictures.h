#pragma once
// The 11 x 13 pictures of the alarm-event list's first column, by row kind:
// 0 a closed block (plus), 1 an open block (minus), 2 an event (a branch), 3 the
// last event of a block (a closing branch).

#include "platform/gfx/Bitmap.h"

inline constexpr int kSoePictureWidth = 11;
inline constexpr int kSoePictureHeight = 13;
inline constexpr int kSoePictureCount = 4;

gfx::Bitmap DrawSoeListPicture(int kind);

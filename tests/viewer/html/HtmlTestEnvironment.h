#pragma once
// The test program folder of the renderer's tests: the shipped resources (with the
// fonts.conf that pango loads) and a few pictures of the tests' own.

#include <filesystem>

#include "platform/gfx/Color.h"

namespace htmltest {

// A strip of four 16 x 16 frames, each filled with its colour of kStripColours.
inline constexpr int kStripPicture = 9001;
// A 20 x 10 red picture whose top-left pixel is magenta.
inline constexpr int kRedPicture = 9002;
inline constexpr gfx::Color kStripColours[4] = {
    {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 0, 255}};

// A picture file outside the program folder, beside it.
std::filesystem::path OutsidePicture();

}  // namespace htmltest

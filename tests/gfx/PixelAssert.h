#pragma once
// Pixel checks for drawing tests: colours compared channel by channel within a
// tolerance (antialiasing and gradient rounding move values by a step or two).

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/gfx/Bitmap.h"

namespace gfxtest {

inline std::string Describe(gfx::Color c) {
    return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ", a" +
           std::to_string(c.a) + ")";
}

inline ::testing::AssertionResult PixelNear(const gfx::Bitmap& bitmap, int x, int y, gfx::Color expected,
                                            int tolerance = 2) {
    const gfx::Color actual = bitmap.PixelAt(x, y);
    const bool near = std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
                      std::abs(actual.b - expected.b) <= tolerance && std::abs(actual.a - expected.a) <= tolerance;
    if (near) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << Describe(actual)
                                         << ", expected " << Describe(expected);
}

// Counts the pixels of a rectangle whose colour differs from the given one.
inline int CountOtherThan(const gfx::Bitmap& bitmap, int left, int top, int right, int bottom, gfx::Color color) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (!(bitmap.PixelAt(x, y) == color)) {
                ++count;
            }
        }
    }
    return count;
}

}  // namespace gfxtest

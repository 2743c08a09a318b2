#pragma once
// The library's own language texts: one text table for the process, made on first
// use from the language the user chose for the program and its "Tabulist.xml".
// It is made on first use rather than when the library is loaded, because the
// program folder (and in tests its language files) may be set up after loading.

#include <cstdint>
#include <string>

#include "lib/tinyres/TinyResourceManager.h"

namespace tabulist {

inline constexpr std::uint32_t kTextReservedColumn = 2000;  // "日期": no column may bear it
inline constexpr std::uint32_t kTextTimeMilliseconds = 2001;
inline constexpr std::uint32_t kTextTimeMicroseconds = 2002;

// May throw when the table cannot be made (memory); callers at the library's
// boundary turn that into a failure result.
const CTinyResourceManager& Texts();

}  // namespace tabulist

#pragma once
// Dialog templates the window layer's tests and the program's tests build from.

#include <cstdint>

#include "platform/base/DialogTemplate.h"

namespace uitest {

inline constexpr std::uint32_t kVisibleChild = 0x50000000;
inline constexpr std::uint32_t kGroup = 0x00020000;
inline constexpr std::uint32_t kTabStop = 0x00010000;

// A visible control of the class at the box, in dialog units.
DialogItemTemplateInfo Control(const wchar_t* className, std::uint32_t id, std::uint32_t style, int x, int y, int cx,
                               int cy, const wchar_t* caption = L"");
// A dialog (id 900) holding every control class the layer maps.
DialogTemplateInfo EveryClass();

}  // namespace uitest

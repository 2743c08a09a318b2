#pragma once
// What the property sheet and the wizard share of their frame: the top-level
// window they are made from and the room between their parts.

#include <string>

#include "platform/base/DialogTemplate.h"

namespace ui {

// Pixels between the sheet's edges and its parts, and between the parts.
inline constexpr int kSheetMargin = 7;
inline constexpr int kSheetGap = 7;
inline constexpr int kSheetButtonGap = 6;
// Sizes a sheet's button keeps at least, in dialog units.
inline constexpr int kSheetButtonWidth = 50;
inline constexpr int kSheetButtonHeight = 14;

// A captioned top-level window with a system menu, in the program's dialog font;
// the sheet's pages and buttons are placed in it when it opens.
DialogTemplateInfo SheetTemplate(const std::wstring& caption);

}  // namespace ui

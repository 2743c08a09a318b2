#pragma once
// The looks of the ribbon: the eight interface styles the user picks from (by
// their command ids, 32794 to 32816 with gaps) and the base look every style
// starts from. All share the Tahoma face of the captions.

#include <optional>

#include "platform/ui/RibbonBar.h"

ui::RibbonStyle BaseRibbonStyle();
// Nothing for an id that names no style.
std::optional<ui::RibbonStyle> ThemeRibbonStyle(unsigned themeId);

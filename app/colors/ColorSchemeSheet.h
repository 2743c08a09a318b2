#pragma once
// The colour-scheme command: runs the colour-scheme sheet over the parent window.
// Without "color.cfg" in the program folder it says that the file is missing and
// opens nothing. When colours were saved, the caller's function is told the
// colour-scheme event (ctrl::kStatisticRefresh, 0x80) after the sheet closed, so
// that the models can have their views drawn again.

#include <cstdint>
#include <functional>

namespace ui {
class Window;
}

using ColorSchemeChanged = std::function<void(std::uint32_t event)>;

// True when colours were saved.
bool ShowColorSchemeSheet(ui::Window* parent, const ColorSchemeChanged& changed = {});

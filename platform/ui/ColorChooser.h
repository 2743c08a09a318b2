#pragma once
// The colour chooser a colour button opens: the user picks a colour or cancels.
// Colours are 32-bit values with red in the low byte, then green, then blue. Tests
// install a responder that answers in place of the user, as for message boxes.

#include <cstdint>
#include <functional>
#include <optional>

namespace ui {

class Window;

struct ColorChooserRequest {
    std::uint32_t initial = 0;       // the colour the chooser starts on
    std::uint32_t defaultColor = 0;  // offered beside it, one pick away
};

// The chosen colour, or nothing for a cancel; empty responder: the real chooser.
using ColorChooserResponder = std::function<std::optional<std::uint32_t>(const ColorChooserRequest&)>;
void SetColorChooserResponder(ColorChooserResponder responder);

// Shows the chooser over the owner (user-interface thread only).
std::optional<std::uint32_t> ChooseColor(Window* owner, std::uint32_t initial, std::uint32_t defaultColor);

}  // namespace ui

#pragma once
// Dialog template records as the resource managers hand them out. The window layer
// builds dialogs from them (positions in dialog units); the Windows binary template
// layout is not reproduced, but the fields keep its meaning. They sit in the base
// layer because both sides need them: the language resources fill them, the window
// layer, which knows nothing of the resources, reads them.

#include <cstdint>
#include <string>
#include <vector>

// Added to every dialog's style: the template always names its font.
inline constexpr std::uint32_t kDialogStyleSetFont = 0x40;
// A visible child window that starts a group.
inline constexpr std::uint32_t kDefaultControlStyle = 0x50020000;
inline constexpr std::uint32_t kNoControlId = 0xFFFFFFFF;

struct DialogItemTemplateInfo {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = kDefaultControlStyle;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t cx = 0;
    std::int16_t cy = 0;
    std::uint32_t id = kNoControlId;
    std::wstring caption;
    std::wstring className = L"STATIC";
    // Non-zero: the control shows this resource (a picture) instead of the caption.
    int resource = 0;
};

struct DialogTemplateInfo {
    std::uint16_t version = 1;
    std::uint16_t signature = 0xFFFF;
    std::uint32_t helpId = 0;  // the dialog's identifier
    std::uint32_t exStyle = 0;
    std::uint32_t style = kDialogStyleSetFont;
    std::uint16_t itemCount = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t cx = 0;
    std::int16_t cy = 0;
    std::wstring caption;
    std::wstring fontFace = L"MS Sans Serif";
    std::uint16_t fontSize = 8;
    std::vector<DialogItemTemplateInfo> items;  // in tab order
};

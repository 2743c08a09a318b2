#include "platform/ui/SheetFrame.h"

#include "platform/ui/Window.h"

namespace ui {

DialogTemplateInfo SheetTemplate(const std::wstring& caption) {
    constexpr std::uint32_t kStylePopup = 0x80000000;
    DialogTemplateInfo info;
    info.style = kStylePopup | kStyleCaption | kStyleSysMenu | kDialogStyleSetFont;
    info.caption = caption;
    return info;
}

}  // namespace ui

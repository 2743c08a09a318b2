#include "platform/ui/PropertyPage.h"

#include <utility>

namespace ui {
namespace {

// A hidden child: the sheet places the page and shows it.
DialogTemplateInfo AsPage(DialogTemplateInfo info) {
    info.style = (info.style | kStyleChild) & ~kStyleVisible;
    return info;
}

}  // namespace

PropertyPage::PropertyPage(DialogTemplateInfo info) : Dialog(AsPage(std::move(info))) {}

PropertyPage::~PropertyPage() = default;

std::wstring PropertyPage::GetCaption() const {
    const DialogTemplateInfo* info = GetTemplate();
    return info != nullptr ? info->caption : std::wstring();
}

}  // namespace ui

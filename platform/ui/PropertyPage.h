#pragma once
// One page of a property sheet (PropertySheet.h): a dialog built from its template
// as a child panel of the sheet, whatever style the template gives, and only when
// the sheet first shows it; until then it has no window. The template's caption is
// the page's name in the sheet's list.

#include <string>

#include "platform/ui/Dialog.h"

namespace ui {

class PropertyPage : public Dialog {
public:
    explicit PropertyPage(DialogTemplateInfo info);
    ~PropertyPage() override;

    std::wstring GetCaption() const;
};

}  // namespace ui

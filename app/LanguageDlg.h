#pragma once
// CLanguageDlg: the modal dialog in which the user picks the interface language
// (dialog 222). Its combo box (control 6861) lists the languages of the language
// list in file order and starts on the selected one; OK records the choice in the
// list (only its "selectedId" changes), and the new language takes effect at the
// next start. When nothing is selected or the list is unusable, OK says that
// switching failed and the dialog stays open. Cancel changes nothing.

#include <cstdint>
#include <vector>

#include "platform/ui/Dialog.h"

class wxItemContainer;

class CLanguageDlg : public ui::Dialog {
public:
    CLanguageDlg();

    bool OnInitDialog() override;
    void OnOK() override;

    static constexpr unsigned kTemplateId = 222;
    static constexpr unsigned kLanguageCombo = 6861;

private:
    wxItemContainer* Combo() const;

    // The language id of each combo box entry, in entry order.
    std::vector<std::int32_t> m_ids;
};

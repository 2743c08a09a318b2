#pragma once
// One page of a wizard (WizardSheet.h): a property page the sheet builds when the
// user first reaches it, and which the sheet asks before and as it moves on. Its
// answers: OnSetActive whether it may be shown; OnWizardNext and OnWizardBack -1 to
// keep the user on the page or 0 to move to the next or previous one;
// OnWizardFinish whether the wizard may end.

#include "platform/ui/PropertyPage.h"

namespace ui {

class WizardSheet;

class WizardPage : public PropertyPage {
public:
    explicit WizardPage(DialogTemplateInfo info);
    ~WizardPage() override;

    // The sheet the page was added to; null before.
    WizardSheet* GetSheet() const { return m_sheet; }

    virtual bool OnSetActive() { return true; }
    virtual LResult OnWizardNext() { return 0; }
    virtual LResult OnWizardBack() { return 0; }
    virtual bool OnWizardFinish() { return true; }

private:
    friend class WizardSheet;
    WizardSheet* m_sheet = nullptr;
};

}  // namespace ui

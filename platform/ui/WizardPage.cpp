#include "platform/ui/WizardPage.h"

#include <utility>

namespace ui {

WizardPage::WizardPage(DialogTemplateInfo info) : PropertyPage(std::move(info)) {}

WizardPage::~WizardPage() = default;

}  // namespace ui

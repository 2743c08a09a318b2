#include "report/ui/ReportWizardMessages.h"

#include "core/ZVResourceManager.h"

std::wstring WizardText(unsigned id)
{
    return CZVResourceManager::GetResourceManager()->LoadString(id);
}

std::wstring WizardFormat(unsigned id, int number)
{
    std::wstring text = WizardText(id);
    const std::size_t at = text.find(L"%d");
    if (at != std::wstring::npos) {
        text.replace(at, 2, std::to_wstring(number));
    }
    return text;
}

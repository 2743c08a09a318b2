#include "app/controls/ControlTemplate.h"

#include "core/ZVResourceManager.h"

namespace controls {

DialogTemplateInfo LoadControlTemplate(unsigned id) {
    const DialogTemplateInfo* info = CZVResourceManager::GetResourceManager()->LoadDialogTemplate(id);
    return info != nullptr ? *info : DialogTemplateInfo{};
}

std::wstring LoadControlString(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

}  // namespace controls

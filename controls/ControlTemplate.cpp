#include "controls/ControlTemplate.h"

#include "core/ZVResourceManager.h"

namespace controls {

const DialogTemplateInfo* LoadControlTemplate(unsigned id) {
    return CZVResourceManager::GetResourceManager()->LoadDialogTemplate(id);
}

std::wstring LoadControlString(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

}  // namespace controls

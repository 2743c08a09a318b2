#pragma once
// Where the shared dialogs get their templates and texts: the program's resource
// manager (the language pack, then the built-in resources).

#include <string>

#include "platform/base/DialogTemplate.h"

namespace controls {

// The template of that id; null when none exists (the dialog then cannot be made).
const DialogTemplateInfo* LoadControlTemplate(unsigned id);
std::wstring LoadControlString(unsigned id);

}  // namespace controls

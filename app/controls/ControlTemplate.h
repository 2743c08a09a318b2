#pragma once
// Where the shared dialogs get their templates and texts: the program's resource
// manager (the language pack, then the built-in resources).

#include <string>

#include "core/DialogTemplate.h"

namespace controls {

// The template of that id; an empty template (no controls) when none exists.
DialogTemplateInfo LoadControlTemplate(unsigned id);
std::wstring LoadControlString(unsigned id);

}  // namespace controls

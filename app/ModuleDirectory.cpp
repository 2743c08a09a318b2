#include "app/ModuleDirectory.h"

#include "core/ProgramPaths.h"

std::wstring GetModuleDirectory() { return GetExeDirectory(); }

#include "app/ProgramStart.h"

#include "platform/base/Encoding.h"
#include "platform/base/Process.h"

bool StartProgram(const std::wstring& executable) {
    // Nothing waits for the child: once we end, the system reaps it. A path without
    // a separator is looked for through PATH, so the caller passes a full path.
    return platform::StartProcess(platform::WideToUtf8(executable), {}).has_value();
}

#include "terminal/TerminalTexts.h"

#include "core/OndravaLog.h"
#include "core/ZVResourceManager.h"

std::wstring TerminalText(unsigned int id)
{
    CZVResourceManager* resources = CZVResourceManager::GetResourceManager();
    return resources != nullptr ? resources->LoadString(id) : std::wstring();
}

void TerminalLog(const std::wstring& line)
{
    if (COndravaLog* log = COndravaLog::GetInstance()) {
        log->Write(line);
    }
}

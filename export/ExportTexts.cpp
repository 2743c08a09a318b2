#include "export/ExportTexts.h"

#include "core/OndravaLog.h"
#include "core/ZVResourceManager.h"

std::wstring ExportText(unsigned int id)
{
    CZVResourceManager* resources = CZVResourceManager::GetResourceManager();
    return resources != nullptr ? resources->LoadString(id) : std::wstring();
}

void ExportLog(const std::wstring& line)
{
    if (COndravaLog* log = COndravaLog::GetInstance()) {
        log->Write(line);
    }
}

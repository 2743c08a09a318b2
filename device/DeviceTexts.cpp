#include "device/DeviceTexts.h"

#include "core/OndravaLog.h"
#include "core/ZVResourceManager.h"

namespace device {

std::wstring LoadDeviceString(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

void LogDeviceString(unsigned id) { COndravaLog::GetInstance()->Write(LoadDeviceString(id)); }

}  // namespace device

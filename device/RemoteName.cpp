#include "device/RemoteName.h"

bool IsSafeRemoteName(std::wstring_view name) {
    if (name.empty() || name == L"." || name == L"..") {
        return false;
    }
    for (const wchar_t c : name) {
        if (c == L'/' || c == L'\\' || c < 0x20 || c == 0x7F) {
            return false;
        }
    }
    return true;
}

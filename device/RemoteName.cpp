#include "device/RemoteName.h"

#include <cwchar>

namespace {

constexpr std::size_t kMaxShown = 260;

}  // namespace

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

std::wstring PrintableRemoteName(std::wstring_view name) {
    std::wstring shown;
    for (const wchar_t c : name) {
        if (shown.size() >= kMaxShown) {
            shown += L"...";
            break;
        }
        if (c < 0x20 || c == 0x7F) {
            wchar_t escaped[8];
            std::swprintf(escaped, 8, L"\\x%02X", static_cast<unsigned>(c));
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown;
}

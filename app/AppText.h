#pragma once

// Texts the frame and its dialogs share: the program's strings in the language the
// user chose, and folder names as the program joins them.

#include <string>

#include "core/ZVResourceManager.h"

namespace apptext {

constexpr unsigned kStringAppTitle = 57344;

inline std::wstring String(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

// The folder with one separator at its end, so that a file name can follow.
inline std::wstring WithSeparator(const std::wstring& folder)
{
    return folder.empty() || folder.back() == L'/' || folder.back() == L'\\' ? folder : folder + L'/';
}

}  // namespace apptext

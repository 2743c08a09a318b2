#pragma once

// Texts the frame and its dialogs share: the program's strings in the language the
// user chose, and folder and file names as the program joins and compares them.

#include <string>
#include <string_view>

#include "core/ZVResourceManager.h"
#include "platform/base/FileSystem.h"

namespace apptext {

constexpr unsigned kStringAppTitle = 57344;

inline std::wstring String(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

// The folder with one separator at its end, so that a file name can follow.
inline std::wstring WithSeparator(const std::wstring& folder)
{
    return folder.empty() || folder.back() == L'/' || folder.back() == L'\\' ? folder : folder + L'/';
}

// Whether a name begins with the prefix, letters compared as the file system's names are.
inline bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix)
{
    return text.size() >= prefix.size() && platform::NamesEqualNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace apptext

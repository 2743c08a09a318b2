#pragma once
// Files and folders as the terminal data needs them: names found without regard to
// case (folders come from FAT drives and Windows disks), listings in a stable
// order, and whole-file writes that never leave half a file behind.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Case-insensitive comparison of file names (ASCII letters, and other letters through towlower).
bool NamesEqualNoCase(std::wstring_view a, std::wstring_view b);
int CompareNoCase(std::wstring_view a, std::wstring_view b);

// The entry of `folder` whose name equals `name` without regard to case: the exact
// name when it exists, else the first match in sorted order.
std::optional<std::filesystem::path> FindNoCase(const std::filesystem::path& folder, std::wstring_view name);

// Resolves a relative path given with '/' or '\\' separators component by component
// without regard to case. Components that do not exist are appended as given, so the
// result names where the file would be.
std::filesystem::path ResolveNoCase(const std::filesystem::path& base, std::wstring_view relative);

// The entries of a folder sorted by name without regard to case; empty when the
// folder cannot be listed.
std::vector<std::filesystem::directory_entry> ListSorted(const std::filesystem::path& folder);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);

// Writes the whole file through a temporary file in the same folder, flushed once
// and renamed into place; a symbolic link is followed, so the linked file is the one
// replaced. On failure the old file is untouched, false is returned and errno tells why.
bool AtomicWriteFile(const std::filesystem::path& file, std::string_view bytes);

// Whether a failed write's errno means the disk (or the user's quota) is full.
bool IsDiskFullError(int error);

}  // namespace platform

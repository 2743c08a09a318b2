#pragma once
// Folder trees on a local or removable drive: their size and file count, and a
// copy file by file that can be cancelled and reports each file. Symbolic links
// are neither followed nor copied: a terminal's medium has none, and following
// one could lead anywhere on the machine.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

struct TreeSize {
    std::uint64_t bytes = 0;
    std::uint64_t files = 0;
};

TreeSize SizeLocalTree(const std::filesystem::path& folder);

// Copies everything below source into target (made when missing). 0, the error
// code of the first failure (NetErrors.h), or kErrorCancelled once the flag is
// set. onFile is called with each file's name before it is copied.
int CopyLocalTree(const std::filesystem::path& source, const std::filesystem::path& target,
                  const std::atomic<std::int32_t>* cancel, const std::function<void(const std::wstring&)>& onFile);

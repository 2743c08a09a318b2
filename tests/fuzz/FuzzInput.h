#pragma once
// Several files in one fuzz input, for the readers that take a folder. Each file's
// bytes stand with every backslash doubled; a backslash followed by any other byte
// ends the file and opens the next one. Where the input ends, the file it was in
// ends; the files after it are absent. The seed maker joins files the same way, so
// the mutator starts from whole, valid folders.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Up to `count` files; missing entries are absent files.
std::vector<std::optional<std::string>> SplitFiles(std::string_view input, std::size_t count);

// The input that SplitFiles reads back as these files (absent ones end the list).
std::string JoinFiles(const std::vector<std::optional<std::string>>& files);

// A file of a folder: its path below the folder ('/' between folders) and its bytes.
// In an input each stands as one file of SplitFiles whose first line is the path.
struct NamedFile {
    std::string path;
    std::string bytes;
};
std::vector<NamedFile> SplitNamedFiles(std::string_view input, std::size_t count);
std::string JoinNamedFiles(const std::vector<NamedFile>& files);

// An input whose first file is not a file of the folder but settings of the target
// (a query, flags): that first file, and the rest of the input, the folder's files.
struct ControlledInput {
    std::string control;
    std::string_view files;
};
ControlledInput SplitControl(std::string_view input);

}  // namespace fuzz

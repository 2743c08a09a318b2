#pragma once
// Several files in one fuzz input, for the readers that take a folder. Each file's
// bytes stand with every backslash doubled; a backslash followed by any other byte
// ends the file and opens the next one. Where the input ends, the file it was in
// ends; the files after it are absent. The seed maker joins files the same way, so
// the mutator starts from whole, valid folders.

#include <cstdint>
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

// The query of the statistic readers' targets, from the first bytes of a control
// file (missing bytes read as 0): first record, record count (at most 63), flags.
struct StatisticQuery {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    unsigned char flags = 0;
};
StatisticQuery ReadStatisticQuery(std::string_view control);

// Stops the process as a finding: a property the reader promises does not hold.
// scripts/fuzz.sh knows the finding by the words "property broken".
[[noreturn]] void PropertyBroken(const char* reader, const char* what);

}  // namespace fuzz

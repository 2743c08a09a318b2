#pragma once
// The folder a table export of the waveform-record window writes into: inside the
// folder the user chose, named after the record (the last component of its path)
// with the date and time of the export, "A1_2026-12-10_09-05-07". An existing
// folder is never reused: a name already taken gets "(2)", "(3)", ... appended.
// Names are made from texts (record names, view titles from the language pack), so
// characters that a file name cannot hold on the disks the files go to are replaced.

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// The text with every character that a file name on a Linux or Windows disk cannot
// hold (separators, : * ? " < > |, control characters) replaced by '_', and
// trailing dots and blanks removed; "_" when nothing is left.
std::wstring SanitizeWaveFileName(std::wstring_view text);

class CWaveExportFolder {
public:
    // The last component of the record's path, either separator, trailing ones ignored.
    static std::wstring RecordName(const std::wstring& recordPath);
    // The folder's name for an export at the local time `when`.
    static std::wstring FolderName(const std::wstring& recordPath, std::time_t when);
    // Creates the folder inside the base folder (which must exist) and returns its
    // path; nothing when it cannot be created.
    static std::optional<std::wstring> Create(const std::wstring& baseFolder, const std::wstring& recordPath,
                                              std::time_t when);
};

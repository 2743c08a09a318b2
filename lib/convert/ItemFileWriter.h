#pragma once
// CItemFileWriter: writes the value buffers into their item files. The files are
// made in a temporary folder beside the output folder and moved into the output
// folder only when the whole conversion has succeeded, so that a failure leaves the
// item files that were there before as they were. A file is open only while a
// buffer is written to it: a conversion of all items (over a thousand files) never
// meets the limit of open files.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "lib/convert/ConvertProgress.h"
#include "lib/convert/ValueBuffer.h"

namespace convertix {

class CItemFileWriter {
public:
    CItemFileWriter(std::filesystem::path outputFolder, std::vector<std::wstring> names, IConvertProgress& progress);
    ~CItemFileWriter();
    CItemFileWriter(const CItemFileWriter&) = delete;
    CItemFileWriter& operator=(const CItemFileWriter&) = delete;

    // Writes buffer `index` to its file and empties it.
    bool Flush(std::size_t index, ValueBuffer& buffer);
    // Writes what every buffer still holds and flushes every file to disk.
    bool FinalFlush(std::vector<ValueBuffer>& buffers);
    // Moves the written files into the output folder, then deletes the item files
    // ("*.data") of `replacedFolders` that the new files did not overwrite.
    bool Commit(const std::vector<std::filesystem::path>& replacedFolders);

    std::uint64_t BytesWritten() const { return m_BytesWritten; }
    // The system's error number of the first failure (0: none known).
    int LastError() const { return m_Error; }
    // The temporary folder (empty until the first flush).
    const std::filesystem::path& WorkFolder() const { return m_WorkFolder; }

private:
    bool Open();
    bool Append(std::size_t index, const ValueBuffer& buffer, bool sync);
    void Step();
    void Discard();

    std::filesystem::path m_OutputFolder;
    std::vector<std::wstring> m_Names;
    IConvertProgress& m_Progress;
    std::filesystem::path m_WorkFolder;
    bool m_Opened = false;
    bool m_Failed = false;
    int m_Error = 0;
    void NoteError();
    std::int64_t m_LastStep = 0;
    std::uint64_t m_BytesWritten = 0;
};

}  // namespace convertix

#pragma once
// The output file of one save. The table is written into a hidden temporary file
// beside its final name, through a large buffer, flushed to the disk once and only
// then given its name: a save that fails or is killed midway never leaves a short
// or empty table under the name the user sees. An existing file is never replaced.
// A temporary that a killed save left behind is removed by the next save into the
// same folder.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabulist {

class CTableFile {
public:
    // Opens the temporary file for stem + extension. Nothing when it cannot be made
    // or when the file's name would take 1024 bytes or more; `error` then holds the
    // system's reason (errno).
    static std::optional<CTableFile> Create(const std::wstring& stem, const std::wstring& extension, int& error);

    CTableFile(CTableFile&& other) noexcept;
    CTableFile& operator=(CTableFile&&) = delete;
    CTableFile(const CTableFile&) = delete;
    CTableFile& operator=(const CTableFile&) = delete;
    ~CTableFile();

    // The name the file took (after Finish succeeded).
    const std::wstring& Path() const { return m_path; }
    // Why the file could not be written (errno), 0 while nothing failed.
    int Error() const { return m_error; }
    // Room for `bytes` more bytes at the end of the buffer, which is written out
    // first when it is full; null when that fails. Commit then says how far it was
    // filled.
    char* Claim(std::size_t bytes) {
        return m_buffer.size() - m_used >= bytes ? m_buffer.data() + m_used : ClaimAfterFlush(bytes);
    }
    void Commit(char* end) { m_used = static_cast<std::size_t>(end - m_buffer.data()); }
    bool Append(std::string_view bytes);
    // Writes what is left, flushes the file to the disk and gives it its name:
    // stem + extension, or when that is taken stem + "(2)" + extension, "(3)", ...
    // False when anything failed; the temporary file is then removed.
    bool Finish();

private:
    static constexpr std::size_t kChunk = 1 << 20;

    CTableFile(int descriptor, std::string temporary, std::wstring stem, std::wstring extension);
    char* ClaimAfterFlush(std::size_t bytes);
    bool Flush();
    bool Fail(int error);
    bool TakeName();
    void Discard();

    int m_descriptor = -1;
    std::string m_temporary;  // the temporary file's path, UTF-8
    std::wstring m_stem;
    std::wstring m_extension;
    std::wstring m_path;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    int m_error = 0;
};

}  // namespace tabulist

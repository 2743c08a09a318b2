#pragma once
// The output file of one save: created exclusively (an existing file is never
// replaced) and written through a large buffer. A file that is not finished, or
// whose writing failed, is removed again, so that no half table is left behind.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabulist {

class CTableFile {
public:
    // Creates stem + extension, or when that name is taken stem + "(2)" + extension,
    // "(3)", ... Nothing when no file can be created or its name would take 1024
    // bytes or more.
    static std::optional<CTableFile> Create(const std::wstring& stem, const std::wstring& extension);

    CTableFile(CTableFile&& other) noexcept;
    CTableFile& operator=(CTableFile&&) = delete;
    CTableFile(const CTableFile&) = delete;
    CTableFile& operator=(const CTableFile&) = delete;
    ~CTableFile();

    const std::wstring& Path() const { return m_path; }
    // Room for `bytes` more bytes at the end of the buffer, which is written out
    // first when it is full; null when that fails. Commit then says how far it was
    // filled.
    char* Claim(std::size_t bytes) {
        return m_buffer.size() - m_used >= bytes ? m_buffer.data() + m_used : ClaimAfterFlush(bytes);
    }
    void Commit(char* end) { m_used = static_cast<std::size_t>(end - m_buffer.data()); }
    bool Append(std::string_view bytes);
    // Writes what is left and closes the file; false when anything failed. The
    // file is removed again when it failed.
    bool Finish();

private:
    static constexpr std::size_t kChunk = 1 << 20;

    CTableFile(int descriptor, std::wstring path);
    char* ClaimAfterFlush(std::size_t bytes);
    bool Flush();
    void Discard();

    int m_descriptor = -1;
    std::wstring m_path;
    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    bool m_failed = false;
};

}  // namespace tabulist

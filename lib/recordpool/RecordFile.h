#pragma once
// The data file of a record opened for reading at any offset; shared by the analysis
// and the waveform data sets, which keep it open as long as they live.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "platform/base/PositionalFile.h"

namespace sampolyx {

class CRecordFile {
public:
    static std::shared_ptr<CRecordFile> Open(const std::filesystem::path& path);
    CRecordFile(const CRecordFile&) = delete;
    CRecordFile& operator=(const CRecordFile&) = delete;
    // Reads exactly `size` bytes at `offset`; false on a short read.
    bool ReadAt(std::uint64_t offset, void* bytes, std::size_t size) const;
    // Reads up to `size` bytes at `offset`, fewer only at the end of the file or on an
    // error; returns how many.
    std::size_t ReadSome(std::uint64_t offset, void* bytes, std::size_t size) const;
    // Size in bytes; 0 when it cannot be told.
    std::uint64_t Size() const;
    // Reads made of the file since it was opened.
    std::uint64_t GetReadCount() const { return m_reads.load(); }

private:
    explicit CRecordFile(const std::filesystem::path& path) : m_file(path) {}
    platform::PositionalFile m_file;
    mutable std::atomic<std::uint64_t> m_reads{0};
};

}  // namespace sampolyx

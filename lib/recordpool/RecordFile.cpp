#include "lib/recordpool/RecordFile.h"

namespace sampolyx {

std::shared_ptr<CRecordFile> CRecordFile::Open(const std::filesystem::path& path)
{
    std::shared_ptr<CRecordFile> file(new CRecordFile(path));
    return file->m_file.IsOpen() ? file : nullptr;
}

bool CRecordFile::ReadAt(std::uint64_t offset, void* bytes, std::size_t size) const
{
    return ReadSome(offset, bytes, size) == size;
}

std::size_t CRecordFile::ReadSome(std::uint64_t offset, void* bytes, std::size_t size) const
{
    m_reads.fetch_add(1, std::memory_order_relaxed);
    return m_file.ReadAt(offset, bytes, size);
}

std::uint64_t CRecordFile::Size() const
{
    return m_file.Size();
}

}  // namespace sampolyx

#include "lib/convert/BlockReader.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "lib/convert/ConvertDescription.h"
#include "platform/base/Encoding.h"

namespace convertix {

// Block files hold little-endian 32-bit floats, which this build takes as they are.
static_assert(std::endian::native == std::endian::little);

namespace {

// The value a terminal stores where it has none; records a file lacks get it.
constexpr float kNoValueFloat = -5368709.0f;

}  // namespace

CBlockReader::CBlockReader(std::uint32_t blockSize, std::uint32_t blockTypes, IConvertProgress& progress,
                           std::size_t readBufferBytes)
    : m_BlockSize(blockSize), m_BlockTypes(blockTypes), m_Progress(progress), m_ReadBufferBytes(readBufferBytes / 4 * 4)
{
}

bool CBlockReader::Allocate()
{
    m_Buffer.reset(new (std::nothrow) float[m_ReadBufferBytes / 4]());
    return m_Buffer != nullptr;
}

void CBlockReader::MaybeReport()
{
    const std::int64_t now = ProgressClockMs();
    if (now - m_LastReport >= kProgressIntervalMs) {
        m_Progress.ReportCount(m_BytesRead * 4 / 5);
        m_LastReport = now;
    }
}

bool CBlockReader::Deal(const float* values, std::uint64_t blocks, const std::vector<Span>& spans,
                        std::vector<ValueBuffer>& buffers, CItemFileWriter& writer)
{
    const std::size_t blockValues = m_BlockSize / 4;
    for (std::uint64_t block = 0; block < blocks; ++block, ++m_Blocks) {
        if (m_Blocks % m_BlockTypes >= kItemFileBlockTypes) {
            values += blockValues;
            continue;
        }
        for (const Span& span : spans) {
            ValueBuffer& target = buffers[span.buffer];
            std::size_t left = span.count;
            while (left > 0) {
                if (target.Full() && !writer.Flush(span.buffer, target)) {
                    return false;
                }
                const std::size_t taken = target.Append(values, left);
                values += taken;
                left -= taken;
            }
        }
    }
    return true;
}

void CBlockReader::SetRecordLayout(std::uint64_t recordsPerFile, std::uint64_t recordLimit)
{
    m_RecordsPerFile = recordsPerFile;
    m_RecordLimit = recordLimit;
}

bool CBlockReader::DealMissing(std::uint64_t records, const std::vector<Span>& spans, std::vector<ValueBuffer>& buffers,
                               CItemFileWriter& writer)
{
    const std::vector<float> block(m_BlockSize / 4, kNoValueFloat);
    m_Blocks = 0;
    for (std::uint64_t r = 0; r < records; ++r) {
        for (std::uint32_t type = 0; type < m_BlockTypes; ++type) {
            if (!Deal(block.data(), 1, spans, buffers, writer)) {
                return false;
            }
        }
    }
    m_Records += records;
    return true;
}

bool CBlockReader::ReadFile(const std::filesystem::path& source, bool last, const std::vector<Span>& spans,
                            std::vector<ValueBuffer>& buffers, CItemFileWriter& writer)
{
    // Opened without waiting (a pipe would block the open) and refused unless it is a
    // regular file; a link to one is followed.
    const int fd = ::open(platform::PathToUtf8(source).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        m_Refused = source;
        return false;
    }
    const std::uint64_t recordBytes = static_cast<std::uint64_t>(m_BlockSize) * m_BlockTypes;
    const std::uint64_t left = m_RecordLimit - std::min(m_RecordLimit, m_Records);
    const std::uint64_t share = m_RecordsPerFile != 0 ? std::min(m_RecordsPerFile, left) : left;
    // A record cut by the end of a file that another file follows keeps the values the
    // file holds (the rest have none); one cut by the end of the last file is left out.
    const auto size = static_cast<std::uint64_t>(status.st_size);
    const std::uint64_t records = std::min<std::uint64_t>(last ? size / recordBytes : (size + recordBytes - 1) / recordBytes, share);

    m_Blocks = 0;
    std::uint64_t remaining = records * recordBytes;
    const std::size_t chunk = m_ReadBufferBytes / m_BlockSize * m_BlockSize;
    while (remaining > 0) {
        const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(chunk, remaining));
        auto* bytes = reinterpret_cast<unsigned char*>(m_Buffer.get());
        std::size_t got = 0;
        while (got < wanted) {
            const ssize_t n = ::read(fd, bytes + got, wanted - got);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                return false;
            }
            if (n == 0) {
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        m_BytesRead += got;
        // A file that shrank while being read: what it no longer holds has no value.
        const std::size_t whole = got / 4 * 4;
        std::fill(m_Buffer.get() + whole / 4, m_Buffer.get() + wanted / 4, kNoValueFloat);
        if (!Deal(m_Buffer.get(), wanted / m_BlockSize, spans, buffers, writer)) {
            return false;
        }
        remaining -= wanted;
        MaybeReport();
    }
    m_Records += records;
    // The records missing from a file that another file follows keep their places as
    // records of no value, so that the later records keep their times.
    if (!last && records < share) {
        return DealMissing(share - records, spans, buffers, writer);
    }
    return true;
}

bool CBlockReader::Run(const std::vector<std::filesystem::path>& sources, const std::vector<std::uint32_t>& positions,
                       std::vector<ValueBuffer>& buffers, CItemFileWriter& writer)
{
    // A block larger than the read buffer cannot be taken apart.
    if (!m_Buffer || m_BlockSize == 0 || m_BlockSize > m_ReadBufferBytes || m_BlockTypes < kItemFileBlockTypes ||
        static_cast<std::uint64_t>(positions.size()) * 4 != m_BlockSize) {
        return false;
    }
    std::vector<Span> spans;
    for (const std::uint32_t buffer : positions) {
        if (buffer >= buffers.size()) {
            return false;
        }
        if (!spans.empty() && spans.back().buffer == buffer) {
            ++spans.back().count;
        } else {
            spans.push_back({buffer, 1});
        }
    }
    m_LastReport = ProgressClockMs();
    m_Records = 0;
    m_Refused.clear();
    for (std::size_t i = 0; i < sources.size() && m_Records < m_RecordLimit; ++i) {
        if (!ReadFile(sources[i], i + 1 == sources.size(), spans, buffers, writer)) {
            return false;
        }
    }
    m_Progress.ReportCount(m_BytesRead * 4 / 5);
    return writer.FinalFlush(buffers);
}

}  // namespace convertix

#include "lib/convert/BlockReader.h"

#include <bit>
#include <cstdio>
#include <new>

#include "lib/convert/ConvertDescription.h"
#include "platform/base/Encoding.h"

namespace convertix {

// Block files hold little-endian 32-bit floats, which this build takes as they are.
static_assert(std::endian::native == std::endian::little);

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

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

bool CBlockReader::ReadFile(const std::filesystem::path& source, const std::vector<Span>& spans,
                            std::vector<ValueBuffer>& buffers, CItemFileWriter& writer)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(platform::PathToUtf8(source).c_str(), "rb"));
    if (!file) {
        return false;
    }
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    m_Blocks = 0;
    const std::size_t chunk = m_ReadBufferBytes / m_BlockSize * m_BlockSize;
    for (;;) {
        const std::size_t got = std::fread(m_Buffer.get(), 1, chunk, file.get());
        if (got < chunk && std::ferror(file.get())) {
            return false;
        }
        m_BytesRead += got;
        const float* values = m_Buffer.get();
        if (!Deal(values, got / m_BlockSize, spans, buffers, writer)) {
            return false;
        }
        MaybeReport();
        if (got < chunk) {
            return true;
        }
    }
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
    for (const std::filesystem::path& source : sources) {
        if (!ReadFile(source, spans, buffers, writer)) {
            return false;
        }
    }
    m_Progress.ReportCount(m_BytesRead * 4 / 5);
    return writer.FinalFlush(buffers);
}

}  // namespace convertix

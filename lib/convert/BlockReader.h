#pragma once
// CBlockReader: reads the terminal's block files and deals their values out to the
// value buffers, block after block, value position by value position. A record is
// one block per block type; the item files take the first three (maximum, minimum,
// average) of every record and further block types are passed over. A file is
// read in chunks of whole blocks through one reused buffer of 30 MiB, so files of
// any size are converted whole; the rest after the last whole block is ignored.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "lib/convert/ConvertProgress.h"
#include "lib/convert/ItemFileWriter.h"
#include "lib/convert/ValueBuffer.h"

namespace convertix {

class CBlockReader {
public:
    // Bytes of the read buffer: 7,864,320 values.
    static constexpr std::size_t kReadBufferBytes = 31457280;

    // `blockTypes`: blocks per record, at least the three the item files hold.
    CBlockReader(std::uint32_t blockSize, std::uint32_t blockTypes, IConvertProgress& progress,
                 std::size_t readBufferBytes = kReadBufferBytes);

    // Allocates the read buffer; false when memory is short.
    bool Allocate();

    // Reads every source file in order; `positions` gives, for every value position of
    // a block, the buffer that receives it. Full buffers go to the writer. After the
    // last file the writer's final flush. False on the first failure.
    bool Run(const std::vector<std::filesystem::path>& sources, const std::vector<std::uint32_t>& positions,
             std::vector<ValueBuffer>& buffers, CItemFileWriter& writer);

    std::uint64_t BytesRead() const { return m_BytesRead; }

private:
    struct Span {
        std::uint32_t buffer;
        std::uint32_t count;
    };

    bool ReadFile(const std::filesystem::path& source, const std::vector<Span>& spans,
                  std::vector<ValueBuffer>& buffers, CItemFileWriter& writer);
    bool Deal(const float* values, std::uint64_t blocks, const std::vector<Span>& spans,
              std::vector<ValueBuffer>& buffers, CItemFileWriter& writer);
    void MaybeReport();

    std::uint32_t m_BlockSize;
    std::uint32_t m_BlockTypes;
    std::uint64_t m_Blocks = 0;  // whole blocks of the current file dealt so far (files begin with a record)
    IConvertProgress& m_Progress;
    std::size_t m_ReadBufferBytes;
    std::uint64_t m_BytesRead = 0;
    std::int64_t m_LastReport = 0;
    std::unique_ptr<float[]> m_Buffer;
};

}  // namespace convertix

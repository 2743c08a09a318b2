#pragma once
// CBlockReader: reads the terminal's block files and deals their values out to the
// value buffers, block after block, value position by value position. A record is
// one block per block type; the item files take the first three (maximum, minimum,
// average) of every record and further block types are passed over. A file is
// read in chunks of whole blocks through one reused buffer of 30 MiB.
//
// A record's time follows from its place in the stream (file index × records per
// file + record in the file), so every record keeps its place: the records a block
// file lacks (a file cut short, even inside a record) become records of no value
// when another file follows (a record it holds in part keeps the values it holds),
// and a record cut by the end of the last file is left out. No more records are read than the description declares, and only regular
// files are read (a link to a device or a pipe would never end, or block).

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

    // Records per block file and the records the stream holds at most ("BlockCount").
    void SetRecordLayout(std::uint64_t recordsPerFile, std::uint64_t recordLimit);

    // Allocates the read buffer; false when memory is short.
    bool Allocate();

    // Reads every source file in order; `positions` gives, for every value position of
    // a block, the buffer that receives it. Full buffers go to the writer. After the
    // last file the writer's final flush. False on the first failure.
    bool Run(const std::vector<std::filesystem::path>& sources, const std::vector<std::uint32_t>& positions,
             std::vector<ValueBuffer>& buffers, CItemFileWriter& writer);

    std::uint64_t BytesRead() const { return m_BytesRead; }
    // A source that is not a regular file stopped the run; its path.
    const std::filesystem::path& RefusedSource() const { return m_Refused; }

private:
    struct Span {
        std::uint32_t buffer;
        std::uint32_t count;
    };

    bool ReadFile(const std::filesystem::path& source, bool last, const std::vector<Span>& spans,
                  std::vector<ValueBuffer>& buffers, CItemFileWriter& writer);
    // Deals `records` records of no value.
    bool DealMissing(std::uint64_t records, const std::vector<Span>& spans, std::vector<ValueBuffer>& buffers,
                     CItemFileWriter& writer);
    bool Deal(const float* values, std::uint64_t blocks, const std::vector<Span>& spans,
              std::vector<ValueBuffer>& buffers, CItemFileWriter& writer);
    void MaybeReport();

    std::uint32_t m_BlockSize;
    std::uint32_t m_BlockTypes;
    std::uint64_t m_Blocks = 0;  // whole blocks of the current file dealt so far (files begin with a record)
    IConvertProgress& m_Progress;
    std::size_t m_ReadBufferBytes;
    std::uint64_t m_BytesRead = 0;
    std::uint64_t m_RecordsPerFile = 0;  // 0: no limit per file
    std::uint64_t m_RecordLimit = UINT64_MAX;
    std::uint64_t m_Records = 0;  // records dealt so far, of no value included
    std::filesystem::path m_Refused;
    std::int64_t m_LastReport = 0;
    std::unique_ptr<float[]> m_Buffer;
};

}  // namespace convertix

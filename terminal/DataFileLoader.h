#pragma once
// CDataFileLoader: the statistic record stream of a terminal folder. The stream is
// the block files of the numbered block folders ("001", "002", ...) in numeric
// order; file k holds records k × R to (k + 1) × R − 1, R records per file. The
// loader either holds the requested stretch in memory at once (cache mode) or
// keeps the files open and reads on demand (streaming mode). In cache mode the
// block files are mapped read-only, not copied: the bytes are the system's file
// cache, so the program holds no second copy of them and the system can take the
// pages back under pressure. Values that the files do not hold (a short or
// unreadable file, a stream that ends early) read as the no-value sentinel; the
// load logs one line about them.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/MappedRegion.h"
#include "platform/base/MemoryStatus.h"
#include "platform/base/PositionalFile.h"
#include "terminal/ItemRequest.h"

class CDataFileLoader {
public:
    CDataFileLoader();
    virtual ~CDataFileLoader();
    CDataFileLoader(const CDataFileLoader&) = delete;
    CDataFileLoader& operator=(const CDataFileLoader&) = delete;

    int LoadFiles(const std::wstring& statisticFolder, std::uint64_t firstRecord, std::uint64_t ignored,
                  std::uint64_t recordCount, std::uint64_t recordSize, std::uint32_t useDataFiles,
                  std::uint32_t progressBudget, std::uint32_t requireCache);
    // The records of `recordSize` bytes up to the last whole record the block files of
    // the statistic folder hold: a file holding fewer than its share leaves records of
    // no value (the loader reads them so), and the records after it keep their places.
    std::uint64_t CountRecords(const std::wstring& statisticFolder, std::uint64_t recordSize);
    // The float at a byte offset into the requested stretch; 0.0 outside it.
    float GetDataAt(std::uint64_t offset);
    // Fills the series of the enabled requests with `points` records.
    int ReadSeries(const std::vector<ItemRequest*>& requests, std::uint64_t points, std::uint64_t blockSize);
    std::uint64_t GetLoadedLength() const;
    void Reset();
    int IsMemAllow(std::uint32_t checkLength) const;
    // Whether a stretch of `bytes` is held at once (cache mode) with these memory
    // figures: a fifth of the physical memory is free and the stretch takes at most
    // nine tenths of what is available. Otherwise the trend is read from the index
    // files, a tenth of the records.
    static bool HoldsInMemory(std::uint64_t bytes, const platform::MemoryStatus& memory);

    bool IsCacheMode() const { return m_IsCacheMode != 0; }
    const std::vector<std::filesystem::path>& GetPaths() const { return m_StrPaths; }

protected:
    // The memory figures the cache decision rests on (tests replace them).
    virtual platform::MemoryStatus QueryMemoryStatus() const;
    // Maps the part of a block file the stretch covers (tests make it fail); throws
    // std::bad_alloc when the system gives no mapping.
    virtual platform::MappedRegion MapFilePart(const std::filesystem::path& path, std::uint64_t offset,
                                               std::uint64_t length);

private:
    bool BuildPaths(const std::filesystem::path& statisticFolder);
    std::uint64_t RecordsPerFile() const;
    std::uint64_t FileBytes() const { return RecordsPerFile() * m_RecordBytes; }
    bool LoadCache(std::uint32_t progressBudget, std::uint64_t recordCount);
    // The byte at a stream offset inside the stretch in cache mode: the file's, or
    // the sentinel's byte where the file holds nothing.
    unsigned char CachedByte(std::uint64_t absolute) const;
    // Reads the part of file `index` that starts `inFile` bytes into it into `out`;
    // what the file does not hold becomes the sentinel. Returns the bytes read.
    std::size_t ReadFilePart(std::size_t index, const platform::PositionalFile* file, std::uint64_t inFile,
                             unsigned char* out, std::size_t size);
    void FillNoValue(unsigned char* out, std::uint64_t streamOffset, std::size_t size) const;
    // The open block file of stream file `index` in streaming mode; null when there is
    // no such file or it cannot be opened.
    const platform::PositionalFile* StreamFile(std::uint64_t index);
    void ShowBusyText(const std::filesystem::path& path, double step) const;
    void NoteMissing();

    std::uint32_t m_Loaded = 0;
    std::vector<std::filesystem::path> m_StrPaths;
    // Streaming mode keeps the first block files open; the others (a long recording
    // has more files than a process may hold open) are opened when read, one at a time.
    std::vector<std::unique_ptr<platform::PositionalFile>> m_Files;
    std::unique_ptr<platform::PositionalFile> m_OnDemand;
    std::uint64_t m_OnDemandIndex = 0;
    std::uint64_t m_TotalBytes = 0;
    std::uint32_t m_IsCacheMode = 0;
    std::uint64_t m_StartOffset = 0;
    std::uint64_t m_RecordBytes = 0;
    // Cache mode: one mapped part for each block file the stretch covers, in stream
    // order; part p is block file m_CacheFirstFile + p. Only the whole floats a file
    // holds are read from it.
    struct CachedPart {
        platform::MappedRegion region;
        std::uint64_t start = 0;  // stream offset of region byte 0
        std::uint64_t valid = 0;  // bytes read from the region; the rest is no value
    };
    std::vector<CachedPart> m_Cache;
    std::uint64_t m_CacheFirstFile = 0;
    std::uint32_t m_UseDataFiles = 0;
    std::uint32_t m_BlockCountPerFile = 0;
    std::uint32_t m_BlockTypeCount = 0;
    bool m_MissingLogged = false;
};

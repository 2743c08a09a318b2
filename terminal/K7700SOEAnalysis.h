#pragma once
// CK7700SOEAnalysis: the reader of a terminal's ".soe" event file. The file is
// mapped a window at a time; every block whose time lies in the query's range is
// copied out and handed to a sink (IZVDataManager::AddData). A block whose record
// count does not fit in the bytes left, or whose trailer total disagrees, ends the
// reading: what came before stays delivered and the reader shrinks to that part.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "terminal/DevFileAnalysis.h"
#include "terminal/MappedFile.h"

class IZVDataManager;

class CK7700SOEAnalysis : public IDevFileAnalysis {
public:
    static constexpr std::uint32_t kNoProgress = 0xFFFFFFFFu;

    CK7700SOEAnalysis() = default;
    ~CK7700SOEAnalysis() override = default;

    // path: the ".soe" file. A reader with an open file keeps it.
    int LoadFile(std::wstring path, std::uint32_t requireCache) override;
    int ReleaseFile() override;
    int GetBasicInfo(BasicInfo* info) override;
    // w2: field-data position (kind 1); w4: kind (0 all blocks, 1 field data,
    // 2 declared event count, 3 active count); w5: the IZVDataManager sink.
    int GetData(QueryWord w0, QueryWord w1, QueryWord w2, QueryWord w3, QueryWord w4, QueryWord w5) override;
    int GetItemData(std::vector<ItemRequest*>& requests) override;
    // Words 6-9: the from and to calendar times (signed 64-bit, low word first).
    int SetQueryParams(const std::array<std::uint32_t, 10>& words) override;
    // A span of the busy indicator to advance over the next reading of all blocks.
    int SetOption(std::uint32_t span) override;

    std::uint32_t GetEventCount() const { return m_EventCount; }
    std::uint64_t GetFileSize() const { return m_FileSize; }
    std::uint32_t GetActiveCount() const { return m_ActiveCount; }

private:
    int ReadAllBlocks(IZVDataManager* sink);
    int ReadScene(std::uint64_t position, IZVDataManager* sink);
    void Damaged(std::uint64_t offset, std::uint64_t totalBefore);

    std::wstring m_Path;
    CMappedFile m_File;
    std::uint32_t m_EventCount = 0;
    std::uint64_t m_FileSize = 0;
    std::uint32_t m_ActiveCount = 0;
    std::int64_t m_TimeFrom = 0;
    std::int64_t m_TimeTo = 0;
    std::uint32_t m_ProgressSpan = kNoProgress;
};

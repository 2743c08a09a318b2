#pragma once
// IDevFileAnalysis: the reader of one kind of terminal data (statistic blocks,
// converted items, COMTRADE, SOE). A reader keeps its query before LoadFile, loads
// a folder, describes it through BasicInfo and answers data queries.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "terminal/BasicInfo.h"
#include "terminal/ItemRequest.h"

// A query word: a number or a pointer, as the reader defines its query.
using QueryWord = std::uintptr_t;

class IDevFileAnalysis {
public:
    virtual ~IDevFileAnalysis() = default;
    // requireCache non-zero: fail unless the requested range can be held in memory.
    virtual int LoadFile(std::wstring folder, std::uint32_t requireCache) = 0;
    // Drops everything loaded; always 1.
    virtual int ReleaseFile() = 0;
    // 1 and a full copy when loaded, else 0 and nothing copied.
    virtual int GetBasicInfo(BasicInfo* info) = 0;
    virtual int GetData(QueryWord w0, QueryWord w1, QueryWord w2, QueryWord w3, QueryWord w4, QueryWord w5) = 0;
    virtual int GetItemData(std::vector<ItemRequest*>& requests) = 0;
    // Words 0 to 5 and 8 to 11 of the model's query record.
    virtual int SetQueryParams(const std::array<std::uint32_t, 10>& words) = 0;
    virtual int SetOption(std::uint32_t value) = 0;
};

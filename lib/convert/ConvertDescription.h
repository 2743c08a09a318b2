#pragma once
// What a block of the terminal's statistic files holds, as the conversion learns it
// from "statistic.cfg" of the statistic folder (block geometry and the ordered item
// ids) and from "itemInfo.ini" in the program folder (channels and statistic kinds
// of every item).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace convertix {

struct ItemRecord {
    int id = 0;
    std::wstring name;
    int channel = -1;
    int dataType = -1;
    int sequence = -1;
    int staticsType = -1;  // kinds "EFF", "RAT", "PHA" in this order; 0: one set without kind
};

// The item files hold these block types of every record: maximum, minimum, average.
inline constexpr int kItemFileBlockTypes = 3;

struct ConvertDescription {
    int blockSize = -1;
    int blockCount = -1;
    int blockTypeCount = -1;  // blocks per record, one per block type, maximum first
    int blockCountPerFile = -1;
    std::int64_t total = 0;  // BlockCount × BlockSize × 3: the progress total
    std::vector<ItemRecord> items;
};

// Reads "statistic.cfg" of `statisticFolder` and every listed item's description.
// An item that "itemInfo.ini" does not fully describe is listed without values.
// 0 read; 2 geometry or item list missing, an id that names no statistic item,
// items whose values do not add up to BlockSize, or records of fewer blocks than the
// item files hold; 5 "BlockTypeCount" missing.
int ReadConvertDescription(const std::filesystem::path& statisticFolder, ConvertDescription& description);

// Fills Channel, DataType, Sequence and StaticsType from `section` of
// "itemInfo.ini" in the program folder; 1 when all four were found and not negative.
int ReadItemDescription(const std::wstring& section, ItemRecord& record);

// The ids of an "Item" text: pieces between commas trimmed, an empty last piece
// dropped, each taken as its leading decimal number (0 without one); 1000 stands for
// all items 1 to 461.
std::vector<int> ParseItemIds(const std::wstring& text);

// Values per block of the described items (channels × kinds).
std::uint64_t ValuesPerBlock(const std::vector<ItemRecord>& items);

}  // namespace convertix

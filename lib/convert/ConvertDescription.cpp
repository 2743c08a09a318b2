#include "lib/convert/ConvertDescription.h"

#include <algorithm>
#include <cwctype>
#include <optional>
#include <set>

#include "lib/convert/ItemNameTable.h"
#include "platform/base/FileSystem.h"
#include "platform/base/PrivateProfile.h"
#include "platform/base/ProgramFolder.h"

namespace convertix {

namespace {

constexpr std::size_t kItemTextLimit = 10240;
constexpr int kAllItems = 1000;
constexpr int kLastItem = 461;
constexpr int kKindCount = 3;

std::wstring Trim(const std::wstring& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && std::iswspace(static_cast<wint_t>(text[first]))) {
        ++first;
    }
    while (last > first && std::iswspace(static_cast<wint_t>(text[last - 1]))) {
        --last;
    }
    return text.substr(first, last - first);
}

// The profile reading of an integer key: the default when the key is missing or empty.
int ReadInt(const std::filesystem::path& file, const wchar_t* section, const wchar_t* key, int defaultValue)
{
    const std::optional<std::wstring> text = platform::ProfileGetString(file, section, key);
    if (!text || text->empty()) {
        return defaultValue;
    }
    return platform::ParseProfileInt(*text);
}

std::filesystem::path FileIn(const std::filesystem::path& folder, const wchar_t* name)
{
    return platform::FindNoCase(folder, name).value_or(folder / name);
}

}  // namespace

std::vector<int> ParseItemIds(const std::wstring& text)
{
    std::vector<std::wstring> pieces;
    std::size_t start = 0;
    for (std::size_t comma = text.find(L','); comma != std::wstring::npos; comma = text.find(L',', start)) {
        pieces.push_back(Trim(text.substr(start, comma - start)));
        start = comma + 1;
    }
    if (std::wstring rest = Trim(text.substr(start)); !rest.empty()) {
        pieces.push_back(std::move(rest));
    }
    std::vector<int> ids;
    for (const std::wstring& piece : pieces) {
        const int id = platform::ParseProfileInt(piece);
        if (id == kAllItems) {
            ids.clear();
            for (int all = 1; all <= kLastItem; ++all) {
                ids.push_back(all);
            }
            break;
        }
        ids.push_back(id);
    }
    return ids;
}

std::uint64_t ValuesPerBlock(const std::vector<ItemRecord>& items)
{
    std::uint64_t values = 0;
    for (const ItemRecord& item : items) {
        if (item.staticsType >= 0 && item.channel > 0) {
            values += static_cast<std::uint64_t>(item.channel) * static_cast<std::uint64_t>(std::max(item.staticsType, 1));
        }
    }
    return values;
}

int ReadItemDescription(const std::wstring& section, ItemRecord& record)
{
    const std::filesystem::path file = FileIn(platform::ProgramFolder(), L"itemInfo.ini");
    int* const fields[] = {&record.channel, &record.dataType, &record.sequence, &record.staticsType};
    const wchar_t* const keys[] = {L"Channel", L"DataType", L"Sequence", L"StaticsType"};
    for (std::size_t k = 0; k < 4; ++k) {
        const int value = ReadInt(file, section.c_str(), keys[k], -1);
        if (value < 0) {
            return 0;
        }
        *fields[k] = value;
    }
    return 1;
}

int ReadConvertDescription(const std::filesystem::path& statisticFolder, ConvertDescription& description)
{
    const std::filesystem::path file = FileIn(statisticFolder, L"statistic.cfg");
    description.blockSize = ReadInt(file, L"cfg", L"BlockSize", -1);
    if (description.blockSize < 0) {
        return 2;
    }
    description.blockCountPerFile = ReadInt(file, L"cfg", L"BlockCountPerFile", -1);
    description.blockCount = ReadInt(file, L"cfg", L"BlockCount", -1);
    if (description.blockCount < 0) {
        return 2;
    }
    description.blockTypeCount = ReadInt(file, L"cfg", L"BlockTypeCount", -1);
    if (description.blockTypeCount < 0) {
        return 5;
    }
    // Records of fewer blocks have no average (or no minimum) for the item files; an
    // item file of another stride would be read as shifted series.
    if (description.blockTypeCount < kItemFileBlockTypes) {
        return 2;
    }
    description.total = static_cast<std::int64_t>(description.blockCount) * description.blockSize * 3;

    std::wstring text = platform::ProfileGetString(file, L"cfg", L"Item").value_or(L"***");
    if (text.size() > kItemTextLimit - 1) {
        text.resize(kItemTextLimit - 1);
    }
    if (text.empty() || text == L"***") {
        return 2;
    }
    const std::vector<int> ids = ParseItemIds(text);
    if (ids.empty()) {
        return 2;
    }
    // Every listed id must name a statistic item, and each output name may occur
    // once: a block that the description cannot account for value by value would be
    // converted into plausible-looking but shifted series. An item that itemInfo.ini
    // does not fully describe stays listed without values; whether the block holds
    // values for it is told by BlockSize below.
    std::set<int> seen;
    description.items.clear();
    for (const int id : ids) {
        const std::optional<ItemName> name = NameOfItem(id);
        if (!name || !seen.insert(id).second) {
            return 2;
        }
        ItemRecord record;
        // Incomplete: StaticsType, read last, keeps its default -1, so no values.
        ReadItemDescription(name->section, record);
        if (record.staticsType > kKindCount) {
            return 2;
        }
        record.id = id;
        record.name = name->name;
        description.items.push_back(std::move(record));
    }
    const std::uint64_t values = ValuesPerBlock(description.items);
    if (values == 0 || values * 4 != static_cast<std::uint64_t>(description.blockSize)) {
        return 2;
    }
    return 0;
}

}  // namespace convertix

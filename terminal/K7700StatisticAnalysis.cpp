#include "terminal/K7700StatisticAnalysis.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <set>

#include "core/NumberHelpers.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/MemoryStatus.h"
#include "platform/base/ProgramFolder.h"
#include "terminal/CalcDatMgr.h"
#include "terminal/FolderDescription.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/HarmHistDataManager.h"
#include "terminal/ItemViewTable.h"
#include "terminal/StatCube.h"
#include "terminal/StatisticItemNames.h"
#include "terminal/TerminalTexts.h"
#include "terminal/Wiring.h"
#include "terminal/ZVDataManager.h"

namespace {

namespace fs = std::filesystem;

// Item files hold little-endian 32-bit floats, which this build reads as they are.
static_assert(std::endian::native == std::endian::little);

constexpr std::uint32_t kGroups = 6;

// The first view of the family a view lies in; other views are their own head.
std::uint32_t HeadView(std::uint32_t view)
{
    static constexpr std::pair<std::uint32_t, std::uint32_t> families[] = {
        {2000, 2049}, {3000, 3049}, {4000, 4034},  {5000, 5049},  {7000, 7049},
        {8000, 8049}, {9000, 9034}, {10000, 10049}, {12000, 12049}};
    for (const auto& [first, last] : families) {
        if (view >= first && view <= last) {
            return first;
        }
    }
    return view;
}

struct Rule {
    std::uint32_t phases;     // bits 0-3 for phases 0-3; phase 4 tests bit 0
    std::uint32_t subValues;  // bit s - 1 for sub-value s; none: any
};

std::optional<Rule> RuleOf(std::uint32_t head)
{
    const auto in = [head](std::uint32_t first, std::uint32_t last) { return head >= first && head <= last; };
    if (in(1, 6) || in(8, 13) || in(15, 24) || head == 6000) {
        return Rule{0xF, 0};
    }
    if (head == 2000 || head == 7000) {
        return Rule{0xF, 0x7};
    }
    if (head == 25 || head == 3000 || head == 4000 || head == 5000 || head == 6001 || head == 8000 ||
        head == 9000 || head == 10000) {
        return Rule{0xF, 0x3};
    }
    if (head == 11000 || in(13000, 13005)) {
        return Rule{0x7, 0};
    }
    if (head == 11001) {
        return Rule{0x7, 0x3};
    }
    if (head == 12000) {
        return Rule{0x7, 0x7};
    }
    if (in(13006, 13012) || head == 13017) {
        return Rule{0x1, 0};
    }
    return std::nullopt;
}

// Views whose item keeps its name whatever the order: the DC items.
bool KeepsName(std::uint32_t view)
{
    return view == 25 || view == 6001 || view == 11001;
}

std::wstring WithOrder(const std::wstring& name, std::int32_t order)
{
    return name.substr(0, name.rfind(L'_') + 1) + std::to_wstring(static_cast<std::int64_t>(order) + 1);
}

const wchar_t* KindSuffix(std::uint32_t subValue)
{
    switch (subValue) {
    case 1:
        return L"_EFF";
    case 2:
        return L"_RAT";
    case 3:
        return L"_PHA";
    default:
        return L"";
    }
}

bool PhaseInMaskOrNeutral(std::uint32_t mask, std::uint32_t phase, std::uint32_t view)
{
    return IsPhaseInMask(mask, phase) || (phase == 3 && view >= 15 && view <= 22);
}

// The energies (views 20-22) keep one value per interval, in the maxima's place; they
// have no minima or averages.
bool HoldsOneValueSet(std::uint32_t view)
{
    return view >= 20 && view <= 22;
}

// The series a 95 % value is taken over: the interval averages, as the collector's
// cells hold them; a view with one value set has only that one. The histogram path
// and GetData's own 95 % value then answer a request for such a view alike.
std::uint32_t Percentile95BlockType(std::uint32_t view)
{
    return HoldsOneValueSet(view) ? 0 : 2;
}

}  // namespace

int CK7700StatisticAnalysis::SetQueryParams(const std::array<std::uint32_t, 10>& words)
{
    m_First = words[0];
    m_End = words[2];
    m_RecordCount = static_cast<std::uint64_t>(words[4]) | (static_cast<std::uint64_t>(words[5]) << 32);
    m_EndTime = static_cast<std::uint64_t>(words[8]) | (static_cast<std::uint64_t>(words[9]) << 32);
    return 1;
}

int CK7700StatisticAnalysis::SetOption(std::uint32_t)
{
    return 1;
}

int CK7700StatisticAnalysis::ReleaseFile()
{
    m_Items.clear();
    for (auto& cache : m_Caches) {
        cache.clear();
    }
    m_First = 0;
    m_End = 0;
    m_RecordCount = 0;
    m_EndTime = 0;
    m_ItemFolder.clear();
    m_ItemInfo.clear();
    m_ItemInfoFile.reset();
    m_ItemFiles.reset();
    m_Loaded = 0;
    return 1;
}

int CK7700StatisticAnalysis::GetBasicInfo(BasicInfo* info)
{
    if (m_Loaded == 0 || info == nullptr) {
        return 0;
    }
    *info = m_Info;
    return 1;
}

int CK7700StatisticAnalysis::LoadFile(std::wstring folder, std::uint32_t)
{
    m_Loaded = 0;
    if (folder.empty()) {
        return 0;
    }
    // The query belongs to the next load; only what was loaded goes.
    const auto first = m_First;
    const auto end = m_End;
    const auto count = m_RecordCount;
    const auto endTime = m_EndTime;
    ReleaseFile();
    m_First = first;
    m_End = end;
    m_RecordCount = count;
    m_EndTime = endTime;
    m_Info = BasicInfo();
    if (!Load(folder)) {
        m_Items.clear();
        m_ItemFolder.clear();
        return 0;
    }
    m_Loaded = 1;
    return 1;
}

bool CK7700StatisticAnalysis::Load(const std::wstring& folder)
{
    std::wstring text = folder;
    std::replace(text.begin(), text.end(), L'\\', L'/');
    const fs::path root = platform::ToPath(text);
    m_ItemFolder = platform::FromPath(GlobalDataConfig::get_const_instance().StatisticFolderOf(root)) + L"/";

    const StatisticDescription description = ReadStatisticDescription(TerminalFile(root, L"Statistic/statistic.cfg"));
    if (description.timePlot == -1) {
        return false;
    }
    m_Interval = static_cast<std::uint32_t>(description.timePlot);
    m_Info.interval = static_cast<double>(description.timePlot);
    m_Info.recordCount = static_cast<std::uint32_t>(m_RecordCount);
    if (description.itemText.empty() || description.itemText == L"***" || SplitItemText(description.itemText).empty()) {
        return false;
    }
    m_Items = ParseItemList(description.itemText);
    std::set<std::uint32_t> views;
    for (const std::uint32_t item : m_Items) {
        std::uint32_t view = 0;
        if (ItemToView(item, &view) == 0) {
            return false;
        }
        views.insert(view);
        if (item == 25) {
            views.insert(7);
        } else if (item == 212) {
            views.insert(14);
        }
    }
    for (const std::uint32_t view : views) {
        if (view == 13012) {
            m_Info.viewIds.insert(m_Info.viewIds.end(), {13013, 13014, 13015, 13016});
        } else {
            m_Info.viewIds.push_back(view);
        }
    }
    const std::wstring recordSet = TerminalFile(root, L"recordset.ini");
    if (ReadSysInfor(recordSet, m_Info) == 0) {
        return false;
    }
    ReadWiring(recordSet, m_Info);
    const std::int64_t offset = static_cast<std::int64_t>(static_cast<std::int32_t>(m_Interval * m_First));
    if (ReadRecordInfo(TerminalFile(root, L"recordinfo.cfg"), m_Info, offset, static_cast<std::int64_t>(m_EndTime)) ==
        0) {
        return false;
    }
    // Without the item files of every listed item this folder is not converted (or
    // not completely): the model then reads the block files instead.
    return VisitItemFiles([](const Location&) { return true; });
}

bool CK7700StatisticAnalysis::VisitItemFiles(const std::function<bool(const Location&)>& visit)
{
    const std::uint32_t loaded = m_Loaded;
    m_Loaded = 1;  // Resolve answers only for a loaded folder
    const auto visitItem = [&](std::uint32_t item) {
        std::uint32_t view = 0;
        ItemToView(item, &view);
        const std::uint32_t head = HeadView(view);
        const std::int32_t order = static_cast<std::int32_t>(view - head);
        const std::uint32_t kinds = RuleOf(head) ? RuleOf(head)->subValues : 0;
        for (std::uint32_t subValue = kinds != 0 ? 1 : 0; subValue == 0 || (kinds >> (subValue - 1)) != 0; ++subValue) {
            const std::optional<Location> location = Resolve(4, 0, order, subValue, head == 13012 ? 13013 : head);
            if (!location || !visit(*location)) {
                return false;
            }
            if (subValue == 0) {
                break;
            }
        }
        return true;
    };
    const bool all = std::all_of(m_Items.begin(), m_Items.end(), visitItem);
    m_Loaded = loaded;
    return all;
}

std::optional<std::uint64_t> CK7700StatisticAnalysis::CountRecords(const std::wstring& folder)
{
    CK7700StatisticAnalysis reader;
    if (reader.LoadFile(folder, 0) == 0) {
        return std::nullopt;
    }
    std::uint64_t fewest = std::numeric_limits<std::uint64_t>::max();
    reader.VisitItemFiles([&](const Location& location) {
        std::error_code error;
        const std::optional<fs::path> file =
            platform::FindNoCase(platform::ToPath(reader.m_ItemFolder), location.fileName + L".data");
        const std::uintmax_t size = file ? fs::file_size(*file, error) : 0;
        // A record holds the three block types of every channel.
        const std::uint64_t recordBytes = static_cast<std::uint64_t>(location.channel) * 12;
        fewest = std::min<std::uint64_t>(fewest, error ? 0 : size / recordBytes);
        return true;
    });
    return fewest == std::numeric_limits<std::uint64_t>::max() ? 0 : fewest;
}

std::optional<CK7700StatisticAnalysis::Location> CK7700StatisticAnalysis::Resolve(std::uint32_t phase,
                                                                                  std::uint32_t blockType,
                                                                                  std::int32_t order,
                                                                                  std::uint32_t subValue,
                                                                                  std::uint32_t viewId) const
{
    if (m_Loaded == 0 || phase > 4) {
        return std::nullopt;
    }
    std::uint32_t item = 0;
    std::uint32_t ruleView = HeadView(viewId);
    if (viewId >= 13013 && viewId <= 13016) {
        static constexpr std::uint32_t unbalance[] = {4, 6, 5, 7};
        subValue = unbalance[viewId - 13013];
        viewId = 13012;
        ruleView = 13012;
    }
    if (viewId == 7 || viewId == 14) {
        subValue = 3;
        item = viewId == 7 ? 25 : 212;
        ruleView = viewId == 7 ? 2000 : 7000;
    } else if (ViewToItem(ruleView, &item) == 0) {
        return std::nullopt;
    }
    const std::wstring name = StatisticItemName(item);
    if (name.empty()) {
        return std::nullopt;
    }
    const std::optional<ItemInfo> info = DescribeItem(name);
    if (!info || info->channel == 0) {
        return std::nullopt;
    }
    Location location;
    location.fileName = name;
    if (!KeepsName(viewId) && order >= 0 && info->staticsType >= 1) {
        location.fileName = WithOrder(name, order);
    }
    if (info->staticsType > 0) {
        location.fileName += KindSuffix(subValue);
    }
    if (HoldsOneValueSet(viewId) && (blockType == 1 || blockType == 2)) {
        return std::nullopt;
    }
    const std::optional<Rule> rule = RuleOf(ruleView);
    if (!rule || ((rule->phases >> (phase == 4 ? 0 : phase)) & 1u) == 0) {
        return std::nullopt;
    }
    if (rule->subValues != 0 && subValue != 0 && (subValue > 32 || ((rule->subValues >> (subValue - 1)) & 1u) == 0)) {
        return std::nullopt;
    }
    // Block type 3 has no values of its own in a record (it is computed from the
    // series of block type 0); reading it as a fourth block would give the next
    // record's maxima.
    std::uint32_t index = 0;
    if (blockType <= 2) {
        index = static_cast<std::uint32_t>(info->channel) * blockType;
    } else if (blockType != 4) {
        return std::nullopt;
    }
    index += phase == 4 ? 0 : phase;
    // Sub-values 5 to 7 are the further values of the unbalance item; for any other
    // item they would step into the next channel or block type.
    if (viewId == 13012 && subValue >= 5 && subValue <= 7) {
        index += subValue - 4;
    }
    location.channel = static_cast<std::uint32_t>(info->channel);
    if (index >= 3 * location.channel) {
        return std::nullopt;
    }
    if (!ItemFile(location.fileName + L".data")) {
        return std::nullopt;
    }
    location.valueIndex = index;
    location.group = static_cast<std::uint32_t>(info->view);
    return location;
}

std::optional<CK7700StatisticAnalysis::ItemInfo> CK7700StatisticAnalysis::DescribeItem(
    const std::wstring& section) const
{
    if (const auto known = m_ItemInfo.find(section); known != m_ItemInfo.end()) {
        return known->second;
    }
    if (!m_ItemInfoFile) {
        const fs::path folder = platform::ProgramFolder();
        const fs::path file = platform::FindNoCase(folder, L"itemInfo.ini").value_or(folder / "itemInfo.ini");
        const std::optional<std::string> bytes = platform::ReadFileBytes(file);
        m_ItemInfoFile = bytes ? platform::ProfileSnapshot(*bytes) : platform::ProfileSnapshot();
    }
    // As the description files' integers are read: absent or empty gives the default.
    const auto read = [&](const wchar_t* key) {
        const std::optional<std::wstring> text = m_ItemInfoFile->Get(section, key);
        return text && !text->empty() ? platform::ParseProfileInt(*text) : -1;
    };
    ItemInfo info;
    info.channel = read(L"Channel");
    info.view = read(L"View");
    info.staticsType = read(L"StaticsType");
    std::optional<ItemInfo> result;
    if (info.channel >= 0 && info.view >= 0 && info.staticsType >= 0) {
        result = info;
    }
    m_ItemInfo.emplace(section, result);
    return result;
}

std::optional<fs::path> CK7700StatisticAnalysis::ItemFile(const std::wstring& fileName) const
{
    // A view asks for hundreds of series, most of them of files the terminal did not
    // write: listing the folder for each would cost more than reading the values.
    if (!m_ItemFiles) {
        m_ItemFiles.emplace();
        for (const fs::directory_entry& entry : platform::ListSorted(platform::ToPath(m_ItemFolder))) {
            m_ItemFiles->push_back(entry.path());
        }
    }
    // The exact name first, else the first that differs only in case.
    const fs::path exact = platform::ToPath(m_ItemFolder) / platform::ToPath(fileName);
    for (const fs::path& file : *m_ItemFiles) {
        if (file == exact) {
            return file;
        }
    }
    for (const fs::path& file : *m_ItemFiles) {
        if (platform::NamesEqualNoCase(platform::FromPath(file.filename()), fileName)) {
            return file;
        }
    }
    return std::nullopt;
}

bool CK7700StatisticAnalysis::MemoryIsShort() const
{
    const platform::MemoryStatus status = platform::GetMemoryStatus();
    return status.availablePhysical < status.totalPhysical / 5;
}

bool CK7700StatisticAnalysis::ReadItemFile(const Location& location, std::vector<float>& values) const
{
    const std::optional<fs::path> file = ItemFile(location.fileName + L".data");
    if (!file) {
        return false;
    }
    std::ifstream in(*file, std::ios::binary);
    std::error_code error;
    const std::uintmax_t size = fs::file_size(*file, error);
    if (!in || error) {
        return false;
    }
    const std::uint64_t recordBytes = static_cast<std::uint64_t>(location.channel) * 12;
    const std::uint64_t start = static_cast<std::uint64_t>(m_First) * recordBytes;
    std::uint64_t length = m_RecordCount * recordBytes;
    length = start >= size ? 0 : std::min<std::uint64_t>(length, size - start);
    if (length > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    values.assign(static_cast<std::size_t>(length / 4), 0.0f);
    in.seekg(static_cast<std::streamoff>(start));
    in.read(reinterpret_cast<char*>(values.data()), static_cast<std::streamsize>(values.size() * 4));
    return static_cast<std::uint64_t>(in.gcount()) == values.size() * 4;
}

std::shared_ptr<const std::vector<float>> CK7700StatisticAnalysis::Values(const Location& location)
{
    if (m_RecordCount == 0 || m_First == m_End) {
        return std::make_shared<const std::vector<float>>();
    }
    std::deque<CacheEntry>* cache = location.group < kGroups ? &m_Caches[location.group] : nullptr;
    if (cache != nullptr) {
        const auto hit = std::find_if(cache->begin(), cache->end(),
                                      [&](const CacheEntry& entry) { return entry.first == location.fileName; });
        if (hit != cache->end()) {
            return hit->second;
        }
    }
    auto values = std::make_shared<std::vector<float>>();
    if (!ReadItemFile(location, *values)) {
        return nullptr;
    }
    if (cache != nullptr) {
        if (!cache->empty() && MemoryIsShort()) {
            cache->pop_front();
        }
        cache->emplace_back(location.fileName, values);
    }
    return values;
}

std::optional<std::vector<float>> CK7700StatisticAnalysis::Series(std::uint32_t phase, std::uint32_t blockType,
                                                                  std::int32_t order, std::uint32_t subValue,
                                                                  std::uint32_t viewId)
{
    const std::optional<Location> location = Resolve(phase, blockType, order, subValue, viewId);
    if (!location) {
        return std::nullopt;
    }
    const std::shared_ptr<const std::vector<float>> values = Values(*location);
    if (!values) {
        return std::nullopt;
    }
    std::vector<float> series;
    const std::size_t step = 3 * static_cast<std::size_t>(location->channel);
    series.reserve(values->size() / step + 1);
    for (std::size_t at = location->valueIndex; at < values->size(); at += step) {
        series.push_back((*values)[at]);
    }
    return series;
}

int CK7700StatisticAnalysis::GetItemData(std::vector<ItemRequest*>& requests)
{
    for (ItemRequest* request : requests) {
        if (request == nullptr) {
            continue;
        }
        request->enabled = 0;
        request->values.clear();
        if (!PhaseInMaskOrNeutral(m_Info.phaseMask, request->phase, request->viewId)) {
            continue;
        }
        std::optional<std::vector<float>> series =
            Series(request->phase, request->blockType, request->order, request->subValue, request->viewId);
        if (series) {
            request->values = std::move(*series);
            request->enabled = 1;
        }
    }
    return 1;
}

int CK7700StatisticAnalysis::GetItemValues(std::uint32_t phase, std::uint32_t blockType, std::int32_t order,
                                           std::uint32_t subValue, std::uint32_t viewId, IZVDataManager* manager)
{
    const std::optional<std::vector<float>> series = Series(phase, blockType, order, subValue, viewId);
    if (!series) {
        return 0;
    }
    if (manager == nullptr) {
        return 1;
    }
    int result = 1;
    for (const float value : *series) {
        if (!manager->AddValue(value)) {
            result = 0;
        }
    }
    return result;
}

int CK7700StatisticAnalysis::SummaryValue(std::uint32_t phase, std::uint32_t kind, std::int32_t order,
                                          std::uint32_t valueType, std::uint32_t viewId,
                                          CHarmHistDataManager& histogram)
{
    // The collector's cube is held for the whole lookup, so that a clear or a new
    // collection on another thread cannot take it away halfway.
    const std::shared_ptr<const CStatCube> held = m_SummarySource ? m_SummarySource() : nullptr;
    const CStatCube* cube = held ? held.get() : m_SummaryCube;
    CStatValue cell;
    double value = 0.0;
    if (FindItemValue(cube, phase, valueType, order, viewId, cell) != 0) {
        const double average = RoundToDecimals(cell.sum / cell.count, 3);
        const double values[] = {cell.maximum, cell.minimum, average, cell.percentile95};
        value = kind <= 3 ? values[kind] : values[0];
        histogram.Release();
        histogram.SetSummary({true, cell.maximum, cell.minimum, static_cast<float>(average), cell.percentile95});
        histogram.AddValue(value);
        return 1;
    }
    std::optional<std::vector<float>> series =
        Series(phase, kind == 3 ? Percentile95BlockType(viewId) : kind, order, valueType, viewId);
    if (!series) {
        return 0;
    }
    // Intervals the terminal could not measure take no part, as in the collector's
    // cells; a series without one measured interval has no statistic.
    std::erase_if(*series, [](float v) { return !std::isfinite(v) || IsNoValue(v); });
    if (series->empty()) {
        return 0;
    }
    if (kind == 0) {
        value = *std::max_element(series->begin(), series->end());
    } else if (kind == 1) {
        value = *std::min_element(series->begin(), series->end());
    } else if (kind == 3) {
        CalcDatMgr pairs;
        for (const float v : *series) {
            pairs.AddValue(v);
        }
        CalcDatMgr::Pair p95;
        Percentile95(pairs.GetPairs(), p95);
        value = p95.first;
    } else {
        double sum = 0.0;
        for (const float v : *series) {
            sum += v;
        }
        value = sum / static_cast<double>(series->size());
    }
    histogram.Release();
    histogram.AddValue(value);
    histogram.SetStatistic(kind, static_cast<float>(value));
    return 1;
}

int CK7700StatisticAnalysis::GetData(QueryWord phaseWord, QueryWord blockTypeWord, QueryWord orderWord,
                                     QueryWord subValueWord, QueryWord viewWord, QueryWord managerWord)
{
    try {
        const auto phase = static_cast<std::uint32_t>(phaseWord);
        const auto blockType = static_cast<std::uint32_t>(blockTypeWord);
        const auto order = static_cast<std::int32_t>(static_cast<std::uint32_t>(orderWord));
        const auto subValue = static_cast<std::uint32_t>(subValueWord);
        const auto viewId = static_cast<std::uint32_t>(viewWord);
        auto* manager = reinterpret_cast<IZVDataManager*>(managerWord);
        if (!PhaseInMaskOrNeutral(m_Info.phaseMask, phase, viewId)) {
            return 0;
        }
        if (auto* histogram = dynamic_cast<CHarmHistDataManager*>(manager)) {
            return SummaryValue(phase, blockType, order, subValue, viewId, *histogram);
        }
        if (blockType == 3) {
            CalcDatMgr series;
            if (GetItemValues(phase, 0, order, subValue, viewId, &series) == 0) {
                return 0;
            }
            return manager != nullptr ? WritePercentile95(series, *manager) : 1;
        }
        return GetItemValues(phase, blockType, order, subValue, viewId, manager);
    } catch (...) {
        TerminalLog(L"an exception occurs in CK7700StatisticAnalysis::GetData");
        return 0;
    }
}

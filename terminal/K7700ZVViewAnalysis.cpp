#include "terminal/K7700ZVViewAnalysis.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "core/NumberHelpers.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "terminal/CalcDatMgr.h"
#include "terminal/FolderDescription.h"
#include "terminal/HarmHistDataManager.h"
#include "terminal/ItemViewTable.h"
#include "terminal/StatisticItems.h"
#include "terminal/TerminalTexts.h"
#include "terminal/Wiring.h"
#include "terminal/ZVDataManager.h"

namespace {

std::uint64_t Word64(std::uint32_t low, std::uint32_t high)
{
    return static_cast<std::uint64_t>(low) | (static_cast<std::uint64_t>(high) << 32);
}

}  // namespace

CK7700ZVViewAnalysis::CK7700ZVViewAnalysis(std::uint32_t useDataFiles)
    : m_UseDataFiles(useDataFiles), m_Loader(std::make_unique<CDataFileLoader>())
{
}

CK7700ZVViewAnalysis::~CK7700ZVViewAnalysis() = default;

void CK7700ZVViewAnalysis::SetLoader(std::unique_ptr<CDataFileLoader> loader)
{
    m_Loader = std::move(loader);
}

int CK7700ZVViewAnalysis::SetQueryParams(const std::array<std::uint32_t, 10>& words)
{
    std::copy(words.begin(), words.begin() + 6, m_Query.begin());
    m_EndTime = static_cast<std::int64_t>(Word64(words[8], words[9]));
    return 1;
}

int CK7700ZVViewAnalysis::SetOption(std::uint32_t value)
{
    m_ProgressBudget = value;
    return 1;
}

int CK7700ZVViewAnalysis::GetBasicInfo(BasicInfo* info)
{
    if (m_Loaded == 0 || info == nullptr) {
        return 0;
    }
    *info = m_Info;
    return 1;
}

void CK7700ZVViewAnalysis::ResetLoaded()
{
    m_Loader->Reset();
    m_ItemLayout.clear();
    m_Info.viewIds.clear();
}

int CK7700ZVViewAnalysis::ReleaseFile()
{
    m_Loader->Reset();
    m_ItemLayout.clear();
    m_Info.viewIds.clear();
    m_Loaded = 0;
    m_Items.clear();
    m_RecordCount = 0;
    return 1;
}

int CK7700ZVViewAnalysis::LoadFile(std::wstring folder, std::uint32_t requireCache)
{
    m_Loaded = 0;
    const std::optional<std::wstring> failure = Load(folder, requireCache);
    if (!failure) {
        m_Loaded = 1;
        return 1;
    }
    ResetLoaded();
    if (!failure->empty()) {
        TerminalLog(L"CK7700ZVViewAnalysis::LoadFile " + *failure);
    }
    return 0;
}

std::optional<std::wstring> CK7700ZVViewAnalysis::Load(const std::wstring& folder, std::uint32_t requireCache)
{
    if (folder.empty()) {
        return L"no folder given";
    }
    const std::filesystem::path root = platform::ToPath(folder);
    const std::wstring statisticFolder = platform::FromPath(platform::ResolveNoCase(root, L"Statistic"));
    const std::wstring recordSet = TerminalFile(root, L"recordset.ini");
    if (ReadSysInfor(recordSet, m_Info) == 0) {
        return L"recordset.ini lacks system information texts in " + folder;
    }
    ReadWiring(recordSet, m_Info);

    const StatisticDescription description = ReadStatisticDescription(TerminalFile(root, L"Statistic/statistic.cfg"));
    if (description.blockSize < 0) {
        return L"statistic.cfg gives no usable BlockSize in " + folder;
    }
    if (description.timePlot == -1) {
        return L"statistic.cfg gives no TimePlot in " + folder;
    }
    if (description.blockTypeCount < 1) {
        return L"statistic.cfg gives no usable BlockTypeCount in " + folder;
    }
    m_BlockSize = static_cast<std::uint32_t>(description.blockSize);
    m_BlockTypeCount = static_cast<std::uint32_t>(description.blockTypeCount);
    m_TimePlot = static_cast<std::uint32_t>(description.timePlot);
    if (m_UseDataFiles == 0) {
        m_TimePlot *= 10;
    }
    m_RecordCount = m_Query[4];
    if (description.itemText.empty() || description.itemText == L"***" || SplitItemText(description.itemText).empty()) {
        return L"statistic.cfg gives no Item list in " + folder;
    }
    m_Info.interval = static_cast<double>(m_TimePlot);
    m_Info.recordCount = m_RecordCount;

    const std::uint64_t firstRecord = Word64(m_Query[0], m_Query[1]);
    // A damaged interval with a far first record can exceed 64 bits; the start text
    // then shows a time that cannot be produced.
    std::int64_t offsetSeconds = std::numeric_limits<std::int64_t>::max();
    if (firstRecord <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) &&
        __builtin_mul_overflow(static_cast<std::int64_t>(m_TimePlot), static_cast<std::int64_t>(firstRecord),
                               &offsetSeconds)) {
        offsetSeconds = std::numeric_limits<std::int64_t>::max();
    }
    if (ReadRecordInfo(TerminalFile(root, L"recordinfo.cfg"), m_Info, offsetSeconds, m_EndTime) == 0) {
        return L"recordinfo.cfg lacks a start-time key in " + folder;
    }
    m_Info.viewIds.clear();
    m_Items = ParseItemList(description.itemText);
    if (!BuildViewIds()) {
        return L"statistic.cfg lists an item without a trend view in " + folder;
    }
    if (m_RecordCount == 0) {
        m_Loader->Reset();
        m_ItemLayout.clear();
        return std::nullopt;
    }
    if (!BuildItemLayout()) {
        return L"the items of statistic.cfg do not add up to BlockSize " + std::to_wstring(m_BlockSize) +
               L" in " + folder;
    }
    const std::uint64_t recordBytes = static_cast<std::uint64_t>(m_BlockSize) * m_BlockTypeCount;
    const std::uint64_t recordCount = Word64(m_Query[4], m_Query[5]);
    if (m_Loader->LoadFiles(statisticFolder, firstRecord, Word64(m_Query[2], m_Query[3]), recordCount, recordBytes,
                            m_UseDataFiles, m_ProgressBudget, requireCache) == 0) {
        return std::wstring();
    }
    if (m_Loader->GetLoadedLength() < recordCount * recordBytes) {
        return L"the block loader holds fewer bytes than requested in " + folder;
    }
    return std::nullopt;
}

std::uint64_t CK7700ZVViewAnalysis::CountRecords(const std::wstring& folder)
{
    if (folder.empty()) {
        return 0;
    }
    const std::filesystem::path root = platform::ToPath(folder);
    const StatisticDescription description = ReadStatisticDescription(TerminalFile(root, L"Statistic/statistic.cfg"));
    if (description.blockSize <= 0 || description.blockTypeCount < 1) {
        return 0;
    }
    const std::uint64_t recordBytes =
        static_cast<std::uint64_t>(description.blockSize) * static_cast<std::uint64_t>(description.blockTypeCount);
    CDataFileLoader loader;
    return loader.CountRecords(platform::FromPath(platform::ResolveNoCase(root, L"Statistic")), recordBytes);
}

bool CK7700ZVViewAnalysis::BuildViewIds()
{
    std::set<std::uint32_t> views;
    for (std::uint32_t item : m_Items) {
        if (item == 25) {
            views.insert(7);
        }
        if (item == 212) {
            views.insert(14);
        }
        std::uint32_t view = 0;
        if (ItemToView(item, &view) == 0) {
            return false;
        }
        views.insert(view);
    }
    m_Info.viewIds.clear();
    for (std::uint32_t view : views) {
        if (view == 13012) {
            m_Info.viewIds.insert(m_Info.viewIds.end(), {13013, 13014, 13015, 13016});
        } else {
            m_Info.viewIds.push_back(view);
        }
    }
    return true;
}

bool CK7700ZVViewAnalysis::BuildItemLayout()
{
    m_ItemLayout.clear();
    if (m_Items.empty() || m_BlockSize == 0 || m_RecordCount == 0) {
        return false;
    }
    std::uint64_t offset = 0;
    for (std::uint32_t item : m_Items) {
        const std::uint32_t bytes = 4 * StatisticItemSize(item);
        m_ItemLayout.push_back({item, static_cast<std::uint32_t>(offset), bytes});
        offset += bytes;
    }
    if (offset != m_BlockSize) {
        m_ItemLayout.clear();
        return false;
    }
    return true;
}

std::optional<CK7700ZVViewAnalysis::Resolved> CK7700ZVViewAnalysis::Resolve(std::uint32_t phase,
                                                                              std::uint32_t blockType,
                                                                              std::int32_t order,
                                                                              std::uint32_t subValue,
                                                                              std::uint32_t viewId) const
{
    if (phase > 4) {
        return std::nullopt;
    }
    if (!IsPhaseInMask(m_Info.phaseMask, phase) && !(phase == 3 && viewId >= 15 && viewId <= 22)) {
        return std::nullopt;
    }
    std::uint32_t k = order < 0 ? 0 : static_cast<std::uint32_t>(order);
    if (viewId == 7) {
        viewId = 2000;
        k = 0;
        subValue = 3;
    } else if (viewId == 14) {
        viewId = 7000;
        k = 0;
        subValue = 3;
    } else if (viewId >= 13013 && viewId <= 13016) {
        static constexpr std::uint32_t unbalance[] = {4, 6, 5, 7};
        subValue = unbalance[viewId - 13013];
        viewId = 13012;
    }
    if (m_Loaded == 0 || m_ItemLayout.empty()) {
        return std::nullopt;
    }
    std::uint32_t firstItem = 0;
    if (ViewToItem(viewId, &firstItem) == 0) {
        return std::nullopt;
    }
    const std::uint64_t item = static_cast<std::uint64_t>(firstItem) + k;
    const auto entry = std::find_if(m_ItemLayout.begin(), m_ItemLayout.end(),
                                    [item](const ItemLayoutEntry& e) { return e.itemId == item; });
    if (entry == m_ItemLayout.end()) {
        return std::nullopt;
    }
    const ItemValueLayout* values = StatisticItemLayout(entry->itemId);
    if (values == nullptr || values->lackingPhases.count(phase) != 0) {
        return std::nullopt;
    }
    Resolved resolved;
    resolved.layout = *entry;
    if (!values->subValues.empty()) {
        const auto sub = values->subValues.find(subValue);
        if (sub == values->subValues.end()) {
            return std::nullopt;
        }
        resolved.subValueOffset = sub->second;
    }
    resolved.phaseOffset = phase < 4 ? 4 * phase : 0;
    // A phase the item has no value for, or a value past the item, is refused rather
    // than read from the neighbouring kind or item.
    if (resolved.phaseOffset + 4 > values->phaseSpan ||
        resolved.subValueOffset + resolved.phaseOffset + 4 > entry->size) {
        return std::nullopt;
    }
    if (blockType == 4) {
        resolved.blockTypeOffset = 0;
    } else if (blockType < m_BlockTypeCount) {
        resolved.blockTypeOffset = static_cast<std::uint64_t>(blockType) * m_BlockSize;
    } else {
        return std::nullopt;
    }
    return resolved;
}

int CK7700ZVViewAnalysis::GetItemData(std::vector<ItemRequest*>& requests)
{
    for (ItemRequest* request : requests) {
        if (request == nullptr) {
            continue;
        }
        request->enabled = 0;
        const auto resolved =
            Resolve(request->phase, request->blockType, request->order, request->subValue, request->viewId);
        if (!resolved) {
            request->values.clear();
            continue;
        }
        request->enabled = 1;
        request->subValueOffset = resolved->subValueOffset;
        request->phaseOffset = resolved->phaseOffset;
        request->blockTypeOffset = resolved->blockTypeOffset;
        request->layout = resolved->layout;
        request->values.assign(m_RecordCount, 0.0f);
    }
    return m_Loader->ReadSeries(requests, m_RecordCount, m_BlockSize);
}

int CK7700ZVViewAnalysis::GetData(QueryWord phase, QueryWord blockType, QueryWord order, QueryWord subValue,
                                  QueryWord viewId, QueryWord manager)
{
    return GetSeries(static_cast<std::uint32_t>(phase), static_cast<std::uint32_t>(blockType),
                     static_cast<std::int32_t>(static_cast<std::uint32_t>(order)),
                     static_cast<std::uint32_t>(subValue), static_cast<std::uint32_t>(viewId),
                     reinterpret_cast<IZVDataManager*>(manager));
}

int CK7700ZVViewAnalysis::GetSeries(std::uint32_t phase, std::uint32_t blockType, std::int32_t order,
                                    std::uint32_t subValue, std::uint32_t viewId, IZVDataManager* manager)
{
    try {
        // The histogram charts want one figure per series, not the series: it is worked
        // out in one pass over the records instead of handing every value to the manager.
        auto* histogram = dynamic_cast<CHarmHistDataManager*>(manager);
        if (histogram != nullptr && histogram->WantsFigureOnly() && blockType <= 3) {
            return HistogramStatistic(phase, blockType, order, subValue, viewId, *histogram);
        }
        if (blockType == 3) {
            CalcDatMgr series;
            if (GetSeries(phase, 0, order, subValue, viewId, &series) == 0) {
                return 0;
            }
            return manager != nullptr ? WritePercentile95(series, *manager) : 1;
        }
        const auto resolved = Resolve(phase, blockType, order, subValue, viewId);
        if (!resolved) {
            return 0;
        }
        if (manager == nullptr) {
            return 1;
        }
        std::int64_t first = 0;
        std::int64_t count = -1;
        manager->GetRange(&first, &count);
        const std::uint64_t recordBytes = static_cast<std::uint64_t>(m_BlockSize) * m_BlockTypeCount;
        const std::uint64_t inRecord = resolved->blockTypeOffset + resolved->subValueOffset +
                                       resolved->layout.offset + resolved->phaseOffset;
        std::int64_t given = 0;
        for (std::int64_t i = std::max<std::int64_t>(first, 0);
             i < static_cast<std::int64_t>(m_RecordCount) && (count < 0 || given < count); ++i, ++given) {
            manager->AddValue(m_Loader->GetDataAt(recordBytes * static_cast<std::uint64_t>(i) + inRecord));
        }
        return 1;
    } catch (...) {
        TerminalLog(L"an exception occurs in CK7700ZVViewAnalysis::GetData");
        return 0;
    }
}

int CK7700ZVViewAnalysis::HistogramStatistic(std::uint32_t phase, std::uint32_t blockType, std::int32_t order,
                                             std::uint32_t subValue, std::uint32_t viewId,
                                             CHarmHistDataManager& histogram)
{
    // The 95 % value is taken over the series of the maximum block, as for any manager.
    const auto resolved = Resolve(phase, blockType == 3 ? 0 : blockType, order, subValue, viewId);
    if (!resolved) {
        return 0;
    }
    std::int64_t first = 0;
    std::int64_t count = -1;
    histogram.GetRange(&first, &count);
    const std::uint64_t recordBytes = static_cast<std::uint64_t>(m_BlockSize) * m_BlockTypeCount;
    const std::uint64_t inRecord =
        resolved->blockTypeOffset + resolved->subValueOffset + resolved->layout.offset + resolved->phaseOffset;
    const std::int64_t begin = std::max<std::int64_t>(first, 0);
    std::int64_t end = static_cast<std::int64_t>(m_RecordCount);
    if (count >= 0) {
        end = std::min(end, begin + count);
    }
    if (blockType == 3) {
        std::vector<float> values;
        values.reserve(static_cast<std::size_t>(std::max<std::int64_t>(end - begin, 0)));
        for (std::int64_t i = begin; i < end; ++i) {
            const float value = m_Loader->GetDataAt(recordBytes * static_cast<std::uint64_t>(i) + inRecord);
            if (!IsNoValue(value) && !std::isnan(value)) {
                values.push_back(value);
            }
        }
        if (values.empty()) {
            return 0;
        }
        // The value at the rank of Percentile95 in ascending order.
        volatile float product = static_cast<float>(values.size()) * 0.95f;
        volatile float sum = product + 0.5f;
        const std::int64_t rank =
            std::clamp<std::int64_t>(static_cast<std::int64_t>(sum) - 1, 0, static_cast<std::int64_t>(values.size()) - 1);
        std::nth_element(values.begin(), values.begin() + rank, values.end());
        histogram.TakeStatistic(3, values[static_cast<std::size_t>(rank)]);
        return 1;
    }
    // The same figures as the manager's running extremes and sample mean: every value
    // rounded to three decimals, as AddValue rounds it (rounding keeps the order, so
    // the extremes are rounded once).
    double maximum = -99999999999.0;  // where the manager's running extremes start
    double minimum = 99999999999.0;
    double total = 0.0;
    std::int64_t taken = 0;
    for (std::int64_t i = begin; i < end; ++i) {
        const float sample = m_Loader->GetDataAt(recordBytes * static_cast<std::uint64_t>(i) + inRecord);
        // A record the terminal did not write (a gap) holds no value: it must not pull
        // the extremes or the mean towards the marker.
        if (IsNoValue(sample) || std::isnan(sample)) {
            continue;
        }
        ++taken;
        const double value = sample;
        if (blockType == 2) {
            total += RoundToDecimals(value, 3);
        } else {
            maximum = value > maximum ? value : maximum;
            minimum = value < minimum ? value : minimum;
        }
    }
    if (taken == 0) {
        // Nothing to sum up: the manager stays empty, as after no value at all.
        histogram.Release();
        return 1;
    }
    const double figure = blockType == 0   ? RoundToDecimals(maximum, 3)
                          : blockType == 1 ? RoundToDecimals(minimum, 3)
                                           : total / static_cast<double>(taken);
    histogram.TakeStatistic(blockType, figure);
    return 1;
}

#pragma once
// CK7700StatisticAnalysis: the reader of the converted statistic data, one value
// file per statistic item and kind in the folder's item folder. It answers the same
// requests as the trend reader (phase, block type, order, sub-value, view) by
// locating the item's file through "itemInfo.ini", keeps the item files it read in
// memory (one cache per "View" group of itemInfo.ini, oldest dropped first under
// memory pressure) and serves the summary values of the harmonic histograms.

#include <array>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/PrivateProfile.h"
#include "terminal/DevFileAnalysis.h"

class IZVDataManager;
class CStatCube;
class CHarmHistDataManager;

class CK7700StatisticAnalysis : public IDevFileAnalysis {
public:
    CK7700StatisticAnalysis() = default;
    ~CK7700StatisticAnalysis() override = default;

    // Loads the description of `folder`; fails unless the item folder holds the
    // item files of every listed item.
    int LoadFile(std::wstring folder, std::uint32_t requireCache) override;
    int ReleaseFile() override;
    int GetBasicInfo(BasicInfo* info) override;
    // Words: phase, block type, order, sub-value, view id, IZVDataManager pointer.
    int GetData(QueryWord phase, QueryWord blockType, QueryWord order, QueryWord subValue, QueryWord viewId,
                QueryWord manager) override;
    int GetItemData(std::vector<ItemRequest*>& requests) override;
    int SetQueryParams(const std::array<std::uint32_t, 10>& words) override;
    int SetOption(std::uint32_t value) override;
    virtual int GetItemValues(std::uint32_t phase, std::uint32_t blockType, std::int32_t order,
                              std::uint32_t subValue, std::uint32_t viewId, IZVDataManager* manager);

    // The whole records that the item files of `folder` hold from their start (the
    // shortest file decides); nothing when the folder is not completely converted.
    static std::optional<std::uint64_t> CountRecords(const std::wstring& folder);

    // The harmonic collector's summary cells, when the program has them: a fixed
    // cube (not owned), or a source asked for the current cube at every lookup.
    using SummarySource = std::function<std::shared_ptr<const CStatCube>()>;
    void SetSummaryCube(const CStatCube* cube) { m_SummaryCube = cube; }
    void SetSummarySource(SummarySource source) { m_SummarySource = std::move(source); }

    // Where a request's values lie: the item file name (without ".data"), the value
    // index inside a record, the item's channels and its "View" group.
    struct Location {
        std::wstring fileName;
        std::uint32_t valueIndex = 0;
        std::uint32_t channel = 0;
        std::uint32_t group = 0;
    };
    std::optional<Location> Resolve(std::uint32_t phase, std::uint32_t blockType, std::int32_t order,
                                    std::uint32_t subValue, std::uint32_t viewId) const;
    const std::wstring& GetItemFolder() const { return m_ItemFolder; }

protected:
    // Less than a fifth of the physical memory free: the caches give up their oldest file.
    virtual bool MemoryIsShort() const;

private:
    using CacheEntry = std::pair<std::wstring, std::shared_ptr<const std::vector<float>>>;
    struct ItemInfo {
        int channel = -1;
        int view = -1;
        int staticsType = -1;
    };

    // Channel, View and StaticsType of an item's section of "itemInfo.ini", read once per load.
    std::optional<ItemInfo> DescribeItem(const std::wstring& section) const;

    // The item file of that name, found without regard to case in the item folder,
    // which is listed once per load.
    std::optional<std::filesystem::path> ItemFile(const std::wstring& fileName) const;

    bool Load(const std::wstring& folder);
    // A histogram request: the collector's summary when it holds the cell, else the
    // asked statistic computed from the item file.
    int SummaryValue(std::uint32_t phase, std::uint32_t kind, std::int32_t order, std::uint32_t valueType,
                     std::uint32_t viewId, CHarmHistDataManager& histogram);
    // Visits the item file of every kind of every listed item; false as soon as one
    // is missing or the visitor answers false.
    bool VisitItemFiles(const std::function<bool(const Location&)>& visit);
    bool PhaseAllowed(std::uint32_t phase, std::uint32_t viewId) const;
    std::shared_ptr<const std::vector<float>> Values(const Location& location);
    bool ReadItemFile(const Location& location, std::vector<float>& values) const;
    std::optional<std::vector<float>> Series(std::uint32_t phase, std::uint32_t blockType, std::int32_t order,
                                             std::uint32_t subValue, std::uint32_t viewId);

    std::uint32_t m_First = 0;
    std::uint32_t m_End = 0;
    std::uint64_t m_RecordCount = 0;
    std::uint64_t m_EndTime = 0;
    std::wstring m_ItemFolder;
    BasicInfo m_Info;
    std::uint32_t m_Interval = 0;
    std::vector<std::uint32_t> m_Items;
    std::uint32_t m_Loaded = 0;
    std::array<std::deque<CacheEntry>, 6> m_Caches;
    const CStatCube* m_SummaryCube = nullptr;
    SummarySource m_SummarySource;
    mutable std::map<std::wstring, std::optional<ItemInfo>> m_ItemInfo;
    // "itemInfo.ini", read once per load: a view describes dozens of items from it.
    mutable std::optional<platform::ProfileSnapshot> m_ItemInfoFile;
    mutable std::optional<std::vector<std::filesystem::path>> m_ItemFiles;
};

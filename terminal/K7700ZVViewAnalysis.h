#pragma once
// CK7700ZVViewAnalysis: the reader of a terminal's raw statistic trend data. It
// works out where every listed item lies inside a record, loads the requested
// records through its CDataFileLoader and answers the views' series requests: one
// series into a data manager (GetData) or many at once into item requests
// (GetItemData, one pass over the records), and the 95 % value of a series.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "terminal/DataFileLoader.h"
#include "terminal/DevFileAnalysis.h"

class CHarmHistDataManager;
class IZVDataManager;

class CK7700ZVViewAnalysis : public IDevFileAnalysis {
public:
    explicit CK7700ZVViewAnalysis(std::uint32_t useDataFiles = 1);
    ~CK7700ZVViewAnalysis() override;

    int LoadFile(std::wstring folder, std::uint32_t requireCache) override;
    int ReleaseFile() override;
    int GetBasicInfo(BasicInfo* info) override;
    // Words: phase, block type, order, sub-value index, view id, IZVDataManager pointer.
    int GetData(QueryWord phase, QueryWord blockType, QueryWord order, QueryWord subValue, QueryWord viewId,
                QueryWord manager) override;
    int GetItemData(std::vector<ItemRequest*>& requests) override;
    int SetQueryParams(const std::array<std::uint32_t, 10>& words) override;
    int SetOption(std::uint32_t value) override;

    // The whole records that the block files of `folder` hold from the start of the
    // stream; 0 when statistic.cfg does not describe a record.
    static std::uint64_t CountRecords(const std::wstring& folder);

    // Typed form of GetData.
    int GetSeries(std::uint32_t phase, std::uint32_t blockType, std::int32_t order, std::uint32_t subValue,
                  std::uint32_t viewId, IZVDataManager* manager);

    void SetUseDataFiles(std::uint32_t useDataFiles) { m_UseDataFiles = useDataFiles; }
    const std::vector<ItemLayoutEntry>& GetItemLayout() const { return m_ItemLayout; }
    const std::vector<std::uint32_t>& GetItems() const { return m_Items; }
    const CDataFileLoader& GetLoader() const { return *m_Loader; }

protected:
    // The loader in use (tests hand in one with other memory figures).
    void SetLoader(std::unique_ptr<CDataFileLoader> loader);

private:
    struct Resolved {
        ItemLayoutEntry layout;
        std::uint32_t subValueOffset = 0;
        std::uint32_t phaseOffset = 0;
        std::uint64_t blockTypeOffset = 0;
    };

    // The reason a load failed; empty on success, or when the loader logged it itself.
    std::optional<std::wstring> Load(const std::wstring& folder, std::uint32_t requireCache);
    bool BuildViewIds();
    bool BuildItemLayout();
    std::optional<Resolved> Resolve(std::uint32_t phase, std::uint32_t blockType, std::int32_t order,
                                    std::uint32_t subValue, std::uint32_t viewId) const;
    void ResetLoaded();
    // One statistic of a series (block type 0 maximum, 1 minimum, 2 average, 3 the
    // 95 % value of the maximum series) for the harmonic histograms.
    int HistogramStatistic(std::uint32_t phase, std::uint32_t blockType, std::int32_t order, std::uint32_t subValue,
                           std::uint32_t viewId, CHarmHistDataManager& histogram);

    std::array<std::uint32_t, 6> m_Query{};
    std::int64_t m_EndTime = 0;
    std::uint32_t m_UseDataFiles = 1;
    std::uint32_t m_ProgressBudget = 0;
    std::unique_ptr<CDataFileLoader> m_Loader;
    std::vector<std::uint32_t> m_Items;
    std::uint32_t m_BlockSize = 0;
    std::uint32_t m_BlockTypeCount = 3;
    std::uint32_t m_TimePlot = 0;
    std::uint32_t m_RecordCount = 0;
    std::uint32_t m_Loaded = 0;
    BasicInfo m_Info;
    std::vector<ItemLayoutEntry> m_ItemLayout;
};

#pragma once
// IHarmDataCollector: the process-wide store of harmonic summaries (maximum,
// minimum, average and 95 % value of every harmonic quantity over the loaded
// range) as the main frame drives it. After a load the frame's collector worker
// gives it the statistic folder and the selected range and lets it collect from
// the statistic model; before the next load or waveform open the frame stops that
// worker, waits for it and clears the store.
//
// The opening road and the harmonic views name the same operations differently;
// this one interface carries both names:
//   SetDataFolder (folder)      also SetTitle (folder)
//   SetQuery (CRecordRange)     also SetSelection (DataSelectInfo); one record
//   CollectItems (model, stop)
//   Clear ()
// GetHarmDataCollector answers the installed collector, else the process-wide
// CHarmDataCollector (its GetInstance).

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

#include "terminal/DataSelectInfo.h"

class IDataModel;
class CStatCube;

// The harmonic views' name of the selection record.
using CRecordRange = DataSelectInfo;

class IHarmDataCollector {
public:
    virtual ~IHarmDataCollector() = default;

    // The folder of the item data files, ending in a separator.
    virtual void SetDataFolder(const std::wstring& folder) = 0;
    // Copies the range whole.
    virtual void SetQuery(const CRecordRange& range) = 0;
    // A whole collection from the model's data (null: no source). Returns soon after
    // `stop` is requested, leaving the store marked incomplete, so that readers never
    // take a half-filled store for a collected one.
    virtual void CollectItems(IDataModel* source, std::stop_token stop) = 0;
    // Forgets the source and everything collected.
    virtual void Clear() = 0;
    // The wiring's phase mask (bit 0x1 L1 ... 0x8 N) of the loaded record, taken on
    // the user-interface thread with the folder and the range, so that the worker
    // only reads files; 15 until set.
    virtual void SetPhaseMask(std::uint32_t /*mask*/) {}

    void SetTitle(const std::wstring& folder) { SetDataFolder(folder); }
    void SetSelection(const DataSelectInfo& selection) { SetQuery(selection); }
};

// The collector of harmonic summaries. A collection reads, for every harmonic family,
// value type and order, the item file's records of the chosen range once and keeps
// per phase the largest interval maximum, the smallest interval minimum, the sum and
// the 95 % value of the interval averages. The result is built in a cube of its own
// and published whole when the collection ends: readers on other threads see either
// no cube or a complete one, never a half-filled one.
class CHarmDataCollector : public IHarmDataCollector {
public:
    static CHarmDataCollector& GetInstance();

    CHarmDataCollector() = default;
    CHarmDataCollector(const CHarmDataCollector&) = delete;
    CHarmDataCollector& operator=(const CHarmDataCollector&) = delete;

    void SetDataFolder(const std::wstring& folder) override;
    void SetQuery(const CRecordRange& range) override;
    void SetPhaseMask(std::uint32_t mask) override;
    // Without a source every phase is collected; with one, the phases of the mask.
    void CollectItems(IDataModel* source, std::stop_token stop) override;
    void Clear() override;

    // The published cube of the last whole collection, or nothing.
    std::shared_ptr<const CStatCube> GetCube() const { return m_Cube.load(); }
    // Item files opened by collections since this collector was made.
    std::uint64_t GetFileReads() const { return m_FileReads.load(); }

    // The item file name (without ".data") of a family, type (0 "_EFF", 1 "_RAT",
    // 2 "_PHA") and 1-based order.
    static std::wstring BuildItemName(const std::wstring& family, std::uint32_t type, int order);
    // False for the single-valued families (THD, DC, K factor).
    static bool HasOrders(const std::wstring& family);
    // The 95 % value: the element at rank n x 0.95 + 0.5 (single precision,
    // truncated) of the sorted values; 0 for none.
    static float ComputeCp95(std::vector<float> values);
    // The same over values that may be reordered in place.
    static float ComputeCp95InPlace(std::span<float> values);

private:
    struct Query {
        std::wstring folder;
        CRecordRange range;
        std::uint32_t phaseMask = 15;
    };

    class FolderIndex;
    struct Buffers;

    void CollectItem(const Query& query, FolderIndex& index, Buffers& buffers, CStatCube& cube, std::size_t family,
                     std::uint32_t type, int first, int last, std::uint32_t mask, const std::stop_token& stop);
    // Reads the float values of one item file over the range into `values`; false when
    // the file is missing, unreadable or the range starts past its end.
    bool ReadItemData(const Query& query, FolderIndex& index, const std::wstring& name, std::uint32_t phaseCount,
                      std::vector<float>& values);

    mutable std::mutex m_QueryLock;  // the query may be set from any thread
    Query m_Query;
    std::mutex m_PublishLock;  // orders a clear against the publication of a collection
    std::uint64_t m_Generation = 0;
    std::atomic<std::shared_ptr<const CStatCube>> m_Cube;
    std::atomic<std::uint64_t> m_FileReads{0};
};

// The installed collector, or the process-wide one; never null.
IHarmDataCollector* GetHarmDataCollector();
// Installs a collector (not owned; it must outlive its use); null puts the
// process-wide one back. Install before the first load, from the user-interface thread.
void SetHarmDataCollector(IHarmDataCollector* collector);

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
// GetHarmDataCollector is the collector's GetInstance. Until the harmonic views
// install theirs, a collector that collects nothing answers.

#include <stop_token>
#include <string>

#include "terminal/DataSelectInfo.h"

class IDataModel;

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

    void SetTitle(const std::wstring& folder) { SetDataFolder(folder); }
    void SetSelection(const DataSelectInfo& selection) { SetQuery(selection); }
};

// The collector that collects nothing, in use until one is installed.
class CNullHarmDataCollector : public IHarmDataCollector {
public:
    void SetDataFolder(const std::wstring&) override {}
    void SetQuery(const CRecordRange&) override {}
    void CollectItems(IDataModel*, std::stop_token) override {}
    void Clear() override {}
};

// The installed collector, or the null one; never null.
IHarmDataCollector* GetHarmDataCollector();
// Installs a collector (not owned; it must outlive its use); null puts the null one
// back. Install before the first load, from the user-interface thread.
void SetHarmDataCollector(IHarmDataCollector* collector);

#pragma once
// The statistic items the reports' harmonic tables read. Terminals record harmonic
// subgroups (voltage content ratio, current effective value) where they can; a
// recording without them still holds the harmonics themselves, and the tables are
// then made from those and say so.

#include <cstdint>
#include <span>
#include <vector>

#include "report/ReportStatRecord.h"

class IDataModel;

struct CHarmonicSource {
    std::uint32_t item = 0;       // family head: 5000/10000 subgroups, 2000/7000 harmonics
    std::uint32_t valueKind = 0;  // 2 content ratio (voltage), 1 effective value (current)
    bool fromHarmonics = false;   // the subgroups were missing
};

// The subgroups of the voltages or the currents.
CHarmonicSource SubgroupSource(bool current);

// Whether the model holds orders 1 to 25 of the source's item in its value kind.
bool HoldsHarmonicOrders(IDataModel* model, const CHarmonicSource& source);

// The subgroups where the model holds them, else the harmonics where it holds those,
// else the subgroups (the tables then have nothing to show).
CHarmonicSource ChooseHarmonicSource(IDataModel* model, bool current);

// Points every record of the lists (one per phase) at the source's item.
void PointRecordsAt(const CHarmonicSource& source, std::span<const std::vector<CReportStatRecord*>> lists);

#pragma once
// CReportParamItem: one row of the report's power-quality parameter table ("ZVItem"
// keys) and the phases it is reported for.

#include <cstdint>
#include <string>

#include "report/ReportItem.h"

struct CReportParamItem : CReportItem {
    CReportParamItem() = default;
    explicit CReportParamItem(std::string itemKey) : CReportItem(std::move(itemKey)) {}
    bool operator==(const CReportParamItem&) const = default;

    std::int32_t PhaseA = 1;
    std::int32_t PhaseB = 1;
    std::int32_t PhaseC = 1;
    std::int32_t PhaseN = 0;
    // Kept in memory only, never in the file; set by the frequency row's defaults.
    std::int32_t memoryFlag = 0;
};

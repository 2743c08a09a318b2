#pragma once
// What the reporters read of one trend item of the report configuration: the
// options of its present phases, and the series of its own value per phase (the
// flicker charts draw them, one curve per phase).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "report/ReportTrendItem.h"
#include "report/ZVTrendCurve.h"

class CBaseReporter;

// Curve colours (COLORREF, red in the low byte) of the phases L1, L2, L3 and of
// the maximum, minimum and average curves.
inline constexpr std::uint32_t kTrendRed = 0x0000FF;
inline constexpr std::uint32_t kTrendGreen = 0x00B400;  // 0, 180, 0
inline constexpr std::uint32_t kTrendBlue = 0xFF0000;
inline constexpr std::uint32_t kTrendPhaseColors[] = {kTrendRed, kTrendGreen, kTrendBlue};

// The curves a trend chart shows of one phase: the option that asks for it, its
// statistic (which is also the curve's kind), its caption in the "Graph" texts and
// its colour; maximum, minimum, average in drawing order.
struct TrendStatistic {
    std::int32_t CReportTrendPhase::*flag;
    std::uint32_t kind;
    const char* caption;
    std::uint32_t color;
};
inline constexpr TrendStatistic kTrendStatistics[] = {
    {&CReportTrendPhase::flag1, CZVTrendCurve::kMaximum, "MaxValue", kTrendRed},
    {&CReportTrendPhase::flag2, CZVTrendCurve::kMinimum, "MinValue", kTrendGreen},
    {&CReportTrendPhase::flag3, CZVTrendCurve::kAverage, "AvgValue", kTrendBlue},
};

// True, with the options, when the item has the phase (entry kind) and it is present.
bool PresentEntry(const CReportTrendItem& item, std::int32_t entryKind, CReportTrendPhase& entry);

// Entry kind and chart label of phase `phase` of an item of `count` phases: one
// phase is the item's own entry under its name; of three or four, L1-L3 and, as
// the fourth, the total under `sumLabel`. False, outputs untouched, for another count.
bool TrendPhaseLabel(std::uint32_t phase, std::uint32_t count, const std::wstring& name, const std::wstring& sumLabel,
                     std::int32_t& entryKind, std::wstring& label);

// The series of the item's own value (statistic 4) of every present phase L1-L3, as
// the reporter's current model gives it; empty for a phase it does not answer, and
// for all when the item is switched off. Samples without value keep their place.
std::array<std::vector<float>, 3> QueryPhaseSeries(const CBaseReporter& reporter, const CReportTrendItem& item,
                                                   std::uint32_t id);

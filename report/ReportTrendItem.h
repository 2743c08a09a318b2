#pragma once
// CReportTrendItem: one trend chart of the report configuration ("ZVTrend" keys):
// whether it is drawn, and one record of options per phase code.

#include <cstdint>
#include <string>
#include <vector>

// The options of one phase of a trend chart. The reporters read flag 1 as "draw the
// maximum", flag 2 "the minimum" and flag 3 "the average"; flag 4 tells the trend
// wizard page that the phase can be chosen (on the default phase: the item is edited
// as one value through that record's enabled flag).
struct CReportTrendPhase {
    static constexpr std::int32_t kPhaseA = 0;
    static constexpr std::int32_t kPhaseB = 1;
    static constexpr std::int32_t kPhaseC = 2;
    static constexpr std::int32_t kPhaseN = 3;
    static constexpr std::int32_t kDefault = 4;  // the phase-independent or total value

    bool operator==(const CReportTrendPhase&) const = default;
    // An item keeps one record per phase code.
    std::int32_t GetKey() const { return code; }

    std::int32_t enabled = 0;
    std::int32_t code = 0;
    std::int32_t flag1 = 0;
    std::int32_t flag2 = 0;
    std::int32_t flag3 = 0;
    std::int32_t flag4 = 0;
    std::int32_t flag5 = 0;
};

class CReportTrendItem {
public:
    // Phases A, B and C on with {1; 1, 1, 1, 1, 0}; N and the default phase off.
    explicit CReportTrendItem(std::string key = {});
    bool operator==(const CReportTrendItem&) const = default;

    std::string GetKey() const { return m_Key; }
    // Replaces the record with the same phase code in place, else appends it.
    void SetPhase(const CReportTrendPhase& phase);
    // 1 and the record of the phase code; 0 with `phase` untouched when there is none.
    int GetPhase(std::int32_t code, CReportTrendPhase& phase) const;
    const std::vector<CReportTrendPhase>& GetPhases() const { return m_Phases; }
    // The record as the ".rcg" file holds it: the enabled flag and flags 1 to 5 as six
    // digits; empty when the item has no record of that code.
    std::string FormatPhase(std::int32_t code) const;

    std::int32_t Enabled = 1;

private:
    std::string m_Key;
    std::vector<CReportTrendPhase> m_Phases;
};

#pragma once
// CReportStatRow: one row of the spreadsheet report's tables, and the rules that
// fill it from the interval series of one quantity (its MAX, MIN and AVG series, or
// the one series of an item without statistic columns). The values follow the shared
// report rules: a sample without value takes no part; the count is the number of
// intervals whose series sample carries a value; a sample over a limit is strictly
// greater. A fill function returns false, with the row reset, when the series holds
// no value: the row's cells are then not written and keep the template's content.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The report's verdict words in the report's language.
struct VerdictTexts {
    std::wstring pass;
    std::wstring fail;
};

struct CReportStatRow {
    std::uint32_t count = 0;
    float maximum = 0.0f;
    float minimum = 0.0f;
    float cp95 = 0.0f;
    float average = 0.0f;
    float limit = 0.0f;
    float passRate = 0.0f;                // percent
    bool judged = false;                  // a limit applied: limit, pass rate and verdict hold
    std::wstring verdictText = L"——";    // the placeholder of a missing text
    std::wstring limitText;
    bool valid = false;
};

// Maximum of MAX, minimum of MIN, mean and 95 % value of AVG; the count of MAX.
bool FillValueRow(CReportStatRow& row, const std::vector<float>& maximum, const std::vector<float>& minimum,
                  const std::vector<float>& average);

// The supply frequency: passes when its 95 % value lies within 49.8 to 50.2 Hz, both
// ends included. Limit text "49.8-50.2".
bool FillFrequencyRow(CReportStatRow& row, const std::vector<float>& maximum, const std::vector<float>& minimum,
                      const std::vector<float>& average, const VerdictTexts& texts);

// Negative-sequence unbalance: passes when the 95 % value is at most 2.0 % and the
// maximum at most 4.0 %. Limit 2.0, limit text "2.0/4.0".
bool FillUnbalanceRow(CReportStatRow& row, const std::vector<float>& maximum, const std::vector<float>& minimum,
                      const std::vector<float>& average, const VerdictTexts& texts);

// Flicker: the series' values not below 0 are its samples; passes when their 95 %
// value is at most the limit.
bool FillFlickerRow(CReportStatRow& row, const std::vector<float>& values, float limit, const VerdictTexts& texts);

// A harmonic order: its AVG series decides whether the row holds data, gives the
// count and the intervals over the limit, and its 95 % value the verdict. Without a
// limit (a current harmonic where none applies) the row holds the values only.
bool FillHarmonicRow(CReportStatRow& row, const std::vector<float>& maximum, const std::vector<float>& minimum,
                     const std::vector<float>& average, std::optional<float> limit, const VerdictTexts& texts);

// Total harmonic distortion: an interval is over the limit when its maximum is, or
// else the minimum of the same interval (a MIN series shorter than MAX counts as not
// over past its end); the verdict follows the 95 % value of AVG.
bool FillThdRow(CReportStatRow& row, const std::vector<float>& maximum, const std::vector<float>& minimum,
                const std::vector<float>& average, float limit, const VerdictTexts& texts);

// The phase voltage's deviation from the nominal voltage in percent: maximum of MAX,
// minimum of MIN, mean and 95 % value of AVG, each as (value - nominal) / nominal x
// 100; the limit text as given. False as well for a nominal voltage not above 1.
bool FillDeviationRow(CReportStatRow& row, const std::vector<float>& maximum, const std::vector<float>& minimum,
                      const std::vector<float>& average, float nominal, const std::wstring& limitText);

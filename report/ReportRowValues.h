#pragma once
// CReportRowValues: the texts of one line of a report table row (every number
// already formatted by the section that built it), and CReportValuePair, a value
// with the time it occurred at.

#include <cstdint>
#include <string>

struct CReportValuePair {
    CReportValuePair() = default;
    CReportValuePair(std::wstring valueText, std::wstring timeText)
        : value(std::move(valueText)), time(std::move(timeText))
    {
    }
    const std::wstring& GetValue() const { return value; }
    const std::wstring& GetTime() const { return time; }

    std::wstring value;
    std::wstring time;
};

class CReportRowValues {
public:
    CReportRowValues(std::wstring label, CReportValuePair maximum, CReportValuePair minimum, CReportValuePair average,
                     CReportValuePair cp95, std::wstring limit, std::wstring testCount, std::wstring overLimitCount,
                     std::wstring passPercent, std::wstring verdict);
    // A line that shows a count alone.
    explicit CReportRowValues(const std::uint32_t& count) : m_Count(count) {}
    // A line that shows one note text alone (the two-column tables).
    explicit CReportRowValues(std::wstring note) : m_Note(std::move(note)) {}

    std::wstring GetName() const { return m_Label; }
    std::wstring GetMaxValue() const { return m_Max.value; }
    std::wstring GetMaxTime() const { return m_Max.time; }
    std::wstring GetMinValue() const { return m_Min.value; }
    std::wstring GetAvgValue() const { return m_Avg.value; }
    std::wstring GetCp95Value() const { return m_Cp95.value; }
    std::wstring GetLimit() const { return m_Limit; }
    std::wstring GetTestCount() const { return m_TestCount; }
    std::wstring GetOverLimitCount() const { return m_OverLimitCount; }
    std::wstring GetPassPercent() const { return m_PassPercent; }
    std::wstring GetVerdict() const { return m_Verdict; }
    std::uint32_t GetCount() const { return m_Count; }
    std::wstring GetCountText() const { return std::to_wstring(m_Count); }
    std::wstring GetNote() const { return m_Note; }
    // The text a column of the kind shows (CReportColumn kinds); empty for others.
    std::wstring GetText(std::int32_t columnKind) const;

private:
    std::wstring m_Label;
    CReportValuePair m_Max;
    CReportValuePair m_Min;
    CReportValuePair m_Avg;
    CReportValuePair m_Cp95;
    std::wstring m_Limit;
    std::wstring m_TestCount;
    std::wstring m_OverLimitCount;
    std::wstring m_PassPercent;
    std::wstring m_Verdict;
    std::uint32_t m_Count = 0;
    std::wstring m_Note;
};

#pragma once
// CReportColumn: one column of a report table's header: its header text, the field
// of a row that its cells show (the kind, found by comparing the header text with
// the report wording) and its width class (1 narrow to 4 wide).

#include <cstdint>
#include <string>

class CReportColumn {
public:
    // Kinds: the field a column's cells show.
    static constexpr std::int32_t kNone = 0;
    static constexpr std::int32_t kMaxValue = 1;
    static constexpr std::int32_t kMaxTime = 2;
    static constexpr std::int32_t kMinValue = 3;
    static constexpr std::int32_t kAvgValue = 4;
    static constexpr std::int32_t kCp95Value = 5;
    static constexpr std::int32_t kLimit = 6;
    static constexpr std::int32_t kTestCount = 7;
    static constexpr std::int32_t kOverLimitCount = 8;
    static constexpr std::int32_t kPassPercent = 9;
    static constexpr std::int32_t kVerdict = 10;
    static constexpr std::int32_t kCount = 11;

    CReportColumn(std::wstring headerText, std::int32_t widthClass) : m_Name(std::move(headerText)), m_Width(widthClass) {}
    // A column that says which field it shows, whatever its header reads in a translation.
    CReportColumn(std::wstring headerText, std::int32_t widthClass, std::int32_t kind)
        : m_Name(std::move(headerText)), m_Kind(kind), m_Width(widthClass)
    {
    }

    std::wstring GetName() const { return m_Name; }
    // The kind of the header text; classified on first use and kept once found, so
    // a column made before the wording was loaded is classified when it is.
    std::int32_t GetKind() const;
    std::int32_t GetWidthClass() const { return m_Width; }

    // The kind of a header text by the report wording; kNone when it matches nothing.
    static std::int32_t Classify(const std::wstring& headerText);

private:
    std::wstring m_Name;
    mutable std::int32_t m_Kind = kNone;
    std::int32_t m_Width = 0;
};

#include "report/ReportRowValues.h"

#include "report/ReportColumn.h"

CReportRowValues::CReportRowValues(std::wstring label, CReportValuePair maximum, CReportValuePair minimum,
                                   CReportValuePair average, CReportValuePair cp95, std::wstring limit,
                                   std::wstring testCount, std::wstring overLimitCount, std::wstring passPercent,
                                   std::wstring verdict)
    : m_Label(std::move(label)),
      m_Max(std::move(maximum)),
      m_Min(std::move(minimum)),
      m_Avg(std::move(average)),
      m_Cp95(std::move(cp95)),
      m_Limit(std::move(limit)),
      m_TestCount(std::move(testCount)),
      m_OverLimitCount(std::move(overLimitCount)),
      m_PassPercent(std::move(passPercent)),
      m_Verdict(std::move(verdict))
{
}

std::wstring CReportRowValues::GetText(std::int32_t columnKind) const
{
    switch (columnKind) {
        case CReportColumn::kMaxValue: return GetMaxValue();
        case CReportColumn::kMaxTime: return GetMaxTime();
        case CReportColumn::kMinValue: return GetMinValue();
        case CReportColumn::kAvgValue: return GetAvgValue();
        case CReportColumn::kCp95Value: return GetCp95Value();
        case CReportColumn::kLimit: return GetLimit();
        case CReportColumn::kTestCount: return GetTestCount();
        case CReportColumn::kOverLimitCount: return GetOverLimitCount();
        case CReportColumn::kPassPercent: return GetPassPercent();
        case CReportColumn::kVerdict: return GetVerdict();
        case CReportColumn::kCount: return GetCountText();
        default: return {};
    }
}

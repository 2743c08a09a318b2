#include "report/ReportColumn.h"

#include <string_view>

#include "report/RtfReportText.h"

std::int32_t CReportColumn::GetKind() const
{
    if (m_Kind == kNone) {
        m_Kind = Classify(m_Name);
    }
    return m_Kind;
}

std::int32_t CReportColumn::Classify(const std::wstring& headerText)
{
    struct Rule {
        RtfSection section;
        std::string_view key;  // empty: the fixed text
        std::int32_t kind;
    };
    // The first rule whose text equals the header wins.
    static constexpr Rule kRules[] = {
        {RtfSection::ZvParam, "MaxValue", kMaxValue},
        {RtfSection::ZvParam, {}, kMaxTime},
        {RtfSection::ZvParam, "MinValue", kMinValue},
        {RtfSection::ZvParam, "AvgValue", kAvgValue},
        {RtfSection::ZvParam, "C95Value", kCp95Value},
        {RtfSection::ZvParam, "GbValue", kLimit},
        {RtfSection::ZvParam, "TestTimes", kTestCount},
        {RtfSection::ZvParam, "OverLimitTimes", kOverLimitCount},
        {RtfSection::ZvParam, "IsPass", kVerdict},
        {RtfSection::ZvParam, "PassPercent", kPassPercent},
        {RtfSection::ComtradeEvent, "Times", kCount},
    };
    const CRtfReportText& texts = CRtfReportText::Instance();
    for (const Rule& rule : kRules) {
        const std::wstring text = rule.key.empty() ? std::wstring(L"最大值时间") : texts.Text(rule.section, rule.key);
        // A text the wording lacks is empty and matches no header.
        if (!text.empty() && text == headerText) {
            return rule.kind;
        }
    }
    return kNone;
}

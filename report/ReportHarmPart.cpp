#include "report/ReportHarmPart.h"

#include <algorithm>

#include "report/KeyedList.h"

void CReportHarmPart::SetTableItem(const CHarmTableItem& item)
{
    SetOrAddByKey(m_TableItems, item);
}

void CReportHarmPart::SetTrendItem(const CHarmTrendItem& item)
{
    SetOrAddByKey(m_TrendItems, item);
}

int CReportHarmPart::FindTrendItem(const std::string& key, CHarmTrendItem& item) const
{
    const auto found = std::find_if(m_TrendItems.begin(), m_TrendItems.end(),
                                    [&key](const CHarmTrendItem& element) { return element.key == key; });
    if (found == m_TrendItems.end()) {
        return 0;
    }
    item = *found;
    return 1;
}

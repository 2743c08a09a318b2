#include "report/ZVHarmPic.h"

#include "report/SeriesStatistics.h"

CZVHarmPic::CZVHarmPic(std::wstring picTitle, std::wstring picUnit, std::vector<CZVPicItem> picItems)
    : items(std::move(picItems)), title(std::move(picTitle)), unit(std::move(picUnit))
{
}

void CZVHarmPic::AddValues(const CZVHarmSeries& added)
{
    for (const CZVHarmValue& pair : added.values) {
        if (!HasValue(pair.value)) {
            continue;
        }
        if (pair.value > maximum) {
            maximum = pair.value;
        }
        if (pair.value < minimum) {
            minimum = pair.value;
        }
    }
    series.push_back(added);
}

std::wstring CZVHarmPic::GetGroupLabel(std::size_t group) const
{
    return group < series.size() ? series[group].name : std::wstring();
}

std::wstring CZVHarmPic::GetItemName(std::size_t item) const
{
    return item < items.size() ? items[item].name : std::wstring();
}

std::optional<std::uint32_t> CZVHarmPic::GetBarColor(std::size_t group, std::size_t bar) const
{
    if (group >= series.size() || bar >= series[group].values.size()) {
        return std::nullopt;
    }
    const std::uint32_t item = series[group].values[bar].index;
    if (item >= items.size()) {
        return std::nullopt;
    }
    return items[item].color;
}

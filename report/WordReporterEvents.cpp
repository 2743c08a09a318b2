// The event pages of CWordReporter: the SOE alarms sorted into nine lists by kind,
// the COMTRADE transient events counted by kind with their ITIC points, the count
// tables (WordReporterTables) and the SOE statistic chart pages: per alarm kind, how
// many alarms fell into each of up to eight equal intervals of the report period.

#include "core/OndravaLog.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Hourglaze.h"
#include "platform/base/LocalTime.h"
#include "report/ComtradeEvents.h"
#include "report/ReportFormat.h"
#include "report/ReportPageCanvas.h"
#include "report/WordReporter.h"
#include "terminal/DataModel.h"
#include "terminal/SOEEventDataManager.h"

namespace {

constexpr unsigned kPreparingSoe = 6286;  // "正在正准备处理SOE"
constexpr unsigned kCountingSoe = 6287;   // "统计稳态告警信息: %d / %d"
// The busy indicator hears of the SOE events every so many.
constexpr std::uint64_t kSoeNoticeStep = 211;
constexpr QueryWord kAllBlocks = 0;

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlue = 0xFF0000;

// The chart of an event list: its kind, its list, its title and the curve of each
// of its event kinds (first kind red, second blue).
struct SoeChart {
    int chartKind;
    std::size_t list;
    const char* title;
    std::uint32_t kinds[2];
    const char* curves[2];
};
constexpr SoeChart kSoeCharts[] = {
    {1, 2, "THD_OFFLIMIT", {9, 10}, {"Volt", "Curr"}},
    {2, 3, "NG_UNBALENCE", {11, 12}, {"Volt", "Curr"}},
    {3, 4, "UP_DOWN_OFFSET", {13, 14}, {"UpOverLimit", "DownOverLimit"}},
    {4, 5, "PT_OFFSET", {15, 16}, {"PLT", "PST"}},
    {5, 6, "HARM_RATIO", {17, 18}, {"Volt", "Curr"}},
    {6, 7, "ZR_UNBALENCE", {20, 21}, {"Volt", "Curr"}},
    {0, 1, "HZ_OFFLIMIT", {6, 7}, {"UpOverLimit", "DownOverLimit"}},
    {8, 0, "LONG_TERM_DISRUPTION_OFFLIMIT", {5, 0}, {"Int", nullptr}},
};

// The list of an SOE event kind; none for kinds that are not listed (8, below 5, above 21).
std::optional<std::size_t> ListOfKind(std::int32_t kind)
{
    switch (kind) {
        case 5: return 0;
        case 6: case 7: return 1;
        case 9: case 10: return 2;
        case 11: case 12: return 3;
        case 13: case 14: return 4;
        case 15: case 16: return 5;
        case 17: case 18: return 6;
        case 20: case 21: return 7;
        case 19: return 8;
        default: return std::nullopt;
    }
}

std::wstring ChartText(const char* key)
{
    return CRtfReportText::Instance().Text(RtfSection::EventChart, key);
}

// An event's local time; 0 for a year the calendar of the data does not hold.
std::int64_t EventTime(const SystemTime& time)
{
    if (time.year < 1900) {
        return 0;
    }
    return platform::FromLocalTime(time.year, time.month, time.day, time.hour, time.minute, time.second).value_or(0);
}

}  // namespace

int CWordReporter::CollectSoeEvents()
{
    for (auto& list : m_EventLists) {
        list.clear();
    }
    m_SoeEvents.reset();
    IDataModel* source = GetSoeSource();
    if (source == nullptr) {
        return 0;
    }
    m_SoeEvents = std::make_unique<CSOEEventDataManager>();
    source->GetData(0, 0, 0, 0, kAllBlocks, reinterpret_cast<QueryWord>(m_SoeEvents.get()));
    CZVResourceManager* resources = CZVResourceManager::GetResourceManager();
    const std::uint64_t count = m_SoeEvents->GetCount();
    const std::wstring counting = resources->LoadString(kCountingSoe);
    for (std::uint64_t i = 0; i < count; ++i) {
        if (i % kSoeNoticeStep == 0) {
            const std::wstring notice =
                i == 0 ? resources->LoadString(kPreparingSoe)
                       : report::FormatCounts(counting, {static_cast<long long>(i), static_cast<long long>(count)});
            NotifyHourglaze(notice.c_str());
        }
        SOERow row;
        if (m_SoeEvents->GetEventAt(static_cast<std::int64_t>(i), &row) == 0) {
            continue;
        }
        const std::optional<std::size_t> list = ListOfKind(row.record.w[0]);
        if (list && row.record.w[1] != 0) {
            m_EventLists[*list].push_back({static_cast<std::uint32_t>(row.record.w[0]), static_cast<std::uint32_t>(i)});
        }
    }
    return 1;
}

void CWordReporter::GetComtradeEventNum()
{
    CComtradeEvents events;
    try {
        CollectComtradeEvents(*this, events);
    } catch (...) {
        // The counts reached so far stand.
        COndravaLog::GetInstance()->Write(L"an exception occurs in CWordReporter::GetComtradeEventNum");
    }
    m_ComtradeCounts = events.counts;
    m_IticEvents = std::move(events.points);
}

std::uint32_t CWordReporter::TotalEventCount() const
{
    std::uint32_t total = 0;
    for (const auto& list : m_EventLists) {
        total += static_cast<std::uint32_t>(list.size());
    }
    return total;
}

std::vector<int> CWordReporter::SoeChartKinds() const
{
    std::vector<int> kinds;
    for (const SoeChart& chart : kSoeCharts) {
        if (!m_EventLists[chart.list].empty()) {
            kinds.push_back(chart.chartKind);
        }
    }
    return kinds;
}

std::int64_t CWordReporter::GetChartIntervals(int& count) const
{
    const std::int64_t span = GetEndTime().value_or(0) - GetStartTime().value_or(0);
    for (int k = 8; k >= 1; --k) {
        if (span / k != 0) {
            count = k;
            return span / k;
        }
    }
    count = 0;
    return 0;
}

std::vector<std::uint32_t> CWordReporter::CountEventsPerInterval(const std::vector<std::uint32_t>& indices, int count,
                                                                 std::int64_t length, std::int64_t start,
                                                                 std::int64_t end) const
{
    std::vector<std::uint32_t> counts(static_cast<std::size_t>(std::max(count, 0)), 0);
    if (m_SoeEvents == nullptr) {
        return counts;
    }
    for (const std::uint32_t index : indices) {
        SOERow row;
        if (m_SoeEvents->GetEventAt(index, &row) == 0) {
            continue;
        }
        const std::int64_t time = EventTime(row.blockTime);
        for (int i = 0; i < count; ++i) {
            const std::int64_t lower = start + i * length;
            // The last interval runs to the end inclusive.
            const std::int64_t upper = i + 1 == count ? end + 1 : lower + length;
            if (time >= lower && time < upper) {
                ++counts[static_cast<std::size_t>(i)];
                break;
            }
        }
    }
    return counts;
}

bool CWordReporter::BuildSoeChart(int chartKind, CZVTrendPic& picture, std::deque<CZVTrendCurve>& curves) const
{
    const auto chart = std::find_if(std::begin(kSoeCharts), std::end(kSoeCharts),
                                    [chartKind](const SoeChart& c) { return c.chartKind == chartKind; });
    if (chart == std::end(kSoeCharts)) {
        return false;
    }
    const std::int64_t start = GetStartTime().value_or(0);
    const std::int64_t end = GetEndTime().value_or(0);
    int count = 0;
    const std::int64_t length = GetChartIntervals(count);
    picture = CZVTrendPic(ChartText(chart->title), ChartText("Unit"), start, start, static_cast<double>(end - start));
    for (std::size_t c = 0; c < 2 && chart->curves[c] != nullptr; ++c) {
        std::vector<std::uint32_t> indices;
        for (const CSoeEventRef& event : m_EventLists[chart->list]) {
            if (event.kind == chart->kinds[c]) {
                indices.push_back(event.index);
            }
        }
        std::vector<float> values(8, 0.0f);
        if (!indices.empty()) {
            const std::vector<std::uint32_t> counts = CountEventsPerInterval(indices, count, length, start, end);
            for (std::size_t i = 0; i < counts.size() && i < values.size(); ++i) {
                values[i] = static_cast<float>(counts[i]);
            }
        }
        CZVTrendCurve& curve = curves.emplace_back(ChartText(chart->curves[c]), c == 0 ? kRed : kBlue, 1.0f,
                                                   CZVTrendCurve::kMaximum);
        curve.SetValues(values, 0.0f);
        picture.UpdateSummary(curve);
    }
    return true;
}

int CWordReporter::WriteSoeChartSection()
{
    const std::vector<int> kinds = SoeChartKinds();
    if (!kinds.empty() && m_SoeEvents != nullptr) {
        WriteSoeChartPages(kinds);
    }
    return 0;
}

void CWordReporter::WriteSoeChartPages(const std::vector<int>& kinds)
{
    std::uint32_t page = 1;
    for (std::size_t first = 0; first < kinds.size() && !Failed(); first += 3, ++page) {
        if (m_Canvas->BeginPage(static_cast<std::uint32_t>(GetCounter()),
                                PageHeader(ChartText("Title") + std::to_wstring(page))) == 0) {
            m_PageFailed = true;
            return;
        }
        for (std::size_t i = first; i < std::min(first + 3, kinds.size()); ++i) {
            std::deque<CZVTrendCurve> curves;
            CZVTrendPic picture(L"", L"", 0, 0, 0.0);
            if (BuildSoeChart(kinds[i], picture, curves) &&
                !Placed(m_Canvas->DrawBarChartPage({&picture}, static_cast<int>(4 + i - first)))) {
                return;
            }
        }
        FinishPage(true);
    }
}

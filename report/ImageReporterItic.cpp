// The ITIC picture of ImageReporter: the transient events of the COMTRADE records
// within the report's span, placed by duration and magnitude over the tolerance curve.

#include <cmath>
#include <string>
#include <vector>

#include "core/FileManager.h"
#include "core/OndravaLog.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Hourglaze.h"
#include "report/ITICImpl.h"
#include "report/ImageReporter.h"
#include "report/ReportFormat.h"
#include "report/RtfReportText.h"
#include "report/SaveImageByExtension.h"
#include "terminal/ComtradeDataManager.h"
#include "terminal/ComtradeModel.h"
#include "terminal/K7700ComtradeAnalysis.h"

namespace {

constexpr unsigned kListingComtrade = 6292;  // "正获取Comtrade文件列表.."
constexpr unsigned kCountingEvents = 6293;   // "统计暂态告警信息:%d / %d"
constexpr QueryWord kVoltageRmsL1 = 5;       // the reader's series of the L1 voltage's cycle RMS

// Event kinds of a record's side file.
constexpr std::int32_t kSwell = 1;
constexpr std::int32_t kDip = 2;
constexpr std::int32_t kInterruption = 3;

}  // namespace

std::vector<CIticEvent> ImageReporter::CollectIticEvents()
{
    CZVResourceManager* resources = CZVResourceManager::GetResourceManager();
    NotifyHourglaze(resources->LoadString(kListingComtrade).c_str());
    std::vector<std::wstring> names;
    CFileManager files;
    if (files.SetRootPath(GetDataPath()) != 0) {
        const auto start = static_cast<std::uint64_t>(GetStartTime().value_or(0));
        const auto end = static_cast<std::uint64_t>(GetEndTime().value_or(0));
        files.SetFileFilter(&CComtradeModel::RecordFileFilter, static_cast<std::uint32_t>(start),
                            static_cast<std::uint32_t>(start >> 32), static_cast<std::uint32_t>(end),
                            static_cast<std::uint32_t>(end >> 32));
        files.ListFileNames(L"COMTRADE", names);
    }

    const double nominal = GetFloatField();
    const std::wstring counting = resources->LoadString(kCountingEvents);
    std::vector<CIticEvent> events;
    CK7700ComtradeAnalysis reader;
    const std::wstring root = GetDataPath();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i % 31 == 0) {
            NotifyHourglaze(
                report::FormatCounts(counting, {static_cast<long long>(i + 1), static_cast<long long>(names.size())})
                    .c_str());
        }
        if (reader.LoadFile(root + L"/" + names[i], 0) != 0) {
            BasicInfo info;
            reader.GetBasicInfo(&info);
            const std::int32_t kind = info.value2;
            CComtradeDataManager series;
            std::vector<float> copy;
            float highest = 0.0f;
            float lowest = 0.0f;
            if ((kind == kSwell || kind == kDip || kind == kInterruption) &&
                reader.GetData(0, 0, 0, 0, kVoltageRmsL1, reinterpret_cast<QueryWord>(&series)) != 0 &&
                series.GetMinMax(copy, &highest, &lowest) != 0) {
                const double value = kind == kSwell ? highest : lowest;
                // Without a nominal voltage the magnitude is no number; the chart leaves it out.
                const double magnitude = nominal != 0.0 ? value / nominal * 100.0 : std::nan("");
                events.push_back({info.value3, static_cast<float>(magnitude)});
            }
        }
        reader.ReleaseFile();
    }
    return events;
}

int ImageReporter::BuildIticPicture(const std::wstring& path)
{
    const CRtfReportText& texts = CRtfReportText::Instance();
    CITICImpl chart(texts.Text(RtfSection::ComtradeEvent, "ITIC_X"), texts.Text(RtfSection::ComtradeEvent, "ITIC_Y"),
                    texts.Text(RtfSection::ComtradeEvent, "ITIC_EventNum"),
                    texts.Text(RtfSection::ComtradeEvent, "ITIC_Over"));
    chart.AddEvents(CollectIticEvents());
    if (chart.GetLeftOutCount() != 0) {
        COndravaLog::GetInstance()->Write(L"ITIC chart: " + std::to_wstring(chart.GetLeftOutCount()) +
                                          L" events without a usable duration or magnitude left out");
    }
    chart.SetShowLabels(1);
    chart.GetDecade(chart.GetLongestDuration());
    gfx::Bitmap bitmap(kIticWidth, kIticHeight);
    {
        gfx::Context dc(bitmap);
        chart.Draw(dc, kIticWidth, kIticHeight);
    }
    if (!SaveImageByExtension(bitmap, kIticWidth, kIticHeight, L"png", nullptr, path)) {
        NoteWriteFailure(path);
        return 0;
    }
    m_Written.push_back(path);
    return 1;
}

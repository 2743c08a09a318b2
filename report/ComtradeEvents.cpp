#include "report/ComtradeEvents.h"

#include <cmath>
#include <string>

#include "core/FileManager.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Hourglaze.h"
#include "report/BaseReporter.h"
#include "report/ReportFormat.h"
#include "terminal/ComtradeDataManager.h"
#include "terminal/ComtradeModel.h"
#include "terminal/K7700ComtradeAnalysis.h"

namespace {

constexpr unsigned kListingComtrade = 6292;  // "正获取Comtrade文件列表.."
constexpr unsigned kCountingEvents = 6293;   // "统计暂态告警信息:%d / %d"
constexpr std::size_t kNoticeStep = 31;
constexpr QueryWord kVoltageRmsL1 = 5;       // the reader's series of the L1 voltage's cycle RMS

// Event kinds of a record's side file.
constexpr std::int32_t kSwell = 1;
constexpr std::int32_t kDip = 2;
constexpr std::int32_t kInterruption = 3;
constexpr std::int32_t kInrush = 4;

}  // namespace

void CollectComtradeEvents(const CBaseReporter& reporter, CComtradeEvents& events)
{
    CZVResourceManager* resources = CZVResourceManager::GetResourceManager();
    NotifyHourglaze(resources->LoadString(kListingComtrade).c_str());
    std::vector<std::wstring> names;
    CFileManager files;
    const std::wstring root = reporter.GetDataPath();
    if (files.SetRootPath(root) != 0) {
        const auto start = static_cast<std::uint64_t>(reporter.GetStartTime().value_or(0));
        const auto end = static_cast<std::uint64_t>(reporter.GetEndTime().value_or(0));
        files.SetFileFilter(&CComtradeModel::RecordFileFilter, static_cast<std::uint32_t>(start),
                            static_cast<std::uint32_t>(start >> 32), static_cast<std::uint32_t>(end),
                            static_cast<std::uint32_t>(end >> 32));
        files.ListFileNames(L"COMTRADE", names);
    }

    const double nominal = reporter.GetFloatField();
    const std::wstring counting = resources->LoadString(kCountingEvents);
    CK7700ComtradeAnalysis reader;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::size_t number = i + 1;
        if (number % kNoticeStep == 0) {
            NotifyHourglaze(
                report::FormatCounts(counting, {static_cast<long long>(number), static_cast<long long>(names.size())})
                    .c_str());
        }
        if (reader.LoadFile(root + L"/" + names[i], 0) != 0) {
            BasicInfo info;
            reader.GetBasicInfo(&info);
            const std::int32_t kind = info.value2;
            if (kind >= kSwell && kind <= kInrush) {
                ++events.counts[static_cast<std::size_t>(kind - 1)];
            }
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
                events.points.push_back({info.value3, static_cast<float>(magnitude)});
            }
        }
        reader.ReleaseFile();
    }
}

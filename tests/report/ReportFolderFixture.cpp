#include "ReportFolderFixture.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"
#include "terminal/CtrlItem.h"

namespace reporttest {

namespace {

std::array<std::uint32_t, 14> Words(std::uint64_t records, std::int64_t from, std::int64_t to)
{
    std::array<std::uint32_t, 14> words{};
    words[2] = static_cast<std::uint32_t>(records);
    words[4] = static_cast<std::uint32_t>(records);
    words[8] = static_cast<std::uint32_t>(from);
    words[9] = static_cast<std::uint32_t>(static_cast<std::uint64_t>(from) >> 32);
    words[10] = static_cast<std::uint32_t>(to);
    words[11] = static_cast<std::uint32_t>(static_cast<std::uint64_t>(to) >> 32);
    return words;
}

}  // namespace

OpenedReportFolder::OpenedReportFolder(gen::ReportFolderOptions folderOptions)
    : folder(dir / "K7700_20260301_000000"), options(std::move(folderOptions))
{
    EXPECT_TRUE(gen::WriteReportFolder(folder, options));
    const std::wstring path = platform::FromPath(folder);
    // The data selection of the whole recording.
    std::array<std::uint32_t, 14> selection = Words(options.records, StartTime(), EndTime());
    CCtrlItem open{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(selection.data()), 100, path};
    statistic.OpenData(&open);
    EXPECT_EQ(statistic.QueryBasicInfo(&record), 1);
    CCtrlItem openSoe{ctrl::kOpenSoe, reinterpret_cast<std::uintptr_t>(selection.data()), 0, path};
    soe.OpenData(&openSoe);
}

std::int64_t OpenedReportFolder::StartTime() const
{
    return *platform::FromLocalTime(options.startYear, options.startMonth, options.startDay, 0, 0, 0);
}

std::int64_t OpenedReportFolder::EndTime() const
{
    return StartTime() + static_cast<std::int64_t>(options.records) * options.timePlot;
}

bool OpenedReportFolder::Init(CBaseReporter& reporter, int level)
{
    return reporter.Init(platform::FromPath(folder), level, &record, &config, &statistic, &statistic, &soe, 0) ==
           1;
}

OpenedReportFolder& SharedReportFolder()
{
    static OpenedReportFolder folder;
    return folder;
}

}  // namespace reporttest

#include "tools/gen/ReportFolder.h"

#include <cstdio>

#include "tools/gen/ComtradeRecord.h"
#include "tools/gen/DescriptionFiles.h"
#include "tools/gen/SoeFile.h"

namespace gen {

namespace {

// Every item the reports read: voltages to THD (1-24), the fundamental and
// harmonic voltages and currents (25-74, 160-261, 347-396) and the flicker and
// unbalance items (449-461).
std::vector<std::uint32_t> ReportItems() { return ItemsIn({{1, 74}, {160, 261}, {347, 398}, {449, 461}}); }

DateTime At(const ReportFolderOptions& options, std::int64_t seconds)
{
    return AddMilliseconds(DateTime{options.startYear, options.startMonth, options.startDay, 0, 0, 0, 0},
                           seconds * 1000);
}

}  // namespace

bool WriteReportFolder(const std::filesystem::path& folder, const ReportFolderOptions& options)
{
    StatisticFolderOptions statistic;
    statistic.items = ReportItems();
    statistic.records = options.records;
    statistic.timePlot = options.timePlot;
    statistic.blockCountPerFile = 300;
    statistic.filesPerFolder = 10;
    statistic.startYear = options.startYear;
    statistic.startMonth = options.startMonth;
    statistic.startDay = options.startDay;
    statistic.realisticValues = true;
    // A 230 V system measured directly, without a voltage transformer.
    RecordSet set;
    set.u = L"230";
    set.pt1 = L"1.000";
    set.pt1Left = L"400";
    set.pt1Right = L"400";
    set.pt = L"400V/400V";
    if (!WriteStatisticFolder(folder, statistic) || !RecordSetDocument(set).Write(RecordSetPath(folder), statistic.format)) {
        return false;
    }

    const std::int64_t span = static_cast<std::int64_t>(options.records) * options.timePlot;
    const std::size_t events = std::min(options.comtradeKinds.size(), options.comtradeDurations.size());
    for (std::size_t i = 0; i < events; ++i) {
        const DateTime time = At(options, span * static_cast<std::int64_t>(2 * i + 1) / static_cast<std::int64_t>(2 * events));
        const int kind = options.comtradeKinds[i];
        const double rms = kReportNominalVoltage * (kind == 1 ? 1.25 : kind == 3 ? 0.05 : kind == 2 ? 0.6 : 1.0);
        if (!WriteComtradeEvent(folder / "COMTRADE" / "001" / ComtradeRecordName("TR", time), kind,
                                options.comtradeDurations[i], rms, time)) {
            return false;
        }
    }

    std::vector<SoeBlock> blocks;
    const std::size_t alarms = options.alarmKinds.size();
    for (std::size_t i = 0; i < alarms; ++i) {
        const DateTime time = At(options, span * static_cast<std::int64_t>(2 * i + 1) / static_cast<std::int64_t>(2 * alarms));
        SoeBlock block;
        block.time = {static_cast<std::uint16_t>(time.year), static_cast<std::uint16_t>(time.month), 0,
                      static_cast<std::uint16_t>(time.day),  static_cast<std::uint16_t>(time.hour),
                      static_cast<std::uint16_t>(time.minute), static_cast<std::uint16_t>(time.second), 0};
        SoeRecordWords record;
        record.w = {options.alarmKinds[i], i % 7 == 6 ? 0u : 1u, 0, 0, static_cast<std::uint32_t>(i)};
        block.records.push_back(record);
        blocks.push_back(block);
    }
    return alarms == 0 || WriteSoeFile(folder / "SOE" / "K7700.soe", blocks);
}

}  // namespace gen

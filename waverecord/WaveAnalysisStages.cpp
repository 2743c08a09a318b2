#include "waverecord/WaveAnalysisStages.h"

#include <algorithm>
#include <array>

#include "core/ZVResourceManager.h"
#include "platform/base/Hourglaze.h"

namespace {

constexpr std::array<WaveStageItem, 2> kRawItems{{{9998, 10157}, {9997, 10158}}};
constexpr std::array<WaveStageItem, 16> kBasicItems{{
    {6014, 10159}, {6015, 10160}, {6026, 10161}, {6027, 10162}, {6016, 10163}, {6017, 10165},
    {6022, 10167}, {6020, 10169}, {6028, 10171}, {6024, 10173}, {6018, 10164}, {6019, 10166},
    {6023, 10168}, {6021, 10170}, {6029, 10172}, {6025, 10174},
}};
constexpr std::array<WaveStageItem, 4> kFlickerItems{{{6040, 10175}, {6041, 10176}, {6042, 10177}, {6043, 10178}}};
constexpr std::array<WaveStageItem, 1> kFrequencyItems{{{9999, 10179}}};
constexpr std::array<WaveStageItem, 14> kHarmonicItems{{
    {6056, 10180}, {6058, 10182}, {6057, 10184}, {6059, 10186}, {6055, 10188}, {6075, 10190}, {6061, 10181},
    {6063, 10183}, {6062, 10185}, {6064, 10187}, {6060, 10189}, {6076, 10191}, {5999, 10192}, {6066, 10193},
}};
constexpr std::array<WaveStageItem, 10> kSequenceItems{{
    {6046, 10194}, {6047, 10196}, {6048, 10198}, {6068, 10202}, {6069, 10200},
    {6049, 10195}, {6050, 10197}, {6051, 10199}, {6070, 10203}, {6071, 10201},
}};
constexpr std::array<WaveStageItem, 10> kPowerItems{{
    {6030, 10204}, {6032, 10205}, {6031, 10206}, {6033, 10207}, {6034, 10208},
    {6065, 10209}, {6077, 10210}, {6035, 10211}, {6037, 10212}, {6036, 10213},
}};

const std::array<WaveStage, 7> kStages{{
    {kRawItems, 40.0, 0.0, false},
    {kBasicItems, 5.0, 20.0, true},
    {kFlickerItems, 3.0, 8.0, true},
    {kFrequencyItems, 2.0, 2.0, true},
    {kHarmonicItems, 20.0, 50.0, true},
    {kSequenceItems, 5.0, 10.0, true},
    {kPowerItems, 5.0, 10.0, true},
}};

std::wstring Text(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

void Notify(unsigned id) { NotifyHourglaze(Text(id).c_str()); }

}  // namespace

std::span<const WaveStage> CWaveAnalysisStages::Stages() { return kStages; }

void CWaveAnalysisStages::RunStages(CWaveAnalysisManager& manager, IWaveViewHost* host, WaveProgressBlock& progress,
                                    double start, bool reanalysis)
{
    double reached = start;
    manager.SetProgressBlock(&progress);
    for (const WaveStage& stage : kStages) {
        const double weight = reanalysis ? stage.reanalyseWeight : stage.openWeight;
        if (weight <= 0.0 || stage.items.empty()) {
            continue;
        }
        const double share = weight / static_cast<double>(stage.items.size());
        progress.share = share;
        for (const WaveStageItem& entry : stage.items) {
            Notify(entry.textId);
            // Whatever the item moves on its own (the raw waveforms' summaries) starts
            // where the item's share starts.
            progress.offset = reached;
            manager.Dispatch(entry.item, host);
            reached = std::min(reached + share, 100.0);
            if (stage.showsEachItem) {
                UpdateHourglaze(reached);
            }
        }
    }
    manager.SetProgressBlock(nullptr);
}

WaveRunOutcome CWaveAnalysisStages::Open(CWaveAnalysisManager& manager, const std::wstring& path, IWaveViewHost* host,
                                         WaveProgressBlock& progress)
{
    try {
        Notify(kTextInitialising);
        if (!manager.OpenRecord(path)) {
            return manager.GetConfigGrade() == kSampolyxConfigDamaged ? WaveRunOutcome::ConfigDamaged
                                                                      : WaveRunOutcome::OpenFailed;
        }
        UpdateHourglaze(kAnalysisShare);
        progress.offset = kAnalysisShare;
        RunStages(manager, host, progress, kAnalysisShare, false);
        UpdateHourglaze(100.0);
        return WaveRunOutcome::Done;
    } catch (...) {
        manager.SetProgressBlock(nullptr);
        return WaveRunOutcome::Failed;
    }
}

WaveRunOutcome CWaveAnalysisStages::Reanalyse(CWaveAnalysisManager& manager, WaveProgressBlock& progress)
{
    try {
        progress.offset = 0.0;
        manager.ResetResults();
        RunStages(manager, nullptr, progress, 0.0, true);
        UpdateHourglaze(100.0);
        return WaveRunOutcome::Done;
    } catch (...) {
        manager.SetProgressBlock(nullptr);
        return WaveRunOutcome::Failed;
    }
}

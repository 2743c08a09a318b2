#include "app/CommandRules.h"

#include <array>

#include "app/CommandIds.h"

namespace {

using Kind = CommandRuleKind;

constexpr std::array<CommandRule, 31> kRules{{
    {kCmdOpenLocal, kCmdOpenLocal, Kind::Always, 0, true},
    {kCmdOpenDevice, kCmdOpenDevice, Kind::Always, 0, true},
    {kCmdReselectData, kCmdReselectData, Kind::StatisticPath, 0, true},
    {kCmdEventData, kCmdEventData, Kind::ViewMode, 0, true},
    {kCmdRecordData, kCmdRecordData, Kind::ViewMode, 1, true},
    {kCmdAllData, kCmdAllData, Kind::ViewMode, 2, true},
    {kCmdExcelReport, kCmdWordReport, Kind::StatisticReport, 0, true},
    {kCmdExportData, kCmdExportData, Kind::StatisticExport, 0, true},
    {kCmdOpenWaveLocal, kCmdOpenWaveLocal, Kind::Always, 0, true},
    {kCmdOpenWaveDevice, kCmdOpenWaveDevice, Kind::Always, 0, true},
    {kCmdReopenWave, kCmdReopenWave, Kind::WaveRecord, 0, true},
    {kCmdAnalysisSetup, kCmdAnalysisSetup, Kind::WaveRecord, 0, true},
    {kCmdOriginalView, kCmdStatisticView, Kind::WaveView, 0, true},
    {kCmdFirstWaveView, kCmdLastWaveView, Kind::WaveRecord, 0, true},
    {kCmdWaveExcelReport, kCmdWaveWordReport, Kind::WaveReport, 0, true},
    {kCmdWaveExportData, kCmdWaveExportData, Kind::WaveExport, 0, true},
    {kCmdColorScheme, kCmdColorScheme, Kind::Always, 0, true},
    {kCmdLanguage, kCmdLanguage, Kind::Always, 0, true},
    {kCmdHelpDocument, kCmdHelpDocument, Kind::Always, 0, true},
    {kCmdAbout, kCmdAbout, Kind::Always, 0, true},
    {kCmdAppExit, kCmdAppExit, Kind::Always, 0, true},
    {kCmdFirstTheme, kCmdLastTheme, Kind::Theme, 0, true},
    {kCmdExit, kCmdExit, Kind::Always, 0, true},
    {kCmdTableExport, kCmdTableExport, Kind::Always, 0, true},
    {kCmdShowPanes, kCmdShowPanes, Kind::Always, 0, true},
    {kEnabledPopups[0], kEnabledPopups[0], Kind::Always, 0, true},
    {kEnabledPopups[1], kEnabledPopups[1], Kind::Always, 0, true},
    {kEnabledPopups[2], kEnabledPopups[2], Kind::Always, 0, true},
    {kEnabledPopups[3], kEnabledPopups[3], Kind::Always, 0, true},
    {kDisabledPopup, kDisabledPopup, Kind::Never, 0, false},
    {kCmdInert, kCmdInert, Kind::WaveRecord, 0, false},
}};

}  // namespace

std::span<const CommandRule> CommandRules() { return kRules; }

CommandState EvaluateRule(const CommandRule& rule, unsigned id, const FrameState& state) {
    const bool statisticMode = !state.waveShown;
    const bool anyPath = state.statisticPath || state.wavePath;
    CommandState result;
    switch (rule.kind) {
    case Kind::Always:
        result.enabled = true;
        break;
    case Kind::Never:
        break;
    case Kind::StatisticPath:
        result.enabled = state.statisticPath;
        break;
    case Kind::ViewMode:
        result.enabled = state.statisticPath && state.statisticLoaded;
        result.checked = result.enabled && state.viewMode == rule.viewMode;
        break;
    case Kind::StatisticReport:
        result.enabled = statisticMode && anyPath;
        break;
    case Kind::StatisticExport:
        result.enabled = statisticMode && state.activeObserver;
        break;
    case Kind::WaveRecord:
        result.enabled = state.wavePath && state.waveShown;
        break;
    case Kind::WaveView:
        result.enabled = state.waveShown;
        break;
    case Kind::WaveReport:
        result.enabled = state.waveShown && anyPath;
        break;
    case Kind::WaveExport:
        result.enabled = state.waveShown && state.otherPaneReady && state.wavePath;
        break;
    case Kind::Theme:
        result.enabled = true;
        result.checked = id == state.themeId;
        break;
    }
    return result;
}

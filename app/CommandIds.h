#pragma once
// Command ids of the main frame (the ribbon's buttons and the menus' items).

// The statistic-analysis tab.
inline constexpr unsigned kCmdOpenLocal = 32782;
inline constexpr unsigned kCmdOpenDevice = 32820;
inline constexpr unsigned kCmdReselectData = 32821;
inline constexpr unsigned kCmdEventData = 22813;
inline constexpr unsigned kCmdRecordData = 22814;
inline constexpr unsigned kCmdAllData = 22815;
inline constexpr unsigned kCmdExcelReport = 32850;
inline constexpr unsigned kCmdWordReport = 32851;
inline constexpr unsigned kCmdExportData = 32852;
// The waveform-record tab.
inline constexpr unsigned kCmdOpenWaveLocal = 32824;
inline constexpr unsigned kCmdOpenWaveDevice = 32825;
inline constexpr unsigned kCmdReopenWave = 32826;
inline constexpr unsigned kCmdAnalysisSetup = 22785;
inline constexpr unsigned kCmdOriginalView = 22841;
inline constexpr unsigned kCmdStatisticView = 22842;
inline constexpr unsigned kCmdFirstWaveView = 22843;  // 22843 to 22849: add a view to the record
inline constexpr unsigned kCmdLastWaveView = 22849;
// The statistic view each of them adds: voltage and current, power and energy,
// fluctuation and flicker, unbalance, frequency, harmonic trend, harmonic histogram.
inline constexpr int WaveViewKind(unsigned command) {
    constexpr int kKinds[] = {5972, 5974, 5975, 5977, 5976, 5978, 5979};
    return command >= kCmdFirstWaveView && command <= kCmdLastWaveView ? kKinds[command - kCmdFirstWaveView] : 0;
}
inline constexpr unsigned kCmdWaveExcelReport = 32853;
inline constexpr unsigned kCmdWaveWordReport = 32854;
inline constexpr unsigned kCmdWaveExportData = 32855;
// The system-settings tab, the tab row and the application menu.
inline constexpr unsigned kCmdColorScheme = 22810;
inline constexpr unsigned kCmdLanguage = 22862;
inline constexpr unsigned kCmdHelpDocument = 22802;
inline constexpr unsigned kCmdAbout = 22803;
// The application exit of the application menu.
inline constexpr unsigned kCmdAppExit = 57665;
inline constexpr unsigned kCmdFirstTheme = 32794;  // the theme commands lie in 32794 to 32816
inline constexpr unsigned kCmdLastTheme = 32816;
// Off the ribbon.
inline constexpr unsigned kCmdExit = 22811;
inline constexpr unsigned kCmdTableExport = 22820;
inline constexpr unsigned kCmdShowPanes = 32774;
// Pop-up ids of the menu resources, which run nothing: four kept enabled by an
// empty handler and one never enabled; and an id that runs nothing but is enabled
// as reopening the waveform record is.
inline constexpr unsigned kEnabledPopups[] = {22809, 22786, 22827, 22789};
inline constexpr unsigned kDisabledPopup = 22788;
inline constexpr unsigned kCmdInert = 22858;

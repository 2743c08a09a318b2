#pragma once
// When the frame's commands are enabled and checked, as one table: each command
// with the rule that decides its state from what the frame shows. A command that
// runs something is enabled only once some window of the command route handles
// it, so a command whose work is not built yet shows disabled.

#include <span>

// What the rules look at.
struct FrameState {
    bool statisticPath = false;  // a statistic data folder is open
    bool wavePath = false;       // a waveform record is open
    bool waveShown = false;      // the waveform-record client is shown
    bool statisticLoaded = false;
    int viewMode = 0;             // 0 event data, 1 record data, 2 all data
    bool activeObserver = false;  // a pane whose data can be exported is in front
    bool otherPaneReady = false;  // the waveform-record client's second pane is ready
    unsigned themeId = 0;
};

enum class CommandRuleKind {
    Always,
    Never,
    StatisticPath,    // a statistic folder is open
    ViewMode,         // statistic data loaded; checked in its own view mode
    StatisticReport,  // statistic client, and a folder or record open
    StatisticExport,  // statistic client, and an exportable pane in front
    WaveRecord,       // waveform client with a record open
    WaveView,         // waveform client (the client checks it)
    WaveReport,       // waveform client, and a folder or record open
    WaveExport,       // waveform client with a record open and its second pane ready
    Theme,            // checked when it is the current theme
};

struct CommandRule {
    unsigned firstId;
    unsigned lastId;  // the rule holds for firstId to lastId
    CommandRuleKind kind;
    int viewMode;      // ViewMode only
    bool runsCommand;  // enabled only while handled
};

struct CommandState {
    bool enabled = false;
    bool checked = false;
};

std::span<const CommandRule> CommandRules();
// The rule's answer for the command (one of its ids) in the state; whether a
// handler exists is the caller's part.
CommandState EvaluateRule(const CommandRule& rule, unsigned id, const FrameState& state);

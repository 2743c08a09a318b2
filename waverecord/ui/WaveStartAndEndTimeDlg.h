#pragma once
// CWaveStartAndEndTimeDlg: the small floating dialog over the raw-waveform pane
// while the viewer selects ranges. It shows the record's first and last time, the
// selected range as dates, times and milliseconds, and says at once, in red, what is
// wrong with a range as it is typed. OK sends the typed range to the owner
// (kMsgRange, pointers to the start and end in ms) unless it cannot be selected at
// all (unreadable, outside the record, not in order); a range only too short for
// some analysis window is sent with its warning showing. The whole dialog drags
// like a caption and is pushed back inside its bounds (the pane) when dragged out;
// the owner hears its new place (kMsgMoved, lParam left | top << 16).

#include <cstdint>

#include "platform/ui/Dialog.h"
#include "waverecord/WaveDialogPlacement.h"
#include "waverecord/WaveRangeCheck.h"

class CWaveStartAndEndTimeDlg : public ui::Dialog {
public:
    static constexpr unsigned kTemplateId = 221;
    static constexpr unsigned kMsgCheck = 0x465;
    static constexpr unsigned kMsgRange = 0x46E;
    static constexpr unsigned kMsgMoved = 0x46F;
    static constexpr unsigned kStartDate = 32923, kStartTime = 32924, kEndDate = 32925, kEndTime = 32926;
    static constexpr unsigned kStartMs = 32927, kEndMs = 32928;
    static constexpr unsigned kEarliest = 6869, kLatest = 6870, kWarning = 32939;
    static constexpr unsigned kOk = 6907, kCancel = 6908, kClose = 32936;
    static constexpr int kPlainHeight = 140;
    static constexpr int kWarningHeight = 180;

    CWaveStartAndEndTimeDlg();

    void SetOwner(ui::Window* owner) { m_owner = owner; }
    void SetStartTime(std::int64_t ms);
    void SetEndTime(std::int64_t ms);
    void SetLimits(std::int64_t earliestMs, std::int64_t latestMs);
    void SetBounds(const WaveRect& bounds) { m_bounds = bounds; }

    // Checks the typed range and shows the answer.
    WaveRangeCheck CheckRange();
    bool IsWarningShown() const { return m_warning; }

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void SetTime(unsigned dateId, unsigned timeId, unsigned msId, std::int64_t ms);
    std::optional<std::int64_t> ReadTime(unsigned dateId, unsigned timeId, unsigned msId) const;
    void KeepInside();

    ui::Window* m_owner = nullptr;
    WaveRangeLimits m_limits;
    WaveRect m_bounds;
    bool m_warning = false;
};

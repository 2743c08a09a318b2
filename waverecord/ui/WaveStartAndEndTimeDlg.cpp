#include "waverecord/ui/WaveStartAndEndTimeDlg.h"

#include <ctime>

#include <wx/window.h>

#include "core/ZVResourceManager.h"
#include "platform/base/LocalTime.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/SpinArrows.h"
#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/WaveSelection.h"
#include "waverecord/WaveSettings.h"
#include "waverecord/WaveText.h"

namespace {

constexpr gfx::Color kBlue{0, 0, 255};
constexpr gfx::Color kGrey{125, 125, 125};
constexpr gfx::Color kRed{255, 0, 0};

// Whole seconds and the milliseconds within them, rounding toward the past (times
// before 1970 stay in order).
std::int64_t Seconds(std::int64_t ms) { return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000); }
std::int64_t Millis(std::int64_t ms) { return ms - Seconds(ms) * 1000; }

std::wstring LimitText(std::int64_t ms)
{
    const std::wstring base = platform::FormatLocalTime(static_cast<std::time_t>(Seconds(ms)), L"[%Y-%m-%d %H:%M:%S");
    wchar_t fraction[8];
    std::swprintf(fraction, 8, L".%03d]", static_cast<int>(Millis(ms)));
    return base + fraction;
}

}  // namespace

CWaveStartAndEndTimeDlg::CWaveStartAndEndTimeDlg()
    : ui::Dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(kTemplateId))
{
}

bool CWaveStartAndEndTimeDlg::OnInitDialog()
{
    SetDragAnywhere(true);
    for (unsigned spin : {32930u, 32931u}) {
        if (auto* arrows = GetItem<ui::SpinArrows>(spin)) {
            arrows->SetRange(0, 999);
        }
    }
    for (unsigned id : {kStartDate, kStartTime, kEndDate, kEndTime}) {
        OnControlNotify(id, ui::kNotifyDateTimeChange, [this] { ui::PostMessage(this, kMsgCheck, 0, 0); });
    }
    for (unsigned id : {kStartMs, kEndMs}) {
        OnControlNotify(id, static_cast<int>(ui::kNotifyEditChange), [this] { ui::PostMessage(this, kMsgCheck, 0, 0); });
    }
    OnMessage(kMsgCheck, [this](ui::WParam, ui::LParam) {
        return CheckRange() == WaveRangeCheck::Valid ? 0 : -1;
    });
    OnMessage(ui::kMsgMove, [this](ui::WParam, ui::LParam) {
        KeepInside();
        return 0;
    });
    OnCommand(kOk, [this] { OnOK(); });
    OnCommand(kCancel, [this] { OnCancel(); });
    OnCommand(kClose, [this] { OnCancel(); });
    SetItemTextColor(kWarning, kRed);
    SetItemTextColor(kEarliest, kGrey);
    SetItemTextColor(kLatest, kGrey);
    if (wxWindow* warning = GetDlgItem(kWarning)) {
        warning->Hide();
    }
    return ui::Dialog::OnInitDialog();
}

void CWaveStartAndEndTimeDlg::SetTime(unsigned dateId, unsigned timeId, unsigned msId, std::int64_t ms)
{
    const std::optional<std::tm> local = platform::ToLocalTime(static_cast<std::time_t>(Seconds(ms)));
    if (local) {
        const ui::DateTimeFields fields{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                                        local->tm_hour,        local->tm_min,     local->tm_sec};
        for (unsigned id : {dateId, timeId}) {
            if (auto* picker = GetItem<ui::DateTimePicker>(id)) {
                picker->SetFields(fields);
            }
        }
    }
    SetDlgItemText(msId, std::to_wstring(Millis(ms)));
}

void CWaveStartAndEndTimeDlg::SetStartTime(std::int64_t ms) { SetTime(kStartDate, kStartTime, kStartMs, ms); }

void CWaveStartAndEndTimeDlg::SetEndTime(std::int64_t ms) { SetTime(kEndDate, kEndTime, kEndMs, ms); }

void CWaveStartAndEndTimeDlg::SetLimits(std::int64_t earliestMs, std::int64_t latestMs)
{
    m_limits = WaveRangeLimits{earliestMs, latestMs};
    SetDlgItemText(kEarliest, LimitText(earliestMs));
    SetDlgItemText(kLatest, LimitText(latestMs));
}

std::optional<std::int64_t> CWaveStartAndEndTimeDlg::ReadTime(unsigned dateId, unsigned timeId, unsigned msId) const
{
    const auto* date = GetItem<ui::DateTimePicker>(dateId);
    const auto* time = GetItem<ui::DateTimePicker>(timeId);
    const std::optional<ui::DateTimeFields> day = date ? date->GetFields() : std::nullopt;
    const std::optional<ui::DateTimeFields> clock = time ? time->GetFields() : std::nullopt;
    const std::optional<int> ms = GetDlgItemInt(msId);
    if (!day || !clock || !ms || *ms < 0 || *ms > 999) {
        return std::nullopt;
    }
    const std::optional<std::time_t> seconds =
        platform::FromLocalTime(day->year, day->month, day->day, clock->hour, clock->minute, clock->second);
    if (!seconds) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(*seconds) * 1000 + *ms;
}

WaveRangeCheck CWaveStartAndEndTimeDlg::CheckRange()
{
    const std::optional<std::int64_t> start = ReadTime(kStartDate, kStartTime, kStartMs);
    const std::optional<std::int64_t> end = ReadTime(kEndDate, kEndTime, kEndMs);
    WaveRangeCheck result = WaveRangeCheck::Unreadable;
    if (start && end) {
        CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
        const double frequency = manager->GetNominalFrequency();
        const WaveAnalysisSettings windows = CWaveSettings::Instance().Corrected(manager->GetIntervalCount(), frequency);
        result = CheckWaveRange(*start, *end, m_limits, windows, frequency);
    }
    std::int64_t selectedStart = 0, selectedEnd = 0;
    CWaveSelection::Instance().GetSelectedTimeRange(selectedStart, selectedEnd);
    const bool selection = selectedStart != 0 && selectedEnd != 0;
    m_warning = result != WaveRangeCheck::Valid && selection;
    wxWindow* warning = GetDlgItem(kWarning);
    wxWindow* window = GetWx();
    if (warning && window) {
        const wxSize size = window->GetSize();
        if (m_warning) {
            SetDlgItemText(kWarning, WaveText(WaveRangeCheckText(result)));
            warning->SetSize(2, warning->GetPosition().y, size.x - 4, 40);
            warning->Show();
        } else {
            warning->Hide();
        }
        window->SetSize(size.x, m_warning ? kWarningHeight : kPlainHeight);
    }
    SetItemTextColor(kEarliest, m_warning ? kBlue : kGrey);
    SetItemTextColor(kLatest, m_warning ? kBlue : kGrey);
    return result;
}

void CWaveStartAndEndTimeDlg::OnOK()
{
    const WaveRangeCheck result = CheckRange();
    // A range that cannot be selected is not sent; one only too short for some
    // window is, with its warning showing.
    if (result == WaveRangeCheck::Unreadable || result == WaveRangeCheck::StartOutside ||
        result == WaveRangeCheck::EndOutside || result == WaveRangeCheck::EndNotAfterStart) {
        return;
    }
    std::int64_t start = *ReadTime(kStartDate, kStartTime, kStartMs);
    std::int64_t end = *ReadTime(kEndDate, kEndTime, kEndMs);
    ui::SendMessage(m_owner, kMsgRange, reinterpret_cast<ui::WParam>(&start), reinterpret_cast<ui::LParam>(&end));
}

void CWaveStartAndEndTimeDlg::OnCancel() { ShowWindow(ui::kShowHide); }

void CWaveStartAndEndTimeDlg::KeepInside()
{
    if (!IsWindowVisible()) {
        return;
    }
    const wxRect rect = GetWindowRect();
    const WaveRect dialog{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
    const WavePoint move = PushWaveDialogInside(dialog, m_bounds);
    if (move.x == 0 && move.y == 0) {
        return;
    }
    const int left = rect.x + move.x;
    const int top = rect.y + move.y;
    GetWx()->Move(left, top);
    ui::SendMessage(m_owner, kMsgMoved, 0, static_cast<ui::LParam>((left & 0xFFFF) | ((top & 0xFFFF) << 16)));
}

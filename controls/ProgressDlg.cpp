#include "controls/ProgressDlg.h"

#include <algorithm>
#include <chrono>

#include <wx/gauge.h>

#include "controls/AnimationClip.h"
#include "controls/ControlTemplate.h"
#include "core/CrashDump.h"
#include "platform/ui/MessageQueue.h"

namespace {
// The worker lets the dialog come up before the task starts.
constexpr auto kStartDelay = std::chrono::milliseconds(200);
}  // namespace

CProgressDlg::CProgressDlg(ui::Window* parent)
    : ui::Dialog(controls::LoadControlTemplate(kTemplateId)), m_parent(parent) {
    OnMessage(kMsgProgressStartAnimation, [this](ui::WParam, ui::LParam) {
        m_animation.Play(0, CAnimateCtrl::kLastFrame, CAnimateCtrl::kRepeatForever);
        return 0;
    });
    OnMessage(kMsgProgressStep, [this](ui::WParam, ui::LParam) {
        if (m_ticker.Tick()) {
            if (auto* bar = GetItem<wxGauge>(kProgressBarId)) {
                bar->SetValue(std::min(m_ticker.Position(), bar->GetRange()));
            }
        }
        return 0;
    });
    OnMessage(ui::kMsgClose, [this](ui::WParam, ui::LParam) {
        m_animation.Close();
        OnCancel();
        return 0;
    });
}

CProgressDlg::~CProgressDlg() {
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void CProgressDlg::SetTask(TaskFunction task, void* argument, std::atomic<std::int32_t>* stopFlag,
                           std::uint64_t total) {
    m_task = task;
    m_argument = argument;
    m_stopFlag = stopFlag;
    m_total = total;
}

int CProgressDlg::DoModal() {
    m_cancelled = false;
    m_ticker = controls::ProgressTicker(m_total);
    const int result = ui::Dialog::DoModal(m_parent);
    // Only the worker ends the dialog, so it has nothing left to do but return.
    if (m_worker.joinable()) {
        m_worker.join();
    }
    return result;
}

bool CProgressDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    SetDlgItemText(kFirstLineId, L"");
    SetDlgItemText(kSecondLineId, L"");
    if (m_animation.SubclassDlgItem(kAnimationId, this)) {
        m_animation.Open(controls::kCopyClipPicture, controls::kCopyClipFrames);
    }
    if (auto* bar = GetItem<wxGauge>(kProgressBarId)) {
        bar->SetRange(std::max(m_ticker.RangeHigh(), m_ticker.RangeLow()));
        bar->SetValue(0);
    }
    m_worker = std::thread([this] { RunTask(); });
    return true;
}

void CProgressDlg::RunTask() {
    CCrashDump::ThreadGuard guard;
    std::this_thread::sleep_for(kStartDelay);
    ui::SendMessage(this, kMsgProgressStartAnimation);
    if (m_task != nullptr) {
        m_task(m_argument);
    }
    ui::CallOnUiThread([this]() -> ui::LResult {
        EndDialog(m_cancelled ? ui::kIdCancel : ui::kIdOk);
        return 0;
    });
}

void CProgressDlg::SetMessage(int kind, const std::wstring& text) {
    if (kind != 1) {
        return;
    }
    ui::CallOnUiThread([this, &text]() -> ui::LResult {
        SetDlgItemText(kFirstLineId, text);
        return 0;
    });
}

void CProgressDlg::OnOK() {}

void CProgressDlg::OnCancel() {
    if (m_stopFlag == nullptr) {
        return;
    }
    m_stopFlag->store(1);
    m_cancelled = true;
    SetDlgItemText(kSecondLineId, controls::LoadControlString(kCancellingText));
}

#include "platform/ui/BusyIndicator.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/weakref.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace ui {
namespace {

constexpr int kGaugeRange = 100;

// Disables what the user could act on in every other top-level window (their
// children) and returns what it disabled; the windows themselves stay enabled.
std::vector<wxWeakRef<wxWindow>> HoldInput(const wxWindow* indicator) {
    std::vector<wxWeakRef<wxWindow>> held;
    for (wxWindow* top : wxTopLevelWindows) {
        if (top == indicator || !top->IsShown()) {
            continue;
        }
        for (wxWindow* child : top->GetChildren()) {
            if (!child->IsTopLevel() && child->IsEnabled()) {
                child->Disable();
                held.push_back(child);
            }
        }
    }
    return held;
}

}  // namespace

void BusyIndicator::Start(void* ownerWindow) {
    {
        std::lock_guard guard(m_lock);
        if (m_waiting) {
            return;  // one indicator at a time
        }
        if (m_ended) {
            m_ended = false;
            m_position = 0.0;
            m_text.clear();
            return;
        }
        m_waiting = true;
        ++m_cycle;
    }
    wxWindow* owner = static_cast<wxWindow*>(ownerWindow);
    if (owner == nullptr && wxTheApp != nullptr) {
        owner = wxTheApp->GetTopWindow();
    }
    // A caption without a close box: the work has no cancel, so nothing is offered.
    m_dialog = new wxDialog(owner != nullptr ? wxGetTopLevelParent(owner) : nullptr, wxID_ANY, wxString(),
                            wxDefaultPosition, wxDefaultSize, wxCAPTION);
    m_dialog->Bind(wxEVT_CLOSE_WINDOW, [](wxCloseEvent& event) {
        if (event.CanVeto()) {
            event.Veto();  // only the worker ends it
        }
    });
    m_dialog->SetEscapeId(wxID_NONE);
    m_caption = new wxStaticText(m_dialog, wxID_ANY, wxString(), wxDefaultPosition, wxSize(320, -1),
                                 wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    m_gauge = new wxGauge(m_dialog, wxID_ANY, kGaugeRange, wxDefaultPosition, wxSize(320, -1));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_caption, 0, wxEXPAND | wxALL, 12);
    sizer->Add(m_gauge, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 12);
    m_dialog->SetSizerAndFit(sizer);
    m_dialog->CentreOnParent();
    Refresh();

    bool endedMeanwhile;
    {
        std::lock_guard guard(m_lock);
        endedMeanwhile = m_ended;
    }
    if (!endedMeanwhile) {
        const std::vector<wxWeakRef<wxWindow>> held = HoldInput(m_dialog);
        m_dialog->Show();
        wxGUIEventLoop loop;
        m_loop = &loop;
        loop.Run();
        m_loop = nullptr;
        for (const wxWeakRef<wxWindow>& window : held) {
            if (window) {
                window->Enable();
            }
        }
    }

    m_dialog->Destroy();
    m_dialog = nullptr;
    m_gauge = nullptr;
    m_caption = nullptr;
    std::lock_guard guard(m_lock);
    m_waiting = false;
    m_ended = false;
    m_position = 0.0;
    m_text.clear();
}

void BusyIndicator::Update(double percent) {
    std::lock_guard guard(m_lock);
    m_position = std::isnan(percent) ? 0.0 : std::clamp(percent, 0.0, 100.0);
    QueueRefresh();
}

void BusyIndicator::Increase(double step) {
    std::lock_guard guard(m_lock);
    if (!std::isnan(step)) {
        m_position = std::clamp(m_position + step, 0.0, 100.0);
    }
    QueueRefresh();
}

void BusyIndicator::Notify(const std::wstring& text) {
    std::lock_guard guard(m_lock);
    m_text = text;
    QueueRefresh();
}

double BusyIndicator::GetPos() {
    std::lock_guard guard(m_lock);
    return m_position;
}

void BusyIndicator::End() {
    std::lock_guard guard(m_lock);
    if (m_ended) {
        return;
    }
    m_ended = true;
    if (m_waiting && wxTheApp != nullptr) {
        const std::uint64_t cycle = m_cycle;
        wxTheApp->CallAfter([this, cycle] { Finish(cycle); });
    }
}

void BusyIndicator::QueueRefresh() {
    if (m_refreshQueued || !m_waiting || wxTheApp == nullptr) {
        return;
    }
    m_refreshQueued = true;
    wxTheApp->CallAfter([this] { Refresh(); });
}

void BusyIndicator::Refresh() {
    double position;
    std::wstring text;
    {
        std::lock_guard guard(m_lock);
        m_refreshQueued = false;
        position = m_position;
        text = m_text;
    }
    if (m_dialog == nullptr) {
        return;
    }
    m_gauge->SetValue(static_cast<int>(std::lround(position)));
    m_caption->SetLabel(wxString(text));
}

void BusyIndicator::Finish(std::uint64_t cycle) {
    {
        std::lock_guard guard(m_lock);
        if (cycle != m_cycle || !m_waiting) {
            return;
        }
    }
    if (m_loop != nullptr && m_loop->IsRunning()) {
        m_loop->Exit(0);
    }
}

bool BusyIndicator::IsShowing() const { return m_loop != nullptr; }

std::wstring BusyIndicator::ShownText() const {
    return m_caption != nullptr ? m_caption->GetLabel().ToStdWstring() : std::wstring();
}

int BusyIndicator::ShownPercent() const { return m_gauge != nullptr ? m_gauge->GetValue() : 0; }

}  // namespace ui

#include "platform/base/Hourglaze.h"

#include <algorithm>
#include <atomic>

namespace platform {
namespace {

std::atomic<IHourglaze*> g_installed{nullptr};

IHourglaze& Current() {
    IHourglaze* installed = g_installed.load();
    return installed != nullptr ? *installed : HeadlessHourglaze();
}

}  // namespace

void SetHourglaze(IHourglaze* implementation) { g_installed.store(implementation); }

RecordingHourglaze& HeadlessHourglaze() {
    static RecordingHourglaze instance;
    return instance;
}

void RecordingHourglaze::Start(void*) {
    std::lock_guard lock(m_lock);
    ++m_state.starts;
}

void RecordingHourglaze::Update(double percent) {
    std::lock_guard lock(m_lock);
    m_state.position = std::clamp(percent, 0.0, 100.0);
    m_state.positions.push_back(m_state.position);
}

void RecordingHourglaze::Increase(double step) {
    std::lock_guard lock(m_lock);
    m_state.position = std::clamp(m_state.position + step, 0.0, 100.0);
    m_state.positions.push_back(m_state.position);
}

void RecordingHourglaze::Notify(const std::wstring& text) {
    std::lock_guard lock(m_lock);
    m_state.notes.push_back(text);
}

double RecordingHourglaze::GetPos() {
    std::lock_guard lock(m_lock);
    return m_state.position;
}

void RecordingHourglaze::End() {
    std::lock_guard lock(m_lock);
    ++m_state.ends;
}

RecordingHourglaze::Snapshot RecordingHourglaze::Get() const {
    std::lock_guard lock(m_lock);
    return m_state;
}

void RecordingHourglaze::Reset() {
    std::lock_guard lock(m_lock);
    m_state = Snapshot{};
}

}  // namespace platform

void StartHourglaze(void* ownerWindow) { platform::Current().Start(ownerWindow); }
void UpdateHourglaze(double percent) { platform::Current().Update(percent); }
void IncreaseHourglaze(double step) { platform::Current().Increase(step); }
void NotifyHourglaze(const wchar_t* text) { platform::Current().Notify(text != nullptr ? text : L""); }
double GetPosHourglaze() { return platform::Current().GetPos(); }
void EndHourglaze() { platform::Current().End(); }

#include "terminal/Subject.h"

#include <vector>

#include "terminal/ObserverViewBase.h"

void ISubject::Attach(IObserverViewBase* observer, std::uint32_t mask)
{
    if (observer == nullptr) {
        return;
    }
    const std::lock_guard<std::mutex> lock(m_Lock);
    m_Observers[observer] = mask;
}

void ISubject::Detach(IObserverViewBase* observer)
{
    const std::lock_guard<std::mutex> lock(m_Lock);
    m_Observers.erase(observer);
}

void ISubject::SetNotifyMarshal(NotifyMarshal marshal)
{
    const std::lock_guard<std::mutex> lock(m_Lock);
    m_Marshal = std::move(marshal);
}

std::size_t ISubject::ObserverCount() const
{
    const std::lock_guard<std::mutex> lock(m_Lock);
    return m_Observers.size();
}

std::uint32_t ISubject::MaskOf(IObserverViewBase* observer) const
{
    const std::lock_guard<std::mutex> lock(m_Lock);
    const auto found = m_Observers.find(observer);
    return found != m_Observers.end() ? found->second : 0;
}

void ISubject::Notify(std::uint32_t event, std::uintptr_t param1, std::uintptr_t param2)
{
    NotifyMarshal marshal;
    {
        const std::lock_guard<std::mutex> lock(m_Lock);
        marshal = m_Marshal;
    }
    if (marshal) {
        marshal([this, event, param1, param2] { Deliver(event, param1, param2); });
    } else {
        Deliver(event, param1, param2);
    }
}

void ISubject::Deliver(std::uint32_t event, std::uintptr_t param1, std::uintptr_t param2)
{
    std::vector<std::pair<IObserverViewBase*, std::uint32_t>> snapshot;
    {
        const std::lock_guard<std::mutex> lock(m_Lock);
        snapshot.assign(m_Observers.begin(), m_Observers.end());
    }
    for (const auto& [observer, mask] : snapshot) {
        if ((mask & event) == 0) {
            continue;
        }
        // An observer detached by an earlier one during this walk is not called.
        {
            const std::lock_guard<std::mutex> lock(m_Lock);
            if (m_Observers.count(observer) == 0) {
                continue;
            }
        }
        observer->OnUpdate(event, param1, param2);
    }
}

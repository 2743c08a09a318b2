#pragma once
// ISubject: the observer registry of a model. Observers attach with an event mask
// and are told of every event that shares a bit with it. Notify walks a snapshot of
// the observers, so a view may attach or detach while being notified.
//
// Every notification of a model goes through Notify. A model's loading runs on a
// worker; the program installs a marshal (SetNotifyMarshal) that runs the delivery
// on the user-interface thread and waits for it, so views are only ever updated on
// their own thread.

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

class IObserverViewBase;

class ISubject {
public:
    // Runs `deliver` where the observers live and returns when it has run.
    using NotifyMarshal = std::function<void(const std::function<void()>& deliver)>;

    ISubject() = default;
    virtual ~ISubject() = default;
    ISubject(const ISubject&) = delete;
    ISubject& operator=(const ISubject&) = delete;

    // Sets the observer's mask (inserting the observer or replacing its mask).
    virtual void Attach(IObserverViewBase* observer, std::uint32_t mask);
    virtual void Detach(IObserverViewBase* observer);
    virtual void Notify(std::uint32_t event, std::uintptr_t param1, std::uintptr_t param2);

    void SetNotifyMarshal(NotifyMarshal marshal);
    std::size_t ObserverCount() const;
    // The mask of an observer; 0 when it is not attached.
    std::uint32_t MaskOf(IObserverViewBase* observer) const;

private:
    void Deliver(std::uint32_t event, std::uintptr_t param1, std::uintptr_t param2);

    mutable std::mutex m_Lock;
    std::map<IObserverViewBase*, std::uint32_t> m_Observers;
    NotifyMarshal m_Marshal;
};

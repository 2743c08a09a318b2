#pragma once
// The busy indicator. The user-interface thread calls StartHourglaze after starting
// a worker and is held until the worker calls EndHourglaze; the worker moves the
// position and the caption meanwhile. The calls go to the installed implementation:
// the window layer installs one that shows a modal busy window; without one, a
// headless implementation records what it was told (tests read it back).

#include <string>
#include <vector>
#include <mutex>

namespace platform {

class IHourglaze {
public:
    virtual ~IHourglaze() = default;
    virtual void Start(void* ownerWindow) = 0;
    virtual void Update(double percent) = 0;
    virtual void Increase(double step) = 0;
    virtual void Notify(const std::wstring& text) = 0;
    virtual double GetPos() = 0;
    virtual void End() = 0;
};

// Installs an implementation (not owned); null restores the headless one.
void SetHourglaze(IHourglaze* implementation);

// The headless implementation: records every call; Start returns at once.
class RecordingHourglaze : public IHourglaze {
public:
    struct Snapshot {
        int starts = 0;
        int ends = 0;
        double position = 0.0;
        std::vector<double> positions;  // every position taken, in order
        std::vector<std::wstring> notes;
    };
    void Start(void* ownerWindow) override;
    void Update(double percent) override;
    void Increase(double step) override;
    void Notify(const std::wstring& text) override;
    double GetPos() override;
    void End() override;
    Snapshot Get() const;
    void Reset();

private:
    mutable std::mutex m_lock;
    Snapshot m_state;
};

// The headless implementation in use while no other is installed.
RecordingHourglaze& HeadlessHourglaze();

}  // namespace platform

void StartHourglaze(void* ownerWindow);
void UpdateHourglaze(double percent);
void IncreaseHourglaze(double step);
void NotifyHourglaze(const wchar_t* text);
double GetPosHourglaze();
void EndHourglaze();

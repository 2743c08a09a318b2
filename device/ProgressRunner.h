#pragma once
// How a transport shows a long copy: it hands its copy routine to a runner, which
// runs it with a progress display and a cancel button (the device dialog gives one
// on the progress dialog) and returns once the routine has returned. The routine
// reports each file through SetMessage and Step; a cancel sets the flag the
// routine polls. Without a display the inline runner runs the routine at once.

#include <atomic>
#include <cstdint>
#include <string>

class IProgressRunner {
public:
    using Task = std::uint32_t (*)(void* argument);

    virtual ~IProgressRunner() = default;
    // 1 when the task ran to its end, 2 when the user cancelled, -1 when it could
    // not be run. total: the number of steps the task will report.
    virtual int Run(Task task, void* argument, std::atomic<std::int32_t>* cancel, std::uint64_t total) = 0;
    // From the task's thread.
    virtual void SetMessage(const std::wstring& text) = 0;
    virtual void Step() = 0;
};

class CInlineProgress : public IProgressRunner {
public:
    int Run(Task task, void* argument, std::atomic<std::int32_t>* cancel, std::uint64_t total) override;
    void SetMessage(const std::wstring&) override {}
    void Step() override {}
};

// The runner used while a transport has been given none.
IProgressRunner& InlineProgress();

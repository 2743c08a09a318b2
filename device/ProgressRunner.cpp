#include "device/ProgressRunner.h"

int CInlineProgress::Run(Task task, void* argument, std::atomic<std::int32_t>* cancel, std::uint64_t) {
    if (task != nullptr) {
        task(argument);
    }
    return cancel != nullptr && cancel->load() != 0 ? 2 : 1;
}

IProgressRunner& InlineProgress() {
    static CInlineProgress runner;
    return runner;
}

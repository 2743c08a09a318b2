#pragma once
// Memory figures for the memory guards: available is MemAvailable, total is the
// physical memory. Address space is never the limit on a 64-bit build.

#include <cstdint>

namespace platform {

struct MemoryStatus {
    std::uint64_t availablePhysical = 0;
    std::uint64_t totalPhysical = 0;
};

MemoryStatus GetMemoryStatus();

}  // namespace platform

#include "platform/base/MemoryStatus.h"

#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace platform {

MemoryStatus GetMemoryStatus() {
    MemoryStatus status;
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0) {
        status.totalPhysical = static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
    }
    std::ifstream meminfo("/proc/meminfo");
    std::string line;
    while (std::getline(meminfo, line)) {
        std::istringstream fields(line);
        std::string name;
        std::uint64_t kilobytes = 0;
        if (fields >> name >> kilobytes && name == "MemAvailable:") {
            status.availablePhysical = kilobytes * 1024;
            break;
        }
    }
    return status;
}

}  // namespace platform

#include "lib/viewer/data/RowImpBase.h"

#include "lib/viewer/data/BufferredDataManager.h"

namespace tracelume {

std::uint64_t CRowImpBase::BitWidthMask(int bits) {
    if (bits <= 0) {
        return 0;
    }
    return bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
}

bool CRowImpBase::FindRun(std::int64_t position, std::uint64_t mask, Run& run) const {
    if (position < 0 || m_cache == nullptr) {
        return false;
    }
    const auto low = static_cast<std::uint32_t>(mask);
    const auto high = static_cast<std::uint32_t>(mask >> 32);
    std::int64_t end = position;
    if (m_cache->FindNextChange(&end, &run.value, low, high) == IBufferredDataManager::kNothing) {
        return false;
    }
    // Back from the run's last sample to the sample before its start (or -1).
    std::int64_t before = end - 1;
    std::int64_t value = 0;
    if (m_cache->FindPreviousChange(&before, &value, low, high) == IBufferredDataManager::kNothing) {
        return false;
    }
    run.first = before + 1;
    run.end = end;
    return true;
}

}  // namespace tracelume

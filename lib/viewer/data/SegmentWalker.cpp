#include "lib/viewer/data/SegmentWalker.h"

#include <algorithm>

#include "lib/viewer/data/BufferredDataManager.h"

namespace tracelume {

CSegmentWalker::CSegmentWalker(IBufferredDataManager& cache, const SampleAxis& axis, std::uint64_t mask)
    : m_cache(cache), m_axis(axis), m_mask(mask), m_x(axis.left) {}

bool CSegmentWalker::Next(Segment& segment) {
    if (!m_axis.IsUsable() || m_x >= m_axis.right) {
        return false;
    }
    std::int64_t position = m_axis.WholeSampleAt(m_x);
    if (position < 0) {
        // Nothing is shown left of the first sample.
        m_x = std::max(m_x + 1, m_axis.PixelOf(0));
        position = std::max<std::int64_t>(m_axis.WholeSampleAt(m_x), 0);
        if (m_x >= m_axis.right) {
            return false;
        }
    }
    std::int64_t value = 0;
    if (m_cache.FindNextChange(&position, &value, static_cast<std::uint32_t>(m_mask),
                               static_cast<std::uint32_t>(m_mask >> 32)) == IBufferredDataManager::kNothing) {
        return false;
    }
    const double next = std::min(std::max(m_axis.PixelOf(position), m_x + 1), m_axis.right);
    segment = {m_x, next, value};
    m_x = next;
    return true;
}

}  // namespace tracelume

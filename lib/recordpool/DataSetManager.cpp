#include "lib/recordpool/DataSetManager.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sampolyx {

void CDataSetManager::AddChunk(const CSeriesChunk* chunk)
{
    const bool rangeAtEnd = m_rangeEnd == m_total;
    m_chunks.push_back(chunk);
    m_starts.push_back(m_total);
    m_total += chunk->Count();
    if (rangeAtEnd) {
        m_rangeEnd = m_total;
    }
}

bool CDataSetManager::ReadBlock(std::int64_t position, float* out, int type)
{
    if (!out || m_rangeEnd - m_rangeStart < m_step || position < 0 ||
        position > (std::numeric_limits<std::int64_t>::max() - m_rangeStart) / m_step) {
        return false;
    }
    const std::int64_t p = m_rangeStart + m_step * position;
    if (p < m_rangeStart || p >= m_rangeEnd) {
        return false;
    }
    switch (type) {
    case 0:
        return Compute(p, m_step, m_mode == 0 ? Aggregate::Maximum : Aggregate::Minimum, out);
    case 1:
        if (m_averageFlag == 1) {
            return Compute(p, m_step, Aggregate::Mean, out);
        }
        return m_averageFlag == 0 && Compute(p, m_step, Aggregate::Rms, out);
    case 2:
        return Compute(p, m_step, m_mode == 0 ? Aggregate::Minimum : Aggregate::Maximum, out);
    case 3:
        return ValueAt(p, out);
    default:
        return false;
    }
}

bool CDataSetManager::ValueAt(std::int64_t position, float* out) const
{
    // Readers walk waveforms a value at a time: the value straight from its chunk.
    if (position < 0 || position >= m_total) {
        return false;
    }
    const std::size_t c = static_cast<std::size_t>(
        std::upper_bound(m_starts.begin(), m_starts.end(), position) - m_starts.begin() - 1);
    float scratch = 0.0f;
    const float* value = m_chunks[c]->Values(position - m_starts[c], 1, &scratch);
    if (!value) {
        return false;
    }
    *out = *value;
    return true;
}

bool CDataSetManager::Compute(std::int64_t first, std::int64_t count, Aggregate aggregate, float* out) const
{
    if (first < 0 || count <= 0 || first > m_total - count) {
        return false;  // not all values of the step exist
    }
    // The chunk holding `first`: the last one starting at or before it.
    std::size_t c = static_cast<std::size_t>(std::upper_bound(m_starts.begin(), m_starts.end(), first) -
                                             m_starts.begin() - 1);
    std::int64_t at = first - m_starts[c];
    std::int64_t left = count;
    bool any = false;
    float best = 0.0f;
    double sum = 0.0;
    float scratch[CSeriesChunk::kSpan];
    while (left > 0) {
        if (at >= m_chunks[c]->Count()) {
            ++c;
            at = 0;
            continue;
        }
        const std::int64_t n = std::min({left, m_chunks[c]->Count() - at, CSeriesChunk::kSpan});
        const float* values = m_chunks[c]->Values(at, n, scratch);
        if (!values) {
            return false;
        }
        for (std::int64_t i = 0; i < n; ++i) {
            const float v = values[i];
            switch (aggregate) {
            case Aggregate::Maximum:
                if (!any || v > best) {
                    best = v;
                }
                break;
            case Aggregate::Minimum:
                if (!any || v < best) {
                    best = v;
                }
                break;
            case Aggregate::Mean:
                sum += v;
                break;
            case Aggregate::Rms:
                sum += double(v) * v;
                break;
            }
            any = true;
        }
        at += n;
        left -= n;
    }
    switch (aggregate) {
    case Aggregate::Mean:
        *out = static_cast<float>(sum / double(count));
        break;
    case Aggregate::Rms:
        *out = static_cast<float>(std::sqrt(sum / double(count)));
        break;
    default:
        *out = best;
        break;
    }
    return true;
}

std::int64_t CDataSetManager::GetPointCount()
{
    if (m_total < m_step || m_rangeEnd <= m_rangeStart) {
        return 0;
    }
    const std::int64_t length = m_rangeEnd - m_rangeStart;
    std::int64_t count = length / m_step;
    if (length % m_step != 0 && m_rangeStart + (count + 1) * m_step <= m_total) {
        ++count;
    }
    return count;
}

void CDataSetManager::SetStep(int step)
{
    if (step > 0 && m_total >= m_step) {
        m_step = step;
    }
}

bool CDataSetManager::SetRange(std::int64_t* first, std::int64_t* last)
{
    if (!first || !last) {
        return false;
    }
    if (*first > *last) {
        std::swap(*first, *last);
    }
    // Only positions inside the data set are taken, so a range never reaches past it.
    const bool firstTaken = *first >= 0 && *first < m_total;
    const bool lastTaken = *last >= 0 && *last < m_total;
    if (!firstTaken) {
        *first = 0;
    }
    if (!lastTaken) {
        *last = m_total;
    }
    m_rangeStart = *first;
    m_rangeEnd = *last;
    return firstTaken || lastTaken;
}

bool CDataSetManager::GetRange(std::int64_t* start, std::int64_t* end)
{
    if (start) {
        *start = m_rangeStart;
    }
    if (end) {
        *end = m_rangeEnd;
    }
    return true;
}

}  // namespace sampolyx

#include "lib/viewer/data/BufferedDataManager.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include "lib/viewer/data/TracelumeCallback.h"
#include "terminal/SimpleDataManager.h"

namespace {

constexpr std::int64_t kMaxIndex = std::numeric_limits<std::int64_t>::max();
constexpr std::size_t kFinest = CBufferedDataManager::kBlockSizes.size() - 1;
constexpr std::int64_t kFinestBlock = CBufferedDataManager::kBlockSizes[kFinest];
constexpr std::int64_t kProgressStep = CBufferedDataManager::kBlockSizes[0];

// What one block folds to while it is being read.
struct Summary {
    std::uint64_t bitsAnd = ~std::uint64_t{0};
    std::uint64_t bitsOr = 0;
    std::int64_t min = std::numeric_limits<std::int64_t>::max();
    std::int64_t max = std::numeric_limits<std::int64_t>::min();

    void Add(std::int64_t word) {
        bitsAnd &= static_cast<std::uint64_t>(word);
        bitsOr |= static_cast<std::uint64_t>(word);
        // Without branches: a sample without value leaves the extremes as they are.
        const bool valued = word != kNoValuePosition;
        min = valued && word < min ? word : min;
        max = valued && word > max ? word : max;
    }
    void Add(const Summary& other) {
        bitsAnd &= other.bitsAnd;
        bitsOr |= other.bitsOr;
        min = std::min(min, other.min);
        max = std::max(max, other.max);
    }
    void AddExtremes(std::int64_t blockMin, std::int64_t blockMax) {
        min = std::min(min, blockMin);
        max = std::max(max, blockMax);
    }
    bool HasValue() const { return min <= max; }
};

Summary Fold(const std::int64_t* words, std::int64_t count) {
    Summary summary;
    for (std::int64_t i = 0; i < count; ++i) {
        summary.Add(words[i]);
    }
    return summary;
}

void Append(CBufferedDataManager::Level& level, std::int64_t end, const Summary& summary) {
    level.end.push_back(end);
    level.bitsAnd.push_back(summary.bitsAnd);
    level.bitsOr.push_back(summary.bitsOr);
    level.min.push_back(summary.min);
    level.max.push_back(summary.max);
}

std::int64_t RoundUp(std::int64_t position, std::int64_t step) {
    const std::int64_t rest = position % step;
    return rest == 0 ? position : position + (step - rest);
}

// The entry of the block of a level that starts, or ends, at an aligned position.
std::size_t BlockStartingAt(const CBufferedDataManager::Level& level, std::int64_t position) {
    return static_cast<std::size_t>(position / level.blockSize) + 1;
}
std::size_t BlockEndingAt(const CBufferedDataManager::Level& level, std::int64_t position) {
    return static_cast<std::size_t>(position / level.blockSize);
}

}  // namespace

void CBufferedDataManager::Release() { delete this; }

void CBufferedDataManager::SetSource(ISimpleDataManager* source) {
    m_source = source;
    m_levels = {};
    m_count = 0;
    m_built = false;
}

void CBufferedDataManager::Build() {
    if (m_source == nullptr) {
        return;
    }
    // Built aside, so that a build that runs out of memory leaves no half pyramid.
    std::array<Level, kBlockSizes.size()> levels;
    const std::uint64_t declared = m_source->GetCount();
    // Only a hint for reserving: a source may yield fewer samples than it declares.
    const std::int64_t expected = static_cast<std::int64_t>(std::min<std::uint64_t>(declared, std::uint64_t{1} << 34));
    for (std::size_t i = 0; i < levels.size(); ++i) {
        Level& level = levels[i];
        level.blockSize = kBlockSizes[i];
        const auto entries = static_cast<std::size_t>(expected / level.blockSize + 2);
        level.end.reserve(entries);
        level.bitsAnd.reserve(entries);
        level.bitsOr.reserve(entries);
        level.min.reserve(entries);
        level.max.reserve(entries);
        Append(level, 0, Summary{0, 0, 0, 0});
    }

    using Clock = std::chrono::steady_clock;
    auto lastReport = Clock::now();
    if (m_callback != nullptr) {
        const std::uint64_t steps = std::min<std::uint64_t>(declared, kMaxIndex) / kProgressStep;
        m_callback->Notify(tracelume::kNotifyCacheProgress, static_cast<std::uintptr_t>(steps), 0);
    }

    // The samples of the finest block go straight into a buffer and are folded
    // once it is full, so that reading a sample costs little more than the
    // source's call.
    std::array<Summary, kBlockSizes.size()> open;
    std::array<std::int64_t, kFinestBlock> buffer{};
    std::int64_t count = 0;  // samples in closed finest blocks
    std::int64_t cursor = 0;
    std::int64_t steps = 0;
    int inFinest = 0;
    ISimpleDataManager* const source = m_source;
    while (source->GetNext(&cursor, &buffer[static_cast<std::size_t>(inFinest)])) {
        if (++inFinest < kFinestBlock) {
            continue;
        }
        inFinest = 0;
        count += kFinestBlock;
        open[kFinest] = Fold(buffer.data(), kFinestBlock);
        // Close every level whose block ends here, finest first, each folding into
        // the next coarser one.
        for (std::size_t i = kFinest;; --i) {
            Append(levels[i], count, open[i]);
            if (i == 0) {
                open[i] = Summary{};
                break;
            }
            open[i - 1].Add(open[i]);
            open[i] = Summary{};
            if (count % kBlockSizes[i - 1] != 0) {
                break;
            }
        }
        if (count % kProgressStep == 0) {
            ++steps;
            if (m_callback != nullptr && Clock::now() - lastReport > std::chrono::milliseconds(1000)) {
                m_callback->Notify(tracelume::kNotifyCacheProgress, 0, static_cast<std::intptr_t>(steps));
                lastReport = Clock::now();
            }
        }
        if (cursor != count || count > kMaxIndex - kFinestBlock) {
            break;  // a source that does not step through its samples one by one
        }
    }
    count += inFinest;
    open[kFinest] = Fold(buffer.data(), inFinest);
    // The closing entries hold what no full block took, finer levels folded into coarser.
    for (std::size_t i = kFinest;; --i) {
        Append(levels[i], count, open[i]);
        if (i == 0) {
            break;
        }
        open[i - 1].Add(open[i]);
    }
    m_levels = std::move(levels);
    m_count = count;
    m_built = true;
}

std::int32_t CBufferedDataManager::Reserved4(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {
    return 0;
}

bool CBufferedDataManager::Read(std::int64_t index, std::int64_t& word) const {
    std::int64_t cursor = index;
    return m_source->GetNext(&cursor, &word);
}

int CBufferedDataManager::FindNextChange(std::int64_t* position, std::int64_t* value, std::uint32_t maskLow,
                                         std::uint32_t maskHigh) {
    return FindChange(position, value, maskLow | (std::uint64_t{maskHigh} << 32), true);
}

int CBufferedDataManager::FindPreviousChange(std::int64_t* position, std::int64_t* value, std::uint32_t maskLow,
                                             std::uint32_t maskHigh) {
    return FindChange(position, value, maskLow | (std::uint64_t{maskHigh} << 32), false);
}

int CBufferedDataManager::FindChange(std::int64_t* position, std::int64_t* value, std::uint64_t mask,
                                     bool forward) const {
    if (position == nullptr || value == nullptr || !m_built || *position < 0 || *position >= m_count) {
        return kNothing;
    }
    std::int64_t word = 0;
    if (!Read(*position, word)) {
        return kNothing;
    }
    const std::uint64_t wanted = static_cast<std::uint64_t>(word) & mask;
    *value = static_cast<std::int64_t>(wanted);
    const std::int64_t step = forward ? 1 : -1;
    const std::int64_t outside = forward ? m_count : -1;
    std::int64_t at = *position + step;
    while (at != outside) {
        // The block edge the search is at: forward a block's start, backward its end.
        const std::int64_t edge = forward ? at : at + 1;
        if (edge % kFinestBlock == 0) {
            // Jump the coarsest block there that is constant under the mask; one
            // constant at another value holds the change right here.
            bool jumped = false;
            for (const Level& level : m_levels) {
                if (edge % level.blockSize != 0) {
                    continue;
                }
                const std::size_t k = forward ? BlockStartingAt(level, edge) : BlockEndingAt(level, edge);
                const std::uint64_t low = level.bitsAnd[k] & mask;
                if (low != (level.bitsOr[k] & mask)) {
                    continue;  // changes inside: look closer
                }
                if (low != wanted) {
                    *position = at;
                    return kFound;
                }
                at = forward ? level.end[k] : level.end[k - 1] - 1;
                jumped = true;
                break;
            }
            if (jumped) {
                continue;
            }
        }
        // Sample by sample up to the next edge of a finest block.
        const std::int64_t stop = forward ? std::min(RoundUp(at + 1, kFinestBlock), m_count)
                                          : at / kFinestBlock * kFinestBlock - 1;
        for (; at != stop; at += step) {
            if (!Read(at, word)) {
                at = outside;
                break;
            }
            if ((static_cast<std::uint64_t>(word) & mask) != wanted) {
                *position = at;
                return kFound;
            }
        }
    }
    *position = outside;
    return kEnd;
}

int CBufferedDataManager::GetMinMax(std::int64_t* from, std::int64_t to, std::int64_t* min, std::int64_t* max) {
    if (from == nullptr || min == nullptr || max == nullptr || !m_built) {
        return 0;
    }
    std::int64_t at = std::max<std::int64_t>(*from, 0);
    const std::int64_t stop = std::min(to, m_count);
    if (at >= stop) {
        return 0;
    }
    Summary found;
    const auto foldSamples = [&](std::int64_t until) {
        std::int64_t cursor = at;
        std::int64_t word = 0;
        while (at < until && m_source->GetNext(&cursor, &word)) {
            found.Add(word);
            ++at;
        }
        return at == until;
    };
    const auto foldBlocks = [&](const Level& level, std::int64_t alignTo) {
        while ((alignTo == 0 || at % alignTo != 0) && at + level.blockSize <= stop) {
            const std::size_t k = BlockStartingAt(level, at);
            found.AddExtremes(level.min[k], level.max[k]);
            at += level.blockSize;
        }
    };
    if (foldSamples(std::min(RoundUp(at, kFinestBlock), stop))) {
        // Up through the levels to the coarsest alignment, across, then back down.
        for (std::size_t i = kFinest; i > 0; --i) {
            foldBlocks(m_levels[i], kBlockSizes[i - 1]);
        }
        for (const Level& level : m_levels) {
            foldBlocks(level, 0);
        }
        foldSamples(stop);
    }
    *from = at;
    if (!found.HasValue()) {
        return 0;
    }
    *min = found.min;
    *max = found.max;
    return 1;
}

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "lib/viewer/data/BufferedDataManager.h"
#include "lib/viewer/data/TracelumeCallback.h"
#include "tests/viewer/data/ViewerDataTestSupport.h"

namespace {

using viewertest::VectorSource;

constexpr std::int64_t kTop = std::int64_t{1} << 32;  // the top of a host's display range

struct CacheDeleter {
    void operator()(CBufferedDataManager* cache) const { cache->Release(); }
};
using CachePtr = std::unique_ptr<CBufferedDataManager, CacheDeleter>;

CachePtr BuiltCache(ISimpleDataManager& source) {
    CachePtr cache(new CBufferedDataManager);
    cache->SetSource(&source);
    cache->Build();
    return cache;
}

// Runs of random length (now and then longer than the coarsest block) of random
// positions, with the band's edges, values beyond it and samples without value.
std::vector<std::int64_t> RandomSamples(std::int64_t count, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::vector<std::int64_t> samples;
    samples.reserve(static_cast<std::size_t>(count));
    while (static_cast<std::int64_t>(samples.size()) < count) {
        std::int64_t value = 0;
        switch (random() % 10) {
        case 0:
            value = kNoValuePosition;
            break;
        case 1:
            value = kTop;
            break;
        case 2:
            value = -static_cast<std::int64_t>(random() % 1000);
            break;
        default:
            value = static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(kTop));
            break;
        }
        const std::uint64_t kind = random() % 100;
        const std::int64_t length = kind < 60 ? 1 : kind < 90 ? 1 + random() % 300 : kind < 99 ? random() % 20000
                                                                                                  : random() % 250000;
        for (std::int64_t i = 0; i < length && static_cast<std::int64_t>(samples.size()) < count; ++i) {
            samples.push_back(value);
        }
    }
    return samples;
}

std::vector<std::int64_t> Samples(std::int64_t count, bool random) {
    return random ? RandomSamples(count, static_cast<std::uint64_t>(count) * 7919 + 3)
                  : std::vector<std::int64_t>(static_cast<std::size_t>(count), 123456789);
}

// The pyramid a level should hold, worked out block by block from the samples.
CBufferedDataManager::Level ExpectedLevel(const std::vector<std::int64_t>& samples, std::int64_t blockSize) {
    CBufferedDataManager::Level level;
    level.blockSize = blockSize;
    const auto add = [&](std::int64_t end, std::uint64_t bitsAnd, std::uint64_t bitsOr, std::int64_t min,
                         std::int64_t max) {
        level.end.push_back(end);
        level.bitsAnd.push_back(bitsAnd);
        level.bitsOr.push_back(bitsOr);
        level.min.push_back(min);
        level.max.push_back(max);
    };
    add(0, 0, 0, 0, 0);
    const auto count = static_cast<std::int64_t>(samples.size());
    for (std::int64_t start = 0;; start += blockSize) {
        const std::int64_t end = std::min(start + blockSize, count);
        std::uint64_t bitsAnd = ~std::uint64_t{0};
        std::uint64_t bitsOr = 0;
        std::int64_t min = std::numeric_limits<std::int64_t>::max();
        std::int64_t max = std::numeric_limits<std::int64_t>::min();
        for (std::int64_t i = start; i < end; ++i) {
            const std::int64_t word = samples[static_cast<std::size_t>(i)];
            bitsAnd &= static_cast<std::uint64_t>(word);
            bitsOr |= static_cast<std::uint64_t>(word);
            if (word != kNoValuePosition) {
                min = std::min(min, word);
                max = std::max(max, word);
            }
        }
        add(end, bitsAnd, bitsOr, min, max);
        if (end == count && end - start < blockSize) {
            break;  // the closing entry, empty when the count is a multiple of the block
        }
    }
    return level;
}

void ExpectLevelsAsWorkedOut(const CBufferedDataManager& cache, const std::vector<std::int64_t>& samples,
                             const std::string& name) {
    for (std::size_t i = 0; i < CBufferedDataManager::kBlockSizes.size(); ++i) {
        const CBufferedDataManager::Level expected = ExpectedLevel(samples, CBufferedDataManager::kBlockSizes[i]);
        const CBufferedDataManager::Level& actual = cache.GetLevel(i);
        const std::string where = name + ", blocks of " + std::to_string(expected.blockSize);
        EXPECT_EQ(actual.blockSize, expected.blockSize) << where;
        EXPECT_EQ(actual.end, expected.end) << where;
        EXPECT_EQ(actual.bitsAnd, expected.bitsAnd) << where;
        EXPECT_EQ(actual.bitsOr, expected.bitsOr) << where;
        EXPECT_EQ(actual.min, expected.min) << where;
        EXPECT_EQ(actual.max, expected.max) << where;
    }
}

TEST(BufferedDataManagerTest, PyramidEqualsBlockByBlockReference) {
    for (const std::int64_t count : {0, 1, 99, 100, 200000, 1000000}) {
        for (const bool random : {false, true}) {
            const std::string name = std::to_string(count) + (random ? " random" : " constant") + " samples";
            VectorSource source(Samples(count, random));
            CachePtr cache = BuiltCache(source);
            EXPECT_EQ(cache->GetCount(), count) << name;
            ExpectLevelsAsWorkedOut(*cache, source.Samples(), name);
            cache->Build();  // a second build starts afresh
            ExpectLevelsAsWorkedOut(*cache, source.Samples(), name + ", built twice");
        }
    }
}

// What the change searches must find, worked out from the samples.
struct ChangeReference {
    std::vector<std::int64_t> next;      // first later sample whose masked value differs, or the count
    std::vector<std::int64_t> previous;  // last earlier such sample, or -1
};

ChangeReference ReferenceFor(const std::vector<std::int64_t>& samples, std::uint64_t mask) {
    const auto count = static_cast<std::int64_t>(samples.size());
    const auto masked = [&](std::int64_t i) { return static_cast<std::uint64_t>(samples[i]) & mask; };
    ChangeReference reference{std::vector<std::int64_t>(samples.size()), std::vector<std::int64_t>(samples.size())};
    for (std::int64_t i = count - 1; i >= 0; --i) {
        const std::int64_t after = i + 1;
        reference.next[i] = after == count ? count : masked(after) != masked(i) ? after : reference.next[after];
    }
    for (std::int64_t i = 0; i < count; ++i) {
        const std::int64_t before = i - 1;
        reference.previous[i] = before < 0 ? -1 : masked(before) != masked(i) ? before : reference.previous[before];
    }
    return reference;
}

TEST(BufferedDataManagerTest, RandomQueriesEqualBruteForce) {
    struct Case {
        std::int64_t count;
        bool random;
    };
    const Case cases[] = {{1, true}, {99, true}, {100, true}, {200000, true}, {1000000, true}, {1000000, false}};
    const std::uint64_t masks[] = {0, 1, ~std::uint64_t{0}};
    std::mt19937_64 random(42);
    for (const Case& c : cases) {
        VectorSource source(Samples(c.count, c.random));
        const std::vector<std::int64_t>& samples = source.Samples();
        CachePtr cache = BuiltCache(source);
        const std::string name = std::to_string(c.count) + (c.random ? " random" : " constant");
        const auto pick = [&] { return static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(c.count + 4)) - 2; };
        for (const std::uint64_t mask : masks) {
            const ChangeReference reference = ReferenceFor(samples, mask);
            const auto low = static_cast<std::uint32_t>(mask);
            const auto high = static_cast<std::uint32_t>(mask >> 32);
            for (int query = 0; query < 1000; ++query) {
                const std::int64_t at = pick();
                const std::string where = name + ", mask " + std::to_string(mask) + ", from " + std::to_string(at);
                std::int64_t forward = at;
                std::int64_t backward = at;
                std::int64_t value = -1;
                std::int64_t backValue = -1;
                const int found = cache->FindNextChange(&forward, &value, low, high);
                const int foundBack = cache->FindPreviousChange(&backward, &backValue, low, high);
                if (at < 0 || at >= c.count) {
                    EXPECT_EQ(found, IBufferredDataManager::kNothing) << where;
                    EXPECT_EQ(foundBack, IBufferredDataManager::kNothing) << where;
                    EXPECT_EQ(forward, at) << where;
                    continue;
                }
                const auto expectedValue = static_cast<std::int64_t>(static_cast<std::uint64_t>(samples[at]) & mask);
                const std::int64_t next = reference.next[at];
                const std::int64_t previous = reference.previous[at];
                EXPECT_EQ(found, next == c.count ? IBufferredDataManager::kEnd : IBufferredDataManager::kFound)
                    << where;
                EXPECT_EQ(forward, next) << where;
                EXPECT_EQ(value, expectedValue) << where;
                EXPECT_EQ(foundBack, previous < 0 ? IBufferredDataManager::kEnd : IBufferredDataManager::kFound)
                    << where;
                EXPECT_EQ(backward, previous) << where;
                EXPECT_EQ(backValue, expectedValue) << where;
            }
        }
        for (int query = 0; query < 1000; ++query) {
            // Stretches of every scale: lengths spread evenly over the orders of magnitude.
            const std::int64_t from = pick();
            const auto length = static_cast<std::int64_t>(
                std::pow(10.0, std::uniform_real_distribution<double>(0, std::log10(c.count + 10.0))(random)));
            const std::int64_t to = from + length;
            std::int64_t min = std::numeric_limits<std::int64_t>::max();
            std::int64_t max = std::numeric_limits<std::int64_t>::min();
            for (std::int64_t i = std::max<std::int64_t>(from, 0); i < std::min(to, c.count); ++i) {
                if (samples[i] != kNoValuePosition) {
                    min = std::min(min, samples[i]);
                    max = std::max(max, samples[i]);
                }
            }
            const std::string where = name + ", samples " + std::to_string(from) + " to " + std::to_string(to);
            std::int64_t start = from;
            std::int64_t gotMin = 0;
            std::int64_t gotMax = 0;
            const int result = cache->GetMinMax(&start, to, &gotMin, &gotMax);
            EXPECT_EQ(result, min <= max ? 1 : 0) << where;
            if (result == 1) {
                EXPECT_EQ(gotMin, min) << where;
                EXPECT_EQ(gotMax, max) << where;
                EXPECT_EQ(start, std::min(to, c.count)) << where;
            }
        }
    }
}

TEST(BufferedDataManagerTest, ConstantChannelIsSearchedBlockByBlock) {
    VectorSource source(Samples(1000000, false));
    CachePtr cache = BuiltCache(source);
    const std::int64_t readsForBuild = source.Reads();
    std::int64_t position = 0;
    std::int64_t value = 0;
    EXPECT_EQ(cache->FindNextChange(&position, &value, 0xFFFFFFFF, 0xFFFFFFFF), IBufferredDataManager::kEnd);
    EXPECT_EQ(position, 1000000);
    EXPECT_EQ(value, 123456789);
    std::int64_t from = 1;
    std::int64_t min = 0;
    std::int64_t max = 0;
    EXPECT_EQ(cache->GetMinMax(&from, 999999, &min, &max), 1);
    // A few raw samples at each end; the rest comes from the blocks.
    EXPECT_LT(source.Reads() - readsForBuild, 300);
}

TEST(BufferedDataManagerTest, StretchesWithoutValuesHaveNoExtremes) {
    std::vector<std::int64_t> samples(1000, kNoValuePosition);
    samples[500] = -7;  // a valued sample below the band: signed, not a huge unsigned number
    samples[501] = kTop;
    VectorSource source(std::move(samples));
    CachePtr cache = BuiltCache(source);
    std::int64_t from = 0;
    std::int64_t min = 1;
    std::int64_t max = 1;
    EXPECT_EQ(cache->GetMinMax(&from, 500, &min, &max), 0);
    EXPECT_EQ(min, 1);
    from = 0;
    EXPECT_EQ(cache->GetMinMax(&from, 1000, &min, &max), 1);
    EXPECT_EQ(min, -7);
    EXPECT_EQ(max, kTop);
}

TEST(BufferedDataManagerTest, ACacheWithoutSummaryAnswersNothing) {
    VectorSource source(Samples(1000, true));
    CachePtr cache(new CBufferedDataManager);
    cache->Build();  // without a source: nothing to build
    std::int64_t position = 0;
    std::int64_t value = 0;
    std::int64_t min = 0;
    std::int64_t max = 0;
    const auto answersNothing = [&](const char* when) {
        position = 0;
        EXPECT_EQ(cache->FindNextChange(&position, &value, ~0u, ~0u), 0) << when;
        EXPECT_EQ(cache->FindPreviousChange(&position, &value, ~0u, ~0u), 0) << when;
        EXPECT_EQ(cache->GetMinMax(&position, 1000, &min, &max), 0) << when;
    };
    answersNothing("never built");
    cache->SetSource(&source);
    answersNothing("source set, not built");
    cache->Build();
    position = 0;
    ASSERT_EQ(cache->GetMinMax(&position, 1000, &min, &max), 1);
    cache->SetSource(nullptr);
    answersNothing("source taken away");
    EXPECT_EQ(cache->Reserved4(1, 2, 3, 4), 0);
}

class ProgressRecorder final : public ITracelumeCallback {
public:
    void ShowProperties(const std::wstring&) override {}
    void BeginProperties() override {}
    std::intptr_t Notify(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) override {
        calls.push_back({code, wParam, lParam});
        return 0;
    }
    struct Call {
        std::uint32_t code;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    std::vector<Call> calls;
};

TEST(BufferedDataManagerTest, BuildAnnouncesItsStepsFirst) {
    VectorSource source(Samples(250000, false));
    ProgressRecorder progress;
    CachePtr cache(new CBufferedDataManager);
    cache->SetSource(&source);
    cache->SetCallback(&progress);
    cache->Build();
    ASSERT_FALSE(progress.calls.empty());
    EXPECT_EQ(progress.calls[0].code, tracelume::kNotifyCacheProgress);
    EXPECT_EQ(progress.calls[0].wParam, 2u);
    EXPECT_EQ(progress.calls[0].lParam, 0);
}

}  // namespace

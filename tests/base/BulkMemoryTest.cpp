// Memory for large arrays written whole: usable at every size, and a large block
// given back serves the next array of about its size.
#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>

#include "platform/base/BulkAllocator.h"

namespace {

TEST(BulkMemory, ArraysOfEverySizeHoldWhatIsWrittenAndLargeBlocksServeTheNextArrayOfAboutTheirSize)
{
    struct Case {
        const char* name;
        std::size_t first, second;  // elements of two arrays made one after the other
        bool sameBlock;
    };
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    const Case cases[] = {
        {"small arrays", 100, 100, false},
        {"the same large size", 8 * kMiB, 8 * kMiB, true},
        {"a little smaller", 8 * kMiB, 7 * kMiB, true},
        {"far smaller: a block twice its size stays for others", 16 * kMiB, 5 * kMiB, false},
        {"larger than the block given back", 4 * kMiB, 5 * kMiB, false},
    };
    for (const Case& c : cases) {
        const void* firstBlock = nullptr;
        {
            platform::BulkVector<std::uint32_t> values(c.first / 4);
            std::iota(values.begin(), values.end(), 0u);
            EXPECT_EQ(values.back(), values.size() - 1) << c.name;
            firstBlock = values.data();
        }
        platform::BulkVector<std::uint32_t> next;
        next.resize(c.second / 4);
        std::iota(next.begin(), next.end(), 7u);
        EXPECT_EQ(next[next.size() / 2], next.size() / 2 + 7) << c.name;
        if (!platform::kKeepsLargeBlocks) {
            continue;
        }
        if (c.sameBlock) {
            EXPECT_EQ(next.data(), firstBlock) << c.name;
        } else if (c.first >= platform::kLargePageBytes) {
            EXPECT_NE(next.data(), firstBlock) << c.name;
        }
    }
}

}  // namespace

// A stretch of a file mapped read-only: cut to what the file holds, so that reading
// every byte of the region never reaches past the end of the file.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "platform/base/MappedRegion.h"
#include "tests/support/TempDir.h"

namespace {

TEST(MappedRegion, MapsWhatTheFileHoldsOfTheStretch)
{
    testsupport::TempDir dir;
    const auto file = dir.Path() / "bytes.bin";
    constexpr std::uint64_t kFileBytes = 10000;  // not a whole number of pages
    {
        std::ofstream out(file, std::ios::binary);
        for (std::uint64_t i = 0; i < kFileBytes; ++i) {
            out.put(static_cast<char>(i % 251));
        }
    }
    struct Case {
        const char* name;
        std::uint64_t offset, length;
        std::size_t size;  // mapped
    };
    const Case cases[] = {
        {"whole file", 0, kFileBytes, kFileBytes},
        {"inside, from an offset off the page", 4097, 3000, 3000},
        {"past the end: cut at the end", 8000, 100000, kFileBytes - 8000},
        {"asked far beyond what a file may hold", 1, UINT64_MAX, kFileBytes - 1},
        {"from the end", kFileBytes, 10, 0},
        {"from beyond the end", kFileBytes + 5000, 10, 0},
    };
    for (const Case& c : cases) {
        const platform::MappedRegion region = platform::MappedRegion::Map(file, c.offset, c.length);
        ASSERT_EQ(region.Size(), c.size) << c.name;
        EXPECT_FALSE(region.OpenFailed()) << c.name;
        EXPECT_FALSE(region.MapFailed()) << c.name;
        std::uint64_t wrong = 0;
        for (std::size_t i = 0; i < region.Size(); ++i) {
            wrong += region.Data()[i] != static_cast<unsigned char>((c.offset + i) % 251);
        }
        EXPECT_EQ(wrong, 0u) << c.name;
    }

    platform::MappedRegion moved = platform::MappedRegion::Map(file, 100, 10);
    const platform::MappedRegion taken = std::move(moved);
    EXPECT_EQ(taken.Size(), 10u);
    EXPECT_EQ(taken.Data()[0], 100);
    EXPECT_EQ(moved.Size(), 0u);

    for (const auto& path : {dir.Path() / "missing.bin", dir.Path()}) {
        const platform::MappedRegion none = platform::MappedRegion::Map(path, 0, 10);
        EXPECT_TRUE(none.OpenFailed()) << path;
        EXPECT_EQ(none.Size(), 0u) << path;
    }
}

}  // namespace

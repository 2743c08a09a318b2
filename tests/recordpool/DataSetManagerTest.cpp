// Stepping through a data set: aggregates per step across chunk borders, point
// counts, ranges and the settings that change what a read returns.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "lib/recordpool/DataSet.h"

namespace sampolyx {
namespace {

// A data set of `total` values 0, 1, 2, ... split into chunks of the given sizes.
class Series {
public:
    explicit Series(const std::vector<int>& chunkSizes)
    {
        int next = 0;
        for (int size : chunkSizes) {
            auto values = std::make_unique<float[]>(size);
            for (int i = 0; i < size; ++i) {
                values[i] = static_cast<float>(next++);
            }
            m_set.Append(std::make_unique<CFloatChunk>(std::move(values), size));
        }
    }
    CDataSetManager& Manager() { return *m_set.Manager(); }

private:
    CDataSet m_set;
};

TEST(DataSetManager, EmptyDataSetHasNoManager)
{
    CDataSet set;
    EXPECT_EQ(set.Manager(), nullptr);
    set.Append(std::make_unique<CFloatChunk>(nullptr, 0));
    EXPECT_EQ(set.Manager(), nullptr);
}

TEST(DataSetManager, ReadsAggregatesAcrossChunkBorders)
{
    struct Case {
        const char* name;
        int step, flag, mode;
        std::int64_t position;
        int type;
        bool ok;
        float value;
    };
    // Values 0..999 in chunks of 7, 300 and 693.
    const Case cases[] = {
        {"last whole step, maximum", 10, 1, 0, 99, 0, true, 999.0f},
        {"past the last step", 10, 1, 0, 100, 0, false, 0.0f},
        {"negative position", 10, 1, 0, -1, 0, false, 0.0f},
        {"step over the first border, minimum", 10, 1, 0, 0, 2, true, 0.0f},
        {"step over the first border, mean", 10, 1, 0, 0, 1, true, 4.5f},
        {"step over the second border, mean", 10, 1, 0, 30, 1, true, 304.5f},
        {"rms", 2, 0, 0, 1, 1, true, std::sqrt((4.0f + 9.0f) / 2.0f)},
        {"unknown average flag", 10, 2, 0, 0, 1, false, 0.0f},
        {"mode 1 turns type 0 into a minimum", 10, 1, 1, 3, 0, true, 30.0f},
        {"mode 1 turns type 2 into a maximum", 10, 1, 1, 3, 2, true, 39.0f},
        {"plain value at the step's start", 10, 1, 0, 42, 3, true, 420.0f},
        {"plain value, last of the first chunk", 1, 1, 0, 6, 3, true, 6.0f},
        {"plain value, first of the second chunk", 1, 1, 0, 7, 3, true, 7.0f},
        {"plain value, last of all", 1, 1, 0, 999, 3, true, 999.0f},
        {"plain value past the end", 1, 1, 0, 1000, 3, false, 0.0f},
        {"unknown type", 10, 1, 0, 0, 4, false, 0.0f},
        {"one step over everything", 1000, 1, 0, 0, 0, true, 999.0f},
    };
    for (const Case& c : cases) {
        Series series({7, 300, 693});
        CDataSetManager& manager = series.Manager();
        manager.SetStep(c.step);
        manager.SetFlag(c.flag);
        manager.SetMode(c.mode);
        float value = -1.0f;
        EXPECT_EQ(manager.ReadBlock(c.position, &value, c.type), c.ok) << c.name;
        if (c.ok) {
            EXPECT_FLOAT_EQ(value, c.value) << c.name;
        }
    }
}

TEST(DataSetManager, CountsWholeStepsOfTheRange)
{
    struct Case {
        const char* name;
        int total, step;
        std::int64_t first, last;
        std::int64_t points;
    };
    const Case cases[] = {
        {"1000 values, step 10", 1000, 10, 0, 1000, 100},
        {"a remainder that cannot fill a step", 10, 3, 0, 10, 3},
        {"a remainder filled by values behind the range", 10, 3, 0, 8, 3},
        {"fewer values than a step", 5, 10, 0, 5, 0},
    };
    for (const Case& c : cases) {
        Series series({c.total});
        CDataSetManager& manager = series.Manager();
        manager.SetStep(c.step);
        std::int64_t first = c.first, last = c.last;
        manager.SetRange(&first, &last);
        EXPECT_EQ(manager.GetPointCount(), c.points) << c.name;
    }
}

TEST(DataSetManager, RangeOutsideTheValuesFallsBackToTheBounds)
{
    struct Case {
        const char* name;
        int step;
        std::int64_t first, last;
        bool accepted;
        std::int64_t start, end;
    };
    // Ten values.
    const Case cases[] = {
        {"both outside", 1, -5, 20, false, 0, 10},
        {"swapped", 1, 7, 2, true, 2, 7},
        {"first inside", 1, 3, 10, true, 3, 10},
        // Positions beyond the data set are never taken, whatever the step.
        {"beyond the values with a large step", 4, 12, 30, false, 0, 10},
    };
    for (const Case& c : cases) {
        Series series({10});
        CDataSetManager& manager = series.Manager();
        manager.SetStep(c.step);
        std::int64_t first = c.first, last = c.last;
        EXPECT_EQ(manager.SetRange(&first, &last), c.accepted) << c.name;
        EXPECT_EQ(first, c.start) << c.name;
        EXPECT_EQ(last, c.end) << c.name;
        std::int64_t start = -1, end = -1;
        EXPECT_TRUE(manager.GetRange(&start, &end));
        EXPECT_EQ(start, c.start) << c.name;
        EXPECT_EQ(end, c.end) << c.name;
    }
}

TEST(DataSetManager, ReadsRelativeToTheRange)
{
    Series series({10});
    CDataSetManager& manager = series.Manager();
    std::int64_t first = 4, last = 8;
    ASSERT_TRUE(manager.SetRange(&first, &last));
    manager.SetStep(2);
    float value = 0.0f;
    ASSERT_TRUE(manager.ReadBlock(1, &value, 0));
    EXPECT_EQ(value, 7.0f);
    EXPECT_FALSE(manager.ReadBlock(2, &value, 3));  // position 8 is the range end
}

TEST(DataSetManager, FirstOfEqualExtremesWinsAndNonPositiveStepIsIgnored)
{
    auto values = std::make_unique<float[]>(4);
    values[0] = 1.0f;
    values[1] = -0.0f;
    values[2] = 0.0f;
    values[3] = 1.0f;
    CDataSet set;
    set.Append(std::make_unique<CFloatChunk>(std::move(values), 4));
    CDataSetManager& manager = *set.Manager();
    manager.SetStep(0);
    manager.SetStep(-3);
    EXPECT_EQ(manager.GetPointCount(), 4);
    manager.SetStep(4);
    float minimum = 1.0f;
    ASSERT_TRUE(manager.ReadBlock(0, &minimum, 2));
    EXPECT_TRUE(std::signbit(minimum));  // -0.0 came first
}

TEST(DataSetManager, GrowsWithChunksAppendedLater)
{
    CDataSet set;
    set.Append(std::make_unique<CFloatChunk>(std::make_unique<float[]>(5), 5));
    CDataSetManager* manager = set.Manager();
    ASSERT_NE(manager, nullptr);
    set.Append(std::make_unique<CFloatChunk>(std::make_unique<float[]>(3), 3));
    EXPECT_EQ(set.Manager(), manager);
    EXPECT_EQ(manager->GetPointCount(), 8);
}

}  // namespace
}  // namespace sampolyx

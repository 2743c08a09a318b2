// How many statistic views of each kind, and in all, the statistic area holds.
#include <gtest/gtest.h>

#include "waverecord/WaveViewLimits.h"

namespace {

constexpr int kFrequency = 5976;

TEST(WaveViewLimits, EachKindUpToItsMaximum)
{
    CWaveViewLimits limits;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(limits.CanAdd(kFrequency), WaveViewRefusal::None) << i;
        limits.Added(kFrequency);
    }
    EXPECT_EQ(limits.CanAdd(kFrequency), WaveViewRefusal::TooManyOfKind) << "the fourth frequency view";
    EXPECT_EQ(CWaveViewLimits::NameText(kFrequency), 10235u);
    EXPECT_EQ(limits.CanAdd(5972), WaveViewRefusal::None) << "other kinds still go";

    limits.ViewGone();
    limits.KindGone(kFrequency);
    EXPECT_EQ(limits.CanAdd(kFrequency), WaveViewRefusal::None) << "after one was closed";

    limits.Reset();
    EXPECT_EQ(limits.ViewCount(), 0);
    EXPECT_EQ(limits.KindCount(kFrequency), 0);
    limits.KindGone(kFrequency);
    EXPECT_EQ(limits.KindCount(kFrequency), 0) << "never below 0";
}

TEST(WaveViewLimits, FortyTwoViewsInAllWhateverTheirKinds)
{
    const int kinds[] = {5972, 5974, 5975, 5976, 5977, 5978, 5979};
    const int maxima[] = {8, 8, 7, 3, 7, 8, 8};
    CWaveViewLimits limits;
    int added = 0;
    for (int k = 0; k < 7 && added < CWaveViewLimits::kMaxViews; ++k) {
        for (int i = 0; i < maxima[k] && added < CWaveViewLimits::kMaxViews; ++i, ++added) {
            ASSERT_EQ(limits.CanAdd(kinds[k]), WaveViewRefusal::None) << kinds[k];
            limits.Added(kinds[k]);
        }
    }
    ASSERT_EQ(limits.ViewCount(), 42);
    EXPECT_LT(limits.KindCount(5979), 8) << "the histograms are not full";
    EXPECT_EQ(limits.CanAdd(5979), WaveViewRefusal::TooManyViews);
    EXPECT_EQ(limits.CanAdd(12345), WaveViewRefusal::TooManyViews);
}

TEST(WaveViewLimits, OtherKindsHaveNoLimitOfTheirOwn)
{
    CWaveViewLimits limits;
    limits.Added(12345);
    EXPECT_EQ(limits.CanAdd(12345), WaveViewRefusal::None);
    EXPECT_EQ(CWaveViewLimits::NameText(12345), 0u);
}

}  // namespace

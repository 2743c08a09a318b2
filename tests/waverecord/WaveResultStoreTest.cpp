// Result records: the joint axis range of their series, values worked out over a
// series, copies that share the master's series, and the series as they go into and
// out of viewer rows.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/support/FakeViewer.h"
#include "tests/waverecord/FakeDataSet.h"
#include "waverecord/WaveResultStore.h"

namespace {

using wavetest::FakeDataSet;

// Records the viewer's progress calls.
struct ProgressLog : IWaveViewerCallback {
    int Notify(int code, std::uintptr_t wParam, std::intptr_t lParam) override
    {
        calls.push_back({code, wParam, lParam});
        return 0;
    }
    struct Call {
        int code;
        std::uintptr_t wParam;
        std::intptr_t lParam;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
};

TEST(WaveResultStore, JointRangeOfAllSeriesWithItsMargin)
{
    struct Case {
        const char* name;
        std::vector<std::vector<float>> series;  // one per phase
        int result;
        float minimum, maximum;
    };
    const Case cases[] = {
        {"narrow", {{5.0f, 5.1f}, {5.05f}}, 1, 4.9f, 5.2f},
        {"wide", {{0.0f, 30.0f}, {70.0f, 10.0f}}, 1, -10.0f, 80.0f},
        {"flat", {{230.0f, 230.0f}}, 1, 229.9f, 230.1f},
    };
    for (const Case& c : cases) {
        std::vector<std::unique_ptr<FakeDataSet>> sets;
        CWaveResultStore store;
        for (std::size_t p = 0; p < c.series.size(); ++p) {
            sets.push_back(std::make_unique<FakeDataSet>(c.series[p]));
            store.Add(static_cast<int>(p), CWaveResultStore::kPlainValue, CWaveSeriesDescriptor(sets.back().get()));
        }
        float minimum = 0.0f, maximum = 0.0f;
        EXPECT_EQ(store.GetJointRange(minimum, maximum), c.result) << c.name;
        EXPECT_NEAR(minimum, c.minimum, 1e-4) << c.name;
        EXPECT_NEAR(maximum, c.maximum, 1e-4) << c.name;
    }
}

TEST(WaveResultStore, NoJointRangeWithoutSeriesThatHaveOne)
{
    CWaveResultStore empty;
    float minimum = 0.0f, maximum = 0.0f;
    EXPECT_EQ(empty.GetJointRange(minimum, maximum), 0);

    CWaveResultStore unusable;
    unusable.Add(0, CWaveResultStore::kPlainValue, CWaveSeriesDescriptor(nullptr));
    unusable.Add(1, CWaveResultStore::kPlainValue, CWaveSeriesDescriptor());
    EXPECT_EQ(unusable.GetJointRange(minimum, maximum), 0);
    EXPECT_EQ(minimum, kWaveNoMinimum);
    EXPECT_EQ(maximum, kWaveNoMaximum);
}

TEST(WaveResultStore, ReportsItsProgressPhaseByPhase)
{
    FakeDataSet a({1.0f}), b({2.0f});
    CWaveResultStore store;
    store.Add(0, CWaveResultStore::kPlainValue, CWaveSeriesDescriptor(&a));
    store.Add(2, CWaveResultStore::kPlainValue, CWaveSeriesDescriptor(&b));
    ProgressLog log;
    store.SetProgressCallback(&log);
    float minimum = 0.0f, maximum = 0.0f;
    store.GetJointRange(minimum, maximum);
    const std::vector<ProgressLog::Call> expected = {{118, 2, 0}, {118, 0, 1}, {118, 0, 2}};
    EXPECT_EQ(log.calls, expected);
}

TEST(WaveResultStore, MeanAnd95PercentValueFollowTheRange)
{
    std::vector<float> values;
    for (int i = 1; i <= 20; ++i) {
        values.push_back(static_cast<float>(i));
    }
    FakeDataSet set(values);
    CWaveResultStore store;
    store.Add(0, CWaveResultStore::kAverage, CWaveSeriesDescriptor(&set));
    float mean = 0.0f, percentile = 0.0f;
    ASSERT_EQ(store.GetFirstValue(0, CWaveResultStore::kAverage, mean), 1);
    ASSERT_EQ(store.GetSecondValue(0, CWaveResultStore::kAverage, percentile), 1);
    EXPECT_FLOAT_EQ(mean, 10.5f);
    EXPECT_FLOAT_EQ(percentile, 19.0f) << "the 19th smallest of 20";

    std::int64_t first = 0, last = 10;
    store.SetParameter(&first, &last);
    ASSERT_EQ(store.GetFirstValue(0, CWaveResultStore::kAverage, mean), 1);
    ASSERT_EQ(store.GetSecondValue(0, CWaveResultStore::kAverage, percentile), 1);
    EXPECT_FLOAT_EQ(mean, 5.5f) << "values worked out again over the new range";
    EXPECT_FLOAT_EQ(percentile, 10.0f);
    float low = 0.0f, high = 0.0f;
    ASSERT_EQ(store.GetRange(0, CWaveResultStore::kAverage, low, high), 1);
    EXPECT_EQ(low, 1.0f);
    EXPECT_EQ(high, 10.0f);

    FakeDataSet none;
    CWaveResultStore empty;
    empty.Add(0, CWaveResultStore::kAverage, CWaveSeriesDescriptor(&none));
    EXPECT_EQ(empty.GetFirstValue(0, CWaveResultStore::kAverage, mean), 0) << "an empty series has no mean";
    EXPECT_EQ(empty.GetSecondValue(0, CWaveResultStore::kAverage, percentile), 0);
}

TEST(WaveResultStore, MissingSeriesAnswerEmpty)
{
    CWaveResultStore store;
    FakeDataSet set({1.0f});
    EXPECT_EQ(store.Add(0, CWaveResultStore::kMaximum, CWaveSeriesDescriptor(&set)), 1);
    EXPECT_EQ(store.Add(0, CWaveResultStore::kMaximum, CWaveSeriesDescriptor()), 0) << "one series per statistic";
    EXPECT_EQ(store.GetDescriptor(0, CWaveResultStore::kMaximum).dataSet, &set);
    EXPECT_EQ(store.SetTag(0, CWaveResultStore::kMaximum, 7), 255) << "a new series' tag";
    EXPECT_EQ(store.SetTag(0, CWaveResultStore::kMaximum, 8), 7);

    float value = 0.0f;
    EXPECT_EQ(store.GetDescriptor(1, CWaveResultStore::kMaximum).dataSet, nullptr);
    EXPECT_EQ(store.GetDescriptor(0, CWaveResultStore::kMinimum).dataSet, nullptr);
    EXPECT_EQ(store.GetRange(3, CWaveResultStore::kMaximum, value, value), 0);
    EXPECT_EQ(store.SwapName(0, CWaveResultStore::kAverage, L"x"), L"");
    EXPECT_EQ(store.CountStatistics(0), 1);
    EXPECT_EQ(store.CountStatistics(2), 0);
}

TEST(WaveResultStore, CountsTheOrdersOfAPhase)
{
    CWaveResultStore store;
    FakeDataSet set({1.0f});
    for (int phase = 0; phase < 2; ++phase) {
        for (int order = 0; order < 3 + phase; ++order) {
            store.Add(phase << 24 | order << 8, CWaveResultStore::kMaximum, CWaveSeriesDescriptor(&set));
        }
    }
    EXPECT_EQ(store.CountOrders(0), 3);
    EXPECT_EQ(store.CountOrders(1), 4);
    EXPECT_EQ(store.CountOrders(2), 0);
}

TEST(WaveResultStore, CopiesShareTheSeriesUntilTheMasterReleasesThem)
{
    FakeDataSet set({1.0f, 2.0f, 3.0f});
    auto master = std::make_unique<CWaveResultStore>();
    master->Add(0, CWaveResultStore::kAverage, CWaveSeriesDescriptor(&set));
    master->SwapName(0, CWaveResultStore::kAverage, L"L1 ");
    master->SetTag(0, CWaveResultStore::kAverage, 4);

    std::unique_ptr<CWaveResultStore> copy = master->Clone();
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->SwapName(0, CWaveResultStore::kAverage, L"copy"), L"L1 ");
    EXPECT_EQ(copy->SetTag(0, CWaveResultStore::kAverage, 5), 4);
    EXPECT_EQ(master->SwapName(0, CWaveResultStore::kAverage, L"L1 "), L"L1 ") << "names are the copy's own";

    // Destroying a copy leaves the master drawable.
    std::unique_ptr<CWaveResultStore> second = master->Clone();
    second.reset();
    float low = 0.0f, high = 0.0f;
    ASSERT_EQ(master->GetRange(0, CWaveResultStore::kAverage, low, high), 1);
    EXPECT_EQ(high, 3.0f);

    // What one works out, the other sees without working it out again.
    float mean = 0.0f;
    ASSERT_EQ(copy->GetFirstValue(0, CWaveResultStore::kAverage, mean), 1);
    EXPECT_FLOAT_EQ(mean, 2.0f);

    // Once the master releases everything, a copy reads nothing and never reaches
    // the data set of a closed record.
    master->ReleaseAll();
    master->Destroy();
    master.reset();
    EXPECT_EQ(copy->GetRange(0, CWaveResultStore::kAverage, low, high), 0);
    EXPECT_EQ(copy->GetDescriptor(0, CWaveResultStore::kAverage).dataSet, nullptr);
    EXPECT_EQ(copy->GetFirstValue(0, CWaveResultStore::kAverage, mean), 0);
}

TEST(WaveResultStore, AttachesSeriesToRowsAndTakesThemOffAgain)
{
    FakeDataSet set({-2.0f, 6.0f});
    testsupport::FakeWaveViewer viewer;
    {
        testsupport::FakeWaveRow row;
        CWaveResultStore store;
        store.Add(1, CWaveResultStore::kPlainValue, CWaveSeriesDescriptor(&set));
        store.Add(1, CWaveResultStore::kMaximum, CWaveSeriesDescriptor(&set));
        store.SetTag(1, CWaveResultStore::kPlainValue, 0xFF00);
        store.SwapName(1, CWaveResultStore::kPlainValue, L"L2 ");

        WaveRowAttributes attributes;
        attributes.phase = 1;
        attributes.kind = CWaveResultStore::kPlainValue;
        attributes.itemCode = 1;
        attributes.low = -4.0f;
        attributes.high = 8.0f;
        EXPECT_EQ(store.AttachRow(0, CWaveResultStore::kPlainValue, &viewer, &row, attributes), 0) << "no such series";
        EXPECT_EQ(store.AttachRow(1, CWaveResultStore::kPlainValue, nullptr, &row, attributes), 0) << "no viewer";
        ASSERT_EQ(store.AttachRow(1, CWaveResultStore::kPlainValue, &viewer, &row, attributes), 1);
        EXPECT_EQ(viewer.lastType, IWaveViewer::kAnalogRow);
        EXPECT_EQ(viewer.cursor, 2);
        ASSERT_EQ(row.imps.size(), 1u);
        auto* imp = static_cast<testsupport::FakeWaveImp*>(row.imps[0]);
        auto* source = static_cast<testsupport::FakeWaveSource*>(imp->data);
        ASSERT_NE(source, nullptr);
        // The series is drawn over the row's range: 6.0 lies at 10/12 of it.
        std::int64_t index = 1, position = 0;
        ASSERT_TRUE(source->source->GetNext(&index, &position));
        EXPECT_EQ(position, static_cast<std::int64_t>(10.0 / 12.0 * 4294967296.0 + 0.5));

        const WaveLineStyle& style = row.styles[imp];
        EXPECT_EQ(style.name, L"L2 ");
        EXPECT_EQ(style.lineColour, 0xFF00u);
        EXPECT_EQ(style.keyWord, (1u << 16) | 4u);
        EXPECT_EQ(style.drawMode, 1) << "a waveform is drawn as a line";

        // Attaching again replaces the row kind instead of adding a second one.
        attributes.kind = CWaveResultStore::kPlainValue;
        ASSERT_EQ(store.AttachRow(1, CWaveResultStore::kPlainValue, &viewer, &row, attributes), 1);
        EXPECT_EQ(row.imps.size(), 1u);
        EXPECT_EQ(*viewer.liveImps, 1);
        EXPECT_EQ(*viewer.liveSources, 1);

        testsupport::FakeWaveHost host;
        EXPECT_EQ(store.RefreshRows(&row, &host), 1);
        EXPECT_EQ(row.styles[row.imps[0]].lineColour, 0x104u) << "the host's colour for phase 1, kind 4";

        EXPECT_EQ(store.DetachRow(1, CWaveResultStore::kMaximum, &row), 0) << "not attached";
        EXPECT_EQ(store.DetachRow(1, CWaveResultStore::kPlainValue, &row), 1);
        EXPECT_TRUE(row.imps.empty());
        EXPECT_EQ(*viewer.liveImps, 0) << "the row released the kind";
    }
    EXPECT_EQ(*viewer.liveSources, 0) << "the series released its summary cache";
}

TEST(WaveResultStore, AHostBuiltSummaryIsSharedByTheCopies)
{
    FakeDataSet set({1.0f, 2.0f});
    testsupport::FakeWaveHost host;
    testsupport::FakeWaveViewer viewer;
    testsupport::FakeWaveRow row;
    auto master = std::make_unique<CWaveResultStore>();
    master->Add(0, CWaveResultStore::kPlainValue, CWaveSeriesDescriptor(&set));
    EXPECT_FALSE(master->LoadIntoHost(0, CWaveResultStore::kPlainValue, nullptr));
    ASSERT_TRUE(master->LoadIntoHost(0, CWaveResultStore::kPlainValue, &host));
    ASSERT_EQ(host.sources.size(), 1u);

    std::unique_ptr<CWaveResultStore> copy = master->Clone();
    ASSERT_EQ(copy->AttachRow(0, CWaveResultStore::kPlainValue, &viewer, &row, WaveRowAttributes{}), 1);
    auto* imp = static_cast<testsupport::FakeWaveImp*>(row.imps[0]);
    EXPECT_EQ(static_cast<testsupport::FakeWaveSource*>(imp->data)->source, host.sources[0]) << "the host's summary";
    EXPECT_EQ(*viewer.liveSources, 0) << "no second summary is built";

    copy->DetachAllRows(&row);
    copy.reset();
    EXPECT_EQ(*host.liveSources, 1) << "the copy leaves the shared summary";
    master->ReleaseAll();
    EXPECT_EQ(*host.liveSources, 0);
}

}  // namespace

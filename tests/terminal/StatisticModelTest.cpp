#include <gtest/gtest.h>

#include <vector>

#include "TerminalTestSupport.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/GlobalModel.h"
#include "terminal/K7700StatisticAnalysis.h"
#include "terminal/ObserverViewBase.h"
#include "terminal/RecordDataManager.h"
#include "tests/support/TempDir.h"
#include "tools/gen/ItemFiles.h"

namespace {

using terminaltest::Wide;

struct Update {
    std::uint32_t event;
    std::uintptr_t param1, param2;
};

class RecordingView : public IObserverViewBase {
public:
    int OnUpdate(std::uint32_t event, std::uintptr_t param1, std::uintptr_t param2) override
    {
        updates.push_back({event, param1, param2});
        return 1;
    }
    std::vector<Update> updates;
};

// A model whose trend reader finds no room for the full resolution.
class CrampedModel : public CGlobalModel {
protected:
    std::unique_ptr<CK7700ZVViewAnalysis> MakeTrendReader(std::uint32_t useDataFiles) override
    {
        return std::make_unique<terminaltest::TrendReader>(useDataFiles, true);
    }
};

class WaveReader : public IDevFileAnalysis {
public:
    int LoadFile(std::wstring, std::uint32_t) override { return 1; }
    int ReleaseFile() override { return 1; }
    int GetBasicInfo(BasicInfo*) override { return 0; }
    int GetData(QueryWord, QueryWord, QueryWord, QueryWord, QueryWord, QueryWord) override { return 0; }
    int GetItemData(std::vector<ItemRequest*>&) override { return 1; }
    int SetQueryParams(const std::array<std::uint32_t, 10>&) override { return 1; }
    int SetOption(std::uint32_t) override { return 1; }
};

struct Folder {
    testsupport::TempDir dir;
    gen::StatisticFolderOptions options;

    explicit Folder(bool converted)
    {
        GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::K7700);
        options.items = {1, 7, 25};
        options.records = 60;
        options.blockCountPerFile = 20;
        EXPECT_TRUE(gen::WriteStatisticFolder(dir.Path(), options));
        if (converted) {
            EXPECT_TRUE(gen::WriteItemFiles(dir.Path() / "Statistic" / "newfiles", options));
        }
    }
    ~Folder() { GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::Unknown); }
};

// The query record of records [first, first + count).
std::array<std::uint32_t, 14> Query(std::uint32_t first, std::uint32_t count)
{
    return {first, 0, first + count, 0, count, 0, 0, 0, 0, 0, 0, 0, 0, 0};
}

std::vector<double> Series(IDataModel& model, std::uint32_t view)
{
    CRecordDataManager manager;
    model.GetData(0, 0, 0, 0, view, reinterpret_cast<QueryWord>(&manager));
    std::vector<double> values;
    for (std::uint64_t i = 0; i < manager.GetCount(); ++i) {
        double value = 0.0;
        manager.GetValue(static_cast<std::int64_t>(i), &value);
        values.push_back(value);
    }
    return values;
}

// The model prefers the item files, then the full-resolution block files, then the
// index files at a tenth of the query.
TEST(StatisticModel, FallsBackFromItemFilesToBlockFilesToIndexFiles)
{
    struct Case {
        const char* row;
        bool converted;
        bool cramped;
        bool itemReader;
        std::uint32_t fullResolution;
        std::vector<double> expected;
    };
    std::vector<double> full, tenth;
    for (std::uint32_t r = 20; r < 50; ++r) {
        full.push_back(gen::StatisticValue(r, 0, 0));
    }
    for (std::uint32_t j = 2; j < 5; ++j) {
        tenth.push_back(gen::StatisticIndexValue(j, 0, 0));
    }
    const Case cases[] = {
        {"converted", true, false, true, 1, full},
        {"converted, little memory", true, true, true, 1, full},
        {"block files", false, false, false, 1, full},
        {"index files", false, true, false, 0, tenth},
    };
    for (const Case& c : cases) {
        Folder folder(c.converted);
        std::unique_ptr<CGlobalModel> model =
            c.cramped ? std::make_unique<CrampedModel>() : std::make_unique<CGlobalModel>();
        model->CreateAnalysis(0);
        RecordingView view;
        model->Attach(&view, 0x288);
        std::array<std::uint32_t, 14> query = Query(20, 30);
        CCtrlItem request{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 100,
                          Wide(folder.dir.Path())};
        model->OpenData(&request);
        EXPECT_EQ(dynamic_cast<CK7700StatisticAnalysis*>(model->GetAnalysis()) != nullptr, c.itemReader) << c.row;
        std::uint32_t source = 7;
        model->GetSource(&source);
        EXPECT_EQ(source, c.fullResolution) << c.row;
        ASSERT_EQ(view.updates.size(), 1u) << c.row;
        EXPECT_EQ(view.updates[0].event, ctrl::kOpenStatistic) << c.row;
        EXPECT_EQ(view.updates[0].param2, 25u) << c.row << ": 100 ÷ (1 observer × 4)";
        EXPECT_EQ(request.param2, 25u) << c.row << ": written back";
        EXPECT_EQ(Series(*model, 1), c.expected) << c.row;
        BasicInfo info;
        EXPECT_EQ(model->QueryBasicInfo(&info), 1) << c.row;
    }
}

TEST(StatisticModel, NotifiesEveryRequestItHandles)
{
    CGlobalModel model;
    RecordingView a, b, c;
    for (RecordingView* view : {&a, &b, &c}) {
        model.Attach(view, 0x288);
    }
    // No query record: the data is released, the path set, the observers told.
    CCtrlItem open{ctrl::kOpenStatistic, 0, 100, L"/nowhere"};
    model.OpenData(&open);
    ASSERT_EQ(a.updates.size(), 1u);
    EXPECT_EQ(a.updates[0].param2, 8u) << "100 ÷ (3 observers × 4)";
    EXPECT_EQ(model.GetAnalysis(), nullptr);

    CCtrlItem refresh{ctrl::kStatisticRefresh, 5, 6, L""};
    model.OpenData(&refresh);
    ASSERT_EQ(b.updates.size(), 2u);
    EXPECT_EQ(b.updates[1].event, ctrl::kStatisticRefresh);
    EXPECT_EQ(b.updates[1].param1, 5u);

    CCtrlItem other{ctrl::kOpenSoe, 0, 0, L""};
    model.OpenData(&other);
    EXPECT_EQ(c.updates.size(), 2u) << "a code the model does not handle does nothing";

    // Closing switches to the waveform-record reader, which loads.
    model.SetWaveReaderFactory([] { return std::make_unique<WaveReader>(); });
    CCtrlItem close{ctrl::kCloseAll, 0, 0, L"/record"};
    model.OpenData(&close);
    ASSERT_EQ(c.updates.size(), 3u);
    EXPECT_EQ(c.updates[2].event, ctrl::kCloseAll);
    EXPECT_NE(dynamic_cast<WaveReader*>(model.GetAnalysis()), nullptr);
    EXPECT_EQ(model.GetFullResolution(), 1u);
}

// The second model is only pointed at the folder; its data loads on the first query.
TEST(StatisticModel, SecondModelLoadsOnFirstQuery)
{
    Folder folder(false);
    CGlobalModel second;
    second.CreateAnalysis(1);
    RecordingView view;
    second.Attach(&view, 0x388);
    std::array<std::uint32_t, 14> query = Query(0, 10);
    CCtrlItem request{ctrl::kSecondStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 0,
                      Wide(folder.dir.Path())};
    second.OpenData(&request);
    EXPECT_TRUE(view.updates.empty());
    const std::vector<double> values = Series(second, 1);
    ASSERT_EQ(values.size(), 10u);
    EXPECT_EQ(values[9], gen::StatisticValue(9, 0, 0));
}

}  // namespace

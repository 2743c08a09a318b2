// The statistic record frames apart from their windows: series read from a
// generated folder through the statistic model, their ranges, names and colours,
// the time axis, the detail requests, reset and the export request.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include "ViewsTestSupport.h"
#include "lib/viewer/data/LineStyleInfo.h"
#include "platform/base/ProgramFolder.h"
#include "terminal/ZVDataManager.h"
#include "tests/support/FakeViewer.h"
#include "tests/support/ProgramFolderFixture.h"
#include "core/ZVResourceManager.h"
#include "export/RecordTabulist.h"
#include "platform/base/Hourglaze.h"
#include "platform/base/Encoding.h"
#include "views/RecordFrame.h"
#include "views/TracelumeProperty.h"

namespace {

using viewstest::FakeModel;
using testsupport::FakeViewer;
using viewstest::Observer;

class RecordFrameTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testsupport::PrepareProgramFolder();
        viewstest::WriteColorScheme();
    }
};

// A frame with the stand-in viewer and a panel that behaves as shown.
struct Rig {
    FakeViewer viewer;
    Observer observer;
    CRecordFrame frame;

    Rig(const RecordFrameProfile& profile, IDataModel* model, IDataModel* second = nullptr)
        : frame(profile, observer)
    {
        observer.m_pDataModel = model;
        observer.m_pSecondDataModel = second;
        frame.AttachViewer(&viewer, viewer.AddRow(nullptr));
        frame.SetPanelWindowed(true);
    }
    int IndexOf(std::uint32_t code) const
    {
        const auto& entries = const_cast<CRecordFrame&>(frame).Panel().Entries();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].code == code) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    std::vector<CLineStyleInfo> Styles() const
    {
        std::vector<CLineStyleInfo> styles;
        CRowItem* root = viewer.Root();
        for (int i = 0; i < root->GetImpCount(); ++i) {
            CLineStyleInfo style;
            root->GetImpStyle(root->GetImp(i), &style);
            styles.push_back(style);
        }
        return styles;
    }
};

std::vector<double> Samples(const CRecordDataManager& source)
{
    return viewstest::Samples(const_cast<CRecordDataManager&>(source));
}

// Per frame, over one generated folder with two records the terminal could not
// measure: the panel's defaults and a chosen selection, the samples of every shown
// series against the model's (index-aligned, gaps kept), names, colours, the unit
// and the kind the main frame's export asks for.
TEST_F(RecordFrameTest, EachFrameShowsTheGeneratedSeriesWithGapsNamesAndColours)
{
    struct Case {
        const char* row;
        const RecordFrameProfile* profile;
        std::uint32_t item;            // 0: the frame's first (or only) item
        std::vector<unsigned> clicks;  // boxes ticked after the defaults
        std::vector<CRecordSeriesKey> shown;
        std::vector<std::wstring> names;  // in row order (the last key first)
        int page;
        int unit;
        int kind;
    };
    const std::wstring ch = L"通道 ";
    const Case cases[] = {
        {"voltage L1 L2 average", &VolAndCurProfile(), 1, {6509},
         {{0, 2, 0, 1, 1}, {1, 2, 0, 1, 1}}, {ch + L"L2 平均值", ch + L"L1 平均值"}, 1, 3, 0},
        {"power L1 max avg", &PowerAndEnergyProfile(), 15, {6518},
         {{0, 0, 0, 1, 15}, {0, 2, 0, 1, 15}}, {ch + L"L1 平均值", ch + L"L1 最大值"}, 5, 9, 4},
        {"active energy L1 ALL", &PowerAndEnergyProfile(), 20, {6517},
         {{0, 4, 0, 1, 20}, {3, 4, 0, 1, 20}}, {ch + L"ALL 有效值", ch + L"L1 有效值"}, 5, 12, 4},
        {"dc L1 L3", &FluctAndFlickerProfile(), 13003, {6526},
         {{0, 2, 0, 1, 13003}, {2, 2, 0, 1, 13003}}, {ch + L"L3 平均值", ch + L"L1 平均值"}, 4, 5, 1},
        {"frequency min avg", &FreqProfile(), 0, {6541},
         {{4, 1, 0, 1, 13017}, {4, 2, 0, 1, 13017}}, {L"平均值", L"最小值"}, 2, 7, 2},
        {"positive-sequence voltage avg", &UnbalanceProfile(), 13006, {},
         {{4, 2, 0, 1, 13006}}, {L"平均值"}, 6, 3, 5},
        {"voltage unbalance max avg", &UnbalanceProfile(), 13013, {6536},
         {{4, 0, 0, 1, 13013}, {4, 2, 0, 1, 13013}}, {L"平均值", L"最大值"}, 6, 5, 5},
    };
    const gen::StatisticFolderOptions options = viewstest::FrameFolder(40, {3, 27});
    viewstest::LoadedFolder folder(options);

    for (const Case& c : cases) {
        Rig rig(*c.profile, &folder.model, &folder.second);
        const double before = platform::HeadlessHourglaze().Get().position;
        rig.frame.OnUpdate(CRecordFrame::kEventLoaded, 0, 4);
        const platform::RecordingHourglaze::Snapshot busy = platform::HeadlessHourglaze().Get();
        ASSERT_FALSE(busy.notes.empty()) << c.row;
        EXPECT_EQ(busy.notes.back(), L"正在更新 " + CZVResourceManager::GetResourceManager()->LoadString(
                                                        c.profile->titleId) + L"...")
            << c.row;
        EXPECT_EQ(busy.position - before, 4.0) << c.row << ": the load's share of the busy indicator";
        if (c.item != 0) {
            const int index = rig.IndexOf(c.item);
            ASSERT_GE(index, 0) << c.row << ": the item is listed";
            rig.frame.Panel().OnSelect(index);
        }
        for (const unsigned box : c.clicks) {
            rig.frame.Panel().OnClick(box, true);
        }
        ASSERT_EQ(rig.frame.ShownKeys(), c.shown) << c.row;
        const std::vector<CLineStyleInfo> styles = rig.Styles();
        ASSERT_EQ(styles.size(), c.names.size()) << c.row;
        for (std::size_t i = 0; i < styles.size(); ++i) {
            const CRecordSeriesKey& key = c.shown[c.shown.size() - 1 - i];
            EXPECT_EQ(styles[i].m_name, c.names[i]) << c.row << " row " << i;
            const int phaseBit = key.phase == 4 ? 0x20 : key.phase == 3 ? 0x10 : 1 << key.phase;
            EXPECT_EQ(styles[i].m_lineColor, viewstest::SchemeColor(phaseBit, 1 << key.kind, c.page))
                << c.row << " row " << i;
        }
        for (const CRecordSeriesKey& key : c.shown) {
            const CRecordDataManager* manager = rig.frame.Grid().FindSummary(key.phase, key.kind);
            ASSERT_NE(manager, nullptr) << c.row;
            const std::vector<double> got = Samples(*manager);
            const std::vector<double> expected = folder.ModelSeries(key.phase, key.kind, key.item);
            ASSERT_EQ(got.size(), options.records) << c.row << ": one sample per record, gaps included";
            ASSERT_EQ(expected.size(), got.size()) << c.row;
            for (std::size_t r = 0; r < got.size(); ++r) {
                const bool gap = r == 3 || r == 27;
                EXPECT_EQ(IsNoValue(got[r]), gap) << c.row << " record " << r;
                if (!gap) {
                    EXPECT_EQ(got[r], std::max(expected[r], c.profile->setsLimits ? 0.0 : expected[r]))
                        << c.row << " record " << r;
                }
            }
        }
        EXPECT_EQ(rig.viewer.Root()->FormatValue(0).find(L"V") != std::wstring::npos, c.unit == 3) << c.row;
        EXPECT_EQ(rig.frame.RequestRange(1001, 0, 0), c.kind) << c.row;
        EXPECT_EQ(rig.viewer.GetDataLength(), static_cast<std::int64_t>(options.records)) << c.row;
    }
}

// The generator's own values reach the frame: voltage RMS of L1, block type 0.
TEST_F(RecordFrameTest, VoltageSamplesAreTheGeneratorsValues)
{
    const gen::StatisticFolderOptions options = viewstest::FrameFolder(30, {7});
    viewstest::LoadedFolder folder(options);
    Rig rig(VolAndCurProfile(), &folder.model, &folder.second);
    rig.frame.OnUpdate(CRecordFrame::kEventLoaded, 0, 0);
    rig.frame.Panel().OnClick(6502, true);
    const CRecordDataManager* manager = rig.frame.Grid().FindSummary(0, 0);
    ASSERT_NE(manager, nullptr);
    const std::vector<double> got = Samples(*manager);
    ASSERT_EQ(got.size(), 30u);
    for (std::uint64_t r = 0; r < 30; ++r) {
        if (r == 7) {
            EXPECT_TRUE(IsNoValue(got[r]));
        } else {
            EXPECT_EQ(got[r], gen::StatisticValue(r, 0, gen::FloatIndexOf(options.items, 1))) << "record " << r;
        }
    }
}

// What the frame shows goes to the table export as it is: a record without value is
// a "-" cell in its own row, the rows after it keep their times and values.
TEST_F(RecordFrameTest, ExportedTableKeepsTheGaps)
{
    const gen::StatisticFolderOptions options = viewstest::FrameFolder(12, {4});
    viewstest::LoadedFolder folder(options);
    Rig rig(VolAndCurProfile(), &folder.model, &folder.second);
    rig.frame.OnUpdate(CRecordFrame::kEventLoaded, 0, 0);
    ExportSource source;
    rig.frame.FillAttributes(source);
    ASSERT_EQ(source.Channels(), 1u);
    testsupport::TempDir out;
    CRecordTabulist exporter;
    ASSERT_EQ(exporter.Export(source, platform::Utf8ToWide(platform::PathToUtf8(out.Path()))),
              ITabulistEx::kExported);
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(out.Path())) {
        files.push_back(entry.path());
    }
    ASSERT_EQ(files.size(), 1u);
    std::ifstream csv(files[0]);
    std::vector<std::string> cells;
    std::string line;
    while (std::getline(csv, line)) {
        const std::size_t comma = line.find(',');
        cells.push_back(comma == std::string::npos ? "" : line.substr(comma + 1, line.find(',', comma + 1) - comma - 1));
    }
    ASSERT_EQ(cells.size(), 2u + 12) << "title, header and one row per record";
    for (std::uint64_t r = 0; r < 12; ++r) {
        if (r == 4) {
            EXPECT_EQ(cells[2 + r], "-");
        } else {
            EXPECT_DOUBLE_EQ(std::stod(cells[2 + r]), gen::StatisticValue(r, 2, gen::FloatIndexOf(options.items, 1)))
                << "record " << r;
        }
    }
}

// The viewer's callback reaches the view only once the view has set itself as owner;
// a view without its own answers takes the base's.
TEST(TracelumeProperty, ForwardsToTheOwnerOnly)
{
    class View final : public IObserverView {
    public:
        int OnUpdate(std::uint32_t, std::uintptr_t, std::uintptr_t) override { return 0; }
        void Release() override {}
    };
    class Listening final : public IObserverView {
    public:
        int OnUpdate(std::uint32_t, std::uintptr_t, std::uintptr_t) override { return 0; }
        void Release() override {}
        std::intptr_t RequestRange(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) override
        {
            heard.push_back({code, static_cast<std::intptr_t>(wParam), lParam});
            return 9;
        }
        std::vector<std::tuple<std::uint32_t, std::intptr_t, std::intptr_t>> heard;
    };
    CtracelumeProperty property;
    EXPECT_EQ(property.Notify(111, 4, 8), 0) << "no owner yet: ignored";
    Listening listening;
    property.m_pOwner = &listening;
    EXPECT_EQ(property.Notify(111, 4, -1), 0) << "the owner's answer is not the viewer's business";
    ASSERT_EQ(listening.heard.size(), 1u);
    EXPECT_EQ(listening.heard[0], std::make_tuple(111u, std::intptr_t{4}, std::intptr_t{-1}));

    View plain;
    ExportSource source;
    EXPECT_EQ(plain.RequestRange(IObserverView::kQueryKind, 0, 0), 0);
    EXPECT_EQ(plain.FillAttributes(source), 1);
    EXPECT_TRUE(source.keys.empty());
}

// A detail request reads the full-resolution series of its range into the rows'
// caches and forgets the range; leaving detail goes back to the summary.
TEST_F(RecordFrameTest, DetailRequestsCarryTheirOwnRange)
{
    const gen::StatisticFolderOptions options = viewstest::FrameFolder(40, {});
    viewstest::LoadedFolder folder(options);
    Rig rig(VolAndCurProfile(), &folder.model, &folder.second);
    rig.frame.OnUpdate(CRecordFrame::kEventLoaded, 0, 0);
    auto& grid = const_cast<CRecordManagerGrid&>(rig.frame.Grid());
    struct Case {
        const char* row;
        std::uintptr_t first;
        std::intptr_t second;
        std::int64_t expectedFirst, expectedSecond;
        std::uint64_t count;
    };
    const Case cases[] = {
        {"visible range", 5, 10, 5, 10, 10},
        {"a range of its own each time", static_cast<std::uintptr_t>(-1), 10, 0, -1, 40},
        {"second word below -1", 3, -2, 0, -1, 40},
    };
    for (const Case& c : cases) {
        rig.frame.RequestRange(CRecordFrame::kDetailRange, c.first, c.second);
        CRecordDataManager* full = grid.GetOrCreateManager(0, 2, nullptr, true);
        std::int64_t first = 7, second = 7;
        full->GetRange(&first, &second);
        EXPECT_EQ(first, c.expectedFirst) << c.row;
        EXPECT_EQ(second, c.expectedSecond) << c.row;
        EXPECT_EQ(full->GetCount(), c.count) << c.row;
        EXPECT_EQ(rig.viewer.Root()->GetImpCount(), 1) << c.row << ": no row added or removed";
    }
    const std::size_t caches = static_cast<std::size_t>(rig.viewer.cachesMade);
    rig.frame.RequestRange(CRecordFrame::kDetailLeft, 0, 0);
    EXPECT_EQ(static_cast<std::size_t>(rig.viewer.cachesMade), caches) << "the rows keep their caches";
    EXPECT_EQ(rig.frame.ShownKeys().size(), 1u);
}

// Phases the record's wiring lacks are disabled and never shown, even when ticked
// before; the all-phase box of the power frame follows no wiring.
TEST_F(RecordFrameTest, PhaseBoxesFollowTheRecordsWiring)
{
    struct Case {
        const char* row;
        const RecordFrameProfile* profile;
        std::vector<std::uint32_t> items;
        std::uint32_t phaseMask;
        std::vector<unsigned> enabled, disabled;
        std::uint32_t shownPhases;  // phase mask of the frame after the load
    };
    const Case cases[] = {
        {"voltage without N", &VolAndCurProfile(), {1}, 0x7, {6508, 6509, 6510}, {6511}, 0x1},
        {"power without L2", &PowerAndEnergyProfile(), {15}, 0xD, {6514, 6516, 6517}, {6515}, 0x1},
        {"flicker without L3", &FluctAndFlickerProfile(), {13000}, 0x3, {6524, 6525}, {6526}, 0x1},
        {"no item of the frame", &VolAndCurProfile(), {13017}, 0xF, {}, {6508, 6509, 6510, 6511, 6502}, 0x0},
    };
    for (const Case& c : cases) {
        FakeModel model;
        model.info.viewIds = c.items;
        model.info.phaseMask = c.phaseMask;
        model.info.startText = L"2026-03-01 00:00:00.000";
        model.info.interval = 60;
        Rig rig(*c.profile, &model);
        // Every phase ticked before the load.
        for (const RecordBoxEntry& box : c.profile->boxes) {
            if (box.phase) {
                rig.frame.Panel().OnClick(box.id, true);
            }
        }
        rig.frame.OnUpdate(CRecordFrame::kEventLoaded, 0, 0);
        for (const unsigned id : c.enabled) {
            EXPECT_TRUE(rig.frame.Panel().FindBox(id)->enabled) << c.row << " box " << id;
        }
        for (const unsigned id : c.disabled) {
            EXPECT_FALSE(rig.frame.Panel().FindBox(id)->enabled) << c.row << " box " << id;
        }
        const std::uint32_t missing = c.profile->phases.size() == 4 && c.profile->phases[3].ignoresRecordMask
                                          ? 0x7 & ~c.phaseMask
                                          : 0xF & ~c.phaseMask;
        EXPECT_EQ(rig.frame.PhaseMask() & missing, 0u) << c.row << ": a lacking phase is cleared";
        if (c.shownPhases != 0) {
            EXPECT_EQ(rig.frame.PhaseMask() & c.shownPhases, c.shownPhases) << c.row;
        } else {
            EXPECT_TRUE(rig.frame.ShownKeys().empty()) << c.row;
            EXPECT_EQ(rig.frame.Panel().Entries().size(), 1u) << c.row << ": the no-item entry only";
        }
    }
}

// Sample positions of a detail request travel whole, beyond 32 bits too.
TEST_F(RecordFrameTest, DetailRangeBeyondThirtyTwoBits)
{
    FakeModel model;
    model.info.viewIds = {13006};
    model.info.startText = L"2026-03-01 00:00:00.000";
    model.info.interval = 0.01;
    model.series[{4, 2, 13006}] = {1.0, 2.0};
    Rig rig(UnbalanceProfile(), &model, &model);
    rig.frame.OnUpdate(CRecordFrame::kEventLoaded, 0, 0);
    const std::uintptr_t first = (std::uintptr_t{1} << 32) + 5;
    rig.frame.RequestRange(CRecordFrame::kDetailRange, first, 300);
    std::int64_t got = 0, second = 0;
    const_cast<CRecordManagerGrid&>(rig.frame.Grid()).GetOrCreateManager(4, 2, nullptr, true)->GetRange(&got, &second);
    EXPECT_EQ(got, static_cast<std::int64_t>(first));
    EXPECT_EQ(second, 300);
}

TEST(RecordFrameRange, WideningRules)
{
    struct Case {
        const char* row;
        double min, max;
        bool frequency;
        double expectedMin, expectedMax;
    };
    const Case cases[] = {
        {"frequency span below 1", 49.9, 50.1, true, 49.4, 50.6},
        {"frequency maximum 0", -2.0, 0.0, true, 0.0, 1.0},
        {"frequency kept at 0", 0.2, 0.9, true, 0.0, 1.4},
        {"dc below 1 not clipped", 0.2, 0.5, false, -0.3, 1.0},
        {"constant", 5.0, 5.0, false, 4.5, 5.5},
        {"span exactly 1", 2.0, 3.0, false, 1.9, 3.1},
        {"span 10", 0.0, 10.0, false, -1.0, 11.0},
    };
    for (const Case& c : cases) {
        double min = c.min, max = c.max;
        CRecordFrame::WidenRange(min, max, c.frequency);
        EXPECT_NEAR(min, c.expectedMin, 1e-12) << c.row;
        EXPECT_NEAR(max, c.expectedMax, 1e-12) << c.row;
    }
}

// Hand-made series: what enters the row's value range.
TEST_F(RecordFrameTest, OnlySeriesWithValuesWidenTheRange)
{
    const double gap = -5368709.0;
    FakeModel model;
    model.info.viewIds = {19, 15};
    model.info.startText = L"2026-03-01 00:00:00.000";
    model.info.interval = 60;
    model.series[{0, 2, 19}] = {0.5, gap, 0.7};
    model.series[{1, 2, 19}] = {gap, gap, gap};  // no value at all
    model.series[{3, 2, 19}] = {-40.0, 90.0};    // the all-phase series DPF has no row for
    Rig rig(PowerAndEnergyProfile(), &model, &model);
    rig.frame.OnUpdate(CRecordFrame::kEventLoaded, 0, 0);
    ASSERT_EQ(rig.frame.CurrentItem(), 19u);
    rig.frame.Panel().OnClick(6515, true);
    rig.frame.Panel().OnClick(6517, true);
    EXPECT_FALSE(rig.frame.Panel().FindBox(6517)->visible) << "no ALL box for DPF";
    EXPECT_EQ(rig.frame.ShownKeys().size(), 2u) << "L1 and L2 averages; ALL has no row";
    EXPECT_NEAR(rig.frame.DisplayMin(), 0.0, 1e-12) << "0.5 to 0.7, widened by 0.5; the gaps add nothing";
    EXPECT_NEAR(rig.frame.DisplayMax(), 1.2, 1e-12);
    EXPECT_EQ(rig.viewer.GetDataLength(), 3) << "the longest series sets the length once";

    // In detail too the ALL series stays out of the range.
    rig.frame.RequestRange(CRecordFrame::kDetailRange, 0, 3);
    EXPECT_EQ(rig.frame.ShownKeys().size(), 2u);
    CRecordDataManager* full = const_cast<CRecordManagerGrid&>(rig.frame.Grid()).GetOrCreateManager(3, 2, nullptr, true);
    EXPECT_EQ(full->GetCount(), 0u) << "the ALL series of DPF is not read";

    // Selecting PF shows ALL again, ticked, with its series.
    rig.frame.Panel().OnSelect(rig.IndexOf(15));
    EXPECT_TRUE(rig.frame.Panel().FindBox(6517)->visible);
    EXPECT_TRUE(rig.frame.Panel().FindBox(6517)->checked);
}

// Time axis: the start text as nanoseconds of local time, the interval as the rate.
TEST_F(RecordFrameTest, TimeAxisFromTheRecordInformation)
{
    const char* savedTz = std::getenv("TZ");
    const std::string saved = savedTz != nullptr ? savedTz : "";
    setenv("TZ", "Asia/Shanghai", 1);
    tzset();
    struct Case {
        const char* row;
        std::wstring start;
        double interval;
        bool origin;
        std::int64_t nanoseconds;
        bool rate;
        double expectedRate;
    };
    const Case cases[] = {
        // 2026-03-01 00:00:00.250 UTC
        {"full text", L"2026-03-01 08:00:00.250", 60.0, true, 1772323200250000000LL, true, 1.0 / 60.0},
        {"sub-second interval", L"2026-03-01 08:00:00.000", 0.2, true, 1772323200000000000LL, true, 5.0},
        {"fields missing", L"2026-03-01", 1.0, false, 0, true, 1.0},
        {"interval 0 refused", L"2026-03-01 08:00:00.000", 0.0, true, 1772323200000000000LL, false, 0.0},
    };
    for (const Case& c : cases) {
        FakeModel model;
        model.info.startText = c.start;
        model.info.interval = c.interval;
        model.info.recordCount = 1440;
        model.sourceKind = 1;
        Rig rig(VolAndCurProfile(), &model);
        const std::ifstream::pos_type before = [] {
            std::ifstream log(platform::ProgramFolder() / "OndravaLog.log", std::ios::ate);
            return log ? log.tellg() : std::ifstream::pos_type(0);
        }();
        rig.frame.Command(CRecordFrame::kTimeAxis, 0);
        const FakeViewer::Call* origin = rig.viewer.LastCommand(102);
        ASSERT_EQ(origin != nullptr, c.origin) << c.row;
        if (c.origin) {
            const std::uint64_t joined = (static_cast<std::uint64_t>(origin->a) << 32) |
                                         static_cast<std::uint32_t>(origin->b);
            EXPECT_EQ(static_cast<std::int64_t>(joined), c.nanoseconds) << c.row;
        }
        ASSERT_EQ(rig.viewer.rates.size(), c.rate ? 1u : 0u) << c.row;
        if (c.rate) {
            EXPECT_DOUBLE_EQ(rig.viewer.rates[0], c.expectedRate) << c.row;
        }
        EXPECT_EQ(rig.viewer.GetDataLength(), 1440) << c.row;
        ASSERT_NE(rig.viewer.LastCommand(113), nullptr);
        EXPECT_EQ(rig.viewer.LastCommand(113)->a, 0) << c.row << ": no detail view over full-resolution data";
        std::ifstream log(platform::ProgramFolder() / "OndravaLog.log");
        log.seekg(before);
        std::stringstream added;
        added << log.rdbuf();
        EXPECT_EQ(added.str().empty(), c.origin && c.rate) << c.row << ": a refused field is logged";
    }
    if (savedTz != nullptr) {
        setenv("TZ", saved.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

// Reset leaves no rows and no managers; the export request sees what is shown
// without making anything.
TEST_F(RecordFrameTest, ResetAndExportRequest)
{
    FakeModel model;
    model.info.viewIds = {1, 8};
    model.info.startText = L"2026-03-01 00:00:00.000";
    model.info.interval = 60;
    model.series[{0, 2, 1}] = {230.0, 231.0};
    model.series[{0, 0, 1}] = {235.0, 236.0};
    Rig rig(VolAndCurProfile(), &model);
    rig.frame.OnUpdate(CRecordFrame::kEventLoaded, 0, 0);
    rig.frame.Panel().OnClick(6502, true);

    const std::size_t managers = rig.frame.Grid().ManagerCount();
    const int queries = model.queries;
    ExportSource source;
    EXPECT_EQ(rig.frame.FillAttributes(source), 1);
    EXPECT_EQ(source.startTime, L"2026-03-01 00:00:00.000");
    EXPECT_EQ(source.interval, 60.0);
    ASSERT_EQ(source.keys.size(), 2u);
    EXPECT_EQ(source.keys[0].statistic, 0);
    EXPECT_EQ(source.keys[1].statistic, 2);
    EXPECT_EQ(source.keys[1].type, 1);
    ASSERT_EQ(source.managers.size(), 2u);
    EXPECT_EQ(source.managers[0]->GetCount(), 2u);
    EXPECT_EQ(rig.frame.Grid().ManagerCount(), managers) << "filling the request makes no manager";
    EXPECT_EQ(model.queries, queries) << "and reads nothing";

    rig.frame.OnUpdate(CRecordFrame::kEventReset, 0, 0);
    EXPECT_EQ(rig.viewer.Root()->GetImpCount(), 0);
    EXPECT_EQ(rig.frame.Grid().ManagerCount(), 0u);
    EXPECT_EQ(rig.frame.Panel().Entries().size(), 1u) << "only the no-item entry";
    EXPECT_FALSE(rig.frame.Panel().ListEnabled());
}

// Pst without a non-zero sample empties its series and switches the detail view
// off; the next item's rebuild switches it on again.
TEST_F(RecordFrameTest, AllZeroPstDoesNotKeepTheDetailViewOff)
{
    FakeModel model;
    model.info.viewIds = {13000, 13003};
    model.info.startText = L"2026-03-01 00:00:00.000";
    model.info.interval = 600;
    model.series[{0, 2, 13000}] = {0.0, -5368709.0, 0.0};
    model.series[{0, 2, 13003}] = {0.0, 0.0, -1.0};
    Rig rig(FluctAndFlickerProfile(), &model);
    rig.frame.OnUpdate(CRecordFrame::kEventLoaded, 0, 0);
    ASSERT_EQ(rig.frame.CurrentItem(), 13000u);
    EXPECT_EQ(rig.viewer.LastCommand(113)->a, 0);
    EXPECT_EQ(rig.frame.Grid().FindSummary(0, 2)->GetCount(), 0u);
    EXPECT_EQ(rig.viewer.Root()->GetImpCount(), 1) << "shown as an empty series";

    rig.frame.Panel().OnSelect(rig.IndexOf(13003));
    EXPECT_EQ(rig.viewer.LastCommand(113)->a, 1);
    std::vector<double> dc = Samples(*rig.frame.Grid().FindSummary(0, 2));
    ASSERT_EQ(dc.size(), 3u) << "zeros of dc keep their samples";
    EXPECT_EQ(dc[2], 0.0) << "a negative value becomes 0";
}

// The colour-scheme event recolours only for 0 and the frame's own id.
TEST_F(RecordFrameTest, ColourEventForThisFrameOnly)
{
    FakeModel model;
    model.info.viewIds = {13006};
    model.info.startText = L"2026-03-01 00:00:00.000";
    model.info.interval = 60;
    model.series[{4, 2, 13006}] = {1.0};
    Rig rig(UnbalanceProfile(), &model);
    rig.frame.OnUpdate(CRecordFrame::kEventLoaded, 0, 0);
    CRowItem* root = rig.viewer.Root();
    ASSERT_EQ(root->GetImpCount(), 1);
    struct Case {
        std::uintptr_t id;
        bool recoloured;
    };
    for (const Case c : {Case{40006, false}, Case{40010, true}, Case{0, true}}) {
        CLineStyleInfo style;
        root->GetImpStyle(root->GetImp(0), &style);
        style.m_lineColor = 7;
        root->SetImpStyle(root->GetImp(0), style);
        rig.frame.OnUpdate(CRecordFrame::kEventColors, c.id, 0);
        root->GetImpStyle(root->GetImp(0), &style);
        EXPECT_EQ(style.m_lineColor, c.recoloured ? viewstest::SchemeColor(0x20, 4, 6) : 7u) << c.id;
    }
}

}  // namespace

// The trend views of the waveform-record window's statistic area under a virtual
// display, on records made by our generator: each view opened on an analysed record
// shows its quantities, what its series hold and what its table says agree with the
// values the generator expects, and the views follow the channels, the selected
// range and the list pane.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <sstream>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/window.h>

#include "controls/CurrentViewList.h"
#include "core/ZVResourceManager.h"
#include "lib/viewer/data/LineStyleInfo.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/ui/Frame.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "tests/support/TempDir.h"
#include "tests/support/WriteFault.h"
#include "tests/ui/Clicks.h"
#include "tests/ui/EventPump.h"
#include "tests/ui/Modal.h"
#include "tests/waverecord/WaveRecordFixture.h"
#include "waverecord/WaveResultStore.h"
#include "waverecord/WaveSelection.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/WaveAnalysisSetupDlg.h"
#include "waverecord/ui/WaveCapacityAndEnergyStatisticView.h"
#include "waverecord/ui/WaveCurrentAndVoltageStatisticView.h"
#include "waverecord/ui/WaveFrequencyStatisticView.h"
#include "waverecord/ui/WaveImbalanceStatisticView.h"
#include "waverecord/ui/WaveMainView.h"
#include "waverecord/ui/WaveOrginalViewFrame.h"
#include "waverecord/ui/WavePaneLite.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"
#include "waverecord/ui/WaveStatisticViews.h"
#include "waverecord/ui/WaveViewHost.h"
#include "waverecord/ui/WaveWaveAndFlickerStatisticView.h"

namespace {

constexpr int kTrendMin = CWaveResultStore::kMinimum, kTrendAvg = CWaveResultStore::kAverage,
              kMax = CWaveResultStore::kMaximum, kRms = CWaveResultStore::kRms;

// A table as the export wrote it: its name, its columns and its rows of values.
struct Table {
    std::wstring name;
    std::vector<std::wstring> columns;
    std::vector<std::wstring> times;
    std::vector<std::vector<double>> rows;

    double At(std::size_t row, const std::wstring& column) const
    {
        const auto found = std::find(columns.begin(), columns.end(), column);
        if (found == columns.end() || row >= rows.size()) {
            ADD_FAILURE() << "no " << platform::WideToUtf8(column) << " in row " << row;
            return NAN;
        }
        return rows[row][static_cast<std::size_t>(found - columns.begin())];
    }
};

// Lets the posted messages (list choices, refits, retitles) arrive.
void Pump()
{
    int rounds = 0;
    uitest::PumpUntil([&rounds] { return ++rounds > 30; });
}

std::vector<std::wstring> Fields(const std::wstring& line)
{
    std::vector<std::wstring> fields;
    std::wistringstream in(line);
    for (std::wstring field; std::getline(in, field, L',');) {
        const auto first = field.find_first_not_of(L' ');
        const auto last = field.find_last_not_of(L' ');
        fields.push_back(first == std::wstring::npos ? std::wstring() : field.substr(first, last - first + 1));
    }
    return fields;
}

Table ReadTable(const std::wstring& file)
{
    Table table;
    const std::vector<std::wstring> lines = wavetest::CsvLines(platform::ToPath(file));
    if (lines.size() < 2) {
        ADD_FAILURE() << "no table in " << platform::WideToUtf8(file);
        return table;
    }
    table.name = lines[0];
    while (!table.name.empty() && table.name.back() == L',') {
        table.name.pop_back();
    }
    std::vector<std::wstring> header = Fields(lines[1]);
    table.columns.assign(header.begin() + std::min<std::size_t>(1, header.size()), header.end());
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const std::vector<std::wstring> fields = Fields(lines[i]);
        if (fields.size() != table.columns.size() + 1) {
            continue;
        }
        table.times.push_back(fields[0]);
        std::vector<double> values;
        for (std::size_t k = 1; k < fields.size(); ++k) {
            values.push_back(std::stod(platform::WideToUtf8(fields[k])));
        }
        table.rows.push_back(values);
    }
    return table;
}

class WaveTrendViewsTest : public testing::Test {
protected:
    static void SetUpTestSuite() { s_record = std::make_unique<wavetest::GeneratedRecord>(wavetest::ShortRecord()); }
    static void TearDownTestSuite() { s_record.reset(); }

    void SetUp() override
    {
        wavetest::SetWaveSystemIni("");
        platform::SetHourglaze(&m_indicator);
        ui::SetMessageBoxResponder([this](const ui::MessageBoxRequest& request) {
            m_boxes.push_back(request.text);
            return ui::kIdNo;
        });
        RegisterWaveTrendViews();
        ASSERT_TRUE(m_frame.Create(L"Ondrava"));
        m_frame.GetFrame()->SetSize(1400, 900);
        m_frame.ShowWindow(ui::kShow);
        m_view = std::make_unique<CWaveMainView>();
        ASSERT_TRUE(m_view->CreateChild(&m_frame.GetClientArea(), CWaveMainView::kControlId,
                                        ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 1380, 860)));
        ASSERT_TRUE(m_view->Initialise());
        ASSERT_TRUE(uitest::PumpUntil([this] { return m_view->GetStatisticFrame() != nullptr; }));
    }

    void TearDown() override
    {
        m_view->DestroyWindow();
        m_view.reset();
        m_frame.DestroyWindow();
        ui::SetMessageBoxResponder({});
        platform::SetHourglaze(nullptr);
    }

    void Open(const wavetest::GeneratedRecord& record)
    {
        const std::wstring path = record.Folder();
        ASSERT_EQ(ui::SendMessage(m_view.get(), CWaveMainView::kMsgOpenRecord, reinterpret_cast<ui::WParam>(&path), 0),
                  1);
        // The loaded record asks for a voltage and current view.
        ASSERT_TRUE(uitest::PumpUntil([this] { return Find<CWaveCurrentAndVoltageStatisticView>() != nullptr; }));
        Pump();
    }

    CWaveStatisticMainFrame* Area() { return m_view->GetStatisticFrame(); }

    template <class View>
    View* Find(int skip = 0)
    {
        CWavePaneManager& panes = Area()->Panes();
        for (int id = panes.GetFirstPaneId(); id >= 0; id = panes.GetNextPaneId(id)) {
            if (auto* view = dynamic_cast<View*>(panes.GetView(id)); view && skip-- == 0) {
                return view;
            }
        }
        return nullptr;
    }

    template <class View>
    View* Add()
    {
        EXPECT_EQ(ui::SendMessage(Area(), CWaveStatisticMainFrame::kMsgAddView, View::kKind, 3), 1);
        Pump();
        View* last = nullptr;
        for (int k = 0; Find<View>(k); ++k) {
            last = Find<View>(k);
        }
        return last;
    }

    // What the list pane posts for a choice, handled.
    static void Choose(CWaveStatisticView* view, std::uint32_t item, std::uint32_t kinds)
    {
        ui::PostMessage(view, kMsgViewListChoice, item, kinds);
        Pump();
    }

    Table Export(CWaveStatisticView* view)
    {
        const std::wstring folder = platform::FromPath(m_out.Path());
        EXPECT_EQ(ui::SendMessage(view, CWaveStatisticView::kMsgExport, reinterpret_cast<ui::WParam>(&folder), 0), 1);
        return ReadTable(view->GetExportedFile());
    }

    static float Value(CWaveStatisticView* view, int phase, int kind, std::int64_t position)
    {
        float value = NAN;
        if (!view->GetStore() || !view->GetStore()->GetDescriptor(phase, kind).ReadAt(position, &value)) {
            ADD_FAILURE() << "no value at " << position << " of phase " << phase << ", kind " << kind;
        }
        return value;
    }

    static std::int64_t Count(CWaveStatisticView* view, int phase, int kind)
    {
        return view->GetStore() ? view->GetStore()->GetDescriptor(phase, kind).GetCount() : 0;
    }

    static double Expected(const std::string& name) { return s_record->Expected(name); }

    static std::unique_ptr<wavetest::GeneratedRecord> s_record;
    ui::BusyIndicator m_indicator;
    std::vector<std::wstring> m_boxes;
    ui::Frame m_frame;
    std::unique_ptr<CWaveMainView> m_view;
    testsupport::TempDir m_out;
};

std::unique_ptr<wavetest::GeneratedRecord> WaveTrendViewsTest::s_record;

std::string Phase(int p, const char* name) { return "phase" + std::to_string(p) + "." + name; }

TEST_F(WaveTrendViewsTest, AViewTellsWhyItsTableWasNotWritten)
{
    Open(*s_record);
    auto* view = Find<CWaveCurrentAndVoltageStatisticView>();
    const std::wstring folder = platform::FromPath(m_out.Path());
    {
        const testsupport::WriteFault full(m_out.Path(), testsupport::WriteFault::Kind::DiskFull);
        EXPECT_EQ(ui::SendMessage(view, CWaveStatisticView::kMsgExport, reinterpret_cast<ui::WParam>(&folder), 0), 0);
    }
    EXPECT_EQ(view->GetExportError(), ENOSPC);
    EXPECT_EQ(view->GetExportedFile(), L"");
    EXPECT_EQ(ui::SendMessage(view, CWaveStatisticView::kMsgExport, reinterpret_cast<ui::WParam>(&folder), 0), 1);
    EXPECT_EQ(view->GetExportError(), 0);
    EXPECT_NE(view->GetExportedFile(), L"");
}

TEST_F(WaveTrendViewsTest, TheVoltageAndCurrentViewShowsTheRecordsValues)
{
    Open(*s_record);
    auto* view = Find<CWaveCurrentAndVoltageStatisticView>();
    EXPECT_EQ(view->GetItemId(), 6014u);
    std::uint32_t phases = 0, kinds = 0;
    view->GetHost()->GetMasks(phases, kinds);
    EXPECT_EQ(phases, 0x0Fu) << "the checked channels";
    EXPECT_EQ(kinds, 0x04u) << "averages first";
    EXPECT_EQ(view->GetRow()->GetImpCount(), 4);
    ASSERT_NE(view->GetList(), nullptr);
    EXPECT_EQ(view->GetList()->GetSelectedItem(), 6014u) << "the list asked the view for its item";
    EXPECT_EQ(Area()->Panes().Docking().FindPane(static_cast<unsigned>(view->GetPaneId()))->GetTitle(),
              WaveText(6014));

    struct Case {
        std::uint32_t item;
        std::uint32_t kinds;
        const char* expected;  // per phase 0-3
        double tolerance;
        std::wstring unit;
    };
    const Case cases[] = {
        {6014, 0x07, "voltageRms", 0.05, L"V"},
        {6015, 0x04, "currentRms", 0.01, L"A"},
        {6020, 0x04, "voltageHarmonic1", 0.05, L"V"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Choose(view, c.item, c.kinds);
        ASSERT_EQ(view->GetItemId(), c.item);
        const Table table = Export(view);
        EXPECT_EQ(table.name, WaveText(c.item) + WaveText(10105) + c.unit);
        ASSERT_FALSE(table.rows.empty());
        for (int p = 0; p < 4; ++p) {
            const double expected = p < 3 || std::string(c.expected) == "currentRms" ? Expected(Phase(p, c.expected)) : 0.0;
            const std::wstring column = (p < 3 ? L"L" + std::to_wstring(p + 1) : std::wstring(L"LN")) + L"_AVG";
            EXPECT_NEAR(Value(view, p, kTrendAvg, 0), expected, c.tolerance) << "phase " << p;
            EXPECT_NEAR(table.At(table.rows.size() - 1, column), expected, c.tolerance) << "phase " << p;
        }
        if ((c.kinds & 0x01) != 0) {
            EXPECT_NEAR(table.At(0, L"L2_MAX"), Expected(Phase(1, c.expected)), c.tolerance);
            EXPECT_NEAR(table.At(0, L"L2_MIN"), Expected(Phase(1, c.expected)), c.tolerance);
        }
    }
    // The half-cycle RMS is exported under its own title, one row per half cycle.
    Choose(view, 6026, 0x20);
    const Table halfCycles = Export(view);
    ASSERT_FALSE(WaveText(10115).empty());
    EXPECT_EQ(halfCycles.name, WaveText(10115) + WaveText(10105) + L"V");
    EXPECT_EQ(halfCycles.rows.size(), 200u) << "two seconds of 50 Hz";
    EXPECT_NEAR(halfCycles.At(100, L"L2_RMS"), Expected(Phase(1, "voltageRms")), 0.05);
    // Rows step by 10 ms from the start of the record.
    EXPECT_NE(halfCycles.times[0].find(L"07:08:09.010"), std::wstring::npos) << platform::WideToUtf8(halfCycles.times[0]);
    EXPECT_NE(halfCycles.times[1].find(L"07:08:09.020"), std::wstring::npos) << platform::WideToUtf8(halfCycles.times[1]);
}

TEST_F(WaveTrendViewsTest, PowerAndEnergyAreInWattsAndWattHoursEverywhere)
{
    Open(*s_record);
    auto* view = Add<CWaveCapacityAndEnergyStatisticView>();
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->GetHost()->GetViewer(), nullptr);
    EXPECT_EQ(view->GetItemId(), 6030u);
    Pump();
    // Titled by the name that carries the unit of the numbers shown.
    EXPECT_EQ(Area()->Panes().Docking().FindPane(static_cast<unsigned>(view->GetPaneId()))->GetTitle(),
              WaveText(10084));
    // Series of the total named "ALL".
    EXPECT_EQ(view->GetHost()->SeriesName(3, kTrendAvg), L"ALL " + WaveText(10109));

    struct Case {
        std::uint32_t item;
        const char* phaseValue;
        const char* totalValue;
        double relative;
        std::wstring unit;
        unsigned title;
    };
    const Case cases[] = {
        {6030, "activePower", "total.activePower", 3e-3, L"W", 10084},
        {6031, "apparentPower", "total.apparentPower", 3e-3, L"VA", 10085},
        {6032, "reactivePower", "total.reactivePower", 1e-2, L"VAR", 10086},
        {6033, "powerFactor", nullptr, 3e-3, WaveText(10106), 10087},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Choose(view, c.item, 0x04);
        const Table table = Export(view);
        EXPECT_EQ(table.name, WaveText(c.title) + WaveText(10105) + c.unit);
        EXPECT_EQ(table.columns, (std::vector<std::wstring>{L"L1_AVG", L"L2_AVG", L"L3_AVG", L"ALL_AVG"}));
        ASSERT_FALSE(table.rows.empty());
        const std::size_t last = table.rows.size() - 1;
        for (int p = 0; p < 3; ++p) {
            const double expected = Expected(Phase(p, c.phaseValue));
            const double scale = std::max(std::fabs(expected), Expected(Phase(p, "apparentPower")) * (c.item == 6033 ? 0 : 1));
            const double tolerance = c.relative * std::max(scale, 1.0);
            EXPECT_NEAR(Value(view, p, kTrendAvg, 0), expected, tolerance) << "phase " << p;
            EXPECT_NEAR(table.At(last, L"L" + std::to_wstring(p + 1) + L"_AVG"), expected, tolerance) << "phase " << p;
        }
        if (c.totalValue) {
            const double total = Expected(c.totalValue);
            const double tolerance = c.relative * Expected("total.apparentPower");
            EXPECT_NEAR(Value(view, 3, kTrendAvg, 0), total, tolerance);
            EXPECT_NEAR(table.At(last, L"ALL_AVG"), total, tolerance);
        }
    }
    // Energies: summed from the record's start, in Wh.
    struct Energy {
        std::uint32_t item;
        const char* expected;
        std::wstring unit;
        unsigned title;
    };
    for (const Energy& e : {Energy{6035, "activeEnergy", L"Wh", 10090}, Energy{6036, "apparentEnergy", L"VAh", 10091}}) {
        SCOPED_TRACE(e.item);
        Choose(view, e.item, 0x20);
        const Table table = Export(view);
        EXPECT_EQ(table.name, WaveText(e.title) + WaveText(10105) + e.unit);
        ASSERT_FALSE(table.rows.empty());
        const std::size_t last = table.rows.size() - 1;
        for (int p = 0; p < 4; ++p) {
            const std::string name = p < 3 ? Phase(p, e.expected) : std::string("total.") + e.expected;
            const double expected = Expected(name);
            const std::wstring column = (p < 3 ? L"L" + std::to_wstring(p + 1) : std::wstring(L"ALL")) + L"_RMS";
            EXPECT_NEAR(table.At(last, column), expected, 5e-3 * expected) << name;
            EXPECT_NEAR(Value(view, p, kRms, Count(view, p, kRms) - 1), expected, 5e-3 * expected) << name;
        }
    }
}

TEST_F(WaveTrendViewsTest, UnbalanceFrequencyAndFluctuationMatchTheSignal)
{
    Open(*s_record);
    auto* unbalance = Add<CWaveImbalanceStatisticView>();
    auto* frequency = Add<CWaveFrequencyStatisticView>();
    auto* flicker = Add<CWaveWaveAndFlickerStatisticView>();
    ASSERT_TRUE(unbalance && frequency && flicker);
    EXPECT_EQ(frequency->GetList(), nullptr) << "the frequency view has no list";

    struct Case {
        std::uint32_t item;
        const char* expected;
        double tolerance;
        std::wstring unit;
    };
    const Case cases[] = {
        {6046, "voltage.positive", 0.5, L"V"},          {6047, "voltage.negative", 0.05, L"V"},
        {6049, "current.positive", 0.02, L"A"},         {6068, "voltage.negativeUnbalance", 0.02, L"％"},
        {6071, "current.zeroUnbalance", 0.05, L"％"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        Choose(unbalance, c.item, 0x04);
        std::uint32_t phases = 0, kinds = 0;
        unbalance->GetHost()->GetMasks(phases, kinds);
        EXPECT_EQ(phases, 0x10u) << "always the whole system";
        const Table table = Export(unbalance);
        EXPECT_EQ(table.name, WaveText(c.item) + WaveText(10105) + c.unit);
        EXPECT_EQ(table.columns, std::vector<std::wstring>{L"DEFAULT_AVG"});
        ASSERT_FALSE(table.rows.empty());
        EXPECT_NEAR(table.At(table.rows.size() - 1, L"DEFAULT_AVG"), Expected(c.expected), c.tolerance);
        EXPECT_NEAR(Value(unbalance, 4, kTrendAvg, 0), Expected(c.expected), c.tolerance);
    }

    const Table hertz = Export(frequency);
    EXPECT_EQ(hertz.name, WaveText(9999) + WaveText(10118));
    EXPECT_EQ(hertz.columns, std::vector<std::wstring>{L"DEFAULT_RMS"}) << "only the RMS kind is shown";
    ASSERT_FALSE(hertz.rows.empty());
    for (std::size_t row = 0; row < hertz.rows.size(); ++row) {
        EXPECT_NEAR(hertz.rows[row][0], Expected("frequency"), 0.01) << row;
    }
    EXPECT_EQ(frequency->GetRow()->GetImpCount(), 1);
    EXPECT_EQ(frequency->GetStore()->SwapName(4, kRms, L"x"), WaveText(10117));
    EXPECT_FALSE(WaveText(10117).empty() || WaveText(10118).empty());

    // The record starts away from the fluctuation measure's 230 V reference only in
    // L2 (225 V): the first block's Dmax is that step, and L1 and L3 stay at 0.
    EXPECT_EQ(flicker->GetItemId(), 6040u);
    Choose(flicker, 6041, 0x01);
    const Table dmax = Export(flicker);
    EXPECT_EQ(dmax.name, WaveText(6041) + WaveText(10105) + L"％");
    ASSERT_FALSE(dmax.rows.empty());
    for (int p = 0; p < 3; ++p) {
        const double expected = Expected(Phase(p, "startFluctuation"));
        EXPECT_NEAR(dmax.At(0, L"L" + std::to_wstring(p + 1) + L"_MAX"), expected, 0.02) << p;
        EXPECT_NEAR(Value(flicker, p, kMax, 0), expected, 0.02) << p;
    }
    EXPECT_GT(Expected(Phase(1, "startFluctuation")), 2.0);
    Choose(flicker, 6042, 0x04);
    EXPECT_EQ(Export(flicker).name, WaveText(6042) + WaveText(10105) + L"s");
}

TEST_F(WaveTrendViewsTest, ViewsFollowChannelsAndTheSelectedRange)
{
    Open(*s_record);
    auto* voltage = Find<CWaveCurrentAndVoltageStatisticView>();
    auto* power = Add<CWaveCapacityAndEnergyStatisticView>();
    auto* unbalance = Add<CWaveImbalanceStatisticView>();
    auto* frequency = Add<CWaveFrequencyStatisticView>();
    auto* flicker = Add<CWaveWaveAndFlickerStatisticView>();
    ASSERT_TRUE(voltage && power && unbalance && frequency && flicker);
    CWaveOrginalViewFrame* raw = m_view->GetRawFrame();

    // Unchecking L3 in the raw-waveform pane.
    auto* box = dynamic_cast<wxCheckBox*>(raw->GetChannels()->GetDlgItem(9503));
    ASSERT_NE(box, nullptr);
    box->SetValue(false);
    wxCommandEvent click(wxEVT_CHECKBOX, box->GetId());
    click.SetEventObject(box);
    box->GetEventHandler()->ProcessEvent(click);
    Pump();
    struct Shown {
        CWaveStatisticView* view;
        std::uint32_t phases;
        int series;
    };
    for (const Shown& s : {Shown{voltage, 0x0B, 3}, Shown{power, 0x0B, 3}, Shown{unbalance, 0x10, 1},
                           Shown{frequency, 0x10, 1}, Shown{flicker, 0x03, 2}}) {
        std::uint32_t phases = 0, kinds = 0;
        s.view->GetHost()->GetMasks(phases, kinds);
        EXPECT_EQ(phases, s.phases) << s.view->GetPaneId();
        EXPECT_EQ(s.view->GetRow()->GetImpCount(), s.series) << s.view->GetPaneId();
    }
    // A choice in the list keeps L3 off; checking it again brings it back.
    Choose(voltage, 6015, 0x04);
    EXPECT_EQ(voltage->GetRow()->GetImpCount(), 3);
    box->SetValue(true);
    wxCommandEvent again(wxEVT_CHECKBOX, box->GetId());
    again.SetEventObject(box);
    box->GetEventHandler()->ProcessEvent(again);
    Pump();
    EXPECT_EQ(voltage->GetRow()->GetImpCount(), 4);

    // The second second of the record: every view's series start there and its table
    // starts at that time.
    raw->GetHost()->ViewerCommand(tracelume::kCommandSelectRegion, 12800, 25599);
    Pump();
    struct Range {
        CWaveStatisticView* view;
        std::int64_t count;  // values in one second
    };
    for (const Range& r : {Range{voltage, 5}, Range{power, 5}, Range{unbalance, 5}, Range{frequency, 5},
                           Range{flicker, 5}}) {
        SCOPED_TRACE(r.view->GetPaneId());
        const Table table = Export(r.view);
        EXPECT_EQ(static_cast<std::int64_t>(table.rows.size()), r.count);
        ASSERT_FALSE(table.times.empty());
        EXPECT_NE(table.times[0].find(L"07:08:10.010"), std::wstring::npos) << platform::WideToUtf8(table.times[0]);
    }
}

TEST_F(WaveTrendViewsTest, TheListPaneCollapsesAndTheViewerTakesItsPlace)
{
    Open(*s_record);
    auto* view = Find<CWaveCurrentAndVoltageStatisticView>();
    wxWindow* viewer = view->GetHost()->GetViewerWindow();
    ASSERT_NE(viewer, nullptr);
    const int width = view->GetClientSize().x;
    EXPECT_EQ(view->GetList()->GetWindowRect().GetWidth(), CWaveStatisticView::kListWidth);
    EXPECT_EQ(viewer->GetSize().x, width - CWaveStatisticView::kListWidth);
    ui::SendMessage(view, CWaveStatisticView::kMsgToggleList, 1, 0);
    EXPECT_TRUE(view->IsListCollapsed());
    EXPECT_EQ(view->GetList()->GetWindowRect().GetWidth(), CWaveStatisticView::kCollapsedListWidth);
    EXPECT_EQ(viewer->GetSize().x, width - CWaveStatisticView::kCollapsedListWidth);
    ui::SendMessage(view, CWaveStatisticView::kMsgToggleList, 1, 0);
    EXPECT_EQ(viewer->GetSize().x, width - CWaveStatisticView::kListWidth);

    auto* frequency = Add<CWaveFrequencyStatisticView>();
    Pump();
    EXPECT_EQ(frequency->GetHost()->GetViewerWindow()->GetSize().x, frequency->GetClientSize().x)
        << "the frequency view's viewer fills it";
}

}  // namespace

namespace {

TEST_F(WaveTrendViewsTest, TheFlickerViewShowsPstPerMinute)
{
    // 1 % modulation at 10 Hz: a steady flicker the generator knows the Pst of.
    const wavetest::GeneratedRecord modulated(gen::ThreePhaseWaveRecord(6400, 126.0, 0.005));
    Open(modulated);
    auto* flicker = Add<CWaveWaveAndFlickerStatisticView>();
    ASSERT_NE(flicker, nullptr);
    Choose(flicker, 6043, 0x04);
    EXPECT_DOUBLE_EQ(flicker->GetHost()->SampleToTime(1.0), 60.0) << "one value a minute";
    const Table table = Export(flicker);
    EXPECT_EQ(table.name, WaveText(6043) + WaveText(10105) + WaveText(10106));
    EXPECT_EQ(table.columns, (std::vector<std::wstring>{L"L1_AVG", L"L2_AVG", L"L3_AVG"})) << "Pst has no fourth phase";
    ASSERT_EQ(table.rows.size(), 2u) << "two minutes";
    // The second minute: the meter has settled.
    for (int p = 0; p < 3; ++p) {
        const double expected = modulated.Expected(Phase(p, "pst"));
        EXPECT_NEAR(table.At(1, L"L" + std::to_wstring(p + 1) + L"_AVG"), expected, 0.1 * expected) << p;
        EXPECT_NEAR(Value(flicker, p, kTrendAvg, 1), expected, 0.1 * expected) << p;
    }
    EXPECT_GT(modulated.Expected(Phase(0, "pst")), 1.0);
    EXPECT_NE(table.times[1].find(L"07:09:09"), std::wstring::npos) << platform::WideToUtf8(table.times[1]);
}

TEST_F(WaveTrendViewsTest, AColourSchemeChangeAndAReanalysisRedrawTheViews)
{
    Open(*s_record);
    auto* view = Find<CWaveCurrentAndVoltageStatisticView>();
    Choose(view, 6014, 0x05);
    ASSERT_EQ(view->GetRow()->GetImpCount(), 8);
    // Every series is named by phase and kind and coloured from the page, when shown
    // and after the scheme changed.
    const auto checkSeries = [view](const char* when) {
        for (int i = 0; i < view->GetRow()->GetImpCount(); ++i) {
            CLineStyleInfo style;
            view->GetRow()->GetImpStyle(view->GetRow()->GetImp(i), &style);
            EXPECT_EQ(style.m_lineColor, view->GetHost()->SeriesColour(style.m_phase, style.m_kindIndex))
                << when << ' ' << i;
            EXPECT_EQ(style.m_name, view->GetHost()->SeriesName(style.m_phase, style.m_kindIndex)) << when << ' ' << i;
            EXPECT_FALSE(style.m_name.empty()) << when << ' ' << i;
        }
    };
    checkSeries("shown");
    m_view->BroadcastRefresh();
    checkSeries("recoloured");
    // A re-analysis (the settings' OK) builds the same display again from new results.
    WavePaneCommand settings{CWaveStatisticView::kSettingsOpened, 0, 0, 4};
    EXPECT_EQ(ui::SendMessage(view, CWaveStatisticView::kMsgPaneCommand, reinterpret_cast<ui::WParam>(&settings), 0),
              -1);
    EXPECT_EQ(view->GetRow()->GetImpCount(), 0);
    WavePaneCommand reanalysed{CWaveStatisticView::kReanalysed, 0, 0, 4};
    EXPECT_EQ(ui::SendMessage(view, CWaveStatisticView::kMsgPaneCommand, reinterpret_cast<ui::WParam>(&reanalysed), 0),
              -1);
    Pump();
    EXPECT_EQ(view->GetRow()->GetImpCount(), 8);
    std::uint32_t phases = 0, kinds = 0;
    view->GetHost()->GetMasks(phases, kinds);
    EXPECT_EQ(kinds, 0x05u);
    EXPECT_NEAR(Value(view, 0, kMax, 0), Expected(Phase(0, "voltageRms")), 0.05);
}

// The caption a dialog template gives a control.
std::wstring TemplateCaption(unsigned dialog, unsigned control)
{
    const DialogTemplateInfo* info = CZVResourceManager::GetResourceManager()->LoadDialogTemplate(dialog);
    for (const DialogItemTemplateInfo& item : info ? info->items : std::vector<DialogItemTemplateInfo>{}) {
        if (item.id == control) {
            return item.caption;
        }
    }
    return {};
}

// The settings dialog as a user closes it: Cancel leaves every view's lines as they
// were; OK analyses the record again and the lines come back from the new results.
TEST_F(WaveTrendViewsTest, TheSettingsDialogsCancelLeavesTheViewsAlone)
{
    Open(*s_record);
    auto* view = Find<CWaveCurrentAndVoltageStatisticView>();
    ASSERT_EQ(view->GetRow()->GetImpCount(), 4);
    struct Case {
        const char* name;
        unsigned button;
        bool reanalysed;
    };
    const Case cases[] = {{"Cancel", 6908, false}, {"OK", 6907, true}};
    for (const Case& c : cases) {
        uitest::WhenModalOpens([&c](wxDialog& dialog) {
            wxButton* button = uitest::FindButton(dialog, TemplateCaption(CWaveAnalysisSetupDlg::kTemplateId, c.button));
            ASSERT_NE(button, nullptr) << c.name;
            uitest::PressButton(button);
        });
        EXPECT_EQ(m_view->OnAnalysisSetup(), c.reanalysed) << c.name;
        Pump();
        EXPECT_EQ(view->GetRow()->GetImpCount(), 4) << c.name << ": the lines are still drawn";
        EXPECT_NEAR(Value(view, 0, kTrendAvg, 0), Expected(Phase(0, "voltageRms")), 0.05) << c.name;
    }
}

// The value axis of one viewer row as the channel tree draws it: every series asks
// for the scale, and every label names its unit and fits the room the tree leaves
// it beside the ticks.
void ExpectValueAxis(const char* name, IRowItem* row, wxWindow* viewer, const std::wstring& unit)
{
    ASSERT_NE(row, nullptr) << name;
    ASSERT_GT(row->GetImpCount(), 0) << name;
    for (int i = 0; i < row->GetImpCount(); ++i) {
        CLineStyleInfo style;
        row->GetImpStyle(row->GetImp(i), &style);
        EXPECT_NE(style.m_showScale, 0) << name << " series " << i;
    }
    wxWindow* tree = viewer ? wxWindow::FindWindowByName("CTracelumeTreeCtrl", viewer) : nullptr;
    ASSERT_NE(tree, nullptr) << name;
    const int room = tree->GetClientSize().x - 10;
    int count = 4;
    row->SetScaleDivisions(&count);
    gfx::Bitmap scratch(1, 1);
    gfx::Context dc(scratch);
    dc.SetFont({L"Arial", 10});
    int labels = 0;
    double position = 0;
    std::wstring text;
    for (int k = 0; k <= count && row->GetScaleLabel(k, &position, &text) != 0; ++k, ++labels) {
        EXPECT_TRUE(text.size() > unit.size() && text.compare(text.size() - unit.size(), unit.size(), unit) == 0)
            << name << ": " << platform::WideToUtf8(text);
        EXPECT_LE(dc.TextExtent(text).width, room) << name << ": " << platform::WideToUtf8(text);
    }
    EXPECT_GE(labels, 2) << name;
}

// Every pane that draws analog values shows its scale: numbers and units beside
// the curves, in the raw-waveform pane as in the statistic views.
TEST_F(WaveTrendViewsTest, EveryPaneDrawingValuesShowsItsScale)
{
    Open(*s_record);
    CWaveOrginalViewFrame* raw = m_view->GetRawFrame();
    auto* voltage = Find<CWaveCurrentAndVoltageStatisticView>();
    auto* power = Add<CWaveCapacityAndEnergyStatisticView>();
    auto* unbalance = Add<CWaveImbalanceStatisticView>();
    auto* frequency = Add<CWaveFrequencyStatisticView>();
    ASSERT_TRUE(voltage && power && unbalance && frequency);
    Choose(power, 6032, 0x04);
    Choose(unbalance, 6068, 0x04);
    struct Case {
        const char* name;
        IRowItem* row;
        CWaveViewHost* host;
        std::wstring unit;
    };
    const Case cases[] = {
        {"raw voltage", raw->GetVoltageRow(), raw->GetHost(), L"V"},
        {"raw current", raw->GetCurrentRow(), raw->GetHost(), L"A"},
        {"voltage RMS", voltage->GetRow(), voltage->GetHost(), L"V"},
        {"reactive power", power->GetRow(), power->GetHost(), L"VAR"},
        {"voltage unbalance", unbalance->GetRow(), unbalance->GetHost(), L"%"},
        {"frequency", frequency->GetRow(), frequency->GetHost(), L"HZ"},
    };
    for (const Case& c : cases) {
        ExpectValueAxis(c.name, c.row, c.host->GetViewerWindow(), c.unit);
    }
}

}  // namespace

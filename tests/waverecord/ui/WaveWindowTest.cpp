// The waveform-record window under a virtual display: a generated record opened
// through the main view's message, with the busy indicator, the raw-waveform pane,
// the channel boxes, the range relayed to the statistic area, the CSV export, a
// broken record and a close that waits for the analysis.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <random>
#include <sstream>

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/window.h>

#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "platform/base/Encoding.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/ui/Frame.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "tests/support/TempDir.h"
#include "tests/support/WriteFault.h"
#include "tests/ui/Clicks.h"
#include "tests/ui/EventPump.h"
#include "tests/waverecord/WaveRecordFixture.h"
#include "waverecord/WaveSelection.h"
#include "waverecord/WaveTableExport.h"
#include "waverecord/WaveText.h"
#include "waverecord/WaveSettings.h"
#include "waverecord/ui/TracelumeCallBack.h"
#include "waverecord/ui/WaveAnalysisSetupDlg.h"
#include "waverecord/ui/WaveCurrentAndVoltageStatisticView.h"
#include "waverecord/ui/WaveHarmHistogramsStatisticView.h"
#include "waverecord/ui/WaveMainView.h"
#include "waverecord/ui/WavePaneButton.h"
#include "waverecord/ui/WaveStartAndEndTimeDlg.h"
#include "waverecord/WaveRangeCheck.h"
#include "waverecord/ui/WaveOrginalViewFrame.h"
#include "waverecord/ui/WavePaneLite.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"
#include "waverecord/ui/WaveViewHost.h"

namespace {

// The busy indicator the user sees, with every position it was given.
class WatchedIndicator : public platform::IHourglaze {
public:
    void Start(void* owner) override { m_shown.Start(owner); }
    void Update(double percent) override
    {
        {
            const std::lock_guard lock(m_lock);
            m_positions.push_back(percent);
        }
        m_shown.Update(percent);
    }
    void Increase(double step) override { m_shown.Increase(step); }
    void Notify(const std::wstring& text) override { m_shown.Notify(text); }
    double GetPos() override { return m_shown.GetPos(); }
    void End() override { m_shown.End(); }
    std::vector<double> Positions()
    {
        const std::lock_guard lock(m_lock);
        return m_positions;
    }
    void Reset()
    {
        const std::lock_guard lock(m_lock);
        m_positions.clear();
    }

private:
    ui::BusyIndicator m_shown;
    std::mutex m_lock;
    std::vector<double> m_positions;
};

// The simple statistic view of these tests: it keeps the events it hears and
// exports the voltage RMS of the shown phases as a real view does.
class SimpleView : public CWavePaneView {
public:
    static inline std::vector<WavePaneCommand> s_events;
    static inline bool s_failExport = false;
    int GetExportError() const override { return m_written.error; }
    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override
    {
        if (message == CWaveStatisticMainFrame::kMsgViewEvent) {
            s_events.push_back(*reinterpret_cast<const WavePaneCommand*>(wParam));
            return 0;  // the relay goes on whatever a view answers
        }
        if (message == CWaveStatisticMainFrame::kMsgExport) {
            m_written = {};
            if (s_failExport && GetPaneId() % 2 == 1) {
                return 0;
            }
            std::unique_ptr<CWaveResultStore> store = CWaveAnalysisManager::GetInstance()->GetResult(6014);
            std::int64_t startMs = 0, endMs = 0;
            CWaveSelection::Instance().GetSelectedTimeRange(startMs, endMs);
            WaveTableRequest request;
            request.folder = *reinterpret_cast<const std::wstring*>(wParam);
            request.title = WaveText(6014);
            request.unit = L"V";
            request.phaseMask = 0x07;
            request.kindMask = 0x01 | 0x04;
            request.startMs = startMs;
            request.stepNs = 200'000'000;
            return CWaveTableExport::Export(request, store.get(), &m_written) ? 1 : 0;
        }
        return CWavePaneView::WindowProc(message, wParam, lParam);
    }

private:
    WaveTableWritten m_written;
};

class WaveWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() { s_record = std::make_unique<wavetest::GeneratedRecord>(wavetest::ShortRecord()); }
    static void TearDownTestSuite() { s_record.reset(); }

    void SetUp() override
    {
        wavetest::SetWaveSystemIni("");
        platform::SetHourglaze(&m_indicator);
        ui::SetMessageBoxResponder([this](const ui::MessageBoxRequest& request) {
            m_boxes.push_back(request.text);
            return m_answer;
        });
        RegisterWaveView(5972, [] { return std::make_unique<SimpleView>(); });
        RegisterWaveView(5979, [] { return std::make_unique<SimpleView>(); });
        SimpleView::s_events.clear();
        SimpleView::s_failExport = false;
        ASSERT_TRUE(m_frame.Create(L"Ondrava"));
        m_frame.GetFrame()->SetSize(1200, 800);
        m_frame.ShowWindow(ui::kShow);
        m_view = std::make_unique<CWaveMainView>();
        ASSERT_TRUE(m_view->CreateChild(&m_frame.GetClientArea(), CWaveMainView::kControlId,
                                        ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 1180, 760)));
        ASSERT_TRUE(m_view->Initialise());
        ASSERT_TRUE(uitest::PumpUntil([this] { return m_view->GetStatisticFrame() != nullptr; }));
        ASSERT_NE(m_view->GetRawFrame(), nullptr);
    }

    void TearDown() override
    {
        m_view->DestroyWindow();
        m_view.reset();
        m_frame.DestroyWindow();
        ui::SetMessageBoxResponder({});
        platform::SetHourglaze(nullptr);
        wavetest::SetWaveSystemIni("");
        // The test's own indicator goes with the test: its queued refreshes run first.
        wxTheApp->ProcessPendingEvents();
    }

    ui::LResult Open(const std::wstring& path)
    {
        return ui::SendMessage(m_view.get(), CWaveMainView::kMsgOpenRecord, reinterpret_cast<ui::WParam>(&path), 0);
    }

    int StatisticViews() { return m_view->GetStatisticFrame()->Panes().GetPaneCount(); }

    static std::unique_ptr<wavetest::GeneratedRecord> s_record;
    WatchedIndicator m_indicator;
    std::vector<std::wstring> m_boxes;
    int m_answer = ui::kIdNo;
    ui::Frame m_frame;
    std::unique_ptr<CWaveMainView> m_view;
};

std::unique_ptr<wavetest::GeneratedRecord> WaveWindowTest::s_record;

TEST_F(WaveWindowTest, OpensARecordWithProgressAndShowsItsChannels)
{
    ASSERT_EQ(Open(s_record->Folder()), 1);
    const std::vector<double> positions = m_indicator.Positions();
    ASSERT_FALSE(positions.empty());
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_GE(positions.front(), 0.0);
    EXPECT_DOUBLE_EQ(positions.back(), 100.0);
    EXPECT_TRUE(m_boxes.empty());

    CWaveOrginalViewFrame* raw = m_view->GetRawFrame();
    ASSERT_NE(raw->GetHost()->GetViewer(), nullptr) << "the viewer came from the program folder";
    EXPECT_EQ(raw->GetVoltageRow()->GetImpCount(), 4) << "four voltage channels of the wiring";
    EXPECT_EQ(raw->GetCurrentRow()->GetImpCount(), 4);
    // The channel tree names both rows.
    EXPECT_EQ(raw->GetVoltageRow()->GetName(), WaveText(6152));
    EXPECT_EQ(raw->GetCurrentRow()->GetName(), WaveText(6153));
    EXPECT_FALSE(raw->GetVoltageRow()->GetName().empty());
    CWavePaneLite* channels = raw->GetChannels();
    EXPECT_EQ(channels->GetCheckedMask(), 0x0Fu);
    for (unsigned box : CWavePaneLite::kBoxes) {
        EXPECT_TRUE(channels->GetDlgItem(box)->IsEnabled()) << box;
    }
    // The loaded record asks for a voltage and current view and a histogram.
    ASSERT_TRUE(uitest::PumpUntil([this] { return StatisticViews() == 2; }));
    std::int64_t first = -1, end = -1;
    CWaveSelection::Instance().GetSelectedSampleRange(first, end);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(end, 2 * 12800) << "the whole record is the first selection";
}

TEST_F(WaveWindowTest, AWiringWithOnePhaseEnablesOneBox)
{
    wavetest::GeneratedRecord single(wavetest::ShortRecord(2));
    ASSERT_EQ(Open(single.Folder()), 1);
    CWavePaneLite* channels = m_view->GetRawFrame()->GetChannels();
    EXPECT_EQ(channels->GetCheckedMask(), 0x01u);
    EXPECT_TRUE(channels->GetDlgItem(9504)->IsEnabled());
    for (unsigned box : {9502u, 9503u, 9509u}) {
        EXPECT_FALSE(channels->GetDlgItem(box)->IsEnabled()) << box;
    }
    EXPECT_EQ(m_view->GetRawFrame()->GetVoltageRow()->GetImpCount(), 1);
}

TEST_F(WaveWindowTest, ChannelsAndRangesReachEveryStatisticView)
{
    ASSERT_EQ(Open(s_record->Folder()), 1);
    ASSERT_TRUE(uitest::PumpUntil([this] { return StatisticViews() == 2; }));
    CWaveOrginalViewFrame* raw = m_view->GetRawFrame();

    // Unchecking L3 hides its waveforms and tells both views.
    auto* box = dynamic_cast<wxCheckBox*>(raw->GetChannels()->GetDlgItem(9503));
    ASSERT_NE(box, nullptr);
    // What the toolkit does on a click: the box toggles, then tells its dialog.
    box->SetValue(false);
    wxCommandEvent click(wxEVT_CHECKBOX, box->GetId());
    click.SetEventObject(box);
    box->GetEventHandler()->ProcessEvent(click);
    ASSERT_TRUE(uitest::PumpUntil([] { return SimpleView::s_events.size() == 2; }));
    EXPECT_EQ(SimpleView::s_events[0].command, 1);
    EXPECT_EQ(SimpleView::s_events[0].third, 2);
    EXPECT_EQ(raw->GetChannels()->GetCheckedMask(), 0x0Bu);
    EXPECT_EQ(raw->GetVoltageRow()->GetImpCount(), 3);

    // A range the viewer selects reaches both views, positions whole.
    SimpleView::s_events.clear();
    raw->GetHost()->ViewerCommand(tracelume::kCommandSelectRegion, 2560, 12799);
    ASSERT_TRUE(uitest::PumpUntil([] { return SimpleView::s_events.size() >= 2; }));
    ASSERT_EQ(SimpleView::s_events.size(), 2u);
    for (const WavePaneCommand& event : SimpleView::s_events) {
        EXPECT_EQ(event.command, 2);
        EXPECT_EQ(event.first, 2560);
        EXPECT_EQ(event.second, 12800);
    }
    std::int64_t startMs = 0, endMs = 0;
    CWaveSelection::Instance().GetSelectedTimeRange(startMs, endMs);
    EXPECT_EQ(endMs - startMs, 800) << "10,240 samples at 12,800 per second";

    // Two selections made before the views hear of the first: each range arrives as it was.
    SimpleView::s_events.clear();
    raw->GetHost()->ViewerCommand(tracelume::kCommandSelectRegion, 2000, 12239);
    raw->GetHost()->ViewerCommand(tracelume::kCommandSelectRegion, 2600, 12799);
    ASSERT_TRUE(uitest::PumpUntil([] { return SimpleView::s_events.size() >= 4; }));
    ASSERT_EQ(SimpleView::s_events.size(), 4u);
    EXPECT_EQ(SimpleView::s_events[0].first, 2000);
    EXPECT_EQ(SimpleView::s_events[1].second, 12240);
    EXPECT_EQ(SimpleView::s_events[2].first, 2600);
    EXPECT_EQ(SimpleView::s_events[3].second, 12800);
}

TEST_F(WaveWindowTest, ExportsTheViewsTablesIntoANewFolder)
{
    ASSERT_EQ(Open(s_record->Folder()), 1);
    ASSERT_TRUE(uitest::PumpUntil([this] { return StatisticViews() == 2; }));
    testsupport::TempDir base;
    const std::wstring folder = platform::FromPath(base.Path());
    EXPECT_EQ(ui::SendMessage(m_view.get(), CWaveMainView::kMsgExport, reinterpret_cast<ui::WParam>(&folder), 0), 3);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0], WaveText(10216));
    EXPECT_DOUBLE_EQ(m_indicator.Positions().back(), 100.0);

    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(platform::ToPath(m_view->GetExportDir()))) {
        files.push_back(entry.path());
    }
    ASSERT_EQ(files.size(), 2u) << "one table per view";
    const std::vector<std::wstring> lines = wavetest::CsvLines(files[0]);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_NE(lines[1].find(L"L1_MAX"), std::wstring::npos) << lines[1];
    EXPECT_NE(lines[1].find(L"L3_AVG"), std::wstring::npos) << lines[1];
    // The rows start at the record's start and step by the series' step.
    EXPECT_NE(lines[2].find(L"2014-05-06 07:08:09"), std::wstring::npos) << lines[2];

    // A second export never writes into the first one's folder; Yes opens it.
    const std::wstring first = m_view->GetExportDir();
    std::wstring opened;
    m_view->SetFolderOpener([&](const std::wstring& shown) { opened = shown; });
    m_answer = ui::kIdYes;
    ui::SendMessage(m_view.get(), CWaveMainView::kMsgExport, reinterpret_cast<ui::WParam>(&folder), 0);
    EXPECT_NE(m_view->GetExportDir(), first);
    EXPECT_EQ(opened, m_view->GetExportDir());

    // One view that cannot write its table is named; the export is not a success.
    SimpleView::s_failExport = true;
    m_boxes.clear();
    EXPECT_EQ(ui::SendMessage(m_view.get(), CWaveMainView::kMsgExport, reinterpret_cast<ui::WParam>(&folder), 0), 1);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0], WaveText(10218) + L"\n" + WaveText(10234)) << "the histogram view (pane 1001) failed";
}

// A full disk, whether no table fits or the first does and the second does not,
// is named as such and leaves nothing of the export behind.
TEST_F(WaveWindowTest, AFullDiskIsNamedAndLeavesNoExportBehind)
{
    ASSERT_EQ(Open(s_record->Folder()), 1);
    ASSERT_TRUE(uitest::PumpUntil([this] { return StatisticViews() == 2; }));
    testsupport::TempDir base;
    const std::wstring folder = platform::FromPath(base.Path());
    ASSERT_EQ(ui::SendMessage(m_view.get(), CWaveMainView::kMsgExport, reinterpret_cast<ui::WParam>(&folder), 0), 3);
    std::uintmax_t oneTable = 0;
    for (const auto& entry : std::filesystem::directory_iterator(platform::ToPath(m_view->GetExportDir()))) {
        oneTable = entry.file_size();
    }
    std::filesystem::remove_all(platform::ToPath(m_view->GetExportDir()));

    for (const std::uintmax_t fits : {std::uintmax_t{0}, oneTable}) {
        m_boxes.clear();
        {
            const testsupport::WriteFault full(base.Path(), testsupport::WriteFault::Kind::DiskFull, fits);
            EXPECT_EQ(ui::SendMessage(m_view.get(), CWaveMainView::kMsgExport, reinterpret_cast<ui::WParam>(&folder), 0),
                      0) << fits << " bytes fit";
        }
        EXPECT_EQ(m_boxes, std::vector<std::wstring>{WaveText(10217)}) << fits << " bytes fit";
        EXPECT_TRUE(std::filesystem::is_empty(base.Path())) << fits << " bytes fit";
    }
}

TEST_F(WaveWindowTest, ABrokenRecordShowsItsMessageAndTheWindowStaysUsable)
{
    testsupport::TempDir empty;
    EXPECT_EQ(Open(platform::FromPath(empty.Path())), 0);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0], WaveText(10155));
    EXPECT_FALSE(m_view->IsBusy());
    EXPECT_EQ(Open(s_record->Folder()), 1) << "the next record opens";
}

// The same record opened again, then another: each time the window shows the record
// now open, its channels and its first views, and the one before leaves nothing behind.
TEST_F(WaveWindowTest, OpeningAgainAndAnotherRecordShowsTheNewOneWhole)
{
    // The window's own first views, with their viewers, go with each record.
    RegisterWaveView(5972, [] { return std::make_unique<CWaveCurrentAndVoltageStatisticView>(); });
    RegisterWaveView(5979, [] { return std::make_unique<CWaveHarmHistogramsStatisticView>(); });
    wavetest::GeneratedRecord single(wavetest::ShortRecord(2));
    struct Step {
        const wavetest::GeneratedRecord* record;
        int channels;
    };
    const Step steps[] = {{s_record.get(), 4}, {s_record.get(), 4}, {&single, 1}, {s_record.get(), 4}};
    int step = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(step++);
        ASSERT_EQ(Open(s.record->Folder()), 1);
        ASSERT_TRUE(uitest::PumpUntil([this] { return StatisticViews() == 2; }));
        CWaveOrginalViewFrame* raw = m_view->GetRawFrame();
        ASSERT_NE(raw->GetHost()->GetViewer(), nullptr);
        EXPECT_EQ(raw->GetVoltageRow()->GetImpCount(), s.channels);
        EXPECT_EQ(raw->GetCurrentRow()->GetImpCount(), s.channels);
        raw->GetHost()->Refresh();
        raw->GetWx()->Update();
    }
    EXPECT_TRUE(m_boxes.empty());
}

// A configuration of random bytes is refused with its own message; one with a value
// no terminal writes opens with a warning.
TEST_F(WaveWindowTest, ADamagedConfigurationIsRefusedAndAnOddOneWarned)
{
    wavetest::GeneratedRecord damaged(wavetest::ShortRecord());
    std::mt19937 random(42);
    std::string bytes(1196, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random());
    }
    damaged.dir.Write("wave.cfg", bytes);
    EXPECT_EQ(Open(damaged.Folder()), 0);
    EXPECT_EQ(m_boxes, std::vector<std::wstring>{WaveText(10236)});
    EXPECT_FALSE(m_view->IsBusy());

    gen::WaveRecordOptions options = wavetest::ShortRecord();
    options.voltageFactor[1] = 3.0f;
    wavetest::GeneratedRecord odd(options);
    m_boxes.clear();
    EXPECT_EQ(Open(odd.Folder()), 1);
    EXPECT_EQ(m_boxes, std::vector<std::wstring>{WaveText(10237)});
}

TEST_F(WaveWindowTest, ACloseDuringTheAnalysisWaitsForIt)
{
    bool closed = false;
    bool deferred = false;
    // A close that arrives while the worker runs (the indicator's loop serves it).
    ui::PostToUiThread([&] {
        deferred = m_view->DeferWhileBusy([&] { closed = true; });
    });
    ASSERT_EQ(Open(s_record->Folder()), 1);
    EXPECT_TRUE(deferred) << "the close came while the analysis ran";
    EXPECT_TRUE(closed) << "and ran once it had ended";
    EXPECT_FALSE(m_view->DeferWhileBusy([] {}));
}

TEST_F(WaveWindowTest, TheSettingsRefuseValuesOutOfRangeAndAReanalysisFollowsThem)
{
    ASSERT_EQ(Open(s_record->Folder()), 1);
    ASSERT_TRUE(uitest::PumpUntil([this] { return StatisticViews() == 2; }));
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    ASSERT_EQ(manager->GetResult(6014)->GetDescriptor(0, CWaveResultStore::kAverage).GetCount(), 10);

    // Ten 200 ms intervals at 50 Hz: RMS 2 .. 200 half cycles, harmonics 1 .. 10, Pst 1 .. 10.
    CWaveAnalysisSetupDlg dialog(manager->GetIntervalCount(), manager->GetNominalFrequency());
    ASSERT_TRUE(dialog.Create(m_view.get()));
    dialog.ShowWindow(ui::kShow);
    using Entry = CWaveAnalysisSetupDlg::Entry;
    struct Case {
        int row;
        const wchar_t* typed;
        Entry entry;
        std::wstring label;
    };
    const Case cases[] = {
        {0, L"201", Entry::TooLarge, WaveText(10101)},  {0, L"1", Entry::TooSmall, WaveText(10100)},
        {0, L"abc", Entry::NotANumber, WaveText(10103)}, {0, L"", Entry::Empty, WaveText(10102)},
        {0, L"41", Entry::Valid, WaveFillField(WaveText(10097), L"20.5")},
        {1, L"11", Entry::TooLarge, WaveText(10101)},   {1, L"2", Entry::Valid, WaveFillField(WaveText(10098), L"20")},
        {2, L"11", Entry::TooLarge, WaveText(10101)},   {2, L"10", Entry::Valid, WaveFillField(WaveText(10099), L"10")},
    };
    for (const Case& c : cases) {
        dialog.SetDlgItemText(CWaveAnalysisSetupDlg::kEdits[c.row], c.typed);
        ui::SendMessage(&dialog, 0x7E9 + static_cast<unsigned>(c.row), 0, 0);
        const std::wstring row = std::to_wstring(c.row) + L" '" + c.typed + L"'";
        EXPECT_EQ(dialog.GetEntry(c.row), c.entry) << platform::WideToUtf8(row);
        EXPECT_EQ(dialog.GetDlgItemText(CWaveAnalysisSetupDlg::kValueLabels[c.row]), c.label)
            << platform::WideToUtf8(row);
        const bool wrong = c.entry != Entry::Valid;
        const gfx::Color value = wrong ? gfx::Color{255, 0, 0} : gfx::Color{0, 0, 0};
        const gfx::Color range = wrong ? gfx::Color{0, 0, 255} : gfx::Color{125, 125, 125};
        EXPECT_EQ(dialog.GetItemTextColor(CWaveAnalysisSetupDlg::kValueLabels[c.row]), value)
            << platform::WideToUtf8(row);
        EXPECT_EQ(dialog.GetItemTextColor(CWaveAnalysisSetupDlg::kRangeLabels[c.row]), range)
            << platform::WideToUtf8(row);
    }

    // OK with a value out of its range says which and why, keeps the dialog open and
    // stores nothing; once corrected, OK stores all three.
    struct Confirm {
        const wchar_t* rms;
        const wchar_t* pst;
        bool refused;
        std::vector<unsigned> named;  // the rows the refusal names
    };
    const Confirm confirms[] = {
        {L"40", L"0", true, {10333}},
        {L"1", L"11", true, {10331, 10333}},
        {L"40", L"1", false, {}},
    };
    for (const Confirm& c : confirms) {
        m_boxes.clear();
        dialog.SetDlgItemText(CWaveAnalysisSetupDlg::kEdits[0], c.rms);
        dialog.SetDlgItemText(CWaveAnalysisSetupDlg::kEdits[1], L"1");
        dialog.SetDlgItemText(CWaveAnalysisSetupDlg::kEdits[2], c.pst);
        uitest::PressButton(dialog.GetDlgItem(6907));
        const std::string row = platform::WideToUtf8(std::wstring(c.rms) + L", " + c.pst);
        EXPECT_EQ(dialog.IsWindowVisible(), c.refused) << row;
        ASSERT_EQ(m_boxes.size(), c.refused ? 1u : 0u) << row;
        const WaveAnalysisSettings stored = CWaveSettings::Instance().Stored();
        if (c.refused) {
            EXPECT_EQ(m_boxes[0].rfind(WaveText(10330), 0), 0u) << row;
            for (unsigned name : {10331u, 10332u, 10333u}) {
                const bool named = std::find(c.named.begin(), c.named.end(), name) != c.named.end();
                EXPECT_EQ(m_boxes[0].find(WaveText(name) + L": ") != std::wstring::npos, named) << row << " " << name;
            }
            EXPECT_NE(m_boxes[0].find(L"[1, 10]"), std::wstring::npos) << row << ": the range is named";
            EXPECT_EQ(stored.rms, WaveAnalysisSettings::kDefaultRms) << row;
            EXPECT_EQ(stored.pst, WaveAnalysisSettings::kDefaultPst) << row;
        } else {
            EXPECT_EQ(stored.rms, 40);
            EXPECT_EQ(stored.harm, 1);
            EXPECT_EQ(stored.pst, 1);
        }
    }
    dialog.DestroyWindow();

    SimpleView::s_events.clear();
    m_indicator.Reset();
    ASSERT_TRUE(m_view->Reanalyse());
    EXPECT_EQ(manager->GetResult(6014)->GetDescriptor(0, CWaveResultStore::kAverage).GetCount(), 5);
    EXPECT_DOUBLE_EQ(m_indicator.Positions().back(), 100.0);
    // Each view hears first that its series are about to go, then that new ones are there.
    ASSERT_EQ(SimpleView::s_events.size(), 4u);
    EXPECT_EQ(SimpleView::s_events[0].command, 5);
    EXPECT_EQ(SimpleView::s_events[1].command, 5);
    EXPECT_EQ(SimpleView::s_events[2].command, 4);
    EXPECT_EQ(SimpleView::s_events[3].command, 4);
    EXPECT_EQ(m_view->GetRawFrame()->GetMinimumSelection(), 20 * 256 / 2)
        << "the raw pane's shortest selection follows the windows: 20 half cycles of 256 samples";
}

TEST_F(WaveWindowTest, ARangeTypedInTheTimeDialogReachesTheStatisticViews)
{
    ASSERT_EQ(Open(s_record->Folder()), 1);
    ASSERT_TRUE(uitest::PumpUntil([this] { return StatisticViews() == 2; }));
    CWaveOrginalViewFrame* raw = m_view->GetRawFrame();
    std::int64_t earliest = 0, latest = 0;
    CWaveSelection::Instance().GetSelectedTimeRange(earliest, latest);
    ASSERT_EQ(latest - earliest, 2000);

    // The dialog comes with the viewer's range mode.
    ui::SendMessage(raw, CTracelumeCallBack::kMsgRegionMode, 1, 0);
    CWaveStartAndEndTimeDlg* dialog = raw->GetRangeDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->IsWindowVisible());

    using Check = WaveRangeCheck;
    struct Case {
        const char* name;
        std::int64_t start, end;
        Check check;
        bool sent;
        std::int64_t first, second;  // the samples the views hear of
    };
    // 12,800 samples per second; the viewer keeps its range when a new one is
    // narrower than the shortest selection (20 half cycles, 2,560 samples).
    const Case cases[] = {
        {"a second inside", 500, 1500, Check::ShorterThanPst, true, 6400, 19200},
        {"shorter than the RMS window", 500, 600, Check::ShorterThanRms, true, 6400, 19200},
        {"starting before the record", -1, 1500, Check::StartOutside, false, 0, 0},
        {"ending after it", 500, 2001, Check::EndOutside, false, 0, 0},
        {"in the wrong order", 1500, 500, Check::EndNotAfterStart, false, 0, 0},
    };
    for (const Case& c : cases) {
        SimpleView::s_events.clear();
        dialog->SetStartTime(earliest + c.start);
        dialog->SetEndTime(earliest + c.end);
        EXPECT_EQ(dialog->CheckRange(), c.check) << c.name;
        EXPECT_TRUE(dialog->IsWarningShown()) << c.name << ": the record's one minute is short of a Pst window";
        EXPECT_EQ(dialog->GetDlgItemText(CWaveStartAndEndTimeDlg::kWarning), WaveText(WaveRangeCheckText(c.check)))
            << c.name;
        uitest::PressButton(dialog->GetDlgItem(CWaveStartAndEndTimeDlg::kOk));
        if (!c.sent) {
            for (int round = 0; round < 3; ++round) {
                wxYield();
            }
            EXPECT_TRUE(SimpleView::s_events.empty()) << c.name;
            continue;
        }
        ASSERT_TRUE(uitest::PumpUntil([] { return SimpleView::s_events.size() >= 2; })) << c.name;
        EXPECT_EQ(SimpleView::s_events[0].command, 2) << c.name;
        EXPECT_EQ(SimpleView::s_events[0].first, c.first) << c.name;
        EXPECT_EQ(SimpleView::s_events[0].second, c.second) << c.name;
    }

    // Dragged partly out of the pane, it comes back inside.
    const wxPoint origin = raw->GetWx()->ClientToScreen(wxPoint(0, 0));
    dialog->GetWx()->Move(origin.x - 50, origin.y + 40);
    ASSERT_TRUE(uitest::PumpUntil([&] { return dialog->GetWindowRect().x == origin.x + 8; }));

    // The window hidden (the frame shows statistics) takes the dialog along; so
    // does the end of the range mode.
    m_view->HideFloating();
    EXPECT_FALSE(dialog->IsWindowVisible());
    ui::SendMessage(raw, CTracelumeCallBack::kMsgRegionMode, 0, 0);
    ui::SendMessage(raw, CTracelumeCallBack::kMsgRegionMode, 1, 0);
    EXPECT_TRUE(dialog->IsWindowVisible());
    ui::SendMessage(raw, CTracelumeCallBack::kMsgRegionMode, 0, 0);
    EXPECT_FALSE(dialog->IsWindowVisible());
}

TEST_F(WaveWindowTest, TheStatisticCaptionButtonClearsEveryView)
{
    ASSERT_EQ(Open(s_record->Folder()), 1);
    ASSERT_TRUE(uitest::PumpUntil([this] { return StatisticViews() == 2; }));
    CWavePaneManager* panes = m_view->GetPanes();
    const int second = panes->GetNextPaneId(panes->GetFirstPaneId());
    ASSERT_TRUE(uitest::PumpUntil([&] { return panes->GetCaptionButton(second) != nullptr; }))
        << "the statistic pane's caption carries the button";
    EXPECT_EQ(panes->GetCaptionButton(panes->GetFirstPaneId()), nullptr) << "the raw pane's has none";
    // Hiding the statistic pane hides its button; one pane always stays.
    m_view->ToggleSecondPane();
    EXPECT_FALSE(m_view->IsSecondPaneLocked());
    EXPECT_FALSE(panes->GetCaptionButton(second)->IsShown());
    m_view->ToggleFirstPane();
    EXPECT_TRUE(m_view->IsFirstPaneLocked()) << "the last shown pane stays";
    m_view->ToggleSecondPane();
    EXPECT_TRUE(m_view->IsSecondPaneLocked());
    ASSERT_TRUE(uitest::PumpUntil([&] { return panes->GetCaptionButton(second)->IsShown(); }));
    uitest::PressButton(panes->GetCaptionButton(second));
    EXPECT_EQ(StatisticViews(), 0);
    EXPECT_EQ(m_view->GetStatisticFrame()->Limits().ViewCount(), 0);
}

}  // namespace

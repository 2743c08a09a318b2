// The harmonic histogram view under a virtual display, on a generated record opened
// through the main view: its first bars against the generator's harmonic values,
// the panel's phase and quantity choices, range changes from the raw-waveform
// viewer, the pane's title, the folding panel and an export that does not count
// the histogram as a failed table.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/scrolbar.h>

#include "controls/ChartContrl.h"
#include "lib/viewer/data/Tracelume.h"
#include "platform/base/Encoding.h"
#include "platform/ui/DockingPane.h"
#include "platform/ui/Frame.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "tests/support/TempDir.h"
#include "tests/ui/EventPump.h"
#include "tests/waverecord/WaveRecordFixture.h"
#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/HarmChartControl.h"
#include "waverecord/ui/WaveHarmHistogramsDlg.h"
#include "waverecord/ui/WaveHarmHistogramsStatisticView.h"
#include "waverecord/ui/WaveHarmHistograrmsMainDlg.h"
#include "waverecord/ui/WaveMainView.h"
#include "waverecord/ui/WaveOrginalViewFrame.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"
#include "waverecord/ui/WaveViewHost.h"

namespace {

// The other view the record asks for: a table of its own, always written.
class TableView : public CWavePaneView {
public:
    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override
    {
        return message == CWaveStatisticMainFrame::kMsgExport ? 1 : CWavePaneView::WindowProc(message, wParam, lParam);
    }
};

class WaveHistogramsTest : public testing::Test {
protected:
    static void SetUpTestSuite() { s_record = std::make_unique<wavetest::GeneratedRecord>(wavetest::ShortRecord()); }
    static void TearDownTestSuite() { s_record.reset(); }

    void SetUp() override
    {
        wavetest::SetWaveSystemIni("");
        ui::SetMessageBoxResponder([this](const ui::MessageBoxRequest& request) {
            m_boxes.push_back(request.text);
            return ui::kIdOk;
        });
        RegisterWaveView(5972, [] { return std::make_unique<TableView>(); });
        RegisterWaveView(5979, [] { return std::make_unique<CWaveHarmHistogramsStatisticView>(); });
        ASSERT_TRUE(m_frame.Create(L"Ondrava"));
        m_frame.GetFrame()->SetSize(1400, 900);
        m_frame.ShowWindow(ui::kShow);
        m_view = std::make_unique<CWaveMainView>();
        ASSERT_TRUE(m_view->CreateChild(&m_frame.GetClientArea(), CWaveMainView::kControlId,
                                        ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 1380, 860)));
        ASSERT_TRUE(m_view->Initialise());
        ASSERT_TRUE(uitest::PumpUntil([this] { return m_view->GetStatisticFrame() != nullptr; }));
        const std::wstring path = s_record->Folder();
        ASSERT_EQ(ui::SendMessage(m_view.get(), CWaveMainView::kMsgOpenRecord, reinterpret_cast<ui::WParam>(&path), 0),
                  1);
        ASSERT_TRUE(uitest::PumpUntil([this] { return Histogram() != nullptr && !Chart().GetBars().empty(); }));
    }

    void TearDown() override
    {
        m_view->DestroyWindow();
        m_view.reset();
        m_frame.DestroyWindow();
        ui::SetMessageBoxResponder({});
        wavetest::SetWaveSystemIni("");
    }

    int HistogramPane() const
    {
        CWavePaneManager& panes = m_view->GetStatisticFrame()->Panes();
        for (int id = panes.GetFirstPaneId(); id >= 0; id = panes.GetNextPaneId(id)) {
            if (panes.GetKind(id) == CWaveHarmHistogramsStatisticView::kKind) {
                return id;
            }
        }
        return -1;
    }
    CWaveHarmHistogramsStatisticView* Histogram() const
    {
        const int id = HistogramPane();
        return id < 0 ? nullptr
                      : dynamic_cast<CWaveHarmHistogramsStatisticView*>(m_view->GetStatisticFrame()->Panes().GetView(id));
    }
    CWaveHarmHistograrmsMainDlg& Chart() const { return *Histogram()->GetChartDlg(); }
    CWaveHarmHistogramsDlg& Panel() const { return *Histogram()->GetPanel(); }

    // What the toolkit does on a click: the control changes, then tells its dialog.
    static void Click(wxWindow* control, wxEventType type)
    {
        wxCommandEvent click(type, control->GetId());
        click.SetEventObject(control);
        control->GetEventHandler()->ProcessEvent(click);
    }
    void ClickRadio(unsigned id)
    {
        auto* radio = dynamic_cast<wxRadioButton*>(Panel().GetDlgItem(id));
        ASSERT_NE(radio, nullptr) << id;
        radio->SetValue(true);
        Click(radio, wxEVT_RADIOBUTTON);
    }

    // Every bar's statistics against the generator's harmonic of its order.
    void ExpectHarmonicBars(int phase, const std::vector<unsigned>& orders)
    {
        const std::vector<HarmBarEntry>& bars = Chart().GetBars();
        ASSERT_EQ(bars.size(), orders.size());
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const std::string name = "phase" + std::to_string(phase) + ".voltageHarmonic" + std::to_string(orders[i]);
            const auto found = s_record->expected.find(name);
            const double expected = found != s_record->expected.end() ? found->second : 0.0;
            // The fundamental within 0.2 %, the small orders within 0.05 V.
            const double tolerance = orders[i] == 1 ? 2e-3 * expected : 0.05;
            EXPECT_EQ(bars[i].label, orders[i]);
            EXPECT_NEAR(bars[i].avg, expected, tolerance) << name;
            EXPECT_NEAR(bars[i].max, expected, tolerance) << name;
            EXPECT_NEAR(bars[i].min, expected, tolerance) << name;
            EXPECT_LE(bars[i].min, bars[i].avg) << name;
            EXPECT_LE(bars[i].avg, bars[i].max) << name;
        }
    }

    static std::unique_ptr<wavetest::GeneratedRecord> s_record;
    std::vector<std::wstring> m_boxes;
    ui::Frame m_frame;
    std::unique_ptr<CWaveMainView> m_view;
};

std::unique_ptr<wavetest::GeneratedRecord> WaveHistogramsTest::s_record;

std::vector<unsigned> Orders(unsigned first, unsigned last)
{
    std::vector<unsigned> orders;
    for (unsigned o = first; o <= last; ++o) {
        orders.push_back(o);
    }
    return orders;
}

TEST_F(WaveHistogramsTest, FirstDisplayShowsTheVoltageHarmonicsOfTheFirstPhase)
{
    ExpectHarmonicBars(0, Orders(1, 15));
    const controls::BarChart& chart = Chart().GetChart()->Chart();
    ASSERT_EQ(chart.Series().size(), 3u) << "MAX, MIN and AVG";
    EXPECT_EQ(chart.Series()[0].name, WaveText(10107));
    EXPECT_EQ(chart.Series()[2].name, WaveText(10109));
    ASSERT_EQ(chart.Series()[0].points.size(), 15u);
    EXPECT_EQ(chart.Series()[0].points[4].argument, L"5");
    EXPECT_NEAR(chart.Series()[2].points[4].value, s_record->Expected("phase0.voltageHarmonic5"), 0.05);
    EXPECT_TRUE(chart.valueTitle.visible);
    EXPECT_EQ(chart.valueTitle.text, L"L1 " + WaveText(10121));
    // The pane is named after the quantity.
    ASSERT_TRUE(uitest::PumpUntil([this] {
        ui::DockingPane* pane = m_view->GetStatisticFrame()->Panes().Docking().FindPane(HistogramPane());
        return pane && pane->GetTitle() == WaveText(5981);
    }));
    // The panel shows the chart's record.
    EXPECT_EQ(Panel().State().ReadRecord(), Chart().GetRecord());
    EXPECT_EQ(Panel().IsDlgButtonChecked(CWaveHarmHistogramsDlg::kPhaseRadios[0]), 1);
    for (int p = 0; p < 4; ++p) {
        const bool wired = (CWaveAnalysisManager::GetInstance()->GetPhaseMask() & (1u << p)) != 0;
        EXPECT_EQ(Panel().GetDlgItem(CWaveHarmHistogramsDlg::kPhaseRadios[p])->IsEnabled(), wired) << p;
    }
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(WaveHistogramsTest, PanelChoicesChangeTheBars)
{
    // The second phase: its own harmonics (225 V fundamental).
    ClickRadio(CWaveHarmHistogramsDlg::kPhaseRadios[1]);
    EXPECT_EQ(Chart().GetRecord().phases, 2);
    ExpectHarmonicBars(1, Orders(1, 15));

    // Current harmonics.
    auto* groups = dynamic_cast<wxChoice*>(Panel().GetDlgItem(CWaveHarmHistogramsDlg::kGroupList));
    ASSERT_NE(groups, nullptr);
    groups->SetSelection(4);
    Click(groups, wxEVT_CHOICE);
    ClickRadio(CWaveHarmHistogramsDlg::kKindRadios[0]);
    EXPECT_EQ(Chart().GetRecord().item, 5982);
    const std::vector<HarmBarEntry>& bars = Chart().GetBars();
    ASSERT_EQ(bars.size(), 15u);
    EXPECT_NEAR(bars[2].avg, s_record->Expected("phase1.currentHarmonic3"), 0.01);
    EXPECT_EQ(Chart().GetChart()->Chart().valueTitle.text, L"L2 " + WaveText(10130));
    // The RMS values offer the K factor and DC, the content THD and DC.
    const auto tick = [this](unsigned box) {
        ASSERT_TRUE(Panel().GetDlgItem(box)->IsEnabled()) << box;
        Panel().CheckDlgButton(box, 1);
        Click(Panel().GetDlgItem(box), wxEVT_CHECKBOX);
    };
    EXPECT_FALSE(Panel().GetDlgItem(CWaveHarmHistogramsDlg::kThdBox)->IsEnabled());
    tick(CWaveHarmHistogramsDlg::kDcBox);
    tick(CWaveHarmHistogramsDlg::kKfBox);
    const std::vector<HarmBarEntry>& rms = Chart().GetBars();
    ASSERT_EQ(rms.size(), 17u);
    EXPECT_EQ(rms[15].label, kHistLabelKf) << "the K factor before DC";
    EXPECT_EQ(rms[16].label, kHistLabelDc);
    EXPECT_GT(rms[15].avg, 1.0f) << "harmonic currents raise the K factor above 1";
    EXPECT_NEAR(rms[16].avg, 0.0, 0.05) << "no DC in the signal";
    EXPECT_EQ(Chart().GetChart()->Chart().Series()[0].points[15].argument, L"KF");

    ClickRadio(CWaveHarmHistogramsDlg::kKindRadios[1]);
    EXPECT_EQ(Chart().GetRecord().item, 5986);
    EXPECT_FALSE(Panel().GetDlgItem(CWaveHarmHistogramsDlg::kKfBox)->IsEnabled());
    tick(CWaveHarmHistogramsDlg::kThdBox);
    const std::vector<HarmBarEntry>& content = Chart().GetBars();
    ASSERT_EQ(content.size(), 17u);
    EXPECT_EQ(content[15].label, kHistLabelThd);
    EXPECT_EQ(content[16].label, kHistLabelDc);
    EXPECT_NEAR(content[15].avg, s_record->Expected("phase1.currentThd"), 0.05);
    EXPECT_NEAR(content[2].avg, 10.0, 0.05) << "the 3rd harmonic is 10 % of the fundamental";

    // Select all: every order the record has, and no extras.
    uitest::PumpUntil([] { return true; });
    wxWindow* all = Panel().GetDlgItem(CWaveHarmHistogramsDlg::kSelectAll);
    Click(all, wxEVT_BUTTON);
    const int orders = CWaveAnalysisManager::GetInstance()->GetResult(5986)->CountOrders(1);
    EXPECT_EQ(static_cast<int>(Chart().GetBars().size()), orders);
    EXPECT_EQ(Chart().GetBars().back().label, static_cast<unsigned>(orders));
}

TEST_F(WaveHistogramsTest, FollowsTheRangeOfTheRawWaveform)
{
    CWaveOrginalViewFrame* raw = m_view->GetRawFrame();
    // Samples 2,560 to 12,799: the 200 ms blocks 1 to 4.
    raw->GetHost()->ViewerCommand(tracelume::kCommandSelectRegion, 2560, 12799);
    ASSERT_TRUE(uitest::PumpUntil([] {
        const std::unique_ptr<CWaveResultStore> result = CWaveAnalysisManager::GetInstance()->GetResult(5981);
        return result && result->GetDescriptor(0, CWaveResultStore::kAverage).GetCount() == 4;
    }));
    ExpectHarmonicBars(0, Orders(1, 15));

    // The THD beside the orders is read over the same range.
    HarmHistAttrib content = Chart().GetRecord();
    content.item = 5985;
    content.withTHD = 1;
    ui::SendMessage(&Chart(), CWaveHarmHistograrmsMainDlg::kMsgApply, reinterpret_cast<ui::WParam>(&content), 0);
    WavePaneCommand middle{2, 2560, 12800, 4};
    EXPECT_EQ(ui::SendMessage(Histogram(), CWaveHarmHistogramsStatisticView::kMsgPaneCommand,
                              reinterpret_cast<ui::WParam>(&middle), 0),
              1);
    EXPECT_EQ(CWaveAnalysisManager::GetInstance()->GetResult(6075)->GetDescriptor(0, 1).GetCount(), 4);
    ASSERT_EQ(Chart().GetBars().size(), 16u);
    EXPECT_EQ(Chart().GetBars().back().label, kHistLabelThd);
    EXPECT_NEAR(Chart().GetBars().back().avg, s_record->Expected("phase0.voltageThd"), 0.05);

    // Shorter than one harmonic window: the chart is left without bars.
    raw->GetHost()->ViewerCommand(tracelume::kCommandSelectRegion, 0, 999);
    WavePaneCommand shortRange{2, 0, 1000, 4};
    EXPECT_EQ(ui::SendMessage(Histogram(), CWaveHarmHistogramsStatisticView::kMsgPaneCommand,
                              reinterpret_cast<ui::WParam>(&shortRange), 0),
              0);
    for (const controls::ChartSeries& series : Chart().GetChart()->Chart().Series()) {
        EXPECT_TRUE(series.points.empty());
    }
    // The whole record again (the voltage RMS harmonics).
    ui::SendMessage(&Chart(), CWaveHarmHistograrmsMainDlg::kMsgApply,
                    reinterpret_cast<ui::WParam>(&(content = DefaultHarmHistAttrib(0x0F))), 0);
    WavePaneCommand whole{2, 0, 2 * 12800, 4};
    EXPECT_EQ(ui::SendMessage(Histogram(), CWaveHarmHistogramsStatisticView::kMsgPaneCommand,
                              reinterpret_cast<ui::WParam>(&whole), 0),
              1);
    EXPECT_EQ(CWaveAnalysisManager::GetInstance()->GetResult(5981)->GetDescriptor(0, 1).GetCount(), 10);
    ExpectHarmonicBars(0, Orders(1, 15));
}

TEST_F(WaveHistogramsTest, PanelFoldsAndExportSkipsTheHistogram)
{
    CWaveHarmHistogramsStatisticView* view = Histogram();
    const int width = view->GetClientSize().x;
    // 220 pixels, or what its controls need: none of them is cut.
    EXPECT_GE(view->GetPanelWidth(), CWaveHarmHistogramsStatisticView::kPanelWidth);
    EXPECT_EQ(Panel().GetWindowRect().GetWidth(), view->GetPanelWidth());
    for (const wxWindow* control : Panel().GetWx()->GetChildren()) {
        EXPECT_LE(control->GetRect().GetRight(), view->GetPanelWidth()) << control->GetLabel();
    }
    ui::SendMessage(view, CWaveHarmHistogramsStatisticView::kMsgToggle, 1, 0);
    EXPECT_TRUE(view->IsPanelFolded());
    EXPECT_EQ(Panel().GetWindowRect().GetWidth(), CWaveHarmHistogramsStatisticView::kFoldedWidth);
    EXPECT_EQ(Chart().GetWindowRect().GetWidth(), width - CWaveHarmHistogramsStatisticView::kFoldedWidth);

    // A refresh (a new colour scheme) draws the same bars again.
    const std::size_t points = Chart().GetChart()->Chart().Series().front().points.size();
    ui::SendMessage(m_view->GetStatisticFrame(), CWaveStatisticMainFrame::kMsgRefresh, 0, 0);
    EXPECT_EQ(Chart().GetChart()->Chart().Series().size(), 3u);
    EXPECT_EQ(Chart().GetChart()->Chart().Series().front().points.size(), points);
    EXPECT_EQ(points, 15u);

    testsupport::TempDir base;
    const std::wstring folder = platform::FromPath(base.Path());
    const ui::LResult written = ui::SendMessage(m_view->GetStatisticFrame(), CWaveStatisticMainFrame::kMsgExport,
                                                reinterpret_cast<ui::WParam>(&folder), 0);
    EXPECT_NE(written, 0) << "the table view wrote its table";
    EXPECT_TRUE(m_view->GetStatisticFrame()->ExportFailures().empty()) << "a histogram has no table to fail";
}

// The panel is taller than the view's pane: its scroll bar brings every control
// into sight, the phase choice included, and a phase chosen there is shown.
TEST_F(WaveHistogramsTest, EveryPanelControlCanBeScrolledIntoSight)
{
    CWaveHarmHistogramsStatisticView* view = Histogram();
    wxWindow* window = view->GetWx();
    ASSERT_LT(window->GetClientSize().y, Panel().GetWindowRect().GetHeight()) << "the pane is shorter than the panel";
    wxScrollBar* bar = view->GetPanelScrollBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->IsShown());
    const wxRect shown(window->GetScreenPosition(), window->GetClientSize());
    std::vector<unsigned> controls(std::begin(CWaveHarmHistogramsDlg::kPhaseRadios),
                                   std::end(CWaveHarmHistogramsDlg::kPhaseRadios));
    controls.insert(controls.end(), {CWaveHarmHistogramsDlg::kKindRadios[0], CWaveHarmHistogramsDlg::kStatBoxes[3],
                                     CWaveHarmHistogramsDlg::kKfBox, CWaveHarmHistogramsDlg::kSelectAll});
    for (unsigned id : controls) {
        wxWindow* control = Panel().GetDlgItem(id);
        ASSERT_NE(control, nullptr) << id;
        // What the toolkit does when the user drags the thumb: the bar moves, then tells.
        bar->SetThumbPosition(std::max(0, control->GetPosition().y - 10));
        wxScrollEvent drag(wxEVT_SCROLL_THUMBTRACK, bar->GetId(), bar->GetThumbPosition(), wxVERTICAL);
        drag.SetEventObject(bar);
        bar->GetEventHandler()->ProcessEvent(drag);
        const wxRect rect(control->GetScreenPosition(), control->GetSize());
        EXPECT_TRUE(shown.Contains(rect)) << id << " at " << rect.y << ".." << rect.GetBottom() << " in " << shown.y
                                          << ".." << shown.GetBottom();
    }
    // Scrolled to the phases, the third one chosen shows its bars.
    ClickRadio(CWaveHarmHistogramsDlg::kPhaseRadios[2]);
    ExpectHarmonicBars(2, Orders(1, 15));
}

}  // namespace

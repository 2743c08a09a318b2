// The harmonic trend view and its attribute panel under a virtual display, on a
// generated record with a DC offset: the panel driven through the window layer, the
// values read back through the view's attached series and its exported table
// against the generator's, the order slots with their colours, the colour popup,
// channel and range changes (a short range leaves the view as it was and still
// reaches the other views), the colour scheme and the pane registration.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include <wx/choice.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/radiobut.h>

#include "lib/viewer/data/LineStyleInfo.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "platform/base/Encoding.h"
#include "platform/ui/ColorChooser.h"
#include "platform/ui/Frame.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "tests/support/TempDir.h"
#include "tests/ui/Clicks.h"
#include "tests/ui/EventPump.h"
#include "tests/waverecord/WaveRecordFixture.h"
#include "waverecord/WaveSelection.h"
#include "waverecord/WaveText.h"
#include "waverecord/ui/WaveHarmonicWaveStatisticView.h"
#include "waverecord/ui/WaveMainView.h"
#include "waverecord/ui/WaveOrginalViewFrame.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"
#include "waverecord/ui/WaveViewHost.h"

namespace {

using Panel = CWaveHarmWaveTendencyAttribDlg;

// A second statistic view that keeps the events it hears.
class ListeningView : public CWavePaneView {
public:
    static inline std::vector<WavePaneCommand> s_events;
    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override
    {
        if (message == CWaveStatisticMainFrame::kMsgViewEvent) {
            s_events.push_back(*reinterpret_cast<const WavePaneCommand*>(wParam));
            return 1;
        }
        return CWavePaneView::WindowProc(message, wParam, lParam);
    }
};

struct Curve {
    std::wstring name;
    std::uint32_t colour;
};

class WaveHarmonicViewTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        gen::WaveRecordOptions options = wavetest::ShortRecord();
        options.signals[0].dc = 4.0;
        options.signals[6].dc = 0.5;
        s_record = std::make_unique<wavetest::GeneratedRecord>(options);
    }
    static void TearDownTestSuite() { s_record.reset(); }

    void SetUp() override
    {
        wavetest::SetWaveSystemIni("");
        ui::SetMessageBoxResponder([](const ui::MessageBoxRequest&) { return ui::kIdOk; });
        RegisterHarmonicTrendView();
        RegisterWaveView(5972, [] { return std::make_unique<ListeningView>(); });
        RegisterWaveView(5979, [] { return std::make_unique<ListeningView>(); });
        ListeningView::s_events.clear();
        ASSERT_TRUE(m_frame.Create(L"Ondrava"));
        m_frame.GetFrame()->SetSize(1300, 900);
        m_frame.ShowWindow(ui::kShow);
        m_main = std::make_unique<CWaveMainView>();
        ASSERT_TRUE(m_main->CreateChild(&m_frame.GetClientArea(), CWaveMainView::kControlId,
                                        ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 1280, 860)));
        ASSERT_TRUE(m_main->Initialise());
        ASSERT_TRUE(uitest::PumpUntil([this] { return m_main->GetStatisticFrame() != nullptr; }));
        const std::wstring path = s_record->Folder();
        ASSERT_EQ(ui::SendMessage(m_main.get(), CWaveMainView::kMsgOpenRecord, reinterpret_cast<ui::WParam>(&path), 0),
                  1);
        CWaveStatisticMainFrame* area = m_main->GetStatisticFrame();
        ASSERT_TRUE(uitest::PumpUntil([area] { return area->Panes().GetPaneCount() >= 2; }));
        ASSERT_EQ(ui::SendMessage(area, CWaveStatisticMainFrame::kMsgAddView, CWaveHarmonicWaveStatisticView::kKind, 3),
                  1);
        for (int id = area->Panes().GetFirstPaneId(); id >= 0; id = area->Panes().GetNextPaneId(id)) {
            if (auto* view = dynamic_cast<CWaveHarmonicWaveStatisticView*>(area->Panes().GetView(id))) {
                m_view = view;
            }
        }
        ASSERT_NE(m_view, nullptr);
        Settle();
    }

    void TearDown() override
    {
        m_main->DestroyWindow();
        m_main.reset();
        m_frame.DestroyWindow();
        ui::SetMessageBoxResponder({});
        ui::SetColorChooserResponder({});
        wavetest::SetWaveSystemIni("");
    }

    static void Settle()
    {
        int spins = 0;
        uitest::PumpUntil([&spins] { return ++spins > 30; });
    }

    Panel& ThePanel() { return m_view->GetPanel(); }

    void Choose(unsigned id, int index)
    {
        auto* list = ThePanel().GetItem<wxChoice>(id);
        ASSERT_NE(list, nullptr) << id;
        list->SetSelection(index);
        ui::SendMessage(&ThePanel(), ui::kMsgCommand, ui::MakeWParam(id, ui::kNotifySelChange), 0);
        Settle();
    }
    void ChooseGroup(int group)
    {
        const auto groups = harmtrend::Groups();
        const auto found = std::find_if(groups.begin(), groups.end(), [group](const harmtrend::Group& g) { return g.group == group; });
        Choose(Panel::kItemCombo, static_cast<int>(found - groups.begin()));
    }
    // What the toolkit does on a click: the button changes, then tells its dialog.
    void Click(unsigned id, bool value = true)
    {
        wxWindow* control = ThePanel().GetDlgItem(id);
        ASSERT_NE(control, nullptr) << id;
        if (auto* radio = dynamic_cast<wxRadioButton*>(control)) {
            radio->SetValue(true);
        } else if (auto* box = dynamic_cast<wxCheckBox*>(control)) {
            box->SetValue(value);
        }
        ui::SendMessage(&ThePanel(), ui::kMsgCommand, ui::MakeWParam(id, ui::kNotifyClicked), 0);
        Settle();
    }
    bool Enabled(unsigned id) { return ThePanel().GetDlgItem(id)->IsEnabled(); }
    bool Checked(unsigned id) { return ThePanel().IsDlgButtonChecked(id) != 0; }
    std::vector<std::wstring> Entries(unsigned id)
    {
        std::vector<std::wstring> entries;
        auto* list = ThePanel().GetItem<wxChoice>(id);
        for (unsigned i = 0; list && i < list->GetCount(); ++i) {
            entries.push_back(list->GetString(i).ToStdWstring());
        }
        return entries;
    }

    // The curves the view's row draws, in the order they were attached.
    std::vector<Curve> Curves()
    {
        std::vector<Curve> curves;
        IRowItem* row = m_view->GetRow();
        for (int i = 0; row && i < row->GetImpCount(); ++i) {
            CLineStyleInfo style;
            row->GetImpStyle(row->GetImp(i), &style);
            curves.push_back({style.m_name, style.m_lineColor});
        }
        return curves;
    }

    std::uint32_t SlotColour(int slot)
    {
        std::uint32_t colour = 0;
        ui::SendMessage(m_view, CWaveHarmonicWaveStatisticView::kMsgSlotColour, reinterpret_cast<ui::WParam>(&colour),
                        slot);
        return colour;
    }

    // Every value of a series of the view's record.
    static std::vector<float> Values(CWaveResultStore* store, int key, int kind)
    {
        std::vector<float> values;
        if (!store) {
            return values;
        }
        const CWaveSeriesDescriptor series = store->GetDescriptor(key, kind);
        float value = 0.0f;
        for (std::int64_t i = 0; series.ReadAt(i, &value); ++i) {
            values.push_back(value);
        }
        return values;
    }

    static std::unique_ptr<wavetest::GeneratedRecord> s_record;
    ui::Frame m_frame;
    std::unique_ptr<CWaveMainView> m_main;
    CWaveHarmonicWaveStatisticView* m_view = nullptr;
};

std::unique_ptr<wavetest::GeneratedRecord> WaveHarmonicViewTest::s_record;

constexpr int kAvg = CWaveResultStore::kAverage;

TEST_F(WaveHarmonicViewTest, ANewViewShowsTheVoltageDcOfTheCheckedChannels)
{
    EXPECT_TRUE(FindWaveView(CWaveHarmonicWaveStatisticView::kKind));
    const HarmTrendAttrib& record = m_view->GetAttrib();
    EXPECT_EQ(record.item, 6004);
    EXPECT_EQ(record.stats, 4);
    EXPECT_EQ(record.phases, 0x0F) << "the raw side's checked channels";
    EXPECT_EQ(m_view->GetItemId(), 6004u);
    const std::vector<float> dc = Values(m_view->GetStore(), 0, kAvg);
    ASSERT_FALSE(dc.empty());
    for (float value : dc) {
        EXPECT_NEAR(value, s_record->Expected("phase0.voltageDc"), 0.05);
    }
    EXPECT_EQ(Curves().size(), 4u) << "one average per channel";

    // The panel shows the view's record.
    EXPECT_EQ(ThePanel().GetSelectedGroup(), 6055);
    EXPECT_TRUE(Checked(Panel::kStatAvg));
    EXPECT_TRUE(Checked(Panel::kKindRms));
    EXPECT_FALSE(Enabled(Panel::kKFactor));
    for (int slot = 0; slot < 6; ++slot) {
        EXPECT_FALSE(Enabled(Panel::kFirstOrderCombo + slot)) << slot;
    }
    for (unsigned radio : {Panel::kPhaseL1, Panel::kPhaseL2, Panel::kPhaseL3, Panel::kPhaseN}) {
        EXPECT_FALSE(Enabled(radio)) << "several channels: no single phase" << radio;
    }
}

TEST_F(WaveHarmonicViewTest, OrdersAreDrawnInTheColoursOfTheSlotsThatChoseThem)
{
    ChooseGroup(6056);
    EXPECT_EQ(m_view->GetItemId(), 5981u);
    EXPECT_TRUE(Enabled(Panel::kPhaseL1));
    EXPECT_TRUE(Checked(Panel::kPhaseL1));
    EXPECT_TRUE(Checked(Panel::kKindRms));
    const std::vector<std::wstring> entries = Entries(Panel::kFirstOrderCombo);
    ASSERT_GE(entries.size(), 8u);
    EXPECT_EQ(entries[0], L"OFF");
    EXPECT_EQ(entries[1], L"1");
    EXPECT_EQ(m_view->GetAttrib().orders[5], 6) << "orders 1 to 6 in the six slots";

    // Slots 7, off, 3, off, 5, 2: each curve in its slot's colour.
    const int chosen[6] = {7, 0, 3, 0, 5, 2};
    for (int slot = 0; slot < 6; ++slot) {
        Choose(Panel::kFirstOrderCombo + slot, chosen[slot]);
    }
    const HarmTrendAttrib& record = m_view->GetAttrib();
    EXPECT_EQ(std::vector<int>(record.orders.begin(), record.orders.begin() + 6), (std::vector<int>{7, 0, 3, 0, 5, 2}));
    const std::vector<Curve> curves = Curves();
    ASSERT_EQ(curves.size(), 4u);
    const int slots[4] = {1, 3, 5, 6};
    const wchar_t* orders[4] = {L"07", L"03", L"05", L"02"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(curves[i].colour, SlotColour(slots[i])) << "curve " << i;
        EXPECT_NE(curves[i].name.find(orders[i]), std::wstring::npos) << i;
    }
    EXPECT_NE(SlotColour(1), SlotColour(3)) << "the scheme gives the slots different colours";

    // The values of the orders shown, against the signal.
    struct Case {
        int order;
        const char* expected;
    };
    for (const Case& c : {Case{7, "phase0.voltageHarmonic7"}, Case{5, "phase0.voltageHarmonic5"}}) {
        const std::vector<float> values = Values(m_view->GetStore(), harmtrend::OrderKey(0, c.order), kAvg);
        ASSERT_FALSE(values.empty()) << c.order;
        for (float value : values) {
            EXPECT_NEAR(value, s_record->Expected(c.expected), 0.05) << c.order;
        }
    }

    // The export names a column per phase and slot, values by the signal.
    testsupport::TempDir folder;
    const std::wstring path = platform::FromPath(folder.Path());
    ASSERT_EQ(ui::SendMessage(m_view, CWaveStatisticMainFrame::kMsgExport, reinterpret_cast<ui::WParam>(&path), 0), 1);
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        files.push_back(entry.path());
    }
    ASSERT_EQ(files.size(), 1u);
    const std::vector<std::wstring> lines = wavetest::CsvLines(files[0]);
    ASSERT_GE(lines.size(), 3u);
    const std::wstring pattern = WaveText(10142);
    const std::wstring h7 = L"L1" + WaveFillField(pattern, L"07"), h2 = L"L1" + WaveFillField(pattern, L"02");
    ASSERT_NE(lines[1].find(h7), std::wstring::npos) << lines[1];
    EXPECT_LT(lines[1].find(h7), lines[1].find(h2)) << "columns in slot order";
    std::wistringstream row(lines[2]);
    std::vector<std::wstring> cells;
    for (std::wstring cell; std::getline(row, cell, L',');) {
        cells.push_back(cell);
    }
    ASSERT_EQ(cells.size(), 5u) << lines[2];
    EXPECT_NEAR(std::stod(cells[1]), s_record->Expected("phase0.voltageHarmonic7"), 0.05);
    EXPECT_NEAR(std::stod(cells[3]), s_record->Expected("phase0.voltageHarmonic5"), 0.05);
}

TEST_F(WaveHarmonicViewTest, TheColourPopupRecoloursTheSlotsCurve)
{
    ChooseGroup(6056);
    const std::uint32_t before = SlotColour(2);
    // Click slot 2's swatch, then a colour of the popup.
    wxWindow* swatch = ThePanel().GetDlgItem(Panel::kFirstSwatch + 1);
    ASSERT_NE(swatch, nullptr);
    CColorPopup& popup = ThePanel().GetColorPopup();
    std::uint32_t picked = controls::ColorPopupLayout::Swatches()[0];
    if (picked == before) {
        picked = controls::ColorPopupLayout::Swatches()[1];
    }
    const int index = picked == controls::ColorPopupLayout::Swatches()[0] ? 0 : 1;
    uitest::ClickWithMouse(swatch);
    Settle();
    EXPECT_EQ(ThePanel().GetColorSlot(), 2);
    ASSERT_TRUE(popup.IsOpen());
    EXPECT_EQ(popup.GetCurrentColor(), before);
    const gfx::Point centre = controls::ColorPopupLayout::Centre({controls::ColorPopupPart::Swatch, index});
    ui::SendMessage(&popup, ui::kMsgLButtonUp, ui::kMouseLeftButton,
                    ui::MakePointLParam(int(centre.x), int(centre.y)));
    Settle();
    EXPECT_FALSE(popup.IsOpen());
    EXPECT_EQ(SlotColour(2), picked) << "kept in the colour scheme";
    const std::vector<Curve> curves = Curves();
    ASSERT_GE(curves.size(), 2u);
    EXPECT_EQ(curves[1].colour, picked) << "slot 2's curve";
    EXPECT_NE(curves[0].colour, picked);
    // Put the scheme back for the other tests.
    ui::SendMessage(m_view, CWaveHarmonicWaveStatisticView::kMsgSetSlotColour, before, 2);
}

TEST_F(WaveHarmonicViewTest, GroupsSetThePanelAndTheItem)
{
    // Current interharmonics start at order 0 and offer the K factor.
    ChooseGroup(6062);
    EXPECT_EQ(m_view->GetItemId(), 5992u);
    const std::vector<std::wstring> entries = Entries(Panel::kFirstOrderCombo);
    ASSERT_GE(entries.size(), 3u);
    EXPECT_EQ(entries[1], L"0");
    EXPECT_EQ(entries[2], L"1");
    EXPECT_TRUE(Enabled(Panel::kKFactor));

    // Current harmonics with the K factor: its curve comes beside the orders.
    ChooseGroup(6061);
    const std::size_t orders = Curves().size();
    Click(Panel::kKFactor, true);
    EXPECT_EQ(m_view->GetAttrib().withKFactor, 1);
    EXPECT_EQ(Curves().size(), orders + 1);
    const std::vector<float> kFactor = Values(m_view->GetKFactorStore(), 0, kAvg);
    ASSERT_FALSE(kFactor.empty());
    for (float value : kFactor) {
        EXPECT_NEAR(value, s_record->Expected("phase0.currentKFactor"), 0.05);
    }

    // Harmonic power with N checked moves to L1; N is off.
    Click(Panel::kPhaseN);
    ChooseGroup(6066);
    EXPECT_TRUE(Checked(Panel::kPhaseL1));
    EXPECT_FALSE(Enabled(Panel::kPhaseN));
    EXPECT_EQ(m_view->GetItemId(), 6000u);

    // The voltage DC group with "content" sends its content item.
    ChooseGroup(6055);
    Click(Panel::kKindContent);
    EXPECT_EQ(m_view->GetItemId(), 6005u);

    // THD: one curve per channel, the values of the signal.
    ChooseGroup(6076);
    EXPECT_EQ(m_view->GetItemId(), 6076u);
    for (int p = 0; p < 3; ++p) {
        const std::vector<float> values = Values(m_view->GetStore(), p, kAvg);
        ASSERT_FALSE(values.empty()) << p;
        EXPECT_NEAR(values.front(), s_record->Expected("phase" + std::to_string(p) + ".currentThd"), 0.05) << p;
    }
    const std::vector<float> dc = Values(CWaveAnalysisManager::GetInstance()->GetResult(6006).get(), 2, kAvg);
    ASSERT_FALSE(dc.empty());
    EXPECT_NEAR(dc.front(), s_record->Expected("phase2.currentDc"), 0.01);

    // The THD table: the host's phases and statistics.
    Click(Panel::kStatMax);
    testsupport::TempDir folder;
    const std::wstring path = platform::FromPath(folder.Path());
    ASSERT_EQ(ui::SendMessage(m_view, CWaveStatisticMainFrame::kMsgExport, reinterpret_cast<ui::WParam>(&path), 0), 1);
    const std::vector<std::wstring> lines =
        wavetest::CsvLines(std::filesystem::directory_iterator(folder.Path())->path());
    ASSERT_GE(lines.size(), 3u);
    EXPECT_NE(lines[1].find(L"L1_MAX"), std::wstring::npos) << lines[1];
    EXPECT_EQ(lines[1].find(L"L1_AVG"), std::wstring::npos) << "one statistic at a time" << lines[1];
}

TEST_F(WaveHarmonicViewTest, ChannelsAndRangesAreFollowedAndAShortRangeIsPassedOn)
{
    ChooseGroup(6075);
    std::uint32_t phases = 0, kinds = 0;
    m_view->GetHost()->GetMasks(phases, kinds);
    EXPECT_EQ(phases & 0x07u, 0x07u);

    // A channel switched off and on again.
    WavePaneCommand off{1, 0, 0, 1};
    ui::SendMessage(m_view, CWaveStatisticMainFrame::kMsgViewEvent, reinterpret_cast<ui::WParam>(&off), 0);
    m_view->GetHost()->GetMasks(phases, kinds);
    EXPECT_EQ(phases & 0x02u, 0u);
    WavePaneCommand on{0, 0, 0, 1};
    ui::SendMessage(m_view, CWaveStatisticMainFrame::kMsgViewEvent, reinterpret_cast<ui::WParam>(&on), 0);
    m_view->GetHost()->GetMasks(phases, kinds);
    EXPECT_EQ(phases & 0x02u, 0x02u);

    // A range of four 200 ms blocks: the series hold four values.
    const std::size_t whole = Values(m_view->GetStore(), 0, kAvg).size();
    EXPECT_EQ(whole, 10u);
    m_main->GetRawFrame()->GetHost()->ViewerCommand(tracelume::kCommandSelectRegion, 2560, 2560 * 5 - 1);
    ASSERT_TRUE(uitest::PumpUntil([] { return !ListeningView::s_events.empty(); }));
    Settle();
    EXPECT_EQ(Values(m_view->GetStore(), 0, kAvg).size(), 4u);

    // A range shorter than one harmonic window: the view keeps its display, answers,
    // and the other views still hear of the range.
    ListeningView::s_events.clear();
    WavePaneCommand shortRange{2, 0, 2559, 4};
    EXPECT_NE(ui::SendMessage(m_view, CWaveStatisticMainFrame::kMsgViewEvent, reinterpret_cast<ui::WParam>(&shortRange), 0),
              0);
    ui::SendMessage(m_main->GetStatisticFrame(), CWaveStatisticMainFrame::kMsgEvent,
                    reinterpret_cast<ui::WParam>(&shortRange), 0);
    EXPECT_EQ(Values(m_view->GetStore(), 0, kAvg).size(), 4u);
    ASSERT_EQ(ListeningView::s_events.size(), 2u) << "both other views heard of the range";
    EXPECT_EQ(ListeningView::s_events[0].second, 2559);
}

TEST_F(WaveHarmonicViewTest, TheColourSchemeRedrawsAndThePanelCollapses)
{
    ChooseGroup(6056);
    const std::size_t curves = Curves().size();
    ui::SendMessage(m_main->GetStatisticFrame(), CWaveStatisticMainFrame::kMsgRefresh, 0, 0);
    Settle();
    EXPECT_EQ(Curves().size(), curves);
    EXPECT_EQ(m_view->GetItemId(), 5981u);

    const int wide = ThePanel().GetWindowRect().GetWidth();
    EXPECT_GE(wide, CWaveHarmonicWaveStatisticView::kPanelWidth);
    EXPECT_EQ(wide, m_view->GetPanelWidth()) << "the panel is not clipped";
    ui::SendMessage(m_view, Panel::kMsgToggle, 1, 0);
    EXPECT_TRUE(m_view->IsPanelCollapsed());
    EXPECT_EQ(ThePanel().GetWindowRect().GetWidth(), 5);
    ui::SendMessage(m_view, Panel::kMsgToggle, 1, 0);
    EXPECT_EQ(ThePanel().GetWindowRect().GetWidth(), wide);
}

}  // namespace

// The harmonic histograms of an opened record, through the main frame: the opening
// road shows the histogram pane, its charts are filled at the load from the item
// files, and once the collection that follows every load is done the charts the
// user asks for come from its summaries. Every bar is checked against the values
// computed here directly from the item files (intervals without value left out).
#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>

#include "AppTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/NewDataSelectDlg.h"
#include "controls/ChartContrl.h"
#include "platform/base/Encoding.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/RibbonBar.h"
#include "terminal/HarmDataCollector.h"
#include "terminal/StatCube.h"
#include "terminal/ZVDataManager.h"
#include "tests/support/TempDir.h"
#include "tools/gen/ComtradeRecord.h"
#include "tools/gen/ItemFiles.h"
#include "tools/gen/SoeFile.h"
#include "tools/gen/StatisticFolder.h"
#include "views/DlgHarmMain.h"
#include "views/DlgHarmPanel.h"
#include "views/DlgHarmScrollView.h"
#include "views/VolHarmonicHistogramsFrm.h"

namespace apptest {
namespace {

namespace fs = std::filesystem;
using Panel = CHarmPanelState;

constexpr std::uint64_t kRecords = 48;

// A converted K7700 record of two days at an hour with the voltage and current
// harmonics, THD, DC and K factor; two intervals the terminal could not measure.
gen::StatisticFolderOptions Record()
{
    gen::StatisticFolderOptions options;
    options.items = {1, 7, 8};
    for (std::uint32_t item = 22; item <= 74; ++item) {
        options.items.push_back(item);
    }
    for (std::uint32_t item = 210; item <= 261; ++item) {
        options.items.push_back(item);
    }
    options.records = kRecords;
    options.timePlot = 3600;
    options.preConvert = 1;
    options.noValueRecords = {5, 30};
    return options;
}

struct Statistics {
    double maximum = 0.0, minimum = 0.0, average = 0.0, cp95 = 0.0;
};

// The four statistics of one phase of an item file, computed from its records:
// P interval maxima, P minima, P averages of P phases as float32 each.
Statistics FromItemFile(const fs::path& file, std::uint32_t phases, std::uint32_t phase)
{
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> values(bytes.size() / 4);
    std::memcpy(values.data(), bytes.data(), values.size() * 4);
    const std::size_t step = 3 * phases;
    std::vector<double> maxima, minima, averages;
    for (std::size_t at = 0; at + step <= values.size(); at += step) {
        const float v[] = {values[at + phase], values[at + phases + phase], values[at + 2 * phases + phase]};
        std::vector<double>* lists[] = {&maxima, &minima, &averages};
        for (int k = 0; k < 3; ++k) {
            if (!IsNoValue(v[k])) {
                lists[k]->push_back(v[k]);
            }
        }
    }
    EXPECT_FALSE(averages.empty()) << file;
    if (averages.empty()) {
        return {};
    }
    Statistics s;
    s.maximum = *std::max_element(maxima.begin(), maxima.end());
    s.minimum = *std::min_element(minima.begin(), minima.end());
    double sum = 0.0;
    for (const double a : averages) {
        sum += a;
    }
    s.average = sum / static_cast<double>(averages.size());
    std::sort(averages.begin(), averages.end());
    const auto rank = static_cast<std::size_t>(static_cast<float>(averages.size()) * 0.95f + 0.5f);
    s.cp95 = averages[std::clamp<std::size_t>(rank, 1, averages.size()) - 1];
    return s;
}

// The item file of a bar of the voltage ("V") or current ("A") harmonics.
fs::path ItemFile(const fs::path& folder, const char* quantity, const std::wstring& label, const char* kind)
{
    const std::string name = platform::WideToUtf8(label);
    std::string file;
    if (name == "THD" || name == "KF") {
        file = std::string("ESIN_") + quantity + "_" + name;
    } else if (name == "DC") {
        file = std::string("ESIN_") + quantity + "_DC" + kind;
    } else {
        file = std::string("ESIN_") + quantity + "_HARM_" + name + kind;
    }
    return folder / "Statistic" / "newfiles" / (file + ".data");
}

class HarmonicHistogramTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ui::SetPickerResponder([this](const ui::PickerRequest&) { return m_pick; });
        ui::SetDialogResponder([](ui::Dialog& dialog) {
            if (auto* selection = dynamic_cast<CNewDataSelectDlg*>(&dialog)) {
                selection->OnOK();
                return true;
            }
            return false;
        });
    }
    void TearDown() override
    {
        ui::SetDialogResponder(nullptr);
        ui::SetPickerResponder(nullptr);
        // The record goes with the frame before its folder does.
        ui::SendMessage(&Frame(), ui::kMsgClose, kCloseReasonLanguageRestart, 0);
        Restart();
        AppTest::TearDown();
    }

    // Every bar the chart of the phase shows equals the statistics of its item file,
    // and the chart's series hold the bar's values.
    void ExpectBarsFromFiles(const CDlgHarmMain& chart, const char* quantity, std::uint32_t phase, const char* kind,
                             const char* row)
    {
        const std::vector<CHarmBar>& bars = chart.GetBars();
        const controls::BarChart& drawn = chart.GetChart()->Chart();
        ASSERT_FALSE(bars.empty()) << row;
        ASSERT_EQ(drawn.Series().size(), 4u) << row;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const CHarmBar& bar = bars[i];
            const fs::path file = ItemFile(m_folder.Path(), quantity, bar.label, kind);
            ASSERT_TRUE(fs::exists(file)) << row << ": " << file;
            const Statistics expected = FromItemFile(file, 4, phase);
            const std::string where = std::string(row) + ", bar " + platform::WideToUtf8(bar.label);
            EXPECT_NEAR(bar.maximum, expected.maximum, 0.001) << where;
            EXPECT_NEAR(bar.minimum, expected.minimum, 0.001) << where;
            EXPECT_NEAR(bar.average, expected.average, 0.001) << where;
            EXPECT_NEAR(bar.cp95, expected.cp95, 0.001) << where;
            const float shown[] = {bar.maximum, bar.minimum, bar.average, bar.cp95};
            for (std::size_t s = 0; s < 4; ++s) {
                ASSERT_EQ(drawn.Series()[s].points.size(), bars.size()) << where;
                EXPECT_EQ(drawn.Series()[s].points[i].argument, bar.label) << where;
                EXPECT_FLOAT_EQ(static_cast<float>(drawn.Series()[s].points[i].value), shown[s]) << where;
            }
        }
    }

    testsupport::TempDir m_folder;
    std::wstring m_pick;
};

void Tick(wxCheckBox* box, bool checked)
{
    ASSERT_NE(box, nullptr);
    box->SetValue(checked);
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetEventObject(box);
    event.SetInt(checked ? 1 : 0);
    box->ProcessWindowEvent(event);
}

TEST_F(HarmonicHistogramTest, ALoadsCollectionReachesTheHistograms)
{
    const gen::StatisticFolderOptions options = Record();
    ASSERT_TRUE(gen::WriteStatisticFolder(m_folder.Path(), options));
    ASSERT_TRUE(gen::WriteItemFiles(m_folder.Path() / "Statistic" / "newfiles", options));
    gen::ComtradeOptions comtrade;
    comtrade.first = {2026, 3, 1, 8, 45, 0, 0};
    comtrade.trigger = {2026, 3, 1, 8, 45, 0, 100};
    ASSERT_TRUE(gen::WriteComtradeRecord(
        m_folder.Path() / "COMTRADE/001" / gen::ComtradeRecordName("AB", comtrade.first), comtrade));
    ASSERT_TRUE(gen::WriteSoeFile(m_folder.Path() / "SOE/K7700.soe", gen::MakeSoeBlocks({2, 3})));
    m_pick = platform::FromPath(m_folder.Path());
    ASSERT_TRUE(Frame().GetRibbonBar()->ClickButton(kCmdOpenLocal));
    Drain();
    ASSERT_TRUE(Frame().IsStatisticLoaded());
    ASSERT_EQ(Frame().GetPaneManager().IsPaneHidden(40012), 0);
    auto* frame = dynamic_cast<CVolHarmonicHistogramsFrm*>(Frame().GetPaneManager().GetView(40012));
    ASSERT_NE(frame, nullptr) << "the histogram pane shows the histogram frame";
    CDlgHarmPanel* panel = frame->Panel();
    CDlgHarmScrollView* view = frame->ScrollView();
    ASSERT_NE(panel, nullptr);
    ASSERT_NE(view, nullptr);
    auto* list = panel->GetItem<wxChoice>(Panel::kFamilyList);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetCount(), 2u);
    EXPECT_EQ(list->GetString(0), wxString(L"电压谐波Harm U"));
    EXPECT_EQ(list->GetString(1), wxString(L"电流谐波Harm I"));

    // At the load: voltage harmonics 1 to 15 of L1, effective values, all four
    // statistics (the 95 % value ticked here refills the chart).
    Tick(panel->GetItem<wxCheckBox>(Panel::kFirstStatistic + 3), true);
    ASSERT_EQ(view->Chart(0)->GetBars().size(), 15u);
    ExpectBarsFromFiles(*view->Chart(0), "V", 0, "_EFF", "voltage L1 at the load");

    // The collection after the load ends and publishes its summaries.
    ASSERT_TRUE(PumpUntil([] { return !Frame().IsCollecting(); }));
    const std::shared_ptr<const CStatCube> cube = CHarmDataCollector::GetInstance().GetCube();
    ASSERT_TRUE(cube) << "the collection ran after the load";

    // The current harmonics of L1 and L3 with their K factor and DC, asked for now.
    list->SetSelection(1);
    wxCommandEvent choose(wxEVT_CHOICE, list->GetId());
    choose.SetEventObject(list);
    choose.SetInt(1);
    list->ProcessWindowEvent(choose);
    Tick(panel->GetItem<wxCheckBox>(Panel::kFirstPhase + 2), true);
    ASSERT_TRUE(panel->GetItem<wxCheckBox>(Panel::kKf)->IsEnabled()) << "the current harmonics' K factor";
    Tick(panel->GetItem<wxCheckBox>(Panel::kKf), true);
    Tick(panel->GetItem<wxCheckBox>(Panel::kDc), true);
    for (const std::uint32_t phase : {0u, 2u}) {
        SCOPED_TRACE(phase);
        const CDlgHarmMain& chart = *view->Chart(phase);
        ASSERT_EQ(chart.GetBars().size(), 17u);
        EXPECT_EQ(chart.GetBars()[15].label, L"DC");
        EXPECT_EQ(chart.GetBars()[16].label, L"KF");
        ExpectBarsFromFiles(chart, "A", phase, "_EFF", "current effective values");
        // The orders' bars are the collector's summaries.
        for (std::int32_t order = 0; order < 15; ++order) {
            CStatValue cell;
            ASSERT_NE(FindItemValue(cube.get(), phase, 1, order, 7000, cell), 0u) << order;
            const CHarmBar& bar = chart.GetBars()[static_cast<std::size_t>(order)];
            EXPECT_FLOAT_EQ(bar.maximum, cell.maximum) << order;
            EXPECT_FLOAT_EQ(bar.minimum, cell.minimum) << order;
            EXPECT_FLOAT_EQ(bar.cp95, cell.percentile95) << order;
        }
    }

    // As ratios with THD: the K factor goes, THD comes.
    auto* ratio = panel->GetItem<wxRadioButton>(Panel::kRatio);
    ASSERT_NE(ratio, nullptr);
    ratio->SetValue(true);
    wxCommandEvent click(wxEVT_RADIOBUTTON, ratio->GetId());
    click.SetEventObject(ratio);
    ratio->ProcessWindowEvent(click);
    EXPECT_FALSE(panel->GetItem<wxCheckBox>(Panel::kKf)->IsEnabled());
    Tick(panel->GetItem<wxCheckBox>(Panel::kThd), true);
    const std::vector<CHarmBar>& ratios = view->Chart(2)->GetBars();
    ASSERT_EQ(ratios.size(), 17u);
    EXPECT_EQ(ratios[15].label, L"THD");
    EXPECT_EQ(ratios[16].label, L"DC");
    ExpectBarsFromFiles(*view->Chart(2), "A", 2, "_RAT", "current ratios of L3");
    EXPECT_EQ(view->Chart(2)->GetChart()->Chart().valueTitle.text, L"电流谐波[%](L3)");
}

}  // namespace
}  // namespace apptest

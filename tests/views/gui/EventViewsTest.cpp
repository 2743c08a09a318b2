// The transient-event and alarm-event views under a virtual display, bound to real
// models over a generated folder, driven through the window layer.
#include <gtest/gtest.h>

#include <cwchar>

#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/grid.h>

#include "export/ComtradeTabulist.h"
#include "lib/viewer/data/Tracelume.h"
#include "terminal/ComtradeModel.h"
#include "terminal/SOEModel.h"
#include "terminal/ZVController.h"
#include "tests/export/ExportTestSupport.h"
#include "tests/support/TempDir.h"
#include "tests/ui/EventPump.h"
#include "tests/views/EventViewsTestSupport.h"
#include "tools/gen/SoeFile.h"
#include "platform/ui/ListView.h"
#include "views/ComtradeListView.h"
#include "views/ComtradePane.h"
#include "views/SOEDMMView.h"
#include "views/SOEListView.h"
#include "views/SOEVirtualList.h"

namespace {

// The COMTRADE model, counting what the views ask of it.
class CountingComtradeModel : public CComtradeModel {
public:
    int GetData(QueryWord w0, QueryWord w1, QueryWord w2, QueryWord w3, QueryWord w4, QueryWord w5) override {
        ++calls;
        return CComtradeModel::GetData(w0, w1, w2, w3, w4, w5);
    }
    int calls = 0;
};

// A click on a check box as the toolkit delivers it: the box flips, then tells.
void ClickBox(wxCheckBox* box) {
    box->SetValue(!box->GetValue());
    wxCommandEvent click(wxEVT_CHECKBOX, box->GetId());
    click.SetEventObject(box);
    click.SetInt(box->GetValue() ? 1 : 0);
    box->ProcessWindowEvent(click);
}

// The test's frame as a window of the window layer, to be the views' parent.
class FrameHost : public ui::Window {
public:
    explicit FrameHost(wxWindow* frame) { Attach(frame, 0, false); }
};

// Creates a view in the frame and binds it as the controller does.
template <class View>
bool Make(View& view, wxFrame* frame, ISubject& subject, IDataModel& model, IController& controller, std::uint32_t id) {
    FrameHost host(frame);
    if (!view.Create(&host)) {
        return false;
    }
    view.GetWx()->SetSize(frame->GetClientSize());
    subject.Attach(&view, CZVController::PaneMask(id));
    view.m_pDataModel = &model;
    view.m_pController = &controller;
    return true;
}

class EventViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(eventtest::WriteEventFolder(dir.Path()));
        ASSERT_TRUE(gen::WriteSoeFolder(dir.Path(), gen::MakeSoeBlocks({2, 3})));
        comtrade.CreateAnalysis(0);
        soe.CreateAnalysis(0);
        controller.SetComtradeModel(&comtrade);
        controller.SetSOEModel(&soe);
        frame = new wxFrame(nullptr, wxID_ANY, "views", wxPoint(40, 40), wxSize(900, 520));
        frame->Show();
        ASSERT_TRUE(uitest::PumpUntil([&] { return frame->IsShownOnScreen(); }));
    }
    void TearDown() override {
        frame->Destroy();
        Settle();
    }
    static void Settle() {
        int rounds = 0;
        uitest::PumpUntil([&] { return ++rounds > 10; });
    }
    void OpenComtrade() {
        CCtrlItem open{ctrl::kOpenComtrade, reinterpret_cast<std::uintptr_t>(selection.data()), 0,
                       eventtest::Wide(dir.Path())};
        controller.Notify(&open);
    }
    void OpenSoe() {
        CCtrlItem open{ctrl::kOpenSoe, reinterpret_cast<std::uintptr_t>(selection.data()), 0,
                       eventtest::Wide(dir.Path())};
        controller.Notify(&open);
    }

    testsupport::TempDir dir;
    std::array<std::uint32_t, 14> selection = eventtest::WholeSelection();
    CountingComtradeModel comtrade;
    CSOEModel soe;
    CZVController controller;
    wxFrame* frame = nullptr;
};

TEST_F(EventViewsTest, ListOpensRecordsAndPanesDrawThemAtTheirOwnRate) {
    CComtradeListView list;
    CComtradeVoltage voltage;
    ASSERT_TRUE(Make(list, frame, comtrade, comtrade, controller, 40001));
    ASSERT_TRUE(Make(voltage, frame, comtrade, comtrade, controller, 40002));
    ASSERT_NE(voltage.GetViewer(), nullptr);
    for (int box = 1; box <= 5; ++box) {
        EXPECT_FALSE(voltage.GetStrip().GetBox(box)->IsEnabled()) << "box " << box << " before a record";
    }

    OpenComtrade();
    ASSERT_EQ(list.GetRows().size(), 4u);
    EXPECT_EQ(list.GetList()->GetItemCount(), 4);
    EXPECT_EQ(list.GetList()->GetItemText(0, 0), L"电压暂降");
    EXPECT_EQ(list.GetList()->GetItemText(1, 2), L"2023-04-05 10:15:30.123");
    EXPECT_EQ(list.GetSelectedRow(), 0) << "the first line opens when the list is ready";
    EXPECT_EQ(comtrade.GetCurrentPath(), eventtest::Wide(dir.Path()) + list.GetRows()[0].name);

    CComtradePaneLogic& logic = voltage.GetLogic();
    ITracelume* viewer = voltage.GetViewer();
    EXPECT_DOUBLE_EQ(viewer->GetSampleRate(), 3200.0);
    EXPECT_EQ(viewer->GetDataLength(), eventtest::kSamples);
    EXPECT_EQ(logic.GetSamplesPerRms(), 64u);
    for (int box = 1; box <= 5; ++box) {
        EXPECT_TRUE(voltage.GetStrip().GetBox(box)->IsEnabled()) << "box " << box << " with every phase present";
    }

    // The strip keeps its own width in the toolbar, whatever sizes came before.
    const wxWindow* strip = voltage.GetStrip().GetWx();
    for (const wxWindow* box : strip->GetChildren()) {
        EXPECT_LE(box->GetRect().GetRight(), strip->GetSize().x) << "every box inside the strip";
    }
    // The next line, by a key as the user presses it.
    wxWindow* rows = list.GetList()->GetChildren().front();
    for (wxWindow* child : list.GetList()->GetChildren()) {
        if (child->GetSize().y > rows->GetSize().y) {
            rows = child;  // the rows, below the header
        }
    }
    for (const wxEventType type : {wxEVT_KEY_DOWN, wxEVT_CHAR}) {
        wxKeyEvent key(type);
        key.SetEventObject(rows);
        key.m_keyCode = WXK_DOWN;
        rows->GetEventHandler()->ProcessEvent(key);
    }
    EXPECT_EQ(list.GetSelectedRow(), 1) << "the Down key opens the next line";
    EXPECT_EQ(comtrade.GetCurrentPath(), eventtest::Wide(dir.Path()) + L"/COMTRADE/002/TR_20230405_101530_123.CFG");
    EXPECT_DOUBLE_EQ(viewer->GetSampleRate(), 12800.0) << "the record's own rate";
    EXPECT_EQ(viewer->GetDataLength(), eventtest::kFastSamples);
    EXPECT_EQ(logic.GetSamplesPerRms(), 256u);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(logic.Rms(k).GetCount(), logic.Waveform(k).GetCount()) << "phase " << k;
    }
    EXPECT_EQ(logic.Waveform(3).GetCount(), 0u) << "N unchecked at first";

    // Phase toggles: from the series held, without asking the model.
    const int calls = comtrade.calls;
    wxCheckBox* l2 = voltage.GetStrip().GetBox(2);
    ClickBox(l2);
    ASSERT_TRUE(uitest::PumpUntil([&] { return logic.Waveform(1).GetCount() == 0; })) << "L2 hidden";
    EXPECT_EQ(logic.Rms(1).GetCount(), 0u);
    ClickBox(l2);
    ASSERT_TRUE(uitest::PumpUntil([&] { return logic.Waveform(1).GetCount() == eventtest::kFastSamples; }));
    EXPECT_EQ(comtrade.calls, calls) << "toggles make no model call";

    // The RMS row: both rows share the height.
    ClickBox(voltage.GetStrip().GetBox(5));
    ASSERT_TRUE(uitest::PumpUntil([&] { return !logic.IsRmsShown(); }));
    EXPECT_EQ(comtrade.calls, calls);

    // The export of the shown record: a row per sample, a row per stored value.
    ClickBox(voltage.GetStrip().GetBox(5));
    ASSERT_TRUE(uitest::PumpUntil([&] { return logic.IsRmsShown(); }));
    list.SelectRow(0);
    ExportSource source;
    ASSERT_EQ(voltage.FillAttributes(source), 1);
    ASSERT_EQ(source.Channels(), 6u) << "L1-L3 waveforms, then their effective values";
    EXPECT_EQ(source.keys[3].type, 5);
    testsupport::TempDir out;
    CComtradeTabulist exporter;
    exporter.SetMode(0);
    ASSERT_EQ(exporter.Export(source, eventtest::Wide(out.Path())), ITabulistEx::kExported);
    const auto wave = exporttest::ReadCsv(exporttest::CsvFile(out.Path(), L"电压波形值_"));
    ASSERT_EQ(wave.size(), 2u + eventtest::kSamples);
    const auto rms = exporttest::ReadCsv(exporttest::CsvFile(out.Path(), L"电压波形值有效值_"));
    ASSERT_EQ(rms.size(), 2u + eventtest::kSamples / 64);
    double stored = 0.0;
    ASSERT_TRUE(logic.Rms(0).GetValue(3, &stored));
    EXPECT_NEAR(std::wcstod(rms[2 + 3][1].c_str(), nullptr), stored, 0.0011) << "the stored values";

    // A reset empties both.
    CCtrlItem close{ctrl::kCloseAll, 0, 0, L""};
    controller.Notify(&close);
    EXPECT_EQ(list.GetList()->GetItemCount(), 0);
    EXPECT_EQ(logic.GetWaveformRow(), nullptr);
    list.DestroyWindow();
    voltage.DestroyWindow();
}

TEST_F(EventViewsTest, AlarmListSelectsEventsAndTheSceneFollows) {
    CSOEListView events;
    CSOEDMMView scene;
    ASSERT_TRUE(Make(events, frame, soe, soe, controller, 40004));
    ASSERT_TRUE(Make(scene, frame, soe, soe, controller, 40005));
    EXPECT_EQ(scene.GetReport()->GetNumberRows(), 0);

    OpenSoe();
    CSOEVirtualList* list = events.GetList();
    ASSERT_EQ(list->GetItemCount(), 7) << "two heads and five events";
    EXPECT_EQ(list->GetItemText(0, 1), L"越限告警");
    EXPECT_EQ(list->GetItemText(0, 3), L"2024-03-05 08:30:00.000");
    EXPECT_EQ(scene.GetReport()->GetNumberRows(), 45) << "the first row's scene";
    EXPECT_EQ(scene.GetReport()->GetCellValue(0, 0), L"L1 有功功率");
    const std::wstring first = scene.GetCaption();
    EXPECT_EQ(first.rfind(L"频率：", 0), 0u) << first;

    // The second block's head: another scene.
    events.SelectRow(3);
    EXPECT_EQ(scene.GetReport()->GetNumberRows(), 45);
    EXPECT_NE(scene.GetReport()->GetCellValue(0, 1), wxString()) << "refilled";

    // Blocks close and open from their first column.
    EXPECT_TRUE(events.ToggleRow(0));
    EXPECT_EQ(list->GetItemCount(), 5);
    EXPECT_FALSE(events.ToggleRow(2)) << "an event row is no block";
    events.ToggleAll();
    EXPECT_EQ(list->GetItemCount(), 2) << "all closed";
    events.ToggleAll();
    EXPECT_EQ(list->GetItemCount(), 7) << "all open";

    // A row the manager does not have shows empty cells.
    SOERow row;
    ASSERT_TRUE(list->RowAt(2, row));
    EXPECT_NE(row.dataPosition, 0u);
    EXPECT_FALSE(list->RowAt(99, row));
    EXPECT_EQ(row.dataPosition, 0u) << "not the row asked before";
    EXPECT_EQ(row.record.w[4], 0);

    CCtrlItem close{ctrl::kCloseAll, 0, 0, L""};
    controller.Notify(&close);
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(scene.GetReport()->GetNumberRows(), 0);
    events.DestroyWindow();
    scene.DestroyWindow();
}

TEST_F(EventViewsTest, AnEmptyAlarmListClearsTheScene) {
    testsupport::TempDir empty;
    ASSERT_TRUE(gen::WriteSoeFolder(empty.Path(), {}));
    CSOEListView events;
    CSOEDMMView scene;
    ASSERT_TRUE(Make(events, frame, soe, soe, controller, 40004));
    ASSERT_TRUE(Make(scene, frame, soe, soe, controller, 40005));
    OpenSoe();
    ASSERT_EQ(scene.GetReport()->GetNumberRows(), 45);
    CCtrlItem open{ctrl::kOpenSoe, reinterpret_cast<std::uintptr_t>(selection.data()), 0, eventtest::Wide(empty.Path())};
    controller.Notify(&open);
    EXPECT_EQ(events.GetList()->GetItemCount(), 0);
    EXPECT_EQ(scene.GetReport()->GetNumberRows(), 0) << "no event selected: no scene";
    EXPECT_EQ(scene.GetCaption(), L"频率：--");
    events.DestroyWindow();
    scene.DestroyWindow();
}

}  // namespace

// The waveform panes' fill of the viewer, over a generated record and the test
// viewer of real rows, row kinds and summary caches that records what the pane asks
// of it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "terminal/ComtradeModel.h"
#include "tests/support/FakeViewer.h"
#include "tests/support/TempDir.h"
#include "tests/views/EventViewsTestSupport.h"
#include "views/data/ComtradePaneLogic.h"

namespace {

class Boxes : public IPhaseBoxes {
public:
    void SetCheck(int index, int state) override {
        if (index >= 1 && index <= 5) {
            checked[index] = state;
        }
    }
    void Enable(int index, bool on) override {
        if (index >= 1 && index <= 5) {
            enabled[index] = on;
        }
    }
    int IsChecked(int index) override { return index >= 1 && index <= 5 && enabled[index] ? checked[index] : 0; }
    int checked[6] = {};
    bool enabled[6] = {};
};

class PaneLogicTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(eventtest::WriteEventFolder(dir.Path()));
        model.CreateAnalysis(0);
        auto selection = eventtest::WholeSelection();
        CCtrlItem open{ctrl::kOpenComtrade, reinterpret_cast<std::uintptr_t>(selection.data()), 0,
                       eventtest::Wide(dir.Path())};
        model.OpenData(&open);
        CCtrlItem choose{ctrl::kComtradeRecord, 0, 0, L"/COMTRADE/001/TR_20230405_101530_123.CFG"};
        model.OpenData(&choose);
        logic.SetViewer(&viewer);
        logic.SetClientHeight(600);
        logic.Initialise();
    }
    static int Kinds(IRowItem* row) { return row != nullptr ? row->GetImpCount() : -1; }

    testsupport::TempDir dir;
    CComtradeModel model;
    Boxes boxes;
    testsupport::FakeViewer viewer;
    CComtradePaneLogic logic{kCurrentPaneKind, boxes};
};

TEST_F(PaneLogicTest, FillsRowsHeightsAndTheEffectiveValueRow) {
    EXPECT_FALSE(boxes.enabled[1]) << "nothing to switch before a record";
    logic.Fill(&model);
    EXPECT_DOUBLE_EQ(viewer.GetSampleRate(), 3200.0);
    EXPECT_EQ(viewer.GetDataLength(), eventtest::kSamples);
    EXPECT_EQ(viewer.zoomAlls, 1);
    ASSERT_EQ(viewer.Rows().size(), 2u);
    EXPECT_EQ(Kinds(logic.GetWaveformRow()), 4);
    EXPECT_EQ(Kinds(logic.GetRmsRow()), 4);
    for (int box = 1; box <= 5; ++box) {
        EXPECT_TRUE(boxes.enabled[box]) << "box " << box;
    }
    EXPECT_EQ(logic.Waveform(3).GetCount(), 0u) << "N starts unchecked";
    EXPECT_EQ(logic.Rms(0).GetCount(), logic.Waveform(0).GetCount());

    struct Case {
        const char* what;
        int client;
        int rmsState;
        int waveHeight;
        int rmsHeight;
        int treeWidth;
    };
    const Case cases[] = {
        {"both rows share the room", 600, 1, 250, 250, 115},
        {"the waveform row alone", 600, 0, 500, -1, 65},
        {"a short pane keeps the viewer's least height", 150, 1, 150, 150, 115},
        {"a tall pane", 1000, 0, 900, -1, 65},
    };
    for (const Case& c : cases) {
        logic.SetClientHeight(c.client);
        logic.OnBox(CComtradePaneLogic::kRmsBox, c.rmsState);
        EXPECT_EQ(logic.IsRmsShown(), c.rmsState != 0) << c.what;
        EXPECT_EQ(logic.GetWaveformRow()->GetHeight(), c.waveHeight) << c.what;
        if (c.rmsHeight > 0) {
            EXPECT_EQ(logic.GetRmsRow()->GetHeight(), c.rmsHeight) << c.what;
        }
        const testsupport::FakeViewer::Call* treeWidth = viewer.LastCommand(tracelume::kCommandTreeWidth);
        ASSERT_NE(treeWidth, nullptr) << c.what;
        EXPECT_EQ(treeWidth->a, c.treeWidth) << c.what;
    }

    // A phase box hides and shows a phase from the series held.
    logic.OnBox(1, 0);
    EXPECT_EQ(logic.Waveform(0).GetCount(), 0u);
    EXPECT_EQ(logic.Rms(0).GetCount(), 0u);
    logic.OnBox(1, 1);
    EXPECT_EQ(logic.Waveform(0).GetCount(), eventtest::kSamples);

    logic.Reset();
    EXPECT_TRUE(viewer.Rows().empty());
    EXPECT_EQ(logic.GetWaveformRow(), nullptr);
    EXPECT_EQ(boxes.checked[1], 1);
    EXPECT_FALSE(boxes.enabled[1]);
}

TEST_F(PaneLogicTest, APhaseWithoutRowKindIsSkippedAndTheFillGoesOn) {
    viewer.refusedKind = 3;  // the first kind of L2
    logic.Fill(&model);
    EXPECT_EQ(Kinds(logic.GetWaveformRow()), 3) << "L1, L3 and N";
    EXPECT_EQ(Kinds(logic.GetRmsRow()), 3);
    EXPECT_FALSE(boxes.enabled[2]);
    EXPECT_EQ(boxes.checked[2], 0);
    EXPECT_TRUE(boxes.enabled[4]) << "the phases after it still come";
    EXPECT_DOUBLE_EQ(viewer.GetSampleRate(), 3200.0) << "time scale";
    EXPECT_EQ(viewer.zoomAlls, 1) << "zoom";
}

TEST_F(PaneLogicTest, ExportRecordListsCheckedPhasesWaveformsFirst) {
    logic.Fill(&model);
    struct Case {
        const char* what;
        int rms;
        int l2;
        std::vector<int> types;
    };
    const Case cases[] = {
        {"effective values shown", 1, 1, {9, 10, 11, 13, 14, 15}},
        {"waveforms only", 0, 1, {9, 10, 11}},
        {"L2 off", 1, 0, {9, 11, 13, 15}},
    };
    for (const Case& c : cases) {
        boxes.checked[CComtradePaneLogic::kRmsBox] = c.rms;
        boxes.checked[2] = c.l2;
        ExportSource source;
        ASSERT_EQ(logic.FillAttributes(&model, source), 1) << c.what;
        std::vector<int> types;
        for (const ExportKey& key : source.keys) {
            types.push_back(key.type);
        }
        EXPECT_EQ(types, c.types) << c.what;
        EXPECT_EQ(source.kind, 1) << c.what;
        EXPECT_EQ(source.samplesPerRms, 64u) << c.what;
        EXPECT_EQ(source.startTime, L"2023-04-05 10:15:30.123") << c.what;
        EXPECT_DOUBLE_EQ(source.interval, 1.0 / 3200.0) << c.what;
    }
}

}  // namespace

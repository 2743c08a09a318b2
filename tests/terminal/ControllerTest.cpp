#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <memory>
#include <string>
#include <vector>

#include "terminal/ObserverViewBase.h"
#include "terminal/PaneManager.h"
#include "terminal/ZVController.h"

namespace {

class FakeView : public IObserverViewBase {
public:
    int OnUpdate(std::uint32_t event, std::uintptr_t, std::uintptr_t) override
    {
        events.push_back(event);
        if (onUpdate) {
            onUpdate();
        }
        return 1;
    }
    std::vector<std::uint32_t> events;
    std::function<void()> onUpdate;
};

// The docking panes: a view per pane id, and the calls in order ("show 40001").
class FakePaneManager : public IPaneManager {
public:
    IObserverViewBase* ShowPane(std::uint32_t id) override
    {
        calls.push_back("show " + std::to_string(id));
        if (id < 40001 || id > 40012 || missing.count(id) != 0) {
            return nullptr;
        }
        auto& view = views[id];
        if (!view) {
            view = std::make_unique<FakeView>();
        }
        return view.get();
    }
    int SelectPane(std::uint32_t id) override
    {
        calls.push_back("select " + std::to_string(id));
        return 1;
    }
    void ClosePane(std::uint32_t id) override { calls.push_back("close " + std::to_string(id)); }

    std::map<std::uint32_t, std::unique_ptr<FakeView>> views;
    std::set<std::uint32_t> missing;
    std::vector<std::string> calls;
};

// A model that records the requests it receives.
class FakeModel : public ISubject, public IDataModel {
public:
    int CreateAnalysis(std::uint32_t) override { return 1; }
    int GetSource(std::uint32_t* source) override
    {
        *source = state;
        return 1;
    }
    int OpenData(void* request) override
    {
        codes.push_back(static_cast<CCtrlItem*>(request)->code);
        return 0;
    }
    int Release() override
    {
        ++releases;
        return 1;
    }
    int QueryBasicInfo(BasicInfo*) override { return 0; }

    std::uint32_t state = 0;
    std::vector<std::uint32_t> codes;
    int releases = 0;
};

struct Frame {
    FakeModel comtrade, soe, statistic, second;
    FakePaneManager panes;
    CZVController controller;

    Frame()
    {
        controller.SetComtradeModel(&comtrade);
        controller.SetSOEModel(&soe);
        controller.SetStatisticModel(&statistic);
        controller.SetSecondStatisticModel(&second);
        controller.SetPaneManager(&panes);
    }
    std::uint32_t Pane(std::uint32_t id, bool close, const std::wstring& text = L"")
    {
        CCtrlItem request{ctrl::kPane, id, close ? 1u : 0u, text};
        return controller.Notify(&request);
    }
    FakeView& View(std::uint32_t id) { return *panes.views.at(id); }
    // The default set of panes, as the main frame shows it.
    void ShowDefaultPanes()
    {
        Pane(40001, false);
        Pane(40004, false, L"FALSE");
        for (std::uint32_t id : {40006u, 40007u, 40008u, 40010u, 40009u, 40011u, 40012u}) {
            Pane(id, false);
        }
    }
};

// Every pane's view is attached to its model with the mask of its kind and gets
// its model, second model and controller.
TEST(Controller, BindsEveryPaneOfTheDefaultSet)
{
    Frame frame;
    frame.ShowDefaultPanes();
    struct Case {
        std::uint32_t id;
        FakeModel* model;
        std::uint32_t mask;
    };
    const Case cases[] = {
        {40001, &frame.comtrade, 0x242}, {40002, &frame.comtrade, 0x212}, {40003, &frame.comtrade, 0x212},
        {40004, &frame.soe, 0x204},      {40005, &frame.soe, 0x220},      {40006, &frame.statistic, 0x288},
        {40007, &frame.statistic, 0x288}, {40008, &frame.statistic, 0x288}, {40009, &frame.statistic, 0x288},
        {40010, &frame.statistic, 0x288}, {40011, &frame.statistic, 0x288}, {40012, &frame.statistic, 0x288},
    };
    for (const Case& c : cases) {
        FakeView& view = frame.View(c.id);
        EXPECT_EQ(c.model->MaskOf(&view), c.mask) << c.id;
        EXPECT_EQ(view.m_pDataModel, static_cast<IDataModel*>(c.model)) << c.id;
        EXPECT_EQ(view.m_pController, &frame.controller) << c.id;
        EXPECT_EQ(view.m_pSecondDataModel, c.id >= 40006 ? static_cast<IDataModel*>(&frame.second) : nullptr)
            << c.id;
    }
    EXPECT_EQ(frame.comtrade.ObserverCount(), 3u);
    EXPECT_EQ(frame.soe.ObserverCount(), 2u);
    EXPECT_EQ(frame.statistic.ObserverCount(), 7u);
    // "FALSE" leaves the transient-event pane selected.
    const std::vector<std::string> firstCalls(frame.panes.calls.begin(), frame.panes.calls.begin() + 6);
    EXPECT_EQ(firstCalls, (std::vector<std::string>{"show 40001", "show 40002", "show 40003", "select 40001",
                                                    "show 40004", "show 40005"}));

    // Notifications reach the views whose mask shares a bit.
    frame.comtrade.Notify(0x040, 0, 0);
    frame.comtrade.Notify(0x010, 0, 0);
    EXPECT_EQ(frame.View(40001).events, (std::vector<std::uint32_t>{0x040}));
    EXPECT_EQ(frame.View(40002).events, (std::vector<std::uint32_t>{0x010}));
    EXPECT_EQ(frame.View(40003).events, (std::vector<std::uint32_t>{0x010}));
    frame.statistic.Notify(0x200, 0, 0);
    frame.soe.Notify(0x200, 0, 0);
    for (std::uint32_t id = 40004; id <= 40012; ++id) {
        EXPECT_EQ(frame.View(id).events.back(), 0x200u) << id;
    }
}

TEST(Controller, ShowsClosesAndSelectsPanes)
{
    struct Case {
        const char* row;
        std::uint32_t id;
        bool close;
        const wchar_t* text;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"alarm list selected", 40004, false, L"", {"show 40004", "show 40005", "select 40004"}},
        {"alarm list, FALSE", 40004, false, L"FALSE", {"show 40004", "show 40005"}},
        {"voltage waveform", 40002, false, L"", {"show 40002", "select 40001"}},
        {"field data", 40005, false, L"", {"show 40005", "select 40004"}},
        {"trend", 40009, false, L"", {"show 40009"}},
        {"close transient list", 40001, true, L"", {"close 40001", "close 40002", "close 40003"}},
        {"close alarm list", 40004, true, L"", {"close 40004", "close 40005"}},
        {"close voltage waveform", 40002, true, L"", {"close 40002"}},
        {"other id", 123, false, L"", {"show 123"}},
    };
    for (const Case& c : cases) {
        Frame frame;
        EXPECT_EQ(frame.Pane(c.id, c.close, c.text), 0u) << c.row;
        EXPECT_EQ(frame.panes.calls, c.calls) << c.row;
    }
}

TEST(Controller, RoutesRequestsToTheirModel)
{
    struct Case {
        std::uint32_t code;
        std::uint32_t firstState;
        std::vector<std::uint32_t> comtrade, soe, statistic, second;
        int secondReleases;
    };
    const Case cases[] = {
        {0x002, 0, {0x002}, {}, {}, {}, 0},
        {0x010, 0, {0x010}, {}, {}, {}, 0},
        {0x040, 0, {0x040}, {}, {}, {}, 0},
        {0x004, 0, {}, {0x004}, {}, {}, 0},
        {0x020, 0, {}, {0x020}, {}, {}, 0},
        {0x008, 0, {}, {}, {0x008}, {}, 0},
        {0x080, 0, {}, {}, {0x080}, {}, 0},
        {0x100, 0, {}, {}, {}, {0x100}, 0},
        {0x100, 1, {}, {}, {}, {}, 1},
        {0x200, 0, {0x200}, {0x200}, {0x200}, {}, 0},
        {0x400, 0, {}, {}, {}, {}, 0},
    };
    for (const Case& c : cases) {
        Frame frame;
        frame.statistic.state = c.firstState;
        CCtrlItem request{c.code, 0, 0, L""};
        EXPECT_EQ(frame.controller.Notify(&request), 0u) << c.code;
        EXPECT_EQ(frame.comtrade.codes, c.comtrade) << c.code;
        EXPECT_EQ(frame.soe.codes, c.soe) << c.code;
        EXPECT_EQ(frame.statistic.codes, c.statistic) << c.code;
        EXPECT_EQ(frame.second.codes, c.second) << c.code;
        EXPECT_EQ(frame.second.releases, c.secondReleases) << c.code;
    }
}

TEST(Controller, MissingViewsAndModelsAreSkipped)
{
    CZVController controller;
    FakePaneManager panes;
    panes.missing = {40002};
    controller.SetPaneManager(&panes);
    CCtrlItem request{ctrl::kPane, 40001, 0, L""};
    controller.Notify(&request);  // no models set
    EXPECT_EQ(panes.views.at(40001)->m_pDataModel, nullptr);
    EXPECT_EQ(panes.views.at(40001)->m_pController, &controller);
    EXPECT_EQ(panes.views.at(40003)->m_pController, &controller);
    FakeView other;
    controller.BindView(&other, 7);
    EXPECT_EQ(other.m_pController, &controller);
    EXPECT_EQ(other.m_pDataModel, nullptr);
    CCtrlItem open{ctrl::kOpenStatistic, 0, 0, L""};
    EXPECT_EQ(controller.Notify(&open), 0u);
}

// Attaching again replaces the mask; observers may attach and detach while being
// notified; a marshal carries every notification.
TEST(Subject, KeepsOneMaskPerObserverAndWalksASnapshot)
{
    FakeModel model;
    FakeView views[3];  // in address order, which is the order of notification
    FakeView& a = views[0];
    FakeView& b = views[1];
    FakeView& late = views[2];
    model.Attach(&a, 0x008);
    model.Attach(&a, 0x200);
    EXPECT_EQ(model.ObserverCount(), 1u);
    model.Notify(0x008, 0, 0);
    EXPECT_TRUE(a.events.empty()) << "only the last mask counts";

    model.Attach(&b, 0x200);
    a.onUpdate = [&] {
        model.Detach(&a);
        model.Detach(&b);
        model.Attach(&late, 0x200);
    };
    model.Notify(0x200, 0, 0);
    EXPECT_EQ(a.events.size(), 1u);
    EXPECT_TRUE(b.events.empty()) << "an observer detached during the walk is not called";
    EXPECT_TRUE(late.events.empty()) << "an observer attached during the walk waits for the next event";
    model.Detach(&late);
    model.Detach(&late);  // absent: ignored

    int marshalled = 0;
    model.Attach(&b, 0x200);
    model.SetNotifyMarshal([&](const std::function<void()>& deliver) {
        ++marshalled;
        deliver();
    });
    model.Notify(0x200, 0, 0);
    EXPECT_EQ(marshalled, 1);
    EXPECT_EQ(b.events.back(), 0x200u);
}

}  // namespace

// The record panes: which are shown and in front after each data view, the three
// tab groups, what the pane manager does with ids it does not know, which
// right-hand panes go with which event list, and the layout that comes back at
// the next start.
#include <algorithm>
#include <functional>
#include <set>
#include <vector>

#include <wx/aui/auibook.h>

#include "AppTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/OndravaApp.h"
#include "platform/base/Encoding.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Frame.h"
#include "platform/ui/PaneViewRegistry.h"
#include "platform/ui/Profile.h"
#include "platform/ui/RibbonBar.h"
#include "terminal/ObserverViewBase.h"

namespace apptest {
namespace {

constexpr std::uint32_t kFirst = 40001;
constexpr std::uint32_t kLast = 40012;

std::set<std::uint32_t> Range(std::uint32_t first, std::uint32_t last) {
    std::set<std::uint32_t> ids;
    for (std::uint32_t id = first; id <= last; ++id) {
        ids.insert(id);
    }
    return ids;
}

CDockPaneMgr& Panes() { return Frame().GetPaneManager(); }

std::set<std::uint32_t> Hidden() {
    std::set<std::uint32_t> ids;
    for (std::uint32_t id = kFirst; id <= kLast; ++id) {
        if (Panes().IsPaneHidden(id) != 0) {
            ids.insert(id);
        }
    }
    return ids;
}

std::set<std::uint32_t> Selected() {
    std::set<std::uint32_t> ids;
    for (std::uint32_t id = kFirst; id <= kLast; ++id) {
        if (Panes().GetManager().IsPaneSelected(id)) {
            ids.insert(id);
        }
    }
    return ids;
}

// The ids of every group, in tab order, the groups in the order of their first ids.
std::vector<std::vector<std::uint32_t>> Groups() {
    std::vector<std::vector<std::uint32_t>> groups;
    std::set<const ui::DockGroup*> seen;
    for (std::uint32_t id = kFirst; id <= kLast; ++id) {
        const ui::DockingPane* pane = Panes().GetManager().FindPane(id);
        if (pane == nullptr || !seen.insert(pane->GetGroup()).second) {
            continue;
        }
        std::vector<std::uint32_t> members;
        for (const ui::DockingPane* member : pane->GetGroup()->panes) {
            members.push_back(member->GetId());
        }
        groups.push_back(members);
    }
    return groups;
}

void LoadedStatistic() {
    Frame().SetStatisticPath(L"/数据/Board1");
    Frame().SetStatisticLoaded(1);
}

// A click on the command's ribbon button, once the ribbon has its states.
void Command(unsigned id) {
    Drain();
    EXPECT_TRUE(Frame().GetRibbonBar()->ClickButton(id)) << id;
    Drain();
}

// Closes the frame (it saves its layout), changes the profile, then starts again.
void RestartAfter(const std::function<void()>& change) {
    ui::SendMessage(&Frame(), ui::kMsgClose, kCloseReasonLanguageRestart, 0);
    change();
    App().InitInstance();
    Drain();
}

using PaneTest = AppTest;

TEST_F(PaneTest, EachDataViewShowsAndBringsForwardItsPanes) {
    struct Case {
        unsigned command;
        int mode;
        std::set<std::uint32_t> hidden;
        std::set<std::uint32_t> selected;
    };
    const Case cases[] = {
        {kCmdEventData, 0, Range(40006, 40012), {40001, 40002}},
        {kCmdRecordData, 1, Range(40001, 40005), {40006}},
        {kCmdAllData, 2, {}, {40001, 40002, 40006}},
    };
    for (const Case& row : cases) {
        Restart();
        LoadedStatistic();
        Command(row.command);
        EXPECT_EQ(Frame().GetViewMode(), row.mode) << row.command;
        EXPECT_EQ(Hidden(), row.hidden) << row.command;
        EXPECT_EQ(Selected(), row.selected) << row.command;
    }
}

TEST_F(PaneTest, ThePanesFormThreeTabGroupsThatFillTheFrame) {
    LoadedStatistic();
    Command(kCmdEventData);
    Command(kCmdAllData);
    const std::vector<std::vector<std::uint32_t>> groups{
        {40001, 40004}, {40002, 40003, 40005}, {40006, 40007, 40008, 40009, 40010, 40011, 40012}};
    EXPECT_EQ(Groups(), groups);
    // Every view sits in its group's tabs; the start page's client is hidden.
    for (std::uint32_t id = kFirst; id <= kLast; ++id) {
        ui::Window* view = Panes().GetView(id);
        ASSERT_NE(view, nullptr) << id;
        EXPECT_NE(dynamic_cast<wxAuiNotebook*>(view->GetWx()->GetParent()), nullptr) << id;
        EXPECT_NE(dynamic_cast<IObserverViewBase*>(view), nullptr) << id;
        EXPECT_EQ(view->IsWindowVisible(), Panes().GetManager().IsPaneSelected(id)) << id;
    }
    EXPECT_FALSE(Frame().GetClientArea().IsWindowVisible());

    // With every pane closed the start page comes back.
    Panes().CloseAll();
    Drain();
    EXPECT_EQ(Hidden(), Range(kFirst, kLast));
    EXPECT_TRUE(Frame().GetClientArea().IsWindowVisible());
}

TEST_F(PaneTest, TheRightHandPanesFollowTheActivatedEventList) {
    LoadedStatistic();
    Command(kCmdEventData);
    ui::DockingPaneManager& manager = Panes().GetManager();
    EXPECT_EQ(manager.FindPane(40002)->GetEnabled(), ui::kPaneEnabled);
    EXPECT_EQ(manager.FindPane(40003)->GetEnabled(), ui::kPaneEnabled);
    EXPECT_EQ(manager.FindPane(40005)->GetEnabled(), ui::kPaneEnableClient);

    // The alarm list activated: the field data comes forward, the waveforms rest.
    Panes().SelectPane(40004);
    EXPECT_TRUE(manager.IsPaneSelected(40005));
    EXPECT_EQ(manager.FindPane(40002)->GetEnabled(), ui::kPaneEnableClient);
    EXPECT_EQ(manager.FindPane(40005)->GetEnabled(), ui::kPaneEnabled);

    // Back to the transient list with the voltage pane closed: the current pane.
    Panes().ClosePane(40002);
    Panes().SelectPane(40001);
    EXPECT_TRUE(manager.IsPaneSelected(40003));
    EXPECT_EQ(manager.FindPane(40003)->GetEnabled(), ui::kPaneEnabled);
    EXPECT_EQ(manager.FindPane(40005)->GetEnabled(), ui::kPaneEnableClient);
}

TEST_F(PaneTest, GroupsFormFromTheFirstPaneOfEach) {
    // The voltage pane before any list: the right group on its own.
    Panes().ShowPane(40002);
    ASSERT_NE(Panes().GetManager().FindPane(40002), nullptr);
    EXPECT_EQ(Panes().GetManager().FindPane(40002)->GetGroup()->place, ui::DockPlace::Right);
    // The alarm list before the transient list: still one group.
    Panes().ShowPane(40004);
    Panes().ShowPane(40001);
    Panes().ShowPane(40003);
    const std::vector<std::vector<std::uint32_t>> groups{{40004, 40001}, {40002, 40003}};
    EXPECT_EQ(Groups(), groups);
    // The user may not drag the groups about.
    EXPECT_FALSE(Panes().GetManager().FindPane(40001)->GetGroup()->movable);
}

TEST_F(PaneTest, OnlyTheExportableViewsAreTheActiveObserver) {
    struct Case {
        std::vector<std::uint32_t> shown;
        std::uint32_t selected;  // selected last: the pane the user chose
        std::uint32_t observer;  // whose view exports; 0: none
    };
    const Case cases[] = {
        {{40006, 40012}, 40012, 0},
        {{40006, 40012}, 40006, 40006},
        {{40001}, 40001, 0},
        {{40004}, 40004, 0},
        {{40005}, 40005, 0},
        {{40003}, 40003, 40003},
        {{}, 0, 0},
        // Two exportable views in front of their groups: the one chosen last.
        {{40002, 40006, 40007}, 40007, 40007},
        {{40006, 40007, 40002}, 40002, 40002},
        // The chosen pane exports nothing: the first in front in the list's order.
        {{40002, 40006, 40012}, 40012, 40002},
    };
    for (const Case& row : cases) {
        Restart();
        for (const std::uint32_t id : row.shown) {
            Panes().ShowPane(id);
        }
        Panes().SelectPane(row.selected);
        IObserverViewBase* observer = Panes().GetActiveObserver();
        if (row.observer == 0) {
            EXPECT_EQ(observer, nullptr) << row.selected;
        } else {
            EXPECT_EQ(observer, dynamic_cast<IObserverViewBase*>(Panes().GetView(row.observer))) << row.selected;
        }
    }
}

TEST_F(PaneTest, UnknownIdsAndMissingPanesAreRefused) {
    for (const std::uint32_t id : {0u, 40000u, 40013u}) {
        EXPECT_EQ(Panes().ShowPane(id), nullptr) << id;
        EXPECT_EQ(Panes().GetManager().FindPane(id), nullptr) << id;
    }
    EXPECT_EQ(Panes().SelectPane(40001), 0);
    EXPECT_EQ(Panes().SetPaneCaption(40001, L"x"), 0);
    EXPECT_EQ(Panes().IsPaneHidden(40001), 1);
    Panes().ClosePane(40001);
    EXPECT_EQ(Panes().GetManager().FindPane(40001), nullptr);

    Panes().ShowPane(40001);
    EXPECT_EQ(Panes().GetManager().FindPane(40001)->GetTabCaption(), L"暂态事件");
    EXPECT_EQ(Panes().SetPaneCaption(40001, L"暂态事件(12)"), 1);
    EXPECT_EQ(Panes().GetManager().FindPane(40001)->GetTabCaption(), L"暂态事件(12)");

    // Pane notifications: dragging is refused, nothing else is taken without data.
    ui::DockingPaneAction dragging{ui::kPaneActionDragging, 0, nullptr};
    EXPECT_EQ(Panes().OnPaneNotify(ui::kDockNotifyAction, reinterpret_cast<ui::LParam>(&dragging)), 1);
    EXPECT_EQ(dragging.cancel, 1);
    EXPECT_EQ(Panes().OnPaneNotify(ui::kDockNotifyAction, 0), 0);
    EXPECT_EQ(Panes().OnPaneNotify(7, reinterpret_cast<ui::LParam>(&dragging)), 0);
}

// A view of the test's own, registered as an area registers its views.
class TestView : public ui::Window, public IObserverViewBase {
public:
    int OnUpdate(std::uint32_t, std::uintptr_t, std::uintptr_t) override { return 0; }
};

// A view that asks its manager for itself as it goes, as the docking panes do when
// one of their pages goes while the others stay.
class AskingView : public TestView {
public:
    AskingView(CDockPaneMgr*& panes, std::uint32_t id, std::vector<std::uint32_t>& handedOut)
        : m_panes(panes), m_id(id), m_handedOut(handedOut) {}
    ~AskingView() override {
        if (m_panes != nullptr && m_panes->GetView(m_id) != nullptr) {
            m_handedOut.push_back(m_id);
        }
    }

private:
    CDockPaneMgr*& m_panes;
    std::uint32_t m_id;
    std::vector<std::uint32_t>& m_handedOut;
};

TEST_F(PaneTest, NoViewIsHandedOutWhileTheManagerDestroysItsViews) {
    // As at program exit: the frame's members go while its windows are still up.
    ui::Frame frame;
    ASSERT_TRUE(frame.Create(L"panes"));
    CDockPaneMgr* panes = new CDockPaneMgr;
    std::vector<std::uint32_t> handedOut;
    for (std::uint32_t id = 40006; id <= kLast; ++id) {
        ui::RegisterPaneView(id, [&, id](ui::Window& host) -> std::unique_ptr<ui::Window> {
            auto view = std::make_unique<AskingView>(panes, id, handedOut);
            if (!view->CreateChild(&host, 0, ui::kStyleChild | ui::kStyleVisible, wxRect())) {
                return nullptr;
            }
            return view;
        });
    }
    frame.OnMessage(ui::kMsgDockingPaneNotify,
                    [&panes](ui::WParam code, ui::LParam data) { return panes ? panes->OnPaneNotify(code, data) : 0; });
    panes->Install(&frame);
    for (std::uint32_t id = 40006; id <= kLast; ++id) {
        panes->ShowPane(id);
    }
    Drain();
    for (std::uint32_t id = 40006; id <= kLast; ++id) {
        ui::RegisterPaneView(id, nullptr);
    }
    ASSERT_NE(panes->GetView(40006), nullptr);
    delete panes;
    panes = nullptr;
    EXPECT_EQ(handedOut, std::vector<std::uint32_t>{}) << "views handed out while they were being destroyed";
    frame.DestroyWindow();
    Drain();
}

TEST_F(PaneTest, ARegisteredViewIsMadeForItsPane) {
    TestView* made = nullptr;
    ui::RegisterPaneView(40007, [&](ui::Window& host) -> std::unique_ptr<ui::Window> {
        auto view = std::make_unique<TestView>();
        if (!view->CreateChild(&host, 0, ui::kStyleChild | ui::kStyleVisible, wxRect())) {
            return nullptr;
        }
        made = view.get();
        return view;
    });
    LoadedStatistic();
    Command(kCmdRecordData);
    ui::RegisterPaneView(40007, nullptr);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(Panes().GetView(40007), made);
    EXPECT_EQ(made->m_pController, &Frame().GetController()) << "the controller bound it";
    EXPECT_EQ(Panes().GetManager().FindPane(40007)->GetWindow(), made->GetWx());
}

TEST_F(PaneTest, AViewThatCannotBeMadeLeavesNoPaneAndNothingBound) {
    ui::RegisterPaneView(40007, [](ui::Window&) -> std::unique_ptr<ui::Window> { return nullptr; });
    LoadedStatistic();
    Command(kCmdRecordData);
    ui::RegisterPaneView(40007, nullptr);
    EXPECT_EQ(Panes().GetView(40007), nullptr);
    EXPECT_EQ(Panes().IsPaneHidden(40007), 1) << "the pane closed";
    EXPECT_EQ(Panes().IsPaneHidden(40006), 0) << "its neighbours stay";
}

TEST_F(PaneTest, TheLayoutComesBackAtTheNextStartWithoutViews) {
    LoadedStatistic();
    Command(kCmdEventData);
    Command(kCmdRecordData);
    Command(kCmdAllData);
    Panes().ClosePane(40009);
    const auto hidden = Hidden();
    const auto selected = Selected();
    const auto groups = Groups();

    Restart();
    EXPECT_EQ(Hidden(), hidden);
    EXPECT_EQ(Selected(), selected);
    EXPECT_EQ(Groups(), groups);
    for (std::uint32_t id = kFirst; id <= kLast; ++id) {
        EXPECT_EQ(Panes().GetView(id), nullptr) << id;
    }
    // A view is made when its pane is first asked for.
    LoadedStatistic();
    Command(kCmdRecordData);
    EXPECT_NE(Panes().GetView(40006), nullptr);
    EXPECT_EQ(Panes().GetView(40001), nullptr);
    EXPECT_EQ(Panes().IsPaneHidden(40009), 0);
}

TEST_F(PaneTest, ABrokenOrStrangeLayoutIsLeftAsideWithALogLine) {
    struct Case {
        const wchar_t* layout;
        bool logged;
    };
    const Case cases[] = {
        {L"garbage", true},
        {L"2|L:140:40001:40001", true},                    // another version
        {L"1|L:140:40001:40001,40006", true},              // a trend pane among the lists
        {L"1|B:300:40001:40001", true},                    // a list at the bottom
        {L"1|L:140:40001:40001|L:140:40004:40004", true},  // one group saved as two
        {L"1|L:140:40099:40099", true},                    // a pane we do not have
        {L"", false},                                      // nothing saved
    };
    for (const Case& row : cases) {
        const std::string logBefore = ReadProgramFile("OndravaLog.log");
        RestartAfter([&] { ui::WriteProfileString(CDockPaneMgr::kLayoutName, L"Layout", row.layout); });
        EXPECT_EQ(Hidden(), Range(kFirst, kLast)) << platform::WideToUtf8(row.layout);
        const std::string logAfter = ReadProgramFile("OndravaLog.log");
        EXPECT_EQ(
            logAfter.size() > logBefore.size() && logAfter.find("pane layout", logBefore.size()) != std::string::npos,
            row.logged)
            << platform::WideToUtf8(row.layout);
    }
}

}  // namespace
}  // namespace apptest

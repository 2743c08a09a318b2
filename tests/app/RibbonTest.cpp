// The ribbon: its tabs, groups and buttons with their captions, the enabled and
// checked state of every command in each state of the frame, the interface styles
// kept in the profile, and captions that every language can show.
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/CommandIds.h"
#include "app/CustomDockPaneTheme.h"
#include "app/MainFrame.h"
#include "app/OndravaApp.h"
#include "app/RibbonThemes.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Font.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Profile.h"
#include "platform/ui/RibbonBar.h"

namespace apptest {
namespace {

ui::RibbonBar& Ribbon() { return *Frame().GetRibbonBar(); }

using RibbonTest = AppTest;

TEST_F(RibbonTest, TabsGroupsAndButtonsInOrderWithTheirCaptions) {
    struct Group {
        unsigned id;
        std::wstring caption;
        std::vector<unsigned> buttons;
    };
    struct Tab {
        unsigned id;
        std::wstring caption;
        std::vector<Group> groups;
    };
    const std::vector<Tab> tabs{
        {32761,
         L"统计分析",
         {{32770, L"数据获取", {32782, 32820, 32821}},
          {32771, L"数据视图", {22814, 22813, 22815}},
          {32766, L"数据导出", {32850, 32851, 32852}}}},
        {32763,
         L"录波分析",
         {{32772, L"打开数据", {32824, 32825, 32826}},
          {32921, L"页面设置", {22785, 22841, 22842}},
          {32773, L"添加视图", {22843, 22844, 22845, 22846, 22847, 22848, 22849}},
          {32766, L"数据导出", {32853, 32854, 32855}}}},
        {32767, L"系统设置", {{32768, L"软件设置", {22810, 22862}}, {32769, L"帮助", {22802, 22803}}}},
    };
    ASSERT_EQ(Ribbon().GetTabCount(), tabs.size());
    const std::vector<ui::RibbonBar::Button> buttons = Ribbon().GetButtons();
    std::size_t next = 0;
    for (std::size_t t = 0; t < tabs.size(); ++t) {
        EXPECT_EQ(Ribbon().GetTabId(t), tabs[t].id);
        EXPECT_EQ(Ribbon().GetTabCaption(t), tabs[t].caption);
        const auto groups = Ribbon().GetGroups(t);
        ASSERT_EQ(groups.size(), tabs[t].groups.size()) << "tab " << t;
        for (std::size_t g = 0; g < groups.size(); ++g) {
            EXPECT_EQ(groups[g].first, tabs[t].groups[g].id);
            EXPECT_EQ(groups[g].second, tabs[t].groups[g].caption);
            for (const unsigned command : tabs[t].groups[g].buttons) {
                ASSERT_LT(next, buttons.size());
                const ui::RibbonBar::Button& button = buttons[next++];
                EXPECT_EQ(button.command, command);
                EXPECT_EQ(button.tab, t) << command;
                EXPECT_EQ(button.group, tabs[t].groups[g].id) << command;
                // Every caption is the language string of the command's id.
                EXPECT_EQ(button.caption, CZVResourceManager::GetResourceManager()->LoadString(command)) << command;
            }
        }
    }
    EXPECT_EQ(next, buttons.size());
    EXPECT_EQ(Ribbon().FindButton(22814)->caption, L"记录数据");
    EXPECT_EQ(Ribbon().FindButton(32852)->caption, L"导出数据");

    // The tab row: the help button and the interface styles.
    EXPECT_TRUE(Ribbon().HasTabRowButton(kCmdHelpDocument));
    const std::vector<ui::MenuNode> styles = Ribbon().GetTabRowMenu(204);
    const std::vector<std::pair<unsigned, std::wstring>> expected{
        {32794, L"Office 2007 Blue"},  {32795, L"Office 2007 Black"}, {32796, L"Office 2007 Silver"},
        {32797, L"Office 2007 Aqua"},  {32798, L"Office 2010 Blue"},  {32812, L"Office 2010 Silver"},
        {32815, L"Office 2010 Black"}, {32816, L"Windows 7 Scenic"}};
    ASSERT_EQ(styles.size(), expected.size());
    for (std::size_t i = 0; i < styles.size(); ++i) {
        EXPECT_EQ(styles[i].id, expected[i].first);
        EXPECT_EQ(styles[i].caption, expected[i].second);
    }
}

// The frame's states of the table: no data; statistic data in view modes 0, 1
// and 2; the waveform-record client shown with a record.
enum State { kNoData, kMode0, kMode1, kMode2, kWave, kStates };

void Enter(State state) {
    CMainFrame& frame = Frame();
    switch (state) {
    case kNoData:
        break;
    case kMode0:
    case kMode1:
    case kMode2:
        frame.SetStatisticPath(L"/数据/Board1");
        frame.SetStatisticLoaded(1);
        Drain();
        ASSERT_TRUE(Ribbon().ClickButton(state == kMode0   ? kCmdEventData
                                         : state == kMode1 ? kCmdRecordData
                                                           : kCmdAllData));
        break;
    case kWave:
        frame.SetStatisticPath(L"");
        frame.SetStatisticLoaded(0);
        frame.SetWavePath(L"/录波/Board1");
        frame.GetPaneManager().CloseAll();
        frame.ShowWaveClient(true);
        break;
    case kStates:
        break;
    }
    Drain();
}

// Per state, in the order of State: 1 enabled (or checked), 0 not.
struct Row {
    unsigned id;
    const char* enabled;
    const char* checked;
};

void CheckStates(const std::vector<Row>& rows, const char* what) {
    for (int state = kNoData; state < kStates; ++state) {
        Restart();
        Enter(static_cast<State>(state));
        for (const Row& row : rows) {
            const ui::CommandUI query = Frame().QueryCommand(row.id);
            const bool enabled = row.enabled[state] == '1';
            const bool checked = row.checked[state] == '1';
            EXPECT_EQ(query.IsEnabled(), enabled) << what << ": command " << row.id << " in state " << state;
            EXPECT_EQ(query.IsChecked(), checked) << what << ": command " << row.id << " in state " << state;
            // What the ribbon shows is what the handlers say.
            if (const ui::RibbonBar::Button* button = Ribbon().FindButton(row.id)) {
                EXPECT_EQ(button->enabled, enabled) << what << ": button " << row.id << " in state " << state;
                EXPECT_EQ(button->checked, checked) << what << ": button " << row.id << " in state " << state;
            }
        }
    }
}

std::vector<Row> ThemeRows(const char* enabled) {
    std::vector<Row> rows;
    for (const unsigned id : {32794u, 32795u, 32796u, 32797u, 32812u, 32815u, 32816u}) {
        rows.push_back({id, enabled, "00000"});
    }
    rows.push_back({32798, enabled, "11111"});
    return rows;
}

// Every command by the rules of its table, as they hold once each command's work
// is there: each is given a handler of the test's own first.
TEST_F(RibbonTest, EveryCommandFollowsItsRuleInEachState) {
    std::vector<Row> rows{
        {32782, "11111", "00000"}, {32820, "11111", "00000"}, {32821, "01110", "00000"}, {22813, "01110", "01000"},
        {22814, "01110", "00100"}, {22815, "01110", "00010"}, {32850, "01110", "00000"}, {32851, "01110", "00000"},
        {32852, "01110", "00000"}, {32824, "11111", "00000"}, {32825, "11111", "00000"}, {32826, "00001", "00000"},
        {22785, "00001", "00000"}, {22841, "00001", "00000"}, {22842, "00001", "00000"}, {32853, "00001", "00000"},
        {32854, "00001", "00000"}, {32855, "00000", "00000"}, {22810, "11111", "00000"}, {22862, "11111", "00000"},
        {22802, "11111", "00000"}, {22803, "11111", "00000"}, {57665, "11111", "00000"}, {22811, "11111", "00000"},
        {22820, "11111", "00000"}, {32774, "11111", "00000"}, {22809, "11111", "00000"}, {22786, "11111", "00000"},
        {22827, "11111", "00000"}, {22789, "11111", "00000"}, {22788, "00000", "00000"}, {22858, "00001", "00000"},
    };
    for (unsigned id = 22843; id <= 22849; ++id) {
        rows.push_back({id, "00001", "00000"});
    }
    for (const Row& row : ThemeRows("11111")) {
        rows.push_back(row);
    }
    for (int state = kNoData; state < kStates; ++state) {
        // The handlers go with each restart; give them again before every state.
        Restart();
        for (const Row& row : rows) {
            if (!Frame().HasCommandHandler(row.id) && row.id != 22788 && row.id != 22858) {
                Frame().OnCommand(row.id, [] {});
            }
        }
        Enter(static_cast<State>(state));
        for (const Row& row : rows) {
            const ui::CommandUI query = Frame().QueryCommand(row.id);
            EXPECT_EQ(query.IsEnabled(), row.enabled[state] == '1') << "command " << row.id << " in state " << state;
            EXPECT_EQ(query.IsChecked(), row.checked[state] == '1') << "command " << row.id << " in state " << state;
            if (const ui::RibbonBar::Button* button = Ribbon().FindButton(row.id)) {
                EXPECT_EQ(button->enabled, row.enabled[state] == '1') << "button " << row.id << " in state " << state;
                EXPECT_EQ(button->checked, row.checked[state] == '1') << "button " << row.id << " in state " << state;
            }
        }
    }
}

// The same commands as the program has them today: what runs nothing yet shows
// disabled.
TEST_F(RibbonTest, CommandsWhoseWorkIsNotThereShowDisabled) {
    std::vector<Row> rows{
        {32782, "11111", "00000"}, {32820, "11111", "00000"}, {32821, "01110", "00000"}, {22813, "01110", "01000"},
        {22814, "01110", "00100"}, {22815, "01110", "00010"}, {32850, "01110", "00000"}, {32851, "01110", "00000"},
        {32852, "01110", "00000"}, {32824, "11111", "00000"}, {32825, "11111", "00000"}, {32826, "00001", "00000"},
        {22785, "00001", "00000"}, {22841, "00001", "00000"}, {22842, "00001", "00000"}, {32853, "00001", "00000"},
        {32854, "00001", "00000"}, {32855, "00000", "00000"}, {22810, "11111", "00000"}, {22862, "11111", "00000"},
        {22802, "11111", "00000"}, {22803, "11111", "00000"}, {57665, "11111", "00000"}, {22811, "11111", "00000"},
        {22820, "11111", "00000"}, {32774, "11111", "00000"}, {22809, "11111", "00000"}, {22786, "11111", "00000"},
        {22827, "11111", "00000"}, {22789, "11111", "00000"}, {22788, "00000", "00000"}, {22858, "00001", "00000"},
    };
    for (unsigned id = 22843; id <= 22849; ++id) {
        rows.push_back({id, "00001", "00000"});
    }
    for (const Row& row : ThemeRows("11111")) {
        rows.push_back(row);
    }
    CheckStates(rows, "as built");
}

TEST_F(RibbonTest, BothHelpButtonsIssueTheHelpCommand) {
    WriteProgramFile("Language/Chinese/UserManual.chm", std::nullopt);
    Boxes().Clear();
    ASSERT_TRUE(Ribbon().ClickTabRowButton(kCmdHelpDocument));
    ASSERT_TRUE(Ribbon().ClickButton(kCmdHelpDocument));
    ASSERT_EQ(Boxes().shown.size(), 2u);
    for (const auto& box : Boxes().shown) {
        EXPECT_EQ(box.text.rfind(L"找不到帮助文档：", 0), 0u);
    }
    // A disabled button cannot be clicked.
    EXPECT_FALSE(Ribbon().ClickButton(kCmdEventData));
    EXPECT_FALSE(Ribbon().ClickButton(99999));
}

TEST_F(RibbonTest, TheStyleIsKeptInTheProfileAndAppliedAtStart) {
    struct Case {
        const char* name;
        std::optional<std::wstring> stored;
        unsigned theme;                       // the frame's style afterwards
        std::optional<std::wstring> written;  // the profile afterwards
    };
    const Case cases[] = {
        {"first start", std::nullopt, 32798, L"32798"},
        {"Office 2010 Black", L"32815", 32815, L"32815"},
        {"blanks, a sign and trailing text", L"  +32794x", 32794, L"32794"},
        {"not a number: nothing but the base look", L"abc", 32798, L"abc"},
        {"in the range but no style", L"32800", 32798, L"32800"},
        {"negative", L"-32815", 32798, L"-32815"},
    };
    for (const Case& row : cases) {
        ui::SendMessage(&Frame(), ui::kMsgClose, kCloseReasonLanguageRestart, 0);
        if (row.stored) {
            ui::WriteProfileString(L"Setting", L"ZVViewThemeStyle", *row.stored);
        } else {
            ui::WriteProfileString(L"Setting", L"ZVViewThemeStyle", L"");
        }
        App().InitInstance();
        Drain();
        EXPECT_EQ(Frame().GetThemeId(), row.theme) << row.name;
        EXPECT_EQ(ui::GetProfileString(L"Setting", L"ZVViewThemeStyle", L""), row.written.value_or(L"")) << row.name;
        const auto style = ThemeRibbonStyle(row.theme);
        ASSERT_TRUE(style) << row.name;
        EXPECT_EQ(Ribbon().GetStyle().face, style->face) << row.name;
    }
}

TEST_F(RibbonTest, APickedStyleIsShownCheckedAloneAndComesBackNextTime) {
    const std::vector<unsigned> themes{32794, 32795, 32796, 32797, 32798, 32812, 32815, 32816};
    for (const unsigned picked : themes) {
        ASSERT_TRUE(Frame().OnCmdMsg(picked, nullptr));
        for (const unsigned theme : themes) {
            EXPECT_EQ(Frame().QueryCommand(theme).IsChecked(), theme == picked) << picked << " picked, " << theme;
        }
        EXPECT_EQ(Ribbon().GetStyle().face, ThemeRibbonStyle(picked)->face) << picked;
    }
    ASSERT_TRUE(Frame().OnCmdMsg(32795, nullptr));
    Restart();
    EXPECT_EQ(Frame().GetThemeId(), 32795u);
    EXPECT_TRUE(Frame().QueryCommand(32795).IsChecked());
}

std::string LanguageList(const std::string& selectedId) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Languages selectedId=\"" + selectedId +
           "\">\n"
           "  <Language Id=\"0\" name=\"简体中文\" dirName=\"Chinese\" usPrimaryLanguage=\"4\" usSubLanguage=\"2\"/>\n"
           "  <Language Id=\"1\" name=\"English\" dirName=\"English\" usPrimaryLanguage=\"9\" usSubLanguage=\"1\"/>\n"
           "</Languages>\n";
}

TEST_F(RibbonTest, EveryCaptionOfRibbonAndPanesHasItsGlyphsInBothLanguages) {
    for (const char* selected : {"0", "1"}) {
        WriteProgramFile("Language/Language.xml", LanguageList(selected));
        Restart();
        const std::vector<std::wstring> captions = Ribbon().GetCaptions();
        ASSERT_GT(captions.size(), 40u) << selected;
        for (const std::wstring& caption : captions) {
            EXPECT_FALSE(caption.empty()) << selected;
            EXPECT_EQ(gfx::MissingGlyphCount(caption, Ribbon().GetStyle().font), 0)
                << "language " << selected << ": " << platform::WideToUtf8(caption);
        }
        const gfx::Font tabFont = CCustomDockPaneTheme().TabFont();
        for (const unsigned caption :
             {6193u, 6194u, 6195u, 6196u, 6197u, 10078u, 10079u, 10080u, 10081u, 10082u, 10234u, 10235u}) {
            const std::wstring text = CZVResourceManager::GetResourceManager()->LoadString(caption);
            EXPECT_FALSE(text.empty()) << caption;
            EXPECT_EQ(gfx::MissingGlyphCount(text, tabFont), 0) << "language " << selected << ": " << caption;
        }
    }
    EXPECT_EQ(Ribbon().GetTabCaption(0), L"Statistic Analysis");
}

}  // namespace
}  // namespace apptest

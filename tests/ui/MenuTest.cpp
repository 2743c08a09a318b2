// Menus from records: pop-ups hold the items that follow them up to the item that
// ends their level, separators stay separators, and the bar gets the top pop-ups.
#include <gtest/gtest.h>

#include <memory>

#include <wx/menu.h>

#include "platform/ui/Menu.h"

namespace {

using Kind = ui::MenuNode::Kind;

// "文件" { 打开 ; ---- ; "最近" { a ; b } ; 退出 } "帮助" { 关于 }
const MenuTemplate kMenu{
    {kMenuFlagPopup, 0, L"文件(&F)"},
    {0, 32782, L"打开(&O)"},
    {kMenuFlagSeparator, 0, L"ignored"},
    {kMenuFlagPopup, 0, L"最近"},
    {0, 101, L"a"},
    {kMenuFlagEnd, 102, L"b"},
    {kMenuFlagEnd, 57665, L"退出"},
    {kMenuFlagPopup | kMenuFlagEnd, 0, L"帮助"},
    {kMenuFlagEnd, 57664, L"关于"},
};

TEST(MenuRecords, ParseIntoPopupsItemsAndSeparators) {
    const std::vector<ui::MenuNode> top = ui::ParseMenu(kMenu);
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].kind, Kind::Popup);
    EXPECT_EQ(top[0].caption, L"文件(&F)");
    ASSERT_EQ(top[0].children.size(), 4u);
    struct Case {
        Kind kind;
        unsigned id;
        std::wstring caption;
        std::size_t children;
    };
    const Case expected[] = {{Kind::Command, 32782, L"打开(&O)", 0},
                             {Kind::Separator, 0, L"", 0},
                             {Kind::Popup, 0, L"最近", 2},
                             {Kind::Command, 57665, L"退出", 0}};
    for (std::size_t i = 0; i < 4; ++i) {
        const ui::MenuNode& node = top[0].children[i];
        EXPECT_EQ(node.kind, expected[i].kind) << "item " << i;
        EXPECT_EQ(node.id, expected[i].id) << "item " << i;
        EXPECT_EQ(node.caption, expected[i].caption) << "item " << i;
        EXPECT_EQ(node.children.size(), expected[i].children) << "item " << i;
    }
    EXPECT_EQ(top[0].children[2].children[1].id, 102u);
    ASSERT_EQ(top[1].children.size(), 1u);
    EXPECT_EQ(top[1].children[0].id, 57664u);
}

TEST(MenuRecords, UnclosedLevelsEndWithTheList) {
    const MenuTemplate cut{{kMenuFlagPopup, 0, L"A"}, {0, 1, L"x"}, {kMenuFlagPopup, 0, L"B"}, {0, 2, L"y"}};
    const std::vector<ui::MenuNode> top = ui::ParseMenu(cut);
    ASSERT_EQ(top.size(), 1u);
    ASSERT_EQ(top[0].children.size(), 2u);
    EXPECT_EQ(top[0].children[1].children.size(), 1u);
    EXPECT_TRUE(ui::ParseMenu({}).empty());
}

TEST(MenuRecords, BarHoldsTheTopPopupsWithTheirItems) {
    std::unique_ptr<wxMenuBar> bar(ui::BuildMenuBar(kMenu));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetMenuCount(), 2u);
    EXPECT_EQ(bar->GetMenuLabel(0).ToStdWstring(), L"文件(&F)");
    wxMenu* file = bar->GetMenu(0);
    ASSERT_EQ(file->GetMenuItemCount(), 4u);
    EXPECT_EQ(ui::CommandForMenuId(file->FindItemByPosition(0)->GetId()), 32782u);
    EXPECT_TRUE(file->FindItemByPosition(1)->IsSeparator());
    EXPECT_TRUE(file->FindItemByPosition(2)->IsSubMenu());
    EXPECT_EQ(file->FindItemByPosition(2)->GetSubMenu()->GetMenuItemCount(), 2u);
    EXPECT_NE(bar->FindItem(ui::MenuIdForCommand(57664)), nullptr);
    EXPECT_EQ(ui::MenuIdForCommand(57664), ui::MenuIdForCommand(57664));
    EXPECT_EQ(ui::MenuIdForCommand(101), 101);

    EXPECT_EQ(ui::BuildMenuBar({{kMenuFlagEnd, 5, L"no pop-up"}}), nullptr);
    std::unique_ptr<wxMenu> popup(ui::BuildPopupMenu(kMenu));
    EXPECT_EQ(popup->GetMenuItemCount(), 2u);
}

}  // namespace

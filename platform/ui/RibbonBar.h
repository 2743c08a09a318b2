#pragma once
// The ribbon above a frame's body, on wxRibbonBar: tabs of groups of large
// buttons (an icon of 32 x 32 pixels with the caption below), an application
// button at the left of the tab row with its menu, and small buttons at the right
// of the tab row, one of which may open a menu. Every button issues its command
// to the frame, which routes it as any command; the frame's update handlers
// enable and check the buttons whenever the program is idle (and on
// UpdateCommandUI). A command without an update handler is enabled while some
// window of the route has a handler for it.
//
// Icons come from the picture store: a group's icons are one picture, a strip of
// 32 x 32 images in the order of the group's buttons.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/MenuTemplate.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/ui/Menu.h"

class wxRibbonBar;
class wxRibbonButtonBar;
class wxWindow;

namespace ui {

class Frame;
class OwnerDrawButton;

struct RibbonButtonSpec {
    unsigned command = 0;
    std::wstring caption;  // also its tool tip
};

struct RibbonGroupSpec {
    unsigned id = 0;
    std::wstring caption;
    int picture = 0;  // the strip of the buttons' icons
    std::vector<RibbonButtonSpec> buttons;
};

struct RibbonTabSpec {
    unsigned id = 0;
    std::wstring caption;
    std::vector<RibbonGroupSpec> groups;
};

// The ribbon's look: its face, highlight and text colours, the application
// button's colours, and the font of every caption.
struct RibbonStyle {
    gfx::Color face{223, 236, 247};
    gfx::Color highlight{255, 219, 117};
    gfx::Color text{21, 66, 139};
    gfx::Color applicationButton{43, 87, 154};
    gfx::Color applicationText{255, 255, 255};
    gfx::Font font;
};

class RibbonBar {
public:
    // The bar becomes the frame's top bar; null when the frame has no window.
    static std::unique_ptr<RibbonBar> Create(Frame& frame);
    ~RibbonBar();
    RibbonBar(const RibbonBar&) = delete;
    RibbonBar& operator=(const RibbonBar&) = delete;

    // False (and nothing added) for a tab without a caption.
    bool AddTab(const RibbonTabSpec& tab);
    // A small button at the right of the tab row that issues its command.
    void AddTabRowButton(unsigned command, int icon, const std::wstring& tooltip);
    // A small button at the right of the tab row that opens a menu of commands
    // (shown with check marks as the update handlers set them).
    void AddTabRowMenu(unsigned id, int icon, const std::wstring& tooltip, const MenuTemplate& menu);
    // The button at the left of the tab row and its menu; items of the menu show
    // the picture given for their command.
    void SetApplicationButton(unsigned id, const std::wstring& caption, int icon, const MenuTemplate& menu,
                              const std::map<unsigned, int>& menuIcons);
    // Lays the bar out after tabs were added.
    void Realize();

    void SetStyle(const RibbonStyle& style);
    const RibbonStyle& GetStyle() const { return m_style; }

    // Asks the update handlers about every button now.
    void UpdateCommandUI();

    // What the bar shows.
    struct Button {
        unsigned command;
        std::wstring caption;
        std::size_t tab;
        unsigned group;
        bool enabled;
        bool checked;
    };
    std::size_t GetTabCount() const { return m_tabs.size(); }
    unsigned GetTabId(std::size_t tab) const { return m_tabs[tab].id; }
    const std::wstring& GetTabCaption(std::size_t tab) const { return m_tabs[tab].caption; }
    // The groups of a tab: id and caption, in order.
    std::vector<std::pair<unsigned, std::wstring>> GetGroups(std::size_t tab) const;
    // The buttons of the tabs, tab by tab, group by group.
    std::vector<Button> GetButtons() const;
    // The first button of the command on the tabs; null when there is none.
    const Button* FindButton(unsigned command) const;
    int GetActiveTab() const;
    bool SelectTab(std::size_t tab);
    // Every text the bar shows: tabs, groups, buttons, the application button.
    std::vector<std::wstring> GetCaptions() const;
    bool HasTabRowButton(unsigned id) const;
    const std::vector<MenuNode>& GetApplicationMenu() const { return m_applicationMenu; }
    std::vector<MenuNode> GetTabRowMenu(unsigned id) const;

    // As the user's click: false when the button is missing or disabled.
    bool ClickButton(unsigned command);
    bool ClickTabRowButton(unsigned command);

    wxRibbonBar* GetWx() const { return m_bar; }

private:
    struct Tab {
        unsigned id;
        std::wstring caption;
        std::vector<std::pair<unsigned, std::wstring>> groups;
    };
    struct Placed {
        Button button;
        wxRibbonButtonBar* bar;
    };
    struct TabRowItem {
        unsigned id;
        int icon;
        bool menu;
        std::vector<MenuNode> items;
        OwnerDrawButton* window;
    };

    RibbonBar(Frame& frame, wxRibbonBar* bar);
    void Issue(unsigned command);
    void LayoutTabRow();
    int TabRowHeight() const;
    void PopupMenu(wxWindow* owner, const std::vector<MenuNode>& items, const MenuIcons& icons);
    OwnerDrawButton* MakeTabRowButton(int icon, const std::wstring& tooltip, bool arrow);

    Frame& m_frame;
    wxRibbonBar* m_bar;
    std::vector<Tab> m_tabs;
    std::vector<Placed> m_buttons;
    std::vector<TabRowItem> m_tabRow;
    OwnerDrawButton* m_applicationButton = nullptr;
    std::wstring m_applicationCaption;
    int m_applicationIcon = 0;
    std::vector<MenuNode> m_applicationMenu;
    std::map<unsigned, int> m_menuIcons;
    RibbonStyle m_style;
    std::shared_ptr<RibbonBar*> m_self;
};

}  // namespace ui

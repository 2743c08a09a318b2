#include "app/CommandMenu.h"

#include <vector>

#include "app/CommandIds.h"
#include "core/ZVResourceManager.h"
#include "platform/ui/Menu.h"

namespace {

using ui::MenuNode;

constexpr unsigned kMenuApplication = 200;
constexpr unsigned kStringSystem = 32760;          // the application button
constexpr unsigned kStringSystemSettings = 32767;  // the third tab

MenuNode Command(CZVResourceManager& resources, unsigned id) {
    MenuNode node;
    node.id = id;
    node.caption = resources.LoadString(id);
    return node;
}

MenuNode Popup(std::wstring caption, std::vector<MenuNode> children) {
    MenuNode node;
    node.kind = MenuNode::Kind::Popup;
    node.caption = std::move(caption);
    node.children = std::move(children);
    return node;
}

// Back to records: a pop-up's items follow it, the last item of a level ends it.
// Empty pop-ups are left out (their records would adopt the items after them).
void Flatten(const std::vector<MenuNode>& level, MenuTemplate& out) {
    std::vector<const MenuNode*> kept;
    for (const auto& node : level) {
        if (node.kind != MenuNode::Kind::Popup || !node.children.empty()) {
            kept.push_back(&node);
        }
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const MenuNode& node = *kept[i];
        MenuItemTemplateInfo item;
        item.caption = node.caption;
        switch (node.kind) {
        case MenuNode::Kind::Popup:
            item.flags = kMenuFlagPopup;
            break;
        case MenuNode::Kind::Separator:
            item.flags = kMenuFlagSeparator;
            break;
        case MenuNode::Kind::Command:
            item.id = static_cast<std::uint16_t>(node.id);
            break;
        }
        if (i + 1 == kept.size()) {
            item.flags |= kMenuFlagEnd;
        }
        out.push_back(item);
        if (node.kind == MenuNode::Kind::Popup) {
            Flatten(node.children, out);
        }
    }
}

}  // namespace

MenuTemplate BuildCommandMenu(CZVResourceManager& resources) {
    std::vector<MenuNode> bar;

    // The application button's menu: the first pop-up of menu 200.
    MenuTemplate application;
    if (resources.LoadMenu(application, kMenuApplication)) {
        for (auto& node : ui::ParseMenu(application)) {
            if (node.kind == MenuNode::Kind::Popup) {
                bar.push_back(Popup(resources.LoadString(kStringSystem), std::move(node.children)));
                break;
            }
        }
    }

    // The system-settings tab: its software-settings group, then its help group.
    bar.push_back(Popup(resources.LoadString(kStringSystemSettings),
                        {Command(resources, kCmdLanguage), MenuNode{MenuNode::Kind::Separator, 0, {}, {}},
                         Command(resources, kCmdHelpDocument), Command(resources, kCmdAbout)}));

    MenuTemplate records;
    Flatten(bar, records);
    return records;
}

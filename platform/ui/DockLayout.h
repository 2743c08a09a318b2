#pragma once
// The arrangement of docking panes as it is saved between runs: the pane groups
// with where each docks, its size across the dock, its panes in tab order (each
// shown or closed) and its front pane. The text form is versioned; a text that is
// damaged or of another version is refused with a reason, never half applied.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// Where a pane group sits: along a side of the frame's body, or filling what the
// sides leave (beside the group it was docked to).
enum class DockPlace { Left, Right, Top, Bottom, Fill };

struct DockLayout {
    struct Pane {
        unsigned id = 0;
        bool shown = true;
        friend bool operator==(const Pane&, const Pane&) = default;
    };
    struct Group {
        DockPlace place = DockPlace::Left;
        int size = 0;  // pixels across the dock: the width of side groups, the height of top and bottom ones
        std::vector<Pane> panes;
        unsigned selected = 0;  // 0: none
        friend bool operator==(const Group&, const Group&) = default;
    };
    std::vector<Group> groups;
    friend bool operator==(const DockLayout&, const DockLayout&) = default;

    std::wstring ToText() const;
    // Nothing, with the reason in `problem`, when the text is no layout of this
    // version: a bad field, a pane twice, a group without panes, a front pane that
    // is not shown in its group.
    static std::optional<DockLayout> FromText(std::wstring_view text, std::wstring& problem);
};

}  // namespace ui

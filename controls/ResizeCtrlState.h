#pragma once
// The collapse/expand toggle's states and what each pointer event does to them.
// The pointer moving onto the toggle shows the hovered look and waits for it to
// rest (state 0); resting gives the hovered state of the stored one (2 or 4) and
// its tip; leaving brings the plain look back; a click flips between the expanded
// pair (1, 2) and the collapsed pair (3, 4). The look changes only on a move or a
// leave, so a click keeps the old picture until the pointer leaves.

namespace controls {

class ResizeCtrlState {
public:
    static constexpr int kMoving = 0;
    static constexpr int kExpanded = 1;
    static constexpr int kExpandedHover = 2;
    static constexpr int kCollapsed = 3;
    static constexpr int kCollapsedHover = 4;

    // The pictures of the two looks, plain and hovered.
    static constexpr int kPictureExpanded = 4108;
    static constexpr int kPictureExpandedHover = 4109;
    static constexpr int kPictureCollapsed = 4111;
    static constexpr int kPictureCollapsedHover = 4112;

    // Language strings of the tip.
    static constexpr unsigned kTipCollapse = 6186;
    static constexpr unsigned kTipExpand = 6187;

    // What the window does after an event.
    struct Effect {
        int loadPicture = 0;     // non-zero: show this picture and repaint
        bool trackPointer = false;  // ask for one hover and one leave report
        bool updateTip = false;
        bool sendClick = false;  // tell the parent window about the click
    };

    explicit ResizeCtrlState(bool expanded);

    int Current() const { return m_current; }
    int Stored() const { return m_stored; }
    // The picture shown before any event.
    int InitialPicture() const;
    // The tip's language string in the current state; 0 for no tip.
    unsigned TipStringId() const;

    Effect MouseMove();
    Effect MouseHover();
    Effect MouseLeave();
    Effect ButtonDown();

private:
    int m_current;
    int m_stored;
};

}  // namespace controls

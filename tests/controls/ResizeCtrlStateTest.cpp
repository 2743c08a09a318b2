// The collapse strip's states: the pointer moving on, resting, leaving and
// clicking, as sequences of events with the state, the picture and the tip after each.
#include <gtest/gtest.h>

#include <string>

#include "controls/ResizeCtrlState.h"

namespace {

using controls::ResizeCtrlState;

struct Step {
    char event;  // m move, h rest (hover), l leave, c click
    int current;
    int stored;
    int picture;  // the picture loaded by the step, 0 for none
    unsigned tip;
    bool click;
};

ResizeCtrlState::Effect Apply(ResizeCtrlState& state, char event) {
    switch (event) {
    case 'm':
        return state.MouseMove();
    case 'h':
        return state.MouseHover();
    case 'l':
        return state.MouseLeave();
    default:
        return state.ButtonDown();
    }
}

TEST(ResizeCtrlStateTest, EventSequencesWalkTheStatesAsTheToggleShowsThem) {
    struct Case {
        const char* name;
        bool expanded;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"expanded: move, rest, leave",
         true,
         {{'m', 0, 1, 4109, 0, false}, {'h', 2, 2, 0, 6186, false}, {'l', 1, 1, 4108, 0, false}}},
        {"collapsed: move, rest, leave",
         false,
         {{'m', 0, 3, 4112, 0, false}, {'h', 4, 4, 0, 6187, false}, {'l', 3, 3, 4111, 0, false}}},
        {"click while resting collapses; the picture waits for the leave",
         true,
         {{'m', 0, 1, 4109, 0, false},
          {'h', 2, 2, 0, 6186, false},
          {'c', 3, 3, 0, 0, true},
          {'l', 3, 3, 4111, 0, false}}},
        {"click before resting toggles the stored state; the next rest offers to expand",
         true,
         {{'m', 0, 1, 4109, 0, false}, {'c', 3, 3, 0, 0, true}, {'h', 4, 4, 0, 6187, false}}},
        {"moves while moving or resting change nothing",
         true,
         {{'m', 0, 1, 4109, 0, false},
          {'m', 0, 1, 0, 0, false},
          {'h', 2, 2, 0, 6186, false},
          {'m', 2, 2, 0, 6186, false}}},
        {"two clicks come back",
         false,
         {{'c', 1, 1, 0, 0, true}, {'c', 3, 3, 0, 0, true}, {'m', 0, 3, 4112, 0, false}}},
    };
    for (const Case& c : cases) {
        ResizeCtrlState state(c.expanded);
        EXPECT_EQ(c.expanded ? 4108 : 4111, state.InitialPicture()) << c.name;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const Step& step = c.steps[i];
            const std::string where = std::string(c.name) + ", step " + std::to_string(i + 1);
            const ResizeCtrlState::Effect effect = Apply(state, step.event);
            EXPECT_EQ(step.current, state.Current()) << where;
            EXPECT_EQ(step.stored, state.Stored()) << where;
            EXPECT_EQ(step.picture, effect.loadPicture) << where;
            EXPECT_EQ(step.tip, state.TipStringId()) << where;
            EXPECT_EQ(step.click, effect.sendClick) << where;
            // Only a move from a plain state asks to hear of the pointer resting and leaving.
            EXPECT_EQ(step.event == 'm' && step.picture != 0, effect.trackPointer) << where;
        }
    }
}

}  // namespace

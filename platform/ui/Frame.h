#pragma once
// The top-level frame window: title, minimum tracking size, a menu bar built from
// menu records, command routing (the active view first, then the frame itself, for
// commands and for the update handlers that enable and check menu items) and
// closing through kMsgClose, whose wParam is the close reason (0 from the title
// bar button or the system menu). The default kMsgClose handling destroys the frame;
// a frame that asks first registers its own handler.

#include <string>

#include "platform/base/MenuTemplate.h"
#include "platform/ui/Window.h"

class wxFrame;

namespace ui {

class Frame : public Window {
public:
    Frame() = default;

    bool Create(const std::wstring& title);
    wxFrame* GetFrame() const;

    void SetMinTrackSize(int width, int height);
    // Replaces the menu bar; false when the records hold no pop-up.
    bool SetMenu(const MenuTemplate& menu);
    void SetMenuVisible(bool visible);

    // The window whose commands come first (null: the frame alone).
    void SetActiveView(Window* view) { m_activeView = view; }
    Window* GetActiveView() const { return m_activeView; }
    bool OnCmdMsg(unsigned id, CommandUI* update) override;

    // Asks the update handlers about a command as the menu does before it opens.
    CommandUI QueryCommand(unsigned id);

private:
    Window* m_activeView = nullptr;
};

}  // namespace ui

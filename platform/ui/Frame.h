#pragma once
// The top-level frame window: title, minimum tracking size, a menu bar built from
// menu records, command routing (the active view first, then the frame itself, for
// commands and for the update handlers that enable and check menu items) and
// closing through kMsgClose, whose wParam is the close reason (0 from the title
// bar button or the system menu). The default kMsgClose handling destroys the frame;
// a frame that asks first registers its own handler.
//
// Inside, from top to bottom: an optional top bar (the ribbon), the body and the
// status bar. The body holds the client area, whose children each cover it whole
// (a frame shows one client at a time), and, once docking panes are installed on
// the body, the panes around it. The frame gets kMsgSetFocus when it is activated.

#include <memory>
#include <string>

#include "platform/base/MenuTemplate.h"
#include "platform/ui/Window.h"

class wxFrame;
class wxWindow;

namespace ui {

class Frame : public Window {
public:
    Frame();
    ~Frame() override;

    bool Create(const std::wstring& title);
    wxFrame* GetFrame() const;

    // The bar above the body (a child of the frame's window); null removes it.
    void SetTopBar(wxWindow* bar);
    wxWindow* GetTopBar() const { return m_topBar; }
    // The area below the top bar that holds the client area (and docking panes).
    Window& GetBody() { return *m_body; }
    // Where the frame's clients go: parent them here, and each covers it whole.
    Window& GetClientArea() { return *m_clientArea; }

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

    // True when the active view or the frame has a command handler for the id.
    bool HasCommandHandler(unsigned id) const override;

    // Lays the frame out again: top bar, body, and every client over the whole
    // client area (clients made or shown since the last size change included).
    void RecalcLayout();

private:
    void LayoutClients();


    Window* m_activeView = nullptr;
    wxWindow* m_topBar = nullptr;
    std::unique_ptr<Window> m_body;
    std::unique_ptr<Window> m_clientArea;
};

}  // namespace ui

#pragma once
// CDockPaneMgr: the one place where the record panes (ids 40001 to 40012) are
// created, shown, selected, closed, captioned and saved. A pane is made on its
// first ShowPane together with its view, which the view's area registered with
// ui::RegisterPaneView (an empty placeholder view until then); the controller
// reaches the view through IObserverViewBase. Panes come in three tab groups:
// the event lists on the left (40001, 40004), the waveform and field-data views
// beside them (40002, 40003, 40005) and the trend and histogram views below those
// (40006 to 40012). Tabs sit at the top and the panes fill the frame: the client
// area (the start page) shows only while no pane is shown.
//
// The layout is saved under "NormalLayout" when the frame closes and put back by
// RestoreLayout at the next start: the same panes shown or closed in the same
// groups, with their views made only when they are asked for.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/ui/DockingPaneManager.h"
#include "platform/ui/Message.h"
#include "terminal/PaneManager.h"
#include "views/ObserverView.h"

namespace ui {
class Frame;
class Window;
}  // namespace ui

class CDockPaneMgr : public IPaneManager {
public:
    static constexpr std::uint32_t kFirstPane = 40001;
    static constexpr std::uint32_t kLastPane = 40012;
    static constexpr const wchar_t* kLayoutName = L"NormalLayout";

    CDockPaneMgr();
    ~CDockPaneMgr() override;

    // Installs the panes in the frame and gives them the program's look; 1.
    int Install(ui::Frame* frame);

    IObserverViewBase* ShowPane(std::uint32_t id) override;
    int SelectPane(std::uint32_t id) override;
    void ClosePane(std::uint32_t id) override;
    // 1 when there is no such pane or it is closed; else 0.
    int IsPaneHidden(std::uint32_t id) const;
    // 1, or 0 when there is no such pane.
    int SetPaneCaption(std::uint32_t id, const std::wstring& text);
    // The views whose data can be exported as a table (40002, 40003 and 40006 to
    // 40011): the one the user activated last when its pane is in front, else the
    // first of them in front in this order; null when none is.
    IObserverView* GetActiveObserver() const;
    int SaveLayout();
    void CloseAll();
    // The frame's handler of ui::kMsgDockingPaneNotify; 1 when handled.
    ui::LResult OnPaneNotify(ui::WParam code, ui::LParam data);
    // Which of the right-hand panes may be used goes with the event list that was
    // activated: the waveform panes with 40001, the field data with 40004.
    void SwitchPaneGroup(std::uint32_t id);

    // Puts back the layout saved under kLayoutName. False when none is saved (the
    // reason left empty) or it does not describe these panes (the reason said);
    // nothing changes then.
    bool RestoreLayout(std::wstring& problem);

    ui::DockingPaneManager& GetManager() { return m_Manager; }
    // The view made for the pane; null before its first showing.
    ui::Window* GetView(std::uint32_t id) const;

private:
    ui::DockingPane* Find(std::uint32_t id) const { return m_Manager.FindPane(id); }
    void Describe(ui::DockingPane& pane) const;
    ui::Window* MakeView(ui::DockingPane& pane);
    IObserverViewBase* ObserverOf(std::uint32_t id) const;

    ui::Frame* m_pFrame = nullptr;
    ui::DockingPaneManager m_Manager;
    std::map<std::uint32_t, std::unique_ptr<ui::Window>> m_Views;
};

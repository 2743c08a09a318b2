#pragma once
// CRecordFrameWndBase: the window every statistic record frame shares in its
// docking pane: the waveform viewer on the left (the viewer library, loaded from the
// program folder) and the collapsible attribute panel on the right. Everything but
// the window is the frame (CRecordFrameBase) the derived window makes; this class
// makes the viewer and the panel, lays them out and hands the model's events, the
// viewer's events and its own message to the frame.
//
// A frame whose viewer cannot be made is not made when it is the voltage and
// current frame (it tells the user and its pane gets no view); the other frames stay
// empty without a message.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/base/DynamicLibrary.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"
#include "views/ObserverView.h"
#include "views/RecordFrameBase.h"
#include "views/TracelumeProperty.h"

class IRowItem;
class ITracelume;
struct DialogTemplateInfo;

class CRecordFrameWndBase : public ui::Window, public IObserverView {
public:
    // The frame's own message; wParam a CRecordFrameBase::SubCode.
    static constexpr unsigned kMsgFrameCommand = ui::kMsgUser + 201;
    // Width of the panel, and what is left of it when collapsed.
    static constexpr int kPanelWidth = 220;
    static constexpr int kCollapsedWidth = 5;
    // Width limits of the viewer's row-name pane.
    static constexpr int kTreeMinWidth = 30;
    static constexpr int kTreeMaxWidth = 150;

    ~CRecordFrameWndBase() override;

    int OnUpdate(std::uint32_t event, std::uintptr_t wParam, std::uintptr_t lParam) override;
    void Release() override;
    std::intptr_t RequestRange(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) override;
    int FillAttributes(ExportSource& source) override;

    ITracelume* Viewer() const { return m_pViewer; }
    // The panel's width when expanded: kPanelWidth, or more where the toolkit's
    // controls made the panel wider.
    int PanelWidth() const { return m_PanelWidth; }

protected:
    using FrameFactory = std::function<std::unique_ptr<CRecordFrameBase>(IObserverViewBase& observer)>;

    // The frame made by `makeFrame`; it observes this window.
    explicit CRecordFrameWndBase(const FrameFactory& makeFrame);
    CRecordFrameBase& FrameBase() const { return *m_pFrame; }
    ui::Dialog* PanelDialog() const { return m_Dialog.get(); }
    // The pane factory's part: the window made as a child of the host, or null when
    // it could not be made (a message has then been shown where one is due).
    static std::unique_ptr<ui::Window> Created(std::unique_ptr<CRecordFrameWndBase> frame, ui::Window& host);

private:
    // The viewer is made: the frame's root row when it takes one (else null).
    virtual IRowItem* PrepareViewer(ITracelume& viewer) = 0;
    // The panel's dialog of the template over the frame's panel state.
    virtual std::unique_ptr<ui::Dialog> MakePanelDialog(const DialogTemplateInfo* info) = 0;

    bool Create(ui::Window& host);
    // Loads the viewer library from the program folder and makes the viewer with its
    // tool bar, callback and row-name width limits; false (and the library unloaded)
    // when either fails.
    bool LoadViewer();
    void MakePanel();
    // The viewer on the left (the root row, when there is one, fills the height of
    // its waveform area), the panel (when it has a window) on the right; the first
    // sizing with room fits the whole record into the viewer (the layout word goes
    // from below 2 to 2).
    void Layout();
    // Releases the frame's series, the viewer with its rows, then its library.
    void ReleaseViewer();
    void OnDestroyed() override;

    std::unique_ptr<CRecordFrameBase> m_pFrame;
    CtracelumeProperty m_Property;
    platform::DynamicLibrary m_Library;
    ITracelume* m_pViewer = nullptr;
    std::unique_ptr<ui::Dialog> m_Dialog;
    int m_PanelWidth = kPanelWidth;
};

#pragma once
// CRecordFrameWnd: the window of a statistic record frame in its docking pane:
// the waveform viewer on the left (the viewer library, loaded from the program
// folder) and the collapsible attribute panel on the right. It observes the
// statistic model through its CRecordFrame, which does everything but the window:
// this class makes the viewer and the panel, lays them out and forwards the
// model's events, the viewer's events and its own message to the frame.
//
// A frame whose viewer cannot be made is not made when its profile says so (the
// voltage and current frame tells the user and its pane gets no view); the other
// frames stay empty without a message.

#include <memory>

#include "platform/base/DynamicLibrary.h"
#include "platform/ui/Window.h"
#include "views/ObserverView.h"
#include "views/RecordFrame.h"
#include "views/TracelumeProperty.h"

class CRecordAttribDlg;
class IRowItem;
class ITracelume;
class ITracelumeCallback;
class wxWindow;

class CRecordFrameWnd : public ui::Window, public IObserverView {
public:
    // The frame's own message; wParam a CRecordFrame::SubCode.
    static constexpr unsigned kMsgFrameCommand = ui::kMsgUser + 201;
    // Width of the panel, and what is left of it when collapsed.
    static constexpr int kPanelWidth = 220;
    static constexpr int kCollapsedWidth = 5;
    // Width limits of the viewer's row-name pane.
    static constexpr int kTreeMinWidth = 30;
    static constexpr int kTreeMaxWidth = 150;

    explicit CRecordFrameWnd(const RecordFrameProfile& profile);
    ~CRecordFrameWnd() override;

    // The pane factory: the frame as a child of the host, or null when it could not
    // be made (a message has then been shown where the profile asks for one).
    static std::unique_ptr<ui::Window> CreateObject(const RecordFrameProfile& profile, ui::Window& host);
    // Loads the viewer library from the program folder and makes the viewer in
    // `parent` with its tool bar, callback and row-name width limits; null (and the
    // library unloaded) when either fails.
    static ITracelume* LoadViewer(platform::DynamicLibrary& library, wxWindow* parent, ITracelumeCallback* callback);
    // Lays out a frame window: the viewer on the left (a root row, when given, fills the
    // height of its waveform area), the panel (when it has a window) shown on the right
    // in `panelWidth`; the first sizing with room fits the whole record into the viewer
    // (the layout word goes from below 2 to 2).
    static void LayOut(ui::Window& window, ITracelume* viewer, IRowItem* root, ui::Window* panel, int panelWidth,
                       std::uint32_t& layoutWord);
    // Releases the viewer with its rows, then its library.
    static void UnloadViewer(ITracelume*& viewer, platform::DynamicLibrary& library);

    int OnUpdate(std::uint32_t event, std::uintptr_t wParam, std::uintptr_t lParam) override;
    void Release() override;
    std::intptr_t RequestRange(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam) override;
    int FillAttributes(ExportSource& source) override;

    CRecordFrame& Frame() { return m_Frame; }
    ITracelume* Viewer() const { return m_pViewer; }
    CRecordAttribDlg* Panel() const { return m_Dialog.get(); }
    // The panel's width when expanded: kPanelWidth, or more where the toolkit's
    // controls made the panel wider.
    int PanelWidth() const { return m_PanelWidth; }

private:
    bool Create(ui::Window& host);
    bool MakeViewer();
    void MakePanel();
    void Layout();
    void ReleaseViewer();
    void OnDestroyed() override;

    CRecordFrame m_Frame;
    CtracelumeProperty m_Property;
    platform::DynamicLibrary m_Library;
    ITracelume* m_pViewer = nullptr;
    IRowItem* m_pRoot = nullptr;
    std::unique_ptr<CRecordAttribDlg> m_Dialog;
    int m_PanelWidth = kPanelWidth;
};

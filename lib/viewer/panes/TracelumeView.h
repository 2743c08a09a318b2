#pragma once
// CTracelumeView: the viewer behind ITracelume. It owns and lays out the panes
// (toolbar with the time box, channel tree, waveform control, time ruler, mark bar,
// navigator, two corner fillers), the splitter between tree and waveform, and the
// mark store, and runs the host's operations on them. The window system side is
// an IViewPlatform; without one the view runs headless.

#include <cstdint>
#include <memory>
#include <string>

#include "lib/viewer/data/MarkManager.h"
#include "lib/viewer/data/Tracelume.h"
#include "lib/viewer/data/XMLDataExchange.h"
#include "lib/viewer/panes/Pane.h"

class CRowItem;

namespace tracelume {

class CSimpleWnd;
class CToolBarWithTip;
class CTracelumeCtrl;
class CTracelumeRulerCtrl;
class CTracelumeTreeCtrl;
class CWaveMarkCtrl;
class CWaveNavigatorCtrl;
class IViewPlatform;

class CTracelumeView final : public CPane, public ITracelume {
public:
    static constexpr int kRulerHeight = 40;
    static constexpr int kNavigatorHeight = 30;
    static constexpr int kSplitterWidth = 3;
    static constexpr int kTimeBoxWidth = 150;
    static constexpr int kResizeThreshold = 15;

    // The platform may be null (headless).
    explicit CTracelumeView(std::unique_ptr<IViewPlatform> platform);
    ~CTracelumeView() override;

    // Makes the windows; false when the view's window cannot be made. Headless,
    // the panes are laid out at once.
    bool Create();

    // ITracelume, in its order.
    void Release() override;
    wxWindow* GetHwnd() override;
    void Refresh() override;
    void RefreshAll() override;
    IRowItem* AddRow(IRowItem* parent) override;
    void RemoveRow(IRowItem* row) override;
    void RemoveAllRows() override;
    IRowItemImp* CreateRowImp(int kind) override;
    IBufferredDataManager* CreateDataManager(ISimpleDataManager* source) override;
    void ShowToolBar(int show) override;
    void ShowNavigator(int show) override;
    void ShowGrid(int horizontal, int vertical) override;
    int SetMouseMode(int mode) override;
    int GetMouseMode() override;
    void SetSampleRate(double rate) override;
    double GetSampleRate() override;
    void SetDataLength(std::uint32_t low, std::uint32_t high) override;
    std::int64_t GetDataLength() override;
    void GetZoomRange(int* min, int* max) override;
    void SetZoom(int level) override;
    int GetZoom() override;
    void ZoomIn() override;
    void ZoomOut() override;
    void ZoomAll() override;
    void GoTo(int where) override;
    void SetCallback(ITracelumeCallback* callback) override;
    int Reserved(std::uint32_t a, std::uint32_t b) override;
    int Command(int code, std::intptr_t a, std::intptr_t b) override;
    void ShowMeasureLines(int on, int row) override;
    double SampleToTime(double value) override;
    int SetToolStrip(wxWindow* strip) override;

    // The panes and what they share.
    CToolBarWithTip& ToolBar() { return *m_toolBar; }
    CTracelumeTreeCtrl& Tree() { return *m_tree; }
    CTracelumeCtrl& Wave() { return *m_wave; }
    CTracelumeRulerCtrl& Ruler() { return *m_ruler; }
    CWaveMarkCtrl& MarkBar() { return *m_markBar; }
    CWaveNavigatorCtrl& Navigator() { return *m_navigator; }
    CSimpleWnd& TopCorner() { return *m_topCorner; }
    CSimpleWnd& BottomCorner() { return *m_bottomCorner; }
    CMarkManager& Marks() { return m_marks; }
    ITracelumeCallback* Callback() const { return m_callback; }
    IViewPlatform* Platform() const { return m_platform.get(); }

    // The row behind a host's pointer when it is one of this view's rows.
    CRowItem* FindRow(IRowItem* row);
    // Relayout and repaint (the refresh message).
    void OnRefresh();
    void Layout();
    int GetTreeWidth() const { return m_treeWidth; }
    int GetToolbarHeight() const;
    bool ToolBarShown() const { return m_showToolBar; }
    bool NavigatorShown() const { return m_showNavigator; }
    void SetSplitterLimits(int a, int b);
    // Moves the splitter by the distance, within the limits.
    void MoveSplitter(int distance);
    // The time of the waveform's left edge, as the time box shows it.
    void UpdateTimeBox();
    const std::wstring& GetTimeBoxText() const { return m_timeBoxText; }
    // Enables and checks the toolbar's buttons as the commands stand.
    void UpdateToolBar();
    // A command of the toolbar or a menu.
    void RouteCommand(unsigned id);

    void OnPaint(gfx::Context& dc) override;
    void OnSize(int width, int height) override;
    void OnMouse(const MouseEvent& event) override;
    // A command sent to the view's window goes to the waveform control.
    bool OnCommand(unsigned id) override;

private:
    bool InSplitter(int x, int y) const;
    void ClearLegendRow();

    std::unique_ptr<IViewPlatform> m_platform;
    std::unique_ptr<CToolBarWithTip> m_toolBar;
    std::unique_ptr<CTracelumeTreeCtrl> m_tree;
    std::unique_ptr<CTracelumeCtrl> m_wave;
    std::unique_ptr<CTracelumeRulerCtrl> m_ruler;
    std::unique_ptr<CSimpleWnd> m_topCorner;
    std::unique_ptr<CSimpleWnd> m_bottomCorner;
    std::unique_ptr<CWaveMarkCtrl> m_markBar;
    std::unique_ptr<CWaveNavigatorCtrl> m_navigator;
    CMarkManager m_marks;
    CXMLDataExchange m_binder;
    ITracelumeCallback* m_callback = nullptr;

    std::int32_t m_treeWidth = 75;
    int m_splitterMin = 0;
    int m_splitterMax = 2147483647;
    bool m_dragging = false;
    int m_dragStartX = 0;
    int m_dragStartWidth = 0;
    bool m_paintedOnce = false;
    bool m_notMinimised = true;
    bool m_showNavigator = false;
    bool m_showToolBar = false;
    bool m_legendOption = false;
    bool m_created = false;
    std::wstring m_timeBoxText;
};

}  // namespace tracelume

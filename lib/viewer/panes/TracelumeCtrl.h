#pragma once
// CTracelumeCtrl: the waveform control of the viewer view. It draws the rows of the
// channel tree as waveforms on one time axis, zooms through the 1-2-5 levels (and
// into a 10x detail view that the host fills), scrolls together with the tree, the
// ruler and the navigator, and carries the interaction: mouse modes and gestures
// (panning, mark dragging, measuring lines, picture rectangles, region selection),
// keys, the context menu, tooltips, marks and picture export. What it reports goes
// to the host's callback through the view.
//
// Positions are 64-bit: samples, and pixels of the content (pixel x of sample s is
// s x scale / rate minus the horizontal scroll position).

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "lib/viewer/data/XMLDataExchange.h"
#include "lib/viewer/panes/Pane.h"
#include "lib/viewer/panes/RegionSelection.h"
#include "lib/viewer/panes/WaveScale.h"

class CRowItem;
class IRowItemImp;
class CTreeItem;

namespace tracelume {

class CLegendWnd;
class CTracelumeView;

// Command ids of the control (menus and toolbar).
inline constexpr unsigned kCmdNormalMouse = 32792;
inline constexpr unsigned kCmdScreenshotMouse = 32793;
inline constexpr unsigned kCmdMagnifier = 32794;
inline constexpr unsigned kCmdZoomOut = 32795;
inline constexpr unsigned kCmdZoomIn = 32796;
inline constexpr unsigned kCmdZoomFit = 32797;
inline constexpr unsigned kCmdViewStart = 32798;
inline constexpr unsigned kCmdPreviousPage = 32799;
inline constexpr unsigned kCmdTrigger = 32800;
inline constexpr unsigned kCmdNextPage = 32801;
inline constexpr unsigned kCmdViewEnd = 32802;
inline constexpr unsigned kCmdTimeBox = 32804;
inline constexpr unsigned kCmdAddMark = 32806;
inline constexpr unsigned kCmdWindowProperties = 32807;
inline constexpr unsigned kCmdZoomRectangle = 32808;
inline constexpr unsigned kCmdSavePicture = 32813;
inline constexpr unsigned kCmdCopyPicture = 32814;
inline constexpr unsigned kCmdRemoveMark = 32815;
inline constexpr unsigned kCmdRemoveAllMarks = 32816;
inline constexpr unsigned kCmdMarkToBottom = 32817;
inline constexpr unsigned kCmdMarkProperties = 32818;
inline constexpr unsigned kCmdLowerRows = 32821;
inline constexpr unsigned kCmdTallerRows = 32822;
inline constexpr unsigned kCmdMeasureLines = 32823;
inline constexpr unsigned kCmdGrid = 32824;
inline constexpr unsigned kCmdRegion = 32825;
inline constexpr unsigned kCmdRegionMouse = 32826;
inline constexpr unsigned kCmdMoreMarks = 40000;      // marks dialog, then go to the mark
inline constexpr unsigned kCmdGoToMark = 40001;       // + mark index
inline constexpr unsigned kCmdMoreMarksMove = 41000;  // marks dialog, then move the mark here
inline constexpr unsigned kCmdMoveMark = 41001;       // + mark index
inline constexpr int kMenuMarks = 10;                 // marks listed by name in the menus

class CTracelumeCtrl final : public CPane {
public:
    // Gesture states.
    enum Gesture {
        kNoGesture = 0,
        kRectangle = 1,  // picture rectangle, or a new region
        kPanning = 2,
        kMarkDrag = 3,
        kRegionStart = 5,
        kRegionEnd = 6,
        kRegionMove = 7,
        kLine1Drag = 8,
        kLine2Drag = 9,
        kArrowDrag = 10,
    };
    // Detail states.
    enum Detail { kDetailNormal = 0, kDetailReady = 1, kDetailShown = 2 };

    static constexpr unsigned kToolbarTimer = 2;
    static constexpr unsigned kDetailTimer = 200;
    static constexpr int kDetailFactor = 10;
    static constexpr int kLineScroll = 100;
    static constexpr int kRowLineScroll = 25;
    static constexpr int kMagnifierWidth = 440;
    static constexpr int kMagnifierHeight = 250;

    explicit CTracelumeCtrl(CTracelumeView& view);
    ~CTracelumeCtrl() override;

    // Settings: the element "wavectrl" with background, font, zoom, hscroll, size,
    // min and max; 1.
    int LoadSettings(const tinyxml2::XMLElement& element);
    static std::wstring DefaultSettings();

    // The axis: the scale of the zoom level, or while the view is fitted (ZoomAll)
    // the scale that spreads the view range over the whole width.
    double GetTimePerDivision() const;
    TimeAxis Axis() const;
    int GetZoom() const { return m_zoom; }
    bool IsFitted() const { return m_fitted; }
    // Stored within the zoom range; nothing is repainted.
    void SetZoom(int level);
    int GetMinZoomLevel() const;
    int GetMaxZoomLevel() const;
    // The scale at which the view range fills the width: the coarsest level's,
    // stretched, but no finer than the finest level's.
    double FitScale() const;
    double GetRate() const { return m_rate; }
    double GetBaseRate() const { return m_baseRate; }
    // Ignored unless a positive finite number.
    void SetSampleRate(double rate);
    std::int64_t GetDataLength() const { return m_dataLength; }
    void SetDataLength(std::int64_t count);
    std::int64_t GetRangeMin() const { return m_min; }
    std::int64_t GetRangeMax() const { return m_max; }
    // The view range, as the navigator sets it (kept within the data).
    void SetRange(std::int64_t min, std::int64_t max);
    std::int64_t GetScrollPosition() const { return m_position; }
    const ScrollRange& GetScrollRange() const { return m_range; }
    int GetDetailState() const { return m_detail; }
    void AllowDetail(bool allow) { m_detailAllowed = allow; }
    bool DetailAllowed() const { return m_detailAllowed; }
    // The first sample on screen and the number of samples the width shows.
    double FirstVisibleSample() const;
    double VisibleSamples() const;
    std::int64_t SampleAt(int x) const;

    void UpdateScrollBars();
    // Horizontal: kept within the range and rounded down to a multiple of 10, the
    // ruler, navigator and time box follow. Vertical: the rows (and the tree) move.
    std::int64_t SetScrollPosition(bool vertical, std::int64_t position, bool redraw = true);
    void SmoothScrollTo(std::int64_t position);
    void ScrollRowsBy(std::int64_t delta);
    void ZoomAt(int level, int x);
    void ZoomIn();
    void ZoomOut();
    // The whole view range over the whole width, followed as the width changes;
    // zooming in goes on from there by the fixed levels.
    void ZoomAll();
    // 1 normal, 2 tenfold.
    void SetDetailMode(int mode);
    void InvalidatePanes();

    void SetBackground(std::uint32_t colorRef);
    std::uint32_t GetBackground() const { return m_background; }
    void ShowGrid(bool horizontal, bool vertical);
    bool HorizontalGrid() const { return m_horizontalGrid; }
    bool VerticalGrid() const { return m_verticalGrid; }
    unsigned GetMouseMode() const { return m_mouseMode; }
    void SetMouseMode(unsigned mode);
    int GetGesture() const { return m_gesture; }
    void ShowMeasureLines(bool on, int row);
    bool MeasureLinesShown() const { return m_measureLines; }
    int MeasureLinePixel(int line) const { return m_linePixel[line]; }
    double MeasureLineLevel(int line) const { return m_lineLevel[line]; }

    // Marks.
    int GetCurrentMark() const { return m_currentMark; }
    // The mark whose line is within 4 pixels of the point, the last one first; -1.
    int MarkAt(int x, int y);
    int AddCursorMark();
    bool MoveMark(int index, std::int64_t position, bool group);
    void ScrollToMark(int index);
    // The mark "Find" at the position, scrolled to a quarter of the width.
    void Find(std::int64_t position);

    // Regions.
    void SetMinRegionWidth(std::int64_t width) { m_minRegion = width; }
    std::int64_t GetMinRegionWidth() const { return m_minRegion; }
    bool InRegionMode() const { return m_regionMode; }
    bool RegionShown() const { return m_regionShown; }
    const Region& GetRegion() const { return m_region; }
    void EnableRegionCommand(bool enable) { m_regionEnabled = enable; }
    bool RegionCommandEnabled() const { return m_regionEnabled; }
    void ToggleRegionMode();
    // The host's region flags, then region mode toggled (while it is on or a
    // region is shown).
    void RegionCommand(std::intptr_t a, std::intptr_t b);
    // Selects the samples a .. b (either order) and scrolls them into view.
    void SelectRegion(std::int64_t a, std::int64_t b);

    // The legend along the bottom, made on first use.
    CLegendWnd& EnsureLegend();
    CLegendWnd* GetLegend() const { return m_legend.get(); }
    void OnLegendHeight(int height);
    void OnLegendClick(IRowItemImp* kind);

    // The tooltip (HTML) at a point; empty during a gesture or in magnifier mode.
    std::wstring TipTextAt(int x, int y);
    // The picture of a rectangle of the control with the tree column and the ruler
    // row beside it, as the picture commands save it.
    gfx::Bitmap ExportPicture(const gfx::Rect& rect);
    const gfx::Rect& GetPictureRect() const { return m_pictureRect; }

    // Enabled and checked state of a command, as menus and the toolbar show it.
    void GetCommandState(unsigned id, bool* enabled, bool* checked);
    bool OnCommand(unsigned id) override;
    void OpenContextMenu(int x, int y);

    // Draws the rows, grids and marks for the samples first .. last across the width.
    void DrawClient(gfx::Context& dc, double first, double last);

    void OnPaint(gfx::Context& dc) override;
    void OnSize(int width, int height) override;
    void OnMouse(const MouseEvent& event) override;
    void OnKey(const KeyEvent& event) override;
    void OnTimer(unsigned id) override;
    void OnScroll(bool vertical, int code, int position) override;
    void OnKillFocus() override;
    void OnContextMenu(int x, int y) override;
    void OnShow(bool shown) override;

    // The library-wide switch of the context menu (Command code 104).
    static int& ContextMenuOption();

private:
    void Notify(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam);
    void RequestDetail();
    void StartDetailTimer();
    void ZoomInAt(int x);
    void ZoomOutAt(int x);
    void UpdateTime();
    double PixelOfSample(double sample) const;
    CRowItem* RowAt(int y, int* top = nullptr);
    void SelectRowAt(int y);
    int LineHit(int x, int y) const;
    // The top and height of the row a measuring line sits in; false when not shown.
    bool LineRowBand(int line, int* top, int* height);
    void DrawMeasureLines(gfx::Context& dc);
    void DrawRegion(gfx::Context& dc);
    void DrawGesture(gfx::Context& dc);
    void DrawMagnifier(gfx::Context& dc, const gfx::Bitmap& picture);
    void UpdateCursor(const MouseEvent& event);
    void EndRegionMode();
    void CommitRegion();
    void NotifyGesture(bool flag, gfx::Point client);
    std::int64_t VisibleSampleAt(int x) const;
    void OnLeftDown(const MouseEvent& event);
    void OnMove(const MouseEvent& event);
    void OnLeftUp(const MouseEvent& event);
    void ShowPictureMenu(int x, int y);
    void SavePicture();
    void CopyPicture();
    void ShowProperties(const std::wstring& xml);
    std::wstring MarkPropertiesXml(int index);
    std::wstring TimeText(double seconds) const;

    CTracelumeView& m_view;
    CXMLDataExchange m_binder;

    std::uint32_t m_background = 0xFFFFFF;
    gfx::Font m_font;
    int m_zoom = 0;
    bool m_fitted = false;
    bool m_detailAllowed = false;
    int m_detail = kDetailNormal;
    double m_rate = 100000000.0;
    double m_baseRate = 100000000.0;
    std::int64_t m_dataLength = 0;
    std::int64_t m_min = 0;
    std::int64_t m_max = 0;
    std::int64_t m_baseLength = 0;
    std::int64_t m_baseMin = 0;
    std::int64_t m_position = 0;
    ScrollRange m_range;
    unsigned m_mouseMode = kCmdNormalMouse;
    int m_gesture = kNoGesture;
    std::int64_t m_lastRequest = -1;

    bool m_horizontalGrid = true;
    bool m_verticalGrid = true;
    bool m_measureLines = false;
    int m_lineRow[2] = {0, 0};
    double m_lineLevel[2] = {0.1, 0.9};
    int m_arrowX = 250;
    int m_linePixel[2] = {-1, -1};

    std::int64_t m_minRegion = 5120;
    bool m_regionMode = false;
    bool m_regionEnabled = true;
    bool m_regionShown = false;
    bool m_regionReset = false;
    std::intptr_t m_regionFlag = 0;
    std::intptr_t m_secondRegion = 0;
    Region m_region;       // the shown region
    Region m_workRegion;   // the region being dragged
    std::unique_ptr<CLegendWnd> m_legend;
    int m_legendHeight = 0;

    // Gesture state.
    gfx::Point m_down;
    gfx::Point m_last;
    gfx::Point m_lastClick;
    std::int64_t m_downSample = 0;
    std::int64_t m_downPosition = 0;
    int m_currentMark = -1;
    gfx::Rect m_pictureRect;
    bool m_mouseInside = false;
    int m_magnifierZoom = 0;

    // Painting.
    bool m_reuseLastPicture = false;
    gfx::Bitmap m_lastPicture;
};

}  // namespace tracelume

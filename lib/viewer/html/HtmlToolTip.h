#pragma once
// CHtmlToolTip: the viewer's balloon tooltip. Panes register tools (a window, or a
// rectangle of it) and hand it every mouse message they receive (RelayEvent); when
// the mouse rests on a tool for the initial delay, the tooltip asks the notify
// window for the tool's text (kMsgHtmlTipNeedText) and shows it, formatted by
// CHtmlDrawer, in a balloon whose pointer's tip sits on the mouse. The balloon
// floats without taking the focus and flips its side and alignment at the screen's
// edges. Moves, keys, the wheel and buttons hide it again, and a click on a web link
// in it opens the link in the user's browser.
//
// Where the display composites windows the balloon casts a blurred shadow and can
// be translucent and fade in and out; elsewhere it is opaque, without shadow or fading.
//
// A pane uses it as follows: CreateForPane(pane) once its window exists; every
// mouse message of the pane goes to RelayEvent(ui::CurrentInputMessage(...)); the
// pane answers kMsgHtmlTipNeedText by filling the request's tool text (and, if it
// wants, the request's tool transparency or direction).

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lib/viewer/html/HtmlDrawer.h"
#include "lib/viewer/html/TipBalloon.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/PopupWindow.h"

// Sent (while the tooltip waits) to the notify window before a tool is shown:
// wParam the tooltip's control id, lParam an HtmlTipRequest*. The receiver fills the
// tool's text; an empty text shows nothing. The result is not read.
inline constexpr unsigned kMsgHtmlTipNeedText = 0x464;
// To the tooltip from its renderer: the link under the mouse changed (wParam its number).
inline constexpr unsigned kMsgHtmlTipRedraw = 0x465;
inline constexpr unsigned kHtmlTipNeedTextCode = 0x464;

// Which fields of a tool record are given; the others take the tooltip's defaults.
inline constexpr unsigned kToolStyles = 0x01;
inline constexpr unsigned kToolEffect = 0x02;  // effect and granularity
inline constexpr unsigned kToolColours = 0x04;
inline constexpr unsigned kToolDirection = 0x08;
inline constexpr unsigned kToolBehaviour = 0x10;
inline constexpr unsigned kToolTransparency = 0x20;

// Behaviour bits of a tool.
inline constexpr unsigned kTipMultiple = 0x01;       // a move within the tool shows it afresh, text asked again
inline constexpr unsigned kTipTrackMouse = 0x02;     // the balloon follows the mouse
inline constexpr unsigned kTipTrackInTool = 0x04;    // moves within the tool only restart the hide delay
inline constexpr unsigned kTipTrackOverTip = 0x08;   // moves over the balloon restart the hide delay
inline constexpr unsigned kTipNoAutoHide = 0x10;

struct HtmlToolInfo {
    unsigned id = 0;
    HtmlRect rect;  // in the tool window's client coordinates; empty: the whole window
    std::wstring text;
    unsigned mask = 0;
    unsigned styles = 0;  // no style bits are defined
    int direction = 0;
    int effect = 0;
    unsigned behaviour = 0;
    std::uint8_t granularity = 0;
    std::uint8_t transparency = 0;  // percent
    std::uint32_t beginColour = 0;
    std::uint32_t middleColour = 0;
    std::uint32_t endColour = 0;
};

// The tooltip's timing, in milliseconds: the delay before a balloon shows, the time
// it stays (negative: until the mouse moves on), and the steps of its fading in and
// out (0: no fading; fading also needs a display that composites windows).
struct HtmlTipTimes {
    int initialDelay = 500;
    int hideDelay = -1;
    int fadeInStep = 0;
    int fadeOutStep = 0;
};

struct HtmlTipRequest {
    ui::Window* sender = nullptr;
    unsigned id = 0;
    unsigned code = kHtmlTipNeedTextCode;
    ui::Window* toolWindow = nullptr;
    HtmlPoint point;              // the mouse on the screen
    HtmlToolInfo* tool = nullptr;  // to fill
};

class CHtmlToolTip : public ui::PopupWindow {
public:
    // The tooltip's control id, as the panes register their tools with.
    static constexpr unsigned kToolId = 0xE900;
    // Phases of the balloon.
    static constexpr int kHidden = 0;
    static constexpr int kAppearing = 1;
    static constexpr int kShown = 2;
    static constexpr int kDisappearing = 3;

    CHtmlToolTip();
    ~CHtmlToolTip() override;

    // Makes the (hidden) balloon window for the owner; false when that fails, and
    // relaying then does nothing.
    bool Create(ui::Window* owner);
    // What every pane of the viewer does: Create for the pane, the pane as the notify
    // window, and one tool for the whole pane whose text is asked for afresh after
    // every move (id kToolId, empty text and rectangle, behaviour kTipMultiple).
    bool CreateForPane(ui::Window* pane);
    // Where text requests go (usually the owner).
    void SetNotify(ui::Window* notify);
    void SetTimes(const HtmlTipTimes& times) { m_times = times; }
    // Adds the window's tool, or replaces its tool of the same rectangle.
    void AddTool(ui::Window* window, const HtmlToolInfo& tool);
    void RelayEvent(const ui::InputMessage& message);
    // Hides at once.
    void Pop();

    int Phase() const { return m_phase; }
    // The renderer, for the owner to give it its language strings.
    CHtmlDrawer& Drawer() { return m_drawer; }

    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;

private:
    struct Tool {
        ui::Window* window = nullptr;
        HtmlToolInfo info;
    };
    struct ToolList {
        std::uint64_t serial = 0;  // of the window, to tell a later window at the same address
        std::vector<HtmlToolInfo> tools;
    };

    void OnMove(const ui::InputMessage& message);
    bool FindTool(const ui::InputMessage& message, Tool& found) const;
    void RequestShow(const Tool& tool);
    void StartShowTimer();
    void OnShowTimer();
    bool ShowBalloon(const wxPoint& point);
    void StartHideTimer();
    void Hide();
    void FinishHide();
    void FadeInStep();
    void FadeOutStep();
    void ForgetDisplayedIfAskedAfresh();
    bool Fades(int step) const { return IsTranslucent() && step > 0; }
    void Render();
    void PlaceAt(const wxPoint& point);

    std::map<ui::Window*, ToolList> m_tools;
    ui::Window* m_notify = nullptr;
    std::uint64_t m_notifySerial = 0;
    std::unique_ptr<ui::InputWatch> m_watch;
    bool m_hasDisplayed = false;
    Tool m_displayed;
    bool m_hasNext = false;
    Tool m_next;
    HtmlToolInfo m_shown;  // the displayed tool with the defaults and the owner's changes
    wxPoint m_lastPoint{-100000, -100000};
    int m_phase = kHidden;
    int m_transparency = 0;
    bool m_pendingShow = false;
    bool m_showWasPending = false;

    // Defaults of the tools' fields.
    std::uint32_t m_defaultBegin = 0;
    std::uint32_t m_defaultMiddle = 0;
    std::uint32_t m_defaultEnd = 0;
    std::uint32_t m_border = 0;
    unsigned m_defaultBehaviour = 0;
    int m_defaultEffect = 0;
    unsigned m_defaultStyles = 0;
    std::uint8_t m_defaultGranularity = 0;
    std::uint8_t m_defaultTransparency = 0;
    int m_defaultDirection = 0x10;
    HtmlTipTimes m_times;

    CHtmlDrawer m_drawer;
    CTipDrawManager m_draw;
    CTipBalloon m_balloon;
    BalloonLayout m_layout;
    HtmlSize m_textSize;
};

#include "lib/viewer/html/HtmlToolTip.h"

#include <algorithm>

#include <wx/settings.h>
#include <wx/window.h>

#include "lib/viewer/html/HtmlColourNames.h"
#include "platform/gfx/Context.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Screen.h"

namespace {

constexpr unsigned kTimerShow = 256;
constexpr unsigned kTimerHide = 257;
constexpr unsigned kTimerFadeIn = 258;
constexpr unsigned kTimerFadeOut = 259;
constexpr unsigned kTimerPoll = 260;
// The animation tick of pictures in the balloon.
constexpr unsigned kPollPeriod = 100;
constexpr int kFadeStep = 20;

std::uint32_t SystemColour(int index) {
    const wxColour colour = wxSystemSettings::GetColour(static_cast<wxSystemColour>(index));
    if (!colour.IsOk()) {
        return DefaultSystemColour(index);
    }
    return static_cast<std::uint32_t>(colour.Red()) | (static_cast<std::uint32_t>(colour.Green()) << 8) |
           (static_cast<std::uint32_t>(colour.Blue()) << 16);
}

// Input that hides the balloon at once.
bool Dismisses(unsigned message) {
    switch (message) {
        case ui::kMsgKeyDown:
        case ui::kMsgSysKeyDown:
        case ui::kMsgLButtonDown:
        case ui::kMsgLButtonDblClk:
        case ui::kMsgRButtonDown:
        case ui::kMsgRButtonDblClk:
        case ui::kMsgMButtonDown:
        case ui::kMsgMButtonDblClk:
        case ui::kMsgMouseWheel: return true;
        default: return false;
    }
}

}  // namespace

CHtmlToolTip::CHtmlToolTip() : m_drawer(SystemColour) {
    // The classic light tooltip colours rather than the desktop theme's, which may be
    // dark: the markup's own colours (black text, blue links) are made for a light
    // balloon.
    m_defaultBegin = m_defaultMiddle = m_defaultEnd = DefaultSystemColour(kSystemColourInfoBackground);
    m_border = DefaultSystemColour(kSystemColourInfoText);
}

CHtmlToolTip::~CHtmlToolTip() {
    m_watch.reset();
    Pop();
}

bool CHtmlToolTip::Create(ui::Window* owner) {
    if (!CreatePopup(owner, kToolId, true)) {
        return false;
    }
    ui::RouteInputMessages(*this);
    m_drawer.SetHotLinkNotify(
        [this](int link) { ui::SendMessage(this, kMsgHtmlTipRedraw, static_cast<ui::WParam>(link), 0); });
    SetTimer(kTimerPoll, kPollPeriod);
    // Keys, the wheel, buttons and leaving the program hide the balloon wherever they
    // happen; the balloon's own input comes through its own messages.
    m_watch = std::make_unique<ui::InputWatch>([this](wxWindow* target, const ui::InputMessage& message) {
        if (target == GetWx()) {
            return;
        }
        if (Dismisses(message.message) || (message.message == ui::kMsgActivateApp && message.wParam == 0)) {
            Pop();
        }
    });
    return true;
}

bool CHtmlToolTip::CreateForPane(ui::Window* pane) {
    if (!Create(pane)) {
        return false;
    }
    SetNotify(pane);
    HtmlToolInfo tool;
    tool.id = kToolId;
    tool.mask = kToolBehaviour;
    tool.behaviour = kTipMultiple;
    AddTool(pane, tool);
    return true;
}

void CHtmlToolTip::SetNotify(ui::Window* notify) {
    m_notify = notify;
    m_notifySerial = ui::Window::SerialOf(notify);
}

void CHtmlToolTip::AddTool(ui::Window* window, const HtmlToolInfo& tool) {
    if (window == nullptr) {
        return;
    }
    ToolList& list = m_tools[window];
    const std::uint64_t serial = ui::Window::SerialOf(window);
    if (list.serial != serial) {
        list.serial = serial;
        list.tools.clear();
    }
    const auto same = std::find_if(list.tools.begin(), list.tools.end(),
                                   [&](const HtmlToolInfo& existing) { return existing.rect == tool.rect; });
    if (same != list.tools.end()) {
        *same = tool;
    } else {
        list.tools.push_back(tool);
    }
}

ui::LResult CHtmlToolTip::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) {
    switch (message) {
        case ui::kMsgTimer:
            switch (wParam) {
                case kTimerShow: OnShowTimer(); break;
                case kTimerHide: Hide(); break;
                case kTimerFadeIn: FadeInStep(); break;
                case kTimerFadeOut: FadeOutStep(); break;
                case kTimerPoll:
                    if (IsWindowVisible() && m_phase == kShown && m_drawer.AdvanceAnimations()) {
                        Render();
                    }
                    break;
                default: break;
            }
            return 0;
        case kMsgHtmlTipRedraw:
            if (IsWindowVisible()) {
                Render();
            }
            return 0;
        case ui::kMsgMouseMove: {
            const HtmlPoint point{ui::PointXFromLParam(lParam), ui::PointYFromLParam(lParam)};
            SetCursorShape(m_drawer.UpdateHoverCursor(point) ? ui::PopupCursor::Hand : ui::PopupCursor::Arrow);
            RelayEvent(ui::CurrentInputMessage(this, message, wParam, lParam));
            return 0;
        }
        default:
            if (Dismisses(message)) {
                RelayEvent(ui::CurrentInputMessage(this, message, wParam, lParam));
                return 0;
            }
            return PopupWindow::WindowProc(message, wParam, lParam);
    }
}

void CHtmlToolTip::RelayEvent(const ui::InputMessage& message) {
    if (!IsWindow()) {
        return;
    }
    if (message.message == ui::kMsgMouseMove) {
        OnMove(message);
        return;
    }
    if (message.message == ui::kMsgLButtonDown && message.window == this && m_phase != kHidden &&
        IsWindowVisible()) {
        // Hot areas are in the balloon's coordinates.
        const int area = m_drawer.HotAreaAt({message.point.x - m_layout.window.left,
                                             message.point.y - m_layout.window.top});
        if (area >= 0) {
            m_drawer.ActivateHotArea(area);
        }
    }
    if (Dismisses(message.message)) {
        Pop();
    }
}

void CHtmlToolTip::OnMove(const ui::InputMessage& message) {
    if (message.point == m_lastPoint) {
        return;
    }
    m_lastPoint = message.point;
    if (message.window == this && m_phase != kHidden && IsWindowVisible() &&
        (m_shown.behaviour & kTipTrackMouse) == 0) {
        if ((m_shown.behaviour & kTipTrackOverTip) != 0) {
            StartHideTimer();
        } else {
            Hide();
        }
        return;
    }
    Tool found;
    if (!FindTool(message, found)) {
        m_hasDisplayed = false;
        KillTimer(kTimerShow);
        Hide();
        return;
    }
    if (m_hasDisplayed && found.window == m_displayed.window && found.info.id == m_displayed.info.id &&
        found.info.rect == m_displayed.info.rect) {
        if ((m_shown.behaviour & kTipTrackMouse) != 0) {
            StartHideTimer();
            PlaceAt(message.point);
            return;
        }
        if ((m_shown.behaviour & kTipTrackInTool) != 0) {
            StartHideTimer();
            return;
        }
        if ((m_shown.behaviour & kTipMultiple) == 0) {
            Hide();
            return;
        }
    }
    RequestShow(found);
}

bool CHtmlToolTip::FindTool(const ui::InputMessage& message, Tool& found) const {
    // Over the balloon, the tool it shows is the one under the mouse.
    ui::Window* window = message.window == this ? (m_hasDisplayed ? m_displayed.window : nullptr) : message.window;
    const auto list = m_tools.find(window);
    if (list == m_tools.end() || ui::Window::SerialOf(window) != list->second.serial || !window->IsWindow() ||
        !window->IsWindowEnabled()) {
        return false;
    }
    const wxPoint client = window->GetWx()->ScreenToClient(message.point);
    for (const HtmlToolInfo& tool : list->second.tools) {
        const HtmlRect& rect = tool.rect;
        const bool whole = rect.Width() <= 0 || rect.Height() <= 0;
        if (whole || (client.x >= rect.left && client.x < rect.right && client.y >= rect.top && client.y < rect.bottom)) {
            found = {window, tool};
            return true;
        }
    }
    return false;
}

void CHtmlToolTip::RequestShow(const Tool& tool) {
    if (m_phase == kAppearing || m_phase == kShown) {
        Hide();
    }
    m_next = tool;
    m_hasNext = true;
    if (m_phase == kDisappearing) {
        m_pendingShow = true;
        return;
    }
    StartShowTimer();
}

void CHtmlToolTip::StartShowTimer() {
    if (m_times.initialDelay <= 0) {
        OnShowTimer();
    } else {
        SetTimer(kTimerShow, static_cast<unsigned>(m_times.initialDelay));
    }
}

void CHtmlToolTip::OnShowTimer() {
    KillTimer(kTimerShow);
    const wxPoint point = m_showWasPending ? m_lastPoint : ui::GetCursorPos();
    m_showWasPending = false;
    if (point != m_lastPoint) {
        Hide();
        return;
    }
    if (m_phase != kHidden || !m_hasNext) {
        return;
    }
    m_phase = kAppearing;
    if (!ShowBalloon(point)) {
        m_phase = kHidden;
        return;
    }
    if (Fades(m_times.fadeInStep)) {
        SetTimer(kTimerFadeIn, static_cast<unsigned>(m_times.fadeInStep));
    } else {
        m_phase = kShown;
        StartHideTimer();
    }
}

bool CHtmlToolTip::ShowBalloon(const wxPoint& point) {
    HtmlToolInfo tool = m_next.info;
    if ((tool.mask & kToolStyles) == 0) {
        tool.styles = m_defaultStyles;
    }
    if ((tool.mask & kToolEffect) == 0) {
        tool.effect = m_defaultEffect;
        tool.granularity = m_defaultGranularity;
    }
    if ((tool.mask & kToolColours) == 0) {
        tool.beginColour = m_defaultBegin;
        tool.middleColour = m_defaultMiddle;
        tool.endColour = m_defaultEnd;
    }
    if ((tool.mask & kToolDirection) == 0) {
        tool.direction = m_defaultDirection;
    }
    if ((tool.mask & kToolBehaviour) == 0) {
        tool.behaviour = m_defaultBehaviour;
    }
    if ((tool.mask & kToolTransparency) == 0) {
        tool.transparency = m_defaultTransparency;
    }
    // The owner fills the text now; what it changes holds for this showing.
    if (m_notify != nullptr && ui::Window::SerialOf(m_notify) == m_notifySerial) {
        HtmlTipRequest request{this, kToolId, kHtmlTipNeedTextCode, m_next.window, {point.x, point.y}, &tool};
        ui::SendMessage(m_notify, kMsgHtmlTipNeedText, kToolId, reinterpret_cast<ui::LParam>(&request));
    }
    if (tool.text.empty()) {
        return false;
    }
    m_displayed = m_next;
    m_hasDisplayed = true;
    m_shown = tool;
    gfx::Bitmap scratch(1, 1);
    gfx::Context dc(scratch);
    m_textSize = m_drawer.MeasureHtml(dc, tool.text);
    m_transparency = !IsTranslucent() ? 0 : Fades(m_times.fadeInStep) ? 100 : std::min<int>(tool.transparency, 100);
    PlaceAt(point);
    return true;
}

void CHtmlToolTip::PlaceAt(const wxPoint& point) {
    const wxRect screen = ui::VirtualScreenRect();
    m_layout = m_balloon.Place({point.x, point.y}, m_textSize, m_shown.direction,
                               {screen.GetLeft(), screen.GetTop(), screen.GetRight() + 1, screen.GetBottom() + 1});
    const bool shadow = IsTranslucent();
    std::vector<wxRect> parts;
    for (const HtmlRect& run : m_balloon.Region(m_layout, shadow)) {
        parts.emplace_back(run.left, run.top, run.Width(), run.Height());
    }
    SetShape(parts);
    Render();
    const BalloonMetrics& metrics = m_balloon.Metrics();
    ShowAt(wxRect(m_layout.window.left, m_layout.window.top,
                  m_layout.window.Width() + (shadow ? metrics.shadowDx : 0),
                  m_layout.window.Height() + (shadow ? metrics.shadowDy : 0)));
}

void CHtmlToolTip::Render() {
    BalloonLook look;
    look.effect = m_shown.effect;
    look.begin = m_shown.beginColour;
    look.middle = m_shown.middleColour;
    look.end = m_shown.endColour;
    look.granularity = m_shown.granularity;
    look.border = m_border;
    look.shadow = IsTranslucent();
    look.transparency = m_transparency;
    const gfx::Bitmap picture = m_balloon.Paint(
        m_layout, look, m_draw, [this](gfx::Context& dc, const HtmlRect& text) { m_drawer.DrawHtml(text, dc); });
    SetPicture(picture.Surface());
}

void CHtmlToolTip::StartHideTimer() {
    KillTimer(kTimerHide);
    if (m_times.hideDelay >= 0 && (m_shown.behaviour & kTipNoAutoHide) == 0) {
        SetTimer(kTimerHide, static_cast<unsigned>(m_times.hideDelay));
    }
}

void CHtmlToolTip::Hide() {
    KillTimer(kTimerShow);
    KillTimer(kTimerHide);
    KillTimer(kTimerFadeIn);
    if (m_phase == kDisappearing) {
        return;
    }
    m_phase = kDisappearing;
    if (Fades(m_times.fadeOutStep) && IsWindowVisible()) {
        SetTimer(kTimerFadeOut, static_cast<unsigned>(m_times.fadeOutStep));
    } else {
        FinishHide();
    }
}

void CHtmlToolTip::FadeInStep() {
    m_transparency = std::max(0, m_transparency - kFadeStep);
    if (m_transparency <= m_shown.transparency) {
        m_transparency = m_shown.transparency;
        KillTimer(kTimerFadeIn);
        m_phase = kShown;
        StartHideTimer();
    }
    Render();
}

void CHtmlToolTip::FadeOutStep() {
    m_transparency += kFadeStep;
    if (m_transparency >= 100 - kFadeStep) {
        m_transparency = 100;
    }
    if (m_transparency < 100) {
        Render();
        return;
    }
    KillTimer(kTimerFadeOut);
    FinishHide();
}

void CHtmlToolTip::FinishHide() {
    ForgetDisplayedIfAskedAfresh();
    ShowWindow(ui::kShowHide);
    m_phase = kHidden;
    if (m_pendingShow) {
        m_pendingShow = false;
        m_showWasPending = true;
        StartShowTimer();
    }
}

void CHtmlToolTip::ForgetDisplayedIfAskedAfresh() {
    if (m_hasDisplayed && (m_shown.behaviour & kTipMultiple) != 0) {
        m_hasDisplayed = false;
    }
}

void CHtmlToolTip::Pop() {
    m_phase = kHidden;
    m_hasNext = false;
    m_pendingShow = false;
    for (const unsigned timer : {kTimerShow, kTimerHide, kTimerFadeIn, kTimerFadeOut}) {
        KillTimer(timer);
    }
    if (IsWindowVisible()) {
        ShowWindow(ui::kShowHide);
        ForgetDisplayedIfAskedAfresh();
    }
}

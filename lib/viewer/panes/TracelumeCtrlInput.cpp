// The waveform control's input: mouse gestures, keys, timers, scroll bars, the
// context menu and the commands.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "lib/viewer/data/BitmapFile.h"
#include "lib/viewer/data/MarkCommands.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/TracelumeCallback.h"
#include "lib/viewer/data/TracelumeTexts.h"
#include "lib/viewer/panes/TracelumeCtrl.h"
#include "lib/viewer/panes/TracelumeRulerCtrl.h"
#include "lib/viewer/panes/TracelumeTreeCtrl.h"
#include "lib/viewer/panes/TracelumeView.h"
#include "lib/viewer/panes/ViewPlatform.h"
#include "platform/base/Encoding.h"

namespace tracelume {

namespace {

constexpr int kEdgeReach = 3;
constexpr int kLineReach = 3;

}  // namespace

std::int64_t CTracelumeCtrl::VisibleSampleAt(int x) const { return SampleAt(std::clamp(x, 0, std::max(Width() - 1, 0))); }

void CTracelumeCtrl::SelectRowAt(int y) {
    CTracelumeTreeCtrl& tree = m_view.Tree();
    tree.ClearSelection();
    if (CRowItem* row = RowAt(y)) {
        row->m_flags |= CTreeItem::kSelected;
    }
    tree.Invalidate();
    Invalidate();
}

bool CTracelumeCtrl::LineRowBand(int line, int* top, int* height) {
    bool found = false;
    CTracelumeTreeCtrl& tree = m_view.Tree();
    tree.ForEachShownRow([&](CTreeItem& row, int logicalTop) {
        if (!found && row.m_rowNumber == m_lineRow[line]) {
            *top = logicalTop - tree.GetScrollPosition();
            *height = row.m_height;
            found = true;
        }
    });
    return found;
}

int CTracelumeCtrl::LineHit(int x, int y) const {
    for (int n = 0; n < 2; ++n) {
        if (m_linePixel[n] >= 0 && std::abs(y - m_linePixel[n]) <= kLineReach) {
            return n == 0 ? kLine1Drag : kLine2Drag;
        }
    }
    if (m_lineRow[0] == m_lineRow[1] && m_linePixel[0] >= 0 && m_linePixel[1] >= 0 &&
        std::abs(x - m_arrowX) <= kLineReach && y >= std::min(m_linePixel[0], m_linePixel[1]) &&
        y <= std::max(m_linePixel[0], m_linePixel[1])) {
        return kArrowDrag;
    }
    return kNoGesture;
}

void CTracelumeCtrl::UpdateCursor(const MouseEvent& event) {
    if (event.Control()) {
        SetCursor(kCursorZoomKey);
        return;
    }
    switch (m_mouseMode) {
        case kCmdNormalMouse: {
            const int hit = m_measureLines ? LineHit(event.x, event.y) : kNoGesture;
            SetCursor(hit == kArrowDrag ? kCursorSizeWE : hit != kNoGesture ? kCursorSizeNS : kCursorArrow);
            break;
        }
        case kCmdRegionMouse: {
            bool edge = false;
            if (m_regionShown) {
                const double left = PixelOfSample(static_cast<double>(m_region.start));
                const double right = PixelOfSample(static_cast<double>(m_region.end) + 1);
                edge = std::fabs(event.x - left) <= kEdgeReach || std::fabs(event.x - right) <= kEdgeReach;
            }
            SetCursor(edge ? kCursorSizeWE : kCursorRegion);
            break;
        }
        default:
            SetCursor(kCursorCross);
            break;
    }
}

void CTracelumeCtrl::OnLeftDown(const MouseEvent& event) {
    if (Surface() != nullptr) {
        Surface()->SetFocus();
    }
    SetCapture(true);
    SetTipText({});
    m_down = {static_cast<double>(event.x), static_cast<double>(event.y)};
    m_last = m_down;
    m_lastClick = m_down;
    m_downSample = SampleAt(event.x);
    m_downPosition = m_position;
    m_gesture = kNoGesture;
    if (event.Control()) {
        return;  // the release zooms in
    }
    switch (m_mouseMode) {
        case kCmdNormalMouse: {
            const int mark = MarkAt(event.x, event.y);
            const int line = m_measureLines ? LineHit(event.x, event.y) : kNoGesture;
            if (mark >= 0) {
                m_currentMark = mark;
                m_gesture = kMarkDrag;
            } else if (line != kNoGesture) {
                m_gesture = line;
                m_reuseLastPicture = true;
            } else if (event.x >= 0 && event.x < Width() && event.y >= 0 && event.y < Height()) {
                m_gesture = kPanning;
                SetCursor(kCursorPan);
            }
            SelectRowAt(event.y);
            break;
        }
        case kCmdScreenshotMouse:
            m_gesture = kRectangle;
            break;
        case kCmdRegionMouse: {
            const double left = PixelOfSample(static_cast<double>(m_region.start));
            const double right = PixelOfSample(static_cast<double>(m_region.end) + 1);
            m_workRegion = m_region;
            if (m_regionShown && std::fabs(event.x - left) <= kEdgeReach) {
                m_gesture = kRegionStart;
            } else if (m_regionShown && std::fabs(event.x - right) <= kEdgeReach) {
                m_gesture = kRegionEnd;
            } else if (m_regionShown && event.x > left && event.x < right) {
                m_gesture = kRegionMove;
            } else {
                m_gesture = kRectangle;
                m_workRegion = {VisibleSampleAt(event.x), VisibleSampleAt(event.x)};
            }
            break;
        }
        default:
            break;
    }
}

void CTracelumeCtrl::OnMove(const MouseEvent& event) {
    m_last = {static_cast<double>(event.x), static_cast<double>(event.y)};
    switch (m_gesture) {
        case kPanning:
            SetScrollPosition(false, m_downPosition + static_cast<std::int64_t>(m_down.x) - event.x, true);
            break;
        case kMarkDrag:
            MoveMark(m_currentMark, SampleAt(event.x), true);
            break;
        case kLine1Drag:
        case kLine2Drag: {
            const int line = m_gesture - kLine1Drag;
            int top = 0;
            int height = 0;
            if (LineRowBand(line, &top, &height) && height > 8) {
                m_lineLevel[line] = std::clamp(1.0 - static_cast<double>(event.y - top - 4) / (height - 8), 0.0, 1.0);
            }
            m_reuseLastPicture = true;
            Invalidate();
            break;
        }
        case kArrowDrag:
            m_arrowX = std::clamp(event.x, 0, std::max(Width() - 1, 0));
            m_reuseLastPicture = true;
            Invalidate();
            break;
        case kRectangle:
            if (m_mouseMode == kCmdRegionMouse) {
                m_workRegion.end = VisibleSampleAt(event.x);
            }
            Invalidate();
            break;
        case kRegionStart:
            m_workRegion.start = VisibleSampleAt(event.x);
            Invalidate();
            break;
        case kRegionEnd:
            m_workRegion.end = VisibleSampleAt(event.x);
            Invalidate();
            break;
        case kRegionMove: {
            const std::int64_t shift = std::clamp(SampleAt(event.x) - m_downSample, m_min - m_region.start,
                                                  std::max(m_max - 1 - m_region.end, m_min - m_region.start));
            m_workRegion = {m_region.start + shift, m_region.end + shift};
            Invalidate();
            break;
        }
        default:
            UpdateCursor(event);
            SetTipText(TipTextAt(event.x, event.y));
            if (m_mouseMode == kCmdMagnifier || m_regionMode) {
                Invalidate();
            }
            break;
    }
}

void CTracelumeCtrl::ShowPictureMenu(int x, int y) {
    std::vector<MenuItem> menu = {{kCmdSavePicture, MenuText(kCmdSavePicture)},
                                  {kCmdCopyPicture, MenuText(kCmdCopyPicture)}};
    if (Surface() != nullptr) {
        if (const unsigned chosen = Surface()->TrackMenu(menu, x, y)) {
            OnCommand(chosen);
        }
    }
}

void CTracelumeCtrl::OnLeftUp(const MouseEvent& event) {
    SetCapture(false);
    const int gesture = m_gesture;
    m_gesture = kNoGesture;
    m_last = {static_cast<double>(event.x), static_cast<double>(event.y)};
    if (event.Control()) {
        ZoomInAt(event.x);
        return;
    }
    if (m_mouseMode == kCmdRegionMouse && gesture != kNoGesture) {
        const std::int64_t sample = VisibleSampleAt(event.x);
        switch (gesture) {
            case kRegionStart: m_workRegion.start = sample; break;
            case kRegionEnd: m_workRegion.end = sample; break;
            case kRegionMove: break;  // the last move placed it
            default:
                m_workRegion.end = sample;
                if (std::abs(event.x - static_cast<int>(m_down.x)) < 4) {
                    Invalidate();
                    return;  // a click, not a selection
                }
                m_workRegion =
                    FitNewRegion(m_workRegion, ToPixels(std::floor(FirstVisibleSample())),
                                 VisibleSampleAt(Width() - 1), m_min, std::max(m_min, m_max - 1), m_minRegion);
                break;
        }
        NotifyGesture(gesture == kRegionMove || !m_workRegion.TooNarrow(m_minRegion), m_last);
        CommitRegion();
        Invalidate();
        return;
    }
    switch (gesture) {
        case kPanning:
            if (Surface() != nullptr) {
                Surface()->KillTimer(kDetailTimer);
            }
            RequestDetail();
            SetCursor(kCursorArrow);
            break;
        case kLine1Drag:
        case kLine2Drag:
        case kArrowDrag:
            Invalidate();
            break;
        case kRectangle:
            if (m_mouseMode == kCmdScreenshotMouse &&
                std::abs(event.x - static_cast<int>(m_down.x)) + std::abs(event.y - static_cast<int>(m_down.y)) > 3) {
                const double x = std::clamp<double>(event.x, 0, Width());
                const double y = std::clamp<double>(event.y, 0, Height());
                m_pictureRect = {std::min(m_down.x, x), std::min(m_down.y, y), std::max(m_down.x, x),
                                 std::max(m_down.y, y)};
                Invalidate();
                ShowPictureMenu(static_cast<int>(x), static_cast<int>(y));
            }
            Invalidate();
            break;
        default:
            break;
    }
}

void CTracelumeCtrl::OnMouse(const MouseEvent& event) {
    m_mouseInside = event.kind != MouseEvent::Leave;
    CTracelumeRulerCtrl& ruler = m_view.Ruler();
    ruler.SetMouseX(m_mouseInside ? event.x : -1);
    ruler.Invalidate();
    switch (event.kind) {
        case MouseEvent::LeftDown:
            OnLeftDown(event);
            break;
        case MouseEvent::Move:
            OnMove(event);
            break;
        case MouseEvent::LeftUp:
            OnLeftUp(event);
            break;
        case MouseEvent::RightDown:
            m_lastClick = {static_cast<double>(event.x), static_cast<double>(event.y)};
            SelectRowAt(event.y);
            break;
        case MouseEvent::RightUp:
            if (event.Control()) {
                ZoomOutAt(event.x);
            }
            break;
        case MouseEvent::LeftDouble:
            if (!event.Control()) {
                const std::int64_t sample = SampleAt(event.x);
                Notify(kNotifyDoubleClick, static_cast<std::uintptr_t>(static_cast<std::uint64_t>(sample) >> 32),
                       static_cast<std::intptr_t>(sample));
            }
            break;
        case MouseEvent::Wheel:
            if (m_mouseMode == kCmdMagnifier) {
                const int most = std::max(GetMaxZoomLevel() - m_zoom, 0);
                m_magnifierZoom = std::clamp(m_magnifierZoom + (event.wheel > 0 ? 1 : -1), 0, most);
                Invalidate();
            } else {
                SetScrollPosition(false, m_position + (event.wheel < 0 ? kLineScroll : -kLineScroll), true);
            }
            break;
        case MouseEvent::Leave:
            SetTipText({});
            if (m_mouseMode == kCmdMagnifier || m_regionMode) {
                Invalidate();
            }
            break;
    }
}

void CTracelumeCtrl::OnKey(const KeyEvent& event) {
    if (!event.down) {
        if (event.key == kKeyControl || m_mouseMode == kCmdScreenshotMouse || m_mouseMode == kCmdMagnifier) {
            SetCursor(m_mouseMode == kCmdNormalMouse ? kCursorArrow
                      : m_mouseMode == kCmdRegionMouse ? kCursorRegion
                                                       : kCursorCross);
        }
        return;
    }
    switch (event.key) {
        case kKeyControl: SetCursor(kCursorZoomKey); break;
        case kKeyPageUp: SetScrollPosition(false, m_position - Width(), true); break;
        case kKeyPageDown: SetScrollPosition(false, m_position + Width(), true); break;
        case kKeyHome: SetScrollPosition(false, m_range.start, true); break;
        case kKeyEnd:
            SetScrollPosition(true, m_view.Tree().GetScrollMax(), true);
            SetScrollPosition(false, m_range.end, true);
            break;
        case kKeyLeft: SetScrollPosition(false, m_position - kLineScroll, true); break;
        case kKeyRight: SetScrollPosition(false, m_position + kLineScroll, true); break;
        case kKeyUp: ScrollRowsBy(-kRowLineScroll); break;
        case kKeyDown: ScrollRowsBy(kRowLineScroll); break;
        case kKeyAdd: ZoomIn(); break;
        case kKeySubtract: ZoomOut(); break;
        default: break;
    }
}

void CTracelumeCtrl::OnTimer(unsigned id) {
    m_view.UpdateToolBar();
    if (id == kDetailTimer && m_position != m_lastRequest) {
        RequestDetail();
    }
}

void CTracelumeCtrl::OnScroll(bool vertical, int code, int position) {
    if (vertical) {
        const std::int64_t current = m_view.Tree().GetScrollPosition();
        std::int64_t target = current;
        switch (code) {
            case kScrollLineUp: target -= kRowLineScroll; break;
            case kScrollLineDown: target += kRowLineScroll; break;
            case kScrollPageUp: target -= Height(); break;
            case kScrollPageDown: target += Height(); break;
            case kScrollTop: target = 0; break;
            case kScrollBottom: target = m_view.Tree().GetScrollMax(); break;
            case kScrollThumbPosition:
            case kScrollThumbTrack: target = position; break;
            default: return;
        }
        SetScrollPosition(true, target, true);
        return;
    }
    std::int64_t target = m_position;
    switch (code) {
        case kScrollLineUp: target -= kLineScroll; break;
        case kScrollLineDown: target += kLineScroll; break;
        case kScrollPageUp: target -= Width(); break;
        case kScrollPageDown: target += Width(); break;
        case kScrollTop: target = m_range.start; break;
        case kScrollBottom: target = m_range.end; break;
        case kScrollThumbPosition:
        case kScrollThumbTrack: target = PositionOfThumb(position, m_range); break;
        case kScrollEnd:
            if (Surface() != nullptr) {
                Surface()->KillTimer(kDetailTimer);
            }
            RequestDetail();
            return;
        default: return;
    }
    SetScrollPosition(false, target, true);
}

void CTracelumeCtrl::OnKillFocus() { SetTipText({}); }

void CTracelumeCtrl::GetCommandState(unsigned id, bool* enabled, bool* checked) {
    bool on = true;
    bool check = false;
    switch (id) {
        case kCmdNormalMouse:
        case kCmdScreenshotMouse:
        case kCmdMagnifier:
        case kCmdRegionMouse: check = m_mouseMode == id; break;
        case kCmdZoomOut: on = (!m_fitted && m_zoom > GetMinZoomLevel()) || m_detail == kDetailShown; break;
        case kCmdZoomIn: on = m_zoom < GetMaxZoomLevel() || m_detail == kDetailReady; break;
        case kCmdTrigger: on = false; break;
        case kCmdWindowProperties:
        case kCmdMarkProperties: on = m_view.Callback() != nullptr; break;
        case kCmdRemoveMark:
        case kCmdMarkToBottom: on = m_currentMark >= 0 && m_currentMark < m_view.Marks().GetCount(); break;
        case kCmdLowerRows: on = m_view.Tree().CanDecreaseHeight(); break;
        case kCmdTallerRows: on = m_view.Tree().CanIncreaseHeight(); break;
        case kCmdMeasureLines: check = m_measureLines; break;
        case kCmdGrid: check = m_horizontalGrid || m_verticalGrid; break;
        case kCmdRegion:
            on = m_regionEnabled;
            check = m_regionMode;
            break;
        default: break;
    }
    if (enabled != nullptr) {
        *enabled = on;
    }
    if (checked != nullptr) {
        *checked = check;
    }
}

void CTracelumeCtrl::OnContextMenu(int x, int y) {
    if (ContextMenuOption() == 0 || (Surface() != nullptr && Surface()->IsControlDown())) {
        return;
    }
    OpenContextMenu(x, y);
}

void CTracelumeCtrl::OpenContextMenu(int x, int y) {
    SetTipText({});
    m_lastClick = {static_cast<double>(x), static_cast<double>(y)};
    CMarkManager& marks = m_view.Marks();
    const auto item = [&](unsigned id, std::wstring text) {
        MenuItem entry{id, std::move(text)};
        GetCommandState(id, &entry.enabled, &entry.checked);
        return entry;
    };
    // The marks by name, to go to them or to move one to the click.
    const auto markList = [&](std::uint32_t caption, unsigned more, unsigned first) {
        MenuItem popup{0, Texts().GetString(caption)};
        popup.children.push_back(item(more, MenuText(more)));
        popup.children.push_back(MenuItem::Separator());
        for (int i = 0; i < std::min(marks.GetCount(), kMenuMarks); ++i) {
            std::wstring name;
            marks.GetMarkAttribute(i, L"name", &name);
            popup.children.push_back(item(first + static_cast<unsigned>(i), name));
        }
        if (popup.children.size() == 2) {
            popup.children.pop_back();
        }
        return popup;
    };
    std::vector<MenuItem> menu;
    const int mark = MarkAt(x, y);
    if (mark >= 0) {
        m_currentMark = mark;
        menu = {item(kCmdAddMark, MenuText(kCmdAddMark)),
                item(kCmdRemoveMark, MenuText(kCmdRemoveMark)),
                item(kCmdRemoveAllMarks, MenuText(kCmdRemoveAllMarks)),
                MenuItem::Separator(),
                item(kCmdViewStart, MenuText(kTextDataStart)),
                item(kCmdViewEnd, MenuText(kTextDataEnd)),
                MenuItem::Separator(),
                item(kCmdMarkToBottom, MenuText(kCmdMarkToBottom)),
                item(kCmdMarkProperties, MenuText(kCmdMarkProperties))};
    } else {
        menu = {item(kCmdZoomIn, MenuText(kCmdZoomIn)),
                item(kCmdZoomOut, MenuText(kCmdZoomOut)),
                item(kCmdZoomFit, MenuText(kCmdZoomFit)),
                MenuItem::Separator(),
                item(kCmdViewStart, MenuText(kCmdViewStart)),
                item(kCmdViewEnd, MenuText(kCmdViewEnd)),
                MenuItem::Separator(),
                item(kCmdAddMark, MenuText(kCmdAddMark))};
    }
    menu.push_back(MenuItem::Separator());
    menu.push_back(markList(kTextGoToMark, kCmdMoreMarks, kCmdGoToMark));
    menu.push_back(markList(kTextMoveMarkHere, kCmdMoreMarksMove, kCmdMoveMark));
    if (Surface() != nullptr) {
        if (const unsigned chosen = Surface()->TrackMenu(menu, x, y)) {
            OnCommand(chosen);
        }
    }
}

void CTracelumeCtrl::SavePicture() {
    IViewPlatform* platform = m_view.Platform();
    const gfx::Bitmap picture = ExportPicture(m_pictureRect);
    if (platform == nullptr || picture.IsEmpty()) {
        return;
    }
    const std::wstring file = platform->AskSaveFile(L"bitmap files(*.bmp)|*.bmp|All Files(*.*)|*.*||", L"*.bmp");
    if (file.empty()) {
        return;
    }
    if (!SaveBitmapFile(picture, platform::ToPath(std::wstring_view(file)))) {
        platform->ShowError(Texts().GetString(kTextSaveFailed));
    }
}

void CTracelumeCtrl::CopyPicture() {
    IViewPlatform* platform = m_view.Platform();
    const gfx::Bitmap picture = ExportPicture(m_pictureRect);
    if (platform != nullptr && !picture.IsEmpty()) {
        platform->CopyToClipboard(picture);
    }
    Invalidate();
}

bool CTracelumeCtrl::OnCommand(unsigned id) {
    CMarkManager& marks = m_view.Marks();
    IViewPlatform* platform = m_view.Platform();
    switch (id) {
        case kCmdNormalMouse:
        case kCmdScreenshotMouse:
        case kCmdMagnifier: SetMouseMode(id); return true;
        case kCmdZoomOut: ZoomOut(); return true;
        case kCmdZoomIn: ZoomIn(); return true;
        case kCmdZoomFit: ZoomAll(); return true;
        case kCmdViewStart: SetScrollPosition(false, m_range.start, true); return true;
        case kCmdPreviousPage: SetScrollPosition(false, m_position - Width(), true); return true;
        case kCmdNextPage: SetScrollPosition(false, m_position + Width(), true); return true;
        case kCmdViewEnd: SetScrollPosition(false, m_range.end, true); return true;
        case kCmdTrigger:
        case 32809:
        case 32811:
        case 32812: return true;
        case kCmdAddMark: AddCursorMark(); return true;
        case kCmdWindowProperties: {
            std::wstring xml = Texts().GetString(kTextWindowProperties);
            m_binder.SaveToText(xml);
            ShowProperties(xml);
            return true;
        }
        case kCmdZoomRectangle: {
            if (m_pictureRect.IsEmpty()) {
                return true;
            }
            const double centre = Axis().SampleAtPixel((m_pictureRect.left + m_pictureRect.right) / 2);
            const double samples = m_pictureRect.Width() * m_rate / GetTimePerDivision();
            int level = m_zoom;
            while (level < GetMaxZoomLevel() && ZoomScale(level + 1) * samples / m_rate <= Width()) {
                ++level;
            }
            m_fitted = false;
            m_zoom = level;
            UpdateScrollBars();
            SetScrollPosition(false, ToPixels(GetTimePerDivision() * centre / m_rate - Width() / 2), true);
            return true;
        }
        case kCmdSavePicture: SavePicture(); return true;
        case kCmdCopyPicture: CopyPicture(); return true;
        case kCmdRemoveMark:
            if (marks.RemoveMark(m_currentMark) != 0) {
                m_currentMark = -1;
                InvalidatePanes();
                Invalidate();
            }
            return true;
        case kCmdRemoveAllMarks:
            if (platform != nullptr && platform->AskYesNo(Texts().GetString(kTextDeleteAllMarks))) {
                marks.RemoveAllMarks();
                m_currentMark = -1;
                InvalidatePanes();
                Invalidate();
            }
            return true;
        case kCmdMarkToBottom:
            if (marks.MoveMarkFirst(m_currentMark) != 0) {
                m_currentMark = 0;
                Invalidate();
            }
            return true;
        case kCmdMarkProperties:
            if (m_currentMark >= 0 && m_currentMark < marks.GetCount()) {
                ShowProperties(MarkPropertiesXml(m_currentMark));
            }
            return true;
        case kCmdLowerRows: m_view.Tree().DecreaseRowHeights(); return true;
        case kCmdTallerRows: m_view.Tree().IncreaseRowHeights(); return true;
        case kCmdMeasureLines: ShowMeasureLines(!m_measureLines, -1); return true;
        case kCmdGrid: {
            const bool on = !(m_horizontalGrid || m_verticalGrid);
            ShowGrid(on, on);
            return true;
        }
        case kCmdRegion:
            if (m_regionEnabled) {
                ToggleRegionMode();
            }
            return true;
        case kCmdMoreMarks:
        case kCmdMoreMarksMove: {
            const int chosen = platform != nullptr ? platform->ChooseMark(marks, m_rate) : -1;
            if (chosen >= 0 && id == kCmdMoreMarks) {
                ScrollToMark(chosen);
            } else if (chosen >= 0) {
                MoveMark(chosen, SampleAt(static_cast<int>(m_lastClick.x)), false);
            }
            return true;
        }
        default:
            break;
    }
    if (id > kCmdMoreMarks && id < kCmdMoreMarksMove) {
        ScrollToMark(static_cast<int>(id - kCmdGoToMark));
        return true;
    }
    if (id > kCmdMoreMarksMove && id <= kCmdMoreMarksMove + 1000) {
        MoveMark(static_cast<int>(id - kCmdMoveMark), SampleAt(static_cast<int>(m_lastClick.x)), false);
        return true;
    }
    return false;
}

}  // namespace tracelume

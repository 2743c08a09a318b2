#include "platform/ui/DockingPaneManager.h"

#include <algorithm>
#include <map>

#include <wx/aui/auibook.h>
#include <wx/aui/dockart.h>
#include <wx/aui/framemanager.h>
#include <wx/dc.h>
#include <wx/panel.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/PictureStore.h"
#include "platform/ui/Frame.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Picture.h"
#include "platform/ui/Profile.h"

namespace ui {
namespace {

constexpr const wchar_t* kLayoutKey = L"Layout";
constexpr const char* kClientName = "client";
constexpr int kTabPadding = 10;
constexpr int kIconGap = 4;
constexpr int kNarrowestTab = 40;
constexpr int kCaptionPadding = 3;

wxColour ToWx(gfx::Color color) { return wxColour(color.r, color.g, color.b); }

gfx::Font DefaultTabFont() {
    gfx::Font font;
    font.height = -12;
    return font;
}

}  // namespace

// Tabs drawn through the theme: the strip behind them, each tab's background by
// its state (a pane whose tab may not be chosen shows disabled) and its caption.
class DockingPaneManager::TabArt : public wxAuiGenericTabArt {
public:
    explicit TabArt(std::shared_ptr<DockingPaneManager*> owner) : m_owner(std::move(owner)) {}

    wxAuiTabArt* Clone() override { return new TabArt(m_owner); }

    void DrawBorder(wxDC&, wxWindow*, const wxRect&) override {}

    void DrawBackground(wxDC& dc, wxWindow*, const wxRect& rect) override {
        PaintThrough(dc, rect, [this, &rect](gfx::Context& context) {
            const gfx::Rect area = gfx::Rect::FromSize(0, 0, rect.width, rect.height);
            if (DockTheme* theme = Theme()) {
                theme->FillTabArea(context, area);
            } else {
                context.FillRect(area, gfx::Brush(gfx::Color{240, 240, 240}));
            }
        });
    }

    void SetSizingInfo(const wxSize& tabCtrlSize, size_t tabCount, wxWindow* window) override {
        wxAuiGenericTabArt::SetSizingInfo(tabCtrlSize, tabCount, window);
        m_shareWidth = tabCount > 0 ? tabCtrlSize.x / static_cast<int>(tabCount) : 0;
    }

    wxSize GetTabSize(wxDC&, wxWindow*, const wxString& caption, const wxBitmapBundle& bitmap, bool, int,
                      int* xExtent) override {
        const gfx::Size text = CaptionExtent(caption.ToStdWstring());
        int width = static_cast<int>(text.width) + 2 * kTabPadding;
        if (bitmap.IsOk()) {
            width += bitmap.GetDefaultSize().x + kIconGap;
        }
        // In a narrow group every tab keeps a share of the row (its caption cut
        // short) rather than some tabs going out of sight.
        if (m_shareWidth > 0) {
            width = std::min(width, std::max(kNarrowestTab, m_shareWidth));
        }
        *xExtent = width;
        return wxSize(width, static_cast<int>(text.height) + kTabPadding);
    }

    void DrawTab(wxDC& dc, wxWindow* window, const wxAuiNotebookPage& page, const wxRect& inRect, int,
                 wxRect* outTabRect, wxRect* outButtonRect, int* xExtent) override {
        int extent = 0;
        const wxSize size = GetTabSize(dc, window, page.caption, page.bitmap, page.active, 0, &extent);
        const wxRect tab(inRect.x, inRect.y, size.x, inRect.height);
        DockTheme::TabState state = page.active  ? DockTheme::TabState::Selected
                                    : page.hover ? DockTheme::TabState::Highlighted
                                                 : DockTheme::TabState::Normal;
        if (DockingPaneManager* manager = *m_owner) {
            for (const auto& pane : manager->m_panes) {
                if (pane->m_window == page.window && (pane->m_enabled & kPaneEnableActions) == 0) {
                    state = DockTheme::TabState::Disabled;
                }
            }
        }
        const int iconWidth = page.bitmap.IsOk() ? page.bitmap.GetDefaultSize().x + kIconGap : 0;
        PaintThrough(dc, tab, [&](gfx::Context& context) {
            gfx::Rect area = gfx::Rect::FromSize(0, 0, tab.width, tab.height);
            gfx::Color text{0, 0, 0};
            if (DockTheme* theme = Theme()) {
                text = theme->DrawTab(context, area, state);
            } else {
                context.FillRect(area,
                                 gfx::Brush(page.active ? gfx::Color{255, 255, 255} : gfx::Color{220, 220, 220}));
            }
            area.left += kTabPadding + iconWidth;
            area.right -= kTabPadding;
            context.SetFont(Font());
            context.SetTextColor(text);
            context.DrawText(page.caption.ToStdWstring(), area,
                             gfx::TextFormat::Left | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine |
                                 gfx::TextFormat::EndEllipsis);
        });
        if (page.bitmap.IsOk()) {
            const wxBitmap icon = page.bitmap.GetBitmap(page.bitmap.GetDefaultSize());
            dc.DrawBitmap(icon, tab.x + kTabPadding, tab.y + (tab.height - icon.GetHeight()) / 2, true);
        }
        *outTabRect = tab;
        *outButtonRect = wxRect();
        *xExtent = extent;
    }

private:
    DockTheme* Theme() const {
        DockingPaneManager* manager = *m_owner;
        return manager != nullptr ? manager->m_theme.get() : nullptr;
    }
    gfx::Font Font() const {
        DockTheme* theme = Theme();
        return theme != nullptr ? theme->TabFont() : DefaultTabFont();
    }
    // Tabs are measured many times a paint; their captions change seldom.
    gfx::Size CaptionExtent(const std::wstring& caption) {
        if (m_measuredWith != Theme()) {
            m_measuredWith = Theme();
            m_extents.clear();
        }
        const auto found = m_extents.find(caption);
        if (found != m_extents.end()) {
            return found->second;
        }
        gfx::Bitmap scratch(1, 1);
        gfx::Context context(scratch);
        context.SetFont(Font());
        return m_extents[caption] = context.TextExtent(caption);
    }

    std::shared_ptr<DockingPaneManager*> m_owner;
    int m_shareWidth = 0;  // the row's width divided among its tabs
    const DockTheme* m_measuredWith = nullptr;
    std::map<std::wstring, gfx::Size> m_extents;
};

// Captions drawn by the theme when it wants to, and reported to the program's hook
// with their rectangle, so that it can place windows of its own in them.
class DockingPaneManager::CaptionArt : public wxAuiDefaultDockArt {
public:
    explicit CaptionArt(std::shared_ptr<DockingPaneManager*> owner) : m_owner(std::move(owner)) {}

    void DrawCaption(wxDC& dc, wxWindow* window, const wxString& text, const wxRect& rect,
                     wxAuiPaneInfo& pane) override {
        DockingPaneManager* manager = *m_owner;
        if (manager == nullptr || !manager->m_theme) {
            wxAuiDefaultDockArt::DrawCaption(dc, window, text, rect, pane);
        } else {
            DockTheme& theme = *manager->m_theme;
            const bool active = (pane.state & wxAuiPaneInfo::optionActive) != 0;
            int buttons = 0;
            buttons += pane.HasCloseButton() ? 1 : 0;
            buttons += pane.HasMaximizeButton() ? 1 : 0;
            buttons += pane.HasPinButton() ? 1 : 0;
            const int textRight = rect.width - kCaptionPadding - buttons * GetMetric(wxAUI_DOCKART_PANE_BUTTON_SIZE);
            PaintThrough(dc, rect, [&](gfx::Context& context) {
                const gfx::Rect area = gfx::Rect::FromSize(0, 0, rect.width, rect.height);
                const std::wstring title = text.ToStdWstring();
                if (theme.DrawCaption(context, area, title, active)) {
                    return;
                }
                // One gradient fill, left to right, in the theme's caption colours.
                const DockTheme::CaptionColours colours = theme.Caption(active);
                context.FillRect(area, gfx::Brush::Linear({area.left, area.top}, {area.right, area.top},
                                                          colours.start, colours.end));
                context.SetFont(theme.TabFont());
                context.SetTextColor(colours.text);
                gfx::Rect textArea{static_cast<double>(kCaptionPadding), 0.0,
                                   static_cast<double>(std::max(kCaptionPadding, textRight)),
                                   static_cast<double>(rect.height)};
                context.DrawText(title, textArea,
                                 gfx::TextFormat::Left | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine |
                                     gfx::TextFormat::EndEllipsis);
            });
        }
        if (manager != nullptr && manager->m_captionHook) {
            for (const auto& group : manager->m_groups) {
                if (group->book != nullptr && group->book == pane.window && group->selected != nullptr) {
                    manager->m_captionHook(*group->selected, rect);
                }
            }
        }
    }

private:
    std::shared_ptr<DockingPaneManager*> m_owner;
};

// --- DockingPane ---

void DockingPane::Select() {
    if (m_group == nullptr || m_closed) {
        return;
    }
    m_group->selected = this;
    m_manager.Activate(this);
    m_manager.Changed();
}

void DockingPane::Close() {
    if (m_closed) {
        return;
    }
    m_closed = true;
    if (m_group != nullptr && m_group->selected == this) {
        // The next shown tab comes to the front, as closing a tab does.
        m_group->selected = nullptr;
        for (DockingPane* other : m_group->panes) {
            if (!other->m_closed) {
                m_group->selected = other;
                break;
            }
        }
    }
    if (m_manager.m_active == this) {
        m_manager.m_active = nullptr;
    }
    m_manager.Changed();
}

bool DockingPane::IsSelected() const { return !m_closed && m_group != nullptr && m_group->selected == this; }

void DockingPane::Attach(wxWindow* window) {
    if (m_window == window) {
        return;
    }
    m_window = window;
    if (window != nullptr) {
        m_manager.Park(window);
        const auto owner = m_manager.m_self;
        window->Bind(wxEVT_DESTROY, [owner, window](wxWindowDestroyEvent& event) {
            event.Skip();
            if (*owner != nullptr && event.GetEventObject() == window) {
                (*owner)->WindowGoing(window);
            }
        });
    }
    m_manager.Changed();
}

void DockingPane::SetTitle(const std::wstring& title) {
    m_title = title;
    m_manager.Changed();
}

void DockingPane::SetTabCaption(const std::wstring& caption) {
    m_tabCaption = caption;
    m_manager.Changed();
}

void DockingPane::SetMinTrackSize(const wxSize& size) {
    m_minSize = size;
    m_manager.Changed();
}

void DockingPane::SetMaxTrackSize(const wxSize& size) {
    m_maxSize = size;
    m_manager.Changed();
}

void DockingPane::SetClosable(bool closable) {
    if (m_closable != closable) {
        m_closable = closable;
        m_manager.Changed();
    }
}

void DockingPane::SetEnabled(int enabled) {
    if (m_enabled != enabled) {
        m_enabled = enabled;
        // Only the tab's look changes.
        if (m_group != nullptr && m_group->book != nullptr) {
            m_group->book->Refresh();
        }
    }
}

// --- DockingPaneManager ---

DockingPaneManager::DockingPaneManager() : m_self(std::make_shared<DockingPaneManager*>(this)) {}

DockingPaneManager::~DockingPaneManager() {
    *m_self = nullptr;
    if (m_aui && m_aui->GetManagedWindow() != nullptr) {
        m_aui->UnInit();
    }
}

bool DockingPaneManager::InstallDockingPanes(Frame& site) {
    return InstallDockingPanes(site, site.GetBody(), site.GetClientArea());
}

bool DockingPaneManager::InstallDockingPanes(Window& site, Window& bodyWindow, Window& clientWindow) {
    wxWindow* body = bodyWindow.GetWx();
    if (m_aui || body == nullptr || clientWindow.GetWx() == nullptr) {
        return false;
    }
    m_site = &site;
    m_aui = std::make_unique<wxAuiManager>(body, wxAUI_MGR_LIVE_RESIZE);
    m_aui->SetArtProvider(new CaptionArt(m_self));
    m_aui->AddPane(clientWindow.GetWx(), wxAuiPaneInfo().Name(kClientName).CenterPane());
    const auto owner = m_self;
    body->Bind(wxEVT_DESTROY, [owner, body](wxWindowDestroyEvent& event) {
        event.Skip();
        // The frame went: its windows are gone, so nothing is laid out any more.
        if (*owner != nullptr && event.GetEventObject() == body) {
            DockingPaneManager& self = **owner;
            self.m_aui->UnInit();
            for (auto& group : self.m_groups) {
                group->book = nullptr;
            }
            self.m_placeholders.clear();
            for (auto& pane : self.m_panes) {
                pane->m_window = nullptr;
            }
        }
    });
    body->Bind(wxEVT_AUI_PANE_CLOSE, [owner](wxAuiManagerEvent& event) {
        // The caption's close button closes the group's front pane, not the group.
        event.Veto();
        DockingPaneManager* self = *owner;
        if (self == nullptr || event.GetPane() == nullptr) {
            return;
        }
        DockingPane* closed = nullptr;
        for (auto& group : self->m_groups) {
            if (group->book == event.GetPane()->window && group->selected != nullptr) {
                closed = group->selected;
            }
        }
        if (closed == nullptr || !closed->m_closable) {
            return;
        }
        closed->Close();
        if (self->m_site != nullptr) {
            SendMessage(self->m_site, kMsgDockingPaneNotify, static_cast<WParam>(kDockNotifyPaneClosed),
                        reinterpret_cast<LParam>(closed));
        }
    });
    Changed();
    return true;
}

void DockingPaneManager::ReleaseSite() {
    m_released = true;
    m_pending = false;
    m_site = nullptr;
}

void DockingPaneManager::SetTheme(std::shared_ptr<DockTheme> theme) {
    m_theme = std::move(theme);
    if (m_aui && m_theme) {
        wxAuiDockArt* art = m_aui->GetArtProvider();
        const DockTheme::CaptionColours active = m_theme->Caption(true);
        const DockTheme::CaptionColours inactive = m_theme->Caption(false);
        art->SetColour(wxAUI_DOCKART_ACTIVE_CAPTION_COLOUR, ToWx(active.start));
        art->SetColour(wxAUI_DOCKART_ACTIVE_CAPTION_GRADIENT_COLOUR, ToWx(active.end));
        art->SetColour(wxAUI_DOCKART_ACTIVE_CAPTION_TEXT_COLOUR, ToWx(active.text));
        art->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_COLOUR, ToWx(inactive.start));
        art->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_GRADIENT_COLOUR, ToWx(inactive.end));
        art->SetColour(wxAUI_DOCKART_INACTIVE_CAPTION_TEXT_COLOUR, ToWx(inactive.text));
        art->SetColour(wxAUI_DOCKART_BACKGROUND_COLOUR, ToWx(m_theme->Background()));
        art->SetColour(wxAUI_DOCKART_SASH_COLOUR, ToWx(m_theme->Background()));
        art->SetMetric(wxAUI_DOCKART_GRADIENT_TYPE, wxAUI_GRADIENT_HORIZONTAL);
        m_aui->GetManagedWindow()->SetBackgroundColour(ToWx(m_theme->Background()));
    }
    m_layoutStale = true;
    Changed();
}

void DockingPaneManager::HideClient(bool hide) {
    m_hideClient = hide;
    Changed();
}

void DockingPaneManager::SetIcons(int picture, const std::vector<unsigned>& ids, gfx::Color transparent) {
    const gfx::Bitmap strip = gfx::LoadPicture(picture);
    const int side = strip.IsEmpty() ? 0 : strip.Height();
    for (std::size_t i = 0; i < ids.size() && side > 0; ++i) {
        const wxBitmap icon = ToWxBitmap(strip, wxRect(static_cast<int>(i) * side, 0, side, side), transparent);
        if (icon.IsOk()) {
            m_icons[ids[i]] = icon;
        }
    }
    Changed();
}

const wxBitmap* DockingPaneManager::IconOf(unsigned id) const {
    const auto found = m_icons.find(id);
    return found != m_icons.end() ? &found->second : nullptr;
}

DockGroup* DockingPaneManager::NewGroup(DockPlace place, const wxSize& best) {
    auto group = std::make_unique<DockGroup>();
    group->place = place;
    group->bestSize = best;
    group->name = "group" + std::to_string(m_nextGroup++);
    m_groups.push_back(std::move(group));
    return m_groups.back().get();
}

DockingPane* DockingPaneManager::CreatePane(unsigned id, const wxRect& rect, DockDirection direction,
                                            DockingPane* neighbour) {
    if (!m_aui || FindPane(id) != nullptr) {
        return nullptr;
    }
    DockPlace place = DockPlace::Left;
    switch (direction) {
    case DockDirection::Left:
        place = DockPlace::Left;
        break;
    case DockDirection::Right:
        place = neighbour != nullptr ? DockPlace::Fill : DockPlace::Right;
        break;
    case DockDirection::Top:
        place = DockPlace::Top;
        break;
    case DockDirection::Bottom:
        place = DockPlace::Bottom;
        break;
    }
    DockGroup* group = NewGroup(place, rect.GetSize());
    m_panes.push_back(std::make_unique<DockingPane>(*this, id));
    DockingPane* pane = m_panes.back().get();
    pane->m_group = group;
    group->panes.push_back(pane);
    group->selected = pane;
    DockingPaneAction dragging{kPaneActionDragging, 0, pane};
    SendAction(dragging);
    group->movable = dragging.cancel == 0;
    Changed();
    return pane;
}

void DockingPaneManager::RemoveFromGroup(DockingPane* pane) {
    DockGroup* group = pane->m_group;
    if (group == nullptr) {
        return;
    }
    auto& members = group->panes;
    members.erase(std::remove(members.begin(), members.end(), pane), members.end());
    if (group->book != nullptr && pane->m_window != nullptr) {
        const int page = group->book->GetPageIndex(pane->m_window);
        if (page != wxNOT_FOUND) {
            group->book->RemovePage(static_cast<size_t>(page));
            pane->m_window->Reparent(m_aui->GetManagedWindow());
            pane->m_window->Hide();
        }
    }
    if (group->selected == pane) {
        group->selected = nullptr;
        for (DockingPane* other : members) {
            if (!other->m_closed) {
                group->selected = other;
                break;
            }
        }
    }
    pane->m_group = nullptr;
    if (members.empty()) {
        if (group->book != nullptr) {
            m_aui->DetachPane(group->book);
            m_layoutStale = true;
            // Windows parked in the book (pages once shown) must outlive it.
            const std::vector<wxWindow*> children(group->book->GetChildren().begin(), group->book->GetChildren().end());
            for (wxWindow* child : children) {
                const bool placeholder = std::any_of(m_placeholders.begin(), m_placeholders.end(),
                                                     [child](const auto& item) { return item.second == child; });
                const bool paneWindow = std::any_of(m_panes.begin(), m_panes.end(),
                                                    [child](const auto& other) { return other->m_window == child; });
                if (placeholder || paneWindow) {
                    child->Reparent(m_aui->GetManagedWindow());
                    child->Hide();
                }
            }
            group->book->Destroy();
        }
        m_groups.erase(
            std::remove_if(m_groups.begin(), m_groups.end(), [group](const auto& item) { return item.get() == group; }),
            m_groups.end());
    }
}

void DockingPaneManager::AttachPane(DockingPane* pane, DockingPane* target) {
    if (pane == nullptr || target == nullptr || target->m_group == nullptr || pane->m_group == target->m_group) {
        return;
    }
    DockGroup* destination = target->m_group;
    RemoveFromGroup(pane);
    pane->m_group = destination;
    destination->panes.push_back(pane);
    if (!pane->m_closed) {
        destination->selected = pane;
    }
    Changed();
}

DockingPane* DockingPaneManager::FindPane(unsigned id) const {
    for (const auto& pane : m_panes) {
        if (pane->m_id == id) {
            return pane.get();
        }
    }
    return nullptr;
}

void DockingPaneManager::ShowPane(DockingPane* pane, bool select) {
    if (pane == nullptr) {
        return;
    }
    const bool wasClosed = pane->m_closed;
    pane->m_closed = false;
    if (select || (wasClosed && (pane->m_group->selected == nullptr || pane->m_group->selected->m_closed))) {
        pane->m_group->selected = pane;
    }
    if (select) {
        Activate(pane);
    }
    Changed();
}

bool DockingPaneManager::IsPaneSelected(unsigned id) const {
    const DockingPane* pane = FindPane(id);
    return pane != nullptr && pane->IsSelected();
}

void DockingPaneManager::DestroyPane(DockingPane* pane) {
    const auto found =
        std::find_if(m_panes.begin(), m_panes.end(), [pane](const auto& item) { return item.get() == pane; });
    if (found == m_panes.end()) {
        return;
    }
    RemoveFromGroup(pane);
    if (m_active == pane) {
        m_active = nullptr;
    }
    const auto placeholder = m_placeholders.find(pane->m_id);
    if (placeholder != m_placeholders.end()) {
        placeholder->second->Destroy();
        m_placeholders.erase(placeholder);
    }
    m_panes.erase(found);
    Changed();
}

void DockingPaneManager::CloseAll() {
    for (auto& pane : m_panes) {
        pane->Close();
    }
}

void DockingPaneManager::Activate(DockingPane* pane) {
    m_active = pane;
    DockingPaneAction activated{kPaneActionActivated, 0, pane};
    SendAction(activated);
}

void DockingPaneManager::SendAction(DockingPaneAction& action) {
    if (m_site != nullptr) {
        SendMessage(m_site, kMsgDockingPaneNotify, static_cast<WParam>(kDockNotifyAction),
                    reinterpret_cast<LParam>(&action));
    }
}

DockLayout DockingPaneManager::GetLayout() const {
    DockLayout layout;
    for (const auto& group : m_groups) {
        DockLayout::Group saved;
        saved.place = group->place;
        wxSize size = group->bestSize;
        if (group->book != nullptr && group->book->IsShown()) {
            size = group->book->GetSize();
        }
        const bool across = group->place == DockPlace::Top || group->place == DockPlace::Bottom;
        saved.size = std::max(1, across ? size.y : size.x);
        saved.selected = group->selected != nullptr ? group->selected->m_id : 0;
        for (const DockingPane* pane : group->panes) {
            saved.panes.push_back({pane->m_id, !pane->m_closed});
        }
        layout.groups.push_back(std::move(saved));
    }
    return layout;
}

void DockingPaneManager::SetLayout(const DockLayout& layout) {
    while (!m_panes.empty()) {
        DockingPane* pane = m_panes.back().get();
        RemoveFromGroup(pane);
        m_panes.pop_back();
    }
    m_active = nullptr;
    for (const DockLayout::Group& saved : layout.groups) {
        const bool across = saved.place == DockPlace::Top || saved.place == DockPlace::Bottom;
        DockGroup* group = NewGroup(saved.place, across ? wxSize(600, saved.size) : wxSize(saved.size, 600));
        for (const DockLayout::Pane& item : saved.panes) {
            m_panes.push_back(std::make_unique<DockingPane>(*this, item.id));
            DockingPane* pane = m_panes.back().get();
            pane->m_group = group;
            pane->m_closed = !item.shown;
            group->panes.push_back(pane);
            if (item.id == saved.selected) {
                group->selected = pane;
            }
        }
        DockingPaneAction dragging{kPaneActionDragging, 0, group->panes.front()};
        SendAction(dragging);
        group->movable = dragging.cancel == 0;
    }
    Changed();
}

bool DockingPaneManager::SaveLayout(const std::wstring& name) const {
    return WriteProfileString(name, kLayoutKey, GetLayout().ToText());
}

std::optional<DockLayout> DockingPaneManager::LoadLayout(const std::wstring& name, std::wstring& problem) {
    const std::wstring text = GetProfileString(name, kLayoutKey, std::wstring());
    if (text.empty()) {
        problem.clear();
        return std::nullopt;
    }
    return DockLayout::FromText(text, problem);
}

void DockingPaneManager::Changed() {
    if (m_pending || !m_aui || m_released) {
        return;
    }
    m_pending = true;
    if (m_holds > 0) {
        return;  // laid out once the hold ends
    }
    const auto owner = m_self;
    if (!PostToUiThread([owner] {
            if (*owner != nullptr && (*owner)->m_pending && (*owner)->m_holds == 0) {
                (*owner)->Realize();
            }
        })) {
        Realize();
    }
}

wxWindow* DockingPaneManager::PageOf(DockingPane& pane) {
    if (pane.m_window == nullptr && m_site != nullptr) {
        SendMessage(m_site, kMsgDockingPaneNotify, static_cast<WParam>(kDockNotifyShowWindow),
                    reinterpret_cast<LParam>(&pane));
    }
    if (pane.m_window != nullptr) {
        return pane.m_window;
    }
    wxWindow*& placeholder = m_placeholders[pane.m_id];
    if (placeholder == nullptr) {
        placeholder = new wxPanel(m_aui->GetManagedWindow());
        if (m_theme) {
            placeholder->SetBackgroundColour(ToWx(m_theme->Background()));
        }
    }
    return placeholder;
}

DockingPane* DockingPaneManager::PaneOfPage(const wxAuiNotebook* book, int page) const {
    if (page < 0 || static_cast<size_t>(page) >= book->GetPageCount()) {
        return nullptr;
    }
    wxWindow* window = book->GetPage(static_cast<size_t>(page));
    for (const auto& group : m_groups) {
        if (group->book != book) {
            continue;
        }
        for (DockingPane* pane : group->panes) {
            if (pane->m_window == window ||
                (m_placeholders.count(pane->m_id) != 0 && m_placeholders.at(pane->m_id) == window)) {
                return pane;
            }
        }
    }
    return nullptr;
}

void DockingPaneManager::BindBook(DockGroup& group) {
    wxAuiNotebook* book = group.book;
    const auto owner = m_self;
    // A click on a tab asks the tab row first, and the notebook switches pages only
    // when that request goes on to it; the notebook's own request can be refused.
    book->Bind(wxEVT_AUINOTEBOOK_PAGE_CHANGING, [owner, book](wxAuiNotebookEvent& event) {
        event.Skip();
        DockingPaneManager* self = *owner;
        if (self == nullptr || self->m_realizing || event.GetEventObject() != book) {
            return;
        }
        const DockingPane* pane = self->PaneOfPage(book, event.GetSelection());
        if (pane != nullptr && (pane->m_enabled & kPaneEnableActions) == 0) {
            event.Veto();
        }
    });
    book->Bind(wxEVT_AUINOTEBOOK_PAGE_CHANGED, [owner, book](wxAuiNotebookEvent& event) {
        event.Skip();
        DockingPaneManager* self = *owner;
        if (self == nullptr || self->m_realizing || event.GetEventObject() != book) {
            return;
        }
        if (DockingPane* pane = self->PaneOfPage(book, event.GetSelection())) {
            pane->Select();
        }
    });
    book->Bind(wxEVT_CHILD_FOCUS, [owner, book](wxChildFocusEvent& event) {
        event.Skip();
        DockingPaneManager* self = *owner;
        if (self == nullptr || self->m_realizing) {
            return;
        }
        DockingPane* pane = self->PaneOfPage(book, book->GetSelection());
        if (pane != nullptr && pane != self->m_active) {
            self->Activate(pane);
        }
    });
}

void DockingPaneManager::WindowGoing(wxWindow* window) {
    for (auto& pane : m_panes) {
        if (pane->m_window != window) {
            continue;
        }
        if (pane->m_group != nullptr && pane->m_group->book != nullptr) {
            const int page = pane->m_group->book->GetPageIndex(window);
            if (page != wxNOT_FOUND) {
                pane->m_group->book->RemovePage(static_cast<size_t>(page));
            }
        }
        pane->m_window = nullptr;
        Changed();
    }
}

void DockingPaneManager::Park(wxWindow* window) {
    if (!m_aui || m_aui->GetManagedWindow() == nullptr) {
        return;
    }
    for (const auto& group : m_groups) {
        if (group->book != nullptr && group->book->GetPageIndex(window) != wxNOT_FOUND) {
            return;
        }
    }
    // Out of sight in the body until a shown tab takes it: wherever its owner made
    // it, it must not stand over the frame meanwhile.
    window->Hide();
    if (window->GetParent() != m_aui->GetManagedWindow()) {
        window->Reparent(m_aui->GetManagedWindow());
    }
}

bool DockingPaneManager::RealizeGroup(DockGroup& group) {
    std::vector<DockingPane*> shown;
    for (DockingPane* pane : group.panes) {
        if (!pane->m_closed) {
            shown.push_back(pane);
        }
    }
    wxWindow* body = m_aui->GetManagedWindow();
    bool changed = false;
    if (group.book == nullptr) {
        if (shown.empty()) {
            return false;
        }
        long style = wxAUI_NB_TOP | wxAUI_NB_SCROLL_BUTTONS;
        if (group.movable) {
            style |= wxAUI_NB_TAB_MOVE;
        }
        group.book = new wxAuiNotebook(body, wxID_ANY, wxDefaultPosition, wxDefaultSize, style);
        group.book->SetArtProvider(new TabArt(m_self));
        BindBook(group);
        m_aui->AddPane(group.book, wxAuiPaneInfo()
                                       .Name(group.name)
                                       .BestSize(group.bestSize)
                                       .Floatable(group.movable)
                                       .Movable(group.movable)
                                       .Dockable(group.movable)
                                       .MaximizeButton(false)
                                       .PinButton(false));
        changed = true;
    }
    wxAuiNotebook* book = group.book;
    // Pages: the shown panes in tab order, nothing else.
    std::vector<wxWindow*> wanted;
    for (DockingPane* pane : shown) {
        wanted.push_back(PageOf(*pane));
    }
    for (size_t page = book->GetPageCount(); page-- > 0;) {
        wxWindow* window = book->GetPage(page);
        if (std::find(wanted.begin(), wanted.end(), window) == wanted.end()) {
            book->RemovePage(page);
            window->Hide();
            window->Reparent(body);
            changed = true;
        }
    }
    for (size_t i = 0; i < wanted.size(); ++i) {
        const int at = book->GetPageIndex(wanted[i]);
        if (at == static_cast<int>(i)) {
            continue;
        }
        if (at != wxNOT_FOUND) {
            book->RemovePage(static_cast<size_t>(at));
        }
        wanted[i]->Reparent(book);
        book->InsertPage(i, wanted[i], wxString(), false);
        changed = true;
    }
    // Only what differs is set: each setting repaints the tab row at once.
    wxSize minimum(0, 0);
    wxSize maximum(-1, -1);
    for (size_t i = 0; i < shown.size(); ++i) {
        DockingPane& pane = *shown[i];
        const wxString caption(pane.m_tabCaption);
        if (book->GetPageText(i) != caption) {
            book->SetPageText(i, caption);
        }
        const wxBitmap* icon = IconOf(pane.m_id);
        const bool hasIcon = book->GetPageBitmap(i).IsOk();
        if (icon != nullptr || hasIcon) {
            book->SetPageBitmap(i, icon != nullptr ? wxBitmapBundle(*icon) : wxBitmapBundle());
        }
        minimum.IncTo(pane.m_minSize);
        if (pane.m_maxSize.x > 0) {
            maximum.x = maximum.x < 0 ? pane.m_maxSize.x : std::min(maximum.x, pane.m_maxSize.x);
        }
        if (pane.m_maxSize.y > 0) {
            maximum.y = maximum.y < 0 ? pane.m_maxSize.y : std::min(maximum.y, pane.m_maxSize.y);
        }
        if (&pane == group.selected && book->GetSelection() != static_cast<int>(i)) {
            book->ChangeSelection(i);
        }
    }
    wxAuiPaneInfo& info = m_aui->GetPane(book);
    const wxAuiPaneInfo before = info;
    const bool closable = group.selected == nullptr || group.selected->m_closable;
    info.Show(!shown.empty())
        .CloseButton(closable)
        .Caption(wxString(group.selected != nullptr ? group.selected->m_title : std::wstring()))
        .MinSize(minimum)
        .MaxSize(maximum);
    if (IsFilling(group)) {
        info.Centre().Layer(0);
    } else {
        switch (group.place) {
        case DockPlace::Left:
            info.Left().Layer(1);
            break;
        case DockPlace::Right:
            info.Right().Layer(1);
            break;
        case DockPlace::Top: {
            // Groups docked at the top stack downwards, the newest at the top.
            int later = 0;
            for (auto other = m_groups.rbegin(); other != m_groups.rend() && other->get() != &group; ++other) {
                later += (*other)->place == DockPlace::Top ? 1 : 0;
            }
            info.Top().Layer(0).Row(later);
            break;
        }
        case DockPlace::Bottom:
        case DockPlace::Fill:
            info.Bottom().Layer(0);
            break;
        }
    }
    return changed || before.IsShown() != info.IsShown() || before.HasCloseButton() != info.HasCloseButton() ||
           before.caption != info.caption || before.min_size != info.min_size || before.max_size != info.max_size ||
           before.dock_direction != info.dock_direction || before.dock_layer != info.dock_layer ||
           before.dock_row != info.dock_row;
}

bool DockingPaneManager::IsFilling(const DockGroup& group) const {
    auto isShown = [](const DockGroup& g) {
        return std::any_of(g.panes.begin(), g.panes.end(), [](const DockingPane* p) { return !p->m_closed; });
    };
    if (!isShown(group)) {
        return false;
    }
    if (group.place == DockPlace::Fill) {
        return true;
    }
    if (!m_hideClient) {
        return false;
    }
    // With the client hidden one group must take the middle: a filling group when
    // one is shown, else the first shown of the right, bottom, top, left ones.
    for (const DockPlace place :
         {DockPlace::Fill, DockPlace::Right, DockPlace::Bottom, DockPlace::Top, DockPlace::Left}) {
        for (const auto& other : m_groups) {
            if (other->place == place && isShown(*other)) {
                return other.get() == &group;
            }
        }
    }
    return false;
}

bool DockingPaneManager::IsClientShown() const {
    const bool anyShown = std::any_of(m_panes.begin(), m_panes.end(), [](const auto& p) { return !p->m_closed; });
    return !(m_hideClient && anyShown);
}

void DockingPaneManager::Realize() {
    m_pending = false;
    if (!m_aui || m_released || m_aui->GetManagedWindow() == nullptr) {
        return;
    }
    m_realizing = true;
    bool changed = false;
    for (auto& group : m_groups) {
        changed = RealizeGroup(*group) || changed;
    }
    // A pane that got its window no longer needs its empty page (no book holds it now).
    for (auto it = m_placeholders.begin(); it != m_placeholders.end();) {
        const DockingPane* pane = FindPane(it->first);
        if (pane == nullptr || pane->m_window != nullptr) {
            it->second->Destroy();
            it = m_placeholders.erase(it);
        } else {
            ++it;
        }
    }
    wxAuiPaneInfo& client = m_aui->GetPane(kClientName);
    if (client.IsShown() != IsClientShown()) {
        client.Show(IsClientShown());
        changed = true;
    }
    // Laying the body out repaints all of it: only when the layout is not what it was.
    if (changed || m_layoutStale) {
        m_layoutStale = false;
        m_aui->Update();
    }
    m_realizing = false;
}

DockingPaneManager::LayoutHold::LayoutHold(DockingPaneManager& manager) : m_manager(manager) { ++manager.m_holds; }

DockingPaneManager::LayoutHold::~LayoutHold() {
    if (--m_manager.m_holds == 0 && m_manager.m_pending) {
        m_manager.m_pending = false;
        m_manager.Changed();
    }
}

}  // namespace ui

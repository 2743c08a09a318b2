#include "platform/ui/RibbonBar.h"

#include <algorithm>

#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/ribbon/art.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/page.h>
#include <wx/ribbon/panel.h>

#include "platform/gfx/Context.h"
#include "platform/gfx/PictureStore.h"
#include "platform/ui/CommandUI.h"
#include "platform/ui/Frame.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/OwnerDrawButton.h"
#include "platform/ui/Picture.h"

namespace ui {
namespace {

constexpr int kIconSide = 32;
constexpr int kTabRowIconSide = 16;
constexpr int kTabRowButtonWidth = 24;
constexpr int kMenuArrowWidth = 10;
constexpr int kApplicationPadding = 8;
constexpr int kDefaultTabRowHeight = 24;

wxColour ToWx(gfx::Color color) { return wxColour(color.r, color.g, color.b); }

gfx::Color FromWx(const wxColour& colour) {
    return {static_cast<std::uint8_t>(colour.Red()), static_cast<std::uint8_t>(colour.Green()),
            static_cast<std::uint8_t>(colour.Blue())};
}

gfx::Color Mix(gfx::Color a, gfx::Color b, double share) {
    auto channel = [share](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>(x + (y - x) * share + 0.5);
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

wxFont ToWxFont(const gfx::Font& font) {
    const int pixels =
        font.height < 0 ? static_cast<int>(-font.height) : std::max(1, static_cast<int>(font.height * 0.8));
    wxFontInfo info(wxSize(0, pixels > 0 ? pixels : 12));
    info.FaceName(wxString(font.face)).Bold(font.weight >= 700).Italic(font.italic).Underlined(font.underline);
    return wxFont(info);
}

// The icon at `index` of a strip of square icons; a blank one when it is missing,
// since a ribbon button needs some picture.
wxBitmap StripIcon(const gfx::Bitmap& strip, int index, int side) {
    const wxBitmap icon = ToWxBitmap(strip, wxRect(index * side, 0, side, side));
    if (icon.IsOk() && icon.GetWidth() == side && icon.GetHeight() == side) {
        return icon;
    }
    gfx::Bitmap blank(side, side);
    return ToWxBitmap(blank);
}

void Collect(const std::vector<MenuNode>& nodes, std::vector<std::wstring>& captions) {
    for (const MenuNode& node : nodes) {
        if (!node.caption.empty()) {
            captions.push_back(node.caption);
        }
        Collect(node.children, captions);
    }
}

}  // namespace

std::unique_ptr<RibbonBar> RibbonBar::Create(Frame& frame) {
    if (frame.GetFrame() == nullptr) {
        return nullptr;
    }
    auto* bar = new wxRibbonBar(frame.GetFrame(), wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                static_cast<long>(wxRIBBON_BAR_FLOW_HORIZONTAL | wxRIBBON_BAR_SHOW_PAGE_LABELS));
    bar->SetArtProvider(new wxRibbonMSWArtProvider);
    std::unique_ptr<RibbonBar> ribbon(new RibbonBar(frame, bar));
    frame.SetTopBar(bar);
    return ribbon;
}

RibbonBar::RibbonBar(Frame& frame, wxRibbonBar* bar)
    : m_frame(frame), m_bar(bar), m_self(std::make_shared<RibbonBar*>(this)) {
    const auto self = m_self;
    bar->Bind(wxEVT_DESTROY, [self, bar](wxWindowDestroyEvent& event) {
        event.Skip();
        if (*self != nullptr && event.GetEventObject() == bar) {
            (*self)->m_bar = nullptr;
        }
    });
    bar->Bind(wxEVT_RIBBONBUTTONBAR_CLICKED, [self](wxRibbonButtonBarEvent& event) {
        if (*self == nullptr) {
            return;
        }
        (*self)->Issue(CommandForMenuId(event.GetId()));
        // A dialog the command ran took the pointer: the button and its group heard
        // nothing of it leaving and would stay lit.
        wxRibbonButtonBar* buttons = event.GetBar();
        if (*self != nullptr && (*self)->m_bar != nullptr && buttons != nullptr) {
            const wxPoint pointer = buttons->ScreenToClient(wxGetMousePosition());
            if (!wxRect(buttons->GetClientSize()).Contains(pointer)) {
                wxMouseEvent leave(wxEVT_LEAVE_WINDOW);
                leave.SetEventObject(buttons);
                leave.SetPosition(pointer);
                buttons->ProcessWindowEvent(leave);
            }
        }
    });
    bar->Bind(wxEVT_IDLE, [self](wxIdleEvent& event) {
        event.Skip();
        if (*self != nullptr) {
            (*self)->UpdateCommandUI();
        }
    });
    bar->Bind(wxEVT_SIZE, [self](wxSizeEvent& event) {
        event.Skip();
        if (*self != nullptr) {
            (*self)->LayoutTabRow();
        }
    });
}

RibbonBar::~RibbonBar() { *m_self = nullptr; }

bool RibbonBar::AddTab(const RibbonTabSpec& spec) {
    if (m_bar == nullptr || spec.caption.empty()) {
        return false;
    }
    auto* page = new wxRibbonPage(m_bar, wxID_ANY, wxString(spec.caption));
    Tab tab{spec.id, spec.caption, {}};
    for (const RibbonGroupSpec& group : spec.groups) {
        auto* panel = new wxRibbonPanel(page, wxID_ANY, wxString(group.caption), wxNullBitmap, wxDefaultPosition,
                                        wxDefaultSize, wxRIBBON_PANEL_NO_AUTO_MINIMISE);
        auto* buttons = new wxRibbonButtonBar(panel);
        const gfx::Bitmap strip = gfx::LoadPicture(group.picture);
        for (std::size_t i = 0; i < group.buttons.size(); ++i) {
            const RibbonButtonSpec& button = group.buttons[i];
            const int id = MenuIdForCommand(button.command);
            // Toggle buttons, so that an update handler can show any of them checked.
            buttons->AddToggleButton(id, wxString(button.caption), StripIcon(strip, static_cast<int>(i), kIconSide),
                                     wxString(button.caption));
            buttons->SetButtonMinSizeClass(id, wxRIBBON_BUTTONBAR_BUTTON_LARGE);
            m_buttons.push_back({{button.command, button.caption, m_tabs.size(), group.id, true, false}, buttons});
        }
        tab.groups.emplace_back(group.id, group.caption);
    }
    m_tabs.push_back(std::move(tab));
    return true;
}

OwnerDrawButton* RibbonBar::MakeTabRowButton(int icon, const std::wstring& tooltip, bool arrow) {
    auto* button = new OwnerDrawButton(m_bar, wxString(), wxRect(0, 0, kTabRowButtonWidth, kDefaultTabRowHeight));
    button->SetToolTip(wxString(tooltip));
    const auto self = m_self;
    button->SetPaintHandler([self, icon, arrow](cairo_t* target, int width, int height,
                                                const OwnerDrawButton::State& state) {
        RibbonBar* ribbon = *self;
        if (ribbon == nullptr || ribbon->m_bar == nullptr) {
            return;
        }
        gfx::Context context(target);
        wxRibbonArtProvider* art = ribbon->m_bar->GetArtProvider();
        const gfx::Rect area = gfx::Rect::FromSize(0, 0, width, height);
        context.FillRect(area,
                         gfx::Brush::Linear({0, 0}, {0, static_cast<double>(height)},
                                            FromWx(art->GetColour(wxRIBBON_ART_TAB_CTRL_BACKGROUND_COLOUR)),
                                            FromWx(art->GetColour(wxRIBBON_ART_TAB_CTRL_BACKGROUND_GRADIENT_COLOUR))));
        if (state.hot || state.pressed) {
            const gfx::Color hot = ribbon->m_style.highlight;
            context.SetPen(gfx::Pen{Mix(hot, gfx::Color{0, 0, 0}, 0.3), 1});
            context.SetBrush(gfx::Brush(state.pressed ? Mix(hot, gfx::Color{0, 0, 0}, 0.15) : hot));
            context.RoundRectangle(gfx::Rect::FromSize(1, 2, width - 2, height - 4), 4, 4);
        }
        const gfx::Bitmap picture = gfx::LoadPicture(icon);
        const int iconWidth = arrow ? width - kMenuArrowWidth : width;
        if (!picture.IsEmpty()) {
            context.DrawBitmap(picture, gfx::Rect::FromSize(0, 0, picture.Width(), picture.Height()),
                               gfx::Rect::FromSize((iconWidth - kTabRowIconSide) / 2.0,
                                                   (height - kTabRowIconSide) / 2.0, kTabRowIconSide, kTabRowIconSide),
                               state.enabled ? 1.0 : 0.4);
        }
        if (arrow) {
            const double x = width - kMenuArrowWidth + 2;
            const double y = height / 2.0 - 1;
            const gfx::Point triangle[] = {{x, y}, {x + 6, y}, {x + 3, y + 3}};
            context.SetPen(gfx::Pen::Null());
            context.SetBrush(gfx::Brush(ribbon->m_style.text));
            context.Polygon(triangle);
        }
    });
    return button;
}

void RibbonBar::AddTabRowButton(unsigned command, int icon, const std::wstring& tooltip) {
    if (m_bar == nullptr) {
        return;
    }
    OwnerDrawButton* button = MakeTabRowButton(icon, tooltip, false);
    const auto self = m_self;
    button->Bind(wxEVT_BUTTON, [self, command](wxCommandEvent&) {
        if (*self != nullptr) {
            (*self)->Issue(command);
        }
    });
    m_tabRow.push_back({command, icon, false, {}, button});
}

void RibbonBar::AddTabRowMenu(unsigned id, int icon, const std::wstring& tooltip, const MenuTemplate& menu) {
    if (m_bar == nullptr) {
        return;
    }
    OwnerDrawButton* button = MakeTabRowButton(icon, tooltip, true);
    button->SetSize(kTabRowButtonWidth + kMenuArrowWidth, kDefaultTabRowHeight);
    std::vector<MenuNode> items = ParseMenu(menu);
    // A menu resource holds one pop-up: its items are the menu.
    if (items.size() == 1 && items[0].kind == MenuNode::Kind::Popup) {
        items = items[0].children;
    }
    const auto self = m_self;
    button->Bind(wxEVT_BUTTON, [self, button, items](wxCommandEvent&) {
        if (*self != nullptr) {
            (*self)->PopupMenu(button, items, {});
        }
    });
    m_tabRow.push_back({id, icon, true, std::move(items), button});
}

void RibbonBar::SetApplicationButton(unsigned, const std::wstring& caption, int icon, const MenuTemplate& menu,
                                     const std::map<unsigned, int>& menuIcons) {
    if (m_bar == nullptr) {
        return;
    }
    m_applicationCaption = caption;
    m_applicationIcon = icon;
    m_menuIcons = menuIcons;
    m_applicationMenu.clear();
    // The first pop-up of the menu resource is the application menu.
    for (MenuNode& node : ParseMenu(menu)) {
        if (node.kind == MenuNode::Kind::Popup) {
            m_applicationMenu = std::move(node.children);
            break;
        }
    }
    if (m_applicationButton == nullptr) {
        m_applicationButton = new OwnerDrawButton(m_bar, wxString(), wxRect(0, 0, 60, kDefaultTabRowHeight));
        const auto self = m_self;
        OwnerDrawButton* button = m_applicationButton;
        button->Bind(wxEVT_BUTTON, [self, button](wxCommandEvent&) {
            if (*self != nullptr) {
                RibbonBar& ribbon = **self;
                ribbon.PopupMenu(button, ribbon.m_applicationMenu, [&ribbon](unsigned command) {
                    const auto found = ribbon.m_menuIcons.find(command);
                    return found != ribbon.m_menuIcons.end() ? PictureBitmap(found->second) : wxBitmap();
                });
            }
        });
        button->SetPaintHandler([self](cairo_t* target, int width, int height, const OwnerDrawButton::State& state) {
            RibbonBar* ribbon = *self;
            if (ribbon == nullptr) {
                return;
            }
            const RibbonStyle& style = ribbon->m_style;
            gfx::Context context(target);
            gfx::Color face = style.applicationButton;
            if (state.pressed) {
                face = Mix(face, gfx::Color{0, 0, 0}, 0.2);
            } else if (state.hot) {
                face = Mix(face, gfx::Color{255, 255, 255}, 0.15);
            }
            context.FillRect(gfx::Rect::FromSize(0, 0, width, height), gfx::Brush(face));
            double x = kApplicationPadding;
            const gfx::Bitmap picture = gfx::LoadPicture(ribbon->m_applicationIcon);
            if (!picture.IsEmpty()) {
                const double side = kTabRowIconSide;
                context.DrawBitmap(picture, gfx::Rect::FromSize(0, 0, picture.Width(), picture.Height()),
                                   gfx::Rect::FromSize(x, (height - side) / 2, side, side));
                x += side + 4;
            }
            gfx::Rect text{x, 0, static_cast<double>(width), static_cast<double>(height)};
            context.SetFont(style.font);
            context.SetTextColor(style.applicationText);
            context.DrawText(ribbon->m_applicationCaption, text,
                             gfx::TextFormat::Left | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine);
        });
    }
    m_applicationButton->SetToolTip(wxString(caption));
    LayoutTabRow();
}

void RibbonBar::Realize() {
    if (m_bar == nullptr) {
        return;
    }
    m_bar->Realize();
    LayoutTabRow();
    m_frame.RecalcLayout();
}

int RibbonBar::TabRowHeight() const {
    if (m_bar != nullptr && m_bar->GetPageCount() > 0) {
        const int top = m_bar->GetPage(0)->GetPosition().y;
        if (top > 4) {
            return top - 1;
        }
    }
    return kDefaultTabRowHeight;
}

void RibbonBar::LayoutTabRow() {
    if (m_bar == nullptr) {
        return;
    }
    const int height = TabRowHeight();
    int left = 0;
    if (m_applicationButton != nullptr) {
        gfx::Bitmap scratch(1, 1);
        gfx::Context context(scratch);
        context.SetFont(m_style.font);
        const int textWidth = static_cast<int>(context.TextExtent(m_applicationCaption).width);
        const int iconWidth = m_applicationIcon != 0 ? kTabRowIconSide + 4 : 0;
        left = textWidth + iconWidth + 2 * kApplicationPadding;
        m_applicationButton->SetSize(0, 0, left, height);
    }
    int right = 0;
    for (auto it = m_tabRow.rbegin(); it != m_tabRow.rend(); ++it) {
        const int width = kTabRowButtonWidth + (it->menu ? kMenuArrowWidth : 0);
        right += width;
        it->window->SetSize(m_bar->GetClientSize().x - right, 0, width, height);
    }
    m_bar->SetTabCtrlMargins(left + 2, right + 2);
}

void RibbonBar::SetStyle(const RibbonStyle& style) {
    m_style = style;
    if (m_bar == nullptr) {
        return;
    }
    wxRibbonArtProvider* art = m_bar->GetArtProvider();
    art->SetColourScheme(ToWx(style.face), ToWx(style.highlight), ToWx(style.text));
    const wxFont font = ToWxFont(style.font);
    art->SetFont(wxRIBBON_ART_TAB_LABEL_FONT, font);
    art->SetFont(wxRIBBON_ART_BUTTON_BAR_LABEL_FONT, font);
    art->SetFont(wxRIBBON_ART_PANEL_LABEL_FONT, font);
    // The art provider is shared by reference with every part of the bar.
    m_bar->SetArtProvider(art->Clone());
    m_bar->Realize();
    LayoutTabRow();
    m_bar->Refresh();
    for (const TabRowItem& item : m_tabRow) {
        item.window->Refresh();
    }
    if (m_applicationButton != nullptr) {
        m_applicationButton->Refresh();
    }
    m_frame.RecalcLayout();
}

void RibbonBar::Issue(unsigned command) {
    if (command == 0) {
        return;
    }
    m_frame.OnCmdMsg(command, nullptr);
    // A toggle button flips itself when clicked; the handlers say what it shows.
    const auto self = m_self;
    PostToUiThread([self] {
        if (*self != nullptr) {
            (*self)->UpdateCommandUI();
        }
    });
}

void RibbonBar::UpdateCommandUI() {
    if (m_bar == nullptr) {
        return;
    }
    auto ask = [this](unsigned command, bool& enabled, bool& checked) {
        CommandUI update(command);
        if (m_frame.OnCmdMsg(command, &update) && update.IsHandled()) {
            enabled = update.IsEnabled();
            checked = update.IsChecked();
        } else {
            enabled = m_frame.HasCommandHandler(command);
            checked = false;
        }
    };
    for (Placed& placed : m_buttons) {
        ask(placed.button.command, placed.button.enabled, placed.button.checked);
        const int id = MenuIdForCommand(placed.button.command);
        placed.bar->EnableButton(id, placed.button.enabled);
        placed.bar->ToggleButton(id, placed.button.checked);
    }
    for (const TabRowItem& item : m_tabRow) {
        if (!item.menu) {
            bool enabled = true;
            bool checked = false;
            ask(item.id, enabled, checked);
            if (item.window->IsEnabled() != enabled) {
                item.window->Enable(enabled);
                item.window->Refresh();
            }
        }
    }
}

std::vector<std::pair<unsigned, std::wstring>> RibbonBar::GetGroups(std::size_t tab) const {
    return tab < m_tabs.size() ? m_tabs[tab].groups : std::vector<std::pair<unsigned, std::wstring>>();
}

std::vector<RibbonBar::Button> RibbonBar::GetButtons() const {
    std::vector<Button> buttons;
    for (const Placed& placed : m_buttons) {
        buttons.push_back(placed.button);
    }
    return buttons;
}

const RibbonBar::Button* RibbonBar::FindButton(unsigned command) const {
    for (const Placed& placed : m_buttons) {
        if (placed.button.command == command) {
            return &placed.button;
        }
    }
    return nullptr;
}

int RibbonBar::GetActiveTab() const { return m_bar != nullptr ? m_bar->GetActivePage() : -1; }

bool RibbonBar::SelectTab(std::size_t tab) { return m_bar != nullptr && m_bar->SetActivePage(tab); }

std::vector<std::wstring> RibbonBar::GetCaptions() const {
    std::vector<std::wstring> captions;
    for (const Tab& tab : m_tabs) {
        captions.push_back(tab.caption);
        for (const auto& group : tab.groups) {
            captions.push_back(group.second);
        }
    }
    for (const Placed& placed : m_buttons) {
        captions.push_back(placed.button.caption);
    }
    if (!m_applicationCaption.empty()) {
        captions.push_back(m_applicationCaption);
    }
    Collect(m_applicationMenu, captions);
    for (const TabRowItem& item : m_tabRow) {
        Collect(item.items, captions);
    }
    return captions;
}

bool RibbonBar::HasTabRowButton(unsigned id) const {
    return std::any_of(m_tabRow.begin(), m_tabRow.end(), [id](const TabRowItem& item) { return item.id == id; });
}

std::vector<MenuNode> RibbonBar::GetTabRowMenu(unsigned id) const {
    for (const TabRowItem& item : m_tabRow) {
        if (item.id == id && item.menu) {
            return item.items;
        }
    }
    return {};
}

bool RibbonBar::ClickButton(unsigned command) {
    for (Placed& placed : m_buttons) {
        if (placed.button.command != command) {
            continue;
        }
        if (!placed.button.enabled || m_bar == nullptr) {
            return false;
        }
        wxRibbonButtonBarEvent click(wxEVT_RIBBONBUTTONBAR_CLICKED, MenuIdForCommand(command), placed.bar);
        click.SetEventObject(placed.bar);
        placed.bar->ProcessWindowEvent(click);
        return true;
    }
    return false;
}

bool RibbonBar::ClickTabRowButton(unsigned command) {
    for (const TabRowItem& item : m_tabRow) {
        if (item.id == command && !item.menu && item.window->IsEnabled()) {
            wxCommandEvent click(wxEVT_BUTTON, item.window->GetId());
            click.SetEventObject(item.window);
            item.window->ProcessWindowEvent(click);
            return true;
        }
    }
    return false;
}

void RibbonBar::PopupMenu(wxWindow* owner, const std::vector<MenuNode>& items, const MenuIcons& icons) {
    const std::unique_ptr<wxMenu> menu(BuildPopupMenu(items, icons));
    owner->PopupMenu(menu.get(), 0, owner->GetSize().y);
}

}  // namespace ui

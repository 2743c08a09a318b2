#include "platform/ui/Dialog.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <mutex>
#include <utility>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/gauge.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/treectrl.h>

#include "platform/base/Encoding.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/DateTimePicker.h"
#include "platform/ui/SpinArrows.h"

namespace ui {
namespace {

std::mutex g_dialogResponderLock;
DialogResponder g_dialogResponder;

DialogResponder CurrentDialogResponder() {
    std::lock_guard guard(g_dialogResponderLock);
    return g_dialogResponder;
}

// Growth never goes beyond this, whatever a control asks for.
constexpr double kMaxGrowth = 3.0;
// The visible height of a combo box in template units; its template height
// includes the dropped-down list.
constexpr int kComboBoxHeight = 14;

bool Wraps(const DialogItemTemplateInfo& item, ControlKind kind) {
    if (kind != ControlKind::Static) {
        return false;
    }
    const std::uint32_t type = item.style & kStaticTypeMask;
    return type == kStaticLeft || type == kStaticCenter || type == kStaticRight;
}

// Breaks a static text into lines that fit the width: after a blank where one is
// near, else between any two characters (Chinese text has no blanks).
std::wstring WrapText(wxWindow* control, const std::wstring& text, int width) {
    std::wstring result;
    std::wstring line;
    std::size_t lastBlank = std::wstring::npos;
    auto fits = [&](const std::wstring& candidate) {
        wxCoord extent = 0;
        control->GetTextExtent(wxString(candidate), &extent, nullptr);
        return extent <= width;
    };
    for (const wchar_t c : text) {
        if (c == L'\n') {
            result += line + L'\n';
            line.clear();
            lastBlank = std::wstring::npos;
            continue;
        }
        line += c;
        if (c == L' ') {
            lastBlank = line.size() - 1;
        }
        if (line.size() > 1 && !fits(line)) {
            std::size_t cut = (lastBlank != std::wstring::npos && lastBlank > 0) ? lastBlank : line.size() - 1;
            result += line.substr(0, cut) + L'\n';
            line = line.substr(cut == lastBlank ? cut + 1 : cut);
            lastBlank = std::wstring::npos;
        }
    }
    return result + line;
}

// The pixels a control needs; 0 where its box can be any size.
wxSize NeededSize(const DialogItemTemplateInfo& item, ControlKind kind, wxWindow* control, const wxRect& box) {
    switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        return control->GetBestSize();
    case ControlKind::Static: {
        if (item.caption.empty()) {
            return wxSize(0, 0);
        }
        wxCoord width = 0;
        wxCoord height = 0;
        if (!Wraps(item, kind) || box.width <= 0) {
            control->GetTextExtent(wxString(item.caption), &width, &height);
            return wxSize(Wraps(item, kind) ? 0 : width, height);
        }
        // Wrapped at the box's width as it is before any growth: never too few lines.
        control->GetTextExtent(wxString(WrapText(control, item.caption, box.width)), &width, &height);
        return wxSize(0, height);
    }
    case ControlKind::Edit:
        return (item.style & kEditMultiline) != 0 ? wxSize(0, 0) : wxSize(0, control->GetBestSize().y);
    case ControlKind::DateTime:
        return wxSize(0, static_cast<DateTimePicker*>(control)->GetTextCtrl()->GetBestSize().y);
    case ControlKind::ComboBox:
    case ControlKind::DropList:
        return wxSize(0, control->GetBestSize().y);
    case ControlKind::Progress:
    case ControlKind::Trackbar: {
        const wxSize best = control->GetBestSize();
        const bool vertical = control->HasFlag(wxSL_VERTICAL) || control->HasFlag(wxGA_VERTICAL);
        return vertical ? wxSize(best.x, 0) : wxSize(0, best.y);
    }
    default:
        return wxSize(0, 0);
    }
}

wxRect LayoutBox(const DialogItemTemplateInfo& item, ControlKind kind) {
    const int height = (kind == ControlKind::ComboBox || kind == ControlKind::DropList)
                           ? std::min<int>(item.cy, kComboBoxHeight)
                           : item.cy;
    return wxRect(item.x, item.y, item.cx, height);
}

long DialogStyle(std::uint32_t style) {
    long result = wxCLIP_CHILDREN;
    if ((style & kStyleCaption) == kStyleCaption) {
        result |= wxCAPTION;
    }
    if ((style & kStyleSysMenu) != 0) {
        result |= wxSYSTEM_MENU | wxCLOSE_BOX;
    }
    if ((style & kStyleThickFrame) != 0) {
        result |= wxRESIZE_BORDER;
    }
    return result;
}

}  // namespace

Dialog::Dialog(const DialogTemplateInfo* info) {
    if (info != nullptr) {
        m_template = *info;
    }
}

Dialog::Dialog(DialogTemplateInfo info) : m_template(std::move(info)) {}

Dialog::~Dialog() = default;

bool Dialog::Build(wxWindow* parent) {
    if (!m_template || IsWindow()) {
        return false;
    }
    const DialogTemplateInfo& info = *m_template;
    m_child = (info.style & kStyleChild) != 0 && parent != nullptr;
    wxWindow* window;
    if (m_child) {
        window = new wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE);
    } else {
        window = new wxDialog(parent, wxID_ANY, wxString(info.caption), wxDefaultPosition, wxDefaultSize,
                              DialogStyle(info.style));
    }
    Attach(window, info.helpId, true);
    if (!m_child) {
        const auto binding = Binding();
        window->Bind(wxEVT_CLOSE_WINDOW, [binding](wxCloseEvent& event) {
            Window* self = *binding;
            if (self == nullptr) {
                event.Skip();
                return;
            }
            self->WindowProc(kMsgClose, 0, 0);
            if (*binding != nullptr && self->IsWindow() && event.CanVeto()) {
                event.Veto();
            } else if (*binding != nullptr && self->IsWindow()) {
                self->DestroyWindow();
            }
        });
    }
    if (!m_child) {
        const auto binding = Binding();
        window->Bind(wxEVT_MOVE, [binding, window](wxMoveEvent& event) {
            event.Skip();
            if (Window* self = *binding) {
                const wxPoint at = window->GetScreenPosition();
                self->WindowProc(kMsgMove, 0, static_cast<LParam>((at.x & 0xFFFF) | ((at.y & 0xFFFF) << 16)));
            }
        });
        window->Bind(wxEVT_LEFT_DOWN, [binding, window](wxMouseEvent& event) {
            event.Skip();
            auto* self = static_cast<Dialog*>(*binding);
            if (self != nullptr && self->m_dragAnywhere && !window->HasCapture()) {
                self->m_dragOffset = window->ClientToScreen(event.GetPosition()) - window->GetScreenPosition();
                window->CaptureMouse();
            }
        });
        window->Bind(wxEVT_MOTION, [window, binding](wxMouseEvent& event) {
            event.Skip();
            auto* self = static_cast<Dialog*>(*binding);
            if (self != nullptr && window->HasCapture() && event.LeftIsDown()) {
                window->Move(window->ClientToScreen(event.GetPosition()) - self->m_dragOffset);
            }
        });
        window->Bind(wxEVT_LEFT_UP, [window](wxMouseEvent& event) {
            event.Skip();
            if (window->HasCapture()) {
                window->ReleaseMouse();
            }
        });
        window->Bind(wxEVT_MOUSE_CAPTURE_LOST, [](wxMouseCaptureLostEvent&) {});
    }
    const wxFont font = MakeDialogFont(info.fontFace, info.fontSize);
    window->SetFont(font);
    m_fontUnits = MeasureDialogUnits(window, font);
    m_layoutUnits = m_fontUnits;

    bool previousWasRadio = false;
    m_items.clear();
    for (const DialogItemTemplateInfo& entry : info.items) {
        const ControlKind kind = ClassifyControl(entry);
        const bool radio = kind == ControlKind::RadioButton;
        const bool startsGroup = radio && (!previousWasRadio || (entry.style & kStyleGroup) != 0);
        const wxRect box = LayoutBox(entry, kind);
        wxWindow* control = CreateControl(window, entry, kind, m_fontUnits.ToPixels(box.x, box.y, box.width, box.height),
                                          startsGroup);
        m_items.push_back(Item{entry.id, kind, control, box, kind == ControlKind::Static ? entry.caption : L""});
        BindControl(m_items.back(), m_items.size() - 1);
        previousWasRadio = radio;
    }
    AlignSpinsToBuddies();
    Layout();
    return true;
}

void Dialog::AlignSpinsToBuddies() {
    for (std::size_t i = 1; i < m_items.size(); ++i) {
        const std::uint32_t style = m_template->items[i].style;
        Item& buddy = m_items[i - 1];
        if (m_items[i].kind != ControlKind::Spin || (style & kSpinAutoBuddy) == 0 ||
            (style & (kSpinAlignLeft | kSpinAlignRight)) == 0 || buddy.kind != ControlKind::Edit) {
            continue;
        }
        // The buddy gives up the room the arrows take, at its right or left edge.
        wxRect& spin = m_items[i].box;
        const int width = std::min(spin.width, buddy.box.width);
        buddy.box.width -= width;
        spin = wxRect((style & kSpinAlignRight) != 0 ? buddy.box.x + buddy.box.width : buddy.box.x, buddy.box.y, width,
                      buddy.box.height);
        if ((style & kSpinAlignRight) == 0) {
            buddy.box.x += width;
        }
    }
}

void Dialog::Layout() {
    double growX = 1.0;
    double growY = 1.0;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const Item& item = m_items[i];
        const wxRect box = m_fontUnits.ToPixels(item.box.x, item.box.y, item.box.width, item.box.height);
        const wxSize needed = NeededSize(m_template->items[i], item.kind, item.window, box);
        if (needed.x > box.width && box.width > 0) {
            growX = std::max(growX, static_cast<double>(needed.x) / box.width);
        }
        if (needed.y > box.height && box.height > 0) {
            growY = std::max(growY, static_cast<double>(needed.y) / box.height);
        }
    }
    growX = std::min(growX, kMaxGrowth);
    growY = std::min(growY, kMaxGrowth);
    m_layoutUnits.baseX = static_cast<int>(std::ceil(m_fontUnits.baseX * growX));
    m_layoutUnits.baseY = static_cast<int>(std::ceil(m_fontUnits.baseY * growY));

    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const Item& item = m_items[i];
        const wxRect box = m_layoutUnits.ToPixels(item.box.x, item.box.y, item.box.width, item.box.height);
        item.window->SetSize(box);
        if (item.kind == ControlKind::Static) {
            ShowStaticText(m_items[i]);
        }
    }
    const DialogTemplateInfo& info = *m_template;
    const wxRect client = m_layoutUnits.ToPixels(info.x, info.y, info.cx, info.cy);
    wxWindow* window = GetWx();
    if (m_child) {
        window->SetSize(client);
    } else {
        window->SetClientSize(client.GetSize());
    }
}

void Dialog::ShowStaticText(Item& item) {
    const std::size_t index = static_cast<std::size_t>(&item - m_items.data());
    const DialogItemTemplateInfo& entry = m_template->items[index];
    wxString label(Wraps(entry, item.kind) ? WrapText(item.window, item.text, item.window->GetSize().x) : item.text);
    if ((entry.style & kStaticNoPrefix) != 0) {
        label = wxControl::EscapeMnemonics(label);
    }
    item.window->SetLabel(label);
}

void Dialog::BindControl(const Item& item, std::size_t index) {
    const auto binding = Binding();
    const unsigned id = item.id;
    auto command = [binding, id](unsigned code) {
        return [binding, id, code](wxCommandEvent&) {
            if (Window* self = *binding) {
                self->WindowProc(kMsgCommand, MakeWParam(id, code), 0);
            }
        };
    };
    auto notify = [binding, id](int code) {
        return [binding, id, code](wxEvent& event) {
            event.Skip();
            if (Window* self = *binding) {
                self->WindowProc(kMsgNotify, id, code);
            }
        };
    };
    wxWindow* control = item.window;
    switch (item.kind) {
    case ControlKind::PushButton:
    case ControlKind::OwnerDraw:
        control->Bind(wxEVT_BUTTON, command(kNotifyClicked));
        break;
    case ControlKind::CheckBox:
        control->Bind(wxEVT_CHECKBOX, command(kNotifyClicked));
        break;
    case ControlKind::RadioButton:
        control->Bind(wxEVT_RADIOBUTTON, command(kNotifyClicked));
        break;
    case ControlKind::Edit:
        control->Bind(wxEVT_TEXT, command(kNotifyEditChange));
        break;
    case ControlKind::ComboBox:
        control->Bind(wxEVT_COMBOBOX, command(kNotifySelChange));
        break;
    case ControlKind::DropList:
        control->Bind(wxEVT_CHOICE, command(kNotifySelChange));
        break;
    case ControlKind::ListView:
        control->Bind(wxEVT_LIST_ITEM_SELECTED, notify(kNotifyItemChanged));
        control->Bind(wxEVT_LIST_ITEM_DESELECTED, notify(kNotifyItemChanged));
        control->Bind(wxEVT_LIST_ITEM_ACTIVATED, notify(kNotifyDoubleClick));
        break;
    case ControlKind::TreeView:
        control->Bind(wxEVT_TREE_SEL_CHANGED, notify(kNotifyTreeSelChanged));
        break;
    case ControlKind::Tab:
        control->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, notify(kNotifyTabSelChange));
        break;
    case ControlKind::DateTime:
        control->Bind(wxEVT_TEXT, notify(kNotifyDateTimeChange));
        break;
    case ControlKind::Trackbar: {
        const unsigned message = control->HasFlag(wxSL_VERTICAL) ? kMsgVScroll : kMsgHScroll;
        control->Bind(wxEVT_SLIDER, [binding, id, message](wxCommandEvent& event) {
            if (Window* self = *binding) {
                self->WindowProc(message, static_cast<WParam>(event.GetInt()), id);
            }
        });
        break;
    }
    case ControlKind::Spin: {
        const unsigned message = static_cast<SpinArrows*>(control)->IsHorizontal() ? kMsgHScroll : kMsgVScroll;
        // The buddy: the control before it in tab order, given the position as text.
        // It is looked up at each step, since the program may have put a control
        // of its own in its place meanwhile.
        const DialogItemTemplateInfo& entry = m_template->items[index];
        const bool setsBuddy = (entry.style & kSpinAutoBuddy) != 0 && (entry.style & kSpinSetBuddyInt) != 0 &&
                               index > 0 && m_items[index - 1].kind == ControlKind::Edit;
        control->Bind(wxEVT_SPIN, [binding, id, message, setsBuddy, index](wxSpinEvent& event) {
            auto* self = static_cast<Dialog*>(*binding);
            if (self == nullptr) {
                return;
            }
            if (setsBuddy && index <= self->m_items.size()) {
                if (auto* buddy = dynamic_cast<wxTextCtrl*>(self->m_items[index - 1].window)) {
                    buddy->SetValue(wxString::Format("%d", event.GetPosition()));
                }
            }
            self->WindowProc(message, static_cast<WParam>(event.GetPosition()), id);
        });
        break;
    }
    default:
        break;
    }
}

void SetDialogResponder(DialogResponder responder) {
    std::lock_guard guard(g_dialogResponderLock);
    g_dialogResponder = std::move(responder);
}

int Dialog::DoModal(Window* parent) {
    if (!Build(parent != nullptr ? parent->GetWx() : nullptr) || m_child) {
        DestroyWindow();
        return -1;
    }
    auto* dialog = static_cast<wxDialog*>(GetWx());
    m_result = -1;
    m_modal = true;
    m_ended = false;
    dialog->CentreOnParent();
    OnInitDialog();
    // OnInitDialog may have ended the dialog already.
    if (IsWindow() && !m_ended) {
        const DialogResponder responder = CurrentDialogResponder();
        if (responder && responder(*this)) {
            if (IsWindow() && !m_ended) {
                EndDialog(kIdCancel);
            }
        } else {
            m_result = dialog->ShowModal();
        }
    }
    m_modal = false;
    DestroyWindow();
    m_items.clear();
    return m_result;
}

bool Dialog::Create(Window* parent) {
    if (!Build(parent != nullptr ? parent->GetWx() : nullptr)) {
        return false;
    }
    OnInitDialog();
    if (IsWindow() && (m_template->style & kStyleVisible) != 0) {
        GetWx()->Show();
    }
    return IsWindow();
}

void Dialog::EndDialog(int result) {
    m_result = result;
    if (!IsWindow()) {
        return;
    }
    if (m_modal) {
        auto* dialog = static_cast<wxDialog*>(GetWx());
        m_ended = true;
        if (dialog->IsModal()) {
            dialog->EndModal(result);
        }
    } else {
        GetWx()->Hide();
    }
}

bool Dialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void Dialog::OnOK() {
    if (UpdateData(true)) {
        EndDialog(kIdOk);
    }
}

void Dialog::OnCancel() { EndDialog(kIdCancel); }

bool Dialog::UpdateData(bool saveAndValidate) {
    DataExchange exchange(*this, saveAndValidate);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

LResult Dialog::WindowProc(unsigned message, WParam wParam, LParam lParam) {
    if (message == kMsgClose && !HasMessageHandler(kMsgClose)) {
        OnCancel();  // closing a dialog is cancelling it
        return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
}

bool Dialog::OnCmdMsg(unsigned id, CommandUI* update) {
    if (Window::OnCmdMsg(id, update)) {
        return true;
    }
    if (update != nullptr) {
        return false;
    }
    if (id == static_cast<unsigned>(kIdOk)) {
        OnOK();
        return true;
    }
    if (id == static_cast<unsigned>(kIdCancel)) {
        OnCancel();
        return true;
    }
    return false;
}

const Dialog::Item* Dialog::Find(unsigned id) const {
    const auto found = std::find_if(m_items.begin(), m_items.end(), [id](const Item& item) { return item.id == id; });
    return found != m_items.end() ? &*found : nullptr;
}

Dialog::Item* Dialog::Find(unsigned id) { return const_cast<Item*>(std::as_const(*this).Find(id)); }

wxWindow* Dialog::GetDlgItem(unsigned id) const {
    const Item* item = Find(id);
    return item != nullptr ? item->window : nullptr;
}

std::optional<ControlKind> Dialog::GetItemKind(unsigned id) const {
    const Item* item = Find(id);
    return item != nullptr ? std::optional(item->kind) : std::nullopt;
}

std::optional<wxRect> Dialog::GetItemTemplateRect(unsigned id) const {
    const Item* item = Find(id);
    if (item == nullptr) {
        return std::nullopt;
    }
    return m_layoutUnits.ToPixels(item->box.x, item->box.y, item->box.width, item->box.height);
}

bool Dialog::ReplaceDlgItem(unsigned id, wxWindow* control) {
    Item* item = Find(id);
    if (item == nullptr || control == nullptr || control->GetParent() != GetWx()) {
        return false;
    }
    wxWindow* old = item->window;
    control->SetSize(old->GetRect());
    control->MoveAfterInTabOrder(old);
    control->Show(old->IsShown());
    item->window = control;
    item->kind = ControlKind::Custom;
    item->text.clear();
    old->Destroy();
    return true;
}

void Dialog::SetItemTextColor(unsigned id, gfx::Color color) {
    if (wxWindow* control = GetDlgItem(id)) {
        control->SetForegroundColour(wxColour(color.r, color.g, color.b));
        control->Refresh();
    }
}

std::optional<gfx::Color> Dialog::GetItemTextColor(unsigned id) const {
    const wxWindow* control = GetDlgItem(id);
    if (control == nullptr) {
        return std::nullopt;
    }
    const wxColour colour = control->GetForegroundColour();
    return gfx::Color{colour.Red(), colour.Green(), colour.Blue()};
}

std::wstring Dialog::GetDlgItemText(unsigned id) const {
    const Item* item = Find(id);
    if (item == nullptr) {
        return {};
    }
    switch (item->kind) {
    case ControlKind::Edit:
        return static_cast<wxTextCtrl*>(item->window)->GetValue().ToStdWstring();
    case ControlKind::ComboBox:
        return static_cast<wxComboBox*>(item->window)->GetValue().ToStdWstring();
    case ControlKind::DropList:
        return static_cast<wxChoice*>(item->window)->GetStringSelection().ToStdWstring();
    case ControlKind::Static:
        return item->text;
    default:
        return item->window->GetLabel().ToStdWstring();
    }
}

void Dialog::SetDlgItemText(unsigned id, const std::wstring& text) {
    Item* item = Find(id);
    if (item == nullptr) {
        return;
    }
    switch (item->kind) {
    case ControlKind::Edit:
        static_cast<wxTextCtrl*>(item->window)->SetValue(wxString(text));
        break;
    case ControlKind::ComboBox:
        static_cast<wxComboBox*>(item->window)->SetValue(wxString(text));
        break;
    case ControlKind::DropList:
        static_cast<wxChoice*>(item->window)->SetStringSelection(wxString(text));
        break;
    case ControlKind::Static:
        item->text = text;
        ShowStaticText(*item);
        break;
    default:
        item->window->SetLabel(wxString(text));
        break;
    }
}

std::optional<int> Dialog::GetDlgItemInt(unsigned id) const {
    std::string text = platform::WideToUtf8(GetDlgItemText(id));
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    if (first == std::string::npos) {
        return std::nullopt;
    }
    text = text.substr(first, last - first + 1);
    int value = 0;
    const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

void Dialog::SetDlgItemInt(unsigned id, int value) { SetDlgItemText(id, std::to_wstring(value)); }

int Dialog::IsDlgButtonChecked(unsigned id) const {
    const Item* item = Find(id);
    if (item == nullptr) {
        return 0;
    }
    if (item->kind == ControlKind::CheckBox) {
        const wxCheckBoxState state = static_cast<wxCheckBox*>(item->window)->Get3StateValue();
        return state == wxCHK_CHECKED ? 1 : state == wxCHK_UNDETERMINED ? 2 : 0;
    }
    if (item->kind == ControlKind::RadioButton) {
        return static_cast<wxRadioButton*>(item->window)->GetValue() ? 1 : 0;
    }
    return 0;
}

void Dialog::CheckDlgButton(unsigned id, int check) {
    const Item* item = Find(id);
    if (item == nullptr) {
        return;
    }
    if (item->kind == ControlKind::CheckBox) {
        auto* box = static_cast<wxCheckBox*>(item->window);
        box->Set3StateValue(check == 1                          ? wxCHK_CHECKED
                            : (check == 2 && box->Is3State()) ? wxCHK_UNDETERMINED
                                                                : wxCHK_UNCHECKED);
    } else if (item->kind == ControlKind::RadioButton) {
        static_cast<wxRadioButton*>(item->window)->SetValue(check != 0);
    }
}

void Dialog::CheckRadioButton(unsigned firstId, unsigned lastId, unsigned checkId) {
    for (const Item& item : m_items) {
        if (item.kind == ControlKind::RadioButton && item.id >= firstId && item.id <= lastId) {
            static_cast<wxRadioButton*>(item.window)->SetValue(item.id == checkId);
        }
    }
}

void Dialog::OnDestroyed() {
    m_items.clear();
    m_modal = false;
}

}  // namespace ui

#include "platform/ui/ControlFactory.h"

#include <cwctype>
#include <map>
#include <mutex>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/gauge.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/treectrl.h>
#include <wx/valtext.h>

#include "platform/ui/DateTimePicker.h"
#include "platform/ui/ListView.h"
#include "platform/ui/OwnerDrawButton.h"
#include "platform/ui/SpinArrows.h"
#include "platform/ui/Window.h"

namespace ui {
namespace {

std::wstring Upper(const std::wstring& text) {
    std::wstring result = text;
    for (auto& c : result) {
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    }
    return result;
}

struct CustomClasses {
    std::mutex lock;
    std::map<std::wstring, ControlClassFactory> factories;  // by upper-case name
};

std::mutex g_pictureLock;
PictureProvider g_pictures;

wxBitmap Picture(int resource) {
    PictureProvider provider;
    {
        std::lock_guard guard(g_pictureLock);
        provider = g_pictures;
    }
    return (resource != 0 && provider) ? provider(resource) : wxNullBitmap;
}

CustomClasses& Custom() {
    static CustomClasses classes;
    return classes;
}

ControlClassFactory FindCustom(const std::wstring& className) {
    std::lock_guard guard(Custom().lock);
    const auto found = Custom().factories.find(Upper(className));
    return found != Custom().factories.end() ? found->second : ControlClassFactory();
}

ControlKind ClassifyButton(std::uint32_t style) {
    switch (style & kButtonTypeMask) {
    case kButtonCheckBox:
    case kButtonAutoCheckBox:
    case kButton3State:
    case kButtonAuto3State:
        return ControlKind::CheckBox;
    case kButtonRadio:
    case kButtonAutoRadio:
        return ControlKind::RadioButton;
    case kButtonGroupBox:
        return ControlKind::GroupBox;
    case kButtonOwnerDraw:
        return ControlKind::OwnerDraw;
    default:
        return ControlKind::PushButton;
    }
}

ControlKind ClassifyStatic(std::uint32_t style) {
    switch (style & kStaticTypeMask) {
    case kStaticIcon:
    case kStaticBitmap:
        return ControlKind::Picture;
    case kStaticEtchedHorz:
    case kStaticEtchedVert:
        return ControlKind::Line;
    default:
        return ControlKind::Static;
    }
}

wxWindow* CreateStatic(wxWindow* parent, const DialogItemTemplateInfo& item, const wxRect& rect) {
    long style = wxST_NO_AUTORESIZE;
    switch (item.style & kStaticTypeMask) {
    case kStaticCenter:
        style |= wxALIGN_CENTRE_HORIZONTAL;
        break;
    case kStaticRight:
        style |= wxALIGN_RIGHT;
        break;
    default:
        style |= wxALIGN_LEFT;
        break;
    }
    return new wxStaticText(parent, wxID_ANY, wxString(item.caption), rect.GetPosition(), rect.GetSize(), style);
}

wxWindow* CreateEdit(wxWindow* parent, const DialogItemTemplateInfo& item, const wxRect& rect) {
    long style = 0;
    if ((item.style & kEditMultiline) != 0) {
        style |= wxTE_MULTILINE;
    }
    if ((item.style & kEditReadOnly) != 0) {
        style |= wxTE_READONLY;
    }
    if ((item.style & kEditPassword) != 0) {
        style |= wxTE_PASSWORD;
    }
    if ((item.style & kEditCenter) != 0) {
        style |= wxTE_CENTRE;
    } else if ((item.style & kEditRight) != 0) {
        style |= wxTE_RIGHT;
    }
    auto* edit = new wxTextCtrl(parent, wxID_ANY, wxString(item.caption), rect.GetPosition(), rect.GetSize(), style);
    if ((item.style & kEditNumber) != 0) {
        edit->SetValidator(wxTextValidator(wxFILTER_DIGITS));
    }
    return edit;
}

wxWindow* CreateListView(wxWindow* parent, const DialogItemTemplateInfo& item, const wxRect& rect) {
    long style = wxBORDER_SUNKEN;
    switch (item.style & kListViewTypeMask) {
    case kListViewReport:
        style |= wxLC_REPORT;
        if ((item.style & kListViewOwnerData) != 0) {
            style |= wxLC_VIRTUAL;
        }
        break;
    case kListViewList:
        style |= wxLC_LIST;
        break;
    default:
        style |= wxLC_ICON;
        break;
    }
    if ((item.style & kListViewSingleSel) != 0) {
        style |= wxLC_SINGLE_SEL;
    }
    if ((item.style & kListViewNoHeader) != 0) {
        style |= wxLC_NO_HEADER;
    }
    return new ListView(parent, rect, style);
}

wxWindow* CreateTree(wxWindow* parent, const DialogItemTemplateInfo& item, const wxRect& rect) {
    // A hidden root, so that the program's top-level items show as roots.
    long style = wxTR_HIDE_ROOT | wxBORDER_SUNKEN;
    style |= (item.style & kTreeHasButtons) != 0 ? wxTR_HAS_BUTTONS : wxTR_NO_BUTTONS;
    if ((item.style & kTreeHasLines) == 0) {
        style |= wxTR_NO_LINES;
    }
    if ((item.style & kTreeLinesAtRoot) != 0) {
        style |= wxTR_LINES_AT_ROOT;
    }
    if ((item.style & kTreeFullRowSelect) != 0) {
        style |= wxTR_FULL_ROW_HIGHLIGHT;
    }
    auto* tree = new wxTreeCtrl(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), style);
    tree->AddRoot(wxString());
    return tree;
}

}  // namespace

ControlKind ClassifyControl(const DialogItemTemplateInfo& item) {
    if (FindCustom(item.className)) {
        return ControlKind::Custom;
    }
    const std::wstring name = Upper(item.className);
    if (name == L"STATIC") {
        return ClassifyStatic(item.style);
    }
    if (name == L"BUTTON") {
        return ClassifyButton(item.style);
    }
    if (name == L"EDIT") {
        return ControlKind::Edit;
    }
    if (name == L"COMBOBOX") {
        return (item.style & kComboTypeMask) == kComboDropDownList ? ControlKind::DropList : ControlKind::ComboBox;
    }
    if (name == L"SYSLISTVIEW32") {
        return ControlKind::ListView;
    }
    if (name == L"SYSTREEVIEW32") {
        return ControlKind::TreeView;
    }
    if (name == L"MSCTLS_PROGRESS32") {
        return ControlKind::Progress;
    }
    if (name == L"MSCTLS_TRACKBAR32") {
        return ControlKind::Trackbar;
    }
    if (name == L"MSCTLS_UPDOWN32") {
        return ControlKind::Spin;
    }
    if (name == L"SYSTABCONTROL32") {
        return ControlKind::Tab;
    }
    if (name == L"SYSDATETIMEPICK32") {
        return ControlKind::DateTime;
    }
    return ControlKind::Custom;
}

wxWindow* CreateControl(wxWindow* parent, const DialogItemTemplateInfo& item, ControlKind kind, const wxRect& rect,
                        bool startsRadioGroup) {
    const wxString caption(item.caption);
    const wxPoint at = rect.GetPosition();
    const wxSize size = rect.GetSize();
    wxWindow* control = nullptr;
    switch (kind) {
    case ControlKind::Static:
        control = CreateStatic(parent, item, rect);
        break;
    case ControlKind::Picture:
        control = new wxStaticBitmap(parent, wxID_ANY, Picture(item.resource), at, size);
        break;
    case ControlKind::Line:
        control = new wxStaticLine(parent, wxID_ANY, at, size,
                                   (item.style & kStaticTypeMask) == kStaticEtchedVert ? wxLI_VERTICAL
                                                                                        : wxLI_HORIZONTAL);
        break;
    case ControlKind::PushButton: {
        auto* button = new wxButton(parent, wxID_ANY, caption, at, size);
        if ((item.style & kButtonTypeMask) == kButtonDefPush) {
            button->SetDefault();
        }
        control = button;
        break;
    }
    case ControlKind::CheckBox: {
        const std::uint32_t type = item.style & kButtonTypeMask;
        long style = (type == kButton3State || type == kButtonAuto3State) ? wxCHK_3STATE : wxCHK_2STATE;
        if ((item.style & kButtonLeftText) != 0) {
            style |= wxALIGN_RIGHT;
        }
        control = new wxCheckBox(parent, wxID_ANY, caption, at, size, style);
        break;
    }
    case ControlKind::RadioButton:
        control = new wxRadioButton(parent, wxID_ANY, caption, at, size, startsRadioGroup ? wxRB_GROUP : 0);
        break;
    case ControlKind::GroupBox:
        control = new wxStaticBox(parent, wxID_ANY, caption, at, size);
        break;
    case ControlKind::OwnerDraw:
        control = new OwnerDrawButton(parent, caption, rect);
        break;
    case ControlKind::Edit:
        control = CreateEdit(parent, item, rect);
        break;
    case ControlKind::ComboBox:
        control = new wxComboBox(parent, wxID_ANY, caption, at, size, 0, nullptr,
                                 wxCB_DROPDOWN | ((item.style & kComboSort) != 0 ? wxCB_SORT : 0));
        break;
    case ControlKind::DropList:
        control = new wxChoice(parent, wxID_ANY, at, size, 0, nullptr, (item.style & kComboSort) != 0 ? wxCB_SORT : 0);
        break;
    case ControlKind::ListView:
        control = CreateListView(parent, item, rect);
        break;
    case ControlKind::TreeView:
        control = CreateTree(parent, item, rect);
        break;
    case ControlKind::Progress:
        control = new wxGauge(parent, wxID_ANY, 100, at, size,
                              ((item.style & kProgressVertical) != 0 ? wxGA_VERTICAL : wxGA_HORIZONTAL) |
                                  ((item.style & kProgressSmooth) != 0 ? wxGA_SMOOTH : 0));
        break;
    case ControlKind::Trackbar:
        control = new wxSlider(parent, wxID_ANY, 0, 0, 100, at, size,
                               ((item.style & kTrackbarVertical) != 0 ? wxSL_VERTICAL : wxSL_HORIZONTAL) |
                                   ((item.style & kTrackbarAutoTicks) != 0 ? wxSL_AUTOTICKS : 0));
        break;
    case ControlKind::Spin: {
        control = new SpinArrows(parent, rect, (item.style & kSpinHorizontal) != 0, (item.style & kSpinWrap) != 0);
        break;
    }
    case ControlKind::Tab:
        control = new wxNotebook(parent, wxID_ANY, at, size);
        break;
    case ControlKind::DateTime:
        control = new DateTimePicker(parent, rect,
                                     (item.style & kDateTimeTimeFormat) != 0 ? DateTimePicker::Mode::Time
                                                                             : DateTimePicker::Mode::Date);
        break;
    case ControlKind::Custom:
        if (const ControlClassFactory factory = FindCustom(item.className)) {
            control = factory(parent, item, rect);
        }
        if (control == nullptr) {
            control = new wxPanel(parent, wxID_ANY, at, size, wxBORDER_NONE);
        }
        break;
    }
    control->Show((item.style & kStyleVisible) != 0);
    control->Enable((item.style & kStyleDisabled) == 0);
    return control;
}

void SetPictureProvider(PictureProvider provider) {
    std::lock_guard guard(g_pictureLock);
    g_pictures = std::move(provider);
}

void RegisterControlClass(const std::wstring& className, ControlClassFactory factory) {
    std::lock_guard guard(Custom().lock);
    Custom().factories[Upper(className)] = std::move(factory);
}

}  // namespace ui

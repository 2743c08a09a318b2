#pragma once
// Controls of dialog templates: a control's window class name (compared without
// regard to case) and style bits choose the wx control. Classes the program defines
// itself are registered by name; an unknown class becomes an empty panel, so a
// template never fails to build for one control.

#include <cstdint>
#include <functional>
#include <string>

#include <wx/bitmap.h>
#include <wx/gdicmn.h>

#include "platform/base/DialogTemplate.h"

class wxWindow;

namespace ui {

// Style bits of the mapped classes (the low word of a control's style).
inline constexpr std::uint32_t kButtonTypeMask = 0x000F;
inline constexpr std::uint32_t kButtonPush = 0x0;
inline constexpr std::uint32_t kButtonDefPush = 0x1;
inline constexpr std::uint32_t kButtonCheckBox = 0x2;
inline constexpr std::uint32_t kButtonAutoCheckBox = 0x3;
inline constexpr std::uint32_t kButtonRadio = 0x4;
inline constexpr std::uint32_t kButton3State = 0x5;
inline constexpr std::uint32_t kButtonAuto3State = 0x6;
inline constexpr std::uint32_t kButtonGroupBox = 0x7;
inline constexpr std::uint32_t kButtonAutoRadio = 0x9;
inline constexpr std::uint32_t kButtonOwnerDraw = 0xB;
inline constexpr std::uint32_t kButtonLeftText = 0x20;

inline constexpr std::uint32_t kStaticTypeMask = 0x1F;
inline constexpr std::uint32_t kStaticLeft = 0x0;
inline constexpr std::uint32_t kStaticCenter = 0x1;
inline constexpr std::uint32_t kStaticRight = 0x2;
inline constexpr std::uint32_t kStaticIcon = 0x3;
inline constexpr std::uint32_t kStaticLeftNoWrap = 0xC;
inline constexpr std::uint32_t kStaticNoPrefix = 0x80;
inline constexpr std::uint32_t kStaticBitmap = 0xE;
inline constexpr std::uint32_t kStaticEtchedHorz = 0x10;
inline constexpr std::uint32_t kStaticEtchedVert = 0x11;

inline constexpr std::uint32_t kEditCenter = 0x1;
inline constexpr std::uint32_t kEditRight = 0x2;
inline constexpr std::uint32_t kEditMultiline = 0x4;
inline constexpr std::uint32_t kEditPassword = 0x20;
inline constexpr std::uint32_t kEditReadOnly = 0x800;
inline constexpr std::uint32_t kEditNumber = 0x2000;

inline constexpr std::uint32_t kComboTypeMask = 0x3;
inline constexpr std::uint32_t kComboDropDownList = 0x3;
inline constexpr std::uint32_t kComboSort = 0x100;

inline constexpr std::uint32_t kListViewTypeMask = 0x3;
inline constexpr std::uint32_t kListViewReport = 0x1;
inline constexpr std::uint32_t kListViewList = 0x3;
inline constexpr std::uint32_t kListViewSingleSel = 0x4;
inline constexpr std::uint32_t kListViewOwnerData = 0x1000;
inline constexpr std::uint32_t kListViewNoHeader = 0x4000;

inline constexpr std::uint32_t kTreeHasButtons = 0x1;
inline constexpr std::uint32_t kTreeHasLines = 0x2;
inline constexpr std::uint32_t kTreeLinesAtRoot = 0x4;
inline constexpr std::uint32_t kTreeFullRowSelect = 0x1000;

inline constexpr std::uint32_t kProgressSmooth = 0x1;
inline constexpr std::uint32_t kProgressVertical = 0x4;

inline constexpr std::uint32_t kTrackbarAutoTicks = 0x1;
inline constexpr std::uint32_t kTrackbarVertical = 0x2;

inline constexpr std::uint32_t kSpinWrap = 0x1;
inline constexpr std::uint32_t kSpinSetBuddyInt = 0x2;
inline constexpr std::uint32_t kSpinAlignRight = 0x4;
inline constexpr std::uint32_t kSpinAlignLeft = 0x8;
inline constexpr std::uint32_t kSpinAutoBuddy = 0x10;
inline constexpr std::uint32_t kSpinHorizontal = 0x40;

enum class ControlKind {
    Static,
    Picture,
    Line,
    PushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    OwnerDraw,
    Edit,
    ComboBox,
    DropList,
    ListView,
    TreeView,
    Progress,
    Trackbar,
    Spin,
    Tab,
    DateTime,
    Custom,
};

ControlKind ClassifyControl(const DialogItemTemplateInfo& item);

// Makes the control at the rectangle (pixels). startsRadioGroup: the first radio
// button of a group. A registered class is made by its factory.
wxWindow* CreateControl(wxWindow* parent, const DialogItemTemplateInfo& item, ControlKind kind, const wxRect& rect,
                        bool startsRadioGroup);

// Gives the picture a picture control shows (its template's resource number); an
// invalid bitmap leaves the control empty.
using PictureProvider = std::function<wxBitmap(int resource)>;
void SetPictureProvider(PictureProvider provider);

using ControlClassFactory =
    std::function<wxWindow*(wxWindow* parent, const DialogItemTemplateInfo& item, const wxRect& rect)>;
// Registers a window class of the program's own (replacing one of the same name).
void RegisterControlClass(const std::wstring& className, ControlClassFactory factory);

}  // namespace ui

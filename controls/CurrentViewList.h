#pragma once
// The narrow panel beside a trend view where the user picks the quantity the view
// shows and which statistic kinds (maximum, minimum, average) it draws. The owner
// view sets the kind of list (controls::kViewKind*) before the panel is made, is
// asked for its current quantity while the panel starts, and is told every choice.
// A click on the panel's collapse strip is passed on to the owner.

#include <cstdint>
#include <string>
#include <vector>

#include "controls/ResizeCtrl.h"
#include "controls/ViewItemTable.h"
#include "platform/ui/Dialog.h"

// Messages the owner receives.
// Sent while the panel starts: wParam a std::uint32_t* the owner fills with the
// quantity it shows; lParam 0.
inline constexpr unsigned kMsgViewListCurrentItem = 0x05FA;
// Posted for every choice: wParam the quantity, lParam the statistic kind bits
// (controls::kStatistic*, or controls::kNoStatisticKinds).
inline constexpr unsigned kMsgViewListChoice = 0x05F5;
// Sent when the collapse strip is clicked: wParam 1, lParam the strip's click
// message's lParam (a const wxPoint*, valid during the send).
inline constexpr unsigned kMsgViewListToggle = 0x05FB;

class CCurrentViewList : public ui::Dialog {
public:
    static constexpr unsigned kTemplateId = 133;
    static constexpr unsigned kResizeGripId = 6840;
    static constexpr unsigned kQuantityListId = 6914;
    static constexpr unsigned kMaxId = 6502;
    static constexpr unsigned kMinId = 6503;
    static constexpr unsigned kAvgId = 6504;

    explicit CCurrentViewList(ui::Window* parent);

    void SetOwner(ui::Window* owner) { m_owner = owner; }
    void SetKind(int kind) { m_kind = kind; }
    int GetKind() const { return m_kind; }
    // Makes the panel inside the parent window.
    bool Create();

    // The text naming a power or energy quantity, as the view's title shows it.
    static std::wstring OnViewCommand(std::uint32_t itemId);

    bool OnInitDialog() override;

    // The quantity selected in the list; 0 when none is.
    std::uint32_t GetSelectedItem() const;
    CResizeCtrl& GetResizeCtrl() { return m_ResizeCtrl; }

private:
    void FillList();
    void SelectItem(std::uint32_t itemId);
    void OnChoiceChanged();
    void ReportChoice();
    void EnableKinds(bool enable);

    ui::Window* m_parent;
    ui::Window* m_owner = nullptr;
    int m_kind = controls::kViewKindNone;
    CResizeCtrl m_ResizeCtrl{1};
    std::vector<controls::ViewItem> m_items;  // the list's entries in order
};

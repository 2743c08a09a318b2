#pragma once
// CHarmTrendPanel: what the attribute panel of the harmonic trend frame shows and
// does, apart from its window: the record's harmonic quantities grouped into the
// frame's item codes, the phase, statistic and value-type buttons, the six order
// lists with the orders the record holds, the K factor box and the caption of the
// order group. Every choice goes to the frame (IHarmTrendOwner) followed by a
// rebuild. The panel's window (CHarmTrendNewDlg) mirrors this state after each
// change and feeds the user's choices in; tests drive it directly.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The frame side of the panel.
class IHarmTrendOwner {
public:
    virtual ~IHarmTrendOwner() = default;
    virtual void SetItem(std::uint32_t code) = 0;
    virtual void AddItem(std::uint32_t code) = 0;
    virtual void RemoveItem(std::uint32_t code) = 0;
    virtual void AddPhases(std::uint32_t bits) = 0;
    virtual void RemovePhases(std::uint32_t bits) = 0;
    virtual void SetStatKinds(std::uint32_t bits) = 0;
    virtual void SetValueTypes(std::uint32_t bits) = 0;
    // Order slot 0 to 5; value 0 off, else the order entry (order index + 1).
    virtual void SetOrderSlot(int slot, std::uint32_t value) = 0;
    virtual void Rebuild() = 0;
    virtual void TogglePanel() = 0;
    // Colours of order slot k (1 to 6) in the frame's colour scheme.
    virtual std::uint32_t OrderSlotColor(int k) const = 0;
    virtual std::uint32_t OrderSlotDefaultColor(int k) const = 0;
    virtual int StoreOrderSlotColor(int k, std::uint32_t color) = 0;
    // The scheme changed under the frame's own view id: its series take the new colours.
    virtual void ColorsChanged() = 0;
};

class CHarmTrendPanel {
public:
    using TextSource = std::function<std::wstring(unsigned id)>;

    // Control ids of the panel's template.
    static constexpr unsigned kTemplateId = 149;
    static constexpr unsigned kItemListId = 6701;
    static constexpr unsigned kOrderGroupId = 6839;
    static constexpr unsigned kStripId = 6840;
    static constexpr unsigned kKFactorId = 6700;
    static constexpr std::array<unsigned, 4> kPhaseIds{6878, 6879, 6880, 6881};
    static constexpr std::array<unsigned, 3> kKindIds{9529, 9530, 9531};
    static constexpr std::array<unsigned, 3> kValueTypeIds{6691, 6692, 6693};
    static constexpr std::array<unsigned, 6> kOrderListIds{6694, 6695, 6696, 6697, 6698, 6699};
    static constexpr std::array<unsigned, 6> kSwatchIds{32887, 32888, 32889, 32890, 32891, 32892};
    // The K factor's item code.
    static constexpr std::uint32_t kKFactor = 23;

    struct Button {
        bool enabled = true;
        bool checked = false;
    };
    struct Entry {
        std::wstring text;
        std::uint32_t code = 0;  // 0: the "no data item" entry
    };
    struct OrderList {
        std::vector<std::wstring> texts{L"OFF"};
        int selected = 0;
        bool enabled = false;
    };

    explicit CHarmTrendPanel(TextSource texts);

    void SetOwner(IHarmTrendOwner* owner) { m_Owner = owner; }
    IHarmTrendOwner* Owner() const { return m_Owner; }
    // The record's item identifiers and phase mask (bit n: phase index n; 0xFF every phase).
    void SetItems(std::vector<std::uint32_t> items, std::uint32_t phaseMask);
    // The window's first showing: L1 and the average.
    void OnInitDialog();
    // Lists the record's harmonic quantities and selects the first.
    void FillPanel();

    // The user's choices.
    void OnSelectItem(int index);
    void OnPhaseClick(int phaseIndex, bool checked);
    void OnKindClick(int index);
    void OnValueTypeClick(int index);
    void OnOrderChange(int list, int index);
    void OnKFactorClick(bool checked);
    void OnToggle();
    // A click on the swatch of order list `list` (0 to 5): true when its colour may be
    // chosen (the list is enabled); the slot is then the one a chosen colour goes to.
    bool OnSwatchClick(int list);
    // The colour chosen for the remembered slot: stored, the frame's series recoloured;
    // 0, or -1 without a frame.
    int OnColorChosen(std::uint32_t color);
    // Colour of order list `list`'s swatch and its factory colour.
    std::uint32_t SwatchColor(int list) const;
    std::uint32_t SwatchDefaultColor(int list) const;

    // Told after every change of the state, for the window to mirror it.
    void SetChangeListener(std::function<void()> listener) { m_Changed = std::move(listener); }
    void Changed();

    const std::vector<Entry>& Entries() const { return m_Entries; }
    int Selected() const { return m_Selected; }
    bool ListEnabled() const { return m_ListEnabled; }
    std::uint32_t SelectedCode() const;
    const std::array<Button, 4>& Phases() const { return m_Phases; }
    const std::array<Button, 3>& Kinds() const { return m_Kinds; }
    const std::array<Button, 3>& ValueTypes() const { return m_ValueTypes; }
    const std::array<OrderList, 6>& OrderLists() const { return m_Orders; }
    const Button& KFactor() const { return m_KFactor; }
    bool KFactorAvailable() const { return m_KFactorAvailable; }
    const std::wstring& OrderCaption() const { return m_Caption; }
    std::uint32_t ValueType() const { return m_ValueType; }
    int RecolorSlot() const { return m_RecolorSlot; }

    // Grouping of one item identifier: its item code (0: none), its order (1-based, 0
    // for the quantities without orders) and the language string of the family's name.
    struct Group {
        std::uint32_t code = 0;
        std::uint32_t order = 0;
        unsigned nameId = 0;
    };
    static Group GroupOf(std::uint32_t identifier);
    // The caption of the order group for an item code.
    std::wstring CaptionOf(std::uint32_t code) const;

private:
    void ItemChange();
    void FillOrderLists(std::uint32_t family);
    void PresetOrder(int list, const wchar_t* text);
    std::uint32_t OrderValue(int list) const;
    void UpdateKFactor();
    void Rebuild();
    bool HasOrder(std::uint32_t order, std::uint32_t family) const;

    TextSource m_Texts;
    IHarmTrendOwner* m_Owner = nullptr;
    std::vector<std::uint32_t> m_Items;
    std::uint32_t m_PhaseMask = 0xFF;
    std::vector<Entry> m_Entries;
    int m_Selected = -1;
    bool m_ListEnabled = true;
    std::array<Button, 4> m_Phases{};
    std::array<Button, 3> m_Kinds{};
    std::array<Button, 3> m_ValueTypes{};
    std::array<OrderList, 6> m_Orders{};
    Button m_KFactor{false, false};
    bool m_KFactorAvailable = false;
    std::wstring m_Caption;
    std::uint32_t m_ValueType = 0;
    std::uint32_t m_Offset = 0;
    int m_RecolorSlot = -1;
    // Per order 1 to 50, the families (bit per order family) that have it.
    std::array<std::uint32_t, 51> m_OrderFamilies{};
    std::uint32_t m_FamiliesSeen = 0;
    std::uint32_t m_HighestOrder = 0;
    std::function<void()> m_Changed;
};

#pragma once
// CHarmPanelState: what the harmonic selection panel shows and does, apart from its
// window: the harmonic families of the loaded recording (each with the selection the
// user made for it), the enabled and ticked state of every control of the panel, the
// labels of the order boxes, the shown phases, and the calls a change makes on the
// owner (the histogram frame). The panel's window (CDlgHarmPanel, template 144)
// mirrors this state after every change and feeds the user's clicks in; tests drive
// it directly.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "views/HarmSelection.h"

class IDataModel;

// The frame side of the panel: told after every change, first which phases are
// shown, then the selection.
class IHarmPanelOwner {
public:
    virtual ~IHarmPanelOwner() = default;
    virtual void SetPhaseFlags(const std::array<std::uint32_t, 4>& shown) = 0;
    virtual void SetPanelData(const CHarmSelection& selection) = 0;
};

class CHarmPanelState {
public:
    // Control ids of the panel's template.
    static constexpr unsigned kFamilyList = 8005;
    static constexpr unsigned kEffective = 6570;
    static constexpr unsigned kRatio = 6571;
    static constexpr unsigned kPhaseAngle = 6578;
    static constexpr unsigned kFirstPhase = 6574;  // L1, L2, L3, N: 6574 to 6577
    static constexpr unsigned kFirstStatistic = 6579;  // MAX, MIN, AVG, CP95: 6579 to 6582
    static constexpr unsigned kFirstOrder = 8007;  // orders 1 to 25: 8007 to 8031
    static constexpr unsigned kThd = 8032;
    static constexpr unsigned kDc = 8033;
    static constexpr unsigned kKf = 8034;
    static constexpr unsigned kOtherOrders = 8036;
    static constexpr unsigned kRestoreDefaults = 6915;
    static constexpr unsigned kSelectAll = 6916;
    static constexpr unsigned kStrip = 6840;

    // Language strings.
    static constexpr unsigned kNoDataItem = 6130;
    static constexpr unsigned kOtherOrdersText = 6141;

    struct Control {
        bool enabled = false;
        bool checked = false;
    };
    struct Family {
        std::wstring name;
        CHarmSelection selection;
    };
    using TextSource = std::function<std::wstring(unsigned id)>;

    explicit CHarmPanelState(TextSource texts);

    void SetOwner(IHarmPanelOwner* owner) { m_Owner = owner; }
    // Told after every change of the state, for the window to mirror it.
    void SetChangeListener(std::function<void()> listener) { m_Changed = std::move(listener); }

    // Rebuilds the families from the recording the model holds and selects the
    // first, showing its L1 chart (the owner is told).
    void FillHarmTable(IDataModel* model);
    // Back to the placeholder entry with every control disabled and no phase shown;
    // the owner is not told.
    void Clear();

    // The user's changes: the family list's selection, and a click on a box, radio
    // button or button of the panel (`checked`: the box's new state).
    void OnSelectFamily(int index);
    void OnClick(unsigned id, bool checked);

    // The entries of the family list: the families, or the one placeholder text.
    std::vector<std::wstring> ListTexts() const;
    const std::vector<Family>& Families() const { return m_Families; }
    int Selected() const { return m_Selected; }
    // Nothing known of an id outside the panel: disabled and clear.
    Control Get(unsigned id) const;
    // The labels of the 25 order boxes and of the other-orders box.
    const std::array<std::wstring, 25>& OrderLabels() const { return m_OrderLabels; }
    const std::wstring& OtherOrdersLabel() const { return m_OtherLabel; }
    const std::array<std::uint32_t, 4>& PhaseShown() const { return m_PhaseShown; }
    const CHarmSelection& Current() const { return m_Current; }
    std::uint32_t PhaseMask() const { return m_PhaseMask; }

    // The family of an item id (2000, 3000, ... 12000), 0 for an id of none.
    static std::uint32_t FamilyOf(std::uint32_t itemId);

private:
    CHarmSelection* Selection();
    Control& At(unsigned id) { return m_Controls[id]; }
    void Set(unsigned id, bool enabled, bool checked);
    void Enable(unsigned id, bool enabled) { At(id).enabled = enabled; }
    void Check(unsigned id, bool checked) { At(id).checked = checked; }
    void DisableAll();
    CHarmSelection Build(IDataModel& model, std::uint32_t family) const;
    void AddFamily(std::wstring name, CHarmSelection selection);
    void Refresh();
    bool OtherOrdersRule(const CHarmSelection& selection) const;
    void EnableExtras(const CHarmSelection& selection);
    void KeepPhaseValid(CHarmSelection& selection) const;
    void ReadStatistics(CHarmSelection& selection) const;
    // A click's handling, also for the clicks the panel makes itself.
    void Handle(unsigned id, bool checked);
    // Copies the selection into the current one, enables THD, DC and KF, tells the
    // owner and the window.
    void Finish(const CHarmSelection& selection);
    void Changed();

    TextSource m_Texts;
    IHarmPanelOwner* m_Owner = nullptr;
    std::function<void()> m_Changed;
    std::vector<Family> m_Families;
    int m_Selected = -1;
    CHarmSelection m_Current;
    std::uint32_t m_PhaseMask = 255;
    std::array<std::uint32_t, 4> m_PhaseShown{};
    std::map<unsigned, Control> m_Controls;
    std::array<std::wstring, 25> m_OrderLabels;
    std::wstring m_OtherLabel;
};

#pragma once
// CRecordAttribPanel: what the attribute panel of a statistic record frame shows
// and does, apart from its window: the item list (texts and item codes), the
// enabled, visible and checked state of each check box, and the calls a change
// makes on the owner frame. The panel's window (a dialog from the frame's
// template) mirrors this state after every change and feeds the user's clicks
// and selections in; tests drive it directly.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "views/RecordFrameProfile.h"

// The frame side of the panel: each call with rebuild 1 rebuilds the series at once.
class IRecordPanelOwner {
public:
    virtual ~IRecordPanelOwner() = default;
    virtual void ShowKind(std::uint32_t bits, int rebuild) = 0;
    virtual void HideKind(std::uint32_t bits, int rebuild) = 0;
    virtual void ShowPhase(std::uint32_t bits, int rebuild) = 0;
    virtual void HidePhase(std::uint32_t bits, int rebuild) = 0;
    virtual void SelectItem(std::uint32_t code, int rebuild) = 0;
    virtual void TogglePanel() = 0;
};

class CRecordAttribPanel {
public:
    struct Box {
        RecordBoxEntry entry;
        bool enabled = true;
        bool visible = true;
        bool checked = false;
    };
    struct Entry {
        std::wstring text;
        std::uint32_t code = 0;  // 0: the "no data item" entry
    };
    using TextSource = std::function<std::wstring(unsigned id)>;

    CRecordAttribPanel(const RecordFrameProfile& profile, TextSource texts);

    void SetOwner(IRecordPanelOwner* owner) { m_Owner = owner; }
    // The record's item codes and phase mask (255: every phase).
    void SetItems(std::vector<std::uint32_t> items, std::uint32_t phaseMask);
    // Lists the frame's items of the record and selects the first with its default
    // boxes (L1 and the average), each box change going to the owner. A frame of
    // one fixed item enables its boxes when `available` and checks the average.
    void FillPanel(bool available = true);

    // The user's changes.
    void OnSelect(int index);
    void OnClick(unsigned boxId, bool checked);
    // The collapse strip was clicked.
    void OnToggle();

    // Told after every change of the state, for the window to mirror it.
    void SetChangeListener(std::function<void()> listener) { m_Changed = std::move(listener); }

    const std::vector<Entry>& Entries() const { return m_Entries; }
    int Selected() const { return m_Selected; }
    bool ListEnabled() const { return m_ListEnabled; }
    const std::vector<Box>& Boxes() const { return m_Boxes; }
    const Box* FindBox(unsigned id) const;
    const RecordFrameProfile& Profile() const { return m_Profile; }

private:
    Box* Find(unsigned id);
    Box* FindByBit(std::uint32_t bit, bool phase);
    void SetKindBoxes(bool enable, bool visible);
    void SetPhaseBoxes(bool enable);
    // Visibility that follows the selected item (energy items hide the kind boxes,
    // the item without an all-phase series hides its box).
    void FollowItem(std::uint32_t code);
    void Click(Box& box, bool checked, int rebuild);
    void Changed();

    const RecordFrameProfile& m_Profile;
    TextSource m_Texts;
    IRecordPanelOwner* m_Owner = nullptr;
    std::vector<std::uint32_t> m_Items;
    std::uint32_t m_PhaseMask = 255;
    std::vector<Entry> m_Entries;
    int m_Selected = -1;
    bool m_ListEnabled = true;
    std::vector<Box> m_Boxes;
    std::function<void()> m_Changed;
};

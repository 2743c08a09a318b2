#pragma once
// CEditedPicker: the colour buttons of one colour page whose colour differs from the
// saved one, in the order they were first changed. The page keeps it in step with
// the buttons' markers.

#include <vector>

class CXTPColorPickerEx;

class CEditedPicker {
public:
    CEditedPicker();
    virtual ~CEditedPicker();

    // Appends the button unless it is there already.
    void Add(CXTPColorPickerEx* picker);
    // Removes the button, if it is there.
    void Remove(CXTPColorPickerEx* picker);
    bool IsEmpty() const { return m_pickers.empty(); }

private:
    std::vector<CXTPColorPickerEx*> m_pickers;
};

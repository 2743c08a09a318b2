#include "app/colors/EditedPicker.h"

#include <algorithm>

CEditedPicker::CEditedPicker() = default;

CEditedPicker::~CEditedPicker() = default;

void CEditedPicker::Add(CXTPColorPickerEx* picker) {
    if (std::find(m_pickers.begin(), m_pickers.end(), picker) == m_pickers.end()) {
        m_pickers.push_back(picker);
    }
}

void CEditedPicker::Remove(CXTPColorPickerEx* picker) {
    const auto found = std::find(m_pickers.begin(), m_pickers.end(), picker);
    if (found != m_pickers.end()) {
        m_pickers.erase(found);
    }
}

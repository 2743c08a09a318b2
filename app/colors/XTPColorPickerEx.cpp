#include "app/colors/XTPColorPickerEx.h"

CXTPColorPickerEx::CXTPColorPickerEx(ui::Window* owner, wxWindow* parent, unsigned id, const wxRect& rect)
    : ui::ColorButton(owner, parent, id, rect) {}

CXTPColorPickerEx::~CXTPColorPickerEx() = default;

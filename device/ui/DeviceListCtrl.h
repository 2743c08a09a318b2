#pragma once
// The device dialog's list of devices: one tall row per device with the model's
// icon, the device name and, below it, its address or device number; the rows
// drawn by DrawDeviceRow. A click or the arrow keys select a row, and the control
// tells its dialog (kMsgNotify, kNotifyItemChanged). An empty list shows a text.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/ui/CustomControl.h"

class CDeviceListCtrl : public ui::CustomControl {
public:
    CDeviceListCtrl();

    // The icons by image index.
    void SetImages(std::vector<gfx::Bitmap> images);
    void SetEmptyText(const std::wstring& text);

    int InsertItem(const std::wstring& text, int image, std::uintptr_t data);
    void DeleteAllItems();
    int GetItemCount() const { return static_cast<int>(m_rows.size()); }
    std::wstring GetItemText(int row) const;
    std::uintptr_t GetItemData(int row) const;
    int GetItemImage(int row) const;
    // -1 for none.
    int GetSelection() const { return m_selection; }
    // Selects the row (-1: none) and tells the dialog when that changed it.
    void SetSelection(int row);

protected:
    void OnDraw(cairo_t* context, int width, int height) override;

private:
    struct Row {
        std::wstring text;
        int image = 0;
        std::uintptr_t data = 0;
    };
    int RowAt(int y) const;
    void ScrollToSelection();

    std::vector<Row> m_rows;
    std::vector<gfx::Bitmap> m_images;
    std::wstring m_emptyText;
    int m_selection = -1;
    int m_firstVisible = 0;
};

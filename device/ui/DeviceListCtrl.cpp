#include "device/ui/DeviceListCtrl.h"

#include <algorithm>

#include "device/DeviceRowPainter.h"
#include "platform/gfx/Context.h"

CDeviceListCtrl::CDeviceListCtrl() {
    SetWantsArrowKeys(true);
    OnMessage(ui::kMsgLButtonDown, [this](ui::WParam, ui::LParam lParam) -> ui::LResult {
        SetFocus();
        const int row = RowAt(ui::PointYFromLParam(lParam));
        if (row >= 0) {
            SetSelection(row);
        }
        return 0;
    });
    OnMessage(ui::kMsgKeyDown, [this](ui::WParam key, ui::LParam) -> ui::LResult {
        if (m_rows.empty()) {
            return 0;
        }
        if (key == ui::kKeyDown) {
            SetSelection(std::min(m_selection + 1, GetItemCount() - 1));
        } else if (key == ui::kKeyUp) {
            SetSelection(std::max(m_selection - 1, 0));
        }
        return 0;
    });
}

void CDeviceListCtrl::SetImages(std::vector<gfx::Bitmap> images) {
    m_images = std::move(images);
    Invalidate();
}

void CDeviceListCtrl::SetEmptyText(const std::wstring& text) {
    m_emptyText = text;
    Invalidate();
}

int CDeviceListCtrl::InsertItem(const std::wstring& text, int image, std::uintptr_t data) {
    m_rows.push_back({text, image, data});
    Invalidate();
    return GetItemCount() - 1;
}

void CDeviceListCtrl::DeleteAllItems() {
    m_rows.clear();
    m_firstVisible = 0;
    SetSelection(-1);
    Invalidate();
}

std::wstring CDeviceListCtrl::GetItemText(int row) const {
    return row >= 0 && row < GetItemCount() ? m_rows[static_cast<std::size_t>(row)].text : std::wstring();
}

std::uintptr_t CDeviceListCtrl::GetItemData(int row) const {
    return row >= 0 && row < GetItemCount() ? m_rows[static_cast<std::size_t>(row)].data : 0;
}

int CDeviceListCtrl::GetItemImage(int row) const {
    return row >= 0 && row < GetItemCount() ? m_rows[static_cast<std::size_t>(row)].image : -1;
}

void CDeviceListCtrl::SetSelection(int row) {
    if (row < -1 || row >= GetItemCount() || row == m_selection) {
        return;
    }
    m_selection = row;
    ScrollToSelection();
    Invalidate();
    if (ui::Window* parent = GetParent()) {
        parent->WindowProc(ui::kMsgNotify, GetDlgCtrlID(), ui::kNotifyItemChanged);
    }
}

int CDeviceListCtrl::RowAt(int y) const {
    if (y < 0) {
        return -1;
    }
    const int row = m_firstVisible + y / device::kDeviceRowHeight;
    return row < GetItemCount() ? row : -1;
}

void CDeviceListCtrl::ScrollToSelection() {
    if (m_selection < 0) {
        return;
    }
    const int visible = std::max(1, GetClientSize().GetHeight() / device::kDeviceRowHeight);
    if (m_selection < m_firstVisible) {
        m_firstVisible = m_selection;
    } else if (m_selection >= m_firstVisible + visible) {
        m_firstVisible = m_selection - visible + 1;
    }
}

void CDeviceListCtrl::OnDraw(cairo_t* context, int width, int height) {
    gfx::Context dc(context);
    dc.FillRect(gfx::Rect{0, 0, static_cast<double>(width), static_cast<double>(height)}, device::kRowNormal);
    if (m_rows.empty()) {
        dc.SetFont(device::DeviceDetailFont());
        dc.SetTextColor(device::kNameColor);
        gfx::Rect box{0, 8, static_cast<double>(width), 8.0 + device::kDeviceRowHeight / 2};
        dc.DrawText(m_emptyText, box, gfx::TextFormat::Center | gfx::TextFormat::Top | gfx::TextFormat::SingleLine);
        return;
    }
    static const gfx::Bitmap kNoImage;
    for (int row = m_firstVisible; row < GetItemCount(); ++row) {
        const double top = static_cast<double>((row - m_firstVisible) * device::kDeviceRowHeight);
        if (top >= height) {
            break;
        }
        const Row& item = m_rows[static_cast<std::size_t>(row)];
        const bool hasImage = item.image >= 0 && item.image < static_cast<int>(m_images.size());
        device::DrawDeviceRow(dc, gfx::Rect::FromSize(0, top, width, device::kDeviceRowHeight),
                              hasImage ? m_images[static_cast<std::size_t>(item.image)] : kNoImage, item.text,
                              row == m_selection);
    }
}

#include "lib/viewer/html/CeXDib.h"

#include "lib/viewer/html/BitmapPixels.h"

bool CCeXDib::Create(int width, int height) {
    if (width <= 0 || height <= 0) {
        m_width = m_height = 0;
        m_pixels.clear();
        return false;
    }
    m_width = width;
    m_height = height;
    m_pixels.assign(static_cast<std::size_t>(width) * height, 0);
    return true;
}

void CCeXDib::SetPaletteEntry(int index, std::uint32_t colour) {
    if (index >= 0 && index < static_cast<int>(m_palette.size())) {
        m_palette[static_cast<std::size_t>(index)] = colour;
    }
}

void CCeXDib::Draw(gfx::Context& dc, int x, int y) const {
    gfx::Bitmap picture(m_width, m_height);
    if (picture.IsEmpty()) {
        return;
    }
    {
        CBitmapPixels pixels(picture);
        for (int row = 0; row < m_height; ++row) {
            // Rows are stored bottom-up.
            const std::uint8_t* indexes = &m_pixels[static_cast<std::size_t>(m_height - 1 - row) * m_width];
            std::uint32_t* out = pixels.Row(row);
            for (int column = 0; column < m_width; ++column) {
                const std::uint32_t colour = m_palette[indexes[column]];
                out[column] = CBitmapPixels::Pack(255, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
            }
        }
    }
    dc.DrawBitmap(picture, x, y);
}

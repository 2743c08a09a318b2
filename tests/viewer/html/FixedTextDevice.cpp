#include "FixedTextDevice.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/base/Encoding.h"

namespace htmltest {

int FixedTextDevice::CellHeight() const {
    const int height = static_cast<int>(std::lround(std::abs(m_font.height)));
    return height == 0 ? 13 : height;
}

HtmlFontMetrics FixedTextDevice::Metrics() {
    const int height = CellHeight();
    return {height, height - height / 4, height / 4};
}

HtmlSize FixedTextDevice::Extent(const std::wstring& text) {
    return {static_cast<int>(text.size()) * (CellHeight() / 2), CellHeight()};
}

void FixedTextDevice::TextOut(int x, int y, const std::wstring& text, std::uint32_t textColour,
                              std::uint32_t backgroundColour, bool opaqueBackground) {
    m_runs.push_back({x, y, text, m_font, textColour, backgroundColour, opaqueBackground});
}

std::wstring FixedTextDevice::DrawnText() const {
    std::wstring text;
    for (const DrawnRun& run : m_runs) {
        text += run.text;
    }
    return text;
}

const DrawnRun& FixedTextDevice::RunWith(const std::wstring& text) const {
    for (const DrawnRun& run : m_runs) {
        if (run.text.find(text) != std::wstring::npos) {
            return run;
        }
    }
    static const DrawnRun kNone;
    ADD_FAILURE() << "no drawn run holds \"" << platform::WideToUtf8(text) << "\"";
    return kNone;
}

}  // namespace htmltest

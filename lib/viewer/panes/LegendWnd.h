#pragma once
// CLegendWnd: the channel legend along the bottom of the waveform: one small button
// per series (row kind) of the row it shows, in one or two rows. The rows tell it
// about their kinds (IRowLegend messages); it is keyed by the row kind, and its
// buttons keep the order in which the kinds were first added. When the number of
// button rows changes it asks its owner for the height it needs; a click on a
// button is reported to the owner; a button whose text does not fit shows the
// whole text as its tip.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/panes/Pane.h"

namespace tracelume {

class CLegendWnd : public CPane, public IRowLegend {
public:
    // One entry's button.
    struct CLegendButton {
        IRowItemImp* kind = nullptr;
        std::wstring text;
        gfx::Color color{0x2C, 0x5E, 0x76};
        gfx::Rect rect;
        bool hover = false;
        bool clipped = false;
        bool highlighted = false;
    };

    static constexpr int kItemHeight = 17;
    static constexpr int kGap = 2;
    static constexpr int kMinWidth = 50;

    CLegendWnd() = default;
    ~CLegendWnd() override;

    // Told the height the buttons need (rows x (gap + item height)).
    void SetHeightRequest(std::function<void(int height)> request) { m_heightRequest = std::move(request); }
    // Told the kind of a clicked button.
    void SetClickHandler(std::function<void(IRowItemImp* kind)> click) { m_click = std::move(click); }
    // The row whose kinds the legend shows; the previous row forgets the legend.
    void SetRow(CRowItem* row);
    CRowItem* GetRow() const { return m_row; }
    // Forgets the row without touching it (it is being deleted).
    void ForgetRow(const CRowItem* row);

    // 1 when added (0 when the kind has a button) or removed (0 when it has none).
    int AddOrRemove(IRowItemImp* kind, bool add);
    // Sets the text and colour of a kind's button; 0 when it has none.
    int Update(IRowItemImp* kind, std::uint32_t colorRef, const std::wstring& text);
    void RemoveAllItems();
    void SetHighlighted(IRowItemImp* kind);
    const std::vector<CLegendButton>& Buttons() const { return m_buttons; }
    int Rows() const { return m_rows; }
    void Layout();

    std::intptr_t SendLegendMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    void OnPaint(gfx::Context& dc) override;
    void OnSize(int width, int height) override;
    void OnMouse(const MouseEvent& event) override;

private:
    CLegendButton* ButtonAt(int x, int y);

    std::vector<CLegendButton> m_buttons;
    int m_rows = 0;
    CRowItem* m_row = nullptr;
    std::function<void(int)> m_heightRequest;
    std::function<void(IRowItemImp*)> m_click;
    CLegendButton* m_pressed = nullptr;
};

}  // namespace tracelume

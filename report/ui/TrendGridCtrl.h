#pragma once
// CTrendGridCtrl: the trend page's table as a control: it draws the page's
// CTrendGrid through the drawing layer, turns clicks into the grid's toggles and
// scrolls its rows with the mouse wheel, one row per notch. After every click it
// calls the change handler (the page updates the wizard's buttons).

#include <array>
#include <functional>

#include "platform/gfx/Bitmap.h"
#include "platform/ui/CustomControl.h"
#include "report/TrendGrid.h"

class CTrendGridCtrl : public ui::CustomControl {
public:
    explicit CTrendGridCtrl(CTrendGrid& grid);
    ~CTrendGridCtrl() override;

    void SetChangeHandler(std::function<void()> handler) { m_onChange = std::move(handler); }
    int GetTopRow() const { return m_topRow; }
    // Back to the first rows after the grid was filled again.
    void ResetTop();

    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;

    // The picture a cell of that state shows: ticked, empty and greyed boxes.
    static gfx::Bitmap MakeStatePicture(int state);

protected:
    void OnDraw(cairo_t* context, int width, int height) override;

private:
    void OnClick(int x, int y);
    bool OnWheel(int turn);

    CTrendGrid& m_grid;
    std::array<gfx::Bitmap, 3> m_pictures;
    std::function<void()> m_onChange;
    int m_topRow = 1;
};

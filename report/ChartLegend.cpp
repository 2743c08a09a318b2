#include "report/ChartLegend.h"

namespace report {

std::vector<gfx::Rect> LayoutLegend(const std::vector<double>& widths, double left, double right, double top,
                                    double rowHeight)
{
    std::vector<gfx::Rect> boxes;
    boxes.reserve(widths.size());
    double cursor = right;
    double y = top;
    bool rowEmpty = true;
    for (const double width : widths) {
        if (!rowEmpty && cursor - width < left) {
            y += rowHeight;
            cursor = right;
        }
        boxes.push_back(gfx::Rect{cursor - width, y, cursor, y + rowHeight});
        cursor -= width;
        rowEmpty = false;
    }
    return boxes;
}

}  // namespace report

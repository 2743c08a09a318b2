#pragma once
// CGridReportPainter: draws a report table (CReportTable) as a picture of a given
// size in units: a header band 80 high with the column names, a row-name column
// 180 wide, columns and rows sized by their width and height classes, the cell
// texts centred in their cells and a failed verdict in red. A table without a
// header record is drawn as two columns, label and note. The picture is kept as a
// vector recording, so the page it is placed on rasterises it once, at the page's
// resolution.
//
// BeginPicture, DrawGridReport, EndPicture; a table with no row or no column
// weight draws nothing but the picture's ground.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Context.h"
#include "platform/gfx/Recording.h"
#include "report/ReportTable.h"

class CGridReportPainter {
public:
    static constexpr double kHeaderHeight = 80.0;
    static constexpr double kNameWidth = 180.0;
    static constexpr double kSplitNameWidth = 130.0;

    // Widths by column width class and heights by row height class 1 to 4, in units
    // of the column and row unit; 0 for any other class.
    static double ColumnWeight(std::int32_t widthClass);
    static double RowWeight(std::int32_t heightClass);

    struct Cell {
        gfx::Rect rect;
        std::int32_t kind = 0;  // the column kind; the row's label cell has -1
        std::wstring text;
        bool failed = false;    // a verdict equal to the report's "Fail" text
    };
    struct Layout {
        bool list = false;      // drawn as two columns, label and note
        bool empty = false;     // nothing to draw: no row or no column weight
        double columnUnit = 0.0;
        double rowUnit = 0.0;
        std::vector<gfx::Rect> columns;  // header cells of the columns
        std::vector<gfx::Rect> rows;     // full-width bands of the rows
        std::vector<Cell> cells;         // every text cell below the header
    };

    CGridReportPainter();
    ~CGridReportPainter();
    CGridReportPainter(const CGridReportPainter&) = delete;
    CGridReportPainter& operator=(const CGridReportPainter&) = delete;

    // Starts a picture of the size and fills it light grey; false when it cannot be made.
    bool BeginPicture(double width, double height);
    // 0 when drawn as a grid, 1 as a two-column list, -1 when there was nothing to draw
    // (or no picture started).
    int DrawGridReport(const CReportTable& table);
    // The finished picture; empty when none was started.
    gfx::Recording EndPicture();
    void Release();

    // The layout of the table at the current picture size.
    Layout ComputeLayout(const CReportTable& table) const;

private:
    void DrawCell(const Cell& cell);

    gfx::Recording m_Picture;
    std::unique_ptr<gfx::Context> m_Graphics;
    double m_Width = 0.0;
    double m_Height = 0.0;
};

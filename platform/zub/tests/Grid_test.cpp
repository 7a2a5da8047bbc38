#include <gtest/gtest.h>

#include "zub/Grids.h"

namespace {

struct TRowCase {
    const char* name;
    std::vector<String> cells;  // written cell by cell into a 4-column row
    String commaText;  // as read back
};

void PrintTo(const TRowCase& c, std::ostream* os) { *os << c.name; }

class ZubGridRows : public ::testing::TestWithParam<TRowCase> {};

TEST_P(ZubGridRows, RowReadsAsCommaTextAndWritesBack)
{
    const TRowCase& c = GetParam();
    TStringGrid grid(nullptr);
    grid.SetColCount(4);
    grid.SetRowCount(3);
    for (int i = 0; i < 4; ++i) grid.SetCells(i, 1, c.cells[static_cast<std::size_t>(i)]);
    EXPECT_EQ(grid.RowCommaText(1), c.commaText);

    // Through comma text into another row: the same cells.
    grid.SetRowCommaText(2, c.commaText);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(grid.Cells(i, 2), c.cells[static_cast<std::size_t>(i)]) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Zub, ZubGridRows,
    ::testing::Values(TRowCase{"Plain", {"1", "17", "", "x"}, "1,17,,x"},
                      TRowCase{"Blank", {"a b", "c", "d", "e"}, "\"a b\",c,d,e"},
                      TRowCase{"Comma", {"1,5", "2", "3", "4"}, "\"1,5\",2,3,4"},
                      TRowCase{"Quote", {"sag \"hi\"", "2", "3", "4"}, "\"sag \"\"hi\"\"\",2,3,4"}),
    [](const auto& info) { return String(info.param.name); });

TEST(ZubGrid, SwappingRowsThroughCommaTextKeepsEveryCell)
{
    TStringGrid grid(nullptr);
    grid.SetColCount(2);
    grid.SetRowCount(2);
    grid.SetFixedRows(0);
    grid.SetFixedCols(0);
    grid.SetRowCommaText(0, "1,5");
    grid.SetRowCommaText(1, "2,9");
    String t = grid.RowCommaText(0);
    grid.SetRowCommaText(0, grid.RowCommaText(1));
    grid.SetRowCommaText(1, t);
    EXPECT_EQ(grid.Cells(0, 0), "2");
    EXPECT_EQ(grid.Cells(1, 0), "9");
    EXPECT_EQ(grid.Cells(0, 1), "1");
    EXPECT_EQ(grid.Cells(1, 1), "5");
}

TEST(ZubGrid, SurplusFieldsAreDroppedAndMissingOnesClear)
{
    TStringGrid grid(nullptr);
    grid.SetColCount(3);
    grid.SetCells(2, 0, "old");
    grid.SetRowCommaText(0, "a,b,c,d");
    EXPECT_EQ(grid.RowCommaText(0), "a,b,c");
    grid.SetRowCommaText(0, "x");
    EXPECT_EQ(grid.RowCommaText(0), "x,,");
}

TEST(ZubGrid, ResizingKeepsCellsThatStillFit)
{
    TStringGrid grid(nullptr);
    grid.SetColCount(8);
    grid.SetRowCount(4);
    grid.SetCells(7, 3, "7");
    grid.SetCells(1, 1, "keep");
    grid.SetRowCount(2);
    grid.SetRowCount(4);
    EXPECT_EQ(grid.Cells(7, 3), "");
    EXPECT_EQ(grid.Cells(1, 1), "keep");
    EXPECT_EQ(grid.Cells(9, 9), "");  // outside reads empty
    EXPECT_THROW(grid.SetCells(8, 0, "x"), EListError);
}

TEST(ZubGrid, TopRowStaysWithinTheLastFullPage)
{
    TStringGrid grid(nullptr);
    grid.SetDefaultRowHeight(24);  // 25 px a row with its grid line
    grid.SetBounds(0, 0, 100, 75);  // three rows fit
    grid.SetRowCount(10);
    grid.SetFixedRows(0);
    grid.SetTopRow(9);  // "last row on top" shows the last page
    EXPECT_EQ(grid.TopRow(), 7);
    grid.SetTopRow(5);
    EXPECT_EQ(grid.TopRow(), 5);
    grid.SetTopRow(-2);  // row count minus 6 on a short archive
    EXPECT_EQ(grid.TopRow(), 0);
    grid.SetFixedRows(1);  // the fixed row takes a line of the page
    grid.SetTopRow(0);
    EXPECT_EQ(grid.TopRow(), 1);
    grid.SetTopRow(9);
    EXPECT_EQ(grid.TopRow(), 8);
    grid.SetRowCount(3);  // everything fits: nothing to scroll
    grid.SetTopRow(2);
    EXPECT_EQ(grid.TopRow(), 1);
}

TEST(ZubGrid, DrawCellGetsTheCellRectangleOnAPreparedBrush)
{
    TStringGrid grid(nullptr);
    grid.SetColCount(3);
    grid.SetRowCount(2);
    grid.SetFixedRows(0);
    grid.SetFixedCols(0);
    grid.SetDefaultRowHeight(15);
    grid.SetColWidths(0, 50);
    grid.SetColWidths(1, 22);
    grid.SetColWidths(2, 17);
    grid.SetColor(clWhite);
    grid.SetCells(1, 1, "7");
    grid.SetRow(0);
    grid.SetCol(0);
    grid.SetDefaultDrawing(false);
    TRecordingCanvas canvas;
    std::vector<TRect> rects;
    std::vector<TColor> brushes;
    std::vector<TGridDrawState> states;
    grid.OnDrawCell = [&](TObject*, int col, int row, TRect r, TGridDrawState s) {
        rects.push_back(r);
        brushes.push_back(canvas.Brush().Color());
        states.push_back(s);
        if (col == 1 && row == 1) canvas.TextRect(r, r.Left + 2, r.Top, grid.Cells(col, row));
    };
    grid.PaintTo(canvas);
    ASSERT_EQ(rects.size(), 6u);
    EXPECT_EQ(rects[0], Rect(0, 0, 50, 15));
    EXPECT_EQ(rects[1], Rect(51, 0, 73, 15));
    EXPECT_EQ(rects[4], Rect(51, 16, 73, 31));
    EXPECT_EQ(states[0], gdSelected);
    EXPECT_EQ(brushes[0], clHighlight);
    EXPECT_EQ(brushes[1], clWhite);
    ASSERT_EQ(canvas.Ops().size(), 1u);
    EXPECT_EQ(canvas.Ops()[0].Text, "7");
}

}  // namespace

#pragma once
// Grid of text cells.
#include "zub/Controls.h"

using TGridDrawState = unsigned;
constexpr TGridDrawState gdSelected = 1, gdFocused = 2, gdFixed = 4;

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;

class TStringGrid : public TControl {
public:
    explicit TStringGrid(TComponent* AOwner);

    int ColCount() const;
    void SetColCount(int n);  // keeps the cells that still fit
    int RowCount() const;
    void SetRowCount(int n);
    int FixedCols() const;
    void SetFixedCols(int n);
    int FixedRows() const;
    void SetFixedRows(int n);
    // Out-of-range cells read as empty; writing one raises EListError.
    String Cells(int col, int row) const;
    void SetCells(int col, int row, const String& s);
    // A row's cells in comma-text form (rtl TStrings::GetCommaText rules). Setting takes the
    // fields in order; missing fields clear their cells, surplus fields are dropped.
    String RowCommaText(int row) const;
    void SetRowCommaText(int row, const String& text);
    TStringList Rows(int row) const;  // copy of a row's cells
    void SetRows(int row, const TStrings& cells);
    TStringList Cols(int col) const;

    // The first scrollable row shown; kept within the non-fixed rows.
    int TopRow() const;
    void SetTopRow(int row);
    int Row() const;  // selected cell
    int Col() const;
    void SetRow(int row);
    void SetCol(int col);
    int DefaultRowHeight() const;
    void SetDefaultRowHeight(int h);
    int DefaultColWidth() const;
    void SetDefaultColWidth(int w);
    int ColWidths(int col) const;
    void SetColWidths(int col, int w);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int h);
    int GridLineWidth() const;
    void SetGridLineWidth(int w);
    TColor FixedColor() const;
    void SetFixedColor(TColor c);
    bool DefaultDrawing() const;
    void SetDefaultDrawing(bool v);
    // Clears every cell (sizes stay).
    void ClearCells();
    // Rectangle of a cell in the control, as painted (fixed rows and columns first, then from
    // TopRow and the first scrollable column).
    TRect CellRect(int col, int row) const;
    // User input: selects a cell and fires OnClick.
    void SelectCell(int col, int row);

    // Called for every painted cell after the grid prepared the canvas brush (fixed: FixedColor,
    // selected: highlight, else Color) and, with DefaultDrawing, filled the cell and drew its text.
    TDrawCellEvent OnDrawCell;

    bool SetLayoutProperty(const String& name, const TLayoutValue& value) override;
    int SetLayoutEvent(const String& name, const std::any& handler) override;

protected:
    void Paint(TCanvas& canvas) override;

private:
    void Resize(int cols, int rows);
    int ClampTop(int row) const;
    int FCols = 5, FRows = 5, FFixedCols = 1, FFixedRows = 1;
    std::vector<std::vector<String>> FCells;  // [row][col]
    int FTopRow = 1, FRow = 1, FCol = 1;
    int FDefaultRowHeight = 24, FDefaultColWidth = 64, FGridLineWidth = 1;
    std::vector<int> FColWidths, FRowHeights;
    TColor FFixedColor = clBtnFace;
    bool FDefaultDrawing = true;
};

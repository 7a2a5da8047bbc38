#include "zub/Grids.h"

#include <algorithm>

TStringGrid::TStringGrid(TComponent* AOwner) : TControl(AOwner)
{
    SetBounds(0, 0, 320, 120);
    SetColor(clWindow);
    Resize(FCols, FRows);
}

void TStringGrid::Resize(int cols, int rows)
{
    FCols = cols;
    FRows = rows;
    FCells.resize(static_cast<std::size_t>(rows));
    for (auto& r : FCells) r.resize(static_cast<std::size_t>(cols));
    FColWidths.resize(static_cast<std::size_t>(cols), FDefaultColWidth);
    FRowHeights.resize(static_cast<std::size_t>(rows), FDefaultRowHeight);
    FTopRow = ClampTop(FTopRow);
}

int TStringGrid::ClampTop(int row) const
{
    // As on screen: a grid never scrolls past the page that ends with its last row, so "make
    // the last row the top row" shows the last rows that fit.
    int platz = Height();
    for (int r = 0; r < FFixedRows && r < FRows; ++r)
        platz -= FRowHeights[static_cast<std::size_t>(r)] + FGridLineWidth;
    int sichtbar = 0;
    for (int r = FRows - 1; r >= FFixedRows; --r) {
        platz -= FRowHeights[static_cast<std::size_t>(r)] + FGridLineWidth;
        if (platz < 0) break;
        ++sichtbar;
    }
    const int lo = FFixedRows;
    const int hi = std::max(lo, FRows - std::max(1, sichtbar));
    return std::clamp(row, lo, hi);
}

int TStringGrid::ColCount() const { return Get(FCols); }
int TStringGrid::RowCount() const { return Get(FRows); }

void TStringGrid::SetColCount(int n)
{
    std::lock_guard g(Lock());
    n = std::max(n, 1);
    if (n == FCols) return;
    Resize(n, FRows);
    if (FFixedCols >= n) FFixedCols = n - 1;
    Changed(TProp::GridSize);
}

void TStringGrid::SetRowCount(int n)
{
    std::lock_guard g(Lock());
    n = std::max(n, 1);
    if (n == FRows) return;
    if (FFixedRows >= n) FFixedRows = n - 1;
    Resize(FCols, n);
    Changed(TProp::GridSize);
}

int TStringGrid::FixedCols() const { return Get(FFixedCols); }
int TStringGrid::FixedRows() const { return Get(FFixedRows); }

void TStringGrid::SetFixedCols(int n)
{
    std::lock_guard g(Lock());
    if (n < 0 || n >= FCols) throw EListError("Fixed column count must be less than the column count");
    if (Put(FFixedCols, n, TProp::GridSize)) FCol = n;
}

void TStringGrid::SetFixedRows(int n)
{
    std::lock_guard g(Lock());
    if (n < 0 || n >= FRows) throw EListError("Fixed row count must be less than the row count");
    if (Put(FFixedRows, n, TProp::GridSize)) {
        // Changing the fixed rows scrolls back to the first scrollable row.
        FRow = n;
        FTopRow = n;
        Changed(TProp::TopRow);
    }
}

String TStringGrid::Cells(int col, int row) const
{
    std::lock_guard g(Lock());
    if (col < 0 || row < 0 || col >= FCols || row >= FRows) return {};
    return FCells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

void TStringGrid::SetCells(int col, int row, const String& s)
{
    std::lock_guard g(Lock());
    if (col < 0 || row < 0 || col >= FCols || row >= FRows)
        throw EListError("Grid cell (" + IntToStr(col) + ", " + IntToStr(row) + ") out of bounds");
    String& cell = FCells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    if (cell == s) return;
    cell = s;
    PostNotice(TNotice{this, TProp::Cells, TNoticeKind::Property, col, row, s});
}

String TStringGrid::RowCommaText(int row) const { return Rows(row).GetCommaText(); }

void TStringGrid::SetRowCommaText(int row, const String& text)
{
    TStringList l;
    l.SetCommaText(text);
    SetRows(row, l);
}

TStringList TStringGrid::Rows(int row) const
{
    std::lock_guard g(Lock());
    TStringList l;
    if (row < 0 || row >= FRows) throw EListError("Grid row " + IntToStr(row) + " out of bounds");
    for (const String& s : FCells[static_cast<std::size_t>(row)]) l.Add(s);
    return l;
}

void TStringGrid::SetRows(int row, const TStrings& cells)
{
    std::lock_guard g(Lock());
    if (row < 0 || row >= FRows) throw EListError("Grid row " + IntToStr(row) + " out of bounds");
    for (int c = 0; c < FCols; ++c) SetCells(c, row, c < cells.Count() ? cells.Get(c) : String());
}

TStringList TStringGrid::Cols(int col) const
{
    std::lock_guard g(Lock());
    TStringList l;
    if (col < 0 || col >= FCols) throw EListError("Grid column " + IntToStr(col) + " out of bounds");
    for (const auto& r : FCells) l.Add(r[static_cast<std::size_t>(col)]);
    return l;
}

int TStringGrid::TopRow() const { return Get(FTopRow); }

void TStringGrid::SetTopRow(int row)
{
    std::lock_guard g(Lock());
    Put(FTopRow, ClampTop(row), TProp::TopRow);
}

int TStringGrid::Row() const { return Get(FRow); }
int TStringGrid::Col() const { return Get(FCol); }

void TStringGrid::SetRow(int row)
{
    std::lock_guard g(Lock());
    Put(FRow, std::clamp(row, 0, FRows - 1), TProp::ItemIndex);
}

void TStringGrid::SetCol(int col)
{
    std::lock_guard g(Lock());
    Put(FCol, std::clamp(col, 0, FCols - 1), TProp::ItemIndex);
}

int TStringGrid::DefaultRowHeight() const { return Get(FDefaultRowHeight); }
int TStringGrid::DefaultColWidth() const { return Get(FDefaultColWidth); }

void TStringGrid::SetDefaultRowHeight(int h)
{
    std::lock_guard g(Lock());
    FDefaultRowHeight = h;
    std::fill(FRowHeights.begin(), FRowHeights.end(), h);
    Changed(TProp::GridSize);
}

void TStringGrid::SetDefaultColWidth(int w)
{
    std::lock_guard g(Lock());
    FDefaultColWidth = w;
    std::fill(FColWidths.begin(), FColWidths.end(), w);
    Changed(TProp::GridSize);
}

int TStringGrid::ColWidths(int col) const
{
    std::lock_guard g(Lock());
    if (col < 0 || col >= FCols) throw EListError("Grid column " + IntToStr(col) + " out of bounds");
    return FColWidths[static_cast<std::size_t>(col)];
}

void TStringGrid::SetColWidths(int col, int w)
{
    std::lock_guard g(Lock());
    if (col < 0 || col >= FCols) throw EListError("Grid column " + IntToStr(col) + " out of bounds");
    Put(FColWidths[static_cast<std::size_t>(col)], w, TProp::GridSize);
}

int TStringGrid::RowHeights(int row) const
{
    std::lock_guard g(Lock());
    if (row < 0 || row >= FRows) throw EListError("Grid row " + IntToStr(row) + " out of bounds");
    return FRowHeights[static_cast<std::size_t>(row)];
}

void TStringGrid::SetRowHeights(int row, int h)
{
    std::lock_guard g(Lock());
    if (row < 0 || row >= FRows) throw EListError("Grid row " + IntToStr(row) + " out of bounds");
    Put(FRowHeights[static_cast<std::size_t>(row)], h, TProp::GridSize);
}

int TStringGrid::GridLineWidth() const { return Get(FGridLineWidth); }
void TStringGrid::SetGridLineWidth(int w) { Put(FGridLineWidth, w, TProp::GridSize); }
TColor TStringGrid::FixedColor() const { return Get(FFixedColor); }
void TStringGrid::SetFixedColor(TColor c) { Put(FFixedColor, c, TProp::Color); }
bool TStringGrid::DefaultDrawing() const { return Get(FDefaultDrawing); }
void TStringGrid::SetDefaultDrawing(bool v) { Put(FDefaultDrawing, v, TProp::Style); }

void TStringGrid::ClearCells()
{
    std::lock_guard g(Lock());
    for (int r = 0; r < FRows; ++r)
        for (int c = 0; c < FCols; ++c) SetCells(c, r, {});
}

TRect TStringGrid::CellRect(int col, int row) const
{
    std::lock_guard g(Lock());
    auto offset = [&](int index, int fixed, int first, const std::vector<int>& sizes, int& start) {
        int pos = 0;
        if (index < fixed) {
            for (int i = 0; i < index; ++i) pos += sizes[static_cast<std::size_t>(i)] + FGridLineWidth;
        } else {
            if (index < first) return false;
            for (int i = 0; i < fixed; ++i) pos += sizes[static_cast<std::size_t>(i)] + FGridLineWidth;
            for (int i = first; i < index; ++i) pos += sizes[static_cast<std::size_t>(i)] + FGridLineWidth;
        }
        start = pos;
        return true;
    };
    int x = 0, y = 0;
    if (col < 0 || row < 0 || col >= FCols || row >= FRows ||
        !offset(col, FFixedCols, FFixedCols, FColWidths, x) ||
        !offset(row, FFixedRows, FTopRow, FRowHeights, y))
        return {};
    return TRect{x, y, x + FColWidths[static_cast<std::size_t>(col)],
                 y + FRowHeights[static_cast<std::size_t>(row)]};
}

void TStringGrid::SelectCell(int col, int row)
{
    if (!Enabled()) return;
    SetCol(col);
    SetRow(row);
    Fire(OnClick, this);
}

void TStringGrid::Paint(TCanvas& canvas)
{
    int cols = ColCount(), rows = RowCount();
    int fixedCols = FixedCols(), fixedRows = FixedRows();
    int selRow = Row(), selCol = Col();
    int w = Width(), h = Height();
    bool focused = Focused();
    for (int r = 0; r < rows; ++r) {
        if (r >= fixedRows && r < TopRow()) continue;
        for (int c = 0; c < cols; ++c) {
            TRect rect = CellRect(c, r);
            if (rect.Width() <= 0 || rect.Top >= h || rect.Left >= w) continue;
            TGridDrawState state = 0;
            if (c < fixedCols || r < fixedRows)
                state |= gdFixed;
            else if (r == selRow && c == selCol)
                state |= gdSelected | (focused ? gdFocused : 0);
            canvas.Font() = *Font();
            if (state & gdFixed)
                canvas.Brush().SetColor(FixedColor());
            else if (state & gdSelected) {
                canvas.Brush().SetColor(clHighlight);
                canvas.Font().SetColor(clHighlightText);
            } else
                canvas.Brush().SetColor(Color());
            if (DefaultDrawing()) {
                canvas.FillRect(rect);
                canvas.TextRect(rect, rect.Left + 2, rect.Top + 2, Cells(c, r));
            }
            if (OnDrawCell) OnDrawCell(this, c, r, rect, state);
        }
        if (CellRect(0, r).Top >= h) break;
    }
}

bool TStringGrid::SetLayoutProperty(const String& name, const TLayoutValue& v)
{
    if (SameText(name, "ColCount"))
        SetColCount(v.AsInt());
    else if (SameText(name, "RowCount"))
        SetRowCount(v.AsInt());
    else if (SameText(name, "FixedCols"))
        SetFixedCols(v.AsInt());
    else if (SameText(name, "FixedRows"))
        SetFixedRows(v.AsInt());
    else if (SameText(name, "DefaultRowHeight"))
        SetDefaultRowHeight(v.AsInt());
    else if (SameText(name, "DefaultColWidth"))
        SetDefaultColWidth(v.AsInt());
    else if (SameText(name, "GridLineWidth"))
        SetGridLineWidth(v.AsInt());
    else if (SameText(name, "FixedColor"))
        SetFixedColor(LayoutColor(v));
    else if (SameText(name, "DefaultDrawing"))
        SetDefaultDrawing(v.AsBool());
    else if (SameText(name, "ColWidths") || SameText(name, "RowHeights")) {
        // Written as a list of numbers: ( 50 22 17 ).
        const auto& items = v.AsList();
        for (std::size_t i = 0; i < items.size(); ++i) {
            int n = StrToIntDef(items[i], -1);
            if (n < 0) throw ELayoutError(v.Line, "number expected in " + name);
            if (SameText(name, "ColWidths")) {
                if (static_cast<int>(i) < ColCount()) SetColWidths(static_cast<int>(i), n);
            } else if (static_cast<int>(i) < RowCount())
                SetRowHeights(static_cast<int>(i), n);
        }
    } else if (SameText(name, "Options") || SameText(name, "ScrollBars") || SameText(name, "BorderStyle"))
        return true;
    else
        return TControl::SetLayoutProperty(name, v);
    return true;
}

int TStringGrid::SetLayoutEvent(const String& name, const std::any& h)
{
    if (SameText(name, "OnDrawCell")) return AssignEvent(OnDrawCell, h);
    return TControl::SetLayoutEvent(name, h);
}

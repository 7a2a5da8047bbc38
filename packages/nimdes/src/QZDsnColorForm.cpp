#include "QZDsnColorForm.h"

#include <cmath>
#include <cstdio>

#include "QZDsnFormBuild.h"
#include "zub/Forms.h"

using namespace QZColor;

namespace {
const int kWebCols = 12, kWebRows = 12, kSysCols = 9, kSysRows = 6;

TLabel* MakeLabel(TComponent* owner, TControl* parent, const char* name, int left, int top, const char* text)
{
    auto* l = Make<TLabel>(owner, parent, name, left, top, 0, 0);
    l->SetCaption(text);
    return l;
}

TStringGrid* ColorGrid(TComponent* owner, TControl* parent, const char* name, int cols, int rows, int cell)
{
    auto* g = Make<TStringGrid>(owner, parent, name, 4, 4, cols * (cell + 1) + 1, rows * (cell + 1) + 1);
    g->SetColCount(cols);
    g->SetRowCount(rows);
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->SetDefaultColWidth(cell);
    g->SetDefaultRowHeight(cell);
    g->SetDefaultDrawing(false);
    return g;
}

int Round(double v) { return static_cast<int>(std::lround(v)); }
int Byte(double v) { return static_cast<int>(std::trunc(v * 255 + 0.5)); }
}  // namespace

// ---- colour arithmetic and texts

TColor QZColor::HSBtoRGB(double hue, double sat, double bright)
{
    const int v = Byte(bright);
    int r = v, g = v, b = v;
    if (sat != 0) {
        const double h6 = (hue - std::floor(hue)) * 6;
        const int sector = static_cast<int>(std::trunc(h6));
        const double f = h6 - std::floor(h6);
        const int p = Byte((1 - sat) * bright);
        const int q = Byte((1 - sat * f) * bright);
        const int t = Byte((1 - (1 - f) * sat) * bright);
        switch (sector) {
        case 0: r = v, g = t, b = p; break;
        case 1: r = q, g = v, b = p; break;
        case 2: r = p, g = v, b = t; break;
        case 3: r = p, g = q, b = v; break;
        case 4: r = t, g = p, b = v; break;
        default: r = v, g = p, b = q; break;
        }
    }
    return r + g * 256 + b * 65536;
}

void QZColor::RGBToHSB(int red, int green, int blue, double& hue, double& sat, double& bright)
{
    const int mx = std::max({red, green, blue}), mn = std::min({red, green, blue});
    bright = mx / 255.0;
    sat = mx == 0 ? 0 : double(mx - mn) / mx;
    hue = 0;
    if (sat == 0) return;
    const double d = mx - mn;
    const double rc = (mx - red) / d, gc = (mx - green) / d, bc = (mx - blue) / d;
    double h;
    if (red == mx)
        h = bc - gc;
    else if (green == mx)
        h = 2 + rc - bc;
    else
        h = 4 + gc - rc;
    hue = h / 6;
    if (hue < 0) hue += 1;
}

String QZColor::CustomEntry(TColor c)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(c));
    return buf;
}

String QZColor::ColorToText(TQZColor c)
{
    String name = QZWebColorName(c);
    if (!name.empty()) return name;
    if (ColorToIdent(toTColor(c), name)) return name;
    return CustomEntry(static_cast<TColor>(c));
}

bool QZColor::IdentToQZColor(const String& ident, TQZColor& c)
{
    for (const auto& w : QZWebColors())
        if (SameText(w.Name, ident)) {
            c = w.Color;
            return true;
        }
    // The framework knows the component library's colour names as well.
    TColor lc;
    if (!IdentToColor(ident, lc)) return false;
    c = lc;
    return true;
}

TQZColor QZColor::TextToColor(const String& text)
{
    TQZColor c;
    return IdentToQZColor(text, c) ? c : TextToInt(text);
}

int QZColor::TextToInt(const String& s)
{
    const String t = Trim(s);
    if (t.empty() || t[0] != '$') return StrToInt(t);
    if (t.size() < 2 || t.size() > 9) throw EConvertError("'" + s + "' is not a valid integer value");
    unsigned v = 0;
    for (std::size_t i = 1; i < t.size(); ++i) {
        const char ch = t[i];
        int d;
        if (ch >= '0' && ch <= '9')
            d = ch - '0';
        else if (ch >= 'a' && ch <= 'f')
            d = ch - 'a' + 10;
        else if (ch >= 'A' && ch <= 'F')
            d = ch - 'A' + 10;
        else
            throw EConvertError("'" + s + "' is not a valid integer value");
        v = v * 16 + static_cast<unsigned>(d);
    }
    return static_cast<int>(v);
}

namespace {
TStringList* gCustomColors = nullptr;
}

TStringList& QZColor::CustomColors()
{
    if (!gCustomColors) gCustomColors = new TStringList;
    return *gCustomColors;
}

namespace QZDsnColorEditor {
int UseCount = 0;
void Initialization() { CustomColors(); }
void Finalization()
{
    delete gCustomColors;
    gCustomColors = nullptr;
}
}  // namespace QZDsnColorEditor

// ---- the dialog

TQZColorForm::TQZColorForm(TComponent* owner, TStringList* customColors) : TForm(owner), FCustom(customColors)
{
    SetName("QZColorForm");
    SetCaption("TQZColor Editor");
    SetBorderStyle(bsDialog);
    SetPosition(poDesktopCenter);
    SetClientWidth(385);
    SetClientHeight(453);
    LabelSelection = MakeLabel(this, this, "LabelSelection", 8, 12, "Selection:");
    PaintBoxSelection = Make<TQZPaintBox>(this, this, "PaintBoxSelection", 64, 6, 25, 25);
    PaintBoxSelection->OnPaint = [this](TCanvas& c) {
        c.Brush().SetColor(FSelectedColor);
        c.Pen().SetColor(clBlack);
        c.Rectangle(PaintBoxSelection->ClientRect());
    };
    LabelIdent = MakeLabel(this, this, "LabelIdent", 100, 12, "Identifier:");
    PageControl1 = Make<TControl>(this, this, "PageControl1", 8, 38, 369, 340);
    TabSheetWeb = Make<TControl>(this, PageControl1, "TabSheetWeb", 0, 20, 369, 320);
    TabSheetWeb->SetCaption("Web Colors");
    TabSheetSys = Make<TControl>(this, PageControl1, "TabSheetSys", 0, 20, 369, 320);
    TabSheetSys->SetCaption("System Colors");
    TabSheet1 = Make<TControl>(this, PageControl1, "TabSheet1", 0, 20, 369, 320);
    TabSheet1->SetCaption("Custom Colors");

    WebColorsGrid = ColorGrid(this, TabSheetWeb, "WebColorsGrid", kWebCols, kWebRows, 24);
    SysColorsGrid = ColorGrid(this, TabSheetSys, "SysColorsGrid", kSysCols, kSysRows, 36);
    for (TStringGrid* g : {WebColorsGrid, SysColorsGrid}) {
        g->OnDrawCell = [this, g](TObject*, int col, int row, TRect r, TGridDrawState) {
            const String name = g == WebColorsGrid ? WebCellName(col, row) : SysCellName(col, row);
            TColor c = clWhite;
            if (!name.empty()) IdentToQZColor(name, c);
            DrawSwatchCell(*g->Canvas(), r, !name.empty(), c);
        };
        g->OnClick = [this, g](TObject*) {
            const String name =
                g == WebColorsGrid ? WebCellName(g->Col(), g->Row()) : SysCellName(g->Col(), g->Row());
            if (!name.empty()) SetSelectedIdentifier(name);
        };
        g->OnMouseMove = [this, g](TObject*, TShiftState, int x, int y) { GridMouseMove(g, x, y); };
    }
    OnMouseMove = [this](TObject*, TShiftState, int, int) { StatusBar1->SetCaption(""); };

    PaintBoxColor = Make<TQZPaintBox>(this, TabSheet1, "PaintBoxColor", 4, 4, HueRange + 2, SatRange + 2);
    PaintBoxColor->OnPaint = [this](TCanvas& c) { PaintField(c); };
    PaintBoxColor->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        if (b == mbLeft) FieldMouse(s, x, y, true);
    };
    PaintBoxColor->OnMouseMove = [this](TObject*, TShiftState s, int x, int y) {
        FieldMouse(s, x, y, false);
    };
    TrackBright = Make<TTrackBar>(this, TabSheet1, "TrackBright", 210, 4, 24, HueRange + 2);
    TrackBright->SetOrientation(trVertical);
    TrackBright->SetMin(0);
    TrackBright->SetMax(BrightRange - 1);
    TrackBright->SetFrequency(10);
    TrackBright->OnChange = [this](TObject*) {
        if (FUpdating) return;
        SetBright(TrackBright->Position());
        CalcPickedColor(false);
    };
    struct EditRow {
        TEdit** Edit;
        const char* Name;
        const char* Label;
        int* Field;
        bool Rgb;
    };
    const EditRow rows[] = {
        {&EditHue, "EditHue", "Hue:", &FHue, false},          {&EditSat, "EditSat", "Sat:", &FSat, false},
        {&EditBright, "EditBright", "Lum:", &FBright, false}, {&editRed, "editRed", "Red:", &FRed, true},
        {&editGreen, "editGreen", "Green:", &FGreen, true},   {&editBlue, "editBlue", "Blue:", &FBlue, true}};
    int top = 4;
    for (const EditRow& r : rows) {
        MakeLabel(this, TabSheet1, (String("Label") + r.Name).c_str(), 244, top + 3, r.Label);
        TEdit* e = Make<TEdit>(this, TabSheet1, r.Name, 290, top, 40, 21);
        *r.Edit = e;
        int* field = r.Field;
        if (r.Rgb)
            e->OnChange = [this, e, field](TObject*) { EditRGBChange(e, *field); };
        else
            e->OnChange = [this, e, field](TObject*) { EditHSBChange(e, *field); };
        top += 26;
    }
    MakeLabel(this, TabSheet1, "LabelPicked", 244, top + 3, "Picked Color:");
    PaintBoxPickedColor = Make<TQZPaintBox>(this, TabSheet1, "PaintBoxPickedColor", 330, top, 25, 25);
    PaintBoxPickedColor->OnPaint = [this](TCanvas& c) {
        c.Brush().SetColor(FPicked);
        c.Pen().SetColor(clBlack);
        c.Rectangle(PaintBoxPickedColor->ClientRect());
    };
    GridCustomColors = ColorGrid(this, TabSheet1, "GridCustomColors", CustomCols, CustomRows, 20);
    GridCustomColors->SetTop(230);
    GridCustomColors->OnDrawCell = [this](TObject*, int col, int row, TRect r, TGridDrawState) {
        const int i = row * CustomCols + col;
        const bool has = i < FCustom->Count() && !(*FCustom)[i].empty();
        DrawSwatchCell(*GridCustomColors->Canvas(), r, has, has ? TextToInt((*FCustom)[i]) : clWhite);
    };
    GridCustomColors->OnClick = [this](TObject*) {
        const int i = GridCustomColors->Row() * CustomCols + GridCustomColors->Col();
        if (i < FCustom->Count() && !(*FCustom)[i].empty()) SetSelectedIdentifier((*FCustom)[i]);
    };
    ButtonAdd = Make<TButton>(this, TabSheet1, "ButtonAdd", 300, 280, 60, 25);
    ButtonAdd->SetCaption("Add");
    ButtonAdd->OnClick = [this](TObject* s) { ButtonAddClick(s); };

    StatusBar1 = Make<TLabel>(this, this, "StatusBar1", 0, 434, 385, 19);
    Button1 = Make<TButton>(this, this, "Button1", 220, 392, 75, 25);
    Button1->SetCaption("&OK");
    Button1->SetDefault(true);
    Button1->SetModalResult(mrOk);
    Button2 = Make<TButton>(this, this, "Button2", 302, 392, 75, 25);
    Button2->SetCaption("&Cancel");
    Button2->SetCancel(true);
    Button2->SetModalResult(mrCancel);
    SetActivePage(TabSheetWeb);

    // Form creation: the field's start values, the system colours, 28 custom cells.
    SetHue(0);
    SetSat(0);
    SetBright(BrightRange / 2 + BrightRange / 4);
    CalcPickedColor(false);
    for (const TColorIdent& c : ColorIdents())
        if (c.Color != clNone && c.Color != clDefault) FSysColors.push_back(c);
    if (!FCustom) {
        FOwnCustom = std::make_unique<TStringList>();
        FCustom = FOwnCustom.get();
    }
    while (FCustom->Count() < CustomCount) FCustom->Add("");
}

void TQZColorForm::SetActivePage(TControl* page)
{
    FActivePage = page;
    for (TControl* p : {TabSheetWeb, TabSheetSys, TabSheet1}) p->SetVisible(p == page);
}

String TQZColorForm::WebCellName(int col, int row) const
{
    const auto& web = QZWebColors();
    const int i = row * kWebCols + col;
    return i >= 0 && i < static_cast<int>(web.size()) ? String(web[i].Name) : String();
}

String TQZColorForm::SysCellName(int col, int row) const
{
    const int i = row * kSysCols + col;
    return i >= 0 && i < static_cast<int>(FSysColors.size()) ? String(FSysColors[i].Name) : String();
}

void TQZColorForm::ShowCellName(TStringGrid* grid, int col, int row)
{
    StatusBar1->SetCaption(grid == WebColorsGrid ? WebCellName(col, row) : SysCellName(col, row));
}

void TQZColorForm::GridMouseMove(TStringGrid* grid, int x, int y)
{
    for (int row = 0; row < grid->RowCount(); ++row)
        for (int col = 0; col < grid->ColCount(); ++col) {
            const TRect r = grid->CellRect(col, row);
            if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) return ShowCellName(grid, col, row);
        }
    StatusBar1->SetCaption("");
}

void TQZColorForm::DrawSwatchCell(TCanvas& canvas, const TRect& r, bool has, TColor c)
{
    canvas.Brush().SetColor(has ? c : clWhite);
    canvas.FillRect(r);
    if (has) return;
    // No colour in this cell: a black X.
    canvas.Pen().SetColor(clBlack);
    canvas.MoveTo(r.Left, r.Top);
    canvas.LineTo(r.Right, r.Bottom);
    canvas.MoveTo(r.Right - 1, r.Top);
    canvas.LineTo(r.Left - 1, r.Bottom);
}

void TQZColorForm::WriteEdit(TEdit* edit, int v)
{
    const bool was = FUpdating;
    FUpdating = true;
    edit->SetText(IntToStr(v));
    FUpdating = was;
}

void TQZColorForm::SetHue(int v) { WriteEdit(EditHue, FHue = v); }
void TQZColorForm::SetSat(int v) { WriteEdit(EditSat, FSat = v); }
void TQZColorForm::SetRed(int v) { WriteEdit(editRed, FRed = v); }
void TQZColorForm::SetGreen(int v) { WriteEdit(editGreen, FGreen = v); }
void TQZColorForm::SetBlue(int v) { WriteEdit(editBlue, FBlue = v); }

void TQZColorForm::SetBright(int v)
{
    WriteEdit(EditBright, FBright = v);
    const bool was = FUpdating;
    FUpdating = true;
    TrackBright->SetPosition(v);
    FUpdating = was;
}

void TQZColorForm::SetPickedColor(TColor c)
{
    FPicked = c;
    PaintBoxPickedColor->Invalidate();
}

void TQZColorForm::CalcPickedColor(bool fromRGB)
{
    if (fromRGB) {
        double h, s, b;
        RGBToHSB(FRed, FGreen, FBlue, h, s, b);
        SetHue(std::min(Round(HueRange * h), HueRange - 1));
        SetSat(std::min(Round(SatRange * s), SatRange - 1));
        SetBright(std::min(Round(BrightRange * b), BrightRange - 1));
        SetPickedColor(FRed + FGreen * 256 + FBlue * 65536);
    } else {
        const TColor c =
            HSBtoRGB(double(FHue) / HueRange, double(FSat) / SatRange, double(FBright) / BrightRange);
        SetRed(c & 0xFF);
        SetGreen((c >> 8) & 0xFF);
        SetBlue((c >> 16) & 0xFF);
        SetPickedColor(c);
    }
}

void TQZColorForm::EditHSBChange(TEdit* edit, int& field)
{
    if (FUpdating || edit->Text().empty()) return;
    const int v = StrToIntDef(edit->Text(), -1);
    if (v < 0 || v >= HueRange) {
        WriteEdit(edit, field);
        return;
    }
    if (edit == EditBright)
        SetBright(v);
    else
        field = v;
    if (edit != EditBright) DrawMarker();
    CalcPickedColor(false);
}

void TQZColorForm::EditRGBChange(TEdit* edit, int& field)
{
    if (FUpdating || edit->Text().empty()) return;
    const int v = StrToIntDef(edit->Text(), -1);
    if (v < 0 || v >= RedRange) {
        WriteEdit(edit, field);
        return;
    }
    field = v;
    CalcPickedColor(true);
    DrawMarker();
}

void TQZColorForm::FieldMouse(TShiftState shift, int x, int y, bool pressed)
{
    if (!pressed && !(shift & ssLeft)) return;
    if (x < 1 || x > HueRange || y < 1 || y > SatRange) return;
    SetHue(XToHue(x));
    SetSat(YToSat(y));
    DrawMarker();
    CalcPickedColor(false);
}

void TQZColorForm::DrawMarker()
{
    // The canvas keeps no pixels to invert: the field is painted again with the cross at its
    // new place, which erases the old one.
    FMarker = {HueToX(FHue), SatToY(FSat)};
    FMarkerVisible = true;
    PaintBoxColor->Invalidate();
}

void TQZColorForm::PaintField(TCanvas& canvas)
{
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(PaintBoxColor->ClientRect());
    for (int h = 0; h < HueRange; ++h)
        for (int s = 0; s < SatRange; ++s) {
            canvas.Brush().SetColor(HSBtoRGB(double(h) / HueRange, double(s) / SatRange, 0.75));
            const int x = HueToX(h), y = SatToY(s);
            canvas.FillRect(Rect(x, y, x + 1, y + 1));
        }
    FMarker = {HueToX(FHue), SatToY(FSat)};
    FMarkerVisible = true;
    canvas.Pen().SetColor(clBlack);
    canvas.MoveTo(FMarker.X, FMarker.Y - 10);
    canvas.LineTo(FMarker.X, FMarker.Y + 10);
    canvas.MoveTo(FMarker.X - 10, FMarker.Y);
    canvas.LineTo(FMarker.X + 10, FMarker.Y);
}

void TQZColorForm::ButtonAddClick(TObject*)
{
    const int i = GridCustomColors->Row() * CustomCols + GridCustomColors->Col();
    while (FCustom->Count() <= i) FCustom->Add("");
    FCustom->Put(i, CustomEntry(FPicked));
    GridCustomColors->Invalidate();
}

void TQZColorForm::SetSelectedIdentifier(const String& text)
{
    FIdent = text;
    LabelIdent->SetCaption("Identifier: " + text);
    TQZColor c;
    if (IdentToQZColor(text, c)) {
        FSelectedColor = c;
    } else {
        const int v = TextToInt(text);
        SetActivePage(TabSheet1);
        SetRed(v & 0xFF);
        SetGreen((v >> 8) & 0xFF);
        SetBlue((v >> 16) & 0xFF);
        FSelectedColor = v;
        CalcPickedColor(true);
    }
    PaintBoxSelection->Invalidate();
    PaintBoxPickedColor->Invalidate();
}

// ---- the property editor

void TQZColorEditor::GetValues(const std::function<void(const String&)>& proc)
{
    for (const TColorIdent& c : ColorIdents()) proc(c.Name);
    for (const TQZWebColor& w : QZWebColors()) proc(w.Name);
}

String TQZColorEditor::GetValue()
{
    // A colour the form never set is the framework's default.
    const String v = TPropertyEditor::GetValue();
    return ColorToText(v.empty() ? fcDefault : TextToInt(v));
}

void TQZColorEditor::SetValue(const String& text) { TPropertyEditor::SetValue(IntToStr(TextToColor(text))); }

void TQZColorEditor::Edit()
{
    auto form = std::make_unique<TQZColorForm>(Application, &CustomColors());
    const String old = GetValue();
    form->SetSelectedIdentifier(old);
    // OK on the colour the property has changes nothing.
    if (form->ShowModal() == mrOk && TextToColor(form->SelectedIdentifier()) != TextToColor(old))
        SetValue(form->SelectedIdentifier());
}

TColor TQZColorEditor::SwatchFrameColor(TColor c, bool selected)
{
    if ((c & 0xFF) > 192 || ((c >> 8) & 0xFF) > 192 || ((c >> 16) & 0xFF) > 192) return clBlack;
    return selected ? clWhite : c;
}

void TQZColorEditor::ListDrawValue(const String& value, TCanvas& canvas, const TRect& r, bool selected)
{
    const TQZColor c = TextToColor(value);
    const TRect swatch = Rect(r.Left, r.Top, r.Left + (r.Bottom - r.Top), r.Bottom);
    canvas.Brush().SetColor(toTColor(c));
    canvas.Pen().SetColor(SwatchFrameColor(toTColor(c), selected));
    canvas.Rectangle(swatch);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextRect(Rect(swatch.Right, r.Top, r.Right, r.Bottom), swatch.Right + 1, r.Top + 1, value);
    canvas.Brush().SetStyle(bsSolid);
}

void TQZColorEditor::PropDrawValue(TCanvas& canvas, const TRect& r, bool selected)
{
    const String v = GetValue();
    if (!v.empty()) ListDrawValue(v, canvas, r, selected);
}

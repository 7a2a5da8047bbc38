#pragma once
// The framework colour's property editor and its dialog: web colours, the component library's
// colours, a hue/saturation field with a brightness slider, red/green/blue values and 28 custom
// colours kept while the package is loaded.
#include "QZRuntime.h"
#include "host/PropertyEditors.h"
#include "zub/ColorIdents.h"
#include "zub/ComCtrls.h"
#include "zub/Forms.h"
#include "zub/Grids.h"
#include "zub/StdCtrls.h"

namespace QZColor {
constexpr int HueRange = 200, SatRange = 200, BrightRange = 200;
constexpr int RedRange = 256, GreenRange = 256, BlueRange = 256;
constexpr int CustomCols = 14, CustomRows = 2, CustomCount = CustomCols * CustomRows;

// Colours are 0x00BBGGRR: red in the low byte.
TColor HSBtoRGB(double hue, double sat, double bright);
void RGBToHSB(int red, int green, int blue, double& hue, double& sat, double& bright);
// A framework colour's text: its web name, else the component library's name, else "$" and 8
// upper-case hexadecimal digits.
String ColorToText(TQZColor c);
// A web colour or a component-library colour by name (letter case ignored).
bool IdentToQZColor(const String& ident, TQZColor& c);
// A decimal integer or "$" and hexadecimal digits; EConvertError otherwise.
int TextToInt(const String& s);
// A colour's name (IdentToQZColor) or its number (TextToInt).
TQZColor TextToColor(const String& text);
// "$" followed by the colour as 8 upper-case hexadecimal digits.
String CustomEntry(TColor c);
// The custom colours of the package, kept from its load to its unload.
TStringList& CustomColors();
}  // namespace QZColor

// A box painted by its owner.
class TQZPaintBox : public TControl {
public:
    using TControl::TControl;
    std::function<void(TCanvas&)> OnPaint;

protected:
    void Paint(TCanvas& canvas) override
    {
        if (OnPaint) OnPaint(canvas);
    }
};

class TQZColorForm : public TForm {
public:
    TQZColorForm(TComponent* owner, TStringList* customColors);

    TLabel* LabelSelection;
    TQZPaintBox* PaintBoxSelection;
    TLabel* LabelIdent;
    TLabel* StatusBar1;
    TControl* PageControl1;
    TControl* TabSheetWeb;
    TControl* TabSheetSys;
    TControl* TabSheet1;
    TStringGrid* WebColorsGrid;
    TStringGrid* SysColorsGrid;
    TQZPaintBox* PaintBoxColor;
    TEdit* EditHue;
    TEdit* EditSat;
    TEdit* EditBright;
    TTrackBar* TrackBright;
    TQZPaintBox* PaintBoxPickedColor;
    TEdit* editRed;
    TEdit* editGreen;
    TEdit* editBlue;
    TStringGrid* GridCustomColors;
    TButton* ButtonAdd;
    TButton* Button1;
    TButton* Button2;

    void SetSelectedIdentifier(const String& text);
    String SelectedIdentifier() const { return FIdent; }
    TColor SelectedColor() const { return FSelectedColor; }
    TControl* ActivePage() const { return FActivePage; }
    void SetActivePage(TControl* page);

    void CalcPickedColor(bool fromRGB);
    void SetPickedColor(TColor c);
    TColor PickedColor() const { return FPicked; }
    void SetHue(int v);
    void SetSat(int v);
    void SetBright(int v);
    void SetRed(int v);
    void SetGreen(int v);
    void SetBlue(int v);
    int Hue() const { return FHue; }
    int Sat() const { return FSat; }
    int Bright() const { return FBright; }
    int Red() const { return FRed; }
    int Green() const { return FGreen; }
    int Blue() const { return FBlue; }

    static int HueToX(int hue) { return hue + 1; }
    static int SatToY(int sat) { return QZColor::SatRange - sat; }
    static int XToHue(int x) { return x - 1; }
    static int YToSat(int y) { return QZColor::SatRange - y; }
    // The marker's position; (-1, -1) before the field was first drawn.
    TPoint MarkerPos() const { return FMarker; }
    bool MarkerVisible() const { return FMarkerVisible; }
    void DrawMarker();

    // The name a cell of the web or system colour grid shows; empty for a cell without colour.
    String WebCellName(int col, int row) const;
    String SysCellName(int col, int row) const;
    // Mouse over a grid or the form: the status bar names the colour under it.
    void ShowCellName(TStringGrid* grid, int col, int row);

    void ButtonAddClick(TObject* sender);

private:
    void EditHSBChange(TEdit* edit, int& field);
    void EditRGBChange(TEdit* edit, int& field);
    void WriteEdit(TEdit* edit, int v);
    void PaintField(TCanvas& canvas);
    void DrawSwatchCell(TCanvas& canvas, const TRect& r, bool has, TColor c);
    void GridMouseMove(TStringGrid* grid, int x, int y);
    void FieldMouse(TShiftState shift, int x, int y, bool pressed);
    void SelectColor(const String& name, TColor c);

    TStringList* FCustom;
    std::unique_ptr<TStringList> FOwnCustom;
    std::vector<TColorIdent> FSysColors;
    TControl* FActivePage = nullptr;
    int FHue = 0, FSat = 0, FBright = 0;
    int FRed = 0, FGreen = 0, FBlue = 0;
    TColor FPicked = 0;
    String FIdent;
    TColor FSelectedColor = 0;
    bool FUpdating = false;
    TPoint FMarker{-1, -1};
    bool FMarkerVisible = false;
};

class TQZColorEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override
    {
        return paMultiSelect | paDialog | paValueList | paRevertable;
    }
    void GetValues(const std::function<void(const String&)>& proc) override;
    // The property holds the colour as a number; the inspector shows its text.
    String GetValue() override;
    void SetValue(const String& text) override;
    void Edit() override;
    void ListDrawValue(const String& value, TCanvas& canvas, const TRect& r, bool selected);
    void PropDrawValue(TCanvas& canvas, const TRect& r, bool selected);
    // The colour of the swatch's frame.
    static TColor SwatchFrameColor(TColor c, bool selected);
};

namespace QZDsnColorEditor {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace QZDsnColorEditor

// Paint handlers of the HTML 3.2 and WML controls, the parts the looks share, and the table.
#include <algorithm>

#include "QZDsnPaintHandlersCommon.h"
#include "rtl/Resources.h"

using namespace qzpaint;

void PaintRadioButton(TQZPaintHandlerDsn& h, TCanvas& c, TComponentClass cls, bool font)
{
    if (!QZIs(h.Control(), cls)) {
        h.TQZPaintHandlerDsn::Paint();
        return;
    }
    auto& b = QZCast(h.Control(), cls);
    c.Pen().SetColor(clBlack);
    c.Brush().SetStyle(bsClear);
    if (font) h.SetCanvasFont(b.WebFont);
    const int y = (b.Height() - c.TextHeight("O")) / 2;
    h.DrawResource(b.Checked ? "RadioButtonChecked" : "RadioButtonUnchecked", 2, y, true);
    c.TextOut(16, y, b.Caption());
}

void PaintFile(TQZPaintHandlerDsn& h, TCanvas& c, TComponentClass cls)
{
    if (!QZIs(h.Control(), cls)) {
        h.TQZPaintHandlerDsn::Paint();
        return;
    }
    auto& f = QZCast(h.Control(), cls);
    const int W = f.Width(), H = f.Height();
    h.SetCanvasFont(f.WebFont);
    const int BW = std::min(W / 4, 75), BH = std::min(23, H - 4), y = (H - BH) / 2;
    const TRect inner = h.DrawButton(Rect(W - BW + 4, y + 4, W - 4, y + BH - 4), 1, false, false);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(static_cast<TColor>(0xFF00000F));  // the system button face
    c.FillRect(inner);
    const String browse = "Browse...";
    const int tx = std::max(inner.Left, inner.Left + (inner.Width() - c.TextWidth(browse)) / 2);
    const int ty = std::max(inner.Top, inner.Top + (inner.Height() - c.TextHeight(browse)) / 2);
    c.TextRect(inner, tx, ty, browse);
    h.Draw3DBox(Rect(0, y, W - BW, y + BH), 1, kToolkitGrey, Sides({TSides::ssRight, TSides::ssBottom}));
    c.Brush().SetColor(ElseWhite(f.BGColor));
    c.FillRect(Rect(2, y + 2, W - BW - 2, y + BH - 2));
}

void CheckBoxCaptionAndMark(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& b)
{
    c.Brush().SetStyle(bsClear);
    c.TextRect(Rect(20, 2, b.Width(), b.Height()), 20, 2, b.Caption());
    if (!b.Checked) return;
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBlack);
    c.Pen().SetColor(clBlack);
    c.Polygon({{5, 7}, {5, 9}, {7, 11}, {11, 7}, {11, 5}, {7, 9}, {5, 7}});
    (void)h;
}

namespace {

void Edit32(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& e)
{
    const int W = e.Width(), H = e.Height();
    c.Rectangle(Rect(0, 0, W, H));
    h.Draw3DBox();
    const String text = e.Text();
    const int TW = c.TextWidth(text);
    c.TextRect(Rect(2, 2, std::min(W - 2, TW + 2), H - 2), 2, 2, text);
}

void CheckBox32(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& b, bool font)
{
    h.Draw3DBox(Rect(0, 0, 15, 15), 2, kToolkitGrey, Sides({TSides::ssRight, TSides::ssBottom}));
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clWhite);
    c.FillRect(Rect(2, 2, 14, 14));
    if (font) h.SetCanvasFont(b.WebFont);
    CheckBoxCaptionAndMark(h, c, b);
}

void Label32(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& l, bool font)
{
    c.Brush().SetStyle(bsClear);
    if (font) h.SetCanvasFont(l.WebFont);
    const String text = l.Caption();
    const int TW = c.TextWidth(text), TH = c.TextHeight(text);
    c.TextRect(Rect(0, 0, TW, TH), 0, 0, text);
    l.SetWidth(TW);
    l.SetHeight(TH);
}

// The 3.2 and WML list boxes: white, framed first, value parts of name=value items.
void ListBox32(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& l, bool wap)
{
    const int W = l.Width(), H = l.Height();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clWhite);
    c.FillRect(Rect(0, 0, W, H));
    h.Draw3DBox();
    const TColor textColor = c.Font().Color();
    int y = 1;
    for (int i = 0; y < H - 2 && i < l.Items.Count(); ++i) {
        String text = l.NameValue ? ValuePart(l.Items, i) : l.Items[i];
        if (text.empty()) text.assign(1, ' ');
        const int nextY = std::min(y + c.TextHeight(text), H - 2);
        const bool selected =
            wap ? (!l.MultiSelect && i == l.ItemIndex) : IsSelected(l, i, !l.MultiSelect, l.MultiSelect);
        c.Brush().SetStyle(bsSolid);
        if (selected) {
            c.Brush().SetColor(clBlack);
            c.Font().SetColor(clWhite);
        } else {
            c.Brush().SetColor(clWhite);
            c.Font().SetColor(textColor);
        }
        c.TextRect(Rect(4, y + 2, W - 5, nextY), 4, y + 2, text);
        c.Brush().SetColor(clNone);
        y = nextY;
    }
}

void Image32(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& im)
{
    if (!im.HasPicture) return;
    if (im.Graphic) {
        c.Draw(0, 0, *im.Graphic);
        return;
    }
    h.DrawOutline(0, 0, im.Width(), im.Height(), kToolkitGrey);
    h.DrawResource(im.ClassName(), (im.Width() - 24) / 2, (im.Height() - 24) / 2);
}

void LinkUnderlined(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& l, bool font)
{
    if (font) h.SetCanvasFont(l.WebFont);
    c.Brush().SetStyle(bsClear);
    c.Font().SetStyle(c.Font().Style() | fsUnderline);
    c.TextOut(0, 0, l.Caption());
}

}  // namespace

void TQZPaintHandlerEdit32::Paint() { Edit32(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomEdit32)); }
void TQZPaintHandlerEditWAP::Paint() { Edit32(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomEditWAP)); }

void TQZPaintHandlerComboBox32::Paint()
{
    PaintComboBox(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomComboBox32), false);
}
void TQZPaintHandlerComboBoxWAP::Paint()
{
    PaintComboBox(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomComboBoxWAP), false);
}

void TQZPaintHandlerCheckBox32::Paint()
{
    CheckBox32(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomCheckBox32), true);
}
void TQZPaintHandlerCheckBoxWAP::Paint()
{
    CheckBox32(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomCheckBoxWAP), false);
}

void TQZPaintHandlerLabel32::Paint()
{
    Label32(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomLabel32), true);
}
void TQZPaintHandlerLabelWAP::Paint()
{
    Label32(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomLabelWAP), false);
}

void TQZPaintHandlerListBox32::Paint()
{
    ListBox32(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomListbox32), false);
}
void TQZPaintHandlerListBoxWAP::Paint()
{
    ListBox32(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomListBoxWAP), true);
}

void TQZPaintHandlerMemo32::Paint()
{
    auto& m = QZCast(Control(), &qzc::TQZCustomMemo32);
    TCanvas& c = Canvas();
    const int W = Width(), H = Height();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(static_cast<TColor>(0xFF000005));  // the system window colour
    Draw3DBox();
    c.Rectangle(Rect(2, 2, W - 16, H - 2));
    DrawTextLines(Rect(3, 2, W - 15, H - 1), m.Lines, false);
    DrawScrollBar(Rect(W - 16, 1, W - 1, H - 1));
}

void TQZPaintHandlerText32::Paint()
{
    auto& t = QZCast(Control(), &qzc::TQZCustomText32);
    SetTransparent();
    if (t.Lines.Count() == 0) {
        GenericLook();
        return;
    }
    SetCanvasFont(t.WebFont);
    DrawTextLines(Rect(1, 1, Width() - 2, Height() - 2), t.Lines, false);
}

void TQZPaintHandlerImage32::Paint() { Image32(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomImage32)); }
void TQZPaintHandlerImageWAP::Paint()
{
    Image32(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomImageWAP));
}

void TQZPaintHandlerRadioGroup32::Paint()
{
    PaintRadioGroup(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomRadioGroup32));
}

void TQZPaintHandlerButton32::Paint()
{
    PaintButton(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomButton32), false);
}
void TQZPaintHandlerButtonWAP::Paint()
{
    PaintButton(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomButtonWAP), false);
}

void TQZPaintHandlerList32::Paint() { PaintList(*this, Canvas(), QZCast(Control(), &qzc::TQZList32)); }

void TQZPaintHandlerLink32::Paint()
{
    LinkUnderlined(*this, Canvas(), QZCast(Control(), &qzc::TQZLinkBase32), true);
}
void TQZPaintHandlerLinkWAP::Paint()
{
    LinkUnderlined(*this, Canvas(), QZCast(Control(), &qzc::TQZLinkBaseWAP), false);
}

void TQZPaintHandlerRadioButton32::Paint()
{
    PaintRadioButton(*this, Canvas(), &qzc::TQZRadioButton32, true);
}
void TQZPaintHandlerRadioButtonWAP::Paint()
{
    PaintRadioButton(*this, Canvas(), &qzc::TQZRadioButtonWAP, false);
}

void TQZPaintHandlerRectangle32::Paint()
{
    auto& r = QZCast(Control(), &qzc::TQZCustomRectangle32);
    TCanvas& c = Canvas();
    const int W = Width(), H = Height(), BW = r.BorderOptions.Width;
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBlack);
    c.FillRect(Rect(0, 0, W, H));
    const TColor fc = toTColor(r.WebFont.WebColor);
    if (fc == clNone || fc == -1) r.WebFont.WebColor = clBlack;
    c.Brush().SetStyle(bsClear);
    SetCanvasFont(r.WebFont);
    const String text = r.Caption();
    const int TW = c.TextWidth(text), TH = c.TextHeight(text);
    int x = BW;
    if (r.Alignment == 1) x = W - BW - TW;
    if (r.Alignment == 2) x = (W - BW - TW) / 2;
    int y = BW;
    if (r.VertAlignment == 0) y = (H - TH) / 2;
    if (r.VertAlignment == 2) y = H - BW - TH;
    if (r.VertAlignment == 3) y = H - TH;
    c.TextOut(x, y, text);
}

void TQZPaintHandlerFile32::Paint() { PaintFile(*this, Canvas(), &qzc::TQZFile32); }

namespace {
const char* const kNavButtons[] = {"first",  "prior", "next", "last",   "insert",
                                   "delete", "edit",  "post", "cancel", "refresh"};

// Steps through the visible buttons; afterwards the navigator takes the length they need.
template <class F>
void EachNavButton(TQZControl& n, int stepX, int stepY, F draw)
{
    int x = 0, y = 0;
    for (int bit = 0; bit < 10; ++bit) {
        if (!(n.VisibleButtons & (1u << bit))) continue;
        draw(bit, x, y);
        if (n.Orientation == 0)
            x += stepX;
        else
            y += stepY;
    }
    if (!n.AlignedToParent) {
        if (n.Orientation == 0)
            n.SetWidth(x);
        else
            n.SetHeight(y);
    }
}
}  // namespace

void TQZPaintHandlerDBNavigator::Paint()
{
    auto& n = QZCast(Control(), &qzc::TQZDBNavigator);
    TCanvas& c = Canvas();
    EachNavButton(n, n.ImageWidth + 6, n.ImageHeight + 6, [&](int bit, int x, int y) {
        TBitmap bmp;
        bmp.LoadFromResourceName(HInstance, UpperCase(String("QZ_DT_DBNav_") + kNavButtons[bit]));
        bmp.SetTransparentColor(bmp.Pixel(0, 0));
        bmp.SetTransparent(true);
        DrawButton(Rect(x, y, x + bmp.Width() + 6, y + bmp.Height() + 6), 0, false, false);
        c.Draw(x + 3, y + 3, bmp);
    });
}

void TQZPaintHandlerCSNavigator::Paint()
{
    auto& n = QZCast(Control(), &qzc::TQZCSCustomNavigator);
    TCanvas& c = Canvas();
    EachNavButton(n, n.ButtonWidth + 2, n.ButtonHeight + 2, [&](int bit, int x, int y) {
        const TRect I = DrawButton(Rect(x, y, x + n.ButtonWidth, y + n.ButtonHeight), 1, false, false);
        auto black = [&](const TRect& r) {
            c.Brush().SetStyle(bsSolid);
            c.Brush().SetColor(clBlack);
            c.FillRect(r);
        };
        auto line = [&](int x0, int y0, int x1, int y1) {
            c.Pen().SetColor(clBlack);
            c.MoveTo(x0, y0);
            c.LineTo(x1, y1);
        };
        auto picture = [&](const char* name, int px, int py) {
            TBitmap bmp;
            bmp.LoadFromResourceName(HInstance, name);
            c.Draw(px, py, bmp);
        };
        switch (bit) {
        case 0:
            DrawArrow(Rect(I.Left + 3, I.Top + 3, I.Right - 3, I.Bottom - 4), adLeft);
            line(I.Left + 5, I.Top + 5, I.Left + 5, I.Bottom - 5);
            break;
        case 1: DrawArrow(I, adLeft); break;
        case 2: DrawArrow(I, adRight); break;
        case 3:
            DrawArrow(I, adRight);
            line(I.Right - 5, I.Top + 5, I.Right - 5, I.Bottom - 5);
            break;
        case 4:
            black(Rect(x + 9, y + 6, x + 12, y + 16));
            black(Rect(x + 6, y + 9, x + 15, y + 13));
            break;
        case 5: black(Rect(x + 6, y + 9, x + 16, y + 13)); break;
        case 6: DrawArrow(Rect(I.Left + 2, I.Top + 3, I.Right - 3, I.Bottom - 2), adUp); break;
        case 7: picture("QZ_POST", x + 2, y + 3); break;
        case 8: picture("QZ_CANCEL", x + 2, y + 1); break;
        default: picture("QZ_REFRESH", x + 2, y + 1); break;
        }
    });
}

// ---- registration

std::vector<TQZPaintTableRow> QZPaintTable()
{
#define H(kind) QZ_PAINT_HANDLER_CLASS(TQZPaintHandler##kind)
    const TQZPaintHandlerClass component = QZ_PAINT_HANDLER_CLASS(TQZPaintHandlerComponent);
    const std::pair<TQZPaintHandlerClass, std::vector<const char*>> rows[] = {
        {H(TabControl), {"TQZTabControl"}},
        {H(TabPage), {"TQZTabPage"}},
        {component,
         {"TQZApplet", "TQZDynamicChart", "TQZHTMLDynamicChartLegend", "TQZFlash", "TQZHTMLFlash", "TQZGrid",
          "TQZTimer", "TQZTreeView", "TQZDBGrid", "TQZDBImage", "TQZHTMLDynamicChart",
          "TQZDynamicChartLegend", "TQZGrid32"}},
        {H(RadioGroup), {"TQZRadioGroup"}},
        {H(Rectangle), {"TQZRectangle", "TQZHTMLRectangle"}},
        {H(Label), {"TQZLabel", "TQZCSLabel", "TQZDBLabel"}},
        {H(Button), {"TQZButton"}},
        {H(Edit), {"TQZEdit", "TQZTimeEdit", "TQZDBEdit"}},
        {H(Memo), {"TQZMemo", "TQZDBMemo"}},
        {H(Link), {"TQZLink", "TQZURL"}},
        {H(Text), {"TQZText", "TQZDBText"}},
        {H(List), {"TQZList"}},
        {H(HRule), {"TQZHRule", "TQZHRule32"}},
        {H(Image), {"TQZImage", "TQZImageFile", "TQZImageButton", "TQZDBImage"}},
        {H(RadioButton), {"TQZRadioButton"}},
        {H(File), {"TQZFile", "TQZDBFile"}},
        {H(ComboBox), {"TQZComboBox", "TQZDBComboBox", "TQZDBLookupComboBox"}},
        {H(ListBox), {"TQZListBox", "TQZDBListBox", "TQZDBLookupListBox"}},
        {H(CheckBox), {"TQZCheckBox", "TQZDBCheckBox"}},
        {H(ProgressBar), {"TQZProgressBar"}},
        {H(DBNavigator), {"TQZDBNavigator"}},
        {H(CSNavigator), {"TQZCSNavigator"}},
        {H(Edit32), {"TQZDBEdit32", "TQZEdit32"}},
        {H(ComboBox32), {"TQZDBComboBox32", "TQZDBLookupComboBox32", "TQZComboBox32"}},
        {H(CheckBox32), {"TQZDBCheckBox32", "TQZCheckBox32"}},
        {H(Label32), {"TQZDBLabel32", "TQZLabel32"}},
        {H(ListBox32), {"TQZDBListBox32", "TQZDBLookupListBox32", "TQZListBox32"}},
        {H(Memo32), {"TQZDBMemo32", "TQZMemo32"}},
        {H(Text32), {"TQZDBText32", "TQZText32"}},
        {H(Image32), {"TQZDBImage32", "TQZImage32", "TQZImageFile32"}},
        {H(RadioGroup32), {"TQZDBRadioGroup32", "TQZRadioGroup32"}},
        {H(Button32), {"TQZButton32"}},
        {H(List32), {"TQZList32"}},
        {H(Link32), {"TQZURL32", "TQZHyperLink32"}},
        {H(RadioButton32), {"TQZRadioButton32"}},
        {H(Rectangle32), {"TQZRectangle32"}},
        {H(File32), {"TQZFile32"}},
        {H(Region), {"TQZRegion"}},
        {H(Region32), {"TQZRegion32"}},
        {H(LabelWAP), {"TQZDBLabelWAP", "TQZLabelWAP"}},
        {H(EditWAP), {"TQZDBEditWAP", "TQZEditWAP"}},
        {H(CheckBoxWAP), {"TQZDBCheckBoxWAP", "TQZCheckBoxWAP"}},
        {H(RadioButtonWAP), {"TQZRadioButtonWAP"}},
        {H(ButtonWAP), {"TQZButtonWAP"}},
        {H(ComboBoxWAP), {"TQZDBComboBoxWAP", "TQZDBLookupComboBoxWAP", "TQZComboBoxWAP"}},
        {H(ListBoxWAP), {"TQZDBListBoxWAP", "TQZDBLookupListBoxWAP", "TQZListBoxWAP"}},
        {H(LinkWAP), {"TQZHyperLinkWAP", "TQZLinkWAP", "TQZURLWAP"}},
        {H(ImageWAP), {"TQZDBImageWAP", "TQZImageWAP", "TQZImageFileWAP"}},
    };
#undef H
    // TQZDBImage stands in two rows: it is registered with the image handler first and with
    // the generic one last.
    std::vector<TQZPaintTableRow> table;
    for (const auto& [handler, names] : rows)
        for (const char* n : names)
            if (!(handler == component && String(n) == "TQZDBImage")) table.push_back({n, handler});
    table.push_back({"TQZDBImage", component});
    return table;
}

namespace QZDsnPaintHandlers {
int UseCount = 0;
void Initialization()
{
    for (const auto& row : QZPaintTable()) QZRegisterPaintHandler(row.ClassName, row.Handler);
}
// The runtime outlives the package: it keeps none of the package's handler classes.
void Finalization()
{
    for (const auto& row : QZPaintTable()) QZUnregisterPaintHandler(row.Handler);
}
}  // namespace QZDsnPaintHandlers

// Paint handlers of the HTML 4.0 controls, the containers and the registration table.
#include "QZDsnPaintHandlers.h"

#include <algorithm>
#include <cmath>

#include "QZDsnPaintHandlersCommon.h"

using namespace qzpaint;

void PaintRadioGroup(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& g)
{
    if (g.Items.Count() == 0) {
        h.DrawOutline(kToolkitGrey);
        return;
    }
    h.SetTransparent();
    h.SetCanvasFont(g.WebFont);
    int x = 0, y = 0;
    const int rowHeight = std::max(c.TextHeight(g.Items[0]), 12) + 2;
    const int columnWidth = c.TextWidth(g.Items[0]) + 18;
    for (int i = 0; i < g.Items.Count(); ++i) {
        h.DrawResource(i == g.ItemIndex ? "RadioButtonChecked" : "RadioButtonUnchecked", x, y, true);
        c.TextOut(x + 14, y, g.Items[i]);
        if (g.Layout != 0)
            x += columnWidth;
        else
            y += rowHeight;
    }
}

void TQZPaintHandlerRadioGroup::Paint()
{
    PaintRadioGroup(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomRadioGroup));
}

void TQZPaintHandlerRectangle::Paint()
{
    auto& r = QZCast(Control(), &qzc::TQZCustomRectangle);
    TCanvas& c = Canvas();
    const int W = Width(), H = Height(), BW = r.BorderOptions.Width;
    const TColor BC = toTColor(r.BorderOptions.Color), color = toTColor(r.ControlColor);
    if (BW > 0 && RealColor(BC)) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(BC);
        c.FillRect(Rect(0, 0, W, H));
        c.Brush().SetColor(ElseWhite(r.ControlColor));
        c.FillRect(Rect(BW, BW, W - BW, H - BW));
    } else if (RealColor(color)) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(color);
        c.Pen().SetColor(color);
        c.FillRect(Rect(0, 0, W, H));
    } else {
        DrawOutline(kToolkitGrey);
    }
    SetCanvasFont(r.WebFont);
    const String text = r.Caption();
    const int TW = c.TextWidth(text), TH = c.TextHeight(text);
    int x = BW + 1, y = BW + 1;
    if (r.Alignment == 1) x = W - BW - TW;
    if (r.Alignment == 2) x = (W - BW - TW) / 2;
    if (r.VertAlignment == 0) y = (H - TH) / 2;
    if (r.VertAlignment == 2) y = H - BW - TH;
    c.TextOut(x, y, text);
}

void TQZPaintHandlerLabel::Paint()
{
    auto& l = QZCast(Control(), &qzc::TQZCustomLabel);
    TCanvas& c = Canvas();
    const TColor bg = toTColor(l.BGColor);
    if (RealColor(bg)) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(bg);
        c.FillRect(Rect(0, 0, Width(), Height()));
    } else {
        c.Brush().SetStyle(bsClear);
    }
    SetCanvasFont(l.WebFont);
    const String text = l.Caption();
    const int TW = c.TextWidth(text), TH = c.TextHeight(text);
    int LW = Width();
    if (!l.AlignedToParent && l.AutoSize) {
        LW = TW;
        if (l.Alignment == 0) LW = static_cast<int>(std::lround(LW * 1.1));
    }
    int x = 0;
    if (l.Alignment == 1) x = LW - TW;
    if (l.Alignment == 2) x = LW / 2 - TW / 2;
    c.TextRect(Rect(x, 0, LW, TH), x, 0, text);
    if (!l.AlignedToParent && l.AutoSize) {
        l.SetWidth(LW);
        l.SetHeight(TH);
    }
}

void PaintButton(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& b, bool html40)
{
    const TRect inner = h.DrawButton(Rect(0, 0, b.Width() - 1, b.Height() - 1), 1, false, false);
    if (html40) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(ElseWhite(b.ControlColor));
        c.FillRect(inner);
        h.SetCanvasFont(b.WebFont);
    } else {
        c.Brush().SetStyle(bsClear);
    }
    const String text = b.Caption();
    const int TW = c.TextWidth(text), TH = c.TextHeight(text);
    c.TextRect(inner, std::max(0, (inner.Width() - TW) / 2), std::max(0, (inner.Height() - TH) / 2), text);
}

void TQZPaintHandlerButton::Paint()
{
    PaintButton(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomButton), true);
}

void TQZPaintHandlerEdit::Paint()
{
    auto& e = QZCast(Control(), &qzc::TQZCustomEdit);
    TCanvas& c = Canvas();
    const int W = Width(), H = Height();
    SetCanvasFont(e.WebFont);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(ElseWhite(e.BGColor));
    c.Pen().SetColor(clBlack);
    c.Pen().SetWidth(1);
    c.Rectangle(Rect(0, 0, W, H));
    if (W >= 2 && H >= 2)
        Draw3DBox(Rect(0, 0, W - 2, H - 2), 1, kToolkitGrey, Sides({TSides::ssRight, TSides::ssBottom}));
    const String text = e.Text();
    const int TW = c.TextWidth(text);
    int x = 2;
    if (e.Alignment == 1) x = W - TW - 2;
    if (e.Alignment == 2) x = W / 2 - TW / 2 + 2;
    c.TextRect(Rect(x, 2, std::min(W - 2, TW + x), H - 2), x, 2, text);
}

void TQZPaintHandlerMemo::Paint()
{
    auto& m = QZCast(Control(), &qzc::TQZCustomMemo);
    TCanvas& c = Canvas();
    const int W = Width(), H = Height();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(ElseWhite(m.BGColor));
    Draw3DBox();
    if (H >= 2 && W >= 16) c.Rectangle(Rect(2, 2, W - 16, H - 2));
    SetCanvasFont(m.WebFont);
    DrawTextLines(Rect(3, 2, W - 15, H - 1), m.Lines, true);
    if (m.ScrollBars) DrawScrollBar(Rect(W - 16, 1, W - 1, H - 1));
}

void TQZPaintHandlerLink::Paint()
{
    auto& l = QZCast(Control(), &qzc::TQZLinkBase);
    TCanvas& c = Canvas();
    SetCanvasFont(l.WebFont);
    c.Brush().SetStyle(bsClear);
    const TColor color = toTColor(l.ControlColor);
    if (RealColor(color)) c.Brush().SetColor(color);
    const String text = l.Caption();
    const int TW = c.TextWidth(text);
    const TRect clip = c.ClipRect();
    int x = 0;
    if (l.Alignment == 1) x = clip.Right - TW;
    if (l.Alignment == 2) x = (clip.Width() - TW) / 2;
    c.TextOut(x, 0, text);
}

void TQZPaintHandlerText::Paint()
{
    auto& t = QZCast(Control(), &qzc::TQZCustomText);
    TCanvas& c = Canvas();
    if (t.Lines.Count() == 0) {
        SetTransparent();
        GenericLook();
        return;
    }
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(ElseWhite(t.BGColor));
    c.Pen().SetColor(toTColor(t.BGColor));
    c.FillRect(Rect(0, 0, Width(), Height()));
    SetCanvasFont(t.WebFont);
    DrawTextLines(Rect(1, 1, Width() - 2, Height() - 2), t.Lines, true);
}

void PaintList(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& l)
{
    h.SetTransparent();
    h.SetCanvasFont(l.WebFont);
    if (l.Items.Count() == 0) {
        h.GenericLook();
        return;
    }
    const int lineHeight = c.TextHeight(l.Items[0]);
    for (int i = 0; i < l.Items.Count(); ++i)
        c.TextOut(0, i * lineHeight, (l.Numbered ? IntToStr(i + 1) + " " : String("* ")) + l.Items[i]);
}

void TQZPaintHandlerList::Paint() { PaintList(*this, Canvas(), QZCast(Control(), &qzc::TQZList)); }

void TQZPaintHandlerHRule::Paint()
{
    TCanvas& c = Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBlack);
    c.FillRect(Rect(0, 0, Width(), Height()));
}

void TQZPaintHandlerImage::Paint()
{
    auto& im = QZCast(Control(), &qzc::TQZCustomImage);
    TCanvas& c = Canvas();
    const int W = Width(), H = Height();
    int BW = im.BorderOptions.Width;
    const TColor BC = toTColor(im.BorderOptions.Color);
    if (BW > 0 && RealColor(BC)) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(BC);
        c.Pen().SetColor(BC);
        c.Rectangle(Rect(0, 0, W, H));
        c.Brush().SetColor(toTColor(im.ControlColor));
        c.Pen().SetColor(toTColor(im.ControlColor));
        c.Rectangle(Rect(BW, BW, W - BW, H - BW));
    } else {
        BW = 0;
    }
    if (!im.HasPicture) return;
    if (im.Graphic) {
        if (im.RenderSize)
            c.StretchDraw(Rect(0, 0, W, H), *im.Graphic);
        else
            c.Draw(BW, BW, *im.Graphic);
        return;
    }
    DrawOutline(BW, BW, W - BW, H - BW, kToolkitGrey);
    DrawResource(im.ClassName(), (W - 24) / 2, (H - 24) / 2);
}

void TQZPaintHandlerRadioButton::Paint() { PaintRadioButton(*this, Canvas(), &qzc::TQZRadioButton, true); }

void TQZPaintHandlerFile::Paint() { PaintFile(*this, Canvas(), &qzc::TQZFile); }

void PaintComboBox(TQZPaintHandlerDsn& h, TCanvas& c, TQZControl& cb, bool html40)
{
    const int W = cb.Width(), H = cb.Height();
    h.Draw3DBox();
    if (html40) h.SetCanvasFont(cb.WebFont);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(html40 ? ElseWhite(cb.BGColor) : clWhite);
    if (cb.ItemIndex >= 0 && cb.ItemIndex < cb.Items.Count()) {
        const String item = cb.Items[cb.ItemIndex];
        const String text = cb.NameValue ? ValuePart(cb.Items, cb.ItemIndex) : item;
        c.TextRect(Rect(2, 2, W - 18, H - 2), 2, 2, text);
    } else {
        c.Rectangle(Rect(2, 2, W - 18, H - 2));
    }
    h.DrawArrow(h.DrawButton(Rect(W - 17, H - 18, W - 2, H - 2), 1, false, false), adDown);
}

void TQZPaintHandlerComboBox::Paint()
{
    PaintComboBox(*this, Canvas(), QZCast(Control(), &qzc::TQZCustomComboBox), true);
}

void TQZPaintHandlerListBox::Paint()
{
    auto& l = QZCast(Control(), &qzc::TQZCustomListbox);
    TCanvas& c = Canvas();
    const int W = Width(), H = Height();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(ElseWhite(l.BGColor));
    c.FillRect(Rect(0, 0, W, H));
    int y = 1;
    for (int i = 0; y < H - 2 && i < l.Items.Count(); ++i) {
        SetCanvasFont(l.WebFont);
        String text = l.NameValue ? l.Items.Names(i) : l.Items[i];
        if (text.empty()) text.assign(1, ' ');
        const int nextY = std::min(y + c.TextHeight(text), H - 2);
        if (IsSelected(l, i, !l.MultiSelect, l.MultiSelect)) {
            c.Brush().SetColor(clBlack);
            c.Font().SetColor(clWhite);
        } else {
            c.Brush().SetColor(ElseWhite(l.BGColor));
        }
        c.Brush().SetStyle(bsSolid);
        c.TextRect(Rect(4, y + 2, W - 5, nextY), 4, y + 2, text);
        c.Brush().SetColor(clNone);
        y = nextY;
    }
    Draw3DBox();
}

void TQZPaintHandlerCheckBox::Paint()
{
    auto& b = QZCast(Control(), &qzc::TQZCustomCheckBox);
    Draw3DBox(Rect(1, 1, 14, 14), 1, kToolkitGrey, Sides({TSides::ssRight, TSides::ssBottom}));
    TCanvas& c = Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clWhite);
    c.FillRect(Rect(3, 3, 13, 13));
    SetCanvasFont(b.WebFont);
    CheckBoxCaptionAndMark(*this, c, b);
}

void TQZPaintHandlerProgressBar::Paint()
{
    auto& p = QZCast(Control(), &qzc::TQZProgressBar);
    TCanvas& c = Canvas();
    const int W = Width(), H = Height();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(ElseWhite(p.BGColor));
    c.Pen().SetColor(clBlack);
    c.Rectangle(Rect(0, 0, W, H));
    if (p.Percent >= 1) {
        const TColor color = toTColor(p.ControlColor);
        c.Brush().SetColor(color);
        c.Pen().SetColor(color);
        c.Rectangle(Rect(1, 1, W * p.Percent / 100, H - 1));
    }
}

void TQZPaintHandlerRegion::Paint()
{
    auto& r = QZCast(Control(), &qzc::TQZCustomRegion);
    TCanvas& c = Canvas();
    const int W = Width(), H = Height();
    const TColor regionColor = ElseWhite(r.ControlColor);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(regionColor);
    c.FillRect(r.ClientRect());
    const TColor border = toTColor(r.BorderOptions.Color);
    const TColor BC = RealColor(border) ? border : regionColor;
    const int PW = r.BorderOptions.PixelWidth;
    c.Pen().SetWidth(PW);
    c.Pen().SetStyle(psSolid);
    c.Pen().SetColor(BC);
    auto shrink = [](TRect q, int d) { return Rect(q.Left + d, q.Top + d, q.Right - d, q.Bottom - d); };
    const TRect all = Rect(0, 0, W, H), R = shrink(all, PW / 2);
    if (PW <= 0) return;
    c.Brush().SetStyle(bsClear);
    switch (r.BorderOptions.Style) {
    case 2:
        c.Pen().SetStyle(psDot);
        c.Rectangle(R);
        break;
    case 3:
        c.Pen().SetStyle(psDash);
        c.Rectangle(R);
        break;
    case 4: c.Rectangle(R); break;
    case 5:
        c.Pen().SetWidth(PW / 3);
        c.Rectangle(shrink(all, PW / 3));
        c.Rectangle(shrink(all, PW / 3 + 1));
        break;
    case 6:
        Draw3DBox(all, PW / 2, BC, Sides({TSides::ssRight, TSides::ssBottom}));
        Draw3DBox(shrink(all, PW / 2), PW / 2, BC, Sides({TSides::ssLeft, TSides::ssTop}));
        break;
    case 7:
    case 8:
    case 9:
        // a default border colour falls back to the region's, as the other styles do
        Draw3DBox(all, PW, RealColor(border) ? border : BC, Sides({TSides::ssRight, TSides::ssBottom}));
        break;
    default: break;
    }
}

void TQZPaintHandlerRegion32::Paint()
{
    auto& r = QZCast(Control(), &qzc::TQZCustomRegion32);
    TCanvas& c = Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clWhite);
    c.FillRect(r.ClientRect());
    c.Rectangle(Rect(0, 0, Width(), Height()));
}

namespace {
// The pages of a tab control in the order its tabs are drawn.
std::vector<TQZControl*> TabsInOrder(const TQZControl& tabs)
{
    std::vector<TQZControl*> pages = tabs.Pages();
    std::stable_sort(pages.begin(), pages.end(), TabOrderCompare);
    return pages;
}
}  // namespace

void TQZPaintHandlerTabControl::Paint()
{
    auto& t = QZCast(Control(), &qzc::TQZTabControl);
    TCanvas& c = Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(ElseWhite(t.ControlColor));
    c.Pen().SetColor(clBlack);
    c.Pen().SetStyle(psSolid);
    c.Pen().SetWidth(1);
    int x = 1, k = 0;
    for (TQZControl* page : TabsInOrder(t)) {
        const String caption = page->Caption();
        const int w = c.TextWidth(caption) + 4;
        c.MoveTo(x, 20);
        c.LineTo(x, 0);
        c.LineTo(x + w, 0);
        c.LineTo(x + w, 20);
        if (k != t.ActivePageIndex) c.LineTo(x, 20);
        c.TextOut(x + 2, 2, caption);
        x += w + 3;
        ++k;
    }
}

void TQZPaintHandlerTabPage::Paint()
{
    auto& page = QZCast(Control(), &qzc::TQZTabPage);
    auto& t = QZCast(page.Parent(), &qzc::TQZTabControl);
    TCanvas& c = Canvas();
    const int W = Width(), H = Height();
    // The tabs' order, so that the open part of the frame lies under the active tab.
    int x = 1, k = 0;
    for (TQZControl* p : TabsInOrder(t)) {
        const int w = c.TextWidth(p->Caption()) + 4;
        if (k == t.ActivePageIndex && p == &page) {
            c.Pen().SetColor(clBlack);
            c.Pen().SetStyle(psSolid);
            c.Polyline({{x, 0}, {1, 0}, {1, H - 1}, {W - 1, H - 1}, {W - 1, 0}, {x + w - 1, 0}});
            return;
        }
        x += w + 3;
        ++k;
    }
}

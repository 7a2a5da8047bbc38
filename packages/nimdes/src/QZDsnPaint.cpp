#include "QZDsnPaint.h"

#include "rtl/Resources.h"

void TQZPaintHandlerDsn::Paint() { DrawOutline(kToolkitGrey); }

void TQZPaintHandlerDsn::SetCanvasFont(const TQZFont& font)
{
    Canvas().Font() = font;
    const TColor c = toTColor(font.WebColor);
    Canvas().Font().SetColor(c == clNone || c == -1 ? clBlack : c);
}

void TQZPaintHandlerDsn::DrawOutline(TColor color) { DrawOutline(0, 0, Width(), Height(), color); }

void TQZPaintHandlerDsn::DrawOutline(int left, int top, int right, int bottom, TColor color)
{
    TCanvas& c = Canvas();
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(color);
    c.FillRect(Rect(left, top, right, bottom));
    c.Pen().SetColor(clBlack);
    c.Polyline({{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}, {left, top}});
}

void TQZPaintHandlerDsn::DrawResource(const String& name, int x, int y, bool transparent)
{
    String res = UpperCase(name);
    HMODULE module = FindInstanceContainingResource(RT_BITMAP, res);
    if (!module) {
        res = "BLANK";
        module = FindInstanceContainingResource(RT_BITMAP, res);
    }
    if (!module) return;
    TBitmap bmp;
    bmp.LoadFromResourceName(module, res);
    if (transparent) {
        // The library's rule: the colour of the bottom-left pixel lets the control show through.
        bmp.SetTransparent(true);
        bmp.SetTransparentColor(bmp.Pixel(0, bmp.Height() - 1));
    }
    Canvas().Draw(x, y, bmp);
}

void TQZPaintHandlerDsn::SetTransparent() { Canvas().SetBackgroundMode(bmTransparent); }

void TQZPaintHandlerDsn::Draw3DBox()
{
    Draw3DBox(Rect(0, 0, Width() - 1, Height() - 1), 1, kToolkitGrey,
              Sides({TSides::ssRight, TSides::ssBottom}));
}

void TQZPaintHandlerDsn::Draw3DBox(const TRect& r, int width, TColor color, TSidesSet sides)
{
    if (color < 0) throw ERangeError("Range check error");
    TCanvas& c = Canvas();
    c.Pen().SetStyle(psSolid);
    c.Pen().SetWidth(1);
    const int red = (color & 0xFF) / 2, green = ((color >> 8) & 0xFF) / 2, blue = ((color >> 16) & 0xFF) / 2;
    const TColor dark = red | (green << 8) | (blue << 16);
    auto pen = [&](TSides s) { c.Pen().SetColor(sides & (1u << static_cast<unsigned>(s)) ? color : dark); };
    pen(TSides::ssLeft);
    for (int i = 0; i < width; ++i) {
        c.MoveTo(r.Left + i, r.Top + i);
        c.LineTo(r.Left + i, r.Bottom - i);
    }
    pen(TSides::ssTop);
    for (int i = 0; i < width; ++i) {
        c.MoveTo(r.Left + i, r.Top + i);
        c.LineTo(r.Right - i, r.Top + i);
    }
    pen(TSides::ssRight);
    for (int i = 0; i < width; ++i) {
        c.MoveTo(r.Right - i, r.Top + i);
        c.LineTo(r.Right - i, r.Bottom - i);
    }
    pen(TSides::ssBottom);
    for (int i = 0; i < width; ++i) {
        c.MoveTo(r.Left + i, r.Bottom - i);
        c.LineTo(r.Right - i + 1, r.Bottom - i);
    }
}

void TQZPaintHandlerDsn::DrawArrow(const TRect& r, TArrowDirection d)
{
    TCanvas& c = Canvas();
    c.Brush().SetColor(clBlack);
    c.Pen().SetColor(clBlack);
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    switch (d) {
    case adUp:
        c.Polygon(
            {{cx, r.Top + 5}, {r.Right - 3, r.Bottom - 5}, {r.Left + 3, r.Bottom - 5}, {cx, r.Top + 5}});
        break;
    case adDown:
        c.Polygon(
            {{cx, r.Bottom - 5}, {r.Right - 3, r.Top + 5}, {r.Left + 3, r.Top + 5}, {cx, r.Bottom - 5}});
        break;
    case adLeft:
        c.Polygon(
            {{r.Left + 3, cy}, {r.Right - 3, r.Top + 2}, {r.Right - 3, r.Bottom - 2}, {r.Left + 3, cy}});
        break;
    case adRight:
        c.Polygon({{r.Left + 3, r.Top + 2},
                   {r.Right - 3, cy},
                   {r.Left + 3, r.Bottom - 2},
                   {r.Left + 3, r.Top + 2}});
        break;
    }
}

void TQZPaintHandlerDsn::DrawScrollBar(const TRect& r)
{
    DrawArrow(DrawButton(Rect(r.Left, r.Top + 1, r.Right, 18), 1, false, false), adUp);
    DrawArrow(DrawButton(Rect(r.Left, r.Bottom - 16, r.Right, r.Bottom - r.Top + 1), 1, false, false),
              adDown);
}

TRect TQZPaintHandlerDsn::DrawButton(const TRect& r, int bevel, bool flag1, bool flag2)
{
    return Canvas().DrawButtonFace(r, bevel, flag1, flag2);
}

void TQZPaintHandlerDsn::DrawTextLines(const TRect& r, const TStrings& lines, bool wordWrap)
{
    TCanvas& c = Canvas();
    c.Brush().SetStyle(bsClear);
    int i = 0, y = r.Top;
    String rest;
    auto isBreak = [](char ch) { return ch == 9 || ch == 10 || ch == 13 || ch == 32; };
    while (y < r.Bottom && i < lines.Count()) {
        String line = (!wordWrap || rest.empty()) ? lines[i] : rest;
        if (line.empty()) line.assign(1, ' ');
        const int nextY = y + c.TextHeight(line);
        rest.clear();
        if (wordWrap) {
            std::size_t n = line.size();
            while (n >= 2 && c.TextWidth(line.substr(0, n)) > r.Right - r.Left) --n;
            if (n < line.size()) {
                const String head = line.substr(0, n);
                if (head.find_first_of(" \t") != String::npos)
                    // n counts characters; the character at n is the n-th (1-based)
                    while (n > 1 && !isBreak(line[n - 1])) --n;
                rest = line.substr(n);
                line = line.substr(0, n);
            }
        }
        c.TextRect(Rect(r.Left, y, r.Right - r.Left, nextY), r.Left, y, line);
        if (rest.empty()) ++i;
        y = nextY;
    }
}

void TQZPaintHandlerDsn::GenericLook()
{
    DrawOutline(kToolkitGrey);
    DrawResource(QZClassNameOf(Control()), (Width() - 24) / 2, (Height() - 24) / 2);
}

void TQZPaintHandlerComponent::Paint() { GenericLook(); }

namespace QZDsnPaint {
int UseCount = 0;
void Initialization() { GDefaultPaintHandler = QZ_PAINT_HANDLER_CLASS(TQZPaintHandlerComponent); }
// The runtime outlives the package: it must not keep a handler class of it.
void Finalization()
{
    if (GDefaultPaintHandler == QZ_PAINT_HANDLER_CLASS(TQZPaintHandlerComponent))
        GDefaultPaintHandler = RuntimeDefaultPaintHandler();
}
}  // namespace QZDsnPaint

#include <gtest/gtest.h>

#include "media/Png.h"
#include "raster/PixelCanvas.h"
#include "rtl/Files.h"
#include <climits>
#include <cstdlib>

namespace {

constexpr TColor kBg = clWhite;

TEST(PixelCanvas, FillsLinesAndFramesWhereTheCanvasSays)
{
    struct {
        const char* Name;
        std::function<void(TCanvas&)> Draw;
        std::vector<std::pair<TPoint, TColor>> Expect;
    } cases[] = {
        {"fill takes the brush, right and bottom are outside",
         [](TCanvas& c) {
             c.Brush().SetColor(clRed);
             c.FillRect(Rect(2, 2, 5, 4));
         },
         {{{2, 2}, clRed}, {{4, 3}, clRed}, {{5, 3}, kBg}, {{4, 4}, kBg}}},
        {"a clear brush fills nothing",
         [](TCanvas& c) {
             c.Brush().SetStyle(bsClear);
             c.FillRect(Rect(0, 0, 10, 10));
         },
         {{{5, 5}, kBg}}},
        {"a line leaves its end point out",
         [](TCanvas& c) {
             c.Pen().SetColor(clBlue);
             c.MoveTo(1, 1);
             c.LineTo(6, 1);
         },
         {{{1, 1}, clBlue}, {{5, 1}, clBlue}, {{6, 1}, kBg}}},
        {"a rectangle frames inside and fills within",
         [](TCanvas& c) {
             c.Brush().SetColor(clYellow);
             c.Pen().SetColor(clBlack);
             c.Rectangle(Rect(0, 0, 6, 6));
         },
         {{{0, 0}, clBlack}, {{5, 5}, clBlack}, {{5, 0}, clBlack}, {{3, 3}, clYellow}, {{6, 6}, kBg}}},
        {"a polygon is filled and outlined",
         [](TCanvas& c) {
             c.Brush().SetColor(clLime);
             c.Pen().SetColor(clBlack);
             c.Polygon({{0, 0}, {8, 0}, {8, 8}, {0, 8}});
         },
         {{{4, 4}, clLime}, {{0, 4}, clBlack}, {{8, 4}, clBlack}, {{9, 4}, kBg}}},
        {"desktop colours take the desktop's values",
         [](TCanvas& c) {
             c.Brush().SetColor(static_cast<TColor>(0xFF00000F));
             c.FillRect(Rect(0, 0, 2, 2));
         },
         {{{1, 1}, clBtnFace}}},
        {"no colour draws nothing",
         [](TCanvas& c) {
             c.Brush().SetColor(clNone);
             c.FillRect(Rect(0, 0, 2, 2));
         },
         {{{1, 1}, kBg}}},
        {"a button face: black frame, light and dark bevel, face",
         [](TCanvas& c) {
             EXPECT_EQ(c.DrawButtonFace(Rect(0, 0, 10, 10), 1, false, false), Rect(2, 2, 8, 8));
         },
         {{{0, 0}, clBlack}, {{1, 1}, clWhite}, {{8, 8}, clGray}, {{5, 5}, clBtnFace}}},
    };
    for (const auto& k : cases) {
        TPixelImage img(12, 12, kBg);
        TPixelCanvas canvas(img);
        k.Draw(canvas);
        for (const auto& [p, color] : k.Expect)
            EXPECT_EQ(img.Pixel(p.X, p.Y), color) << k.Name << " at " << p.X << "," << p.Y;
    }
}

TEST(PixelCanvas, DrawsAtItsOriginAndNothingOutsideItsClip)
{
    TPixelImage img(20, 20, kBg);
    TPixelCanvas canvas(img, {5, 5}, Rect(5, 5, 10, 10));
    EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 5, 5));
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(Rect(-3, -3, 30, 30));
    EXPECT_EQ(img.Pixel(5, 5), clRed);
    EXPECT_EQ(img.Pixel(9, 9), clRed);
    EXPECT_EQ(img.Pixel(4, 5), kBg);
    EXPECT_EQ(img.Pixel(10, 9), kBg);
    EXPECT_EQ(canvas.PixelAt(0, 0), clRed);
}

int Inked(const TPixelImage& img, const TRect& r)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) n += img.Pixel(x, y) != kBg;
    return n;
}

// A 24-bit BMP of the colours given row by row from the top.
TBitmap Bitmap24(const std::vector<std::vector<TColor>>& rows)
{
    const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
    const int stride = (w * 3 + 3) / 4 * 4;
    String b;
    auto u32 = [&](long long v) {
        for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    b += "BM";
    u32(54 + stride * h);
    u32(0);
    u32(54);
    u32(40);
    u32(w);
    u32(h);
    u32(1 | (24 << 16));  // planes, bits a pixel
    u32(0);
    u32(stride * h);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    for (int y = h - 1; y >= 0; --y) {
        for (TColor c : rows[static_cast<std::size_t>(y)])
            for (int shift : {16, 8, 0}) b += static_cast<char>((c >> shift) & 0xFF);
        b += String(static_cast<std::size_t>(stride - w * 3), '\0');
    }
    TBitmap bmp;
    bmp.LoadFromBmpBytes(b);
    return bmp;
}

// Each target pixel takes the source pixel under its centre; the transparent colour and what
// lies outside the clip stay as they were.
TEST(PixelCanvas, StretchedBitmapFillsItsRectangle)
{
    TBitmap bmp = Bitmap24({{clRed, clLime}, {clBlue, clBlack}});
    struct Case {
        const char* name;
        TRect clip;
        bool transparentBlue;
        std::vector<std::pair<TPoint, TColor>> expect;
    } cases[] = {
        {"whole",
         Rect(0, 0, 10, 10),
         false,
         {{{1, 1}, clRed},
          {{3, 2}, clRed},
          {{4, 1}, clLime},
          {{6, 2}, clLime},
          {{1, 3}, clBlue},
          {{6, 4}, clBlack},
          {{0, 0}, kBg},
          {{7, 1}, kBg},
          {{1, 5}, kBg}}},
        {"clipped", Rect(0, 0, 4, 3), false, {{{3, 2}, clRed}, {{4, 1}, kBg}, {{1, 3}, kBg}}},
        {"transparent", Rect(0, 0, 10, 10), true, {{{1, 3}, kBg}, {{1, 1}, clRed}, {{6, 4}, clBlack}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TPixelImage img(10, 10, kBg);
        TPixelCanvas canvas(img, {0, 0}, c.clip);
        bmp.SetTransparent(c.transparentBlue);
        bmp.SetTransparentColor(clBlue);
        canvas.StretchDraw(Rect(1, 1, 7, 5), bmp);
        for (const auto& [at, colour] : c.expect)
            EXPECT_EQ(img.Pixel(at.X, at.Y), colour) << at.X << "," << at.Y;
    }
    // nothing for an empty or upside-down rectangle; a far-reaching one only where the picture is
    TPixelImage img(10, 10, kBg);
    TPixelCanvas canvas(img, {0, 0}, Rect(0, 0, 10, 10));
    bmp.SetTransparent(false);
    canvas.StretchDraw(Rect(5, 5, 5, 9), bmp);
    canvas.StretchDraw(Rect(7, 7, 2, 2), bmp);
    EXPECT_EQ(Inked(img, Rect(0, 0, 10, 10)), 0);
    canvas.StretchDraw(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), bmp);
    EXPECT_EQ(img.Pixel(0, 0), clBlack);  // the lower right quarter reaches over the whole picture
}

TEST(PixelCanvas, TextHasMetricsAndStaysInItsRectangle)
{
    TPixelImage img(200, 40, kBg);
    TPixelCanvas canvas(img);
    canvas.Brush().SetStyle(bsClear);
    const int w = canvas.TextWidth("Hallo Welt");
    const int h = canvas.TextHeight("Hallo Welt");
    EXPECT_GT(w, canvas.TextWidth("Hallo"));
    EXPECT_GT(h, 8);
    EXPECT_LT(h, 20);
    EXPECT_EQ(canvas.TextWidth(""), 0);
    canvas.TextOut(0, 0, "Hallo Welt");
    EXPECT_GT(Inked(img, Rect(0, 0, w, h)), 20);
    EXPECT_EQ(Inked(img, Rect(w + 1, 0, 200, 40)), 0);
    // Clipped to the first 10 pixels.
    canvas.TextRect(Rect(0, 20, 10, 40), 0, 20, "Hallo Welt");
    EXPECT_GT(Inked(img, Rect(0, 20, 10, 40)), 5);
    EXPECT_EQ(Inked(img, Rect(10, 20, 200, 40)), 0);
    // Umlauts and bytes that are no UTF-8 draw without failing.
    canvas.TextOut(100, 0, "Grüße \xFF");
}

// Shapes of absurd size (a control as wide as int allows) are cut to the picture: they draw what
// falls into it and take no more steps than the picture has pixels.
TEST(PixelCanvas, FarAwayShapesAreCutToThePicture)
{
    TPixelImage img(12, 12, kBg);
    TPixelCanvas canvas(img, {2, 2}, Rect(0, 0, 12, 12));
    canvas.Pen().SetColor(clBlue);
    canvas.MoveTo(-2000000000, 3);
    canvas.LineTo(2000000000, 3);
    EXPECT_EQ(img.Pixel(0, 5), clBlue);
    EXPECT_EQ(img.Pixel(11, 5), clBlue);
    canvas.Pen().SetColor(clRed);
    canvas.MoveTo(-1000000000, -1000000000);
    canvas.LineTo(1000000000, 1000000000);
    EXPECT_EQ(img.Pixel(7, 7), clRed);
    EXPECT_EQ(img.Pixel(0, 0), clRed);
    canvas.Brush().SetColor(clLime);
    canvas.Pen().SetStyle(psClear);
    canvas.Polygon({{-2000000000, -2000000000}, {2000000000, -2000000000}, {0, 2000000000}});
    EXPECT_EQ(img.Pixel(9, 9), clLime);
    canvas.DrawFocusRect(Rect(-2000000000, -2000000000, 2000000000, 2000000000));
    EXPECT_EQ(img.Pixel(9, 9), clLime);
    canvas.Brush().SetColor(clYellow);
    canvas.FillRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_EQ(img.Pixel(0, 0), clYellow);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(clBlack);
    canvas.Pen().SetWidth(2000000000);
    canvas.MoveTo(0, 0);
    canvas.LineTo(1, 0);
    EXPECT_EQ(img.Pixel(11, 11), clBlack);
    canvas.TextOut(INT_MAX - 5, INT_MAX - 5, "Hallo");
    canvas.TextOut(INT_MIN, 0, "Hallo");
    canvas.CopyRect(Rect(0, 0, 2000000000, 2000000000), canvas, Rect(0, 0, 5, 5));
}

TEST(PixelCanvas, OpaqueTextFillsItsCell)
{
    TPixelImage img(100, 20, kBg);
    TPixelCanvas canvas(img);
    canvas.Brush().SetColor(clNavy);
    canvas.Font().SetColor(clWhite);
    canvas.TextOut(0, 0, "x");
    EXPECT_EQ(img.Pixel(0, 0), clNavy);
    canvas.SetBackgroundMode(bmTransparent);
    canvas.TextOut(50, 0, "x");
    EXPECT_EQ(img.Pixel(50, 0), kBg);
}

// A control that fills itself with its colour and marks its top-left pixel.
class TSwatch : public TControl {
public:
    using TControl::TControl;

protected:
    void Paint(TCanvas& c) override
    {
        c.Brush().SetColor(Color());
        c.FillRect(Rect(-5, -5, Width() + 5, Height() + 5));
        c.Brush().SetColor(clBlack);
        c.FillRect(Rect(0, 0, 1, 1));
    }
};

TEST(PixelCanvas, FormPictureHasEveryControlInPlaceClippedToItsParent)
{
    TControl form(nullptr);
    form.SetBounds(0, 0, 60, 40);
    form.SetColor(clSilver);
    auto* outer = new TSwatch(&form);
    outer->SetParent(&form);
    outer->SetBounds(10, 10, 20, 20);
    outer->SetColor(clRed);
    auto* inner = new TSwatch(&form);
    inner->SetParent(outer);
    inner->SetBounds(15, 15, 20, 20);  // reaches out of its parent
    inner->SetColor(clBlue);
    auto* hidden = new TSwatch(&form);
    hidden->SetParent(&form);
    hidden->SetBounds(40, 0, 10, 10);
    hidden->SetColor(clLime);
    hidden->Hide();

    TPixelImage img = PaintFormPicture(&form);
    ASSERT_EQ(img.Width(), 60);
    ASSERT_EQ(img.Height(), 40);
    EXPECT_EQ(img.Pixel(5, 5), clSilver);
    EXPECT_EQ(img.Pixel(10, 10), clBlack);
    EXPECT_EQ(img.Pixel(11, 11), clRed);
    EXPECT_EQ(img.Pixel(9, 9), clSilver);  // the control's own paint is clipped to it
    EXPECT_EQ(img.Pixel(25, 25), clBlack);
    EXPECT_EQ(img.Pixel(29, 29), clBlue);
    EXPECT_EQ(img.Pixel(30, 30), clSilver);  // the child ends with its parent
    EXPECT_EQ(img.Pixel(45, 5), clSilver);
}

TEST(PixelCanvas, SavesAPngFile)
{
    // Every test process has a scratch HOME of its own.
    TPixelImage img(3, 2, clWhite);
    img.SetPixel(1, 0, 0x00332211);
    const String file = String(std::getenv("HOME")) + "/a.png";
    img.SaveToPngFile(file);
    const String bytes = ReadFileBytes(file);
    media::Image back = media::DecodePng(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    ASSERT_EQ(back.width, 3);
    ASSERT_EQ(back.height, 2);
    const std::uint8_t* p = back.Pixel(1, 0);
    EXPECT_EQ(p[0], 0x11);
    EXPECT_EQ(p[1], 0x22);
    EXPECT_EQ(p[2], 0x33);
    EXPECT_THROW(TPixelImage(0, 5), EInvalidGraphic);
}

}  // namespace

// A filled triangle has no holes whichever way it points: each row is one run from the left.
TEST(PixelCanvas, FilledTrianglesAreSolid)
{
    const std::vector<std::vector<TPoint>> shapes = {
        {{3, 2}, {21, 12}, {3, 22}, {3, 2}},  // pointing right
        {{3, 12}, {21, 2}, {21, 22}, {3, 12}},  // pointing left
        {{4, 3}, {13, 10}, {4, 17}, {4, 3}},  // a small one pointing right
    };
    for (const auto& pts : shapes) {
        TPixelImage img(26, 26);
        TPixelCanvas c(img);
        c.Brush().SetColor(clBlack);
        c.Pen().SetColor(clBlack);
        c.Polygon(pts);
        for (int y = 0; y < 26; ++y) {
            String row;
            for (int x = 0; x < 26; ++x) row += img.Pixel(x, y) == clBlack ? '#' : '.';
            const auto first = row.find('#'), last = row.rfind('#');
            if (first == String::npos) continue;
            EXPECT_EQ(row.find('.', first), last + 1 == row.size() ? String::npos : last + 1)
                << "row " << y << ": " << row;
        }
    }
}

#include <gtest/gtest.h>

#include "zub/Graphics.h"

namespace {

// A 4-bit BMP of 3 x 2 pixels, bottom row first: palette 0 black, 1 red, 2 white.
String FourBitBmp()
{
    String b;
    auto u16 = [&](unsigned v) {
        b += static_cast<char>(v & 0xFF);
        b += static_cast<char>((v >> 8) & 0xFF);
    };
    auto u32 = [&](unsigned v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    const unsigned palette = 16 * 4, offset = 14 + 40 + palette, stride = 4;
    b += "BM";
    u32(offset + stride * 2);
    u32(0);
    u32(offset);
    u32(40);
    u32(3);
    u32(2);
    u16(1);
    u16(4);
    u32(0);
    u32(stride * 2);
    u32(2835);
    u32(2835);
    u32(16);
    u32(0);
    const unsigned colours[16] = {0x000000, 0xFF0000, 0xFFFFFF};  // stored as 0x00RRGGBB
    for (unsigned c : colours) u32(c);
    // bottom row: white red black; top row: red red white
    b += String("\x21\x00\x00\x00", 4);
    b += String("\x11\x20\x00\x00", 4);
    return b;
}

TEST(Canvas, RecordsLinesShapesBitmapsAndButtonFaces)
{
    TRecordingCanvas c;
    c.Pen().SetColor(clRed);
    c.Pen().SetWidth(2);
    c.MoveTo(1, 2);
    c.LineTo(5, 2);
    c.LineTo(5, 9);
    c.Brush().SetStyle(bsClear);
    c.Rectangle(Rect(0, 0, 4, 4));
    c.Polygon({{0, 0}, {3, 0}, {0, 3}, {0, 0}});
    TBitmap bmp;
    bmp.LoadFromBmpBytes(FourBitBmp());
    bmp.SetName("PIC");
    c.Draw(-7, -7, bmp);
    const TRect inner = c.DrawButtonFace(Rect(10, 10, 40, 30), 1, false, false);
    EXPECT_EQ(inner, Rect(12, 12, 38, 28));

    const auto& ops = c.Ops();
    ASSERT_EQ(ops.size(), 6u);
    EXPECT_EQ(ops[0].Kind, TCanvasOp::Line);
    EXPECT_EQ(ops[0].Points, (std::vector<TPoint>{{1, 2}, {5, 2}}));
    EXPECT_EQ(ops[0].Pen, clRed);
    EXPECT_EQ(ops[0].PenWidth, 2);
    EXPECT_EQ(ops[1].Points, (std::vector<TPoint>{{5, 2}, {5, 9}}));
    EXPECT_EQ(c.PenPos(), (TPoint{5, 9}));
    EXPECT_EQ(ops[2].Kind, TCanvasOp::Rectangle);
    EXPECT_EQ(ops[2].BrushStyle, bsClear);
    EXPECT_EQ(ops[3].Kind, TCanvasOp::Polygon);
    EXPECT_EQ(ops[3].Points.size(), 4u);
    EXPECT_EQ(ops[4].Kind, TCanvasOp::Bitmap);
    EXPECT_EQ(ops[4].R, Rect(-7, -7, -4, -5));
    EXPECT_EQ(ops[4].Text, "PIC");
    EXPECT_EQ(ops[5].Kind, TCanvasOp::ButtonFace);
    EXPECT_EQ(ops[5].Index, 1);
}

TEST(Canvas, TextIsOpaqueOnlyWithASolidBrushInOpaqueMode)
{
    struct {
        TBrushStyle Brush;
        TBackgroundMode Mode;
        bool Opaque;
    } cases[] = {{bsSolid, bmOpaque, true},
                 {bsClear, bmOpaque, false},
                 {bsSolid, bmTransparent, false},
                 {bsClear, bmTransparent, false}};
    for (const auto& k : cases) {
        TRecordingCanvas c;
        c.Brush().SetStyle(k.Brush);
        c.SetBackgroundMode(k.Mode);
        c.TextOut(0, 0, "x");
        c.TextRect(Rect(0, 0, 9, 9), 0, 0, "y");
        EXPECT_EQ(c.Ops()[0].Opaque, k.Opaque);
        EXPECT_EQ(c.Ops()[1].Opaque, k.Opaque);
    }
}

TEST(Canvas, Frame3DDrawsEachRingAndShrinksTheRectangle)
{
    TRecordingCanvas c;
    TRect r = Rect(0, 0, 10, 8);
    c.Frame3D(r, clWhite, clGray, 2);
    EXPECT_EQ(r, Rect(2, 2, 8, 6));
    ASSERT_EQ(c.Ops().size(), 8u);  // four lines a ring
    EXPECT_EQ(c.Ops()[0].Points, (std::vector<TPoint>{{0, 7}, {0, 0}}));
    EXPECT_EQ(c.Ops()[0].Pen, clWhite);
    EXPECT_EQ(c.Ops()[2].Pen, clGray);
    EXPECT_EQ(c.Ops()[4].Points, (std::vector<TPoint>{{1, 6}, {1, 1}}));
}

TEST(Canvas, BitmapDecodesPalettedPixelsTopDown)
{
    TBitmap bmp;
    bmp.LoadFromBmpBytes(FourBitBmp());
    EXPECT_EQ(bmp.Width(), 3);
    EXPECT_EQ(bmp.Height(), 2);
    EXPECT_EQ(bmp.Pixel(0, 0), clRed);  // 0x00BBGGRR
    EXPECT_EQ(bmp.Pixel(2, 0), clWhite);
    EXPECT_EQ(bmp.Pixel(0, 1), clWhite);
    EXPECT_EQ(bmp.Pixel(2, 1), clBlack);
    EXPECT_EQ(bmp.Pixel(3, 0), clNone);
}

TEST(Canvas, BadBitmapBytesAreRefusedAndChangeNothing)
{
    TBitmap bmp;
    bmp.LoadFromBmpBytes(FourBitBmp());
    String cut = FourBitBmp();
    cut.resize(cut.size() - 3);
    String palIndex = FourBitBmp();
    palIndex[46] = 2;  // two palette entries only; pixels use index 2
    for (const String& bad : {String("BM"), String(60, 'x'), cut, palIndex})
        EXPECT_THROW(bmp.LoadFromBmpBytes(bad), EInvalidGraphic);
    EXPECT_EQ(bmp.Width(), 3);
    EXPECT_EQ(bmp.Pixel(0, 0), clRed);
}

}  // namespace

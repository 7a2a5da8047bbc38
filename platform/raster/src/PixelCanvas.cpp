#include "raster/PixelCanvas.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>

#include "media/Png.h"
#include "rtl/Files.h"
#include "zub/ImgList.h"

namespace {

// ---- colours

TColor RealColor(TColor c)
{
    if (c == clNone || c == clDefault) return clNone;
    if ((static_cast<std::uint32_t>(c) & 0xFF000000u) == 0xFF000000u) {
        // Desktop colours by their index, as the view's fixed desktop.
        switch (c & 0xFF) {
        case 5: return clWindow;
        case 6: return clBlack;  // window frame
        case 8: return clWindowText;
        case 13: return clHighlight;
        case 14: return clHighlightText;
        case 15: return clBtnFace;
        case 16: return clGray;  // button shadow
        case 17: return clGrayText;
        case 18: return clBtnText;
        case 20: return clWhite;  // button highlight
        case 24: return clInfoBk;
        default: return clBtnFace;
        }
    }
    return c & 0xFFFFFF;
}

TColor Blend(TColor under, TColor over, unsigned alpha)
{
    auto mix = [&](int shift) {
        const unsigned a = (static_cast<unsigned>(under) >> shift) & 0xFF;
        const unsigned b = (static_cast<unsigned>(over) >> shift) & 0xFF;
        return ((a * (255 - alpha) + b * alpha + 127) / 255) << shift;
    };
    return static_cast<TColor>(mix(0) | mix(8) | mix(16));
}

TRect Intersect(const TRect& a, const TRect& b)
{
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}

TRect Moved(const TRect& r, TPoint by)
{
    return {r.Left + by.X, r.Top + by.Y, r.Right + by.X, r.Bottom + by.Y};
}

// ---- text

std::vector<char32_t> CodePoints(const String& s)
{
    std::vector<char32_t> r;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        int n = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        char32_t cp = n == 0 ? b : n == 1 ? (b & 0x1F) : n == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = n >= 0 && i + static_cast<std::size_t>(n) < s.size();
        for (int k = 1; ok && k <= n; ++k) {
            const unsigned char c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            ok = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            r.push_back(0xFFFD);  // a byte that is no UTF-8 shows as the replacement mark
            ++i;
            continue;
        }
        r.push_back(cp);
        i += static_cast<std::size_t>(n) + 1;
    }
    return r;
}

constexpr const char* kFontFolder = "/usr/share/fonts/truetype/dejavu/";

// One FreeType library and one face per style for the process; FreeType objects are not
// shared between threads, so every use holds the lock.
class TFonts {
public:
    static TFonts& Get()
    {
        static TFonts f;
        return f;
    }
    std::mutex Lock;
    // The face for the font's style at its pixel size.
    FT_Face Face(const TFont& font)
    {
        const TFontStyles s = font.Style();
        const int key = ((s & fsBold) ? 1 : 0) | ((s & fsItalic) ? 2 : 0);
        FT_Face& face = FFaces[key];
        if (!face) {
            static const char* const files[4] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf",
                                                 "DejaVuSans-Oblique.ttf", "DejaVuSans-BoldOblique.ttf"};
            const String path = String(kFontFolder) + files[key];
            if (!FLib || FT_New_Face(FLib, path.c_str(), 0, &face) != 0) {
                face = nullptr;
                throw EFOpenError("Cannot read the font " + path);
            }
        }
        const int h = font.Height();
        const int px = h < 0 ? -h : (h > 0 ? h * 3 / 4 : (font.Size() * 96 + 36) / 72);
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(std::max(px, 1)));
        return face;
    }
    ~TFonts()
    {
        for (auto& [k, f] : FFaces)
            if (f) FT_Done_Face(f);
        if (FLib) FT_Done_FreeType(FLib);
    }

private:
    TFonts()
    {
        if (FT_Init_FreeType(&FLib) != 0) FLib = nullptr;
    }
    FT_Library FLib = nullptr;
    std::map<int, FT_Face> FFaces;
};

int Ascent(FT_Face f) { return static_cast<int>((f->size->metrics.ascender + 63) >> 6); }
int LineHeight(FT_Face f)
{
    return static_cast<int>((f->size->metrics.ascender - f->size->metrics.descender + 63) >> 6);
}
int Advance(FT_Face f, char32_t cp)
{
    if (FT_Load_Char(f, cp, FT_LOAD_DEFAULT) != 0) return 0;
    return static_cast<int>((f->glyph->advance.x + 32) >> 6);
}

}  // namespace

// ---- TPixelImage

TPixelImage::TPixelImage(int width, int height, TColor fill) : FWidth(width), FHeight(height)
{
    if (width < 1 || height < 1 || width > 16384 || height > 16384)
        throw EInvalidGraphic("Picture size out of range: " + IntToStr(width) + " x " + IntToStr(height));
    FPixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), RealColor(fill));
}

TColor TPixelImage::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return clNone;
    return FPixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(FWidth) +
                   static_cast<std::size_t>(x)];
}

void TPixelImage::SetPixel(int x, int y, TColor c)
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return;
    FPixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(FWidth) + static_cast<std::size_t>(x)] = c;
}

void TPixelImage::SaveToPngFile(const String& fileName) const
{
    media::Image img(FWidth, FHeight);
    for (std::size_t i = 0; i < FPixels.size(); ++i) {
        const auto c = static_cast<std::uint32_t>(FPixels[i]);
        img.rgb[i * 3] = static_cast<std::uint8_t>(c & 0xFF);
        img.rgb[i * 3 + 1] = static_cast<std::uint8_t>((c >> 8) & 0xFF);
        img.rgb[i * 3 + 2] = static_cast<std::uint8_t>((c >> 16) & 0xFF);
    }
    const std::vector<std::uint8_t> bytes = media::EncodePng(img);
    AtomicWriteFile(fileName, String(bytes.begin(), bytes.end()));
}

// ---- TPixelCanvas

TPixelCanvas::TPixelCanvas(TPixelImage& image)
    : TPixelCanvas(image, {0, 0}, Rect(0, 0, image.Width(), image.Height()))
{
}

TPixelCanvas::TPixelCanvas(TPixelImage& image, TPoint origin, TRect clip)
    : FImage(image), FOrigin(origin), FClip(Intersect(clip, Rect(0, 0, image.Width(), image.Height())))
{
    FClipRect = Moved(FClip, {-origin.X, -origin.Y});
}

TColor TPixelCanvas::PixelAt(int x, int y) const { return FImage.Pixel(x + FOrigin.X, y + FOrigin.Y); }

void TPixelCanvas::Put(int x, int y, TColor c, const TRect& clip)
{
    x += FOrigin.X;
    y += FOrigin.Y;
    if (x < clip.Left || y < clip.Top || x >= clip.Right || y >= clip.Bottom) return;
    FImage.SetPixel(x, y, c);
}

void TPixelCanvas::Fill(const TRect& r, TColor color)
{
    const TColor c = RealColor(color);
    if (c == clNone) return;
    const TRect a = Intersect(Moved(r, FOrigin), FClip);
    for (int y = a.Top; y < a.Bottom; ++y)
        for (int x = a.Left; x < a.Right; ++x) FImage.SetPixel(x, y, c);
}

void TPixelCanvas::FillRect(const TRect& r)
{
    if (FBrush.Style() == bsClear) return;
    Fill(r, FBrush.Color());
}

void TPixelCanvas::PenDot(int x, int y, int width, TColor c)
{
    // Dashes and dots count the pixels of a pen run.
    const unsigned step = FDashStep++;
    if (FPen.Style() == psDash && step % 9 >= 6) return;
    if (FPen.Style() == psDot && step % 2 == 1) return;
    if (width <= 1) {
        Put(x, y, c, FClip);
        return;
    }
    const int lo = -(width - 1) / 2;
    for (int dy = lo; dy < lo + width; ++dy)
        for (int dx = lo; dx < lo + width; ++dx) Put(x + dx, y + dy, c, FClip);
}

void TPixelCanvas::Line(const TPoint& from, const TPoint& to)
{
    const TColor c = RealColor(FPen.Color());
    if (FPen.Style() == psClear || c == clNone || from == to) return;
    // Bresenham; the end point is not part of the line.
    const int dx = std::abs(to.X - from.X), dy = -std::abs(to.Y - from.Y);
    const int sx = from.X < to.X ? 1 : -1, sy = from.Y < to.Y ? 1 : -1;
    int err = dx + dy, x = from.X, y = from.Y;
    while (x != to.X || y != to.Y) {
        PenDot(x, y, FPen.Width(), c);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void TPixelCanvas::Polyline(const std::vector<TPoint>& points)
{
    FDashStep = 0;
    for (std::size_t i = 1; i < points.size(); ++i) Line(points[i - 1], points[i]);
}

void TPixelCanvas::Polygon(const std::vector<TPoint>& points)
{
    if (points.size() < 2) return;
    const TColor fill = RealColor(FBrush.Color());
    if (FBrush.Style() != bsClear && fill != clNone) {
        // Even-odd rule at the pixel centres.
        int top = points[0].Y, bottom = points[0].Y;
        for (const TPoint& p : points) {
            top = std::min(top, p.Y);
            bottom = std::max(bottom, p.Y);
        }
        for (int y = top; y <= bottom; ++y) {
            const double cy = y + 0.5;
            std::vector<double> xs;
            for (std::size_t i = 0; i < points.size(); ++i) {
                const TPoint& a = points[i];
                const TPoint& b = points[(i + 1) % points.size()];
                if ((a.Y <= cy) == (b.Y <= cy)) continue;
                xs.push_back(a.X + (cy - a.Y) * (b.X - a.X) / static_cast<double>(b.Y - a.Y));
            }
            std::sort(xs.begin(), xs.end());
            for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
                for (int x = static_cast<int>(xs[i] + 0.5); x + 0.5 < xs[i + 1]; ++x) Put(x, y, fill, FClip);
        }
    }
    std::vector<TPoint> closed = points;
    if (!(closed.front() == closed.back())) closed.push_back(closed.front());
    Polyline(closed);
}

void TPixelCanvas::Rectangle(const TRect& r)
{
    FillRect(r);
    const TColor c = RealColor(FPen.Color());
    if (FPen.Style() == psClear || c == clNone || r.Width() <= 0 || r.Height() <= 0) return;
    // The frame lies inside the rectangle.
    const int w = std::max(FPen.Width(), 1);
    if (FPen.Style() == psSolid) {
        for (int i = 0; i < w; ++i) {
            Fill(Rect(r.Left + i, r.Top + i, r.Right - i, r.Top + i + 1), c);
            Fill(Rect(r.Left + i, r.Bottom - i - 1, r.Right - i, r.Bottom - i), c);
            Fill(Rect(r.Left + i, r.Top + i, r.Left + i + 1, r.Bottom - i), c);
            Fill(Rect(r.Right - i - 1, r.Top + i, r.Right - i, r.Bottom - i), c);
        }
        return;
    }
    const int d = w / 2;
    const int l = r.Left + d, t = r.Top + d, rr = r.Right - 1 - (w - 1 - d), b = r.Bottom - 1 - (w - 1 - d);
    Polyline({{l, t}, {rr, t}, {rr, b}, {l, b}, {l, t}});
}

void TPixelCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    const auto& px = bitmap.Pixels();
    if (px.empty()) return;
    for (int row = 0; row < bitmap.Height(); ++row)
        for (int col = 0; col < bitmap.Width(); ++col) {
            const TColor c = px[static_cast<std::size_t>(row * bitmap.Width() + col)];
            if (bitmap.Transparent() && c == bitmap.TransparentColor()) continue;
            Put(x + col, y + row, RealColor(c), FClip);
        }
}

void TPixelCanvas::ButtonFace(const TRect& r, int bevelWidth, bool isDown, bool isFocused)
{
    if (r.Width() <= 0 || r.Height() <= 0) return;
    Fill(r, clBtnFace);
    auto frame = [&](const TRect& f, TColor topLeft, TColor bottomRight) {
        if (f.Width() <= 0 || f.Height() <= 0) return;
        Fill(Rect(f.Left, f.Top, f.Right, f.Top + 1), topLeft);
        Fill(Rect(f.Left, f.Top, f.Left + 1, f.Bottom), topLeft);
        Fill(Rect(f.Left, f.Bottom - 1, f.Right, f.Bottom), bottomRight);
        Fill(Rect(f.Right - 1, f.Top, f.Right, f.Bottom), bottomRight);
    };
    frame(r, clBlack, clBlack);
    for (int i = 1; i <= bevelWidth; ++i)
        frame(Rect(r.Left + i, r.Top + i, r.Right - i, r.Bottom - i), isDown ? clGray : clWhite,
              isDown ? clWhite : clGray);
    if (isFocused) {
        const TRect in = ButtonFaceInner(r, bevelWidth);
        DrawFocusRect(Rect(in.Left + 1, in.Top + 1, in.Right - 1, in.Bottom - 1));
    }
}

void TPixelCanvas::DrawFocusRect(const TRect& r)
{
    if (r.Width() <= 0 || r.Height() <= 0) return;
    for (int x = r.Left; x < r.Right; x += 2) {
        Put(x, r.Top, clBlack, FClip);
        Put(x, r.Bottom - 1, clBlack, FClip);
    }
    for (int y = r.Top; y < r.Bottom; y += 2) {
        Put(r.Left, y, clBlack, FClip);
        Put(r.Right - 1, y, clBlack, FClip);
    }
}

void TPixelCanvas::CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect)
{
    // Only a canvas on pixels can be read back.
    auto* from = dynamic_cast<TPixelCanvas*>(&src);
    if (!from || dest.Width() <= 0 || dest.Height() <= 0 || srcRect.Width() <= 0 || srcRect.Height() <= 0)
        return;
    std::vector<TColor> part(static_cast<std::size_t>(dest.Width()) *
                             static_cast<std::size_t>(dest.Height()));
    for (int y = 0; y < dest.Height(); ++y)
        for (int x = 0; x < dest.Width(); ++x)
            part[static_cast<std::size_t>(y * dest.Width() + x)] =
                from->PixelAt(srcRect.Left + x * srcRect.Width() / dest.Width(),
                              srcRect.Top + y * srcRect.Height() / dest.Height());
    for (int y = 0; y < dest.Height(); ++y)
        for (int x = 0; x < dest.Width(); ++x)
            if (const TColor c = part[static_cast<std::size_t>(y * dest.Width() + x)]; c != clNone)
                Put(dest.Left + x, dest.Top + y, c, FClip);
}

void TPixelCanvas::DrawImage(int, int, const TImageList&, int, bool) {}

void TPixelCanvas::Text(int x, int y, const String& text, const TRect& clip)
{
    const TColor color = RealColor(FFont.Color());
    TFonts& fonts = TFonts::Get();
    std::lock_guard<std::mutex> lock(fonts.Lock);
    FT_Face face = fonts.Face(FFont);
    const int baseline = y + Ascent(face);
    int pen = x;
    for (char32_t cp : CodePoints(text)) {
        if (FT_Load_Char(face, cp, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot g = face->glyph;
        if (color != clNone)
            for (unsigned row = 0; row < g->bitmap.rows; ++row)
                for (unsigned col = 0; col < g->bitmap.width; ++col) {
                    const unsigned a = g->bitmap.buffer[row * static_cast<unsigned>(g->bitmap.pitch) + col];
                    if (a == 0) continue;
                    const int px = pen + g->bitmap_left + static_cast<int>(col);
                    const int py = baseline - g->bitmap_top + static_cast<int>(row);
                    const TColor under = PixelAt(px, py);
                    if (under != clNone) Put(px, py, Blend(under, color, a), clip);
                }
        pen += static_cast<int>((g->advance.x + 32) >> 6);
    }
    if (color == clNone) return;
    if (FFont.Style() & fsUnderline)
        for (int i = x; i < pen; ++i) Put(i, baseline + 1, color, clip);
    if (FFont.Style() & fsStrikeOut)
        for (int i = x; i < pen; ++i) Put(i, baseline - Ascent(face) / 3, color, clip);
}

void TPixelCanvas::TextOut(int x, int y, const String& text)
{
    // An opaque text cell takes the brush colour first.
    if (OpaqueText()) Fill(Rect(x, y, x + TextWidth(text), y + TextHeight(text)), FBrush.Color());
    Text(x, y, text, FClip);
}

void TPixelCanvas::TextRect(const TRect& r, int x, int y, const String& text)
{
    if (OpaqueText()) Fill(r, FBrush.Color());
    Text(x, y, text, Intersect(Moved(r, FOrigin), FClip));
}

int TPixelCanvas::TextWidth(const String& text)
{
    TFonts& fonts = TFonts::Get();
    std::lock_guard<std::mutex> lock(fonts.Lock);
    FT_Face face = fonts.Face(FFont);
    int w = 0;
    for (char32_t cp : CodePoints(text)) w += Advance(face, cp);
    return w;
}

int TPixelCanvas::TextHeight(const String&)
{
    TFonts& fonts = TFonts::Get();
    std::lock_guard<std::mutex> lock(fonts.Lock);
    return LineHeight(fonts.Face(FFont));
}

// ---- the picture of a form

namespace {

void PaintTree(TControl* control, TPixelImage& image, TPoint at, const TRect& clip)
{
    for (int i = 0; i < control->ControlCount(); ++i) {
        TControl* c = control->Controls(i);
        if (!c->Visible()) continue;
        const TRect b = c->BoundsRect();
        const TPoint origin{at.X + b.Left, at.Y + b.Top};
        const TRect own =
            Intersect(Rect(origin.X, origin.Y, origin.X + b.Width(), origin.Y + b.Height()), clip);
        if (own.Width() <= 0 || own.Height() <= 0) continue;
        {
            TPixelCanvas canvas(image, origin, own);
            c->PaintTo(canvas);
        }
        PaintTree(c, image, origin, own);
    }
}

}  // namespace

TPixelImage PaintFormPicture(TControl* form)
{
    const TRect client = form->ClientRect();
    TPixelImage image(client.Width(), client.Height(),
                      RealColor(form->Color()) == clNone ? clBtnFace : form->Color());
    PaintTree(form, image, {0, 0}, Rect(0, 0, image.Width(), image.Height()));
    return image;
}

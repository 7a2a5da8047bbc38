#include "raster/PixelCanvas.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <climits>
#include <cmath>
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

// Sums stay within int: a control of absurd size is cut to what int holds.
int Add(int a, int b)
{
    return static_cast<int>(std::clamp(static_cast<long long>(a) + b, static_cast<long long>(INT_MIN),
                                       static_cast<long long>(INT_MAX)));
}
bool Empty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
long long Area(const TRect& r)
{
    return Empty(r) ? 0
                    : (static_cast<long long>(r.Right) - r.Left) * (static_cast<long long>(r.Bottom) - r.Top);
}

TRect Moved(const TRect& r, TPoint by)
{
    return {Add(r.Left, by.X), Add(r.Top, by.Y), Add(r.Right, by.X), Add(r.Bottom, by.Y)};
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
    if (width < 1 || height < 1 || width > 8192 || height > 8192)
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

namespace {
media::Image RgbImage(int width, int height, const std::vector<TColor>& pixels)
{
    media::Image img(width, height);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const auto c = static_cast<std::uint32_t>(pixels[i]);
        img.rgb[i * 3] = static_cast<std::uint8_t>(c & 0xFF);
        img.rgb[i * 3 + 1] = static_cast<std::uint8_t>((c >> 8) & 0xFF);
        img.rgb[i * 3 + 2] = static_cast<std::uint8_t>((c >> 16) & 0xFF);
    }
    return img;
}
}  // namespace

void TPixelImage::SaveToPngFile(const String& fileName) const
{
    const std::vector<std::uint8_t> bytes = media::EncodePng(RgbImage(FWidth, FHeight, FPixels));
    AtomicWriteFile(fileName, String(bytes.begin(), bytes.end()));
}

void TPixelImage::SaveToJpegFile(const String& fileName, int quality) const
{
    const std::vector<std::uint8_t> bytes = media::EncodeJpeg(RgbImage(FWidth, FHeight, FPixels), quality);
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

TColor TPixelCanvas::PixelAt(int x, int y) const
{
    return FImage.Pixel(Add(x, FOrigin.X), Add(y, FOrigin.Y));
}

void TPixelCanvas::Put(int x, int y, TColor c, const TRect& clip)
{
    x = Add(x, FOrigin.X);
    y = Add(y, FOrigin.Y);
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
    // The pen's square, as far as it lies in the clip area.
    const long long lo = -(static_cast<long long>(width) - 1) / 2;
    const TRect c0 = Moved(FClip, {-FOrigin.X, -FOrigin.Y});
    const long long top = std::max<long long>(y + lo, c0.Top),
                    bottom = std::min<long long>(y + lo + width, c0.Bottom);
    const long long left = std::max<long long>(x + lo, c0.Left),
                    right = std::min<long long>(x + lo + width, c0.Right);
    for (long long py = top; py < bottom; ++py)
        for (long long px = left; px < right; ++px) Put(static_cast<int>(px), static_cast<int>(py), c, FClip);
}

void TPixelCanvas::Line(const TPoint& from, const TPoint& to)
{
    const TColor c = RealColor(FPen.Color());
    if (FPen.Style() == psClear || c == clNone || from == to) return;
    // A line reaching far beyond the picture (a control of absurd size in a layout) is cut to
    // the clip area first, so its steps stay as many as the picture has pixels.
    TPoint a = from, b = to;
    bool endInside = true;
    if (!CutToClip(a, b, endInside)) return;
    // Bresenham; the end point is not part of the line.
    const long long dx = std::llabs(static_cast<long long>(b.X) - a.X),
                    dy = -std::llabs(static_cast<long long>(b.Y) - a.Y);
    const int sx = a.X < b.X ? 1 : -1, sy = a.Y < b.Y ? 1 : -1;
    long long err = dx + dy;
    int x = a.X, y = a.Y;
    for (;;) {
        if (x == b.X && y == b.Y) {
            if (!endInside) PenDot(x, y, FPen.Width(), c);  // the cut end is no real end point
            break;
        }
        PenDot(x, y, FPen.Width(), c);
        const long long e2 = 2 * err;
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

bool TPixelCanvas::CutToClip(TPoint& a, TPoint& b, bool& endInside) const
{
    // Canvas coordinates of the clip area, widened by the pen.
    const long long m = std::max(FPen.Width(), 1) + 1;
    const double l = static_cast<double>(FClip.Left - FOrigin.X - m),
                 t = static_cast<double>(FClip.Top - FOrigin.Y - m);
    const double r = static_cast<double>(FClip.Right - FOrigin.X + m),
                 bo = static_cast<double>(FClip.Bottom - FOrigin.Y + m);
    auto inside = [&](const TPoint& p) { return p.X >= l && p.X <= r && p.Y >= t && p.Y <= bo; };
    endInside = true;
    if (inside(a) && inside(b)) return true;
    // Liang-Barsky on the widened area.
    const double x0 = a.X, y0 = a.Y, dx = static_cast<double>(b.X) - a.X, dy = static_cast<double>(b.Y) - a.Y;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy}, q[4] = {x0 - l, r - x0, y0 - t, bo - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double u = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, u);
        else
            t1 = std::min(t1, u);
        if (t0 > t1) return false;
    }
    const TPoint na{static_cast<int>(std::lround(x0 + t0 * dx)), static_cast<int>(std::lround(y0 + t0 * dy))};
    const TPoint nb{static_cast<int>(std::lround(x0 + t1 * dx)), static_cast<int>(std::lround(y0 + t1 * dy))};
    endInside = t1 >= 1;
    a = na;
    b = nb;
    return true;
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
        // Even-odd rule at the pixel centres, each run widened by half a pixel: a slanted edge
        // then meets its outline, and upright edges stay where they are.
        int top = points[0].Y, bottom = points[0].Y;
        for (const TPoint& p : points) {
            top = std::min(top, p.Y);
            bottom = std::max(bottom, p.Y);
        }
        // Only the rows and columns of the clip area are scanned.
        top = std::max(top, FClip.Top - FOrigin.Y);
        bottom = std::min(bottom, FClip.Bottom - FOrigin.Y);
        const double left = FClip.Left - FOrigin.X, right = FClip.Right - FOrigin.X;
        for (int y = top; y <= bottom; ++y) {
            const double cy = y + 0.5;
            std::vector<double> xs;
            for (std::size_t i = 0; i < points.size(); ++i) {
                const TPoint& a = points[i];
                const TPoint& b = points[(i + 1) % points.size()];
                if ((a.Y <= cy) == (b.Y <= cy)) continue;
                xs.push_back(a.X + (cy - a.Y) * (static_cast<double>(b.X) - a.X) /
                                       (static_cast<double>(b.Y) - a.Y));
            }
            std::sort(xs.begin(), xs.end());
            for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
                const double from = std::max(xs[i] - 0.5, left - 1),
                             to = std::min(xs[i + 1] + 0.5, right + 1);
                for (int x = static_cast<int>(std::floor(from + 0.5)); x + 0.5 < to; ++x)
                    Put(x, y, fill, FClip);
            }
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
    if (FPen.Style() == psClear || c == clNone || Empty(r)) return;
    // The frame lies inside the rectangle: four bands of the pen's width.
    const int w = std::max(FPen.Width(), 1);
    if (FPen.Style() == psSolid) {
        Fill(Rect(r.Left, r.Top, r.Right, Add(r.Top, w)), c);
        Fill(Rect(r.Left, Add(r.Bottom, -w), r.Right, r.Bottom), c);
        Fill(Rect(r.Left, r.Top, Add(r.Left, w), r.Bottom), c);
        Fill(Rect(Add(r.Right, -w), r.Top, r.Right, r.Bottom), c);
        return;
    }
    const int d = w / 2;
    const int l = Add(r.Left, d), t = Add(r.Top, d), rr = Add(r.Right, -1 - (w - 1 - d)),
              b = Add(r.Bottom, -1 - (w - 1 - d));
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

void TPixelCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap)
{
    const auto& px = bitmap.Pixels();
    const long long w = static_cast<long long>(r.Right) - r.Left,
                    h = static_cast<long long>(r.Bottom) - r.Top;
    if (px.empty() || w <= 0 || h <= 0) return;
    const TRect visible = Intersect(r, Moved(FClip, {-FOrigin.X, -FOrigin.Y}));
    for (int y = visible.Top; y < visible.Bottom; ++y)
        for (int x = visible.Left; x < visible.Right; ++x) {
            // the source pixel whose cell holds the target pixel's centre
            const auto col =
                static_cast<int>(((static_cast<long long>(x) - r.Left) * 2 + 1) * bitmap.Width() / (2 * w));
            const auto row =
                static_cast<int>(((static_cast<long long>(y) - r.Top) * 2 + 1) * bitmap.Height() / (2 * h));
            const TColor c = px[static_cast<std::size_t>(row * bitmap.Width() + col)];
            if (bitmap.Transparent() && c == bitmap.TransparentColor()) continue;
            Put(x, y, RealColor(c), FClip);
        }
}

void TPixelCanvas::ButtonFace(const TRect& r, int bevelWidth, bool isDown, bool isFocused)
{
    if (Empty(r)) return;
    Fill(r, clBtnFace);
    auto frame = [&](const TRect& f, TColor topLeft, TColor bottomRight) {
        if (Empty(f)) return;
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
    if (Empty(r)) return;
    // Only the dots within the clip area are visited: a frame may reach far beyond the picture.
    const TRect c = Moved(FClip, {-FOrigin.X, -FOrigin.Y});
    auto first = [](int start, int lo) {
        const long long gap = static_cast<long long>(lo) - start;
        return gap <= 0 ? static_cast<long long>(start) : start + (gap + 1) / 2 * 2;
    };
    for (long long x = first(r.Left, c.Left); x < std::min(r.Right, c.Right); x += 2) {
        Put(static_cast<int>(x), r.Top, clBlack, FClip);
        Put(static_cast<int>(x), r.Bottom - 1, clBlack, FClip);
    }
    for (long long y = first(r.Top, c.Top); y < std::min(r.Bottom, c.Bottom); y += 2) {
        Put(r.Left, static_cast<int>(y), clBlack, FClip);
        Put(r.Right - 1, static_cast<int>(y), clBlack, FClip);
    }
}

void TPixelCanvas::CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect)
{
    // Only a canvas on pixels can be read back.
    auto* from = dynamic_cast<TPixelCanvas*>(&src);
    // A destination far larger than any picture is refused rather than copied pixel by pixel.
    if (!from || Empty(srcRect) || Empty(dest) || Area(dest) > 1LL << 26) return;
    const long long w = static_cast<long long>(dest.Right) - dest.Left,
                    h = static_cast<long long>(dest.Bottom) - dest.Top;
    const long long sw = static_cast<long long>(srcRect.Right) - srcRect.Left,
                    sh = static_cast<long long>(srcRect.Bottom) - srcRect.Top;
    std::vector<TColor> part(static_cast<std::size_t>(w * h));
    for (long long y = 0; y < h; ++y)
        for (long long x = 0; x < w; ++x)
            part[static_cast<std::size_t>(y * w + x)] = from->PixelAt(
                static_cast<int>(srcRect.Left + x * sw / w), static_cast<int>(srcRect.Top + y * sh / h));
    for (long long y = 0; y < h; ++y)
        for (long long x = 0; x < w; ++x)
            if (const TColor c = part[static_cast<std::size_t>(y * w + x)]; c != clNone)
                Put(static_cast<int>(dest.Left + x), static_cast<int>(dest.Top + y), c, FClip);
}

void TPixelCanvas::DrawImage(int, int, const TImageList&, int, bool) {}

void TPixelCanvas::Text(int x, int y, const String& text, const TRect& clip)
{
    const TColor color = RealColor(FFont.Color());
    TFonts& fonts = TFonts::Get();
    std::lock_guard<std::mutex> lock(fonts.Lock);
    FT_Face face = fonts.Face(FFont);
    auto toInt = [](long long v) {
        return static_cast<int>(
            std::clamp(v, static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
    };
    const long long baseline = static_cast<long long>(y) + Ascent(face);
    long long pen = x;
    for (char32_t cp : CodePoints(text)) {
        if (FT_Load_Char(face, cp, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot g = face->glyph;
        if (color != clNone)
            for (unsigned row = 0; row < g->bitmap.rows; ++row)
                for (unsigned col = 0; col < g->bitmap.width; ++col) {
                    const unsigned a = g->bitmap.buffer[row * static_cast<unsigned>(g->bitmap.pitch) + col];
                    if (a == 0) continue;
                    const int px = toInt(pen + g->bitmap_left + col);
                    const int py = toInt(baseline - g->bitmap_top + row);
                    const TColor under = PixelAt(px, py);
                    if (under != clNone) Put(px, py, Blend(under, color, a), clip);
                }
        pen += (g->advance.x + 32) >> 6;
    }
    if (color == clNone) return;
    if (FFont.Style() & fsUnderline)
        for (long long i = x; i < pen; ++i) Put(toInt(i), toInt(baseline + 1), color, clip);
    if (FFont.Style() & fsStrikeOut)
        for (long long i = x; i < pen; ++i) Put(toInt(i), toInt(baseline - Ascent(face) / 3), color, clip);
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
        const TPoint origin{Add(at.X, c->Left()), Add(at.Y, c->Top())};
        const TRect own =
            Intersect(Rect(origin.X, origin.Y, Add(origin.X, c->Width()), Add(origin.Y, c->Height())), clip);
        if (Empty(own)) continue;
        {
            TPixelCanvas canvas(image, origin, own);
            c->PaintTo(canvas);
        }
        PaintTree(c, image, origin, own);
    }
}

}  // namespace

TPixelImage PaintControlPicture(TControl* control)
{
    TColor behind = clWhite;
    for (TControl* p = control->Parent(); p; p = p->Parent())
        if (RealColor(p->Color()) != clNone) {
            behind = p->Color();
            break;
        }
    TPixelImage image(std::max(control->Width(), 1), std::max(control->Height(), 1), behind);
    {
        TPixelCanvas canvas(image);
        control->PaintTo(canvas);
    }
    PaintTree(control, image, {0, 0}, Rect(0, 0, image.Width(), image.Height()));
    return image;
}

TPixelImage PaintFormPicture(TControl* form)
{
    const TRect client = form->ClientRect();
    TPixelImage image(client.Width(), client.Height(),
                      RealColor(form->Color()) == clNone ? clBtnFace : form->Color());
    PaintTree(form, image, {0, 0}, Rect(0, 0, image.Width(), image.Height()));
    return image;
}

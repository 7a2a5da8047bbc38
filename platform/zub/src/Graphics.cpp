#include "zub/Graphics.h"

#include "zub/ColorIdents.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "media/Jpeg.h"
#include "media/Picture.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"
#include "zub/ImgList.h"

const std::vector<TColorIdent>& ColorIdents()
{
    static const std::vector<TColorIdent> names{{"clBlack", clBlack},
                                                {"clMaroon", clMaroon},
                                                {"clGreen", clGreen},
                                                {"clOlive", clOlive},
                                                {"clNavy", clNavy},
                                                {"clPurple", clPurple},
                                                {"clTeal", clTeal},
                                                {"clGray", clGray},
                                                {"clSilver", clSilver},
                                                {"clRed", clRed},
                                                {"clLime", clLime},
                                                {"clYellow", clYellow},
                                                {"clBlue", clBlue},
                                                {"clFuchsia", clFuchsia},
                                                {"clAqua", clAqua},
                                                {"clWhite", clWhite},
                                                {"clMoneyGreen", clMoneyGreen},
                                                {"clSkyBlue", clSkyBlue},
                                                {"clCream", clCream},
                                                {"clMedGray", clMedGray},
                                                {"clBtnFace", clBtnFace},
                                                {"clBtnText", clBtnText},
                                                {"clWindow", clWindow},
                                                {"clWindowText", clWindowText},
                                                {"clHighlight", clHighlight},
                                                {"clHighlightText", clHighlightText},
                                                {"clGrayText", clGrayText},
                                                {"clInfoBk", clInfoBk},
                                                {"clNone", clNone},
                                                {"clDefault", clDefault}};
    return names;
}

bool IdentToColor(const String& ident, TColor& color)
{
    for (const auto& c : ColorIdents())
        if (SameText(c.Name, ident)) {
            color = c.Color;
            return true;
        }
    return false;
}

bool ColorToIdent(TColor color, String& ident)
{
    for (const auto& c : ColorIdents())
        if (c.Color == color) {
            ident = c.Name;
            return true;
        }
    return false;
}

// ---- TFont

TFont::TFont(const TFont& other) : TObject()
{
    std::lock_guard g(other.FLock);
    FName = other.FName;
    FSize = other.FSize;
    FHeight = other.FHeight;
    FColor = other.FColor;
    FStyle = other.FStyle;
}

TFont& TFont::operator=(const TFont& other)
{
    if (this == &other) return *this;
    {
        std::scoped_lock g(FLock, other.FLock);
        FName = other.FName;
        FSize = other.FSize;
        FHeight = other.FHeight;
        FColor = other.FColor;
        FStyle = other.FStyle;
    }
    Changed();
    return *this;
}

void TFont::Changed()
{
    if (OnChange) OnChange();
}

#define ZUB_FONT_PROP(Type, Get, Set, Field)                                                                 \
    Type TFont::Get() const                                                                                  \
    {                                                                                                        \
        std::lock_guard g(FLock);                                                                            \
        return Field;                                                                                        \
    }                                                                                                        \
    void TFont::Set(Type v)                                                                                  \
    {                                                                                                        \
        {                                                                                                    \
            std::lock_guard g(FLock);                                                                        \
            if (Field == v) return;                                                                          \
            Field = v;                                                                                       \
        }                                                                                                    \
        Changed();                                                                                           \
    }
ZUB_FONT_PROP(TColor, Color, SetColor, FColor)
ZUB_FONT_PROP(TFontStyles, Style, SetStyle, FStyle)
#undef ZUB_FONT_PROP

String TFont::Name() const
{
    std::lock_guard g(FLock);
    return FName;
}

void TFont::SetName(const String& name)
{
    {
        std::lock_guard g(FLock);
        if (FName == name) return;
        FName = name;
    }
    Changed();
}

int TFont::Size() const
{
    std::lock_guard g(FLock);
    return FSize;
}

void TFont::SetSize(int size)
{
    {
        std::lock_guard g(FLock);
        if (FSize == size) return;
        FSize = size;
        FHeight = -((size * 96 + 36) / 72);
    }
    Changed();
}

int TFont::Height() const
{
    std::lock_guard g(FLock);
    return FHeight;
}

void TFont::SetHeight(int height)
{
    {
        std::lock_guard g(FLock);
        if (FHeight == height) return;
        FHeight = height;
        // 96 pixels an inch, 72 points an inch.
        int px = height < 0 ? -height : height;
        FSize = (px * 72 + 48) / 96;
    }
    Changed();
}

// ---- TRecordingCanvas

// ---- TCanvas

void TCanvas::LineTo(int x, int y)
{
    Line(FPenPos, {x, y});
    FPenPos = {x, y};
}

TRect TCanvas::ButtonFaceInner(const TRect& r, int bevelWidth)
{
    const int d = 1 + std::max(bevelWidth, 0);
    return {r.Left + d, r.Top + d, r.Right - d, r.Bottom - d};
}

TRect TCanvas::DrawButtonFace(const TRect& r, int bevelWidth, bool isDown, bool isFocused)
{
    ButtonFace(r, bevelWidth, isDown, isFocused);
    return ButtonFaceInner(r, bevelWidth);
}

void TCanvas::Frame3D(TRect& r, TColor topColor, TColor bottomColor, int width)
{
    const TColor keep = FPen.Color();
    const int keepWidth = FPen.Width();
    FPen.SetWidth(1);
    for (int i = 0; i < width; ++i) {
        FPen.SetColor(topColor);
        MoveTo(r.Left, r.Bottom - 1);
        LineTo(r.Left, r.Top);
        LineTo(r.Right - 1, r.Top);
        FPen.SetColor(bottomColor);
        LineTo(r.Right - 1, r.Bottom - 1);
        LineTo(r.Left - 1, r.Bottom - 1);
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
    FPen.SetColor(keep);
    FPen.SetWidth(keepWidth);
}

// ---- TRecordingCanvas

TCanvasOp TRecordingCanvas::Op(TCanvasOp::TKind kind)
{
    TCanvasOp op{};
    op.Kind = kind;
    op.Brush = FBrush.Color();
    op.FontColor = FFont.Color();
    op.Pen = FPen.Color();
    op.PenWidth = FPen.Width();
    op.PenStyle = FPen.Style();
    op.BrushStyle = FBrush.Style();
    op.Opaque = OpaqueText();
    op.FontStyle = FFont.Style();
    return op;
}

void TRecordingCanvas::Line(const TPoint& from, const TPoint& to)
{
    TCanvasOp op = Op(TCanvasOp::Line);
    op.Points = {from, to};
    Record(op);
}

void TRecordingCanvas::Polyline(const std::vector<TPoint>& points)
{
    TCanvasOp op = Op(TCanvasOp::Polyline);
    op.Points = points;
    Record(op);
}

void TRecordingCanvas::Polygon(const std::vector<TPoint>& points)
{
    TCanvasOp op = Op(TCanvasOp::Polygon);
    op.Points = points;
    Record(op);
}

void TRecordingCanvas::Rectangle(const TRect& r)
{
    TCanvasOp op = Op(TCanvasOp::Rectangle);
    op.R = r;
    Record(op);
}

void TRecordingCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    TCanvasOp op = Op(TCanvasOp::Bitmap);
    op.At = {x, y};
    op.R = {x, y, x + bitmap.Width(), y + bitmap.Height()};
    op.Text = bitmap.Name();
    Record(op);
}

void TRecordingCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap)
{
    TCanvasOp op = Op(TCanvasOp::Bitmap);
    op.At = {r.Left, r.Top};
    op.R = r;
    op.Text = bitmap.Name();
    Record(op);
}

void TRecordingCanvas::ButtonFace(const TRect& r, int bevelWidth, bool isDown, bool isFocused)
{
    TCanvasOp op = Op(TCanvasOp::ButtonFace);
    op.R = r;
    op.Index = bevelWidth;
    op.Down = isDown;
    op.Focused = isFocused;
    Record(op);
}

void TRecordingCanvas::Record(const TCanvasOp& op)
{
    if (FMaxOps > 0 && FOps.size() >= FMaxOps)
        FOps.erase(FOps.begin(), FOps.begin() + static_cast<long>(FMaxOps / 2));
    FOps.push_back(op);
}

void TRecordingCanvas::FillRect(const TRect& r)
{
    TCanvasOp op = Op(TCanvasOp::FillRect);
    op.R = r;
    Record(op);
}

void TRecordingCanvas::TextOut(int x, int y, const String& text)
{
    TCanvasOp op = Op(TCanvasOp::TextOut);
    op.At = {x, y};
    op.Text = text;
    Record(op);
}

void TRecordingCanvas::TextRect(const TRect& r, int x, int y, const String& text)
{
    TCanvasOp op = Op(TCanvasOp::TextRect);
    op.R = r;
    op.At = {x, y};
    op.Text = text;
    Record(op);
}

int TRecordingCanvas::TextWidth(const String& text)
{
    int n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n * CharWidth;
}

int TRecordingCanvas::TextHeight(const String&) { return LineHeight; }

void TRecordingCanvas::DrawFocusRect(const TRect& r)
{
    TCanvasOp op = Op(TCanvasOp::FocusRect);
    op.R = r;
    Record(op);
}

void TRecordingCanvas::CopyRect(const TRect& dest, TCanvas&, const TRect& srcRect)
{
    TCanvasOp op = Op(TCanvasOp::CopyRect);
    op.R = dest;
    op.Source = srcRect;
    Record(op);
}

void TRecordingCanvas::DrawImage(int x, int y, const TImageList& images, int index, bool enabled)
{
    TCanvasOp op = Op(TCanvasOp::Image);
    op.R = {x, y, x + images.Width(), y + images.Height()};
    op.At = {x, y};
    op.Index = index;
    op.Enabled = enabled;
    Record(op);
}

// ---- TBitmap

namespace {

std::mutex& MakerLock()
{
    static std::mutex m;
    return m;
}

TBitmapCanvasMaker& Maker()
{
    static TBitmapCanvasMaker maker;
    return maker;
}

}  // namespace

TBitmapCanvasMaker SetBitmapCanvasMaker(TBitmapCanvasMaker maker)
{
    std::lock_guard<std::mutex> g(MakerLock());
    std::swap(Maker(), maker);
    return maker;
}

void TBitmap::SetWidth(int w)
{
    if (w != FWidth) FCanvas.reset();
    FWidth = w;
}

void TBitmap::SetHeight(int h)
{
    if (h != FHeight) FCanvas.reset();
    FHeight = h;
}

TCanvas& TBitmap::Canvas()
{
    if (!FCanvas) {
        TBitmapCanvasMaker maker;
        {
            std::lock_guard<std::mutex> g(MakerLock());
            maker = Maker();
        }
        if (maker) FCanvas = maker(FWidth, FHeight);
        if (!FCanvas) FCanvas = std::make_unique<TRecordingCanvas>(TRecordingCanvas::IdleLimit);
    }
    return *FCanvas;
}

namespace {
const std::uint8_t* Data(const String& b) { return reinterpret_cast<const std::uint8_t*>(b.data()); }
}  // namespace

void TBitmap::LoadFromBmpBytes(const String& b)
{
    media::Image image;
    try {
        image = media::DecodeBmp(Data(b), b.size());
    } catch (const media::Error&) {
        throw EInvalidGraphic("Bitmap image is not valid");
    }
    std::vector<TColor> px(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    for (std::size_t i = 0; i < px.size(); ++i) {
        const std::uint8_t* p = image.rgb.data() + i * 3;
        px[i] = static_cast<TColor>(p[0] | (p[1] << 8) | (p[2] << 16));  // 0x00BBGGRR
    }
    if (image.width != FWidth || image.height != FHeight) FCanvas.reset();
    FWidth = image.width;
    FHeight = image.height;
    FPixels = std::move(px);
}

void TBitmap::LoadFromResourceName(const void* module, const String& name)
{
    LoadFromBmpBytes(LoadResourceData(module, RT_BITMAP, name));
    FName = name;
}

TColor TBitmap::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight || FPixels.empty()) return clNone;
    return FPixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(FWidth) +
                   static_cast<std::size_t>(x)];
}

// ---- pictures

namespace {

unsigned U16LE(const String& b, std::size_t at)
{
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}

std::uint32_t U32BE(const String& b, std::size_t at)
{
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

std::int32_t I32LE(const String& b, std::size_t at)
{
    std::uint32_t v = 0;
    for (std::size_t i = 4; i-- > 0;) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return static_cast<std::int32_t>(v);
}

}  // namespace

TPictureFormat DetectPictureFormat(const String& b)
{
    switch (media::SniffPicture(Data(b), b.size())) {
    case media::PictureFormat::Gif: return TPictureFormat::Gif;
    case media::PictureFormat::Jpeg: return TPictureFormat::Jpeg;
    case media::PictureFormat::Bmp: return TPictureFormat::Bmp;
    case media::PictureFormat::Png: return TPictureFormat::Png;
    case media::PictureFormat::None: break;
    }
    return TPictureFormat::None;
}

TPicture::TPicture(const TPicture& other) : TObject()
{
    std::lock_guard g(other.FLock);
    FBytes = other.FBytes;
    FFormat = other.FFormat;
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FPixels = other.FPixels;
}

TPicture& TPicture::operator=(const TPicture& other)
{
    if (this == &other) return *this;
    {
        std::scoped_lock g(FLock, other.FLock);
        FBytes = other.FBytes;
        FFormat = other.FFormat;
        FWidth = other.FWidth;
        FHeight = other.FHeight;
        FPixels = other.FPixels;
    }
    if (OnChange) OnChange();
    return *this;
}

void TPicture::LoadFromFile(const String& fileName)
{
    String bytes = ReadFileBytes(fileName);
    try {
        LoadFromBytes(bytes);
    } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic(fileName + ": " + e.Message());
    }
}

void TPicture::LoadFromIconResource(const void* module, const String& name)
{
    LoadFromBytes(LoadResourceData(module, RT_ICON, name));
}

void TPicture::LoadFromBytes(const String& bytes)
{
    TPictureFormat format = DetectPictureFormat(bytes);
    int w = 0, h = 0;
    std::vector<std::uint8_t> pixels;
    switch (format) {
    case TPictureFormat::None: throw EInvalidGraphic("unknown picture format");
    case TPictureFormat::Gif:
        w = static_cast<int>(U16LE(bytes, 6));
        h = static_cast<int>(U16LE(bytes, 8));
        break;
    case TPictureFormat::Png:
        w = static_cast<int>(U32BE(bytes, 16));
        h = static_cast<int>(U32BE(bytes, 20));
        break;
    case TPictureFormat::Bmp:
        w = I32LE(bytes, 18);
        h = I32LE(bytes, 22);
        if (h < 0) h = -h;  // top-down bitmap
        break;
    case TPictureFormat::Jpeg: {
        try {
            media::Image img = media::DecodeJpeg(Data(bytes), bytes.size());
            w = img.width;
            h = img.height;
            pixels = std::move(img.rgb);
        } catch (const media::Error& e) {
            String message = e.what();
            if (message.rfind("JPEG: ", 0) == 0) message.erase(0, 6);
            throw EInvalidGraphic("broken JPEG picture (" + message + ")");
        }
        break;
    }
    }
    {
        std::lock_guard g(FLock);
        FBytes = bytes;
        FFormat = format;
        FWidth = w;
        FHeight = h;
        FPixels = std::move(pixels);
    }
    if (OnChange) OnChange();
}

void TPicture::SaveToFile(const String& fileName) const
{
    String bytes = Bytes();
    if (bytes.empty()) throw EInvalidGraphic("cannot save an empty picture to " + fileName);
    AtomicWriteFile(fileName, bytes);
}

void TPicture::Clear()
{
    {
        std::lock_guard g(FLock);
        FBytes.clear();
        FFormat = TPictureFormat::None;
        FWidth = FHeight = 0;
        FPixels.clear();
    }
    if (OnChange) OnChange();
}

bool TPicture::Empty() const
{
    std::lock_guard g(FLock);
    return FBytes.empty();
}

TPictureFormat TPicture::Format() const
{
    std::lock_guard g(FLock);
    return FFormat;
}

int TPicture::Width() const
{
    std::lock_guard g(FLock);
    return FWidth;
}

int TPicture::Height() const
{
    std::lock_guard g(FLock);
    return FHeight;
}

String TPicture::Bytes() const
{
    std::lock_guard g(FLock);
    return FBytes;
}

std::vector<std::uint8_t> TPicture::Pixels() const
{
    std::lock_guard g(FLock);
    return FPixels;
}

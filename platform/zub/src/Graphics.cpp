#include "zub/Graphics.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <map>

#include <jpeglib.h>

#include "rtl/Files.h"
#include "zub/ImgList.h"

bool IdentToColor(const String& ident, TColor& color)
{
    static const std::map<String, TColor> names{{"clBlack", clBlack},
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
    for (const auto& [name, value] : names)
        if (SameText(name, ident)) {
            color = value;
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

TCanvasOp TRecordingCanvas::Op(TCanvasOp::TKind kind)
{
    TCanvasOp op{kind, {}, {}, {}, FBrush.Color(), FFont.Color(), {}, -1, true};
    return op;
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

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void JpegErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void JpegSilence(j_common_ptr, int) {}

// Decodes to RGB; returns false (with the library's message) on a broken file. Kept free of
// C++ objects with destructors between setjmp and longjmp.
bool DecodeJpeg(const String& bytes, int& width, int& height, std::vector<std::uint8_t>& pixels,
                String& message)
{
    jpeg_decompress_struct cinfo;
    JpegError err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegErrorExit;
    err.mgr.emit_message = JpegSilence;
    err.message[0] = 0;
    std::uint8_t* out = nullptr;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::free(out);
        message = err.message;
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const std::size_t stride = static_cast<std::size_t>(cinfo.output_width) * 3;
    out = static_cast<std::uint8_t*>(std::malloc(stride * cinfo.output_height + 1));
    if (!out) {
        jpeg_destroy_decompress(&cinfo);
        message = "out of memory";
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    width = static_cast<int>(cinfo.output_width);
    height = static_cast<int>(cinfo.output_height);
    jpeg_destroy_decompress(&cinfo);
    pixels.assign(out, out + stride * static_cast<std::size_t>(height));
    std::free(out);
    return true;
}

}  // namespace

TPictureFormat DetectPictureFormat(const String& b)
{
    if (b.size() >= 10 && (b.compare(0, 6, "GIF87a") == 0 || b.compare(0, 6, "GIF89a") == 0))
        return TPictureFormat::Gif;
    if (b.size() >= 4 && static_cast<unsigned char>(b[0]) == 0xFF &&
        static_cast<unsigned char>(b[1]) == 0xD8 && static_cast<unsigned char>(b[2]) == 0xFF)
        return TPictureFormat::Jpeg;
    if (b.size() >= 24 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 && b.compare(12, 4, "IHDR") == 0)
        return TPictureFormat::Png;
    if (b.size() >= 26 && b[0] == 'B' && b[1] == 'M') return TPictureFormat::Bmp;
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
        String message;
        if (!DecodeJpeg(bytes, w, h, pixels, message))
            throw EInvalidGraphic("broken JPEG picture (" + message + ")");
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

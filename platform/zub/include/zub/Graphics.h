#pragma once
// Colours, fonts, the canvas interface (with a recording canvas for headless runs) and pictures.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "rtl/Classes.h"

// 0x00BBGGRR.
using TColor = std::int32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
// Desktop colours, fixed here; a view may map them to its theme.
constexpr TColor clBtnFace = 0xF0F0F0;
constexpr TColor clBtnText = 0x000000;
constexpr TColor clWindow = 0xFFFFFF;
constexpr TColor clWindowText = 0x000000;
constexpr TColor clHighlight = 0xD77800;
constexpr TColor clHighlightText = 0xFFFFFF;
constexpr TColor clGrayText = 0x6D6D6D;
constexpr TColor clInfoBk = 0xE1FFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// Colour constant by name ("clRed"), for the layout reader; false when unknown.
bool IdentToColor(const String& ident, TColor& color);

struct TPoint {
    int X = 0, Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};
inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;  // bits of TFontStyle

// Font of a control or a canvas. Safe to use from any thread; OnChange runs after every change
// (a control posts its change notice from it).
class TFont : public TObject {
public:
    TFont() = default;
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);  // takes the values, keeps OnChange

    String Name() const;
    void SetName(const String& name);
    int Size() const;  // points
    void SetSize(int size);
    // Character height in pixels; negative values as the layout writes them (-13 = 13 pixels).
    int Height() const;
    void SetHeight(int height);
    TColor Color() const;
    void SetColor(TColor color);
    TFontStyles Style() const;
    void SetStyle(TFontStyles style);

    std::function<void()> OnChange;

private:
    void Changed();
    mutable std::mutex FLock;
    String FName = "Tahoma";
    int FSize = 8;
    int FHeight = -11;
    TColor FColor = clWindowText;
    TFontStyles FStyle = 0;
};

enum TBrushStyle { bsSolid, bsClear };

class TBrush {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor c) { FColor = c; }
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle s) { FStyle = s; }

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

enum TPenStyle { psSolid, psDash, psDot, psClear };

class TPen {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor c) { FColor = c; }
    int Width() const { return FWidth; }
    void SetWidth(int w) { FWidth = w; }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle s) { FStyle = s; }

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
};

// Whether text cells take the brush colour first (opaque) or leave what is under them.
enum TBackgroundMode { bmOpaque, bmTransparent };

class TImageList;
class TBitmap;

// Drawing surface. Coordinates are pixels of the painted control. Used on one thread at a time
// (the user-interface thread paints).
//
// Fills use the brush (nothing with bsClear), lines and frames the pen (nothing with psClear).
// Text cells take the brush colour first unless the brush is clear or the background mode is
// transparent.
class TCanvas : public TObject {
public:
    TBrush& Brush() { return FBrush; }
    TFont& Font() { return FFont; }
    TPen& Pen() { return FPen; }
    TBackgroundMode BackgroundMode() const { return FBackgroundMode; }
    void SetBackgroundMode(TBackgroundMode m) { FBackgroundMode = m; }
    // The area being painted (the control's client rectangle while it paints).
    TRect ClipRect() const { return FClipRect; }
    void SetClipRect(const TRect& r) { FClipRect = r; }

    // Line from the pen position to (x, y); the end point itself is not set. The pen moves there.
    void MoveTo(int x, int y) { FPenPos = {x, y}; }
    void LineTo(int x, int y);
    TPoint PenPos() const { return FPenPos; }
    // Lines through the points with the pen.
    virtual void Polyline(const std::vector<TPoint>& points) = 0;
    // Closed shape filled with the brush and outlined with the pen.
    virtual void Polygon(const std::vector<TPoint>& points) = 0;
    // r filled with the brush and framed with the pen (the frame lies inside r).
    virtual void Rectangle(const TRect& r) = 0;
    // Draws the bitmap with its top-left corner at (x, y); a transparent bitmap leaves its
    // transparent colour's pixels out.
    virtual void Draw(int x, int y, const TBitmap& bitmap) = 0;
    // The same, stretched (or shrunk) to fill r.
    virtual void StretchDraw(const TRect& r, const TBitmap& bitmap) = 0;
    // Push-button face over r: bevels of the given width, sunk when down, a focus frame when
    // focused. Returns the inner rectangle (r less the frame and the bevels).
    TRect DrawButtonFace(const TRect& r, int bevelWidth, bool isDown, bool isFocused);
    static TRect ButtonFaceInner(const TRect& r, int bevelWidth);
    // 3-D frame of the given width inside r: top and left in topColor, bottom and right in
    // bottomColor; r shrinks by the width.
    void Frame3D(TRect& r, TColor topColor, TColor bottomColor, int width);

    virtual void FillRect(const TRect& r) = 0;
    virtual void TextOut(int x, int y, const String& text) = 0;
    // Text at (x, y), clipped to r.
    virtual void TextRect(const TRect& r, int x, int y, const String& text) = 0;
    virtual int TextWidth(const String& text) = 0;
    virtual int TextHeight(const String& text) = 0;
    virtual void DrawFocusRect(const TRect& r) = 0;
    // Copies srcRect of src into dest (src may be this canvas).
    virtual void CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect) = 0;
    // Draws icon `index` of an image list at (x, y).
    virtual void DrawImage(int x, int y, const TImageList& images, int index, bool enabled) = 0;

protected:
    virtual void Line(const TPoint& from, const TPoint& to) = 0;
    virtual void ButtonFace(const TRect& r, int bevelWidth, bool isDown, bool isFocused) = 0;
    // Whether text cells are filled first.
    bool OpaqueText() const { return FBrush.Style() == bsSolid && FBackgroundMode == bmOpaque; }
    TBrush FBrush;
    TFont FFont;
    TPen FPen;
    TBackgroundMode FBackgroundMode = bmOpaque;
    TRect FClipRect;
    TPoint FPenPos;
};

// One drawing call, as the recording canvas keeps it.
struct TCanvasOp {
    enum TKind {
        FillRect,
        TextOut,
        TextRect,
        FocusRect,
        CopyRect,
        Image,
        Line,
        Polyline,
        Polygon,
        Rectangle,
        Bitmap,
        ButtonFace
    } Kind;
    TRect R;  // target rectangle (TextOut: empty)
    TPoint At;  // text or image position
    String Text;  // text drawn; Bitmap: the bitmap's name
    TColor Brush = clWhite;
    TColor FontColor = clBlack;
    TRect Source;  // CopyRect: source rectangle
    int Index = -1;  // Image: icon index; ButtonFace: bevel width
    bool Enabled = true;
    std::vector<TPoint> Points;  // Line (from, to), Polyline, Polygon
    TColor Pen = clBlack;
    int PenWidth = 1;
    TPenStyle PenStyle = psSolid;
    TBrushStyle BrushStyle = bsSolid;
    bool Opaque = true;  // text: whether its cells were filled
    TFontStyles FontStyle = 0;
    bool Down = false, Focused = false;  // ButtonFace
};

// Canvas without a display: records every call. Fixed metrics: each character (UTF-8 code point)
// is CharWidth pixels wide, every text LineHeight pixels high.
class TRecordingCanvas : public TCanvas {
public:
    static constexpr int CharWidth = 7;
    static constexpr int LineHeight = 13;
    // Canvases nobody shows (a control's outside painting, an off-screen bitmap) keep only
    // their latest calls, so a timer drawing on them every few ms does not grow memory.
    static constexpr std::size_t IdleLimit = 1024;

    // maxOps 0: keeps every call.
    explicit TRecordingCanvas(std::size_t maxOps = 0) : FMaxOps(maxOps) {}

    void FillRect(const TRect& r) override;
    void TextOut(int x, int y, const String& text) override;
    void TextRect(const TRect& r, int x, int y, const String& text) override;
    int TextWidth(const String& text) override;
    int TextHeight(const String& text) override;
    void DrawFocusRect(const TRect& r) override;
    void CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect) override;
    void DrawImage(int x, int y, const TImageList& images, int index, bool enabled) override;
    void Polyline(const std::vector<TPoint>& points) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void Rectangle(const TRect& r) override;
    void Draw(int x, int y, const TBitmap& bitmap) override;
    void StretchDraw(const TRect& r, const TBitmap& bitmap) override;  // a Bitmap op over r

    const std::vector<TCanvasOp>& Ops() const { return FOps; }
    void Clear() { FOps.clear(); }

protected:
    void Line(const TPoint& from, const TPoint& to) override;
    void ButtonFace(const TRect& r, int bevelWidth, bool isDown, bool isFocused) override;

private:
    TCanvasOp Op(TCanvasOp::TKind kind);
    void Record(const TCanvasOp& op);
    std::vector<TCanvasOp> FOps;
    std::size_t FMaxOps;
};

// Makes the canvas of a bitmap of the given size. A view that draws with pixels installs one, so
// what is copied into a bitmap keeps its pixels; without one a bitmap's canvas records.
using TBitmapCanvasMaker = std::function<std::unique_ptr<TCanvas>(int width, int height)>;
// Returns the maker it replaces.
TBitmapCanvasMaker SetBitmapCanvasMaker(TBitmapCanvasMaker maker);

// Off-screen picture with a canvas (headless: the canvas records). A bitmap loaded from a BMP
// file's bytes keeps its decoded pixels, which is what a canvas draws of it.
class TBitmap : public TObject {
public:
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // A new size gives the bitmap a new, empty canvas.
    void SetWidth(int w);
    void SetHeight(int h);
    // Made at first use, by the installed maker when there is one.
    TCanvas& Canvas();

    // Takes the bytes of an uncompressed BMP file (1, 4, 8, 24 or 32 bits a pixel);
    // EInvalidGraphic otherwise, the bitmap unchanged.
    void LoadFromBmpBytes(const String& bytes);
    // Loads the BMP bitmap resource `name` of a module (RT_BITMAP); EResNotFound when there is none.
    void LoadFromResourceName(const void* module, const String& name);
    // A label for what the bitmap shows (the resource name it was loaded from).
    String Name() const { return FName; }
    void SetName(const String& n) { FName = n; }
    // Colour of a decoded pixel; clNone outside the bitmap or without pixels.
    TColor Pixel(int x, int y) const;
    // 0x00BBGGRR a pixel, row by row from the top; empty when nothing was loaded.
    const std::vector<TColor>& Pixels() const { return FPixels; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool t) { FTransparent = t; }
    TColor TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TColor c) { FTransparentColor = c; }

private:
    int FWidth = 0, FHeight = 0;
    std::unique_ptr<TCanvas> FCanvas;
    String FName;
    std::vector<TColor> FPixels;
    bool FTransparent = false;
    TColor FTransparentColor = clNone;
};

class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

enum class TPictureFormat { None, Gif, Jpeg, Bmp, Png };

// A picture file held as its bytes: saving writes them back unchanged, so a picture survives a
// save and reload exactly. Width and height come from the file's header (JPEG: from decoding).
// Safe to use from any thread.
class TPicture : public TObject {
public:
    TPicture() = default;
    TPicture(const TPicture& other);
    TPicture& operator=(const TPicture& other);  // keeps OnChange

    // EFOpenError when the file cannot be read; EInvalidGraphic when it is no GIF, JPEG, BMP
    // or PNG picture. The picture is unchanged on error.
    void LoadFromFile(const String& fileName);
    // Takes the bytes of a picture file (same checks as LoadFromFile).
    void LoadFromBytes(const String& bytes);
    // Loads the icon resource `name` of a module (RT_ICON); EResNotFound when the module has
    // none, EInvalidGraphic when its bytes are no picture.
    void LoadFromIconResource(const void* module, const String& name);
    // Writes the bytes back atomically; EInvalidGraphic when the picture is empty.
    void SaveToFile(const String& fileName) const;
    void Assign(const TPicture& other) { *this = other; }
    void Clear();

    bool Empty() const;
    TPictureFormat Format() const;
    int Width() const;
    int Height() const;
    String Bytes() const;
    // Decoded pixels, 3 bytes (R, G, B) a pixel, row by row; decoded for JPEG only (a view
    // decodes the other formats itself); empty otherwise.
    std::vector<std::uint8_t> Pixels() const;

    std::function<void()> OnChange;

private:
    mutable std::mutex FLock;
    String FBytes;
    TPictureFormat FFormat = TPictureFormat::None;
    int FWidth = 0, FHeight = 0;
    std::vector<std::uint8_t> FPixels;
};

// Format told by content; None when unknown.
TPictureFormat DetectPictureFormat(const String& bytes);

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

class TBrush {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor c) { FColor = c; }

private:
    TColor FColor = clWhite;
};

class TImageList;

// Drawing surface. Coordinates are pixels of the painted control. Used on one thread at a time
// (the user-interface thread paints).
class TCanvas : public TObject {
public:
    TBrush& Brush() { return FBrush; }
    TFont& Font() { return FFont; }

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
    TBrush FBrush;
    TFont FFont;
};

// One drawing call, as the recording canvas keeps it.
struct TCanvasOp {
    enum TKind { FillRect, TextOut, TextRect, FocusRect, CopyRect, Image } Kind;
    TRect R;  // target rectangle (TextOut: empty)
    TPoint At;  // text or image position
    String Text;  // text drawn
    TColor Brush = clWhite;
    TColor FontColor = clBlack;
    TRect Source;  // CopyRect: source rectangle
    int Index = -1;  // Image: icon index
    bool Enabled = true;
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

    const std::vector<TCanvasOp>& Ops() const { return FOps; }
    void Clear() { FOps.clear(); }

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

// Off-screen picture with a canvas (headless: the canvas records).
class TBitmap : public TObject {
public:
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // A new size gives the bitmap a new, empty canvas.
    void SetWidth(int w);
    void SetHeight(int h);
    // Made at first use, by the installed maker when there is one.
    TCanvas& Canvas();

private:
    int FWidth = 0, FHeight = 0;
    std::unique_ptr<TCanvas> FCanvas;
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

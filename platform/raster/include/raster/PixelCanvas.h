#pragma once
// Pictures drawn without a display: a canvas on pixels of its own (text in the DejaVu fonts
// through FreeType), and the picture of a form as its controls paint themselves.
#include <vector>

#include "zub/Controls.h"
#include "zub/Graphics.h"

// width x height pixels, 0x00BBGGRR, row by row from the top.
class TPixelImage {
public:
    // EInvalidGraphic for a size outside 1 .. 8192.
    TPixelImage(int width, int height, TColor fill = clWhite);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // clNone outside the picture.
    TColor Pixel(int x, int y) const;
    // Outside the picture: nothing.
    void SetPixel(int x, int y, TColor c);
    // Replace the file atomically with the picture as PNG, or as JPEG (quality 1 .. 100).
    void SaveToPngFile(const String& fileName) const;
    void SaveToJpegFile(const String& fileName, int quality) const;

private:
    int FWidth, FHeight;
    std::vector<TColor> FPixels;
};

// Canvas drawing on a picture. Canvas coordinates (0, 0) lie at `origin` of the picture, and
// nothing is drawn outside `clip` (picture coordinates), so one picture can take the canvases of
// many controls. Desktop colours (0xFF0000nn) take fixed values; clNone and clDefault draw
// nothing. Icons of image lists are not drawn.
class TPixelCanvas : public TCanvas {
public:
    explicit TPixelCanvas(TPixelImage& image);
    TPixelCanvas(TPixelImage& image, TPoint origin, TRect clip);

    void FillRect(const TRect& r) override;
    void TextOut(int x, int y, const String& text) override;
    void TextRect(const TRect& r, int x, int y, const String& text) override;
    // The font's advance widths; the height is the font's line height. EFOpenError when the
    // font file cannot be read.
    int TextWidth(const String& text) override;
    int TextHeight(const String& text) override;
    void DrawFocusRect(const TRect& r) override;
    void CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect) override;
    void DrawImage(int x, int y, const TImageList& images, int index, bool enabled) override;
    void Polyline(const std::vector<TPoint>& points) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void Rectangle(const TRect& r) override;
    void Draw(int x, int y, const TBitmap& bitmap) override;
    void StretchDraw(const TRect& r, const TBitmap& bitmap) override;  // nearest pixel

    // The picture's colour under canvas point (x, y); clNone outside it.
    TColor PixelAt(int x, int y) const;

protected:
    void Line(const TPoint& from, const TPoint& to) override;
    void ButtonFace(const TRect& r, int bevelWidth, bool isDown, bool isFocused) override;

private:
    void Put(int x, int y, TColor c, const TRect& clip);
    void Fill(const TRect& r, TColor c);
    void PenDot(int x, int y, int width, TColor c);
    // Cuts the line a-b to the clip area (widened by the pen); false when it misses it. endInside:
    // b is still the line's own end point.
    bool CutToClip(TPoint& a, TPoint& b, bool& endInside) const;
    void Text(int x, int y, const String& text, const TRect& clip);
    TPixelImage& FImage;
    TPoint FOrigin;
    TRect FClip;  // picture coordinates
    unsigned FDashStep = 0;
};

// The picture of a form: its colour behind, then every visible control inside it painted by its
// own PaintTo on a canvas at the control's place, clipped to the control and its parents, parents
// before their children, in the order of the controls.
TPixelImage PaintFormPicture(TControl* form);
// The picture of one control as the form's picture shows it: the control and its children at its
// own size, on the colour of the nearest parent that has one (white without).
TPixelImage PaintControlPicture(TControl* control);

#pragma once
// Shared pieces of the Qt view: value conversions, the canvas on a QPainter, and the base of
// every control's widget.
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "zub/Controls.h"
#include "zub/Forms.h"

namespace zubqt {

inline QString Q(const String& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline String Z(const QString& s)
{
    QByteArray b = s.toUtf8();
    return String(b.constData(), static_cast<std::size_t>(b.size()));
}

QColor QtColor(TColor c);
// A control left at the desktop's face colour takes its parent's background (as a control with
// a parent colour does), so it paints no background of its own.
inline bool ParentColored(TColor c) { return c == clBtnFace || c == clNone || c == clDefault; }
QFont QtFont(const TFont& f);
// The picture decoded (cached by content); a null image when it is empty or undecodable.
QImage QtImage(const TPicture& p);
TShiftState ShiftOf(Qt::KeyboardModifiers m, Qt::MouseButtons b);
QCursor QtCursor(TCursor c);
// Desktop key code of a Qt key, 0 when it has none.
unsigned short VirtualKey(int qtKey);

// Runs a call into the model from a Qt event handler: an exception goes to the application's
// exception box instead of through Qt's event loop.
void Guarded(const std::function<void()>& f);

// Runs one of Qt's own modal loops (a message box, the print dialog) while zub's queues, notices
// and timers keep running.
void RunQtModal(const std::function<void()>& exec);

// A text the model painted: the line it takes (its advance by the font's height) and the
// rectangle it was clipped to (null for a text without one), in the painted widget's pixels.
struct TPaintedText {
    QString Text;
    QRect Line;
    QRect Clip;
};

// TCanvas drawing with a QPainter (on a widget being painted, or on an image).
class TQtCanvas : public TCanvas {
public:
    explicit TQtCanvas(QPainter& painter, QImage* image = nullptr) : FPainter(painter), FImage(image) {}
    // Keeps every text painted in texts as well (the window tests' probe reads them).
    TQtCanvas(QPainter& painter, std::vector<TPaintedText>& texts)
        : FPainter(painter), FImage(nullptr), FTexts(&texts)
    {
    }
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
    void StretchDraw(const TRect& r, const TBitmap& bitmap) override;
    // The image painted on, nullptr for a widget.
    QImage* Pixels() const { return FImage; }

protected:
    void Line(const TPoint& from, const TPoint& to) override;
    void ButtonFace(const TRect& r, int bevelWidth, bool isDown, bool isFocused) override;

private:
    void UseFont();
    QPen QtPen();
    void FillText(const QRect& r);
    QPainter& FPainter;
    QImage* FImage;
    std::vector<TPaintedText>* FTexts = nullptr;
};

// A canvas on a picture of its own that keeps what is drawn on it: a bitmap's canvas, or the
// lasting canvas of a control, whose picture starts as what the control's widget shows and which
// the widget shows once something was drawn on it.
class TQtImageCanvas : public TCanvas {
public:
    // A bitmap: width x height transparent pixels.
    TQtImageCanvas(int width, int height);
    // A control: source gives the widget's own picture at first use; changed runs after drawing.
    TQtImageCanvas(std::function<QImage()> source, std::function<void()> changed);

    // The picture, taken from the source when there is none yet.
    const QImage& Image();
    // Something was drawn since the picture was taken.
    bool Drawn() const { return FDrawn; }
    // Back to the widget's own picture (its content or size changed).
    void Reset();

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
    void StretchDraw(const TRect& r, const TBitmap& bitmap) override;

protected:
    void Line(const TPoint& from, const TPoint& to) override;
    void ButtonFace(const TRect& r, int bevelWidth, bool isDown, bool isFocused) override;

private:
    void Draw(const std::function<void(TCanvas&)>& op);
    QImage FImage;
    bool FTaken = false;
    bool FDrawn = false;
    std::function<QImage()> FSource;
    std::function<void()> FChanged;
};

// The pixels behind a canvas that can be read back (one on an image), else nullptr.
const QImage* CanvasPixels(TCanvas& canvas);

// The part every control's widget shares: the control it shows, and the common properties.
class TControlView {
public:
    TControlView(TControl* control, QWidget* widget);
    virtual ~TControlView();
    TControlView(const TControlView&) = delete;
    TControlView& operator=(const TControlView&) = delete;

    TControl* Control() const { return FControl; }
    QWidget* Widget() const { return FWidget; }
    // The control is gone: the widget stays quiet until Qt deletes it.
    void Detach() { FControl = nullptr; }
    // The control's lasting canvas (TControl::Canvas outside painting).
    TQtImageCanvas& Lasting() { return *FLasting; }

    // Brings the widget in step with one notice: the kind's own properties first (ApplyOwn),
    // then the common ones.
    void Apply(const TNotice& n);
    // Brings everything in step (once, when the widget is made).
    void ApplyAll();
    // Whether a press and release of the left button make a click; Qt's own buttons and the
    // lists, which select on press, fire the model's click themselves.
    virtual bool ClicksByMouse() const { return true; }
    // Whether the widget is switched off with the control. Pictures stay live, so leaving one
    // still reaches its handler (the model ignores the other input of a disabled control).
    virtual bool DisablesWidget() const { return true; }
    // The texts the model painted on the widget the last time, for a widget the model paints.
    virtual const std::vector<TPaintedText>* PaintedTexts() const { return nullptr; }

protected:
    // The kind's own part of a notice; true when handled. By default a notice of one of
    // StateProps refreshes the kind's whole state.
    virtual bool ApplyOwn(const TNotice& n);
    virtual std::vector<TProp> StateProps() const { return {}; }
    // The kind's own state, all of it.
    virtual void ApplyState() {}
    virtual void ApplyBounds();
    virtual void ApplyText() {}
    virtual void ApplyColors();
    void ApplyHint();
    // Set while model values are written into the widget, so its signals do not write back.
    bool FSyncing = false;
    TControl* FControl;
    QWidget* FWidget;
    std::unique_ptr<TQtImageCanvas> FLasting;
};

// Makes the widget of a control (and of its children) under parent.
TControlView* CreateControlView(TControl* c, QWidget* parent);
// The widget of a form: a top-level window.
TControlView* CreateFormView(TForm* form);

// The window tests' probe (Probe.cpp), when $ZUBQT_PROBE names its socket; nullptr otherwise.
std::shared_ptr<void> StartProbe();

// The view's registry of control widgets (QtView.cpp).
TControlView* FindView(const TComponent* c);
void AddView(TControlView* v);
void RemoveView(TControlView* v);

}  // namespace zubqt

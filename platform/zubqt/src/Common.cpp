#include "Common.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <mutex>
#include <unordered_map>

#include "zub/ImgList.h"

namespace zubqt {

QColor QtColor(TColor c)
{
    if (c == clNone || c == clDefault) return QColor(Qt::transparent);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QFont QtFont(const TFont& f)
{
    QString name = Q(f.Name());
    QFont q;
    // The desktop fonts the layouts name are often missing here; the heavy face stays heavy.
    const bool black = name.compare("Arial Black", Qt::CaseInsensitive) == 0;
    q.setFamilies({name, "DejaVu Sans", "Sans Serif"});
    // DejaVu Sans runs wider than the fonts the layouts were measured in; its condensed face keeps
    // a caption inside the room its layout gives it.
    static std::mutex lock;
    static QHash<QString, bool> installed;
    std::lock_guard<std::mutex> hold(lock);
    auto known = installed.find(name);
    if (known == installed.end()) known = installed.insert(name, QFontDatabase().hasFamily(name));
    if (!*known) q.setStretch(QFont::SemiCondensed);
    const int h = f.Height();
    int px = h < 0 ? -h : (h > 0 ? h * 3 / 4 : (f.Size() * 96 + 36) / 72);
    q.setPixelSize(std::max(px, 1));
    const TFontStyles s = f.Style();
    q.setWeight(black ? QFont::Black : (s & fsBold) ? QFont::Bold : QFont::Normal);
    q.setItalic(s & fsItalic);
    q.setUnderline(s & fsUnderline);
    q.setStrikeOut(s & fsStrikeOut);
    return q;
}

QImage QtImage(const TPicture& p)
{
    // Owner-drawn lists draw the same few icons on every paint: decode each picture once.
    static std::unordered_map<std::size_t, QImage> cache;
    String bytes = p.Bytes();
    if (bytes.empty()) return {};
    const std::size_t key = std::hash<String>{}(bytes);
    if (auto it = cache.find(key); it != cache.end()) return it->second;
    QImage img;
    img.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
    if (img.isNull() && p.Format() == TPictureFormat::Jpeg) {
        std::vector<std::uint8_t> px = p.Pixels();
        if (!px.empty() && px.size() == static_cast<std::size_t>(p.Width()) * p.Height() * 3)
            img = QImage(px.data(), p.Width(), p.Height(), p.Width() * 3, QImage::Format_RGB888).copy();
    }
    if (cache.size() > 256) cache.clear();
    cache.emplace(key, img);
    return img;
}

TShiftState ShiftOf(Qt::KeyboardModifiers m, Qt::MouseButtons b)
{
    TShiftState s = 0;
    if (m & Qt::ShiftModifier) s |= ssShift;
    if (m & Qt::AltModifier) s |= ssAlt;
    if (m & Qt::ControlModifier) s |= ssCtrl;
    if (b & Qt::LeftButton) s |= ssLeft;
    if (b & Qt::RightButton) s |= ssRight;
    if (b & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

QCursor QtCursor(TCursor c)
{
    switch (c) {
    case crNone: return QCursor(Qt::BlankCursor);
    case crCross: return QCursor(Qt::CrossCursor);
    case crIBeam: return QCursor(Qt::IBeamCursor);
    case crNo: return QCursor(Qt::ForbiddenCursor);
    case crAppStart: return QCursor(Qt::BusyCursor);
    case crHourGlass: return QCursor(Qt::WaitCursor);
    case crHandPoint: return QCursor(Qt::PointingHandCursor);
    case crSizeAll: return QCursor(Qt::SizeAllCursor);
    default: return QCursor(Qt::ArrowCursor);
    }
}

unsigned short VirtualKey(int k)
{
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return static_cast<unsigned short>(VK_F1 + (k - Qt::Key_F1));
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<unsigned short>('A' + (k - Qt::Key_A));
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<unsigned short>('0' + (k - Qt::Key_0));
    switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    default: return 0;
    }
}

void Guarded(const std::function<void()>& f)
{
    try {
        f();
    } catch (...) {
        try {
            Application->HandleException();
        } catch (...) {
        }
    }
}

// ---- TQtCanvas

static QRect QtRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

void TQtCanvas::UseFont()
{
    FPainter.setFont(QtFont(FFont));
    FPainter.setPen(QtColor(FFont.Color()));
}

void TQtCanvas::FillRect(const TRect& r)
{
    if (FBrush.Style() == bsClear) return;
    FPainter.fillRect(QtRect(r), QtColor(FBrush.Color()));
}

void TQtCanvas::FillText(const QRect& r)
{
    if (OpaqueText()) FPainter.fillRect(r, QtColor(FBrush.Color()));
}

void TQtCanvas::TextOut(int x, int y, const String& text)
{
    UseFont();
    QFontMetrics fm(FPainter.font());
    const QString t = Q(text);
    // An opaque text cell takes the brush colour first.
    const QRect line(x, y, fm.horizontalAdvance(t), fm.height());
    FillText(line);
    FPainter.drawText(x, y + fm.ascent(), t);
    if (FTexts) FTexts->push_back({t, line, QRect()});
}

void TQtCanvas::TextRect(const TRect& r, int x, int y, const String& text)
{
    UseFont();
    QFontMetrics fm(FPainter.font());
    FPainter.save();
    FPainter.setClipRect(QtRect(r), Qt::IntersectClip);
    FillText(QtRect(r));
    const QString t = Q(text);
    FPainter.drawText(x, y + fm.ascent(), t);
    FPainter.restore();
    if (FTexts) FTexts->push_back({t, QRect(x, y, fm.horizontalAdvance(t), fm.height()), QtRect(r)});
}

QPen TQtCanvas::QtPen()
{
    if (FPen.Style() == psClear) return QPen(Qt::NoPen);
    QPen pen(QtColor(FPen.Color()));
    pen.setWidth(std::max(FPen.Width(), 1) == 1 ? 0 : FPen.Width());
    pen.setStyle(FPen.Style() == psDash ? Qt::DashLine : FPen.Style() == psDot ? Qt::DotLine : Qt::SolidLine);
    return pen;
}

void TQtCanvas::Line(const TPoint& from, const TPoint& to)
{
    if (FPen.Style() == psClear || from == to) return;
    // The end point is not part of the line.
    auto sign = [](int v) { return v > 0 ? 1 : v < 0 ? -1 : 0; };
    const int dx = to.X - from.X, dy = to.Y - from.Y;
    QPoint end(to.X, to.Y);
    if (dx == 0 || dy == 0 || std::abs(dx) == std::abs(dy)) end -= QPoint(sign(dx), sign(dy));
    FPainter.save();
    FPainter.setPen(QtPen());
    FPainter.drawLine(QPoint(from.X, from.Y), end);
    FPainter.restore();
}

void TQtCanvas::Polyline(const std::vector<TPoint>& points)
{
    for (std::size_t i = 1; i < points.size(); ++i) Line(points[i - 1], points[i]);
}

void TQtCanvas::Polygon(const std::vector<TPoint>& points)
{
    QPolygon poly;
    for (const TPoint& p : points) poly << QPoint(p.X, p.Y);
    FPainter.save();
    FPainter.setPen(QtPen());
    FPainter.setBrush(FBrush.Style() == bsClear ? QBrush(Qt::NoBrush) : QBrush(QtColor(FBrush.Color())));
    FPainter.drawPolygon(poly);
    FPainter.restore();
}

void TQtCanvas::Rectangle(const TRect& r)
{
    FillRect(r);
    if (FPen.Style() == psClear || r.Width() <= 0 || r.Height() <= 0) return;
    FPainter.save();
    FPainter.setPen(QtPen());
    FPainter.setBrush(Qt::NoBrush);
    const int w = std::max(FPen.Width(), 1);
    // The frame lies inside the rectangle.
    FPainter.drawRect(QRect(r.Left + w / 2, r.Top + w / 2, r.Width() - w, r.Height() - w));
    FPainter.restore();
}

namespace {
// The bitmap's pixels, its transparent colour left out; a null image when it has none.
QImage BitmapImage(const TBitmap& bitmap)
{
    const auto& px = bitmap.Pixels();
    if (px.empty()) return QImage();
    QImage img(bitmap.Width(), bitmap.Height(), QImage::Format_ARGB32);
    for (int row = 0; row < bitmap.Height(); ++row)
        for (int col = 0; col < bitmap.Width(); ++col) {
            const TColor c = px[static_cast<std::size_t>(row * bitmap.Width() + col)];
            const bool clear = bitmap.Transparent() && c == bitmap.TransparentColor();
            img.setPixel(col, row, clear ? 0u : (0xFF000000u | QtColor(c).rgb()));
        }
    return img;
}
}  // namespace

void TQtCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    const QImage img = BitmapImage(bitmap);
    if (!img.isNull()) FPainter.drawImage(x, y, img);
}

void TQtCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap)
{
    const QImage img = BitmapImage(bitmap);
    if (!img.isNull() && r.Right > r.Left && r.Bottom > r.Top)
        FPainter.drawImage(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), img);
}

void TQtCanvas::ButtonFace(const TRect& r, int bevelWidth, bool isDown, bool isFocused)
{
    if (r.Width() <= 0 || r.Height() <= 0) return;
    FPainter.save();
    FPainter.fillRect(QtRect(r), QtColor(clBtnFace));
    FPainter.setBrush(Qt::NoBrush);
    FPainter.setPen(QColor(0, 0, 0));
    FPainter.drawRect(QtRect(r).adjusted(0, 0, -1, -1));
    const QColor light(255, 255, 255), dark(128, 128, 128);
    for (int i = 1; i <= bevelWidth; ++i) {
        const QRect b = QtRect(r).adjusted(i, i, -i - 1, -i - 1);
        FPainter.setPen(isDown ? dark : light);
        FPainter.drawLine(b.topLeft(), b.topRight());
        FPainter.drawLine(b.topLeft(), b.bottomLeft());
        FPainter.setPen(isDown ? light : dark);
        FPainter.drawLine(b.bottomLeft(), b.bottomRight());
        FPainter.drawLine(b.topRight(), b.bottomRight());
    }
    if (isFocused) {
        QPen pen(Qt::black);
        pen.setStyle(Qt::DotLine);
        FPainter.setPen(pen);
        const TRect in = ButtonFaceInner(r, bevelWidth);
        FPainter.drawRect(QtRect(in).adjusted(1, 1, -2, -2));
    }
    FPainter.restore();
}

int TQtCanvas::TextWidth(const String& text)
{
    return QFontMetrics(QtFont(FFont)).horizontalAdvance(Q(text));
}
int TQtCanvas::TextHeight(const String&) { return QFontMetrics(QtFont(FFont)).height(); }

void TQtCanvas::DrawFocusRect(const TRect& r)
{
    FPainter.save();
    QPen pen(Qt::black);
    pen.setStyle(Qt::DotLine);
    FPainter.setPen(pen);
    FPainter.setBrush(Qt::NoBrush);
    FPainter.drawRect(QtRect(r).adjusted(0, 0, -1, -1));
    FPainter.restore();
}

const QImage* CanvasPixels(TCanvas& canvas)
{
    if (auto* q = dynamic_cast<TQtCanvas*>(&canvas)) return q->Pixels();
    if (auto* i = dynamic_cast<TQtImageCanvas*>(&canvas)) return i->Image().isNull() ? nullptr : &i->Image();
    return nullptr;
}

void TQtCanvas::CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect)
{
    const QImage* from = CanvasPixels(src);
    if (!from) return;  // only canvases on an image can be read back
    const QImage part = from->copy(QtRect(srcRect));
    // The copy replaces what was there, transparent pixels included.
    FPainter.save();
    FPainter.setCompositionMode(QPainter::CompositionMode_Source);
    FPainter.drawImage(QtRect(dest), part);
    FPainter.restore();
}

void TQtCanvas::DrawImage(int x, int y, const TImageList& images, int index, bool enabled)
{
    if (index < 0 || index >= images.Count()) return;
    QImage img = QtImage(images.Picture(index));
    if (img.isNull()) return;
    if (!enabled) img = img.convertToFormat(QImage::Format_Grayscale8);
    FPainter.drawImage(x, y, img);
}

// ---- TQtImageCanvas

TQtImageCanvas::TQtImageCanvas(int width, int height) : FTaken(true)
{
    if (width > 0 && height > 0) {
        FImage = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        FImage.fill(Qt::transparent);
    }
}

TQtImageCanvas::TQtImageCanvas(std::function<QImage()> source, std::function<void()> changed)
    : FSource(std::move(source)), FChanged(std::move(changed))
{
}

const QImage& TQtImageCanvas::Image()
{
    if (!FTaken && FSource) {
        FImage = FSource().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        FTaken = true;
    }
    return FImage;
}

void TQtImageCanvas::Reset()
{
    if (!FSource) return;
    FImage = QImage();
    FTaken = false;
    FDrawn = false;
}

void TQtImageCanvas::Draw(const std::function<void(TCanvas&)>& op)
{
    Image();
    if (FImage.isNull()) return;
    {
        QPainter p(&FImage);
        TQtCanvas c(p, &FImage);
        c.Brush() = FBrush;
        c.Font() = FFont;
        c.Pen() = FPen;
        c.SetBackgroundMode(FBackgroundMode);
        c.SetClipRect(FClipRect);
        op(c);
    }
    FDrawn = true;
    if (FChanged) FChanged();
}

void TQtImageCanvas::FillRect(const TRect& r)
{
    Draw([&](TCanvas& c) { c.FillRect(r); });
}
void TQtImageCanvas::TextOut(int x, int y, const String& text)
{
    Draw([&](TCanvas& c) { c.TextOut(x, y, text); });
}
void TQtImageCanvas::TextRect(const TRect& r, int x, int y, const String& text)
{
    Draw([&](TCanvas& c) { c.TextRect(r, x, y, text); });
}
int TQtImageCanvas::TextWidth(const String& text)
{
    return QFontMetrics(QtFont(FFont)).horizontalAdvance(Q(text));
}
int TQtImageCanvas::TextHeight(const String&) { return QFontMetrics(QtFont(FFont)).height(); }
void TQtImageCanvas::DrawFocusRect(const TRect& r)
{
    Draw([&](TCanvas& c) { c.DrawFocusRect(r); });
}
void TQtImageCanvas::CopyRect(const TRect& dest, TCanvas& src, const TRect& srcRect)
{
    // Read the source first: it may be this canvas, whose picture the copy then changes.
    const QImage* from = CanvasPixels(src);
    if (!from) return;
    const QImage part = from->copy(QtRect(srcRect));
    TQtImageCanvas piece(part.width(), part.height());
    piece.FImage = part;
    Draw([&](TCanvas& c) { c.CopyRect(dest, piece, Rect(0, 0, part.width(), part.height())); });
}
void TQtImageCanvas::DrawImage(int x, int y, const TImageList& images, int index, bool enabled)
{
    Draw([&](TCanvas& c) { c.DrawImage(x, y, images, index, enabled); });
}
void TQtImageCanvas::Polyline(const std::vector<TPoint>& points)
{
    Draw([&](TCanvas& c) { c.Polyline(points); });
}
void TQtImageCanvas::Polygon(const std::vector<TPoint>& points)
{
    Draw([&](TCanvas& c) { c.Polygon(points); });
}
void TQtImageCanvas::Rectangle(const TRect& r)
{
    Draw([&](TCanvas& c) { c.Rectangle(r); });
}
void TQtImageCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    Draw([&](TCanvas& c) { c.Draw(x, y, bitmap); });
}
void TQtImageCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap)
{
    Draw([&](TCanvas& c) { c.StretchDraw(r, bitmap); });
}
void TQtImageCanvas::Line(const TPoint& from, const TPoint& to)
{
    Draw([&](TCanvas& c) {
        c.MoveTo(from.X, from.Y);
        c.LineTo(to.X, to.Y);
    });
}
void TQtImageCanvas::ButtonFace(const TRect& r, int bevelWidth, bool isDown, bool isFocused)
{
    Draw([&](TCanvas& c) { c.DrawButtonFace(r, bevelWidth, isDown, isFocused); });
}

// ---- TControlView

namespace {

// Shows a control's lasting canvas in place of the widget's own painting once it was drawn on.
class TLastingPaint : public QObject {
public:
    bool eventFilter(QObject* obj, QEvent* e) override
    {
        if (e->type() != QEvent::Paint) return false;
        auto* v = dynamic_cast<TControlView*>(obj);
        if (!v || !v->Control() || !v->Lasting().Drawn()) return false;
        QPainter p(v->Widget());
        p.drawImage(0, 0, v->Lasting().Image());
        return true;
    }
};

TLastingPaint* LastingPaint()
{
    static auto* filter = new TLastingPaint;
    return filter;
}

}  // namespace

TControlView::TControlView(TControl* control, QWidget* widget) : FControl(control), FWidget(widget)
{
    widget->setMouseTracking(true);
    widget->setAttribute(Qt::WA_Hover, true);
    FLasting = std::make_unique<TQtImageCanvas>(
        [widget] {
            QImage img(widget->size(), QImage::Format_ARGB32_Premultiplied);
            if (img.isNull()) return img;
            img.fill(Qt::transparent);
            widget->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
            return img;
        },
        [widget] { widget->update(); });
    widget->installEventFilter(LastingPaint());
    control->SetLastingCanvas(FLasting.get());
    AddView(this);
}

TControlView::~TControlView()
{
    if (FControl) FControl->SetLastingCanvas(nullptr);
    RemoveView(this);
}

void TControlView::ApplyBounds()
{
    const TRect r = FControl->BoundsRect();
    FWidget->setGeometry(r.Left, r.Top, std::max(r.Width(), 0), std::max(r.Height(), 0));
}

void TControlView::ApplyColors()
{
    QPalette pal = FWidget->palette();
    const TColor c = FControl->Color();
    const QColor text = QtColor(FControl->Font()->Color());
    // The disabled look stays the style's own (greyed text).
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(g, QPalette::WindowText, text);
        pal.setColor(g, QPalette::Text, text);
        pal.setColor(g, QPalette::ButtonText, text);
    }
    if (!ParentColored(c)) {
        pal.setColor(QPalette::Window, QtColor(c));
        pal.setColor(QPalette::Base, QtColor(c));
    }
    FWidget->setPalette(pal);
    FWidget->setFont(QtFont(*FControl->Font()));
}

void TControlView::ApplyHint()
{
    TControl* top = FControl->TopParent();
    const bool show = FControl->ShowHint() || (top && top->ShowHint());
    FWidget->setToolTip(show ? Q(FControl->Hint()) : QString());
}

bool TControlView::ApplyOwn(const TNotice& n)
{
    for (TProp p : StateProps())
        if (p == n.Prop) {
            ApplyState();
            return true;
        }
    return false;
}

void TControlView::ApplyAll()
{
    FSyncing = true;
    ApplyBounds();
    ApplyColors();
    ApplyHint();
    ApplyText();
    ApplyState();
    FWidget->setCursor(QtCursor(FControl->Cursor()));
    if (DisablesWidget()) FWidget->setEnabled(FControl->Enabled());
    FWidget->setVisible(FControl->Visible());
    FSyncing = false;
}

void TControlView::Apply(const TNotice& n)
{
    // What the model changes shows again in the widget's own painting.
    FLasting->Reset();
    FSyncing = true;
    if (ApplyOwn(n)) {
        FSyncing = false;
        return;
    }
    switch (n.Prop) {
    case TProp::Bounds: ApplyBounds(); break;
    case TProp::Visible: FWidget->setVisible(FControl->Visible()); break;
    case TProp::Enabled:
        if (DisablesWidget())
            FWidget->setEnabled(FControl->Enabled());
        else
            FWidget->update();
        break;
    case TProp::Text: ApplyText(); break;
    case TProp::Hint: ApplyHint(); break;
    case TProp::Color:
    case TProp::Font:
        ApplyColors();
        FWidget->update();
        break;
    case TProp::Cursor: FWidget->setCursor(QtCursor(FControl->Cursor())); break;
    case TProp::Repaint:
        if (n.Text == "redraw=0")
            FWidget->setUpdatesEnabled(false);
        else {
            FWidget->setUpdatesEnabled(true);
            FWidget->update();
        }
        break;
    default: FWidget->update(); break;
    }
    FSyncing = false;
}

}  // namespace zubqt

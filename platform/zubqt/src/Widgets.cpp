// One widget class per control kind. Each shows its control's state and turns user input into
// the model's input calls (which fire the events).
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <QWindow>
#include <memory>

#include "Common.h"
#include "media/Avi.h"
#include "rtl/Files.h"
#include "zub/Buttons.h"
#include "zub/ComCtrls.h"
#include "zub/ExtCtrls.h"
#include "zub/Grids.h"
#include "zub/StdCtrls.h"

namespace zubqt {

namespace {

// ---- labels

class TLabelView : public QLabel, public TControlView {
public:
    explicit TLabelView(TLabel* c, QWidget* parent) : QLabel(parent), TControlView(c, this), FLabel(c)
    {
        setTextFormat(Qt::PlainText);
    }
    QSize sizeHint() const override
    {
        const int w = wordWrap() ? std::max(width(), 1) : QWIDGETSIZE_MAX;
        return fontMetrics().boundingRect(QRect(0, 0, w, QWIDGETSIZE_MAX), Flags(), text()).size();
    }

protected:
    void ApplyText() override
    {
        setText(Q(FLabel->Caption()));
        Fit();
        update();  // the accelerator flag may have changed alone
    }
    void ApplyState() override
    {
        Qt::Alignment a = FLabel->Alignment() == taCenter         ? Qt::AlignHCenter
                          : FLabel->Alignment() == taRightJustify ? Qt::AlignRight
                                                                  : Qt::AlignLeft;
        a |= FLabel->Layout() == tlCenter   ? Qt::AlignVCenter
             : FLabel->Layout() == tlBottom ? Qt::AlignBottom
                                            : Qt::AlignTop;
        setAlignment(a);
        setWordWrap(FLabel->WordWrap());
        setAutoFillBackground(!FLabel->Transparent() && !ParentColored(FLabel->Color()));
        Fit();
    }
    std::vector<TProp> StateProps() const override { return {TProp::Style}; }
    void ApplyBounds() override
    {
        TControlView::ApplyBounds();
        Fit();
    }
    // QLabel shows accelerators only for a buddy; the caption's own flag decides here, drawn as
    // the other captioned widgets draw theirs.
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        style()->drawItemText(&p, contentsRect(), Flags(), palette(), isEnabled(), text(), foregroundRole());
    }

private:
    int Flags() const
    {
        int f = QStyle::visualAlignment(layoutDirection(), alignment());
        if (wordWrap()) f |= Qt::TextWordWrap;
        if (FLabel->ShowAccelChar()) f |= Qt::TextShowMnemonic;
        return f;
    }
    // A label that sizes itself grows to its text (the model keeps the size it was given).
    void Fit()
    {
        if (!FLabel->AutoSize() || FLabel->WordWrap()) return;
        QSize s = sizeHint();
        resize(std::max(s.width(), FLabel->Width()), std::max(s.height(), FLabel->Height()));
    }
    TLabel* FLabel;
};

// ---- edits and buttons

class TEditView : public QLineEdit, public TControlView {
public:
    explicit TEditView(TEdit* c, QWidget* parent) : QLineEdit(parent), TControlView(c, this), FEdit(c)
    {
        QObject::connect(this, &QLineEdit::textEdited, [this](const QString& t) {
            if (!FSyncing && Control()) Guarded([&] { FEdit->UserSetText(Z(t)); });
        });
    }

protected:
    void ApplyText() override
    {
        const QString t = Q(FEdit->Text());
        if (text() != t) setText(t);
    }
    void ApplyState() override
    {
        setReadOnly(FEdit->ReadOnly());
        setMaxLength(FEdit->MaxLength() > 0 ? FEdit->MaxLength() : 32767);
    }
    std::vector<TProp> StateProps() const override { return {TProp::Style}; }
    void ApplyColors() override
    {
        TControlView::ApplyColors();
        setAutoFillBackground(false);
    }

private:
    TEdit* FEdit;
};

class TButtonView : public QPushButton, public TControlView {
public:
    explicit TButtonView(TButton* c, QWidget* parent) : QPushButton(parent), TControlView(c, this), FButton(c)
    {
        QObject::connect(this, &QPushButton::clicked, [this] {
            if (Control()) Guarded([&] { FButton->Click(); });
        });
    }
    bool ClicksByMouse() const override { return false; }

protected:
    void ApplyText() override
    {
        setText(Q(FButton->Caption()).replace("&&", "\x01").remove('&').replace("\x01", "&"));
    }

private:
    TButton* FButton;
};

class TSpeedButtonView : public QToolButton, public TControlView {
public:
    explicit TSpeedButtonView(TSpeedButton* c, QWidget* parent)
        : QToolButton(parent), TControlView(c, this), FButton(c)
    {
        setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        QObject::connect(this, &QToolButton::clicked, [this] {
            if (Control()) Guarded([&] { FButton->Click(); });
        });
    }
    bool ClicksByMouse() const override { return false; }

protected:
    void ApplyText() override { setText(Q(FButton->Caption())); }
    void ApplyState() override
    {
        setAutoRaise(FButton->Flat());
        setCheckable(FButton->GroupIndex() > 0);
        setChecked(FButton->Down());
        QImage glyph = QtImage(*FButton->Glyph());
        setIcon(glyph.isNull() ? QIcon() : QIcon(QPixmap::fromImage(glyph)));
        if (!glyph.isNull()) setIconSize(glyph.size());
    }
    std::vector<TProp> StateProps() const override { return {TProp::Style, TProp::Picture, TProp::Checked}; }

private:
    TSpeedButton* FButton;
};

class TCheckBoxView : public QCheckBox, public TControlView {
public:
    explicit TCheckBoxView(TCheckBox* c, QWidget* parent) : QCheckBox(parent), TControlView(c, this), FBox(c)
    {
        QObject::connect(this, &QCheckBox::clicked, [this] {
            if (!Control()) return;
            Guarded([&] { FBox->Click(); });
            if (Control()) setChecked(FBox->Checked());
        });
    }
    bool ClicksByMouse() const override { return false; }

protected:
    void ApplyText() override { setText(Q(FBox->Caption())); }
    void ApplyState() override
    {
        setChecked(FBox->Checked());
        setLayoutDirection(FBox->Alignment() == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
    }
    std::vector<TProp> StateProps() const override { return {TProp::Checked, TProp::Style}; }

private:
    TCheckBox* FBox;
};

class TRadioButtonView : public QRadioButton, public TControlView {
public:
    explicit TRadioButtonView(TRadioButton* c, QWidget* parent)
        : QRadioButton(parent), TControlView(c, this), FButton(c)
    {
        setAutoExclusive(false);  // the model unchecks the siblings
        QObject::connect(this, &QRadioButton::clicked, [this] {
            if (!Control()) return;
            Guarded([&] { FButton->Click(); });
            if (Control()) setChecked(FButton->Checked());
        });
    }
    bool ClicksByMouse() const override { return false; }

protected:
    void ApplyText() override { setText(Q(FButton->Caption())); }
    void ApplyState() override { setChecked(FButton->Checked()); }
    std::vector<TProp> StateProps() const override { return {TProp::Checked}; }

private:
    TRadioButton* FButton;
};

// ---- lists and grids, painted by the model through a canvas

// Paints the control's content with the model's own painting (owner-draw handlers included)
// and scrolls with a vertical bar.
class TPaintedView : public QWidget, public TControlView {
public:
    TPaintedView(TControl* c, QWidget* parent)
        : QWidget(parent), TControlView(c, this), FBar(new QScrollBar(Qt::Vertical, this))
    {
        FBar->hide();
        FBar->setCursor(Qt::ArrowCursor);
        QObject::connect(FBar, &QScrollBar::valueChanged, [this](int v) {
            if (!FSyncing && Control()) Guarded([&] { ScrollTo(v); });
        });
    }
    const std::vector<TPaintedText>* PaintedTexts() const override { return &FTexts; }

protected:
    virtual void ScrollTo(int first) = 0;
    // First and last scroll position and the current one.
    virtual void ScrollRange(int& min, int& max, int& value, int& page) = 0;

    void SyncBar()
    {
        int min = 0, max = 0, value = 0, page = 1;
        ScrollRange(min, max, value, page);
        const bool need = max > min;
        const bool was = FSyncing;
        FSyncing = true;
        FBar->setRange(min, std::max(min, max));
        FBar->setPageStep(std::max(page, 1));
        FBar->setValue(value);
        FSyncing = was;
        FBar->setGeometry(width() - 16, 0, 16, height());
        FBar->setVisible(need);
    }
    bool ApplyOwn(const TNotice& n) override
    {
        if (n.Prop == TProp::Bounds || n.Prop == TProp::Visible || n.Prop == TProp::Enabled ||
            n.Prop == TProp::Hint || n.Prop == TProp::Cursor || n.Prop == TProp::Color ||
            n.Prop == TProp::Font || n.Prop == TProp::Repaint)
            return false;
        SyncBar();
        update();
        return true;
    }
    void ApplyState() override { SyncBar(); }
    void ApplyBounds() override
    {
        TControlView::ApplyBounds();
        SyncBar();
    }
    void paintEvent(QPaintEvent*) override
    {
        if (!Control()) return;
        QPainter p(this);
        p.fillRect(rect(), QtColor(Control()->Color()));
        PaintBackground(p);
        FTexts.clear();
        TQtCanvas canvas(p, FTexts);
        Guarded([&] { Control()->PaintTo(canvas); });
        p.setPen(QColor(0x82, 0x87, 0x90));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    // Under the content, before the model paints it.
    virtual void PaintBackground(QPainter&) {}
    void wheelEvent(QWheelEvent* e) override
    {
        if (!Control() || !Control()->Enabled()) return;
        int min = 0, max = 0, value = 0, page = 1;
        ScrollRange(min, max, value, page);
        const int steps = e->angleDelta().y() / 40;
        const int to = std::clamp(value - steps, min, std::max(min, max));
        if (to != value) Guarded([&] { ScrollTo(to); });
        e->accept();
    }

    QScrollBar* FBar;
    std::vector<TPaintedText> FTexts;
};

class TListBoxView : public TPaintedView {
public:
    TListBoxView(TListBox* c, QWidget* parent) : TPaintedView(c, parent), FList(c) {}
    bool ClicksByMouse() const override { return false; }

protected:
    void ScrollTo(int first) override { FList->SetTopIndex(first); }
    void ScrollRange(int& min, int& max, int& value, int& page) override
    {
        const int h = std::max(FList->ItemHeight(), 1);
        page = std::max(FList->Height() / h, 1);
        min = 0;
        max = FList->Items()->Count() - page;
        value = FList->TopIndex();
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (!Control() || e->button() != Qt::LeftButton) return;
        const int h = std::max(FList->ItemHeight(), 1);
        const int i = FList->TopIndex() + static_cast<int>(e->position().y()) / h;
        if (i >= 0 && i < FList->Items()->Count()) Guarded([&] { FList->SelectItem(i); });
    }

private:
    TListBox* FList;
};

class TGridView : public TPaintedView {
public:
    TGridView(TStringGrid* c, QWidget* parent) : TPaintedView(c, parent), FGrid(c) {}
    bool ClicksByMouse() const override { return false; }

protected:
    void ScrollTo(int first) override { FGrid->SetTopRow(first); }
    void ScrollRange(int& min, int& max, int& value, int& page) override
    {
        int fixedHeight = 0;
        for (int r = 0; r < FGrid->FixedRows(); ++r)
            fixedHeight += FGrid->RowHeights(r) + FGrid->GridLineWidth();
        const int rowHeight = std::max(FGrid->DefaultRowHeight() + FGrid->GridLineWidth(), 1);
        page = std::max((FGrid->Height() - fixedHeight) / rowHeight, 1);
        min = FGrid->FixedRows();
        max = FGrid->RowCount() - page;
        value = FGrid->TopRow();
    }
    // Between the cells the grid lines show: the cells' whole area is first filled in their colour.
    void PaintBackground(QPainter& p) override
    {
        const int cols = FGrid->ColCount(), rows = FGrid->RowCount();
        if (cols == 0 || rows == 0) return;
        int right = 0, bottom = 0;
        for (int c = 0; c < cols; ++c) right = std::max(right, FGrid->CellRect(c, 0).Right);
        for (int r = 0; r < rows; ++r) {
            const TRect cell = FGrid->CellRect(0, r);
            if (cell.Bottom == 0) continue;  // scrolled away
            bottom = std::max(bottom, cell.Bottom);
            if (cell.Top >= height()) break;
        }
        const int line = FGrid->GridLineWidth();
        p.fillRect(QRect(0, 0, std::min(right + line, width()), std::min(bottom + line, height())),
                   QColor(0xC0, 0xC0, 0xC0));
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (!Control() || e->button() != Qt::LeftButton) return;
        const int x = static_cast<int>(e->position().x()), y = static_cast<int>(e->position().y());
        for (int r = 0; r < FGrid->RowCount(); ++r) {
            if (r >= FGrid->FixedRows() && r < FGrid->TopRow()) continue;
            TRect row = FGrid->CellRect(0, r);
            if (row.Top > y) break;
            if (y < row.Top || y >= row.Bottom) continue;
            for (int c = FGrid->FixedCols(); c < FGrid->ColCount(); ++c) {
                TRect cell = FGrid->CellRect(c, r);
                if (x >= cell.Left && x < cell.Right && r >= FGrid->FixedRows()) {
                    Guarded([&] { FGrid->SelectCell(c, r); });
                    return;
                }
            }
        }
    }

private:
    TStringGrid* FGrid;
};

class TComboBoxView : public QComboBox, public TControlView {
public:
    TComboBoxView(TComboBox* c, QWidget* parent) : QComboBox(parent), TControlView(c, this), FCombo(c)
    {
        setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(this, qOverload<int>(&QComboBox::activated), [this](int i) {
            if (!FSyncing && Control()) Guarded([&] { FCombo->SelectItem(i); });
        });
    }
    bool ClicksByMouse() const override { return false; }

protected:
    void ApplyText() override
    {
        const QString t = Q(FCombo->Text());
        if (isEditable()) {
            if (currentText() != t) setEditText(t);
        } else {
            setCurrentIndex(FCombo->ItemIndex());
        }
    }
    void ApplyState() override
    {
        const bool editable = FCombo->Style() == csDropDown || FCombo->Style() == csSimple;
        if (editable != isEditable()) {
            setEditable(editable);
            if (editable) {
                QObject::connect(lineEdit(), &QLineEdit::textEdited, [this](const QString& t) {
                    if (!FSyncing && Control()) Guarded([&] { FCombo->UserSetText(Z(t)); });
                });
            }
        }
        setMaxVisibleItems(std::max(FCombo->DropDownCount(), 1));
        clear();
        for (const String& s : FCombo->Items()->ToVector()) addItem(Q(s));
        ApplyText();
    }
    bool ApplyOwn(const TNotice& n) override
    {
        if (n.Prop == TProp::Items) {
            switch (n.Kind) {
            case TNoticeKind::ItemInserted: insertItem(n.Index, Q(n.Text)); break;
            case TNoticeKind::ItemChanged: setItemText(n.Index, Q(n.Text)); break;
            case TNoticeKind::ItemDeleted: removeItem(n.Index); break;
            case TNoticeKind::ItemsCleared: clear(); break;
            default: ApplyState(); break;
            }
            ApplyText();
            return true;
        }
        if (n.Prop == TProp::ItemIndex) {
            ApplyText();
            return true;
        }
        if (n.Prop == TProp::Style) {
            ApplyState();
            return true;
        }
        return false;
    }

private:
    TComboBox* FCombo;
};

class TMemoView : public QPlainTextEdit, public TControlView {
public:
    TMemoView(TMemo* c, QWidget* parent) : QPlainTextEdit(parent), TControlView(c, this), FMemo(c)
    {
        QObject::connect(this, &QPlainTextEdit::textChanged, [this] {
            if (!FSyncing && Control()) Guarded([&] { FMemo->SetText(Z(toPlainText())); });
        });
    }

protected:
    void ApplyText() override
    {
        QString t = Q(FMemo->Text());
        while (t.endsWith('\n') || t.endsWith('\r')) t.chop(1);
        if (toPlainText() != t) setPlainText(t);
    }
    void ApplyState() override
    {
        setReadOnly(FMemo->ReadOnly());
        setLineWrapMode(FMemo->WordWrap() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
        const TScrollStyle s = FMemo->ScrollBars();
        setVerticalScrollBarPolicy(s == ssVertical || s == ssBoth ? Qt::ScrollBarAlwaysOn
                                                                  : Qt::ScrollBarAsNeeded);
        setHorizontalScrollBarPolicy(s == ssHorizontal || s == ssBoth ? Qt::ScrollBarAlwaysOn
                                                                      : Qt::ScrollBarAsNeeded);
    }
    bool ApplyOwn(const TNotice& n) override
    {
        if (n.Prop == TProp::Lines) {
            ApplyText();
            return true;
        }
        if (n.Prop == TProp::Style) {
            ApplyState();
            return true;
        }
        return false;
    }
    bool ClicksByMouse() const override { return false; }

private:
    TMemo* FMemo;
};

// ---- bars and pickers

class TTrackBarView : public QSlider, public TControlView {
public:
    TTrackBarView(TTrackBar* c, QWidget* parent) : QSlider(parent), TControlView(c, this), FBar(c)
    {
        setTickPosition(QSlider::TicksBelow);
        QObject::connect(this, &QSlider::valueChanged, [this](int v) {
            if (!FSyncing && Control()) Guarded([&] { FBar->SetPosition(v); });
        });
    }

protected:
    void ApplyState() override
    {
        setOrientation(FBar->Orientation() == trVertical ? Qt::Vertical : Qt::Horizontal);
        setRange(FBar->Min(), FBar->Max());
        setValue(FBar->Position());
        setTickInterval(std::max(FBar->Frequency(), 1));
    }
    std::vector<TProp> StateProps() const override { return {TProp::Position, TProp::Range, TProp::Style}; }

private:
    TTrackBar* FBar;
};

class TProgressBarView : public QProgressBar, public TControlView {
public:
    TProgressBarView(TProgressBar* c, QWidget* parent) : QProgressBar(parent), TControlView(c, this), FBar(c)
    {
        setTextVisible(false);
    }

protected:
    void ApplyState() override
    {
        setRange(FBar->Min(), FBar->Max());
        setValue(FBar->Position());
    }
    std::vector<TProp> StateProps() const override { return {TProp::Position, TProp::Range, TProp::Style}; }

private:
    TProgressBar* FBar;
};

QDate ToQDate(TDateTime t)
{
    int y, m, d;
    DecodeDate(t, y, m, d);
    return QDate(y, m, d);
}

class TDateTimePickerView : public QDateEdit, public TControlView {
public:
    TDateTimePickerView(TDateTimePicker* c, QWidget* parent)
        : QDateEdit(parent), TControlView(c, this), FPicker(c)
    {
        setCalendarPopup(true);
        setLocale(QLocale(QLocale::German, QLocale::Germany));
        QObject::connect(this, &QDateEdit::dateChanged, [this](QDate q) {
            if (FSyncing || !Control() || !q.isValid()) return;
            Guarded([&] {
                const TDateTime old = FPicker->DateTime();
                const double time = old.Val - static_cast<double>(static_cast<long long>(old.Val));
                FPicker->UserSetDateTime(TDateTime(EncodeDate(q.year(), q.month(), q.day()).Val + time));
            });
        });
    }

protected:
    void ApplyState() override
    {
        setDisplayFormat(FPicker->DateFormat() == dfLong ? "dddd, d. MMMM yyyy" : "dd.MM.yyyy");
        const QDate q = ToQDate(FPicker->DateTime());
        if (date() != q) setDate(q);
    }
    std::vector<TProp> StateProps() const override { return {TProp::DateTime, TProp::Style, TProp::Text}; }

private:
    TDateTimePicker* FPicker;
};

// ---- pictures and animations

class TImageView : public QWidget, public TControlView {
public:
    TImageView(TImage* c, QWidget* parent) : QWidget(parent), TControlView(c, this), FImage(c) {}
    bool DisablesWidget() const override { return false; }

protected:
    void ApplyState() override
    {
        FPicture = QtImage(*FImage->Picture());
        update();
    }
    std::vector<TProp> StateProps() const override { return {TProp::Picture, TProp::Style}; }
    void ApplyColors() override {}
    void paintEvent(QPaintEvent*) override
    {
        if (FPicture.isNull() || !Control()) return;
        QPainter p(this);
        QRect target(QPoint(0, 0), FPicture.size());
        if (FImage->Stretch()) {
            target = rect();
            if (FImage->Proportional()) {
                QSize s = FPicture.size().scaled(size(), Qt::KeepAspectRatio);
                target = QRect(QPoint(0, 0), s);
            }
        }
        if (FImage->Center()) target.moveCenter(rect().center());
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(target, FPicture);
    }

private:
    TImage* FImage;
    QImage FPicture;
};

// Plays the model's frame ranges of its animation file; frames are numbered from 1.
class TAnimateView : public QWidget, public TControlView {
public:
    TAnimateView(TAnimate* c, QWidget* parent)
        : QWidget(parent), TControlView(c, this), FAnimate(c), FTimer(new QTimer(this))
    {
        QObject::connect(FTimer, &QTimer::timeout, [this] { Step(); });
    }

protected:
    void ApplyState() override
    {
        OpenFile();
        ApplyFrame();
    }
    bool ApplyOwn(const TNotice& n) override
    {
        if (n.Prop == TProp::Picture) {
            OpenFile();
            ApplyFrame();
            return true;
        }
        if (n.Prop == TProp::Frame) {
            ApplyFrame();
            return true;
        }
        return false;
    }
    void ApplyColors() override {}
    void paintEvent(QPaintEvent*) override
    {
        if (FShown.isNull()) return;
        QPainter p(this);
        QRect target(QPoint(0, 0), FShown.size());
        target.moveCenter(rect().center());
        p.drawImage(target, FShown);
    }

private:
    void OpenFile()
    {
        FTimer->stop();
        FReader.reset();
        FShown = QImage();
        FFrame = 0;
        const String name = FAnimate->FileName();
        if (name.empty()) return;
        try {
            FReader = std::make_unique<media::AviReader>(ResolvePath(name));
        } catch (const std::exception&) {
            FReader.reset();  // a missing or broken file shows nothing, as the model's frame count 0 says
        }
    }
    void ApplyFrame()
    {
        if (!FReader) return;
        if (FAnimate->Active()) {
            FFrom = FAnimate->PlayFrom();
            FTo = FAnimate->PlayTo();
            FLeft = FAnimate->PlayCount();
            Show(FFrom);
            const int ms = std::max(static_cast<int>(FReader->MicroSecPerFrame() / 1000), 15);
            FTimer->start(ms);
        } else {
            FTimer->stop();
            const int seek = FAnimate->FrameShown();
            if (seek != FLastSeek || FShown.isNull()) Show(seek);
        }
        FLastSeek = FAnimate->FrameShown();
    }
    void Step()
    {
        if (!FReader || !Control()) return;
        int next = FFrame + (FTo >= FFrom ? 1 : -1);
        if ((FTo >= FFrom && next > FTo) || (FTo < FFrom && next < FTo)) {
            if (FLeft > 0 && --FLeft == 0) {
                FTimer->stop();
                return;
            }
            next = FFrom;
        }
        Show(next);
    }
    void Show(int frame)
    {
        const int count = FReader->FrameCount();
        if (count == 0) return;
        FFrame = std::clamp(frame, 1, count);
        try {
            media::Image img = FReader->DecodeFrame(FFrame - 1);
            FShown =
                QImage(img.rgb.data(), img.width, img.height, img.width * 3, QImage::Format_RGB888).copy();
        } catch (const std::exception&) {
            FShown = QImage();
        }
        update();
    }

    TAnimate* FAnimate;
    QTimer* FTimer;
    std::unique_ptr<media::AviReader> FReader;
    QImage FShown;
    int FFrame = 0, FFrom = 1, FTo = 1, FLeft = 0, FLastSeek = -1;
};

// A group box, or a radio group around its buttons: the frame with the caption in it.
class TGroupBoxView : public QGroupBox, public TControlView {
public:
    TGroupBoxView(TControl* c, QWidget* parent)
        : QGroupBox(parent), TControlView(c, this), FButtons(dynamic_cast<TRadioGroup*>(c))
    {
    }
    // A radio group's clicks are its buttons'.
    bool ClicksByMouse() const override { return !FButtons; }

protected:
    void ApplyText() override { setTitle(Q(Control()->Caption())); }

private:
    bool FButtons;
};

// A control of a kind the view does not know: its area in its colour.
class TPlainView : public QWidget, public TControlView {
public:
    TPlainView(TControl* c, QWidget* parent) : QWidget(parent), TControlView(c, this) {}

protected:
    void ApplyColors() override
    {
        TControlView::ApplyColors();
        setAutoFillBackground(!ParentColored(Control()->Color()));
    }
};

// ---- forms

class TFormView : public QWidget, public TControlView {
public:
    explicit TFormView(TForm* f) : QWidget(nullptr), TControlView(f, this), FForm(f), FKeys(new QWidget(this))
    {
        setAttribute(Qt::WA_DeleteOnClose, false);
        FKeys->setGeometry(0, 0, 0, 0);
        FKeys->setFocusPolicy(Qt::StrongFocus);
    }
    bool ClicksByMouse() const override { return true; }

protected:
    void ApplyText() override { setWindowTitle(Q(FForm->Caption())); }
    void ApplyState() override
    {
        Qt::WindowFlags flags = Qt::Window;
        switch (FForm->BorderStyle()) {
        case bsNone: flags |= Qt::FramelessWindowHint; break;
        case bsDialog: flags |= Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint; break;
        case bsToolWindow:
        case bsSizeToolWin: flags |= Qt::Tool; break;
        default: break;
        }
        if (FForm->FormStyle() == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
        if (!isVisible()) setWindowModality(FForm->Modal() ? Qt::ApplicationModal : Qt::NonModal);
        if (flags != windowFlags()) {
            const bool shown = isVisible();
            setWindowFlags(flags);
            if (shown) show();
        }
        if (FForm->BorderStyle() == bsDialog || FForm->BorderStyle() == bsSingle ||
            FForm->BorderStyle() == bsNone)
            setFixedSize(std::max(FForm->Width(), 1), std::max(FForm->Height(), 1));
    }
    void ApplyColors() override
    {
        TControlView::ApplyColors();
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QtColor(FForm->Color()));
        setPalette(pal);
        setAutoFillBackground(true);
    }
    void ApplyBounds() override
    {
        const TRect r = FForm->BoundsRect();
        if (FForm->BorderStyle() == bsDialog || FForm->BorderStyle() == bsSingle ||
            FForm->BorderStyle() == bsNone)
            setFixedSize(std::max(r.Width(), 1), std::max(r.Height(), 1));
        else
            resize(std::max(r.Width(), 1), std::max(r.Height(), 1));
        move(r.Left, r.Top);
    }
    bool ApplyOwn(const TNotice& n) override
    {
        if (n.Prop == TProp::Visible || n.Prop == TProp::FormState) {
            const bool v = FForm->Visible();
            if (v && !isVisible()) {
                setWindowModality(FForm->Modal() ? Qt::ApplicationModal : Qt::NonModal);
                ApplyBounds();
                Present();
            } else if (!v && isVisible()) {
                hide();
            }
            return true;
        }
        if (n.Prop == TProp::Style) {
            ApplyState();
            return true;
        }
        return false;
    }
    void moveEvent(QMoveEvent* e) override
    {
        QWidget::moveEvent(e);
        if (FSyncing || !Control() || !isVisible()) return;
        const QPoint p = pos();
        if (p.x() != FForm->Left() || p.y() != FForm->Top())
            Guarded([&] { FForm->SetBounds(p.x(), p.y(), FForm->Width(), FForm->Height()); });
    }
    void resizeEvent(QResizeEvent* e) override
    {
        QWidget::resizeEvent(e);
        if (FSyncing || !Control() || !isVisible()) return;
        if (width() != FForm->Width() || height() != FForm->Height())
            Guarded([&] { FForm->SetBounds(FForm->Left(), FForm->Top(), width(), height()); });
    }
    bool event(QEvent* e) override
    {
        const bool r = QWidget::event(e);
        // Windows that stay on top stay above a window shown after them, also where no window
        // manager keeps them there.
        if (e->type() == QEvent::Show && FForm && FForm->FormStyle() != fsStayOnTop)
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* f = dynamic_cast<TFormView*>(w);
                    f && f != this && f->isVisible() && f->Control() && f->FForm->FormStyle() == fsStayOnTop)
                    f->raise();
        // Keys go to the form until the user picks a control (no control is focused at first).
        if (e->type() == QEvent::WindowActivate && !focusWidget())
            FKeys->setFocus(Qt::ActiveWindowFocusReason);
        return r;
    }
    void closeEvent(QCloseEvent* e) override
    {
        // The model decides: its Close hides the window (or ends the program) through a notice.
        e->ignore();
        if (Control()) Guarded([&] { FForm->Close(); });
    }

public:
    void Present()
    {
        show();
        raise();
        activateWindow();
    }

private:
    TForm* FForm;
    // Holds the focus for the form itself: its keys reach the form's handler.
    QWidget* FKeys;
};

void CreateChildren(TControl* c, QWidget* w)
{
    if (auto* g = dynamic_cast<TRadioGroup*>(c)) g->ButtonCount();  // makes its buttons
    for (int i = 0, n = c->ControlCount(); i < n; ++i) CreateControlView(c->Controls(i), w);
}

}  // namespace

TControlView* CreateControlView(TControl* c, QWidget* parent)
{
    TControlView* v;
    if (auto* x = dynamic_cast<TLabel*>(c))
        v = new TLabelView(x, parent);
    else if (auto* x = dynamic_cast<TEdit*>(c))
        v = new TEditView(x, parent);
    else if (auto* x = dynamic_cast<TButton*>(c))
        v = new TButtonView(x, parent);
    else if (auto* x = dynamic_cast<TSpeedButton*>(c))
        v = new TSpeedButtonView(x, parent);
    else if (auto* x = dynamic_cast<TCheckBox*>(c))
        v = new TCheckBoxView(x, parent);
    else if (auto* x = dynamic_cast<TRadioButton*>(c))
        v = new TRadioButtonView(x, parent);
    else if (dynamic_cast<TRadioGroup*>(c) || dynamic_cast<TGroupBox*>(c))
        v = new TGroupBoxView(c, parent);
    else if (auto* x = dynamic_cast<TListBox*>(c))
        v = new TListBoxView(x, parent);
    else if (auto* x = dynamic_cast<TComboBox*>(c))
        v = new TComboBoxView(x, parent);
    else if (auto* x = dynamic_cast<TMemo*>(c))
        v = new TMemoView(x, parent);
    else if (auto* x = dynamic_cast<TStringGrid*>(c))
        v = new TGridView(x, parent);
    else if (auto* x = dynamic_cast<TTrackBar*>(c))
        v = new TTrackBarView(x, parent);
    else if (auto* x = dynamic_cast<TProgressBar*>(c))
        v = new TProgressBarView(x, parent);
    else if (auto* x = dynamic_cast<TDateTimePicker*>(c))
        v = new TDateTimePickerView(x, parent);
    else if (auto* x = dynamic_cast<TImage*>(c))
        v = new TImageView(x, parent);
    else if (auto* x = dynamic_cast<TAnimate*>(c))
        v = new TAnimateView(x, parent);
    else
        v = new TPlainView(c, parent);
    CreateChildren(c, v->Widget());
    v->ApplyAll();
    return v;
}

TControlView* CreateFormView(TForm* form)
{
    auto* v = new TFormView(form);
    CreateChildren(form, v);
    v->ApplyAll();
    return v;
}

}  // namespace zubqt

#include "zubqt/QtView.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QToolButton>
#include <QLabel>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "Common.h"
#include "rtl/MainThread.h"
#include "rtl/ScopeGuard.h"
#include "zub/Clipbrd.h"
#include "zub/Dialogs.h"
#include "zub/ExtCtrls.h"
#include "zub/Menus.h"
#include "zub/Printers.h"
#include "zub/ShellApi.h"
#include "zubqt/QtServices.h"

using namespace zubqt;

namespace {

TQtView* g_view = nullptr;
TQtView::Impl* g_impl = nullptr;  // the view's state, for the widgets' registry

// Mouse, hover and focus input of one control's widget, and keys and window dragging for the
// whole application.
class TInputFilter : public QObject {
public:
    explicit TInputFilter(TQtView::Impl& impl) : FImpl(impl) {}
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    bool Key(QObject* obj, QKeyEvent* e);
    void Mouse(TControlView* v, QEvent* e);
    // A mouse event that one widget ignored is offered to its parent: only the control under
    // the pointer, the first receiver, acts on it.
    static bool FirstReceiver(QWidget* w, QEvent* e);
    TQtView::Impl& FImpl;
    TControlView* FPressed = nullptr;
    // The control whose click is being handled, and whether the pointer left it meanwhile
    // (a dialog the click opened took the pointer) without coming back.
    TControlView* FClicking = nullptr;
    bool FLeftWhileClicking = false;
};

QString MenuText(const String& caption)
{
    QString t = Q(caption);
    t.replace("&&", "\x01").remove('&').replace("\x01", "&&");
    return t;
}

}  // namespace

struct TQtView::Impl {
    std::unique_ptr<QApplication> ownedApp;
    std::unordered_map<const TComponent*, TControlView*> views;
    // A tray icon: a QSystemTrayIcon, or where the desktop has no tray its stand-in window.
    std::unordered_map<const TComponent*, QObject*> trays;
    std::unordered_map<const TComponent*, QPointer<QMenu>> menus;
    // Menu entries chosen whose click is still to run.
    std::unordered_set<const TComponent*> pendingClicks;
    std::unique_ptr<TInputFilter> filter;
    TTimer* pump = nullptr;
    QTimer* modalTimer = nullptr;
    int modalDepth = 0;
    bool hourglass = false;
    QPointer<QWidget> dragWindow;
    QPoint dragOffset;
    std::shared_ptr<IDialogs> oldDialogs;
    std::shared_ptr<IClipboard> oldClipboard;
    std::shared_ptr<IPrinter> oldPrinter;
    std::shared_ptr<IShell> oldShell;
    std::shared_ptr<void> probe;
    TBitmapCanvasMaker oldBitmapMaker;
    std::unique_ptr<QTranslator> translator;

    void OnNotice(const TNotice& n);
    void Forget(const TComponent* c);
    void Reparent(TControlView* v);
    void Request(TControlView* v, const String& what);
    void Tray(TTrayIcon* t, const TNotice& n);
    void Popup(TPopupMenu* m, int x, int y);
    void FillMenu(QMenu* menu, TMenuItem* items);
    void ScreenCursor();
};

namespace zubqt {

TControlView* FindView(const TComponent* c)
{
    if (!g_impl || !c) return nullptr;
    auto& views = g_impl->views;
    auto it = views.find(c);
    return it == views.end() ? nullptr : it->second;
}

void AddView(TControlView* v)
{
    if (g_impl && v->Control()) g_impl->views[v->Control()] = v;
}

void RemoveView(TControlView* v)
{
    if (!g_impl || !v->Control()) return;
    auto& views = g_impl->views;
    auto it = views.find(v->Control());
    if (it != views.end() && it->second == v) views.erase(it);
}

void RunQtModal(const std::function<void()>& exec)
{
    TQtView::Impl* d = g_impl;
    if (d && d->modalDepth++ == 0) d->modalTimer->start(10);
    TScopeGuard ende([d] {
        if (d && --d->modalDepth == 0) d->modalTimer->stop();
    });
    exec();
}

}  // namespace zubqt

// ---- input

bool TInputFilter::FirstReceiver(QWidget* w, QEvent* e)
{
    const QPoint p = static_cast<QMouseEvent*>(e)->position().toPoint();
    for (QWidget* c = w->childAt(p); c && c != w; c = c->parentWidget())
        if (auto* v = dynamic_cast<TControlView*>(c); v && v->Control()) return false;
    return true;
}

bool TInputFilter::eventFilter(QObject* obj, QEvent* e)
{
    switch (e->type()) {
    case QEvent::KeyPress: return Key(obj, static_cast<QKeyEvent*>(e));
    case QEvent::MouseMove:
        if (obj->isWidgetType()) {
            auto* me = static_cast<QMouseEvent*>(e);
            const QPoint g = me->globalPosition().toPoint();
            Screen->SetCursorPos(TPoint{g.x(), g.y()});
            if (FImpl.dragWindow && (me->buttons() & Qt::LeftButton)) {
                FImpl.dragWindow->move(g - FImpl.dragOffset);
                return true;
            }
        }
        break;
    case QEvent::MouseButtonRelease:
        if (FImpl.dragWindow) {
            FImpl.dragWindow = nullptr;
            FPressed = nullptr;
            return true;
        }
        break;
    default: break;
    }
    // Per-widget input: only for the widget a control view stands for.
    if (obj->isWidgetType()) {
        auto* v = dynamic_cast<TControlView*>(obj);
        if (!v || !v->Control()) return false;
        const QEvent::Type t = e->type();
        const bool propagates = t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease ||
                                t == QEvent::MouseButtonDblClick || t == QEvent::MouseMove;
        if (propagates && !FirstReceiver(static_cast<QWidget*>(obj), e)) return false;
        Mouse(v, e);
    }
    return false;
}

bool TInputFilter::Key(QObject* obj, QKeyEvent* e)
{
    // The application filter sees a key once for each widget it is offered to: act on the first.
    QWidget* focus = QApplication::focusWidget();
    auto* w = qobject_cast<QWidget*>(obj);
    if (!w || (focus ? w != focus : !w->isWindow())) return false;
    TControlView* v = nullptr;
    for (QWidget* p = w; p && !v; p = p->parentWidget()) {
        v = dynamic_cast<TControlView*>(p);
        if (v && !v->Control()) v = nullptr;
    }
    if (!v) return false;
    unsigned short key = VirtualKey(e->key());
    if (key == 0) return false;
    TControl* c = v->Control();
    Guarded([&] { c->KeyDown(key, ShiftOf(e->modifiers(), Qt::NoButton)); });
    return key == 0;
}

void TInputFilter::Mouse(TControlView* v, QEvent* e)
{
    TControl* c = v->Control();
    auto button = [](Qt::MouseButton b) {
        return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft;
    };
    switch (e->type()) {
    case QEvent::MouseButtonPress: {
        auto* me = static_cast<QMouseEvent*>(e);
        const QPoint p = me->position().toPoint();
        if (me->button() == Qt::LeftButton) FPressed = v;
        Guarded([&] {
            c->MouseDown(button(me->button()), ShiftOf(me->modifiers(), me->buttons()), p.x(), p.y());
        });
        break;
    }
    case QEvent::MouseButtonDblClick:
        // Qt sends the second press on its own before this; its release makes no second click.
        if (static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) FPressed = nullptr;
        Guarded([&] { c->DblClick(); });
        break;
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(e);
        const QPoint p = me->position().toPoint();
        const bool click = me->button() == Qt::LeftButton && FPressed == v && v->ClicksByMouse() &&
                           v->Widget()->rect().contains(p);
        if (me->button() == Qt::LeftButton) FPressed = nullptr;
        // Click comes before the button's release, as on the desktop.
        TControlView* const voriger = std::exchange(FClicking, click ? v : nullptr);
        const bool verlassen = std::exchange(FLeftWhileClicking, false);
        Guarded([&] {
            if (click) c->Click();
            if (v->Control())
                c->MouseUp(button(me->button()), ShiftOf(me->modifiers(), me->buttons()), p.x(), p.y());
            // The click opened a dialog that took the pointer away; that leave came while the
            // control was disabled by the dialog and ended no hover. Tell it again now.
            if (click && FLeftWhileClicking && v->Control()) c->MouseLeave();
        });
        FClicking = voriger;
        FLeftWhileClicking = verlassen;
        break;
    }
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(e);
        const QPoint p = me->position().toPoint();
        Guarded([&] { c->MouseMove(ShiftOf(me->modifiers(), me->buttons()), p.x(), p.y()); });
        break;
    }
    case QEvent::Enter:
        if (v == FClicking) FLeftWhileClicking = false;
        Guarded([&] { c->MouseEnter(); });
        break;
    case QEvent::Leave:
        if (v == FClicking) FLeftWhileClicking = true;
        Guarded([&] { c->MouseLeave(); });
        break;
    case QEvent::FocusIn:
        if (!c->Focused()) Guarded([&] { c->SetFocus(); });
        break;
    case QEvent::FocusOut: {
        auto r = static_cast<QFocusEvent*>(e)->reason();
        if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason && c->Focused())
            Guarded([&] { c->DoExit(); });
        break;
    }
    default: break;
    }
}

// ---- notices

void TQtView::Impl::OnNotice(const TNotice& n)
{
    if (n.Prop == TProp::Destroyed) {  // Sender is gone: only its address is used
        Forget(n.Sender);
        return;
    }
    if (!n.Sender) {
        if (n.Prop == TProp::Cursor) ScreenCursor();
        return;
    }
    if (TControlView* v = FindView(n.Sender)) {
        if (n.Prop == TProp::Request)
            Request(v, n.Text);
        else if (n.Prop == TProp::Parent)
            Reparent(v);
        else
            v->Apply(n);
        return;
    }
    auto* comp = const_cast<TComponent*>(n.Sender);
    if (auto* f = dynamic_cast<TForm*>(comp)) {
        // A form gets its window when it is first shown.
        if ((n.Prop == TProp::Visible || n.Prop == TProp::FormState) && f->Visible()) CreateFormView(f);
    } else if (auto* c = dynamic_cast<TControl*>(comp)) {
        if (n.Prop == TProp::Parent)
            if (TControlView* p = FindView(c->Parent())) CreateControlView(c, p->Widget());
    } else if (auto* t = dynamic_cast<TTrayIcon*>(comp)) {
        Tray(t, n);
    } else if (auto* m = dynamic_cast<TPopupMenu*>(comp)) {
        if (n.Text == "popup") Popup(m, n.Index, n.Index2);
    }
}

void TQtView::Impl::Forget(const TComponent* c)
{
    pendingClicks.erase(c);
    if (auto it = views.find(c); it != views.end()) {
        TControlView* v = it->second;
        views.erase(it);
        v->Detach();
        v->Widget()->hide();
        v->Widget()->deleteLater();
    }
    if (auto it = trays.find(c); it != trays.end()) {
        if (auto* w = qobject_cast<QWidget*>(it->second))
            w->hide();
        else
            static_cast<QSystemTrayIcon*>(it->second)->hide();
        it->second->deleteLater();
        trays.erase(it);
    }
    if (auto it = menus.find(c); it != menus.end()) {
        if (it->second) {
            it->second->close();
            it->second->deleteLater();
        }
        menus.erase(it);
    }
}

void TQtView::Impl::Reparent(TControlView* v)
{
    TControl* c = v->Control();
    TControlView* p = FindView(c->Parent());
    if (!p) {
        Forget(c);
        return;
    }
    v->Widget()->setParent(p->Widget());
    v->ApplyAll();
}

void TQtView::Impl::Request(TControlView* v, const String& what)
{
    QWidget* w = v->Widget()->window();
    if (what == "move") {
        if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) return;
        if (w->windowHandle() && w->windowHandle()->startSystemMove()) return;
        // No window manager to ask: the window follows the mouse until the button is released.
        dragWindow = w;
        dragOffset = QCursor::pos() - w->pos();
    } else if (what == "front") {
        // a control comes in front of its siblings, a form's window to the foreground
        if (v->Control()->Parent()) {
            v->Widget()->raise();
            return;
        }
        w->raise();
        w->activateWindow();
    }
}

void TQtView::Impl::ScreenCursor()
{
    const TCursor c = Screen->Cursor();
    if (c != crDefault) {
        if (hourglass)
            QApplication::changeOverrideCursor(QtCursor(c));
        else
            QApplication::setOverrideCursor(QtCursor(c));
        hourglass = true;
    } else if (hourglass) {
        QApplication::restoreOverrideCursor();
        hourglass = false;
    }
}

// ---- tray icons and menus

static QIcon TrayImage(TTrayIcon* t)
{
    QImage img = QtImage(*t->Icon());
    if (!img.isNull()) return QIcon(QPixmap::fromImage(img));
    if (!QApplication::windowIcon().isNull()) return QApplication::windowIcon();
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x1e, 0x5a, 0xc8));
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 28, 28);
    p.setPen(Qt::white);
    QFont f("DejaVu Sans");
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, "Q");
    return QIcon(pm);
}

namespace {

void TrayInput(TTrayIcon* t, QSystemTrayIcon::ActivationReason r)
{
    const QPoint g = QCursor::pos();
    Screen->SetCursorPos(TPoint{g.x(), g.y()});
    Guarded([&] {
        if (r == QSystemTrayIcon::Trigger)
            t->Click();
        else if (r == QSystemTrayIcon::DoubleClick)
            t->DblClick();
        else if (r == QSystemTrayIcon::Context && t->PopupMenu())
            t->PopupMenu()->Popup(g.x(), g.y());
    });
}

// Where the desktop has no notification area, a small window at the bottom right of the screen
// stands for the icon, so a program sent to the tray can still be brought back.
class TTrayStandIn : public QToolButton {
public:
    TTrayStandIn(TTrayIcon* t, int slot)
        : QToolButton(nullptr), FTray(t), FBalloon(new TBalloon()), FBalloonTimer(new QTimer(this))
    {
        FBalloon->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        FBalloon->setTextFormat(Qt::RichText);
        FBalloon->setMargin(8);
        FBalloon->setStyleSheet("QLabel { background: #ffffe1; color: black; border: 1px solid #767676; }");
        FBalloonTimer->setSingleShot(true);
        QObject::connect(FBalloonTimer, &QTimer::timeout, FBalloon, &QWidget::hide);
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setAutoRaise(true);
        setIconSize(QSize(24, 24));
        resize(32, 32);
        if (QScreen* s = QGuiApplication::primaryScreen()) {
            const QRect a = s->availableGeometry();
            move(a.right() - 36 - slot * 36, a.bottom() - 36);
        }
        All().push_back(this);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        QToolButton::mouseReleaseEvent(e);
        if (!rect().contains(e->position().toPoint())) return;
        // A click on the icon puts its note away, so the note never covers the icon's menu.
        FBalloon->hide();
        if (e->button() == Qt::LeftButton && !FDouble)
            TrayInput(FTray, QSystemTrayIcon::Trigger);
        else if (e->button() == Qt::RightButton)
            TrayInput(FTray, QSystemTrayIcon::Context);
        FDouble = false;
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        QToolButton::mouseDoubleClickEvent(e);
        FDouble = true;
        if (e->button() == Qt::LeftButton) TrayInput(FTray, QSystemTrayIcon::DoubleClick);
    }

public:
    ~TTrayStandIn() override
    {
        auto& all = All();
        all.erase(std::remove(all.begin(), all.end(), this), all.end());
        delete FBalloon;
    }
    void hideEvent(QHideEvent* e) override
    {
        QToolButton::hideEvent(e);
        FBalloon->hide();
    }
    // The balloon: a note above the stand-in for the balloon's time, above the notes of other
    // icons already shown there, so no note covers another.
    void ShowBalloon(const QString& title, const QString& text, int ms)
    {
        FBalloon->hide();
        FBalloon->setText("<b>" + title.toHtmlEscaped() + "</b><br>" + text.toHtmlEscaped());
        FBalloon->adjustSize();
        const QPoint at = mapToGlobal(QPoint(width(), 0));
        QRect r(QPoint(std::max(at.x() - FBalloon->width(), 0), 0), FBalloon->size());
        r.moveBottom(at.y() - 4);
        for (bool moved = true; moved;) {
            moved = false;
            for (TTrayStandIn* other : All())
                if (other != this && other->FBalloon->isVisible() &&
                    other->FBalloon->geometry().intersects(r)) {
                    r.moveBottom(other->FBalloon->geometry().top() - 4);
                    moved = true;
                }
        }
        FBalloon->move(r.x(), std::max(r.y(), 0));
        FBalloon->show();
        FBalloonTimer->start(std::max(ms, 1000));
    }

private:
    // A click on the note puts it away, as on the desktop.
    class TBalloon : public QLabel {
    protected:
        void mousePressEvent(QMouseEvent*) override { hide(); }
    };
    static std::vector<TTrayStandIn*>& All()
    {
        static std::vector<TTrayStandIn*> all;
        return all;
    }
    TTrayIcon* FTray;
    bool FDouble = false;
    TBalloon* FBalloon;
    QTimer* FBalloonTimer;
};

}  // namespace

void TQtView::Impl::Tray(TTrayIcon* t, const TNotice& n)
{
    QObject*& obj = trays[t];
    if (!obj) {
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            auto* icon = new QSystemTrayIcon(TrayImage(t));
            QObject::connect(icon, &QSystemTrayIcon::activated,
                             [t](QSystemTrayIcon::ActivationReason r) { TrayInput(t, r); });
            obj = icon;
        } else {
            auto* standIn = new TTrayStandIn(t, static_cast<int>(trays.size()) - 1);
            standIn->setObjectName("tray:" + Q(t->Name()));
            standIn->setIcon(TrayImage(t));
            obj = standIn;
        }
    }
    auto* icon = qobject_cast<QSystemTrayIcon*>(obj);
    auto* standIn = icon ? nullptr : static_cast<TTrayStandIn*>(obj);
    switch (n.Prop) {
    case TProp::Balloon: {
        const TBalloonFlags f = t->BalloonFlags();
        auto kind = f == bfInfo      ? QSystemTrayIcon::Information
                    : f == bfWarning ? QSystemTrayIcon::Warning
                    : f == bfError   ? QSystemTrayIcon::Critical
                                     : QSystemTrayIcon::NoIcon;
        if (icon)
            icon->showMessage(Q(t->BalloonTitle()), Q(t->BalloonHint()), kind, t->BalloonTimeout());
        else if (standIn->isVisible())
            standIn->ShowBalloon(Q(t->BalloonTitle()), Q(t->BalloonHint()), t->BalloonTimeout());
        break;
    }
    case TProp::Picture:
        if (icon)
            icon->setIcon(TrayImage(t));
        else
            standIn->setIcon(TrayImage(t));
        break;
    default:
        if (icon) {
            icon->setToolTip(Q(t->Hint()));
            icon->setVisible(t->Visible());
        } else {
            standIn->setToolTip(Q(t->Hint()));
            standIn->setVisible(t->Visible());
        }
        break;
    }
}

void TQtView::Impl::FillMenu(QMenu* menu, TMenuItem* items)
{
    for (int i = 0, n = items->Count(); i < n; ++i) {
        TMenuItem* item = items->Items(i);
        if (!item->Visible()) continue;
        if (item->Caption() == "-") {
            menu->addSeparator();
            continue;
        }
        if (item->Count() > 0) {
            FillMenu(menu->addMenu(MenuText(item->Caption())), item);
            continue;
        }
        QAction* a = menu->addAction(MenuText(item->Caption()));
        a->setEnabled(item->Enabled());
        a->setCheckable(item->Checked());
        a->setChecked(item->Checked());
        a->setStatusTip(Q(item->Hint()));
        // The entry runs once the menu has finished with the click, as a desktop menu posts its
        // command: an entry that runs a message loop (an update polling its job) would otherwise
        // let that loop delete the closed menu while the menu's own mouse handler is still on
        // the stack.
        QObject::connect(a, &QAction::triggered, [this, item] {
            pendingClicks.insert(item);
            QTimer::singleShot(0, qApp, [this, item] {
                Guarded([] { Notices().Drain(); });  // an entry destroyed meanwhile is forgotten
                if (pendingClicks.erase(item) > 0) Guarded([&] { item->Click(); });
            });
        });
    }
}

void TQtView::Impl::Popup(TPopupMenu* m, int x, int y)
{
    if (auto it = menus.find(m); it != menus.end() && it->second) it->second->deleteLater();
    auto* menu = new QMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    FillMenu(menu, m->Items());
    menus[m] = menu;
    menu->popup(QPoint(x, y));
}

// ---- the view

TQtView::TQtView(int& argc, char** argv) : d(std::make_unique<Impl>())
{
    if (!QApplication::instance()) d->ownedApp = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own windows (the print dialog, standard buttons) speak German like the desktop the
    // components stand in for.
    d->translator = std::make_unique<QTranslator>();
    if (d->translator->load(QLocale(QLocale::German, QLocale::Germany), "qtbase", "_",
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(d->translator.get());
    g_view = this;
    g_impl = d.get();
    d->filter = std::make_unique<TInputFilter>(*d);
    qApp->installEventFilter(d->filter.get());
    if (QScreen* s = QGuiApplication::primaryScreen())
        Screen->SetSize(s->geometry().width(), s->geometry().height());

    d->modalTimer = new QTimer();
    QObject::connect(d->modalTimer, &QTimer::timeout, [] { Application->ProcessMessages(); });

    d->oldDialogs = SetDialogs(std::make_shared<TQtDialogs>());
    d->oldClipboard = SetClipboardService(std::make_shared<TQtClipboard>());
    d->oldPrinter = SetPrinter(std::make_shared<TQtPrinter>());
    d->oldShell = SetShell(std::make_shared<TQtShell>());

    Impl* impl = d.get();
    Notices().SetObserver([impl](const TNotice& n) { impl->OnNotice(n); });
    d->pump = new TTimer(nullptr);
    d->pump->SetInterval(10);
    d->pump->OnTimer = [this](TObject*) { Pump(); };
    d->probe = StartProbe();
    d->oldBitmapMaker = SetBitmapCanvasMaker(
        [](int w, int h) -> std::unique_ptr<TCanvas> { return std::make_unique<TQtImageCanvas>(w, h); });
}

TQtView::~TQtView()
{
    delete d->pump;
    SetBitmapCanvasMaker(d->oldBitmapMaker);
    d->probe.reset();
    Notices().SetObserver(nullptr);
    qApp->removeEventFilter(d->filter.get());
    std::vector<QWidget*> windows;
    for (auto& [c, v] : d->views)
        if (v->Widget()->isWindow()) windows.push_back(v->Widget());
    for (QWidget* w : windows) delete w;
    d->views.clear();
    for (auto& [c, t] : d->trays) delete t;
    d->trays.clear();
    for (auto& [c, m] : d->menus)
        if (m) delete m.data();
    delete d->modalTimer;
    SetDialogs(d->oldDialogs);
    SetClipboardService(d->oldClipboard);
    SetPrinter(d->oldPrinter);
    SetShell(d->oldShell);
    if (d->hourglass) QApplication::restoreOverrideCursor();
    g_view = nullptr;
    g_impl = nullptr;
    d->filter.reset();
    if (d->translator) QCoreApplication::removeTranslator(d->translator.get());
    d->translator.reset();
    d->ownedApp.reset();
}

TQtView* TQtView::Instance() { return g_view; }

void TQtView::Pump()
{
    Guarded([] { Notices().Drain(); });
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    Guarded([] { Notices().Drain(); });
}

QWidget* TQtView::WidgetOf(const TComponent* c) const
{
    TControlView* v = FindView(c);
    return v ? v->Widget() : nullptr;
}

QObject* TQtView::ObjectOf(const TComponent* c) const
{
    auto it = d->trays.find(c);
    return it == d->trays.end() ? nullptr : it->second;
}

// Leak checking (address-sanitizer builds): the desktop's font configuration and message bus
// libraries keep their caches and connections until the process ends; no leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\nleak:libdbus-1\n"; }

// The window tests' look into a running program: with $ZUBQT_PROBE naming a socket path, the
// view answers on that local socket what is on the screen, so a test that clicks and types with
// the desktop's own input (xdotool) knows where the widgets are and what they show.
//
// One request a connection: the client sends "windows\n" and reads one JSON document up to the
// end of the connection: every shown top-level window with its frame, the controls of a form (name,
// kind, frame in screen pixels, shown, enabled, text, list items, the texts painted on lists and
// grids) and the buttons, texts and menu entries of Qt's own windows (message boxes, menus, the
// print dialog, the tray stand-in).
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <typeinfo>

#include "Common.h"
#include "zub/ComCtrls.h"
#include "zub/Grids.h"
#include "zub/StdCtrls.h"

namespace zubqt {

namespace {

// A request is one short line.
constexpr qsizetype kLongestRequest = 200;

void PutFrame(QJsonObject& o, const QRect& r)
{
    o["x"] = r.x();
    o["y"] = r.y();
    o["w"] = r.width();
    o["h"] = r.height();
}

QJsonObject Frame(const QRect& r)
{
    QJsonObject o;
    PutFrame(o, r);
    return o;
}

QRect ScreenRect(const QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }

QJsonArray Items(const std::vector<String>& lines)
{
    QJsonArray items;
    for (const String& s : lines) items.append(Q(s));
    return items;
}

// The model's kind of a control, without the compiler's decoration ("TLabel").
QString Kind(const TControl* c)
{
    QString n = typeid(*c).name();
    int i = 0;
    while (i < n.size() && n[i].isDigit()) ++i;
    return n.mid(i);
}

// The size a widget needs to show its whole text, where that can be told: a test compares it
// with the frame to find clipped captions.
QSize Needs(const QWidget* w)
{
    if (auto* l = qobject_cast<const QLabel*>(w)) {
        if (l->text().isEmpty()) return {};
        return l->wordWrap() ? QSize(l->width(), l->heightForWidth(l->width())) : l->sizeHint();
    }
    if (auto* c = qobject_cast<const QComboBox*>(w)) {
        QStyleOptionComboBox opt;
        opt.initFrom(c);
        opt.editable = c->isEditable();
        opt.frame = c->hasFrame();
        const QFontMetrics fm = c->fontMetrics();
        const QSize text(fm.horizontalAdvance(c->currentText()) + 4, fm.height());
        return c->style()->sizeFromContents(QStyle::CT_ComboBox, &opt, text, c);
    }
    if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractSpinBox*>(w))
        return w->sizeHint();
    return {};
}

// A list box draws each line from its left edge; beside it the scroll bar when lines are hidden.
QSize ListNeeds(const TListBox& l)
{
    const QFontMetrics fm(QtFont(*l.Font()));
    const std::vector<String> lines = l.Items()->ToVector();
    int breit = 0;
    for (const String& s : lines) breit = std::max(breit, fm.horizontalAdvance(Q(s)));
    const int h = std::max(l.ItemHeight(), 1);
    if (static_cast<int>(lines.size()) > l.Height() / h) breit += 16;
    return {breit + 2, l.Height()};
}

// The texts painted on a list or grid whose lines stand in the widget from top to bottom, each
// with the room it can be seen whole in: its clip rectangle inside the widget's one-pixel border
// and left of a shown scroll bar (screen pixels). A text wider than its room is cut.
QJsonArray Painted(const TControlView* v)
{
    QJsonArray out;
    const std::vector<TPaintedText>* texts = v->PaintedTexts();
    if (!texts) return out;
    const QWidget* w = v->Widget();
    QRect inside = w->rect().adjusted(1, 1, -1, -1);
    for (const QWidget* bar : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (bar->isVisibleTo(w)) inside.setRight(std::min(inside.right(), bar->x() - 1));
    const QPoint origin = w->mapToGlobal(QPoint(0, 0));
    for (const TPaintedText& t : *texts) {
        // A line scrolled partly out of sight at the top or bottom is cut as lists and grids do.
        if (t.Text.trimmed().isEmpty() || !w->rect().contains(t.Line)) continue;
        const QRect room = t.Clip.isNull() ? inside : inside.intersected(t.Clip);
        QJsonObject o{{"text", t.Text}, {"room", Frame(room.translated(origin))}};
        PutFrame(o, t.Line.translated(origin));
        out.append(o);
    }
    return out;
}

QJsonObject Control(const TControlView* v, const QWidget* window)
{
    const TControl* c = v->Control();
    const QWidget* w = v->Widget();
    QJsonObject s{{"name", Q(c->Name())},
                  {"kind", Kind(c)},
                  {"shown", w->isVisibleTo(window)},
                  {"enabled", c->Enabled()},
                  {"text", Q(c->Text())}};
    PutFrame(s, ScreenRect(w));
    if (auto* l = dynamic_cast<const TListBox*>(c)) s["items"] = Items(l->Items()->ToVector());
    if (auto* b = dynamic_cast<const TComboBox*>(c)) s["items"] = Items(b->Items()->ToVector());
    if (auto* g = dynamic_cast<const TStringGrid*>(c)) {
        s["rows"] = g->RowCount();
        s["top_row"] = g->TopRow();
    }
    if (auto* box = dynamic_cast<const TCheckBox*>(c)) s["checked"] = box->Checked();
    if (auto* r = dynamic_cast<const TRadioButton*>(c)) s["checked"] = r->Checked();
    if (auto* t = dynamic_cast<const TTrackBar*>(c)) s["position"] = t->Position();
    // What the widget really shows, where it differs from the model (a label grown to its text).
    if (auto* q = qobject_cast<const QLabel*>(w)) s["shows"] = q->text();
    QSize n = Needs(w);
    if (auto* l = dynamic_cast<const TListBox*>(c)) n = ListNeeds(*l);
    if (n.isValid()) s["needs"] = QJsonObject{{"w", n.width()}, {"h", n.height()}};
    if (v->PaintedTexts()) s["painted"] = Painted(v);
    return s;
}

QJsonObject Part(const QString& kind, const QString& text, const QRect& frame, bool enabled)
{
    QJsonObject o{{"kind", kind}, {"text", text}, {"enabled", enabled}};
    PutFrame(o, frame);
    return o;
}

// Buttons, texts and edits of a window the view did not make from a form.
QJsonArray QtParts(QWidget* window)
{
    QJsonArray parts;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        QString kind, text;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            kind = "button";
            text = b->text();
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            kind = "label";
            text = l->text();
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            kind = "edit";
            text = e->text();
        } else if (auto* c = qobject_cast<QComboBox*>(w)) {
            kind = "combo";
            text = c->currentText();
        } else {
            continue;
        }
        parts.append(Part(kind, text, ScreenRect(w), w->isEnabled()));
    }
    if (auto* m = qobject_cast<QMenu*>(window))
        for (QAction* a : m->actions()) {
            if (a->isSeparator() || !a->isVisible()) continue;
            const QRect r = m->actionGeometry(a).translated(m->mapToGlobal(QPoint(0, 0)));
            parts.append(Part("entry", a->text(), r, a->isEnabled()));
        }
    return parts;
}

QJsonObject Window(QWidget* w)
{
    QJsonObject s{{"title", w->windowTitle()},
                  {"class", w->metaObject()->className()},
                  {"object", w->objectName()},
                  {"active", w->isActiveWindow()},
                  {"modal", w->isModal()}};
    PutFrame(s, QRect(w->pos(), w->size()));
    auto* form = dynamic_cast<TControlView*>(w);
    if (form && form->Control()) {
        s["form"] = Q(form->Control()->Name());
        QJsonArray controls;
        for (QWidget* child : w->findChildren<QWidget*>())
            if (auto* v = dynamic_cast<TControlView*>(child); v && v->Control())
                controls.append(Control(v, w));
        s["controls"] = controls;
    } else {
        if (auto* l = qobject_cast<QLabel*>(w)) s["text"] = l->text();
        s["parts"] = QtParts(w);
    }
    return s;
}

QByteArray Answer(const QByteArray& request)
{
    QJsonObject reply;
    if (request.trimmed() == "windows") {
        QJsonArray windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) windows.append(Window(w));
        reply["windows"] = windows;
    } else {
        reply["error"] = "unknown request";
    }
    return QJsonDocument(reply).toJson(QJsonDocument::Compact);
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Listens on the path; a path where something stands already is left alone (no probe then).
class TProbe {
public:
    explicit TProbe(const QString& path) : FServer(std::make_unique<QLocalServer>())
    {
        const QByteArray p = path.toLocal8Bit();
        if (!FServer->listen(path) || ::lstat(p.constData(), &FMade) != 0) {
            std::fprintf(stderr, "zubqt: no probe on %s: %s\n", p.constData(),
                         FServer->errorString().toLocal8Bit().constData());
            FServer.reset();
            return;
        }
        FPath = p;
        QObject::connect(FServer.get(), &QLocalServer::newConnection, [this] {
            while (QLocalSocket* peer = FServer->nextPendingConnection()) Serve(peer);
        });
    }
    ~TProbe()
    {
        if (!FServer) return;
        // Closing the server removes what stands at its path: only while that is still its socket.
        struct stat now {};
        if (::lstat(FPath.constData(), &now) == 0 && !SameFile(now, FMade)) {
            // Never deleted, so never closed.
            static auto* kept = new std::vector<QLocalServer*>;
            kept->push_back(FServer.release());
        }
    }
    TProbe(const TProbe&) = delete;
    TProbe& operator=(const TProbe&) = delete;

private:
    // Reads as the request arrives (the GUI thread never waits for it) and answers at its line end.
    static void Serve(QLocalSocket* peer)
    {
        QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
        QObject::connect(peer, &QLocalSocket::readyRead, peer, [peer] {
            const QByteArray seen = peer->peek(kLongestRequest + 1);
            if (!seen.contains('\n') && seen.size() <= kLongestRequest) return;
            const QByteArray request = peer->read(kLongestRequest + 1);
            peer->readAll();
            peer->write(Answer(request.left(request.indexOf('\n'))));
            peer->disconnectFromServer();
        });
    }
    std::unique_ptr<QLocalServer> FServer;
    QByteArray FPath;
    struct stat FMade {};
};

}  // namespace

std::shared_ptr<void> StartProbe()
{
    const char* path = std::getenv("ZUBQT_PROBE");
    if (!path || !*path) return nullptr;
    // A relative path names a place in the working folder.
    return std::make_shared<TProbe>(QFileInfo(QString::fromLocal8Bit(path)).absoluteFilePath());
}

}  // namespace zubqt

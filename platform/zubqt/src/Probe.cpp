// The window tests' look into a running program: with $ZUBQT_PROBE naming a socket path, the
// view answers on that Unix socket what is on the screen, so a test that clicks and types with
// the desktop's own input (xdotool) knows where the widgets are and what they show.
//
// One request a connection: the client sends "windows\n" and reads one JSON document up to the
// end of the connection: every shown top-level window with its frame, the controls of a form (name,
// kind, frame in screen pixels, shown, enabled, text, list items) and the buttons, texts and
// menu entries of Qt's own windows (message boxes, menus, the print dialog, the tray stand-in).
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSocketNotifier>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <typeinfo>
#include <unistd.h>

#include "Common.h"
#include "zub/ComCtrls.h"
#include "zub/Grids.h"
#include "zub/StdCtrls.h"

namespace zubqt {

namespace {

QString Json(const QString& s)
{
    QString out = "\"";
    for (QChar c : s) {
        switch (c.unicode()) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c.unicode() < 0x20)
                out += QString("\\u%1").arg(c.unicode(), 4, 16, QChar('0'));
            else
                out += c;
        }
    }
    return out + "\"";
}

QString Frame(const QRect& r)
{
    return QString("\"x\":%1,\"y\":%2,\"w\":%3,\"h\":%4")
        .arg(r.x())
        .arg(r.y())
        .arg(r.width())
        .arg(r.height());
}

QRect ScreenRect(const QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }

QString Items(const std::vector<String>& lines)
{
    QStringList items;
    for (const String& s : lines) items << Json(Q(s));
    return "[" + items.join(",") + "]";
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

QString Control(const TControlView* v, const QWidget* window)
{
    const TControl* c = v->Control();
    const QWidget* w = v->Widget();
    QString s = "{\"name\":" + Json(Q(c->Name())) + ",\"kind\":" + Json(Kind(c)) + "," +
                Frame(ScreenRect(w)) + ",\"shown\":" + (w->isVisibleTo(window) ? "true" : "false") +
                ",\"enabled\":" + (c->Enabled() ? "true" : "false") + ",\"text\":" + Json(Q(c->Text()));
    if (auto* l = dynamic_cast<const TListBox*>(c)) s += ",\"items\":" + Items(l->Items()->ToVector());
    if (auto* b = dynamic_cast<const TComboBox*>(c)) s += ",\"items\":" + Items(b->Items()->ToVector());
    if (auto* g = dynamic_cast<const TStringGrid*>(c))
        s += QString(",\"rows\":%1,\"top_row\":%2").arg(g->RowCount()).arg(g->TopRow());
    if (auto* box = dynamic_cast<const TCheckBox*>(c))
        s += QString(",\"checked\":%1").arg(box->Checked() ? "true" : "false");
    if (auto* r = dynamic_cast<const TRadioButton*>(c))
        s += QString(",\"checked\":%1").arg(r->Checked() ? "true" : "false");
    if (auto* t = dynamic_cast<const TTrackBar*>(c)) s += QString(",\"position\":%1").arg(t->Position());
    // What the widget really shows, where it differs from the model (a label grown to its text).
    if (auto* q = qobject_cast<const QLabel*>(w)) s += ",\"shows\":" + Json(q->text());
    QSize n = Needs(w);
    if (auto* l = dynamic_cast<const TListBox*>(c)) n = ListNeeds(*l);
    if (n.isValid()) s += QString(",\"needs\":{\"w\":%1,\"h\":%2}").arg(n.width()).arg(n.height());
    return s + "}";
}

// Buttons, texts and edits of a window the view did not make from a form.
QString QtParts(QWidget* window)
{
    QStringList parts;
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
        parts << "{\"kind\":\"" + kind + "\",\"text\":" + Json(text) + "," + Frame(ScreenRect(w)) +
                     ",\"enabled\":" + (w->isEnabled() ? "true" : "false") + "}";
    }
    if (auto* m = qobject_cast<QMenu*>(window))
        for (QAction* a : m->actions()) {
            if (a->isSeparator() || !a->isVisible()) continue;
            const QRect r = m->actionGeometry(a).translated(m->mapToGlobal(QPoint(0, 0)));
            parts << "{\"kind\":\"entry\",\"text\":" + Json(a->text()) + "," + Frame(r) +
                         ",\"enabled\":" + (a->isEnabled() ? "true" : "false") + "}";
        }
    return "[" + parts.join(",") + "]";
}

QString Windows()
{
    QStringList windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible()) continue;
        auto* form = dynamic_cast<TControlView*>(w);
        QString s = "{" + Frame(QRect(w->pos(), w->size())) + ",\"title\":" + Json(w->windowTitle()) +
                    ",\"class\":" + Json(w->metaObject()->className()) +
                    ",\"object\":" + Json(w->objectName()) +
                    ",\"active\":" + (w->isActiveWindow() ? "true" : "false") +
                    ",\"modal\":" + (w->isModal() ? "true" : "false");
        if (form && form->Control()) {
            s += ",\"form\":" + Json(Q(form->Control()->Name()));
            QStringList controls;
            for (QWidget* child : w->findChildren<QWidget*>())
                if (auto* v = dynamic_cast<TControlView*>(child); v && v->Control())
                    controls << Control(v, w);
            s += ",\"controls\":[" + controls.join(",") + "]";
        } else {
            if (auto* l = qobject_cast<QLabel*>(w)) s += ",\"text\":" + Json(l->text());
            s += ",\"parts\":" + QtParts(w);
        }
        windows << s + "}";
    }
    return "{\"windows\":[" + windows.join(",") + "]}";
}

class TProbe {
public:
    explicit TProbe(const char* path)
    {
        FSocket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un a{};
        a.sun_family = AF_UNIX;
        if (FSocket < 0 || std::strlen(path) >= sizeof a.sun_path) return;
        std::strcpy(a.sun_path, path);
        ::unlink(path);
        if (::bind(FSocket, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(FSocket, 4) != 0) {
            ::close(FSocket);
            FSocket = -1;
            return;
        }
        FPath = path;
        FNotifier = new QSocketNotifier(FSocket, QSocketNotifier::Read);
        QObject::connect(FNotifier, &QSocketNotifier::activated, [this] { Answer(); });
    }
    ~TProbe()
    {
        delete FNotifier;
        if (FSocket >= 0) ::close(FSocket);
        if (!FPath.isEmpty()) ::unlink(FPath.toLocal8Bit().constData());
    }

private:
    void Answer()
    {
        const int peer = ::accept4(FSocket, nullptr, nullptr, SOCK_CLOEXEC);
        if (peer < 0) return;
        // The request is one short line, sent at once by a test on the same machine.
        timeval wait{2, 0};
        ::setsockopt(peer, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        char buf[256];
        QByteArray request;
        while (!request.contains('\n') && request.size() < 200) {
            const ssize_t n = ::read(peer, buf, sizeof buf);
            if (n <= 0) break;
            request.append(buf, static_cast<int>(n));
        }
        QByteArray reply;
        if (request.trimmed() == "windows")
            reply = Windows().toUtf8();
        else
            reply = "{\"error\":\"unknown request\"}";
        for (qsizetype done = 0; done < reply.size();) {
            // A test that gave up waiting has closed its end: that costs the program no SIGPIPE.
            const ssize_t n = ::send(peer, reply.constData() + done,
                                     static_cast<std::size_t>(reply.size() - done), MSG_NOSIGNAL);
            if (n <= 0) break;
            done += n;
        }
        ::close(peer);
    }
    int FSocket = -1;
    QString FPath;
    QSocketNotifier* FNotifier = nullptr;
};

}  // namespace

std::shared_ptr<void> StartProbe()
{
    const char* path = std::getenv("ZUBQT_PROBE");
    if (!path || !*path) return nullptr;
    return std::make_shared<TProbe>(path);
}

}  // namespace zubqt

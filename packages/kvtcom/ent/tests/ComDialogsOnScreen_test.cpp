// Every COM item's dialog on the screen of the Qt view (offscreen), as the gallery shows it: a
// screenshot of each goes to the screens folder, and what the view's probe tells of it shows no
// control cut off by the window or by the room its text needs, and no two controls on each other.
#include <gtest/gtest.h>

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QRect>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <filesystem>

#include "ComPackagesHost.h"
#include "hostimpl/HostImpl.h"
#include "zub/Forms.h"
#include "zubqt/QtView.h"

using namespace hostimpl;

namespace {

// The probe listens where $ZUBQT_PROBE says when the view starts: a short folder, as a socket's
// path has room for about 100 bytes only.
const std::string& ProbePath()
{
    static const std::string path = [] {
        static char dir[] = "/tmp/kvtcom-screens-XXXXXX";
        if (!::mkdtemp(dir)) return std::string();
        // the view (and with it the probe) lives as long as the process: its folder goes at the end
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(dir, ec);
        });
        return std::string(dir) + "/p";
    }();
    return path;
}

TQtView& View()
{
    static int argc = 1;
    static char name[] = "kvtcom_screen_tests";
    static char* argv[] = {name, nullptr};
    static TQtView* view = [] {
        ::setenv("ZUBQT_PROBE", ProbePath().c_str(), 1);
        Application->Initialize();
        return new TQtView(argc, argv);  // lives as long as the process
    }();
    return *view;
}

QJsonObject ProbeWindows()
{
    QLocalSocket s;
    s.connectToServer(QString::fromStdString(ProbePath()));
    if (!s.waitForConnected(5000)) return {};
    s.write("windows\n");
    if (!QTest::qWaitFor([&] { return s.state() == QLocalSocket::UnconnectedState; }, 10000)) return {};
    return QJsonDocument::fromJson(s.readAll()).object();
}

// A radio group's buttons have no name of their own: their text tells them.
String Named(const QJsonObject& c)
{
    const QString name = c["name"].toString();
    return (name.isEmpty() ? "\"" + c["text"].toString() + "\"" : name).toStdString();
}

QRect FrameOf(const QJsonObject& o)
{
    return {o["x"].toInt(), o["y"].toInt(), o["w"].toInt(), o["h"].toInt()};
}

// What is wrong with a shown dialog's layout, one line each: a control that the window cuts off,
// one whose text needs more room than it has, two controls on each other (a group holds its
// buttons, a frame what lies wholly inside it).
std::vector<String> LayoutFaults(const QJsonObject& window, const QRect& client)
{
    std::vector<String> faults;
    std::vector<QJsonObject> shown;
    for (const QJsonValue v : window["controls"].toArray()) {
        const QJsonObject c = v.toObject();
        const QRect r = FrameOf(c);
        // moved out of the visible area on purpose
        if (!c["shown"].toBool() || !r.intersects(client)) continue;
        // a radio group's buttons have no name of their own
        const String name = Named(c);
        if (!client.contains(r)) faults.push_back(name + " is cut off by the window");
        // a text's width as the window tests take it (a push button's hint has a least width
        // of its own, a check box's a height that its text does not need)
        if (c.contains("needs") && c["kind"].toString() != "TButton") {
            const int needs = c["needs"].toObject()["w"].toInt();
            if (needs > r.width())
                faults.push_back(name + " \"" + c["text"].toString().toStdString() + "\" needs " +
                                 std::to_string(needs) + " px and has " + std::to_string(r.width()));
        }
        shown.push_back(c);
    }
    const auto holds = [](const QJsonObject& outer, const QJsonObject& inner) {
        const QString kind = outer["kind"].toString();
        return (kind == "TRadioGroup" || kind == "TGroupBox" || kind == "TControl") &&
               FrameOf(outer).contains(FrameOf(inner));
    };
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            const QJsonObject &a = shown[i], &b = shown[j];
            if (!FrameOf(a).intersects(FrameOf(b)) || holds(a, b) || holds(b, a)) continue;
            faults.push_back(Named(a) + " and " + Named(b) + " lie on each other");
        }
    return faults;
}

class kvtcom_ComDialogsOnScreen : public ComPackagesHost {
protected:
    kvtcom_ComDialogsOnScreen() : ComPackagesHost("kvtcom_screens_") {}
    void SetUp() override
    {
        View();
        ComPackagesHost::SetUp();
    }
    void TearDown() override
    {
        ComPackagesHost::TearDown();
        View().Pump();
    }
};

TEST_F(kvtcom_ComDialogsOnScreen, EveryComDialogShowsEachControlWholeAndApart)
{
    ASSERT_FALSE(ProbePath().empty());
    const std::filesystem::path screens = KVTCOM_SCREENS;
    std::filesystem::create_directories(screens);
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "ActiveX Library"));
    struct TShown {
        String item, form, caption;
        std::vector<String> faults;
    };
    std::vector<TShown> shown;
    String item;
    // each dialog, once the view shows it, is looked at and cancelled
    const TModalHook previous = SetModalHook([&](TForm& form) {
        View().Pump();
        QWidget* w = View().WidgetOf(&form);
        TShown s{item, form.Name(), form.Caption(), {}};
        if (!w) {
            s.faults.push_back("not on the screen");
        } else {
            String file = item;
            for (char& c : file)
                if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
            w->grab().save(QString::fromStdString((screens / (file + ".png")).string()));
            const QRect client(w->mapToGlobal(QPoint(0, 0)), w->size());
            bool found = false;
            for (const QJsonValue v : ProbeWindows()["windows"].toArray())
                if (v["form"].toString().toStdString() == form.Name()) {
                    found = true;
                    s.faults = LayoutFaults(v.toObject(), client);
                }
            if (!found) s.faults.push_back("the probe does not see it");
        }
        shown.push_back(s);
        form.SetModalResult(mrCancel);
    });
    std::vector<std::pair<String, String>> items;
    for (const TGalleryEntry& e : GalleryEntries())
        if (e.CategoryId == "Quistor.Tolvane.ActiveX" || e.CategoryId == "Quistor.Tolvane.Multitier")
            items.emplace_back(e.CategoryId, e.Caption);
    for (const auto& [category, caption] : items) {
        item = caption;
        const std::size_t before = shown.size();
        try {
            RunGalleryItem(category, caption);
        } catch (const std::exception& e) {
            ADD_FAILURE() << caption << ": " << e.what();
        }
        // the library items make no object and ask nothing
        const bool asks = caption != "Type Library" && caption != "ActiveX Library";
        EXPECT_EQ(shown.size() - before, asks ? 1u : 0u) << caption;
    }
    SetModalHook(previous);
    EXPECT_GE(shown.size(), 11u);
    for (const TShown& s : shown) {
        String faults;
        for (const String& f : s.faults) faults += "\n  " + f;
        EXPECT_TRUE(s.faults.empty()) << s.item << " (" << s.form << " \"" << s.caption << "\"):" << faults;
    }
}

}  // namespace

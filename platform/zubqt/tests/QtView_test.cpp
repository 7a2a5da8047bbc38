// The Qt view on Qt's offscreen platform: model writes reach the widgets, user input reaches the
// model's events, and the desktop services do what the program asks of them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLocalSocket>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPointer>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#include "Common.h"
#include "testsupport/TestDir.h"
#include "media/Avi.h"
#include "rtl/Files.h"
#include "rtl/MainThread.h"
#include "zub/Clipbrd.h"
#include "zub/ComCtrls.h"
#include "zub/Dialogs.h"
#include "zub/ExtCtrls.h"
#include "zub/Forms.h"
#include "zub/Grids.h"
#include "zub/Menus.h"
#include "zub/StdCtrls.h"
#include "zubqt/QtServices.h"
#include "zubqt/QtView.h"

namespace {

TQtView& View()
{
    static int argc = 1;
    static char name[] = "zubqt_tests";
    static char* argv[] = {name, nullptr};
    static TQtView* view = [] {
        Application->Initialize();
        return new TQtView(argc, argv);  // lives as long as the process
    }();
    return *view;
}

class ZubQtView : public ::testing::Test {
protected:
    void SetUp() override
    {
        View();
        form = new TForm(Application);
        form->SetBounds(20, 20, 240, 160);
    }
    void TearDown() override
    {
        delete form;
        View().Pump();
    }
    void ShowForm()
    {
        form->Show();
        View().Pump();
    }
    template <class T>
    T* Add(int left, int top, int width, int height)
    {
        T* c = new T(form);
        c->SetParent(form);
        c->SetBounds(left, top, width, height);
        return c;
    }
    QWidget* W(const TComponent* c) { return View().WidgetOf(c); }
    // Gives c its caption and shows the form; the widget of c as the Qt class it should be,
    // nullptr when it is another.
    template <class QtClass, class T>
    QtClass* ShownWithCaption(T* c, const String& caption)
    {
        c->SetCaption(caption);
        ShowForm();
        return qobject_cast<QtClass*>(W(c));
    }

    TForm* form = nullptr;
};

// The ticker's step: the first column into a one-pixel bitmap, the rest one pixel to the left,
// the saved column at the right end.
TEST_F(ZubQtView, DrawingOnAControlOutsidePaintingStaysOnScreen)
{
    auto* label = Add<TLabel>(10, 10, 60, 20);
    label->SetAutoSize(false);
    label->SetColor(clWhite);
    label->SetCaption("Neu   ");
    label->Font()->SetColor(clRed);
    ShowForm();
    const QImage vorher = W(label)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(vorher.width(), 60);
    TBitmap spalte;
    spalte.SetWidth(1);
    spalte.SetHeight(20);
    const int w = 60, h = 20;
    for (int schritt = 0; schritt < 7; ++schritt) {
        spalte.Canvas().CopyRect(Rect(0, 0, 1, h), *label->Canvas(), Rect(0, 0, 1, h));
        label->Canvas()->CopyRect(Rect(0, 0, w - 1, h), *label->Canvas(), Rect(1, 0, w, h));
        label->Canvas()->CopyRect(Rect(w - 1, 0, w, h), spalte.Canvas(), Rect(0, 0, 1, h));
    }
    View().Pump();
    const QImage nachher = W(label)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_NE(nachher, vorher);
    int rot = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            ASSERT_EQ(nachher.pixel(x, y), vorher.pixel((x + 7) % w, y)) << x << "," << y;
            if (qRed(vorher.pixel(x, y)) > 200 && qGreen(vorher.pixel(x, y)) < 100) ++rot;
        }
    EXPECT_GT(rot, 0) << "the caption was drawn";

    // A new caption shows in the control's own painting again.
    label->SetCaption("Alt");
    View().Pump();
    EXPECT_EQ(W(label)->grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(59, 10),
              qRgb(255, 255, 255));
}

// "&x" underlines x and hides the "&", "&&" is one "&"; without the flag the caption shows as
// it is. An auto-sized label is as wide as what it shows.
TEST_F(ZubQtView, LabelShowsItsAcceleratorUnderlined)
{
    struct Case {
        const char* caption;
        bool accel;
        const char* shown;
    };
    for (const Case& k :
         {Case{"Project &Name", true, "Project Name"}, Case{"Tom && Jerry", true, "Tom & Jerry"},
          Case{"Tom && Jerry", false, "Tom && Jerry"}, Case{"&Main Form", false, "&Main Form"}}) {
        auto* label = Add<TLabel>(10, 10, 0, 0);
        label->SetShowAccelChar(k.accel);
        label->SetCaption(k.caption);
        ShowForm();
        QWidget* w = W(label);
        ASSERT_NE(w, nullptr);
        EXPECT_NEAR(w->width(), w->fontMetrics().horizontalAdvance(k.shown), 1) << k.caption;
        delete label;
    }

    // The underline: ink below the baseline under the "N" only.
    auto* label = Add<TLabel>(10, 10, 0, 0);
    label->SetColor(clWhite);
    label->SetCaption("x&Nx");
    ShowForm();
    QWidget* w = W(label);
    const QImage img = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QFontMetrics fm = w->fontMetrics();
    const int x0 = fm.horizontalAdvance("x"), x1 = x0 + fm.horizontalAdvance("N");
    auto inkBelowBaseline = [&](int from, int to) {
        for (int y = fm.ascent() + 1; y < img.height(); ++y)
            for (int x = from; x < to; ++x)
                if (qGray(img.pixel(x, y)) < 128) return true;
        return false;
    };
    EXPECT_TRUE(inkBelowBaseline(x0 + 1, x1 - 1));
    EXPECT_FALSE(inkBelowBaseline(0, x0 - 1));
    EXPECT_FALSE(inkBelowBaseline(x1 + 1, img.width()));
}

TEST_F(ZubQtView, GroupBoxShowsItsFrameAndCaption)
{
    auto* w = ShownWithCaption<QGroupBox>(Add<TGroupBox>(10, 10, 180, 100), " &Options ");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->title(), " &Options ");
    EXPECT_TRUE(w->isVisible());
}

// The layouts were measured in narrower fonts than the ones here: a caption still fits the
// room its layout leaves before the next control.
TEST_F(ZubQtView, CaptionsFitTheRoomTheirLayoutGivesThem)
{
    auto* label = Add<TLabel>(10, 40, 0, 0);
    label->SetCaption("Project &Directory");
    Add<TEdit>(100, 35, 280, 21);
    auto* combo = Add<TComboBox>(10, 70, 94, 21);
    combo->SetStyle(csDropDownList);
    combo->Items()->Add("Standard 4.0");
    combo->SetItemIndex(0);
    ShowForm();
    EXPECT_LE(W(label)->x() + W(label)->width(), 100);

    auto* box = qobject_cast<QComboBox*>(W(combo));
    ASSERT_NE(box, nullptr);
    QStyleOptionComboBox o;
    o.initFrom(box);
    const QRect field =
        box->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, box);
    EXPECT_GE(field.width(), box->fontMetrics().horizontalAdvance("Standard 4.0"));
}

TEST_F(ZubQtView, QtsOwnTextsAreGerman)
{
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), "Drucken");
}

TEST_F(ZubQtView, WorkerWriteReachesTheWidgetOnTheUserInterfaceThread)
{
    TLabel* label = Add<TLabel>(10, 10, 120, 20);
    auto* w = ShownWithCaption<QLabel>(label, "Beschreibung:");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->text(), "Beschreibung:");

    std::thread worker([&] {
        label->SetCaption("Schritt 1: läuft...");
        label->SetLeft(40);
    });
    worker.join();
    EXPECT_EQ(w->text(), "Beschreibung:") << "the worker must not touch the widget itself";
    View().Pump();
    EXPECT_EQ(w->text(), QString::fromUtf8("Schritt 1: läuft..."));
    EXPECT_EQ(w->x(), 40);
}

TEST_F(ZubQtView, ControlsAppearOnlyWhenTheirFormIsShownAndGoWithIt)
{
    TLabel* label = Add<TLabel>(0, 0, 50, 13);
    View().Pump();
    EXPECT_EQ(W(form), nullptr);
    ShowForm();
    ASSERT_NE(W(form), nullptr);
    EXPECT_TRUE(W(form)->isWindow());
    EXPECT_EQ(W(label)->parentWidget(), W(form));
    form->Hide();
    View().Pump();
    EXPECT_FALSE(W(form)->isVisible());
    const TComponent* gone = label;
    delete label;
    View().Pump();
    EXPECT_EQ(W(gone), nullptr);
}

// A window freed just before a message box (the splash before the start-up question): the box's
// own loop delivers input meant for the freed window's controls, the pointer leaving them. The
// view lets go of them when they are freed, so none of it reaches a freed control.
TEST_F(ZubQtView, InputForAFreedWindowReachesNoFreedControl)
{
    auto* splash = new TForm(Application);
    splash->SetBounds(300, 20, 200, 100);
    auto* image = new TImage(splash);
    image->SetParent(splash);
    image->SetBounds(0, 0, 200, 100);
    int leaves = 0;
    image->OnMouseLeave = [&](TObject*) { ++leaves; };
    splash->Show();
    View().Pump();
    QPointer<QWidget> bild = W(image);
    QPointer<QWidget> fenster = W(splash);
    ASSERT_TRUE(bild && fenster);
    const TComponent* bild_weg = image;
    const TComponent* fenster_weg = splash;
    delete splash;
    EXPECT_EQ(W(bild_weg), nullptr);
    EXPECT_EQ(W(fenster_weg), nullptr);
    if (fenster) {
        EXPECT_FALSE(fenster->isVisible());
    }
    if (bild) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(bild, &leave);
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(305, 25), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(bild, &move);
    }
    EXPECT_EQ(leaves, 0);
    View().Pump();
}

// A click that opens a dialog: the pointer leaves while the dialog holds it, and the button's
// release then makes the picture think it is pointed at again. It hears the leave once more.
TEST_F(ZubQtView, PictureWhoseClickTookThePointerAwayHearsTheLeaveAfterItsRelease)
{
    TImage* image = Add<TImage>(5, 5, 60, 40);
    std::vector<std::string> events;
    for (const bool weg : {true, false}) {
        image->OnClick = [&, weg](TObject*) {
            events.push_back("click");
            if (!weg) return;
            image->SetEnabled(false);  // the window is greyed out while the dialog is shown
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(W(image), &leave);
            image->SetEnabled(true);
        };
        image->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { events.push_back("up"); };
        image->OnMouseLeave = [&](TObject*) {
            events.push_back(image->Enabled() ? "leave" : "leave ignored");
        };
        ShowForm();
        events.clear();
        QTest::mouseClick(W(image), Qt::LeftButton, {}, QPoint(10, 12));
        EXPECT_EQ(events, weg ? (std::vector<std::string>{"click", "leave ignored", "up", "leave"})
                              : (std::vector<std::string>{"click", "up"}));
    }
}

TEST_F(ZubQtView, ClickOnAPictureFiresDownClickUpInThatOrder)
{
    TImage* image = Add<TImage>(5, 5, 60, 40);
    std::vector<std::string> events;
    image->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int x, int y) {
        events.push_back("down " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    image->OnClick = [&](TObject* s) { events.push_back(s == image ? "click" : "click from elsewhere"); };
    image->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        events.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    };
    image->OnMouseLeave = [&](TObject*) { events.push_back("leave"); };
    image->OnDblClick = [&](TObject*) { events.push_back("double"); };
    ShowForm();

    QTest::mouseClick(W(image), Qt::LeftButton, {}, QPoint(10, 12));
    EXPECT_EQ(events, (std::vector<std::string>{"down 0 10,12", "click", "up 10,12"}));

    // A double click as the desktop delivers it: press, release, press, double click, release.
    events.clear();
    QTest::mousePress(W(image), Qt::LeftButton, {}, QPoint(3, 4));
    QTest::mouseRelease(W(image), Qt::LeftButton, {}, QPoint(3, 4));
    QTest::mousePress(W(image), Qt::LeftButton, {}, QPoint(3, 4));
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(3, 4), W(image)->mapToGlobal(QPointF(3, 4)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(W(image), &dbl);
    QTest::mouseRelease(W(image), Qt::LeftButton, {}, QPoint(3, 4));
    EXPECT_EQ(events,
              (std::vector<std::string>{"down 0 3,4", "click", "up 3,4", "down 0 3,4", "double", "up 3,4"}));

    // A disabled picture ignores the buttons but still hears the pointer leave.
    events.clear();
    image->SetEnabled(false);
    View().Pump();
    QTest::mouseClick(W(image), Qt::LeftButton, {}, QPoint(10, 12));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(W(image), &leave);
    EXPECT_EQ(events, (std::vector<std::string>{"leave"}));
}

TEST_F(ZubQtView, OwnerDrawnLinePaintsWithTheColoursItsHandlerChose)
{
    TListBox* list = Add<TListBox>(0, 0, 160, 48);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(16);
    list->Items()->Add("eins");
    list->Items()->Add("zwei");
    list->OnDrawItem = [list](TControl*, int index, TRect r, TOwnerDrawState) {
        TCanvas* c = list->Canvas();
        c->Brush().SetColor(index == 1 ? clYellow : clLime);
        c->Font().SetColor(clBlue);
        c->Font().SetHeight(-14);
        c->FillRect(r);
        c->TextOut(r.Left + 4, r.Top + 1, "WWWW");
    };
    ShowForm();

    QImage shot = W(list)->grab().toImage();
    EXPECT_EQ(shot.pixelColor(150, 8), QColor(0, 255, 0));
    EXPECT_EQ(shot.pixelColor(150, 24), QColor(255, 255, 0));
    EXPECT_EQ(shot.pixelColor(150, 40), QColor(255, 255, 255)) << "below the lines the list's own colour";
    int blue = 0;
    for (int x = 4; x < 60; ++x)
        for (int y = 17; y < 32; ++y) {
            QColor p = shot.pixelColor(x, y);
            if (p.blue() > 200 && p.red() < 80 && p.green() < 80) ++blue;
        }
    EXPECT_GT(blue, 20) << "the second line's text is drawn in its font colour";
}

TEST_F(ZubQtView, GridCellClickSelectsItAndTheWheelScrollsRows)
{
    TStringGrid* grid = Add<TStringGrid>(0, 0, 200, 100);
    grid->SetColCount(3);
    grid->SetRowCount(20);
    grid->SetDefaultRowHeight(20);
    grid->SetDefaultColWidth(50);
    for (int r = 0; r < 20; ++r) grid->SetRowHeights(r, 20);
    for (int c = 0; c < 3; ++c) grid->SetColWidths(c, 50);
    int clicks = 0;
    grid->OnClick = [&](TObject*) { ++clicks; };
    ShowForm();

    // Column 2, second row below the fixed one: x 102..151, y 42..61.
    QTest::mouseClick(W(grid), Qt::LeftButton, {}, QPoint(120, 50));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(W(grid), Qt::LeftButton, {}, QPoint(20, 50));  // the fixed column
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(clicks, 1);

    QWheelEvent wheel(QPointF(100, 50), W(grid)->mapToGlobal(QPointF(100, 50)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(W(grid), &wheel);
    EXPECT_EQ(grid->TopRow(), 4);
}

TEST_F(ZubQtView, TypingAndTickingGoBackIntoTheModel)
{
    TEdit* edit = Add<TEdit>(0, 0, 80, 21);
    TCheckBox* box = Add<TCheckBox>(0, 30, 120, 17);
    int changes = 0, clicks = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    box->OnClick = [&](TObject*) { ++clicks; };
    ShowForm();

    QTest::keyClicks(W(edit), "17");
    EXPECT_EQ(edit->Text(), "17");
    EXPECT_EQ(changes, 2);
    QTest::mouseClick(W(box), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 1);
    box->SetChecked(false);  // a model write shows in the widget
    View().Pump();
    EXPECT_FALSE(static_cast<QAbstractButton*>(W(box))->isChecked());
}

TEST_F(ZubQtView, KeyPreviewLetsTheFormSeeAKeyFirstAndSwallowIt)
{
    TEdit* edit = Add<TEdit>(0, 0, 80, 21);
    std::vector<std::string> seen;
    form->SetKeyPreview(true);
    form->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) {
        seen.push_back("form " + std::to_string(key));
        if (key == VK_F9) key = 0;
    };
    edit->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) {
        seen.push_back("edit " + std::to_string(key));
    };
    ShowForm();
    W(form)->activateWindow();
    View().Pump();
    W(edit)->setFocus();
    View().Pump();
    ASSERT_EQ(QApplication::focusWidget(), W(edit));

    QTest::keyClick(W(edit), Qt::Key_F9);
    QTest::keyClick(W(edit), Qt::Key_F1);
    EXPECT_EQ(seen, (std::vector<std::string>{"form 120", "form 112", "edit 112"}));
}

TEST_F(ZubQtView, ModalFormRunsInsideTheMessageLoopAndEndsWithItsButton)
{
    auto* dialog = new TForm(form);
    dialog->SetBorderStyle(bsDialog);
    auto* ok = new TButton(dialog);
    ok->SetParent(dialog);
    ok->SetBounds(10, 10, 75, 25);
    ok->SetCaption("&OK");
    ok->SetModalResult(mrOk);
    Qt::WindowModality modality = Qt::NonModal;
    QString caption;
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        QWidget* w = W(ok);
        if (!w || !w->isVisible()) return;
        clicker.stop();
        modality = w->window()->windowModality();
        caption = static_cast<QPushButton*>(w)->text();
        QTest::mouseClick(w, Qt::LeftButton);
    });
    clicker.start(1);
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(modality, Qt::ApplicationModal);
    EXPECT_EQ(caption, "OK");
    View().Pump();
    EXPECT_FALSE(W(dialog)->isVisible());
}

QMenu* ShownMenu()
{
    QMenu* shown = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible()) shown = m;
    return shown;
}

TEST_F(ZubQtView, PopupMenuItemReachesItsHandler)
{
    auto* menu = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    item->SetCaption("&Beenden");
    menu->Items()->Add(item);
    int clicked = 0;
    item->OnClick = [&](TObject*) { ++clicked; };
    menu->Popup(30, 40);
    View().Pump();

    QMenu* shown = ShownMenu();
    ASSERT_NE(shown, nullptr);
    ASSERT_EQ(shown->actions().size(), 1);
    EXPECT_EQ(shown->actions()[0]->text(), "Beenden");
    shown->actions()[0]->trigger();
    // The entry runs once the menu is done with the click (its handler may run a message loop).
    EXPECT_EQ(clicked, 0);
    shown->close();
    View().Pump();
    EXPECT_EQ(clicked, 1);
}

TEST_F(ZubQtView, PopupMenuEntryDestroyedBeforeItsClickRunsIsNotClicked)
{
    auto* menu = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    item->SetCaption("Update");
    menu->Items()->Add(item);
    menu->Popup(30, 40);
    View().Pump();
    QMenu* shown = ShownMenu();
    ASSERT_NE(shown, nullptr);
    int clicked = 0;
    item->OnClick = [&](TObject*) { ++clicked; };
    shown->actions()[0]->trigger();
    delete item;
    View().Pump();
    EXPECT_EQ(clicked, 0);
}

TEST_F(ZubQtView, TrayIconWithoutANotificationAreaHasAStandInThatTakesClicks)
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) GTEST_SKIP() << "this desktop has a notification area";
    auto* tray = new TTrayIcon(form);
    tray->SetHint("Beispiel 2009");
    int clicks = 0;
    tray->OnClick = [&](TObject*) { ++clicks; };
    tray->SetVisible(true);
    tray->ShowBalloonHint();
    View().Pump();
    auto* standIn = qobject_cast<QWidget*>(View().ObjectOf(tray));
    ASSERT_NE(standIn, nullptr);
    EXPECT_TRUE(standIn->isVisible());
    EXPECT_EQ(standIn->toolTip(), "Beispiel 2009");
    QTest::mouseClick(standIn, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    tray->SetVisible(false);
    View().Pump();
    EXPECT_FALSE(standIn->isVisible());
}

TEST_F(ZubQtView, HourglassFollowsTheScreenCursor)
{
    Screen->SetCursor(crHourGlass);
    View().Pump();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen->SetCursor(crDefault);
    View().Pump();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ZubQtView, AnimationShowsTheFramesItIsTold)
{
    namespace fs = std::filesystem;
    const fs::path file = fs::path(std::getenv("HOME")) / "farben.avi";
    {
        media::AviWriter w(file.string(), 16, 16, 10);
        for (auto [r, g, b] : {std::tuple{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}) {
            media::Image img(16, 16);
            for (int i = 0; i < 16 * 16; ++i) {
                img.rgb[i * 3] = static_cast<std::uint8_t>(r);
                img.rgb[i * 3 + 1] = static_cast<std::uint8_t>(g);
                img.rgb[i * 3 + 2] = static_cast<std::uint8_t>(b);
            }
            w.AddFrame(img, 95);
        }
        w.Close();
    }
    TAnimate* anim = Add<TAnimate>(0, 0, 16, 16);
    anim->SetFileName(file.string());
    ShowForm();
    auto centre = [&] { return W(anim)->grab().toImage().pixelColor(8, 8); };
    auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
               std::abs(a.blue() - b.blue()) < 40;
    };

    anim->Seek(2);  // frames count from 1
    View().Pump();
    EXPECT_TRUE(near(centre(), QColor(0, 255, 0))) << centre().name().toStdString();
    anim->Play(3, 3, 1);
    View().Pump();
    EXPECT_TRUE(near(centre(), QColor(0, 0, 255))) << centre().name().toStdString();
    anim->Stop();
}

// Clicks the button with this text on the next box that opens.
class TBoxClicker {
public:
    explicit TBoxClicker(QString text) : FText(std::move(text))
    {
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            title = box->windowTitle();
            message = box->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == FText) {
                    FTimer.stop();
                    b->click();
                }
        });
        FTimer.start(1);
    }
    QString title, message;

private:
    QString FText;
    QTimer FTimer;
};

TEST_F(ZubQtView, MessageBoxAnswersWithTheButtonChosen)
{
    TBoxClicker clicker("&Ja");
    TDialogRequest r;
    r.Title = "Beispiel 2009";
    r.Text = "Möchten Sie die Zahlen aktualisieren?";
    r.Type = mtConfirmation;
    r.Buttons = mbYes | mbNo;
    EXPECT_EQ(ShowDialog(r), mrYes);
    EXPECT_EQ(clicker.title, "Beispiel 2009");
    EXPECT_EQ(clicker.message, QString::fromUtf8("Möchten Sie die Zahlen aktualisieren?"));
}

TEST_F(ZubQtView, BoxAskedByAWorkerIsShownWhileTheMessageLoopRuns)
{
    TBoxClicker clicker("&Nein");
    std::atomic<int> answer{-1};
    std::thread worker([&] { answer = MessageBox("Weiter?", "Info", MB_YESNO | MB_ICONQUESTION); });
    while (answer == -1) Application->HandleMessage();
    worker.join();
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(clicker.message, "Weiter?");
}

TEST_F(ZubQtView, ClipboardIsTheDesktopClipboard)
{
    Clipboard()->SetAsText("3,14,15,26");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "3,14,15,26");
    QGuiApplication::clipboard()->setText("7 8 9");
    EXPECT_EQ(Clipboard()->AsText(), "7 8 9");
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(Clipboard()->HasText());
}

TEST(ZubQtShell, OpenResolvesTheTargetAndStartsTheOpenerWithItAlone)
{
    View();
    namespace fs = std::filesystem;
    const fs::path home = fs::path(std::getenv("HOME"));
    fs::create_directories(home / "help");
    std::ofstream(home / "help" / "Beispiel_2009.html") << "<html></html>";
    const String previous = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(home.string()));

    struct TCase {
        const char* verb;
        const char* file;
        bool launches;
        int result;
        String target;
    };
    const TCase cases[] = {
        {"open", "help\\Beispiel_2009.html", true, 42, (home / "help" / "Beispiel_2009.html").string()},
        {"open", "HELP\\beispiel_2009.HTML", true, 42, (home / "help" / "Beispiel_2009.html").string()},
        {"open", "http://www.quenzel2009.de/download.html", true, 42,
         "http://www.quenzel2009.de/download.html"},
        {"open", "mailto:support@quenzel2009.de", true, 42, "mailto:support@quenzel2009.de"},
        {"open", "help\\fehlt.chm", false, 2, ""},
        {"open", "a; rm -rf x", false, 2, ""},
        {"print", "help\\Beispiel_2009.html", false, 31, ""},
    };
    for (const TCase& c : cases) {
        std::vector<std::pair<String, std::vector<String>>> started;
        TQtShell shell([&](const String& program, const std::vector<String>& args) {
            started.emplace_back(program, args);
            return true;
        });
        TShellRequest r;
        r.Verb = c.verb;
        r.File = c.file;
        EXPECT_EQ(shell.Execute(r), c.result) << c.file;
        if (c.launches) {
            ASSERT_EQ(started.size(), 1u) << c.file;
            EXPECT_EQ(started[0].first, "xdg-open");
            EXPECT_EQ(started[0].second, std::vector<String>{c.target});
        } else {
            EXPECT_TRUE(started.empty()) << c.file;
        }
    }
    TQtShell failing([](const String&, const std::vector<String>&) { return false; });
    TShellRequest r;
    r.Verb = "open";
    r.File = "help\\Beispiel_2009.html";
    EXPECT_EQ(failing.Execute(r), 31) << "an opener that cannot start is no success";
    EXPECT_TRUE(SetCurrentDir(previous));
}

TEST(ZubQtPrinter, RichEditPrintsOneDocumentNamedByTheJobTitle)
{
    View();
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a real printer is installed here";
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(std::getenv("HOME")) / "druck";
    fs::create_directories(dir);
    const String previous = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(dir.string()));
    TForm holder(nullptr);
    auto* edit = new TRichEdit(&holder);
    edit->Lines()->Add("Tipp 1: 3 14 15 26 35 49");
    edit->Lines()->Add("Tipp 2: 1 2 3 4 5 6");
    edit->Print("Beispiel 2009 Tipps");
    EXPECT_TRUE(SetCurrentDir(previous));

    const fs::path pdf = dir / "Beispiel 2009 Tipps.pdf";
    ASSERT_TRUE(fs::exists(pdf)) << "no printer here: the job becomes a PDF file";
    std::ifstream in(pdf, std::ios::binary);
    char head[5] = {};
    in.read(head, 4);
    EXPECT_EQ(std::string(head), "%PDF");
}

}  // namespace

// ---- the window tests' probe

class ZubQtProbe : public ZubQtView {
protected:
    void SetUp() override
    {
        ZubQtView::SetUp();
        // A socket's path has room for about 100 bytes: a folder below a deep checkout has none left.
        char dir[] = "/tmp/zubqt-probe-XXXXXX";
        ASSERT_NE(::mkdtemp(dir), nullptr);
        folder = dir;
        path = folder + "/p";
        ::setenv("ZUBQT_PROBE", path.c_str(), 1);
    }
    void TearDown() override
    {
        ::unsetenv("ZUBQT_PROBE");
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        ZubQtView::TearDown();
    }
    // Sends the request's bytes and, once the probe has ended the connection, gives its reply.
    static QByteArray Reply(QLocalSocket& s)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return s.state() == QLocalSocket::UnconnectedState; }, 10000));
        return s.readAll();
    }
    void Connect(QLocalSocket& s) const
    {
        s.connectToServer(QString::fromStdString(path));
        ASSERT_TRUE(s.waitForConnected(5000)) << s.errorString().toStdString();
    }
    static std::string Read(const std::string& file)
    {
        std::ifstream in(file);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string folder, path;
};

// Texts with quotes, backslashes, line ends and umlauts come back as they are; a list tells the
// room each painted line has inside its border.
TEST_F(ZubQtProbe, AnswersWithTheShownWindowsAsJson)
{
    const auto probe = zubqt::StartProbe();
    ASSERT_NE(probe, nullptr);
    auto* label = Add<TLabel>(10, 10, 200, 40);
    label->SetName("Label1");
    label->SetCaption("Er sagte \"Zahl\\7\"\nÄnderung\t1");
    auto* list = Add<TListBox>(10, 60, 120, 60);
    list->SetName("ListBox1");
    list->Items()->Add("1.  3,7,11");
    ShowForm();
    W(list)->repaint();

    QLocalSocket s;
    Connect(s);
    s.write("windows\n");
    const QJsonDocument doc = QJsonDocument::fromJson(Reply(s));
    ASSERT_TRUE(doc.isObject());
    std::map<QString, QJsonObject> controls;
    for (const QJsonValue w : doc["windows"].toArray())
        for (const QJsonValue c : w["controls"].toArray()) controls[c["name"].toString()] = c.toObject();
    ASSERT_EQ(controls.count("Label1"), 1u);
    EXPECT_EQ(controls["Label1"]["text"].toString(), QString::fromUtf8("Er sagte \"Zahl\\7\"\nÄnderung\t1"));
    const QJsonArray painted = controls["ListBox1"]["painted"].toArray();
    ASSERT_EQ(painted.size(), 1);
    const QJsonObject line = painted[0].toObject(), room = line["room"].toObject();
    EXPECT_EQ(line["text"].toString(), "1.  3,7,11");
    EXPECT_EQ(line["x"].toInt(), W(list)->mapToGlobal(QPoint(2, 0)).x());  // the list's own margin
    EXPECT_EQ(room["x"].toInt(), W(list)->mapToGlobal(QPoint(1, 0)).x());  // inside the border
    EXPECT_EQ(room["w"].toInt(), 118);
}

// A client that sends its request in pieces keeps no other waiting: the probe reads what has
// come as it comes, and answers each at the end of its line.
TEST_F(ZubQtProbe, ARequestInPiecesHoldsUpNoOne)
{
    const auto probe = zubqt::StartProbe();
    QLocalSocket slow, quick;
    Connect(slow);
    slow.write("win");
    ASSERT_TRUE(slow.waitForBytesWritten(5000));
    View().Pump();
    Connect(quick);
    quick.write("windows\n");
    EXPECT_TRUE(QJsonDocument::fromJson(Reply(quick))["windows"].isArray());
    EXPECT_EQ(slow.state(), QLocalSocket::ConnectedState);
    slow.write("dows\n");
    EXPECT_TRUE(QJsonDocument::fromJson(Reply(slow))["windows"].isArray());

    QLocalSocket other;
    Connect(other);
    other.write("fenster\n");
    EXPECT_EQ(QJsonDocument::fromJson(Reply(other))["error"].toString(), "unknown request");
}

// The probe removes the socket it made, and nothing else: not a file that stood at its path
// before it, nor one put there while it ran.
TEST_F(ZubQtProbe, RemovesOnlyTheSocketItMade)
{
    {
        const auto probe = zubqt::StartProbe();
        EXPECT_TRUE(std::filesystem::is_socket(path));
    }
    EXPECT_FALSE(std::filesystem::exists(path));

    std::ofstream(path) << "Tipps";
    {
        const auto probe = zubqt::StartProbe();
        QLocalSocket s;
        s.connectToServer(QString::fromStdString(path));
        EXPECT_FALSE(s.waitForConnected(1000));
    }
    EXPECT_EQ(Read(path), "Tipps");

    std::filesystem::remove(path);
    {
        const auto probe = zubqt::StartProbe();
        ASSERT_TRUE(std::filesystem::is_socket(path));
        std::filesystem::remove(path);
        std::ofstream(path) << "Zahlen";
    }
    EXPECT_EQ(Read(path), "Zahlen");
}

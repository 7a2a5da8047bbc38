// Mode pages, hover pictures, expert mode, grey-out and restore, and the run buttons of the
// main window, on a headless window and virtual time.
#include <functional>
#include <vector>

#include "FormTestbasis.h"
#include "Thread_Sarnik.h"
#include "SchrittAnschluss.h"
#include "Tippdateien.h"
#include "rtl/Debug.h"
#include "rtl/Clock.h"
#include "rtl/IniFiles.h"
#include "zub/Dialogs.h"

namespace {

// Every picture the window loads (each a Testbild).
const char* const BILDER[] = {
    "sarnik.jpg",
    "sarnik_.jpg",
    "sarnik_u.jpg",
    "sarnikSW.jpg",
    "sarnik_SW.jpg",
    "s1.jpg",
    "s1_.jpg",
    "s1_u.jpg",
    "S1SW.jpg",
    "S1_SW.jpg",
    "s2.jpg",
    "s2_.jpg",
    "s2_u.jpg",
    "S2SW.jpg",
    "S2_SW.jpg",
    "s3.jpg",
    "s3_.jpg",
    "s3_u.jpg",
    "S3SW.jpg",
    "S3_SW.jpg",
    "start_sw.jpg",
    "start_sw_.jpg",
    "start_sw_u.jpg",
    "start_bl.jpg",
    "start_bl_.jpg",
    "start_bl_u.jpg",
    "start_rt.jpg",
    "start_rt_.jpg",
    "start_rt_u.jpg",
    "start_gn.jpg",
    "start_gn_.jpg",
    "start_gn_u.jpg",
    "save24.gif",
    "save24_d.gif",
    "delete_x24.gif",
    "delete_x24_d.gif",
    "mail24_d.gif",
    "help24_d.gif",
    "print24_d.gif",
    "favorites24_d.gif",
    "web_download24_d.gif",
    "edit_table_structure24_d.gif",
    "web_search24_d.gif",
    "up_blue24_d.gif",
    "down_blue24_d.gif",
    "hintergrund_SW.gif",
};

std::vector<String> reihe(const char* stamm, int von, int bis)
{
    std::vector<String> n;
    for (int i = von; i <= bis; ++i) n.push_back(stamm + IntToStr(i));
    return n;
}

class KnoepfeTest : public Form1Test {
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        ASSERT_TRUE(ForceDirectories(ordner + "gifs"));
        for (const char* b : BILDER) AtomicWriteFile(ordner + "gifs/" + b, Testbild(b));
        dialoge = std::make_shared<THeadlessDialogs>();
        alte_dialoge = SetDialogs(dialoge);
    }
    void TearDown() override
    {
        SetDialogs(alte_dialoge);
        Form1Test::TearDown();
    }

    TControl* element(const String& name) { return dynamic_cast<TControl*>(form->FindComponent(name)); }
    TImage* bild(const String& name) { return dynamic_cast<TImage*>(form->FindComponent(name)); }
    void setze_Bild(TImage* b, const String& name) { b->Picture()->LoadFromBytes(Testbild(name)); }

    std::shared_ptr<THeadlessDialogs> dialoge;
    std::shared_ptr<IDialogs> alte_dialoge;
};

}  // namespace

// ---- Mode pages ----------------------------------------------------------------------------

TEST_F(KnoepfeTest, EachPageSetsItsFlagPicturesAndVisibleGroups)
{
    struct Fall {
        const char* name;
        void (TForm1::*handler)(TObject*);
        const char* bild;
        const char* gewaehlt;
        const char* text;
        bool liste, quellen, schritte, filter, kriterien, tippzahl, drucken;
        const char* startbild;
    };
    const Fall faelle[] = {
        {"Sarnik", &TForm1::Sarnik_click_, "Image2", "sarnik.jpg",
         "Sarnik: Mit einem Klick, werden alle 3 Schritte automatisch ausgeführt.", true, false, true, false,
         false, true, true, "Image6"},
        {"Schritt1", &TForm1::ssarnik, "Image3", "s1.jpg",
         "Schritt 1: Hier werden Zahlen ermittelt und alle möglichen Varianten gebildet!", false, true, false,
         false, false, false, false, "Image7"},
        {"Schritt2", &TForm1::s2_click, "Image4", "s2.jpg", "Schritt 2: Hier werden Varianten gefiltert.",
         false, false, false, true, false, false, false, "Image8"},
        {"Schritt3", &TForm1::s3_click, "Image5", "s3.jpg",
         "Schritt 3: Hier werden die best mögliche Strukturen gebildet.", true, false, false, false, true,
         true, true, "Image9"},
    };
    const char* ruhend[] = {"sarnik_.jpg", "s1_.jpg", "s2_.jpg", "s3_.jpg"};
    const char* modusbilder[] = {"Image2", "Image3", "Image4", "Image5"};
    for (int i = 0; i < 4; ++i) {
        const Fall& f = faelle[i];
        SCOPED_TRACE(f.name);
        (form.get()->*f.handler)(nullptr);
        const int flags[] = {form->modus_sarnik, form->modus_schritt1, form->modus_schritt2,
                             form->modus_schritt3};
        for (int s = 0; s < 4; ++s) EXPECT_EQ(flags[s], s == i ? 1 : 0);
        EXPECT_EQ(form->Label1->Caption(), f.text);
        for (int s = 0; s < 4; ++s) EXPECT_EQ(zeigt(bild(modusbilder[s])), s == i ? f.gewaehlt : ruhend[s]);

        EXPECT_EQ(form->ListBox1->Visible(), f.liste);
        for (const char* n : {"RadioButton1", "RadioButton5", "Label50", "Label61", "Label51"})
            EXPECT_EQ(element(n)->Visible(), f.quellen) << n;
        for (const char* n : {"CheckBox2", "CheckBox3", "CheckBox4"})
            EXPECT_EQ(element(n)->Visible(), f.schritte) << n;
        for (const char* n : {"CheckBox5", "CheckBox14", "Label35", "Label44", "Edit1", "Edit7", "Label60"})
            EXPECT_EQ(element(n)->Visible(), f.filter) << n;
        for (const char* n : {"CheckBox15", "CheckBox20", "Label48", "Label52", "Label58"})
            EXPECT_EQ(element(n)->Visible(), f.kriterien) << n;
        EXPECT_EQ(form->Label46->Visible(), f.tippzahl);
        EXPECT_EQ(form->Edit8->Visible(), f.tippzahl);
        EXPECT_EQ(form->Image19->Visible(), f.drucken);
        EXPECT_EQ(form->Image28->Visible(), f.drucken);
        for (const char* n : {"Image6", "Image7", "Image8", "Image9"})
            EXPECT_EQ(element(n)->Visible(), String(n) == f.startbild) << n;
        // Pool labels only on the step-1 page (N = 20 at start).
        EXPECT_EQ(form->Label2->Visible(), i == 1);
        EXPECT_EQ(form->Label21->Visible(), i == 1);
        EXPECT_FALSE(form->Label22->Visible());
        EXPECT_FALSE(form->Edit9->Visible());
    }
}

TEST_F(KnoepfeTest, TipCountIsBlackOnTheSarnikPageAndGreenOnStepThree)
{
    form->s3_click(nullptr);
    EXPECT_EQ(form->Edit8->Font()->Color(), 0x00FF00);
    EXPECT_EQ(form->Label46->Font()->Color(), 0x00FF00);
    form->Sarnik_click_(nullptr);
    EXPECT_EQ(form->Edit8->Font()->Color(), clBlack);
    EXPECT_EQ(form->Label46->Font()->Color(), clBlack);
}

TEST_F(KnoepfeTest, StepOnePageShowsAsManyPoolLabelsAsThePoolSize)
{
    for (int n : {18, 19, 30}) {
        SCOPED_TRACE(n);
        form->TrackBar1->SetPosition(n);
        form->ssarnik(nullptr);
        for (int k = 1; k <= 30; ++k) EXPECT_EQ(element("Label" + IntToStr(k + 1))->Visible(), k <= n) << k;
    }
}

// ---- Hover pattern --------------------------------------------------------------------------

TEST_F(KnoepfeTest, ModePictureHoverLoadsOnFirstMoveAndLeaveRestores)
{
    form->Sarnik_click_(nullptr);
    form->zaehler_Image2 = 5;
    form->ggggg(nullptr, 0, 1, 1);
    EXPECT_EQ(zeigt(form->Image3), "s1_u.jpg");
    EXPECT_EQ(form->Label1->Caption(),
              "Schritt 1: Hier werden Zahlen ermittelt und alle möglichen Varianten gebildet!");
    EXPECT_EQ(form->zaehler_Image3, 1);
    EXPECT_EQ(form->zaehler_Image2, 0);

    // Later moves count but load nothing.
    setze_Bild(form->Image3, "anders");
    form->ggggg(nullptr, 0, 2, 2);
    EXPECT_EQ(zeigt(form->Image3), "anders");
    EXPECT_EQ(form->zaehler_Image3, 2);

    form->qqqq(nullptr);
    EXPECT_EQ(form->Label1->Caption(), "Beschreibung:");
    EXPECT_EQ(zeigt(form->Image3), "s1_.jpg");
    EXPECT_EQ(form->zaehler_Image3, 0);
}

TEST_F(KnoepfeTest, SelectedModePictureKeepsItsPictureOnHover)
{
    form->Sarnik_click_(nullptr);
    form->aa(nullptr, 0, 1, 1);
    EXPECT_EQ(zeigt(form->Image2), "sarnik.jpg");
    EXPECT_EQ(form->Label1->Caption(),
              "Sarnik: Mit einem Klick, werden alle 3 Schritte automatisch ausgeführt.");
    form->bb(nullptr);
    EXPECT_EQ(form->Label1->Caption(), "Beschreibung:");
    EXPECT_EQ(zeigt(form->Image2), "sarnik.jpg");
}

TEST_F(KnoepfeTest, LeavingADisabledPictureChangesNothing)
{
    form->lllll(nullptr, 0, 1, 1);
    form->Image4->SetEnabled(false);
    form->www(nullptr);
    EXPECT_EQ(zeigt(form->Image4), "s2_u.jpg");
    EXPECT_EQ(form->zaehler_Image4, 1);

    form->start_rt_move(nullptr, 0, 1, 1);
    form->Image8->SetEnabled(false);
    form->start_rt_leave(nullptr);
    EXPECT_EQ(zeigt(form->Image8), "start_rt_u.jpg");
    EXPECT_EQ(form->Label1->Caption(), "Schritt2 starten?");
}

TEST_F(KnoepfeTest, StartPictureHoverTextsAndPictures)
{
    struct Fall {
        std::function<void()> bewegen, hoch, verlassen;
        TImage* bild;
        int* zaehler;
        const char* text;
        const char* schwebend;
        const char* ruhend;
    };
    TForm1& f = *form;
    const Fall faelle[] = {
        {[&] { f.start_sw_move(nullptr, 0, 0, 0); }, [&] { f.start_sw_up(nullptr, mbLeft, 0, 0, 0); },
         [&] { f.start_sw_leave(nullptr); }, f.Image6, &f.zaehler_Image6, "Sarnik starten?", "start_sw_u.jpg",
         "start_sw_.jpg"},
        {[&] { f.start_bl_move(nullptr, 0, 0, 0); }, [&] { f.start_bl_up(nullptr, mbLeft, 0, 0, 0); },
         [&] { f.start_bl_leave(nullptr); }, f.Image7, &f.zaehler_Image7, "Schritt1 starten?",
         "start_bl_u.jpg", "start_bl_.jpg"},
        {[&] { f.start_gn_move(nullptr, 0, 0, 0); }, [&] { f.start_gn_up(nullptr, mbLeft, 0, 0, 0); },
         [&] { f.start_gn_leave(nullptr); }, f.Image9, &f.zaehler_Image9, "Schritt3 starten?",
         "start_gn_u.jpg", "start_gn_.jpg"},
        {[&] { f.start2_sw_move(nullptr, 0, 0, 0); }, [&] { f.start2_sw_up(nullptr, mbLeft, 0, 0, 0); },
         [&] { f.start2_sw_leave(nullptr); }, f.Image10, &f.zaehler_Image10, "Archiv Anzeigen?",
         "start_sw_u.jpg", "start_sw_.jpg"},
    };
    for (const Fall& c : faelle) {
        SCOPED_TRACE(c.text);
        c.bewegen();
        EXPECT_EQ(f.Label1->Caption(), c.text);
        EXPECT_EQ(zeigt(c.bild), c.schwebend);
        f.Label1->SetCaption("x");
        c.hoch();  // counts as a further move
        EXPECT_EQ(f.Label1->Caption(), "x");
        EXPECT_EQ(*c.zaehler, 2);
        c.verlassen();
        EXPECT_EQ(f.Label1->Caption(), "Beschreibung:");
        EXPECT_EQ(zeigt(c.bild), c.ruhend);
        EXPECT_EQ(*c.zaehler, 0);
    }
    f.archiv_angezeigt = 0;
    f.statistik_angezeigt = 1;
    f.start2_sw_move(nullptr, 0, 0, 0);
    EXPECT_EQ(f.Label1->Caption(), "Statistik Anzeigen?");
}

// ---- Expert mode ----------------------------------------------------------------------------

TEST_F(KnoepfeTest, ExpertModeOnEnablesSettingsButTheStatisticsSourceOnlyOnTheStatisticsView)
{
    for (int statistik : {0, 1}) {
        SCOPED_TRACE(statistik);
        form->statistik_angezeigt = statistik;
        form->archiv_angezeigt = 1 - statistik;
        form->CheckBox1->SetChecked(false);
        form->CheckBox1->SetChecked(true);  // fires expertenModus
        for (const char* n :
             {"RadioButton1", "Label50", "Label51", "Label32", "Label45", "TrackBar1", "ComboBox2",
              "ComboBox3", "Label34", "CheckBox5", "Edit7", "CheckBox20", "Label58", "Edit8"})
            EXPECT_TRUE(element(n)->Enabled()) << n;
        EXPECT_EQ(form->RadioButton4->Enabled(), statistik == 1);
        EXPECT_EQ(form->Label47->Enabled(), statistik == 1);
        EXPECT_EQ(zeigt(form->Image13), "save24.gif");
        EXPECT_EQ(zeigt(form->Image14), "delete_x24.gif");
        EXPECT_TRUE(form->Image15->Enabled());
    }
}

TEST_F(KnoepfeTest, ExpertModeOffDisablesSettingsAndStepBoxesButNotTheTipCount)
{
    form->CheckBox1->SetChecked(true);
    form->CheckBox2->SetEnabled(true);
    form->CheckBox1->SetChecked(false);
    for (const char* n : {"RadioButton1", "RadioButton4", "Label47", "Label32", "TrackBar1", "ComboBox2",
                          "CheckBox2", "CheckBox4", "CheckBox5", "Edit1", "CheckBox15", "Label57"})
        EXPECT_FALSE(element(n)->Enabled()) << n;
    EXPECT_TRUE(form->Edit8->Enabled());
    EXPECT_TRUE(form->Label46->Enabled());
    EXPECT_FALSE(form->Image13->Enabled());
    EXPECT_EQ(zeigt(form->Image15), "delete_x24_d.gif");
}

// ---- Grey-out and restore -------------------------------------------------------------------

namespace {

// The keys of grau.ini.
std::vector<String> Grauschluessel()
{
    std::vector<String> k = {"Image13", "Image14", "Image15"};
    auto dazu = [&](const std::vector<String>& m) { k.insert(k.end(), m.begin(), m.end()); };
    dazu(reihe("Edit", 1, 8));
    dazu({"Label58", "Label57", "Label56", "Label55"});
    dazu(reihe("Label", 35, 43));
    dazu({"Label46", "Label32", "Label33", "Label34", "Label45", "Label48", "Label52", "Label44", "Label60"});
    dazu(reihe("CheckBox", 1, 21));
    dazu({"ComboBox2", "ComboBox3", "RadioGroup1", "RadioGroup2", "DateTimePicker1"});
    dazu({"Label50", "Label53", "Label54", "Label51", "Label47", "Label61"});
    dazu(reihe("RadioButton", 1, 5));
    return k;
}

const char* const BILDKNOEPFE[] = {"Image1",  "Image2",  "Image3",  "Image4",  "Image5",  "Image13",
                                   "Image14", "Image15", "Image17", "Image18", "Image19", "Image28",
                                   "Image20", "Image23", "Image24", "Image26", "Image27"};

}  // namespace

TEST_F(KnoepfeTest, GreyOutRecordsEveryStateAndRestoreBringsThemBack)
{
    const std::vector<String> schluessel = Grauschluessel();
    ASSERT_EQ(schluessel.size(), 70u);
    // Start-up leaves expert mode off; these start enabled here.
    for (TControl* c : std::initializer_list<TControl*>{form->TrackBar1, form->Image13, form->Image15})
        c->SetEnabled(true);
    form->Edit3->SetEnabled(false);
    form->CheckBox2->SetEnabled(false);
    form->Image14->SetEnabled(false);
    form->RadioButton4->SetEnabled(true);
    std::vector<bool> vorher;
    for (const String& n : schluessel) vorher.push_back(element(n)->Enabled());

    EXPECT_TRUE(form->grau_schalten());
    EXPECT_EQ(grau_aktiv, 1);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    TIniFile ini(ordner + "grau.ini");
    TStringList keys;
    ini.ReadSection("grau", keys);
    EXPECT_EQ(keys.Count(), 70);
    for (std::size_t i = 0; i < schluessel.size(); ++i) {
        EXPECT_EQ(ini.ReadString("grau", schluessel[i], "fehlt"), vorher[i] ? "true" : "false")
            << schluessel[i];
        EXPECT_FALSE(element(schluessel[i])->Enabled()) << schluessel[i];
    }
    for (const char* n :
         {"ListBox1", "Image21", "Image22", "Label59", "DateTimePicker2", "Label49", "Tabelle"})
        EXPECT_FALSE(element(n)->Enabled()) << n;
    for (const char* n : BILDKNOEPFE) EXPECT_FALSE(element(n)->Enabled()) << n;
    // Left alone: start pictures, pool size, personal numbers, clipboard box.
    for (const char* n :
         {"Image6", "Image10", "Image11", "TrackBar1", "Label2", "Edit9", "CheckBox22", "Tabelle2"})
        EXPECT_TRUE(element(n)->Enabled()) << n;

    EXPECT_TRUE(form->grau_aufheben());
    EXPECT_EQ(grau_aktiv, 0);
    EXPECT_EQ(Screen->Cursor(), crDefault);
    for (std::size_t i = 0; i < schluessel.size(); ++i)
        EXPECT_EQ(element(schluessel[i])->Enabled(), vorher[i]) << schluessel[i];
    for (const char* n :
         {"ListBox1", "Image21", "Image22", "Label59", "DateTimePicker2", "Label49", "Tabelle"})
        EXPECT_TRUE(element(n)->Enabled()) << n;
    for (const char* n : BILDKNOEPFE) {
        if (String(n) == "Image14") continue;
        EXPECT_TRUE(element(n)->Enabled()) << n;
    }
    EXPECT_FALSE(form->Image14->Enabled());
    EXPECT_FALSE(form->RadioGroup1->Buttons(1)->Enabled());
}

TEST_F(KnoepfeTest, PicturesGreyWithTheirOwnGreyPictureAndComeBackWithoutBackupsLeft)
{
    form->s2_click(nullptr);  // step-2 page selected
    // The mode pictures show the page's pictures; the others get one of their own.
    for (const char* n : BILDKNOEPFE) {
        const String name = n;
        if (name != "Image2" && name != "Image3" && name != "Image4" && name != "Image5")
            setze_Bild(bild(name), "alt_" + name);
    }
    const String vorher_Image3 = zeigt(form->Image3);

    form->grau_schalten();
    EXPECT_EQ(zeigt(form->Image2), "sarnik_SW.jpg");
    EXPECT_EQ(zeigt(form->Image3), "S1_SW.jpg");
    EXPECT_EQ(zeigt(form->Image4), "S2SW.jpg");
    EXPECT_EQ(zeigt(form->Image5), "S3_SW.jpg");
    EXPECT_EQ(zeigt(form->Image1), "hintergrund_SW.gif");
    EXPECT_EQ(zeigt(form->Image13), "save24_d.gif");
    EXPECT_EQ(zeigt(form->Image27), "down_blue24_d.gif");
    EXPECT_TRUE(FileExists(ordner + "gifs/image3.jpg"));
    EXPECT_TRUE(FileExists(ordner + "gifs/image27.gif"));

    EXPECT_TRUE(form->grau_aufheben());
    EXPECT_EQ(zeigt(form->Image3), vorher_Image3);
    EXPECT_EQ(zeigt(form->Image4), "s2.jpg");
    EXPECT_EQ(zeigt(form->Image1), "alt_Image1");
    EXPECT_EQ(zeigt(form->Image27), "alt_Image27");
    for (const char* datei :
         {"image1.gif", "image2.jpg", "image3.jpg", "image4.jpg", "image5.jpg", "image13.gif", "image14.gif",
          "image15.gif", "image17.gif", "image18.gif", "image19.gif", "image28.gif", "image20.gif",
          "image23.gif", "image24.gif", "image26.gif", "image27.gif"})
        EXPECT_FALSE(FileExists(ordner + "gifs/" + datei)) << datei;
}

TEST_F(KnoepfeTest, StatisticsViewDisablesItsOwnGrid)
{
    form->archiv_angezeigt = 0;
    form->statistik_angezeigt = 1;
    form->grau_schalten();
    EXPECT_FALSE(form->Tabelle2->Enabled());
    EXPECT_TRUE(form->Tabelle->Enabled());
    EXPECT_TRUE(form->grau_aufheben());
    EXPECT_TRUE(form->Tabelle2->Enabled());
}

TEST_F(KnoepfeTest, ExpertModeOffStaysOffThroughGreyOut)
{
    form->CheckBox1->SetChecked(true);
    form->CheckBox1->SetChecked(false);
    form->grau_schalten();
    EXPECT_EQ(TIniFile(ordner + "grau.ini").ReadString("grau", "CheckBox5", ""), "false");
    EXPECT_TRUE(form->grau_aufheben());
    EXPECT_FALSE(form->CheckBox5->Enabled());
    EXPECT_FALSE(form->RadioButton1->Enabled());
    EXPECT_TRUE(form->CheckBox1->Enabled());
}

// Without records (no file, no INI, an empty section) the controls come back as the expert
// state says: expert controls only with expert mode on, the step boxes as at start-up.
TEST_F(KnoepfeTest, UnreadableGreyFileRestoresWhatTheExpertStateSays)
{
    const std::vector<String> experte = {"ComboBox2",  "ComboBox3",    "CheckBox5", "Edit1",  "Label35",
                                         "CheckBox15", "RadioButton1", "Label50",   "Label32"};
    const std::vector<String> immer = {"CheckBox1", "CheckBox21", "DateTimePicker1", "RadioGroup1", "Edit8"};
    for (bool experten_an : {true, false}) {
        for (const char* inhalt : {"", "kein INI\n", "[grau]\n"}) {
            SCOPED_TRACE(String(inhalt) + (experten_an ? " an" : " aus"));
            form->CheckBox1->SetChecked(experten_an);
            form->expertenModus(nullptr);
            form->Edit3->SetEnabled(false);
            form->grau_schalten();
            ASSERT_TRUE(DeleteFile(ordner + "grau.ini") || !FileExists(ordner + "grau.ini"));
            if (*inhalt) AtomicWriteFile(ordner + "grau.ini", inhalt);
            EXPECT_FALSE(form->grau_aufheben());
            for (const String& n : experte) EXPECT_EQ(element(n)->Enabled(), experten_an) << n;
            for (const String& n : immer) EXPECT_TRUE(element(n)->Enabled()) << n;
            for (const char* n : {"CheckBox2", "CheckBox3", "CheckBox4"})
                EXPECT_FALSE(element(n)->Enabled()) << n;
            EXPECT_EQ(form->Edit3->Enabled(), experten_an);
            EXPECT_FALSE(form->RadioGroup1->Buttons(1)->Enabled());
        }
    }
}

TEST_F(KnoepfeTest, MissingKeyDisablesItsControl)
{
    form->Edit1->SetEnabled(true);
    form->grau_schalten();
    TIniFile(ordner + "grau.ini").DeleteKey("grau", "Edit2");
    EXPECT_TRUE(form->grau_aufheben());
    EXPECT_FALSE(form->Edit2->Enabled());
    EXPECT_TRUE(form->Edit1->Enabled());
}

TEST_F(KnoepfeTest, GreyFileThatCannotBeWrittenLeavesTheWindowAsItWas)
{
    form->Edit1->SetEnabled(true);
    setze_Bild(form->Image17, "alt");
    auto alt = SetAtomicWriteHook([](const String& name) {
        if (name.find("grau.ini") != String::npos)
            throw EInOutError("Cannot open file \"grau.ini\". Read-only file system");
    });
    // The application's box shows the reason in German; the system's text only on a line of its own.
    try {
        form->grau_schalten();
        ADD_FAILURE() << "greyed out without its record";
    } catch (const Exception& e) {
        EXPECT_EQ(
            e.Message(),
            "Die Datei grau.ini kann nicht gespeichert werden, die Aufgabe beginnt nicht! Der Programmordner "
            "ist "
            "schreibgeschützt.\n\nMeldung des Systems: Cannot open file \"grau.ini\". Read-only file system");
    }
    SetAtomicWriteHook(alt);
    EXPECT_EQ(grau_aktiv, 0);
    EXPECT_TRUE(form->Edit1->Enabled());
    EXPECT_TRUE(form->Image17->Enabled());
    EXPECT_EQ(zeigt(form->Image17), "alt");
    EXPECT_FALSE(FileExists(ordner + "gifs/image17.gif"));
}

TEST_F(KnoepfeTest, PictureThatCannotBeBackedUpKeepsItsPicture)
{
    setze_Bild(form->Image18, "alt");
    ASSERT_TRUE(ForceDirectories(ordner + "gifs/image18.gif"));  // a folder where the backup should go
    form->grau_schalten();
    EXPECT_EQ(zeigt(form->Image18), "alt");
    EXPECT_FALSE(form->Image18->Enabled());
    EXPECT_TRUE(form->grau_aufheben());
    EXPECT_EQ(zeigt(form->Image18), "alt");
    EXPECT_TRUE(form->Image18->Enabled());
}

// ---- Run buttons ----------------------------------------------------------------------------

namespace {

// The driver's view of the window, slowed down: the driver reads the step boxes (and records
// them), works for `dauer` ms of the clock, and then runs no step and finds no draw.
class LangsamesFenster : public TSchrittAnschluss<TForm1> {
public:
    LangsamesFenster(TForm1& f, unsigned dauer) : TSchrittAnschluss<TForm1>(f), FDauer(dauer) {}
    bool CheckBox(int nummer) override
    {
        if (nummer == 2) Sleep(FDauer);
        if (nummer >= 2 && nummer <= 4) boxen[nummer - 2] = TSchrittAnschluss<TForm1>::CheckBox(nummer);
        return false;
    }
    bool pruefe_Tippdatum(bool) override { return false; }
    bool boxen[3] = {false, false, false};

private:
    unsigned FDauer;
};

// What a timer of the message loop sees while a run button polls.
struct Beobachtung {
    bool gesehen = false;
    int grau = 0;
    bool edit1 = true;
    bool b2 = false, b3 = false, b4 = false;
    bool animation = false;
    String bild;
};

}  // namespace

TEST_F(KnoepfeTest, RunButtonsGreyOutPollToTheirBoundAndRestore)
{
    struct Fall {
        const char* name;
        void (TForm1::*handler)(TObject*);
        TImage* TForm1::*bild;
        const char* laufend;
        const char* ruhend;
        const char* status;
        bool b2, b3, b4;  // boxes during the run
        long long polls;
    };
    const Fall faelle[] = {
        {"start_sw", &TForm1::start_sw, &TForm1::Image6, "start_sw.jpg", "start_sw_.jpg",
         "Sarnik wurde gestartet!", true, false, true, 599},
        {"start_bl", &TForm1::start_bl, &TForm1::Image7, "start_bl.jpg", "start_bl_.jpg",
         "Zahlen werden berechnet!", true, false, false, 599},
        {"start_rt", &TForm1::start_rt, &TForm1::Image8, "start_rt.jpg", "start_rt_.jpg",
         "Zahlen werden gefiltert!", false, true, false, 999},
        {"start_gn", &TForm1::start_gn, &TForm1::Image9, "start_gn.jpg", "start_gn_.jpg",
         "Zahlen werden gefiltert!", false, false, true, 599},
    };
    schreibe("Schritt2_ersetzt_12-08-2009-aus20_Index-1.cvs", {"1,2,3,4,5,6"});
    schreibe("Schritt3_ersetzt_geloescht_12-08-2009-aus20_Index-1.cvs", {"1,2,3,4,5,6,0"});
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        form->ComboBox2->SetText("12-08-2009-aus20_Index-1*");
        // The profile left step 2 off: Sarnik runs the boxes as they stand.
        form->CheckBox2->SetChecked(true);
        form->CheckBox3->SetChecked(false);
        form->CheckBox4->SetChecked(true);
        // Expert mode on: setting the step boxes (which applies expert mode) keeps Edit1 enabled.
        form->CheckBox1->SetChecked(true);
        form->Edit1->SetEnabled(true);
        form->Timer1->SetEnabled(false);
        form->vergleich_beim_Start = true;
        (form.get()->*f.bild)->SetEnabled(true);
        if (f.handler == &TForm1::start_sw) form->zaehler_Image6 = 3;

        TVirtualClockGuard uhr(EncodeDate(2009, 8, 10) + EncodeTime(12, 0, 0, 0));
        TDebugCapture spuren;
        // The driver outlasts every poll bound: the button polls to its bound, then waits.
        LangsamesFenster fenster(*form, 200000);
        setze_SchrittFenster(&fenster);
        Beobachtung b;
        TTimer beobachter(nullptr);
        beobachter.SetInterval(150);
        beobachter.OnTimer = [&](TObject*) {
            if (b.gesehen) return;
            b = {true,
                 grau_aktiv,
                 form->Edit1->Enabled(),
                 form->CheckBox2->Checked(),
                 form->CheckBox3->Checked(),
                 form->CheckBox4->Checked(),
                 form->Animate1->Visible(),
                 zeigt(form.get()->*f.bild)};
            Thread_Sarnik* treiber = form->t_Treiber.get();
            form->start_sw(nullptr);  // a second click during the run is ignored
            EXPECT_EQ(form->t_Treiber.get(), treiber);
        };
        beobachter.SetEnabled(true);

        (form.get()->*f.handler)(nullptr);
        beobachter.SetEnabled(false);
        setze_SchrittFenster(form->schritt_fenster.get());

        int polls = 0;
        for (const String& z : spuren.Lines()) polls += z == "Warte auf Thread_Sarnik .....";
        EXPECT_EQ(polls, f.polls);
        EXPECT_GE(uhr.clock().ElapsedMs(), 200000);
        EXPECT_EQ(fenster.boxen[0], f.b2);
        EXPECT_EQ(fenster.boxen[1], f.b3);
        EXPECT_EQ(fenster.boxen[2], f.b4);
        ASSERT_TRUE(b.gesehen);
        EXPECT_EQ(b.grau, 1);
        EXPECT_FALSE(b.edit1);
        EXPECT_TRUE(b.animation);
        EXPECT_EQ(b.bild, f.laufend);
        EXPECT_EQ(b.b2, f.b2);
        EXPECT_EQ(b.b3, f.b3);
        EXPECT_EQ(b.b4, f.b4);

        EXPECT_EQ(grau_aktiv, 0);
        EXPECT_TRUE(form->Edit1->Enabled());
        EXPECT_FALSE(form->Animate1->Visible());
        ASSERT_NE(form->t_Treiber, nullptr);
        EXPECT_TRUE(form->t_Treiber->Finished());
        EXPECT_TRUE(form->t_Treiber->Terminated());
        EXPECT_EQ(zeigt(form.get()->*f.bild), f.ruhend);
        EXPECT_EQ(form->Label1->Caption(), f.status);
        EXPECT_FALSE(form->Timer1->Enabled());
        const bool einzeln = f.handler != &TForm1::start_sw;
        EXPECT_TRUE(form->CheckBox2->Checked());
        EXPECT_EQ(form->CheckBox3->Checked(), einzeln);
        EXPECT_TRUE(form->CheckBox4->Checked());
        EXPECT_EQ(form->vergleich_beim_Start.load(),
                  f.handler == &TForm1::start_rt || f.handler == &TForm1::start_gn);
    }
    EXPECT_EQ(form->zaehler_Image6, 0);
    EXPECT_EQ(form->schritt1_aktiv, 1);
}

TEST_F(KnoepfeTest, QuickDriverRunIsWaitedForWithoutPolling)
{
    TVirtualClockGuard uhr(EncodeDate(2009, 8, 10) + EncodeTime(12, 0, 0, 0));
    form->CheckBox2->SetChecked(false);
    form->CheckBox3->SetChecked(false);
    form->CheckBox4->SetChecked(false);
    form->Image6->SetEnabled(false);
    form->start_sw(nullptr);
    // No step and no known draw: the driver only re-enables the pictures and ends.
    EXPECT_LT(uhr.clock().ElapsedMs(), 1000);
    ASSERT_NE(form->t_Treiber, nullptr);
    EXPECT_FALSE(form->t_Treiber->laeuft());
    EXPECT_TRUE(form->Image6->Enabled());
    EXPECT_EQ(grau_aktiv, 0);
    EXPECT_EQ(zeigt(form->Image6), "start_sw_.jpg");
}

TEST_F(KnoepfeTest, SingleStepWithoutItsInputShowsWhichStepComesFirst)
{
    struct Fall {
        void (TForm1::*handler)(TObject*);
        bool schritt2_da;
        const char* text;
    };
    const Fall faelle[] = {
        {&TForm1::start_rt, false, "Sie müssen zuerst Schritt 1 ausführen!"},
        {&TForm1::start_gn, false, "Sie müssen zuerst Schritt 1 ausführen!"},
        {&TForm1::start_gn, true, "Sie müssen zuerst Schritt 2 ausführen!"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.text);
        dialoge->Clear();
        const char* schritt2 = "Schritt2_ersetzt_12-08-2009-aus20_Index-1.cvs";
        ASSERT_TRUE(DeleteFile(ordner + schritt2) || !FileExists(ordner + schritt2));
        if (f.schritt2_da) schreibe(schritt2, {"1,2,3,4,5,6"});
        form->ComboBox2->SetText("12-08-2009-aus20_Index-1*");
        form->CheckBox3->SetChecked(false);
        (form.get()->*f.handler)(nullptr);
        const auto gezeigt = dialoge->Shown();
        ASSERT_EQ(gezeigt.size(), 1u);
        EXPECT_EQ(gezeigt[0].Text, f.text);
        EXPECT_EQ(form->t_Treiber, nullptr);
        EXPECT_FALSE(FileExists(ordner + "grau.ini"));
        EXPECT_FALSE(form->CheckBox3->Checked());
    }
    // A run key without its final "*" names no file.
    dialoge->Clear();
    form->ComboBox2->SetText("12-08-2009-aus20_Index-1");
    form->start_rt(nullptr);
    ASSERT_EQ(dialoge->Shown().size(), 1u);
    EXPECT_EQ(form->t_Treiber, nullptr);
}

TEST_F(KnoepfeTest, MissingPictureFilesDoNotStopTheHandlers)
{
    std::filesystem::remove_all(std::filesystem::path(ordner) / "gifs");
    setze_Bild(form->Image3, "alt");
    form->ssarnik(nullptr);
    EXPECT_EQ(form->modus_schritt1, 1);
    EXPECT_TRUE(form->Image7->Visible());
    EXPECT_EQ(zeigt(form->Image3), "alt");
    form->CheckBox1->SetChecked(true);
    EXPECT_TRUE(form->Edit1->Enabled());
    form->grau_schalten();
    EXPECT_FALSE(form->Image3->Enabled());
    EXPECT_TRUE(form->grau_aufheben());
    EXPECT_EQ(zeigt(form->Image3), "alt");
    EXPECT_TRUE(form->Image3->Enabled());
}

// ---- Archive or statistics view -------------------------------------------------------------

class KnoepfeAnsichtTest : public KnoepfeTest {
protected:
    void SetUp() override
    {
        KnoepfeTest::SetUp();
        schreibe("dorov_zahlen.txt", {"01.01.09,1,2,3,4,5,6,7", "03.01.09,8,9,10,11,12,13,14",
                                      "07.01.09,1,15,16,17,18,19,20", "14.01.09,21,22,23,24,25,26,27"});
        form->DateTimePicker1->SetDateTime(EncodeDate(2009, 1, 14));  // the draws before the last one
    }
    void Statistikansicht(int eintrag)
    {
        form->archiv_angezeigt = 0;
        form->statistik_angezeigt = 1;
        form->RadioGroup1->SetVisible(false);
        form->RadioGroup2->SetVisible(true);
        form->RadioGroup2->SetItemIndex(eintrag);
    }
};

TEST_F(KnoepfeAnsichtTest, GapStatisticShowsDrawsSinceEachNumberWasLastDrawn)
{
    Statistikansicht(0);
    form->start2_sw_click(nullptr);
    EXPECT_EQ(form->Label1->Caption(), "0");
    ASSERT_EQ(form->Tabelle2->RowCount(), 49);
    ASSERT_EQ(form->Tabelle2->ColCount(), 2);
    for (int r = 0; r < 49; ++r) EXPECT_EQ(form->Tabelle2->Cells(0, r), IntToStr(r + 1));
    EXPECT_EQ(form->Tabelle2->Cells(1, 0), "0");  // 1: in the newest draw
    EXPECT_EQ(form->Tabelle2->Cells(1, 1), "2");  // 2: two draws ago
    EXPECT_EQ(form->Tabelle2->Cells(1, 7), "1");  // 8
    EXPECT_EQ(form->Tabelle2->Cells(1, 19), "0");  // 20, the extra number
    EXPECT_EQ(zeigt(form->Image10), "start_sw_.jpg");
    EXPECT_EQ(form->zaehler_Image10, 0);
}

TEST_F(KnoepfeAnsichtTest, FrequencyStatisticCountsTheDrawsBeforeTheDate)
{
    Statistikansicht(1);
    form->start2_sw_click(nullptr);
    EXPECT_EQ(form->Label1->Caption(), "1");
    EXPECT_EQ(form->Tabelle2->Cells(1, 0), "2");  // 1
    EXPECT_EQ(form->Tabelle2->Cells(1, 1), "1");  // 2
    EXPECT_EQ(form->Tabelle2->Cells(1, 20), "0");  // 21 is drawn on the date only
}

TEST_F(KnoepfeAnsichtTest, StatisticWithoutArchiveKeepsTheGrid)
{
    ASSERT_TRUE(DeleteFile(ordner + "dorov_zahlen.txt") || !FileExists(ordner + "dorov_zahlen.txt"));
    Statistikansicht(1);
    form->Tabelle2->SetRowCount(3);
    form->Tabelle2->SetCells(1, 0, "alt");
    form->start2_sw_click(nullptr);
    EXPECT_EQ(form->Tabelle2->RowCount(), 3);
    EXPECT_EQ(form->Tabelle2->Cells(1, 0), "alt");
}

TEST_F(KnoepfeAnsichtTest, ArchiveViewLoadsTheArchiveForItsFirstItemOnly)
{
    form->RadioGroup1->SetItemIndex(0);
    form->start2_sw_click(nullptr);
    EXPECT_EQ(form->Label1->Caption(), "0");
    EXPECT_EQ(form->Tabelle->Cells(0, 3), "14.01.09");
    EXPECT_EQ(form->Tabelle->TopRow(), 0);

    form->Tabelle->SetCells(0, 3, "x");
    form->RadioGroup1->SetItemIndex(1);
    form->start2_sw_click(nullptr);
    EXPECT_EQ(form->Label1->Caption(), "1");
    EXPECT_EQ(form->Tabelle->Cells(0, 3), "x");
}

// ---- A real step-1 run ----------------------------------------------------------------------

TEST_F(KnoepfeTest, StepOneButtonRunsStepOneAndLeavesTheWindowAsItWas)
{
    schreibe("dorov_zahlen.txt",
             {"01.07.09,43,44,45,46,47,48,49", "04.07.09,36,37,38,39,40,41,42",
              "08.07.09,29,30,31,32,33,34,35", "11.07.09,22,23,24,25,26,27,28",
              "15.07.09,15,16,17,18,19,20,21", "18.07.09,8,9,10,11,12,13,14", "22.07.09,1,2,3,4,5,6,7"});
    schreibe("history.txt", {});
    form->TrackBar1->SetPosition(18);
    form->RadioButton1->SetChecked(true);
    form->CheckBox1->SetChecked(true);
    form->CheckBox3->SetChecked(false);
    form->CheckBox21->SetEnabled(false);  // recorded, and no business of expert mode
    form->Timer1->SetEnabled(false);
    {
        TVirtualClockGuard uhr(EncodeDate(2009, 8, 10) + EncodeTime(12, 0, 0, 0));
        form->DateTimePicker2->SetDateTime(EncodeDate(2009, 8, 12));
        form->start_bl(nullptr);
    }
    ASSERT_NE(form->t_Treiber, nullptr);
    EXPECT_FALSE(form->t_Treiber->laeuft());
    const String schluessel = "12-08-2009-aus18_Index-1*";
    EXPECT_EQ(form->ComboBox2->Text(), schluessel);
    TStringList kombinationen;
    kombinationen.LoadFromFile(Dateipfad(DATEI_ERSETZT, schluessel));
    EXPECT_EQ(kombinationen.Count(), 18564);

    EXPECT_EQ(grau_aktiv, 0);
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_TRUE(form->CheckBox2->Checked());
    EXPECT_TRUE(form->CheckBox3->Checked());
    EXPECT_TRUE(form->CheckBox4->Checked());
    EXPECT_TRUE(form->Edit1->Enabled());
    EXPECT_FALSE(form->CheckBox21->Enabled());
    EXPECT_FALSE(form->Animate1->Visible());
    EXPECT_FALSE(form->vergleich_beim_Start);
    EXPECT_EQ(zeigt(form->Image7), "start_bl_.jpg");
    EXPECT_FALSE(FileExists(ordner + "gifs/image2.jpg"));
}

TEST_F(KnoepfeTest, RunThatCannotGreyOutStartsNothingAndSetsTheBoxesBack)
{
    form->CheckBox3->SetChecked(false);
    auto alt = SetAtomicWriteHook([](const String& name) {
        if (name.find("grau.ini") != String::npos) throw EInOutError("voll");
    });
    EXPECT_THROW(form->start_bl(nullptr), Exception);
    SetAtomicWriteHook(alt);
    EXPECT_EQ(form->t_Treiber, nullptr);
    EXPECT_EQ(grau_aktiv, 0);
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_TRUE(form->CheckBox2->Checked());
    EXPECT_TRUE(form->CheckBox3->Checked());
    EXPECT_TRUE(form->CheckBox4->Checked());
}

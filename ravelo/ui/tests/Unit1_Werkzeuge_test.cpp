// The toolbar's picture buttons: hover and leave, the shell actions, printing the tip list, the
// draw-entry and favourites dialogs and the two view buttons.
#include "Unit5.h"
#include "Unit7.h"
#include "toolbar_Testbasis.h"

using namespace toolbar;

namespace {

struct Mitglied {
    const char* bild;
    const char* stamm;
    void (TForm1::*bewegt)(TObject*, TShiftState, int, int);
    void (TForm1::*hoch)(TObject*, TMouseButton, TShiftState, int, int);
    void (TForm1::*verlassen)(TObject*);
    int TForm1::*zaehler;
    const char* frage;
    const char* frage_hoch;
};

const Mitglied MITGLIEDER[] = {
    {"Image13", "save24", &TForm1::save_profil_move, &TForm1::save_profil_Up, &TForm1::save_profil_leave,
     &TForm1::zaehler_Image13, "Profil speichern?", "Profil speichern?"},
    {"Image14", "delete_x24", &TForm1::Profil_loesch_move, &TForm1::Profil_loesch_Up,
     &TForm1::Profil_loesch_leave, &TForm1::zaehler_Image14, "Profil löschen?", "Profil löschen"},
    {"Image15", "delete_x24", &TForm1::Hist_loesch_move, &TForm1::Hist_loesch_Up, &TForm1::Hist_loesch_leave,
     &TForm1::zaehler_Image15, "History löschen?", "History löschen"},
    {"Image17", "mail24", &TForm1::mail_move, &TForm1::mail_Up, &TForm1::mail_leave, &TForm1::zaehler_Image17,
     "Support kontaktieren?", "Support kontaktieren?"},
    {"Image18", "help24", &TForm1::Help_move, &TForm1::Help_Up, &TForm1::Help_leave, &TForm1::zaehler_Image18,
     "Hilfe anzeigen?", "Hilfe anzeigen?"},
    {"Image19", "print24", &TForm1::Print_move, &TForm1::Print_Up, &TForm1::Print_leave,
     &TForm1::zaehler_Image19, "Getippte Lottozahlen drucken?", "Getippte Lottozahlen drucken?"},
    {"Image20", "web_download24", &TForm1::Homepage_move, &TForm1::Hompage_Up, &TForm1::Hompage_leave,
     &TForm1::zaehler_Image20, "Unser Homepage besuchen?", "Unser Homepage besuchen?"},
    {"Image23", "edit_table_structure24", &TForm1::archiv_move, &TForm1::archiv_Up, &TForm1::archiv_leave,
     &TForm1::zaehler_Image23, "Lottozahlen eintragen?", "Lottozahlen eintragen?"},
    {"Image24", "web_search24", &TForm1::update_move, &TForm1::update_Up, &TForm1::update_leave,
     &TForm1::zaehler_Image24, "Lottozahlen aus dem Internet aktualisieren?",
     "Lottozahlen aus dem Internet aktualisieren?"},
    {"Image26", "up_blue24", &TForm1::up_move, &TForm1::up_up, &TForm1::up_leave, &TForm1::zaehler_Image26,
     "Aufwärts sortieren?", "Aufwärts sortieren?"},
    {"Image27", "down_blue24", &TForm1::down_move, &TForm1::down_up, &TForm1::down_leave,
     &TForm1::zaehler_Image27, "Abwärts sortieren?", "Abwärts sortieren?"},
    {"Image28", "favorites24", &TForm1::favorites_move, &TForm1::favorites_up, &TForm1::favorites_leave,
     &TForm1::zaehler_Image28, "Favoritten eingeben?", "Favoritten eingeben?"},
};

// A shell that also notes what the button showed while it was asked.
class BeobachtendeShell : public THeadlessShell {
public:
    explicit BeobachtendeShell(std::function<String()> blick) : FBlick(std::move(blick)) {}
    int Execute(const TShellRequest& r) override
    {
        gesehen.push_back(FBlick());
        return THeadlessShell::Execute(r);
    }
    std::vector<String> gesehen;

private:
    std::function<String()> FBlick;
};

}  // namespace

TEST_F(ToolbarTest, HoverChangesPictureAndTextOncePerVisitAndLeaveRestores)
{
    for (const Mitglied& m : MITGLIEDER) {
        for (bool hoch : {false, true}) {
            SCOPED_TRACE(String(m.bild) + (hoch ? " up" : " move"));
            TImage* b = bild(m.bild);
            b->SetEnabled(true);
            auto ueber = [&] {
                if (hoch)
                    (form.get()->*m.hoch)(b, mbLeft, {}, 1, 1);
                else
                    (form.get()->*m.bewegt)(b, {}, 1, 1);
            };
            ueber();
            EXPECT_EQ(form->Label1->Caption(), hoch ? m.frage_hoch : m.frage);
            EXPECT_EQ(zeigt(b), String(m.stamm) + "_h.gif");
            form->Label1->SetCaption("anders");
            b->Picture()->LoadFromBytes(Testbild("anders"));
            ueber();
            EXPECT_EQ(form->Label1->Caption(), "anders");
            EXPECT_EQ(zeigt(b), "anders");
            EXPECT_EQ(form.get()->*m.zaehler, 2);

            (form.get()->*m.verlassen)(b);
            EXPECT_EQ(form->Label1->Caption(), "Beschreibung:");
            EXPECT_EQ(zeigt(b), String(m.stamm) + ".gif");
            EXPECT_EQ(form.get()->*m.zaehler, 0);

            // Disabled, the leave changes nothing.
            ueber();
            b->SetEnabled(false);
            (form.get()->*m.verlassen)(b);
            EXPECT_EQ(zeigt(b), String(m.stamm) + "_h.gif");
            EXPECT_EQ(form.get()->*m.zaehler, 1);
            form.get()->*m.zaehler = 0;
            b->SetEnabled(true);
        }
    }
}

TEST_F(ToolbarTest, ShellButtonsOpenTheirTargetWhileShowingTheBusyPicture)
{
    struct Fall {
        void (TForm1::*klick)(TObject*);
        TImage* TForm1::*knopf;
        int TForm1::*zaehler;
        const char* stamm;  // "" for the picture without pictures
        const char* text;
        bool mit_fenster;
        const char* ziel;
        int anzeige;
    };
    const Fall faelle[] = {
        {&TForm1::Image20Click, &TForm1::Image20, &TForm1::zaehler_Image20, "web_download24",
         "Unser Hompage besuchen?", true, "http://localhost/", SW_SHOWDEFAULT},
        {&TForm1::Image17Click, &TForm1::Image17, &TForm1::zaehler_Image17, "mail24", "Support kontaktieren?",
         false, "mailto:support@example.com?subject=Anfrage zu Quenzel 2009 v3.3.7 &body=Hallo,%0AGruß",
         SW_SHOW},
        {&TForm1::Image18Click, &TForm1::Image18, &TForm1::zaehler_Image18, "help24", "Hilfe anzeigen?", true,
         "help\\Quenzel_2009.chm", SW_SHOWNORMAL},
        {&TForm1::Image11Click, &TForm1::Image11, &TForm1::zaehler_Image20, "", nullptr, true,
         "http://localhost/", SW_SHOWDEFAULT},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.ziel);
        TImage* b = form.get()->*f.knopf;
        auto beobachter =
            std::make_shared<BeobachtendeShell>([&] { return zeigt(b) + "|" + form->Label1->Caption(); });
        SetShell(beobachter);
        form->Label1->SetCaption("Beschreibung:");
        form.get()->*f.zaehler = 2;
        const std::uint32_t vorher = GetTickCount();
        (form.get()->*f.klick)(nullptr);

        const auto r = beobachter->Requests();
        ASSERT_EQ(r.size(), 1u);
        EXPECT_EQ(r[0].Owner, f.mit_fenster ? form.get() : nullptr);
        EXPECT_EQ(r[0].Verb, "open");
        EXPECT_EQ(r[0].File, f.ziel);
        EXPECT_EQ(r[0].Parameters, "");
        EXPECT_EQ(r[0].Directory, "");
        EXPECT_EQ(r[0].ShowCmd, f.anzeige);
        if (*f.stamm) {
            EXPECT_EQ(beobachter->gesehen[0], String(f.stamm) + "_d.gif|" + f.text);
            EXPECT_EQ(zeigt(b), String(f.stamm) + ".gif");
            EXPECT_EQ(form.get()->*f.zaehler, 0);
            EXPECT_EQ(GetTickCount() - vorher, 500u);
        } else {
            EXPECT_EQ(beobachter->gesehen[0], "|Beschreibung:");  // no picture change
        }
    }
    SetShell(shell);
}

TEST_F(ToolbarTest, PrintWritesTheTipListAndPrintsItUnderTheWindowCaption)
{
    form->ListBox1->Items()->Add("Zahlen überprüft vom:");
    form->ListBox1->Items()->Add("0.  1,  2,  3, 10, 11, 12 ->3");
    dialoge->AddPrintAnswer(true);
    form->zaehler_Image19 = 2;
    form->Image19Click(nullptr);

    EXPECT_EQ(ReadFileBytes(ordner + "ausdruck.txt"),
              "Zahlen überprüft vom:\n0.  1,  2,  3, 10, 11, 12 ->3\n");
    EXPECT_EQ(dialoge->PrintDialogsShown(), 1);
    const auto jobs = drucker->Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].Title, "Quenzel 2009");
    EXPECT_EQ(jobs[0].Lines, (std::vector<String>{"Zahlen überprüft vom:", "0.  1,  2,  3, 10, 11, 12 ->3"}));
    EXPECT_EQ(grau_aktiv, 0);
    EXPECT_TRUE(form->ListBox1->Enabled());
    EXPECT_TRUE(form->Image19->Enabled());
    EXPECT_EQ(zeigt(form->Image19), "print24.gif");
    EXPECT_EQ(form->zaehler_Image19, 0);
}

TEST_F(ToolbarTest, CancelledPrintDialogPrintsNothingAndRestoresTheWindow)
{
    form->ListBox1->Items()->Add("1,2,3,4,5,6");
    form->Image19Click(nullptr);
    EXPECT_EQ(dialoge->PrintDialogsShown(), 1);
    EXPECT_TRUE(drucker->Jobs().empty());
    EXPECT_EQ(grau_aktiv, 0);
    EXPECT_TRUE(form->ListBox1->Enabled());
}

TEST_F(ToolbarTest, DrawEntryDialogGetsThePromptOfTheArchiveAndTheDateOfNow)
{
    struct Fall {
        int eintrag;
        const char* aufforderung;  // nullptr: the dialog's own
    };
    const Fall faelle[] = {{0, "49: Geben Sie bitte Ihre Zahlen ein."},
                           {1, "45: Geben Sie bitte Ihre Zahlen ein."},
                           {-1, nullptr}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.eintrag);
        form->RadioGroup1->SetItemIndex(f.eintrag);
        form->zaehler_Image23 = 2;
        String gezeigt;
        TDateTime datum = 0;
        int grau = -1;
        SetModalHook([&](TForm& dialog) {
            auto* d = dynamic_cast<TForm5*>(&dialog);
            ASSERT_NE(d, nullptr);
            gezeigt = d->Label9->Caption();
            datum = d->DateTimePicker1->DateTime();
            grau = grau_aktiv;
            d->SetModalResult(mrCancel);
        });
        form->Image23Click(nullptr);
        SetModalHook(nullptr);
        EXPECT_EQ(gezeigt, f.aufforderung ? f.aufforderung : "Zahlen eingeben");
        EXPECT_EQ(datum, Now());
        EXPECT_EQ(grau, 1);
        EXPECT_EQ(grau_aktiv, 0);
        EXPECT_EQ(form->Label1->Caption(), "Zahlen eintragen?");
        EXPECT_EQ(form->zaehler_Image23, 0);
    }
}

TEST_F(ToolbarTest, FavouritesDialogIsShownOnTheGreyedWindow)
{
    int grau = -1;
    String knopf;
    SetModalHook([&](TForm& dialog) {
        EXPECT_NE(dynamic_cast<TForm7*>(&dialog), nullptr);
        grau = grau_aktiv;
        knopf = form->Label1->Caption();
        dialog.SetModalResult(mrCancel);
    });
    form->zaehler_Image28 = 2;
    form->Image28Click(nullptr);
    SetModalHook(nullptr);
    EXPECT_EQ(grau, 1);
    EXPECT_EQ(knopf, "Favoritten eingeben");
    EXPECT_EQ(grau_aktiv, 0);
    EXPECT_EQ(zeigt(form->Image28), "favorites24.gif");
    EXPECT_EQ(form->zaehler_Image28, 0);
}

// The program creates Form5 and Form7 at start-up; the buttons create a dialog of their own
// beside them, every time.
TEST_F(ToolbarTest, DialogsOpenBesideTheFormsOfTheStartUpEveryTime)
{
    auto* form5 = new TForm5(Application);
    auto* form7 = new TForm7(Application);
    std::vector<String> gezeigt;
    SetModalHook([&](TForm& dialog) {
        gezeigt.push_back(dialog.Name());
        dialog.SetModalResult(mrCancel);
    });
    for (int mal = 0; mal < 2; ++mal) {
        EXPECT_NO_THROW(form->Image23Click(nullptr));
        EXPECT_NO_THROW(form->Image28Click(nullptr));
    }
    SetModalHook(nullptr);
    EXPECT_EQ(gezeigt.size(), 4u);
    EXPECT_EQ(grau_aktiv, 0);
    EXPECT_EQ(form5->Name(), "Form5");
    EXPECT_EQ(form7->Name(), "Form7");
    delete form7;
    delete form5;
}

TEST_F(ToolbarTest, ViewButtonsSwitchGridsControlsAndPictures)
{
    form->CheckBox1->SetChecked(true);
    form->Label47->SetEnabled(false);
    form->RadioButton4->SetEnabled(false);
    form->Image22Click(nullptr);
    EXPECT_EQ(form->archiv_angezeigt, 0);
    EXPECT_EQ(form->statistik_angezeigt, 1);
    EXPECT_EQ(zeigt(form->Image22), "statistik.jpg");
    EXPECT_EQ(zeigt(form->Image21), "archiv_.jpg");
    for (const char* n : {"RadioGroup1", "CheckBox21", "Image23", "Image24", "Tabelle"})
        EXPECT_FALSE(element(n)->Visible()) << n;
    for (const char* n : {"Tabelle2", "Image26", "Image27", "RadioGroup2"})
        EXPECT_TRUE(element(n)->Visible()) << n;
    EXPECT_EQ(form->Label49->Caption(), "Zahlen 1-49:      Anzahl:");
    EXPECT_TRUE(form->Label47->Enabled());
    EXPECT_TRUE(form->RadioButton4->Enabled());

    form->Image21Click(nullptr);
    EXPECT_EQ(form->archiv_angezeigt, 1);
    EXPECT_EQ(form->statistik_angezeigt, 0);
    EXPECT_EQ(zeigt(form->Image21), "archiv.jpg");
    EXPECT_EQ(zeigt(form->Image22), "statistik_.jpg");
    for (const char* n : {"RadioGroup1", "CheckBox21", "Image23", "Image24", "Tabelle"})
        EXPECT_TRUE(element(n)->Visible()) << n;
    for (const char* n : {"Tabelle2", "Image26", "Image27", "RadioGroup2"})
        EXPECT_FALSE(element(n)->Visible()) << n;
    EXPECT_EQ(form->Label49->Caption(), "Datum:   1:  2:  3:  4:  5:  6:  Z:");
}

TEST_F(ToolbarTest, StatisticsViewWithoutExpertModeLeavesItsSourceDisabled)
{
    form->CheckBox1->SetChecked(false);
    form->Label47->SetEnabled(false);
    form->RadioButton4->SetEnabled(false);
    form->Image22Click(nullptr);
    EXPECT_FALSE(form->Label47->Enabled());
    EXPECT_FALSE(form->RadioButton4->Enabled());
}

TEST_F(ToolbarTest, ViewButtonHoverShowsItsHoverPictureOnlyWhenNotSelected)
{
    ASSERT_EQ(form->archiv_angezeigt, 1);
    form->Image21->Picture()->LoadFromBytes(Testbild("archiv.jpg"));
    form->zaehler_Image22 = 5;
    form->g_archiv_move(nullptr, {}, 1, 1);
    EXPECT_EQ(form->Label1->Caption(), "Hier wird das Lottozahlen Archiv angezeigt.");
    EXPECT_EQ(zeigt(form->Image21), "archiv.jpg");
    EXPECT_EQ(form->zaehler_Image22, 0);
    form->g_archiv_leave(nullptr);
    EXPECT_EQ(form->Label1->Caption(), "Beschreibung:");
    EXPECT_EQ(zeigt(form->Image21), "archiv.jpg");
    EXPECT_EQ(form->zaehler_Image21, 1);  // the selected view keeps its count

    form->statistik_move(nullptr, {}, 1, 1);
    EXPECT_EQ(form->Label1->Caption(), "Hier wird Statistik der Lottozahlen  angezeigt.");
    EXPECT_EQ(zeigt(form->Image22), "statistik_u.jpg");
    EXPECT_EQ(form->zaehler_Image21, 0);
    form->Label1->SetCaption("anders");
    form->statistik_move(nullptr, {}, 1, 1);
    EXPECT_EQ(form->Label1->Caption(), "Hier wird Statistik der Lottozahlen  angezeigt.");  // on every move
    form->statistik_leave(nullptr);
    EXPECT_EQ(zeigt(form->Image22), "statistik_.jpg");
    EXPECT_EQ(form->zaehler_Image22, 0);
}

// The main window's form: the controls that the stored formats name, start values and states,
// and the handlers the layout binds.
#include <functional>
#include <vector>

#include "FormTestbasis.h"
#include "Thread_Sarnik.h"
#include "Unit1_intern.h"
#include "Threadcheckzwischenablage.h"
#include "Threadzahlenvergleichen.h"
#include "Update_zahlen.h"

namespace {

struct Art {
    const char* name;
    std::function<bool(TComponent*)> passt;
};

template <class T>
bool ist(TComponent* c)
{
    return dynamic_cast<T*>(c) != nullptr;
}

std::vector<String> reihe(const char* stamm, int von, int bis)
{
    std::vector<String> namen;
    for (int i = von; i <= bis; ++i) namen.push_back(stamm + IntToStr(i));
    return namen;
}

void dazu(std::vector<String>& ziel, const std::vector<String>& mehr)
{
    ziel.insert(ziel.end(), mehr.begin(), mehr.end());
}

// The keys of a profile file, in the order they are written.
std::vector<String> Profilschluessel()
{
    std::vector<String> k = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit7", "Edit8"};
    dazu(k, reihe("CheckBox", 2, 21));
    dazu(k, reihe("RadioButton", 1, 5));
    return k;
}

// The keys of grau.ini, in the order grey-out records them.
std::vector<String> Grauschluessel()
{
    std::vector<String> k = {"Image13", "Image14", "Image15"};
    dazu(k, reihe("Edit", 1, 8));
    dazu(k, {"Label58", "Label57", "Label56", "Label55"});
    dazu(k, reihe("Label", 35, 43));
    dazu(k,
         {"Label46", "Label32", "Label33", "Label34", "Label45", "Label48", "Label52", "Label44", "Label60"});
    dazu(k, reihe("CheckBox", 1, 21));
    dazu(k, {"ComboBox2", "ComboBox3", "RadioGroup1", "RadioGroup2", "DateTimePicker1"});
    dazu(k, {"Label50", "Label53", "Label54", "Label51", "Label47", "Label61"});
    dazu(k, reihe("RadioButton", 1, 5));
    return k;
}

// The kind a control of that name has on the main window.
std::function<bool(TComponent*)> erwartete_Art(const String& name)
{
    auto beginnt = [&](const char* s) { return name.rfind(s, 0) == 0; };
    if (beginnt("Image")) return ist<TImage>;
    if (beginnt("Edit")) return ist<TEdit>;
    if (beginnt("Label")) return ist<TLabel>;
    if (beginnt("CheckBox")) return ist<TCheckBox>;
    if (beginnt("RadioButton")) return ist<TRadioButton>;
    if (beginnt("RadioGroup")) return ist<TRadioGroup>;
    if (beginnt("ComboBox")) return ist<TComboBox>;
    if (beginnt("DateTimePicker")) return ist<TDateTimePicker>;
    if (beginnt("ListBox")) return ist<TListBox>;
    if (beginnt("Tabelle")) return ist<TStringGrid>;
    return [](TComponent*) { return false; };
}

}  // namespace

TEST_F(Form1Test, StoredFormatsNameControlsOfTheirKind)
{
    const std::vector<String> profil = Profilschluessel();
    const std::vector<String> grau = Grauschluessel();
    EXPECT_EQ(profil.size(), 32u);
    EXPECT_EQ(grau.size(), 70u);

    std::vector<String> alle = profil;
    dazu(alle, grau);
    // Picture buttons that grey-out backs up, and the controls it disables without a record.
    dazu(alle, {"Image1", "Image2", "Image3", "Image4", "Image5", "Image17", "Image18", "Image19", "Image28",
                "Image20", "Image23", "Image24", "Image26", "Image27"});
    dazu(alle,
         {"ListBox1", "Image21", "Image22", "Label59", "DateTimePicker2", "Label49", "Tabelle", "Tabelle2"});
    for (const String& name : alle) {
        TComponent* c = form->FindComponent(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_TRUE(erwartete_Art(name)(c)) << name;
        EXPECT_EQ(c->Owner(), form.get()) << name;
    }
}

TEST_F(Form1Test, MembersPointAtTheLayoutsControls)
{
    const std::vector<std::pair<const char*, TComponent*>> felder = {
        {"Label1", form->Label1},         {"Label61", form->Label61},     {"Edit38", form->Edit38},
        {"CheckBox22", form->CheckBox22}, {"Tabelle2", form->Tabelle2},   {"TrackBar1", form->TrackBar1},
        {"Timer2", form->Timer2},         {"TrayIcon3", form->TrayIcon3}, {"Beenden1", form->Beenden1},
        {"ImageList1", form->ImageList1}, {"Animate2", form->Animate2},   {"RichEdit1", form->RichEdit1},
    };
    for (const auto& [name, c] : felder) EXPECT_EQ(form->FindComponent(name), c) << name;
    EXPECT_NE(form->CppWebBrowser1, nullptr);
    EXPECT_NE(form->IdFTP1, nullptr);
}

TEST_F(Form1Test, FieldsStartValues)
{
    EXPECT_EQ(Form1, form.get());
    EXPECT_EQ(form->t_Treiber, nullptr);
    EXPECT_EQ(form->t_Update, nullptr);
    EXPECT_NE(form->t_Vergleich, nullptr);  // the start-up comparison
    EXPECT_EQ(form->t_Zwischenablage, nullptr);
    const std::vector<std::pair<const char*, int>> zahlen = {
        {"schritt1_aktiv", form->schritt1_aktiv},           {"schritt2_aktiv", form->schritt2_aktiv},
        {"schritt3_aktiv", form->schritt3_aktiv},           {"modus_sarnik", form->modus_sarnik},
        {"modus_schritt1", form->modus_schritt1},           {"modus_schritt2", form->modus_schritt2},
        {"modus_schritt3", form->modus_schritt3},           {"archiv_angezeigt", form->archiv_angezeigt},
        {"statistik_angezeigt", form->statistik_angezeigt}, {"anzahl_Varianten", form->anzahl_Varianten},
        {"zaehler_Image2", form->zaehler_Image2},           {"zaehler_Image10", form->zaehler_Image10},
        {"zaehler_Image28", form->zaehler_Image28},
    };
    // anzahl_Varianten: C(20,6), the start position of TrackBar1.
    const std::vector<int> erwartet = {0, 0, 0, 1, 0, 0, 0, 1, 0, 38760, 0, 0, 0};
    for (std::size_t i = 0; i < zahlen.size(); ++i)
        EXPECT_EQ(zahlen[i].second, erwartet[i]) << zahlen[i].first;
    EXPECT_EQ(form->tipp_datum.get(), "");
    EXPECT_EQ(form->zeilen_farbe.get(), "");
    EXPECT_EQ(form->zeilen_symbol0.get(), "");
    EXPECT_EQ(form->zeilen_symbol1.get(), "4,5,6,");
    EXPECT_TRUE(form->zahlen_aktualisiert);
    EXPECT_TRUE(form->vergleich_beim_Start);
    EXPECT_FALSE(form->start_laeuft);  // the constructor has ended
    EXPECT_EQ(form->programm_ordner, ordner);
    EXPECT_TRUE(DirectoryExists(ordner + "test"));
    EXPECT_EQ(IncludeTrailingPathDelimiter(GetCurrentDir()), ordner);
}

TEST_F(Form1Test, UnitGlobalsStartValues)
{
    ASSERT_NE(Bildpuffer, nullptr);
    EXPECT_TRUE(Bildpuffer->Empty());
    EXPECT_EQ(grau_aktiv, 0);
    EXPECT_TRUE(abwaerts_sortieren);
    const String url = Ergebnisseite_URL();
    EXPECT_NE(url.find("/ftp/dorov_zahlen.html"), String::npos);
    EXPECT_EQ(url.rfind("http", 0), 0u);
}

// A later window (a second form in the same process) starts with the buffer empty again.
TEST_F(Form1Test, APictureLoadLeavesTheSharedBufferEmpty)
{
    ASSERT_TRUE(ForceDirectories(ordner + "gifs"));
    std::filesystem::copy_file(std::filesystem::path(RAVELO_ASSETS_DIR) / "gifs" / "save24.gif",
                               std::filesystem::path(ordner) / "gifs" / "save24.gif");
    unit1::lade_Bild(*form, form->Image13, "gifs\\save24.gif");
    EXPECT_FALSE(form->Image13->Picture()->Empty());
    EXPECT_TRUE(Bildpuffer->Empty());

    EXPECT_ANY_THROW(unit1::lade_Bild(*form, form->Image13, "gifs\\fehlt.gif"));
    EXPECT_TRUE(Bildpuffer->Empty());
}

TEST_F(Form1Test, WindowAndControlStartStates)
{
    EXPECT_EQ(form->Caption(), "Quenzel 2009");
    EXPECT_EQ(form->BorderStyle(), bsNone);
    EXPECT_EQ(form->ClientWidth(), 660);
    EXPECT_EQ(form->ClientHeight(), 560);
    EXPECT_EQ(form->Left(), 50);
    EXPECT_EQ(form->Top(), 50);
    EXPECT_EQ(form->Color(), clWhite);
    EXPECT_TRUE(form->ShowHint());
    EXPECT_EQ(form->Font()->Name(), "Tahoma");

    struct Lage {
        TControl* c;
        int links, oben, breite, hoehe;
    };
    for (const Lage& l : {Lage{form->Label1, 18, 213, 139, 67}, Lage{form->Image1, 0, 0, 660, 560},
                          Lage{form->Image12, 0, 0, 667, 69}, Lage{form->Animate1, 235, 174, 206, 206},
                          Lage{form->Image6, 572, 514, 80, 36}, Lage{form->Image9, 572, 514, 80, 36},
                          Lage{form->Image10, 350, 310, 80, 36}}) {
        EXPECT_EQ(l.c->Left(), l.links) << l.c->Name();
        EXPECT_EQ(l.c->Top(), l.oben) << l.c->Name();
        EXPECT_EQ(l.c->Width(), l.breite) << l.c->Name();
        EXPECT_EQ(l.c->Height(), l.hoehe) << l.c->Name();
    }
    EXPECT_EQ(form->SpeedButton1->Left(), 635);
    EXPECT_EQ(form->SpeedButton2->Left(), 611);
    EXPECT_EQ(form->Label51->Left(), 605);
    EXPECT_EQ(form->Label51->Top(), 357);

    // Start-up in an empty program folder reports the missing history.
    EXPECT_EQ(form->Label1->Caption(), "Datei history.txt nicht gefunden!");
    EXPECT_TRUE(form->Label1->WordWrap());
    EXPECT_EQ(form->Label1->Font()->Name(), "Arial Black");
    EXPECT_EQ(form->Label1->Font()->Color(), clGray);
    EXPECT_EQ(form->Label51->Caption(), "Neu   ");
    EXPECT_EQ(form->Label45->Caption(), "20");
    EXPECT_EQ(form->Label46->Caption(), "Tippvorschläge:");
    EXPECT_EQ(form->Label49->Caption(), "Datum:   1:  2:  3:  4:  5:  6:  Z:");

    EXPECT_EQ(form->TrackBar1->Min(), 18);
    EXPECT_EQ(form->TrackBar1->Max(), 30);
    EXPECT_EQ(form->TrackBar1->Position(), 20);
    EXPECT_EQ(form->TrackBar1->Hint(), "Anzahl festlegen");
    EXPECT_EQ(form->ProgressBar1->Max(), 10);
    EXPECT_EQ(form->ProgressBar1->Step(), 1);
    EXPECT_EQ(form->Timer1->Interval(), 30u);
    EXPECT_EQ(form->Timer2->Interval(), 30u);
    EXPECT_TRUE(form->Timer2->Enabled());
    EXPECT_FALSE(form->Animate2->Visible());
    EXPECT_FALSE(form->Tabelle2->Visible());
    EXPECT_EQ(form->Tabelle->ColCount(), 8);
    EXPECT_EQ(form->Tabelle->FixedRows(), 0);
    EXPECT_EQ(form->Tabelle->FixedCols(), 0);
    EXPECT_EQ(form->Tabelle->DefaultRowHeight(), 15);
    // The date column: "88.88.88" on the test canvas (8 x 7 px) and 2 px on either side, 1 spare.
    const int breiten[] = {61, 22, 17, 17, 17, 17, 17, 17};
    for (int s = 0; s < 8; ++s) EXPECT_EQ(form->Tabelle->ColWidths(s), breiten[s]) << s;
    EXPECT_EQ(form->Tabelle2->ColCount(), 2);
    EXPECT_EQ(form->Tabelle2->DefaultColWidth(), 90);
    EXPECT_EQ(form->Tabelle->Hint(), "Lottozahlen-Archiv");
    EXPECT_EQ(form->Tabelle2->Hint(), "Statistik");
    EXPECT_EQ(form->ListBox1->Style(), lbOwnerDrawVariable);
    EXPECT_EQ(form->ListBox1->ItemHeight(), 16);
    EXPECT_EQ(form->ListBox1->Hint(), "Getippte Lottozahlen");
    EXPECT_EQ(form->ListBox1->Items()->Count(), 7);  // the start-up hint
    EXPECT_EQ(form->ComboBox2->Hint(), "History");
    EXPECT_EQ(form->ComboBox3->Hint(), "Profile");
    EXPECT_EQ(form->DateTimePicker2->DateFormat(), dfLong);
    EXPECT_EQ(form->Image9->Hint(), "Zahlen überprüft:|Sie haben ein Dreier!");
    EXPECT_EQ(form->Image24->Hint(), "Lottozahlen-Update");
    EXPECT_TRUE(form->Image6->Visible());
    for (TImage* i : {form->Image7, form->Image8, form->Image9, form->Image26, form->Image27, form->Image25})
        EXPECT_FALSE(i->Visible()) << i->Name();
    EXPECT_FALSE(form->Image25->Enabled());
    EXPECT_EQ(form->RadioGroup1->Items()->Count(), 2);
    EXPECT_EQ(form->RadioGroup1->ItemIndex(), 0);
    EXPECT_EQ(form->RadioGroup2->Items()->Get(1), "Wie oft gezogen seit");
    EXPECT_FALSE(form->RadioGroup2->Visible());

    EXPECT_EQ(form->TrayIcon1->Hint(), "Quenzel 2009");
    EXPECT_EQ(form->TrayIcon1->BalloonHint(), "Wartet im Hintergrund!");
    EXPECT_EQ(form->TrayIcon1->BalloonTitle(), "Quenzel 2009");
    EXPECT_EQ(form->TrayIcon1->BalloonFlags(), bfInfo);
    EXPECT_EQ(form->TrayIcon2->BalloonHint(), "Lottozahlen werden aktualisiert!");
    EXPECT_EQ(form->TrayIcon3->BalloonHint(), "Die Zwischenablage wird überwacht!");
    EXPECT_FALSE(form->TrayIcon1->Visible());
    ASSERT_EQ(form->PopupMenu1->Items()->Count(), 3);
    EXPECT_EQ(form->PopupMenu1->Items()->Items(0), form->Wiederherstellen1);
    EXPECT_EQ(form->Wiederherstellen1->Caption(), "Wiederherstellen");
    EXPECT_EQ(form->Wiederherstellen1->Hint(), "Programm maximieren");
    EXPECT_EQ(form->Update1->Caption(), "Update");
    EXPECT_EQ(form->Beenden1->Caption(), "Beenden");
    EXPECT_EQ(form->Beenden1->Hint(), "Programm Beenden");
}

TEST_F(Form1Test, SettingsControlsStartStates)
{
    const char* filter[] = {"6", "6", "5", "6", "6", "60", "250", "12"};
    TEdit* edits[] = {form->Edit1, form->Edit2, form->Edit3, form->Edit4,
                      form->Edit5, form->Edit6, form->Edit7, form->Edit8};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(edits[i]->Text(), filter[i]) << edits[i]->Name();
    for (int k = 1; k <= 30; ++k) {
        auto* edit = dynamic_cast<TEdit*>(form->FindComponent("Edit" + IntToStr(k + 8)));
        auto* label = dynamic_cast<TLabel*>(form->FindComponent("Label" + IntToStr(k + 1)));
        ASSERT_TRUE(edit && label) << k;
        EXPECT_EQ(edit->Text(), IntToStr(k));
        EXPECT_EQ(label->Caption(), IntToStr(k));
        EXPECT_EQ(label->Font()->Color(), clBlue);
        // Two digits fit the 30 x 28 box the layout gives each number, centred in it.
        EXPECT_EQ(label->Font()->Size(), 15);
        EXPECT_FALSE(label->AutoSize());
        EXPECT_EQ(label->Alignment(), taCenter);
        EXPECT_EQ(std::make_pair(label->Width(), label->Height()), std::make_pair(30, 28));
    }
    for (int k = 1; k <= 22; ++k) {
        auto* box = dynamic_cast<TCheckBox*>(form->FindComponent("CheckBox" + IntToStr(k)));
        ASSERT_NE(box, nullptr) << k;
        // CheckBox21 comes from environment.ini, which an empty program folder lacks.
        EXPECT_EQ(box->Checked(), k != 1 && k != 21 && k != 22) << box->Name();
    }
    EXPECT_EQ(form->CheckBox1->Caption(), "Experten Modus");
    EXPECT_EQ(form->CheckBox2->Caption(), "Schritt 1");
    EXPECT_EQ(form->CheckBox4->Caption(), "Schritt 3");
    EXPECT_EQ(form->CheckBox21->Caption(), "Beim Start aut. aktualisieren?");
    EXPECT_EQ(form->CheckBox22->Caption(), "Zwischenablage überwachen");
    TRadioButton* quellen[] = {form->RadioButton1, form->RadioButton2, form->RadioButton3, form->RadioButton4,
                               form->RadioButton5};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(quellen[i]->Checked(), i == 0) << quellen[i]->Name();
    EXPECT_EQ(form->Label32->Caption(), "Zahlen:");
    EXPECT_EQ(form->Label33->Caption(), "History:");
    EXPECT_EQ(form->Label34->Caption(), "Profil:");
    EXPECT_EQ(form->Label59->Caption(), "bis:");
}

// Every caption label toggles the control beside it (note the crossed pairs 36/37 and 52/55).
TEST_F(Form1Test, CaptionLabelsToggleTheirControl)
{
    // The captions answer clicks only while expert mode enables them (Label47 only on the
    // statistics view).
    form->archiv_angezeigt = 0;
    form->statistik_angezeigt = 1;
    form->CheckBox1->SetChecked(true);
    struct Fall {
        const char* label;
        const char* caption;
        const char* ziel;
    };
    const Fall faelle[] = {
        {"Label35", "Gerade/Ungerade", "CheckBox5"},
        {"Label37", "2xTrillinge", "CheckBox6"},
        {"Label36", "Vierlinge", "CheckBox7"},
        {"Label38", "Gleiche Endziffer", "CheckBox8"},
        {"Label39", "Vertikal Raum", "CheckBox9"},
        {"Label40", "Vierlinge nacheinander", "CheckBox10"},
        {"Label41", "3xZwillinge", "CheckBox11"},
        {"Label42", "Hoch/Tief", "CheckBox12"},
        {"Label43", "Querschnitt", "CheckBox13"},
        {"Label44", "Gespielte Varianten", "CheckBox14"},
        {"Label48", "Nacheinanderkommende", "CheckBox15"},
        {"Label52", "Gerade und ungerade", "CheckBox16"},
        {"Label55", "Gleiche Endziffer", "CheckBox17"},
        {"Label56", "Vierlinge", "CheckBox18"},
        {"Label57", "Tief und Hoch", "CheckBox19"},
        {"Label58", "Querschnitt", "CheckBox20"},
    };
    for (const Fall& f : faelle) {
        auto* label = dynamic_cast<TLabel*>(form->FindComponent(f.label));
        auto* box = dynamic_cast<TCheckBox*>(form->FindComponent(f.ziel));
        ASSERT_TRUE(label && box) << f.label;
        EXPECT_EQ(label->Caption(), f.caption);
        EXPECT_TRUE(box->Checked());
        label->Click();
        EXPECT_FALSE(box->Checked()) << f.label;
        label->Click();
        EXPECT_TRUE(box->Checked()) << f.label;
    }

    struct Quelle {
        TLabel* label;
        const char* caption;
        TRadioButton* knopf;
    };
    const Quelle quellen[] = {{form->Label50, "Zufallsgenerator", form->RadioButton1},
                              {form->Label53, "Wie lange nicht gezogen", form->RadioButton2},
                              {form->Label54, "Zwillinge", form->RadioButton3},
                              {form->Label47, "Zahlen von Statistik übernehmen", form->RadioButton4},
                              {form->Label61, "Persönliche Zahlen eingeben", form->RadioButton5}};
    // RadioButton1 is checked at start, so begin with the second source and end with the first.
    for (int i : {1, 2, 3, 4, 0}) {
        const Quelle& q = quellen[i];
        EXPECT_EQ(q.label->Caption(), q.caption);
        q.label->Click();
        for (const Quelle& andere : quellen) EXPECT_EQ(andere.knopf->Checked(), &andere == &q) << q.caption;
    }
    // Clicking the caption of the checked source leaves no source checked.
    form->Label50->Click();
    for (const Quelle& q : quellen) EXPECT_FALSE(q.knopf->Checked()) << q.caption;
}

TEST_F(Form1Test, DescriptionLineHandlers)
{
    form->Label1->SetCaption("x");
    form->Label1->MouseMove(0, 1, 1);
    EXPECT_EQ(form->Label1->Caption(), "Beschreibung:");
    form->CheckBox1->MouseMove(0, 1, 1);
    EXPECT_EQ(form->Label1->Caption(),
              "Experten Modus aktivieren? Danach können Sie eigene Einstellungen wählen!");
    form->CheckBox1->MouseLeave();
    EXPECT_EQ(form->Label1->Caption(), "Beschreibung:");
}

TEST_F(Form1Test, PoolLabelsSpinAndWrapAt49)
{
    form->Label2->SetCaption("49");
    form->Label3->SetCaption("48");
    form->Label31->SetCaption("1");
    ASSERT_TRUE(form->Timer1->OnTimer);
    form->Timer1->OnTimer(form->Timer1);
    EXPECT_EQ(form->Label2->Caption(), "1");
    EXPECT_EQ(form->Label3->Caption(), "49");
    EXPECT_EQ(form->Label4->Caption(), "4");
    EXPECT_EQ(form->Label31->Caption(), "2");
}

TEST_F(Form1Test, PicturesReleasedByTheWorkers)
{
    std::vector<TImage*> bilder = {form->Image2, form->Image3, form->Image4, form->Image5, form->Image6,
                                   form->Image7, form->Image8, form->Image9, form->Image10};
    for (TImage* b : bilder) b->SetEnabled(false);
    form->Image13->SetEnabled(false);
    EXPECT_TRUE(form->bilder_freigeben());
    for (TImage* b : bilder) EXPECT_TRUE(b->Enabled()) << b->Name();
    EXPECT_FALSE(form->Image13->Enabled());
}

TEST_F(Form1Test, ThreadsEndedAskTheDriverUpdateAndWatcherToStop)
{
    form->threads_beenden(nullptr);  // empty slots: nothing to do
    form->t_Treiber = std::make_unique<Thread_Sarnik>(true);
    form->t_Update = std::make_unique<Update_Zahlen>(true);
    form->t_Vergleich = std::make_unique<ThreadZahlenVergleichen>(true);
    form->t_Zwischenablage = std::make_unique<ThreadCheckZwischenablage>(true);
    form->threads_beenden(nullptr);
    EXPECT_TRUE(form->t_Treiber->Terminated());
    EXPECT_TRUE(form->t_Update->Terminated());
    EXPECT_TRUE(form->t_Zwischenablage->Terminated());
    EXPECT_FALSE(form->t_Vergleich->Terminated());
}

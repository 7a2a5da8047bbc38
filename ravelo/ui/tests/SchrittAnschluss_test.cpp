// One-click runs on the real main window, without a view: the driver is started and polled as
// the run button does it, on virtual time, and every step works through TForm1's controls.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "../../engine/tests/Testordner.h"
#include "Thread_Sarnik.h"
#include "Tippdateien.h"
#include "Unit1.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "rtl/MainThread.h"

namespace {

using ::testing::ElementsAre;

std::vector<std::string> zeilen_aus(const std::string& datei)
{
    std::ifstream in(datei, std::ios::binary);
    std::vector<std::string> z;
    std::string zeile;
    while (std::getline(in, zeile)) z.push_back(zeile);
    return z;
}

// The pool the statistics grid hands to step 1, and the draw of the tip date.
const int POOL[20] = {3, 14, 25, 31, 42, 47, 8, 19, 22, 36, 40, 5, 11, 28, 33, 45, 17, 2, 39, 26};
const char* const ZIEHUNG_TIPPDATUM = "12.08.09,3,14,25,31,9,10,2";
const std::set<int> GEZOGEN{3, 14, 25, 31, 9, 10};
const int ZUSATZZAHL = 2;

class Schritt23FormTest : public TestOrdner {
protected:
    void SetUp() override
    {
        SetMainThread();
        TestOrdner::SetUp();
        uhr = std::make_unique<TVirtualClockGuard>(EncodeDate(2009, 8, 13) + EncodeTime(12, 0, 0, 0));
        dialoge = std::make_shared<THeadlessDialogs>();
        vorige_Dialoge = SetDialogs(dialoge);
        schreibe("history.txt", {"05-08-2009-aus20_Index-1*"});
        form = std::make_unique<TForm1>(nullptr);
        form->t_Vergleich->WaitFor();  // the start-up comparison works on the window too
        dialoge->Clear();  // start-up's update question
        form->CheckBox22->OnClick = nullptr;  // no clipboard watcher in these tests
        form->DateTimePicker2->SetDate(EncodeDate(2009, 8, 12));
        form->TrackBar1->SetPosition(20);
        form->anzahl_Varianten = 38760;  // C(20, 6), as the pool-size handler sets it
        form->RadioButton4->SetChecked(true);
        for (int r = 0; r < 49; ++r) form->Tabelle2->SetCells(0, r, IntToStr(r < 20 ? POOL[r] : 0));
        for (TImage* bild : {form->Image2, form->Image6, form->Image10})
            bild->SetEnabled(false);  // greyed out
    }
    void TearDown() override
    {
        form.reset();
        SetDialogs(vorige_Dialoge);
        uhr.reset();
        TestOrdner::TearDown();
    }

    void archiv(bool mit_Tippdatum)
    {
        std::vector<std::string> zeilen{"01.07.09,5,11,19,28,36,44,9", "04.07.09,8,17,22,33,41,45,3"};
        if (mit_Tippdatum) zeilen.push_back(ZIEHUNG_TIPPDATUM);
        schreibe("dorov_zahlen.txt", zeilen);
    }

    // What the one-click start button does around the driver: clears the start-up comparison,
    // starts the driver, polls it every 100 ms up to its bound while processing messages, waits.
    void sarnik_starten()
    {
        form->vergleich_beim_Start = false;
        form->t_Treiber = std::make_unique<Thread_Sarnik>(true);
        form->Animate1->SetVisible(true);
        form->t_Treiber->Resume();
        Sleep(1);
        for (int n = 1; form->t_Treiber->laeuft() && n < 600; ++n) {
            Sleep(100);
            Application->ProcessMessages();
        }
        form->t_Treiber->WaitFor();
        EXPECT_EQ(form->t_Treiber->FatalException(), nullptr);
        form->t_Treiber->Terminate();
    }

    std::string datei(const Tippdatei& d) const { return Dateipfad(d, schluessel); }

    const String schluessel = "12-08-2009-aus20_Index-1*";
    std::unique_ptr<TVirtualClockGuard> uhr;
    std::shared_ptr<THeadlessDialogs> dialoge;
    std::shared_ptr<IDialogs> vorige_Dialoge;
    std::unique_ptr<TForm1> form;
};

TEST_F(Schritt23FormTest, OneClickRunShowsTheTipsWithTheirHits)
{
    archiv(true);
    sarnik_starten();

    EXPECT_FALSE(form->t_Treiber->laeuft());
    EXPECT_EQ(form->ComboBox2->Text(), schluessel);
    for (const Tippdatei& d : {DATEI_VORSCHLAG, DATEI_ERSETZT, DATEI_ERSETZT_GELOESCHT, DATEI_KRITERIENPUNKTE,
                               DATEI_KRITERIENPUNKTE_SORTIERT, DATEI_AUSGEWAEHLT})
        EXPECT_TRUE(std::filesystem::exists(datei(d))) << d.vorlage;
    EXPECT_THAT(zeilen_aus(ordner + DATEI_HISTORY), ElementsAre("05-08-2009-aus20_Index-1*", schluessel));
    EXPECT_EQ(form->ComboBox2->Items()->Count(), 2);
    EXPECT_EQ(form->Label1->Caption(), "Schritt3: OK");
    EXPECT_EQ(form->schritt2_aktiv, 0);
    EXPECT_EQ(form->schritt3_aktiv, 0);
    for (TImage* bild : {form->Image2, form->Image6, form->Image10}) EXPECT_TRUE(bild->Enabled());
    EXPECT_TRUE(dialoge->Shown().empty());

    // The comparison replaced the tip list: a heading, the key, then each selected tip with
    // "->n" (and "+Z") when it has three or more of the tip date's numbers.
    const std::vector<String> liste = form->ListBox1->Items()->ToVector();
    const std::vector<std::string> tipps = zeilen_aus(datei(DATEI_AUSGEWAEHLT));
    ASSERT_EQ(tipps.size(), 12u);
    ASSERT_EQ(liste.size(), 14u);
    EXPECT_EQ(liste[0], "Zahlen überprüft vom:");
    EXPECT_EQ(liste[1], schluessel);
    String farbe;
    for (std::size_t i = 0; i < tipps.size(); ++i) {
        std::istringstream felder(tipps[i].substr(tipps[i].find('.') + 1));
        int richtige = 0;
        bool zusatz = false;
        for (int k = 0; k < 6; ++k) {
            int zahl = 0;
            char komma;
            felder >> zahl;
            if (k < 5) felder >> komma;
            richtige += GEZOGEN.count(zahl) ? 1 : 0;
            zusatz = zusatz || zahl == ZUSATZZAHL;
        }
        const String& zeile = liste[i + 2];
        if (richtige < 3) {
            EXPECT_EQ(zeile.find("->"), String::npos) << zeile << " / " << tipps[i];
            continue;
        }
        const String marke = "->" + IntToStr(richtige) + (zusatz && richtige != 6 ? "+Z" : "");
        EXPECT_TRUE(zeile.size() > marke.size() &&
                    zeile.compare(zeile.size() - marke.size(), marke.size(), marke) == 0)
            << zeile << " / " << tipps[i];
        farbe += IntToStr(static_cast<long long>(i + 2)) + ",";
    }
    EXPECT_FALSE(farbe.empty()) << "the fixture's pool should give hits";
    EXPECT_EQ(form->zeilen_farbe.get(), farbe);
    EXPECT_EQ(form->zeilen_symbol0.get(), farbe);
}

TEST_F(Schritt23FormTest, WithoutTheTipDatesDrawTheTipsStayListed)
{
    archiv(false);
    sarnik_starten();

    EXPECT_FALSE(form->t_Treiber->laeuft());
    EXPECT_FALSE(form->t_Treiber->t_Vergleich);
    const std::vector<String> liste = form->ListBox1->Items()->ToVector();
    const std::vector<std::string> tipps = zeilen_aus(datei(DATEI_AUSGEWAEHLT));
    ASSERT_EQ(tipps.size(), 12u);
    ASSERT_EQ(liste.size(), 14u);
    EXPECT_EQ(liste[0], "Getippte Lottozahlen für ");
    EXPECT_EQ(liste[1], "12-08-2009 sind:");
    for (std::size_t i = 0; i < tipps.size(); ++i) {
        const std::string zahlen =
            tipps[i].substr(tipps[i].find('.') + 1, tipps[i].find(" -") - tipps[i].find('.') - 1);
        EXPECT_EQ(liste[i + 2], IntToStr(static_cast<long long>(i + 1)) + ".  " + zahlen);
    }
    EXPECT_EQ(form->zeilen_farbe.get(), "0,1,");
    EXPECT_EQ(form->zeilen_symbol0.get(), "");
    EXPECT_EQ(form->zeilen_symbol1.get(), "");
    EXPECT_EQ(form->Edit8->Text(), "12");
    EXPECT_EQ(form->Edit6->Text(), "60");
    EXPECT_EQ(form->Edit7->Text(), "250");
}

TEST_F(Schritt23FormTest, StepLeftRunningEndsTheRunWithItsTimeOut)
{
    // Step 1 with clipboard numbers and no run key stops with its flag on and never clears it.
    archiv(true);
    form->CheckBox22->SetChecked(true);
    form->ComboBox2->SetText("");
    std::vector<std::string> zahlen;
    for (int i = 0; i < 20; ++i) zahlen.push_back(std::to_string(POOL[i]));
    schreibe(DATEI_ZWISCHENABLAGE, zahlen);
    dialoge->AddAnswer(mrYes);

    TDebugCapture spur;
    sarnik_starten();

    EXPECT_EQ(form->Label1->Caption(), "ERROR : Timeout warten auf Ende TSchritt1 ..");
    EXPECT_TRUE(form->t_Treiber->laeuft());  // left on: the run button polls to its own bound
    EXPECT_TRUE(form->t_Treiber->t_Schritt[1]->laeuft());
    EXPECT_FALSE(form->t_Treiber->t_Schritt[2]);
    EXPECT_FALSE(form->t_Treiber->t_Schritt[3]);
    EXPECT_FALSE(form->Image6->Enabled());  // the pictures are not released
    const auto spuren = spur.Lines();
    EXPECT_EQ(std::count(spuren.begin(), spuren.end(), "Warte auf Ende TSchritt1 ....."),
              Thread_Sarnik::POLLS_SCHRITT1);
    EXPECT_EQ(std::count(spuren.begin(), spuren.end(), "ERROR : Timeout warten auf Ende TSchritt1 .."), 1);
    const auto boxen = dialoge->Shown();
    ASSERT_EQ(boxen.size(), 2u);
    EXPECT_EQ(boxen[1].Text, "Datum und Index muss noch eingetragen werden");
}

}  // namespace

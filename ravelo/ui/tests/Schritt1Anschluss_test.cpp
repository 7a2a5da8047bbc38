// Step 1 on the real main window, without a view: the reads and writes reach TForm1's controls
// and fields, and the boxes go through the installed dialogs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "../../engine/tests/Testordner.h"
#include "Schritt1Anschluss.h"
#include "Threadschritt1.h"
#include "Tippdateien.h"
#include "Unit1.h"
#include "rtl/Clock.h"
#include "rtl/MainThread.h"

namespace {

using ::testing::ElementsAre;

std::size_t zeilen_in(const std::string& datei)
{
    std::ifstream in(datei, std::ios::binary);
    std::size_t n = 0;
    std::string zeile;
    while (std::getline(in, zeile)) ++n;
    return n;
}

class Schritt1FormTest : public TestOrdner {
protected:
    void SetUp() override
    {
        SetMainThread();
        TestOrdner::SetUp();
        uhr = std::make_unique<TVirtualClockGuard>(EncodeDate(2009, 8, 10) + EncodeTime(12, 0, 0, 0));
        dialoge = std::make_shared<THeadlessDialogs>();
        vorige_Dialoge = SetDialogs(dialoge);
        schreibe("dorov_zahlen.txt", {"01.07.09,1,2,3,4,5,6,7", "04.07.09,8,9,10,11,12,13,14"});
        schreibe("history.txt", {"12-08-2009-aus20_Index-1*"});
        form = std::make_unique<TForm1>(nullptr);
        form->t_Vergleich->WaitFor();  // the start-up comparison works on the window too
        dialoge->Clear();  // start-up's update question
        anschluss = std::make_unique<TSchritt1Anschluss<TForm1>>(*form);
        form->CheckBox22->OnClick = nullptr;  // no clipboard watcher in these tests
        form->DateTimePicker2->SetDate(EncodeDate(2009, 8, 12));
        form->TrackBar1->SetPosition(20);
        form->Timer1->SetEnabled(true);
        for (int r = 0; r < 49; ++r) form->Tabelle2->SetCells(0, r, IntToStr(49 - r));
    }
    void TearDown() override
    {
        anschluss.reset();
        form.reset();
        SetDialogs(vorige_Dialoge);
        uhr.reset();
        TestOrdner::TearDown();
    }

    bool laufe()
    {
        ThreadSchritt1 t(true, anschluss.get());
        t.Resume();
        t.WaitFor();
        EXPECT_EQ(t.FatalException(), nullptr);
        return t.laeuft();
    }

    TEdit* Edit(int k) { return dynamic_cast<TEdit*>(form->FindComponent("Edit" + IntToStr(k))); }
    TLabel* Label(int k) { return dynamic_cast<TLabel*>(form->FindComponent("Label" + IntToStr(k))); }

    std::unique_ptr<TVirtualClockGuard> uhr;
    std::shared_ptr<THeadlessDialogs> dialoge;
    std::shared_ptr<IDialogs> vorige_Dialoge;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TSchritt1Anschluss<TForm1>> anschluss;
};

TEST_F(Schritt1FormTest, GridSourceRunsThroughTheWindow)
{
    form->RadioButton4->SetChecked(true);
    EXPECT_FALSE(laufe());

    // lade_History made the key of the tip date with the next free index.
    const String schluessel = "12-08-2009-aus20_Index-2*";
    EXPECT_EQ(form->ComboBox2->Text(), schluessel);
    EXPECT_THAT(form->ListBox1->Items()->ToVector(),
                ElementsAre("Die Lottozahlen werden getippt!", "-------------------------------------------",
                            "Schritt 1 erfolgreich ausgeführt!", "Schritt 2 fehlt noch!",
                            "Schritt 3 fehlt noch!"));
    EXPECT_EQ(form->zeilen_farbe.get(), "2,");
    EXPECT_EQ(form->zeilen_symbol0.get(), "2,");
    EXPECT_EQ(form->zeilen_symbol1.get(), "3,4,");
    for (int k = 2; k <= 31; ++k) EXPECT_EQ(Label(k)->Caption(), IntToStr(51 - k)) << k;
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_EQ(form->Animate1->FrameShown(), 35);
    EXPECT_EQ(form->ProgressBar1->Position(), 1);
    EXPECT_EQ(form->schritt1_aktiv, 0);
    EXPECT_EQ(zeilen_in(Dateipfad(DATEI_VORSCHLAG, schluessel)), 20u);
    EXPECT_EQ(zeilen_in(Dateipfad(DATEI_ERSETZT, schluessel)), 38760u);
    EXPECT_TRUE(dialoge->Shown().empty());
}

TEST_F(Schritt1FormTest, PersonalNumbersHideTheEditsAndShowNLabelsOnTheStep1Page)
{
    // On the one-click page the labels would cover the step boxes, icons and tip list.
    for (const bool schritt1_seite : {true, false}) {
        SCOPED_TRACE(schritt1_seite ? "step-1 page" : "Sarnik page");
        form->modus_sarnik = schritt1_seite ? 0 : 1;
        form->modus_schritt1 = schritt1_seite ? 1 : 0;
        form->TrackBar1->SetPosition(19);
        form->RadioButton5->SetChecked(true);
        for (int k = 9; k <= 38; ++k) {
            Edit(k)->SetText(IntToStr(k + 5));
            Edit(k)->SetVisible(true);
        }
        for (int k = 2; k <= 31; ++k) Label(k)->SetVisible(false);
        EXPECT_FALSE(laufe());
        for (int k = 9; k <= 38; ++k) EXPECT_FALSE(Edit(k)->Visible()) << k;
        for (int k = 2; k <= 31; ++k) {
            EXPECT_EQ(Label(k)->Visible(), schritt1_seite && k <= 20) << k;
            EXPECT_EQ(Label(k)->Caption(), IntToStr(k + 12)) << k;  // Edit(k+7) held k+12
        }
    }
}

TEST_F(Schritt1FormTest, PersonalNumberMessageBoxes)
{
    struct Fall {
        const char* text;
        const char* meldung;
    };
    for (const Fall& fall :
         {Fall{"", "Mindestens ein Feld ist leer!"}, Fall{"77", "Falsche Zahl eingegeben!"}}) {
        dialoge->Clear();
        form->RadioButton5->SetChecked(true);
        Edit(30)->SetText(fall.text);
        EXPECT_FALSE(laufe());
        const auto boxen = dialoge->Shown();
        ASSERT_EQ(boxen.size(), 1u);
        EXPECT_EQ(boxen[0].Text, fall.meldung);
        EXPECT_EQ(boxen[0].Title, "Info");
        EXPECT_FALSE(form->Timer1->Enabled());
        Edit(30)->SetText("22");
    }
}

TEST_F(Schritt1FormTest, ClipboardQuestionAskedOnTheWindowThread)
{
    form->CheckBox22->SetChecked(true);
    form->RadioButton4->SetChecked(true);
    form->ComboBox2->SetText("12-08-2009-aus20_Index-7*");
    std::vector<std::string> zeilen;
    for (int i = 1; i <= 20; ++i) zeilen.push_back(std::to_string(i * 2));
    schreibe(DATEI_ZWISCHENABLAGE, zeilen);
    dialoge->AddAnswer(mrYes);
    EXPECT_FALSE(laufe());
    const auto boxen = dialoge->Shown();
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].Type, mtConfirmation);
    EXPECT_EQ(boxen[0].Buttons, mbYes | mbNo);
    EXPECT_EQ(boxen[0].Text.rfind(
                  "Möchten Sie die in der Zwischenablage gesammelte Zahlen verwenden? 2, 4, 6, ", 0),
              0u);
    EXPECT_EQ(form->ComboBox2->Text(), "12-08-2009-aus20_Index-7*");  // no new key
    EXPECT_EQ(Label(2)->Caption(), "2");
    EXPECT_EQ(Label(21)->Caption(), "40");
}

TEST_F(Schritt1FormTest, EmptyRunKeyErrorBox)
{
    form->CheckBox22->SetChecked(true);
    form->RadioButton4->SetChecked(true);
    form->ComboBox2->SetText("");
    schreibe(DATEI_ZWISCHENABLAGE, std::vector<std::string>(20, "9"));
    dialoge->AddAnswer(mrYes);
    EXPECT_TRUE(laufe());
    const auto boxen = dialoge->Shown();
    ASSERT_EQ(boxen.size(), 2u);
    EXPECT_EQ(boxen[1].Text, "Datum und Index muss noch eingetragen werden");
    EXPECT_EQ(boxen[1].Title, "FEHLER:HISTORY");
    EXPECT_EQ(boxen[1].Type, mtError);
}

}  // namespace

// The draw-entry dialog: OK appends one draw line to dorov_zahlen.txt after every field has been
// checked; whatever it refuses leaves the archive byte for byte as it was.
#include <gtest/gtest.h>

#include "FormTestbasis.h"
#include "Unit5.h"
#include "rtl/Clock.h"

namespace {

const char* const ARCHIV = "05.08.09,3,11,20,31,40,45,17\n08.08.09,1,9,14,22,38,47,30,4,111111,1111111\n";
const char* const AUFFORDERUNG = "Geben Sie bitte Ihre Zahlen ein.";

class EingabeTest : public Form1Test {
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        AtomicWriteFile(ordner + "dorov_zahlen.txt", ARCHIV);
        dialog = std::make_unique<TForm5>(nullptr);
        dialog->DateTimePicker1->SetDateTime(EncodeDate(2009, 8, 12));
        Zahlen({"1", "2", "3", "4", "5", "6", "7", "8"});
    }
    void TearDown() override
    {
        SetModalHook(nullptr);
        SetAtomicWriteHook(nullptr);
        dialog.reset();
        Form1Test::TearDown();
    }

    TEdit* Feld(int k) { return dynamic_cast<TEdit*>(dialog->FindComponent("Edit" + IntToStr(k))); }
    void Zahlen(std::initializer_list<const char*> texte)
    {
        int k = 1;
        for (const char* t : texte) Feld(k++)->SetText(t);
    }
    String Archiv() const
    {
        const String datei = ordner + "dorov_zahlen.txt";
        return FileExists(datei) ? ReadFileBytes(datei) : String("<keine Datei>");
    }
    // Shows the dialog modally and presses OK once; when OK leaves it open, its message is kept
    // and Abbrechen ends it. True when OK closed it.
    bool OK_im_Dialog()
    {
        bool offen = false;
        SetModalHook([&](TForm&) {
            dialog->Button2->Click();
            offen = dialog->ModalResult() == 0;
            if (offen) dialog->Button1->Click();
        });
        dialog->ShowModal();
        SetModalHook(nullptr);
        return !offen;
    }
    String Meldung() const { return dialog->Label9->Caption(); }
    TColor Farbe() const { return dialog->Label9->Font()->Color(); }

    TVirtualClockGuard uhr{EncodeDate(2009, 8, 12)};
    std::unique_ptr<TForm5> dialog;
};

TEST_F(EingabeTest, AValidEntryAppendsItsLineAndReloadsTheGrid)
{
    EXPECT_TRUE(OK_im_Dialog());
    EXPECT_EQ(Archiv(), String(ARCHIV) + "12.08.09,1,2,3,4,5,6,7,8,111111,1111111\n");
    EXPECT_EQ(Farbe(), clBlack);
    // Three draws and the empty row behind them; scrolled as far up as the grid allows.
    EXPECT_EQ(form->Tabelle->RowCount(), 4);
    EXPECT_EQ(form->Tabelle->Cells(0, 2), "12.08.09");
    EXPECT_EQ(form->Tabelle->TopRow(), 0);
}

struct Gueltig {
    const char* name;
    std::vector<const char*> felder;
    const char* zeile;  // the appended line
};
void PrintTo(const Gueltig& g, std::ostream* os) { *os << g.name; }

class EingabeGueltig : public EingabeTest, public ::testing::WithParamInterface<Gueltig> {};

TEST_P(EingabeGueltig, IsWrittenInTheArchiveFormat)
{
    int k = 1;
    for (const char* t : GetParam().felder) Feld(k++)->SetText(t);
    EXPECT_TRUE(OK_im_Dialog()) << Meldung();
    EXPECT_EQ(Archiv(), String(ARCHIV) + GetParam().zeile + "\n");
}

INSTANTIATE_TEST_SUITE_P(Zeilen, EingabeGueltig,
                         ::testing::Values(Gueltig{"LeadingZeroStaysAsTyped",
                                                   {"07", "49", "13", "1", "22", "35", "09", "0"},
                                                   "12.08.09,07,49,13,1,22,35,09,0,111111,1111111"},
                                           Gueltig{"EmptySuperzahlCountsAsZero",
                                                   {"1", "2", "3", "4", "5", "6", "7", ""},
                                                   "12.08.09,1,2,3,4,5,6,7,0,111111,1111111"},
                                           Gueltig{"OtherTextIsWrittenAsItsValue",
                                                   {" 5", "+6", "7x", "8", "9", "10", "11,3", "9"},
                                                   "12.08.09,5,6,7,8,9,10,11,9,111111,1111111"}),
                         [](const auto& info) { return String(info.param.name); });

TEST_F(EingabeTest, AnArchiveWithoutFinalLineEndOrWithCrLfKeepsItsLines)
{
    AtomicWriteFile(ordner + "dorov_zahlen.txt", "05.08.09,3,11,20,31,40,45,17");
    EXPECT_TRUE(OK_im_Dialog());
    EXPECT_EQ(Archiv(), "05.08.09,3,11,20,31,40,45,17\n12.08.09,1,2,3,4,5,6,7,8,111111,1111111\n");

    AtomicWriteFile(ordner + "dorov_zahlen.txt", "05.08.09,3,11,20,31,40,45,17\r\n");
    dialog = std::make_unique<TForm5>(nullptr);
    dialog->DateTimePicker1->SetDateTime(EncodeDate(2009, 8, 15));
    Zahlen({"1", "2", "3", "4", "5", "6", "7", "8"});
    EXPECT_TRUE(OK_im_Dialog());
    EXPECT_EQ(Archiv(), "05.08.09,3,11,20,31,40,45,17\r\n15.08.09,1,2,3,4,5,6,7,8,111111,1111111\r\n");
}

struct Falsch {
    const char* name;
    int feld;
    const char* text;
    const char* meldung;  // at OK
};
void PrintTo(const Falsch& f, std::ostream* os) { *os << f.name; }

class EingabeFalsch : public EingabeTest, public ::testing::WithParamInterface<Falsch> {};

TEST_P(EingabeFalsch, IsRefusedInRedAndTheArchiveStaysAsItWas)
{
    Feld(GetParam().feld)->SetText(GetParam().text);
    EXPECT_FALSE(OK_im_Dialog());
    EXPECT_EQ(Meldung(), GetParam().meldung);
    EXPECT_EQ(Farbe(), clRed);
    EXPECT_EQ(Archiv(), ARCHIV);
}

INSTANTIATE_TEST_SUITE_P(
    Felder, EingabeFalsch,
    ::testing::Values(Falsch{"NumberZero", 1, "0", "Eingegebene Zahlen sind ungültig!"},
                      Falsch{"NumberFifty", 3, "50", "Eingegebene Zahlen sind ungültig!"},
                      Falsch{"EmptyNumber", 6, "", "Eingegebene Zahlen sind ungültig!"},
                      Falsch{"NegativeNumber", 4, "-4", "Eingegebene Zahlen sind ungültig!"},
                      Falsch{"AdditionalNumberZero", 7, "0", "Eingegebene Zahlen sind ungültig!"},
                      Falsch{"AdditionalNumberFifty", 7, "50", "Eingegebene Zahlen sind ungültig!"},
                      Falsch{"SuperzahlTen", 8, "10", "Eingegebene Zahlen sind ungültig!"},
                      Falsch{"SuperzahlNegative", 8, "-1", "Eingegebene Zahlen sind ungültig!"},
                      Falsch{"RepeatedNumber", 5, "02",
                             "Eingegebene Zahlen sind ungültig! Zahl 2 und Zahl 5 sind gleich."}),
    [](const auto& info) { return String(info.param.name); });

struct Verlassen {
    const char* name;
    int feld;
    const char* text;
    const char* meldung;
    TColor farbe;
};
void PrintTo(const Verlassen& v, std::ostream* os) { *os << v.name; }

class EingabeVerlassen : public EingabeTest, public ::testing::WithParamInterface<Verlassen> {};

TEST_P(EingabeVerlassen, ChecksTheFieldThatWasLeft)
{
    dialog->Label9->SetCaption("49: Zahlen eingeben");
    TEdit* feld = Feld(GetParam().feld);
    feld->SetText(GetParam().text);
    feld->OnExit(feld);
    EXPECT_EQ(Meldung(), GetParam().meldung);
    EXPECT_EQ(Farbe(), GetParam().farbe);
}

INSTANTIATE_TEST_SUITE_P(
    Felder, EingabeVerlassen,
    ::testing::Values(Verlassen{"NumberInRange", 2, "49", AUFFORDERUNG, clBlack},
                      Verlassen{"NumberFifty", 3, "50", "Eingegebene Zahl 3 ist ungültig!", clRed},
                      Verlassen{"EmptyNumber", 6, "", "Eingegebene Zahl 6 ist ungültig!", clRed},
                      Verlassen{"NumberOne", 1, "1", AUFFORDERUNG, clBlack},
                      Verlassen{"NumberZero", 1, "0", "Eingegebene Zahl 1 ist ungültig!", clRed},
                      Verlassen{"AdditionalNumberFifty", 7, "50", "Eingegebene Zusatzzahl ist ungültig!",
                                clRed},
                      Verlassen{"SuperzahlZero", 8, "0", AUFFORDERUNG, clBlack},
                      Verlassen{"EmptySuperzahl", 8, "", AUFFORDERUNG, clBlack},
                      Verlassen{"SuperzahlTen", 8, "10", "Eingegebene Superzahl ist ungültig!", clRed}),
    [](const auto& info) { return String(info.param.name); });

TEST_F(EingabeTest, ACorrectedFieldTurnsThePromptBlackAgain)
{
    dialog->Edit4->SetText("50");
    dialog->z4(nullptr);
    EXPECT_EQ(Meldung(), "Eingegebene Zahl 4 ist ungültig!");
    dialog->Edit4->SetText("5");
    dialog->z4(nullptr);
    EXPECT_EQ(Meldung(), AUFFORDERUNG);
    EXPECT_EQ(Farbe(), clBlack);
}

TEST_F(EingabeTest, AKnownDateWarnsButCanStillBeSaved)
{
    dialog->DateTimePicker1->SetDateTime(EncodeDate(2009, 8, 8));
    dialog->DateTimePicker1->OnExit(dialog->DateTimePicker1);
    EXPECT_EQ(Meldung(), "Achtung: Datum existiert schon!");
    EXPECT_EQ(Farbe(), clRed);

    EXPECT_TRUE(OK_im_Dialog());
    EXPECT_EQ(Archiv(), String(ARCHIV) + "08.08.09,1,2,3,4,5,6,7,8,111111,1111111\n");
}

TEST_F(EingabeTest, ANewDateLeavesTheMessageAsItWas)
{
    dialog->Label9->SetCaption("49: Zahlen eingeben");
    dialog->datum(nullptr);
    EXPECT_EQ(Meldung(), "49: Zahlen eingeben");
    EXPECT_EQ(Farbe(), clBlack);
}

TEST_F(EingabeTest, AFailedWriteKeepsTheArchiveAndTheDialogOpen)
{
    SetAtomicWriteHook(
        [](const String&) { throw EInOutError("Cannot write file \"x\". No space left on device"); });
    EXPECT_FALSE(OK_im_Dialog());
    SetAtomicWriteHook(nullptr);
    EXPECT_EQ(Meldung(), "Datei dorov_zahlen.txt kann nicht geschrieben werden! Der Datenträger ist voll.");
    EXPECT_EQ(Farbe(), clRed);
    EXPECT_EQ(Archiv(), ARCHIV);
}

TEST_F(EingabeTest, AMissingArchiveIsNotCreated)
{
    ASSERT_TRUE(DeleteFile(ordner + "dorov_zahlen.txt") || !FileExists(ordner + "dorov_zahlen.txt"));
    EXPECT_FALSE(OK_im_Dialog());
    EXPECT_EQ(Meldung(), "Datei dorov_zahlen.txt kann nicht gelesen werden!");
    EXPECT_EQ(Archiv(), "<keine Datei>");
}

TEST_F(EingabeTest, CancelWritesNothing)
{
    SetModalHook([&](TForm&) { dialog->Button1->Click(); });
    dialog->ShowModal();
    EXPECT_EQ(Archiv(), ARCHIV);
}

TEST_F(EingabeTest, ShownCentredOverTheMainWindowAndDraggedWithTheLeftButton)
{
    form->SetBounds(50, 50, 660, 560);
    dialog->SetBounds(0, 0, 300, 301);
    dialog->FormSchowMid(nullptr);
    EXPECT_EQ(dialog->Left(), 50 + 330 - 150);
    EXPECT_EQ(dialog->Top(), 50 + 280 - 150);

    dialog->SetBounds(0, 0, 700, 300);
    dialog->FormSchowMid(nullptr);
    EXPECT_EQ(dialog->Left(), 53);

    dialog->Image1->OnMouseDown(dialog->Image1, mbRight, TShiftState(), 5, 5);
    EXPECT_EQ(dialog->MoveRequests(), 0);
    dialog->Image1->OnMouseDown(dialog->Image1, mbLeft, TShiftState(), 5, 5);
    EXPECT_EQ(dialog->MoveRequests(), 1);
}

}  // namespace

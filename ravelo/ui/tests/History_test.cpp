// The history box: choosing a run compares its tips with the draws; deleting a run removes its
// history line and its step files and nothing of any other run.
#include <gmock/gmock.h>

#include "rtl/Debug.h"
#include "toolbar_Testbasis.h"

using namespace toolbar;
using ::testing::ElementsAre;

namespace {

const char* const A = "08-08-2009-aus20_Index-1*";
const char* const B = "12-08-2009-aus20_Index-1*";

// The six step files of a run key (without its "*").
std::vector<String> Laufdateien(const String& key)
{
    const String k = key.substr(0, key.size() - 1);
    return {"Schritt5_kriterienpunkte_" + k + ".txt",
            "Schritt5_kriterienpunkte_sortiert" + k + ".txt",
            "Schritt5_kriterienpunkte_sortiert_ausgewählt_" + k + ".txt",
            "Schritt3_ersetzt_geloescht_" + k + ".cvs",
            "Schritt2_ersetzt_" + k + ".cvs",
            "Schritt2_Vorschlag_" + k + ".txt"};
}

class HistoryTest : public ToolbarTest {
protected:
    void laeufe(std::initializer_list<const char*> keys)
    {
        String inhalt;
        for (const char* k : keys) {
            inhalt += String(k) + "\n";
            for (const String& d : Laufdateien(k)) AtomicWriteFile(ordner + d, "x\n");
        }
        AtomicWriteFile(ordner + "history.txt", inhalt);
    }
    int vorhanden(const String& key)
    {
        int n = 0;
        for (const String& d : Laufdateien(key)) n += FileExists(ordner + d);
        return n;
    }
    void waehle(const String& key)
    {
        form->ComboBox2->SetText(key);
        form->ListBox1->Items()->Add("alter Tipp");
    }
};

}  // namespace

TEST_F(HistoryTest, DeletingARunRemovesItsLineAndItsSixFilesOnly)
{
    laeufe({A, B, "15-08-2009-aus20_Index-1*"});
    waehle(B);
    form->zaehler_Image15 = 3;
    form->History_loeschen(nullptr);

    EXPECT_EQ(ReadFileBytes(ordner + "history.txt"), String(A) + "\n15-08-2009-aus20_Index-1*\n");
    EXPECT_EQ(vorhanden(B), 0);
    EXPECT_EQ(vorhanden(A), 6);
    EXPECT_EQ(vorhanden("15-08-2009-aus20_Index-1*"), 6);
    EXPECT_THAT(form->ComboBox2->Items()->ToVector(), ElementsAre(A, "15-08-2009-aus20_Index-1*"));
    EXPECT_EQ(form->ComboBox2->Text(), A);
    EXPECT_EQ(form->ListBox1->Items()->Count(), 0);
    EXPECT_EQ(form->Label1->Caption(), "History wird gelöscht!");
    EXPECT_EQ(zeigt(form->Image15), "delete_x24.gif");
    EXPECT_EQ(form->zaehler_Image15, 0);
    EXPECT_TRUE(dialoge->Shown().empty());
}

TEST_F(HistoryTest, TheOnlyEntryCannotBeDeleted)
{
    laeufe({A});
    waehle(A);
    form->History_loeschen(nullptr);

    ASSERT_EQ(dialoge->Shown().size(), 1u);
    EXPECT_EQ(dialoge->Shown()[0].Text, "Warnung: Darf nicht gelöscht werden!");
    EXPECT_EQ(dialoge->Shown()[0].Title, "Info");
    EXPECT_EQ(ReadFileBytes(ordner + "history.txt"), String(A) + "\n");
    EXPECT_EQ(vorhanden(A), 6);
    EXPECT_EQ(form->ListBox1->Items()->Count(), 1);
    EXPECT_EQ(zeigt(form->Image15), "delete_x24.gif");
}

TEST_F(HistoryTest, ARunListedTwiceGoesWholeAndTheRunThatMovesUpStays)
{
    // After removing B the box shows A; A's later line must not be taken for the chosen run.
    laeufe({A, B, A});
    waehle(B);
    form->History_loeschen(nullptr);
    EXPECT_EQ(ReadFileBytes(ordner + "history.txt"), String(A) + "\n" + A + "\n");
    EXPECT_EQ(vorhanden(A), 6);

    laeufe({A, B, A});
    waehle(A);
    form->History_loeschen(nullptr);
    EXPECT_EQ(ReadFileBytes(ordner + "history.txt"), String(B) + "\n");
    EXPECT_EQ(vorhanden(A), 0);
    EXPECT_EQ(vorhanden(B), 6);

    // Removing every line of the history is refused as well.
    laeufe({A, A});
    waehle(A);
    form->History_loeschen(nullptr);
    EXPECT_EQ(ReadFileBytes(ordner + "history.txt"), String(A) + "\n" + A + "\n");
    EXPECT_EQ(vorhanden(A), 6);
}

TEST_F(HistoryTest, ALineWithoutItsStarLosesOnlyItsLine)
{
    // Cutting the last character would name the files of run 1.
    laeufe({A, B});
    AtomicWriteFile(ordner + "history.txt", String(A) + "\n08-08-2009-aus20_Index-12\n" + B + "\n");
    waehle("08-08-2009-aus20_Index-12");
    form->History_loeschen(nullptr);
    EXPECT_EQ(ReadFileBytes(ordner + "history.txt"), String(A) + "\n" + B + "\n");
    EXPECT_EQ(vorhanden(A), 6);
    EXPECT_EQ(vorhanden(B), 6);
}

TEST_F(HistoryTest, AnUnlistedKeyDeletesNothing)
{
    laeufe({A, B});
    waehle("15-08-2009-aus20_Index-1*");
    form->History_loeschen(nullptr);
    EXPECT_EQ(ReadFileBytes(ordner + "history.txt"), String(A) + "\n" + B + "\n");
    EXPECT_EQ(vorhanden(A) + vorhanden(B), 12);
    EXPECT_EQ(form->ListBox1->Items()->Count(), 1);
}

TEST_F(HistoryTest, ChoosingARunComparesItsTipsWithTheDrawOfItsDate)
{
    schreibe("dorov_zahlen.txt", {"08.08.09,1,2,3,4,5,6,7"});
    laeufe({A});
    AtomicWriteFile(ordner + Laufdateien(A)[2], "0.1,2,3,10,11,12 -5 2\n");
    form->vergleich_beim_Start = false;
    form->ComboBox2->Items()->LoadFromFile(ordner + "history.txt");
    form->ComboBox2->SetEnabled(true);  // expert mode
    TDebugCapture spuren;
    form->ComboBox2->SelectItem(0);

    ASSERT_TRUE(form->t_Vergleich);
    EXPECT_TRUE(spuren.Contains("ThreadZahlenVergleichen gestartet..."));
    EXPECT_TRUE(form->t_Vergleich->Finished());
    const std::vector<String> zeilen = form->ListBox1->Items()->ToVector();
    ASSERT_EQ(zeilen.size(), 3u) << ::testing::PrintToString(zeilen);
    EXPECT_EQ(zeilen[0], "Zahlen überprüft vom:");
    EXPECT_EQ(zeilen[1], A);
    EXPECT_NE(zeilen[2].find("->3"), String::npos) << zeilen[2];
}

TEST_F(HistoryTest, AHistoryThatCannotBeReadOrReplacedKeepsEveryFileAndTheButtonComesBack)
{
    waehle(B);
    EXPECT_THROW(form->History_loeschen(nullptr), Exception);  // no history.txt
    EXPECT_EQ(zeigt(form->Image15), "delete_x24.gif");

    laeufe({A, B});
    SetAtomicWriteHook([](const String&) { throw EInOutError("Datenträger voll"); });
    EXPECT_THROW(form->History_loeschen(nullptr), EInOutError);
    SetAtomicWriteHook(nullptr);
    EXPECT_EQ(ReadFileBytes(ordner + "history.txt"), String(A) + "\n" + B + "\n");
    EXPECT_EQ(vorhanden(A) + vorhanden(B), 12);
    EXPECT_EQ(form->ListBox1->Items()->Count(), 1);
    EXPECT_EQ(zeigt(form->Image15), "delete_x24.gif");
}

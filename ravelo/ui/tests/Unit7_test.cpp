// The favourites dialog: OK appends the filled rows to meineFavoritten.txt and keeps the option in
// the environment.ini of the Windows-directory stand-in; a wrong entry is refused and loses nothing.
#include <gtest/gtest.h>

#include "FormTestbasis.h"
#include "Threadzahlenvergleichen.h"
#include "Unit7.h"
#include "rtl/IniFiles.h"

namespace {

class FavoritenTest : public Form1Test {
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        windows_ini = TIniFile::WindowsDirectory() + "environment.ini";
        ASSERT_TRUE(DeleteFile(windows_ini) || !FileExists(windows_ini));
        dialog = std::make_unique<TForm7>(nullptr);
    }
    void TearDown() override
    {
        SetModalHook(nullptr);
        SetAtomicWriteHook(nullptr);
        dialog.reset();
        ASSERT_TRUE(DeleteFile(windows_ini) || !FileExists(windows_ini));
        Form1Test::TearDown();
    }

    TEdit* Feld(int k) { return dynamic_cast<TEdit*>(dialog->FindComponent("Edit" + IntToStr(k))); }
    // Row r (1..12) gets these six texts.
    void Reihe(int r, std::initializer_list<const char*> texte)
    {
        int k = 6 * r - 5;
        for (const char* t : texte) Feld(k++)->SetText(t);
    }
    String Favoriten() const
    {
        const String datei = ordner + "meineFavoritten.txt";
        return FileExists(datei) ? ReadFileBytes(datei) : String("<keine Datei>");
    }
    String Option() const
    {
        return TIniFile("environment.ini").ReadString("Favoritten", "CheckBox1", "<fehlt>");
    }

    // Shows the dialog modally and presses OK once; Abbrechen ends the dialog when OK left it open.
    // True when OK closed it.
    bool OK_im_Dialog()
    {
        bool offen_nach_OK = false;
        SetModalHook([&](TForm&) {
            dialog->Button2->Click();
            offen_nach_OK = dialog->ModalResult() == 0;
            if (offen_nach_OK) {
                meldung = dialog->Label1->Caption();
                farbe = dialog->Label1->Font()->Color();
                dialog->Button1->Click();
            }
        });
        dialog->ShowModal();
        SetModalHook(nullptr);
        return !offen_nach_OK;
    }

    String windows_ini;
    std::unique_ptr<TForm7> dialog;
    String meldung;
    TColor farbe = clBlack;
};

TEST_F(FavoritenTest, StartState)
{
    EXPECT_EQ(dialog->Label1->Caption(), "Gegeb Sie Ihre Zahlen ein.");
    for (int k = 1; k <= 72; ++k) EXPECT_EQ(Feld(k)->Text(), "0") << k;
    EXPECT_EQ(dialog->Edit73->Text(), "meineFavoritten.txt");
    EXPECT_FALSE(dialog->Edit73->Enabled());
    EXPECT_FALSE(dialog->CheckBox1->Checked());
}

TEST_F(FavoritenTest, FilledRowsAreAppendedNumberedFromOneAsTyped)
{
    // A file from earlier runs without its last line end: it is kept and the new lines start on
    // a line of their own.
    AtomicWriteFile(ordner + "meineFavoritten.txt", "1.1, 2, 3, 4, 5, 6 -0 0\n2.7, 8, 9, 10, 11, 12 -0 0");
    Reihe(1, {"3", "7", "12", "25", "33", "41"});
    Reihe(2, {"0", "9", "9", "9", "9", "9"});
    Reihe(3, {"049", "1", "2", "3", "4", "5"});
    Reihe(12, {"5", "0", "0", "0", "0", "0"});

    EXPECT_TRUE(OK_im_Dialog());
    EXPECT_EQ(Favoriten(), "1.1, 2, 3, 4, 5, 6 -0 0\n"
                           "2.7, 8, 9, 10, 11, 12 -0 0\n"
                           "1.3, 7, 12, 25, 33, 41 -0 0\n"
                           "2.049, 1, 2, 3, 4, 5 -0 0\n"
                           "3.5, 0, 0, 0, 0, 0 -0 0\n");
    EXPECT_EQ(Option(), "false");
}

TEST_F(FavoritenTest, AllRowsZeroWriteNoLineButSaveTheOption)
{
    dialog->CheckBox1->SetChecked(true);
    EXPECT_TRUE(OK_im_Dialog());
    EXPECT_EQ(Favoriten(), "");  // created, as opening it for appending does
    EXPECT_EQ(Option(), "true");

    AtomicWriteFile(ordner + "meineFavoritten.txt", "1.1, 2, 3, 4, 5, 6 -0 0");  // no final line break
    EXPECT_TRUE(OK_im_Dialog());
    EXPECT_EQ(Favoriten(), "1.1, 2, 3, 4, 5, 6 -0 0");
}

struct FalscheEingabe {
    const char* name;
    int feld;
    const char* text;
};
void PrintTo(const FalscheEingabe& f, std::ostream* os) { *os << f.name; }

class FavoritenFalsch : public FavoritenTest, public ::testing::WithParamInterface<FalscheEingabe> {};

TEST_P(FavoritenFalsch, IsRefusedInRedAndLosesNothing)
{
    schreibe("meineFavoritten.txt", {"1.1, 2, 3, 4, 5, 6 -0 0"});
    Reihe(1, {"3", "7", "12", "25", "33", "41"});
    dialog->CheckBox1->SetChecked(true);
    Feld(GetParam().feld)->SetText(GetParam().text);

    EXPECT_FALSE(OK_im_Dialog());
    EXPECT_EQ(meldung, "Eingegebene Zahlen sind ungültig!");
    EXPECT_EQ(farbe, clRed);
    EXPECT_EQ(Favoriten(), "1.1, 2, 3, 4, 5, 6 -0 0\n");
    EXPECT_EQ(Option(), "<fehlt>");
}

INSTANTIATE_TEST_SUITE_P(
    Favoriten, FavoritenFalsch,
    ::testing::Values(FalscheEingabe{"Fuenfzig", 2, "50"}, FalscheEingabe{"Negativ", 6, "-1"},
                      FalscheEingabe{"ImLeerenReihenteil", 72, "99"}, FalscheEingabe{"KommaImFeld", 3, "5,6"},
                      FalscheEingabe{"StrichImFeld", 4, "7-8"}, FalscheEingabe{"Zeilenumbruch", 5, "8\n9"}),
    [](const auto& info) { return String(info.param.name); });

TEST_F(FavoritenTest, AFixedEntryAfterTheMessageIsSavedInBlack)
{
    Reihe(1, {"3", "7", "12", "25", "33", "50"});
    dialog->Button2->Click();
    EXPECT_EQ(dialog->Label1->Font()->Color(), clRed);
    Feld(6)->SetText("41");
    EXPECT_TRUE(OK_im_Dialog());
    EXPECT_EQ(dialog->Label1->Font()->Color(), clBlack);
    EXPECT_EQ(Favoriten(), "1.3, 7, 12, 25, 33, 41 -0 0\n");
}

TEST_F(FavoritenTest, AFailedWriteKeepsTheFileAndSaysSo)
{
    schreibe("meineFavoritten.txt", {"1.1, 2, 3, 4, 5, 6 -0 0"});
    Reihe(1, {"3", "7", "12", "25", "33", "41"});
    dialog->CheckBox1->SetChecked(true);
    SetAtomicWriteHook(
        [](const String&) { throw EInOutError("Cannot open file \"x\". Read-only file system"); });

    EXPECT_FALSE(OK_im_Dialog());
    EXPECT_EQ(
        meldung,
        "Datei meineFavoritten.txt kann nicht geschrieben werden! Der Programmordner ist schreibgeschützt.");
    EXPECT_EQ(farbe, clRed);
    SetAtomicWriteHook(nullptr);
    EXPECT_EQ(Favoriten(), "1.1, 2, 3, 4, 5, 6 -0 0\n");
    EXPECT_EQ(Option(), "<fehlt>");
}

TEST_F(FavoritenTest, OptionRoundTripThroughTheWindowsDirectoryIni)
{
    schreibe("environment.ini", {"[Favoritten]", "CheckBox1=false"});
    dialog->CheckBox1->SetChecked(true);
    EXPECT_TRUE(OK_im_Dialog());
    EXPECT_TRUE(lies_Favoriten_Option());
    EXPECT_TRUE(TForm7(nullptr).CheckBox1->Checked());
    // The program folder's environment.ini is another file.
    EXPECT_EQ(ReadFileBytes(ordner + "environment.ini"), "[Favoritten]\nCheckBox1=false\n");

    dialog->CheckBox1->SetChecked(false);
    EXPECT_TRUE(OK_im_Dialog());
    EXPECT_FALSE(lies_Favoriten_Option());
    EXPECT_FALSE(TForm7(nullptr).CheckBox1->Checked());
}

TEST_F(FavoritenTest, OptionValueInOtherCaseLeavesTheBoxUnchecked)
{
    TIniFile("environment.ini").WriteString("Favoritten", "CheckBox1", "True");
    EXPECT_FALSE(TForm7(nullptr).CheckBox1->Checked());
    EXPECT_FALSE(lies_Favoriten_Option());
}

TEST_F(FavoritenTest, CancelWritesNothing)
{
    Reihe(1, {"3", "7", "12", "25", "33", "41"});
    dialog->CheckBox1->SetChecked(true);
    SetModalHook([&](TForm&) { dialog->Button1->Click(); });
    dialog->ShowModal();
    EXPECT_EQ(Favoriten(), "<keine Datei>");
    EXPECT_EQ(Option(), "<fehlt>");
}

TEST_F(FavoritenTest, ShownCentredOverTheMainWindow)
{
    // Main window: 660 x 560 at (50, 50); dialog 300 x 420.
    SetModalHook([&](TForm&) { dialog->Button1->Click(); });
    dialog->ShowModal();
    EXPECT_EQ(dialog->Top(), 50 + 280 - 210);
    EXPECT_EQ(dialog->Left(), 50 + 330 - 150);

    // A dialog as wide as the main window or wider sits 3 pixels in from its left edge.
    dialog->SetWidth(661);
    dialog->SetHeight(421);
    dialog->ShowModal();
    EXPECT_EQ(dialog->Top(), 50 + 280 - 210);
    EXPECT_EQ(dialog->Left(), 53);
}

}  // namespace

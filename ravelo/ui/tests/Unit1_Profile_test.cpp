// Profiles: profile.txt lists the names in the order of use, each profile's settings lie in
// "<name>.ini". Save, load and delete keep both consistent; a name that is no file name is
// refused and nothing is written.
#include <gmock/gmock.h>

#include <filesystem>
#include <stdexcept>

#include "FormTestbasis.h"
#include "Schrittfenster.h"
#include "Updatefenster.h"
#include "rtl/Clock.h"
#include "zub/Dialogs.h"

namespace {

const std::filesystem::path BILDER = std::filesystem::path(RAVELO_ASSETS_DIR) / "gifs";

// The start states of the layout, written by hand: every profiled edit, then every check box
// from CheckBox2 on, then the radio buttons.
const char* const MUSTERPROFIL_INI =
    "[Sarnik]\n"
    "Edit1=6\nEdit2=6\nEdit3=5\nEdit4=6\nEdit5=6\nEdit7=250\nEdit8=12\n"
    "CheckBox2=true\nCheckBox3=true\nCheckBox4=true\nCheckBox5=true\nCheckBox6=true\n"
    "CheckBox7=true\nCheckBox8=true\nCheckBox9=true\nCheckBox10=true\nCheckBox11=true\n"
    "CheckBox12=true\nCheckBox13=true\nCheckBox14=true\nCheckBox15=true\nCheckBox16=true\n"
    "CheckBox17=true\nCheckBox18=true\nCheckBox19=true\nCheckBox20=true\nCheckBox21=true\n"
    "RadioButton1=true\nRadioButton2=false\nRadioButton3=false\nRadioButton4=false\nRadioButton5=false\n";

class ProfilTest : public Form1Test {
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        // The layout's state, which start-up's reading of a missing environment.ini cleared.
        form->CheckBox21->SetChecked(true);
        // Loading a profile switches check boxes, whose handlers show the program's pictures.
        std::filesystem::create_directory_symlink(BILDER, std::filesystem::path(ordner) / "gifs");
        dialoge = std::make_shared<THeadlessDialogs>();
        vorher = SetDialogs(dialoge);
    }
    void TearDown() override
    {
        SetAtomicWriteHook(nullptr);
        SetDialogs(vorher);
        Form1Test::TearDown();
    }

    String Datei(const String& name) const
    {
        const String pfad = ordner + name;
        return FileExists(pfad) ? ReadFileBytes(pfad) : String("<keine Datei>");
    }
    TEdit* Edit(int i) { return dynamic_cast<TEdit*>(form->FindComponent("Edit" + IntToStr(i))); }
    TCheckBox* Box(int i) { return dynamic_cast<TCheckBox*>(form->FindComponent("CheckBox" + IntToStr(i))); }
    TRadioButton* Knopf(int i)
    {
        return dynamic_cast<TRadioButton*>(form->FindComponent("RadioButton" + IntToStr(i)));
    }
    std::vector<String> Meldungen() const
    {
        std::vector<String> texte;
        for (const TDialogRequest& r : dialoge->Shown()) texte.push_back(r.Title + ": " + r.Text);
        return texte;
    }
    // Every file of the program folder with its content, and the files beside the folder (a
    // refused name must write nowhere).
    std::set<String> Dateien() const
    {
        std::set<String> namen;
        const std::filesystem::path hier = std::filesystem::path(ordner).parent_path();
        for (const auto& e : std::filesystem::recursive_directory_iterator(hier))
            if (e.is_regular_file()) namen.insert(e.path().string() + "=" + ReadFileBytes(e.path().string()));
        for (const auto& e : std::filesystem::directory_iterator(hier.parent_path()))
            if (e.is_regular_file()) namen.insert(e.path().string());
        return namen;
    }

    TVirtualClockGuard uhr{EncodeDate(2009, 8, 12)};
    std::shared_ptr<THeadlessDialogs> dialoge;
    std::shared_ptr<IDialogs> vorher;
};

TEST_F(ProfilTest, WithoutProfileListTheWindowKeepsItsLayoutAndWritesNothing)
{
    EXPECT_EQ(form->ComboBox3->Text(), "Musterprofil");
    EXPECT_EQ(form->ComboBox3->Items()->GetText(), "Musterprofil\r\n");
    EXPECT_EQ(form->Edit1->Text(), "6");
    EXPECT_TRUE(form->CheckBox2->Checked());
    EXPECT_EQ(Datei("profile.txt"), "<keine Datei>");
}

TEST_F(ProfilTest, SavingTheLayoutStatesWritesTheDefaultProfileFormat)
{
    form->save_profil(nullptr);
    EXPECT_EQ(Datei("Musterprofil.ini"), MUSTERPROFIL_INI);
    EXPECT_EQ(Datei("profile.txt"), "Musterprofil\n");
    EXPECT_EQ(form->Label1->Caption(), "Profil speichern?");
    EXPECT_EQ(form->Image13->Picture()->Bytes(), ReadFileBytes(ordner + "gifs/save24.gif"));
    EXPECT_TRUE(Meldungen().empty());
}

TEST_F(ProfilTest, SavingANewNameAppendsItAndWritesThe32Keys)
{
    schreibe("profile.txt", {"Musterprofil", "Abend"});
    form->Edit1->SetText("4");
    form->Edit7->SetText("");
    form->Edit8->SetText("07");
    form->CheckBox3->SetChecked(false);
    form->CheckBox21->SetChecked(false);
    form->RadioButton5->SetChecked(true);
    form->ComboBox3->SetText("Morgen");
    form->save_profil(nullptr);

    EXPECT_EQ(Datei("profile.txt"), "Musterprofil\nAbend\nMorgen\n");
    EXPECT_EQ(Datei("Morgen.ini"),
              "[Sarnik]\n"
              "Edit1=4\nEdit2=6\nEdit3=5\nEdit4=6\nEdit5=6\nEdit7=\nEdit8=07\n"
              "CheckBox2=true\nCheckBox3=false\nCheckBox4=true\nCheckBox5=true\nCheckBox6=true\n"
              "CheckBox7=true\nCheckBox8=true\nCheckBox9=true\nCheckBox10=true\nCheckBox11=true\n"
              "CheckBox12=true\nCheckBox13=true\nCheckBox14=true\nCheckBox15=true\nCheckBox16=true\n"
              "CheckBox17=true\nCheckBox18=true\nCheckBox19=true\nCheckBox20=true\nCheckBox21=false\n"
              "RadioButton1=false\nRadioButton2=false\nRadioButton3=false\nRadioButton4=false\nRadioButton5="
              "true\n");
    EXPECT_EQ(form->ComboBox3->Items()->GetText(), "Musterprofil\r\nAbend\r\nMorgen\r\n");
}

TEST_F(ProfilTest, SavingAListedNameMovesItsOneLineToTheEndInAnyCase)
{
    schreibe("profile.txt", {"Abend", "Musterprofil", "abend"});
    form->ComboBox3->SetText("ABEND");
    form->save_profil(nullptr);
    EXPECT_EQ(Datei("profile.txt"), "Musterprofil\nAbend\n");
    EXPECT_EQ(form->ComboBox3->Text(), "Abend");
    EXPECT_EQ(Datei("Abend.ini"), MUSTERPROFIL_INI);
}

TEST_F(ProfilTest, AnEmptyNameSavesTheDefaultProfile)
{
    schreibe("profile.txt", {"Musterprofil", "Abend"});
    form->ComboBox3->SetText("");
    form->save_profil(nullptr);
    EXPECT_EQ(form->ComboBox3->Text(), "Musterprofil");
    EXPECT_EQ(Datei("profile.txt"), "Abend\nMusterprofil\n");
    EXPECT_EQ(Datei("Musterprofil.ini"), MUSTERPROFIL_INI);
    EXPECT_EQ(Datei(".ini"), "<keine Datei>");
}

// Every key of every control kind survives a save and a load; what is no part of a profile keeps
// the value it has at the load.
TEST_F(ProfilTest, RoundTripOfEveryKey)
{
    schreibe("profile.txt", {"Musterprofil"});
    for (int i : {1, 2, 3, 4, 5, 7, 8}) Edit(i)->SetText("w" + IntToStr(i));
    for (int i = 2; i <= 21; ++i) Box(i)->SetChecked(i % 3 == 0);
    form->RadioButton4->SetChecked(true);
    form->ComboBox3->SetText("Test");
    form->save_profil(nullptr);

    for (int i : {1, 2, 3, 4, 5, 7, 8}) Edit(i)->SetText("anders");
    for (int i = 2; i <= 21; ++i) Box(i)->SetChecked(i % 3 != 0);
    form->RadioButton2->SetChecked(true);
    form->Edit6->SetText("77");
    form->CheckBox1->SetChecked(true);
    form->CheckBox22->SetChecked(false);
    form->ComboBox3->SetText("Test");
    form->Profil_reade(nullptr);

    for (int i : {1, 2, 3, 4, 5, 7, 8}) EXPECT_EQ(Edit(i)->Text(), "w" + IntToStr(i)) << "Edit" << i;
    for (int i = 2; i <= 21; ++i) EXPECT_EQ(Box(i)->Checked(), i % 3 == 0) << "CheckBox" << i;
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(Knopf(i)->Checked(), i == 4) << "RadioButton" << i;
    EXPECT_EQ(form->Edit6->Text(), "77");
    EXPECT_TRUE(form->CheckBox1->Checked());
    EXPECT_FALSE(form->CheckBox22->Checked());
    EXPECT_TRUE(Meldungen().empty());
}

TEST_F(ProfilTest, LoadingMovesTheProfileToTheEndAndAMissingFileEmptiesTheControls)
{
    schreibe("profile.txt", {"Leer", "Musterprofil"});
    form->ComboBox3->SetText("leer");
    EXPECT_TRUE(form->load_profil());
    EXPECT_EQ(Datei("profile.txt"), "Musterprofil\nLeer\n");
    EXPECT_EQ(form->Edit1->Text(), "");
    EXPECT_EQ(form->Edit8->Text(), "");
    EXPECT_FALSE(form->CheckBox2->Checked());
    for (int i = 1; i <= 5; ++i) EXPECT_FALSE(Knopf(i)->Checked()) << i;
}

TEST_F(ProfilTest, CheckingARadioButtonFiresItsClickHandler)
{
    schreibe("profile.txt", {"Paare"});
    schreibe("Paare.ini", {"[Sarnik]", "RadioButton3=true"});
    int klicks = 0;
    form->RadioButton3->OnClick = [&](TObject*) { ++klicks; };
    form->ComboBox3->SetText("Paare");
    form->Profil_reade(nullptr);
    EXPECT_EQ(klicks, 1);
    EXPECT_TRUE(form->RadioButton3->Checked());
    EXPECT_FALSE(form->RadioButton1->Checked());
}

TEST_F(ProfilTest, AnUnlistedNameIsNotLoadedAndChangesNothing)
{
    schreibe("profile.txt", {"Musterprofil"});
    schreibe("Fremd.ini", {"[Sarnik]", "Edit1=1"});
    form->ComboBox3->SetText("Fremd");
    EXPECT_FALSE(form->load_profil());
    EXPECT_EQ(form->Edit1->Text(), "6");
    EXPECT_EQ(Datei("profile.txt"), "Musterprofil\n");
    EXPECT_THAT(Meldungen(), ::testing::ElementsAre("Info: Das Profil \"Fremd\" ist nicht vorhanden!"));
}

TEST_F(ProfilTest, StartUpLoadsTheLastLineOfTheList)
{
    schreibe("profile.txt", {"Musterprofil", "Abend"});
    schreibe("Abend.ini", {"[Sarnik]", "Edit1=3", "CheckBox2=false", "RadioButton2=true"});
    form = Hauptfenster_bauen();
    EXPECT_EQ(form->ComboBox3->Text(), "Abend");
    EXPECT_EQ(form->ComboBox3->Items()->GetText(), "Musterprofil\r\nAbend\r\n");
    EXPECT_EQ(form->Edit1->Text(), "3");
    EXPECT_FALSE(form->CheckBox2->Checked());
    EXPECT_TRUE(form->RadioButton2->Checked());
    EXPECT_EQ(Datei("profile.txt"), "Musterprofil\nAbend\n");
}

TEST_F(ProfilTest, StartUpWithAnEmptyLastLineShowsTheDefaultProfile)
{
    AtomicWriteFile(ordner + "profile.txt", "Abend\nMusterprofil\n\n");
    AtomicWriteFile(ordner + "Musterprofil.ini", MUSTERPROFIL_INI);
    form = Hauptfenster_bauen();
    EXPECT_EQ(form->ComboBox3->Text(), "Musterprofil");
    EXPECT_EQ(form->Edit1->Text(), "6");
}

TEST_F(ProfilTest, DeletingTheCurrentProfileSelectsAndLoadsTheFirstOne)
{
    schreibe("profile.txt", {"Erstes", "Musterprofil", "Abend"});
    schreibe("Erstes.ini", {"[Sarnik]", "Edit1=2"});
    schreibe("Abend.ini", {"[Sarnik]", "Edit1=9"});
    form->ComboBox3->SetText("Abend");
    form->Profil_loeschen(nullptr);

    EXPECT_EQ(Datei("Abend.ini"), "<keine Datei>");
    EXPECT_EQ(Datei("profile.txt"), "Musterprofil\nErstes\n");
    EXPECT_EQ(form->ComboBox3->Text(), "Erstes");
    EXPECT_EQ(form->Edit1->Text(), "2");
    EXPECT_TRUE(Meldungen().empty());
}

TEST_F(ProfilTest, DeletingTheLastListedProfileFallsBackOnTheDefault)
{
    schreibe("profile.txt", {"Allein"});
    schreibe("Allein.ini", {"[Sarnik]", "Edit1=2"});
    form->ComboBox3->SetText("Allein");
    form->Profil_loeschen(nullptr);
    EXPECT_EQ(Datei("Allein.ini"), "<keine Datei>");
    EXPECT_EQ(Datei("profile.txt"), "Musterprofil\n");
    EXPECT_EQ(form->ComboBox3->Text(), "Musterprofil");
}

TEST_F(ProfilTest, TheDefaultProfileCannotBeDeletedInAnyCase)
{
    for (const char* name : {"Musterprofil", "MUSTERPROFIL"}) {
        dialoge->Clear();
        schreibe("profile.txt", {"Musterprofil", "Abend"});
        AtomicWriteFile(ordner + "Musterprofil.ini", MUSTERPROFIL_INI);
        form->Edit1->SetText("1");
        form->ComboBox3->SetText(name);
        form->Profil_loeschen(nullptr);
        EXPECT_THAT(Meldungen(), ::testing::ElementsAre("Info: Warnung: Darf nicht gelöscht werden!"))
            << name;
        EXPECT_EQ(Datei("Musterprofil.ini"), MUSTERPROFIL_INI) << name;
        // Loaded again: it is the current profile and the controls show it.
        EXPECT_EQ(Datei("profile.txt"), "Abend\nMusterprofil\n") << name;
        EXPECT_EQ(form->Edit1->Text(), "6") << name;
    }
}

TEST_F(ProfilTest, AFailedSaveLeavesBothFilesAsTheyWere)
{
    schreibe("profile.txt", {"Musterprofil", "Abend"});
    schreibe("Abend.ini", {"[Sarnik]", "Edit1=9"});
    SetAtomicWriteHook([](const String&) { throw EInOutError("Datenträger voll"); });
    form->ComboBox3->SetText("Abend");
    form->save_profil(nullptr);
    form->ComboBox3->SetText("Neu");
    form->save_profil(nullptr);
    SetAtomicWriteHook(nullptr);

    EXPECT_EQ(Datei("profile.txt"), "Musterprofil\nAbend\n");
    EXPECT_EQ(Datei("Abend.ini"), "[Sarnik]\nEdit1=9\n");
    EXPECT_EQ(Datei("Neu.ini"), "<keine Datei>");
    ASSERT_EQ(Meldungen().size(), 2u);
    EXPECT_THAT(Meldungen()[0],
                ::testing::StartsWith("Info: Das Profil \"Abend\" kann nicht gespeichert werden!"));
}

// A read-only or full program folder: every replace of a file fails as the disk refuses it.
void Schreiben_scheitert(const String& grund)
{
    SetAtomicWriteHook(
        [grund](const String& temp) { throw EInOutError("Cannot write file \"" + temp + "\". " + grund); });
}

TEST_F(ProfilTest, StartUpOnAFolderThatTakesNoWriteLoadsTheProfileAndSaysWhatItCouldNotSave)
{
    struct Fall {
        const char* grund;
        const char* deutsch;
    };
    for (const Fall& fall : {Fall{"Read-only file system", "Der Programmordner ist schreibgeschützt."},
                             Fall{"No space left on device", "Der Datenträger ist voll."}}) {
        const char* grund = fall.grund;
        SCOPED_TRACE(grund);
        schreibe("profile.txt", {"Musterprofil", "Abend"});
        schreibe("Abend.ini", {"[Sarnik]", "Edit1=3", "RadioButton2=true"});
        dialoge->Clear();
        Schreiben_scheitert(grund);
        form = Hauptfenster_bauen();
        SetAtomicWriteHook(nullptr);
        EXPECT_EQ(form->ComboBox3->Text(), "Abend");
        EXPECT_EQ(form->Edit1->Text(), "3");
        EXPECT_TRUE(form->RadioButton2->Checked());
        EXPECT_EQ(Datei("profile.txt"), "Musterprofil\nAbend\n");
        // Besides the start-up's question whether to update the draws (no archive here).
        std::vector<String> gespeichert;
        for (const String& m : Meldungen())
            if (m.find("gespeichert") != String::npos) gespeichert.push_back(m);
        ASSERT_EQ(gespeichert.size(), 1u);
        EXPECT_THAT(gespeichert[0], ::testing::StartsWith(
                                        "Info: Die Profilliste profile.txt kann nicht gespeichert "
                                        "werden! " +
                                        String(fall.deutsch) + "\n\nMeldung des Systems: Cannot write file"));
        EXPECT_THAT(gespeichert[0], ::testing::EndsWith(grund));
        // The window works on: once the disk takes writes again, loading a profile saves the list.
        form->ComboBox3->SetText("Musterprofil");
        form->Profil_reade(nullptr);
        EXPECT_EQ(Datei("profile.txt"), "Abend\nMusterprofil\n");
    }
}

TEST_F(ProfilTest, AStartUpThatFailsAfterTheComparisonStartedLeavesNoWorkerOnTheWindow)
{
    form.reset();
    schreibe("profile.txt", {"Musterprofil"});
    AtomicWriteFile(ordner + "Musterprofil.ini", MUSTERPROFIL_INI);
    // Something no start-up step expects, thrown by the profile list's write once the
    // comparison runs.
    ThreadZahlenVergleichen* vergleich = nullptr;
    SetAtomicWriteHook([&vergleich](const String&) {
        vergleich = Form1->t_Vergleich.get();
        throw std::runtime_error("kaputt");
    });
    TVirtualClockGuard uhr(Now());
    EXPECT_THROW(TForm1 fenster(nullptr), std::runtime_error);
    SetAtomicWriteHook(nullptr);
    EXPECT_EQ(Form1, nullptr);
    EXPECT_EQ(VergleichFenster(), nullptr);
    EXPECT_EQ(SchrittFenster(), nullptr);
    EXPECT_EQ(UpdateFenster(), nullptr);
    // The window let go of the running comparison; it finds the window gone at its next call.
    ASSERT_NE(vergleich, nullptr);
    std::unique_ptr<ThreadZahlenVergleichen> frei(vergleich);
    vergleich->WaitFor();
    ASSERT_TRUE(vergleich->FatalException());
    EXPECT_THROW(std::rethrow_exception(vergleich->FatalException()), EFensterGeschlossen);
}

class ProfilnameTest : public ProfilTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ProfilnameTest, IsRefusedBySaveLoadAndDeleteWithoutWritingAnything)
{
    const String name = GetParam();
    schreibe("profile.txt", {"Musterprofil", "Abend"});
    schreibe("environment.ini", {"[Archiv]", "Download=html"});
    schreibe("grau.ini", {"[grau]", "Edit1=true"});
    const auto vorher = Dateien();
    for (auto aktion : {&TForm1::save_profil, &TForm1::Profil_reade, &TForm1::Profil_loeschen}) {
        dialoge->Clear();
        form->ComboBox3->SetText(name);
        (form.get()->*aktion)(nullptr);
        ASSERT_EQ(Meldungen().size(), 1u);
        EXPECT_THAT(Meldungen()[0],
                    ::testing::StartsWith("Info: Der Profilname \"" + name + "\" ist ungültig!"));
    }
    EXPECT_EQ(Dateien(), vorher);
    EXPECT_EQ(form->Edit1->Text(), "6");
}

INSTANTIATE_TEST_SUITE_P(Profile, ProfilnameTest,
                         ::testing::Values("../Abend", "..\\Abend", "a/b", "a\\b", "..", ".", "C:Profil",
                                           "Zeile\nzwei", "Tab\tName", "frage?", "environment", "ENVIRONMENT",
                                           "grau", "Grau"));

}  // namespace

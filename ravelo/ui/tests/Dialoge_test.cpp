// The auxiliary forms and the two dialogs come up from their layouts with their start states.
#include "FormTestbasis.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit5.h"
#include "Unit7.h"

// A GIF header with the splash picture's size (400 x 200) around a one-pixel image.
const unsigned char kSplashGif[] = {'G', 'I', 'F', '8', '9',  'a',  0x90, 0x01, 0xC8, 0x00, 0x80, 0,
                                    0,   0,   0,   0,   0xFF, 0xFF, 0xFF, 0x2C, 0,    0,    0,    0,
                                    1,   0,   1,   0,   0,    0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};

// The splash window reads its picture from the program folder.
class SplashTest : public ProgrammordnerTest {
protected:
    void SetUp() override
    {
        ProgrammordnerTest::SetUp();
        vorher = GetCurrentDir();
        ASSERT_TRUE(ForceDirectories(ordner + "gifs"));
        ASSERT_TRUE(SetCurrentDir(ordner));
    }
    void TearDown() override
    {
        EXPECT_TRUE(SetCurrentDir(vorher));
        ProgrammordnerTest::TearDown();
    }
    void lege_Bild_an()
    {
        AtomicWriteFile(ordner + "gifs/splash.gif",
                        String(reinterpret_cast<const char*>(kSplashGif), sizeof kSplashGif));
    }
    String vorher;
};

TEST_F(SplashTest, SplashWindowLayout)
{
    lege_Bild_an();
    TForm3 splash(nullptr);
    EXPECT_EQ(splash.Image1->Picture()->Format(), TPictureFormat::Gif);
    EXPECT_EQ(splash.BorderStyle(), bsNone);
    EXPECT_EQ(splash.FormStyle(), fsStayOnTop);
    EXPECT_EQ(splash.Position(), poScreenCenter);
    EXPECT_EQ(splash.ClientWidth(), 404);
    EXPECT_EQ(splash.ClientHeight(), 204);
    EXPECT_EQ(splash.Color(), clSkyBlue);
    EXPECT_EQ(splash.Image1->Left(), 2);
    EXPECT_EQ(splash.Image1->Width(), 400);
    EXPECT_TRUE(splash.Image1->AutoSize());
    EXPECT_EQ(splash.lblProgress->Caption(), "Init......");
    EXPECT_EQ(splash.lblProgress->Left(), 8);
    EXPECT_EQ(splash.lblProgress->Top(), 184);
    EXPECT_EQ(splash.lblProgress->Color(), clWhite);
    EXPECT_EQ(splash.outlblAppName->Caption(), "Quenzel 2009  v3.3.7");
    EXPECT_EQ(splash.outlblAppName->Font()->Name(), "Arial Black");
    EXPECT_EQ(splash.outlblAppName->Font()->Height(), -13);
    EXPECT_EQ(splash.outlblAppName->Font()->Color(), clGray);
}

TEST_F(SplashTest, MissingSplashPictureLeavesTheSplashWithItsTexts)
{
    TForm3 splash(nullptr);
    EXPECT_TRUE(splash.Image1->Picture()->Empty());
    EXPECT_EQ(splash.lblProgress->Caption(), "Init......");
}

TEST_F(SplashTest, SplashPictureComesFromTheProgramFolderWhateverTheWorkingDirectory)
{
    lege_Bild_an();
    ASSERT_TRUE(ForceDirectories(ordner + "anderswo/gifs"));
    ASSERT_TRUE(SetCurrentDir(ordner + "anderswo"));
    TForm3 splash(nullptr);
    EXPECT_EQ(splash.Image1->Picture()->Format(), TPictureFormat::Gif);
}

TEST_F(ProgrammordnerTest, HitCountAndAnimationWindows)
{
    TForm2 treffer(nullptr);
    EXPECT_EQ(treffer.Caption(), "Form2");
    const char* zeilen[] = {":3", ":4", ":5", ":6", ":3+", ":4+", ":5+"};
    TLabel* namen[] = {treffer.Label1, treffer.Label2, treffer.Label3, treffer.Label4,
                       treffer.Label5, treffer.Label6, treffer.Label7};
    TLabel* werte[] = {treffer.Label8,  treffer.Label9,  treffer.Label10, treffer.Label11,
                       treffer.Label12, treffer.Label13, treffer.Label14};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(namen[i]->Caption(), zeilen[i]);
        EXPECT_EQ(werte[i]->Caption(), "0");
    }
    EXPECT_EQ(treffer.Label16->Caption(), "Summe:");
    EXPECT_EQ(treffer.Label17->Caption(), "0");
    EXPECT_EQ(treffer.Memo1->Color(), clAqua);

    TForm4 animation(nullptr);
    EXPECT_EQ(animation.Animate1->Width(), 99);
    EXPECT_EQ(animation.Animate1->Height(), 89);
    EXPECT_EQ(animation.Animate1->StopFrame(), 9);
}

TEST_F(ProgrammordnerTest, DrawEntryDialogLayout)
{
    TForm5 dialog(nullptr);
    EXPECT_EQ(dialog.BorderStyle(), bsNone);
    EXPECT_EQ(dialog.Color(), clSkyBlue);
    EXPECT_TRUE(dialog.Image1->Stretch());
    const char* beschriftungen[] = {"Zahl 1:", "Zahl 2:",     "Zahl 3:",    "Zahl 4:",        "Zahl 5:",
                                    "Zahl 6:", "Zusatzzahl:", "Superzahl:", "Zahlen eingeben"};
    TLabel* labels[] = {dialog.Label1, dialog.Label2, dialog.Label3, dialog.Label4, dialog.Label5,
                        dialog.Label6, dialog.Label7, dialog.Label8, dialog.Label9};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(labels[i]->Caption(), beschriftungen[i]);
    for (TEdit* e : {dialog.Edit1, dialog.Edit2, dialog.Edit3, dialog.Edit4, dialog.Edit5, dialog.Edit6,
                     dialog.Edit7, dialog.Edit8})
        EXPECT_EQ(e->Text(), "0") << e->Name();
    EXPECT_EQ(dialog.Button1->Caption(), "Abbrechen");
    EXPECT_EQ(dialog.Button2->Caption(), "OK");
    // Handlers bound by the layout.
    EXPECT_TRUE(dialog.Edit1->OnExit);
    EXPECT_TRUE(dialog.Edit8->OnExit);
    EXPECT_TRUE(dialog.DateTimePicker1->OnExit);
    EXPECT_TRUE(dialog.Button2->OnClick);
    EXPECT_TRUE(dialog.Image1->OnMouseDown);
    EXPECT_TRUE(dialog.OnShow);
}

TEST_F(ProgrammordnerTest, FavouritesDialogLayout)
{
    TForm7 dialog(nullptr);
    EXPECT_EQ(dialog.BorderStyle(), bsNone);
    EXPECT_EQ(dialog.Color(), clSkyBlue);
    EXPECT_EQ(dialog.Label1->Caption(), "Gegeb Sie Ihre Zahlen ein.");
    EXPECT_EQ(dialog.Label2->Caption(), "Speichern unter:");
    for (int i = 1; i <= 72; ++i) {
        auto* e = dynamic_cast<TEdit*>(dialog.FindComponent("Edit" + IntToStr(i)));
        ASSERT_NE(e, nullptr) << i;
        EXPECT_EQ(e->Text(), "0") << i;
        EXPECT_TRUE(e->Enabled()) << i;
    }
    // Row r is Edit(6r-5) .. Edit(6r): the six fields of a row stand side by side.
    EXPECT_EQ(dialog.Edit7->Top(), dialog.Edit12->Top());
    EXPECT_GT(dialog.Edit7->Top(), dialog.Edit6->Top());
    EXPECT_EQ(dialog.Edit73->Text(), "meineFavoritten.txt");
    EXPECT_FALSE(dialog.Edit73->Enabled());
    EXPECT_EQ(dialog.CheckBox1->Caption(), "meine Favoritten immer vergleichen");
    EXPECT_EQ(dialog.Button1->Caption(), "Abbrechen");
    EXPECT_EQ(dialog.Button2->Caption(), "OK");
    EXPECT_TRUE(dialog.OnShow);
}

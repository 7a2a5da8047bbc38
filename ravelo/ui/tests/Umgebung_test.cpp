// The settings file environment.ini of the program folder: the update route, the pending
// new-version notice and the stored state of CheckBox21; other sections survive every write.
#include "FormTestbasis.h"
#include "rtl/IniFiles.h"

namespace {

class UmgebungTest : public Form1Test {
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        ftp_download = false;
        update_hinweis = true;
    }
    void TearDown() override
    {
        ftp_download = true;
        update_hinweis = false;
        Form1Test::TearDown();
    }
    String Datei() const { return ReadFileBytes(ordner + "environment.ini"); }
};

TEST_F(UmgebungTest, MissingFileMeansFtpRouteNoNoticeBoxUnchecked)
{
    form->CheckBox21->SetChecked(true);
    form->lese_Umgebung();
    EXPECT_TRUE(ftp_download);
    EXPECT_FALSE(update_hinweis);
    EXPECT_FALSE(form->CheckBox21->Checked());
    EXPECT_FALSE(FileExists(ordner + "environment.ini"));  // reading creates nothing
}

struct Umgebungsfall {
    const char* name;
    const char* download;  // [Archiv] Download
    const char* update;  // [Allgemein] Update
    const char* checkbox;  // [Archiv] CheckBox21
    bool ftp, hinweis, angehakt;
};
void PrintTo(const Umgebungsfall& f, std::ostream* os) { *os << f.name; }

class Umgebungsfaelle : public UmgebungTest, public ::testing::WithParamInterface<Umgebungsfall> {};

TEST_P(Umgebungsfaelle, ValuesAreComparedExactly)
{
    const Umgebungsfall& f = GetParam();
    schreibe("environment.ini", {"[Archiv]", ("CheckBox21=" + String(f.checkbox)).c_str(),
                                 ("Download=" + String(f.download)).c_str(), "[Allgemein]",
                                 ("Update=" + String(f.update)).c_str()});
    form->lese_Umgebung();
    EXPECT_EQ(ftp_download, f.ftp);
    EXPECT_EQ(update_hinweis, f.hinweis);
    EXPECT_EQ(form->CheckBox21->Checked(), f.angehakt);
}

INSTANTIATE_TEST_SUITE_P(
    Umgebung, Umgebungsfaelle,
    ::testing::Values(Umgebungsfall{"WebSeite", "html", "true", "true", false, true, true},
                      Umgebungsfall{"HtmlGross", "HTML", "false", "false", true, false, false},
                      Umgebungsfall{"AndererWeg", "ftp", "True", "TRUE", true, false, false},
                      Umgebungsfall{"Leer", "", "", "", true, false, false}),
    [](const auto& info) { return String(info.param.name); });

TEST_F(UmgebungTest, WriteAfterANoticeKeepsEverythingElse)
{
    schreibe("environment.ini", {"[Archiv]", "CheckBox21=true", "Download=html", "[Allgemein]", "Update=true",
                                 "[Gewinnbetraege]", "3=10,50", "6=1000000"});
    form->lese_Umgebung();
    ASSERT_TRUE(update_hinweis);
    update_hinweis = false;  // the notice has been shown
    form->CheckBox21->SetChecked(false);
    form->schreibe_Umgebung();

    EXPECT_EQ(Datei(), "[Archiv]\nCheckBox21=false\nDownload=html\n[Allgemein]\nUpdate=false\n"
                       "[Gewinnbetraege]\n3=10,50\n6=1000000\n");
    form->lese_Umgebung();
    EXPECT_FALSE(update_hinweis);
    EXPECT_FALSE(ftp_download);
}

TEST_F(UmgebungTest, WriteCreatesTheFileWithoutTheRoute)
{
    update_hinweis = true;
    form->CheckBox21->SetChecked(true);
    form->schreibe_Umgebung();
    TIniFile ini(ordner + "environment.ini");
    EXPECT_EQ(ini.ReadString("Archiv", "CheckBox21", ""), "true");
    EXPECT_EQ(ini.ReadString("Allgemein", "Update", ""), "true");
    EXPECT_FALSE(ini.ValueExists("Archiv", "Download"));
    EXPECT_FALSE(ini.SectionExists("Favoritten"));
    // The favourites option lives in the other environment.ini.
    EXPECT_FALSE(FileExists(TIniFile::WindowsDirectory() + "environment.ini"));
}

}  // namespace

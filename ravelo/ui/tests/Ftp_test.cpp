// The FTP route of the draw update against a local FTP server, and the new-version notice.
#include "../../../platform/net/tests/TestServer.h"
#include "rtl/IniFiles.h"
#include "toolbar_Testbasis.h"

using namespace toolbar;

namespace {

const char* const ALT = "01.02.09,1,2,3,4,5,6,7\n";
const char* const NEU_SERVER = "01.02.09,1,2,3,4,5,6,7\r\n04.02.09,7,14,21,28,35,42,49\r\n";
const char* const NEU_LOKAL = "01.02.09,1,2,3,4,5,6,7\n04.02.09,7,14,21,28,35,42,49\n";

class FtpTest : public ToolbarTest {
protected:
    void SetUp() override
    {
        ToolbarTest::SetUp();
        wurzel = ordner + "ftp-wurzel/";
        ASSERT_TRUE(ForceDirectories(wurzel));
        AtomicWriteFile(wurzel + "dorov_zahlen.txt", NEU_SERVER);
        AtomicWriteFile(wurzel + "news.txt", "Neu\n");
        server = std::make_unique<TestServer>("ftp_server.py",
                                              std::vector<std::string>{wurzel, "lotto", "geheim"});
        AtomicWriteFile(ordner + "dorov_zahlen.txt", ALT);
    }
    void TearDown() override
    {
        server.reset();
        ToolbarTest::TearDown();
    }
    // Points the program at the server (or at port) with this login.
    void anmelden(const char* benutzer, const char* passwort, int port = 0)
    {
        einstellungen.clear();
        einstellungen.emplace_back(std::make_unique<Umgebung>("RAVELO_FTP_HOST", "127.0.0.1"));
        einstellungen.emplace_back(
            std::make_unique<Umgebung>("RAVELO_FTP_PORT", IntToStr(port ? port : server->Port())));
        einstellungen.emplace_back(std::make_unique<Umgebung>("RAVELO_FTP_USER", benutzer));
        einstellungen.emplace_back(std::make_unique<Umgebung>("RAVELO_FTP_PASSWORD", passwort));
    }

    String wurzel;
    std::unique_ptr<TestServer> server;
    std::vector<std::unique_ptr<Umgebung>> einstellungen;
};

}  // namespace

TEST_F(FtpTest, DownloadReplacesTheArchiveAndFetchesTheNews)
{
    anmelden("lotto", "geheim");
    EXPECT_TRUE(form->ftp_holen());
    EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), NEU_LOKAL);
    EXPECT_EQ(ReadFileBytes(ordner + "news.txt"), "Neu\n");
    EXPECT_TRUE(dialoge->Shown().empty());
    EXPECT_FALSE(form->IdFTP1->Connected());
    EXPECT_FALSE(form->IdFTP1->Passive);
}

// A folder that takes no write: the box says in German why, the system's text on its own line.
TEST_F(FtpTest, ArchiveThatCannotBeWrittenKeepsTheArchiveAndSaysWhyInGerman)
{
    anmelden("lotto", "geheim");
    auto alt = SetAtomicWriteHook([](const String& temp) {
        if (temp.find("dorov_zahlen.txt") != String::npos)
            throw EInOutError("Cannot open file \"dorov_zahlen.txt\". Read-only file system");
    });
    EXPECT_FALSE(form->ftp_holen());
    SetAtomicWriteHook(alt);
    EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), ALT);
    ASSERT_EQ(dialoge->Shown().size(), 1u);
    EXPECT_EQ(dialoge->Shown()[0].Text,
              "Die Lottozahlen konnten nicht heruntergeladen werden. dorov_zahlen.txt bleibt unverändert.\n"
              "dorov_zahlen.txt kann nicht gespeichert werden! Der Programmordner ist schreibgeschützt.\n\n"
              "Meldung des Systems: Cannot open file \"dorov_zahlen.txt\". Read-only file system");
    EXPECT_FALSE(form->IdFTP1->Connected());
}

TEST_F(FtpTest, FailedDownloadKeepsTheArchiveAndSaysSo)
{
    // The box says what went wrong in the user's words, not in the FTP library's.
    struct Fall {
        const char* name;
        const char* passwort;
        bool ohne_Archiv;
        bool ohne_Server;
        const char* grund;
    };
    const Fall faelle[] = {
        {"falsches Passwort", "falsch", false, false, "Der FTP-Server hat die Anmeldung abgelehnt."},
        {"Archiv fehlt", "geheim", true, false,
         "Die Datei dorov_zahlen.txt gibt es auf dem FTP-Server nicht."},
        {"kein Server", "geheim", false, true,
         "Der FTP-Server 127.0.0.1 ist nicht erreichbar. Bitte prüfen Sie die Internetverbindung."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        dialoge->Clear();
        if (f.ohne_Archiv) {
            ASSERT_TRUE(DeleteFile(wurzel + "dorov_zahlen.txt"));
        }
        anmelden("lotto", f.passwort, f.ohne_Server ? UnusedPort() : 0);
        EXPECT_FALSE(form->ftp_holen());
        EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), ALT);
        ASSERT_EQ(dialoge->Shown().size(), 1u);
        EXPECT_EQ(
            dialoge->Shown()[0].Text,
            "Die Lottozahlen konnten nicht heruntergeladen werden. dorov_zahlen.txt bleibt unverändert.\n" +
                String(f.grund));
        EXPECT_FALSE(form->IdFTP1->Connected());
    }
}

TEST_F(FtpTest, DownloadThatIsNoWholeArchiveKeepsTheArchiveAndSaysWhy)
{
    const String drei = "01.02.09,1,2,3,4,5,6,7\n04.02.09,7,14,21,28,35,42,49\n07.02.09,2,4,6,8,10,12,14\n";
    String lang;
    for (int tag = 10; tag < 30; ++tag)
        lang += IntToStr(tag) + ".03.09,1,2,3,4,5,6,7\r\n";  // 24 bytes a line
    struct Fall {
        const char* name;
        String server;  // the server's dorov_zahlen.txt
        bool halb;  // the server stops after half the bytes and still reports success
        String grund;  // what the box says beside the common first line
    };
    const Fall faelle[] = {
        {"leer", "", false, "Die Datei auf dem Server enthält keine Lottozahlen."},
        {"Unsinn", "\x7f\x45\x4c\x46\x02\x01\nxyz\n", false,
         "Die Datei auf dem Server enthält keine Lottozahlen."},
        {"HTML-Seite",
         "<html><head><title>Fehler</title></head>\r\n<body>Die Seite gibt es nicht.</body></html>\r\n",
         false, "Die Datei auf dem Server enthält keine Lottozahlen."},
        {"kurz", "01.02.09,1,2,3,4,5,6,7\r\n04.02.09,7,14,21,28,35,42,49\r\n", false,
         "Die Datei auf dem Server enthält nur 2 Ziehungen, das Archiv aber 3."},
        {"abgebrochen", lang, true, "Die Übertragung ist abgebrochen: 230 von 480 Bytes sind angekommen."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        dialoge->Clear();
        AtomicWriteFile(ordner + "dorov_zahlen.txt", drei);
        AtomicWriteFile(wurzel + "dorov_zahlen.txt", f.server);
        if (f.halb)
            server = std::make_unique<TestServer>(
                "ftp_server.py", std::vector<std::string>{wurzel, "lotto", "geheim", "dorov_zahlen.txt"});
        anmelden("lotto", "geheim");
        EXPECT_FALSE(form->ftp_holen());
        EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), drei);
        ASSERT_EQ(dialoge->Shown().size(), 1u);
        EXPECT_EQ(
            dialoge->Shown()[0].Text,
            "Die Lottozahlen konnten nicht heruntergeladen werden. dorov_zahlen.txt bleibt unverändert.\n" +
                f.grund);
        EXPECT_FALSE(form->IdFTP1->Connected());
    }
}

TEST_F(FtpTest, ArchiveItCannotCountOrABrokenDrawKeepsTheArchiveAndSaysWhy)
{
    String utf16 = "\xff\xfe";
    for (char c : String("01.02.09,1,2,3,4,5,6,7\r\n04.02.09,7,14,21,28,35,42,49\r\n")) {
        utf16 += c;
        utf16 += '\0';
    }
    struct Fall {
        const char* name;
        String archiv;  // the archive before the download
        String server;
        const char* grund;
    };
    const Fall faelle[] = {
        {"vierstellige Jahre",
         "01.02.2009,1,2,3,4,5,6,7\n04.02.2009,7,14,21,28,35,42,49\n07.02.2009,1,2,3,4,5,6,7\n",
         "10.02.09,1,2,3,4,5,6,7\r\n",
         "Die Datei auf dem Server enthält nur 1 Ziehungen, das Archiv aber 3."},
        {"UTF-16", utf16, "10.02.09,1,2,3,4,5,6,7\r\n",
         "Die Datei dorov_zahlen.txt ist nicht im Format des Archivs (Text, eine Ziehung je Zeile): sie ist "
         "als "
         "UTF-16 gespeichert."},
        {"letzte Zeile abgeschnitten", ALT, String(NEU_SERVER) + "19.12.26,3,7,1",
         "Die Datei auf dem Server enthält eine unvollständige Ziehung: Der Ziehung „19.12.26,3,7,1“ fehlen "
         "3 "
         "der sechs Zahlen und die Zusatzzahl."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        dialoge->Clear();
        AtomicWriteFile(ordner + "dorov_zahlen.txt", f.archiv);
        AtomicWriteFile(wurzel + "dorov_zahlen.txt", f.server);
        anmelden("lotto", "geheim");
        EXPECT_FALSE(form->ftp_holen());
        EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), f.archiv);
        ASSERT_EQ(dialoge->Shown().size(), 1u);
        EXPECT_EQ(
            dialoge->Shown()[0].Text,
            "Die Lottozahlen konnten nicht heruntergeladen werden. dorov_zahlen.txt bleibt unverändert.\n" +
                String(f.grund));
    }
}

TEST_F(FtpTest, MissingNewsStillCountAsASuccessfulUpdate)
{
    ASSERT_TRUE(DeleteFile(wurzel + "news.txt") || !FileExists(wurzel + "news.txt"));
    anmelden("lotto", "geheim");
    EXPECT_TRUE(form->ftp_holen());
    EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), NEU_LOKAL);
    EXPECT_TRUE(dialoge->Shown().empty());
}

TEST_F(FtpTest, PortThatIsNoNumberIsReportedWithoutConnecting)
{
    anmelden("lotto", "geheim");
    Umgebung port("RAVELO_FTP_PORT", "einundzwanzig");
    EXPECT_FALSE(form->ftp_holen());
    ASSERT_EQ(dialoge->Shown().size(), 1u);
    EXPECT_NE(dialoge->Shown()[0].Text.find("einundzwanzig"), String::npos);
    EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), ALT);
}

// ---- New-version notice ------------------------------------------------------------------

namespace {

class VersionTest : public ToolbarTest {
protected:
    void hinweis(const char* wert)
    {
        TIniFile ini(ordner + "environment.ini");
        ini.WriteString("Allgemein", "Update", wert);
    }
    String gespeichert()
    {
        return TIniFile(ordner + "environment.ini").ReadString("Allgemein", "Update", "?");
    }
};

}  // namespace

TEST_F(VersionTest, NoticeOfTheFirstBlockIsShownOnceAndNoKeepsTheDownloadPageClosed)
{
    hinweis("true");
    schreibe("0.html", {"<html>", "<v3.3.7>", "Neue Version 3.4!", "<b>Jetzt laden?</b>", "</v3.3.7>",
                        "<v3.3.7>", "zweiter Block", "</v3.3.7>"});
    EXPECT_TRUE(form->version_pruefen());
    ASSERT_EQ(dialoge->Shown().size(), 1u);
    EXPECT_EQ(dialoge->Shown()[0].Text, "Neue Version 3.4!<b>Jetzt laden?</b>");
    EXPECT_EQ(dialoge->Shown()[0].Buttons, mbYes | mbNo);
    EXPECT_TRUE(shell->Requests().empty());
    EXPECT_FALSE(update_hinweis);
    EXPECT_EQ(gespeichert(), "false");

    EXPECT_TRUE(form->version_pruefen());
    EXPECT_EQ(dialoge->Shown().size(), 1u);
}

TEST_F(VersionTest, YesOpensTheDownloadPage)
{
    hinweis("true");
    schreibe("0.html", {"<v3.3.7>", "Neu", "</v3.3.7>"});
    dialoge->AddAnswer(mrYes);
    EXPECT_TRUE(form->version_pruefen());
    const auto r = shell->Requests();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].File, "http://localhost/download/index.php");
    EXPECT_EQ(r[0].Verb, "open");
    EXPECT_EQ(r[0].ShowCmd, SW_SHOWDEFAULT);
    EXPECT_EQ(r[0].Owner, form.get());
    EXPECT_EQ(gespeichert(), "false");
}

TEST_F(VersionTest, MarkersOutOfPlaceGiveTheTextsTheScanFinds)
{
    struct Fall {
        const char* name;
        const char* seite;
        const char* text;
    };
    const Fall faelle[] = {
        {"ohne Anfang", "eins\nzwei\ndrei\n</v3.3.7>\n", "zweidrei"},
        {"ohne Ende", "<v3.3.7>\nNeu\n", ""},
        {"eine Zeile", "x\n<v3.3.7>Neu</v3.3.7>\ny\n", ""},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        dialoge->Clear();
        hinweis("true");
        AtomicWriteFile(ordner + "0.html", f.seite);
        EXPECT_TRUE(form->version_pruefen());
        ASSERT_EQ(dialoge->Shown().size(), 1u);
        EXPECT_EQ(dialoge->Shown()[0].Text, f.text);
    }
}

TEST_F(VersionTest, WithoutPendingNoticeThePageIsNotRead)
{
    for (const char* wert : {"false", "TRUE", ""}) {
        SCOPED_TRACE(wert);
        hinweis(wert);
        EXPECT_TRUE(form->version_pruefen());  // 0.html does not exist
        EXPECT_TRUE(dialoge->Shown().empty());
    }
}

TEST_F(VersionTest, MissingPageKeepsTheNoticePending)
{
    hinweis("true");
    EXPECT_FALSE(form->version_pruefen());
    EXPECT_TRUE(dialoge->Shown().empty());
    EXPECT_EQ(gespeichert(), "true");
}

TEST_F(FtpTest, UpdateButtonTakesTheFtpRouteAndRestoresTheWindowEitherWay)
{
    for (const char* passwort : {"geheim", "falsch"}) {
        SCOPED_TRACE(passwort);
        AtomicWriteFile(ordner + "dorov_zahlen.txt", ALT);
        anmelden("lotto", passwort);
        form->Image24->SetEnabled(true);
        form->zaehler_Image24 = 2;
        form->Image24Click(nullptr);
        const bool erfolg = String(passwort) == "geheim";
        EXPECT_EQ(ReadFileBytes(ordner + "dorov_zahlen.txt"), erfolg ? NEU_LOKAL : ALT);
        // The restore reads the archive into the grid again.
        EXPECT_EQ(form->Tabelle->RowCount(), erfolg ? 3 : 2);
        EXPECT_EQ(grau_aktiv, 0);
        EXPECT_TRUE(form->Image24->Enabled());
        EXPECT_TRUE(form->ListBox1->Enabled());
        EXPECT_EQ(zeigt(form->Image24), "web_search24.gif");
        EXPECT_EQ(form->zaehler_Image24, 0);
    }
}

TEST_F(VersionTest, StatisticsPageShowsThePendingNoticeFirst)
{
    hinweis("true");
    schreibe("0.html", {"<v3.3.7>", "Neu", "</v3.3.7>"});
    form->start2_sw_click(nullptr);
    ASSERT_EQ(dialoge->Shown().size(), 1u);
    EXPECT_EQ(dialoge->Shown()[0].Text, "Neu");
    EXPECT_EQ(gespeichert(), "false");
    form->start2_sw_click(nullptr);
    EXPECT_EQ(dialoge->Shown().size(), 1u);
}

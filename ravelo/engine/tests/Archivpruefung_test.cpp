// Whether a downloaded archive may replace dorov_zahlen.txt.
#include "Archivpruefung.h"

#include <gtest/gtest.h>

#include "Testordner.h"
#include "rtl/Files.h"

namespace {

class ArchivpruefungTest : public TestOrdner {};

TEST_F(ArchivpruefungTest, DownloadIsRefusedWhenBrokenEmptyJunkHtmlOrShort)
{
    const String archiv = ordner + "dorov_zahlen.txt";
    AtomicWriteFile(archiv, "Lottozahlen\n01.07.09,1,2,3,4,5,6,7\n04.07.09,8,9,10,11,12,13,14\n");
    const String gut = "01.07.09,1,2,3,4,5,6,7\n04.07.09,8,9,10,11,12,13,14\n08.07.09,3,4,5,6,7,8,9\n";
    const auto ganz = [](const String& s) { return static_cast<std::int64_t>(s.size()); };
    struct Fall {
        const char* name;
        String bytes;
        std::int64_t groesse;
        const char* einwand;  // empty: may replace the archive
    };
    const Fall faelle[] = {
        {"gut", gut, ganz(gut), ""},
        {"gut, Server mit CR LF", gut, ganz(gut) + 3, ""},
        {"gut, Groesse unbekannt", gut, -1, ""},
        {"leer", "", 0, "Die Datei auf dem Server enthält keine Lottozahlen."},
        {"Unsinn", "xx\x01yy\nzz\n", 9, "Die Datei auf dem Server enthält keine Lottozahlen."},
        {"HTML-Seite", "<html><body><h1>404 Not Found</h1></body></html>\n", 50,
         "Die Datei auf dem Server enthält keine Lottozahlen."},
        {"kurz", "01.07.09,1,2,3,4,5,6,7\n", 23,
         "Die Datei auf dem Server enthält nur 1 Ziehungen, das Archiv aber 2."},
        {"halb uebertragen", gut.substr(0, gut.size() / 2), ganz(gut),
         "Die Übertragung ist abgebrochen: 37 von 74 Bytes sind angekommen."},
        {"halb uebertragen, Server mit CR LF", gut.substr(0, 40), ganz(gut) + 3,
         "Die Übertragung ist abgebrochen: 40 von 77 Bytes sind angekommen."},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(Einwand_gegen_Download(f.groesse, f.bytes, archiv), f.einwand);
    }
    // Without an archive any download with a draw may become it.
    EXPECT_EQ(Einwand_gegen_Download(23, "01.07.09,1,2,3,4,5,6,7\n", ordner + "fehlt.txt"), "");
}

// The archive's draws are counted as the program reads them, so an archive in a form the
// strict draw line does not take (four-digit years, single-digit days) is not beaten by a
// shorter file; an archive that cannot be counted is never replaced.
TEST_F(ArchivpruefungTest, ArchiveIsCountedAsTheProgramReadsItAndKeptWhenItCannotBe)
{
    const String archiv = ordner + "dorov_zahlen.txt";
    const String eine = "13.06.26,2,9,17,28,33,41,5\n";
    String vierstellig, utf16;
    for (int tag = 1; tag <= 5; ++tag)
        vierstellig += "0" + IntToStr(tag) + ".06.2026,11,15,22,30,41,47,3\r\n";
    for (char c : String("\xff\xfe") + "10.06.26,11,15,22,30,41,47,3\r\n11.06.26,1,2,3,4,5,6,7\r\n") {
        utf16 += c;
        if (c != '\xff' && c != '\xfe') utf16 += '\0';
    }
    String utf16_ohne_bom = utf16.substr(2);
    struct Fall {
        const char* name;
        String alt;
        String neu;
        const char* einwand;
    };
    const Fall faelle[] = {
        {"vierstellige Jahre", vierstellig, eine,
         "Die Datei auf dem Server enthält nur 1 Ziehungen, das Archiv aber 5."},
        {"einstellige Tage", "1.6.26,1,2,3,4,5,6,7\n3.6.26,8,9,10,11,12,13,14\n", eine,
         "Die Datei auf dem Server enthält nur 1 Ziehungen, das Archiv aber 2."},
        {"Jahre 82 bis 86 zaehlen nicht", "01.01.84,1,2,3,4,5,6,7\n01.01.85,1,2,3,4,5,6,7\n", eine, ""},
        {"UTF-16", utf16, eine,
         "Die Datei dorov_zahlen.txt ist nicht im Format des Archivs (Text, eine Ziehung je Zeile): sie ist "
         "als UTF-16 gespeichert."},
        {"UTF-16 ohne BOM", utf16_ohne_bom, eine,
         "Die Datei dorov_zahlen.txt ist nicht im Format des Archivs (Text, eine Ziehung je Zeile): sie ist "
         "als UTF-16 gespeichert."},
        {"Nullbytes",
         "01.06.26,1,2,3,4,5,6,7\n02.06.26,1,2" + String(1, '\0') + ",3,4,5,6,7\n03.06.26,1,2,3,4,5,6,7\n",
         eine,
         "Die Datei dorov_zahlen.txt ist nicht im Format des Archivs (Text, eine Ziehung je Zeile): sie "
         "enthält Nullbytes, ist also keine Textdatei."},
        {"nur CR", "01.06.26,1,2,3,4,5,6,7\r02.06.26,1,2,3,4,5,6,7\r03.06.26,1,2,3,4,5,6,7\r", eine,
         "Die Datei dorov_zahlen.txt ist nicht im Format des Archivs (Text, eine Ziehung je Zeile): ihre "
         "Zeilen enden nur mit CR."},
        {"Text ohne Ziehungszeile", "<html>\n<body>Lottozahlen</body>\n", eine,
         "Das Archiv dorov_zahlen.txt enthält keine Zeile in der Form einer Ziehung (tt.mm.jj,Zahlen), seine "
         "Ziehungen lassen sich nicht zählen."},
        {"leer", "", eine, ""},
        {"nur Leerzeilen", "\r\n \n\t\n", eine, ""},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        AtomicWriteFile(archiv, f.alt);
        EXPECT_EQ(Einwand_gegen_Download(-1, f.neu, archiv), f.einwand);
    }
    // An archive that cannot be read (here a folder in its place) is not counted as empty.
    ASSERT_TRUE(DeleteFile(archiv));
    ASSERT_TRUE(ForceDirectories(archiv + "/x"));
    const TArchivpruefung p = pruefe_neues_Archiv(eine, archiv);
    EXPECT_EQ(p.urteil, TArchivurteil::Archiv_unlesbar);
}

// Only whole draws replace the archive: the last draw line and every draw the archive lacks
// carry six numbers and the extra number.
TEST_F(ArchivpruefungTest, DownloadEndingInACutDrawOrAddingABrokenOneIsRefused)
{
    const String archiv = ordner + "dorov_zahlen.txt";
    const String zwei = "16.12.26,4,8,15,16,23,42,7\n17.12.26,1,2,3,4,5,6,7\n";
    AtomicWriteFile(archiv, zwei);
    struct Fall {
        const char* name;
        String neu;
        const char* einwand;
    };
    const Fall faelle[] = {
        {"letzte Zeile abgeschnitten", zwei + "19.12.26,3,7,1",
         "Die Datei auf dem Server enthält eine unvollständige Ziehung: Der Ziehung „19.12.26,3,7,1“ fehlen "
         "3 "
         "der sechs Zahlen und die Zusatzzahl."},
        {"letzte Zeile ohne Zusatzzahl", zwei + "19.12.26,3,7,12,20,31,44\r\n",
         "Die Datei auf dem Server enthält eine unvollständige Ziehung: Der Ziehung "
         "„19.12.26,3,7,12,20,31,44“ "
         "fehlt die Zusatzzahl."},
        {"letzte Zeile mit leerem Feld", zwei + "19.12.26,3,,12,20,31,44,9\n",
         "Die Datei auf dem Server enthält eine unvollständige Ziehung: Der Ziehung "
         "„19.12.26,3,,12,20,31,44,9“ "
         "fehlt eine der sechs Zahlen."},
        {"letzte Zeile im Datum abgeschnitten", zwei + "19.1",
         "Die Datei auf dem Server enthält eine unvollständige Ziehung: Der Ziehung „19.1“ fehlen 6 der "
         "sechs "
         "Zahlen und die Zusatzzahl."},
        {"neue Ziehung in der Mitte ohne Zusatzzahl", "18.12.26,3,7,12,20,31,44\n" + zwei,
         "Die Datei auf dem Server enthält eine unvollständige Ziehung: Der Ziehung "
         "„18.12.26,3,7,12,20,31,44“ "
         "fehlt die Zusatzzahl."},
        {"neue Ziehung mit Zahl ueber 49", zwei + "19.12.26,3,7,12,20,31,50,9\n",
         "Die Datei auf dem Server enthält eine unvollständige Ziehung: „19.12.26,3,7,12,20,31,50,9“ ist "
         "keine "
         "Ziehung der Form tt.mm.jj mit sechs Zahlen von 1 bis 49 und der Zusatzzahl."},
        {"ganze neue Ziehung", zwei + "19.12.26,3,7,12,20,31,44,9\n", ""},
        {"ganze neue Ziehung ohne Zeilenende", zwei + "19.12.26,3,7,12,20,31,44,9", ""},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(Einwand_gegen_Download(-1, f.neu, archiv), f.einwand);
        EXPECT_EQ(ReadFileBytes(archiv), zwei);
    }
    // A broken line the archive already holds, before the last draw, adds nothing.
    const String mit_alter_Luecke = "16.12.26,4,8,15\n17.12.26,1,2,3,4,5,6,7\n";
    AtomicWriteFile(archiv, mit_alter_Luecke);
    EXPECT_EQ(Einwand_gegen_Download(-1, mit_alter_Luecke + "19.12.26,3,7,12,20,31,44,9\n", archiv), "");
}

TEST(Archivpruefung, CountsTheDrawLinesOfTextAndLists)
{
    EXPECT_EQ(Anzahl_Ziehungen("Kopf\r\n01.07.09,1,2,3,4,5,6,7\r\n\r\n  04.07.09,8,9,10,11,12,13,14<br>"), 2);
    EXPECT_EQ(Anzahl_Ziehungen(""), 0);
    TStringList l;
    l.Add("01.07.09,1,2,3,4,5,6,7 (Mittwoch)");
    l.Add("03.03.33, 0,0,0,0,0,0, 0");
    EXPECT_EQ(Anzahl_Ziehungen(l), 1);
}

}  // namespace

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

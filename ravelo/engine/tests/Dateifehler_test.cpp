// A failed write told in German: the cause the system names, then its own text on a line apart.
#include <gtest/gtest.h>

#include "Dateifehler.h"

namespace {

TEST(Dateifehler, GrundAufDeutsch)
{
    struct Fall {
        const char* system;
        const char* grund;
    };
    for (const Fall& f :
         {Fall{"Cannot open file \"/p/profile.txt\". Read-only file system",
               "Der Programmordner ist schreibgeschützt."},
          Fall{"Cannot write file \"/p/a.txt\". No space left on device", "Der Datenträger ist voll."},
          Fall{"Cannot open file \"/p/a.txt\". Disk quota exceeded", "Der Datenträger ist voll."},
          Fall{"Cannot open file \"/p/a.txt\". Permission denied",
               "Das Programm darf im Programmordner nicht schreiben."},
          Fall{"Cannot allocate memory", "Der Arbeitsspeicher reicht nicht aus."},
          Fall{"Cannot open file \"/p/a.txt\". Input/output error", ""}}) {
        EXPECT_EQ(Grund_auf_Deutsch(f.system), f.grund) << f.system;
    }
}

TEST(Dateifehler, SatzGrundUndSystemtext)
{
    EXPECT_EQ(Dateifehler_Text("Die Profilliste profile.txt kann nicht gespeichert werden!",
                               EInOutError("Cannot open file \"/p/profile.txt\". Read-only file system")),
              "Die Profilliste profile.txt kann nicht gespeichert werden! Der Programmordner ist "
              "schreibgeschützt.\n\n"
              "Meldung des Systems: Cannot open file \"/p/profile.txt\". Read-only file system");
    // A cause it does not know: the question the program always asked.
    EXPECT_EQ(
        Dateifehler_Text("Das Profil \"a\" kann nicht gespeichert werden!", EInOutError("kaputt")),
        "Das Profil \"a\" kann nicht gespeichert werden! Ist der Datenträger voll oder schreibgeschützt?\n\n"
        "Meldung des Systems: kaputt");
}

}  // namespace

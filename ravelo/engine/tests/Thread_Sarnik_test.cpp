// The one-click driver against a recording window: which steps it runs, in what order it shows
// the animation and re-enables the pictures, and when it asks for the comparison.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "Testordner.h"
#include "Thread_Sarnik.h"
#include "Tippdateien.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "schritt1_Testhilfen.h"
#include "schritt23_Fenster.h"

namespace {

using ::testing::ElementsAre;

class Schritt23TreiberTest : public TestOrdner {
protected:
    void SetUp() override
    {
        TestOrdner::SetUp();
        uhr = std::make_unique<TVirtualClockGuard>(EncodeDate(2009, 8, 10) + EncodeTime(12, 0, 0, 0));
        schreibe("dorov_zahlen.txt", {"01.07.09,5,11,19,28,36,44,9", "04.07.09,8,17,22,33,41,45,3"});
    }
    void TearDown() override
    {
        uhr.reset();
        TestOrdner::TearDown();
    }

    // Starts the driver as the run buttons do and waits for its end; its running flag.
    bool laufe(Thread_Sarnik& t)
    {
        t.Resume();
        t.WaitFor();
        EXPECT_EQ(t.FatalException(), nullptr);
        return t.laeuft();
    }

    static std::size_t anzahl(const std::vector<String>& zeilen, const String& zeile)
    {
        return static_cast<std::size_t>(std::count(zeilen.begin(), zeilen.end(), zeile));
    }

    std::unique_ptr<TVirtualClockGuard> uhr;
    AufzeichnungsFenster f;
};

TEST_F(Schritt23TreiberTest, StepsTwoAndThreeRunInTurnThenThePicturesAreReleased)
{
    schreibe("Schritt2_ersetzt_12-08-2009-aus20_Index-1.cvs",
             {"31,33,35,37,39,41", "32,34,36,38,40,42", "1,2,3,10,20,7", "1,12,23,34,45,46"});
    f.varianten = 4;
    f.boxen[2] = false;
    for (int k = 5; k <= 13; ++k) f.boxen[k] = false;  // filters off: only drawn ones go

    TDebugCapture spur;
    Thread_Sarnik t(true, &f, nullptr, nullptr);
    EXPECT_FALSE(laufe(t));

    const auto p = f.protokoll();
    auto stelle = [&p](const String& eintrag) { return std::find(p.begin(), p.end(), eintrag) - p.begin(); };
    EXPECT_EQ(anzahl(p, "Animate1 sichtbar"), 2u);
    EXPECT_EQ(p.front(), "Animate1 sichtbar");
    EXPECT_LT(stelle("Label1 Schritt2: OK"),
              stelle("ListBox1 4,|2,3,|4,"));  // step 3 starts after step 2's end
    EXPECT_THAT(std::vector<String>(p.end() - 3, p.end()),
                ElementsAre("schritt3_aktiv=0", "pruefe_Tippdatum(true)", "bilder_freigeben"));
    EXPECT_EQ(anzahl(p, "Timer1 an"), 0u);
    EXPECT_FALSE(t.gescheitert());
    EXPECT_FALSE(t.t_Schritt[0]);
    EXPECT_FALSE(t.t_Schritt[1]);
    EXPECT_TRUE(t.t_Schritt[2]);
    EXPECT_TRUE(t.t_Schritt[3]);
    EXPECT_FALSE(t.t_Vergleich);  // the tip date's draw is not known

    const auto spuren = spur.Lines();
    EXPECT_EQ(anzahl(spuren, "Thread_Sarnik gestartet..."), 1u);
    EXPECT_EQ(anzahl(spuren, "Ergebnis TSchritt2:"), 1u);
    EXPECT_EQ(anzahl(spuren, "Ergebnis TSchritt3:"), 1u);
    // Steps 2 and 3 report "not running" at once: the driver goes straight to waiting.
    EXPECT_EQ(anzahl(spuren, "Warte auf Ende TSchritt2 ....."), 0u);
    EXPECT_EQ(anzahl(spuren, "Warte auf Ende TSchritt3 ....."), 0u);

    EXPECT_EQ(zeilen_von(Dateipfad(DATEI_ERSETZT_GELOESCHT, f.schluessel)).size(), 4u);
    // 12 tips asked, 4 filtered lines: the two after the two best are selected.
    EXPECT_EQ(zeilen_von(Dateipfad(DATEI_AUSGEWAEHLT, f.schluessel)).size(), 2u);
    EXPECT_THAT(zeilen_von(ordner + DATEI_HISTORY), ElementsAre(f.schluessel));
}

TEST_F(Schritt23TreiberTest, NoStepTickedOnlyAsksForTheComparisonAndReleases)
{
    for (int k = 2; k <= 4; ++k) f.boxen[k] = false;
    Thread_Sarnik t(true, &f, nullptr, nullptr);
    EXPECT_FALSE(laufe(t));
    EXPECT_THAT(f.protokoll(), ElementsAre("pruefe_Tippdatum(true)", "bilder_freigeben"));
    for (auto& kind : t.t_Schritt) EXPECT_FALSE(kind);
}

}  // namespace

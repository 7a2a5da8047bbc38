// Run history and draw dates: the next and the last draw at the edges of the draw evenings,
// the run-index scan of history.txt and the archive tests.
#include "FormTestbasis.h"
#include "rtl/Clock.h"

namespace {

TDateTime Zeit(int jahr, int monat, int tag, int stunde, int minute)
{
    return EncodeDate(jahr, monat, tag) + EncodeTime(stunde, minute, 0, 0);
}

struct Moment {
    int jahr, monat, tag, stunde = 0, minute = 0;
    TDateTime zeit() const { return Zeit(jahr, monat, tag, stunde, minute); }
};

// Plain numbers, turned into dates when a test runs (not during static initialisation).
struct Ziehungsfall {
    const char* name;
    Moment jetzt;
    Moment erwartet;  // the draw date
};

void PrintTo(const Ziehungsfall& f, std::ostream* os) { *os << f.name; }

// 12.08.2009 is a Wednesday.
const Ziehungsfall naechste_faelle[] = {
    {"Sonntag", {2009, 8, 9, 12, 0}, {2009, 8, 12}},
    {"Montag", {2009, 8, 10, 23, 59}, {2009, 8, 12}},
    {"Dienstag", {2009, 8, 11, 20, 0}, {2009, 8, 12}},
    {"MittwochFrueh", {2009, 8, 12, 0, 0}, {2009, 8, 12}},
    {"Mittwoch1859", {2009, 8, 12, 18, 59}, {2009, 8, 12}},
    {"Mittwoch1900", {2009, 8, 12, 19, 0}, {2009, 8, 15}},
    {"Donnerstag", {2009, 8, 13, 10, 0}, {2009, 8, 15}},
    {"Freitag", {2009, 8, 14, 21, 0}, {2009, 8, 15}},
    {"Samstag1959", {2009, 8, 15, 19, 59}, {2009, 8, 15}},
    {"Samstag2000", {2009, 8, 15, 20, 0}, {2009, 8, 19}},
    {"Samstag2359", {2009, 8, 15, 23, 59}, {2009, 8, 19}},
    {"JahreswechselSamstag", {2012, 12, 29, 20, 30}, {2013, 1, 2}},
};

const Ziehungsfall letzte_faelle[] = {
    {"Sonntag", {2009, 8, 16, 9, 0}, {2009, 8, 15}},
    {"Montag", {2009, 8, 10, 12, 0}, {2009, 8, 8}},
    {"Dienstag", {2009, 8, 11, 22, 0}, {2009, 8, 8}},
    {"Mittwoch1859", {2009, 8, 12, 18, 59}, {2009, 8, 8}},
    {"Mittwoch1900", {2009, 8, 12, 19, 0}, {2009, 8, 12}},
    {"Donnerstag", {2009, 8, 13, 1, 0}, {2009, 8, 12}},
    {"Freitag", {2009, 8, 14, 18, 0}, {2009, 8, 12}},
    {"Samstag1959", {2009, 8, 15, 19, 59}, {2009, 8, 12}},
    {"Samstag2000", {2009, 8, 15, 20, 0}, {2009, 8, 15}},
    {"JahreswechselMittwoch", {2014, 1, 1, 18, 0}, {2013, 12, 28}},
};

class NaechsteZiehung : public Form1Test, public ::testing::WithParamInterface<Ziehungsfall> {};
class LetzteZiehung : public Form1Test, public ::testing::WithParamInterface<Ziehungsfall> {};

String Tag(TDateTime t) { return DateToStr(t); }

}  // namespace

TEST_P(NaechsteZiehung, NamesTheRunKeyAndTheTipDate)
{
    const Ziehungsfall& f = GetParam();
    schreibe("history.txt", {});
    TVirtualClockGuard uhr(f.jetzt.zeit());
    form->start_laeuft = true;  // as during start-up
    ASSERT_TRUE(form->lade_History(0));
    EXPECT_EQ(Tag(form->DateTimePicker2->Date()), Tag(f.erwartet.zeit()));
    const String datum = FormatDateTime("dd-mm-yyyy", f.erwartet.zeit());
    EXPECT_EQ(form->ComboBox2->Text(), datum + "-aus20_Index-1*");
    EXPECT_EQ(form->tipp_datum.get(), datum);
}

INSTANTIATE_TEST_SUITE_P(Tage, NaechsteZiehung, ::testing::ValuesIn(naechste_faelle),
                         [](const auto& info) { return String(info.param.name); });

TEST_P(LetzteZiehung, LooksForTheNewestDrawInTheArchive)
{
    const Ziehungsfall& f = GetParam();
    TVirtualClockGuard uhr(f.jetzt.zeit());
    schreibe("dorov_zahlen.txt", {"01.08.09,1,2,3,4,5,6,7,8,111111,1111111"});
    EXPECT_TRUE(form->pruefe_Ziehung());  // missing
    EXPECT_EQ(Tag(form->DateTimePicker1->Date()), Tag(f.erwartet.zeit()));

    const String zeile =
        FormatDateTime("dd.mm.yy", f.erwartet.zeit()) + ",3,9,17,22,31,44,12,5,111111,1111111";
    schreibe("dorov_zahlen.txt", {"01.08.09,1,2,3,4,5,6,7,8,111111,1111111", zeile.c_str()});
    EXPECT_FALSE(form->pruefe_Ziehung());  // present
}

INSTANTIATE_TEST_SUITE_P(Tage, LetzteZiehung, ::testing::ValuesIn(letzte_faelle),
                         [](const auto& info) { return String(info.param.name); });

namespace {

struct Indexfall {
    const char* name;
    std::vector<const char*> zeilen;
    const char* schluessel;
};

void PrintTo(const Indexfall& f, std::ostream* os) { *os << f.name; }

// The run of 12-08-2009 with pool size 20 (the slider's start position).
const Indexfall index_faelle[] = {
    {"Leer", {}, "12-08-2009-aus20_Index-1*"},
    {"Eins_Zwei", {"12-08-2009-aus20_Index-1*", "12-08-2009-aus20_Index-2*"}, "12-08-2009-aus20_Index-3*"},
    {"Eins_Drei", {"12-08-2009-aus20_Index-1*", "12-08-2009-aus20_Index-3*"}, "12-08-2009-aus20_Index-2*"},
    {"Zwei_Drei", {"12-08-2009-aus20_Index-2*", "12-08-2009-aus20_Index-3*"}, "12-08-2009-aus20_Index-1*"},
    {"Drei_Eins", {"12-08-2009-aus20_Index-3*", "12-08-2009-aus20_Index-1*"}, "12-08-2009-aus20_Index-2*"},
    // Out of order after a freed index was used again: 2 is taken, so the new run gets 3.
    {"Zwei_Eins", {"12-08-2009-aus20_Index-2*", "12-08-2009-aus20_Index-1*"}, "12-08-2009-aus20_Index-3*"},
    {"AndereTageUndAnzahlen",
     {"12-08-2009-aus21_Index-1*", "15-08-2009-aus20_Index-1*", "12-08-2009-aus200_Index-1*",
      "12-08-2009-aus20_Index-1*", "08-08-2009-aus20_Index-2*", "12-08-2009-aus18_Index-2*"},
     "12-08-2009-aus20_Index-2*"},
    {"ZweistelligerIndex",
     {"12-08-2009-aus20_Index-1*", "12-08-2009-aus20_Index-2*", "12-08-2009-aus20_Index-3*",
      "12-08-2009-aus20_Index-4*", "12-08-2009-aus20_Index-5*", "12-08-2009-aus20_Index-6*",
      "12-08-2009-aus20_Index-7*", "12-08-2009-aus20_Index-8*", "12-08-2009-aus20_Index-9*",
      "12-08-2009-aus20_Index-10*", "12-08-2009-aus20_Index-12*"},
     "12-08-2009-aus20_Index-11*"},
    {"WindowsZeilenenden",
     {"12-08-2009-aus20_Index-1*\r", "12-08-2009-aus20_Index-2*\r"},
     "12-08-2009-aus20_Index-3*"},
    {"KurzeUndFremdeZeilen",
     {"", "12-08", "kein Schluessel", "12-08-2009-aus20_Index-*"},
     "12-08-2009-aus20_Index-1*"},
};

class Laufindex : public Form1Test, public ::testing::WithParamInterface<Indexfall> {};

}  // namespace

TEST_P(Laufindex, TakesTheLowestIndexNotInUse)
{
    const Indexfall& f = GetParam();
    String inhalt;
    for (const char* z : f.zeilen) inhalt += String(z) + "\n";
    AtomicWriteFile(ordner + "history.txt", inhalt);
    TVirtualClockGuard uhr(Zeit(2009, 8, 12, 10, 0));
    ASSERT_TRUE(form->lade_History(0));
    EXPECT_EQ(form->ComboBox2->Text(), f.schluessel);
    EXPECT_EQ(form->ComboBox2->Items()->Count(), static_cast<int>(f.zeilen.size()));
}

INSTANTIATE_TEST_SUITE_P(History, Laufindex, ::testing::ValuesIn(index_faelle),
                         [](const auto& info) { return String(info.param.name); });

TEST_F(Form1Test, RunKeyForAGivenDateAndPoolSize)
{
    schreibe("history.txt", {"15-08-2009-aus30_Index-1*", "12-08-2009-aus20_Index-1*"});
    TVirtualClockGuard uhr(Zeit(2009, 8, 12, 10, 0));
    form->TrackBar1->SetPosition(30);
    const TDateTime vorher = form->DateTimePicker2->DateTime();
    ASSERT_TRUE(form->lade_History(EncodeDate(2009, 8, 15)));
    EXPECT_EQ(form->ComboBox2->Text(), "15-08-2009-aus30_Index-2*");
    EXPECT_EQ(form->tipp_datum.get(), "15-08-2009");
    // Outside start-up the tip-date picker is left as it is.
    EXPECT_EQ(form->DateTimePicker2->DateTime(), vorher);
    ASSERT_EQ(form->ComboBox2->Items()->Count(), 2);
    EXPECT_EQ(form->ComboBox2->Items()->Get(0), "15-08-2009-aus30_Index-1*");
    EXPECT_EQ(form->ComboBox2->Items()->Get(1), "12-08-2009-aus20_Index-1*");
}

TEST_F(Form1Test, TipDatePickerChangeBuildsTheKeyOfThatDate)
{
    schreibe("history.txt", {"19-08-2009-aus20_Index-1*"});
    TVirtualClockGuard uhr(Zeit(2009, 8, 12, 10, 0));
    form->DateTimePicker2->UserSetDateTime(Zeit(2009, 8, 19, 9, 30));
    EXPECT_EQ(form->ComboBox2->Text(), "19-08-2009-aus20_Index-2*");
    EXPECT_EQ(form->tipp_datum.get(), "19-08-2009");
}

TEST_F(Form1Test, MissingHistoryKeepsTheKey)
{
    TVirtualClockGuard uhr(Zeit(2009, 8, 12, 10, 0));
    form->ComboBox2->SetText("alt*");
    form->tipp_datum = "01-01-2009";
    EXPECT_FALSE(form->lade_History(0));
    EXPECT_EQ(form->Label1->Caption(), "Datei history.txt nicht gefunden!");
    EXPECT_EQ(form->ComboBox2->Text(), "alt*");
    EXPECT_EQ(form->tipp_datum.get(), "01-01-2009");
}

TEST_F(Form1Test, TipDateInArchiveFromPickerOrRunKey)
{
    schreibe("dorov_zahlen.txt",
             {"08.08.09,4,8,15,16,23,42,7,1,111111,1111111", "12.08.09,1,2,3,4,5,6,7,8,111111,1111111"});
    form->DateTimePicker2->SetDateTime(Zeit(2009, 8, 12, 19, 0));
    EXPECT_TRUE(form->pruefe_Tippdatum(true));
    form->DateTimePicker2->SetDate(EncodeDate(2009, 8, 15));
    EXPECT_FALSE(form->pruefe_Tippdatum(true));

    form->ComboBox2->SetText("08-08-2009-aus20_Index-3*");
    EXPECT_TRUE(form->pruefe_Tippdatum(false));
    form->ComboBox2->SetText("08-08-2010-aus20_Index-1*");
    EXPECT_FALSE(form->pruefe_Tippdatum(false));
    form->ComboBox2->SetText("History");
    EXPECT_THROW(form->pruefe_Tippdatum(false), EConvertError);
    form->ComboBox2->SetText("31-02-2009-aus20_Index-1*");
    EXPECT_THROW(form->pruefe_Tippdatum(false), EConvertError);
}

TEST_F(Form1Test, MissingArchiveIsAnOpenError)
{
    TVirtualClockGuard uhr(Zeit(2009, 8, 12, 10, 0));
    EXPECT_THROW(form->pruefe_Ziehung(), EFOpenError);
    EXPECT_THROW(form->pruefe_Tippdatum(true), EFOpenError);
}

TEST_F(Form1Test, FilePresentWhenItCanBeOpened)
{
    schreibe("Schritt2_ersetzt_12-08-2009-aus20_Index-1.cvs", {"1,2,3,4,5,6"});
    EXPECT_TRUE(form->datei_vorhanden(ordner + "Schritt2_ersetzt_12-08-2009-aus20_Index-1.cvs"));
    EXPECT_FALSE(form->datei_vorhanden(ordner + "Schritt2_ersetzt_12-08-2009-aus20_Index-2.cvs"));
}

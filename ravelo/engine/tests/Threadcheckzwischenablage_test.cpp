// The clipboard number collector: which numbers a clipboard text gives, and the watcher thread's
// looks, saved list and pauses on virtual time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "Testordner.h"
#include "Threadcheckzwischenablage.h"
#include "Updatefenster.h"
#include "rtl/Clock.h"
#include "rtl/Files.h"
#include "zub/Clipbrd.h"

namespace {

using ::testing::ElementsAre;

TEST(UpdateZwischenablage, NumbersOfAText)
{
    struct Fall {
        const char* text;
        std::vector<int> vorher;
        std::vector<int> nachher;
    };
    const Fall faelle[] = {
        {"13 2", {}, {13, 2}},  // 3 and 1 lie inside 13
        {"7, 7, 49", {}, {49, 7}},  // from 49 down; 7 once
        {"12 5", {}, {12, 5}},  // 1 and 2 lie inside 12
        {"49, 4", {}, {49}},  // only the first 4 counts, and it belongs to 49
        {"Lottozahlen", {4}, {4}},  // no digits: the list stays
        {"", {4}, {4}},
        {"4 und 22", {22}, {22, 4}},  // 22 was seen before
        {"0 50 100", {}, {10, 5}},  // 50 and 100 are no lottery numbers, their parts are
    };
    for (const Fall& f : faelle) {
        std::vector<int> liste = f.vorher;
        sammle_Zahlen(f.text, liste);
        EXPECT_EQ(liste, f.nachher) << f.text;
    }
}

// Ticked for as many looks as it has clipboard texts (nullopt: the clipboard cannot be read);
// records the saved list and the virtual time before each look after the first.
class Fenster : public IZwischenablageFenster {
public:
    Fenster(TVirtualClock& uhr, THeadlessClipboard& ablage, String datei,
            std::vector<std::optional<String>> texte)
        : FUhr(uhr), FAblage(ablage), FDatei(std::move(datei)), FTexte(std::move(texte))
    {
    }
    bool CheckBox22() override
    {
        zeiten.push_back(FUhr.ElapsedMs());
        if (FBlick > 0) dateien.push_back(FileExists(FDatei) ? ReadFileBytes(FDatei) : "(keine)");
        if (FBlick == FTexte.size()) return false;
        const auto& text = FTexte[FBlick++];
        FAblage.SetFailing(!text);
        if (text) FAblage.SetText(*text);
        return true;
    }
    std::vector<long long> zeiten;
    std::vector<String> dateien;

private:
    TVirtualClock& FUhr;
    THeadlessClipboard& FAblage;
    String FDatei;
    std::vector<std::optional<String>> FTexte;
    std::size_t FBlick = 0;
};

class UpdateZwischenablageTest : public TestOrdner {
protected:
    void SetUp() override
    {
        TestOrdner::SetUp();
        uhr = std::make_unique<TVirtualClockGuard>(EncodeDate(2009, 8, 10));
        ablage = std::make_shared<THeadlessClipboard>();
        vorige = SetClipboardService(ablage);
    }
    void TearDown() override
    {
        SetClipboardService(vorige);
        uhr.reset();
        TestOrdner::TearDown();
    }
    std::unique_ptr<Fenster> beobachte(std::vector<std::optional<String>> texte)
    {
        auto f = std::make_unique<Fenster>(uhr->clock(), *ablage, datei(), std::move(texte));
        ThreadCheckZwischenablage t(true, f.get());
        t.Resume();
        t.WaitFor();
        EXPECT_EQ(t.FatalException(), nullptr);
        return f;
    }
    String datei() const { return ordner + "Zahlen_aus_der_Zwischenablage.txt"; }

    std::unique_ptr<TVirtualClockGuard> uhr;
    std::shared_ptr<THeadlessClipboard> ablage;
    std::shared_ptr<IClipboard> vorige;
};

TEST_F(UpdateZwischenablageTest, ListGrowsAndIsSavedAfterEveryLook)
{
    auto f = beobachte({String("13 2"), std::nullopt, String("keine Zahlen"), String("7, 7, 49 13")});
    EXPECT_THAT(f->dateien, ElementsAre("13\n2\n", "13\n2\n", "13\n2\n", "13\n2\n49\n7\n"));
    EXPECT_THAT(f->zeiten, ElementsAre(0, 3000, 6000, 9000, 12000));
}

TEST_F(UpdateZwischenablageTest, NewWatcherStartsEmptyAndOverwritesTheList)
{
    AtomicWriteFile(datei(), "1\n2\n3\n");
    auto f = beobachte({String("")});
    EXPECT_THAT(f->dateien, ElementsAre(""));  // an empty list, saved at the first look
    f = beobachte({String("5")});
    EXPECT_THAT(f->dateien, ElementsAre("5\n"));
}

TEST_F(UpdateZwischenablageTest, UntickedBoxEndsTheWatcherBeforeItsFirstLook)
{
    auto f = beobachte({});
    EXPECT_THAT(f->zeiten, ElementsAre(0));
    EXPECT_FALSE(FileExists(datei()));
}

}  // namespace

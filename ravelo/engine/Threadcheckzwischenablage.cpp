#include "Threadcheckzwischenablage.h"

#include <algorithm>
#include <set>

#include "Programmordner.h"
#include "Tippdateien.h"
#include "Updatefenster.h"
#include "rtl/Clock.h"
#include "rtl/Debug.h"
#include "zub/Clipbrd.h"

void sammle_Zahlen(const String& text, std::vector<int>& gesammelt)
{
    std::set<std::size_t> belegt;  // positions of digits already taken
    for (int n = 49; n >= 1; --n) {
        const String ziffern = IntToStr(n);
        const std::size_t p = text.find(ziffern);
        if (p == String::npos || belegt.count(p)) continue;
        belegt.insert(p);
        if (n >= 10) belegt.insert(p + 1);
        if (std::find(gesammelt.begin(), gesammelt.end(), n) == gesammelt.end()) gesammelt.push_back(n);
    }
}

ThreadCheckZwischenablage::ThreadCheckZwischenablage(bool CreateSuspended)
    : ThreadCheckZwischenablage(CreateSuspended, nullptr)
{
}

ThreadCheckZwischenablage::ThreadCheckZwischenablage(bool CreateSuspended, IZwischenablageFenster* fenster)
    : TArbeitsThread("ThreadCheckZwischenablage"), FFenster(fenster)
{
    starte_wenn_verlangt(CreateSuspended);
}

ThreadCheckZwischenablage::~ThreadCheckZwischenablage() { warte_auf_Ende(); }

void ThreadCheckZwischenablage::Execute()
{
    // This worker keeps no running flag and writes no start trace.
    // The installed window is asked again before every look: the watcher outlives a closed
    // window, which takes itself out.
    auto fenster = [this] { return FFenster ? FFenster : ZwischenablageFenster(); };
    std::vector<int> gesammelt;
    for (IZwischenablageFenster* f = fenster(); f && f->CheckBox22(); f = fenster()) {
        // A clipboard that cannot be read (held by another program) counts as empty.
        const String text = Clipboard()->AsText();
        if (!text.empty()) sammle_Zahlen(text, gesammelt);

        TStringList liste;
        for (int n : gesammelt) liste.Add(IntToStr(n));
        try {
            liste.SaveToFile(ProgrammDatei(DATEI_ZWISCHENABLAGE));
        } catch (const Exception& e) {
            // The list is kept and saved again at the next look.
            OutputDebugStringA(String(DATEI_ZWISCHENABLAGE) + " nicht gespeichert: " + e.Message());
        }
        Sleep(PAUSE_MS);
    }
}

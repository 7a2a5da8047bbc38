#pragma once
// What the program computes on top of an archive: the draws before the tip date, their
// statistics (gaps, frequencies, pairs) and step 3's points, with every draw also scored as a
// combination. Whatever the file holds, no value outside 1..49 may reach a table index.
#include <cstdlib>
#include <memory>

#include "CDorovZahlen.h"
#include "Kernhilfen.h"
#include "Programmordner.h"
#include "Schritt3Kern.h"
#include "Tippdateien.h"
#include "rtl/Files.h"

inline void Archiv_auswerten(const String& archiv)
{
    AtomicWriteFileNoSync(ProgrammDatei(DATEI_DOROV_ZAHLEN), archiv);
    auto z = std::make_unique<CDorovZahlen>();
    z->setze_Form(nullptr);
    if (!z->lade_Zahlen("31.12.2099")) std::abort();
    if (z->letzte >= CDorovZahlen::MAX_ZIEHUNGEN) std::abort();
    z->berechne_Abstaende();
    z->sortiere_Abstaende();
    z->zaehle_Haeufigkeit();
    z->berechne_Zwillingsabstaende();
    z->sortiere_Zwillingsabstaende();
    z->lade_Zwillingsprozente();
    z->sortiere_Zwillingsprozente();

    const std::vector<Ziehung> ziehungen = Ziehungen(*z);
    std::vector<Kombination> kombinationen;
    for (const Ziehung& w : ziehungen) kombinationen.push_back({w[0], w[1], w[2], w[3], w[4], w[5]});
    kombinationen.push_back({1, 2, 3, 4, 5, 6});
    Kriterien alle;
    alle.CheckBox15 = alle.CheckBox16 = alle.CheckBox17 = alle.CheckBox18 = alle.CheckBox19 =
        alle.CheckBox20 = true;
    for (const Kriterien& k : {alle, Kriterien{}}) {
        const auto punkte = berechne_Punkte(kombinationen, ziehungen, k);
        if (punkte.size() != kombinationen.size()) std::abort();
        for (auto p : punkte)
            if (p > KRITERIENLISTE_GROESSE) std::abort();
    }
}

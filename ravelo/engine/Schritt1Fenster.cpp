#include "Schritt1Fenster.h"

#include <atomic>

namespace {
std::atomic<ISchritt1Fenster*> g_fenster{nullptr};
}

void setze_Schritt1Fenster(ISchritt1Fenster* fenster) { g_fenster = fenster; }

ISchritt1Fenster* Schritt1Fenster() { return g_fenster; }

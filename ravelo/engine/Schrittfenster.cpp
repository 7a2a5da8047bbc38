#include "Schrittfenster.h"

#include <atomic>

namespace {
std::atomic<ISchrittFenster*> g_fenster{nullptr};
}

void setze_SchrittFenster(ISchrittFenster* fenster) { g_fenster = fenster; }

ISchrittFenster* SchrittFenster() { return g_fenster; }

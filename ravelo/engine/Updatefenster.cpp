#include "Updatefenster.h"

#include <atomic>

namespace {
std::atomic<IUpdateFenster*> g_update{nullptr};
std::atomic<IZwischenablageFenster*> g_zwischenablage{nullptr};
}  // namespace

void setze_UpdateFenster(IUpdateFenster* fenster) { g_update = fenster; }
IUpdateFenster* UpdateFenster() { return g_update; }
void setze_ZwischenablageFenster(IZwischenablageFenster* fenster) { g_zwischenablage = fenster; }
IZwischenablageFenster* ZwischenablageFenster() { return g_zwischenablage; }

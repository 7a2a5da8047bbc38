#include "host/DeskMenus.h"

namespace Deskform {
namespace {
int gRegisterCalls = 0;
int gUnregisterCalls = 0;
// The host adds no commands of its own to a view's menu; it only counts.
void DefaultRegisterMenu(TPopupMenu*) { ++gRegisterCalls; }
void DefaultUnregisterMenu(TPopupMenu*) { ++gUnregisterCalls; }
}  // namespace

TDeskMenuProc RegisterMenu = &DefaultRegisterMenu;
TDeskMenuProc UnregisterMenu = &DefaultUnregisterMenu;

int RegisterMenuCalls() { return gRegisterCalls; }
int UnregisterMenuCalls() { return gUnregisterCalls; }
}  // namespace Deskform

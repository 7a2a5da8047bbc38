#pragma once
// The main window's hooks for popup menus of docked views: a view hands its popup menu to
// RegisterMenu when it fills it and to UnregisterMenu before it empties it, so the host can add
// its own commands. Packages read them; the host owns their values.
#include "host/Export.h"
class TPopupMenu;

using TDeskMenuProc = void (*)(TPopupMenu* menu);

namespace Deskform {
extern HOST_API TDeskMenuProc RegisterMenu;
extern HOST_API TDeskMenuProc UnregisterMenu;
// How often each default was called (tests watch the hooks through them).
HOST_API int RegisterMenuCalls();
HOST_API int UnregisterMenuCalls();
}  // namespace Deskform

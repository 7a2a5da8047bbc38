#pragma once
// The component palette: pages of component classes, and the classes not offered as ActiveX
// controls.
#include "host/ComponentClasses.h"
#include "host/Export.h"

struct HOST_API TPalettePage {
    String Name;
    std::vector<TComponentClass> Classes;
};

// Adds the classes to the page (made when it is new; page names compare without regard to
// case); a class already on the page stays where it is.
HOST_API void RegisterComponents(const String& page, const std::vector<TComponentClass>& classes);
// Takes the classes off every page; a page left empty goes.
HOST_API void UnRegisterComponents(const std::vector<TComponentClass>& classes);
HOST_API std::vector<TPalettePage> PalettePages();

// Registration kinds of RegisterNonActiveX: the classes only, or the classes and every
// descendant of them.
enum TActiveXRegType { axrComponentOnly = 0, axrIncludeDescendants = 1 };
HOST_API void RegisterNonActiveX(const std::vector<TComponentClass>& classes, TActiveXRegType kind);
HOST_API void UnRegisterNonActiveX(const std::vector<TComponentClass>& classes, TActiveXRegType kind);
// Whether c may be offered as an ActiveX control.
HOST_API bool OfferedAsActiveX(TComponentClass c);
struct HOST_API TNonActiveXEntry {
    TComponentClass Class;
    TActiveXRegType Kind;
};
HOST_API std::vector<TNonActiveXEntry> NonActiveXEntries();

#pragma once
// The bridge to the external HTML layout designer: its palette of the package's pages.
#include "QZRuntime.h"
#include "rtl/Resources.h"

// One page of the HTML designer's palette.
struct THTMLPaletteItem {
    String Page;
    HMODULE Module;  // where the designer loads the class pictures from
    std::vector<String> ClassNames;
};

class TQZHTMLManager {
public:
    // Adds the classes' names to the page of that name (letter case ignored), made when new.
    static void RegisterComponents(const String& page, HMODULE module,
                                   const std::vector<TComponentClass>& classes);
    static const std::vector<THTMLPaletteItem>& Palette();
};

namespace QZHTMLManager {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace QZHTMLManager

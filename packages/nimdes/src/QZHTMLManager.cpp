#include "QZHTMLManager.h"

#include "rtl/Debug.h"

namespace {
std::vector<THTMLPaletteItem>& Items()
{
    static std::vector<THTMLPaletteItem> items;
    return items;
}
}  // namespace

void TQZHTMLManager::RegisterComponents(const String& page, HMODULE module,
                                        const std::vector<TComponentClass>& classes)
{
    // Beside the host's own registration lines, so a registration reads as one transcript.
    OutputDebugStringA("register: TQZHTMLManager.RegisterComponents " + page + ", " +
                       IntToStr(static_cast<int>(classes.size())) + " classes");
    auto& items = Items();
    auto it = std::find_if(items.begin(), items.end(),
                           [&](const THTMLPaletteItem& i) { return SameText(i.Page, page); });
    if (it == items.end()) it = items.insert(items.end(), THTMLPaletteItem{page, module, {}});
    for (TComponentClass c : classes) it->ClassNames.push_back(c->ClassName);
}

const std::vector<THTMLPaletteItem>& TQZHTMLManager::Palette() { return Items(); }

namespace QZHTMLManager {
int UseCount = 0;
void Initialization() {}
void Finalization() { Items().clear(); }
}  // namespace QZHTMLManager

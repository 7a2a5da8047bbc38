#include "host/Palette.h"

#include <algorithm>

#include "hostimpl/DesignRegistries.h"

namespace hostimpl {
std::vector<TPalettePage>& Pages()
{
    static std::vector<TPalettePage> p;
    return p;
}
std::vector<TNonActiveXEntry>& NonActiveX()
{
    static std::vector<TNonActiveXEntry> n;
    return n;
}
}  // namespace hostimpl

using namespace hostimpl;

void RegisterComponents(const String& page, const std::vector<TComponentClass>& classes)
{
    if (page.empty()) throw EHostError("A palette page needs a name");
    TraceRegistration("RegisterComponents " + page + ", " + ClassCount(classes));
    auto it = std::find_if(Pages().begin(), Pages().end(),
                           [&](const TPalettePage& p) { return SameText(p.Name, page); });
    if (it == Pages().end()) it = Pages().insert(Pages().end(), TPalettePage{page, {}});
    for (TComponentClass c : classes)
        if (c && std::find(it->Classes.begin(), it->Classes.end(), c) == it->Classes.end())
            it->Classes.push_back(c);
}

void UnRegisterComponents(const std::vector<TComponentClass>& classes)
{
    for (auto& p : Pages())
        std::erase_if(p.Classes, [&](TComponentClass c) {
            return std::find(classes.begin(), classes.end(), c) != classes.end();
        });
    std::erase_if(Pages(), [](const TPalettePage& p) { return p.Classes.empty(); });
}

std::vector<TPalettePage> PalettePages() { return Pages(); }

void RegisterNonActiveX(const std::vector<TComponentClass>& classes, TActiveXRegType kind)
{
    TraceRegistration("RegisterNonActiveX " + ClassCount(classes) + ", kind " +
                      IntToStr(static_cast<int>(kind)));
    for (TComponentClass c : classes)
        if (c) NonActiveX().push_back({c, kind});
}

void UnRegisterNonActiveX(const std::vector<TComponentClass>& classes, TActiveXRegType kind)
{
    std::erase_if(NonActiveX(), [&](const TNonActiveXEntry& e) {
        return e.Kind == kind && std::find(classes.begin(), classes.end(), e.Class) != classes.end();
    });
}

bool OfferedAsActiveX(TComponentClass c)
{
    for (const auto& e : NonActiveX())
        if (e.Class == c || (e.Kind == axrIncludeDescendants && c && c->InheritsFrom(e.Class))) return false;
    return true;
}

std::vector<TNonActiveXEntry> NonActiveXEntries() { return NonActiveX(); }

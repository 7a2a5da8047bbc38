#pragma once
// The design library's registries (palette, classes, property and component editors, custom
// modules), as the host keeps them.
#include <functional>
#include <vector>

#include "host/ComponentClasses.h"
#include "host/ComponentEditors.h"
#include "host/CustomModules.h"
#include "host/Palette.h"
#include "host/PropertyEditors.h"
#include "host/ToolsAPI.h"

namespace hostimpl {

std::vector<TComponentClass>& StreamableClasses();
std::vector<TPalettePage>& Pages();
std::vector<TNonActiveXEntry>& NonActiveX();
std::vector<TPropertyEditorEntry>& PropertyEditors();
std::vector<TComponentEditorEntry>& ComponentEditors();
std::vector<TCustomModuleEntry>& CustomModules();

// The latest entry registered for class c or its nearest ancestor; nullptr when none.
template <class Entry, class Result>
Result FindForClass(const std::vector<Entry>& all, TComponentClass c, TComponentClass Entry::*key,
                    Result Entry::*value)
{
    for (; c; c = c->Parent)
        for (auto it = all.rbegin(); it != all.rend(); ++it)
            if ((*it).*key == c) return (*it).*value;
    return nullptr;
}

// Every registration with the designers, the splash screen and the wizard services goes to the
// debug output as "register: LINE", so the order of a package's calls across the registries can
// be followed.
void TraceRegistration(const String& line);
// "N classes" for a list of classes.
String ClassCount(const std::vector<TComponentClass>& classes);

// One line per entry of every design registry ("palette QZ Standard TQZButton", ...), in order.
std::vector<String> DesignRegistryLines();
// Drops the entries whose classes live in a module being unloaded, naming each in found.
void RemoveDesignResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found);

}  // namespace hostimpl

#include "hostimpl/DesignRegistries.h"

#include <algorithm>

#include "hostimpl/StateListing.h"
#include "rtl/Debug.h"

namespace hostimpl {

void TraceRegistration(const String& line) { OutputDebugStringA("register: " + line); }

String ClassCount(const std::vector<TComponentClass>& classes)
{
    return IntToStr(static_cast<int>(classes.size())) + (classes.size() == 1 ? " class" : " classes");
}

std::vector<String> DesignRegistryLines()
{
    std::vector<String> r;
    for (const auto& p : Pages())
        for (TComponentClass c : p.Classes) r.push_back("palette " + p.Name + " " + c->ClassName);
    for (const auto& e : NonActiveX())
        r.push_back(String("non-ActiveX ") + e.Class->ClassName + " " + IntToStr(static_cast<int>(e.Kind)));
    for (TComponentClass c : StreamableClasses()) r.push_back(String("class ") + c->ClassName);
    for (const auto& e : PropertyEditors())
        r.push_back(String("property editor ") + e.PropertyType->Name + " " +
                    (e.ComponentClass ? e.ComponentClass->ClassName : "*") + " " +
                    (e.PropertyName.empty() ? String("*") : e.PropertyName) + " " + e.Editor->ClassName);
    for (const auto& e : ComponentEditors())
        r.push_back(String("component editor ") + e.ComponentClass->ClassName + " " + e.Editor->ClassName);
    for (const auto& e : CustomModules())
        r.push_back(String("custom module ") + e.BaseClass->ClassName + " " + e.Module->ClassName);
    return r;
}

void RemoveDesignResidue(const std::function<bool(const void*)>& inModule, std::vector<String>& found)
{
    auto drop = [&](auto& list, auto inPackage, auto name) {
        std::erase_if(list, [&](const auto& e) {
            if (!inPackage(e)) return false;
            found.push_back(name(e));
            return true;
        });
    };
    for (auto& p : Pages())
        drop(
            p.Classes, [&](TComponentClass c) { return inModule(c); },
            [&](TComponentClass c) { return "palette " + p.Name + " " + c->ClassName; });
    std::erase_if(Pages(), [](const TPalettePage& p) { return p.Classes.empty(); });
    drop(
        NonActiveX(), [&](const TNonActiveXEntry& e) { return inModule(e.Class); },
        [](const TNonActiveXEntry& e) { return String("non-ActiveX ") + e.Class->ClassName; });
    drop(
        StreamableClasses(), [&](TComponentClass c) { return inModule(c); },
        [](TComponentClass c) { return String("class ") + c->ClassName; });
    drop(
        PropertyEditors(),
        [&](const TPropertyEditorEntry& e) {
            return inModule(e.Editor) || inModule(e.PropertyType) ||
                   (e.ComponentClass && inModule(e.ComponentClass));
        },
        [](const TPropertyEditorEntry& e) { return String("property editor ") + e.Editor->ClassName; });
    drop(
        ComponentEditors(),
        [&](const TComponentEditorEntry& e) { return inModule(e.Editor) || inModule(e.ComponentClass); },
        [](const TComponentEditorEntry& e) { return String("component editor ") + e.Editor->ClassName; });
    drop(
        CustomModules(),
        [&](const TCustomModuleEntry& e) { return inModule(e.Module) || inModule(e.BaseClass); },
        [](const TCustomModuleEntry& e) { return String("custom module ") + e.Module->ClassName; });
}

namespace {
// The residue check compares these before a package's load and after its unload.
const TStateSource kDesign("design", [](std::vector<String>& out) {
    for (auto& line : DesignRegistryLines()) out.push_back(line);
});
}  // namespace

}  // namespace hostimpl

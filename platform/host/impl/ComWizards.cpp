#include "host/ComWizards.h"

#include <algorithm>

#include "host/TypeLibrary.h"
#include "hostimpl/HostState.h"

int TComObjectExpert::ShowModal()
{
    auto& a = hostimpl::State().Answers;
    auto get = [&](const char* key, const String& dflt) {
        auto it = a.find(key);
        return it == a.end() ? dflt : it->second;
    };
    // Like every other dialog of the host, one nobody answers is cancelled.
    const bool answered =
        std::any_of(a.begin(), a.end(), [](const auto& kv) { return kv.first.rfind("com.", 0) == 0; });
    if (!answered || SameText(get("com.cancel", ""), "true")) return 2;
    CoClassName = get("com.coclass", CoClassName);
    InterfaceName = get("com.interface", InterfaceName);
    Description = get("com.description", Description);
    ThreadingModel = get("com.threading", ThreadingModel.empty() ? String("Apartment") : ThreadingModel);
    Instancing = get("com.instancing", Instancing.empty() ? String("Multiple Instance") : Instancing);
    Events = SameText(get("com.events", Events ? "true" : "false"), "true");
    ControlClassName = get("com.control", ControlClassName);
    Licensed = SameText(get("com.licensed", Licensed ? "true" : "false"), "true");
    ServerType = get("com.servertype", ServerType);
    TestPage = SameText(get("com.testpage", TestPage ? "true" : "false"), "true");
    return 1;
}

void TComWizardItem::Select(int)
{
    Project = ActiveProject();
    // Without a project there is no module name, type library or CoClass home to write from.
    if (!Project) throw EHostError(GetNilProjError());
    StartWizard();
    if (!GetInfo()) return;
    CreateObject();
    TIntfPtr<IQModuleCreator> creator = GetUnitCreator();
    if (creator) ModuleServices()->CreateModule(creator.get(), Project.get());
    TIntfPtr<IQModuleCreator> about = GetAboutUnitCreator();
    if (about) ModuleServices()->CreateModule(about.get(), Project.get());
    EndWizard();
}

void TComWizardItem::CreateObject()
{
    if (!AddsCoClass() || CoClassName.empty()) return;
    if (TTypeLibrary* lib = GetTypeLibrary(Project.get()))
        lib->AddCoClass(CoClassName, InterfaceName, Description, Dual, Events);
}

void FixStuff(IQProject* project, const String&, const String&)
{
    if (IsApplication(project) && FindTypeLibModule(project)) GetOrCreateAtlSourceModule(project);
}

String TComWizardItem::GetNilProjError() { return SNoProjectForComObject; }

bool TComWizardItem::GetInfo()
{
    std::unique_ptr<TComObjectExpert> dialog = ShowExpert();
    if (!dialog) return false;
    ReadExpert(*dialog);
    return true;
}

std::unique_ptr<TComObjectExpert> TComWizardItem::ShowExpert()
{
    auto d = std::make_unique<TComObjectExpert>("New COM Object");
    if (d->ShowModal() != 1) return nullptr;
    return d;
}

void TComWizardItem::ReadExpert(TComObjectExpert& d)
{
    CoClassName = d.CoClassName;
    InterfaceName = d.InterfaceName;
    Description = d.Description;
    ThreadingModel = d.ThreadingModel;
    Instancing = d.Instancing;
    Events = d.Events;
    ControlClassName = d.ControlClassName;
    Licensed = d.Licensed;
    ServerType = d.ServerType;
    TestPage = d.TestPage;
    FileName = MakeFileName(CoClassName);
}

String MakeFileName(const String& coClassName) { return MakeUniqueModuleName(coClassName + "Impl", ".cpp"); }

TGetATLUnitCreatorProc GetATLUnitCreatorProc = nullptr;
bool CanSwapTlibEditLanguage = false;

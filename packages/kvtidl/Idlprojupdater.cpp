#include "Idlprojupdater.h"

#include <algorithm>

#include "Idlcompile.h"
#include "Idlenvoptions.h"
#include "Idlmakefile.h"
#include "Idlproject.h"
#include "host/CppPersonality.h"
#include "host/ModuleServices.h"
#include "rtl/Files.h"
#include "rtl/Format.h"
#include "rtl/Resources.h"
#include "rtl/ScopeGuard.h"
#include "zub/Dialogs.h"

namespace {

RTL_RESOURCESTRING(
    sModuleNotLoaded,
    "Module %0:s is not loaded and may contain CORBA objects that need updating.  Do you wish to "
    "load %0:s now?");
RTL_RESOURCESTRING(
    sModulesNotLoaded,
    "Modules %s are not loaded and may contain CORBA objects that need updating.  Do you wish to "
    "load the modules now?");

bool HoldsFile(const std::vector<String>& list, const String& file)
{
    return std::any_of(list.begin(), list.end(), [&](const String& f) { return SameFileName(f, file); });
}

bool IsOpen(const String& file)
{
    TIntfPtr<IQProjectGroup> group = MainProjectGroup();
    for (int i = 0; i < group->OpenModuleCount(); ++i)
        if (SameFileName(group->OpenModule(i)->FileName(), file)) return true;
    return false;
}

void DoCompileIdlFiles(const String&) {}

}  // namespace

TAddIdlFilesTransaction::TAddIdlFilesTransaction(IQCppProject* project)
    : FProject(project), FBefore(ProjectIdlFiles(project))
{
}

std::vector<String> TAddIdlFilesTransaction::Complete()
{
    const String switches = FProject->GetMakeSym(sIdlFlagsMacro);
    if (!IdlEnvironmentOptions || !IdlEnvironmentOptions->VerifyIDLIncludes() ||
        TIdlCppOptions(switches).GenIncludeFilesCode())
        return {};
    return MissingIdlIncludes(FBefore, ProjectIdlFiles(FProject), FProject->Items(), switches,
                              FProject->Directory());
}

void TIdlProjectUpdater::AddIdlReference(const String& unitName, const String& idlFile)
{
    std::vector<TUsesEntry> entries = FProject->UsesEntries();
    bool added = false;
    for (TUsesEntry& e : entries) {
        if (e.Kind == 2 || !SameText(e.UnitName(), unitName)) continue;
        e.CorbaImpl = true;  // the same entry in its place, now an implementation entry
        if (!HoldsFile(e.IdlFiles, idlFile)) {
            e.IdlFiles.push_back(idlFile);
            added = true;
        }
    }
    FProject->SetUsesEntries(entries);
    if (added) FProject->Save();  // the project file learns of the reference
}

void TIdlProjectUpdater::RenameIdlReference(const String& oldName, const String& newName)
{
    std::vector<TUsesEntry> entries = FProject->UsesEntries();
    for (TUsesEntry& e : entries)
        if (e.CorbaImpl)
            for (String& f : e.IdlFiles)
                if (SameFileName(f, oldName)) f = newName;
    FProject->SetUsesEntries(entries);
}

std::vector<TUsesEntry> TIdlProjectUpdater::ListUsesEntries(const String& idlFile)
{
    std::vector<TUsesEntry> r;
    for (const TUsesEntry& e : FProject->UsesEntries())
        if (e.CorbaImpl && HoldsFile(e.IdlFiles, idlFile)) r.push_back(e);
    return r;
}

bool TIdlProjectUpdater::CanRefreshIdlImpl()
{
    const auto entries = FProject->UsesEntries();
    return std::any_of(entries.begin(), entries.end(), [](const TUsesEntry& e) { return e.CorbaImpl; });
}

bool TIdlProjectUpdater::RefreshIdlImpl(const String& idlFile)
{
    std::vector<String> forms;
    for (const TUsesEntry& e : ListUsesEntries(idlFile))
        if (!IsOpen(e.FileName)) forms.push_back(e.FormName.empty() ? e.UnitName() : e.FormName);
    if (forms.empty()) return true;
    String text;
    if (forms.size() == 1) {
        text = Format(sModuleNotLoaded, {forms[0]});
    } else {
        String comma;
        for (const String& f : forms) comma += (comma.empty() ? "" : ",") + f;
        text = Format(sModulesNotLoaded, {comma});
    }
    return MessageDlg(text, mtInformation, mbYes | mbNo | mbCancel) != mrCancel;
}

bool TIdlProjectUpdater::CompileIdlFiles(const std::vector<String>& files)
{
    BeginCompile(FProject);
    TScopeGuard end([&] { EndCompile(FProject); });
    if (CompileFilesProc && CheckCompileFiles(FProject, files))
        return CompileFilesProc(FProject, files, DoCompileIdlFiles);
    return true;
}

std::unique_ptr<TAddIdlFilesTransactionBase> TIdlProjectUpdater::PrepareAddIdlFiles()
{
    return std::make_unique<TAddIdlFilesTransaction>(FProject);
}

TIdlProjectUpdaterBase* NewIdlProjectUpdater(IQCppProject* project)
{
    return new TIdlProjectUpdater(project);
}

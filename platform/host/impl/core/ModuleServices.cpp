#include <algorithm>

#include "hostimpl/HostState.h"
#include "host/ClassExplorer.h"
#include "host/PersonalityServices.h"
#include "host/SourceFiles.h"
#include "rtl/Clock.h"
#include "rtl/Files.h"
#include "rtl/ScopeGuard.h"

namespace hostimpl {

TProjectModelHooks ProjectModelHooks{};

THostModule::THostModule(bool isProject, String fileName, String formName, String ancestor,
                         String personality)
    : FIsProject(isProject), FFileName(std::move(fileName)), FFormName(std::move(formName)),
      FAncestor(std::move(ancestor)), FPersonality(std::move(personality))
{
}

HRESULT THostModule::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQModule>(this, iid, obj) || QueryAs<IQDocumentModule>(this, iid, obj)) return S_OK;
    if (FIsProject && QueryAs<IQProject>(this, iid, obj)) return S_OK;
    if (!FIsProject && !FFormName.empty() && QueryAs<IQFormModule>(this, iid, obj)) return S_OK;
    if (!FIsProject && QueryAs<IQSourceView>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

String THostModule::UnitName() { return ChangeFileExt(ExtractFileName(FFileName), ""); }

TIntfPtr<IQModule> THostModule::Module(int index) { return FModules.at(static_cast<std::size_t>(index)); }

std::vector<THostModule*> AllModules()
{
    std::vector<THostModule*> r;
    auto* s = StateOrNull();
    if (!s) return r;
    for (auto& p : s->Projects) {
        r.push_back(p.get());
        for (auto& m : p->Modules()) r.push_back(m.get());
    }
    for (auto& m : s->LooseModules) r.push_back(m.get());
    return r;
}

THostModule* FindProjectByFile(const String& fileName)
{
    for (auto& p : State().Projects)
        if (SameText(p->FileName(), fileName)) return p.get();
    return nullptr;
}

namespace {

String MakeUniqueFormName(const String& base)
{
    for (int n = 1;; ++n) {
        String name = base + IntToStr(n);
        bool taken = false;
        for (auto* m : AllModules())
            if (SameText(m->FormName(), name)) taken = true;
        if (!taken) return name;
    }
}

// The text of a file as an open editor holds it, its changes not saved.
class TEditBuffer : public TInterfacedObject,
                    public IQSourceFile,
                    public IQEditBuffer,
                    public IQEditBufferText {
public:
    TEditBuffer(String fileName, String text) : FFileName(std::move(fileName)), FText(std::move(text)) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IQSourceFile>(this, iid, obj) || QueryAs<IQEditBuffer>(this, iid, obj) ||
            QueryAs<IQEditBufferText>(this, iid, obj))
            return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    String FileName() override { return FFileName; }
    String Source() override { return FText; }
    TDateTime Age() override { return FAge; }
    void ReplaceText(const String& text) override
    {
        FText = text;
        FAge = Now();
    }

private:
    String FFileName, FText;
    TDateTime FAge = Now();
};

}  // namespace

void EditFile(const String& fileName, const String& text)
{
    TIntfPtr<IQSourceFile> buffer(new TEditBuffer(fileName, text));
    for (THostModule* m : AllModules())
        for (int i = 0; i < m->FileCount(); ++i)
            if (m->File(i) && SameFileName(m->File(i)->FileName(), fileName)) {
                m->SetFile(static_cast<std::size_t>(i), buffer);
                m->MarkModified();
                return;
            }
    TIntfPtr<THostModule> m(new THostModule(false, fileName, "", "", ""));
    m->AddFile(buffer);
    m->MarkModified();
    State().LooseModules.push_back(m);
}

namespace {

void Receive(THostModule& m, const TIntfPtr<IQSourceFile>& f)
{
    if (!f) return;
    m.AddFile(f);
    State().Received.push_back({f->FileName(), f->Source()});
}

class TProjectGroup : public TInterfacedObject, public IQProjectGroup {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IQProjectGroup>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    TIntfPtr<IQProject> ActiveProject() override { return State().ActiveProject; }
    TIntfPtr<IQModule> CurrentModule() override { return State().CurrentModule; }
    int ProjectCount() override { return static_cast<int>(State().Projects.size()); }
    int OpenModuleCount() override { return static_cast<int>(AllModules().size()); }
    TIntfPtr<IQModule> OpenModule(int index) override
    {
        const auto all = AllModules();
        if (index < 0 || index >= static_cast<int>(all.size()))
            throw EListError("Module index out of bounds");
        return TIntfPtr<IQModule>(all[static_cast<std::size_t>(index)]);
    }
    void CloseAll(int) override
    {
        DropCodeUpdaters();
        auto& s = State();
        s.CurrentModule.reset();
        s.ActiveProject.reset();
        s.Projects.clear();
        s.LooseModules.clear();
    }
};

class TModuleServices : public TAggregatedObject, public IQModuleServices {
public:
    using TAggregatedObject::TAggregatedObject;
    bool QueryOwnInterface(const TGUID& iid, void** obj) override
    {
        return QueryAs<IQModuleServices>(this, iid, obj);
    }

    TIntfPtr<IQModule> CreateModule(IQModuleCreator* creator, IQDocumentModule* owner) override
    {
        if (!creator) throw EHostError("No creator for the new module");
        TIntfPtr<IQModuleCreator> keep(creator);
        auto& s = State();
        // names and options first
        String fileName = creator->GetFileName();
        if (fileName.empty()) fileName = MakeUniqueModuleName("Unit", ".cpp");
        String ancestor = creator->GetAncestorName();
        String formName = creator->GetFormName();
        bool include = creator->GetIncludeInProject();
        creator->GetExisting();
        creator->GetShowSource();
        creator->GetShowForm();
        // then the texts; nothing is kept when one of them fails
        auto source = creator->GetSource();
        auto header = creator->GetInterfaceSource();
        auto form = creator->GetForm();
        // a unit that binds its form's resource has a form file, also when its creator made none
        if (!form && !formName.empty() && source &&
            source->Source().find("#pragma resource \"*.zfm\"") != String::npos)
            form = TIntfPtr<IQSourceFile>(new TStringFile(
                ChangeFileExt(fileName, ".zfm"), "object " + formName + ": T" + formName + "\r\nend\r\n"));
        TIntfPtr<THostModule> m(new THostModule(false, fileName, formName, ancestor, creator->GetLanguage()));
        THostModule* project = nullptr;
        if (owner) {
            THostModule* found = nullptr;
            for (auto* x : AllModules())
                if (static_cast<IQDocumentModule*>(x) == owner) found = x;
            if (!found) throw EHostError("The owner of the new module is not open in the host");
            // a unit as owner: the new unit joins that unit's project
            if (found->IsProject())
                project = found;
            else
                for (auto& p : s.Projects)
                    for (auto& u : p->Modules())
                        if (u.get() == found) project = p.get();
        } else if (include && s.ActiveProject) {
            project = s.ActiveProject.get();
        }
        Receive(*m, source);
        Receive(*m, header);
        Receive(*m, form);
        if (project) {
            project->AddModule(m);
            AddFormToProject(*project, *m);
            if (ProjectModelHooks.JoinUnit) ProjectModelHooks.JoinUnit(*project, *m);
        } else
            s.LooseModules.push_back(m);
        s.CurrentModule = m;
        return m;
    }

    TIntfPtr<IQProject> CreateProject(IQProjectCreator* creator) override
    {
        if (!creator) throw EHostError("No creator for the new project");
        TIntfPtr<IQProjectCreator> keep(creator);
        auto& s = State();
        String fileName = creator->GetFileName();
        if (fileName.empty()) throw EHostError("The project creator gave no file name");
        String personality = creator->GetPersonality();
        creator->GetExisting();
        creator->GetShowSource();
        auto source = creator->GetSource();
        const std::size_t received = s.Received.size();
        TIntfPtr<THostModule> p(new THostModule(true, fileName, "", "", personality));
        p->SetKind(creator->GetTargetType());
        Receive(*p, source);
        s.Projects.push_back(p);
        // the project's source is its first file
        if (source && ProjectModelHooks.AddItem) ProjectModelHooks.AddItem(p.get(), source->FileName());
        auto previous = s.ActiveProject;
        auto previousModule = s.CurrentModule;
        s.ActiveProject = p;
        s.CreatingProject = p.get();
        // nothing of a failed project stays: not the project, not the files it produced
        TScopeGuard undo([&] {
            std::erase(s.Projects, p);
            s.Received.resize(received);
            s.ActiveProject = previous;
            s.CurrentModule = previousModule;
            auto open = AllModules();
            if (s.CurrentModule && std::find(open.begin(), open.end(), s.CurrentModule.get()) == open.end())
                s.CurrentModule.reset();
        });
        TScopeGuard created([&] { s.CreatingProject = nullptr; });
        creator->InitTargetOptions();
        creator->CreateDefaultModule(p.get());
        undo.Dismiss();
        return p;
    }

    TIntfPtr<IQProjectGroup> MainProjectGroup() override { return FGroup; }

    String CreateNewProjectFileName(const String& personality) override
    {
        auto& s = State();
        if (std::none_of(s.Personalities.begin(), s.Personalities.end(),
                         [&](const String& p) { return SameText(p, personality); }))
            return "";
        for (int n = 1;; ++n) {
            String name = s.ProjectFolder + "Project" + IntToStr(n) + ".zproj";
            if (!FindProjectByFile(name) && !FileExists(name) && !FileExists(ChangeFileExt(name, ".cpp")))
                return name;
        }
    }

private:
    TIntfPtr<IQProjectGroup> FGroup{new TProjectGroup};
};

}  // namespace

std::unique_ptr<TAggregatedObject> NewModuleServices(IInterface* controller)
{
    return std::make_unique<TModuleServices>(controller);
}

String NewFormName(const String& base) { return MakeUniqueFormName(base); }

}  // namespace hostimpl

TIntfPtr<IQModuleServices> ModuleServices() { return RequireService<IQModuleServices>("module services"); }

TIntfPtr<IQProjectGroup> MainProjectGroup() { return ModuleServices()->MainProjectGroup(); }

TIntfPtr<IQProject> ActiveProject()
{
    TIntfPtr<IQModuleServices> ms;
    if (!Supports(QuistorIDEServices(), ms)) return nullptr;
    return ms->MainProjectGroup()->ActiveProject();
}

String DefaultProjectsFolder() { return hostimpl::ProjectFolder(); }

bool CloseModule(const String& fileName)
{
    auto* s = hostimpl::StateOrNull();
    if (!s) return false;
    auto same = [&](const TIntfPtr<hostimpl::THostModule>& m) {
        return SameFileName(m->FileName(), fileName);
    };
    auto drop = [&](std::vector<TIntfPtr<hostimpl::THostModule>>& list) {
        auto it = std::find_if(list.begin(), list.end(), same);
        if (it == list.end()) return false;
        if (s->CurrentModule == *it) s->CurrentModule.reset();
        list.erase(it);
        return true;
    };
    for (auto& p : s->Projects)
        if (drop(p->Modules())) return true;
    return drop(s->LooseModules);
}

#include "host/ComWizards.h"

#include <algorithm>

#include "host/ComponentClasses.h"
#include "host/Palette.h"
#include "host/SourceFiles.h"
#include "host/TypeLibrary.h"
#include "hostimpl/HostState.h"
#include "hostimpl/StateListing.h"

TComObjectExpert::TComObjectExpert(const String& caption) : TForm(nullptr)
{
    SetName("ComObjectExpert");
    SetCaption(caption);
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 420, 330);
    lblClassName = Add<TLabel>("lblClassName", "&Class Name:", 8, 12, 120, 16);
    edtClassName = Add<TEdit>("edtClassName", "", 136, 8, 272, 21);
    lblInstancing = Add<TLabel>("lblInstancing", "&Instancing:", 8, 40, 120, 16);
    cbInstancing = Add<TComboBox>("cbInstancing", "", 136, 36, 272, 21);
    for (const char* i : {"Internal", "Single Instance", "Multiple Instance"}) cbInstancing->Items()->Add(i);
    cbInstancing->SetItemIndex(2);
    lblThreadingModel = Add<TLabel>("lblThreadingModel", "&Threading Model:", 8, 68, 120, 16);
    cbThreadingModel = Add<TComboBox>("cbThreadingModel", "", 136, 64, 272, 21);
    for (const char* t : {"Single", "Apartment", "Free", "Both", "Neutral"})
        cbThreadingModel->Items()->Add(t);
    cbThreadingModel->SetItemIndex(1);
    lblInterface = Add<TLabel>("lblInterface", "I&mplemented Interface:", 8, 96, 120, 16);
    edtInterface = Add<TEdit>("edtInterface", "", 136, 92, 272, 21);
    lblDescription = Add<TLabel>("lblDescription", "&Description:", 8, 124, 120, 16);
    edtDescription = Add<TEdit>("edtDescription", "", 136, 120, 272, 21);
    lblControlClass = Add<TLabel>("lblControlClass", "C&ontrol Class Name:", 8, 152, 120, 16);
    cbControlClass = Add<TComboBox>("cbControlClass", "", 136, 148, 272, 21);
    lblControlClass->Hide();
    cbControlClass->Hide();
    bvlOptions = Add<TControl>("bvlOptions", "Options", 8, 176, 400, 100);
    cbIncludeTypeLib = Add<TCheckBox>("cbIncludeTypeLib", "&Include Type Library", 16, 192, 380, 17);
    cbIncludeTypeLib->SetChecked(true);
    cbMarkOleAutomation =
        Add<TCheckBox>("cbMarkOleAutomation", "&Mark interface Oleautomation", 16, 212, 380, 17);
    cbEvents = Add<TCheckBox>("cbEvents", "Generate &Event support code", 16, 232, 380, 17);
    cbLicensed = Add<TCheckBox>("cbLicensed", "Make &Control Licensed", 16, 252, 380, 17);
    cbLicensed->Hide();
    btnOK = Add<TButton>("btnOK", "OK", 168, 292, 75, 25);
    btnOK->SetModalResult(mrOk);
    btnCancel = Add<TButton>("btnCancel", "Cancel", 250, 292, 75, 25);
    btnCancel->SetModalResult(mrCancel);
    btnHelp = Add<TButton>("btnHelp", "&Help", 332, 292, 75, 25);
}

void TComObjectExpert::Offer(int fields)
{
    const auto show = [](bool on, std::initializer_list<TControl*> controls) {
        for (TControl* c : controls) on ? c->Show() : c->Hide();
    };
    show(fields & cfInterface, {lblInterface, edtInterface});
    show(fields & cfEvents, {cbEvents});
    show(fields & cfDescription, {lblDescription, edtDescription});
    show(fields & cfControl, {lblControlClass, cbControlClass});
    show(fields & cfLicensed, {cbLicensed});
    if (!(fields & cfControl)) return;
    cbControlClass->Items()->Clear();
    std::vector<TComponentClass> classes = LibraryControlClasses();
    for (TComponentClass c : RegisteredComponentClasses())
        if (c->InheritsFrom(&ClassTWinControl) &&
            std::find(classes.begin(), classes.end(), c) == classes.end())
            classes.push_back(c);
    for (TComponentClass c : classes)
        if (OfferedAsActiveX(c)) cbControlClass->Items()->Add(c->ClassName);
}

int TComObjectExpert::Execute()
{
    // The older "com.*" answers name the same controls; with none of them the dialog runs as a
    // form, which the host answers by its "form.*" answers (or cancels).
    static const std::pair<const char*, const char*> kComKeys[] = {
        {"com.coclass", "edtClassName"},       {"com.interface", "edtInterface"},
        {"com.description", "edtDescription"}, {"com.threading", "cbThreadingModel"},
        {"com.instancing", "cbInstancing"},    {"com.events", "cbEvents"},
        {"com.control", "cbControlClass"},     {"com.licensed", "cbLicensed"},
        {"com.servertype", "rgServerType"},    {"com.testpage", "cbTestScript"},
    };
    auto& a = hostimpl::State().Answers;
    const bool answered =
        std::any_of(a.begin(), a.end(), [](const auto& kv) { return kv.first.rfind("com.", 0) == 0; });
    if (!answered) return ShowModal() == mrOk ? mrOk : mrCancel;
    if (auto it = a.find("com.cancel"); it != a.end() && SameText(it->second, "true")) return mrCancel;
    for (const auto& [key, control] : kComKeys) {
        auto it = a.find(key);
        if (it == a.end()) continue;
        // A key for a control this dialog does not have is another dialog's.
        if (TComponent* c = FindComponent(control)) hostimpl::ApplyDialogAnswer(Name(), *c, it->second);
    }
    return mrOk;
}

void TComWizardItem::Select(int)
{
    Project = ActiveProject();
    // Without a project there is no module name, type library or CoClass home to write from.
    if (!Project) throw EHostError(GetNilProjError());
    // the CoClass goes into the project's type library, which an application gets with its
    // first COM object
    if (AddsCoClass()) RequireTypeLibraryProject(Project.get());
    StartWizard();
    if (!GetInfo()) return;
    // the unit's creator would refuse the name after the library took it
    ValidateIdent(CoClassName);
    CreateObject();
    TIntfPtr<IQModuleCreator> creator = GetUnitCreator();
    if (creator) ModuleServices()->CreateModule(creator.get(), Project.get());
    TIntfPtr<IQModuleCreator> about = GetAboutUnitCreator();
    if (about) ModuleServices()->CreateModule(about.get(), Project.get());
    EndWizard();
    // whatever the item's end did: the project knows the unit of each CoClass (a later edit of
    // the library reaches it) and the server's object map makes the object
    if (!AddsCoClass() || CoClassName.empty()) return;
    TIntfPtr<IInterface> updater = GetProjectUpdater(Project.get());
    TIntfPtr<IQProjectFileEntries> entries;
    TIntfPtr<IQTypeLibUpdater> objects;
    if (Supports(updater, entries) && Supports(updater, objects) && entries->CoClassUnit(CoClassName).empty())
        objects->NewComObject(CoClassName, FileName);
    if (auto* p = dynamic_cast<hostimpl::THostModule*>(Project.get()))
        hostimpl::AddObjectToProjectMap(*p, CoClassName, FileName);
}

void TComWizardItem::CreateObject()
{
    if (!AddsCoClass() || !IncludeTypeLib || CoClassName.empty()) return;
    TTypeObject* co = GetOrCreateTypeLibModule(Project.get())
                          ->TypeLibrary()
                          ->AddCoClass(CoClassName, InterfaceName, Description, Dual, Events);
    TTypeObject* intf = co->DefaultInterface();
    if (MarkOleAutomation && intf && !intf->HasAttribute("oleautomation"))
        intf->Attributes.push_back("oleautomation");
}

String TComWizardItem::GetDefaultName()
{
    TTypeLibrary* lib = Project ? GetTypeLibrary(Project.get()) : nullptr;
    for (int n = 1;; ++n) {
        const String name = "CoClass" + IntToStr(n);
        if (!lib || !lib->FindType(name)) return name;
    }
}

void FixStuff(IQProject* project, const String& fileName, const String& coClassName)
{
    if (IsApplication(project) && FindTypeLibModule(project)) GetOrCreateAtlSourceModule(project);
    // the server makes the object at run time through its entry in the project's object map
    if (auto* p = dynamic_cast<hostimpl::THostModule*>(project))
        hostimpl::AddObjectToProjectMap(*p, coClassName, fileName);
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
    d->Offer(Offers());
    if (d->Execute() != mrOk) return nullptr;
    return d;
}

void TComWizardItem::ReadExpert(TComObjectExpert& d)
{
    // what the unit does not take stays out of the type library too
    const int offers = Offers();
    CoClassName = d.CoClassName();
    if (offers & cfInterface) InterfaceName = d.InterfaceName();
    if (offers & cfDescription) Description = d.Description();
    ThreadingModel = d.ThreadingModel();
    // the unit registers the object with it: only a model of the list can be written there
    if (d.cbThreadingModel->Items()->IndexOf(ThreadingModel) < 0)
        throw EHostError("No threading model " + ThreadingModel +
                         ": Single, Apartment, Free, Both or Neutral");
    Instancing = d.Instancing();
    if (offers & cfEvents) Events = d.Events();
    if (offers & cfControl) {
        const String control = d.ControlClassName();
        if (control.empty()) throw EHostError("Choose the control the ActiveX control wraps");
        const int index = d.cbControlClass->Items()->IndexOf(control);
        if (index < 0) throw EHostError(control + " is no control an ActiveX control can wrap");
        ControlClassName = d.cbControlClass->Items()->Get(index);
    }
    if (offers & cfLicensed) Licensed = d.Licensed();
    FileName = MakeFileName(CoClassName);
}

String MakeFileName(const String& coClassName) { return MakeUniqueModuleName(coClassName + "Impl", ".cpp"); }

TGetATLUnitCreatorProc GetATLUnitCreatorProc = nullptr;
bool CanSwapTlibEditLanguage = false;

namespace {
void ListComHooks(std::vector<String>& out)
{
    out.push_back(
        hostimpl::HookLine("GetATLUnitCreatorProc", reinterpret_cast<const void*>(GetATLUnitCreatorProc)));
    out.push_back(String("CanSwapTlibEditLanguage ") + (CanSwapTlibEditLanguage ? "true" : "false"));
}
const hostimpl::TStateSource kComHooks("COM hooks", ListComHooks);
}  // namespace

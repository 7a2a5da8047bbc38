#include "Ccommgr.h"

#include "host/ComWizard.h"
#include "host/HostStrings.h"
#include "host/ModuleServices.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuard.h"
#include "rtl/SysUtils.h"

using namespace HostStrings;

namespace {

const char* const CRLF = "\r\n";

std::vector<TCoClassExpertFactory>* gExperts = nullptr;

// A base name: a type-library unit name without its last four characters ("Project1_TLB").
String BaseName(const String& unitName) { return unitName.size() > 4 ? unitName.substr(0, unitName.size() - 4) : ""; }

String Quoted(const String& s) { return "\"" + s + "\""; }

// The CoClass a class implements: by the name it had before the edit, else by its name now (an
// update already applied finds its CoClass again).
TTypeObject* FindCoClassByOldLangName(TTypeLibrary& lib, const String& name)
{
    for (int i = 0; i < lib.TypeCount(); ++i) {
        TTypeObject* t = lib.Type(i);
        if (t->Kind() == tkCoClass && !t->Edit.OldName.empty() && t->Edit.OldName == name) return t;
    }
    return lib.FindType(name, tkCoClass);
}

String OldNameOf(const TTypeObject& t) { return t.Edit.OldName.empty() ? t.Name() : t.Edit.OldName; }

// The C++ parameter flags of a type-library parameter: in 0, out 32, in and out 1.
int ParamFlagsOf(const TTypeLibParam& p)
{
    const bool in = p.Flags & pfIn, out = p.Flags & pfOut;
    return in && out ? 1 : out ? 32 : 0;
}

}  // namespace

const String StandardMethodBody = String("{\r\n") + "  try\r\n" + "  {\r\n" + "\r\n" + "  }\r\n" +
                                  "  catch(Exception &e)\r\n" + "  {\r\n" +
                                  "    return Error(e.Message.c_str(), #);\r\n" + "  }\r\n" + "  return S_OK;\r\n" +
                                  "};\r\n" + "\r\n";

int InvokeKindOf(const TTypeLibMember& member)
{
    if (member.HasAttribute("propget")) return 2;
    if (member.HasAttribute("propput")) return 4;
    if (member.HasAttribute("propputref")) return 8;
    return 1;
}

TMethodTypeInfo MethodRecordOf(const TTypeLibMember& member, const String& prefix)
{
    TMethodTypeInfo r;
    r.Name = prefix + member.Name;
    r.IsFunction = member.ResultType != "void";
    if (r.IsFunction) r.ResultType = member.ResultType;
    for (const auto& p : member.Params) r.Params.push_back({ParamFlagsOf(p), p.Name, p.Type});
    return r;
}

TInterfaceMethod::TInterfaceMethod(TInterfaceMethodKind kind, const String& name, bool existed,
                                   TTypeLibMember* member, TMethodTypeInfo record)
    : Kind(kind), Name(name.empty() ? record.Name : name), Existed(existed), Member(member), Record(std::move(record))
{
}

int TInterfaceMethod::HeaderType() const
{
    if (Kind == imEvent) return 0;
    return Record.IsFunction && Record.ResultType == "HRESULT" ? 2 : 1;
}

// ---- experts ----

void TCoClassExpert::GenMethod(const TInterfaceMethod& method, String& body)
{
    if (method.HeaderType() != 2) body = "{\r\n}";
}

String EventMethodName(const String& memberName)
{
    String name = memberName;
    if (name.size() > 2 && SameText(name.substr(0, 2), "On")) name = name.substr(2);
    return name + "Event";
}

void TCoClassComponentBrowser::Execute() { Expert->UpdateInterfaces(*Updater, ImplName, *CoClass); }

void TCoClassExpert::UpdateInterface(TCppCoClassUpdater& updater, const String& implName, TTypeObject& coClass)
{
    FImplName = implName;
    FCoClassName = coClass.Name();
    std::unique_ptr<TCoClassComponentBrowser> browser = CreateComponentBrowser();
    if (!browser) {
        UpdateInterfaces(updater, implName, coClass);
        return;
    }
    browser->Updater = &updater;
    browser->CoClass = &coClass;
    browser->ImplName = implName;
    browser->Expert = this;
    FBrowser = browser.get();
    TScopeGuard done([&] { FBrowser = nullptr; });
    browser->PrepareAndExecute();
}

void TCoClassExpert::UpdateInterfaces(TCppCoClassUpdater& updater, const String& implName, TTypeObject& coClass)
{
    FImplName = implName;
    FCoClassName = coClass.Name();
    TTypeLibrary* lib = coClass.Library();
    for (const auto& entry : coClass.Implements) {
        TTypeObject* intf = lib->FindType(entry.InterfaceName);
        if (!intf) continue;
        // a dispatch interface only as the event source
        if (intf->Kind() == tkDispatch && !entry.Source) continue;
        FManager->Parse();
        const TCppUnitClass* cls = FManager->FindClass(implName);
        TInterfaceDescription d;
        d.Name = intf->Name();
        d.OldName = OldNameOf(*intf);
        d.Dual = intf->HasAttribute("dual");
        d.ComPlusStub = coClass.HasAttribute("custom(COMPlusStub)");
        if (entry.Source) {
            // the events the expert can handle, each by its handler
            d.IsEvent = true;
            for (const auto& m : intf->Members) {
                TMethodTypeInfo record;
                if (!GetEventInfo(*m, record)) continue;
                const String oldName = m->Edit.OldName.empty() ? m->Name : m->Edit.OldName;
                d.Methods.push_back(
                    std::make_unique<TInterfaceMethod>(imEvent, oldName, m->Edit.Existed, m.get(), std::move(record)));
            }
            if (cls) {
                updater.UpdateInterface(d, *cls, *this, coClass.Name());
                FManager->Commit();
            }
            continue;
        }
        for (const auto& m : intf->Members) {
            const int kind = InvokeKindOf(*m);
            const TInterfaceMethodKind k = kind == 1 ? imMethod : kind == 2 ? imPropGet : imPropSet;
            const String prefix = GetPropPrefix(kind);
            const String oldName = m->Edit.OldName.empty() ? m->Name : m->Edit.OldName;
            d.Methods.push_back(std::make_unique<TInterfaceMethod>(k, prefix + oldName, m->Edit.Existed, m.get(),
                                                                   MethodRecordOf(*m, prefix)));
        }
        if (cls) {
            updater.UpdateInterface(d, *cls, *this, coClass.Name());
            FManager->Commit();
        }
    }
}

bool TCppActiveServerPageExpert::ConnectToClass(const TCppUnitClass& cls)
{
    if (cls.Name.size() <= 5) return false;
    const String coClassName = cls.Name.substr(1, cls.Name.size() - 5);
    TTypeLibrary* lib = GetTypeLibrary(ActiveProject().get());
    TTypeObject* co = lib ? lib->FindType(coClassName, tkCoClass) : nullptr;
    TTypeObject* intf = co ? co->DefaultInterface() : nullptr;
    if (!intf || intf->Members.size() != 2) return false;
    const TTypeLibMember& start = *intf->Members[0];
    return start.Name == "OnStartPage" && start.Params.size() == 1 && start.Params[0].Name == "AScriptingContext" &&
           intf->Members[1]->Name == "OnEndPage";
}

void TCppActiveServerPageExpert::GenMethod(const TInterfaceMethod& method, String& body)
{
    const String call = method.Name == "OnStartPage" ? "    hr = TASPObject::OnStartPage(AScriptingContext);\r\n"
                        : method.Name == "OnEndPage" ? "    hr = TASPObject::OnEndPage();\r\n"
                                                     : "";
    if (call.empty()) return;
    body = String("{\r\n") + "  HRESULT hr = E_FAIL;\r\n" + "  try\r\n" + "  {\r\n" + call + "  }\r\n" +
           "  catch(Exception &e)\r\n" + "  {\r\n" + "    return Error(e.Message.c_str(), #);\r\n" + "  }\r\n" +
           "  return hr;\r\n" + "};\r\n" + "\r\n";
}

void RegisterCoClassExpert(TCoClassExpertFactory factory)
{
    if (gExperts) gExperts->push_back(factory);
}

std::unique_ptr<TCoClassExpert> ChooseCoClassExpert(TCppClassManager* manager, const TCppUnitClass& cls)
{
    if (gExperts)
        for (auto it = gExperts->rbegin(); it != gExperts->rend(); ++it) {
            std::unique_ptr<TCoClassExpert> e = (*it)(manager);
            if (e->ConnectToClass(cls)) return e;
        }
    return std::make_unique<TCoClassExpert>(manager);
}

// ---- the updater ----

TCppCoClassUpdater::TCppCoClassUpdater(std::unique_ptr<TCppClassManager> manager, TIntfPtr<IQModule> module)
    : FManager(std::move(manager)), FModule(std::move(module))
{
}

HRESULT TCppCoClassUpdater::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQCoClassUpdater>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

bool TCppCoClassUpdater::RenameClass(const String& oldName, const String& newName)
{
    TTypeLibrary* lib = GetTypeLibrary(ActiveProject().get());
    TTypeObject* co = lib ? lib->FindType(oldName, tkCoClass) : nullptr;
    if (co) co->Rename(newName);
    return false;
}

void TCppCoClassUpdater::RenameIncludeFile(const String& oldName, const String& newName)
{
    const String& text = FManager->Text(csHeader);
    const String old = "#include \"" + oldName + ".h\"";
    const std::size_t pos = text.find(old);
    if (pos == String::npos) return;
    FManager->Replace(csHeader, pos, old.size(), Format("#include \"%s.h\"", {newName}));
}

void TCppCoClassUpdater::UpdateLiterals(const TCppUnitClass& cls, const String& oldBase, const String& newBase,
                                        TTypeObject& coClass)
{
    const String oldProgId = cls.ProgIdText == "\"\"" ? cls.ProgIdText : Quoted(oldBase + "." + OldNameOf(coClass));
    const String newProgId = Quoted(newBase + "." + coClass.Name());
    if (cls.ProgIdPos != NoPosition && cls.ProgIdText == oldProgId && newProgId != oldProgId)
        FManager->Replace(csHeader, cls.ProgIdPos, cls.ProgIdText.size(), newProgId);
    const String oldLic = cls.LicenceText == "\"\"" ? cls.LicenceText : Quoted(oldBase + ".lic");
    const String newLic = Quoted(newBase + ".lic");
    if (cls.LicencePos != NoPosition && cls.LicenceText == oldLic && newLic != oldLic)
        FManager->Replace(csHeader, cls.LicencePos, cls.LicenceText.size(), newLic);
}

void TCppCoClassUpdater::DeclarePersistence(const TCppUnitClass& cls, const String& implName)
{
    // ZUBCONTROL_IMPL(TAImpl, A, TWrapped, ...), PROPERTYPAGE_IMPL(TAImpl, A, TWrapped)
    const auto& bases = cls.BaseReferences;
    if (bases.size() < 4 || (bases[0].Text != "ZUBCONTROL_IMPL" && bases[0].Text != "PROPERTYPAGE_IMPL") ||
        cls.RegistryLinePos == NoPosition)
        return;
    // before the registry macro and its comment, laid out as the wizard writes it
    const String& text = FManager->Text(csHeader);
    const String comment = String(sAXRegistryMacroComment) + CRLF;
    std::size_t pos = cls.RegistryLinePos;
    if (pos >= comment.size() && text.compare(pos - comment.size(), comment.size(), comment) == 0)
        pos -= comment.size();
    FManager->Insert(csHeader, pos,
                     String(sDECLAREZUBPERSISTENCEComment) + CRLF + "DECLARE_ZUB_CONTROL_PERSISTENCE(" + implName +
                         ", " + bases[3].Text + ");" + CRLF + CRLF);
}

void TCppCoClassUpdater::Update(IQProject* project)
{
    FManager->Parse();
    const TCppClassManager::TSnapshot before = FManager->Snapshot();
    // the unit changes whole or not at all
    TScopeGuard restore([&] {
        FManager->Restore(before);
        FModified = false;
    });
    TIntfPtr<IQTypeLibModule> tlm = FindTypeLibModule(project);
    if (!tlm) throw EHostError(String(sTypeLibModuleNotFound));
    TTypeLibrary* lib = tlm->TypeLibrary();
    if (!lib) throw EHostError(String(sTypeLibraryNotFound));
    if (FManager->Classes().empty()) throw EHostError(Format(sNoSymbolsToIterate, {FManager->UnitName()}));
    std::vector<std::pair<String, TTypeObject*>> pairs;
    for (const auto& c : FManager->Classes())
        if (TTypeObject* co = FindCoClassByOldLangName(*lib, ImplToCoClassName(c.Name))) pairs.push_back({c.Name, co});
    if (pairs.empty()) throw EHostError(Format(sNoCoClasses, {FManager->UnitName()}));
    // the unit name before an edit is not kept apart: the library's unit keeps the project's name
    const String oldUnit = tlm->UnitName(), newUnit = tlm->UnitName();
    bool first = true;
    for (auto& [implName, co] : pairs) {
        FManager->Parse();
        const TCppUnitClass* cls = FManager->FindClass(implName);
        if (!cls) continue;
        if (first) {
            first = false;
            if (oldUnit != newUnit) RenameIncludeFile(oldUnit, newUnit);
            UpdateLiterals(*cls, BaseName(oldUnit), BaseName(newUnit), *co);
        }
        const String oldName = OldNameOf(*co);
        if (oldName != co->Name()) {
            UpdateClassNames(*FManager, oldName, co->Name());
            implName = CoClassToImplName(co->Name());
        }
        if (!cls->HasPersistence) DeclarePersistence(*cls, implName);
        FManager->Commit();
        if (co->Implements.empty()) continue;
        FManager->Parse();
        const TCppUnitClass* now = FManager->FindClass(implName);
        if (!now) continue;
        std::unique_ptr<TCoClassExpert> expert = ChooseCoClassExpert(FManager.get(), *now);
        expert->UpdateInterface(*this, implName, *co);
    }
    FManager->Parse();
    const TCppClassManager::TSnapshot after = FManager->Snapshot();
    FModified = after.Header != before.Header || after.Source != before.Source;
    restore.Dismiss();
}

void TCppCoClassUpdater::ShowMethod(const String& coClassName, const String& memberName)
{
    FManager->Parse();
    const TCppUnitClass* cls = FManager->FindClass(CoClassToImplName(coClassName));
    if (!cls || !cls->FindMethod(memberName)) throw EHostError(Format(sMethodNotFound, {memberName}));
    if (FModule) FModule->Show(0);
}

void TCppCoClassUpdater::UpdateInterface(const TInterfaceDescription& d, const TCppUnitClass& cls,
                                         TCoClassExpert& expert, const String& coClassName)
{
    bool inBaseList = false;
    for (const auto& r : cls.BaseReferences)
        if (r.Text == d.OldName) inBaseList = true;
    if (!inBaseList && !d.IsEvent) {
        if (cls.BaseListPos != NoPosition)
            FManager->Insert(csHeader, cls.BaseListPos,
                             String(",") + CRLF + Format("  DUALINTERFACE_IMPL(%s, %s)", {coClassName, d.Name}));
        if (cls.ComMapPos != NoPosition)
            FManager->Insert(csHeader, cls.ComMapPos, CRLF + Format("  DUALINTERFACE_ENTRY(%s)", {d.Name}));
    } else if (inBaseList && d.OldName != d.Name) {
        for (const String& n : {d.OldName, "IID_" + d.OldName}) {
            const String to = n == d.OldName ? d.Name : "IID_" + d.Name;
            for (const auto& r : FManager->References(n)) FManager->Replace(r.Section, r.Pos, n.size(), to);
        }
    }
    for (const auto& m : d.Methods) {
        const String name = m->Kind == imEvent ? EventMethodName(m->Name) : m->Name;
        const int headerType = m->HeaderType();
        const TCppMethodPlace* place = cls.FindMethod(name);
        if (place) {
            if (place->DeclPos == NoPosition) throw EHostError(Format(sMethodNotFound, {name}));
            FManager->Replace(csHeader, place->DeclPos, place->DeclEnd - place->DeclPos,
                              CppMethodHeader(m->Record, "", mhDeclaration, headerType));
            if (place->ImplPos == NoPosition) throw EHostError(Format(sMethodNotFound, {name}));
            FManager->Replace(csSource, place->ImplPos, place->ImplEnd - place->ImplPos,
                              CRLF + CppMethodHeader(m->Record, cls.Name, mhImplementation, headerType));
            if (place->DispIdPos != NoPosition && m->Member)
                FManager->Replace(csSource, place->DispIdPos, place->DispIdText.size(), IntToStr(m->Member->MemberId));
            continue;
        }
        if (cls.MemberInsertPos != NoPosition)
            FManager->Insert(csHeader, cls.MemberInsertPos,
                             String(CRLF) + "  " + CppMethodHeader(m->Record, "", mhDeclaration, headerType));
        String body = StandardMethodBody;
        switch (m->Kind) {
        case imMethod: expert.GenMethod(*m, body); break;
        case imPropGet: expert.GenPropertyGet(*m, body); break;
        case imPropSet: expert.GenPropertySet(*m, body); break;
        case imEvent: expert.GenEvent(*m, body); break;
        }
        if (d.ComPlusStub)
            body = String("{\r\n") + "  // Warning: Stub method. COM+ will ignore any implementation.\r\n" + "}";
        const std::size_t hash = body.find('#');
        if (hash != String::npos) body.replace(hash, 1, "IID_" + d.Name);
        FManager->Insert(csSource, FManager->Text(csSource).size(),
                         Format("%s\r\n%s\r\n", {CppMethodHeader(m->Record, cls.Name, mhImplementation, headerType), body}));
        expert.GenAux(*m);
    }
}

namespace Ccommgr {
int UseCount = 0;
void Initialization()
{
    gExperts = new std::vector<TCoClassExpertFactory>;
    // tried from the last: Active Server, remote data module, Active Form, ActiveX control
    RegisterCoClassExpert([](TCppClassManager* m) -> std::unique_ptr<TCoClassExpert> {
        return std::make_unique<TActiveXControlCoClassExpert>(m);
    });
    RegisterCoClassExpert([](TCppClassManager* m) -> std::unique_ptr<TCoClassExpert> {
        return std::make_unique<TActiveFormCoClassExpert>(m);
    });
    RegisterCoClassExpert([](TCppClassManager* m) -> std::unique_ptr<TCoClassExpert> {
        return std::make_unique<TCppActiveServerPageExpert>(m);
    });
}
void Finalization()
{
    delete gExperts;
    gExperts = nullptr;
}
}  // namespace Ccommgr

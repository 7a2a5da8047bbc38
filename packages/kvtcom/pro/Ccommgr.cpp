#include "Ccommgr.h"

#include <algorithm>

#include "host/ComWizard.h"
#include "host/EnvironmentOptions.h"
#include "host/HostStrings.h"
#include "host/ModuleServices.h"
#include "rtl/Files.h"
#include "rtl/Format.h"
#include "rtl/ScopeGuard.h"
#include "rtl/SysUtils.h"

using namespace HostStrings;

namespace {

const char* const CRLF = "\r\n";

std::vector<TCoClassExpertFactory>* gExperts = nullptr;

// A base name: a type-library unit name without its last four characters ("Project1_TLB").
String BaseName(const String& unitName)
{
    return unitName.size() > 4 ? unitName.substr(0, unitName.size() - 4) : "";
}

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

// Names the type libraries use for a GUID.
bool IsGuidName(const String& name)
{
    for (const char* g : {"GUID", "TGUID", "CLSID", "IID"})
        if (SameText(name, g)) return true;
    return false;
}

// The wrapper line of a parameter: an interface pointer is held by a smart pointer that takes a
// reference of its own, a VARIANT by a TVariant; "" for other types. A type of the library that
// is no interface (a record, an enumeration, an alias) gets none: no smart pointer holds it.
String WrapperLine(const TMethodTypeParam& p)
{
    String base = Trim(p.Type);
    int levels = 0;
    while (!base.empty() && base.back() == '*') {
        base = TrimRight(base.substr(0, base.size() - 1));
        ++levels;
    }
    if (levels == 0 && base == "VARIANT") return Format("  TVariant %sPtr(%s);", {p.Name, p.Name});
    if (levels != 1 || base.empty() || VarTypeOf(base) != vtUserDefined ||
        VarTypeOf(base + "*") != vtUserDefined || IsGuidName(base))
        return "";
    TTypeLibrary* lib = GetTypeLibrary(ActiveProject().get());
    if (const TTypeObject* t = lib ? lib->FindType(base) : nullptr)
        if (t->Kind() != tkInterface && t->Kind() != tkDispatch) return "";
    return Format("  TComInterface<%s> %sPtr(%s, true);", {base, p.Name, p.Name});
}

// Interfaces every COM object has from its library; their members are not the object's to write.
bool IsBuiltInInterface(const String& name)
{
    for (const char* b : {"IUnknown", "IDispatch", "IAppServer"})
        if (SameText(name, b)) return true;
    return false;
}

// The C++ parameter flags of a type-library parameter: in 0, out 32, in and out 1.
int ParamFlagsOf(const TTypeLibParam& p)
{
    const bool in = p.Flags & pfIn, out = p.Flags & pfOut;
    return in && out ? 1 : out ? 32 : 0;
}

}  // namespace

// The open module of the unit's source; nullptr when none is open.
TIntfPtr<IQModule> ModuleOfUnit(const TCppClassManager& manager)
{
    TIntfPtr<IQProjectGroup> group = MainProjectGroup();
    for (int i = 0; group && i < group->OpenModuleCount(); ++i) {
        TIntfPtr<IQModule> m = group->OpenModule(i);
        if (SameFileName(m->FileName(), manager.SourceFile())) return m;
    }
    return nullptr;
}

TIntfPtr<IQFormModule> FormModuleOf(IQModule* module)
{
    TIntfPtr<IQFormModule> form;
    if (module) Supports(module, form);
    return form;
}

// Lines put at the start of a standard body's try block (in place of its empty line); a body
// without one stays as it is.
String IntoTryBlock(const String& body, const String& lines)
{
    const String open = String("  try") + CRLF + "  {" + CRLF;
    const std::size_t at = body.find(open);
    if (at == String::npos) return body;
    const std::size_t inside = at + open.size();
    const bool empty = body.compare(inside, 2, CRLF) == 0;
    return body.substr(0, inside) + lines + body.substr(empty ? inside + 2 : inside);
}

const String StandardMethodBody =
    String("{\r\n") + "  try\r\n" + "  {\r\n" + "\r\n" + "  }\r\n" + "  catch(Exception &e)\r\n" + "  {\r\n" +
    "    return Error(e.Message.c_str(), #);\r\n" + "  }\r\n" + "  return S_OK;\r\n" + "};\r\n" + "\r\n";

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
    : Kind(kind), Name(name.empty() ? record.Name : name), Existed(existed), Member(member),
      Record(std::move(record))
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
    String lines;
    for (const auto& p : method.Record.Params) {
        const String line = WrapperLine(p);
        if (!line.empty()) lines += line + CRLF;
    }
    // an HRESULT member keeps its try block, its error return and its S_OK
    if (method.HeaderType() == 2) {
        if (!lines.empty()) body = IntoTryBlock(body, lines);
        return;
    }
    body = method.Record.Params.empty() ? String("{\r\n}") : String("{ ") + CRLF + lines + "}" + CRLF;
}

String EventMethodName(const String& memberName)
{
    String name = memberName;
    if (name.size() > 2 && SameText(name.substr(0, 2), "On")) name = name.substr(2);
    return name + "Event";
}

void TCoClassComponentBrowser::Execute() { Expert->UpdateInterfaces(*Updater, ImplName, *CoClass); }

void TCoClassExpert::UpdateInterface(TCppCoClassUpdater& updater, const String& implName,
                                     TTypeObject& coClass)
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

void TCoClassExpert::UpdateInterfaces(TCppCoClassUpdater& updater, const String& implName,
                                      TTypeObject& coClass)
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
                d.Methods.push_back(std::make_unique<TInterfaceMethod>(imEvent, oldName, m->Edit.Existed,
                                                                       m.get(), std::move(record)));
            }
            if (cls) {
                updater.UpdateInterface(d, *cls, *this, coClass.Name());
                FManager->Commit();
            }
            continue;
        }
        // the interface's own members, then, when the environment asks for it, its ancestors'
        std::vector<const TTypeObject*> sources{intf};
        if (EnvironmentOptions().ImplementAncestorMembers())
            for (String parent = intf->ParentName; !parent.empty() && !IsBuiltInInterface(parent);) {
                const TTypeObject* up = lib->FindType(parent);
                if (!up || (up->Kind() != tkInterface && up->Kind() != tkDispatch) ||
                    std::find(sources.begin(), sources.end(), up) != sources.end())
                    break;
                sources.push_back(up);
                parent = up->ParentName;
            }
        for (const TTypeObject* source : sources)
            for (const auto& m : source->Members) {
                const int kind = InvokeKindOf(*m);
                const TInterfaceMethodKind k = kind == 1 ? imMethod : kind == 2 ? imPropGet : imPropSet;
                const String prefix = GetPropPrefix(kind);
                const String oldName = m->Edit.OldName.empty() ? m->Name : m->Edit.OldName;
                d.Methods.push_back(std::make_unique<TInterfaceMethod>(k, prefix + oldName, m->Edit.Existed,
                                                                       m.get(), MethodRecordOf(*m, prefix)));
            }
        if (cls) {
            updater.UpdateInterface(d, *cls, *this, coClass.Name());
            FManager->Commit();
        }
    }
}

bool TRemoteDataModuleCoClassExpert::ConnectToClass(const TCppUnitClass&)
{
    TIntfPtr<IQFormModule> root = FormModuleOf(ModuleOfUnit(*FManager).get());
    if (!root || !SameText(root->RootClass(), "TDATAMODULE")) return false;
    FRoot = root;
    return true;
}

void TRemoteDataModuleCoClassExpert::GenPropertyGet(const TInterfaceMethod& method, String& body)
{
    if (!FRoot || !method.Member) return;
    for (const String& component : FRoot->ComponentNames())
        if (SameText(component, method.Member->Name)) {
            body = IntoTryBlock(body,
                                Format("  _di_IProvider IProv = m_DataModule->%s->Provider;", {component}) +
                                    CRLF + "  IProv->AddRef();" + CRLF + "  *Value = IProv;" + CRLF);
            return;
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
    return start.Name == "OnStartPage" && start.Params.size() == 1 &&
           start.Params[0].Name == "AScriptingContext" && intf->Members[1]->Name == "OnEndPage";
}

void TCppActiveServerPageExpert::GenMethod(const TInterfaceMethod& method, String& body)
{
    const String call = method.Name == "OnStartPage"
                            ? "    hr = TASPObject::OnStartPage(AScriptingContext);\r\n"
                        : method.Name == "OnEndPage" ? "    hr = TASPObject::OnEndPage();\r\n"
                                                     : "";
    if (call.empty()) return;
    body = String("{\r\n") + "  HRESULT hr = E_FAIL;\r\n" + "  try\r\n" + "  {\r\n" + call + "  }\r\n" +
           "  catch(Exception &e)\r\n" + "  {\r\n" + "    return Error(e.Message.c_str(), #);\r\n" +
           "  }\r\n" + "  return hr;\r\n" + "};\r\n" + "\r\n";
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

TIntfPtr<IQProject> TCppCoClassUpdater::GetTypeLibraryProject()
{
    TIntfPtr<IQProjectGroup> group = MainProjectGroup();
    for (int i = 0; group && i < group->OpenModuleCount(); ++i) {
        TIntfPtr<IQProject> project;
        if (!Supports(group->OpenModule(i).get(), project)) continue;
        for (int k = 0; k < project->ModuleCount(); ++k)
            if (SameFileName(project->Module(k)->FileName(), FManager->SourceFile())) return project;
    }
    return nullptr;
}

void TCppCoClassUpdater::RenameIncludeFile(const String& oldName, const String& newName)
{
    const TCppInclude* include = FManager->FindInclude(oldName + ".h");
    if (!include) return;
    // the insert goes first: edits at one position apply in the order they were made
    FManager->Insert(csHeader, include->Pos, Format("#include \"%s.h\"", {newName}));
    FManager->Delete(csHeader, include->Pos, include->End - include->Pos);
}

void TCppCoClassUpdater::RenameBaseName(const String& oldBase, const String& newBase,
                                        const String& coClassName)
{
    if (oldBase.empty() || newBase.empty()) return;
    // a CoClass named like the library is the class-name rename's to follow
    for (const String prefix : {"LIBID_", ""}) {
        if (prefix.empty() && oldBase == coClassName) continue;
        const String from = prefix + oldBase;
        for (const auto& r : FManager->References(from))
            FManager->Replace(r.Section, r.Pos, from.size(), prefix + newBase);
    }
}

void TCppCoClassUpdater::OfferRename(IQProject* project, const String& oldName, const String& newName,
                                     TUndoList& undo)
{
    TIntfPtr<IQCoClassRename> rename;
    if (!Supports(GetProjectUpdater(project), rename)) return;
    rename->Rename(oldName, newName);
    undo.push_back([rename, oldName, newName] { rename->Rename(newName, oldName); });
}

bool TCppCoClassUpdater::RenameFormRoot(const String& oldName, const String& newName, TUndoList& undo)
{
    TIntfPtr<IQFormModule> form = FormModuleOf(FModule ? FModule.get() : ModuleOfUnit(*FManager).get());
    if (!form || !SameText(form->RootName(), oldName)) return false;
    FManager->Commit();
    const String rootName = form->RootName();
    form->RenameRoot(newName);
    undo.push_back([form, rootName] { form->RenameRoot(rootName); });
    FManager->Parse();
    return true;
}

void TCppCoClassUpdater::UpdateLiterals(const TCppUnitClass& cls, const String& oldBase,
                                        const String& newBase, TTypeObject& coClass)
{
    const String oldProgId =
        cls.ProgIdText == "\"\"" ? cls.ProgIdText : Quoted(oldBase + "." + OldNameOf(coClass));
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
    // ZUBCONTROL_IMPL(TAImpl, A, TWrapped, ...), PROPERTYPAGE_IMPL(TAImpl, A, TWrapped), or written
    // out: public TZubControlImpl<TWrapped>; a class that wraps nothing has nothing to persist
    const bool implBase =
        cls.ImplBase == "ZUBCONTROL_IMPL" || cls.ImplBase == "PROPERTYPAGE_IMPL" || cls.ImplBase == "public";
    if (!implBase || cls.WrappedClass.empty() || cls.RegistryLinePos == NoPosition) return;
    // before the registry macro and its comment, laid out as the wizard writes it
    const String& text = FManager->Text(csHeader);
    const String comment = String(sAXRegistryMacroComment) + CRLF;
    std::size_t pos = cls.RegistryLinePos;
    if (pos >= comment.size() && text.compare(pos - comment.size(), comment.size(), comment) == 0)
        pos -= comment.size();
    FManager->Insert(csHeader, pos,
                     String(sDECLAREZUBPERSISTENCEComment) + CRLF + "DECLARE_ZUB_CONTROL_PERSISTENCE(" +
                         implName + ", " + cls.WrappedClass + ");" + CRLF + CRLF);
}

void TCppCoClassUpdater::Update(IQProject* project)
{
    FManager->Parse();
    const TCppClassManager::TSnapshot before = FManager->Snapshot();
    // the unit changes whole or not at all
    TUndoList undo;
    TScopeGuard restore([&] {
        for (auto it = undo.rbegin(); it != undo.rend(); ++it) try {
                (*it)();
            } catch (const Exception&) {
                // the rest is taken back all the same
            }
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
        if (TTypeObject* co = FindCoClassByOldLangName(*lib, ImplToCoClassName(c.Name)))
            pairs.push_back({c.Name, co});
    if (pairs.empty()) throw EHostError(Format(sNoCoClasses, {FManager->UnitName()}));
    const String oldUnit = tlm->OldUnitName(), newUnit = tlm->UnitName();
    bool first = true;
    for (auto& [implName, co] : pairs) {
        FManager->Parse();
        const TCppUnitClass* cls = FManager->FindClass(implName);
        if (!cls) continue;
        const String oldName = OldNameOf(*co);
        if (first) {
            first = false;
            if (oldUnit != newUnit) {
                RenameIncludeFile(oldUnit, newUnit);
                RenameBaseName(BaseName(oldUnit), BaseName(newUnit), oldName);
            }
            UpdateLiterals(*cls, BaseName(oldUnit), BaseName(newUnit), *co);
        }
        if (oldName != co->Name()) {
            UpdateClassNames(*FManager, oldName, co->Name());
            OfferRename(project, oldName, co->Name(), undo);
            implName = CoClassToImplName(co->Name());
            if (RenameFormRoot(oldName, co->Name(), undo)) {
                cls = FManager->FindClass(implName);
                if (!cls) continue;
            }
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

void TCppCoClassUpdater::ShowMethod(const String& coClassName, const TTypeLibMember& member)
{
    FManager->Parse();
    const TCppUnitClass* cls = FManager->FindClass(CoClassToImplName(coClassName));
    const TCppMethodPlace* m =
        cls ? cls->FindMethod(GetPropPrefix(InvokeKindOf(member)) + member.Name) : nullptr;
    if (!m) return;
    TIntfPtr<IQSourceView> view;
    if (!Supports(FModule ? FModule : ModuleOfUnit(*FManager), view)) return;
    if (m->ImplPos != NoPosition) {
        // the implementation's header begins after the line break at ImplPos (none at the start)
        const String& text = FManager->Text(csSource);
        std::size_t code = m->ImplPos;
        if (text.compare(code, 2, CRLF) == 0)
            code += 2;
        else if (code < text.size() && text[code] == '\n')
            ++code;
        view->ShowSource(FManager->SourceFile(), code, m->ImplEnd);
    } else if (m->DeclPos != NoPosition) {
        view->ShowSource(FManager->HeaderFile(), m->DeclPos, m->DeclEnd);
    }
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
                             String(",") + CRLF +
                                 Format("  DUALINTERFACE_IMPL(%s, %s)", {coClassName, d.Name}));
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
                FManager->Replace(csSource, place->DispIdPos, place->DispIdText.size(),
                                  IntToStr(m->Member->MemberId));
            continue;
        }
        // event handlers have a place of their own in the class
        const std::size_t insertPos = m->Kind == imEvent ? cls.EventInsertPos : cls.MemberInsertPos;
        if (insertPos != NoPosition)
            FManager->Insert(csHeader, insertPos,
                             String(CRLF) + "  " + CppMethodHeader(m->Record, "", mhDeclaration, headerType));
        String body = StandardMethodBody;
        switch (m->Kind) {
        case imMethod: expert.GenMethod(*m, body); break;
        case imPropGet: expert.GenPropertyGet(*m, body); break;
        case imPropSet: expert.GenPropertySet(*m, body); break;
        case imEvent: expert.GenEvent(*m, body); break;
        }
        if (d.ComPlusStub)
            body =
                String("{\r\n") + "  // Warning: Stub method. COM+ will ignore any implementation.\r\n" + "}";
        const std::size_t hash = body.find('#');
        if (hash != String::npos) body.replace(hash, 1, "IID_" + d.Name);
        FManager->Insert(csSource, FManager->Text(csSource).size(),
                         Format("%s\r\n%s\r\n",
                                {CppMethodHeader(m->Record, cls.Name, mhImplementation, headerType), body}));
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
        return std::make_unique<TRemoteDataModuleCoClassExpert>(m);
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

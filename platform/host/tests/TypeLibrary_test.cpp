#include <gtest/gtest.h>

#include <sstream>

#include "ProjectTestHost.h"
#include "host/ComWizards.h"
#include "host/CppProject.h"
#include "host/TypeLibrary.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

const TGUID kLib = TGUID::Parse("{11111111-2222-3333-4444-555555555555}");
const TGUID kIntf = TGUID::Parse("{AAAAAAAA-0000-0000-0000-000000000001}");
const TGUID kEvents = TGUID::Parse("{AAAAAAAA-0000-0000-0000-000000000002}");
const TGUID kCo = TGUID::Parse("{AAAAAAAA-0000-0000-0000-000000000003}");

// A library with every kind of object, member, parameter and reference the text knows.
std::unique_ptr<TTypeLibrary> Sample()
{
    auto lib = std::make_unique<TTypeLibrary>("Shop", kLib);
    lib->HelpString = "Shop Library";
    lib->AddReference(LIBID_StdZUB, 4, 1, 0, "stdzub.tlb");
    TTypeObject* i = lib->AddType(tkInterface, "IOrders", &kIntf);
    i->HelpString = "Interface for \"Orders\" Object";
    i->ParentName = "IDispatch";
    i->Attributes = {"dual", "oleautomation"};
    TTypeLibMember* m = i->AddMethod("OnStartPage", 1);
    m->AddParam("AScriptingContext", vtUnknown);
    TTypeLibMember* g = i->AddMethod("Count", 2);
    g->Attributes = {"propget"};
    g->AddParam("Value", vtI4, pfOut | pfRetval).Type = "long*";
    i->AddMethod("Clear", 255)->Attributes = {"helpstring(\"Empties, then waits\")"};
    TTypeObject* e = lib->AddType(tkDispatch, "IOrdersEvents", &kEvents);
    e->AddMethod("OnChange", 1)->ResultType = "void";
    TTypeObject* c = lib->AddType(tkCoClass, "Orders", &kCo);
    c->HelpString = "Orders Object";
    c->Implements = {{"IOrders", false, true, false}, {"IOrdersEvents", true, true, true}};
    return lib;
}

// Written by hand: what the sample library looks like as text.
const char* const kSampleText =
    "// Type library Shop\n"
    "[uuid(11111111-2222-3333-4444-555555555555), version(1.0), helpstring(\"Shop Library\")]\n"
    "library Shop\n"
    "{\n"
    "  [uuid(EA544A21-C82D-11D1-A3E9-00A0C90AEA82), version(4.1), lcid(0)] importlib(\"stdzub.tlb\");\n"
    "\n"
    "  [uuid(AAAAAAAA-0000-0000-0000-000000000001), version(1.0), helpstring(\"Interface for \\\"Orders\\\" "
    "Object\"), dual, oleautomation]\n"
    "  interface IOrders: IDispatch\n"
    "  {\n"
    "    [id(0x00000001)] HRESULT OnStartPage([in] IUnknown* AScriptingContext);\n"
    "    [id(0x00000002), propget] HRESULT Count([out, retval] long* Value);\n"
    "    [id(0x000000FF), helpstring(\"Empties, then waits\")] HRESULT Clear();\n"
    "  };\n"
    "\n"
    "  [uuid(AAAAAAAA-0000-0000-0000-000000000002), version(1.0)]\n"
    "  dispinterface IOrdersEvents\n"
    "  {\n"
    "    [id(0x00000001)] void OnChange();\n"
    "  };\n"
    "\n"
    "  [uuid(AAAAAAAA-0000-0000-0000-000000000003), version(1.0), helpstring(\"Orders Object\")]\n"
    "  coclass Orders\n"
    "  {\n"
    "    [default] interface IOrders;\n"
    "    [default, source] dispinterface IOrdersEvents;\n"
    "  };\n"
    "};\n";

TEST(host_TypeLibrary, TextIsTheHandWrittenIdl) { EXPECT_EQ(Sample()->Text(), kSampleText); }

TEST(host_TypeLibrary, ReadBackKeepsEverything)
{
    auto lib = TTypeLibrary::Parse(kSampleText);
    EXPECT_EQ(lib->Text(), kSampleText);
    EXPECT_EQ(lib->Guid, kLib);
    ASSERT_EQ(lib->References.size(), 1u);
    EXPECT_EQ(lib->References[0].LibId, LIBID_StdZUB);
    EXPECT_EQ(lib->References[0].Minor, 1);
    TTypeObject* i = lib->FindType("iorders", tkInterface);
    ASSERT_NE(i, nullptr);
    EXPECT_EQ(i->Guid(), kIntf);
    EXPECT_EQ(i->HelpString, "Interface for \"Orders\" Object");
    EXPECT_TRUE(i->HasAttribute("dual"));
    ASSERT_EQ(i->Members.size(), 3u);
    EXPECT_EQ(i->Members[0]->Params[0].VarType(), vtUnknown);
    EXPECT_EQ(i->Members[1]->Params[0].Flags, pfOut | pfRetval);
    EXPECT_EQ(i->Members[2]->MemberId, 255);
    EXPECT_EQ(i->NewMemberId(), 256);
    TTypeObject* c = lib->FindType("Orders", tkCoClass);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->DefaultInterface(), i);
    EXPECT_EQ(lib->FindType("IOrdersEvents")->Kind(), tkDispatch);
    // what was read existed before the edit
    EXPECT_TRUE(c->Edit.Existed);
    EXPECT_TRUE(i->Members[0]->Edit.Existed);
}

TEST(host_TypeLibrary, TextsWithLineBreaksStayOnTheirLine)
{
    auto lib = Sample();
    lib->HelpString = "Two\nlines,\ta tab, a \\ and a \"quote\"\r\n";
    lib->FindType("Orders")->HelpString = "\\n is no line break";
    const String text = lib->Text();
    EXPECT_NE(text.find("helpstring(\"Two\\nlines,\\ta tab, a \\\\ and a \\\"quote\\\"\\r\\n\")"),
              String::npos)
        << text;
    auto back = TTypeLibrary::Parse(text);
    EXPECT_EQ(back->HelpString, lib->HelpString);
    EXPECT_EQ(back->FindType("Orders")->HelpString, "\\n is no line break");
    EXPECT_EQ(back->Text(), text);
}

TEST(host_TypeLibrary, SaveAndLoadRoundTripThroughTheFile)
{
    const String file = ScratchDir() + "typelib_roundtrip.tlb";
    auto lib = Sample();
    lib->FileName = file;
    lib->Save();
    auto back = TTypeLibrary::Load(file);
    EXPECT_EQ(back->Text(), lib->Text());
    EXPECT_EQ(back->FileName, file);
}

TEST(host_TypeLibrary, TextItCannotReadIsRefusedWithItsLine)
{
    struct Case {
        const char* what;
        String text;
        const char* message;
    };
    String s = kSampleText;
    auto replaced = [&](const String& from, const String& to) {
        String t = s;
        t.replace(t.find(from), from.size(), to);
        return t;
    };
    const Case cases[] = {
        {"empty", "", "line 1: unexpected end"},
        {"no library", "[uuid(11111111-2222-3333-4444-555555555555)]\nmodule Shop\n{\n};\n",
         "line 2: \"library NAME\" expected"},
        {"bad GUID", replaced("11111111-2222", "1111-2222"), "line 2: no GUID"},
        {"unknown kind", replaced("dispinterface IOrdersEvents\n", "struct IOrdersEvents\n"),
         "line 16: interface, dispinterface or coclass expected"},
        {"twice", replaced("coclass Orders", "coclass IOrders"), "a second type named IOrders"},
        {"no id", replaced("[id(0x00000001)] void", "[hidden] void"), "line 18: id(...) expected"},
        {"bad id", replaced("id(0x000000FF)", "id(0xFG)"), "line 12: no number"},
        {"unclosed", s.substr(0, s.rfind("};")), "unexpected end"},
        {"text after", s + "library Other\n", "text after the end"},
        {"unknown parameter flag", replaced("[in] IUnknown*", "[inout] IUnknown*"),
         "unknown parameter attribute inout"},
        // what the writer would write as "version())" or the like: never read half
        {"empty version", replaced("version(1.0), helpstring(\"Shop", "version(), helpstring(\"Shop"),
         "line 2: version(MAJOR.MINOR) expected: version()"},
        {"version in brackets", replaced("001), version(1.0)", "001), version((1.0))"),
         "version(MAJOR.MINOR) expected: version((1.0))"},
        {"version without minor", replaced("003), version(1.0)", "003), version(1)"), "version(MAJOR.MINOR)"},
        {"version of words", replaced("003), version(1.0)", "003), version(one.two)"),
         "version(MAJOR.MINOR)"},
        {"a keyword as name", replaced("coclass Orders", "coclass class"), "no identifier: class"},
        {"a keyword as member", replaced("HRESULT Clear()", "HRESULT delete()"), "no identifier: delete"},
    };
    for (const auto& c : cases) {
        try {
            TTypeLibrary::Parse(c.text);
            ADD_FAILURE() << c.what << ": read";
        } catch (const EHostError& e) {
            EXPECT_NE(e.Message().find(c.message), String::npos) << c.what << ": " << e.Message();
        }
    }
}

TEST(host_TypeLibrary, ALibraryThatCouldNotBeReadBackIsNotSaved)
{
    const String dir = FreshDir(ScratchDir() + "host_tlb_unsaved");
    auto lib = Sample();
    lib->FileName = dir + "Shop.tlb";
    lib->Save();
    const String saved = ReadFileBytes(lib->FileName);
    for (const char* version : {"", "1.0)", "(1.0", "1.0), dual"}) {
        lib->FindType("Orders")->Version = version;
        EXPECT_THROW(lib->Save(), EHostError) << version;
        EXPECT_EQ(ReadFileBytes(lib->FileName), saved) << version;
    }
    lib->FindType("Orders")->Version = "2.17";
    lib->Save();
    EXPECT_EQ(TTypeLibrary::Load(lib->FileName)->FindType("Orders")->Version, "2.17");
}

TEST(host_TypeLibrary, NamesThatAreCppKeywordsAreRefused)
{
    TTypeLibrary lib("Shop", kLib);
    EXPECT_THROW(lib.AddCoClass("class", "", "", true, false), EHostError);
    EXPECT_THROW(lib.AddCoClass("Orders", "int", "", true, false), EHostError);
    EXPECT_EQ(lib.TypeCount(), 0);
    TTypeObject* co = lib.AddCoClass("Orders", "", "", true, false);
    EXPECT_THROW(co->Rename("new"), EHostError);
    EXPECT_EQ(co->Name(), "Orders");
    EXPECT_THROW(lib.FindType("IOrders")->AddMethod("return", 1), EHostError);
    EXPECT_TRUE(lib.FindType("IOrders")->Members.empty());
    // a name that only begins like one is a name
    EXPECT_NE(lib.AddCoClass("classes", "", "", true, false), nullptr);
}

TEST(host_TypeLibrary, ARenamedTypeIsFoundByItsNewNameOnly)
{
    auto lib = Sample();
    TTypeObject* co = lib->FindType("orders", tkCoClass);
    ASSERT_NE(co, nullptr);
    co->Rename("Sales");
    EXPECT_EQ(lib->FindType("Orders"), nullptr);
    EXPECT_EQ(lib->FindType("SALES"), co);
    EXPECT_EQ(lib->FindType("Sales", tkInterface), nullptr);
    EXPECT_NE(lib->AddType(tkInterface, "Orders"), nullptr);
}

TEST(host_TypeLibrary, EditStateKeepsTheFirstNameOfWhatExisted)
{
    auto lib = TTypeLibrary::Parse(kSampleText);
    TTypeObject* i = lib->FindType("IOrders");
    i->Rename("IOrders2");
    i->Rename("IOrders3");
    EXPECT_EQ(i->Edit.OldName, "IOrders");
    EXPECT_EQ(lib->FindType("Orders")->Implements[0].InterfaceName, "IOrders3");
    TTypeObject* fresh = lib->AddType(tkInterface, "INew");
    EXPECT_FALSE(fresh->Edit.Existed);
    fresh->Rename("INewer");
    EXPECT_EQ(fresh->Edit.OldName, "");
    EXPECT_THROW(fresh->Rename("Orders"), EHostError);
    EXPECT_THROW(fresh->Rename("1x"), EHostError);
}

TEST(host_TypeLibrary, CoClassComesWithItsInterfaces)
{
    TTypeLibrary lib("L", kLib);
    TTypeObject* co = lib.AddCoClass("Orders", "", "", false, false);
    EXPECT_EQ(co->Kind(), tkCoClass);
    EXPECT_EQ(co->HelpString, "Orders Object");
    ASSERT_NE(co->DefaultInterface(), nullptr);
    EXPECT_EQ(co->DefaultInterface()->Name(), "IOrders");
    EXPECT_EQ(co->DefaultInterface()->ParentName, "IUnknown");
    TTypeObject* auto_ = lib.AddCoClass("Clock", "ITime", "Tells the time", true, true);
    EXPECT_EQ(auto_->DefaultInterface()->Name(), "ITime");
    EXPECT_TRUE(auto_->DefaultInterface()->HasAttribute("dual"));
    EXPECT_EQ(lib.FindType("IClockEvents")->Kind(), tkDispatch);
    EXPECT_EQ(lib.TypeCount(), 5);
    // a name that is taken refuses the whole CoClass
    EXPECT_THROW(lib.AddCoClass("Shop", "IOrders", "", false, true), EHostError);
    EXPECT_THROW(lib.AddCoClass("Bad Name", "", "", false, false), EHostError);
    EXPECT_EQ(lib.TypeCount(), 5);
}

class host_TypeLibModule : public ProjectTestHost {
protected:
    host_TypeLibModule() : ProjectTestHost("host_tlb_") {}
};

class TCountingCallback : public TInterfacedObject, public IQTypeLibSaveCallback {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IQTypeLibSaveCallback>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    void Save() override { ++Count; }
    int Count = 0;
};

TEST_F(host_TypeLibModule, ModuleSavesBesideTheProjectAndTellsItsCallbacks)
{
    OpenProject("Shop.zproj");
    auto p = ActiveProject();
    EXPECT_EQ(FindTypeLibModule(p.get()), nullptr);
    EXPECT_EQ(GetTypeLibrary(p.get()), nullptr);
    auto m = GetOrCreateTypeLibModule(p.get());
    EXPECT_EQ(GetOrCreateTypeLibModule(p.get()).get(), m.get());
    EXPECT_EQ(m->FileName(), dir + "Shop.tlb");
    EXPECT_EQ(m->UnitName(), "Shop_TLB");
    EXPECT_EQ(m->TypeLibrary()->Name, "Shop");
    m->TypeLibrary()->AddCoClass("Orders", "", "", false, false);
    TIntfPtr<TCountingCallback> cb(new TCountingCallback);
    m->AddSaveCallback(cb.get());
    m->Save();
    EXPECT_EQ(cb->Count, 1);
    auto back = TTypeLibrary::Load(dir + "Shop.tlb");
    EXPECT_EQ(back->Text(), m->TypeLibrary()->Text());
    EXPECT_TRUE(CppProjectOf(p.get())->HasItem(dir + "Shop.tlb"));
    // the project's updater: CoClasses and their units, the file entries
    TIntfPtr<IQTypeLibUpdater> u;
    ASSERT_TRUE(Supports(GetProjectUpdater(p.get()), u));
    u->NewComObject("Orders", dir + "OrdersImpl1.cpp");
    TIntfPtr<IQProjectFileEntries> entries;
    ASSERT_TRUE(Supports(GetProjectUpdater(p.get()), entries));
    EXPECT_EQ(entries->CoClassUnit("orders"), dir + "OrdersImpl1.cpp");
    ASSERT_EQ(entries->EntryCount(), 2);
    EXPECT_EQ(entries->Entry(1), dir + "OrdersImpl1.cpp");
    entries->SetEntry(1, dir + "Orders.cpp");
    EXPECT_TRUE(CppProjectOf(p.get())->HasItem(dir + "Orders.cpp"));
    EXPECT_THROW(entries->Entry(2), EListError);
}

TEST_F(host_TypeLibModule, ModuleOfAnExistingFileReadsIt)
{
    OpenProject("Shop.zproj");
    AtomicWriteFile(dir + "Old.tlb", kSampleText);
    auto m = CreateTypeLibModule(ActiveProject().get(), dir + "Old.tlb");
    EXPECT_EQ(m->TypeLibrary()->Text(), kSampleText);
    EXPECT_EQ(GetTypeLibrary(ActiveProject().get()), m->TypeLibrary());
}

TEST_F(host_TypeLibModule, ProjectKinds)
{
    struct Case {
        int kind;
        bool application, library;
    };
    const Case cases[] = {
        {pkApplication, true, false},    {3, true, false},         {pkConsoleApplication, true, false},
        {pkStaticLibrary, false, false}, {pkLibrary, false, true}, {pkActiveXLibrary, false, true}};
    int n = 0;
    for (const auto& c : cases) {
        OpenProject("P" + IntToStr(++n) + ".zproj", c.kind);
        auto p = ActiveProject();
        EXPECT_EQ(ProjectKind(p.get()), c.kind);
        EXPECT_EQ(IsApplication(p.get()), c.application) << c.kind;
        EXPECT_EQ(IsLibrary(p.get()), c.library) << c.kind;
    }
    EXPECT_FALSE(IsApplication(nullptr));
}

TEST_F(host_TypeLibModule, StandAloneLibrariesTakeFreeNames)
{
    AtomicWriteFile(dir + "Library1.tlb", kSampleText);
    TTypeLibrary* a = OpenNewTypeLibrary();
    TTypeLibrary* b = OpenNewTypeLibrary();
    EXPECT_EQ(a->FileName, dir + "Library2.tlb");
    EXPECT_EQ(b->FileName, dir + "Library3.tlb");
    EXPECT_EQ(StandAloneTypeLibraryCount(), 2);
}

TIntfPtr<IQModuleCreator> OldAtlUnit(IQProject* project)
{
    return TIntfPtr<IQModuleCreator>(
        new TFileCreator(ExtractFilePath(project->FileName()) + "Project1_ATL.cpp", "// atl\r\n"));
}

TEST_F(host_TypeLibModule, AtlUnitIsMadeOnceAndFollowsARename)
{
    OpenProject("Shop.zproj", pkApplication);
    auto p = ActiveProject();
    EXPECT_EQ(GetOrCreateAtlSourceModule(p.get()), nullptr);  // no creator hook
    auto* const old = GetATLUnitCreatorProc;
    GetATLUnitCreatorProc = &OldAtlUnit;
    TAtlSourceModule* atl = GetOrCreateAtlSourceModule(p.get());
    GetATLUnitCreatorProc = old;
    ASSERT_NE(atl, nullptr);
    EXPECT_EQ(GetOrCreateAtlSourceModule(p.get()), atl);
    EXPECT_EQ(FindAtlSourceModule(p.get()), atl);
    atl->Save();
    ASSERT_TRUE(FileExists(dir + "Project1_ATL.cpp"));
    atl->Rename(dir + "Shop_ATL.cpp");
    atl->Save();
    EXPECT_EQ(atl->FileName(), dir + "Shop_ATL.cpp");
    EXPECT_EQ(ReadFileBytes(dir + "Shop_ATL.cpp"), "// atl\r\n");
    EXPECT_FALSE(FileExists(dir + "Project1_ATL.cpp"));
}

}  // namespace

namespace {

TEST(host_TypeLibraryMembers, PropertyGetterAndSetterShareAName)
{
    TTypeLibrary lib("L", kLib);
    TTypeObject* i = lib.AddType(tkInterface, "IA", &kIntf);
    i->AddMethod("Total", 1, {"propget"});
    i->AddMethod("Total", 1, {"propput"});
    EXPECT_THROW(i->AddMethod("Total", 2, {"propget"}), EHostError);
    EXPECT_THROW(i->AddMethod("Total", 2), EHostError);
    i->AddMethod("Ship", 3);
    EXPECT_THROW(i->AddMethod("ship", 4, {"propput"}), EHostError);
    // the pair survives the text
    auto back = TTypeLibrary::Parse(lib.Text());
    ASSERT_EQ(back->FindType("IA")->Members.size(), 3u);
    EXPECT_TRUE(back->FindType("IA")->Members[1]->HasAttribute("propput"));
}

}  // namespace

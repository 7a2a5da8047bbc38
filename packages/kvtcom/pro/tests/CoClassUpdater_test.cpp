#include <gtest/gtest.h>

#include "Ccombrow.h"
#include "Ccommgr.h"
#include "Cppprocmd.h"
#include "Cppprocrtrs.h"
#include "Cppproreg.h"
#include "Cppproupdaters.h"
#include "UpdaterHost.h"
#include "host/CppBrowse.h"
#include "host/CppProject.h"
#include "host/IDEControl.h"
#include "host/TypeLibrary.h"
#include "host/AppIniFile.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"
#include "rtl/ScopeGuard.h"

#include <sstream>

using namespace hostimpl;

namespace {

// The header of the COM object Orders after CoClass Orders became Sales and its interface got a
// method Ship and a property Total.
const char* const kSalesHeader =
    "// OrdersImpl1.h : Declaration of TOrdersImpl\r\n"
    "\r\n"
    "#ifndef OrdersImpl1H\r\n"
    "#define OrdersImpl1H\r\n"
    "\r\n"
    "#define ATL_APARTMENT_THREADED\r\n"
    "\r\n"
    "#include \"Project1_TLB.h\"\r\n"
    "\r\n"
    "/////////////////////////////////////////////////////////////////////////////\r\n"
    "// TOrdersImpl     Implements IOrders, default interface of Orders\r\n"
    "// ThreadingModel : Apartment\r\n"
    "// Dual Interface : FALSE\r\n"
    "// Event Support  : FALSE\r\n"
    "// Description    : \r\n"
    "/////////////////////////////////////////////////////////////////////////////\r\n"
    "class ATL_NO_VTABLE TSalesImpl :\r\n"
    "  public CComObjectRootEx<CComSingleThreadModel>,\r\n"
    "  public CComCoClass<TSalesImpl, &CLSID_Sales>,\r\n"
    "  public IOrders\r\n"
    "{\r\n"
    "public:\r\n"
    "  TSalesImpl()\r\n"
    "  {\r\n"
    "  }\r\n"
    "\r\n"
    "  // Data used when registering Object\r\n"
    "  //\r\n"
    "  DECLARE_THREADING_MODEL(otApartment);\r\n"
    "  DECLARE_PROGID(\"Project1.Sales\");\r\n"
    "  DECLARE_DESCRIPTION(\"\");\r\n"
    "\r\n"
    "  // Function invoked to (un)register object\r\n"
    "  //\r\n"
    "  static HRESULT WINAPI UpdateRegistry(BOOL bRegister)\r\n"
    "  {\r\n"
    "    TTypedComServerRegistrarT<TSalesImpl>\r\n"
    "    regObj(GetObjectCLSID(), GetProgID(), GetDescription());\r\n"
    "    return regObj.UpdateRegistry(bRegister);\r\n"
    "  }\r\n"
    "\r\n"
    "\r\n"
    "BEGIN_COM_MAP(TSalesImpl)\r\n"
    "  COM_INTERFACE_ENTRY(IOrders)\r\n"
    "END_COM_MAP()\r\n"
    "\r\n"
    "// IOrders\r\n"
    "public:\r\n"
    "  STDMETHOD(Ship)(long Count);\r\n"
    "  STDMETHOD(get_Total)(long* Value);\r\n"
    "  STDMETHOD(set_Total)(long Value);\r\n"
    "\r\n"
    "};\r\n"
    "\r\n"
    "#endif //OrdersImpl1H\r\n";

// What follows the generated source's last line for each new member.
String Skeleton(const String& header)
{
    return header + "\r\n{\r\n  try\r\n  {\r\n\r\n  }\r\n  catch(Exception &e)\r\n  {\r\n" +
           "    return Error(e.Message.c_str(), IID_IOrders);\r\n  }\r\n  return S_OK;\r\n};\r\n\r\n\r\n";
}

const char* const kSalesSourceHead =
    "// ORDERSIMPL1 : Implementation of TOrdersImpl (Orders, IOrders)\r\n"
    "\r\n"
    "#include <zub.h>\r\n"
    "#pragma hdrstop\r\n"
    "\r\n"
    "#include \"OrdersImpl1.h\"\r\n"
    "\r\n"
    "/////////////////////////////////////////////////////////////////////////////\r\n"
    "// TOrdersImpl\r\n"
    "\r\n";

// What a generated unit uses of the type library's header and the COM library, declared just
// enough for the compiler to check the unit's own text.
const char* const kTypeLibStub = R"(#pragma once
typedef long HRESULT;
typedef int BOOL;
typedef short VARIANT_BOOL;
#define WINAPI
#define ATL_NO_VTABLE
#define S_OK 0
#define STDMETHOD(m) virtual HRESULT m
#define STDMETHOD_(t, m) virtual t m
#define STDMETHODIMP HRESULT
#define STDMETHODIMP_(t) t
struct GUID { int d; };
extern const GUID CLSID_Orders, CLSID_Sales, IID_IOrders;
struct CComSingleThreadModel {};
template <class M> struct CComObjectRootEx {};
template <class T, const GUID* clsid> struct CComCoClass {
  static const GUID& GetObjectCLSID() { return *clsid; }
  static const char* GetProgID();
  static const char* GetDescription();
};
template <class T> struct TTypedComServerRegistrarT {
  TTypedComServerRegistrarT(const GUID&, const char*, const char*);
  HRESULT UpdateRegistry(BOOL);
};
#define DECLARE_THREADING_MODEL(m) static int ThreadingModel()
#define DECLARE_PROGID(s) static const char* ProgIdText() { return s; }
#define DECLARE_DESCRIPTION(s) static const char* DescriptionText() { return s; }
#define BEGIN_COM_MAP(c)
#define COM_INTERFACE_ENTRY(i)
#define END_COM_MAP()
struct IOrders { virtual ~IOrders() = default; };
#define Exception ComException
struct ComException { struct { const char* c_str() const { return ""; } } Message; };
HRESULT Error(const char*, const GUID&);
)";

// Whether the compiler reads the unit without an error.
bool UnitCompiles(const String& dir)
{
    AtomicWriteFileNoSync(dir + "Project1_TLB.h", kTypeLibStub);
    TEditBuffer buffer(dir + "Check.cpp");
    buffer.Write("#include \"OrdersImpl1.cpp\"\n");
    return DefaultCompileAndBrowse(buffer);
}

class kvtcompro_CoClassUpdater : public UpdaterHost {
protected:
    kvtcompro_CoClassUpdater() : UpdaterHost("kvtcompro_ccu_") {}
    static bool Run(const char* caption) { return RunGalleryItem("Quistor.Tolvane.ActiveX", caption); }

    // An ActiveX library with the COM object Orders, its files written; the library as if
    // loaded (every object existed before the edit).
    TTypeLibrary* MakeOrders(const char* item = "COM Object", const char* coClass = "Orders")
    {
        EXPECT_TRUE(Run("ActiveX Library"));
        SetDialogAnswer("com.coclass", coClass);
        EXPECT_TRUE(Run(item));
        for (const auto& f : ReceivedFiles()) AtomicWriteFileNoSync(f.FileName, f.Text);
        TTypeLibrary* lib = GetTypeLibrary(ActiveProject().get());
        for (int i = 0; i < lib->TypeCount(); ++i) {
            lib->Type(i)->Edit.Existed = true;
            for (auto& m : lib->Type(i)->Members) m->Edit.Existed = true;
        }
        return lib;
    }
    TIntfPtr<IQCoClassUpdater> UpdaterOf(const String& fileName)
    {
        auto p = ActiveProject();
        for (int i = 0; i < p->ModuleCount(); ++i)
            if (p->Module(i)->FileName() == fileName)
                return CppUpdaters()->CreateCoClassUpdater(p->Module(i).get());
        ADD_FAILURE() << "no module " << fileName;
        return nullptr;
    }
    String Header() { return ReadFileBytes(dir + "OrdersImpl1.h"); }
    String Source() { return ReadFileBytes(dir + "OrdersImpl1.cpp"); }
};

void AddShipAndTotal(TTypeObject* intf)
{
    intf->AddMethod("Ship", intf->NewMemberId())->AddParam("Count", vtI4);
    TTypeLibMember* get = intf->AddMethod("Total", intf->NewMemberId(), {"propget"});
    get->AddParam("Value", vtI4, pfOut | pfRetval).Type = "long*";
    intf->AddMethod("Total", get->MemberId, {"propput"})->AddParam("Value", vtI4);
}

TEST_F(kvtcompro_CoClassUpdater, RenameAndNewMembersThenSignatureChange)
{
    TTypeLibrary* lib = MakeOrders();
    lib->FindType("Orders")->Rename("Sales");
    AddShipAndTotal(lib->FindType("IOrders"));
    auto u = UpdaterOf(dir + "OrdersImpl1.cpp");
    ASSERT_NE(u, nullptr);
    ASSERT_TRUE(UnitCompiles(dir));
    u->Update(ActiveProject().get());
    EXPECT_TRUE(UnitCompiles(dir));
    EXPECT_TRUE(u->Modified());
    EXPECT_EQ(Header(), kSalesHeader);
    const String source = String(kSalesSourceHead) + Skeleton("STDMETHODIMP TSalesImpl::Ship(long Count)") +
                          Skeleton("STDMETHODIMP TSalesImpl::get_Total(long* Value)") +
                          Skeleton("STDMETHODIMP TSalesImpl::set_Total(long Value)");
    EXPECT_EQ(Source(), source);

    // a second identical update changes nothing
    UpdaterOf(dir + "OrdersImpl1.cpp")->Update(ActiveProject().get());
    EXPECT_EQ(Header(), kSalesHeader);
    EXPECT_EQ(Source(), source);

    // a changed signature is rewritten in header and body, the body kept
    lib->FindType("IOrders")->FindMember("Ship")->AddParam("Express", vtBool).Type = "VARIANT_BOOL";
    UpdaterOf(dir + "OrdersImpl1.cpp")->Update(ActiveProject().get());
    String header = kSalesHeader;
    header.replace(header.find("STDMETHOD(Ship)(long Count);"), 28,
                   "STDMETHOD(Ship)(long Count, VARIANT_BOOL Express);");
    EXPECT_EQ(Header(), header);
    EXPECT_EQ(Source(), String(kSalesSourceHead) +
                            Skeleton("STDMETHODIMP TSalesImpl::Ship(long Count, VARIANT_BOOL Express)") +
                            Skeleton("STDMETHODIMP TSalesImpl::get_Total(long* Value)") +
                            Skeleton("STDMETHODIMP TSalesImpl::set_Total(long Value)"));
    EXPECT_TRUE(UnitCompiles(dir));
}

TEST_F(kvtcompro_CoClassUpdater, FailuresLeaveTheUnitAsItWas)
{
    TTypeLibrary* lib = MakeOrders();
    lib->FindType("Orders")->Rename("Sales");
    AddShipAndTotal(lib->FindType("IOrders"));
    // a method whose implementation is gone cannot be rewritten: nothing of the update lands
    String header = Header();
    header.replace(header.find("public:\r\n\r\n};"), 13,
                   "public:\r\n  STDMETHOD(Ship)(long Count);\r\n\r\n};");
    AtomicWriteFileNoSync(dir + "OrdersImpl1.h", header);
    const String source = Source();
    try {
        UpdaterOf(dir + "OrdersImpl1.cpp")->Update(ActiveProject().get());
        ADD_FAILURE() << "no error";
    } catch (const EHostError& e) {
        EXPECT_EQ(e.Message(), "Method Ship not found");
    }
    // the rename was written before the members failed: it is taken back too
    EXPECT_EQ(Header(), header);
    EXPECT_EQ(Source(), source);
}

TEST_F(kvtcompro_CoClassUpdater, IdehostCommandEditsTheLibraryAndUpdatesTheUnits)
{
    ASSERT_TRUE(Run("ActiveX Library"));
    SetDialogAnswer("com.coclass", "Orders");
    ASSERT_TRUE(Run("COM Object"));
    for (const auto& f : ReceivedFiles()) AtomicWriteFileNoSync(f.FileName, f.Text);
    const auto typelib = [](std::vector<String> args) {
        std::ostringstream out;
        RunTypeLibCommand(std::move(args), out);
        return String(out.str());
    };
    typelib({"edit"});
    typelib({"rename", "Orders", "Sales"});
    typelib({"method", "IOrders", "Ship", "long:Count"});
    typelib({"prop", "IOrders", "Total", "long"});
    const String unit = dir + "OrdersImpl1.cpp";
    EXPECT_EQ(typelib({"apply"}), "updated " + unit + "\n");
    EXPECT_EQ(Header(), kSalesHeader);
    // the next edit starts from the applied one
    typelib({"edit"});
    typelib({"signature", "IOrders", "Ship", "long:Count", "VARIANT_BOOL:Express"});
    EXPECT_EQ(typelib({"apply"}), "updated " + unit + "\n");
    EXPECT_NE(Header().find("  STDMETHOD(Ship)(long Count, VARIANT_BOOL Express);\r\n"), String::npos);
    EXPECT_NE(
        Source().find("\r\nSTDMETHODIMP TSalesImpl::Ship(long Count, VARIANT_BOOL Express)\r\n{\r\n  try"),
        String::npos);
    const String header = Header(), source = Source();
    EXPECT_EQ(typelib({"apply"}), "unchanged " + unit + "\n");
    EXPECT_EQ(Header(), header);
    EXPECT_EQ(Source(), source);
    // bad edits are refused and change nothing
    EXPECT_THROW(typelib({"rename", "Nothing", "X"}), EHostError);
    EXPECT_THROW(typelib({"method", "IOrders", "Ship"}), EHostError);
    EXPECT_THROW(typelib({"method", "IOrders", "Pack", "long"}), EHostError);
    EXPECT_THROW(typelib({"signature", "IOrders", "Nothing"}), EHostError);
    EXPECT_THROW(typelib({"prop", "IOrders", "Ship", "long"}), EHostError);
    EXPECT_EQ(GetTypeLibrary(ActiveProject().get())->FindType("IOrders")->FindMember("Pack"), nullptr);
    EXPECT_EQ(GetTypeLibrary(ActiveProject().get())->FindType("IOrders")->Members.size(), 3u);
    EXPECT_EQ(Header(), header);
    // a property or parameter of a type the library does not know leaves no half member behind
    const String dump = typelib({"dump"});
    for (const char* type : {"Quux", "int64", "OLE_COLOR", "SAFEARRAY(long)", "void", "HRESULT", "*"}) {
        try {
            typelib({"prop", "IOrders", "Size", type});
            ADD_FAILURE() << type;
        } catch (const EHostError& e) {
            EXPECT_EQ(e.Message(), String("Unknown type ") + type);
        }
        EXPECT_THROW(typelib({"method", "IOrders", "Size", String(type) + ":Count"}), EHostError) << type;
        EXPECT_THROW(typelib({"signature", "IOrders", "Ship", String(type) + ":Count"}), EHostError) << type;
        EXPECT_EQ(typelib({"dump"}), dump) << type;
    }
    EXPECT_THROW(typelib({"method", "IOrders", "Size", "long:class"}), EHostError);
    EXPECT_THROW(typelib({"rename", "Sales", "class"}), EHostError);
    EXPECT_EQ(typelib({"dump"}), dump);
    EXPECT_EQ(typelib({"apply"}), "unchanged " + unit + "\n");
    EXPECT_EQ(Header(), header);
    EXPECT_EQ(Source(), source);
    // the library's own types and pointers to the automation types are known
    typelib({"prop", "IOrders", "Next", "IOrders*"});
    typelib({"method", "IOrders", "Fill", "long*:Count", "IUnknown*:Sink"});
}

TEST_F(kvtcompro_CoClassUpdater, ACoClassNamedLikeAKeywordIsRefusedBeforeAnythingIsMade)
{
    ASSERT_TRUE(Run("ActiveX Library"));
    const std::size_t files = ReceivedFiles().size();
    for (const char* name : {"class", "int", "new"}) {
        SetDialogAnswer("com.coclass", name);
        try {
            Run("COM Object");
            ADD_FAILURE() << name;
        } catch (const EHostError& e) {
            EXPECT_EQ(e.Message(), "'" + String(name) + "' is not a valid identifier");
        }
        EXPECT_EQ(GetTypeLibrary(ActiveProject().get())->TypeCount(), 0) << name;
        EXPECT_EQ(ReceivedFiles().size(), files) << name;
    }
}

TEST_F(kvtcompro_CoClassUpdater, ActiveXControlGetsItsProgIdThenFollowsARename)
{
    ASSERT_TRUE(Run("ActiveX Library"));
    TTypeLibrary* lib = GetTypeLibrary(ActiveProject().get());
    lib->AddCoClass("ButtonX", "IButtonX", "", true, true);
    TIntfPtr<IQModuleCreator> c(
        new TCppActiveControlCreator("TButton", dir + "ButtonImpl1.cpp", "ButtonX", 7, true, ""));
    AtomicWriteFileNoSync(dir + "ButtonImpl1.h", c->GetInterfaceSource()->Source());
    AtomicWriteFileNoSync(dir + "ButtonImpl1.cpp", c->GetSource()->Source());
    const String header = ReadFileBytes(dir + "ButtonImpl1.h");
    ASSERT_NE(header.find("DECLARE_ACTIVEXCONTROL_REGISTRY(\"\", 7);"), String::npos);
    ASSERT_NE(header.find("    return _T(\"Project1.lic\");"), String::npos);
    const auto update = [&] {
        auto m = std::make_unique<TCppClassManager>(dir + "ButtonImpl1.cpp");
        TIntfPtr<IQCoClassUpdater> u(new TCppCoClassUpdater(std::move(m), nullptr));
        u->Update(ActiveProject().get());
        return u->Modified();
    };
    // the empty ProgID is filled in at the first update; nothing else changes
    EXPECT_TRUE(update());
    String expected = header;
    expected.replace(expected.find("DECLARE_ACTIVEXCONTROL_REGISTRY(\"\""), 34,
                     "DECLARE_ACTIVEXCONTROL_REGISTRY(\"Project1.ButtonX\"");
    EXPECT_EQ(ReadFileBytes(dir + "ButtonImpl1.h"), expected);
    EXPECT_FALSE(update());

    // renamed: the class, the CoClass in its base macro and the ProgID follow; a new method goes
    // to the public members, not after "protected:"
    lib->AcceptEdit();
    lib->FindType("ButtonX")->Rename("Knopf");
    lib->FindType("IButtonX")->AddMethod("Blink", 1);
    EXPECT_TRUE(update());
    const String h = ReadFileBytes(dir + "ButtonImpl1.h");
    EXPECT_EQ(h.find("ButtonXImpl"), String::npos);
    EXPECT_NE(h.find("class ATL_NO_VTABLE TKnopfImpl:\r\n  ZUBCONTROL_IMPL(TKnopfImpl, Knopf, TButton, "
                     "IButtonX, DIID_IButtonXEvents)"),
              String::npos);
    EXPECT_NE(h.find("DECLARE_ACTIVEXCONTROL_REGISTRY(\"Project1.Knopf\", 7);\r\n  STDMETHOD(Blink)();\r\n"),
              String::npos);
    EXPECT_NE(h.find("    return _T(\"Project1.lic\");"), String::npos);
    EXPECT_NE(
        ReadFileBytes(dir + "ButtonImpl1.cpp").find("STDMETHODIMP TKnopfImpl::Blink()\r\n{\r\n  try\r\n"),
        String::npos);
}

TEST_F(kvtcompro_CoClassUpdater, RenamedInterfaceAndANewOne)
{
    TTypeLibrary* lib = MakeOrders();
    lib->FindType("IOrders")->Rename("IOrders2");
    TTypeObject* extra = lib->AddType(tkInterface, "IAudit");
    extra->ParentName = "IUnknown";
    extra->AddMethod("Check", 1);
    lib->FindType("Orders")->Implements.push_back({"IAudit", false, false, false});
    UpdaterOf(dir + "OrdersImpl1.cpp")->Update(ActiveProject().get());
    const String h = Header();
    EXPECT_EQ(h.find("  public IOrders\r\n"), String::npos);
    EXPECT_NE(h.find("  public IOrders2,\r\n  DUALINTERFACE_IMPL(Orders, IAudit)\r\n{"), String::npos);
    EXPECT_NE(h.find("  COM_INTERFACE_ENTRY(IOrders2)\r\n  DUALINTERFACE_ENTRY(IAudit)\r\nEND_COM_MAP()"),
              String::npos);
    EXPECT_NE(h.find("public:\r\n  STDMETHOD(Check)();\r\n\r\n};"), String::npos);
    EXPECT_NE(
        Source().find("STDMETHODIMP TOrdersImpl::Check()\r\n{\r\n  try\r\n  {\r\n\r\n  }\r\n"
                      "  catch(Exception &e)\r\n  {\r\n    return Error(e.Message.c_str(), IID_IAudit);"),
        String::npos);
}

TEST_F(kvtcompro_CoClassUpdater, WrappingControlWithoutPersistenceGetsItAsTheWizardWritesIt)
{
    ASSERT_TRUE(Run("ActiveX Library"));
    GetTypeLibrary(ActiveProject().get())->AddCoClass("ButtonX", "IButtonX", "", true, true);
    TIntfPtr<IQModuleCreator> c(
        new TCppActiveControlCreator("TButton", dir + "ButtonImpl1.cpp", "ButtonX", 7, false, ""));
    String header = c->GetInterfaceSource()->Source();
    header.replace(header.find("DECLARE_ACTIVEXCONTROL_REGISTRY(\"\""), 34,
                   "DECLARE_ACTIVEXCONTROL_REGISTRY(\"Project1.ButtonX\"");
    const String persistence = "// The persistence of the ZUB control wrapped by this object\r\n"
                               "DECLARE_ZUB_CONTROL_PERSISTENCE(TButtonXImpl, TButton);\r\n\r\n";
    const std::size_t at = header.find(persistence);
    ASSERT_NE(at, String::npos);
    String without = header;
    without.erase(at, persistence.size());
    AtomicWriteFileNoSync(dir + "ButtonImpl1.h", without);
    AtomicWriteFileNoSync(dir + "ButtonImpl1.cpp", c->GetSource()->Source());
    TIntfPtr<IQCoClassUpdater> u(
        new TCppCoClassUpdater(std::make_unique<TCppClassManager>(dir + "ButtonImpl1.cpp"), nullptr));
    u->Update(ActiveProject().get());
    EXPECT_EQ(ReadFileBytes(dir + "ButtonImpl1.h"), header);
}

TEST_F(kvtcompro_CoClassUpdater, PersistenceGoesToAClassThatWrapsAControlHoweverItsBaseIsWritten)
{
    ASSERT_TRUE(Run("ActiveX Library"));
    GetTypeLibrary(ActiveProject().get())->AddCoClass("Knob", "IKnob", "", true, false);
    const String comment = "// The persistence of the ZUB control wrapped by this object\r\n";
    const struct {
        const char *bases, *wrapped;  // nullptr: the class gets no declaration
    } cases[] = {
        {"public TZubControlImpl<TButton>, public IKnob", "TButton"},
        {"public TZubControlImpl<Stdctrls::TButton>,\r\n  public IKnob", "Stdctrls::TButton"},
        {"public TPropertyPageImpl<TKnobPage>, public IKnob", "TKnobPage"},
        {"ZUBCONTROL_IMPL(TKnobImpl, Knob, TButton, IKnob, DIID_IKnobEvents)", "TButton"},
        // nothing wrapped: nothing to persist
        {"public CComObjectRootEx<CComSingleThreadModel>, public IKnob", nullptr},
        {"ZUBCONTROL_IMPL(TKnobImpl, Knob, , IKnob, DIID_IKnobEvents)", nullptr},
    };
    for (const auto& c : cases) {
        const String head = String("class ATL_NO_VTABLE TKnobImpl :\r\n  ") + c.bases +
                            "\r\n{\r\npublic:\r\n" + "BEGIN_COM_MAP(TKnobImpl)\r\nEND_COM_MAP()\r\n\r\n";
        const String tail = "// Data used when registering Object\r\n"
                            "DECLARE_ACTIVEXCONTROL_REGISTRY(\"Project1.Knob\", 1);\r\n};\r\n";
        AtomicWriteFileNoSync(dir + "KnobImpl1.h", head + tail);
        AtomicWriteFileNoSync(dir + "KnobImpl1.cpp", "#include \"KnobImpl1.h\"\r\n");
        TIntfPtr<IQCoClassUpdater> u(
            new TCppCoClassUpdater(std::make_unique<TCppClassManager>(dir + "KnobImpl1.cpp"), nullptr));
        u->Update(ActiveProject().get());
        const String want = c.wrapped ? head + comment + "DECLARE_ZUB_CONTROL_PERSISTENCE(TKnobImpl, " +
                                            c.wrapped + ");\r\n\r\n" + tail
                                      : head + tail;
        EXPECT_EQ(ReadFileBytes(dir + "KnobImpl1.h"), want) << c.bases;
        // and once only
        u->Update(ActiveProject().get());
        EXPECT_EQ(ReadFileBytes(dir + "KnobImpl1.h"), want) << c.bases;
    }
}

TEST_F(kvtcompro_CoClassUpdater, ComPlusStubGetsTheWarningBody)
{
    TTypeLibrary* lib = MakeOrders();
    lib->FindType("Orders")->Attributes.push_back("custom(COMPlusStub)");
    lib->FindType("IOrders")->AddMethod("Ship", 1);
    UpdaterOf(dir + "OrdersImpl1.cpp")->Update(ActiveProject().get());
    const String tail = "STDMETHODIMP TOrdersImpl::Ship()\r\n{\r\n"
                        "  // Warning: Stub method. COM+ will ignore any implementation.\r\n}\r\n";
    const String source = Source();
    ASSERT_GE(source.size(), tail.size());
    EXPECT_EQ(source.substr(source.size() - tail.size()), tail);
}

TEST_F(kvtcompro_CoClassUpdater, ActiveServerObjectHasItsExpert)
{
    ASSERT_TRUE(Run("ActiveX Library"));
    SetDialogAnswer("com.coclass", "Shop");
    SetDialogAnswer("com.testpage", "false");
    ASSERT_TRUE(Run("Active Server Object"));
    SetDialogAnswer("com.coclass", "Orders");
    ASSERT_TRUE(Run("COM Object"));
    for (const auto& f : ReceivedFiles()) AtomicWriteFileNoSync(f.FileName, f.Text);
    TCppClassManager asp(dir + "ShopImpl1.cpp"), plain(dir + "OrdersImpl1.cpp");
    asp.Parse();
    plain.Parse();
    ASSERT_NE(asp.FindClass("TShopImpl"), nullptr);
    auto e = ChooseCoClassExpert(&asp, *asp.FindClass("TShopImpl"));
    EXPECT_NE(dynamic_cast<TCppActiveServerPageExpert*>(e.get()), nullptr);
    EXPECT_EQ(
        dynamic_cast<TCppActiveServerPageExpert*>(ChooseCoClassExpert(&plain, plain.Classes()[0]).get()),
        nullptr);

    TTypeLibMember* start =
        GetTypeLibrary(ActiveProject().get())->FindType("IShop")->FindMember("OnStartPage");
    TInterfaceMethod m(imMethod, "", true, start, MethodRecordOf(*start, ""));
    EXPECT_EQ(m.Name, "OnStartPage");
    EXPECT_EQ(m.HeaderType(), 2);
    String body = StandardMethodBody;
    e->GenMethod(m, body);
    EXPECT_EQ(body,
              "{\r\n  HRESULT hr = E_FAIL;\r\n  try\r\n  {\r\n    hr = "
              "TASPObject::OnStartPage(AScriptingContext);\r\n"
              "  }\r\n  catch(Exception &e)\r\n  {\r\n    return Error(e.Message.c_str(), #);\r\n  }\r\n"
              "  return hr;\r\n};\r\n\r\n");
    // another member keeps the body it was given
    TMethodTypeInfo other;
    other.Name = "Count";
    TInterfaceMethod o(imMethod, "", false, nullptr, other);
    EXPECT_EQ(o.HeaderType(), 1);
    body = "{}";
    e->GenMethod(o, body);
    EXPECT_EQ(body, "{}");
    // the generated unit is in step already: updating keeps it as it is, twice
    UpdaterOf(dir + "ShopImpl1.cpp")->Update(ActiveProject().get());
    const String h1 = ReadFileBytes(dir + "ShopImpl1.h"), s1 = ReadFileBytes(dir + "ShopImpl1.cpp");
    UpdaterOf(dir + "ShopImpl1.cpp")->Update(ActiveProject().get());
    EXPECT_EQ(ReadFileBytes(dir + "ShopImpl1.h"), h1);
    EXPECT_EQ(ReadFileBytes(dir + "ShopImpl1.cpp"), s1);
}

// A unit's module that records what its source view was asked to show.
class TShownUnit : public TInterfacedObject, public IQModule, public IQSourceView {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IQModule>(this, iid, obj) || QueryAs<IQSourceView>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    String FileName() override { return ""; }
    String UnitName() override { return ""; }
    String FormName() override { return ""; }
    String AncestorName() override { return ""; }
    int FileCount() override { return 0; }
    TIntfPtr<IQSourceFile> File(int) override { return nullptr; }
    void Show(int) override { ++Shows; }
    void MarkModified() override {}
    int ShowCount() override { return Shows; }
    bool Modified() override { return false; }
    void ShowSource(const String& fileName, std::size_t codePos, std::size_t sourcePos) override
    {
        Shown.push_back({fileName, codePos, sourcePos});
    }
    struct TShown {
        String FileName;
        std::size_t CodePos, SourcePos;
    };
    std::vector<TShown> Shown;
    int Shows = 0;
};

TEST_F(kvtcompro_CoClassUpdater, ShowMethodShowsTheImplementationOfTheMemberOrNothing)
{
    ASSERT_TRUE(Run("ActiveX Library"));
    SetDialogAnswer("com.coclass", "Shop");
    SetDialogAnswer("com.testpage", "false");
    ASSERT_TRUE(Run("Active Server Object"));
    for (const auto& f : ReceivedFiles()) AtomicWriteFileNoSync(f.FileName, f.Text);
    TTypeObject* intf = GetTypeLibrary(ActiveProject().get())->FindType("IShop");
    TTypeLibMember* get = intf->AddMethod("Total", intf->NewMemberId(), {"propget"});
    get->AddParam("Value", vtI4, pfOut | pfRetval).Type = "long*";
    TIntfPtr<TShownUnit> module(new TShownUnit);
    TIntfPtr<IQCoClassUpdater> u(new TCppCoClassUpdater(
        std::make_unique<TCppClassManager>(dir + "ShopImpl1.cpp"), TIntfPtr<IQModule>(module)));
    // not implemented yet: nothing is shown, nothing raised
    EXPECT_NO_THROW(u->ShowMethod("Shop", *get));
    EXPECT_TRUE(module->Shown.empty());
    u->Update(ActiveProject().get());
    const String source = ReadFileBytes(dir + "ShopImpl1.cpp");
    // the method of a property getter is found by its prefix; the view is put at its header
    const struct {
        TTypeLibMember* member;
        const char* header;
    } cases[] = {
        {intf->FindMember("OnStartPage"), "STDMETHODIMP TShopImpl::OnStartPage(IUnknown* AScriptingContext)"},
        {get, "STDMETHODIMP TShopImpl::get_Total(long* Value)"}};
    for (const auto& c : cases) {
        module->Shown.clear();
        u->ShowMethod("Shop", *c.member);
        ASSERT_EQ(module->Shown.size(), 1u) << c.header;
        const auto& shown = module->Shown[0];
        EXPECT_EQ(shown.FileName, dir + "ShopImpl1.cpp");
        ASSERT_LE(shown.SourcePos, source.size());
        EXPECT_EQ(source.substr(shown.CodePos, shown.SourcePos - shown.CodePos), c.header);
    }
    // another CoClass's member: nothing
    module->Shown.clear();
    u->ShowMethod("Orders", *get);
    EXPECT_TRUE(module->Shown.empty());
}

TEST_F(kvtcompro_CoClassUpdater, ErrorsByName)
{
    TTypeLibrary* lib = MakeOrders();
    // a unit without classes, a unit whose class implements no CoClass
    AtomicWriteFileNoSync(dir + "OrdersImpl1.h", "// nothing\r\n");
    auto u = UpdaterOf(dir + "OrdersImpl1.cpp");
    try {
        u->Update(ActiveProject().get());
        ADD_FAILURE();
    } catch (const EHostError& e) {
        EXPECT_EQ(e.Message(), "No classes found in module OrdersImpl1");
    }
    AtomicWriteFileNoSync(dir + "OrdersImpl1.h", "class TOtherImpl : public IOther\r\n{\r\n};\r\n");
    try {
        u->Update(ActiveProject().get());
        ADD_FAILURE();
    } catch (const EHostError& e) {
        EXPECT_EQ(e.Message(), "No class in module OrdersImpl1 implements a CoClass of the type library");
    }
    EXPECT_EQ(Header(), "class TOtherImpl : public IOther\r\n{\r\n};\r\n");
    (void)lib;
}

// What the automation objects, the wrapper lines and a renamed library add to the stub.
const char* const kMoreStub = R"(
struct IUnknown {};
struct IDispatch {};
template <class I, const GUID* iid, const GUID* lib> struct IDispatchImpl : I {};
#define COM_INTERFACE_ENTRY2(a, b)
extern const GUID LIBID_Project1, LIBID_Shop;
struct VARIANT { int vt; };
struct TVariant { TVariant(const VARIANT&); };
template <class T> struct TComInterface { TComInterface(T*, bool addRef); };
struct IBase {};
)";

// Whether the unit compiles against the stub saved as the header tlbUnit + ".h".
bool UnitCompilesAs(const String& dir, const String& unit, const String& tlbUnit)
{
    AtomicWriteFileNoSync(dir + tlbUnit + ".h", String(kTypeLibStub) + kMoreStub);
    TEditBuffer buffer(dir + "Check.cpp");
    buffer.Write("#include \"" + unit + ".cpp\"\n");
    return DefaultCompileAndBrowse(buffer);
}

String Replaced(String text, const String& from, const String& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, String::npos) << from;
    if (at != String::npos) text.replace(at, from.size(), to);
    return text;
}

TEST_F(kvtcompro_CoClassUpdater, RenamedLibraryMovesIncludeLibraryIdAndLiteralsOncePerUnit)
{
    TTypeLibrary* lib = MakeOrders("Automation Object");
    lib->AddCoClass("ButtonX", "IButtonX", "", true, true);
    TIntfPtr<IQModuleCreator> c(
        new TCppActiveControlCreator("TButton", dir + "ButtonImpl1.cpp", "ButtonX", 7, true, ""));
    AtomicWriteFileNoSync(dir + "ButtonImpl1.h", c->GetInterfaceSource()->Source());
    AtomicWriteFileNoSync(dir + "ButtonImpl1.cpp", c->GetSource()->Source());
    const String orders = Header(), ordersSource = Source(), button = ReadFileBytes(dir + "ButtonImpl1.h");
    ASSERT_TRUE(UnitCompilesAs(dir, "OrdersImpl1", "Project1_TLB"));

    TIntfPtr<IQTypeLibModule> m = FindTypeLibModule(ActiveProject().get());
    m->AcceptEdit();
    EXPECT_EQ(m->OldUnitName(), "Project1_TLB");
    m->Save();
    ASSERT_TRUE(FileExists(dir + "Project1.tlb"));
    m->RenameLibrary("Shop");
    EXPECT_EQ(lib->Name, "Shop");
    EXPECT_EQ(m->FileName(), dir + "Shop.tlb");
    EXPECT_EQ(m->UnitName(), "Shop_TLB");
    EXPECT_EQ(m->OldUnitName(), "Project1_TLB");
    // the saved library moved, and the project's item with it
    EXPECT_FALSE(FileExists(dir + "Project1.tlb"));
    EXPECT_TRUE(FileExists(dir + "Shop.tlb"));
    auto cpp = CppProjectOf(ActiveProject().get());
    ASSERT_NE(cpp, nullptr);
    EXPECT_TRUE(cpp->HasItem(dir + "Shop.tlb"));
    EXPECT_FALSE(cpp->HasItem(dir + "Project1.tlb"));
    // a name that is no identifier or whose file exists changes nothing
    AtomicWriteFileNoSync(dir + "Taken.tlb", "not ours");
    for (const char* bad : {"2x", "Taken"}) {
        EXPECT_THROW(m->RenameLibrary(bad), EHostError) << bad;
        EXPECT_EQ(lib->Name, "Shop");
        EXPECT_EQ(m->FileName(), dir + "Shop.tlb");
    }
    EXPECT_EQ(ReadFileBytes(dir + "Taken.tlb"), "not ours");

    const auto update = [&](const String& unit) {
        TIntfPtr<IQCoClassUpdater> u(
            new TCppCoClassUpdater(std::make_unique<TCppClassManager>(dir + unit), nullptr));
        u->Update(ActiveProject().get());
        return u->Modified();
    };
    EXPECT_TRUE(update("OrdersImpl1.cpp"));
    String expected = Replaced(orders, "#include \"Project1_TLB.h\"", "#include \"Shop_TLB.h\"");
    expected = Replaced(expected, "&IID_IOrders, &LIBID_Project1>", "&IID_IOrders, &LIBID_Shop>");
    expected = Replaced(expected, "DECLARE_PROGID(\"Project1.Orders\");", "DECLARE_PROGID(\"Shop.Orders\");");
    EXPECT_EQ(Header(), expected);
    EXPECT_EQ(Source(), ordersSource);
    EXPECT_TRUE(UnitCompilesAs(dir, "OrdersImpl1", "Shop_TLB"));

    // the control gets its empty ProgID under the new name, its include and licence file follow
    EXPECT_TRUE(update("ButtonImpl1.cpp"));
    String expectedButton = Replaced(button, "DECLARE_ACTIVEXCONTROL_REGISTRY(\"\", 7);",
                                     "DECLARE_ACTIVEXCONTROL_REGISTRY(\"Shop.ButtonX\", 7);");
    expectedButton = Replaced(expectedButton, "#include \"Project1_TLB.h\"", "#include \"Shop_TLB.h\"");
    expectedButton = Replaced(expectedButton, "return _T(\"Project1.lic\");", "return _T(\"Shop.lic\");");
    EXPECT_EQ(ReadFileBytes(dir + "ButtonImpl1.h"), expectedButton);

    // until the edit is applied a second update finds nothing more to do
    EXPECT_FALSE(update("OrdersImpl1.cpp"));
    EXPECT_FALSE(update("ButtonImpl1.cpp"));
    EXPECT_EQ(Header(), expected);
    m->AcceptEdit();
    EXPECT_EQ(m->OldUnitName(), "Shop_TLB");
    EXPECT_FALSE(update("OrdersImpl1.cpp"));
}

TEST_F(kvtcompro_CoClassUpdater, RenameHandOffFollowsTheUpdateAndIsTakenBackWithIt)
{
    TTypeLibrary* lib = MakeOrders();
    TIntfPtr<IQProjectFileEntries> entries;
    ASSERT_TRUE(Supports(GetProjectUpdater(ActiveProject().get()), entries));
    const String unit = dir + "OrdersImpl1.cpp";
    ASSERT_EQ(entries->CoClassUnit("Orders"), unit);
    TIntfPtr<IQTypeLibModule> m = FindTypeLibModule(ActiveProject().get());
    m->AcceptEdit();
    m->RenameLibrary("Shop");
    lib->FindType("Orders")->Rename("Sales");
    AddShipAndTotal(lib->FindType("IOrders"));

    // a method whose implementation is gone fails the update: the project keeps its record
    const String header = Header(), source = Source();
    String broken = header;
    broken.replace(broken.find("public:\r\n\r\n};"), 13,
                   "public:\r\n  STDMETHOD(Ship)(long Count);\r\n\r\n};");
    AtomicWriteFileNoSync(dir + "OrdersImpl1.h", broken);
    EXPECT_THROW(UpdaterOf(unit)->Update(ActiveProject().get()), EHostError);
    EXPECT_EQ(Header(), broken);
    EXPECT_EQ(Source(), source);
    EXPECT_EQ(entries->CoClassUnit("Orders"), unit);
    EXPECT_EQ(entries->CoClassUnit("Sales"), "");

    AtomicWriteFileNoSync(dir + "OrdersImpl1.h", header);
    UpdaterOf(unit)->Update(ActiveProject().get());
    EXPECT_EQ(entries->CoClassUnit("Sales"), unit);
    EXPECT_EQ(entries->CoClassUnit("Orders"), "");
    EXPECT_NE(Header().find("#include \"Shop_TLB.h\"\r\n"), String::npos);
    EXPECT_NE(Header().find("class ATL_NO_VTABLE TSalesImpl :\r\n"), String::npos);
    EXPECT_NE(Header().find("DECLARE_PROGID(\"Shop.Sales\");"), String::npos);
    EXPECT_TRUE(UnitCompilesAs(dir, "OrdersImpl1", "Shop_TLB"));
}

TEST_F(kvtcompro_CoClassUpdater, WrapperLinesForInterfaceAndVariantParameters)
{
    TTypeLibrary* lib = MakeOrders();
    TTypeObject* intf = lib->FindType("IOrders");
    TTypeLibMember* ship = intf->AddMethod("Ship", intf->NewMemberId());
    ship->Params = {{"Item", "IOrders*", pfIn},  {"Value", "VARIANT", pfIn}, {"Id", "GUID*", pfIn},
                    {"Out", "IOrders**", pfOut}, {"Any", "IUnknown*", pfIn}, {"Count", "long", pfIn}};
    TTypeLibMember* weight = intf->AddMethod("Weight", intf->NewMemberId());
    weight->ResultType = "long";
    weight->Params = {{"Item", "IOrders*", pfIn}, {"Value", "VARIANT", pfIn}};
    intf->AddMethod("Size", intf->NewMemberId())->ResultType = "long";
    UpdaterOf(dir + "OrdersImpl1.cpp")->Update(ActiveProject().get());
    const String tail =
        "STDMETHODIMP TOrdersImpl::Ship(IOrders* Item, VARIANT Value, GUID* Id, IOrders** Out, "
        "IUnknown* Any, long Count)\r\n"
        "{\r\n"
        "  try\r\n"
        "  {\r\n"
        "  TComInterface<IOrders> ItemPtr(Item, true);\r\n"
        "  TVariant ValuePtr(Value);\r\n"
        "  }\r\n"
        "  catch(Exception &e)\r\n"
        "  {\r\n"
        "    return Error(e.Message.c_str(), IID_IOrders);\r\n"
        "  }\r\n"
        "  return S_OK;\r\n"
        "};\r\n"
        "\r\n"
        "\r\n"
        "STDMETHODIMP_(long) TOrdersImpl::Weight(IOrders* Item, VARIANT Value)\r\n"
        "{ \r\n"
        "  TComInterface<IOrders> ItemPtr(Item, true);\r\n"
        "  TVariant ValuePtr(Value);\r\n"
        "}\r\n"
        "\r\n"
        "STDMETHODIMP_(long) TOrdersImpl::Size()\r\n"
        "{\r\n"
        "}\r\n";
    const String source = Source();
    ASSERT_GE(source.size(), tail.size());
    EXPECT_EQ(source.substr(source.size() - tail.size()), tail);
    EXPECT_TRUE(UnitCompilesAs(dir, "OrdersImpl1", "Project1_TLB"));
    const String header = Header();
    UpdaterOf(dir + "OrdersImpl1.cpp")->Update(ActiveProject().get());
    EXPECT_EQ(Header(), header);
    EXPECT_EQ(Source(), source);
}

TEST_F(kvtcompro_CoClassUpdater, AncestorMembersOnlyWhenTheEnvironmentAsks)
{
    struct Case {
        const char* option;
        const char* baseParent;  // IBase's own parent
        bool ping;  // IBase's member is implemented
    };
    const Case cases[] = {
        {"False", "IUnknown", false},
        {"True", "IAppServer", true},
        {"True", "IOrders", true},  // a loop ends where it began
        {"Yes", "IDispatch", true},
    };
    TTypeLibrary* lib = MakeOrders();
    TTypeObject* base = lib->AddType(tkInterface, "IBase");
    base->AddMethod("Ping", 1);
    lib->FindType("IOrders")->ParentName = "IBase";
    const String header = Header(), source = Source();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.baseParent);
        AtomicWriteFileNoSync(dir + "OrdersImpl1.h", header);
        AtomicWriteFileNoSync(dir + "OrdersImpl1.cpp", source);
        base->ParentName = c.baseParent;
        {
            // the setting goes whatever happens: the tests after this one run in the same process
            TScopeGuard forget([] { AppIniFile().DeleteKey("Type Library", "ImplementAncestorMembers"); });
            AppIniFile().WriteString("Type Library", "ImplementAncestorMembers", c.option);
            UpdaterOf(dir + "OrdersImpl1.cpp")->Update(ActiveProject().get());
        }
        EXPECT_EQ(Header().find("  STDMETHOD(Ping)();\r\n") != String::npos, c.ping);
        EXPECT_EQ(Source().find("STDMETHODIMP TOrdersImpl::Ping()\r\n{\r\n  try\r\n") != String::npos,
                  c.ping);
        EXPECT_TRUE(UnitCompilesAs(dir, "OrdersImpl1", "Project1_TLB"));
    }
}

}  // namespace

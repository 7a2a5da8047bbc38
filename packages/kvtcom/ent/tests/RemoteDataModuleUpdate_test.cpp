#include <gtest/gtest.h>

#include "Ccommgr.h"
#include "Cppentcrtrs.h"
#include "ProjectTestHost.h"
#include "host/CppBrowse.h"
#include "host/TypeLibrary.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

// What a remote data module unit uses of the library's header, the data broker and the COM
// library, declared just enough for the compiler to check the unit's own text (the component
// library itself comes with <zub.h>).
const char* const kTypeLibStub = R"(#pragma once
typedef long HRESULT;
#define ATL_NO_VTABLE
#define S_OK 0
#define STDMETHOD(m) virtual HRESULT m
#define STDMETHODIMP HRESULT
struct GUID { int d; };
extern const GUID CLSID_Sales, CLSID_Shop, IID_ISales, LIBID_Server;
struct CComSingleThreadModel {};
template <class M> struct CComObjectRootEx {};
template <class T, const GUID* clsid> struct CComCoClass {};
template <class I, const GUID* iid, const GUID* lib> struct IDispatchImpl : I {};
#define DECLARE_PROGID(s) static const char* ProgIdText() { return s; }
#define DECLARE_DESCRIPTION(s) static const char* DescriptionText() { return s; }
#define BEGIN_COM_MAP(c)
#define COM_INTERFACE_ENTRY(i)
#define COM_INTERFACE_ENTRY2(a, b)
#define END_COM_MAP()
struct ISales { virtual ~ISales() = default; };
#define Exception ComException
struct ComException { struct { const char* c_str() const { return ""; } } Message; };
HRESULT Error(const char*, const GUID&);
)";

const char* const kClassesStub = R"(#pragma once
#define __published public
#define __fastcall
)";

const char* const kDataBrokerStub = R"(#pragma once
struct IUnknownStub { virtual long AddRef(); };
struct IProvider : IUnknownStub {};
struct _di_IProvider {
  IProvider* p;
  IProvider* operator->() const { return p; }
  operator IProvider*() const { return p; }
};
struct TCRemoteDataModule { TCRemoteDataModule(TComponent*); virtual ~TCRemoteDataModule(); };
struct TDataSetProvider { _di_IProvider Provider; };
)";

// The form of the data module with a provider on it, as the designer saves it.
const char* const kForm = "object Sales: TSales\r\n  object Orders: TDataSetProvider\r\n  end\r\nend\r\n";

class kvtcoment_RemoteDataModuleUpdate : public ProjectTestHost {
protected:
    kvtcoment_RemoteDataModuleUpdate() : ProjectTestHost("kvtcoment_rdmu_", KVTCOM_TEMPLATE_DIR) {}
    void SetUp() override
    {
        ProjectTestHost::SetUp();
        Ccommgr::Initialization();
        OpenProject("Server.zproj");
        tlm = GetOrCreateTypeLibModule(ActiveProject().get());
        lib = tlm->TypeLibrary();
        lib->AddCoClass("Sales", "ISales", "", true, false);
        TIntfPtr<IQModuleCreator> c(new TCppRemoteDataModuleCreator(dir + "Rdm1.cpp", "Sales", "",
                                                                    "Apartment", "", false, "", false));
        module = ModuleServices()->CreateModule(c.get(), nullptr);
        // as the wizard's end does
        TIntfPtr<IQTypeLibUpdater> updater;
        if (Supports(GetProjectUpdater(ActiveProject().get()), updater))
            updater->NewComObject("Sales", dir + "Rdm1.cpp");
        for (const auto& f : ReceivedFiles()) AtomicWriteFileNoSync(f.FileName, f.Text);
        // the designer put a provider named Orders on the data module
        String header = Header();
        const String published = "__published:\t// IDE-managed Components\r\n";
        header.insert(header.find(published) + published.size(), "  TDataSetProvider *Orders;\r\n");
        AtomicWriteFileNoSync(dir + "Rdm1.h", header);
        AtomicWriteFileNoSync(dir + "Rdm1.zfm", kForm);
        AtomicWriteFileNoSync(dir + "Server_TLB.h", kTypeLibStub);
        AtomicWriteFileNoSync(dir + "Classes.hpp", kClassesStub);
        AtomicWriteFileNoSync(dir + "DataBkr.hpp", kDataBrokerStub);
        tlm->AcceptEdit();
    }
    void TearDown() override
    {
        module = nullptr;
        tlm = nullptr;
        Ccommgr::Finalization();
        ProjectTestHost::TearDown();
    }
    String Header() { return ReadFileBytes(dir + "Rdm1.h"); }
    String Source() { return ReadFileBytes(dir + "Rdm1.cpp"); }
    void Update()
    {
        TIntfPtr<IQCoClassUpdater> u(new TCppCoClassUpdater(GetClassManager(module.get()), module));
        u->Update(ActiveProject().get());
    }
    bool Compiles()
    {
        TEditBuffer buffer(dir + "Check.cpp");
        buffer.Write("#include \"Rdm1.cpp\"\n");
        return DefaultCompileAndBrowse(buffer);
    }
    // Properties Orders (named like the provider) and Count.
    void AddProperties()
    {
        TTypeObject* intf = lib->FindType("ISales");
        for (const char* name : {"Orders", "Count"}) {
            const int id = intf->NewMemberId();
            intf->AddMethod(name, id, {"propget"})->Params = {{"Value", "IProvider**", pfOut | pfRetval}};
        }
    }

    TIntfPtr<IQTypeLibModule> tlm;
    TTypeLibrary* lib = nullptr;
    TIntfPtr<IQModule> module;
};

String Getter(const String& impl, const String& name, const String& lines)
{
    return "STDMETHODIMP " + impl + "::get_" + name + "(IProvider** Value)\r\n{\r\n  try\r\n  {\r\n" + lines +
           "  }\r\n  catch(Exception &e)\r\n  {\r\n    return Error(e.Message.c_str(), IID_ISales);\r\n  "
           "}\r\n"
           "  return S_OK;\r\n};\r\n\r\n\r\n";
}

const char* const kProviderLines = "  _di_IProvider IProv = m_DataModule->Orders->Provider;\r\n"
                                   "  IProv->AddRef();\r\n"
                                   "  *Value = IProv;\r\n";

TEST_F(kvtcoment_RemoteDataModuleUpdate, TheDataModuleHasItsExpert)
{
    TIntfPtr<IQFormModule> form;
    ASSERT_TRUE(Supports(module.get(), form));
    EXPECT_EQ(form->RootName(), "Sales");
    EXPECT_EQ(form->RootClass(), "TDataModule");
    EXPECT_EQ(form->ComponentNames(), std::vector<String>{"Orders"});
    auto manager = GetClassManager(module.get());
    ASSERT_NE(manager->FindClass("TSalesImpl"), nullptr);
    auto expert = ChooseCoClassExpert(manager.get(), *manager->FindClass("TSalesImpl"));
    EXPECT_NE(dynamic_cast<TRemoteDataModuleCoClassExpert*>(expert.get()), nullptr);
    // a unit without a form is no data module's
    AtomicWriteFileNoSync(dir + "Plain.h", "class TPlainImpl : public IPlain\r\n{\r\n};\r\n");
    AtomicWriteFileNoSync(dir + "Plain.cpp", "");
    TCppClassManager plain(dir + "Plain.cpp");
    plain.Parse();
    EXPECT_EQ(
        dynamic_cast<TRemoteDataModuleCoClassExpert*>(ChooseCoClassExpert(&plain, plain.Classes()[0]).get()),
        nullptr);
}

TEST_F(kvtcoment_RemoteDataModuleUpdate, APropertyNamedLikeAComponentHandsOutItsProvider)
{
    ASSERT_TRUE(Compiles());
    const String source = Source();
    AddProperties();
    Update();
    EXPECT_EQ(Source(), source + Getter("TSalesImpl", "Orders", kProviderLines) +
                            Getter("TSalesImpl", "Count", "\r\n"));
    EXPECT_NE(Header().find("END_COM_MAP()\r\n  STDMETHOD(get_Orders)(IProvider** Value);\r\n"
                            "  STDMETHOD(get_Count)(IProvider** Value);\r\n};"),
              String::npos);
    EXPECT_TRUE(Compiles());
    const String header = Header(), updated = Source();
    Update();
    EXPECT_EQ(Header(), header);
    EXPECT_EQ(Source(), updated);
}

TEST_F(kvtcoment_RemoteDataModuleUpdate, RenamedCoClassRenamesTheDataModuleToo)
{
    AddProperties();
    Update();
    tlm->AcceptEdit();
    const String header = Header(), source = Source();
    TIntfPtr<IQProjectFileEntries> entries;
    ASSERT_TRUE(Supports(GetProjectUpdater(ActiveProject().get()), entries));
    ASSERT_EQ(entries->CoClassUnit("Sales"), dir + "Rdm1.cpp");
    lib->FindType("Sales")->Rename("Shop");

    // a failed update takes everything back: the unit, the form and the project's record
    String broken = header;
    broken.insert(broken.find("END_COM_MAP()\r\n") + 15, "  STDMETHOD(get_Gone)(IProvider** Value);\r\n");
    AtomicWriteFileNoSync(dir + "Rdm1.h", broken);
    lib->FindType("ISales")->AddMethod("Gone", 9, {"propget"})->Params = {{"Value", "IProvider**", pfOut}};
    EXPECT_THROW(Update(), EHostError);
    EXPECT_EQ(Header(), broken);
    EXPECT_EQ(Source(), source);
    EXPECT_EQ(ReadFileBytes(dir + "Rdm1.zfm"), kForm);
    EXPECT_EQ(module->FormName(), "Sales");
    EXPECT_EQ(entries->CoClassUnit("Sales"), dir + "Rdm1.cpp");
    lib->FindType("ISales")->Members.pop_back();
    AtomicWriteFileNoSync(dir + "Rdm1.h", header);

    Update();
    // the data module class is the form's: it follows the root's new name
    String expected = header;
    for (const auto& [from, to] : std::vector<std::pair<String, String>>{
             {"class TSales : public TCRemoteDataModule", "class TShop : public TCRemoteDataModule"},
             {"  __fastcall TSales(TComponent* Owner);", "  __fastcall TShop(TComponent* Owner);"},
             {"class ATL_NO_VTABLE TSalesImpl :", "class ATL_NO_VTABLE TShopImpl :"},
             {"CComCoClass<TSalesImpl, &CLSID_Sales>", "CComCoClass<TShopImpl, &CLSID_Shop>"},
             {"  TSalesImpl() : m_DataModule(new TSales(NULL))",
              "  TShopImpl() : m_DataModule(new TShop(NULL))"},
             {"  ~TSalesImpl()", "  ~TShopImpl()"},
             {"  TSales* m_DataModule;", "  TShop* m_DataModule;"},
             {"DECLARE_PROGID(\"Server.Sales\");", "DECLARE_PROGID(\"Server.Shop\");"},
             {"BEGIN_COM_MAP(TSalesImpl)", "BEGIN_COM_MAP(TShopImpl)"}}) {
        const std::size_t at = expected.find(from);
        ASSERT_NE(at, String::npos) << from;
        expected.replace(at, from.size(), to);
    }
    EXPECT_EQ(Header(), expected);
    EXPECT_NE(
        Source().find("\r\n__fastcall TShop::TShop(TComponent* Owner)\r\n  : TCRemoteDataModule(Owner)\r\n"),
        String::npos);
    EXPECT_NE(Source().find("\r\nSTDMETHODIMP TShopImpl::get_Orders(IProvider** Value)\r\n"), String::npos);
    EXPECT_EQ(ReadFileBytes(dir + "Rdm1.zfm"),
              "object Shop: TShop\r\n  object Orders: TDataSetProvider\r\n  end\r\nend\r\n");
    EXPECT_EQ(module->FormName(), "Shop");
    EXPECT_EQ(entries->CoClassUnit("Shop"), dir + "Rdm1.cpp");
    EXPECT_EQ(entries->CoClassUnit("Sales"), "");
    EXPECT_TRUE(Compiles());
    const String h = Header(), s = Source();
    Update();
    EXPECT_EQ(Header(), h);
    EXPECT_EQ(Source(), s);
}

TEST_F(kvtcoment_RemoteDataModuleUpdate, RenameOntoAnotherFormsNameFailsAndChangesNothing)
{
    TIntfPtr<IQModuleCreator> other(
        new TCppRemoteDataModuleCreator(dir + "Rdm2.cpp", "Shop", "", "Apartment", "", false, "", false));
    ModuleServices()->CreateModule(other.get(), nullptr);
    const String header = Header(), source = Source();
    lib->FindType("Sales")->Rename("Shop");
    try {
        Update();
        ADD_FAILURE() << "no error";
    } catch (const EHostError& e) {
        EXPECT_EQ(e.Message(), "A form named Shop exists already");
    }
    EXPECT_EQ(Header(), header);
    EXPECT_EQ(Source(), source);
    EXPECT_EQ(ReadFileBytes(dir + "Rdm1.zfm"), kForm);
    EXPECT_EQ(module->FormName(), "Sales");
}

}  // namespace

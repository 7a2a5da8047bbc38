#include <gtest/gtest.h>

#include "Ccommgr.h"
#include "Cppprocmd.h"
#include "Cppprocrtrs.h"
#include "Cppproreg.h"
#include "Cppproupdaters.h"
#include "ProjectTestHost.h"
#include "host/IDEControl.h"
#include "host/TypeLibrary.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

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

class kvtcompro_CoClassUpdater : public ProjectTestHost {
protected:
    kvtcompro_CoClassUpdater() : ProjectTestHost("kvtcompro_ccu_", KVTCOM_TEMPLATE_DIR) {}
    void SetUp() override
    {
        ProjectTestHost::SetUp();
        Cppprocrtrs::Initialization();
        Ccommgr::Initialization();
        Cppproupdaters::Initialization();
        Cppprocmd_IDERegister();
        Cppproreg_IDERegister();
        MainFormCreated().FirePending(IDEApplication());
    }
    void TearDown() override
    {
        Cppproreg::Finalization();
        Cppprocmd::Finalization();
        Cppproupdaters::Finalization();
        Ccommgr::Finalization();
        Cppprocrtrs::Finalization();
        ProjectTestHost::TearDown();
    }
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
            if (p->Module(i)->FileName() == fileName) return CppUpdaters()->CreateCoClassUpdater(p->Module(i).get());
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
    u->Update(ActiveProject().get());
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
    header.replace(header.find("STDMETHOD(Ship)(long Count);"), 28, "STDMETHOD(Ship)(long Count, VARIANT_BOOL Express);");
    EXPECT_EQ(Header(), header);
    EXPECT_EQ(Source(), String(kSalesSourceHead) +
                            Skeleton("STDMETHODIMP TSalesImpl::Ship(long Count, VARIANT_BOOL Express)") +
                            Skeleton("STDMETHODIMP TSalesImpl::get_Total(long* Value)") +
                            Skeleton("STDMETHODIMP TSalesImpl::set_Total(long Value)"));
}

TEST_F(kvtcompro_CoClassUpdater, FailuresLeaveTheUnitAsItWas)
{
    TTypeLibrary* lib = MakeOrders();
    lib->FindType("Orders")->Rename("Sales");
    AddShipAndTotal(lib->FindType("IOrders"));
    // a method whose implementation is gone cannot be rewritten: nothing of the update lands
    String header = Header();
    header.replace(header.find("public:\r\n\r\n};"), 13, "public:\r\n  STDMETHOD(Ship)(long Count);\r\n\r\n};");
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

}  // namespace

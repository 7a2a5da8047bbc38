#include <gtest/gtest.h>

#include <sstream>

#include "RegisteredHost.h"
#include "host/PersonalityServices.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

// A library with two CoClasses and an interface, as the type-library module saves it.
const char* const kShopLibrary = "[uuid(AF9BC6C7-4A6C-4D44-BE1A-B79BD4F31712), version(1.0)]\n"
                                 "library Shop\n"
                                 "{\n"
                                 "  [uuid(F7EACD62-93D3-4F0E-A87F-B792E7C0C407), version(1.0)]\n"
                                 "  interface IOrders: IUnknown\n"
                                 "  {\n"
                                 "  };\n"
                                 "  [uuid(470EE744-9B0F-4681-AAE6-CF7F7FCEC880), version(1.0)]\n"
                                 "  coclass Orders\n"
                                 "  {\n"
                                 "    [default] interface IOrders;\n"
                                 "  };\n"
                                 "  [uuid(470EE744-9B0F-4681-AAE6-CF7F7FCEC881), version(1.0)]\n"
                                 "  coclass Basket\n"
                                 "  {\n"
                                 "  };\n"
                                 "};\n";

class kvtcompro_Import : public RegisteredHost {
protected:
    kvtcompro_Import() : RegisteredHost("kvtcompro_import_") {}
    void SetUp() override
    {
        RegisteredHost::SetUp();
        Register();
    }
    static TIntfPtr<IQPersonalityServices> Personalities()
    {
        return RequireService<IQPersonalityServices>("personality services");
    }
    template <class I>
    TIntfPtr<I> Trait()
    {
        TIntfPtr<I> r;
        TIntfPtr<IInterface> t = Personalities()->GetTrait(sCppPersonality, I::IID);
        if (t) Supports(t.get(), r);
        return r;
    }
    String Write(const String& name, const String& text)
    {
        AtomicWriteFile(dir + name, text);
        return dir + name;
    }
};

TEST_F(kvtcompro_Import, TraitAnswersForTheCppPersonalityUnderAllThreeInterfaces)
{
    auto t1 = Trait<IQImportComponentTrait>();
    auto t2 = Trait<IQImportComponentTrait2>();
    auto t3 = Trait<IQImportComponentTrait3>();
    ASSERT_TRUE(t1 && t2 && t3);
    EXPECT_EQ(t1->GetCaption(), "ZUB for &C++ Win32");
    EXPECT_EQ(t1->GetPersonality(), 3);
    EXPECT_EQ(t1->GetProjectExtension(), ".tvproj");
    EXPECT_EQ(t1->GetProjectFilter(), String(sCppProjectFilter));
    EXPECT_EQ(t1->GetMrWizard()->Personality, sCppPersonality);
    EXPECT_STREQ(t3->GetDTLWriter().ClassName, "TCPPDTLWriter");
}

TEST_F(kvtcompro_Import, ImportTLBWritesTheWrapperUnitAndHeader)
{
    const String file = Write("Shop.tlb", kShopLibrary);
    EXPECT_EQ(Trait<IQImportComponentTrait2>()->ImportTLB(file, dir, "Servers"), dir + "Shop_OCX.cpp");
    auto files = ReceivedFiles();
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].FileName, dir + "Shop_OCX.cpp");
    EXPECT_EQ(files[0].Text, "// Shop_OCX.cpp: component wrappers of the type library Shop 1.0\r\n"
                             "#include \"Shop_OCX.h\"\r\n"
                             "\r\n"
                             "__fastcall TOrders::TOrders(TComponent* owner) : TOleServer(owner)\r\n"
                             "{\r\n"
                             "}\r\n"
                             "\r\n"
                             "__fastcall TBasket::TBasket(TComponent* owner) : TOleServer(owner)\r\n"
                             "{\r\n"
                             "}\r\n"
                             "\r\n"
                             "namespace Shop_OCX\r\n"
                             "{\r\n"
                             "  void __fastcall PACKAGE Register()\r\n"
                             "  {\r\n"
                             "    TComponentClass classes[] = {__classid(TOrders), __classid(TBasket)};\r\n"
                             "    RegisterComponents(\"Servers\", classes, 1);\r\n"
                             "  }\r\n"
                             "}\r\n");
    EXPECT_EQ(files[1].FileName, dir + "Shop_OCX.h");
    EXPECT_EQ(files[1].Text, "// Shop_OCX.h: component wrappers of the type library Shop 1.0\r\n"
                             "#ifndef Shop_OCXH\r\n"
                             "#define Shop_OCXH\r\n"
                             "\r\n"
                             "#include <zub.h>\r\n"
                             "\r\n"
                             "// CoClass Orders, default interface IOrders\r\n"
                             "class TOrders : public TOleServer\r\n"
                             "{\r\n"
                             "public:\r\n"
                             "  __fastcall TOrders(TComponent* owner);\r\n"
                             "};\r\n"
                             "\r\n"
                             "// CoClass Basket, default interface none\r\n"
                             "class TBasket : public TOleServer\r\n"
                             "{\r\n"
                             "public:\r\n"
                             "  __fastcall TBasket(TComponent* owner);\r\n"
                             "};\r\n"
                             "\r\n"
                             "#endif\r\n");
    // no palette page given: the ActiveX page
    ClearReceivedFiles();
    Trait<IQImportComponentTrait2>()->ImportTLB(file, dir, "");
    EXPECT_NE(ReceivedFiles()[0].Text.find("RegisterComponents(\"ActiveX\", classes, 1);"), String::npos);
}

TEST_F(kvtcompro_Import, BadInputIsRefusedAndWritesNothing)
{
    struct Case {
        const char* name;
        const char* text;  // nullptr: no file
    };
    const Case cases[] = {
        {"Missing.tlb", nullptr},
        {"Garbage.tlb", "this is no type library\n"},
        {"Empty.tlb", "[uuid(AF9BC6C7-4A6C-4D44-BE1A-B79BD4F31713), version(1.0)]\nlibrary "
                      "Empty\n{\n};\n"},  // nothing to wrap
    };
    for (const auto& c : cases) {
        const String file = c.text ? Write(c.name, c.text) : dir + c.name;
        EXPECT_THROW(Trait<IQImportComponentTrait2>()->ImportTLB(file, dir, "ActiveX"), EHostError) << c.name;
        EXPECT_TRUE(ReceivedFiles().empty()) << c.name;
    }
    // this host reads no assemblies: an error, never a success
    EXPECT_THROW(Trait<IQImportComponentTrait2>()->ImportAssembly(dir + "Shop.dll", dir, "ActiveX"),
                 EHostError);
}

TEST_F(kvtcompro_Import, TypelibImportCommandReadsNamesInTheHostsFolder)
{
    Write("Shop.tlb", kShopLibrary);
    SetProjectFolder(dir);
    const auto run = [](std::vector<String> args) {
        std::ostringstream out;
        RunTypeLibCommand(std::move(args), out);
        return String(out.str());
    };
    EXPECT_EQ(run({"import", "Shop.tlb", "Servers"}), "imported " + dir + "Shop_OCX.cpp\n");
    EXPECT_NE(ReceivedFiles()[0].Text.find("RegisterComponents(\"Servers\", classes, 1);"), String::npos);
    for (const auto& bad :
         {std::vector<String>{"import"}, std::vector<String>{"import", "Shop.tlb", "A", "B"}})
        EXPECT_THROW(run(bad), EHostError) << bad.size();
}

TEST_F(kvtcompro_Import, FinalizationTakesTheTraitsBack)
{
    Cppproreg::Finalization();
    for (const TGUID& iid :
         {IQImportComponentTrait::IID, IQImportComponentTrait2::IID, IQImportComponentTrait3::IID})
        EXPECT_FALSE(Personalities()->SupportsTrait(sCppPersonality, iid));
    EXPECT_THROW(ImportTLB(Write("Shop.tlb", kShopLibrary), dir, "", ".cpp", sCppPersonality), EHostError);
}

}  // namespace

#include <gtest/gtest.h>

#include "testsupport/TestDir.h"
#include "host/CppClassUpdater.h"
#include <functional>
#include "rtl/Files.h"

namespace {

const char* const kHeader =
    "class ATL_NO_VTABLE TAImpl :\r\n  public IA\r\n{\r\npublic:\r\n  STDMETHOD(Go)(long N);\r\n};\r\n";
const char* const kSource =
    "#include \"A1.h\"\r\n\r\nSTDMETHODIMP TAImpl::Go(long N)\r\n{\r\n  return S_OK;\r\n}\r\n";

class host_CppClassUpdater : public ::testing::Test {
protected:
    String dir, src;
    void SetUp() override
    {
        dir = ScratchDir() + "host_ccu/";
        EXPECT_TRUE(ForceDirectories(dir));
        src = dir + "A1.cpp";
        AtomicWriteFileNoSync(dir + "A1.h", kHeader);
        AtomicWriteFileNoSync(src, kSource);
    }
};

TEST(host_MethodHeader, RecordAndHeaders)
{
    TMethodTypeInfo m;
    m.Name = "get_Count";
    m.IsFunction = true;
    m.ResultType = "HRESULT";
    m.Params = {{32, "Value", "long*"}};
    const String block = m.Encode();
    ASSERT_EQ(block.substr(0, 4), "HMIT");
    EXPECT_EQ(static_cast<unsigned char>(block[4]), block.size());
    const TMethodTypeInfo back = TMethodTypeInfo::Decode(block);
    EXPECT_EQ(back.Name, "get_Count");
    EXPECT_TRUE(back.IsFunction);
    ASSERT_EQ(back.Params.size(), 1u);
    EXPECT_EQ(back.Params[0].Flags, 32);
    EXPECT_EQ(back.Params[0].Type, "long*");
    EXPECT_EQ(back.ResultType, "HRESULT");
    EXPECT_EQ(CppMethodHeader(m, "", mhDeclaration), "STDMETHOD(get_Count)(long* Value);");
    EXPECT_EQ(CppMethodHeader(m, "TAImpl", mhImplementation), "STDMETHODIMP TAImpl::get_Count(long* Value)");
    TMethodTypeInfo p;
    p.Name = "Stop";
    EXPECT_EQ(CppMethodHeader(p, "", mhDeclaration), "STDMETHOD_(void, Stop)();");
    p.IsFunction = true;
    p.ResultType = "long";
    EXPECT_EQ(CppMethodHeader(p, "T", mhImplementation), "STDMETHODIMP_(long) T::Stop()");
    // a block without the prefix or cut short is refused
    EXPECT_THROW(TMethodTypeInfo::Decode("XMIT" + block.substr(4)), EHostError);
    EXPECT_THROW(TMethodTypeInfo::Decode(block.substr(0, block.size() - 1)), EHostError);
    TMethodTypeInfo longName;
    longName.Name = String(256, 'x');
    EXPECT_THROW(longName.Encode(), EHostError);
}

TEST(host_ImplNames, BothWays)
{
    EXPECT_EQ(CoClassToImplName("Orders"), "TOrdersImpl");
    EXPECT_EQ(ImplToCoClassName("TOrdersImpl"), "Orders");
    EXPECT_EQ(ImplToCoClassName("TImpl"), "");
    EXPECT_EQ(ImplToCoClassName("Orders"), "");
    EXPECT_EQ(GetPropPrefix(1), "");
    EXPECT_EQ(GetPropPrefix(2), "get_");
    EXPECT_EQ(GetPropPrefix(4), "set_");
}

TEST_F(host_CppClassUpdater, EditsWaitForCommitThenChangeBothFiles)
{
    TCppClassManager m(src);
    m.Parse();
    ASSERT_EQ(m.Classes().size(), 1u);
    EXPECT_EQ(UpdateClassNames(m, "A", "B"), 2);
    EXPECT_EQ(ReadFileBytes(src), kSource);
    m.Commit();
    EXPECT_EQ(
        ReadFileBytes(dir + "A1.h"),
        "class ATL_NO_VTABLE TBImpl :\r\n  public IA\r\n{\r\npublic:\r\n  STDMETHOD(Go)(long N);\r\n};\r\n");
    EXPECT_EQ(ReadFileBytes(src),
              "#include \"A1.h\"\r\n\r\nSTDMETHODIMP TBImpl::Go(long N)\r\n{\r\n  return S_OK;\r\n}\r\n");
    EXPECT_NE(m.FindClass("TBImpl"), nullptr);
    EXPECT_EQ(m.PendingEdits(), 0);
}

TEST_F(host_CppClassUpdater, FailedCommitLeavesTheUnitAsItWas)
{
    TCppClassManager m(src);
    struct Case {
        const char* what;
        std::function<void()> edits;
    };
    const Case cases[] = {
        {"overlap",
         [&] {
             m.Insert(csHeader, 0, "// x\r\n");
             m.Replace(csSource, 3, 5, "a");
             m.Delete(csSource, 6, 2);
         }},
        {"outside",
         [&] {
             m.Insert(csHeader, 0, "// x\r\n");
             m.Insert(csSource, 10000, "a");
         }},
    };
    for (const auto& c : cases) {
        m.Parse();
        c.edits();
        EXPECT_THROW(m.Commit(), EHostError) << c.what;
        EXPECT_EQ(ReadFileBytes(dir + "A1.h"), kHeader) << c.what;
        EXPECT_EQ(ReadFileBytes(src), kSource) << c.what;
        EXPECT_EQ(m.PendingEdits(), 0) << c.what;
    }
    // the source cannot be written after the header was: the header is put back
    m.Parse();
    m.Insert(csHeader, 0, "// x\r\n");
    m.Insert(csSource, 0, "// y\r\n");
    int writes = 0;
    auto old = SetAtomicWriteHook([&](const String&) {
        if (++writes == 2) throw EInOutError("disk full");
    });
    EXPECT_ANY_THROW(m.Commit());
    SetAtomicWriteHook(old);
    EXPECT_EQ(ReadFileBytes(dir + "A1.h"), kHeader);
    EXPECT_EQ(ReadFileBytes(src), kSource);
}

TEST_F(host_CppClassUpdater, EditsAtOnePositionKeepTheirOrder)
{
    TCppClassManager m(src);
    m.Parse();
    m.Insert(csSource, 0, "a");
    m.Insert(csSource, 0, "b");
    m.Commit();
    EXPECT_EQ(ReadFileBytes(src), String("ab") + kSource);
}

}  // namespace

namespace {

TEST_F(host_CppClassUpdater, ClassesKnowTheirImplementationBaseWrappedControlAndPlaces)
{
    const struct {
        const char *bases, *body, *implBase, *wrapped;
        const char* eventsAfter;  // the text the event place follows
        int bitmap;
    } cases[] = {
        {"ZUBCONTROL_IMPL(TAImpl, A, TButton, IA, DIID_IAEvents)",
         "public:\r\n  DECLARE_ACTIVEXCONTROL_REGISTRY(\"L.A\", 4);\r\n", "ZUBCONTROL_IMPL", "TButton", "{",
         4},
        {"ZUBCONTROL_IMPL(TAImpl, A, , IA, DIID_IAEvents)", "public:\r\n", "ZUBCONTROL_IMPL", "", "{", 0},
        {"PROPERTYPAGE_IMPL(TAImpl, A, TAPage)", "", "PROPERTYPAGE_IMPL", "TAPage", "{", 0},
        {"public TZubControlImpl<Stdctrls::TEdit>, public IA",
         "  void ClickEvent(TObject *Sender);\r\npublic:\r\n  void Go();\r\n", "public", "Stdctrls::TEdit",
         "void ClickEvent(TObject *Sender);", 0},
        {"public CComObjectRootEx<CComSingleThreadModel>, public IA", "  int N;\r\n", "public", "", "int N;",
         0},
    };
    for (const auto& c : cases) {
        const String header = String("class TAImpl :\r\n  ") + c.bases + "\r\n{\r\n" + c.body + "};\r\n";
        AtomicWriteFileNoSync(dir + "A1.h", header);
        TCppClassManager m(src);
        m.Parse();
        const TCppUnitClass* cls = m.FindClass("TAImpl");
        ASSERT_NE(cls, nullptr) << c.bases;
        EXPECT_EQ(cls->ImplBase, c.implBase) << c.bases;
        EXPECT_EQ(cls->WrappedClass, c.wrapped) << c.bases;
        EXPECT_EQ(cls->ToolboxBitmap, c.bitmap) << c.bases;
        const String after = c.eventsAfter;
        ASSERT_NE(cls->EventInsertPos, NoPosition) << c.bases;
        ASSERT_GE(cls->EventInsertPos, after.size()) << c.bases;
        EXPECT_EQ(header.substr(cls->EventInsertPos - after.size(), after.size()), after) << c.bases;
    }
}

}  // namespace

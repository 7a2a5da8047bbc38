// The experts of ActiveX controls and Active Forms: members of a control wrapping TButton written
// against the button as the browse of its class finds it; the unit compiles before and after.
#include <gtest/gtest.h>

#include <sstream>

#include "Ccombrow.h"
#include "Ccommgr.h"
#include "Cppprocmd.h"
#include "Cppprocrtrs.h"
#include "Cppproreg.h"
#include "Cppproupdaters.h"
#include "UpdaterHost.h"
#include "host/AppIniFile.h"
#include "host/ComponentClasses.h"
#include "host/IDEControl.h"
#include "host/TypeLibrary.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

// What a control's unit uses of the type library's header and the ATL wrapper of ZUB controls,
// declared just enough for the compiler to check the unit's own text.
const char* const kControlStub = R"(#pragma once
#include <functional>
typedef long HRESULT;
typedef long DISPID;
typedef short VARIANT_BOOL;
typedef wchar_t* BSTR;
struct DECIMAL { long lo, hi; };
struct IFontDisp;
template <class T> void GetZubCtlProp(T*, IFontDisp**);
template <class T> void SetZubCtlProp(T*, IFontDisp*);
#define ATL_NO_VTABLE
#define S_OK 0
#define S_FALSE 1
#define STDMETHOD(m) virtual HRESULT m
#define STDMETHOD_(t, m) virtual t m
#define STDMETHODIMP HRESULT
#define STDMETHODIMP_(t) t
struct GUID { int d; };
extern const GUID IID_IButtonX;
struct IButtonX { virtual ~IButtonX() = default; };
template <class Ctl> struct TZubControlImpl {
  Ctl* m_ZubCtl = nullptr;
  HRESULT FireOnRequestEdit(DISPID);
  void FireOnChanged(DISPID);
  void Fire_OnClick();
  void Fire_OnKeyDown(short* Key, long Shift);
};
#define ZUBCONTROL_IMPL(impl, co, ctl, intf, events) public TZubControlImpl<ctl>, public intf
#define BEGIN_COM_MAP(c)
#define ZUB_CONTROL_COM_INTERFACE_ENTRIES(i)
#define END_COM_MAP()
#define BEGIN_PROPERTY_MAP(c)
#define END_PROPERTY_MAP()
#define DECLARE_ZUB_CONTROL_PERSISTENCE(c, z)
#define DECLARE_ACTIVEXCONTROL_REGISTRY(p, b)
#define Exception ComException
struct ComException { struct { const char* c_str() const { return ""; } } Message; };
HRESULT Error(const char*, const GUID&);
struct WideString { WideString(const String&); BSTR Copy() const; };
struct AnsiString { AnsiString(BSTR); operator String() const; };
void ShowButtonXAbout();
)";

// The members the edit adds, each as generated at the end of the source.
String Member(const String& header, const String& tryLines)
{
    return header + "\r\n{\r\n  try\r\n  {\r\n" + tryLines + "  }\r\n  catch(Exception &e)\r\n  {\r\n" +
           "    return Error(e.Message.c_str(), IID_IButtonX);\r\n  }\r\n  return S_OK;\r\n};\r\n\r\n\r\n";
}
String Setter(const String& header, int dispid, const String& assignment)
{
    return Member(header,
                  "    const DISPID dispid = " + IntToStr(dispid) +
                      ";\r\n    if (FireOnRequestEdit(dispid) == S_FALSE)\r\n      return S_FALSE;\r\n    " +
                      assignment + "\r\n    FireOnChanged(dispid);\r\n");
}

void AddProperty(TTypeObject* intf, const String& name, const String& type)
{
    const int id = intf->NewMemberId();
    TTypeLibMember* get = intf->AddMethod(name, id, {"propget"});
    get->Params.push_back({"Value", type + "*", pfOut | pfRetval});
    intf->AddMethod(name, id, {"propput"})->Params.push_back({"Value", type, pfIn});
}

class kvtcompro_ActiveXExperts : public UpdaterHost {
protected:
    kvtcompro_ActiveXExperts() : UpdaterHost("kvtcompro_axe_") {}
    void TearDown() override
    {
        AppIniFile().EraseSection("Type Library");
        UpdaterHost::TearDown();
    }
    // An ActiveX library with the control ButtonX wrapping TButton, its unit written.
    TTypeLibrary* MakeButtonX()
    {
        EXPECT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "ActiveX Library"));
        TTypeLibrary* lib = GetTypeLibrary(ActiveProject().get());
        lib->AddCoClass("ButtonX", "IButtonX", "", true, true);
        TIntfPtr<IQModuleCreator> c(
            new TCppActiveControlCreator("TButton", dir + "ButtonImpl1.cpp", "ButtonX", 7, false, ""));
        AtomicWriteFileNoSync(dir + "ButtonImpl1.h", c->GetInterfaceSource()->Source());
        AtomicWriteFileNoSync(dir + "ButtonImpl1.cpp", c->GetSource()->Source());
        EXPECT_TRUE(ForceDirectories(dir + "atl"));
        AtomicWriteFileNoSync(dir + "atl/atlzub.h", kControlStub);
        AtomicWriteFileNoSync(dir + "Project1_TLB.h", "#pragma once\n");
        return lib;
    }
    bool Update()
    {
        TIntfPtr<IQCoClassUpdater> u(
            new TCppCoClassUpdater(std::make_unique<TCppClassManager>(dir + "ButtonImpl1.cpp"), nullptr));
        u->Update(ActiveProject().get());
        return u->Modified();
    }
    String Header() { return ReadFileBytes(dir + "ButtonImpl1.h"); }
    String Source() { return ReadFileBytes(dir + "ButtonImpl1.cpp"); }
    // Whether the compiler reads the unit without an error.
    bool UnitCompiles()
    {
        TEditBuffer buffer(dir + "Check.cpp");
        buffer.Write(Source());
        return DefaultCompileAndBrowse(buffer);
    }
};

TEST_F(kvtcompro_ActiveXExperts, ControlMembersAreWrittenAgainstTheWrappedButton)
{
    TTypeLibrary* lib = MakeButtonX();
    ASSERT_TRUE(UnitCompiles());
    const String header0 = Header(), source0 = Source();
    TTypeObject* intf = lib->FindType("IButtonX");
    AddProperty(intf, "Caption", "BSTR");
    AddProperty(intf, "Enabled", "VARIANT_BOOL");
    AddProperty(intf, "Width", "long");
    AddProperty(intf, "Left", "DECIMAL");
    AddProperty(intf, "Font", "IFontDisp*");
    intf->AddMethod("Click", intf->NewMemberId());
    TTypeLibMember* bounds = intf->AddMethod("SetBounds", intf->NewMemberId());
    for (const char* p : {"Left", "Top", "Width", "Height"})
        bounds->Params.push_back({p, String(p) == "Width" ? "BSTR" : "long", pfIn});
    intf->AddMethod("AboutBox", -552);
    // the button's function answers through the retval parameter; its procedure does not
    intf->AddMethod("Focused", intf->NewMemberId())
        ->Params.push_back({"Value", "VARIANT_BOOL*", pfOut | pfRetval});
    intf->AddMethod("Invalidate", intf->NewMemberId())
        ->Params.push_back({"Value", "long*", pfOut | pfRetval});
    TTypeObject* events = lib->FindType("IButtonXEvents");
    events->AddMethod("OnClick", 1)->ResultType = "void";
    TTypeLibMember* key = events->AddMethod("OnKeyDown", 2);
    key->ResultType = "void";
    key->Params = {{"Key", "short*", pfIn | pfOut}, {"Shift", "long", pfIn}};
    // an event the button does not have gets no handler
    events->AddMethod("OnSparkle", 3)->ResultType = "void";

    EXPECT_TRUE(Update());
    String header = header0;
    header.replace(header.find("DECLARE_ACTIVEXCONTROL_REGISTRY(\"\""), 34,
                   "DECLARE_ACTIVEXCONTROL_REGISTRY(\"Project1.ButtonX\"");
    const String init = "  void InitializeControl()\r\n  {\r\n  }";
    header.replace(header.find(init), init.size(),
                   "  void InitializeControl()\r\n  {\r\n"
                   "    m_ZubCtl->OnClick = std::bind_front(&TButtonXImpl::ClickEvent, this);\r\n"
                   "    m_ZubCtl->OnKeyDown = std::bind_front(&TButtonXImpl::KeyDownEvent, this);\r\n  }");
    const String registry = "\"Project1.ButtonX\", 7);\r\n";
    header.replace(header.find(registry) + registry.size(), 0,
                   "  STDMETHOD(get_Caption)(BSTR* Value);\r\n"
                   "  STDMETHOD(set_Caption)(BSTR Value);\r\n"
                   "  STDMETHOD(get_Enabled)(VARIANT_BOOL* Value);\r\n"
                   "  STDMETHOD(set_Enabled)(VARIANT_BOOL Value);\r\n"
                   "  STDMETHOD(get_Width)(long* Value);\r\n"
                   "  STDMETHOD(set_Width)(long Value);\r\n"
                   "  STDMETHOD(get_Left)(DECIMAL* Value);\r\n"
                   "  STDMETHOD(set_Left)(DECIMAL Value);\r\n"
                   "  STDMETHOD(get_Font)(IFontDisp** Value);\r\n"
                   "  STDMETHOD(set_Font)(IFontDisp* Value);\r\n"
                   "  STDMETHOD(Click)();\r\n"
                   "  STDMETHOD(SetBounds)(long Left, long Top, BSTR Width, long Height);\r\n"
                   "  STDMETHOD(AboutBox)();\r\n"
                   "  STDMETHOD(Focused)(VARIANT_BOOL* Value);\r\n"
                   "  STDMETHOD(Invalidate)(long* Value);\r\n");
    // the handlers in the class's own section, before its first access label
    const String open = "{\r\npublic:\r\n";
    header.replace(header.find(open) + 3, 0,
                   "  void ClickEvent(TObject *Sender);\r\n"
                   "  void KeyDownEvent(TObject *Sender, unsigned short &Key, TShiftState Shift);\r\n");
    EXPECT_EQ(Header(), header);
    const String source =
        source0 +
        Member("STDMETHODIMP TButtonXImpl::get_Caption(BSTR* Value)",
               "    *Value = WideString(m_ZubCtl->Caption()).Copy();\r\n") +
        Setter("STDMETHODIMP TButtonXImpl::set_Caption(BSTR Value)", 1,
               "m_ZubCtl->SetCaption(AnsiString(Value));") +
        Member("STDMETHODIMP TButtonXImpl::get_Enabled(VARIANT_BOOL* Value)",
               "    *Value = m_ZubCtl->Enabled();\r\n") +
        Setter("STDMETHODIMP TButtonXImpl::set_Enabled(VARIANT_BOOL Value)", 2,
               "m_ZubCtl->SetEnabled(Value);") +
        Member("STDMETHODIMP TButtonXImpl::get_Width(long* Value)",
               "    *Value = (long)(m_ZubCtl->Width());\r\n") +
        Setter("STDMETHODIMP TButtonXImpl::set_Width(long Value)", 3, "m_ZubCtl->SetWidth((int)(Value));") +
        // variant type 14: the standard bodies stay
        Member("STDMETHODIMP TButtonXImpl::get_Left(DECIMAL* Value)", "\r\n") +
        Member("STDMETHODIMP TButtonXImpl::set_Left(DECIMAL Value)", "\r\n") +
        // an object property: the font is changed in place
        Member("STDMETHODIMP TButtonXImpl::get_Font(IFontDisp** Value)",
               "    GetZubCtlProp(m_ZubCtl->Font(), Value);\r\n") +
        Setter("STDMETHODIMP TButtonXImpl::set_Font(IFontDisp* Value)", 5,
               "SetZubCtlProp(m_ZubCtl->Font(), Value);") +
        Member("STDMETHODIMP TButtonXImpl::Click()", "    m_ZubCtl->Click();\r\n") +
        Member(
            "STDMETHODIMP TButtonXImpl::SetBounds(long Left, long Top, BSTR Width, long Height)",
            "    // m_ZubCtl->SetBounds(Left, Top, [INCOMPAT_TYPE(COMP(3), TLB(8), Width )], Height);\r\n") +
        Member("STDMETHODIMP TButtonXImpl::AboutBox()", "    ShowButtonXAbout();\r\n") +
        Member("STDMETHODIMP TButtonXImpl::Focused(VARIANT_BOOL* Value)",
               "    *Value = m_ZubCtl->Focused();\r\n") +
        Member("STDMETHODIMP TButtonXImpl::Invalidate(long* Value)", "    m_ZubCtl->Invalidate();\r\n") +
        "void TButtonXImpl::ClickEvent(TObject *Sender)\r\n{\r\n  Fire_OnClick();\r\n}\r\n\r\n" +
        "void TButtonXImpl::KeyDownEvent(TObject *Sender, unsigned short &Key, TShiftState Shift)\r\n{\r\n"
        "  short TempKey;\r\n"
        "  TempKey = (short)Key;\r\n"
        "  Fire_OnKeyDown(&TempKey, (long)Shift);\r\n"
        "  Key = (unsigned short)TempKey;\r\n"
        "}\r\n\r\n";
    EXPECT_EQ(Source(), source);
    EXPECT_TRUE(UnitCompiles());

    // a second identical update changes nothing
    EXPECT_FALSE(Update());
    EXPECT_EQ(Header(), header);
    EXPECT_EQ(Source(), source);

    // a property's dispatch id follows the library
    lib->AcceptEdit();
    for (auto& m : intf->Members)
        if (m->Name == "Width") m->MemberId = 30;
    EXPECT_TRUE(Update());
    String moved = source;
    moved.replace(moved.find("const DISPID dispid = 3;"), 24, "const DISPID dispid = 30;");
    EXPECT_EQ(Source(), moved);
    EXPECT_EQ(Header(), header);
}

TEST(kvtcompro_ActiveXEvents, HandlersFireTheLibrarysEventWithItsTypes)
{
    struct TCase {
        TTypeLibParam library;
        TMethodTypeParam handler;
        const char* body;
    };
    const TCase cases[] = {
        {{"Count", "long", pfIn}, {0, "Count", "long"}, "{\r\n  Fire_OnIt(Count);\r\n}\r\n"},
        {{"Count", "long", pfIn}, {2, "Count", "const int &"}, "{\r\n  Fire_OnIt((long)Count);\r\n}\r\n"},
        {{"Text", "BSTR", pfIn},
         {2, "Text", "const String &"},
         "{\r\n  BSTR TempText = WideString(Text).Copy();\r\n  Fire_OnIt(TempText);\r\n"
         "  SysFreeString(TempText);\r\n}\r\n"},
        {{"Text", "BSTR*", pfIn | pfOut},
         {1, "Text", "String &"},
         "{\r\n  BSTR TempText;\r\n  TempText = WideString(Text).Copy();\r\n  Fire_OnIt(&TempText);\r\n"
         "  Text = (String)TempText;\r\n}\r\n"},
        // a parameter the handler lacks is passed by its library name
        {{"Extra", "long", pfIn}, {0, "Count", "int"}, "{\r\n  Fire_OnIt(Extra);\r\n}\r\n"},
    };
    TActiveXControlCoClassExpert expert(nullptr);
    for (const TCase& k : cases) {
        TTypeLibMember member;
        member.Name = "OnIt";
        member.ResultType = "void";
        member.Params = {k.library};
        TMethodTypeInfo record;
        record.Name = "ItEvent";
        record.Params = {{8, "Sender", "TObject *"}, k.handler};
        TInterfaceMethod m(imEvent, "", true, &member, record);
        EXPECT_EQ(m.HeaderType(), 0);
        String body = StandardMethodBody;
        expert.GenEvent(m, body);
        EXPECT_EQ(body, k.body) << k.library.Type << " " << k.handler.Type;
    }
    EXPECT_EQ(EventMethodName("OnClick"), "ClickEvent");
    EXPECT_EQ(EventMethodName("onKeyDown"), "KeyDownEvent");
    EXPECT_EQ(EventMethodName("Changed"), "ChangedEvent");
    EXPECT_EQ(EventMethodName("On"), "OnEvent");
}

TEST_F(kvtcompro_ActiveXExperts, AnActiveFormsEventsAreThoseOfItsForm)
{
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "ActiveX Library"));
    GetTypeLibrary(ActiveProject().get())->AddCoClass("FormX", "IFormX", "", true, true);
    TIntfPtr<IQModuleCreator> f(new TCppActiveFormCreator(dir + "FormImpl1.cpp", "FormX", 1, false));
    AtomicWriteFileNoSync(dir + "FormImpl1.h", f->GetInterfaceSource()->Source());
    AtomicWriteFileNoSync(dir + "FormImpl1.cpp", f->GetSource()->Source());
    TTypeObject* events = GetTypeLibrary(ActiveProject().get())->FindType("IFormXEvents");
    events->AddMethod("OnClick", 1)->ResultType = "void";
    TIntfPtr<IQCoClassUpdater> u(
        new TCppCoClassUpdater(std::make_unique<TCppClassManager>(dir + "FormImpl1.cpp"), nullptr));
    u->Update(ActiveProject().get());
    const String h = ReadFileBytes(dir + "FormImpl1.h");
    EXPECT_NE(h.find("  void InitializeControl()\r\n  {\r\n"
                     "    m_ZubCtl->OnClick = std::bind_front(&TFormXImpl::ClickEvent, this);\r\n  }"),
              String::npos)
        << h;
    EXPECT_NE(h.find("  void ClickEvent(TObject *Sender);\r\n"), String::npos) << h;
    EXPECT_NE(
        ReadFileBytes(dir + "FormImpl1.cpp")
            .find("\r\nvoid TFormXImpl::ClickEvent(TObject *Sender)\r\n{\r\n  Fire_OnClick();\r\n}\r\n"),
        String::npos);
}

TEST_F(kvtcompro_ActiveXExperts, AControlWhoseClassCannotBeBrowsedIsLeftAsItWas)
{
    TTypeLibrary* lib = MakeButtonX();
    lib->FindType("IButtonX")->AddMethod("Click", 1);
    const String header = Header(), source = Source();
    // without the compiler the members cannot be written against the button: nothing lands,
    // not even the ProgID
    Ccombrow::Finalization();
    try {
        Update();
        ADD_FAILURE() << "no error";
    } catch (const EHostError& e) {
        EXPECT_EQ(e.Message(), "No C++ browser compiler is registered");
    }
    EXPECT_EQ(Header(), header);
    EXPECT_EQ(Source(), source);
}

TEST_F(kvtcompro_ActiveXExperts, ExpertsAreChosenByTheKindOfObject)
{
    MakeButtonX();
    TCppClassManager control(dir + "ButtonImpl1.cpp");
    control.Parse();
    auto e = ChooseCoClassExpert(&control, *control.FindClass("TButtonXImpl"));
    ASSERT_NE(dynamic_cast<TActiveXControlCoClassExpert*>(e.get()), nullptr);
    std::vector<String> units;
    e->GetUnits(units);
    EXPECT_EQ(units, std::vector<String>{"StdCtrls"});

    // a control wrapping a class the host does not know, or one that owns no window, is plain
    const String original = Header();
    for (const char* wrapped : {"TGadget", "TControl"}) {
        String h = original;
        h.replace(h.find(", TButton, IButtonX"), 9, String(", ") + wrapped);
        AtomicWriteFileNoSync(dir + "ButtonImpl1.h", h);
        control.Parse();
        auto plain = ChooseCoClassExpert(&control, *control.FindClass("TButtonXImpl"));
        EXPECT_EQ(dynamic_cast<TActiveXCoClassExpert*>(plain.get()), nullptr) << wrapped;
    }

    // an Active Form
    TIntfPtr<IQModuleCreator> f(new TCppActiveFormCreator(dir + "FormImpl1.cpp", "FormX", 1, false));
    AtomicWriteFileNoSync(dir + "FormImpl1.h", f->GetInterfaceSource()->Source());
    AtomicWriteFileNoSync(dir + "FormImpl1.cpp", f->GetSource()->Source());
    TCppClassManager form(dir + "FormImpl1.cpp");
    form.Parse();
    ASSERT_NE(form.FindClass("TFormXImpl"), nullptr);
    auto fe = ChooseCoClassExpert(&form, *form.FindClass("TFormXImpl"));
    EXPECT_NE(dynamic_cast<TActiveFormCoClassExpert*>(fe.get()), nullptr);
    units.clear();
    fe->GetUnits(units);
    EXPECT_EQ(units, std::vector<String>{"AxCtrls"});
}

TEST_F(kvtcompro_ActiveXExperts, TheWrappedControlsAndTheActiveFormAreBrowsable)
{
    OpenProject("App.mak");
    // the library's units need no include path
    EXPECT_EQ(FindHeaderFileSpec("StdCtrls"), "<zub/StdCtrls.h>");
    EXPECT_EQ(FindHeaderFileSpec("stdctrls"), "<zub/StdCtrls.h>");
    EXPECT_EQ(FindHeaderFileSpec("AxCtrls"), "<atl/axform.h>");
    EXPECT_EQ(FindHeaderFileSpec("Nowhere"), "");
    for (TComponentClass c : LibraryControlClasses()) {
        EXPECT_TRUE(c->InheritsFrom(&ClassTWinControl)) << c->ClassName;
        ASSERT_NE(c->UnitName, nullptr) << c->ClassName;
        EXPECT_NE(FindHeaderFileSpec(c->UnitName), "") << c->ClassName;
    }
    EXPECT_EQ(FindComponentClass("tbutton"), FindComponentClass("TButton"));
    // the Active Form's class is a ZUB form with the control's events
    TIntfPtr<TCppBrowserCompiler> c(new TCppBrowserCompiler);
    bool click = false;
    EXPECT_TRUE(c->Compile(
        "TActiveForm", "AxCtrls",
        [&](void*, TSymbol cls) -> int {
            std::vector<TSymbol> data(BrowserMemberCapacity);
            const int n = c->GetMembers(cls, CppMembers::DataMembers | CppMembers::Inherited, data.data());
            for (int i = 0; i < n; ++i) {
                String name;
                c->GetText(data[static_cast<std::size_t>(i)], name, 0);
                if (name == "OnClick")
                    click = (c->GetFlags(data[static_cast<std::size_t>(i)]) & CppSymbolFlags::Event) != 0;
            }
            return 1;
        },
        nullptr));
    EXPECT_TRUE(click);
}

TEST_F(kvtcompro_ActiveXExperts, EventParametersAsTheBrowseReportsThem)
{
    OpenProject("App.mak");
    TIntfPtr<TCppBrowserCompiler> c(new TCppBrowserCompiler);
    struct TCase {
        const char* member;
        bool event;
        std::vector<std::pair<String, int>> params;  // name, var/const flags
    };
    const TCase cases[] = {
        {"OnClick", true, {{"Sender", 0}}},
        {"OnKeyDown", true, {{"Sender", 0}, {"Key", CppSymbolFlags::VarParam}, {"Shift", 0}}},
        {"OnMouseDown", true, {{"Sender", 0}, {"Button", 0}, {"Shift", 0}, {"X", 0}, {"Y", 0}}},
    };
    EXPECT_TRUE(c->Compile(
        "TButton", "StdCtrls",
        [&](void*, TSymbol cls) -> int {
            std::vector<TSymbol> data(BrowserMemberCapacity);
            const int n = c->GetMembers(cls, CppMembers::DataMembers | CppMembers::Inherited, data.data());
            for (const TCase& k : cases) {
                TSymbol s = nullptr;
                for (int i = 0; i < n; ++i) {
                    String name;
                    c->GetText(data[static_cast<std::size_t>(i)], name, 0);
                    if (name == k.member) s = data[static_cast<std::size_t>(i)];
                }
                if (!s) {
                    ADD_FAILURE() << "no member " << k.member;
                    continue;
                }
                EXPECT_EQ((c->GetFlags(s) & CppSymbolFlags::Event) != 0, k.event) << k.member;
                EXPECT_EQ(c->GetResultType(s), nullptr) << k.member;  // a procedure
                std::vector<TSymbol> p(BrowserMemberCapacity);
                const int np = c->GetMembers(s, CppMembers::Parameters, p.data());
                EXPECT_EQ(np, static_cast<int>(k.params.size())) << k.member;
                if (np != static_cast<int>(k.params.size())) continue;
                for (int i = 0; i < np; ++i) {
                    String name;
                    c->GetText(p[static_cast<std::size_t>(i)], name, 0);
                    EXPECT_EQ(name, k.params[static_cast<std::size_t>(i)].first) << k.member;
                    EXPECT_EQ(c->GetFlags(p[static_cast<std::size_t>(i)]) &
                                  (CppSymbolFlags::VarParam | CppSymbolFlags::ConstParam),
                              k.params[static_cast<std::size_t>(i)].second)
                        << k.member << " " << name;
                }
            }
            return 1;
        },
        nullptr));
}

}  // namespace

namespace {

TEST_F(kvtcompro_ActiveXExperts, IdehostEventThenApplyOnAnActiveXControlProject)
{
    AppIniFile().WriteString("Type Library", "ActiveXWizard", "True");
    Cppproreg::Finalization();
    Cppproreg_IDERegister();
    MainFormCreated().FirePending(IDEApplication());
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "ActiveX Library"));
    SetDialogAnswer("com.coclass", "ButtonX");
    SetDialogAnswer("com.control", "TButton");
    SetDialogAnswer("com.events", "true");
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "ActiveX Control"));
    for (const auto& f : ReceivedFiles()) AtomicWriteFileNoSync(f.FileName, f.Text);
    const auto typelib = [](std::vector<String> args) {
        std::ostringstream out;
        RunTypeLibCommand(std::move(args), out);
        return String(out.str());
    };
    typelib({"edit"});
    typelib({"event", "IButtonXEvents", "OnClick"});
    typelib({"prop", "IButtonX", "Caption", "BSTR"});
    const String unit = dir + "ButtonXImpl1.cpp";
    EXPECT_EQ(typelib({"apply"}), "updated " + unit + "\n");
    const String h = ReadFileBytes(dir + "ButtonXImpl1.h"), s = ReadFileBytes(unit);
    EXPECT_NE(
        h.find("  {\r\n    m_ZubCtl->OnClick = std::bind_front(&TButtonXImpl::ClickEvent, this);\r\n  }"),
        String::npos)
        << h;
    // the handler goes to the class's own section, the interface's methods to its public one
    EXPECT_NE(h.find("\r\n{\r\n  void ClickEvent(TObject *Sender);\r\npublic:\r\n"), String::npos) << h;
    EXPECT_NE(h.find("  STDMETHOD(set_Caption)(BSTR Value);\r\n"), String::npos) << h;
    EXPECT_LT(h.find("STDMETHOD(get_Caption)"), h.find("STDMETHOD(set_Caption)")) << h;
    EXPECT_NE(s.find("\r\nvoid TButtonXImpl::ClickEvent(TObject *Sender)\r\n{\r\n  Fire_OnClick();\r\n}\r\n"),
              String::npos)
        << s;
    EXPECT_NE(s.find("    m_ZubCtl->SetCaption(AnsiString(Value));\r\n"), String::npos) << s;
    // applied again: nothing to do
    EXPECT_EQ(typelib({"apply"}), "unchanged " + unit + "\n");
    EXPECT_EQ(ReadFileBytes(dir + "ButtonXImpl1.h"), h);
    EXPECT_EQ(ReadFileBytes(unit), s);
}

TEST_F(kvtcompro_ActiveXExperts, AnActiveFormOfTheProjectIsKnownByItsDesignerRoot)
{
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "ActiveX Library"));
    SetDialogAnswer("com.coclass", "Panel");
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "Active Form"));
    for (const auto& f : ReceivedFiles()) AtomicWriteFileNoSync(f.FileName, f.Text);
    const String unit = dir + "PanelImpl1.cpp";
    auto p = ActiveProject();
    TCppClassManager m(unit);
    m.Parse();
    ASSERT_NE(m.FindClass("TPanelImpl"), nullptr);
    EXPECT_NE(
        dynamic_cast<TActiveFormCoClassExpert*>(ChooseCoClassExpert(&m, *m.FindClass("TPanelImpl")).get()),
        nullptr);
    // the updater knows the project whose library the unit implements; a unit of no project has none
    TCppCoClassUpdater u(std::make_unique<TCppClassManager>(unit), nullptr);
    EXPECT_EQ(u.GetTypeLibraryProject().get(), p.get());
    EXPECT_FALSE(u.CanAddCorbaFactory());
    AtomicWriteFileNoSync(dir + "Loose.cpp", "");
    TCppCoClassUpdater loose(std::make_unique<TCppClassManager>(dir + "Loose.cpp"), nullptr);
    EXPECT_EQ(loose.GetTypeLibraryProject(), nullptr);
}

}  // namespace

#include <gtest/gtest.h>

#include <filesystem>
#include <future>

#include "CppClassExplorer.h"
#include "testsupport/TestDir.h"
#include "host/Creators.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/TraitObjects.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

// A file open in an editor buffer.
class TFakeBuffer : public TInterfacedObject, public IQSourceFile, public IQEditBuffer {
public:
    TFakeBuffer(String name, TDateTime age) : FName(std::move(name)), FAge(age) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IQSourceFile>(this, iid, obj) || QueryAs<IQEditBuffer>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    String FileName() override { return FName; }
    String Source() override { return String(); }
    TDateTime Age() override { return FAge; }

private:
    String FName;
    TDateTime FAge;
};

// A project (and its modules): a module is a project without modules.
class TFakeProject : public TInterfacedObject, public IQProject {
public:
    explicit TFakeProject(String fileName) : FFileName(std::move(fileName)) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IQProject>(this, iid, obj) || QueryAs<IQDocumentModule>(this, iid, obj) ||
            QueryAs<IQModule>(this, iid, obj))
            return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    String FileName() override { return FFileName; }
    String UnitName() override { return String(); }
    String FormName() override { return String(); }
    String AncestorName() override { return String(); }
    int FileCount() override { return static_cast<int>(Files.size()); }
    TIntfPtr<IQSourceFile> File(int index) override { return Files.at(static_cast<std::size_t>(index)); }
    void Show(int) override {}
    void MarkModified() override {}
    int ShowCount() override { return 0; }
    bool Modified() override { return false; }
    String Personality() override { return sCppPersonality; }
    int ModuleCount() override { return static_cast<int>(Modules.size()); }
    TIntfPtr<IQModule> Module(int index) override { return Modules.at(static_cast<std::size_t>(index)); }
    String TargetOptions() override { return String(); }

    std::vector<TIntfPtr<IQModule>> Modules;
    std::vector<TIntfPtr<IQSourceFile>> Files;

private:
    String FFileName;
};

// The C++ personality's parser: records what it is asked to parse.
class TFakeParser : public TInterfacedObject, public IQCppParserTrait, public IQClassBrowserParser {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IQCppParserTrait>(this, iid, obj) || QueryAs<IQClassBrowserParser>(this, iid, obj))
            return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    TIntfPtr<IInterface> GetParser() override
    {
        return TIntfPtr<IInterface>(static_cast<IQClassBrowserParser*>(this));
    }
    void ParseFile(const String& fileName, IQProject* project, TSymbolTableNotifications* sink) override
    {
        Parsed.push_back(ExtractFileName(fileName));
        EXPECT_NE(project, nullptr);
        if (OnParse) OnParse(fileName, sink);
    }
    std::vector<String> Parsed;
    std::function<void(const String&, TSymbolTableNotifications*)> OnParse;
};

// "caption(child,child(...))" of a tree below its root.
String Shape(const TInfoNode& n)
{
    String s;
    for (std::size_t i = 0; i < n.Children.size(); ++i) {
        if (i) s += ",";
        s += n.Children[i]->Caption;
        if (!n.Children[i]->Children.empty()) s += "(" + Shape(*n.Children[i]) + ")";
    }
    return s;
}

class kvtpro_Model : public ::testing::Test {
protected:
    String dir = IncludeTrailingPathDelimiter(ScratchDir() + "model_" +
                                              testing::UnitTest::GetInstance()->current_test_info()->name());
    TIntfPtr<TFakeProject> project;
    TIntfPtr<TCppProjectClassModelManager> m;

    void SetUp() override
    {
        FreshDir(dir);
        project = TIntfPtr<TFakeProject>(new TFakeProject(dir + "P.zproj"));
        m = TIntfPtr<TCppProjectClassModelManager>(
            new TCppProjectClassModelManager(project, dir + "pch.xml"));
    }
    // ns N { class A; class B : A { class Inner; }; }  ns _sys { class _X; }  class G : A;
    void Fill()
    {
        m->CreateNamespace("N", 0, 1);
        m->CreateNamespace("_sys", 0, 2);
        m->CreateNamespace("Sub", 1, 3);
        m->AddType(1, "A", 1, 0, 10, 100, 0, 0);
        m->AddType(1, "B", 1, 0, 11, 100, 0, 0);
        m->AddType(1, "Inner", 1, 11, 12, 100, 0, 0);
        m->AddType(1, "_X", 2, 0, 13, 101, 0, 0);
        m->AddType(1, "G", 0, 0, 14, 100, 0, 0);
        m->AddType(1, "S", 3, 0, 15, 100, 0, 0);
        m->AddParent(11, 10);
        m->AddParent(14, 10);
    }
    void Pch(const String& xml) { AtomicWriteFile(dir + "pch.xml", xml); }
};

const char* const kPch =
    "<?xml version=\"1.0\"?>\n<!-- dependencies -->\n<pchdb>\n"
    "  <file id=\"1\" name=\"main.cpp\"/><file id=\"2\" name=\"a.h\"/><file id=\"3\" name=\"deep.h\"/>\n"
    "  <file id=\"4\" name=\"other.cpp\"/><file id=\"5\" name=\"b&amp;c.h\"/>\n"
    "  <cu file=\"1\"><inc file=\"2\"><inc file=\"3\"/></inc></cu>\n"
    "  <cu file=\"4\"><inc file=\"5\"/><inc file=\"3\"/></cu>\n"
    "</pchdb>\n";

TEST_F(kvtpro_Model, NotificationsBuildTheModel)
{
    EXPECT_EQ(m->GetClassCount(), 0);
    EXPECT_FALSE(m->Modified());
    Fill();
    EXPECT_TRUE(m->Modified());
    EXPECT_EQ(m->GetClassCount(), 6);
    EXPECT_EQ(m->GetScopeDelimiter(), "::");
    EXPECT_EQ(m->GetProject(), TIntfPtr<IQProject>(project.get()));
    TClassModelNode* b = m->FindType(11);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Namespace(), m->FindNamespace(1));
    EXPECT_EQ(m->FindType(12)->Parent(), b);
    EXPECT_EQ(m->FindType(12)->Namespace(), nullptr);  // a nested type has its container only
    EXPECT_EQ(m->FindNamespace(3)->Parent(), m->FindNamespace(1));
    ASSERT_EQ(b->BaseTypes().size(), 1u);
    EXPECT_EQ(b->BaseTypes()[0]->Name(), "A");
    EXPECT_EQ(m->FindType(10)->DerivedTypes().size(), 2u);
    EXPECT_EQ(b->SourceFileId(), 100);
    EXPECT_EQ(b->Manager(), static_cast<IProjectClassModelManager*>(m.get()));
}

TEST_F(kvtpro_Model, FailedLookupsLeaveTheModelAlone)
{
    Fill();
    const String base = Shape(*m->GetBaseHierarchy());
    const String container = Shape(*m->GetContainerHierarchy());
    m->RemoveType(99);
    m->AddParent(11, 99);
    m->AddParent(99, 10);
    m->RemoveParent(99, 10);
    m->AddType(1, "Orphan", 77, 0, 20, 100, 0, 0);  // namespace unknown
    m->AddType(1, "Lost", 0, 88, 21, 100, 0, 0);  // container unknown
    m->CreateNamespace("Free", 66, 4);  // parent unknown
    EXPECT_EQ(m->FindType(20)->Namespace(), nullptr);
    EXPECT_EQ(m->FindType(21)->Parent(), nullptr);
    EXPECT_EQ(m->FindNamespace(4)->Parent(), nullptr);
    m->RemoveType(20);
    m->RemoveType(21);
    EXPECT_EQ(m->GetClassCount(), 6);
    EXPECT_EQ(Shape(*m->GetBaseHierarchy()), base);
    EXPECT_EQ(Shape(*m->GetContainerHierarchy()), container);
}

TEST_F(kvtpro_Model, RemovedTypesLeaveNoLinks)
{
    Fill();
    m->RemoveType(10);  // A: base of B and G
    EXPECT_EQ(m->FindType(10), nullptr);
    EXPECT_TRUE(m->FindType(11)->BaseTypes().empty());
    EXPECT_TRUE(m->FindType(14)->BaseTypes().empty());
    m->RemoveType(11);  // B: container of Inner, child of N
    EXPECT_EQ(m->FindType(12)->Parent(), nullptr);
    for (TClassModelNode* c : m->FindNamespace(1)->Children()) EXPECT_NE(c->Name(), "B");
    m->RemoveParent(14, 10);  // the parent is gone: nothing to do
    // a type given again replaces the old one without leaving it linked
    m->AddType(1, "G2", 0, 0, 14, 100, 0, 0);
    m->AddParent(12, 14);
    m->AddType(1, "G3", 0, 0, 14, 100, 0, 0);
    EXPECT_TRUE(m->FindType(12)->BaseTypes().empty());
    EXPECT_EQ(m->GetClassCount(), 4);
}

TEST_F(kvtpro_Model, Trees)
{
    Fill();
    // system namespaces and symbols stay out; namespaces show their children, types their bases;
    // a nested type has no namespace of its own and stands at the top
    EXPECT_EQ(Shape(*m->GetBaseHierarchy()), "N(Sub(S),A,B(A)),Inner,G(A)");
    EXPECT_EQ(Shape(*m->GetDerivedHierarchy()), "N(Sub(S),A(B,G),B),Inner,G");
    EXPECT_EQ(Shape(*m->GetContainerHierarchy()), "N(Sub(S),A,B(Inner)),G");
    std::vector<String> flat;
    for (auto& n : m->GetFlatClasses()) flat.push_back(n->Caption);
    EXPECT_EQ(flat, (std::vector<String>{"N::A", "N::B", "N::B::Inner", "_sys::_X", "G", "N::Sub::S"}));
    m->RemoveParent(11, 10);
    EXPECT_EQ(Shape(*m->GetBaseHierarchy()), "N(Sub(S),A,B),Inner,G(A)");
    m->Reset();
    EXPECT_EQ(m->GetClassCount(), 0);
    EXPECT_TRUE(m->GetBaseHierarchy()->Children.empty());
}

TEST_F(kvtpro_Model, CyclesInBrokenCodeEndEveryWalk)
{
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> parents;  // (class, base)
        String base, derived;
    };
    // A 10, B 11, C 12, all at the top
    const Case cases[] = {
        {"two classes each the other's base", {{10, 11}, {11, 10}}, "A(B),B(A),C", "A(B),B(A),C"},
        {"three in a ring",
         {{10, 11}, {11, 12}, {12, 10}},
         "A(B(C)),B(C(A)),C(A(B))",
         "A(C(B)),B(A(C)),C(B(A))"},
        {"a ring beside a shared base",
         {{10, 12}, {11, 12}, {12, 11}},
         "A(C(B)),B(C),C(B)",
         "A,B(C(A)),C(A,B)"},
    };
    for (const auto& c : cases) {
        m->Reset();
        m->AddType(1, "A", 0, 0, 10, 100, 0, 0);
        m->AddType(1, "B", 0, 0, 11, 100, 0, 0);
        m->AddType(1, "C", 0, 0, 12, 100, 0, 0);
        for (auto [cls, base] : c.parents) m->AddParent(cls, base);
        EXPECT_EQ(Shape(*m->GetBaseHierarchy()), c.base) << c.name;
        EXPECT_EQ(Shape(*m->GetDerivedHierarchy()), c.derived) << c.name;
        EXPECT_EQ(m->GetFlatClasses().size(), 3u) << c.name;
    }
}

TEST_F(kvtpro_Model, NamespacesCannotEncloseThemselves)
{
    m->CreateNamespace("Outer", 0, 1);
    m->CreateNamespace("Inner", 1, 2);
    m->CreateNamespace("Outer", 2, 1);  // a second file claims Outer lies in Inner
    m->CreateNamespace("Self", 3, 3);
    m->AddType(1, "T", 2, 0, 10, 100, 0, 0);
    EXPECT_EQ(m->FindNamespace(1)->Parent(), nullptr);
    EXPECT_EQ(m->FindNamespace(3)->Parent(), nullptr);
    EXPECT_EQ(Shape(*m->GetContainerHierarchy()), "Outer(Inner(T))");
    EXPECT_EQ(Shape(*m->GetBaseHierarchy()), "Outer(Inner(T))");
    ASSERT_EQ(m->GetFlatClasses().size(), 1u);
    EXPECT_EQ(m->GetFlatClasses()[0]->Caption, "Outer::Inner::T");
}

TEST_F(kvtpro_Model, NamespaceAndTypeIdsAreApart)
{
    struct Case {
        const char* name;
        std::function<void(TCppProjectClassModelManager&)> act;
        String container;
    };
    // namespace 5 N with types 10 A and 11 B, namespace 6 M in N with 12 MT; type 5 X at the top
    const Case cases[] = {
        {"nothing happens", [](auto&) {}, "N(A,B,M(MT)),X"},
        {"a second file opens N again", [](auto& m) { m.CreateNamespace("N", 0, 5); }, "N(A,B,M(MT)),X"},
        {"the same with a parent the first did not give", [](auto& m) { m.CreateNamespace("N", 6, 5); },
         "N(A,B,M(MT)),X"},
        {"type 5 goes", [](auto& m) { m.RemoveType(5); }, "N(A,B,M(MT))"},
        {"type 5 is given again", [](auto& m) { m.AddType(1, "Y", 0, 0, 5, 100, 0, 0); }, "N(A,B,M(MT)),Y"},
        {"a type with namespace 6's number goes",
         [](auto& m) {
             m.AddType(1, "Z", 0, 0, 6, 100, 0, 0);
             m.RemoveType(6);
         },
         "N(A,B,M(MT)),X"},
    };
    for (const auto& c : cases) {
        m->Reset();
        m->CreateNamespace("N", 0, 5);
        m->AddType(1, "A", 5, 0, 10, 100, 0, 0);
        m->AddType(1, "B", 5, 0, 11, 100, 0, 0);
        m->AddType(1, "X", 0, 0, 5, 100, 0, 0);
        m->CreateNamespace("M", 5, 6);
        m->AddType(1, "MT", 6, 0, 12, 100, 0, 0);
        c.act(*m);
        EXPECT_EQ(m->FindType(10)->Namespace(), m->FindNamespace(5)) << c.name;
        EXPECT_EQ(m->FindNamespace(6)->Parent(), m->FindNamespace(5)) << c.name;
        EXPECT_EQ(m->FindType(12)->Namespace(), m->FindNamespace(6)) << c.name;
        EXPECT_EQ(Shape(*m->GetContainerHierarchy()), c.container) << c.name;
    }
}

TEST_F(kvtpro_Model, DatabaseTakesCharacterReferencesCdataAndComments)
{
    Pch("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE pchdb>\n<pchdb>\n"
        "  <file id=\"1\" name=\"m&#xE4;in.cpp\"/><!-- a comment <cu file=\"9\"/> -->\n"
        "  <file id='2' name='&#228;&lt;&gt;&quot;&apos;.h'/>\n"
        "  <cu file=\"1\"><![CDATA[ <inc file=\"9\"/> ]]><inc file=\"2\"/></cu>\n"
        "</pchdb>\n");
    EXPECT_EQ(Shape(*m->GetSourceHierarchy()), "mäin.cpp(ä<>\"'.h)");
    EXPECT_EQ(m->GetSourceFile("ä<>\"'.h"), "mäin.cpp");
    EXPECT_FALSE(m->PchDb().Error());
}

TEST_F(kvtpro_Model, DependencyDatabase)
{
    Pch(kPch);
    EXPECT_EQ(m->GetSourceFile("deep.h"), "main.cpp");  // through the nested record
    EXPECT_EQ(m->GetSourceFile("DEEP.H"), "main.cpp");
    EXPECT_EQ(m->GetSourceFile("b&c.h"), "other.cpp");
    EXPECT_EQ(m->GetSourceFile("none.h"), "");
    EXPECT_EQ(Shape(*m->GetSourceHierarchy()), "main.cpp(a.h(deep.h)),other.cpp(b&c.h,deep.h)");
    EXPECT_EQ(m->GetFileIdName(3), "deep.h");
    EXPECT_EQ(m->GetFileIdName(9), "");
    EXPECT_EQ(m->PchDb().GetFileId("other.cpp"), 4);
    EXPECT_THROW(m->PchDb().GetFileId("none.h"), EConvertError);
}

TEST_F(kvtpro_Model, MissingOrBrokenDatabaseGivesNothing)
{
    const String broken[] = {
        "",
        "<pchdb><file id=\"1\" name=\"a.cpp\"/><cu file=\"2\"/></pchdb>",  // unknown id
        "<pchdb><file id=\"x\" name=\"a.cpp\"/></pchdb>",
        "<pchdb><cu file=\"1\">",
        "<other/>",
    };
    EXPECT_TRUE(m->GetSourceHierarchy()->Children.empty());  // no file
    EXPECT_EQ(m->GetSourceFile("a.h"), "");
    EXPECT_TRUE(m->PchDb().Error());
    for (const String& text : broken) {
        Pch(text);
        TPchDbManager db(dir + "pch.xml");
        EXPECT_EQ(db.GetPchDb(), nullptr) << text;
        EXPECT_TRUE(db.Error()) << text;
        EXPECT_EQ(db.GetFileIdName(1), "") << text;
    }
    // includes nested deeper than any build's are refused, not read until the stack runs out
    for (const int depth : {200, 201, 1000000}) {
        String text = "<pchdb><file id=\"1\" name=\"a.cpp\"/><file id=\"2\" name=\"a.h\"/><cu file=\"1\">";
        for (int i = 0; i < depth; ++i) text += "<inc file=\"2\">";
        for (int i = 0; i < depth; ++i) text += "</inc>";
        Pch(text + "</cu></pchdb>");
        TPchDbManager db(dir + "pch.xml");
        EXPECT_EQ(db.GetPchDb() == nullptr, depth > 200) << depth;
        EXPECT_EQ(db.Error(), depth > 200) << depth;
    }
    // the trees clear the error flag, so a database that appears later is read
    Pch(kPch);
    EXPECT_EQ(Shape(*m->GetSourceHierarchy()), "main.cpp(a.h(deep.h)),other.cpp(b&c.h,deep.h)");
}

class kvtpro_Update : public kvtpro_Model {
protected:
    std::unique_ptr<THostSession> host;
    TIntfPtr<TFakeParser> parser;
    void SetUp() override
    {
        kvtpro_Model::SetUp();
        host = std::make_unique<THostSession>(dir);
        parser = TIntfPtr<TFakeParser>(new TFakeParser);
        SetTraitSupported(sCppPersonality, IQCppParserTrait::IID, true);
        SetTraitObject(sCppPersonality, IQCppParserTrait::IID,
                       TIntfPtr<IInterface>(static_cast<IQCppParserTrait*>(parser.get())));
    }
    void TearDown() override
    {
        ClearTraitObjects();
        host.reset();
    }
    void AddModule(const String& name)
    {
        AtomicWriteFile(dir + name, "int x;\n");
        project->Modules.push_back(TIntfPtr<IQModule>(new TFakeProject(dir + name)));
    }
    void Touch(const String& name, int seconds)
    {
        namespace fs = std::filesystem;
        const fs::path p(dir + name);
        fs::last_write_time(p, fs::last_write_time(p) + std::chrono::seconds(seconds));
    }
};

TEST_F(kvtpro_Update, ChangedFilesAreParsedOnce)
{
    AddModule("one.cpp");
    AddModule("two.cpp");
    m->Update();
    EXPECT_EQ(parser->Parsed, (std::vector<String>{"one.cpp", "two.cpp"}));
    EXPECT_GT(m->RecordedAge(dir + "one.cpp"), 0);
    m->Update();
    EXPECT_EQ(parser->Parsed.size(), 2u);
    Touch("two.cpp", 10);
    m->Update(true);
    EXPECT_EQ(parser->Parsed, (std::vector<String>{"one.cpp", "two.cpp", "two.cpp"}));
    // a reparse forgets the ages and parses everything
    m->Reparse();
    EXPECT_EQ(parser->Parsed.size(), 5u);
}

TEST_F(kvtpro_Update, ParserFillsTheModelAndCancelStopsTheWalk)
{
    AddModule("one.cpp");
    AddModule("two.cpp");
    parser->OnParse = [&](const String&, TSymbolTableNotifications* sink) {
        sink->AddType(1, "T", 0, 0, 1, 1, 0, 0);
        m->CancelClassBrowser();
    };
    m->Update();
    EXPECT_EQ(parser->Parsed, std::vector<String>{"one.cpp"});
    EXPECT_TRUE(m->Cancelled());
    EXPECT_EQ(m->GetClassCount(), 1);
    parser->OnParse = nullptr;
    m->Update();  // an update clears the flag and goes on
    EXPECT_FALSE(m->Cancelled());
    EXPECT_EQ(parser->Parsed, (std::vector<String>{"one.cpp", "two.cpp"}));
}

// A unit whose source is an editor buffer, opened in the host.
class TBufferCreator : public TDefaultCreator {
public:
    TBufferCreator(String fileName, TDateTime age, bool inProject)
        : FFileName(std::move(fileName)), FAge(age), FInProject(inProject)
    {
    }
    String GetFileName() override { return FFileName; }
    bool GetIncludeInProject() override { return FInProject; }
    TIntfPtr<IQSourceFile> GetSource() override
    {
        return TIntfPtr<IQSourceFile>(static_cast<IQSourceFile*>(new TFakeBuffer(FFileName, FAge)));
    }

private:
    String FFileName;
    TDateTime FAge;
    bool FInProject;
};

TEST_F(kvtpro_Update, ChangedHeaderInAnyOpenModuleParsesItsSource)
{
    struct Case {
        const char* where;
        bool inProject;
    };
    // the host's own project holds the buffer, or no project does: every open module counts
    for (const Case c : {Case{"unit of the host's project", true}, Case{"unit of no project", false}}) {
        parser->Parsed.clear();
        ModuleServices()->MainProjectGroup()->CloseAll(0);
        m->Reset();
        Pch(kPch);
        AtomicWriteFile(dir + "main.cpp", "int x;\n");
        project->Modules.assign(1, TIntfPtr<IQModule>(new TFakeProject(dir + "main.cpp")));
        if (c.inProject)
            ModuleServices()->CreateProject(
                TIntfPtr<IQProjectCreator>(new TCppProjectCreator(dir + "H.zproj", 3)).get());
        m->Update();
        ASSERT_EQ(parser->Parsed, std::vector<String>{"main.cpp"}) << c.where;
        const TDateTime later = FileAge(dir + "main.cpp").Val + 1.0;
        ModuleServices()->CreateModule(
            TIntfPtr<IQModuleCreator>(new TBufferCreator("deep.h", later, c.inProject)).get(), nullptr);
        m->Update();
        EXPECT_EQ(parser->Parsed, (std::vector<String>{"main.cpp", "main.cpp"})) << c.where;
        // the header's own age was recorded: no parse at every update
        m->Update();
        EXPECT_EQ(parser->Parsed.size(), 2u) << c.where;
        EXPECT_GT(m->RecordedAge("deep.h"), 0) << c.where;
        // the other includes of the source keep the ages they had (none)
        EXPECT_EQ(m->RecordedAge("a.h"), 0) << c.where;
    }
}

TEST_F(kvtpro_Update, WithoutAParserNothingIsParsedButAgesAreKept)
{
    ClearTraitObjects();
    AddModule("one.cpp");
    m->Update();
    EXPECT_TRUE(parser->Parsed.empty());
    EXPECT_FALSE(m->NeedsReparse(dir + "one.cpp"));
    EXPECT_FALSE(m->NeedsReparse(dir + "missing.cpp"));
}

TEST_F(kvtpro_Update, RequestQueueRunsRequestsOnItsThread)
{
    AddModule("one.cpp");
    EXPECT_FALSE(m->ThreadedUpdate());  // no queue
    // one handler for the whole test: the queue thread may still run it when the next request goes in
    std::promise<std::thread::id> first;
    std::promise<void> second;
    std::atomic<int> calls{0};
    parser->OnParse = [&](const String&, TSymbolTableNotifications*) {
        if (++calls == 1)
            first.set_value(std::this_thread::get_id());
        else
            second.set_value();
    };
    {
        TClassBrowserRequestQueue queue;
        EXPECT_TRUE(queue.Suspended());
        m->SetRequestQueue(&queue);
        ASSERT_TRUE(m->ThreadedUpdate());
        EXPECT_FALSE(queue.Suspended());
        EXPECT_TRUE(first.get_future().get() != std::this_thread::get_id());
        // a reparse parses again although nothing changed
        ASSERT_TRUE(m->ThreadedReparse());
        second.get_future().get();
    }
    m->SetRequestQueue(nullptr);
    EXPECT_EQ(parser->Parsed.size(), 2u);
}

TEST_F(kvtpro_Update, ReadersGoOnWhileTheQueueReparses)
{
    AddModule("one.cpp");
    AddModule("two.cpp");
    constexpr int kTypes = 40;
    std::atomic<int> parses{0};
    // each file announces namespace N (again) with its types, chains of five bases each
    parser->OnParse = [&](const String& file, TSymbolTableNotifications* sink) {
        const int first = ExtractFileName(file) == "one.cpp" ? 1000 : 2000;
        sink->CreateNamespace("N", 0, 1);
        for (int i = 0; i < kTypes; ++i) {
            sink->AddType(1, "T" + IntToStr(first + i), 1, 0, first + i, 1, 0, 0);
            if (i % 5) sink->AddParent(first + i, first + i - 1);
        }
        ++parses;
    };
    TClassBrowserRequestQueue queue;
    m->SetRequestQueue(&queue);
    for (int round = 0; round < 10; ++round) {
        const int done = parses + 2;
        ASSERT_TRUE(m->ThreadedReparse());
        int reads = 0;
        // read the whole time the queue resets and fills the model, and once after
        for (bool last = false; !last; ++reads) {
            last = parses >= done;
            const int count = m->GetClassCount();
            ASSERT_LE(count, 2 * kTypes);
            for (const auto& n : m->GetFlatClasses())
                ASSERT_EQ(n->Caption.rfind("N::T", 0), 0u) << n->Caption;
            const TInfoNodePtr bases = m->GetBaseHierarchy();
            ASSERT_LE(bases->Children.size(), 1u);
            m->GetDerivedHierarchy();
            m->GetContainerHierarchy();
        }
        EXPECT_GT(reads, 0);
    }
    // the last reparse is through with its files: the model is whole again
    while (queue.ReparseCount() > 0) std::this_thread::yield();
    EXPECT_EQ(m->GetClassCount(), 2 * kTypes);
    m->SetRequestQueue(nullptr);
}

TEST(kvtpro_Queue, AnUnusedQueueEndsCleanly)
{
    TClassBrowserRequestQueue queue;
    EXPECT_EQ(queue.ReparseCount(), 0);
    EXPECT_EQ(queue.UpdateCount(), 0);
    queue.AddUpdateRequest(nullptr);
    EXPECT_TRUE(queue.Suspended());
}

TEST(kvtpro_Controller, HookGivesOneControllerAndIsPutBack)
{
    ASSERT_EQ(GetCppClassExplorerController(), nullptr);
    CppClassExplorer::Initialization();
    TIntfPtr<TClassExplorer> c = GetCppClassExplorerController();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(GetCppClassExplorerController(), c);
    EXPECT_TRUE(c->AddRootNode(nullptr));
    EXPECT_TRUE(c->RemoveRootNode(nullptr));
    EXPECT_TRUE(c->DefaultNodeAction(nullptr));
    EXPECT_TRUE(c->NodeEdited(nullptr, "x"));
    EXPECT_TRUE(c->NodeFocused(nullptr));
    EXPECT_TRUE(c->NodeSelected(nullptr));
    EXPECT_EQ(c->GetRootStructureNode(), nullptr);
    EXPECT_EQ(c->Get_RootNodeCount(), 0);
    EXPECT_EQ(c->Get_ViewOptions(), 0);
    c->SetDisplayOrder(2);
    EXPECT_EQ(c->DisplayOrder(), 2);
    EXPECT_FALSE(c->Invoke(1));
    CppClassExplorer::Finalization();
    EXPECT_EQ(GetCppClassExplorerController, &DefaultGetCppClassExplorerController);
}

}  // namespace

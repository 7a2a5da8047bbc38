#include <gtest/gtest.h>

#include <sstream>

#include "CppCFileHandler.h"
#include "IDEToDoCppMgr.h"
#include "testsupport/TestDir.h"
#include "rtl/Files.h"

namespace {

struct Comment {
    String text;
    int line, column;
    bool operator==(const Comment&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Comment& c)
{
    return os << "{\"" << c.text << "\", " << c.line << ", " << c.column << "}";
}

std::vector<Comment> Comments(const String& text)
{
    TCppCFileHandler h(std::make_shared<std::istringstream>(text));
    std::vector<Comment> r;
    int tag = 0;
    h.ParseItems(
        [&](void* data, const String& t, int line, int column) {
            EXPECT_EQ(data, &tag);
            r.push_back({t, line, column});
        },
        &tag);
    return r;
}

TEST(kvtpro_Scanner, CommentFormsAndWhatIsNoComment)
{
    struct Case {
        const char* name;
        String text;
        std::vector<Comment> want;
    };
    const Case cases[] = {
        {"empty", "", {}},
        {"line comment", "int a; // TODO: x\nint b;", {{"// TODO: x", 1, 8}}},
        {"block comment over lines", "a;\n  /* one\n two */ b;", {{"/* one\n two */", 2, 3}}},
        {"two blocks on a line", "/* a */ /* b */", {{"/* a */", 1, 1}, {"/* b */", 1, 9}}},
        {"empty block", "x/**/y", {{"/**/", 1, 2}}},
        {"slashes in a string", "s = \"// no\"; t = \"/* no */\";", {}},
        {"escaped quote in a string", "s = \"a\\\"// b\";", {}},
        {"quote in a character", "c = '\"'; // yes", {{"// yes", 1, 10}}},
        {"raw string", "r = R\"x(// no )\" )x\"; // yes", {{"// yes", 1, 23}}},
        {"continued line comment", "// a \\\n b\nint c; // d", {{"// a \\\n b", 1, 1}, {"// d", 3, 8}}},
        {"unclosed block runs to the end", "a;\n/* open\nend", {{"/* open\nend", 2, 1}}},
        {"division", "x = a / b / c;", {}},
        {"digit separators",
         "n = 1'000'000; // yes\nc = u8'a'; // too",
         {{"// yes", 1, 16}, {"// too", 2, 12}}},
        {"hex number then character", "x = 0xFF; y = '/'; // c", {{"// c", 1, 20}}},
        {"comment after a directive", "#include \"x//y.h\" // inc", {{"// inc", 1, 19}}},
        {"block in a line comment", "// a /* b */\n", {{"// a /* b */", 1, 1}}},
        {"line comment in a block", "/* a // b */ c", {{"/* a // b */", 1, 1}}},
        {"CR LF lines", "a;\r\n// x\r\nb;", {{"// x", 2, 1}}},
        {"continued line comment with CR LF", "// a \\\r\n b\r\nc;", {{"// a \\\r\n b", 1, 1}}},
        {"block comment with CR LF", "/* a\r\n b */\r\n", {{"/* a\r\n b */", 1, 1}}},
        {"backslash before CR LF in a string", "s = \"a\\\r\n// no\"; // yes\r\n", {{"// yes", 2, 9}}},
        {"backslash before LF in a string", "s = \"a\\\n// no\"; // yes\n", {{"// yes", 2, 9}}},
        {"apostrophe in a directive", "#warning a/b isn't done // TODO: real\n", {{"// TODO: real", 1, 25}}},
        {"apostrophe in #error, string after it", "#error can't \"//\" // c\n", {{"// c", 1, 19}}},
        {"unclosed quote in code", "x = \"open; // c\ny;", {{"// c", 1, 12}}},
        {"character literal in a directive", "#if C == '/' // c\n", {{"// c", 1, 14}}},
        {"header name with slashes", "#include <a//b.h>\n", {}},
        {"indented directive", "  #include <a//b.h> // c\n", {{"// c", 1, 21}}},
        {"header name after blanks", "#  include  <a//b.h> // c\n", {{"// c", 1, 22}}},
        {"directive after a comment", "/* c */ #include <x//y>\n", {{"/* c */", 1, 1}}},
        {"code after a comment is no directive",
         "x; /* c */ #include <x//y>\n",
         {{"/* c */", 1, 4}, {"//y>", 1, 23}}},
        {"less-than in other directives", "#if a <b // c\n", {{"// c", 1, 10}}},
        {"raw string in a directive", "#define X R\"x(a\"b//c)x\" // d\n", {{"// d", 1, 25}}},
    };
    for (const auto& c : cases) EXPECT_EQ(Comments(c.text), c.want) << c.name;
}

TEST(kvtpro_ToDoSyntax, ItemsOfComments)
{
    struct Case {
        String comment;
        bool item;
        bool done;
        int priority;
        String owner, category, text;
    };
    const Case cases[] = {
        {"// TODO: fix it", true, false, 0, "", "", "fix it"},
        {"//TODO:x", true, false, 0, "", "", "x"},
        {"// todo 3 -o ann -c ui: align the grid", true, false, 3, "ann", "ui", "align the grid"},
        {"/* DONE -c \"build tools\" -o bob : ready */", true, true, 0, "bob", "build tools", "ready"},
        {"/*\n * TODO 1: first\n * second\n */", true, false, 1, "", "", "first second"},
        {"// TODO: a: b", true, false, 0, "", "", "a: b"},
        {"// TODO fix without colon", false, false, 0, "", "", ""},
        {"// TODOS: x", false, false, 0, "", "", ""},
        {"// not a TODO: x", false, false, 0, "", "", ""},
        {"// TODO -o: x", false, false, 0, "", "", ""},
        {"// TODO 12: x", false, false, 0, "", "", ""},
        {"// TODO -o ann 2: x", false, false, 0, "", "", ""},
        {"// TODO -o \"open: x", false, false, 0, "", "", ""},
        {"// TODO", false, false, 0, "", "", ""},
        {"/* */", false, false, 0, "", "", ""},
    };
    for (const auto& c : cases) {
        TToDoItem item;
        ASSERT_EQ(ParseToDoComment(c.comment, item), c.item) << c.comment;
        if (!c.item) continue;
        EXPECT_EQ(item.Done, c.done) << c.comment;
        EXPECT_EQ(item.Priority, c.priority) << c.comment;
        EXPECT_EQ(item.Owner, c.owner) << c.comment;
        EXPECT_EQ(item.Category, c.category) << c.comment;
        EXPECT_EQ(item.Text, c.text) << c.comment;
        EXPECT_EQ(item.Comment, c.comment);
    }
    TToDoItem back;
    TToDoItem item{false, 2, "ann lee", "ui", "do it", "", 0, 0};
    ASSERT_TRUE(ParseToDoComment("// " + ToDoItemText(item), back));
    EXPECT_EQ(back.Owner, "ann lee");
    EXPECT_EQ(back.Priority, 2);
    EXPECT_EQ(back.Text, "do it");
}

TEST(kvtpro_FileHandler, FileKindsAndFixedAnswers)
{
    struct Case {
        const char* file;
        bool handler, source, header;
    };
    const Case cases[] = {
        {"a.cpp", true, true, false}, {"A.CPP", true, true, false},   {"a.hpp", true, false, true},
        {"a.h", true, false, true},   {"dir/A.H", true, false, true}, {"a.c", true, true, false},
        {"a.CC", true, true, false},  {"a.tvf", false, true, false},  {"a.TVF", false, true, false},
        {"a.hh", true, false, true},  {"a.cxx", false, false, false}, {"cpp", false, false, false},
    };
    TCppSourceManagerCreator sources;
    THeaderSourceManagerCreator headers;
    for (const auto& c : cases) {
        EXPECT_EQ(TCppCFileHandler::CanHandleFile(c.file), c.handler) << c.file;
        EXPECT_EQ(sources.CanHandleFile(c.file), c.source) << c.file;
        EXPECT_EQ(headers.CanHandleFile(c.file), c.header) << c.file;
    }
    TCppCFileHandler none(nullptr);
    EXPECT_EQ(none.CommentType(), 4);
    EXPECT_EQ(none.MakeComment("x"), "");
    int calls = 0;
    none.ParseItems([&](void*, const String&, int, int) { ++calls; }, nullptr);
    EXPECT_EQ(calls, 0);
}

class kvtpro_ToDoManagers : public ::testing::Test {
protected:
    String dir = IncludeTrailingPathDelimiter(ScratchDir() + "todo_" +
                                              testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override
    {
        FreshDir(dir);
        CppCFileHandler::Initialization();
        IDEToDoCppMgr::Initialization();
    }
    void TearDown() override
    {
        ToDoList().Clear();
        IDEToDoCppMgr::Finalization();
        CppCFileHandler::Finalization();
    }
    String File(const String& name, const String& text)
    {
        AtomicWriteFile(dir + name, text);
        return dir + name;
    }
    static std::vector<String> Texts(TSourceToDoManager* m)
    {
        std::vector<String> r;
        for (const auto& i : m->Items()) r.push_back(i.Text);
        return r;
    }
};

TEST_F(kvtpro_ToDoManagers, CreatorsMakeTheRightManagers)
{
    EXPECT_EQ(ToDoList().CreatorCount(), 2);
    EXPECT_EQ(CFileHandlerCount(), 1);
    const int before = ParseThread().ModifiedCount();
    EXPECT_NE(dynamic_cast<TCppSourceToDoManager*>(ToDoList().ManagerFor("x.CPP")), nullptr);
    EXPECT_NE(dynamic_cast<TCppSourceToDoManager*>(ToDoList().ManagerFor("x.tvf")), nullptr);
    EXPECT_EQ(ParseThread().ModifiedCount(), before);
    EXPECT_NE(dynamic_cast<THeaderSourceToDoManager*>(ToDoList().ManagerFor("x.hh")), nullptr);
    EXPECT_EQ(ParseThread().ModifiedCount(), before + 1);
    EXPECT_EQ(ToDoList().ManagerFor("x.cxx"), nullptr);
    // one manager per file
    EXPECT_EQ(ToDoList().ManagerFor("X.cpp"), ToDoList().ManagerFor("x.cpp"));
}

TEST_F(kvtpro_ToDoManagers, SourceParsesItsSectionAndThenItsHeader)
{
    const String cpp = File("Foo.cpp", "// TODO 1: source item\nint f();\n");
    const String h = File("Foo.h", "#pragma once\n/* TODO -o ann: header item */\n");
    ToDoList().OpenModule(cpp, h);
    auto* header = ToDoList().ManagerFor(h);
    auto* source = ToDoList().ManagerFor(cpp);
    source->Parse();
    EXPECT_TRUE(source->IsParsed());
    EXPECT_EQ(Texts(source), std::vector<String>{"source item"});
    EXPECT_EQ(source->Items()[0].Line, 1);
    ASSERT_TRUE(header->IsParsed());
    EXPECT_EQ(Texts(header), std::vector<String>{"header item"});
    EXPECT_EQ(header->Items()[0].Owner, "ann");
    EXPECT_EQ(header->Items()[0].Line, 2);
}

TEST_F(kvtpro_ToDoManagers, HeaderOfACSourceTakesItsItemsThroughThatModule)
{
    const String c = File("Foo.c", "// TODO: c item\n");
    const String h = File("Foo.h", "// TODO: from the header\n");
    ToDoList().OpenModule(c, h);
    auto* source = ToDoList().ManagerFor(c);
    auto* header = ToDoList().ManagerFor(h);
    header->Parse();
    EXPECT_EQ(Texts(header), std::vector<String>{"from the header"});
    source->Parse();
    EXPECT_EQ(Texts(source), std::vector<String>{"c item"});
    EXPECT_EQ(Texts(header), std::vector<String>{"from the header"});
}

TEST_F(kvtpro_ToDoManagers, EveryFileWithAManagerIsScanned)
{
    // C sources and .hh headers too, with CR LF lines: the items keep no CR
    for (const char* ext : {".c", ".cc", ".cpp"}) {
        ToDoList().Clear();
        const String src = File(String("Unit") + ext, "int a; // TODO: in the source\r\n");
        const String hh = File("Unit.hh", "/* DONE: in the header */\r\n// TODO 2: second\r\n");
        ToDoList().OpenModule(src, hh);
        auto* source = ToDoList().ManagerFor(src);
        ASSERT_NE(source, nullptr) << ext;
        source->Parse();
        ASSERT_EQ(Texts(source), std::vector<String>{"in the source"}) << ext;
        EXPECT_EQ(source->Items()[0].Comment, "// TODO: in the source") << ext;
    }
    // the header comes through the module of Unit.cpp, opened last
    auto* header = ToDoList().ManagerFor(dir + "Unit.hh");
    ASSERT_NE(header, nullptr);
    header->Parse();
    EXPECT_EQ(Texts(header), (std::vector<String>{"in the header", "second"}));
    EXPECT_EQ(header->Items()[1].Comment, "// TODO 2: second");
    // deleting such an item leaves the line end whole
    header->Delete(header->Items()[1]);
    EXPECT_EQ(ToDoList().DefaultUpdater(dir + "Unit.cpp")->Text(1), "/* DONE: in the header */\r\n\r\n");
}

TEST_F(kvtpro_ToDoManagers, CppSourceIsPreferredOverC)
{
    const String h = File("Bar.h", "// TODO: h\n");
    TToDoUpdater* viaC = ToDoList().OpenModule(File("Bar.c", ""), h);
    TToDoUpdater* viaCpp = ToDoList().OpenModule(File("Bar.cpp", ""), h);
    ToDoList().ManagerFor(dir + "Bar.c");
    ToDoList().ManagerFor(dir + "Bar.cpp");
    auto* header = ToDoList().ManagerFor(h);
    EXPECT_EQ(header->GetUpdater(), viaCpp);
    EXPECT_NE(header->GetUpdater(), viaC);
    // a module of the header itself comes first
    TToDoUpdater* own = ToDoList().OpenModule(h, "");
    EXPECT_EQ(header->GetUpdater(), own);
}

TEST_F(kvtpro_ToDoManagers, HeaderEditsGoToTheHeaderSectionUnlessTheHostSaysSource)
{
    const String cpp = File("Baz.cpp", "int x;\n");
    const String h = File("Baz.h", "// TODO: old\n");
    TToDoUpdater* u = ToDoList().OpenModule(cpp, h);
    ToDoList().ManagerFor(cpp);
    auto* header = ToDoList().ManagerFor(h);
    header->Parse();
    TToDoItem item = header->CreateItem();
    item.Priority = 2;
    item.Text = "new";
    header->Add(item);
    EXPECT_EQ(u->Text(1), "// TODO: old\n// TODO 2: new\n");
    EXPECT_EQ(u->Text(0), "int x;\n");
    EXPECT_EQ(Texts(header), (std::vector<String>{"old", "new"}));
    header->Delete(header->Items()[0]);
    EXPECT_EQ(u->Text(1), "\n// TODO 2: new\n");
    EXPECT_EQ(Texts(header), std::vector<String>{"new"});
    header->UseSourceSection = true;
    header->Add(item);
    EXPECT_EQ(u->Text(0), "int x;\n// TODO 2: new\n");
    // the file on disk is the editor's business
    EXPECT_EQ(ReadFileBytes(h), "// TODO: old\n");
}

TEST_F(kvtpro_ToDoManagers, HeaderWithoutSourceOrModuleDoesNothing)
{
    const String h = File("Lone.h", "// TODO: unseen\n");
    auto* header = ToDoList().ManagerFor(h);
    header->Parse();
    EXPECT_FALSE(header->IsParsed());
    EXPECT_TRUE(header->Items().empty());
    TToDoItem item;
    item.Text = "x";
    header->Add(item);
    header->Delete(item);
    EXPECT_EQ(header->GetUpdater(), nullptr);
    EXPECT_EQ(ReadFileBytes(h), "// TODO: unseen\n");
}

TEST_F(kvtpro_ToDoManagers, TvfGetsASourceManagerButIsNotScanned)
{
    const String tvf = File("Form.tvf", "// TODO: not here\n");
    ToDoList().OpenModule(tvf, "");
    auto* m = ToDoList().ManagerFor(tvf);
    ASSERT_NE(dynamic_cast<TCppSourceToDoManager*>(m), nullptr);
    m->Parse();
    EXPECT_TRUE(m->IsParsed());
    EXPECT_TRUE(m->Items().empty());
}

TEST_F(kvtpro_ToDoManagers, UnregisteringACreatorDropsItsManagers)
{
    ToDoList().ManagerFor("a.cpp");
    ToDoList().ManagerFor("a.h");
    EXPECT_EQ(ToDoList().ManagerCount(), 2);
    IDEToDoCppMgr::Finalization();
    EXPECT_EQ(ToDoList().ManagerCount(), 0);
    EXPECT_EQ(ToDoList().CreatorCount(), 0);
    IDEToDoCppMgr::Initialization();
}

}  // namespace

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "Idlcompile.h"
#include "Idlprojopts.h"
#include "Idldepends.h"
#include "testsupport/TestDir.h"
#include "rtl/Files.h"
#include "rtl/Interrupt.h"

namespace fs = std::filesystem;

namespace {

struct Message {
    String file;
    int line, column;
    String text;
    TCompileErrorKind kind;
};

class KvtidlCompile : public testing::Test {
protected:
    void SetUp() override
    {
        FDir = FreshDir(ScratchDir() + testing::UnitTest::GetInstance()->current_test_info()->name());
        TKrotexProcess::Executable() = KROTEX_STUB;
        IdlEditorBuffers() = {};
        FHelper.OnMessage = [this](const String& f, int l, int c, const String& t, TCompileErrorKind k) {
            FMessages.push_back({f, l, c, t, k});
        };
    }
    void TearDown() override { IdlEditorBuffers() = {}; }
    String Write(const String& name, const String& text)
    {
        const String path = FDir + name;
        EXPECT_TRUE(ForceDirectories(ExtractFilePath(path)));
        AtomicWriteFile(path, text);
        return path;
    }
    // Sets a file's date, in seconds relative to a fixed base.
    void Touch(const String& path, int seconds)
    {
        const auto base = fs::file_time_type::clock::now() - std::chrono::hours(24);
        fs::last_write_time(path, base + std::chrono::seconds(seconds));
    }
    String FDir;
    TIdlCompilerHelper FHelper;
    std::vector<Message> FMessages;
};

}  // namespace

TEST_F(KvtidlCompile, IncludesAreFollowedAndCyclesVisitedOnce)
{
    const String a = Write("a.idl", "#include \"b.idl\"\n#include <sub/c.idl>\n#include \"missing.idl\"\n"
                                    "// #include \"commented.idl\"\n");
    const String b = Write("b.idl", "#include \"a.idl\"\n");
    const String c = Write("inc/sub/c.idl", "#include \"d.idl\"\n");
    const String d = Write("d.idl", "interface D {};\n");
    TIdlFileDependencies deps;
    TStringList list;
    deps.ListDependentFiles(a, list, FDir + "inc");
    ASSERT_EQ(list.Count(), 3);
    std::set<String> got;
    for (int i = 0; i < list.Count(); ++i) got.insert(list[i]);
    EXPECT_EQ(got, (std::set<String>{b, c, d}));  // d found in the starting file's folder
    const TIdlFileDependencySymbol* sym = deps.Find(a);
    ASSERT_NE(sym, nullptr);
    ASSERT_EQ(sym->Includes.size(), 3u);
    EXPECT_EQ(sym->Includes[2].Text, "missing.idl");
    EXPECT_EQ(sym->Includes[2].Path, "");
}

TEST_F(KvtidlCompile, IncludesAreReadAsTheCppScannerReadsThem)
{
    const String a = Write("a.idl", "const string s = \"/* not a comment\";\n"
                                    "const char c = '\"';\n"
                                    "#include \"b.idl\"\n"
                                    "/* #include \"hidden.idl\"\n"
                                    "   still a comment */ #include \"also_hidden.idl\"\n"
                                    "  #  include <c.idl>\n"
                                    "#include <unclosed.idl\n"
                                    "#include \"\"\n");
    std::vector<TIdlIncludeFile> list;
    TIdlFileDependencies::ScanForIncludes(a, list);
    std::vector<String> names;
    for (const auto& i : list) names.push_back(i.Text);
    EXPECT_EQ(names, (std::vector<String>{"b.idl", "c.idl"}));
}

TEST_F(KvtidlCompile, OnlyRegularFilesOfBoundedSizeAreRead)
{
    const String fifo = FDir + "pipe.idl";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const String& target : {String("/dev/zero"), fifo}) {
        FMessages.clear();
        const String idl = Write("dev.idl", "#include \"" + target + "\"\ninterface A {};\n");
        IdlFileDependencies() = {};
        EXPECT_FALSE(FHelper.IdlAll("", nullptr, {idl}, 0, false, "-boa", "", "", FDir)) << target;
        ASSERT_EQ(FMessages.size(), 1u) << target;
        EXPECT_EQ(FMessages[0].kind, TCompileErrorKind::ekError);
        EXPECT_EQ(FMessages[0].text, target + " is not a regular file: it is not read");
        EXPECT_FALSE(FileExists(FDir + "dev_c.cc"));
    }
    const String big = Write("big.idl", String(MaxIdlFileSize + 1, ' '));
    EXPECT_THROW(ReadIdlFile(big), EIdlFileRefused);
    EXPECT_EQ(ReadIdlFile(Write("small.idl", "interface S {};\n")), "interface S {};\n");
}

TEST_F(KvtidlCompile, TouchingAnIncludeMakesEveryIncluderNeedCompiling)
{
    const String top = Write("top.idl", "#include \"mid.idl\"\n");
    const String mid = Write("mid.idl", "#include \"leaf.idl\"\n");
    const String leaf = Write("leaf.idl", "interface L {};\n");
    Write("top_c.cc", "");
    Write("top_s.cc", "");
    Write("mid_c.cc", "");
    Write("mid_s.cc", "");
    for (const String& f : {top, mid, leaf}) Touch(f, 0);
    for (const char* f : {"top_c.cc", "top_s.cc", "mid_c.cc", "mid_s.cc"}) Touch(FDir + f, 100);
    EXPECT_FALSE(TIdlCompilerHelper::NeedToCompile(top, "-boa", FDir));
    EXPECT_FALSE(TIdlCompilerHelper::NeedToCompile(mid, "-boa", FDir));
    Touch(leaf, 200);
    EXPECT_TRUE(TIdlCompilerHelper::NeedToCompile(top, "-boa", FDir));
    EXPECT_TRUE(TIdlCompilerHelper::NeedToCompile(mid, "-boa", FDir));
    // The older of the two sources counts.
    Touch(leaf, 0);
    Touch(FDir + "top_s.cc", -10);
    EXPECT_TRUE(TIdlCompilerHelper::NeedToCompile(top, "-boa", FDir));
}

TEST_F(KvtidlCompile, NoGeneratedSourcesYetMeansCompile)
{
    const String a = Write("new.idl", "interface N {};\n");
    EXPECT_TRUE(TIdlCompilerHelper::NeedToCompile(a, "-boa", FDir));
}

TEST_F(KvtidlCompile, TempDirectoryTakesTheNextFreeName)
{
    ASSERT_TRUE(ForceDirectories(FDir + "TempGen"));
    Write("TempGen1", "a file of that name");
    {
        TTempDirectory t(FDir);
        EXPECT_EQ(t.Path(), FDir + "TempGen2");
        Write("TempGen2/x.cc", "x");
        Write("TempGen2/sub/y.hh", "y");
    }
    EXPECT_FALSE(DirectoryExists(FDir + "TempGen2"));
    EXPECT_TRUE(DirectoryExists(FDir + "TempGen"));
}

TEST_F(KvtidlCompile, CollectedFilesGoToSourceOrHeaderDestination)
{
    Write("t/x_c.cc", "");
    Write("t/x_c.h", "");
    Write("t/y.CPP", "");
    Write("t/sub/z.hh", "");
    TIdlCollectedFiles files(FDir + "t/", "/hdr/", "/src");
    std::map<String, String> dest;
    for (auto& f : files.Files()) dest[ExtractFileName(f->Temp)] = f->Dest;
    EXPECT_EQ(dest["x_c.cc"], "/src/x_c.cc");
    EXPECT_EQ(dest["x_c.h"], "/hdr/x_c.h");
    EXPECT_EQ(dest["y.CPP"], "/src/y.CPP");
    EXPECT_EQ(dest["z.hh"], "/hdr/sub/z.hh");
}

TEST_F(KvtidlCompile, FailedMoveNamesDestinationAndErrorCode)
{
    const String temp = Write("t/x.cc", "x");
    ASSERT_TRUE(ForceDirectories(FDir + "blocked/x.cc/inner"));  // a non-empty directory cannot be replaced
    TCollectedFile f(FDir + "blocked/x.cc", temp);
    try {
        f.Save();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        const String msg = e.Message();
        EXPECT_EQ(msg.rfind(FDir + "blocked/x.cc could not be created: ", 0), 0u) << msg;
    }
    EXPECT_TRUE(FileExists(temp));  // nothing lost
}

TEST_F(KvtidlCompile, FailedReplaceSaysWhyInWordsAndKeepsTheOldFile)
{
    const String temp = Write("t/x.cc", "new");
    const String dest = Write("gen/x.cc", "old");
    const auto previous =
        SetAtomicWriteHook([](const String&) { throw EInOutError("No space left on device"); });
    TCollectedFile f(dest, temp);
    String msg;
    try {
        f.Save();
    } catch (const Exception& e) {
        msg = e.Message();
    }
    SetAtomicWriteHook(previous);
    EXPECT_EQ(msg, dest + " could not be created: No space left on device");
    EXPECT_EQ(ReadFileBytes(dest), "old");
    EXPECT_EQ(ReadFileBytes(temp), "new");

    // a folder in the file's place: the system's words, not a number
    ASSERT_TRUE(ForceDirectories(FDir + "blocked/x.cc/inner"));
    TCollectedFile g(FDir + "blocked/x.cc", temp);
    msg.clear();
    try {
        g.Save();
    } catch (const Exception& e) {
        msg = e.Message();
    }
    EXPECT_NE(msg.find("could not be created: "), String::npos) << msg;
    EXPECT_NE(msg.find("directory"), String::npos) << msg;
}

TEST_F(KvtidlCompile, SavedFileReplacesTheOldOneAndLeavesNoTemporary)
{
    const String temp = Write("t/x.cc", "new");
    const String dest = Write("gen/x.cc", "old");
    TCollectedFile(dest, temp).Save();
    EXPECT_EQ(ReadFileBytes(dest), "new");
    EXPECT_FALSE(FileExists(temp));
}

TEST_F(KvtidlCompile, CompileWritesClientAndServerFiles)
{
    const String idl = Write("proj/bank.idl", "interface Account {};\n#pragma warning no module\n");
    Write("proj/old_s.cc", "");
    ASSERT_TRUE(FHelper.IdlCompile(idl, "-boa -src_suffix cpp -hdr_suffix h", "gen", "cpp", FDir + "proj"))
        << FHelper.LastError;
    for (const char* f : {"bank_c.cpp", "bank_c.h", "bank_s.cpp", "bank_s.h"}) {
        ASSERT_TRUE(FileExists(FDir + "proj/gen/" + f)) << f;
    }
    EXPECT_EQ(ReadFileBytes(FDir + "proj/gen/bank_c.h").rfind("// bank_c.h generated from ", 0), 0u);
    ASSERT_EQ(FMessages.size(), 1u);
    EXPECT_EQ(FMessages[0].kind, TCompileErrorKind::ekWarning);
    EXPECT_EQ(FMessages[0].file, idl);
    EXPECT_EQ(FMessages[0].line, 0);
    EXPECT_EQ(FMessages[0].column, 1);
    EXPECT_EQ(FMessages[0].text, idl + ": (warning) no module");
    EXPECT_FALSE(DirectoryExists(FDir + "proj/TempGen"));  // scratch directory gone
}

TEST_F(KvtidlCompile, ErrorTextBecomesOneErrorPerLine)
{
    const String idl = Write("bad.idl", "#error first\n\n#error second\n");
    Write("keep/bad_c.cc", "old");
    EXPECT_FALSE(FHelper.IdlCompile(idl, "-boa", "keep", "", FDir));
    ASSERT_EQ(FMessages.size(), 2u);
    EXPECT_EQ(FMessages[0].kind, TCompileErrorKind::ekError);
    EXPECT_EQ(FMessages[0].line, 0);
    EXPECT_EQ(FMessages[0].column, 0);
    EXPECT_EQ(FMessages[0].text, idl + ", line 1: first");
    EXPECT_EQ(FMessages[1].text, idl + ", line 3: second");
    EXPECT_EQ(ReadFileBytes(FDir + "keep/bad_c.cc"), "old");  // nothing replaced
}

TEST_F(KvtidlCompile, MissingCompilerIsAnErrorNotASuccess)
{
    TKrotexProcess::Executable() = FDir + "no-such-compiler";
    const String idl = Write("a.idl", "interface A {};\n");
    EXPECT_FALSE(FHelper.IdlCompile(idl, "-boa", "gen", "", FDir));
    ASSERT_EQ(FMessages.size(), 1u);
    EXPECT_EQ(FMessages[0].kind, TCompileErrorKind::ekError);
    EXPECT_NE(FHelper.LastError, "");
}

TEST_F(KvtidlCompile, UnsavedIncludeIsCompiledFromTheEditor)
{
    const String inc = Write("src/types.idl", "");
    const String idl = Write("src/main.idl", "#include \"types.idl\"\ninterface M {};\n");
    // The include on disk is empty; its editor buffer says what the compiler must see.
    IdlEditorBuffers().Find = [&](const String& f) -> std::optional<TIdlEditorBuffers::TBuffer> {
        if (f == inc) return TIdlEditorBuffers::TBuffer{"#pragma warning from editor\n", 1.0, true};
        if (f == idl) return TIdlEditorBuffers::TBuffer{ReadFileBytes(idl), FileAge(idl), false};
        return std::nullopt;
    };
    ASSERT_TRUE(FHelper.IdlCompile(idl, "-boa", "gen", "", FDir + "src")) << FHelper.LastError;
    EXPECT_TRUE(FileExists(FDir + "src/gen/main_s.cc"));
    EXPECT_FALSE(FileExists(FDir + "src/gen/main.idl"));  // the copies stay behind
    EXPECT_FALSE(FileExists(FDir + "src/gen/types.idl"));
    // The compiler saw the copy, the message names the real file.
    EXPECT_NE(ReadFileBytes(FDir + "src/gen/main_c.cc").find("TempGen/main.idl"), String::npos);
    EXPECT_EQ(ReadFileBytes(inc), "");
}

TEST_F(KvtidlCompile, OpenGeneratedFileOutsideTheProjectUnitsIsReplacedInTheEditor)
{
    const String idl = Write("p/x.idl", "interface X {};\n#pragma extra x_tie.cc\n#pragma extra x_tie.hh\n");
    const String openHeader = FDir + "p/gen/x_tie.hh";
    const String openUnit = FDir + "p/gen/x_c.cc";
    Write("p/gen/x_tie.hh", "old");
    std::map<String, String> replaced;
    IdlEditorBuffers().Find = [&](const String& f) -> std::optional<TIdlEditorBuffers::TBuffer> {
        if (f == openHeader || f == openUnit) return TIdlEditorBuffers::TBuffer{"old", 1.0, false};
        return std::nullopt;
    };
    IdlEditorBuffers().Replace = [&](const String& f, const String& text) { replaced[f] = text; };
    ASSERT_TRUE(FHelper.IdlCompile(idl, "-boa -src_dir gen", "gen", "", FDir + "p")) << FHelper.LastError;
    // Not a project unit: the open buffer gets the new text, the file on disk is left to it.
    ASSERT_EQ(replaced.count(openHeader), 1u);
    EXPECT_EQ(replaced[openHeader], "// x_tie.hh generated from " + idl + "\n");
    EXPECT_EQ(ReadFileBytes(openHeader), "old");
    EXPECT_TRUE(FileExists(FDir + "p/gen/x_tie.cc"));
    // A project unit is written to disk even when open.
    EXPECT_EQ(replaced.count(openUnit), 0u);
    EXPECT_TRUE(FileExists(openUnit));
}

TEST_F(KvtidlCompile, CompileAllByMode)
{
    const String a = Write("a.idl", "interface A {};\n");
    const String b = Write("b.idl", "interface B {};\n");
    std::vector<String> progress, announced;
    FHelper.OnProgress = [&](const String& f) { progress.push_back(f); };
    FHelper.OnAnnounceGenUnit = [&](const String& f, const String&) { announced.push_back(f); };
    // Nothing generated yet: check only says there is work and compiles nothing.
    EXPECT_TRUE(FHelper.IdlAll("", nullptr, {a, b}, 0, true, "-boa", ".", "", FDir));
    EXPECT_TRUE(progress.empty());
    EXPECT_FALSE(FileExists(FDir + "a_c.cc"));
    // Single mode: only the named file.
    EXPECT_TRUE(FHelper.IdlAll(b, nullptr, {a, b}, 2, false, "-boa", ".", "", FDir));
    EXPECT_EQ(progress, std::vector<String>{b});
    EXPECT_TRUE(FileExists(FDir + "b_c.cc"));
    // Mode 0: b is up to date, its sources are announced; a is compiled.
    for (const char* f : {"b_c.cc", "b_s.cc"}) Touch(FDir + f, 100);
    Touch(b, 0);
    progress.clear();
    EXPECT_TRUE(FHelper.IdlAll("", nullptr, {a, b}, 0, false, "-boa", ".", "", FDir));
    EXPECT_EQ(progress, std::vector<String>{a});
    EXPECT_EQ(announced, (std::vector<String>{FDir + "b_c.cc", FDir + "b_s.cc"}));
    EXPECT_TRUE(FileExists(FDir + "a_s.cc"));
}

TEST_F(KvtidlCompile, CompileAllStopsAtTheFirstFailure)
{
    const String bad = Write("bad.idl", "#error broken\n");
    const String good = Write("good.idl", "interface G {};\n");
    std::vector<String> progress;
    FHelper.OnProgress = [&](const String& f) { progress.push_back(f); };
    EXPECT_FALSE(FHelper.IdlAll("", nullptr, {bad, good}, 1, false, "-boa", ".", "", FDir));
    EXPECT_EQ(progress, std::vector<String>{bad});
    EXPECT_FALSE(FileExists(FDir + "good_c.cc"));
}

TEST_F(KvtidlCompile, AddedIdlFilesListIncludesMissingFromTheProject)
{
    const String old = Write("old.idl", "#include \"x.idl\"\n");
    const String added = Write("new.idl", "#include \"x.idl\"\n#include \"y.idl\"\n");
    const String x = Write("x.idl", "");
    const String y = Write("y.idl", "#include \"x.idl\"\n");
    EXPECT_EQ(MissingIdlIncludes({old}, {old, added}, {old, added, y}, "-boa"), std::vector<String>{x});
    EXPECT_EQ(MissingIdlIncludes({old}, {old, added}, {}, "-boa"), (std::vector<String>{x, y}));
    EXPECT_TRUE(MissingIdlIncludes({old, added}, {old, added}, {}, "-boa").empty());
}

TEST_F(KvtidlCompile, OneFileUnderSeveralSpellingsIsListedOnce)
{
    const String a = Write("a.idl", "#include \"c.idl\"\n#include \"c.iDl\"\n#include \"./C.IDL\"\n");
    Write("c.idl", "interface C {};\n");
    TIdlFileDependencies deps;
    TStringList list;
    deps.ListDependentFiles(a, list, "");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_TRUE(SameFileName(list[0], FDir + "c.idl")) << list[0];
}

TEST_F(KvtidlCompile, EmptyRootDirectoryIsTheProjectFolder)
{
    const String idl = Write("p/a.idl", "interface A {};\n");
    ASSERT_TRUE(FHelper.IdlCompile(idl, "-boa", "", "", FDir + "p/")) << FHelper.LastError;
    EXPECT_TRUE(FileExists(FDir + "p/a_c.cc"));
    EXPECT_TRUE(FileExists(FDir + "p/a_s.cc"));
    EXPECT_FALSE(FileExists("/a_c.cc"));
    EXPECT_FALSE(DirectoryExists(FDir + "p/TempGen"));  // the scratch folder is gone again
}

TEST_F(KvtidlCompile, CompilerMessagesNameTheirLine)
{
    const struct {
        const char* Line;
        int Want;
    } cases[] = {{"/x/a.idl:4: Syntax error", 4},
                 {"a.idl:12: (warning) w", 12},
                 {"no place at all", 0},
                 {"C:12x: odd", 0},
                 {"a.idl:99999999999999: too far", 0}};
    for (const auto& c : cases) EXPECT_EQ(KrotexLineNumber(c.Line), c.Want) << c.Line;
    const String huge(60000, 'x');
    EXPECT_EQ(KrotexLineNumber("/x/a.idl:7: " + huge), 7);
    EXPECT_EQ(KrotexLineNumber(huge + ":" + huge), 0);
}

TEST_F(KvtidlCompile, MessagesNameTheirPlaceOnce)
{
    const String huge(60000, 'y');
    const struct {
        const char* Body;
        bool Ok;
        TCompileErrorKind Kind;
        int Line;
        String Text;
    } cases[] = {
        {"interface A {};\n#pragma krotex Syntax error in interface body\n", false,
         TCompileErrorKind::ekError, 2, "Syntax error in interface body"},
        {"#pragma krotex (warning) Forward declared interface 'A' was never fully defined\n", true,
         TCompileErrorKind::ekWarning, 1, "Forward declared interface 'A' was never fully defined"},
        {"", false, TCompileErrorKind::ekError, 1, "Identifier " + huge + " is too long"},
    };
    for (const auto& c : cases) {
        FMessages.clear();
        const String body = *c.Body ? String(c.Body) : "#pragma krotex Identifier " + huge + " is too long\n";
        const String idl = Write("m.idl", body);
        // an open editor with changes: the compiler sees a copy, the message names the user's file
        IdlEditorBuffers().Find = [&](const String& f) -> std::optional<TIdlEditorBuffers::TBuffer> {
            if (!SameFileName(f, idl)) return std::nullopt;
            return TIdlEditorBuffers::TBuffer{body, 1.0, true};
        };
        EXPECT_EQ(FHelper.IdlCompile(idl, "-boa", "gen", "", FDir), c.Ok) << c.Body;
        IdlEditorBuffers().Find = nullptr;
        ASSERT_EQ(FMessages.size(), 1u) << c.Body;
        EXPECT_EQ(FMessages[0].kind, c.Kind);
        EXPECT_EQ(FMessages[0].file, idl);
        EXPECT_EQ(FMessages[0].line, c.Line);
        EXPECT_EQ(FMessages[0].column, 1);
        EXPECT_EQ(FMessages[0].text, c.Text);
    }
}

// The compiler waits for a file that only the message view can make on its first warning.
TEST_F(KvtidlCompile, CompilerLinesReachTheMessageViewWhileItRuns)
{
    const String mark = FDir + "seen";
    const String idl = Write("a.idl", "#pragma krotex (warning) early\n#pragma wait " + mark + "\n");
    FHelper.OnMessage = [&](const String& f, int l, int c, const String& t, TCompileErrorKind k) {
        FMessages.push_back({f, l, c, t, k});
        AtomicWriteFile(mark, "");
    };
    EXPECT_TRUE(FHelper.IdlCompile(idl, "-boa", "", "", FDir)) << FHelper.LastError;
    ASSERT_EQ(FMessages.size(), 1u);
    EXPECT_EQ(FMessages[0].kind, TCompileErrorKind::ekWarning);
    EXPECT_EQ(FMessages[0].text, "early");
}

// Stopped while the compiler runs (it has written half a header): the compiler is stopped too,
// the scratch folder is gone and the caller is told.
TEST_F(KvtidlCompile, AStoppedBuildLeavesNoScratchFolder)
{
    InstallInterruptHandlers();
    const String idl = Write("proj/a.idl", "#pragma stop-parent\n");
    EXPECT_THROW(FHelper.IdlCompile(idl, "-boa", "", "", FDir + "proj"), EInterrupted);
    ClearInterrupt();
    EXPECT_FALSE(DirectoryExists(FDir + "proj/TempGen"));
    EXPECT_FALSE(FileExists(FDir + "proj/a_c.hh"));
    EXPECT_TRUE(FMessages.empty());
}

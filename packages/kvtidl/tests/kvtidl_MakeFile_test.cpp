#include <gtest/gtest.h>

#include "Idlmakefile.h"

namespace {

const String kProject = "/p/proj.mak";

String Rule(const String& header, const String& command)
{
    return header + "\r\n    " + command + "\r\n\r\n";
}

}  // namespace

TEST(KvtidlMakeFile, FirstIdlFileGetsRulesMacroAndCompilerDefinition)
{
    TIdlMakeFile mk(kProject, "IDLFILES = \r\nIDLCFLAGS = -boa\r\n\r\nall: x\r\n");
    mk.SetIdlFiles({"/p/a.idl"});
    EXPECT_EQ(mk.Text(), "IDLFILES = a.idl\r\n"
                         "IDLGENFILES = a_s.cc a_c.cc\r\n"
                         "\r\n\r\n!if !$d(KROTEX)\r\nKROTEX = krotex\r\n!endif\r\n"
                         "IDLCFLAGS = -boa\r\n\r\nall: x\r\n" +
                             Rule("a_s.cc: a.idl", "$(KROTEX) $(IDLCFLAGS) $?") +
                             Rule("a_c.cc: a.idl", "$(KROTEX) $(IDLCFLAGS) $?"));
    const String once = mk.Text();
    mk.SetIdlFiles({"/p/a.idl"});
    EXPECT_EQ(mk.Text(), once);  // nothing changed, nothing rewritten
}

TEST(KvtidlMakeFile, SourceDirectorySwitchesDecideRootDir)
{
    TIdlMakeFile mk(kProject, "IDLFILES = a.idl\r\nIDLCFLAGS = -boa\r\n");
    mk.SetIdlFiles({"/p/a.idl"});
    mk.SetMacro("IDLCFLAGS", "-src_dir gen -boa");
    mk.SetIdlFiles({"/p/a.idl"});
    const String sub = Rule("gen/a_s.cc: a.idl", "$(KROTEX) $(IDLCFLAGS) -root_dir \"gen/\" $?") +
                       Rule("gen/a_c.cc: a.idl", "$(KROTEX) $(IDLCFLAGS) -root_dir \"gen/\" $?");
    EXPECT_NE(mk.Text().find(sub), String::npos) << mk.Text();
    EXPECT_EQ(mk.MacroValue("IDLGENFILES"), "gen/a_s.cc gen/a_c.cc");
    EXPECT_EQ(mk.Text().find("a_s.cc: a.idl\r\n    $(KROTEX) $(IDLCFLAGS) $?"), String::npos);
    // Both directories set: no root directory in the rules any more.
    mk.SetMacro("IDLCFLAGS", "-src_dir gen -hdr_dir inc -boa");
    mk.SetIdlFiles({"/p/a.idl"});
    EXPECT_NE(mk.Text().find(Rule("gen/a_s.cc: a.idl", "$(KROTEX) $(IDLCFLAGS) $?")), String::npos)
        << mk.Text();
    EXPECT_EQ(mk.Text().find("-root_dir"), String::npos);
}

TEST(KvtidlMakeFile, BlankInIdlPathIsQuotedAndReplacesInput)
{
    TIdlMakeFile mk(kProject, "IDLFILES = \r\nIDLCFLAGS = -boa\r\n");
    mk.SetIdlFiles({"/p/my dir/b.idl"});
    EXPECT_EQ(mk.MacroValue("IDLFILES"), "\"my dir/b.idl\"");
    const String rule = Rule("\"my dir/b_s.cc\": \"my dir/b.idl\"",
                             "$(KROTEX) $(IDLCFLAGS) -root_dir \"my dir/\" \"my dir/b.idl\"");
    EXPECT_NE(mk.Text().find(rule), String::npos) << mk.Text();
    const String once = mk.Text();
    mk.SetIdlFiles({"/p/my dir/b.idl"});
    EXPECT_EQ(mk.Text(), once);
}

TEST(KvtidlMakeFile, RemovingAnIdlFileDeletesItsRulesOnly)
{
    TIdlMakeFile mk(kProject, "IDLFILES = \r\nIDLCFLAGS = -boa\r\n");
    mk.SetIdlFiles({"/p/a.idl", "/p/b.idl"});
    mk.SetIdlFiles({"/p/b.idl"});
    EXPECT_EQ(mk.Text().find("a.idl"), String::npos) << mk.Text();
    EXPECT_NE(mk.Text().find(Rule("b_s.cc: b.idl", "$(KROTEX) $(IDLCFLAGS) $?")), String::npos);
    EXPECT_EQ(mk.MacroValue("IDLGENFILES"), "b_s.cc b_c.cc");
    mk.SetIdlFiles({});
    EXPECT_EQ(mk.Text().find("b_s.cc"), String::npos);
}

TEST(KvtidlMakeFile, ParsingFindsRulesAndKeepsHandEditedCommands)
{
    TIdlMakeFile mk(kProject, "IDLFILES = x.idl\r\nIDLCFLAGS = -boa\r\n\r\n"
                              "x_s.cc: x.idl\r\n    $(KROTEX) $(IDLCFLAGS) -v \\\r\n  $?\r\n\r\n"
                              "other: x.idl.bak\r\n    copy\r\n");
    mk.ParseIdlSymbols();
    ASSERT_EQ(mk.Symbols().count(FileNameKey("/p/x.idl")), 1u);
    auto& gens = mk.Symbols()[FileNameKey("/p/x.idl")]->GenFiles();
    ASSERT_EQ(gens.size(), 1u);
    EXPECT_EQ(gens[0]->FileName, "/p/x_s.cc");
    EXPECT_EQ(gens[0]->Command, "    $(KROTEX) $(IDLCFLAGS) -v $?");
    mk.SetIdlFiles({"/p/x.idl"});
    // The missing client rule is added; the server rule is written again with its own switch.
    EXPECT_NE(mk.Text().find(Rule("x_s.cc: x.idl", "$(KROTEX) $(IDLCFLAGS) -v $?")), String::npos)
        << mk.Text();
    EXPECT_NE(mk.Text().find(Rule("x_c.cc: x.idl", "$(KROTEX) $(IDLCFLAGS) $?")), String::npos);
    EXPECT_NE(mk.Text().find("other: x.idl.bak\r\n    copy\r\n"), String::npos);
}

TEST(KvtidlMakeFile, LongCommandsAreWrapped)
{
    const String w = WrapText("aaaa bbbb cccc", "\\\r\n  ", " \t", 10);
    EXPECT_EQ(w, "aaaa bbbb \\\r\n  cccc");
    EXPECT_EQ(WrapText("\"a b c d e f g\" x", "|", " ", 5), "\"a b c d e f g\" |x");
}

TEST(KvtidlMakeFile, EachLineOfACommandIsWrappedOnItsOwn)
{
    // A quote left open ends with its line; the column starts again on the next.
    EXPECT_EQ(WrapText("aa \"b\r\ncc dd", "|", " ", 6), "aa \"b\r\ncc dd");
    EXPECT_EQ(WrapText("a \"b\r\ncc dd ee ff", "|", " ", 6), "a \"b\r\ncc dd |ee ff");
}

TEST(KvtidlMakeFile, RulesAreNeverGluedToALastLineWithoutLineBreakNorAddedTwice)
{
    TIdlMakeFile mk(kProject, "IDLFILES = \r\nall: app.exe");
    mk.SetIdlFiles({"/p/a.idl"});
    EXPECT_NE(mk.Text().find("all: app.exe\r\n"), String::npos) << mk.Text();
    const String once = mk.Text();
    mk.SetIdlFiles({"/p/a.idl"});
    EXPECT_EQ(mk.Text(), once);
    TIdlMakeFile again(kProject, once);  // as read back from the disk
    again.SetIdlFiles({"/p/a.idl"});
    EXPECT_EQ(again.Text(), once);
}

TEST(KvtidlMakeFile, TheCompilerDefinitionCountsOnlyOnALineOfItsOwn)
{
    // The same text inside the IDL-files value, on its line or a continued one, goes with the
    // old value: the definition is added, once.
    for (const char* text : {"IDLFILES = x !if !$d(KROTEX) y\r\nIDLCFLAGS = -boa\r\n",
                             "IDLFILES = x \\\r\n!if !$d(KROTEX)\r\nIDLCFLAGS = -boa\r\n"}) {
        SCOPED_TRACE(text);
        TIdlMakeFile mk(kProject, text);
        mk.SetIdlFiles({"/p/a.idl"});
        const String once = mk.Text();
        EXPECT_NE(once.find("\r\n!if !$d(KROTEX)\r\nKROTEX = krotex\r\n!endif\r\n"), String::npos) << once;
        TIdlMakeFile again(kProject, once);  // as read back from the disk
        again.SetIdlFiles({"/p/a.idl"});
        EXPECT_EQ(again.Text(), once);
    }
    TIdlMakeFile defined(kProject, "IDLFILES = \r\n  !if !$d(KROTEX)\r\nKROTEX = k2\r\n!endif\r\n");
    defined.SetIdlFiles({"/p/a.idl"});
    EXPECT_EQ(defined.Text().find("KROTEX = krotex"), String::npos) << defined.Text();
}

TEST(KvtidlMakeFile, ARuleOnAnotherFileOfTheSameNameStaysAsItIs)
{
    const String other = "x_s.cc: gen/a.idl\r\n    copy gen\\a.idl x_s.cc\r\n\r\n";
    TIdlMakeFile mk(kProject, "IDLFILES = a.idl\r\nIDLCFLAGS = -boa\r\n\r\n" + other);
    mk.SetIdlFiles({"/p/a.idl"});
    EXPECT_NE(mk.Text().find(other), String::npos) << mk.Text();
    const String once = mk.Text();
    TIdlMakeFile again(kProject, once);  // as read back from the disk
    again.SetIdlFiles({"/p/a.idl"});
    EXPECT_EQ(again.Text(), once);
}

TEST(KvtidlMakeFile, AContinuedMacroLineIsNoRule)
{
    // The second line goes on from the first: part of the macro, however it looks.
    const String text = "IDLFILES = a.idl x.idl \\\r\nx_s.cc: x.idl\r\nIDLCFLAGS = -boa\r\n";
    TIdlMakeFile mk(kProject, text);
    mk.ParseIdlSymbols();
    EXPECT_TRUE(mk.Symbols().empty());
    TIdlMakeFile kept(kProject, text + "all: app.exe\r\n");
    kept.UpdateIDLRules({"/p/a.idl"});
    EXPECT_EQ(kept.Text().find("IDLFILES = a.idl x.idl \\\r\nx_s.cc: x.idl\r\n"), 0u) << kept.Text();
}

TEST(KvtidlMakeFile, ARuleOfTheUsersOnAnIdlFileStaysAsItIs)
{
    const String own = "docs.html: a.idl\r\n    idl2html a.idl\r\n\r\nall: a.idl\r\n\r\n";
    TIdlMakeFile mk(kProject, "IDLFILES = a.idl\r\nIDLCFLAGS = -boa\r\n\r\n" + own);
    mk.ParseIdlSymbols();
    EXPECT_TRUE(mk.Symbols().empty());
    mk.SetIdlFiles({"/p/a.idl"});
    EXPECT_NE(mk.Text().find(own), String::npos) << mk.Text();
    EXPECT_NE(mk.Text().find(Rule("a_s.cc: a.idl", "$(KROTEX) $(IDLCFLAGS) $?")), String::npos) << mk.Text();
    const String once = mk.Text();
    TIdlMakeFile again(kProject, once);  // as read back from the disk
    again.SetIdlFiles({"/p/a.idl"});
    EXPECT_EQ(again.Text(), once);
    again.SetIdlFiles({});  // the IDL file leaves the project: its rules go, the user's stay
    EXPECT_NE(again.Text().find(own), String::npos) << again.Text();
    EXPECT_EQ(again.Text().find("a_s.cc"), String::npos) << again.Text();
}

TEST(KvtidlMakeFile, RulesNeverGoOnALastLineThatContinues)
{
    for (const char* text :
         {"IDLFILES = \r\nIDLCFLAGS = -boa\r\nX = 1 \\", "IDLFILES = \r\nIDLCFLAGS = -boa\r\nX = 1 \\\r\n"}) {
        SCOPED_TRACE(text);
        TIdlMakeFile mk(kProject, text);
        mk.SetIdlFiles({"/p/a.idl"});
        EXPECT_NE(mk.Text().find("X = 1 \\\r\n\r\na_s.cc: a.idl\r\n"), String::npos) << mk.Text();
        const String once = mk.Text();
        TIdlMakeFile again(kProject, once);  // as read back from the disk
        again.ParseIdlSymbols();
        EXPECT_EQ(again.Symbols().size(), 1u);
        again.SetIdlFiles({"/p/a.idl"});
        EXPECT_EQ(again.Text(), once);
    }
}

TEST(KvtidlMakeFile, SwitchesWithControlCharactersReadBackAsWritten)
{
    TIdlMakeFile mk(kProject, String("IDLFILES = \r\nIDLCFLAGS = -src_suffix cc\x01\x01 -boa\r\n"));
    mk.SetIdlFiles({"/p/a.idl"});
    const String once = mk.Text();
    TIdlMakeFile again(kProject, once);  // as read back from the disk
    again.SetIdlFiles({"/p/a.idl"});
    EXPECT_EQ(again.Text(), once);
}

TEST(KvtidlMakeFile, AnUpdateOfItsOwnOutputChangesNothing)
{
    // Hand-edited commands: an unclosed quote on one line of two, a rule written twice, and
    // blanks where a long line is broken.
    const String head = "IDLFILES = a.idl\r\n\r\n";
    const String twoLines = "a_s.cc: a.idl\r\n    $(KROTEX) $(IDLCFLAGS) -I\"inc dir $?\r\n"
                            "    echo \"built a_s.cc from a.idl in   the folder of the project\r\n\r\n";
    const String wide = "a_s.cc: a.idl\r\n    $(KROTEX) $(IDLCFLAGS) -DLONG_NAME_OF_A_MACRO=1 "
                        "-DANOTHER_LONG_NAME=2     -DTHIRD=3 $?\r\n\r\n";
    for (const String& rules : {twoLines, twoLines + twoLines, wide, wide + wide}) {
        SCOPED_TRACE(rules);
        TIdlMakeFile mk(kProject, head + rules);
        mk.SetIdlFiles({"/p/a.idl"});
        TIdlMakeFile again(kProject, mk.Text());  // as read back from the disk
        again.SetIdlFiles({"/p/a.idl"});
        const String settled = again.Text();
        TIdlMakeFile third(kProject, settled);
        third.SetIdlFiles({"/p/a.idl"});
        EXPECT_EQ(third.Text(), settled);
        EXPECT_EQ(again.Text(), mk.Text());
    }
}

TEST(KvtidlMakeFile, FileNamesCompareAsTheHostComparesThem)
{
    // written by hand in other letters than the project's item
    const String krotex = "!if !$d(KROTEX)\r\nKROTEX = krotex\r\n!endif\r\n\r\n";
    const String text = "IDLFILES = BANK.IDL\r\nIDLGENFILES = BANK_s.cc BANK_c.cc\r\n" + krotex +
                        Rule("BANK_s.cc: BANK.IDL", "$(KROTEX) $(IDLCFLAGS) $?") +
                        Rule("BANK_c.cc: BANK.IDL", "$(KROTEX) $(IDLCFLAGS) $?");
    TIdlMakeFile mk(kProject, text);
    mk.SetIdlFiles({"/p/bank.idl"});
    EXPECT_EQ(mk.Text(), "IDLFILES = bank.idl\r\nIDLGENFILES = bank_s.cc bank_c.cc\r\n" + krotex +
                             Rule("bank_s.cc: bank.idl", "$(KROTEX) $(IDLCFLAGS) $?") +
                             Rule("bank_c.cc: bank.idl", "$(KROTEX) $(IDLCFLAGS) $?"));
    ASSERT_EQ(mk.Symbols().size(), 1u);
    const String once = mk.Text();
    TIdlMakeFile again(kProject, once);
    again.SetIdlFiles({"/p/bank.idl"});
    EXPECT_EQ(again.Text(), once);
}

#include <gtest/gtest.h>

#include <cstdlib>

#include "rtl/Classes.h"
#include "rtl/Files.h"

namespace {

TStringList ListOf(std::initializer_list<const char*> items)
{
    TStringList l;
    for (const char* s : items) l.Add(s);
    return l;
}

std::vector<String> Items(const TStrings& l)
{
    std::vector<String> r;
    for (int i = 0; i < l.Count(); ++i) r.push_back(l[i]);
    return r;
}

String Scratch(const String& name)
{
    const char* home = std::getenv("HOME");
    String dir = String(home ? home : "/tmp") + "/rtl-strings/";
    EXPECT_TRUE(ForceDirectories(dir));
    return dir + name;
}

}  // namespace

struct CommaCase {
    std::vector<String> items;
    String text;
};

void PrintTo(const CommaCase& c, std::ostream* os) { *os << c.text; }

class CommaTextWrite : public ::testing::TestWithParam<CommaCase> {};

TEST_P(CommaTextWrite, WritesAndReadsBack)
{
    TStringList l;
    for (const String& s : GetParam().items) l.Add(s);
    EXPECT_EQ(l.GetCommaText(), GetParam().text);
    TStringList back;
    back.SetCommaText(GetParam().text);
    EXPECT_EQ(Items(back), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(Cases, CommaTextWrite,
                         ::testing::Values(CommaCase{{}, ""}, CommaCase{{"a", "b", "c"}, "a,b,c"},
                                           CommaCase{{"4", "5", "6", ""}, "4,5,6,"},
                                           CommaCase{{"", "x"}, ",x"}, CommaCase{{"a", "", "b"}, "a,,b"},
                                           CommaCase{{""}, "\"\""},
                                           CommaCase{{"two words", "x"}, "\"two words\",x"},
                                           CommaCase{{"a,b", "c"}, "\"a,b\",c"},
                                           CommaCase{{"say \"hi\"", "q"}, "\"say \"\"hi\"\"\",q"},
                                           CommaCase{{"tab\there"}, "\"tab\there\""},
                                           CommaCase{{"Größe", "Zähler"}, "Größe,Zähler"}));

struct CommaReadCase {
    String text;
    std::vector<String> items;
};

void PrintTo(const CommaReadCase& c, std::ostream* os) { *os << c.text; }

class CommaTextRead : public ::testing::TestWithParam<CommaReadCase> {};

TEST_P(CommaTextRead, Splits)
{
    TStringList l;
    l.Add("old");
    l.SetCommaText(GetParam().text);
    EXPECT_EQ(Items(l), GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(Cases, CommaTextRead,
                         ::testing::Values(CommaReadCase{"a b", {"a", "b"}},
                                           CommaReadCase{"  a ,  b  ", {"a", "b"}},
                                           CommaReadCase{"a, ,b", {"a", "", "b"}},
                                           CommaReadCase{"\"x y\"z,w", {"x y", "z", "w"}},
                                           CommaReadCase{"\"open", {"open"}}, CommaReadCase{",", {"", ""}},
                                           CommaReadCase{"   ", {}}));

TEST(Strings, IndexOfIgnoresAsciiCaseOnly)
{
    TStringList l = ListOf({"Alpha", "beta", "ÄRGER", "gamma"});
    EXPECT_EQ(l.IndexOf("ALPHA"), 0);
    EXPECT_EQ(l.IndexOf("Beta"), 1);
    EXPECT_EQ(l.IndexOf("ÄRGER"), 2);
    EXPECT_EQ(l.IndexOf("äRGER"), -1);  // non-ASCII letters compare exactly
    EXPECT_EQ(l.IndexOf("gamm"), -1);
    EXPECT_EQ(l.IndexOf(""), -1);
}

TEST(Strings, TextSplitsOnEveryLineEnd)
{
    TStringList l;
    l.SetText("a\r\nb\nc\rd");
    EXPECT_EQ(Items(l), (std::vector<String>{"a", "b", "c", "d"}));
    l.SetText("x\n\n");
    EXPECT_EQ(Items(l), (std::vector<String>{"x", ""}));
    EXPECT_EQ(l.GetText(), "x\r\n\r\n");
    l.SetText("");
    EXPECT_EQ(l.Count(), 0);
}

TEST(Strings, IndexErrors)
{
    TStringList l = ListOf({"a"});
    EXPECT_THROW(l.Get(1), EListError);
    EXPECT_THROW(l.Get(-1), EListError);
    EXPECT_THROW(l.Put(1, "x"), EListError);
    EXPECT_THROW(l.Delete(1), EListError);
    EXPECT_THROW(l.Insert(2, "x"), EListError);
    l.Insert(1, "b");
    EXPECT_EQ(Items(l), (std::vector<String>{"a", "b"}));
}

TEST(Strings, NameValueLines)
{
    TStringList l = ListOf({"Pfad=C:\\x", "Anzahl=6", "ohne"});
    EXPECT_EQ(l.Names(0), "Pfad");
    EXPECT_EQ(l.Names(2), "");
    EXPECT_EQ(l.GetValue("anzahl"), "6");
    EXPECT_EQ(l.GetValue("fehlt"), "");
    l.SetValue("ANZAHL", "7");
    EXPECT_EQ(l[1], "ANZAHL=7");
    l.SetValue("neu", "1");
    EXPECT_EQ(l.IndexOfName("Neu"), 3);
    l.SetValue("pfad", "");
    EXPECT_EQ(Items(l), (std::vector<String>{"ANZAHL=7", "ohne", "neu=1"}));
}

TEST(Strings, OnChangeFiresOncePerUpdate)
{
    TStringList l;
    int changes = 0;
    l.OnChange = [&](TObject*) { ++changes; };
    l.Add("a");
    EXPECT_EQ(changes, 1);
    l.SetCommaText("x,y,z");
    EXPECT_EQ(changes, 2);
    l.Sort();
    EXPECT_EQ(changes, 3);
}

TEST(Strings, SortIsCaseInsensitiveAndStable)
{
    TStringList l = ListOf({"b", "B", "a", "C", "A"});
    l.Sort();
    EXPECT_EQ(Items(l), (std::vector<String>{"a", "A", "b", "B", "C"}));
}

TEST(Strings, AddStringsOfItself)
{
    TStringList l = ListOf({"a", "b"});
    l.AddStrings(l);
    EXPECT_EQ(Items(l), (std::vector<String>{"a", "b", "a", "b"}));
    l.Assign(l);
    EXPECT_EQ(l.Count(), 4);
}

TEST(Strings, SaveAndLoadFile)
{
    String f = Scratch("liste.txt");
    TStringList l = ListOf({"eins", "zwei", "drei ü"});
    l.SaveToFile(f);
    EXPECT_EQ(ReadFileBytes(f), "eins\nzwei\ndrei ü\n");
    l.SetLineBreak("\r\n");
    l.SaveToFile(f);
    EXPECT_EQ(ReadFileBytes(f), "eins\r\nzwei\r\ndrei ü\r\n");
    TStringList back;
    back.LoadFromFile(f);
    EXPECT_EQ(Items(back), Items(l));
}

TEST(Strings, LoadOfAMissingFileRaisesAndKeepsTheList)
{
    TStringList l = ListOf({"bleibt"});
    EXPECT_THROW(l.LoadFromFile(Scratch("gibt-es-nicht.txt")), EFOpenError);
    EXPECT_EQ(Items(l), (std::vector<String>{"bleibt"}));
}

#include <gtest/gtest.h>

#include <clocale>

#include "Pluggablesearchdialog.h"
#include "Pluggableviewer.h"
#include "Plugs.h"

namespace {

// A tree with classes (kind 1) and units (kind 2).
struct TSearchFixture {
    TPluggableTreeView tree{nullptr};
    TIntfPtr<TTestSource> src{new TTestSource};
    TSearchDialog dlg{nullptr};
    TSearchFixture()
    {
        auto unit = src->AddNode("Classes", 2);
        src->AddNode("TStringList", 1, unit);
        src->AddNode("TList", 1, unit);
        src->AddNode("TComponent", 1, unit);
        src->AddNode("tlower", 1, unit);
        src->AddNode("SysUtils", 2);
        tree.Add(TIntfPtr<IPluggableSource>(src));
        dlg.SetTree(TIntfPtr<IPluggableTreeManager>(&tree));
    }
    std::vector<String> Rows()
    {
        std::vector<String> r;
        for (int i = 0; i < dlg.ResultPage()->GetRowCount(); ++i) r.push_back(dlg.ResultPage()->Get(i, 0));
        return r;
    }
    void Search(const String& text, bool exact)
    {
        dlg.SearchEdit->SetText(text);
        dlg.CaseCheckBox->SetChecked(exact);
        dlg.Render();
    }
};

int gColumnsCalls = 0;
std::vector<String> gRowCalls;
void UnitColumns(IPluggableSearch* s)
{
    ++gColumnsCalls;
    s->AddColumn("Unit", 150);
    s->AddColumn("Kind", 50);
}
void UnitRow(IPluggableSearch* s, IPluggableTreeNode* n)
{
    gRowCalls.push_back(NodeCaption(n));
    s->AddRow({NodeCaption(n), "unit"}, 9, TIntfPtr<IPluggableTreeNode>(n));
}

}  // namespace

TEST(brannow_Search, FirstSearchTypeBecomesCurrent)
{
    TSearchFixture f;
    f.dlg.AddSearchType("Classes", 1, nullptr, nullptr);
    f.dlg.AddSearchType("Units", 2, UnitColumns, UnitRow);
    EXPECT_EQ(f.dlg.GetSearchType(), 1);
    EXPECT_EQ(f.dlg.PopupMenu->Items()->Count(), 2);
    EXPECT_EQ(f.dlg.PopupMenu->Items()->Items(1)->Tag(), 2);
}

TEST(brannow_Search, FilterByTextWithAndWithoutCase)
{
    TSearchFixture f;
    f.dlg.AddSearchType("Classes", 1, nullptr, nullptr);
    f.dlg.Execute();
    EXPECT_EQ(f.dlg.CandidateCount(), 4);
    struct Case {
        const char* text;
        bool exact;
        std::vector<String> rows;
    };
    const Case cases[] = {
        // every candidate, sorted by exact character order (upper case before lower)
        {"", false, {"TComponent", "TList", "TStringList", "tlower"}},
        {"", true, {"TComponent", "TList", "TStringList", "tlower"}},
        {"list", false, {"TList", "TStringList"}},
        {"list", true, {}},
        {"List", true, {"TList", "TStringList"}},
        {"TL", false, {"TList", "tlower"}},
        {"nothing", false, {}},
    };
    for (const auto& c : cases) {
        f.Search(c.text, c.exact);
        EXPECT_EQ(f.Rows(), c.rows) << c.text << " exact " << c.exact;
    }
}

TEST(brannow_Search, CaseInsensitiveSearchFoldsLettersByTheLocale)
{
    const String saved = std::setlocale(LC_CTYPE, nullptr);
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    TPluggableTreeView tree{nullptr};
    TIntfPtr<TTestSource> src{new TTestSource};
    for (const char* c : {"Größe", "Straße", "Übergröße", "ÆØÅ", "Grosse"}) src->AddNode(c, 1);
    tree.Add(TIntfPtr<IPluggableSource>(src));
    TSearchDialog dlg{nullptr};
    dlg.SetTree(TIntfPtr<IPluggableTreeManager>(&tree));
    dlg.AddSearchType("Names", 1, nullptr, nullptr);
    dlg.Execute();
    struct Case {
        const char* text;
        bool exact;
        std::vector<String> rows;
    };
    const Case cases[] = {
        {"GRÖ", false, {"Größe", "Übergröße"}},
        {"größe", false, {"Größe", "Übergröße"}},
        {"GRÖ", true, {}},
        {"über", false, {"Übergröße"}},
        {"æøå", false, {"ÆØÅ"}},
        {"STRASSE", false, {}},  // one letter is one letter: ß stays ß
        {"gros", false, {"Grosse"}},
    };
    for (const auto& c : cases) {
        dlg.SearchEdit->SetText(c.text);
        dlg.CaseCheckBox->SetChecked(c.exact);
        dlg.Render();
        std::vector<String> rows;
        for (int i = 0; i < dlg.ResultPage()->GetRowCount(); ++i) rows.push_back(dlg.ResultPage()->Get(i, 0));
        EXPECT_EQ(rows, c.rows) << c.text << " exact " << c.exact;
    }
    std::setlocale(LC_CTYPE, saved.c_str());
}

TEST(brannow_Search, WithoutProceduresOneWideColumnAndOneRowPerHit)
{
    TSearchFixture f;
    f.dlg.AddSearchType("Classes", 1, nullptr, nullptr);
    f.dlg.Execute();
    f.Search("String", false);
    TUsesPagePlug* page = f.dlg.ResultPage();
    ASSERT_EQ(page->GetColCount(), 1);
    EXPECT_EQ(page->Form()->Columns[0].Caption, "");
    EXPECT_EQ(page->Form()->Columns[0].Width, 400);
    ASSERT_EQ(page->GetRowCount(), 1);
    EXPECT_EQ(page->Form()->Rows[0].ImageIndex, 1);
    // the row's caption leads to its node
    const TRect caption = page->Form()->LabelRect(0);
    page->Form()->MouseMove(0, caption.Left + 1, caption.Top + 1);
    page->Form()->MouseDown(mbLeft, 0, caption.Left + 1, caption.Top + 1);
    page->Form()->Click();
    EXPECT_EQ(f.tree.Selected()->Text(), "TStringList");
}

TEST(brannow_Search, ChosenTypeWithProceduresFillsColumnsAndRows)
{
    TSearchFixture f;
    gColumnsCalls = 0;
    gRowCalls.clear();
    f.dlg.AddSearchType("Classes", 1, nullptr, nullptr);
    f.dlg.AddSearchType("Units", 2, UnitColumns, UnitRow);
    f.dlg.PopupMenu->Items()->Items(1)->Click();
    EXPECT_EQ(f.dlg.GetSearchType(), 2);
    EXPECT_EQ(f.dlg.SortButton->ImageIndex, 2);
    EXPECT_EQ(gColumnsCalls, 1);
    EXPECT_EQ(f.dlg.ResultPage()->GetColCount(), 2);
    f.Search("", false);
    EXPECT_EQ(gRowCalls, (std::vector<String>{"Classes", "SysUtils"}));
    EXPECT_EQ(f.dlg.ResultPage()->Get(1, 1), "unit");
    // back to the plain type: the extra column goes at the end of the next fill
    f.dlg.PopupMenu->Items()->Items(0)->Click();
    EXPECT_EQ(f.dlg.ResultPage()->GetColCount(), 1);
}

TEST(brannow_Search, EscapeClosesEnterSearches)
{
    TSearchFixture f;
    f.dlg.AddSearchType("Classes", 1, nullptr, nullptr);
    f.dlg.Show();  // showing lists the candidates
    EXPECT_EQ(f.dlg.CandidateCount(), 4);
    EXPECT_EQ(f.dlg.SortButton->ImageIndex, 1);
    f.dlg.SearchEdit->SetText("Comp");
    unsigned short key = VK_RETURN;
    f.dlg.SearchEdit->KeyDown(key, 0);
    EXPECT_EQ(key, 0);
    EXPECT_TRUE(f.dlg.Visible());
    EXPECT_EQ(f.Rows(), (std::vector<String>{"TComponent"}));
    key = VK_ESCAPE;
    f.dlg.SearchEdit->KeyDown(key, 0);
    EXPECT_EQ(key, 0);
    EXPECT_FALSE(f.dlg.Visible());
    key = 'A';
    f.dlg.SearchEdit->KeyDown(key, 0);
    EXPECT_EQ(key, 'A');
}

TEST(brannow_Search, ClearForgetsTheTypes)
{
    TSearchFixture f;
    f.dlg.AddSearchType("Classes", 1, nullptr, nullptr);
    f.dlg.PopupMenu->Items()->Items(0)->Click();
    f.dlg.Clear();
    EXPECT_EQ(f.dlg.PopupMenu->Items()->Count(), 0);
    EXPECT_EQ(f.dlg.SortButton->ImageIndex, 0);
    EXPECT_EQ(f.dlg.ResultPage()->GetRowCount(), 0);
    // a type added after Clear is current again
    f.dlg.AddSearchType("Units", 2, nullptr, nullptr);
    EXPECT_EQ(f.dlg.GetSearchType(), 2);
}

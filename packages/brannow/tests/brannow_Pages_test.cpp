#include <gtest/gtest.h>

#include <map>

#include "Pluggableregistry.h"
#include "Pluggableviewer.h"
#include "Plugs.h"
#include "PropertyPages.h"
#include "zub/Graphics.h"

TEST(brannow_Registry, UnregisterRemovesTheFirstOfAnIdOnly)
{
    Pluggableregistry::Initialization();
    TIntfPtr<IPluggablePropertyPageFactory> first(new TFlagsPageFactory), second(new TFlagsPageFactory),
        other(new TUsesPageFactory);
    RegisterPluggablePropertyPage(first);
    RegisterPluggablePropertyPage(other);
    RegisterPluggablePropertyPage(second);
    EXPECT_EQ(GetPluggablePropertyPageCount(), 3);
    EXPECT_TRUE(UnregisterPluggablePropertyPage(GUID_FlagsPagePlugID));
    ASSERT_EQ(GetPluggablePropertyPageCount(), 2);
    EXPECT_EQ(GetPluggablePropertyPage(0), other);
    EXPECT_EQ(GetPluggablePropertyPage(1), second);
    EXPECT_FALSE(UnregisterPluggablePropertyPage(GUID_TextPagePlugID));
    EXPECT_EQ(GetPluggablePropertyPage(2), nullptr);
    Pluggableregistry::Finalization();
    // without the list nothing is kept and nothing found
    RegisterPluggablePropertyPage(first);
    EXPECT_EQ(GetPluggablePropertyPageCount(), 0);
    EXPECT_EQ(GetPluggablePropertyPage(0), nullptr);
    EXPECT_FALSE(UnregisterPluggablePropertyPage(GUID_UsesPagePlugID));
}

TEST(brannow_Pages, FactoriesMakeTheirKind)
{
    struct Case {
        TIntfPtr<IPluggablePropertyPageFactory> factory;
        TGUID id;
        const char* frame;
    };
    const Case cases[] = {
        {TIntfPtr<IPluggablePropertyPageFactory>(new TUsesPageFactory), GUID_UsesPagePlugID, "UsesForm"},
        {TIntfPtr<IPluggablePropertyPageFactory>(new TFlagsPageFactory), GUID_FlagsPagePlugID, "PlugForm"},
        {TIntfPtr<IPluggablePropertyPageFactory>(new TAttributePageFactory), GUID_AttributePagePlugID,
         "PlugForm"},
        {TIntfPtr<IPluggablePropertyPageFactory>(new TTextPageFactory), GUID_TextPagePlugID, "TextPageForm"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.factory->GetID(), c.id);
        auto page = c.factory->CreateInstance("x");
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->GetID(), c.id);
        EXPECT_EQ(page->GetPage()->Name(), c.frame);
        EXPECT_FALSE(page->Modified());
        EXPECT_FALSE(page->GetReadOnly());
        EXPECT_FALSE(page->GetVisible());  // no manager
        EXPECT_NO_THROW(page->SetVisible(true));
    }
    EXPECT_EQ(GUIDToString(GUID_UsesPagePlugID), "{0B6D2E09-821B-44AE-803A-B29D55E387C9}");
    EXPECT_EQ(GUIDToString(GUID_TextPagePlugID), "{ACFB44CF-847F-477B-B0D3-A7E75E6862EF}");
}

TEST(brannow_Pages, CheckBoxesLieTwoToARow)
{
    TIntfPtr<TFlagsPagePlug> p(new TFlagsPagePlug);
    for (int i = 0; i < 5; ++i) p->AddCheckBox("f" + std::to_string(i), i == 1, i == 2);
    const int want[5][2] = {{8, 12}, {208, 12}, {8, 36}, {208, 36}, {8, 60}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(p->CheckBox(i)->Left(), want[i][0]) << i;
        EXPECT_EQ(p->CheckBox(i)->Top(), want[i][1]) << i;
        EXPECT_EQ(p->CheckBox(i)->Width(), 180);
    }
    EXPECT_TRUE(p->GetCheckBox("f1"));
    EXPECT_FALSE(p->GetCheckBox("f0"));
    EXPECT_FALSE(p->GetCheckBox("missing"));
    EXPECT_FALSE(p->CheckBox(2)->Enabled());
    // refilled with two: the rest are hidden at the end and none is made anew
    p->Clear();
    p->AddCheckBox("a", false, false);
    p->AddCheckBox("b", true, false);
    p->OnEnd();
    EXPECT_EQ(p->CheckBoxCount(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(p->CheckBox(i)->Visible(), i < 2) << i;
    EXPECT_FALSE(p->Modified());
    p->CheckBox(0)->Click();
    EXPECT_TRUE(p->Modified());
    p->Clear();
    EXPECT_FALSE(p->Modified());
    EXPECT_TRUE(p->CheckBox(0)->Visible());  // free ones stay shown until the end
}

TEST(brannow_Pages, ValueColumnStartsAfterTheWidestName)
{
    TIntfPtr<TAttributePagePlug> p(new TAttributePagePlug);
    p->ScrollBox()->SetWidth(400);
    p->AddAttribute("Name", "TStringList", true);
    p->AddAttribute("Unit", "Classes", false);
    p->AddAttribute("Gone", "x", false);
    p->Clear();
    p->AddAttribute("Name", "TStringList", true);
    p->AddAttribute("Unit", "Classes", false);
    const_cast<TLabel*>(p->Row(0).NameLabel)->SetWidth(30);
    const_cast<TLabel*>(p->Row(1).NameLabel)->SetWidth(50);
    p->Row(2).NameLabel->SetWidth(90);  // free: does not count
    p->OnEnd();
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(p->Row(i).ValueEdit->Left(), 70) << i;
        EXPECT_EQ(p->Row(i).ValueEdit->Width(), 400 - 50 - 40) << i;
    }
    EXPECT_FALSE(p->Row(2).ValueEdit->Visible());
    EXPECT_EQ(p->Row(0).NameLabel->Caption(), "Name:");
    EXPECT_EQ(p->Row(0).NameLabel->Top(), 35);
    EXPECT_EQ(p->Row(1).ValueEdit->Top(), 64);
    EXPECT_EQ(p->Row(0).ValueEdit->Color(), clBtnFace);
    EXPECT_EQ(p->Row(1).ValueEdit->Color(), clWindow);
    EXPECT_TRUE(p->Row(0).ValueEdit->ReadOnly());
    EXPECT_EQ(p->GetAttribute("Unit"), "Classes");
    EXPECT_EQ(p->GetAttribute("Gone"), "x");  // free rows still answer
    EXPECT_EQ(p->GetAttribute("Never"), "");
    EXPECT_FALSE(p->Modified());
    p->Row(1).ValueEdit->UserSetText("SysUtils");
    EXPECT_TRUE(p->Modified());
}

namespace {

// A tree showing the roots A and B, A selected: the target of links.
struct TLinkTarget {
    TPluggableTreeView tv{nullptr};
    TIntfPtr<TTestSource> src{new TTestSource};
    TIntfPtr<TTestNode> b;
    TLinkTarget()
    {
        src->AddNode("A", 20);
        b = src->AddNode("B", 20);
        tv.Add(TIntfPtr<IPluggableSource>(src));
    }
};

String SelectedCaption(TPluggableTreeView& tv)
{
    return tv.Selected() ? tv.Selected()->Text() : String("(none)");
}

// Records the font style of each text drawn as well.
class TStyleCanvas : public TRecordingCanvas {
public:
    void TextRect(const TRect& r, int x, int y, const String& text) override
    {
        TRecordingCanvas::TextRect(r, x, y, text);
        Styles[text] = Font().Style();
        Colours[text] = Font().Color();
    }
    std::map<String, TFontStyles> Styles;
    std::map<String, TColor> Colours;
};

}  // namespace

TEST(brannow_Pages, ChoicesAndLinksOnNameValueRows)
{
    TLinkTarget t;
    TPluggableTreeView& tv = t.tv;
    auto& b = t.b;
    TIntfPtr<TAttributePagePlug> p(new TAttributePagePlug);
    TStringList choices;
    choices.Add("public");
    choices.Add("private");
    p->AddAttribute("Visibility", "public", choices, false);
    p->AddAttribute("Ancestor", "B", TIntfPtr<IPluggableTreeManager>(&tv), TIntfPtr<IPluggableTreeNode>(b),
                    true);
    ASSERT_NE(p->Row(0).Combo, nullptr);
    EXPECT_EQ(p->Row(0).Combo->Text(), "public");
    EXPECT_EQ(p->Row(0).Combo->Items()->Count(), 2);
    p->Row(0).Combo->SelectItem(1);
    EXPECT_EQ(p->GetAttribute("Visibility"), "public");  // the combo box does not change the value
    ASSERT_NE(p->Row(1).LinkLabel, nullptr);
    EXPECT_FALSE(p->Row(1).ValueEdit->Visible());
    EXPECT_EQ(p->Row(1).LinkLabel->Caption(), "B");
    EXPECT_EQ(p->Row(1).LinkLabel->Font()->Style() & fsUnderline, unsigned(fsUnderline));
    p->Row(1).LinkLabel->MouseMove(0, 1, 1);
    EXPECT_EQ(p->Row(1).LinkLabel->Cursor(), crHandPoint);
    p->Row(1).LinkLabel->Click();
    EXPECT_EQ(tv.Selected()->Text(), "B");
}

TEST(brannow_Pages, ListColumnsSurviveClearUntilTheEnd)
{
    TIntfPtr<TUsesPagePlug> p(new TUsesPagePlug);
    p->AddColumn("Name", 200);
    p->AddColumn("Unit", 100);
    p->AddRow({"TStringList", "Classes", "ignored"}, 3, nullptr);
    p->AddRow({"TList"}, 4, nullptr);
    EXPECT_EQ(p->Get(0, 1), "Classes");
    EXPECT_EQ(p->Get(1, 1), "");  // values ran out
    EXPECT_THROW(p->Get(0, 2), EListError);
    p->Clear();
    EXPECT_EQ(p->GetRowCount(), 0);
    p->AddColumn("Type", 400);
    EXPECT_EQ(p->GetColCount(), 2);
    p->OnEnd();
    ASSERT_EQ(p->GetColCount(), 1);
    EXPECT_EQ(p->Form()->Columns[0].Caption, "Type");
    EXPECT_EQ(p->Form()->Columns[0].Width, 400);
    p->AddRow({"x"}, 0, nullptr);
    p->AddRow({"y"}, 0, nullptr);
    p->RemoveRow(0);
    EXPECT_EQ(p->Get(0, 0), "y");
}

TEST(brannow_Pages, LinkedListRowLeadsToItsNode)
{
    TLinkTarget t;
    TPluggableTreeView& tv = t.tv;
    auto& b = t.b;
    TIntfPtr<TUsesPagePlug> p(new TUsesPagePlug);
    p->AddColumn("", 400);
    p->AddRow({"plain"}, 0, nullptr);
    p->AddRow({"B"}, 0, TIntfPtr<IPluggableTreeNode>(b));
    EXPECT_EQ(p->Form()->Rows[1].LinkCaption, "B");
    p->Form()->ItemIndex = 0;
    p->Form()->Click();
    EXPECT_EQ(tv.Selected()->Text(), "A");
    p->Form()->ItemIndex = 1;
    unsigned short key = VK_RETURN;
    p->Form()->KeyDown(key, 0);
    EXPECT_EQ(tv.Selected()->Text(), "B");
}

TEST(brannow_Pages, OnlyTheLinkedCaptionOfAListRowIsALink)
{
    TLinkTarget t;
    TPluggableTreeView& tv = t.tv;
    auto& b = t.b;
    TIntfPtr<TUsesPagePlug> p(new TUsesPagePlug);
    TUsesForm* f = p->Form();
    p->AddColumn("Name", 200);
    p->AddColumn("Unit", 100);
    p->AddRow({"plain", "u1"}, 0, nullptr);
    p->AddRow({"Beta", "u2"}, 0, TIntfPtr<IPluggableTreeNode>(b));
    // rows below a 17-pixel header, 17 pixels each; "Beta" is 4 x 7 = 28 pixels wide headless
    const int plainY = 17 + 5, betaY = 17 + 17 + 5;
    struct Case {
        const char* where;
        int x, y;
        bool hand;
    };
    const Case cases[] = {
        {"on the linked caption", 3, betaY, true},       {"at the caption's last pixel", 27, betaY, true},
        {"right of the caption text", 28, betaY, false}, {"on the row's sub-item", 210, betaY, false},
        {"on a caption without link", 3, plainY, false}, {"on the header", 3, 5, false},
        {"below the rows", 3, 17 + 2 * 17 + 1, false},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(SelectedCaption(tv), "A") << c.where;
        f->MouseMove(0, c.x, c.y);
        EXPECT_EQ(f->Cursor(), c.hand ? crHandPoint : crDefault) << c.where;
        f->MouseDown(mbLeft, 0, c.x, c.y);
        f->MouseUp(mbLeft, 0, c.x, c.y);
        f->Click();
        EXPECT_EQ(SelectedCaption(tv), c.hand ? "B" : "A") << c.where;
        if (c.hand) tv.Select(0, false);
    }
    f->MouseMove(0, 3, betaY);
    f->MouseLeave();
    EXPECT_EQ(f->Cursor(), crDefault);
    // a click off the link still selects the row: Enter then follows it
    f->MouseMove(0, 100, betaY);
    f->MouseDown(mbLeft, 0, 100, betaY);
    f->Click();
    EXPECT_EQ(f->ItemIndex, 1);
    EXPECT_EQ(SelectedCaption(tv), "A");
    // drawn: the link underlined in blue, everything else plain black
    TStyleCanvas canvas;
    f->PaintTo(canvas);
    EXPECT_EQ(canvas.Styles["Beta"] & fsUnderline, unsigned(fsUnderline));
    EXPECT_EQ(canvas.Colours["Beta"], clBlue);
    for (const char* plain : {"plain", "u1", "u2", "Name"}) {
        EXPECT_EQ(canvas.Styles[plain] & fsUnderline, 0u) << plain;
        EXPECT_EQ(canvas.Colours[plain], clBlack) << plain;
    }
}

TEST(brannow_Pages, ReusedNameValueRowShowsOnlyWhatItsNewAttributeHas)
{
    TLinkTarget t;
    TPluggableTreeView& tv = t.tv;
    auto& b = t.b;
    TIntfPtr<TAttributePagePlug> p(new TAttributePagePlug);
    TStringList choices;
    choices.Add("public");
    p->AddAttribute("Ancestor", "B", TIntfPtr<IPluggableTreeManager>(&tv), TIntfPtr<IPluggableTreeNode>(b),
                    true);
    p->AddAttribute("Visibility", "public", choices, false);
    p->Clear();
    p->AddAttribute("Size", "4", false);  // row 0 was a link
    p->AddAttribute("Name", "x", false);  // row 1 had choices
    p->OnEnd();
    const TNameValueItem& size = p->Row(0);
    EXPECT_TRUE(size.ValueEdit->Visible());
    EXPECT_EQ(size.ValueEdit->Text(), "4");
    ASSERT_NE(size.LinkLabel, nullptr);
    EXPECT_FALSE(size.LinkLabel->Visible());
    size.LinkLabel->Click();  // the old link leads nowhere now
    EXPECT_EQ(SelectedCaption(tv), "A");
    EXPECT_TRUE(p->Row(1).ValueEdit->Visible());
    ASSERT_NE(p->Row(1).Combo, nullptr);
    EXPECT_FALSE(p->Row(1).Combo->Visible());
    // and a row that becomes a link or a choice again shows it, with only its own choices
    p->Clear();
    TStringList other;
    other.Add("a");
    other.Add("b");
    p->AddAttribute("Kind", "a", other, false);
    p->AddAttribute("Base", "B", TIntfPtr<IPluggableTreeManager>(&tv), TIntfPtr<IPluggableTreeNode>(b), true);
    const TNameValueItem& kind = p->Row(0);
    ASSERT_NE(kind.Combo, nullptr);
    EXPECT_TRUE(kind.Combo->Visible());
    EXPECT_EQ(kind.Combo->Items()->Count(), 2);
    EXPECT_FALSE(kind.LinkLabel->Visible());
    EXPECT_TRUE(p->Row(1).LinkLabel->Visible());
    EXPECT_FALSE(p->Row(1).Combo->Visible());
    EXPECT_EQ(p->Row(1).LinkLabel->Caption(), "B");
}

TEST(brannow_Pages, TextPageHidesWhileClearedAndFollowsReadOnly)
{
    TIntfPtr<TTextPagePlug> p(new TTextPagePlug);
    p->GetLines()->Add("ldarg.0");
    p->Clear();
    EXPECT_FALSE(p->Memo()->Visible());
    EXPECT_EQ(p->GetLines()->Count(), 0);
    p->GetLines()->Add("ret");
    p->OnEnd();
    EXPECT_TRUE(p->Memo()->Visible());
    EXPECT_FALSE(p->Modified());
    p->Memo()->SetText("nop");
    EXPECT_TRUE(p->Modified());
    p->SetReadOnly(true);
    EXPECT_TRUE(p->Memo()->ReadOnly());
    EXPECT_EQ(p->Memo()->Color(), clBtnFace);
    p->SetReadOnly(false);
    EXPECT_EQ(p->Memo()->Color(), clWindow);
    EXPECT_EQ(p->Memo()->Font()->Name(), "Courier New");
}

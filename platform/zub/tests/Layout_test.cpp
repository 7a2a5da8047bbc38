#include <gtest/gtest.h>

#include "zub/ExtCtrls.h"
#include "zub/Forms.h"
#include "zub/Grids.h"
#include "zub/Menus.h"

namespace {

const char* const kLayout = R"(object Form5: TForm5
  Left = 192
  Top = -7
  BorderStyle = bsNone
  Caption = 'Zahl ''eins'' f'#252'r ' +
    'alle'
  ClientHeight = 204
  Color = clSkyBlue
  Font.Name = 'Arial Black'
  Font.Style = [fsBold, fsItalic]
  Font.Color = $00A4A0A0
  KeyPreview = True
  Position = poMainFormCenter
  OnShow = FormSchowMid
  object TrayIcon1: TTrayIcon
    Hint = 'Beispiel 2009'
    PopupMenu = PopupMenu1
  end
  object RadioGroup1: TRadioGroup
    Left = 215
    ItemIndex = 1
    Items.Strings = (
      '6 aus 49'
      '6 aus 45')
    object Label9: TLabel
      Caption = 'innen'
      WordWrap = True
      OnClick = Label9Click
    end
  end
  object Tabelle: TStringGrid
    ColCount = 8
    DefaultRowHeight = 15
    FixedCols = 0
    ColWidths = (
      50
      22
      17)
  end
  object Timer2: TTimer
    Enabled = False
    Interval = 30
    OnTimer = Timer2Timer
  end
  object PopupMenu1: TPopupMenu
    object Beenden1: TMenuItem
      Caption = 'Beenden'
      Hint = 'Programm Beenden'
      OnClick = Label9Click
    end
  end
end
)";

class TForm5 : public TForm {
public:
    explicit TForm5(TComponent* owner, const String& layout = kLayout) : TForm(owner)
    {
        Handler("FormSchowMid", &TForm5::FormSchowMid);
        Handler("Label9Click", &TForm5::Label9Click);
        Handler("Timer2Timer", &TForm5::Timer2Timer);
        Handler("MouseDownHandler", &TForm5::MouseDownHandler);
        ReadLayout(layout);
    }
    void Bind()
    {
        TForm::Bind(Label9, "Label9");
        TForm::Bind(RadioGroup1, "radiogroup1");
        TForm::Bind(Tabelle, "Tabelle");
        TForm::Bind(Timer2, "Timer2");
        TForm::Bind(TrayIcon1, "TrayIcon1");
        TForm::Bind(PopupMenu1, "PopupMenu1");
    }
    void FormSchowMid(TObject*) { ++shows; }
    void Label9Click(TObject* sender) { clicked.push_back(sender); }
    void Timer2Timer(TObject*) {}
    void MouseDownHandler(TObject*, TMouseButton, TShiftState, int, int) {}

    TLabel* Label9 = nullptr;
    TRadioGroup* RadioGroup1 = nullptr;
    TStringGrid* Tabelle = nullptr;
    TTimer* Timer2 = nullptr;
    TTrayIcon* TrayIcon1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    int shows = 0;
    std::vector<TObject*> clicked;
};

TEST(ZubLayout, FormBuiltAgainForTheSameOwnerTakesTheNextFreeName)
{
    TComponent owner(nullptr);
    auto* erste = new TForm5(&owner);
    auto* zweite = new TForm5(&owner);
    auto* dritte = new TForm5(&owner);
    EXPECT_EQ(erste->Name(), "Form5");
    EXPECT_EQ(zweite->Name(), "Form5_1");
    EXPECT_EQ(dritte->Name(), "Form5_2");
    // Its components keep their names: they belong to the form, not to the owner.
    EXPECT_NE(zweite->FindComponent("Label9"), nullptr);
    delete zweite;
    auto* vierte = new TForm5(&owner);
    EXPECT_EQ(vierte->Name(), "Form5_1");
    delete vierte;
    delete dritte;
    delete erste;
    TForm5 ohne_Besitzer(nullptr);
    EXPECT_EQ(ohne_Besitzer.Name(), "Form5");
}

TEST(ZubLayout, BindsMembersByTheirOwnNames)
{
    TForm5 form(nullptr);
    TLabel* Label9 = nullptr;
    TStringGrid* Tabelle = nullptr;
    TTimer* Timer2 = nullptr;
    form.BIND_COMPONENTS(Label9, Tabelle, Timer2);
    EXPECT_EQ(Label9, form.FindComponent("Label9"));
    EXPECT_EQ(Tabelle, form.FindComponent("Tabelle"));
    EXPECT_EQ(Timer2, form.FindComponent("Timer2"));

    TLabel* Label8 = nullptr;
    EXPECT_THROW(form.BIND_COMPONENTS(Label8), EComponentError);
    TLabel* Tabelle_als_Label = nullptr;
    EXPECT_THROW(form.BindNamed("Tabelle", Tabelle_als_Label), EComponentError);
    EXPECT_THROW(form.BindNamed("Label9, Timer2", Label9), EComponentError);
}

TEST(ZubLayout, BuildsNestedComponentsWithTheirProperties)
{
    TForm5 form(nullptr);
    form.Bind();
    EXPECT_EQ(form.Name(), "Form5");
    EXPECT_EQ(form.Left(), 192);
    EXPECT_EQ(form.Top(), -7);
    EXPECT_EQ(form.BorderStyle(), bsNone);
    EXPECT_EQ(form.Caption(), "Zahl 'eins' für alle");
    EXPECT_EQ(form.ClientHeight(), 204);
    EXPECT_EQ(form.Color(), clSkyBlue);
    EXPECT_EQ(form.Font()->Name(), "Arial Black");
    EXPECT_EQ(form.Font()->Style(), static_cast<TFontStyles>(fsBold | fsItalic));
    EXPECT_EQ(form.Font()->Color(), clMedGray);
    EXPECT_TRUE(form.KeyPreview());
    EXPECT_EQ(form.Position(), poMainFormCenter);
    EXPECT_FALSE(form.Visible());

    // Nesting: the label sits in the radio group; all belong to the form.
    EXPECT_EQ(form.Label9->Parent(), form.RadioGroup1);
    EXPECT_EQ(form.Label9->Owner(), &form);
    EXPECT_EQ(form.RadioGroup1->Parent(), &form);
    EXPECT_TRUE(form.Label9->WordWrap());
    EXPECT_EQ(form.RadioGroup1->Left(), 215);
    ASSERT_EQ(form.RadioGroup1->Items()->Count(), 2);
    EXPECT_EQ(form.RadioGroup1->Items()->Get(1), "6 aus 45");
    // ItemIndex came before the items in the text and still holds.
    EXPECT_EQ(form.RadioGroup1->ItemIndex(), 1);
    EXPECT_TRUE(form.RadioGroup1->Buttons(1)->Checked());

    EXPECT_EQ(form.Tabelle->ColCount(), 8);
    EXPECT_EQ(form.Tabelle->FixedCols(), 0);
    EXPECT_EQ(form.Tabelle->ColWidths(0), 50);
    EXPECT_EQ(form.Tabelle->ColWidths(2), 17);
    EXPECT_EQ(form.Tabelle->ColWidths(3), 64);
    EXPECT_EQ(form.Tabelle->DefaultRowHeight(), 15);
    EXPECT_FALSE(form.Timer2->Enabled());
    EXPECT_EQ(form.Timer2->Interval(), 30u);
    EXPECT_TRUE(form.Timer2->OnTimer);

    // A reference to a component further down the text.
    EXPECT_EQ(form.TrayIcon1->PopupMenu(), form.PopupMenu1);
    ASSERT_EQ(form.PopupMenu1->Items()->Count(), 1);
    TMenuItem* item = form.PopupMenu1->Items()->Items(0);
    EXPECT_EQ(item->Name(), "Beenden1");
    EXPECT_EQ(item->Hint(), "Programm Beenden");

    // Events are bound to the form's handlers.
    form.Label9->Click();
    item->Click();
    EXPECT_EQ(form.clicked, (std::vector<TObject*>{form.Label9, item}));
    form.Show();
    EXPECT_EQ(form.shows, 1);
}

TEST(ZubLayout, BindRefusesMissingNamesAndOtherClasses)
{
    TForm5 form(nullptr);
    TLabel* label = nullptr;
    EXPECT_THROW(form.TForm::Bind(label, "Label10"), EComponentError);
    EXPECT_THROW(form.TForm::Bind(label, "Tabelle"), EComponentError);
}

struct TErrorCase {
    const char* name;
    const char* text;
    int line;
    const char* fragment;
};

void PrintTo(const TErrorCase& c, std::ostream* os) { *os << c.name; }

class ZubLayoutErrors : public ::testing::TestWithParam<TErrorCase> {};

TEST_P(ZubLayoutErrors, NameTheLine)
{
    const TErrorCase& c = GetParam();
    try {
        TForm5 form(nullptr, c.text);
        FAIL() << "no error";
    } catch (const ELayoutError& e) {
        EXPECT_EQ(e.Line(), c.line) << e.Message();
        EXPECT_NE(e.Message().find(c.fragment), String::npos) << e.Message();
        EXPECT_NE(e.Message().find("line " + IntToStr(c.line)), String::npos) << e.Message();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Zub, ZubLayoutErrors,
    ::testing::Values(
        TErrorCase{"UnknownClass", "object F: TForm5\n  object X: TFancy\n  end\nend\n", 2,
                   "unknown class TFancy"},
        TErrorCase{"UnknownProperty",
                   "object F: TForm5\n  object L: TLabel\n    Left = 1\n    Colour = clRed\n  end\nend\n", 4,
                   "unknown property Colour"},
        TErrorCase{"WrongKind", "object F: TForm5\n  Left = 'links'\nend\n", 2, "integer expected"},
        TErrorCase{"UnknownEnum", "object F: TForm5\n  BorderStyle = bsRound\nend\n", 2, "bsRound"},
        TErrorCase{"UnknownColour", "object F: TForm5\n  Color = clRainbow\nend\n", 2, "clRainbow"},
        TErrorCase{"UnknownHandler", "object F: TForm5\n\n  OnShow = Nowhere\nend\n", 3,
                   "unknown event handler Nowhere"},
        TErrorCase{"HandlerDoesNotFit", "object F: TForm5\n  OnShow = MouseDownHandler\nend\n", 2,
                   "does not fit"},
        TErrorCase{"UnknownEvent",
                   "object F: TForm5\n  object T: TTimer\n    OnPaint = Timer2Timer\n  end\nend\n", 3,
                   "unknown event OnPaint"},
        TErrorCase{"DuplicateName",
                   "object F: TForm5\n  object A: TLabel\n  end\n  object a: TEdit\n  end\nend\n", 4,
                   "already exists"},
        TErrorCase{"MissingEnd", "object F: TForm5\n  object A: TLabel\n  end\n", 4, "'end' expected"},
        TErrorCase{"UnterminatedString", "object F: TForm5\n  Caption = 'offen\nend\n", 2,
                   "unterminated string"},
        TErrorCase{"BadReference",
                   "object F: TForm5\n  object T: TTrayIcon\n    PopupMenu = Nix\n  end\nend\n", 3,
                   "unknown component Nix"},
        TErrorCase{"NoObject", "\n\nobjekt F: TForm5\nend\n", 3, "'object' expected"},
        TErrorCase{"SmallestHexIsNoInteger", "object F: TForm5\n  Left = -$8000000000000000\nend\n", 2,
                   "integer out of range"},
        TErrorCase{"HexBelowSmallest", "object F: TForm5\n  Left = -$8000000000000001\nend\n", 2,
                   "number out of range"},
        TErrorCase{"HexOver64Bits", "object F: TForm5\n  Left = $10000000000000000\nend\n", 2,
                   "number out of range"},
        TErrorCase{"DecimalOver64Bits", "object F: TForm5\n  Left = 9223372036854775808\nend\n", 2,
                   "number out of range"},
        TErrorCase{"IntegerOver32Bits", "object F: TForm5\n  Left = 4294967296\nend\n", 2,
                   "integer out of range"}),
    [](const auto& info) { return String(info.param.name); });

// 20,000 nested objects: refused with a clear error, not a stack overflow.
TEST(ZubLayout, DeepNestingIsRefused)
{
    String text = "object F: TForm5\n";
    for (int i = 0; i < 20000; ++i) text += "object P" + IntToStr(i) + ": TPanel\n";
    for (int i = 0; i < 20000; ++i) text += "end\n";
    text += "end\n";
    try {
        TForm5 form(nullptr, text);
        FAIL() << "no error";
    } catch (const ELayoutError& e) {
        EXPECT_NE(e.Message().find("nested too deeply"), String::npos) << e.Message();
    }
}

// Classes the registry does not know come from the caller's finder; the registry goes first.
TEST(ZubLayout, ClassesBeyondTheRegistryComeFromTheFinder)
{
    const String text = "object F: TForm\n  object A: TWidgetOfOthers\n    Left = 4\n  end\n"
                        "  object B: TLabel\n  end\nend\n";
    std::vector<String> asked;
    auto finder = [&](const String& name) -> TComponentFactory {
        asked.push_back(name);
        if (!SameText(name, "TWidgetOfOthers")) return nullptr;
        return [](TComponent* owner) -> TComponent* { return new TImage(owner); };
    };
    TComponent owner(nullptr);
    auto* form = new TForm(&owner);
    ReadLayout(form, text, finder);
    auto* a = dynamic_cast<TImage*>(form->FindComponent("A"));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Left(), 4);
    EXPECT_NE(dynamic_cast<TLabel*>(form->FindComponent("B")), nullptr);
    EXPECT_EQ(asked, std::vector<String>{"TWidgetOfOthers"});

    auto* other = new TForm(&owner);
    try {
        ReadLayout(other, "object G: TForm\n  object C: TNobody\n  end\nend\n", finder);
        FAIL() << "no error";
    } catch (const ELayoutError& e) {
        EXPECT_EQ(e.Line(), 2);
        EXPECT_NE(e.Message().find("unknown class TNobody"), String::npos) << e.Message();
    }
}

}  // namespace

// The COM wizard dialogs: their controls as a user sees them.
#include <gtest/gtest.h>

#include "Cppcomobjexpert.h"

#include <vector>

namespace {

struct Seen {
    const char* control;
    const char* caption;  // nullptr: not checked
    const char* hint;  // nullptr: not checked
    bool visible, enabled;
};

void ExpectControls(TComObjectExpert& form, std::initializer_list<Seen> table)
{
    for (const Seen& s : table) {
        auto* c = dynamic_cast<TControl*>(form.FindComponent(s.control));
        ASSERT_NE(c, nullptr) << form.Name() << "." << s.control;
        if (s.caption) {
            EXPECT_EQ(c->Caption(), s.caption) << s.control;
        }
        if (s.hint) {
            EXPECT_EQ(c->Hint(), s.hint) << s.control;
        }
        EXPECT_EQ(c->Visible() && c->Left() >= 0, s.visible) << s.control;
        EXPECT_EQ(c->Enabled(), s.enabled) << s.control;
    }
}

TEST(kvtcompro_Dialogs, ComObjectDialog)
{
    TCppComObjectExpert d;
    EXPECT_EQ(d.Name(), "CppComObjectExpert");
    EXPECT_EQ(d.Caption(), "New COM Object");
    ExpectControls(d, {
                          {"lblClassName", "&CoClass Name:", nullptr, true, true},
                          {"edtClassName", nullptr,
                           "The name of the OLE Object that implements a COM Interface.", true, true},
                          {"edtInterface", nullptr, "The Default Interface of your OLE Object.", true, true},
                          {"edtDescription", nullptr,
                           "A string that describes this COM Object. The string is used in the ProgID entry "
                           "of the Object's "
                           "registration.",
                           true, true},
                          {"cbEvents", nullptr, "Events allow your COM object to 'talk back' to its clients",
                           true, true},
                          {"cbIncludeTypeLib", nullptr, nullptr, false, false},
                          {"lblInstancing", nullptr, nullptr, false, true},
                          {"cbInstancing", nullptr, nullptr, false, true},
                      });
    // the OleAutomation mark follows the type-library box
    d.cbIncludeTypeLib->SetChecked(false);
    EXPECT_FALSE(d.cbMarkOleAutomation->Enabled());
    d.cbIncludeTypeLib->SetChecked(true);
    EXPECT_TRUE(d.cbMarkOleAutomation->Enabled());
}

TEST(kvtcompro_Dialogs, AutomationObjectDialog)
{
    TAutoObjectCppExpert d;
    EXPECT_EQ(d.Name(), "AutoObjectCppExpert");
    EXPECT_EQ(d.Caption(), "New Automation Object");
    ExpectControls(d, {
                          {"lblClassName", "&CoClass Name:", nullptr, true, true},
                          {"edtClassName", nullptr,
                           "Name of OLE Object that will implement the Automation Interface.", true, true},
                          {"lblDescription", "&Description:", nullptr, true, true},
                          {"edtDescription", nullptr, nullptr, true, true},
                          {"lblInstancing", nullptr, nullptr, false, false},
                          {"cbInstancing", nullptr, nullptr, false, false},
                          {"cbErrorInfo", "Generate I&ErrorInfo support code", nullptr, false, false},
                          {"cbFreeThreadedMarshaler", "&Free-Threaded Marshaler", nullptr, false, false},
                      });
    // another caption for the same dialog (the remote data module's)
    EXPECT_EQ(TAutoObjectCppExpert("New Remote Data Module Object").Caption(),
              "New Remote Data Module Object");
}

TEST(kvtcompro_Dialogs, ActiveServerObjectDialog)
{
    TCppActiveServerObjectExpert d;
    TAutoObjectCppExpert plain;
    EXPECT_EQ(d.Name(), "CppActiveServerObjectExpert");
    EXPECT_EQ(d.Caption(), "New Active Server Object");
    EXPECT_EQ(d.HelpContext, 3289);
    ExpectControls(
        d, {
               {"rgServerType", "Active Server Type", nullptr, true, true},
               {"cbTestScript", "&Generate a template test script for this object", nullptr, true, true},
               {"cbEvents", nullptr, nullptr, false, true},
               {"lblInstancing", nullptr, nullptr, false, false},
               {"cbInstancing", nullptr, nullptr, false, false},
           });
    ASSERT_EQ(d.rgServerType->Items()->Count(), 2);
    EXPECT_EQ((*d.rgServerType->Items())[0], "&Page-level event methods ( OnStartPage/OnEndPage )");
    EXPECT_EQ((*d.rgServerType->Items())[1], "&Object Context");
    EXPECT_EQ(d.rgServerType->ItemIndex(), 0);
    EXPECT_FALSE(d.ObjectContext());
    EXPECT_TRUE(d.cbTestScript->Checked());
    // the hidden instancing row's gap is closed: its height and 10 pixels; the options frame
    // goes up with the server type and the test script it holds
    const int gap = d.cbInstancing->Height() + 10;
    EXPECT_EQ(d.Height(), plain.Height() - gap);
    EXPECT_EQ(d.bvlOptions->Top(), plain.bvlOptions->Top() - gap);
    EXPECT_EQ(d.bvlOptions->Height(), plain.bvlOptions->Height());
    d.rgServerType->SetItemIndex(1);
    EXPECT_TRUE(d.ObjectContext());
}

// Every control shown lies inside the form, and no two of them cover each other (the options
// frame holds what lies in it whole).
void ExpectLaidOut(TComObjectExpert& form)
{
    std::vector<TControl*> shown;
    for (int i = 0; i < form.ComponentCount(); ++i) {
        auto* c = dynamic_cast<TControl*>(form.Components(i));
        if (!c || !c->Visible() || c->Left() < 0) continue;
        EXPECT_LE(c->Left() + c->Width(), form.Width()) << form.Name() << "." << c->Name();
        EXPECT_LE(c->Top() + c->Height(), form.Height()) << form.Name() << "." << c->Name();
        shown.push_back(c);
    }
    for (std::size_t i = 0; i < shown.size(); ++i)
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            const TControl *a = shown[i], *b = shown[j];
            const bool apart = a->Left() + a->Width() <= b->Left() || b->Left() + b->Width() <= a->Left() ||
                               a->Top() + a->Height() <= b->Top() || b->Top() + b->Height() <= a->Top();
            const auto holds = [&](const TControl* outer, const TControl* inner) {
                return outer == form.bvlOptions && outer->Left() <= inner->Left() &&
                       outer->Top() <= inner->Top() &&
                       inner->Left() + inner->Width() <= outer->Left() + outer->Width() &&
                       inner->Top() + inner->Height() <= outer->Top() + outer->Height();
            };
            EXPECT_TRUE(apart || holds(a, b) || holds(b, a))
                << form.Name() << ": " << a->Name() << " covers " << b->Name();
        }
}

TEST(kvtcompro_Dialogs, EveryComDialogShowsItsControlsApart)
{
    TCppComObjectExpert com;
    com.Offer(cfInterface | cfEvents | cfDescription);
    ExpectLaidOut(com);
    TAutoObjectCppExpert automation;
    automation.Offer(cfEvents | cfDescription);
    ExpectLaidOut(automation);
    TCppActiveServerObjectExpert asp;
    asp.Offer(0);
    ExpectLaidOut(asp);
    TComObjectExpert control("New ActiveX Control");
    control.Offer(cfControl | cfLicensed);
    ExpectLaidOut(control);
    EXPECT_GT(control.cbControlClass->Items()->Count(), 0);
    EXPECT_GE(control.cbControlClass->Items()->IndexOf("TButton"), 0);
}

}  // namespace

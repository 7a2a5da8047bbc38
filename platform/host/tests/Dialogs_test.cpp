// Modal dialogs in a host without a user: answered from the dialog answers or cancelled.
#include <gtest/gtest.h>

#include "ProjectTestHost.h"
#include "zub/ExtCtrls.h"
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

using namespace hostimpl;

namespace {

class TAskForm : public TForm {
public:
    TAskForm() : TForm(nullptr)
    {
        SetName("formAsk");
        Name = Make<TEdit>("editName");
        Pool = Make<TCheckBox>("chkbPool");
        Kind = Make<TRadioGroup>("rgrpKind");
        Kind->Items()->Add("Application");
        Kind->Items()->Add("Library");
        Ok = Make<TButton>("butnOk");
        Ok->SetModalResult(mrOk);
        Refuse = Make<TButton>("butnRefuse");  // its handler keeps the dialog open
        Make<TButton>("butnCancel")->SetModalResult(mrCancel);
    }
    template <class T>
    T* Make(const char* name)
    {
        auto* c = new T(this);
        c->SetName(name);
        c->SetParent(this);
        return c;
    }
    TEdit* Name;
    TCheckBox* Pool;
    TRadioGroup* Kind;
    TButton *Ok, *Refuse;
};

class host_Dialogs : public ProjectTestHost {
protected:
    host_Dialogs() : ProjectTestHost("host_dialogs_") {}
};

TEST_F(host_Dialogs, WithoutAnAnswerADialogIsCancelled)
{
    TAskForm f;
    EXPECT_EQ(f.ShowModal(), mrCancel);
    // values alone do not answer it: the closing button is part of the answer
    SetDialogAnswer("form.formAsk.editName", "Shop");
    EXPECT_EQ(f.ShowModal(), mrCancel);
    EXPECT_EQ(f.Name->Text(), "");
}

TEST_F(host_Dialogs, AnswersSetControlsAndPressTheButton)
{
    SetDialogAnswer("form.FORMASK", "butnOk");
    SetDialogAnswer("form.formAsk.editName", "Shop");
    SetDialogAnswer("form.formAsk.chkbPool", "true");
    SetDialogAnswer("form.formAsk.rgrpKind", "library");
    TAskForm f;
    EXPECT_EQ(f.ShowModal(), mrOk);
    EXPECT_EQ(f.Name->Text(), "Shop");
    EXPECT_TRUE(f.Pool->Checked());
    EXPECT_EQ(f.Kind->ItemIndex(), 1);

    SetDialogAnswer("form.formAsk.rgrpKind", "0");
    SetDialogAnswer("form.formAsk", "butnCancel");
    TAskForm g;
    EXPECT_EQ(g.ShowModal(), mrCancel);
    EXPECT_EQ(g.Kind->ItemIndex(), 0);
}

TEST_F(host_Dialogs, AnswersThatDoNotFitAreErrorsNotWaits)
{
    struct Case {
        const char *key, *value, *error;
    };
    const Case cases[] = {
        {"form.formAsk.editNone", "x", "Dialog formAsk has no control editNone"},
        {"form.formAsk.rgrpKind", "Service", "Dialog formAsk: rgrpKind has no item Service"},
        {"form.formAsk", "butnNone", "Dialog formAsk has no button butnNone"},
    };
    for (const auto& c : cases) {
        ClearDialogAnswers();
        SetDialogAnswer("form.formAsk", "butnOk");
        SetDialogAnswer(c.key, c.value);
        TAskForm f;
        try {
            f.ShowModal();
            ADD_FAILURE() << c.key;
        } catch (const EHostError& e) {
            EXPECT_EQ(e.Message(), c.error);
        }
        EXPECT_FALSE(f.Modal());
    }
    // a button that leaves the dialog open cancels it
    ClearDialogAnswers();
    SetDialogAnswer("form.formAsk", "butnRefuse");
    TAskForm f;
    EXPECT_EQ(f.ShowModal(), mrCancel);
}

TEST(host_DialogsHook, TheHostPutsBackTheHookItFound)
{
    int calls = 0;
    TModalHook mine = [&](TForm& f) {
        ++calls;
        f.SetModalResult(mrOk);
    };
    SetModalHook(mine);
    {
        THostSession host(ScratchDir());
        TAskForm f;
        EXPECT_EQ(f.ShowModal(), mrCancel);  // the host answers while it runs
    }
    TAskForm f;
    EXPECT_EQ(f.ShowModal(), mrOk);
    EXPECT_EQ(calls, 1);
    SetModalHook(nullptr);
}

}  // namespace

// Modal dialogs in a host without a user: answered from the dialog answers or cancelled.
#include <gtest/gtest.h>

#include "ProjectTestHost.h"
#include "host/FileDialogs.h"
#include "zub/Dialogs.h"
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

// The file-open dialog: its window and events while it runs, the filter and files answered.
TEST_F(host_Dialogs, OpenDialogTellsItsOwnerWhatTheUserDoes)
{
    AtomicWriteFile(dir + "a.idl", "");
    AtomicWriteFile(dir + "b.idl", "");
    TOpenDialog d(nullptr);
    d.Filter = "IDL (*.idl)|*.idl|All (*.*)|*.*";
    d.FileName = "start.idl";
    std::vector<String> seen;
    auto note = [&](const char* what) {
        return [&, what](TObject* sender) {
            EXPECT_EQ(sender, &d);
            EXPECT_NE(d.Window(), nullptr) << what;
            seen.push_back(String(what) + " " + ExtractFileName(d.FileName) + " " + IntToStr(d.FilterIndex));
        };
    };
    d.OnShow = note("show");
    d.OnSelectionChange = note("select");
    d.OnClose = note("close");
    struct Case {
        const char* files;
        const char* filter;  // "" for no answer
        unsigned options;
        bool ok;
        std::vector<String> seen, chosen;
    };
    const Case cases[] = {
        {"a.idl;b.idl",
         "2",
         ofAllowMultiSelect,
         true,
         {"show start.idl 1", "select start.idl 1", "select a.idl 2", "select b.idl 2", "close b.idl 2"},
         {"a.idl", "b.idl"}},
        // one file only without multi-select; the first filter by default
        {"b.idl; a.idl",
         "",
         0,
         true,
         {"show start.idl 1", "select start.idl 1", "select b.idl 1", "close b.idl 1"},
         {"b.idl"}},
        // a chosen file that is not there: the dialog would not have closed with it
        {"none.idl",
         "",
         ofFileMustExist,
         false,
         {"show start.idl 1", "select start.idl 1", "select none.idl 1", "close none.idl 1"},
         {}},
        {"", "", 0, false, {"show start.idl 1", "select start.idl 1", "close start.idl 1"}, {}},
    };
    for (const Case& c : cases) {
        ClearDialogAnswers();
        if (*c.files) SetDialogAnswer("open.files", c.files);
        if (*c.filter) SetDialogAnswer("open.filter", c.filter);
        seen.clear();
        d.FileName = "start.idl";
        d.FilterIndex = 1;
        d.Options = c.options;
        EXPECT_EQ(d.Execute(), c.ok) << c.files;
        EXPECT_EQ(seen, c.seen) << c.files;
        std::vector<String> chosen;
        for (int i = 0; i < d.Files.Count(); ++i) chosen.push_back(ExtractFileName(d.Files[i]));
        EXPECT_EQ(chosen, c.chosen) << c.files;
        EXPECT_EQ(d.FileName, c.ok ? dir + c.chosen[0] : String()) << c.files;
        EXPECT_EQ(d.Window(), nullptr);
    }
    // a filter the dialog does not have is an error, not a guess
    for (const char* bad : {"0", "3", "x"}) {
        SetDialogAnswer("open.files", "a.idl");
        SetDialogAnswer("open.filter", bad);
        EXPECT_THROW(d.Execute(), EHostError) << bad;
        EXPECT_EQ(d.Window(), nullptr);
    }
}

TEST_F(host_Dialogs, MessageBoxesTakeTheButtonTheBoxAnswerNames)
{
    const TMsgDlgButtons yesNoCancel = mbYes | mbNo | mbCancel;
    EXPECT_EQ(MessageDlg("Load?", mtConfirmation, yesNoCancel), mrCancel) << "no answer: cancelled";
    struct Case {
        const char* answer;
        TMsgDlgButtons buttons;
        int result;
    };
    for (const Case& c :
         {Case{"yes", yesNoCancel, mrYes}, Case{"No", yesNoCancel, mrNo},
          Case{"CANCEL", yesNoCancel, mrCancel}, Case{"ok", mbOK | mbCancel, mrOk},
          // a box without the button named gets its cancelling choice
          Case{"yes", mbOK | mbCancel, mrCancel}, Case{"yes", mbOK, mrOk}, Case{"ok", mbYes | mbNo, mrNo}}) {
        SetDialogAnswer("box", c.answer);
        EXPECT_EQ(MessageDlg("Load?", mtConfirmation, c.buttons), c.result) << c.answer << " " << c.buttons;
    }
    SetDialogAnswer("box", "maybe");
    EXPECT_THROW(MessageDlg("Load?", mtConfirmation, yesNoCancel), EHostError);
}

TEST(host_DialogsHook, TheHostPutsBackTheDialogsItFound)
{
    auto mine = std::make_shared<THeadlessDialogs>();
    mine->AddAnswer(mrYes);
    auto previous = SetDialogs(mine);
    {
        THostSession host(ScratchDir());
        SetDialogAnswer("box", "no");
        EXPECT_EQ(MessageDlg("Q?", mtConfirmation, mbYes | mbNo), mrNo);  // the host answers while it runs
        EXPECT_TRUE(mine->Shown().empty());
    }
    EXPECT_EQ(&Dialogs(), mine.get());
    EXPECT_EQ(MessageDlg("Q?", mtConfirmation, mbYes | mbNo), mrYes);
    SetDialogs(previous);
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

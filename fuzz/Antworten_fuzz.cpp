// idehost's answers file: any bytes as the file that answers the dialogs of a host without a
// user. It is read or refused with an error; what it answers is a dialog closed (by its button
// or cancelled), or an error - never a dialog left waiting, never a crash.
#include <cstdlib>

#include "Fuzzordner.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"
#include "zub/ExtCtrls.h"
#include "zub/Forms.h"
#include "zub/Grids.h"
#include "zub/StdCtrls.h"

namespace {

class TFrageform : public TForm {
public:
    TFrageform() : TForm(nullptr)
    {
        SetName("formAsk");
        Mache<TEdit>("editName");
        Mache<TMemo>("memoNote");
        Mache<TCheckBox>("chkbPool");
        Mache<TRadioButton>("radbOne");
        auto* art = Mache<TRadioGroup>("rgrpKind");
        art->Items()->Add("&Application");
        art->Items()->Add("Library");
        auto* wahl = Mache<TComboBox>("cboxTarget");
        wahl->Items()->Add("Debug");
        wahl->Items()->Add("Release");
        auto* liste = Mache<TListBox>("lstbFiles");
        liste->Items()->Add("bank.idl");
        liste->Items()->Add("teller.idl");
        auto* gitter = Mache<TStringGrid>("grdOptions");
        gitter->SetColCount(3);
        gitter->SetRowCount(4);
        Mache<TLabel>("lblInfo");
        Mache<TButton>("butnOk")->SetModalResult(mrOk);
        Mache<TButton>("butnRefuse");  // keeps the dialog open
        Mache<TButton>("butnCancel")->SetModalResult(mrCancel);
    }
    template <class T>
    T* Mache(const char* name)
    {
        auto* c = new T(this);
        c->SetName(name);
        c->SetParent(this);
        return c;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static TFuzzordner ordner("fuzz_idehost_answers");
    static hostimpl::THostSession host(ordner.Pfad());
    const String datei = ordner.Pfad() + "answers.txt";
    AtomicWriteFileNoSync(datei, Fuzztext(data, size));
    hostimpl::ClearDialogAnswers();
    try {
        hostimpl::LoadDialogAnswers(datei);
    } catch (const Exception&) {
        return 0;
    }
    TFrageform form;
    try {
        const int r = form.ShowModal();
        if (r == mrNone) std::abort();
    } catch (const Exception&) {
    }
    return 0;
}

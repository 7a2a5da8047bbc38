#include <gtest/gtest.h>

#include "Browserdialogs.h"
#include "Plugs.h"
#include "zub/Dialogs.h"

namespace {

class TFilterFactory : public TInterfacedObject, public virtual IPluggableSourceFactory {
public:
    explicit TFilterFactory(String filter) : Filter(std::move(filter)) {}
    HRESULT QueryInterface(const TGUID& iid, void** obj) override
    {
        if (QueryAs<IPluggableSourceFactory>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    int AddRef() override { return TInterfacedObject::AddRef(); }
    int Release() override { return TInterfacedObject::Release(); }
    void CreateSource(TIntfPtr<IPluggableSource>& s) override { s.reset(); }
    void GetFilter(String& f) override { f = Filter; }
    bool CanLoad(const String& name) override
    {
        Asked.push_back(name);
        return true;
    }
    String Filter;
    std::vector<String> Asked;
};

// Runs the dialog with the user choosing fileName under the filter at filterIndex (or cancelling).
struct TUser {
    TModalHook previous;
    explicit TUser(TOpenBrowserDialog& dlg, const String& fileName, int filterIndex, bool ok)
    {
        previous = SetModalHook([&dlg, fileName, filterIndex, ok](TForm& f) {
            dlg.FilterIndex = filterIndex;
            dlg.FileName = fileName;
            dlg.SelectionChanged();
            f.SetModalResult(ok ? mrOk : mrCancel);
        });
    }
    ~TUser() { SetModalHook(previous); }
};

}  // namespace

TEST(brannow_OpenDialog, FilterJoinsTheFactoriesAndTheSelectionAsksTheChosenOne)
{
    TOpenBrowserDialog dlg(nullptr);
    TIntfPtr<TFilterFactory> a(new TFilterFactory("Assemblies (*.dll)|*.dll")),
        b(new TFilterFactory("Type libraries (*.tlb)|*.tlb"));
    dlg.AddType(TIntfPtr<IPluggableSourceFactory>(a));
    dlg.AddType(TIntfPtr<IPluggableSourceFactory>(b));
    {
        TUser user(dlg, "/tmp/x.tlb", 2, true);
        EXPECT_TRUE(dlg.Execute());
    }
    EXPECT_EQ(dlg.Filter, "Assemblies (*.dll)|*.dll|Type libraries (*.tlb)|*.tlb");
    EXPECT_EQ(b->Asked, (std::vector<String>{"/tmp/x.tlb"}));
    EXPECT_TRUE(a->Asked.empty());
    EXPECT_EQ(dlg.CurrentFactory().get(), static_cast<IPluggableSourceFactory*>(b.get()));
    EXPECT_EQ(dlg.PictureLabel->Caption(), "(none)");
    // the panel lies right of the standard controls, the tree below the label
    EXPECT_EQ(dlg.PicturePanel->Parent(), dlg.Window());
    EXPECT_EQ(dlg.PicturePanel->Left(), TOpenBrowserDialog::kStandardWidth);
    EXPECT_EQ(dlg.TreeView->Top(), 33);
    EXPECT_EQ(dlg.TreeView->Width(), dlg.PicturePanel->Width() - 10);
    EXPECT_EQ(dlg.TreeView->Height(), dlg.PicturePanel->Height() - 53);
}

TEST(brannow_OpenDialog, CancelEmptyNameAndBadFilterIndex)
{
    TOpenBrowserDialog dlg(nullptr);
    TIntfPtr<TFilterFactory> a(new TFilterFactory("A|*.a"));
    dlg.AddType(TIntfPtr<IPluggableSourceFactory>(a));
    {
        TUser user(dlg, "", 1, false);
        EXPECT_FALSE(dlg.Execute());
    }
    EXPECT_EQ(dlg.CurrentFactory(), nullptr);  // an empty name stops after the label
    EXPECT_EQ(dlg.PictureLabel->Caption(), "(none)");
    {
        TUser user(dlg, "/tmp/y.a", 5, true);  // no such filter: nothing asked
        EXPECT_TRUE(dlg.Execute());
    }
    EXPECT_EQ(dlg.CurrentFactory(), nullptr);
    EXPECT_TRUE(a->Asked.empty());
    dlg.Refresh();  // no current source: nothing happens
    EXPECT_EQ(dlg.TreeView->GetSourceItemsCount(), 0);
}

#include <gtest/gtest.h>

#include "Browserdialogs.h"
#include "Plugs.h"
#include "ProjectTestHost.h"

namespace {

class TFilterFactory : public TTestSourceFactoryBase {
public:
    explicit TFilterFactory(String filter) : Filter(std::move(filter)) {}
    void GetFilter(String& f) override { f = Filter; }
    bool CanLoad(const String& name) override
    {
        Asked.push_back(name);
        return true;
    }
    String Filter;
    std::vector<String> Asked;
};

// What the dialog showed while it ran.
struct TSeen {
    TControl* PanelParent = nullptr;
    TForm* Window = nullptr;  // only compared: it is gone after Execute
    int WindowWidth = 0;
    TRect Panel{}, Tree{};
    std::vector<String> Labels;  // the label after each selection change
};

class brannow_OpenDialog : public ProjectTestHost {
protected:
    brannow_OpenDialog() : ProjectTestHost("brannow_open_") {}

    void Watch(TOpenBrowserDialog& dlg, TSeen& seen)
    {
        auto change = dlg.OnSelectionChange;
        dlg.OnSelectionChange = [&dlg, &seen, change](TObject* s) {
            if (seen.Labels.empty()) {
                seen.Labels.push_back("before");
                dlg.PictureLabel->SetCaption("old text");
            }
            change(s);
            seen.Labels.push_back(dlg.PictureLabel->Caption());
            seen.PanelParent = dlg.PicturePanel->Parent();
            seen.Window = dlg.Window();
            seen.WindowWidth = dlg.Window()->ClientWidth();
            seen.Panel = dlg.PicturePanel->BoundsRect();
            seen.Tree = dlg.TreeView->BoundsRect();
        };
    }
};

}  // namespace

TEST_F(brannow_OpenDialog, FilterJoinsTheFactoriesAndTheSelectionAsksTheChosenOne)
{
    AtomicWriteFile(dir + "x.tlb", "library");
    hostimpl::SetDialogAnswer("open.files", "x.tlb");
    hostimpl::SetDialogAnswer("open.filter", "2");
    TOpenBrowserDialog dlg(nullptr);
    TIntfPtr<TFilterFactory> a(new TFilterFactory("Assemblies (*.dll)|*.dll")),
        b(new TFilterFactory("Type libraries (*.tlb)|*.tlb"));
    dlg.AddType(TIntfPtr<IPluggableSourceFactory>(a));
    dlg.AddType(TIntfPtr<IPluggableSourceFactory>(b));
    TSeen seen;
    Watch(dlg, seen);
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.FileName, dir + "x.tlb");
    EXPECT_EQ(dlg.FilterIndex, 2);
    EXPECT_EQ(dlg.Filter, "Assemblies (*.dll)|*.dll|Type libraries (*.tlb)|*.tlb");
    EXPECT_EQ(b->Asked, (std::vector<String>{dir + "x.tlb"}));
    EXPECT_TRUE(a->Asked.empty());
    EXPECT_EQ(dlg.CurrentFactory().get(), static_cast<IPluggableSourceFactory*>(b.get()));
    // the start (no file shown) and the user's choice: "(none)" after each
    EXPECT_EQ(seen.Labels, (std::vector<String>{"before", "(none)", "(none)"}));
    // the panel lay in the dialog's window right of the standard controls, the tree below the label
    ASSERT_NE(seen.Window, nullptr);
    EXPECT_EQ(seen.PanelParent, seen.Window);
    EXPECT_EQ(seen.Panel.Left, TOpenDialog::kStandardWidth);
    EXPECT_EQ(seen.Panel.Right, seen.WindowWidth);
    EXPECT_EQ(seen.Panel.Bottom - seen.Panel.Top, TOpenDialog::kStandardHeight);
    EXPECT_EQ(seen.Tree.Top, 33);
    EXPECT_EQ(seen.Tree.Right - seen.Tree.Left, TOpenBrowserDialog::kPanelWidth - 10);
    EXPECT_EQ(seen.Tree.Bottom - seen.Tree.Top, TOpenDialog::kStandardHeight - 53);
    // the window is gone with the dialog's end; the panel stays the dialog's
    EXPECT_EQ(dlg.Window(), nullptr);
    EXPECT_EQ(dlg.PicturePanel->Parent(), nullptr);
    EXPECT_EQ(dlg.PicturePanel->Owner(), &dlg);
}

TEST_F(brannow_OpenDialog, CancelEmptyNameAndBadFilterIndex)
{
    TOpenBrowserDialog dlg(nullptr);
    TIntfPtr<TFilterFactory> a(new TFilterFactory("A|*.a"));
    dlg.AddType(TIntfPtr<IPluggableSourceFactory>(a));
    TSeen seen;
    Watch(dlg, seen);
    EXPECT_FALSE(dlg.Execute());  // no answer: cancelled
    EXPECT_EQ(dlg.CurrentFactory(), nullptr);  // an empty name stops after the label
    EXPECT_EQ(seen.Labels, (std::vector<String>{"before", "(none)"}));
    EXPECT_TRUE(a->Asked.empty());

    hostimpl::SetDialogAnswer("open.files", "y.a");
    dlg.FilterIndex = 5;  // set by code to a filter the dialog lacks: nothing is asked
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.CurrentFactory(), nullptr);
    EXPECT_TRUE(a->Asked.empty());
    dlg.Refresh();  // no current source: nothing happens
    EXPECT_EQ(dlg.TreeView->GetSourceItemsCount(), 0);
    // an answer naming a filter the dialog lacks is refused
    hostimpl::SetDialogAnswer("open.filter", "2");
    EXPECT_THROW(dlg.Execute(), EHostError);
    EXPECT_EQ(dlg.Window(), nullptr);
}

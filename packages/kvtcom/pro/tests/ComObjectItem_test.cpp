// The COM object item's dialog and what it takes from it; the toolbox bitmaps of a library's
// controls.
#include <gtest/gtest.h>

#include "UpdaterHost.h"
#include "host/TypeLibrary.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

class kvtcompro_ComObjectItem : public UpdaterHost {
protected:
    kvtcompro_ComObjectItem() : UpdaterHost("kvtcompro_comitem_") {}
    void WriteReceivedFiles()
    {
        for (const auto& f : ReceivedFiles()) AtomicWriteFileNoSync(f.FileName, f.Text);
    }
};

// The item as the gallery makes it, its dialog shown for the active project.
class TShownComObject : public TCppNewComObject {
public:
    using TCppNewComObject::ShowExpert;
    void ForActiveProject() { Project = ActiveProject(); }
};

TEST_F(kvtcompro_ComObjectItem, TheDialogComesWithItsHelpAndAFreeCoClassName)
{
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "ActiveX Library"));
    SetDialogAnswer("form.CppComObjectExpert", "btnOK");
    TShownComObject item;
    item.ForActiveProject();
    std::unique_ptr<TComObjectExpert> d = item.ShowExpert();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->HelpContext, hcNewComObject);
    EXPECT_EQ(d->Caption(), "New COM Object");
    EXPECT_EQ(d->CoClassName(), "CoClass1");
    // a name the library has is not proposed again
    GetTypeLibrary(ActiveProject().get())->AddCoClass("CoClass1", "", "", false, false);
    d = item.ShowExpert();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->CoClassName(), "CoClass2");
    // a cancelled dialog is gone
    SetDialogAnswer("form.CppComObjectExpert", "btnCancel");
    EXPECT_EQ(item.ShowExpert(), nullptr);
}

TEST_F(kvtcompro_ComObjectItem, ShowComObjectExpertTakesTheDialogCaptionAndName)
{
    SetDialogAnswer("form.AutoObjectCppExpert", "btnOK");
    TShownComObject item;
    std::unique_ptr<TComObjectExpert> d = item.ShowComObjectExpert(
        [] { return std::unique_ptr<TComObjectExpert>(new TAutoObjectCppExpert); }, 77, "Orders", "Orders");
    ASSERT_NE(d, nullptr);
    EXPECT_NE(dynamic_cast<TAutoObjectCppExpert*>(d.get()), nullptr);
    EXPECT_EQ(d->HelpContext, 77);
    EXPECT_EQ(d->Caption(), "Orders");
    EXPECT_EQ(d->CoClassName(), "Orders");
}

TEST_F(kvtcompro_ComObjectItem, TheOleAutomationMarkReachesTheTypeLibrary)
{
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "ActiveX Library"));
    const struct {
        const char *coClass, *mark;
        bool marked;
    } cases[] = {{"Plain", "false", false}, {"Marked", "true", true}};
    for (const auto& c : cases) {
        SetDialogAnswer("form.CppComObjectExpert", "btnOK");
        SetDialogAnswer("form.CppComObjectExpert.edtClassName", c.coClass);
        SetDialogAnswer("form.CppComObjectExpert.cbMarkOleAutomation", c.mark);
        ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "COM Object")) << c.coClass;
        const TTypeObject* intf = GetTypeLibrary(ActiveProject().get())->FindType(String("I") + c.coClass);
        ASSERT_NE(intf, nullptr) << c.coClass;
        EXPECT_EQ(intf->HasAttribute("oleautomation"), c.marked) << c.coClass;
        EXPECT_EQ(intf->ParentName, "IUnknown") << c.coClass;
    }
}

TEST_F(kvtcompro_ComObjectItem, EachControlOfALibraryHasAToolboxBitmapOfItsOwn)
{
    ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "ActiveX Library"));
    const char* const forms[] = {"First", "Second", "Third"};
    for (const char* name : forms) {
        SetDialogAnswer("com.coclass", name);
        ASSERT_TRUE(RunGalleryItem("Quistor.Tolvane.ActiveX", "Active Form")) << name;
        WriteReceivedFiles();
    }
    const String expected[] = {"DECLARE_ACTIVEXCONTROL_REGISTRY(\"\", 1);",
                               "DECLARE_ACTIVEXCONTROL_REGISTRY(\"\", 2);",
                               "DECLARE_ACTIVEXCONTROL_REGISTRY(\"\", 3);"};
    for (int i = 0; i < 3; ++i) {
        const String header = ReadFileBytes(dir + forms[i] + "Impl1.h");
        EXPECT_NE(header.find(expected[i]), String::npos) << forms[i] << "\n" << header;
    }
    // a number taken by hand is not given again
    const String third = dir + "ThirdImpl1.h";
    String h = ReadFileBytes(third);
    h.replace(h.find(expected[2]), expected[2].size(), "DECLARE_ACTIVEXCONTROL_REGISTRY(\"\", 40);");
    AtomicWriteFileNoSync(third, h);
    EXPECT_EQ(NextToolboxBitmapNumber(ActiveProject().get()), 41);
}

}  // namespace

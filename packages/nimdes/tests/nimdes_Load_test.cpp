#include <gtest/gtest.h>

#include <cstdlib>

#include "PackageTestHost.h"
#include "hostimpl/HostImpl.h"
#include "host/ComponentEditors.h"
#include "host/CppProject.h"
#include "host/CustomModules.h"
#include "host/ModuleServices.h"
#include "host/Palette.h"
#include "host/PropertyEditors.h"
#include "host/Registry.h"
#include "host/SplashServices.h"
#include "hostimpl/PackageLoader.h"
#include "host/WizardServices.h"
#include "rtl/Debug.h"
#include "rtl/Files.h"
#include "zub/Dialogs.h"
#include "zub/ExtCtrls.h"
#include "zub/Forms.h"
#include "zub/StdCtrls.h"

using namespace hostimpl;

namespace {

class nimdes_Load : public PackageTestHost {
protected:
    nimdes_Load() : PackageTestHost("nimdes_load_", NIMDES_PACKAGE_DIR) {}
    void SetUp() override
    {
        setenv("ZEFPROJECTSDIR", (dir + "projects").c_str(), 1);
        PackageTestHost::SetUp();
        loader->Load("nimdes");
    }
    void TearDown() override
    {
        SetModalHook(nullptr);
        PackageTestHost::TearDown();
        unsetenv("ZEFPROJECTSDIR");
    }
    static std::vector<TGalleryEntry> Nimbrel()
    {
        std::vector<TGalleryEntry> r;
        for (auto& e : GalleryEntries())
            if (e.Id.rfind("Pelmor.", 0) == 0) r.push_back(e);
        return r;
    }
    template <class T>
    static T* Find(TForm& f, const char* name)
    {
        auto* c = dynamic_cast<T*>(f.FindComponent(name));
        if (!c) throw std::runtime_error(String("no ") + name);
        return c;
    }
};

TEST_F(nimdes_Load, RegisterListsTheWizardsAndUnloadTakesThemBack)
{
    auto items = Nimbrel();
    ASSERT_EQ(items.size(), 8u);
    const std::pair<const char*, const char*> want[] = {
        {"Pelmor.QZApplicationWizard", "Nimbrel Application Wizard"},
        {"Pelmor.QZUnitWizard", "New Form"},
        {"Pelmor.QZFrameWizard", "New Frame"},
        {"Pelmor.QZTestWizard", "Nimbrel Test Application"},
        {"Pelmor.QZTestUnitWizard", "New Nimbrel Test"},
        {"Pelmor.QZApplicationWizard_KVT", "Nimbrel Application Wizard"},
        {"Pelmor.QZUnitWizard_KVT", "New Form"},
        {"Pelmor.QZFrameWizard_KVT", "New Frame"}};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(items[i].Id, want[i].first);
        EXPECT_EQ(items[i].Caption, want[i].second);
        // the application wizards show the application icon, the others the form icon, both
        // pictures of the package's own
        EXPECT_EQ(items[i].IconName, i == 0 || i == 3 || i == 5 ? "QZ_APP_ICON" : "QZ_FORM_ICON");
        TPicture icon;
        EXPECT_NO_THROW(icon.LoadFromIconResource(items[i].Module, items[i].IconName)) << items[i].Id;
        EXPECT_EQ(icon.Width(), 32);
        EXPECT_EQ(icon.Height(), 32);
    }
    // Both personalities' categories carry the application wizard's ID.
    EXPECT_EQ(items[1].CategoryId, "Pelmor.QZApplicationWizard");
    EXPECT_EQ(items[4].CategoryId, "Pelmor.QZApplicationWizard");
    EXPECT_EQ(items[6].CategoryId, "Pelmor.QZApplicationWizard_KVT");
    TIntfPtr<IQTAWizardServices> ws;
    ASSERT_TRUE(Supports(QuistorIDEServices(), ws));
    EXPECT_EQ(ws->WizardCount(), 8);
    loader->Unload("nimdes");
    EXPECT_TRUE(Nimbrel().empty());
    EXPECT_EQ(ws->WizardCount(), 0);
    TIntfPtr<IQGalleryCategoryManager> gm = RequireService<IQGalleryCategoryManager>("gallery");
    EXPECT_EQ(gm->FindCategory("Pelmor.QZApplicationWizard"), nullptr);
}

String Join(const std::vector<String>& v)
{
    String r;
    for (const auto& s : v) r += s + "\n";
    return r;
}

TEST_F(nimdes_Load, RegistrationTranscriptInTableOrderAndNothingLeftAfterUnload)
{
    std::vector<String> pages;
    for (const auto& p : PalettePages()) {
        String line = p.Name + ":";
        for (auto c : p.Classes) line += String(" ") + c->ClassName;
        pages.push_back(line);
    }
    EXPECT_EQ(
        Join(pages),
        "QZ Standard: TQZApplet TQZButton TQZCheckBox TQZComboBox TQZEdit TQZFile TQZFlash TQZHRule TQZImage "
        "TQZImageFile TQZImageButton TQZList TQZLabel TQZListbox TQZLink TQZMemo TQZMenu TQZProgressBar "
        "TQZRadioGroup TQZRectangle TQZRegion TQZText TQZTimer TQZGrid TQZTreeView TQZURL TQZURLWindow "
        "TQZActiveX TQZMPEG TQZQuickTime TQZCalendar TQZOrderedListbox TQZTabControl TQZTimeEdit "
        "TQZRadioButton\n"
        "QZ Control: TQZTemplateProcessorHTML TQZTemplateProcessorHTML32 TQZLayoutMgrForm TQZPageProducer "
        "TQZPageProducer32 TQZModuleController TQZClientSideDataset TQZStandAloneServer "
        "TQZClientSideDatasetDBLink TQZPageController TQZPageController32 TQZLayoutMgrHTML "
        "TQZLayoutMgrHTML32 "
        "TQZImageList TQZDataModulePool TQZTemplateProcessorWAP TQZProgressIndicator\n"
        "QZ Standard 3.2: TQZLabel32 TQZEdit32 TQZFile32 TQZButton32 TQZList32 TQZHRule32 TQZListbox32 "
        "TQZComboBox32 TQZRadioGroup32 TQZRegion32 TQZImage32 TQZImageFile32 TQZURL32 TQZGrid32 TQZMemo32 "
        "TQZText32 TQZRectangle32 TQZCheckBox32 TQZHyperLink32 TQZRadioButton32\n"
        "QZ WAP: TQZLabelWAP TQZEditWAP TQZImageWAP TQZImageFileWAP TQZButtonWAP TQZRadioButtonWAP "
        "TQZCheckBoxWAP TQZHyperLinkWAP TQZURLWAP TQZComboBoxWAP TQZListBoxWAP TQZLinkWAP TQZGridWAP\n"
        "QZ Data: TQZDBCheckBox TQZDBComboBox TQZDBEdit TQZDBGrid TQZDBImage TQZDBLabel TQZDBListbox "
        "TQZDBLookupListBox TQZDBLookupComboBox TQZDBFile TQZDBMemo TQZDBNavigator TQZDBText "
        "TQZDBRadioGroup\n"
        "QZ Client Side: TQZCSLabel TQZCSNavigator TQZDynamicChart TQZDynamicChartLegend TQZDynGrid\n"
        "QZ Data 3.2: TQZDBEdit32 TQZDBCheckBox32 TQZDBComboBox32 TQZDBLabel32 TQZDBListbox32 "
        "TQZDBLookupComboBox32 TQZDBLookupListBox32 TQZDBMemo32 TQZDBText32 TQZDBImage32 TQZDBRadioGroup32 "
        "TQZDBGrid32\n"
        "QZ Data WAP: TQZDBLabelWAP TQZDBEditWAP TQZDBCheckBoxWAP TQZDBComboBoxWAP TQZDBListBoxWAP "
        "TQZDBLookupComboBoxWAP TQZDBLookupListBoxWAP TQZDBImageWAP\n");
    EXPECT_EQ(NonActiveXEntries().size(), 124u);
    EXPECT_FALSE(OfferedAsActiveX(PalettePages()[0].Classes[1]));

    std::vector<String> props;
    for (const auto& e : PropertyEditorEntries())
        props.push_back(String(e.PropertyType->Name) + " " + e.ComponentClass->ClassName + " " +
                        (e.PropertyName.empty() ? String("*") : e.PropertyName) + " " + e.Editor->ClassName);
    EXPECT_EQ(Join(props), "String TQZDBGridColumn DataField TQZDataGridColumnFieldProperty\n"
                           "String TQZDBLookupComboBox KeyField TQZKeyFieldProperty\n"
                           "String TQZDBLookupListBox KeyField TQZKeyFieldProperty\n"
                           "String TQZDBGridColumn LinkField TQZDataGridColumnFieldProperty\n"
                           "TFileName TQZFileReference Filename TFilenameReferenceProperty\n"
                           "String TQZCustomControl ListField TQZDataListFieldProperty\n"
                           "String TQZTreeView TreeNodes TTreeViewItemsProperty\n"
                           "TQZScriptEvents TQZCustomControl ScriptEvents TQZScriptEventsProperty\n"
                           "TQZColor TQZBaseHTMLControl * TQZColorEditor\n"
                           "TQZColor TQZBorderOptions Color TQZColorEditor\n"
                           "TQZColor TQZBaseWAPControl * TQZColorEditor\n"
                           "TQZColor TQZAppForm * TQZColorEditor\n"
                           "TQZColor TQZAppForm32 * TQZColorEditor\n"
                           "TQZColor TQZAppFormWAP * TQZColorEditor\n"
                           "TQZColor TQZPageForm * TQZColorEditor\n"
                           "TQZColor TQZPageForm32 * TQZColorEditor\n"
                           "TQZColor TQZHTMLContainer * TQZColorEditor\n"
                           "TQZColor TQZContainerBorderOptions * TQZColorEditor\n"
                           "TQZColor TQZFont Color TQZColorEditor\n"
                           "TQZColor TQZMenuStyle BGColor TQZColorEditor\n"
                           "TQZColor TQZMenuStyle DisabledItemBGColor TQZColorEditor\n"
                           "TQZColor TQZMenuStyle ItemBGColor TQZColorEditor\n"
                           "TQZColor TQZMenuStyle SelectedItemBGColor TQZColorEditor\n"
                           "TQZColor TQZMenuStyle BorderColor TQZColorEditor\n"
                           "TQZColor TQZGridBorderColors Color TQZColorEditor\n"
                           "TQZColor TQZGridBorderColors Dark TQZColorEditor\n"
                           "TQZColor TQZGridBorderColors Light TQZColorEditor\n"
                           "TQZColor TQZProgressIndicator BGColor TQZColorEditor\n"
                           "TQZColor TQZProgressIndicator BoxColor TQZColorEditor\n"
                           "String TQZCustomControl FieldName TQZCSFieldNameProperty\n"
                           "String TQZFont FontFamily TQZFontFamilyProperty\n"
                           "TStrings TQZLayoutMgrHTML HTML TLayoutMgrHTMLProperty\n"
                           "TStrings TQZLayoutMgrHTML32 HTML TLayoutMgrHTMLProperty\n");

    std::vector<String> comps;
    for (const auto& e : ComponentEditorEntries())
        comps.push_back(String(e.ComponentClass->ClassName) + " " + e.Editor->ClassName);
    EXPECT_EQ(
        Join(comps),
        "TQZBaseControl TQZControlAbout\nTQZRegion TQZControlAbout\nTQZBaseContainerLayout TQZControlAbout\n"
        "TQZClientSideDatasetBase TQZControlAbout\nTQZTreeView TQZTreeViewComponent\n"
        "TQZTabControl TQZDsnTabControl\nTQZPageProducer TQZControlAbout\nTQZModuleController "
        "TQZControlAbout\n"
        "TQZStandAloneServer TQZControlAbout\nTQZLayoutMgrHTML TLayoutMgrHTMLComponent\n"
        "TQZLayoutMgrHTML32 TLayoutMgrHTMLComponent\n");

    std::vector<String> modules;
    for (const auto& e : CustomModuleEntries())
        modules.push_back(String(e.BaseClass->ClassName) + " " + e.Module->ClassName);
    EXPECT_EQ(Join(modules), "TQZServerControllerBase TQZServerControllerDesignModule\n"
                             "TQZUserSessionBase TQZUserSessionDesignModule\nTQZAppForm TQZDesignModule\n"
                             "TQZAppFormWAP TQZDesignWAPModule\nTQZAppForm32 TQZDesign32Module\n"
                             "TQZPageForm32 TQZDesign32Module\nTQZPageForm TQZDesignModule\n");
    ASSERT_NE(GetComponentClass("tqztabpage"), nullptr);
    ASSERT_FALSE(SplashEntries().empty());
    EXPECT_EQ(SplashEntries().back().Caption, "Nimbrel 9 for Quistor Developer Studio 2006");
    EXPECT_EQ(SplashEntries().back().Width, 48);
    EXPECT_EQ(SplashEntries().back().Height, 45);

    loader->Unload("nimdes");
    EXPECT_TRUE(PalettePages().empty());
    EXPECT_TRUE(NonActiveXEntries().empty());
    EXPECT_TRUE(PropertyEditorEntries().empty());
    EXPECT_TRUE(ComponentEditorEntries().empty());
    EXPECT_TRUE(CustomModuleEntries().empty());
    EXPECT_TRUE(RegisteredComponentClasses().empty());
}

// Every call of the registration, across all registries, in the order made; the unload takes
// the wizards back in the order C++ frame, form, application, then the Pascal ones, then the tests.
TEST_F(nimdes_Load, RegistrationCallsInterleaveAsTheTablesSay)
{
    loader->Unload("nimdes");
    std::vector<String> calls;
    {
        TDebugCapture log;
        loader->Load("nimdes");
        loader->Unload("nimdes");
        for (const String& l : log.Lines())
            if (l.rfind("register: ", 0) == 0) calls.push_back(l.substr(10));
    }
    // The HTML manager's unit registers its class when the package's units start.
    EXPECT_EQ(Join(calls),
              "RegisterClasses TQZHTMLManager\n"
              "AddPluginBitmap Nimbrel 9 for Quistor Developer Studio 2006\n"
              "AddWizard Pelmor.QZApplicationWizard\n"
              "AddWizard Pelmor.QZUnitWizard\n"
              "AddWizard Pelmor.QZFrameWizard\n"
              "AddWizard Pelmor.QZTestWizard\n"
              "AddWizard Pelmor.QZTestUnitWizard\n"
              "AddWizard Pelmor.QZApplicationWizard_KVT\n"
              "AddWizard Pelmor.QZUnitWizard_KVT\n"
              "AddWizard Pelmor.QZFrameWizard_KVT\n"
              "RegisterComponents QZ Standard, 35 classes\n"
              "TQZHTMLManager.RegisterComponents QZ Standard, 35 classes\n"
              "RegisterNonActiveX 35 classes, kind 1\n"
              "RegisterComponents QZ Control, 17 classes\n"
              "TQZHTMLManager.RegisterComponents QZ Control, 17 classes\n"
              "RegisterNonActiveX 17 classes, kind 1\n"
              "RegisterComponents QZ Standard 3.2, 20 classes\n"
              "TQZHTMLManager.RegisterComponents QZ Standard 3.2, 20 classes\n"
              "RegisterNonActiveX 20 classes, kind 1\n"
              "RegisterComponents QZ WAP, 13 classes\n"
              "TQZHTMLManager.RegisterComponents QZ WAP, 13 classes\n"
              "RegisterNonActiveX 13 classes, kind 1\n"
              "RegisterComponents QZ Data, 14 classes\n"
              "TQZHTMLManager.RegisterComponents QZ Data, 14 classes\n"
              "RegisterNonActiveX 14 classes, kind 1\n"
              "RegisterComponents QZ Client Side, 5 classes\n"
              "TQZHTMLManager.RegisterComponents QZ Client Side, 5 classes\n"
              "RegisterNonActiveX 5 classes, kind 1\n"
              "RegisterComponents QZ Data 3.2, 12 classes\n"
              "TQZHTMLManager.RegisterComponents QZ Data 3.2, 12 classes\n"
              "RegisterNonActiveX 12 classes, kind 1\n"
              "RegisterComponents QZ Data WAP, 8 classes\n"
              "TQZHTMLManager.RegisterComponents QZ Data WAP, 8 classes\n"
              "RegisterNonActiveX 8 classes, kind 1\n"
              "RegisterPropertyEditor String TQZDBGridColumn DataField TQZDataGridColumnFieldProperty\n"
              "RegisterPropertyEditor String TQZDBLookupComboBox KeyField TQZKeyFieldProperty\n"
              "RegisterPropertyEditor String TQZDBLookupListBox KeyField TQZKeyFieldProperty\n"
              "RegisterPropertyEditor String TQZDBGridColumn LinkField TQZDataGridColumnFieldProperty\n"
              "RegisterPropertyEditor TFileName TQZFileReference Filename TFilenameReferenceProperty\n"
              "RegisterPropertyEditor String TQZCustomControl ListField TQZDataListFieldProperty\n"
              "RegisterPropertyEditor String TQZTreeView TreeNodes TTreeViewItemsProperty\n"
              "RegisterPropertyEditor TQZScriptEvents TQZCustomControl ScriptEvents TQZScriptEventsProperty\n"
              "RegisterPropertyEditor TQZColor TQZBaseHTMLControl * TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZBorderOptions Color TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZBaseWAPControl * TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZAppForm * TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZAppForm32 * TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZAppFormWAP * TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZPageForm * TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZPageForm32 * TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZHTMLContainer * TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZContainerBorderOptions * TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZFont Color TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZMenuStyle BGColor TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZMenuStyle DisabledItemBGColor TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZMenuStyle ItemBGColor TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZMenuStyle SelectedItemBGColor TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZMenuStyle BorderColor TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZGridBorderColors Color TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZGridBorderColors Dark TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZGridBorderColors Light TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZProgressIndicator BGColor TQZColorEditor\n"
              "RegisterPropertyEditor TQZColor TQZProgressIndicator BoxColor TQZColorEditor\n"
              "RegisterPropertyEditor String TQZCustomControl FieldName TQZCSFieldNameProperty\n"
              "RegisterPropertyEditor String TQZFont FontFamily TQZFontFamilyProperty\n"
              "RegisterComponentEditor TQZBaseControl TQZControlAbout\n"
              "RegisterComponentEditor TQZRegion TQZControlAbout\n"
              "RegisterComponentEditor TQZBaseContainerLayout TQZControlAbout\n"
              "RegisterComponentEditor TQZClientSideDatasetBase TQZControlAbout\n"
              "RegisterComponentEditor TQZTreeView TQZTreeViewComponent\n"
              "RegisterComponentEditor TQZTabControl TQZDsnTabControl\n"
              "RegisterComponentEditor TQZPageProducer TQZControlAbout\n"
              "RegisterComponentEditor TQZModuleController TQZControlAbout\n"
              "RegisterComponentEditor TQZStandAloneServer TQZControlAbout\n"
              "RegisterCustomModule TQZServerControllerBase TQZServerControllerDesignModule\n"
              "RegisterCustomModule TQZUserSessionBase TQZUserSessionDesignModule\n"
              "RegisterCustomModule TQZAppForm TQZDesignModule\n"
              "RegisterCustomModule TQZAppFormWAP TQZDesignWAPModule\n"
              "RegisterCustomModule TQZAppForm32 TQZDesign32Module\n"
              "RegisterCustomModule TQZPageForm32 TQZDesign32Module\n"
              "RegisterCustomModule TQZPageForm TQZDesignModule\n"
              "RegisterComponentEditor TQZLayoutMgrHTML TLayoutMgrHTMLComponent\n"
              "RegisterComponentEditor TQZLayoutMgrHTML32 TLayoutMgrHTMLComponent\n"
              "RegisterPropertyEditor TStrings TQZLayoutMgrHTML HTML TLayoutMgrHTMLProperty\n"
              "RegisterPropertyEditor TStrings TQZLayoutMgrHTML32 HTML TLayoutMgrHTMLProperty\n"
              "RegisterClasses TQZTabPage\n"
              "RemoveWizard Pelmor.QZFrameWizard_KVT\n"
              "RemoveWizard Pelmor.QZUnitWizard_KVT\n"
              "RemoveWizard Pelmor.QZApplicationWizard_KVT\n"
              "RemoveWizard Pelmor.QZFrameWizard\n"
              "RemoveWizard Pelmor.QZUnitWizard\n"
              "RemoveWizard Pelmor.QZApplicationWizard\n"
              "RemoveWizard Pelmor.QZTestWizard\n"
              "RemoveWizard Pelmor.QZTestUnitWizard\n");
    EXPECT_TRUE(GalleryEntries().empty());
}

// The file-name editor of file references, found as the object inspector finds it: the
// host's file-open dialog on the current value; a confirmed file becomes the value.
TEST_F(nimdes_Load, FileNameEditorOpensTheFileDialogOnTheValue)
{
    TComponentClass fileReference = nullptr;
    for (const auto& e : PropertyEditorEntries())
        if (e.PropertyName == "Filename") fileReference = e.ComponentClass;
    ASSERT_NE(fileReference, nullptr);
    TPropertyEditorClass cls = FindPropertyEditor(&TypeInfoFileName, fileReference, "filename");
    ASSERT_NE(cls, nullptr);
    EXPECT_STREQ(cls->ClassName, "TFilenameReferenceProperty");

    const String web = dir + "web/";
    ASSERT_TRUE(ForceDirectories(web));
    AtomicWriteFile(web + "kopf.png", "x");
    std::vector<String> written;
    int modified = 0;
    TPropertyTarget t;
    t.PropName = "Filename";
    t.GetValue = [&] { return web + "logo.gif"; };
    t.SetValue = [&](const String& v) { written.push_back(v); };
    t.OnModified = [&] { ++modified; };
    std::unique_ptr<TPropertyEditor> editor(cls->Create(t));
    EXPECT_EQ(editor->GetAttributes(), 132u);  // dialog and revertable

    hostimpl::SetDialogAnswer("open.files", web + "kopf.png");
    {
        TDebugCapture log;
        editor->Edit();
        // Options: the default (read-only box hidden) with help button, path and file must exist.
        EXPECT_TRUE(log.Contains("open dialog: filter All files (*.*)|*.*, options 0x314, folder " + web +
                                 ", file " + web + "logo.gif"));
    }
    EXPECT_EQ(written, std::vector<String>{web + "kopf.png"});
    EXPECT_EQ(modified, 1);

    // A file that does not exist cannot be confirmed; no answer cancels.
    hostimpl::SetDialogAnswer("open.files", web + "fehlt.png");
    editor->Edit();
    hostimpl::ClearDialogAnswers();
    editor->Edit();
    EXPECT_EQ(written.size(), 1u);
    EXPECT_EQ(modified, 1);
}

TEST_F(nimdes_Load, ApplicationWizardCreatesTheProjectFromTheDialog)
{
    SetModalHook([](TForm& f) {
        Find<TEdit>(f, "editProject")->UserSetText("Shop");
        Find<TCheckBox>(f, "chkbPool")->SetChecked(true);
        Find<TComboBox>(f, "cboxFormType")->SetItemIndex(1);
        Find<TButton>(f, "butnOk")->Click();
    });
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard_KVT", "Nimbrel Application Wizard"));
    auto project = ActiveProject();
    ASSERT_NE(project, nullptr);
    const String pdir = dir + "projects/Shop/";
    EXPECT_EQ(project->FileName(), pdir + "Shop.cpp");
    EXPECT_TRUE(DirectoryExists(pdir));
    ASSERT_EQ(project->ModuleCount(), 4);  // main form, controller, session, data module
    auto main = project->Module(0);
    EXPECT_EQ(main->FormName(), "QZForm1");
    EXPECT_NE(main->File(0)->Source().find("TQZAppForm32(Owner)"), String::npos);
    EXPECT_EQ(project->Module(3)->FileName(), pdir + "DatamoduleUnit.cpp");

    // A form wizard run adds a page form to that project.
    SetModalHook([](TForm& f) {
        Find<TRadioGroup>(f, "rgrpForm")->SetItemIndex(4);
        Find<TButton>(f, "Button1")->Click();
    });
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard_KVT", "New Form"));
    ASSERT_EQ(project->ModuleCount(), 5);
    auto page = project->Module(4);
    EXPECT_NE(page->File(0)->Source().find("#pragma startup RegisterPage"), String::npos);
    EXPECT_NE(page->File(0)->Source().find(": TQZPageForm32(Owner)"), String::npos);
}

TEST_F(nimdes_Load, CancelCreatesNothing)
{
    SetModalHook([](TForm& f) { Find<TButton>(f, "butnCancel")->Click(); });
    EXPECT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard", "Nimbrel Application Wizard"));
    EXPECT_EQ(ActiveProject(), nullptr);
    EXPECT_TRUE(ReceivedFiles().empty());
}

TEST_F(nimdes_Load, FrameWizardWithoutProjectIsNotAvailable)
{
    SetModalHook([](TForm& f) { Find<TButton>(f, "Button1")->Click(); });
    EXPECT_THROW(RunGalleryItem("Pelmor.QZApplicationWizard", "New Frame"), EHostError);
    EXPECT_TRUE(ReceivedFiles().empty());
}

TEST_F(nimdes_Load, TestApplicationGoesStraightIntoTheTestProjectsFolder)
{
    // the host's folder stands for the user's documents
    const String folder = dir + "Quistor Studio Projects/";
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard", "Nimbrel Test Application"));
    auto project = ActiveProject();
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(project->FileName(), folder + "Project1.pdr");
    EXPECT_TRUE(DirectoryExists(folder));
    ASSERT_EQ(project->ModuleCount(), 1);
    auto unit = project->Module(0);
    ASSERT_EQ(unit->FileCount(), 1);  // no form file
    EXPECT_EQ(
        project->File(0)->Source(),
        "program Project1;\r\n\r\nuses\r\n  Forms,\r\n  TestFramework,\r\n  GUITestRunner,\r\n  QZInit,\r\n"
        "  QZGlobal,\r\n  Unit1 in 'Unit1.pas';\r\n\r\n{$R *.res}\r\n\r\nbegin\r\n"
        "  GAppModeInit(Application);\r\n  TGUITestRunner.runRegisteredTests;\r\nend.\r\n");
    // a second run: the group has Project1, so Project2 even though its folder exists
    ASSERT_TRUE(ForceDirectories(folder + "Project2"));
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard", "Nimbrel Test Application"));
    EXPECT_EQ(ActiveProject()->FileName(), folder + "Project2.pdr");
    // every project of the group counts, not only the active one
    ASSERT_TRUE(ForceDirectories(dir + "desk"));
    OpenProject("desk/Desk.zproj");
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard", "Nimbrel Test Application"));
    EXPECT_EQ(ActiveProject()->FileName(), folder + "Project3.pdr");
    // the test unit wizard adds a unit named by the host to the current project
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard", "New Nimbrel Test"));
    auto p2 = ActiveProject();
    ASSERT_EQ(p2->ModuleCount(), 2);
    String text = p2->Module(1)->File(0)->Source();
    const String ident = p2->Module(1)->UnitName();
    const String cls = "TQZTestCase" + ident.substr(4);
    EXPECT_NE(text.find("unit " + ident + ";"), String::npos);
    for (const String& part :
         {cls + " = class(TTestCase)", "procedure " + cls + ".SetUp;", "procedure " + cls + ".TearDown;",
          "procedure " + cls + ".Test;", "RegisterTest('', " + cls + ".Suite);"})
        EXPECT_NE(text.find(part), String::npos) << part;
    EXPECT_EQ(text.find("%"), String::npos);
    EXPECT_EQ(p2->Module(1)->FileName(), folder + ident + ".pas");
}

TEST_F(nimdes_Load, TestApplicationNeverOverwritesAProjectOrUnitFile)
{
    const String folder = dir + "Quistor Studio Projects/";
    ASSERT_TRUE(ForceDirectories(folder));
    AtomicWriteFile(folder + "Project1.pdr", "mine");
    AtomicWriteFile(folder + "Unit1.pas", "mine too");
    // another project open elsewhere: its folder is not where the test project goes
    ASSERT_TRUE(ForceDirectories(dir + "desk"));
    OpenProject("desk/Desk.zproj");
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard", "Nimbrel Test Application"));
    auto project = ActiveProject();
    EXPECT_EQ(project->FileName(), folder + "Project2.pdr");
    ASSERT_EQ(project->ModuleCount(), 1);
    EXPECT_EQ(project->Module(0)->FileName(), folder + "Unit2.pas");
}

TEST_F(nimdes_Load, NewTestWithoutATestApplicationRunGoesToTheProjectFolder)
{
    ASSERT_TRUE(ForceDirectories(dir + "desk"));
    OpenProject("desk/Desk.zproj");
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard", "New Nimbrel Test"));
    ASSERT_EQ(ReceivedFiles().size(), 1u);
    EXPECT_EQ(ReceivedFiles()[0].FileName, dir + "desk/Unit1.pas");
}

TEST_F(nimdes_Load, ApplicationWizardProposesAFolderInTheHostsProjectsFolder)
{
    unsetenv("ZEFPROJECTSDIR");
    String proposed;
    SetModalHook([&](TForm& f) {
        proposed = Find<TEdit>(f, "editDir")->Text();
        Find<TButton>(f, "butnCancel")->Click();
    });
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard", "Nimbrel Application Wizard"));
    EXPECT_EQ(proposed, dir + "Project1/");
    // a folder of an earlier session and every project of the group are skipped, not only the
    // active one
    ASSERT_TRUE(ForceDirectories(dir + "Project1"));
    OpenProject("Project2.zproj");
    ASSERT_TRUE(ForceDirectories(dir + "p"));
    OpenProject("p/PROJECT3.zproj");
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard", "Nimbrel Application Wizard"));
    EXPECT_EQ(proposed, dir + "Project4/");
}

// The C++ wizards put the framework's library and header folders on the project's paths, once.
TEST_F(nimdes_Load, CppWizardsSetUpTheProjectPaths)
{
    TRegistry().WriteString("Software\\Pelmor Software\\Nimbrel", "KVT Install Path", "/opt/nimbrel");
    SetModalHook([](TForm& f) {
        if (f.Name() == "formAppWizard") {
            Find<TEdit>(f, "editProject")->UserSetText("Shop");
            Find<TButton>(f, "butnOk")->Click();
        } else
            Find<TButton>(f, "Button1")->Click();
    });
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard_KVT", "Nimbrel Application Wizard"));
    auto options = ActiveCppProject();
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->GetOption("LibPath"), ";/opt/nimbrel/");
    EXPECT_EQ(options->GetOption("IncludePath"), ";/opt/nimbrel/include/");
    // the form and frame wizards set up the same project again: nothing is added twice
    options->SetOption("LibPath", "/usr/lib;/opt/nimbrel/");
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard_KVT", "New Form"));
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard_KVT", "New Frame"));
    EXPECT_EQ(options->GetOption("LibPath"), "/usr/lib;/opt/nimbrel/");
    EXPECT_EQ(options->GetOption("IncludePath"), ";/opt/nimbrel/include/");
    // the options file of the project is not its source
    EXPECT_EQ(options->FileName(), dir + "projects/Shop/Shop.zproj");
    TRegistry().DeleteKey("Software\\Pelmor Software\\Nimbrel");
}

TEST_F(nimdes_Load, WithoutAnInstallFolderThePathsStayAsTheyAre)
{
    TRegistry().DeleteKey("Software\\Pelmor Software\\Nimbrel");
    SetModalHook([](TForm& f) { Find<TButton>(f, "butnOk")->Click(); });
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard_KVT", "Nimbrel Application Wizard"));
    auto options = ActiveCppProject();
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->GetOption("LibPath"), "");
    EXPECT_EQ(options->GetOption("IncludePath"), "");
}

TEST_F(nimdes_Load, PascalWizardsLeaveThePathsAlone)
{
    TRegistry().WriteString("Software\\Pelmor Software\\Nimbrel", "KVT Install Path", "/opt/nimbrel");
    SetModalHook([](TForm& f) { Find<TButton>(f, "butnOk")->Click(); });
    ASSERT_TRUE(RunGalleryItem("Pelmor.QZApplicationWizard", "Nimbrel Application Wizard"));
    ASSERT_NE(ActiveProject(), nullptr);
    EXPECT_EQ(ActiveCppProject(), nullptr);  // no C++ project, no options touched
    TRegistry().DeleteKey("Software\\Pelmor Software\\Nimbrel");
}

}  // namespace

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "ProjectTestHost.h"
#include "host/Actions.h"
#include "host/CppProjectOptions.h"
#include "host/FormDesigner.h"
#include "host/GalleryServices.h"
#include "hostimpl/DesignSession.h"
#include "hostimpl/HostImpl.h"
#include "host/Package.h"
#include "host/SourceModule.h"
#include "rtl/Files.h"

using namespace hostimpl;

namespace {

class host_Services : public ProjectTestHost {
protected:
    host_Services() : ProjectTestHost("host_services_") {}
};

TEST(host_ServicesLifetime, ServicesAnswerOnlyWhileTheHostRuns)
{
    EXPECT_EQ(QuistorIDEServices(), nullptr);
    {
        THostSession host(ScratchDir());
        IInterface* s = QuistorIDEServices();
        ASSERT_NE(s, nullptr);
        for (const TGUID& iid : {IQGalleryCategoryManager::IID, IQModuleServices::IID,
                                 IQPersonalityServices::IID, IQCppProjectOptions::IID, IInterface::IID})
            EXPECT_TRUE(Supports(s, iid)) << GUIDToString(iid);
        EXPECT_FALSE(Supports(s, IQModuleCreator::IID));
        EXPECT_THROW(THostSession second(ScratchDir()), EHostError);
    }
    EXPECT_EQ(QuistorIDEServices(), nullptr);
    EXPECT_THROW(ModuleServices(), EHostError);
}

// The inspector comes up when asked (View>Object Inspector, or a package's designer) and then
// shows the properties of the single selected component, sorted by name.
TEST_F(host_Services, TheInspectorShowsTheSelectedComponentOnceBroughtUp)
{
    const String layout = dir + "form.txt";
    AtomicWriteFile(layout,
                    "object Form1: TForm\n"
                    "  object Button1: TButton\n    Width = 75\n    Caption = 'OK'\n    Left = 8\n  end\n"
                    "  object Label1: TLabel\n  end\n"
                    "end\n");
    TDesignSession session;
    auto run = [&](const String& cmd, const std::vector<String>& args = {}) {
        std::ostringstream out;
        EXPECT_TRUE(session.Run(cmd, args, out));
        return String(out.str());
    };
    run("design", {layout});
    TFormDesigner* designer = ActiveDesigner();
    ASSERT_NE(designer, nullptr);
    TComponent* button = designer->FindComponent("Button1");
    designer->SelectComponent(button);
    EXPECT_EQ(run("inspector"), "object inspector: not shown\n");

    auto inspector = RequireService<IQInspectorServices>("object inspector");
    EXPECT_FALSE(inspector->InspectorShowing());
    inspector->ShowObjectInspector();
    EXPECT_TRUE(inspector->InspectorShowing());
    EXPECT_EQ(run("inspector"), "object inspector: shown\n"
                                "  Button1: TButton\n"
                                "    Left = 8\n"
                                "    Name = Button1\n"
                                "    Width = 75\n");
    designer->SetSelection({button, designer->FindComponent("Label1")});
    EXPECT_EQ(run("inspector"), "object inspector: shown\n  2 selected\n");
    designer->SelectComponent(nullptr);
    EXPECT_EQ(run("inspector"), "object inspector: shown\n  nothing selected\n");
    std::ostringstream ignored;
    EXPECT_THROW(session.Run("inspector", {"Button1"}, ignored), Exception);
}

class TNoteItem : public TGalleryItem {
public:
    HOST_GALLERY_CLASS(TNoteItem);
    static inline int Selected = 0;
    void Select(int) override { ++Selected; }
};

TEST_F(host_Services, GalleryCategoriesAndHandlers)
{
    auto gm = RequireService<IQGalleryCategoryManager>("gallery");
    auto top = gm->AddCategory(nullptr, "A.Top", "Top");
    auto sub = gm->AddCategory(top.get(), "A.Top.Sub", "Sub");
    // an existing identifier (any letter case) is answered with the existing category
    EXPECT_EQ(gm->AddCategory(nullptr, "a.top", "Other").get(), top.get());
    EXPECT_EQ(top->DisplayName(), "Top");
    EXPECT_EQ(sub->Parent().get(), top.get());

    int h = RegisterNewHandler("A.Top.Sub", "Note", "ICON", 4, ClassOf<TNoteItem>(), "Note1");
    EXPECT_THROW(RegisterNewHandler("A.Top.Sub", "Note", "ICON", 4, ClassOf<TNoteItem>(), "note1"),
                 EHostError);
    EXPECT_THROW(RegisterNewHandler("No.Such", "Note", "ICON", 4, ClassOf<TNoteItem>(), "Note2"), EHostError);
    TNoteItem::Selected = 0;
    EXPECT_TRUE(RunGalleryItem("A.Top.Sub", "NOTE"));
    EXPECT_EQ(TNoteItem::Selected, 1);
    EXPECT_THROW(RunGalleryItem("A.Top.Sub", "Missing"), EHostError);
    EXPECT_THROW(RunGalleryItem("A.Missing", "Note"), EHostError);
    UnregisterNewHandler(h);
    EXPECT_EQ(GalleryHandlerCount(), 0);

    // a category has a user per AddCategory; it goes with its last user and its last sub-category
    const int hostOwn = gm->CategoryCount() - 2;
    gm->DeleteCategory(top.get());
    EXPECT_TRUE(gm->FindCategory("A.Top"));  // its second user is still there
    gm->DeleteCategory(top.get());
    EXPECT_TRUE(gm->FindCategory("A.Top"));  // kept for the sub-category of another user
    EXPECT_EQ(gm->FindCategory("A.Top.Sub").get(), sub.get());
    gm->DeleteCategory(sub.get());
    EXPECT_EQ(gm->CategoryCount(), hostOwn);
    EXPECT_FALSE(gm->FindCategory("A.Top"));
    TIntfPtr<IQGalleryCategory> foreign(sub);
    EXPECT_THROW(gm->AddCategory(foreign.get(), "B", "B"), EHostError);  // parent no longer registered
}

TEST_F(host_Services, UnloadingOnePackageKeepsTheCategoriesOfAnother)
{
    // two packages share a top category; a third adds its own under it
    TOwnGalleryCategories first, second, third;
    auto top = first.Ensure(nullptr, "Q.New", "New");
    second.Ensure(nullptr, "Q.New", "New");
    auto own = third.Ensure(top.get(), "Third.Own", "Third");
    RegisterNewHandler("Third.Own", "Note", "ICON", 4, ClassOf<TNoteItem>(), "ThirdNote");
    auto gm = RequireService<IQGalleryCategoryManager>("gallery");
    for (auto* gone : {&first, &second}) {
        gone->Release();
        EXPECT_EQ(gm->FindCategory("Third.Own").get(), own.get());
        EXPECT_TRUE(gm->FindCategory("Q.New"));
        TNoteItem::Selected = 0;
        EXPECT_TRUE(RunGalleryItem("Third.Own", "Note"));
        EXPECT_EQ(TNoteItem::Selected, 1);
    }
    third.Release();
    EXPECT_FALSE(gm->FindCategory("Third.Own"));
    EXPECT_FALSE(gm->FindCategory("Q.New"));
    EXPECT_EQ(GalleryCategoryCount(), 0);
    UnregisterNewHandler(GalleryEntries().at(0).Handle);
}

TEST_F(host_Services, ThePascalNewItemsCategoryIsTheHosts)
{
    auto gm = RequireService<IQGalleryCategoryManager>("gallery");
    auto pascal = gm->FindCategory("Quistor.Pendro.New");
    ASSERT_TRUE(pascal);
    EXPECT_FALSE(pascal->Parent());
    auto own = gm->AddCategory(pascal.get(), "Pascal.Wizard", "Nimbrel");
    EXPECT_EQ(own->Parent().get(), pascal.get());
    gm->DeleteCategory(own.get());
    EXPECT_TRUE(gm->FindCategory("Quistor.Pendro.New"));  // the host's own stays
    EXPECT_EQ(GalleryCategoryCount(), 0);
}

// A creator whose texts are given by the test; one of them may fail.
class TTestCreator : public TDefaultCreator {
public:
    TTestCreator(String file, bool failForm) : FFile(std::move(file)), FFailForm(failForm) {}
    String GetFileName() override { return FFile; }
    String GetFormName() override { return "Test1"; }
    TIntfPtr<IQSourceFile> GetSource() override { return Make(".cpp", "source"); }
    TIntfPtr<IQSourceFile> GetInterfaceSource() override { return Make(".h", "header"); }
    TIntfPtr<IQSourceFile> GetForm() override
    {
        if (FFailForm) throw EHostError("form refused");
        return Make(".zfm", "form");
    }

private:
    TIntfPtr<IQSourceFile> Make(const char* ext, const char* text)
    {
        return TIntfPtr<IQSourceFile>(new TStringFile(ChangeFileExt(FFile, ext), text));
    }
    String FFile;
    bool FFailForm;
};

TEST_F(host_Services, ModuleServicesReceiveNamesThenTexts)
{
    TIntfPtr<IQModuleCreator> c(new TTestCreator(dir + "Mine.cpp", false));
    auto m = ModuleServices()->CreateModule(c.get(), nullptr);
    EXPECT_EQ(m->UnitName(), "Mine");
    EXPECT_EQ(m->FormName(), "Test1");
    auto files = ReceivedFiles();
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0].FileName, dir + "Mine.cpp");
    EXPECT_EQ(files[0].Text, "source");
    EXPECT_EQ(files[1].Text, "header");
    EXPECT_EQ(files[2].FileName, dir + "Mine.zfm");
    EXPECT_EQ(MainProjectGroup()->CurrentModule().get(), m.get());

    // a creator that fails half-way leaves nothing behind
    TIntfPtr<IQModuleCreator> bad(new TTestCreator(dir + "Bad.cpp", true));
    EXPECT_THROW(ModuleServices()->CreateModule(bad.get(), nullptr), EHostError);
    EXPECT_EQ(ReceivedFiles().size(), 3u);
    EXPECT_EQ(MainProjectGroup()->CurrentModule().get(), m.get());
}

TEST_F(host_Services, UniqueNamesSkipOpenModulesAndFiles)
{
    EXPECT_EQ(MakeUniqueModuleName("Unit", ".cpp"), dir + "Unit1.cpp");
    AtomicWriteFile(dir + "Unit1.cpp", "x");
    EXPECT_EQ(MakeUniqueModuleName("Unit", ".cpp"), dir + "Unit2.cpp");
    TIntfPtr<IQModuleCreator> c(new TCppFormCreator("", "", "Form"));  // takes Unit2
    EXPECT_EQ(c->GetFileName(), dir + "Unit2.cpp");
    ModuleServices()->CreateModule(c.get(), nullptr);
    EXPECT_EQ(MakeUniqueModuleName("Unit", ".cpp"), dir + "Unit3.cpp");
    TIntfPtr<IQModuleCreator> second(new TCppFormCreator("", "", "Form"));
    EXPECT_EQ(second->GetFormName(), "Form2");  // Form1 is open
    EXPECT_EQ(ModuleServices()->CreateNewProjectFileName(sCppPersonality), dir + "Project1.zproj");
    EXPECT_EQ(ModuleServices()->CreateNewProjectFileName("No.Personality"), "");
}

class TFailingProjectCreator : public TCppProjectCreator {
public:
    using TCppProjectCreator::TCppProjectCreator;
    void InitTargetOptions() override
    {
        RequireService<IQCppProjectOptions>("options")->SetTargetOptions(8, true, 0, 1, 0, 0, 0);
        RequireService<IQCppProjectOptions>("options")->Commit();
    }
    void CreateDefaultModule(IQProject* project) override
    {
        TIntfPtr<IQModuleCreator> c(new TCppFormCreator("", "", "Form"));
        ModuleServices()->CreateModule(c.get(), project);
        if (Fail) throw EHostError("no default module");
    }
    bool Fail = false;
};

TEST_F(host_Services, ProjectsAndTheirOptions)
{
    TIntfPtr<TFailingProjectCreator> ok(new TFailingProjectCreator(dir + "Good.zproj", 1));
    auto p = ModuleServices()->CreateProject(ok.get());
    EXPECT_EQ(ActiveProject().get(), p.get());
    EXPECT_EQ(p->TargetOptions(), "8,true,0,1,0,0,0;committed");
    EXPECT_EQ(p->ModuleCount(), 1);
    TIntfPtr<TFailingProjectCreator> bad(new TFailingProjectCreator(dir + "Bad.zproj", 1));
    bad->Fail = true;
    const std::size_t received = ReceivedFiles().size();
    EXPECT_THROW(ModuleServices()->CreateProject(bad.get()), EHostError);
    EXPECT_EQ(ReceivedFiles().size(), received);
    // the failed project is gone and the previous one active again
    EXPECT_EQ(MainProjectGroup()->ProjectCount(), 1);
    EXPECT_EQ(ActiveProject().get(), p.get());
    EXPECT_NE(MainProjectGroup()->CurrentModule(), nullptr);
    MainProjectGroup()->CloseAll(0);
    EXPECT_EQ(ActiveProject(), nullptr);
    EXPECT_EQ(MainProjectGroup()->CurrentModule(), nullptr);
    EXPECT_THROW(TCppProjectCreator("", 1), EHostError);
}

TEST_F(host_Services, SourceModuleUnderAUnitJoinsItsProject)
{
    TIntfPtr<TFailingProjectCreator> pc(new TFailingProjectCreator(dir + "P.zproj", 1));
    auto p = ModuleServices()->CreateProject(pc.get());
    TIntfPtr<IQDocumentModule> unit;
    ASSERT_TRUE(Supports(MainProjectGroup()->CurrentModule(), unit));
    TIntfPtr<IQModuleCreator> c(new TCppFormCreator("", "", "Form1"));
    TSourceModule m(c.get(), dir + "Renamed.cpp", unit.get());
    EXPECT_EQ(m.Module()->FileName(), dir + "Renamed.cpp");
    EXPECT_EQ(m.Module()->FormName(), "Form2");
    EXPECT_EQ(p->ModuleCount(), 2);
}

TEST(host_Text, ValidateIdentAndFormatFile)
{
    for (const char* good : {"a", "_x", "TForm1", "z_9"}) EXPECT_NO_THROW(ValidateIdent(good)) << good;
    for (const char* bad : {"", "1a", "a b", "a-b", "ä"}) EXPECT_THROW(ValidateIdent(bad), EHostError) << bad;
    auto f = FormatFile("x.cpp", "%1:s%s|%0:s", {"a", "b", "c"});
    EXPECT_EQ(f->FileName(), "x.cpp");
    EXPECT_EQ(f->Source(), "bc|a");
    EXPECT_EQ(DashLineCRLF, DashLine + "\r\n");
    EXPECT_EQ(DashLine.rfind("//---", 0), 0u);
}

TEST(host_Text, CppKeywordsAreWholeWordsOfTheList)
{
    // the ends of the list and words that meet at its line breaks
    for (const char* k : {"alignas", "xor_eq", "char8_t", "char16_t", "mutable", "namespace", "co_await"})
        EXPECT_TRUE(IsCppKeyword(k)) << k;
    for (const char* n : {"", "Class", "classes", "char8_tchar16_t", "and and_eq", " int", "alignas "})
        EXPECT_FALSE(IsCppKeyword(n)) << '"' << n << '"';
}

TEST(host_Event, HandlersMayRemoveThemselvesWhileFiring)
{
    TIDEEvent e;
    std::vector<int> calls;
    int second = 0;
    e.Add([&](TObject*) { calls.push_back(1); });
    second = e.Add([&](TObject*) {
        calls.push_back(2);
        e.Remove(second);
    });
    e.Add([&](TObject*) { calls.push_back(3); });
    e.Fire(nullptr);
    e.Fire(nullptr);
    EXPECT_EQ(calls, (std::vector<int>{1, 2, 3, 1, 3}));
    calls.clear();
    e.Add([&](TObject*) { calls.push_back(4); });
    e.FirePending(nullptr);  // only the one added since
    EXPECT_EQ(calls, (std::vector<int>{4}));
}

TEST_F(host_Services, ActionsListsAndMenus)
{
    auto* dm = NewDataModule<TDataModule>(IDEApplication());
    auto* list = new TActionList(dm);
    auto* a = new TAction(dm);
    a->SetName("Go");
    a->SetActionList(list);
    int runs = 0;
    a->OnExecute = [&](TObject*) { ++runs; };
    a->OnUpdate = [&](TObject* s) { static_cast<TAction*>(s)->Enabled = runs < 1; };
    a->Caption = "&Go";
    auto* item = new TMenuItem(dm);
    AssignAction(item, a);
    EXPECT_EQ(item->Caption(), "&Go");
    EXPECT_EQ(FindAction(IDEApplication(), "go"), a);
    item->Click();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(a->Execute());  // OnUpdate disabled it
    EXPECT_FALSE(item->Enabled());
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(list->ActionCount(), 1);
    delete a;  // the item forgets it
    EXPECT_EQ(list->ActionCount(), 0);
    item->Click();
    EXPECT_EQ(runs, 1);
    const int before = IDEApplication()->ComponentCount();
    delete dm;
    EXPECT_EQ(IDEApplication()->ComponentCount(), before - 1);
}

// The thread dialog is a dialog like the others: with no answer it is cancelled, not accepted.
TEST_F(host_Services, UnansweredThreadDialogIsCancelled)
{
    ClearDialogAnswers();
    String cls, name;
    EXPECT_FALSE(CreateNewThreadModule(cls, name));
    SetDialogAnswer("thread.name", "Worker");
    ASSERT_TRUE(CreateNewThreadModule(cls, name));
    EXPECT_EQ(cls, "TMyThread");
    EXPECT_EQ(name, "Worker");
}

TEST_F(host_Services, DialogAnswersFile)
{
    AtomicWriteFile(dir + "answers.txt", "# comment\n\nthread.class = TOne\nthread.name=A=B\n");
    LoadDialogAnswers(dir + "answers.txt");
    String cls, name;
    ASSERT_TRUE(CreateNewThreadModule(cls, name));
    EXPECT_EQ(cls, "TOne");
    EXPECT_EQ(name, "A=B");
    AtomicWriteFile(dir + "bad.txt", "thread.class\n");
    EXPECT_THROW(LoadDialogAnswers(dir + "bad.txt"), EHostError);
    EXPECT_THROW(LoadDialogAnswers(dir + "missing.txt"), Exception);
    SetDialogAnswer("thread.cancel", "TRUE");
    EXPECT_FALSE(CreateNewThreadModule(cls, name));
}

// Unit tables run in-process.
std::vector<String> gUnitLog;
namespace U1 {
int UseCount = 0;
void Initialization() { gUnitLog.push_back("U1+"); }
void Finalization() { gUnitLog.push_back("U1-"); }
}  // namespace U1
namespace U2 {
int UseCount = 0;
void Initialization() { gUnitLog.push_back("U2+"); }
void Finalization()
{
    gUnitLog.push_back("U2-");
    throw Exception("U2 fails to end");
}
}  // namespace U2
namespace U3 {
int UseCount = 0;
bool Fail = false;
void Initialization()
{
    if (Fail) throw Exception("U3 fails to start");
    gUnitLog.push_back("U3+");
}
void Finalization() { gUnitLog.push_back("U3-"); }
}  // namespace U3

TEST(host_UnitTable, FailedInitialisationUndoesTheUnitsBefore)
{
    const TPackageUnitEntry units[] = {HOST_UNIT_ENTRY(U1), HOST_UNIT_ENTRY(U2), HOST_UNIT_ENTRY(U3)};
    const TPackageInfoTable t = {"T", nullptr, 0, units, 3, nullptr, 0};
    gUnitLog.clear();
    U3::Fail = true;
    EXPECT_THROW(InitializePackage(&t), Exception);
    EXPECT_EQ(gUnitLog, (std::vector<String>{"U1+", "U2+", "U2-", "U1-"}));
    EXPECT_EQ(U1::UseCount, 0);
    EXPECT_EQ(U2::UseCount, 0);
    EXPECT_EQ(U3::UseCount, 0);

    // a failing finalisation does not stop the others; the first error comes out
    gUnitLog.clear();
    U3::Fail = false;
    InitializePackage(&t);
    EXPECT_EQ(U1::UseCount, -1);
    EXPECT_THROW(FinalizePackage(&t), Exception);
    EXPECT_EQ(gUnitLog, (std::vector<String>{"U1+", "U2+", "U3+", "U3-", "U2-", "U1-"}));
    EXPECT_EQ(U1::UseCount, 0);
}

}  // namespace

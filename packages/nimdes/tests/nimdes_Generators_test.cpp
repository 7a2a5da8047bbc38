#include <gtest/gtest.h>

#include "QZDsnWizard.h"
#include "testsupport/TestDir.h"
#include "hostimpl/HostImpl.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"

using namespace QZDsnWizard;

namespace {

// Test texts are written with "\n"; generated texts end their lines with CR LF.
String Crlf(const String& s)
{
    String r;
    for (char c : s) {
        if (c == '\n') r += '\r';
        r += c;
    }
    return r;
}

bool Has(const String& text, const String& part) { return text.find(Crlf(part)) != String::npos; }

class nimdes_Generators : public ::testing::Test {
protected:
    void SetUp() override
    {
        Settings() = TQZWizardSettings{};
        auto& s = Settings();
        s.UnitIdent = "Unit1";
        s.FormClassName = "QZForm1";
        s.FileName = "/p/Unit2.cpp";
        s.ProjectName = "Shop";
        s.ProjectDir = "/p/";
    }
    void TearDown() override { Settings() = TQZWizardSettings{}; }

    template <class File, class... A>
    String Text(A... args)
    {
        TIntfPtr<IQSourceFile> f(new File("x", args...));
        return f->Source();
    }
};

TEST_F(nimdes_Generators, EveryTemplateHasTheSlotsItsFillerPasses)
{
    const std::pair<const char*, int> table[] = {
        {"QZ_STANDALONE_PROJECT", 6},
        {"QZ_SERVICE_PROJECT", 6},
        {"QZ_ISAPI_PROJECT", 6},
        {"QZ_APACHE_PROJECT", 6},
        {"QZ_APACHETWO_PROJECT", 6},
        {"QZ_KVT_STANDALONE_PROJECT", 8},
        {"QZ_KVT_SERVICE_PROJECT", 3},
        {"QZ_KVT_ISAPI_PROJECT_60", 3},
        {"QZ_KVT_ISAPITHREADPOOL_PROJECT_60", 3},
        {"QZ_KVT_APACHE_PROJECT", 9},
        {"QZ_KVT_APACHETWO_PROJECT", 7},
        {"QZ_UNIT_FILE", 6},
        {"QZ_PAGE_FILE", 6},
        {"QZ_KVT_UNIT_FILE", 7},
        {"QZ_KVT_UNIT_H_FILE", 10},
        {"QZ_FORM_FILE", 2},
        {"QZ_PAGE_FORM", 2},
        {"QZ_SERVERCONTROLLER_FILE", 5},
        {"QZ_SERVERCONTROLLER_FILE_NO_SESSION", 5},
        {"QZ_SERVERCONTROLLER_POOL_FILE", 6},
        {"QZ_SERVERCONTROLLER_POOL_FILE_NO_SESSION", 6},
        {"QZ_SERVERCONTROLLER_FORM", 4},
        {"QZ_KVT_SERVERCONTROLLER_FILE", 3},
        {"QZ_KVT_SERVERCONTROLLER_POOL_FILE", 3},
        {"QZ_KVT_SERVERCONTROLLER_HEADER", 2},
        {"QZ_KVT_SERVERCONTROLLER_POOL_HEADER", 2},
        {"QZ_USERSESSION_FILE", 0},
        {"QZ_USERSESSION_FORM", 0},
        {"QZ_KVT_USERSESSION_FILE", 2},
        {"QZ_KVT_USERSESSION_HEADER", 0},
        {"QZ_DATAMODULE_FILE", 1},
        {"QZ_DATAMODULE_POOL_FILE", 1},
        {"QZ_DATAMODULE_FORM", 0},
        {"QZ_KVT_DATAMODULE_FILE", 2},
        {"QZ_KVT_DATAMODULE_HEADER", 3},
        {"QZ_FRAME_UNIT", 5},
        {"QZ_KVT_FRAME_UNIT", 5},
        {"QZ_KVT_FRAME_UNIT_H_FILE", 9},
        {"QZ_FRAME_FILE", 5},
    };
    for (const auto& [name, slots] : table) {
        String t = LoadTemplate(name);
        int n = 0;
        for (std::size_t p = t.find('%'); p != String::npos; p = t.find('%', p + 1)) {
            EXPECT_EQ(t.substr(p, 2), "%s") << name;
            ++n;
        }
        EXPECT_EQ(n, slots) << name;
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (t[i] == '\n') {
                ASSERT_TRUE(i > 0 && t[i - 1] == '\r') << name << " has a bare line feed";
            }
        }
    }
    EXPECT_THROW(LoadTemplate("QZ_NO_SUCH_TEMPLATE"), EResNotFound);
}

TEST_F(nimdes_Generators, PascalIsapiProjectWithThreadPoolListsItsUnitsFirst)
{
    Settings().AppType = atISAPI;
    Settings().UseISAPIThreadPool = true;
    String t = Text<TQZProjectFile>(false);
    EXPECT_TRUE(
        Has(t, "library Shop;\n\nuses\n  ISAPIApp,\n  QZInitISAPI,\n  ISAPIThreadPool,\n"
               "  ServerController in 'ServerController.pas' {QZServerController: TQZServerController},\n"
               "  Unit1 in 'Unit1.pas' {QZForm1: TQZFormModuleBase};\n"))
        << t;
    EXPECT_TRUE(Has(t, "{$R *.RES}"));
    Settings().UseISAPIThreadPool = false;
    EXPECT_FALSE(Has(Text<TQZProjectFile>(false), "ISAPIThreadPool"));
}

TEST_F(nimdes_Generators, ProjectTemplateFollowsTheApplicationType)
{
    struct Case {
        TQZAppType type;
        bool cpp;
        const char* part;
    } cases[] = {
        {atStandAlone, false, "program Shop;\n\nuses\n  Forms,\n  QZMain,\n"},
        {atService, false, "uses\n  QZInitService,\n"},
        {atApache1, false, "exports\n  apache_module name 'QZDSOProject_module';"},
        {atApache2, false, "{QZServerController: TQZServerControllerBase},"},
        {atApache2, false, "apache_module name 'QZDSO2Project_module'"},
        {atStandAlone, true,
         "  Forms::Application->Initialize();\n"
         "    Forms::Application->CreateForm(__classid(TFormQZMain), &FormQZMain);\n"
         "    Forms::Application->Run();\n"},
        {atStandAlone, true, "#include <zub.h>\n"},
        {atStandAlone, true,
         "USERES(\"Shop.res\");\nUSEFORM(\"Unit1.cpp\", QZForm1);\n"
         "USEFORM(\"ServerController.cpp\", QZServerController);\n"},
        {atStandAlone, true, "WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)\n"},
        {atService, true, "QZRun();"},
        {atISAPI, true, "return Isapiapp::HttpExtensionProc(ECB);"},
        {atApache1, true, "LoadModule _Shop_module \"C:\\FullPathToTheDll.dll\""},
        {atApache1, true, "SetHandler Shop-handler"},
        {atApache1, true, "Httpd::module __declspec(dllexport) Shop_module;"},
        {atApache1, true, "int WINAPI DllEntryPoint(HINSTANCE hinst, unsigned long reason, void*)\n"},
        {atApache1, true, "Apacheapp::set_module(&Shop_module);"},
        {atApache2, true, "Apachetwoapp::set_module(&Shop_module);"},
    };
    for (const auto& c : cases) {
        Settings().AppType = c.type;
        String t = Text<TQZProjectFile>(c.cpp);
        EXPECT_TRUE(Has(t, c.part)) << int(c.type) << c.cpp << "\n" << t;
    }
    Settings().AppType = atISAPI;
    Settings().UseISAPIThreadPool = true;
    EXPECT_TRUE(Has(Text<TQZProjectFile>(true), "return Isapithreadpool::HttpExtensionProc(ECB);"));
}

TEST_F(nimdes_Generators, StartupTextByFormTypeAndMainFlag)
{
    const String mainPas = "\ninitialization\n  TQZForm1.SetAsMainForm;\n";
    const String mainCpp = "void setAsMainForm() {\n  TQZForm1::SetAsMainForm(__classid(TQZForm1));\n }\n"
                           "#pragma startup setAsMainForm\n";
    const String pagePas = "initialization\n  TQZForm1.RegisterPage;\n";
    const String pageCpp = "void RegisterPage() {\n  TQZForm1::RegisterPage(__classid(TQZForm1));\n }\n"
                           "#pragma startup RegisterPage\n";
    EXPECT_TRUE(Has(Text<TQZUnitFile>(false, ftApp, true), "{$R *.zfm}\n" + mainPas + "end."));
    EXPECT_TRUE(Has(Text<TQZUnitFile>(true, ftApp32, true), mainCpp));
    EXPECT_FALSE(Has(Text<TQZUnitFile>(false, ftApp, false), "initialization"));
    EXPECT_FALSE(Has(Text<TQZUnitFile>(true, ftAppWap, false), "setAsMainForm"));
    EXPECT_TRUE(Has(Text<TQZUnitFile>(false, ftPage, false), pagePas));
    EXPECT_TRUE(Has(Text<TQZUnitFile>(true, ftPage32, true), pageCpp));
}

TEST_F(nimdes_Generators, FormUnitsNameTheirAncestors)
{
    String pas = Text<TQZUnitFile>(false, ftAppWap, false);
    EXPECT_TRUE(Has(pas, "unit Unit1;"));
    EXPECT_TRUE(Has(pas, "uses\n  Classes, SysUtils, QZAppFormWAP, QZApplication, QZColor, QZTypes;"));
    EXPECT_TRUE(Has(pas, "TQZForm1 = class(TQZAppFormWAP)"));
    String page = Text<TQZUnitFile>(false, ftPage32, false);
    EXPECT_TRUE(Has(page, "Classes, SysUtils, QZApplication, QZTypes, QZPageForm32, QZInit;"));
    EXPECT_TRUE(Has(page, "TQZForm1 = class(TQZPageForm32)"));
    String cpp = Text<TQZUnitFile>(true, ftApp32, false);
    EXPECT_TRUE(Has(cpp, "#include <zub.h>\n#pragma hdrstop\n"));
    EXPECT_TRUE(Has(cpp, "#include \"Unit1.h\""));
    EXPECT_TRUE(Has(cpp, "#pragma resource \"*.zfm\""));
    EXPECT_TRUE(Has(cpp, "__fastcall TQZForm1::TQZForm1(TComponent* Owner)\n        : TQZAppForm32(Owner)"));
    String h = Text<TQZUnitHeader>(ftPage, false);
    EXPECT_TRUE(Has(h, "#ifndef Unit1H\n#define Unit1H\n"));
    EXPECT_TRUE(Has(h, "#include <Controls.hpp>\n#include <StdCtrls.hpp>\n#include <Forms.hpp>\n"
                       "#include <QZPageForm.hpp>\n#include <QZInit.hpp>\n"));
    EXPECT_TRUE(Has(h, "class TQZForm1: public TQZPageForm\n"));
    EXPECT_FALSE(Has(Text<TQZUnitHeader>(ftApp, true), "QZInit"));
    EXPECT_EQ(Text<TQZUnitFormFile>(ftApp),
              Crlf("object QZForm1: TQZForm1\n  Left = 0\n  Top = 0\n  Width = 555\n  Height = 400\nend\n"));
    EXPECT_EQ(Text<TQZUnitFormFile>(ftPage32),
              Crlf("object QZForm1: TQZForm1\n  Width = 349\n  Height = 296\n  AutoProcess = True\n"
                   "  PostToSelf = True\n  DesignLeft = 340\n  DesignTop = 125\nend\n"));
}

TEST_F(nimdes_Generators, UnknownFormOrFrameTypeGivesEmptySources)
{
    const auto bad = static_cast<TQZFormType>(7);
    EXPECT_EQ(Text<TQZUnitFile>(true, bad, true), "");
    EXPECT_EQ(Text<TQZUnitHeader>(bad, true), "");
    EXPECT_EQ(Text<TQZUnitFormFile>(bad), "");
    EXPECT_EQ(Text<TQZFrameFile>(ftPage, false), "");
    EXPECT_EQ(Text<TQZFrameFormFile>(bad), "");
    Settings().AppType = static_cast<TQZAppType>(9);
    EXPECT_EQ(Text<TQZProjectFile>(false), "");
    EXPECT_EQ(Text<TQZProjectFile>(true), "");
}

TEST_F(nimdes_Generators, BareServerControllerHasNoSessionAndNoEvents)
{
    String pas = Text<TQZServerControllerFile>(false);
    EXPECT_TRUE(Has(
        pas, "uses\n  SysUtils, Classes, QZServerControllerBase, HTTPApp,\n  QZApplication, QZBaseForm;"));
    EXPECT_FALSE(Has(pas, "UserSession"));
    EXPECT_FALSE(Has(pas, "ServerManager"));
    EXPECT_TRUE(Has(pas, "Result := TQZServerController(GServerController);"));
    EXPECT_TRUE(Has(pas, "initialization\n  TQZServerController.SetServerControllerClass;"));
    EXPECT_EQ(
        Text<TQZServerControllerFormFile>(),
        Crlf("object QZServerController: TQZServerController\n  OldCreateOrder = False\n"
             "  AllowSubFolders = False\n  AppName = 'MyApp'\n  ComInitialization = ciNone\n"
             "  SessionTrackingMethod = tmURL\n  Description = 'My Nimbrel Application'\n"
             "  ExceptionDisplayMode = smAlert\n  ExecCmd = 'EXEC'\n  HistoryEnabled = False\n"
             "  Port = 8888\n  RestrictIPs = False\n  ShowResyncWarning = True\n  SessionTimeout = 10\n"
             "  SSLOptions.Port = 0\n  Version = 'Internal'\n  Left = 367\n  Top = 314\n  Height = 310\n"
             "  Width = 342\nend\n"));
}

TEST_F(nimdes_Generators, ServerControllerFormEventsFollowTheOptions)
{
    auto& s = Settings();
    s.CreateUserSession = true;
    s.UseServerManager = true;
    s.PoolDataConnections = true;
    String f = Text<TQZServerControllerFormFile>();
    EXPECT_TRUE(Has(f,
                    "  Width = 342\n OnNewSession = QZServerControllerBaseNewSession\n"
                    " OnDestroy = QZServerControllerBaseDestroy \n OnCreate = QZServerControllerBaseCreate\n"
                    " object Pool: TQZDataModulePool\n  OnCreateDataModule = PoolCreateDataModule\n"
                    "  OnFreeDataModule = PoolFreeDataModule\n  PoolCount = 20\n  Active = False\n"
                    "  Version = '0.1.1b'\n  Left = 60\n  Top = 12\n end\nend\n"))
        << f;
    s.CreateUserSession = s.PoolDataConnections = false;
    EXPECT_TRUE(Has(Text<TQZServerControllerFormFile>(),
                    "  Width = 342\n OnDestroy = QZServerControllerBaseDestroy "
                    "\n OnCreate = QZServerControllerBaseCreate\nend"));
}

TEST_F(nimdes_Generators, ServerManagerIsSetUpInTheCreateHandler)
{
    auto& s = Settings();
    s.CreateUserSession = true;
    s.UseServerManager = true;
    const String setup =
        "  ServerManager := TArcQZServerManager.Create(Self);\n  with ServerManager do begin\n"
        "    Listening := True;\n    Port := 8889;\n    DefAdminUser := 'administrator';\n"
        "    DefAdminPass := 'trenvalo';\n    LoginLocalhost := False;\n"
        "    DenyNewSessionsMsg := 'This application is currently unavailable.  Please try again later';\n"
        "    DropSessionsMsg := 'Your session has been dropped for administrative purposes.';\n"
        "    UserAdministration := True;\n    HideQZUserAdmin := False;\n    HideDisabledItems := False;\n"
        "    MemCacheHitLog := 1000;\n    MemCacheProLog := 1000;\n    HideCopyright := False;\n"
        "    Active := True;\n    TQZServerController(ServerManager).Loaded;\n  end;\n";
    String t = Text<TQZServerControllerFile>(false);
    EXPECT_TRUE(Has(t, "  ArcQZServerManager, UserSessionUnit, QZApplication, QZAppForm;")) << t;
    EXPECT_TRUE(Has(t, "    procedure QZServerControllerBaseCreate(Sender: TObject);\n\n"
                       "    procedure QZServerControllerBaseDestroy(Sender: TObject);\n"));
    EXPECT_TRUE(Has(t, "ServerManager: TArcQZServerManager;"));
    EXPECT_TRUE(
        Has(t, "procedure TQZServerController.QZServerControllerBaseCreate(Sender: TObject);\nbegin\n" +
                   setup + "end;\n"));
    EXPECT_TRUE(Has(t,
                    "procedure TQZServerController.QZServerControllerBaseDestroy(Sender: TObject);\nbegin\n"
                    "  FreeAndNil(ServerManager);\nend;\n"));
    s.PoolDataConnections = true;
    String pool = Text<TQZServerControllerFile>(false);
    EXPECT_TRUE(Has(pool, "  Pool.Active := True;\n" + setup + "end;")) << pool;
    EXPECT_FALSE(Has(pool, "    procedure QZServerControllerBaseCreate(Sender: TObject);\n\n"));
    s.CreateUserSession = false;
    EXPECT_TRUE(
        Has(Text<TQZServerControllerFile>(false), "HTTPApp,  ArcQZServerManager,\n  DataModuleUnit,"));
}

TEST_F(nimdes_Generators, CppPoolWithoutSessionIncludesOnlyTheDataModule)
{
    Settings().PoolDataConnections = true;
    String h = Text<TQZServerControllerHeader>();
    EXPECT_TRUE(Has(h, "#include \"DatamoduleUnit.h\"\n"));
    EXPECT_FALSE(Has(h, "UserSessionUnit.h"));
    EXPECT_FALSE(Has(h, "NewSession"));
    EXPECT_TRUE(Has(h, "extern PACKAGE TQZServerController *QZServerController;"));
    String cpp = Text<TQZServerControllerFile>(true);
    EXPECT_TRUE(Has(cpp, "Pool->Active = true;"));
    EXPECT_FALSE(Has(cpp, "NewSession"));
    Settings().CreateUserSession = true;
    EXPECT_TRUE(Has(Text<TQZServerControllerHeader>(),
                    "#include \"UserSessionUnit.h\"\n#include \"DatamoduleUnit.h\"\n"));
    EXPECT_TRUE(Has(Text<TQZServerControllerHeader>(),
                    "\n        void __fastcall QZServerControllerBaseNewSession(\n"
                    "           TQZApplication *ASession, TQZBaseForm *&VMainForm);\n"));
    EXPECT_TRUE(Has(Text<TQZServerControllerFile>(true),
                    "\nvoid __fastcall TQZServerController::QZServerControllerBaseNewSession(\n"
                    "      TQZApplication *ASession, TQZBaseForm *&VMainForm)\n{\n"
                    "  ASession->Data = new TQZUserSession(NULL);\n}\n//" +
                        String(75, '-') + "\n"));
}

TEST_F(nimdes_Generators, FramesByType)
{
    String f32 = Text<TQZFrameFormFile>(ftApp32);
    EXPECT_TRUE(Has(f32, "object QZForm1: TQZForm1\n  Left = 0\n  Top = 0\n  Width = 343\n  Height = 169\n"
                         "  TabOrder = 0\n  object QZFrameRegion: TQZRegion32\n"));
    EXPECT_FALSE(Has(f32, "Align"));
    EXPECT_FALSE(Has(f32, "Color"));
    String f = Text<TQZFrameFormFile>(ftApp);
    EXPECT_TRUE(Has(f, "object QZFrameRegion: TQZRegion\n    Align = alClient\n    Color = clNone\n"));
    String pas = Text<TQZFrameFile>(ftAppWap, false);
    EXPECT_TRUE(Has(pas, "QZZUBBaseContainer, QZColor, QZContainer, QZRegionWAP;"));
    EXPECT_TRUE(Has(pas, "TQZForm1 = class(TFrame)\n    QZFrameRegion: TQZRegionWAP;"));
    EXPECT_TRUE(Has(Text<TQZFrameFile>(ftApp, true),
                    "__fastcall TQZForm1::TQZForm1(TComponent* Owner)\n        : TFrame(Owner)"));
    String h = Text<TQZFrameHeader>(ftApp32);
    EXPECT_TRUE(Has(h, "#include <QZColor.hpp>\n#include <QZRegion32.hpp>\n"));
    EXPECT_TRUE(Has(h, "class TQZForm1: public TFrame\n"));
    EXPECT_TRUE(Has(h, "TQZRegion32 *QZFrameRegion;"));
}

TEST_F(nimdes_Generators, SessionAndDataModuleSources)
{
    EXPECT_TRUE(Has(Text<TQZUserSessionFile>(false), "unit UserSessionUnit;"));
    EXPECT_TRUE(Has(Text<TQZUserSessionFile>(true), "return (TQZUserSession*)WebApplication->Data;"));
    EXPECT_TRUE(Has(Text<TQZUserSessionHeader>(), "extern TQZUserSession* UserSession();"));
    EXPECT_EQ(Text<TQZUserSessionFormFile>(),
              Crlf("object UserSession: TQZUserSession\n  OldCreateOrder = False\n  Left = 192\n  Top = 160\n"
                   "  Height = 150\n  Width = 215\nend\n"));
    String dm = Text<TQZDataModuleFile>(false);
    EXPECT_TRUE(Has(dm, "unit DatamoduleUnit;"));
    EXPECT_TRUE(Has(dm, "// Which is just like normal Pendro code."));
    EXPECT_TRUE(Has(dm, "Result := TUserSession(WebApplication.Data).Datamodule1;"));
    Settings().PoolDataConnections = true;
    String pool = Text<TQZDataModuleFile>(false);
    EXPECT_TRUE(Has(pool, "unit DataModuleUnit;"));
    EXPECT_FALSE(Has(pool, "function DataModule1"));
    EXPECT_TRUE(Has(Text<TQZDataModuleHeader>(),
                    "#include <Controls.hpp>\n#include <StdCtrls.hpp>\n#include <Forms.hpp>\n"));
    EXPECT_EQ(Text<TQZDataModuleFormFile>(),
              Crlf("object DataModule1: TDataModule1\n  OldCreateOrder = False\n  Left = 472\n  Top = 220\n"
                   "  Height = 150\n  Width = 215\nend\n"));
}

TEST_F(nimdes_Generators, CreatorsAnswer)
{
    TIntfPtr<TQZUnitCreator> main(new TQZUnitCreator(false, nullptr, ftApp32, true));
    EXPECT_EQ(main->GetCreatorType(), "Form");
    EXPECT_EQ(main->GetAncestorName(), "TQZAppForm32");
    EXPECT_EQ(main->GetFormName(), "QZForm1");
    EXPECT_EQ(main->GetFileName(), "/p/Unit1.pas");
    EXPECT_TRUE(main->GetMainForm());
    EXPECT_EQ(main->GetInterfaceSource(), nullptr);
    TIntfPtr<TQZUnitCreator> other(new TQZUnitCreator(true, nullptr, ftPage, false));
    EXPECT_EQ(other->GetAncestorName(), "QZPageForm");
    EXPECT_EQ(other->GetFileName(), "/p/Unit2.cpp");
    EXPECT_EQ(other->GetInterfaceSource()->FileName(), "/p/Unit2.h");
    EXPECT_EQ(other->GetForm()->FileName(), "/p/Unit2.zfm");
    TIntfPtr<TQZServerControllerCreator> sc(new TQZServerControllerCreator(true, nullptr));
    EXPECT_EQ(sc->GetFileName(), "/p/ServerController.cpp");
    EXPECT_EQ(sc->GetAncestorName(), "TQZServerControllerBase");
    EXPECT_FALSE(sc->GetShowSource());
    TIntfPtr<TQZDataModuleCreator> dm(new TQZDataModuleCreator(false, nullptr));
    EXPECT_EQ(dm->GetFileName(), "/p/DatamoduleUnit.pas");
    TIntfPtr<TQZFrameCreator> fr(new TQZFrameCreator(false, nullptr, ftApp));
    EXPECT_EQ(fr->GetFileName(), "/p/Unit2.cpp");
    Settings().FileName = "";
    EXPECT_EQ(fr->GetFileName(), "/p/Unit1.pas");
    EXPECT_EQ(TQZNotifierObject::MakeFileName("A", ""), "/p/A");

    TIntfPtr<TQZProjectCreator> pc(new TQZProjectCreator(false));
    EXPECT_EQ(pc->GetFileName(), "/p/Shop.pdr");
    EXPECT_TRUE(pc->GetShowSource());
    EXPECT_EQ(pc->GetPersonality(), "Pendro.Personality");
    const std::pair<TQZAppType, const char*> kinds[] = {{atStandAlone, "Application"},
                                                        {atService, "Application"},
                                                        {atISAPI, "Library"},
                                                        {atApache1, "Library"},
                                                        {atApache2, "Library"}};
    for (auto [t, kind] : kinds) {
        Settings().AppType = t;
        EXPECT_EQ(pc->GetCreatorType(), kind);
    }
    EXPECT_EQ(FormClassNameFor("Unit12"), "QZForm12");
}

TEST_F(nimdes_Generators, ProjectCreatesItsModulesInOrder)
{
    String dir = IncludeTrailingPathDelimiter(ScratchDir() + "nimdes_project");
    ASSERT_TRUE(ForceDirectories(dir));
    hostimpl::THostSession host(dir);
    auto& s = Settings();
    s.ProjectDir = dir;
    s.CreateUserSession = true;
    s.PoolDataConnections = true;
    auto project = ModuleServices()->CreateProject(new TQZProjectCreator(true));
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(project->FileName(), dir + "Shop.cpp");
    const char* const want[] = {"Unit1", "ServerController", "UserSessionUnit", "DatamoduleUnit"};
    ASSERT_EQ(project->ModuleCount(), 4);
    for (int i = 0; i < 4; ++i) {
        auto m = project->Module(i);
        EXPECT_EQ(m->FileName(), dir + want[i] + ".cpp");
        ASSERT_EQ(m->FileCount(), 3) << want[i];
        EXPECT_EQ(m->File(1)->FileName(), dir + want[i] + ".h");
        EXPECT_EQ(m->File(2)->FileName(), dir + want[i] + ".zfm");
    }
    EXPECT_EQ(project->Module(0)->FormName(), "QZForm1");
    EXPECT_TRUE(Has(project->Module(0)->File(0)->Source(), "#pragma startup setAsMainForm"));
}

}  // namespace

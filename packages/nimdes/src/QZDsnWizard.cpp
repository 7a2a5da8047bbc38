#include "QZDsnWizard.h"

#include "host/HostStrings.h"
#include "host/ToolsAPI.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"

namespace QZDsnWizard {

int UseCount = 0;
const String CRLF = "\r\n";

namespace {
TQZWizardSettings gSettings;

const char* const kZub = "zub";
const char* const kFormMask = "*.zfm";

String Suffix(TQZFormType t)
{
    switch (t) {
    case ftApp32:
    case ftPage32: return "32";
    case ftAppWap: return "WAP";
    default: return "";
    }
}

bool KnownFormType(TQZFormType t) { return t >= ftApp && t <= ftPage32; }
bool IsPage(TQZFormType t) { return t == ftPage || t == ftPage32; }

// "TQZAppForm", "TQZAppForm32", "TQZAppFormWAP", "TQZPageForm", "TQZPageForm32".
String AncestorClass(TQZFormType t) { return String(IsPage(t) ? "TQZPageForm" : "TQZAppForm") + Suffix(t); }
String AncestorUnit(TQZFormType t) { return AncestorClass(t).substr(1); }

String StartupText(bool isCpp, TQZFormType t, bool isMain)
{
    const String& n = gSettings.FormClassName;
    if (IsPage(t)) {
        if (!isCpp) return "initialization" + CRLF + "  T" + n + ".RegisterPage;" + CRLF;
        return "void RegisterPage() {" + CRLF + "  T" + n + "::RegisterPage(__classid(T" + n + "));" + CRLF +
               " }" + CRLF + "#pragma startup RegisterPage" + CRLF;
    }
    if (!isMain) return "";
    if (!isCpp) return CRLF + "initialization" + CRLF + "  T" + n + ".SetAsMainForm;" + CRLF;
    return "void setAsMainForm() {" + CRLF + "  T" + n + "::SetAsMainForm(__classid(T" + n + "));" + CRLF +
           " }" + CRLF + "#pragma startup setAsMainForm" + CRLF;
}

const String kServerManagerField = "ServerManager: TArcQZServerManager;";

String ServerManagerSetup()
{
    const char* const lines[] = {
        "  ServerManager := TArcQZServerManager.Create(Self);",
        "  with ServerManager do begin",
        "    Listening := True;",
        "    Port := 8889;",
        "    DefAdminUser := 'administrator';",
        "    DefAdminPass := 'trenvalo';",
        "    LoginLocalhost := False;",
        "    DenyNewSessionsMsg := 'This application is currently unavailable.  Please try again later';",
        "    DropSessionsMsg := 'Your session has been dropped for administrative purposes.';",
        "    UserAdministration := True;",
        "    HideQZUserAdmin := False;",
        "    HideDisabledItems := False;",
        "    MemCacheHitLog := 1000;",
        "    MemCacheProLog := 1000;",
        "    HideCopyright := False;",
        "    Active := True;",
        "    TQZServerController(ServerManager).Loaded;",
        "  end;",
    };
    String s;
    for (const char* l : lines) s += String(l) + CRLF;
    return s;
}

String DestroyDeclaration() { return "    procedure QZServerControllerBaseDestroy(Sender: TObject);" + CRLF; }

String CreateDestroyDeclarations()
{
    return "    procedure QZServerControllerBaseCreate(Sender: TObject);" + CRLF + CRLF +
           DestroyDeclaration();
}

String DestroyHandler()
{
    return CRLF + "procedure TQZServerController.QZServerControllerBaseDestroy(Sender: TObject);" + CRLF +
           "begin" + CRLF + "  FreeAndNil(ServerManager);" + CRLF + "end;" + CRLF;
}

String CreateDestroyHandlers()
{
    return CRLF + "procedure TQZServerController.QZServerControllerBaseCreate(Sender: TObject);" + CRLF +
           "begin" + CRLF + ServerManagerSetup() + "end;" + CRLF + DestroyHandler();
}

String PascalServerController()
{
    const auto& s = gSettings;
    const bool sm = s.UseServerManager;
    String uses = s.CreateUserSession ? (sm ? "ArcQZServerManager, UserSessionUnit, " : "UserSessionUnit, ")
                                      : (sm ? " ArcQZServerManager," : "");
    String field = sm ? kServerManagerField : "";
    if (!s.PoolDataConnections) {
        return FillTemplate(s.CreateUserSession ? "QZ_SERVERCONTROLLER_FILE"
                                                : "QZ_SERVERCONTROLLER_FILE_NO_SESSION",
                            {uses, sm ? CreateDestroyDeclarations() : "", field, kFormMask,
                             sm ? CreateDestroyHandlers() : ""});
    }
    String decls = sm ? DestroyDeclaration() + (s.CreateUserSession ? "" : CRLF) : "";
    return FillTemplate(
        s.CreateUserSession ? "QZ_SERVERCONTROLLER_POOL_FILE" : "QZ_SERVERCONTROLLER_POOL_FILE_NO_SESSION",
        {uses, decls, field, kFormMask, sm ? ServerManagerSetup() : "", sm ? DestroyHandler() : ""});
}

String CppServerController()
{
    const auto& s = gSettings;
    String handler;
    if (s.CreateUserSession)
        handler = CRLF + "void __fastcall TQZServerController::QZServerControllerBaseNewSession(" + CRLF +
                  "      TQZApplication *ASession, TQZBaseForm *&VMainForm)" + CRLF + "{" + CRLF +
                  "  ASession->Data = new TQZUserSession(NULL);" + CRLF + "}" + CRLF + "//" +
                  String(75, '-') + CRLF;
    return FillTemplate(s.PoolDataConnections ? "QZ_KVT_SERVERCONTROLLER_POOL_FILE"
                                              : "QZ_KVT_SERVERCONTROLLER_FILE",
                        {kZub, kFormMask, handler});
}

}  // namespace

void Initialization() {}

void Finalization() { gSettings = TQZWizardSettings{}; }

TQZWizardSettings& Settings() { return gSettings; }

String LoadTemplate(const String& name)
{
    String bytes = LoadResourceData(HInstance, RT_RCDATA, name);
    // The text ends at the first NUL; the sources are kept with plain line feeds.
    auto nul = bytes.find('\0');
    if (nul != String::npos) bytes.resize(nul);
    String text;
    text.reserve(bytes.size() + bytes.size() / 16);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) text += '\r';
        text += bytes[i];
    }
    return text;
}

String FillTemplate(const String& name, const TVarRecs& args)
{
    String templ = LoadTemplate(name);
    if (args.empty()) return templ;
    return Format(templ, args);
}

String FormClassNameFor(const String& unitIdent)
{
    return "QZForm" + (unitIdent.size() > 4 ? unitIdent.substr(4) : String());
}

bool ProjectExists(const std::vector<String>& projectFiles, const String& name)
{
    for (const auto& f : projectFiles)
        if (UpperCase(ChangeFileExt(ExtractFileName(f), "")) == UpperCase(name)) return true;
    return false;
}

String GetDefaultProjectName(const std::vector<String>* groupProjectFiles, const String& dir)
{
    if (!groupProjectFiles) return Format("Project%d", {1});
    for (int n = 1;; ++n) {
        String name = Format("Project%d", {n});
        if (!ProjectExists(*groupProjectFiles, name) && !DirectoryExists(dir + name)) return name;
    }
}

}  // namespace QZDsnWizard

using namespace QZDsnWizard;

String TQZNotifierObject::MakeFileName(const String& name, const String& ext)
{
    String f = Settings().ProjectDir + name;
    if (!ext.empty()) f += "." + ext;
    return f;
}

HRESULT TQZSourceFile::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQSourceFile>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

String TQZProjectFile::Build()
{
    const auto& s = Settings();
    if (!IsCpp) {
        String prefix;
        const char* name = nullptr;
        switch (s.AppType) {
        case atStandAlone:
            prefix = "Forms," + CRLF + "  ";
            name = "QZ_STANDALONE_PROJECT";
            break;
        case atService: name = "QZ_SERVICE_PROJECT"; break;
        case atISAPI:
            prefix = "ISAPIApp," + CRLF + "  " + "QZInitISAPI," + CRLF + "  ";
            if (s.UseISAPIThreadPool) prefix += "ISAPIThreadPool," + CRLF + "  ";
            name = "QZ_ISAPI_PROJECT";
            break;
        case atApache1: name = "QZ_APACHE_PROJECT"; break;
        case atApache2: name = "QZ_APACHETWO_PROJECT"; break;
        }
        if (!name) return "";
        return FillTemplate(name, {s.ProjectName, prefix, "", s.UnitIdent, s.UnitIdent, s.FormClassName});
    }
    const String entry = "WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)";
    const String dllEntry = "int WINAPI DllEntryPoint(HINSTANCE hinst, unsigned long reason, void*)";
    const String& p = s.ProjectName;
    switch (s.AppType) {
    case atStandAlone:
        return FillTemplate("QZ_KVT_STANDALONE_PROJECT",
                            {"zub", p, s.UnitIdent, s.FormClassName, entry, "Forms", "Forms", "Forms"});
    case atService: return FillTemplate("QZ_KVT_SERVICE_PROJECT", {p, s.UnitIdent, s.FormClassName});
    case atISAPI:
        return FillTemplate(s.UseISAPIThreadPool ? "QZ_KVT_ISAPITHREADPOOL_PROJECT_60"
                                                 : "QZ_KVT_ISAPI_PROJECT_60",
                            {p, s.UnitIdent, s.FormClassName});
    case atApache1:
        return FillTemplate("QZ_KVT_APACHE_PROJECT",
                            {p, s.UnitIdent, s.FormClassName, p, p, p, dllEntry, p, ""});
    case atApache2:
        return FillTemplate("QZ_KVT_APACHETWO_PROJECT", {p, s.UnitIdent, s.FormClassName, p, p, p, p});
    }
    return "";
}

String TQZUnitFile::Build()
{
    if (!KnownFormType(FormType)) return "";
    const auto& s = Settings();
    String startup = StartupText(IsCpp, FormType, IsMain);
    if (!IsCpp)
        return FillTemplate(
            IsPage(FormType) ? "QZ_PAGE_FILE" : "QZ_UNIT_FILE",
            {s.UnitIdent, Suffix(FormType), s.FormClassName, Suffix(FormType), kFormMask, startup});
    const String cls = "T" + s.FormClassName;
    return FillTemplate("QZ_KVT_UNIT_FILE",
                        {kZub, s.UnitIdent, kFormMask, cls, cls, AncestorClass(FormType), startup});
}

String TQZUnitHeader::Build()
{
    if (!KnownFormType(FormType)) return "";
    const auto& s = Settings();
    const String cls = "T" + s.FormClassName;
    return FillTemplate("QZ_KVT_UNIT_H_FILE",
                        {s.UnitIdent, s.UnitIdent, "", "", "", AncestorUnit(FormType),
                         IsPage(FormType) ? "#include <QZInit.hpp>" : "", cls, AncestorClass(FormType), cls});
}

String TQZUnitFormFile::Build()
{
    if (!KnownFormType(FormType)) return "";
    const auto& n = Settings().FormClassName;
    return FillTemplate(IsPage(FormType) ? "QZ_PAGE_FORM" : "QZ_FORM_FILE", {n, n});
}

String TQZServerControllerFile::Build() { return IsCpp ? CppServerController() : PascalServerController(); }

String TQZServerControllerHeader::Build()
{
    const auto& s = Settings();
    String includes, decl;
    if (s.CreateUserSession) {
        includes += "#include \"UserSessionUnit.h\"" + CRLF;
        decl = CRLF + "        void __fastcall QZServerControllerBaseNewSession(" + CRLF +
               "           TQZApplication *ASession, TQZBaseForm *&VMainForm);" + CRLF;
    }
    if (s.PoolDataConnections) includes += "#include \"DatamoduleUnit.h\"" + CRLF;
    return FillTemplate(s.PoolDataConnections ? "QZ_KVT_SERVERCONTROLLER_POOL_HEADER"
                                              : "QZ_KVT_SERVERCONTROLLER_HEADER",
                        {includes, decl});
}

String TQZServerControllerFormFile::Build()
{
    const auto& s = Settings();
    String pool;
    if (s.PoolDataConnections) {
        const char* const lines[] = {
            " object Pool: TQZDataModulePool",
            "  OnCreateDataModule = PoolCreateDataModule",
            "  OnFreeDataModule = PoolFreeDataModule",
            "  PoolCount = 20",
            "  Active = False",
            "  Version = '0.1.1b'",
            "  Left = 60",
            "  Top = 12",
            " end",
        };
        for (const char* l : lines) pool += String(l) + CRLF;
    }
    return FillTemplate(
        "QZ_SERVERCONTROLLER_FORM",
        {s.CreateUserSession ? " OnNewSession = QZServerControllerBaseNewSession" + CRLF : String(),
         s.UseServerManager ? " OnDestroy = QZServerControllerBaseDestroy " + CRLF : String(),
         s.PoolDataConnections || s.UseServerManager ? " OnCreate = QZServerControllerBaseCreate" + CRLF
                                                     : String(),
         pool});
}

String TQZUserSessionFile::Build()
{
    return IsCpp ? FillTemplate("QZ_KVT_USERSESSION_FILE", {kZub, kFormMask})
                 : LoadTemplate("QZ_USERSESSION_FILE");
}
String TQZUserSessionHeader::Build() { return LoadTemplate("QZ_KVT_USERSESSION_HEADER"); }
String TQZUserSessionFormFile::Build() { return LoadTemplate("QZ_USERSESSION_FORM"); }

String TQZDataModuleFile::Build()
{
    if (IsCpp) return FillTemplate("QZ_KVT_DATAMODULE_FILE", {kZub, kFormMask});
    return FillTemplate(Settings().PoolDataConnections ? "QZ_DATAMODULE_POOL_FILE" : "QZ_DATAMODULE_FILE",
                        {kFormMask});
}
String TQZDataModuleHeader::Build() { return FillTemplate("QZ_KVT_DATAMODULE_HEADER", {"", "", ""}); }
String TQZDataModuleFormFile::Build() { return LoadTemplate("QZ_DATAMODULE_FORM"); }

namespace {
bool KnownFrameType(TQZFormType t) { return t == ftApp || t == ftApp32 || t == ftAppWap; }
}  // namespace

String TQZFrameFile::Build()
{
    if (!KnownFrameType(FrameType)) return "";
    const auto& s = Settings();
    const String sfx = Suffix(FrameType);
    if (!IsCpp) return FillTemplate("QZ_FRAME_UNIT", {s.UnitIdent, sfx, s.FormClassName, sfx, kFormMask});
    const String cls = "T" + s.FormClassName;
    return FillTemplate("QZ_KVT_FRAME_UNIT", {kZub, s.UnitIdent, kFormMask, cls, cls});
}

String TQZFrameHeader::Build()
{
    if (!KnownFrameType(FrameType)) return "";
    const auto& s = Settings();
    const String sfx = Suffix(FrameType), cls = "T" + s.FormClassName;
    return FillTemplate("QZ_KVT_FRAME_UNIT_H_FILE",
                        {s.UnitIdent, s.UnitIdent, "", "", "", sfx, cls, sfx, cls});
}

String TQZFrameFormFile::Build()
{
    if (!KnownFrameType(FrameType)) return "";
    const auto& n = Settings().FormClassName;
    const bool app = FrameType == ftApp;
    return FillTemplate("QZ_FRAME_FILE", {n, n, Suffix(FrameType), app ? "Align = alClient" : "",
                                          app ? "Color = clNone" : ""});
}

HRESULT TQZModuleCreator::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQModuleCreator>(this, iid, obj)) return S_OK;
    if (QueryAs<IQSourceCreator>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

namespace {
// The unit's own file name, or one in the project folder when the host gave none.
String UnitFileName(TQZModuleCreator& c)
{
    String f = c.GetFileName();
    return f.empty() ? TQZNotifierObject::MakeFileName(Settings().UnitIdent, c.IsCpp ? "cpp" : "pas") : f;
}
}  // namespace

TIntfPtr<IQSourceFile> QZDsnWizard::HandOver(TQZSourceFile* file)
{
    TIntfPtr<IQSourceFile> keep(file);
    return TIntfPtr<IQSourceFile>(new TStringFile(keep->FileName(), keep->Source()));
}

TIntfPtr<IQSourceFile> TQZModuleCreator::GetSource() { return HandOver(NewImplSource(UnitFileName(*this))); }

TIntfPtr<IQSourceFile> TQZModuleCreator::GetInterfaceSource()
{
    if (!IsCpp) return nullptr;
    return HandOver(NewHeader(ChangeFileExt(UnitFileName(*this), ".h")));
}

TIntfPtr<IQSourceFile> TQZModuleCreator::GetForm()
{
    return HandOver(NewFormFile(ChangeFileExt(UnitFileName(*this), GetFormFileExt())));
}

String TQZUnitCreator::GetAncestorName()
{
    if (!KnownFormType(FormType)) return "";
    String a = AncestorUnit(FormType);  // "QZAppForm" ...
    return IsCpp ? a : "T" + a;
}

String TQZUnitCreator::GetFormName() { return Settings().FormClassName; }

String TQZUnitCreator::GetFileName()
{
    if (IsMain) return MakeFileName(Settings().UnitIdent, SourceExt());
    return Settings().FileName;
}

String TQZFrameCreator::GetFormName() { return Settings().FormClassName; }

String TQZFrameCreator::GetFileName()
{
    const auto& s = Settings();
    return !s.FileName.empty() ? s.FileName : MakeFileName(s.UnitIdent, SourceExt());
}

HRESULT TQZProjectCreator::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQProjectCreator50>(this, iid, obj)) return S_OK;
    if (QueryAs<IQProjectCreator>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

String TQZProjectCreator::GetCreatorType()
{
    auto t = Settings().AppType;
    return t == atStandAlone || t == atService ? "Application" : "Library";
}

String TQZProjectCreator::GetFileName()
{
    const auto& s = Settings();
    return s.ProjectDir + s.ProjectName + (IsCpp ? ".cpp" : ".pdr");
}

TIntfPtr<IQSourceFile> TQZProjectCreator::GetSource()
{
    return HandOver(new TQZProjectFile(GetFileName(), IsCpp));
}

String TQZProjectCreator::GetPersonality() { return IsCpp ? sCppPersonality : "Pendro.Personality"; }

int TQZProjectCreator::GetTargetType() { return GetCreatorType() == "Library" ? 1 : 0; }

std::vector<TIntfPtr<TQZModuleCreator>> TQZProjectCreator::ModuleCreators(IQProject* project)
{
    const auto& s = Settings();
    std::vector<TIntfPtr<TQZModuleCreator>> c;
    c.emplace_back(new TQZUnitCreator(IsCpp, project, s.MainFormType, true));
    c.emplace_back(new TQZServerControllerCreator(IsCpp, project));
    if (s.CreateUserSession) c.emplace_back(new TQZUserSessionCreator(IsCpp, project));
    if (s.PoolDataConnections) c.emplace_back(new TQZDataModuleCreator(IsCpp, project));
    return c;
}

void TQZProjectCreator::CreateDefaultModule(IQProject* project)
{
    auto ms = ModuleServices();
    for (auto& c : ModuleCreators(project)) ms->CreateModule(c.get(), project);
}

std::vector<String> TQZProjectCreator::FileNames()
{
    std::vector<String> files{GetFileName()};
    for (auto& c : ModuleCreators(nullptr)) {
        const String f = UnitFileName(*c);
        files.push_back(f);
        if (IsCpp) files.push_back(ChangeFileExt(f, ".h"));
        files.push_back(ChangeFileExt(f, c->GetFormFileExt()));
    }
    return files;
}

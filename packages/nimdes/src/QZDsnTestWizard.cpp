#include "QZDsnTestWizard.h"

#include "rtl/Files.h"

namespace QZDsnTestWizard {

int UseCount = 0;

namespace {
TQZTestSettings gSettings;

// Every occurrence of what, in any letter case, replaced by with.
String ReplaceAllText(const String& text, const String& what, const String& with)
{
    const String upper = UpperCase(text), key = UpperCase(what);
    String r;
    std::size_t from = 0;
    for (std::size_t p = upper.find(key); p != String::npos; p = upper.find(key, from)) {
        r += text.substr(from, p - from) + with;
        from = p + key.size();
    }
    return r + text.substr(from);
}

// The names of a new test unit from the host, for a file in folder (empty: the current project's).
void TakeNewNames(const String& folder)
{
    auto& s = gSettings;
    s.FileName = MakeUniqueModuleName("Unit", ".pas", folder);
    s.UnitIdent = ChangeFileExt(ExtractFileName(s.FileName), "");
    s.FormClassName = "QZTestCase" + (s.UnitIdent.size() > 4 ? s.UnitIdent.substr(4) : String());
}
}  // namespace

void Initialization() {}
void Finalization() { gSettings = TQZTestSettings{}; }
TQZTestSettings& Settings() { return gSettings; }

String GetIDEProjectPath()
{
    // The host's folder stands for the user's documents.
    return IncludeTrailingPathDelimiter(DefaultProjectsFolder() + "Quistor Studio Projects");
}

String TestUnitText()
{
    String t = QZDsnWizard::LoadTemplate("QZ_TEST_UNIT");
    // The placeholder is no format slot, so it goes before formatting.
    t = ReplaceAllText(t, "%classname%", "T" + gSettings.FormClassName);
    return Format(t, {gSettings.UnitIdent});
}

void NewTestNames(const String& folder) { TakeNewNames(folder); }

}  // namespace QZDsnTestWizard

using namespace QZDsnTestWizard;

String TQZTestUnitFile::Build() { return TestUnitText(); }

String TQZTestProjectFile::Build()
{
    const auto& s = QZDsnTestWizard::Settings();
    return QZDsnWizard::FillTemplate("QZ_TEST_PROJECT", {s.ProjectName, s.UnitIdent, s.UnitIdent});
}

HRESULT TQZTestUnitCreator::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQModuleCreator>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

String TQZTestUnitCreator::GetFileName() { return QZDsnTestWizard::Settings().FileName; }

TIntfPtr<IQSourceFile> TQZTestUnitCreator::GetSource()
{
    return QZDsnWizard::HandOver(new TQZTestUnitFile(GetFileName(), IsCpp));
}

HRESULT TQZTestProjectCreator::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQProjectCreator50>(this, iid, obj)) return S_OK;
    if (QueryAs<IQProjectCreator>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

String TQZTestProjectCreator::GetFileName()
{
    const auto& s = QZDsnTestWizard::Settings();
    return s.ProjectDir + s.ProjectName + ".pdr";
}

TIntfPtr<IQSourceFile> TQZTestProjectCreator::GetSource()
{
    return QZDsnWizard::HandOver(new TQZTestProjectFile(GetFileName(), IsCpp));
}

void TQZTestProjectCreator::CreateDefaultModule(IQProject* project)
{
    TIntfPtr<IQModuleCreator> c(new TQZTestUnitCreator(IsCpp, project));
    ModuleServices()->CreateModule(c.get(), project);
}

TIntfPtr<IQGalleryCategory> TQZTestApplicationWizard::GetGalleryCategory()
{
    return QZDsnWizard::GalleryCategory(false, GetIDString(), true);
}

void TQZTestApplicationWizard::Execute()
{
    auto ms = ModuleServices();
    auto& s = QZDsnTestWizard::Settings();
    s.ProjectDir = GetIDEProjectPath();
    if (!ForceDirectories(s.ProjectDir)) throw EInOutError("Cannot create the folder " + s.ProjectDir);
    NewTestNames(s.ProjectDir);
    const std::vector<String> group = QZDsnWizard::GroupProjectFiles();
    // A folder of the name does not count; a project file of the name does, it is never
    // overwritten.
    for (int n = 1;; ++n) {
        s.ProjectName = Format("Project%d", {n});
        if (!QZDsnWizard::ProjectExists(group, s.ProjectName) &&
            !FileExists(s.ProjectDir + s.ProjectName + ".pdr"))
            break;
    }
    TIntfPtr<IQProjectCreator> c(new TQZTestProjectCreator(IsCpp));
    ms->CreateProject(c.get());
}

TIntfPtr<IQGalleryCategory> TQZTestUnitWizard::GetGalleryCategory()
{
    return QZDsnWizard::GalleryCategory(false, "", false);
}

void TQZTestUnitWizard::Execute()
{
    auto ms = ModuleServices();
    NewTestNames("");
    auto project = ActiveProject();
    if (!project) return;
    TIntfPtr<IQModuleCreator> c(new TQZTestUnitCreator(IsCpp, project.get()));
    ms->CreateModule(c.get(), project.get());
}

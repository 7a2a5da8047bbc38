#include "Cppidlcontainer.h"

#include "Idlcppreg.h"
#include "Idlopenfile.h"
#include "Idlproject.h"
#include "Idlprojopts.h"
#include "host/CppPersonality.h"
#include "rtl/Files.h"
#include "rtl/Resources.h"

namespace {

RTL_RESOURCESTRING(sKrotexToolTitle, "Quistor Morvask KROTEX Compiler Tool");

TKrotexOptionSet OptionSetOf(IQCppProject* p)
{
    TKrotexOptionSet s;
    s.RootDir = p->OptionValue("", sKrotexOptionSet, "rootdir");
    s.HasSrcSuffix = p->HasOptionValue("", sKrotexOptionSet, "srcsuffix");
    s.SrcSuffix = p->OptionValue("", sKrotexOptionSet, "srcsuffix");
    s.ServerExt = p->OptionValue("", sKrotexOptionSet, "serverext");
    s.ClientExt = p->OptionValue("", sKrotexOptionSet, "clientext");
    if (!s.RootDir.empty()) s.RootDir = ExpandRelativePath(p->Directory(), s.RootDir);
    return s;
}

TIntfPtr<TKrotexCompilerTool> gTool;

}  // namespace

TIdlModuleContainer::TIdlModuleContainer(TStdFileContainer* parent, const String& fileName,
                                         IQCppProject* project)
    : TStdFileContainer(parent, fileName, project, 1, 13)
{
    FRemovedCookie =
        AddProjectModuleRemoved([this](TObject* s, const String& f) { RemoveProjectItem(s, f); });
    FCompiledCookie =
        AddAfterCompile([this](TObject* s, IQCppProject* p, bool ok) { AfterCompile(s, p, ok); });
}

TIdlModuleContainer::~TIdlModuleContainer()
{
    RemoveProjectModuleRemoved(FRemovedCookie);
    RemoveAfterCompile(FCompiledCookie);
}

void TIdlModuleContainer::GetGeneratedFilenames(String& serverSource, String& clientSource)
{
    ::GetGeneratedFilenames(FileName(), Project()->FileName(), OptionSetOf(Project()), serverSource,
                            clientSource);
}

void TIdlModuleContainer::RemoveProjectItem(TObject*, const String& file)
{
    if (!IsIdlFile(file) || !SameFileName(file, FileName())) return;
    String server, client;
    GetGeneratedFilenames(server, client);
    // also the sources beside an IDL file outside the project's folder, where a compile puts them
    TIdlCppOptions opts(KrotexSwitchesOf(Project(), file));
    for (const String& g : {server, client, opts.MakeServerSourceName(Project()->Directory(), file),
                            opts.MakeClientSourceName(Project()->Directory(), file)})
        if (Project()->HasItem(g)) Project()->RemoveItem(g);
}

void TIdlModuleContainer::AfterCompile(TObject*, IQCppProject* project, bool success)
{
    if (!success || project != Project()) return;
    FChildren.clear();
    ProjectManagerRefresh();
}

void TIdlModuleContainer::ChangeNames(const String& oldName, const String& newName)
{
    TStdFileContainer::ChangeNames(oldName, newName);
    for (String& c : FChildren) c = ChangeFileExt(newName, ExtractFileExt(c));
}

std::vector<int> TIdlModuleContainer::GetStandardCommands()
{
    std::vector<int> cmds = TStdFileContainer::GetStandardCommands();
    AddCppLocalCommands(cmds, 0x101000);
    if (Project()->HasLocalOptions(FileName())) cmds.push_back(cmRemoveLocalOptions);
    return cmds;
}

bool TIdlModuleContainer::CommandHandler(int command)
{
    if (!TStdFileContainer::CommandHandler(command)) return false;
    switch (command) {
    case cmCompile: {
        TIntfPtr<IQBuildTool> tool = FindBuildTool(FileName());
        const bool ok = tool && tool->Compile(FileName(), Project());
        return ok;
    }
    case cmLocalOptions: return true;  // the host shows the item's option set for editing
    case cmRemoveLocalOptions: Project()->RemoveLocalOptions(FileName()); return true;
    default: return true;
    }
}

HRESULT TKrotexCompilerTool::QueryInterface(const TGUID& iid, void** obj)
{
    if (QueryAs<IQBuildTool>(this, iid, obj)) return S_OK;
    return TInterfacedObject::QueryInterface(iid, obj);
}

String TKrotexCompilerTool::Title() { return sKrotexToolTitle; }
String TKrotexCompilerTool::FileFilter() { return sIdlFileFilter; }
bool TKrotexCompilerTool::HandlesFile(const String& file) { return IsIdlFile(file); }
std::vector<String> TKrotexCompilerTool::Extensions() { return IdlToolExtensions(FExtensions); }

TStdFileContainer* TKrotexCompilerTool::CreateContainer(TStdFileContainer* parent, const String& file,
                                                        IQCppProject* project)
{
    if (!project || !SameText(project->Personality(), sCppPersonality)) return nullptr;
    auto* node = new TIdlModuleContainer(parent, file, project);
    node->Caption = ExtractFileName(file);
    return node;
}

TUsesEntry TKrotexCompilerTool::CreateUsesEntry(const String& file, IQCppProject*) { return {file, "", 14}; }

bool TKrotexCompilerTool::Compile(const String& file, IQCppProject* project)
{
    CompilerType = 7;
    const String switches = KrotexSwitchesOf(project, file);
    if (ShowCommandLines) ShowCommandLine(7, switches, ExtractFileName(file));
    return CompileKrotex(file, switches, project);
}

void TKrotexCompilerTool::LoadSettings()
{
    FExtensions = ToolSetting(Name(), "Extensions");
    if (FExtensions.empty()) {
        FExtensions = ".idl";
        SetToolSetting(Name(), "Extensions", FExtensions);
    }
}

namespace Cppidlcontainer {

int UseCount = 0;

void Initialization()
{
    gTool = TIntfPtr<TKrotexCompilerTool>(new TKrotexCompilerTool);
    RegisterItemContainerCreator(gTool.get());
}

void Finalization()
{
    UnregisterItemContainerCreator(gTool.get());
    gTool.reset();
}

}  // namespace Cppidlcontainer

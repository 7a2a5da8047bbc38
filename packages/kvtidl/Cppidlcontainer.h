#pragma once
// The project-manager node of an IDL item and the build tool that compiles IDL items.
#include "host/BuildTools.h"
#include "host/ProjectManager.h"

class TIdlModuleContainer : public TStdFileContainer {
public:
    TIdlModuleContainer(TStdFileContainer* parent, const String& fileName, IQCppProject* project);
    ~TIdlModuleContainer() override;
    bool HasChildren() override { return false; }
    std::vector<String> GetChildren() override { return {}; }
    int BuildState() override { return 0; }
    // The server and client sources generated from the IDL file.
    void GetGeneratedFilenames(String& serverSource, String& clientSource);
    void RemoveProjectItem(TObject* sender, const String& file);
    void AfterCompile(TObject* sender, IQCppProject* project, bool success);
    void ChangeNames(const String& oldName, const String& newName) override;
    std::vector<int> GetStandardCommands() override;
    bool CommandHandler(int command) override;

private:
    int FRemovedCookie = 0, FCompiledCookie = 0;
    std::vector<String> FChildren;
};

class TKrotexCompilerTool : public TInterfacedObject, public IQBuildTool {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    String Name() override { return "IDLCompiler"; }
    String Title() override;
    String FileFilter() override;
    bool HandlesFile(const String& file) override;
    std::vector<String> Extensions() override;
    TStdFileContainer* CreateContainer(TStdFileContainer* parent, const String& file,
                                       IQCppProject* project) override;
    TUsesEntry CreateUsesEntry(const String& file, IQCppProject* project) override;
    bool Compile(const String& file, IQCppProject* project) override;
    void LoadSettings() override;

private:
    String FExtensions;
};

namespace Cppidlcontainer {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace Cppidlcontainer

#pragma once
// The project updater of CORBA projects: which implementation units reference which IDL files,
// compiling IDL files through the personality, and the transaction around adding IDL files.
#include <memory>
#include <vector>

#include "host/CppPersonality.h"
#include "host/CppProject.h"

class TAddIdlFilesTransaction : public TAddIdlFilesTransactionBase {
public:
    // Records the project's IDL files as they are now.
    explicit TAddIdlFilesTransaction(IQCppProject* project);
    // With "Verify IDL include files" on and the project's switches not generating include-file
    // code: the files that the IDL files added since include, directly or not, and that the
    // project does not hold, each once.
    std::vector<String> Complete() override;

private:
    IQCppProject* FProject;
    std::vector<String> FBefore;
};

class TIdlProjectUpdater : public TIdlProjectUpdaterBase {
public:
    explicit TIdlProjectUpdater(IQCppProject* project) : FProject(project) {}
    // Every uses entry of the unit (kind other than 2) becomes a CORBA implementation entry in
    // its place and references the IDL file.
    void AddIdlReference(const String& unitName, const String& idlFile);
    void RenameIdlReference(const String& oldName, const String& newName);
    // The CORBA implementation entries that reference the IDL file.
    std::vector<TUsesEntry> ListUsesEntries(const String& idlFile);
    bool CanRefreshIdlImpl();
    // Asks whether to load the implementation units of the IDL file that are not open; false
    // when the user cancels.
    bool RefreshIdlImpl(const String& idlFile);
    bool CompileIdlFiles(const std::vector<String>& files);
    std::unique_ptr<TAddIdlFilesTransactionBase> PrepareAddIdlFiles() override;

private:
    IQCppProject* FProject;
};
// The personality's hook: the project updater of a project.
TIdlProjectUpdaterBase* NewIdlProjectUpdater(IQCppProject* project);

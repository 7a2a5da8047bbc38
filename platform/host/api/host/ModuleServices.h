#pragma once
// Module services: the host creates units and projects from creators and keeps the open
// project group.
#include "host/Export.h"
#include "host/SourceFiles.h"
#include "host/ToolsAPI.h"
#include <vector>

// A creator of a new unit. The host asks it for names and options first, then for its texts;
// a text the creator does not supply is nullptr and no file is written for it.
class HOST_API IQModuleCreator : public virtual IInterface {
public:
    RTL_IID("{19EF6DA1-DB6F-11D0-9EDB-00A02457621F}");
    virtual bool GetExisting() = 0;
    virtual String GetFileName() = 0;  // full path of the unit's source; empty: the host picks one
    virtual TIntfPtr<IQSourceFile> GetSource() = 0;
    virtual String GetLanguage() = 0;
    virtual bool GetShowSource() = 0;
    virtual bool GetIncludeInProject() = 0;
    virtual String GetAncestorName() = 0;
    virtual TIntfPtr<IQSourceFile> GetInterfaceSource() = 0;
    virtual TIntfPtr<IQSourceFile> GetForm() = 0;
    virtual String GetFormName() = 0;
    virtual bool GetMainForm() = 0;
    virtual String GetClasses() = 0;
    virtual String GetUnits() = 0;
    virtual String GetLicenseString() = 0;
    virtual bool GetShowForm() = 0;
};

// The C++ form creators answer this too: the host asks it for the form file's extension.
class HOST_API IQSourceCreator : public virtual IInterface {
public:
    RTL_IID("{19EF6DA3-DB6F-11D0-9EDB-00A02457621F}");
    virtual String GetFormFileExt() = 0;
};

class IQProject;

class HOST_API IQProjectCreator : public virtual IInterface {
public:
    RTL_IID("{FE7BB77E-5A2B-4627-8091-723E0DCE759B}");
    virtual bool GetExisting() = 0;
    virtual String GetFileName() = 0;
    virtual TIntfPtr<IQSourceFile> GetSource() = 0;
    virtual String GetLanguage() = 0;
    virtual bool GetShowSource() = 0;
    virtual String GetPersonality() = 0;
    virtual int GetTargetType() = 0;
    // Called after the project exists: the creator sets its target options.
    virtual void InitTargetOptions() = 0;
    // Called last: the creator adds the project's first modules.
    virtual void CreateDefaultModule(IQProject* project) = 0;
};
// The same creator under its older identity.
class HOST_API IQProjectCreator50 : public virtual IQProjectCreator {
public:
    RTL_IID("{04BBA160-E0CC-11D0-B332-444553540000}");
};

// A unit or project opened in the host.
class HOST_API IQModule : public virtual IInterface {
public:
    RTL_IID("{7C21E0A4-93B5-4F6E-8D02-5A1E6C3B9F10}");
    virtual String FileName() = 0;
    virtual String UnitName() = 0;
    virtual String FormName() = 0;  // empty for a unit without form
    virtual String AncestorName() = 0;
    // Files the host received for this module (name, text), in the order it received them.
    virtual int FileCount() = 0;
    virtual TIntfPtr<IQSourceFile> File(int index) = 0;
    // Brings the module to the front: 0 its source, 1 its form.
    virtual void Show(int view) = 0;
    virtual void MarkModified() = 0;
    virtual int ShowCount() = 0;
    virtual bool Modified() = 0;
};

// The source interface of a unit: its editor brings a place of the unit's files to the front.
class HOST_API IQSourceView : public virtual IInterface {
public:
    RTL_IID("{E5D4F52A-F678-42A2-8E40-0D20880AF473}");
    // Shows fileName (the unit's source or header) with the code that begins at codePos in view
    // and the cursor at sourcePos (offsets into the file's text).
    virtual void ShowSource(const String& fileName, std::size_t codePos, std::size_t sourcePos) = 0;
};

// A unit with a form (a form, data module, Active Form ...): its root component, the class the
// designer makes the root of, and the components on it as its form file lists them.
class HOST_API IQFormModule : public virtual IInterface {
public:
    RTL_IID("{F4B53EE1-BA3B-11D0-86B6-181704C10000}");
    virtual String RootName() = 0;
    // "TDataModule" for a (remote) data module, "T" + the ancestor name otherwise ("TForm",
    // "TActiveForm").
    virtual String RootClass() = 0;
    virtual std::vector<String> ComponentNames() = 0;
    // The root and its class T<name> take the new name in the unit's files and its form file
    // (all or nothing); EHostError for a name that is no identifier or another form's.
    virtual void RenameRoot(const String& newName) = 0;
};

// What owns modules: a project's document.
class HOST_API IQDocumentModule : public virtual IQModule {
public:
    RTL_IID("{2D6A9E31-0B7C-4F58-A1E4-6C93F0D2B711}");
};

class HOST_API IQProject : public virtual IQDocumentModule {
public:
    RTL_IID("{8689412F-F72C-469F-BADA-B72690D94C1C}");
    virtual String Personality() = 0;
    virtual int ModuleCount() = 0;
    virtual TIntfPtr<IQModule> Module(int index) = 0;
    virtual String TargetOptions() = 0;  // what the options call recorded, "" when none
};

class HOST_API IQProjectGroup : public virtual IInterface {
public:
    RTL_IID("{A3C9D1E2-5F60-4B7A-8C1D-0E2F3A4B5C61}");
    virtual TIntfPtr<IQProject> ActiveProject() = 0;  // nullptr when no project is open
    virtual TIntfPtr<IQModule> CurrentModule() = 0;  // nullptr when no module is open
    virtual int ProjectCount() = 0;
    // Every module open in the group: each project, then its units, then units of no project.
    virtual int OpenModuleCount() = 0;
    virtual TIntfPtr<IQModule> OpenModule(int index) = 0;  // EListError out of range
    // Closes every project and module. closeFlags: 0 asks nothing (headless host).
    virtual void CloseAll(int closeFlags) = 0;
};

class HOST_API IQModuleServices : public virtual IInterface {
public:
    RTL_IID("{F17A9B30-8E2D-4C61-B5A0-3D4E7F1C2B81}");
    // Creates a unit from the creator; owner is the project it is added to (nullptr: the active
    // project, if any).
    virtual TIntfPtr<IQModule> CreateModule(IQModuleCreator* creator, IQDocumentModule* owner) = 0;
    // Creates a project from the creator and makes it the active one.
    virtual TIntfPtr<IQProject> CreateProject(IQProjectCreator* creator) = 0;
    virtual TIntfPtr<IQProjectGroup> MainProjectGroup() = 0;
    // A project file name for a new project of the personality (folder + "Project" + N + ".zproj"),
    // or "" when the personality is unknown.
    virtual String CreateNewProjectFileName(const String& personality) = 0;
};

// Shorthands over QuistorIDEServices.
HOST_API TIntfPtr<IQModuleServices> ModuleServices();  // EHostError without it
HOST_API TIntfPtr<IQProjectGroup> MainProjectGroup();
HOST_API TIntfPtr<IQProject> ActiveProject();  // nullptr when there is none
// Closes the open unit module of the file (not a project); false when none is open.
HOST_API bool CloseModule(const String& fileName);
// The folder the host proposes for new projects (idehost: its --dir), with a trailing delimiter.
HOST_API String DefaultProjectsFolder();

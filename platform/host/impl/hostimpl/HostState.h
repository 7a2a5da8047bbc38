#pragma once
// The host's internal state, shared by the service implementations.
#include <map>
#include <memory>
#include <mutex>

#include "host/CppProjectOptions.h"
#include "host/GalleryServices.h"
#include "hostimpl/HostImpl.h"
#include "host/ModuleServices.h"

namespace hostimpl {

class THostModule;

struct THostState {
    String ProjectFolder;
    TIntfPtr<IInterface> Services;
    // modules
    std::vector<TIntfPtr<THostModule>> Projects;
    std::vector<TIntfPtr<THostModule>> LooseModules;  // units outside any project
    TIntfPtr<THostModule> ActiveProject;
    TIntfPtr<THostModule> CurrentModule;
    THostModule* CreatingProject = nullptr;
    std::vector<TReceivedFile> Received;
    // gallery
    std::vector<TIntfPtr<IQGalleryCategory>> Categories;
    std::map<String, int> CategoryUsers;  // upper-cased identifier -> uses (AddCategory calls)
    std::vector<TGalleryEntry> Handlers;
    int NextHandle = 1;
    std::map<String, const TGalleryItemClass*> ProjFormTemplates;  // upper-cased personality
    std::vector<const TGalleryItemClass*> Classes;
    std::map<String, String> ClassGroups;  // class name -> group
    // personalities: upper-cased name -> supported traits
    std::map<String, std::vector<TGUID>> Traits;
    std::vector<String> Personalities;
    // IDE control
    bool ZubDesignerActive = true;
    bool MainFormShown = false;
    std::unique_ptr<TCppCompiler> Compiler;
    std::map<String, String> Answers;
};

// Answers the modal dialogs of the running host from its dialog answers (form.* keys).
void InstallDialogAnswers();
// Sets a control of a dialog as an answer names it (EHostError for a value it cannot take).
void ApplyDialogAnswer(const String& formName, TComponent& control, const String& value);
void RemoveDialogAnswers();

// The gallery categories the host itself brings.
void AddHostCategories(THostState& s);

// The running host's state; EHostError when the host is not running.
THostState& State();
THostState* StateOrNull();

// Service objects (one file each), parts of the QuistorIDEServices object.
std::unique_ptr<TAggregatedObject> NewGalleryCategoryManager(IInterface* controller);
std::unique_ptr<TAggregatedObject> NewModuleServices(IInterface* controller);
std::unique_ptr<TAggregatedObject> NewPersonalityServices(IInterface* controller);
std::unique_ptr<TAggregatedObject> NewCppProjectOptions(IInterface* controller);
std::unique_ptr<TAggregatedObject> NewIDEServices(IInterface* controller);
std::unique_ptr<TAggregatedObject> NewHistoryServices(IInterface* controller);
std::unique_ptr<TAggregatedObject> NewCurrentPersonality(IInterface* controller);
std::unique_ptr<TAggregatedObject> NewWizardServices(IInterface* controller);
std::unique_ptr<TAggregatedObject> NewMessageServices(IInterface* controller);
std::unique_ptr<TAggregatedObject> NewProgressServices(IInterface* controller);
std::unique_ptr<TAggregatedObject> NewSplashScreenServices(IInterface* controller);
std::unique_ptr<TAggregatedObject> NewNTAServices(IInterface* controller);
std::unique_ptr<TAggregatedObject> NewInspectorServices(IInterface* controller);

// The main window's menu, made when the host starts and freed when it stops.
void CreateMainMenu();
void FreeMainMenu();
// Every module closes: the code updaters of the modules go.
void DropCodeUpdaters();

// A module or project of the host.
class THostModule : public TInterfacedObject,
                    public virtual IQProject,
                    public IQFormModule,
                    public IQSourceView {
public:
    THostModule(bool isProject, String fileName, String formName, String ancestor, String personality);
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    String FileName() override { return FFileName; }
    String UnitName() override;
    String FormName() override { return FFormName; }
    String AncestorName() override { return FAncestor; }
    int FileCount() override { return static_cast<int>(FFiles.size()); }
    TIntfPtr<IQSourceFile> File(int index) override { return FFiles.at(static_cast<std::size_t>(index)); }
    void Show(int view) override
    {
        FLastView = view;
        ++FShowCount;
    }
    void ShowSource(const String& fileName, std::size_t codePos, std::size_t sourcePos) override
    {
        Show(0);
        FShownSource = {fileName, codePos, sourcePos};
    }
    // What ShowSource showed last (an empty file name: nothing yet).
    struct TShownSource {
        String FileName;
        std::size_t CodePos = 0, SourcePos = 0;
    };
    const TShownSource& ShownSource() const { return FShownSource; }
    void MarkModified() override { FModified = true; }
    int ShowCount() override { return FShowCount; }
    bool Modified() override { return FModified; }
    String Personality() override { return FPersonality; }
    int ModuleCount() override { return static_cast<int>(FModules.size()); }
    TIntfPtr<IQModule> Module(int index) override;
    String TargetOptions() override { return FTargetOptions; }
    // As a form module (asked only of a unit with a form).
    String RootName() override;
    String RootClass() override;
    std::vector<String> ComponentNames() override;
    void RenameRoot(const String& newName) override;

    bool IsProject() const { return FIsProject; }
    void AddFile(TIntfPtr<IQSourceFile> f) { FFiles.push_back(std::move(f)); }
    void SetFile(std::size_t index, TIntfPtr<IQSourceFile> f) { FFiles.at(index) = std::move(f); }
    void AddModule(TIntfPtr<THostModule> m) { FModules.push_back(std::move(m)); }
    std::vector<TIntfPtr<THostModule>>& Modules() { return FModules; }
    void SetTargetOptions(const String& s) { FTargetOptions = s; }
    // What the project's creator answered as target type (TProjectKind); 1 for one opened.
    int Kind() const { return FKind; }
    void SetKind(int kind) { FKind = kind; }
    // The module's file is renamed (the files it received keep their texts).
    void SetFileName(const String& fileName) { FFileName = fileName; }
    void SetPersonality(const String& personality) { FPersonality = personality; }

private:
    bool FIsProject;
    String FFileName, FFormName, FAncestor, FPersonality, FTargetOptions;
    std::vector<TIntfPtr<IQSourceFile>> FFiles;
    std::vector<TIntfPtr<THostModule>> FModules;
    TShownSource FShownSource;
    int FShowCount = 0, FLastView = -1, FKind = 1;
    bool FModified = false;
};

// Every open module (projects and their units).
std::vector<THostModule*> AllModules();
THostModule* FindProjectByFile(const String& fileName);
// A form name base + N that no open module's form has.
String NewFormName(const String& base);

// The class an ancestor name stands for: "Form" is TForm, "TFrame" stays.
String AncestorClassName(const String& ancestor);
// The project source of the component library's C++ projects names each form unit
// (USEFORM("Unit1.cpp", Form1);) and creates its form at start
// (Application->CreateForm(__classid(TForm1), &Form1);), a frame only named. text unchanged when
// it is no such source or names the form already.
String AddFormToProjectSource(const String& text, const String& unitFile, const String& formName,
                              bool createForm);
// The uses list of a Pascal project source with the unit added last
// (`Unit2 in 'Unit2.pas' {Form2: TAncestor}`); text unchanged when it names the unit already.
String AddUnitToPascalSource(const String& text, const String& unitFile, const String& formName,
                             const String& ancestor);
// The object map of a C++ project source (BEGIN_OBJECT_MAP ... END_OBJECT_MAP()) with the entry
// of a CoClass added last (OBJECT_ENTRY(CLSID_Name, TNameImpl)) and an include of the header
// that declares the class; text unchanged without a map or when it holds the entry.
String AddObjectToObjectMap(const String& text, const String& coClassName, const String& header = "");
// The entry of the CoClass the unit (its .cpp) implements.
void AddObjectToProjectMap(THostModule& project, const String& coClassName, const String& unitFile);
// The entry of a renamed CoClass follows its name (text unchanged when the map has no entry of
// the old name).
String RenameInObjectMap(const String& text, const String& oldName, const String& newName);
void RenameObjectInProjectMap(THostModule& project, const String& oldName, const String& newName);
// How the project's model follows: a new module becomes an item (with a uses entry for a unit), a
// new project's source its first item. The project layer keeps the model and sets these when
// the library loads; core keeps none.
struct TProjectModelHooks {
    void (*JoinUnit)(THostModule& project, THostModule& unit);
    void (*AddItem)(IQProject* project, const String& file);
};
extern TProjectModelHooks ProjectModelHooks;
// The new module becomes an item of the project's model (with a uses entry for a unit).
void JoinProjectModel(THostModule& project, THostModule& unit);
// Adds the new unit to the source of the project it joined: a form unit to a C++ source, any
// unit to a Pascal one.
void AddFormToProject(THostModule& project, THostModule& unit);

}  // namespace hostimpl

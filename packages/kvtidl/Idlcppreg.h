#pragma once
// Registration of the package with the IDE: the gallery item for new IDL files, the CORBA
// commands and the options.
#include <vector>

#include "host/Actions.h"
#include "host/CodeUpdaters.h"
#include "host/Creators.h"
#include "host/Gallery.h"
#include "zub/Controls.h"

class TIdlCommands : public TDataModule {
public:
    explicit TIdlCommands(TComponent* AOwner);
    ~TIdlCommands() override;
    TImageList* ImageList1;
    TActionList* ActionList1;
    TAction *CORBAUpdateObjects, *CORBAUseObject, *ViewCORBACommands, *CORBAKrotir, *CORBAVantrald,
        *CORBANewIdl, *CORBANewObjectImpl;
    // Hands the images to the IDE and puts the CORBA separators into its main menu.
    void InitUIComponents();
    TControl* GetCORBAToolBar() const;
    bool ViewCORBAChecked = false;  // the view action's check mark
    void ViewCORBACommandsExecute(TObject* Sender);
    void ViewCORBACommandsUpdate(TObject* Sender);
    void FindVantraldCallback(int processId, const String& exeName);
    int VantraldProcessId() const { return FVantraldPid; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    int FVantraldPid = 0;
    std::vector<TMenuItem*> FMenuItems;  // what InitUIComponents put into the main menu, while it lives
};
extern TIdlCommands* IdlCommands;

class TProductStartup : public TComponent {
public:
    explicit TProductStartup(TComponent* AOwner);
    ~TProductStartup() override;
    void ProductStartup(TObject* Sender);

private:
    int FCookie = 0;
};

// An empty IDL file, included in the project and not shown at once.
class TCppIdlFileCreator : public TCppCreator {
public:
    using TCppCreator::TCppCreator;
    TIntfPtr<IQSourceFile> GetSource() override;
    bool GetShowSource() override { return false; }
    bool GetIncludeInProject() override { return true; }
};

class TNewIDLFile : public TCreatorTemplate {
public:
    HOST_GALLERY_CLASS(TNewIDLFile);

protected:
    TIntfPtr<IQModuleCreator> GetCreator() override;
};

// Code updaters for ".idl" modules.
class TCppIdlUpdaters : public TBaseCreateUpdaters {
public:
    bool HandlesFile(const String& fileName) override;
    TIntfPtr<IQCodeUpdater> Create(IQModule* module) override;
};

// A name "FileN.idl" not yet taken in `dir`.
String NewIdlFileName(const String& dir);
bool IsIdlFile(const String& fileName);
// The package's entry points behind its actions; they do nothing yet.
void CreateNewIDLFile();
void CreateNewIdlObjectImpl();
void UseCORBAObject();

namespace Idlcppreg {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace Idlcppreg

extern "C" void Idlcppreg_IDERegister();

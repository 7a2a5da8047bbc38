#pragma once
// File>New items, creators and commands for ZUB applications, forms, frames, data modules and
// threads of the C++ personality.
#include "host/Actions.h"
#include "host/Gallery.h"
#include "host/SourceModule.h"
#include "rtl/Resources.h"

namespace CppZubIDECmd {
// Unit table entry (templates loaded at initialisation, everything undone at finalisation).
extern int UseCount;
void Initialization();
void Finalization();
// Templates of the resource CPPZUBIDECMD, indexes 0..11; empty while the unit is not initialised.
const std::vector<String>& Sources();
}  // namespace CppZubIDECmd

extern "C" void CppZubIDECmd_IDERegister();

// Argument of a C string literal: backslash, double quote and control characters escaped.
String CStringLiteralText(const String& s);

class TCppZUBFormCreator : public TCppFormCreator {
public:
    TCppZUBFormCreator(const String& fileName, const String& formName, const String& ancestorName);
    String GetFormFileExt() override { return ".zfm"; }
    TIntfPtr<IQSourceFile> GetSource() override;
    TIntfPtr<IQSourceFile> GetInterfaceSource() override;

protected:
    TIntfPtr<IQSourceFile> FormSource(int index, const String& ext);
};

class TCppZUBFrameCreator : public TCppZUBFormCreator {
public:
    using TCppZUBFormCreator::TCppZUBFormCreator;
    TIntfPtr<IQSourceFile> GetSource() override;
    TIntfPtr<IQSourceFile> GetInterfaceSource() override;

protected:
    String GetBaseName() override { return "Frame"; }
};

class TCppZUBProjectCreator : public TCppProjectCreator {
public:
    using TCppProjectCreator::TCppProjectCreator;
    TIntfPtr<IQSourceFile> GetSource() override;
    void InitTargetOptions() override;
    void CreateDefaultModule(IQProject* project) override;
};

class TCppThreadModuleCreator : public TCppCreator {
public:
    // Raises on a class name that is no identifier.
    TCppThreadModuleCreator(const String& fileName, const String& threadName, const String& className);
    TIntfPtr<IQSourceFile> GetSource() override;
    TIntfPtr<IQSourceFile> GetInterfaceSource() override;
    const String& ClassName() const { return FClassName; }
    const String& ThreadName() const { return FThreadName; }

private:
    String FThreadName, FClassName;
};

class TNewZUBApplication : public TNewCppApplicationItem {
public:
    HOST_GALLERY_CLASS(TNewZUBApplication);

protected:
    TIntfPtr<IQProjectCreator> CreateProjectCreator(const String& projectFileName) override;
    TIntfPtr<IQProject> GetNewProject() override;
};

class TNewZUBForm : public TNewCppFormItem {
public:
    HOST_GALLERY_CLASS(TNewZUBForm);
    bool IsVisible() override { return IsZubDesignerActive(); }

protected:
    void NewModule(const String& moduleName, const String& ancestorName, IQDocumentModule* owner) override;
};

class TNewZUBFrame : public TNewCppFormItem {
public:
    HOST_GALLERY_CLASS(TNewZUBFrame);
    TNewZUBFrame() : TNewCppFormItem("Frame") {}
    bool IsVisible() override { return IsZubDesignerActive(); }

protected:
    void NewModule(const String& moduleName, const String& ancestorName, IQDocumentModule* owner) override;
};

class TNewZUBDataModule : public TCreatorTemplate {
public:
    HOST_GALLERY_CLASS(TNewZUBDataModule);

protected:
    TIntfPtr<IQModuleCreator> GetCreator() override;
};

class TNewThread : public TCreatorTemplate {
public:
    HOST_GALLERY_CLASS(TNewThread);
    bool IsVisible() override;

protected:
    TIntfPtr<IQModuleCreator> GetCreator() override;
};

class TNewInheritedCppProjectModule : public TCppProjectFormTemplate {
public:
    HOST_GALLERY_CLASS(TNewInheritedCppProjectModule);
    void Select(int kind) override;
};

class TZUBCommands : public TDataModule {
public:
    explicit TZUBCommands(TComponent* AOwner);

    TActionList* ActionList1;
    TAction* FileNewZUBApplicationCommand;
    TAction* FileNewZubDAtaModuleCommand;
    TAction* FileNewZubFrameCommand;
    TAction* FileNewZubFormCommand;
    TPopupMenu* PopupMenu1;
    TImageList* ImageList1;

    void DataModuleCreate(TObject* Sender);
    void FileNewZUBApplicationCommandExecute(TObject* Sender);
    void FileNewZubDAtaModuleCommandExecute(TObject* Sender);
    void FileNewZubFrameCommandExecute(TObject* Sender);
    void FileNewZubFormCommandExecute(TObject* Sender);
    // application, data module: follows the compiler's busy state when there is a compiler
    void BusyTestA(TObject* Sender);
    // frame, form: enabled only with a compiler that is not busy
    void BusyTestB(TObject* Sender);
};

class TProductStartup : public TComponent {
public:
    explicit TProductStartup(TComponent* AOwner);
    ~TProductStartup() override;
    void ProductStartup(TObject* Sender);
    TZUBCommands* Commands() const { return FCommands; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    int FCookie = 0;
    TZUBCommands* FCommands = nullptr;
};

// The startup object of the running package (nullptr outside IDERegister..unload).
TProductStartup* ProductStartupObject();

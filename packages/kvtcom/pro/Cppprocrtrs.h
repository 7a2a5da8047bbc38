#pragma once
// Source creators of the COM wizards of the C++ personality and their templates.
#include <array>

#include "Cppcomexpertcodegen.h"
#include "host/Creators.h"

namespace Cppprocrtrs {
// Unit table entry: the templates live from the first initialisation to the last finalisation,
// whichever of the COM packages loads first.
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace Cppprocrtrs

enum TSourceIndex {
    stActiveXControlHeader,
    stActiveXControlLicensing,
    stActiveXControlSource,
    stAboutBoxHeader,
    stAboutBoxSource,
    stAXLibProjectSource,
    stActiveFormHdr,
    stActiveFormSource,
    stPropertyPageHdr,
    stPropertyPageSource,
    stComponentFactorySource,
    stATLUnitHdr,
    stATLUnitSource,
};

// The template of an index; EHostError while the templates are not loaded.
const String& CppProSource(TSourceIndex index);

// Filter variable values of a flag.
extern const std::array<String, 2> FALSETRUE;

class TCppProCreator : public TCppCreator {
public:
    using TCppCreator::TCppCreator;

protected:
    // The template of index filled with args, as this creator's file with extension ext.
    TIntfPtr<IQSourceFile> FormatSource(TSourceIndex index, const String& ext, const TVarRecs& args);
};

class TCppCOMCreator : public TCppProCreator {
public:
    explicit TCppCOMCreator(const String& fileName);

protected:
    TIntfPtr<IExpertFilter> FExpertFilter;
};

class TCppCoClassCreator : public TCppCOMCreator {
public:
    // Raises on a CoClass name that is no identifier.
    TCppCoClassCreator(const String& fileName, const String& coClassName, const String& instancing,
                       const String& threadingModel, const String& description, bool events);
    const String& CoClassName() const { return FCoClassName; }

protected:
    String FCoClassName, FInstancing, FDescription, FThreadingModel;
    bool FEvents = false;
};

class TCppCoClassLicCreator : public TCppCoClassCreator {
public:
    TCppCoClassLicCreator(const String& fileName, const String& coClassName, bool licensed);
    String GetLicenseString() override { return FLicenseGUID; }
    String GetClasses() override { return FCoClassName; }

protected:
    // The member declarations of the licensing support, "" when the control is not licensed.
    String LicensingBlock();
    String FLicenseGUID;
};

class TCppActiveControlCreator : public TCppCoClassLicCreator {
public:
    TCppActiveControlCreator(const String& zubClassName, const String& fileName, const String& coClassName,
                             int bitmapNumber, bool licensed, const String& extra);
    TIntfPtr<IQSourceFile> GetSource() override;
    TIntfPtr<IQSourceFile> GetInterfaceSource() override;

private:
    String FZubClassName;
    int FBitmapNumber;
    String FExtra;
};

class TCppActiveFormCreator : public TCppCoClassLicCreator {
public:
    TCppActiveFormCreator(const String& fileName, const String& coClassName, int bitmapNumber, bool licensed);
    TIntfPtr<IQSourceFile> GetSource() override;
    TIntfPtr<IQSourceFile> GetInterfaceSource() override;
    String GetAncestorName() override { return "ActiveForm"; }
    String GetFormName() override { return FCoClassName; }

private:
    int FBitmapNumber;
};

class TCppPropertyPageCreator : public TCppProCreator {
public:
    TCppPropertyPageCreator(const String& fileName, const String& pageName);
    TIntfPtr<IQSourceFile> GetSource() override;
    // A fresh CLSID each time.
    TIntfPtr<IQSourceFile> GetInterfaceSource() override;
    String GetAncestorName() override { return "PropertyPage"; }
    String GetFormName() override { return FPageName; }

private:
    String FPageName;
};

class TCppAboutBoxCreator : public TCppProCreator {
public:
    // The file name is a new unique "AboutN" module of the project folder.
    TCppAboutBoxCreator(const String& controlName, const String& baseName);
    TIntfPtr<IQSourceFile> GetSource() override;
    TIntfPtr<IQSourceFile> GetInterfaceSource() override;
    String GetAncestorName() override { return "Form"; }
    String GetFormName() override;
    TIntfPtr<IQSourceFile> GetForm() override;

private:
    String FControlName, FBaseName;
};

class TCppCOMObjectCreator : public TCppCoClassCreator {
public:
    TCppCOMObjectCreator(const String& fileName, const String& coClassName, const String& instancing,
                         const String& threadingModel, const String& description, bool events,
                         const String& interfaceName, bool dual);
    TIntfPtr<IQSourceFile> GetSource() override;
    TIntfPtr<IQSourceFile> GetInterfaceSource() override;
    String GetClasses() override { return FCoClassName; }
    // What the templates see (for the creators built on this one).
    IExpertFilter* ExpertFilter() const { return FExpertFilter.get(); }
};

class TCppAutoObjectCreator : public TCppCOMObjectCreator {
public:
    TCppAutoObjectCreator(const String& fileName, const String& coClassName, const String& instancing,
                          const String& threadingModel, const String& description, bool events,
                          const String& interfaceName, bool dual);
};

class TCppBaseActiveServerCreator : public TCppAutoObjectCreator {
public:
    using TCppAutoObjectCreator::TCppAutoObjectCreator;

protected:
    TIntfPtr<IQSourceFile> AspFile(const String& templateFile, const String& ext);
};

class TCppActiveServerPageCreator : public TCppBaseActiveServerCreator {
public:
    // Also gives the default interface of the CoClass in the active project's type library the
    // page-level methods OnStartPage(AScriptingContext) and OnEndPage.
    TCppActiveServerPageCreator(const String& fileName, const String& coClassName, const String& instancing,
                                const String& threadingModel, const String& description, bool events,
                                const String& interfaceName, bool dual);
    TIntfPtr<IQSourceFile> GetSource() override { return AspFile("asp.cpp", ".cpp"); }
    TIntfPtr<IQSourceFile> GetInterfaceSource() override { return AspFile("asp.h", ".h"); }
};

class TCppActiveServerPageMTSCreator : public TCppBaseActiveServerCreator {
public:
    using TCppBaseActiveServerCreator::TCppBaseActiveServerCreator;
    TIntfPtr<IQSourceFile> GetSource() override { return AspFile("aspmts.cpp", ".cpp"); }
    TIntfPtr<IQSourceFile> GetInterfaceSource() override { return AspFile("aspmts.h", ".h"); }
};

class TATLUnitCreator : public TCppProCreator {
public:
    using TCppProCreator::TCppProCreator;
    TIntfPtr<IQSourceFile> GetSource() override;
    TIntfPtr<IQSourceFile> GetInterfaceSource() override;
};

class TCppActiveLibraryCreator : public TCppProjectCreator {
public:
    using TCppProjectCreator::TCppProjectCreator;
    TIntfPtr<IQSourceFile> GetSource() override;
    void InitTargetOptions() override;
};

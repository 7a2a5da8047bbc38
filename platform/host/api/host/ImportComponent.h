#pragma once
// Importing components: a personality's import trait turns a type library into a component
// wrapper unit of its language. The host's importer reads the library and lets the personality's
// DTL writer write the unit.
#include "host/Export.h"
#include <memory>

#include "host/ModuleServices.h"
#include "rtl/Resources.h"

class TTypeLibrary;

RTL_RESOURCESTRING(sCppProjectFilter, "C++ projects (*.tvproj)|*.tvproj");

// Writes the wrapper unit of an imported type library.
class HOST_API TDTLWriter {
public:
    virtual ~TDTLWriter() = default;
    // The unit's source (registering the wrappers on the palette page) and its header; unitName
    // without folder and extension.
    virtual String UnitText(const TTypeLibrary& lib, const String& unitName, const String& palettePage) = 0;
    virtual String HeaderText(const TTypeLibrary& lib, const String& unitName) = 0;
};

// A writer class: its name and how to make one.
struct HOST_API TDTLWriterClass {
    const char* ClassName = nullptr;
    std::unique_ptr<TDTLWriter> (*Create)() = nullptr;
};

// The C++ wrapper writer: one class T<CoClass> per CoClass of the library.
class HOST_API TCPPDTLWriter : public TDTLWriter {
public:
    static TDTLWriterClass Class();
    String UnitText(const TTypeLibrary& lib, const String& unitName, const String& palettePage) override;
    String HeaderText(const TTypeLibrary& lib, const String& unitName) override;
};

// The host's import wizard of a personality (the Component>Import dialog).
class HOST_API TImportComponentWizard : public TObject {
public:
    explicit TImportComponentWizard(String personality) : Personality(std::move(personality)) {}
    String Personality;
};

class HOST_API IQImportComponentTrait : public virtual IInterface {
public:
    RTL_IID("{E23C08A1-5D7E-4A7D-BC31-E0032C2CCC73}");
    virtual std::unique_ptr<TImportComponentWizard> GetMrWizard() = 0;
    virtual String GetCaption() = 0;
    virtual int GetPersonality() = 0;
    virtual String GetProjectExtension() = 0;
    virtual String GetProjectFilter() = 0;
};

class HOST_API IQImportComponentTrait2 : public virtual IQImportComponentTrait {
public:
    RTL_IID("{BEC32B3E-D65B-485C-9609-74B0F5E9FD9C}");
    // The wrapper unit of the type library file, in unitDir; its file name.
    virtual String ImportTLB(const String& typeLibFile, const String& unitDir, const String& palettePage) = 0;
    // Whether the unit made from the assembly was found and opened.
    virtual bool ImportAssembly(const String& assemblyFile, const String& unitDir,
                                const String& palettePage) = 0;
};

class HOST_API IQImportComponentTrait3 : public virtual IQImportComponentTrait2 {
public:
    RTL_IID("{5203E158-A29F-4628-A684-1A9F56223C8D}");
    virtual TDTLWriterClass GetDTLWriter() = 0;
};

// Reads the type library file (EHostError when it is none or holds no CoClass) and writes its wrapper unit
// unitDir/<library>_OCX<ext> with its header through the DTL writer of the personality's import
// trait; the unit is opened in the host (not added to a project) and its file name returned.
// palettePage names the palette page of the wrappers (empty: "ActiveX").
HOST_API String ImportTLB(const String& typeLibFile, const String& unitDir, const String& palettePage,
                          const String& ext, const String& personality);
// The unit of an imported assembly; this host has no assembly reader: EHostError always.
HOST_API String CreateUnit(const String& assemblyFile, const String& unitDir, const String& palettePage,
                           int options, const String& personality);
// Opens the file through the File>Open handlers; false when it does not exist or none takes it.
HOST_API bool FindAndOpenFile(const String& fileName);

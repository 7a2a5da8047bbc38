#pragma once
// What the C++ personality offers its COM wizards: the comment lines of generated COM sources,
// the about-box names and the type-library names of a project.
#include "host/Export.h"
#include "host/ModuleServices.h"
#include "rtl/Resources.h"

RTL_RESOURCESTRING(sCOMMapComment, "// Data used when registering Object");
RTL_RESOURCESTRING(sPropertyMapComment, "// The PROPERTY map stores property descriptions, property "
                                        "DISPIDs,\r\n// property page CLSIDs and IDispatch IIDs.");
RTL_RESOURCESTRING(sAXRegistryMacroComment, "// Data used when registering Object");
RTL_RESOURCESTRING(sDEFINELIBIDComment, "// The LIBID of the type library of the control");
RTL_RESOURCESTRING(sDECLAREZUBPERSISTENCEComment,
                   "// The persistence of the ZUB control wrapped by this object");
RTL_RESOURCESTRING(sRegistryMacroComment, "// Data used when registering Object");
RTL_RESOURCESTRING(sCOMModuleComment,
                   "// The ATL Module: the one object of the server that counts its locks");
RTL_RESOURCESTRING(sObjectMapComment, "// The ATL Object Map holds the objects this server implements");
RTL_RESOURCESTRING(sModuleTermComment, "// Frees the module when the library is unloaded");
RTL_RESOURCESTRING(sDLLCanUnloadNowComment, "// Entry point of the server: may it be unloaded now?");
RTL_RESOURCESTRING(sDLLGetClassObjectComment,
                   "// Entry point of the server: returns the class factory of a CLSID");
RTL_RESOURCESTRING(sDLLRegisterServerComment,
                   "// Entry point of the server: enters its objects into the registry");
RTL_RESOURCESTRING(sDLLUnregisterServerComment,
                   "// Entry point of the server: removes its objects from the registry");
RTL_RESOURCESTRING(sDLLEntryPointComment, "// Entry point of the library");

// The C++ personality's tidying of generated code: line ends become CR LF.
HOST_API String CodeFix(const String& code);

// Base of about-box module names ("AboutN" is then made unique).
HOST_API String AboutBoxPrefixName();
// The form name of the about box of a control: baseName + "About".
HOST_API String AboutBoxFormName(const String& baseName);
// The name of the ATL support module of a project module: moduleName + "_ATL".
HOST_API String MakeATLModuleName(const String& moduleName);
// The unit name of a project's type-library module (the project's name + "_TLB" before it has
// one).
HOST_API String TypeLibUnitName(IQProject* project);
// The form file (".zfm") of an about box for fileName, showing controlName.
HOST_API TIntfPtr<IQSourceFile> CreateAboutBoxFormFile(const String& fileName, const String& controlName,
                                                       const String& baseName);

#pragma once
// Hook variables: a package may point them at its own functions so the host calls into it.
// A package that sets one keeps the previous value and puts it back before it is unloaded;
// the host checks this at unload and resets a hook left pointing into an unloaded package.
#include "host/Export.h"
#include "host/ModuleServices.h"

// A form creator for (file name, form name, ancestor name).
using TGetFormCreatorProc = TIntfPtr<IQModuleCreator> (*)(const String& fileName, const String& formName,
                                                          const String& ancestorName);
// A project creator for a project file name.
using TGetProjectCreatorProc = TIntfPtr<IQProjectCreator> (*)(const String& fileName);

extern HOST_API TGetFormCreatorProc GetFormCreator;
extern HOST_API TGetProjectCreatorProc GetProjectCreator;

// The host's own values: the base creators TCppFormCreator and TCppProjectCreator (kind 1).
HOST_API TIntfPtr<IQModuleCreator> DefaultGetFormCreator(const String& fileName, const String& formName,
                                                         const String& ancestorName);
HOST_API TIntfPtr<IQProjectCreator> DefaultGetProjectCreator(const String& fileName);

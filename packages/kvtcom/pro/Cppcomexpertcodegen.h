#pragma once
// Sources of COM objects from the host's template files, filled by the expert filter.
#include "host/ExpertFilter.h"
#include "host/SourceFiles.h"

// The text of the host template "cpp" folder's templateFile run through filter, as the source
// file moduleFileName with its extension changed to ext. Raises EHostError with
// sWizardFileNotFound when the template file is not there.
TIntfPtr<IQSourceFile> FilterExpertFile(IExpertFilter* filter, const String& templateFile,
                                        const String& moduleFileName, const String& ext);

#pragma once
// A source module opened from a creator (the C++ personality's module class).
#include "host/Export.h"
#include "host/ModuleServices.h"

class HOST_API TSourceModule : public TObject {
public:
    // Asks the module services to create the module; fileName empty: the creator's name.
    TSourceModule(IQModuleCreator* creator, const String& fileName, IQDocumentModule* owner);
    TIntfPtr<IQModule> Module() const { return FModule; }
    void Show(int view) { FModule->Show(view); }
    void MarkModified() { FModule->MarkModified(); }

private:
    TIntfPtr<IQModule> FModule;
};

#pragma once
// Opening ".idl" files from the IDE's File>Open: the open handler of the package.
#include "host/FileOpenHandlers.h"
#include "rtl/Resources.h"

RTL_RESOURCESTRING(sIdlFileFilter, "IDL File (*.idl)|*.idl");

class TIDLFileHandler : public TFileOpenHandler {
public:
    bool CanOpen(const String& fileName) override;
    void GetFilters(TFilterList* list, bool onlyDefault) override;
    // The open module of the file, else a new source module for it; shown either way.
    void FileOpen(const String& fileName) override;
};

void RegisterIDLFileHandler();

namespace Idlopenfile {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace Idlopenfile

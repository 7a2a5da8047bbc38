#pragma once
// Document modules: the host's record of each file open in the IDE.
#include "host/Export.h"
#include "rtl/Intf.h"

class HOST_API TDocModule : public TObject {
public:
    explicit TDocModule(const String& fileName);
    ~TDocModule() override;
    virtual String GetFileName() { return FFileName; }
    // True when the file changed on disk since it was opened.
    virtual bool CheckFileDate() { return false; }
    // The module's interface for other packages, nullptr when it has none.
    virtual TIntfPtr<IInterface> GetModuleIntf() { return nullptr; }
    int ModuleFlag() const { return FFlag; }
    void SetModuleFlag(int value) { FFlag = value; }
    // Frees the module.
    void Close() { delete this; }

protected:
    String FFileName;

private:
    int FFlag = 0;
};

// The open module of that file (letter case ignored), nullptr when none.
HOST_API TDocModule* FindDocModule(const String& fileName);
HOST_API int DocModuleCount();

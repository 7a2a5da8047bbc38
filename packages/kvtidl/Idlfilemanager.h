#pragma once
// The code manager and code updater of an open ".idl" module: IDL sources are edited as text
// and never parsed as C++.
#include <memory>

#include "host/CodeUpdaters.h"

class TCppIdlFileManager : public TCppManager {
public:
    explicit TCppIdlFileManager(TIntfPtr<IQModule> module);
    ~TCppIdlFileManager() override;

private:
    int FParseHandler = 0;
};

class TCppIdlFileUpdater : public TCodeUpdater {
public:
    // Takes the manager over and marks it modified.
    explicit TCppIdlFileUpdater(std::unique_ptr<TCppIdlFileManager> manager);
    TCppIdlFileManager* Manager() const { return FManager.get(); }
    bool GetEditable() override { return true; }
    bool GetShowSource() override { return true; }
    String GetModuleName() override;
    String GetModuleTab() override { return GetModuleName(); }
    bool GetModified() override { return FManager->Modified(); }
    bool SourceIsValid() override { return FManager->SourceIsValid(); }
    bool Validate() override { return FManager->Validate(); }

private:
    std::unique_ptr<TCppIdlFileManager> FManager;
};

#pragma once
// To-do managers for C/C++ sources and headers. A header's items are read and edited through
// the module of the source of the same name when the header has no module of its own.
#include "host/ToDo.h"

namespace IDEToDoCppMgr {
extern int UseCount;
void Initialization();
void Finalization();
}  // namespace IDEToDoCppMgr

class TCppSourceToDoManager : public TSourceToDoManager {
public:
    using TSourceToDoManager::TSourceToDoManager;
    // Parses the source section, then has the paired header (".h", ".hpp", ".hh") parse again.
    void Parse() override;
    void SetIsParsed(bool value) override { TSourceToDoManager::SetIsParsed(value); }
};

class THeaderSourceToDoManager : public TSourceToDoManager {
public:
    using TSourceToDoManager::TSourceToDoManager;
    void Delete(const TToDoItem& item) override { DeleteInSection(item, Section()); }
    void Add(const TToDoItem& item) override { AddInSection(item, Section()); }
    void Parse() override;
    // Its own module's updater, else that of the manager of the ".cpp", then the ".c" file.
    TToDoUpdater* GetUpdater() override;

private:
    int Section() const { return UseSourceSection ? 0 : 1; }
};

class TCppSourceManagerCreator : public TBaseSourceManagerCreator {
public:
    std::unique_ptr<TSourceToDoManager> CreateManager(const String& fileName, int hostValue) override;
    bool CanHandleFile(const String& fileName) override;  // ".cpp", ".tvf", ".c", ".cc"
};

class THeaderSourceManagerCreator : public TBaseSourceManagerCreator {
public:
    std::unique_ptr<TSourceToDoManager> CreateManager(const String& fileName, int hostValue) override;
    bool CanHandleFile(const String& fileName) override;  // ".h", ".hh", ".hpp"
};

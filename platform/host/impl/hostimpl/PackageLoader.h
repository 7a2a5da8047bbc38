#pragma once
// Loads packages (shared libraries) by name from one folder.
//
// Package NAME is the file libNAME.so in the package folder (the name's letter case is matched
// when no file has it exactly). Loading a package first loads every package its requires list
// names, then runs its unit table (Initialize) and calls its registration procedures; unloading
// runs its finalisations and closes the library. A package another loaded package requires is
// not unloaded. Anything the package left registered in the host is removed before its library
// closes, and the unload reports it as an error.
#include <memory>
#include <vector>

#include "host/ToolsAPI.h"

class EPackageError : public EHostError {
public:
    using EHostError::EHostError;
};

class TPackageLoader {
public:
    explicit TPackageLoader(String packageFolder);
    ~TPackageLoader();  // unloads everything, last loaded first
    TPackageLoader(const TPackageLoader&) = delete;
    TPackageLoader& operator=(const TPackageLoader&) = delete;

    // Loads name and what it requires; a package that is loaded already stays as it is. On any
    // error every package this call loaded is unloaded again and EPackageError is raised.
    void Load(const String& name);
    void Unload(const String& name);
    void UnloadAll();
    // The loads are over (their main-form handlers have run): what the host does from now on is
    // no longer counted as the last loaded package's doing.
    void EndLoading() { CloseWindow(); }

    bool IsLoaded(const String& name) const;
    std::vector<String> Loaded() const;  // load order
    String LibraryPath(const String& name) const;
    const String& Folder() const { return FFolder; }

private:
    struct TPackage;
    void LoadOne(const String& name, std::vector<String>& stack, std::vector<String>& loadedNow);
    void UnloadOne(std::size_t index, std::vector<String>& errors);
    void CloseWindow();
    std::vector<std::unique_ptr<TPackage>> FPackages;
    String FFolder;
    String FOpen;  // the package loaded last, whose changes to the host are still counted
};

#pragma once
// A host session (ProjectTestHost) and a loader over a package folder, for the tests that load
// a package through its real shared library.
#include <memory>

#include "ProjectTestHost.h"
#include "host/IDEControl.h"
#include "hostimpl/PackageLoader.h"

class PackageTestHost : public ProjectTestHost {
protected:
    // `packageDir` is where the loader looks.
    PackageTestHost(const String& prefix, const String& packageDir, String templateDir = "")
        : ProjectTestHost(prefix, std::move(templateDir)), packageDir_(packageDir)
    {
    }

    void SetUp() override
    {
        StartHost();
        StartLoader();
    }
    // The loader goes first: unloading a package talks to the host.
    void TearDown() override
    {
        loader.reset();
        StopHost();
    }

    void StartLoader() { loader = std::make_unique<TPackageLoader>(packageDir_); }

    // Loads a package with the host's main window there: the package sees it right after its
    // registration, as in a running IDE.
    void LoadWithMainForm(const String& name)
    {
        hostimpl::ShowMainForm();
        loader->Load(name);
    }

    std::unique_ptr<TPackageLoader> loader;

private:
    String packageDir_;
};

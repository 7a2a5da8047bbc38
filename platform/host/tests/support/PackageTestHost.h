#pragma once
// A host session in a scratch folder of its own and a loader over a package folder, for the tests
// that load a package through its real shared library. Subclasses that need more around the start
// or the end override SetUp/TearDown and call the parts below.
#include <gtest/gtest.h>

#include <memory>

#include "ScratchDir.h"
#include "hostimpl/HostImpl.h"
#include "host/IDEControl.h"
#include "hostimpl/PackageLoader.h"
#include "rtl/Files.h"

class PackageTestHost : public ::testing::Test {
protected:
    // `prefix` names the scratch folder (one per test), `packageDir` is where the loader looks.
    PackageTestHost(const String& prefix, const String& packageDir)
        : dir(IncludeTrailingPathDelimiter(ScratchDir() + prefix +
                                           testing::UnitTest::GetInstance()->current_test_info()->name())),
          packageDir_(packageDir)
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
        host.reset();
    }

    void StartHost()
    {
        ForceDirectories(dir);
        host = std::make_unique<hostimpl::THostSession>(dir);
    }
    void StartLoader() { loader = std::make_unique<TPackageLoader>(packageDir_); }

    // Loads a package and lets it see the main window, as the host does once that exists.
    void LoadWithMainForm(const String& name)
    {
        loader->Load(name);
        MainFormCreated().FirePending(IDEApplication());
    }

    const String dir;
    std::unique_ptr<hostimpl::THostSession> host;
    std::unique_ptr<TPackageLoader> loader;

private:
    String packageDir_;
};

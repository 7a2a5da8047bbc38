#pragma once
// A host session in a fresh scratch folder of its own (one per test), with the host's template folder
// set when the test names one, and C++ projects opened on request. Subclasses that need more
// around the start or the end override SetUp/TearDown and call the base's.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "testsupport/TestDir.h"
#include "host/Creators.h"
#include "host/ModuleServices.h"
#include "hostimpl/HostImpl.h"
#include "hostimpl/IDEServicesImpl.h"
#include "rtl/Files.h"

class ProjectTestHost : public ::testing::Test {
protected:
    // `prefix` names the scratch folder; `templateDir` empty: the host's default templates.
    explicit ProjectTestHost(const String& prefix, String templateDir = "")
        : dir(FreshDir(ScratchDir() + prefix +
                       testing::UnitTest::GetInstance()->current_test_info()->name())),
          templateDir_(std::move(templateDir))
    {
    }

    void SetUp() override { StartHost(); }
    void TearDown() override { StopHost(); }

    void StartHost()
    {
        ASSERT_TRUE(ForceDirectories(dir));
        host = std::make_unique<hostimpl::THostSession>(dir);
        if (!templateDir_.empty()) hostimpl::SetTemplateDirectory(templateDir_);
    }
    void StopHost()
    {
        if (!templateDir_.empty()) hostimpl::SetTemplateDirectory("");
        host.reset();
    }

    // Creates the C++ project fileName in the scratch folder; it becomes the active project.
    void OpenProject(const String& fileName, int kind = 8)
    {
        TIntfPtr<IQProjectCreator> creator(new TCppProjectCreator(dir + fileName, kind));
        ModuleServices()->CreateProject(creator.get());
    }

    const String dir;
    std::unique_ptr<hostimpl::THostSession> host;

private:
    String templateDir_;
};

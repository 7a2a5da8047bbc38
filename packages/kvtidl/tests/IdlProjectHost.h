#pragma once
// A host session with an open C++ project (a make file), the active project, for each test.
#include "ProjectTestHost.h"
#include "host/CppProject.h"

class IdlProjectHost : public ProjectTestHost {
protected:
    explicit IdlProjectHost(const String& prefix, String projectFile = "P.mak")
        : ProjectTestHost(prefix), FProjectFile(std::move(projectFile))
    {
    }
    void SetUp() override
    {
        ProjectTestHost::SetUp();
        hostimpl::NewCppProject(dir + FProjectFile);
        project = ActiveCppProject();
        ASSERT_NE(project, nullptr);
    }
    void TearDown() override
    {
        project.reset();
        ProjectTestHost::TearDown();
    }
    TIntfPtr<IQCppProject> project;

private:
    String FProjectFile;
};

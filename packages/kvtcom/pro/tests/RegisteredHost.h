#pragma once
// A test host with kvtcompro100's registration run (templates loaded, main form created) and
// taken back at the end.
#include "Cppprocrtrs.h"
#include "Cppproreg.h"
#include "ProjectTestHost.h"
#include "host/IDEControl.h"

class RegisteredHost : public ProjectTestHost {
protected:
    explicit RegisteredHost(const String& prefix) : ProjectTestHost(prefix, KVTCOM_TEMPLATE_DIR) {}
    void Register()
    {
        Cppprocrtrs::Initialization();
        Cppproreg_IDERegister();
        MainFormCreated().FirePending(IDEApplication());
    }
    void TearDown() override
    {
        Cppproreg::Finalization();
        Cppprocrtrs::Finalization();
        ProjectTestHost::TearDown();
    }
};

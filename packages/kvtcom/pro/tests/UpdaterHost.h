#pragma once
// A test host with what the co-class updater needs of kvtcompro100 initialized as the package
// does at load (templates, browser compiler, experts, updater factory, commands and gallery items)
// and taken back at the end.
#include "Ccombrow.h"
#include "Ccommgr.h"
#include "Cppprocmd.h"
#include "Cppprocrtrs.h"
#include "Cppproreg.h"
#include "Cppproupdaters.h"
#include "ProjectTestHost.h"
#include "host/IDEControl.h"

class UpdaterHost : public ProjectTestHost {
protected:
    explicit UpdaterHost(const String& prefix) : ProjectTestHost(prefix, KVTCOM_TEMPLATE_DIR) {}
    void SetUp() override
    {
        ProjectTestHost::SetUp();
        Cppprocrtrs::Initialization();
        Ccombrow::Initialization();
        Ccommgr::Initialization();
        Cppproupdaters::Initialization();
        Cppprocmd_IDERegister();
        Cppproreg_IDERegister();
        MainFormCreated().FirePending(IDEApplication());
    }
    void TearDown() override
    {
        Cppproreg::Finalization();
        Cppprocmd::Finalization();
        Cppproupdaters::Finalization();
        Ccommgr::Finalization();
        Ccombrow::Finalization();
        Cppprocrtrs::Finalization();
        ProjectTestHost::TearDown();
    }
};

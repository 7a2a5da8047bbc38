#pragma once
// A test host with both COM packages registered as at load, the host's settings offering the
// ActiveX control item too: every COM item of the gallery is there.
#include "Cppentreg.h"
#include "UpdaterHost.h"
#include "host/AppIniFile.h"

class ComPackagesHost : public UpdaterHost {
protected:
    explicit ComPackagesHost(const String& prefix) : UpdaterHost(prefix) {}
    void SetUp() override
    {
        UpdaterHost::SetUp();
        AppIniFile().WriteString("Type Library", "ActiveXWizard", "True");
        Cppproreg::Finalization();
        Cppproreg_IDERegister();
        Cppentreg_IDERegister();
        MainFormCreated().FirePending(IDEApplication());
    }
    void TearDown() override
    {
        Cppentreg::Finalization();
        AppIniFile().EraseSection("Type Library");
        UpdaterHost::TearDown();
    }
};

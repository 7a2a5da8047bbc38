#include "hostimpl/HostState.h"

namespace hostimpl {
namespace {

// Applies to the project being created (else the active one); the values are recorded on it.
class TCppProjectOptions : public TAggregatedObject, public IQCppProjectOptions {
public:
    using TAggregatedObject::TAggregatedObject;
    bool QueryOwnInterface(const TGUID& iid, void** obj) override
    {
        return QueryAs<IQCppProjectOptions>(this, iid, obj);
    }
    void SetTargetOptions(int kind, bool guiApp, int a, int b, int c, int d, int e) override
    {
        Target().SetTargetOptions(IntToStr(kind) + "," + (guiApp ? "true" : "false") + "," + IntToStr(a) +
                                  "," + IntToStr(b) + "," + IntToStr(c) + "," + IntToStr(d) + "," +
                                  IntToStr(e));
    }
    void Commit() override
    {
        auto& p = Target();
        p.SetTargetOptions(p.TargetOptions() + ";committed");
    }

private:
    static THostModule& Target()
    {
        auto& s = State();
        if (s.CreatingProject) return *s.CreatingProject;
        if (s.ActiveProject) return *s.ActiveProject;
        throw EHostError("No project for the C++ project options");
    }
};

}  // namespace

std::unique_ptr<TAggregatedObject> NewCppProjectOptions(IInterface* controller)
{
    return std::make_unique<TCppProjectOptions>(controller);
}

}  // namespace hostimpl

#include "host/HostState.h"

namespace hostimpl {
namespace {

// Applies to the project being created (else the active one); the values are recorded on it.
class TCppProjectOptions : public TInterfacedObject, public IQCppProjectOptions {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override {
        if (QueryAs<IQCppProjectOptions>(this, iid, obj)) return S_OK;
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    void SetTargetOptions(int kind, bool guiApp, int a, int b, int c, int d, int e) override {
        Target().SetTargetOptions(IntToStr(kind) + "," + (guiApp ? "true" : "false") + "," + IntToStr(a) + "," +
                                  IntToStr(b) + "," + IntToStr(c) + "," + IntToStr(d) + "," + IntToStr(e));
    }
    void Commit() override {
        auto& p = Target();
        p.SetTargetOptions(p.TargetOptions() + ";committed");
    }

private:
    static THostModule& Target() {
        auto& s = State();
        if (s.CreatingProject) return *s.CreatingProject;
        if (s.ActiveProject) return *s.ActiveProject;
        throw EHostError("No project for the C++ project options");
    }
};

}  // namespace

TIntfPtr<IInterface> NewCppProjectOptions() {
    return TIntfPtr<IInterface>(static_cast<IQCppProjectOptions*>(new TCppProjectOptions));
}

}  // namespace hostimpl

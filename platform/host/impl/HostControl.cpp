#include "hostimpl/HostControl.h"

namespace {

const hostimpl::THostControl kControl{sizeof(hostimpl::THostControl),
#define HOSTIMPL_CONTROL_ENTRY(name) &hostimpl::name,
                                      HOSTIMPL_CONTROL(HOSTIMPL_CONTROL_ENTRY)
#undef HOSTIMPL_CONTROL_ENTRY
};

}  // namespace

const hostimpl::THostControl* QuistorHostControl() { return &kControl; }

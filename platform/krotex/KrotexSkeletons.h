#pragma once
// The skeletons of a client header by the names implementations derive from: for every
// interface I of module M, the class _sk_M::_sk_I over the ORB's skeleton POA_M::I.
#include "rtl/SysUtils.h"

// The declarations to append to omniidl's client header text; "" when it declares no interface.
// guard names the block's include guard.
String KrotexSkeletonBlock(const String& clientHeader, const String& guard);

#pragma once
// The host's splash screen: packages add a picture with a caption while they register.
#include "rtl/Intf.h"
#include "host/Export.h"
#include "zub/Graphics.h"

class HOST_API IQTASplashScreenServices : public virtual IInterface {
public:
    RTL_IID("{4B7E2A90-6C15-4F3D-A8E1-9D2C5B7F0A31}");
    // The host copies the bitmap; the caller may free it right after.
    virtual void AddPluginBitmap(const String& caption, const TBitmap* bitmap, bool isUnregistered,
                                 const String& licenseStatus, const String& skuName) = 0;
};

struct HOST_API TSplashEntry {
    String Caption;
    int Width, Height;
    String BitmapName;
};
// What the splash screen shows, in order of adding.
HOST_API std::vector<TSplashEntry> SplashEntries();

#pragma once
// Progress of long work (a build), as the host shows it.
#include "host/Export.h"
#include <vector>

#include "host/ToolsAPI.h"

struct HOST_API TIDEProgress {
    int Kind;  // 1: working on the file named
    String Text;
    std::size_t MessagesBefore = 0;  // messages the message view held when this was reported
};

class HOST_API IQProgressServices : public virtual IInterface {
public:
    RTL_IID("{5D2A7C13-9E84-4B61-A3F0-6E7D8C9B0A12}");
    virtual void Progress(int kind, const String& text) = 0;
    virtual std::vector<TIDEProgress> Reports() = 0;
    virtual void ClearReports() = 0;
};

HOST_API void BPROGRESS(int kind, const String& text);

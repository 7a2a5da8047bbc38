#pragma once
// Handlers that open files of their kind in the IDE (File>Open asks them in registration order).
#include "host/Export.h"
#include <vector>

#include "rtl/Classes.h"

class TFileOpenHandler;

struct HOST_API TFilterEntry {
    String Filter;  // description and mask separated by "|"
    TFileOpenHandler* Owner;
};
using TFilterList = std::vector<TFilterEntry>;

class HOST_API TFileOpenHandler : public TObject {
public:
    virtual bool CanOpen(const String& fileName) = 0;
    // Adds the handler's file-dialog filters to list; onlyDefault asks for the handler's
    // default filter only.
    virtual void GetFilters(TFilterList* list, bool onlyDefault) = 0;
    virtual void FileOpen(const String& fileName) = 0;
};

HOST_API void RegisterOpenHandler(TFileOpenHandler* handler);
HOST_API void UnregisterOpenHandler(TFileOpenHandler* handler);
HOST_API int OpenHandlerCount();
// The first handler that can open the file opens it; false when none can.
HOST_API bool OpenFileWithHandlers(const String& fileName);
// The filters of every handler, in registration order.
HOST_API TFilterList OpenFileFilters();

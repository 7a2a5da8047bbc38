#pragma once
// The message view of the IDE: compiler errors and warnings with their place.
#include "host/Export.h"
#include <vector>

#include "host/ToolsAPI.h"

struct HOST_API TIDEMessage {
    int Kind;  // 1 warning, 2 error, 0 information
    int Group;
    String FileName;
    int Line, Column, EndColumn;
    String Text;  // UTF-8
};

class HOST_API IQMessageServices : public virtual IInterface {
public:
    RTL_IID("{0F4C8E21-7A3B-4D56-8E90-1B2C3D4E5F61}");
    virtual void AddMessage(const TIDEMessage& message) = 0;
    virtual std::vector<TIDEMessage> Messages() = 0;
    virtual void ClearMessages() = 0;
};

// Adds one message to the message view (nothing when the host has no message view).
HOST_API void BMSG(int kind, int group, const String& fileName, int line, int column, int endColumn,
                   const String& text);

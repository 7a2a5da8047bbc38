#pragma once
// The host's registry, kept in the INI file "registry.ini" of the folder that stands for the
// Windows directory: one section per key path (below HKEY_CURRENT_USER), one line per value.
#include "host/Export.h"
#include "rtl/IniFiles.h"

// The host's own key; packages keep their keys below it.
extern HOST_API const char* const rkBaseRegKey;

class HOST_API TRegistry : public TObject {
public:
    TRegistry();
    bool KeyExists(const String& key) const;
    bool ValueExists(const String& key, const String& name) const;
    String ReadString(const String& key, const String& name, const String& def) const;
    int ReadInteger(const String& key, const String& name, int def) const;
    bool ReadBool(const String& key, const String& name, bool def) const;
    void WriteString(const String& key, const String& name, const String& value);
    void WriteInteger(const String& key, const String& name, int value);
    void WriteBool(const String& key, const String& name, bool value);
    void DeleteKey(const String& key);

private:
    TIniFile FIni;
};

#include "host/Registry.h"

const char* const rkBaseRegKey = "Software\\Quistor\\IDE\\1.0";

TRegistry::TRegistry() : FIni("registry.ini") {}

bool TRegistry::KeyExists(const String& key) const { return FIni.SectionExists(key); }
bool TRegistry::ValueExists(const String& key, const String& name) const
{
    return FIni.ValueExists(key, name);
}
String TRegistry::ReadString(const String& key, const String& name, const String& def) const
{
    return FIni.ReadString(key, name, def);
}
int TRegistry::ReadInteger(const String& key, const String& name, int def) const
{
    return FIni.ReadInteger(key, name, def);
}
bool TRegistry::ReadBool(const String& key, const String& name, bool def) const
{
    return FIni.ReadBool(key, name, def);
}
void TRegistry::WriteString(const String& key, const String& name, const String& value)
{
    FIni.WriteString(key, name, value);
}
void TRegistry::WriteInteger(const String& key, const String& name, int value)
{
    FIni.WriteInteger(key, name, value);
}
void TRegistry::WriteBool(const String& key, const String& name, bool value)
{
    FIni.WriteBool(key, name, value);
}
void TRegistry::DeleteKey(const String& key) { FIni.EraseSection(key); }
